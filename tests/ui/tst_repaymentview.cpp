#include "BrandTestMain.h"
#include "ScreenTest.h"

#include "calc/AmortisationRow.h"
#include "calc/LoanScenario.h"
#include "core/Format.h"
#include "ui/BalanceChart.h"
#include "ui/ColumnThinning.h"
#include "ui/DonutChart.h"
#include "ui/RepaymentView.h"
#include "ui/YearlyTable.h"
#include "ui/YearlyTableView.h"
#include "ui/buttons/TextActionButton.h"
#include "ui/buttons/ToggleSwitch.h"
#include "ui/controls/Card.h"
#include "ui/controls/HeroCard.h"
#include "ui/controls/HeroLabel.h"
#include "ui/controls/HeroNote.h"
#include "ui/controls/HeroStat.h"
#include "ui/controls/HeroValue.h"
#include "ui/controls/PillPicker.h"
#include "ui/controls/ResultRow.h"

#include <QImage>
#include <QPainter>

using namespace brolga;

// The Repayment screen at the calculator's column width, shown so that clicks reach it.
struct Screen : screentest::Screen<RepaymentView> {
    Screen() { window.show(); }

    void click(PillPicker *picker, int index)
    {
        QAbstractButton *pill = picker->pill(index);
        QTest::mouseClick(pill, Qt::LeftButton, {}, pill->rect().center());
    }
    QString heroLabel() const { return view->heroLabel()->text(); }
    QString heroValue() const { return view->heroValue()->text(); }
    QString heroNote() const { return shows(view->heroNote()) ? view->heroNote()->text() : QString(); }
};

class TestRepaymentView : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { screentest::isolateSettings(); }

    // The defaults show the monthly repayment and every card; without a loan amount only the loan card stays.
    void defaultsThenNoLoanAmount()
    {
        Screen screen;
        QCOMPARE(screen.heroLabel(), QStringLiteral("MONTHLY REPAYMENT")); // the caption is set in capitals
        QCOMPARE(screen.heroValue(), QStringLiteral("$3,934.77"));
        QCOMPARE(screen.view->hero()->fill(), HeroFill::navy);
        QCOMPARE(screen.heroNote(), QString());
        QVERIFY(!screen.shows(screen.view->ioYearsField()));
        const auto cards = {screen.view->compareCard(), screen.view->summaryCard(), screen.view->projectionCard()};
        for (Card *card : cards)
            QVERIFY(screen.shows(card));

        screen.store.edit([](CalculatorState &s) { s.loanAmount = 0; });
        QCOMPARE(screen.heroLabel(), QStringLiteral("REPAYMENT"));
        QCOMPARE(screen.heroValue(), QStringLiteral("$0.00"));
        QCOMPARE(screen.heroNote(), QStringLiteral("Enter a loan amount, rate and term."));
        QVERIFY(!screen.shows(screen.view->heroStat(0)));
        QVERIFY(screen.shows(screen.view->loanCard()));
        for (Card *card : cards)
            QVERIFY(!screen.shows(card));
    }

    void interestOnlyShowsItsPeriodAndTheRevertNote()
    {
        Screen screen;
        screen.click(screen.view->typePicker(), 1);
        QCOMPARE(screen.store.state().repaymentType, RepaymentType::interestOnly);
        QVERIFY(screen.shows(screen.view->ioYearsField()));
        // The defaults with 5 years interest-only.
        QCOMPARE(screen.heroNote(), QStringLiteral("Interest only for 5 years, then $4,223.79/mth."));
        QCOMPARE(screen.heroValue(), QStringLiteral("$3,298.75"));

        screen.click(screen.view->typePicker(), 0);
        QVERIFY(!screen.shows(screen.view->ioYearsField()));
        QCOMPARE(screen.heroNote(), QString());
    }

    void weeklyRelabelsTheHeroTheExtraFieldAndTheStrip()
    {
        Screen screen;
        QCOMPARE(screen.view->extraField()->config().label, QStringLiteral("Extra /mth"));
        QCOMPARE(screen.view->stripCaption(0), QStringLiteral("WEEKLY"));
        QCOMPARE(screen.view->stripCaption(1), QStringLiteral("FORTNIGHTLY"));

        screen.click(screen.view->frequencyPicker(), 0);
        QCOMPARE(screen.store.state().frequency, PaymentFrequency::weekly);
        QCOMPARE(screen.heroLabel(), QStringLiteral("WEEKLY REPAYMENT"));
        QCOMPARE(screen.view->heroValue()->suffix(), QStringLiteral("/wk"));
        QCOMPARE(screen.view->extraField()->config().label, QStringLiteral("Extra /wk"));
        const auto s = screen.store.scenario();
        QCOMPARE(screen.view->stripCaption(0), QStringLiteral("FORTNIGHTLY"));
        QCOMPARE(screen.view->stripCaption(1), QStringLiteral("MONTHLY"));
        QCOMPARE(screen.view->stripValue(0), Format::money(s->paymentAs(PaymentFrequency::fortnightly), 2));
        QCOMPARE(screen.view->stripValue(1), Format::money(s->paymentAs(PaymentFrequency::monthly), 2));
    }

    void compareAtALowerAndAHigherRate()
    {
        Screen screen;
        QVERIFY(!screen.shows(screen.view->compareTotalRow()));
        QTest::mouseClick(screen.view->compareSwitch(), Qt::LeftButton);
        QVERIFY(screen.store.state().isCompareMode);

        // The default compare rate, 5.79 %, is below the 6.09 % of the loan.
        const auto s = screen.store.scenario();
        const auto c = screen.store.compareScenario();
        QCOMPARE(screen.heroLabel(), QStringLiteral("ESTIMATED SAVING"));
        QCOMPARE(screen.view->hero()->fill(), HeroFill::positive);
        QCOMPARE(screen.heroValue(), Format::money(s->payment - c->payment, 2));
        QCOMPARE(screen.view->heroStat(0)->label(), QStringLiteral("At 6.09%"));
        QCOMPARE(screen.view->heroStat(1)->label(), QStringLiteral("At 5.79%"));
        QVERIFY(screen.heroNote().startsWith(QStringLiteral("Interest saved over the term: $")));
        QVERIFY(screen.shows(screen.view->compareTotalRow()));

        screen.store.edit([](CalculatorState &st) { st.compareRate = 7.0; });
        QCOMPARE(screen.heroLabel(), QStringLiteral("ESTIMATED EXTRA COST"));
        QCOMPARE(screen.view->hero()->fill(), HeroFill::negative);
        QVERIFY(screen.heroNote().startsWith(QStringLiteral("Extra interest over the term: $")));
        QCOMPARE(screen.view->compareTotalRow()->label(), QStringLiteral("Total extra at compare rate"));

        QTest::mouseClick(screen.view->compareSwitch(), Qt::LeftButton);
        QVERIFY(!screen.store.state().isCompareMode);
        QCOMPARE(screen.heroLabel(), QStringLiteral("MONTHLY REPAYMENT"));
        QVERIFY(!screen.shows(screen.view->compareTotalRow()));
    }

    // The fees card is offered once the broker asks for it in the settings, or while a record has its fees on;
    // its switch brings what the loan costs into the summary.
    void lenderFeesCard()
    {
        Screen screen;
        screen.store.setOffersDetailedInputs(true);
        QVERIFY(!screen.shows(screen.view->costsBlock()));
        QTest::mouseClick(screen.view->feesSwitch(), Qt::LeftButton);
        QVERIFY(screen.store.state().feesEnabled);
        screen.store.edit([](CalculatorState &s) {
            s.establishmentFee = 600;
            s.ongoingFee = 395;
            s.ongoingFeePeriod = FeePeriod::yearly;
        });
        QVERIFY(screen.shows(screen.view->costsBlock()));
        QCOMPARE(screen.view->costRow(0)->label(), QStringLiteral("Comparison rate"));
        QCOMPARE(screen.view->costRow(0)->value(), QStringLiteral("6.17%"));
        QCOMPARE(screen.heroNote(), QStringLiteral("Comparison rate 6.17%."));

        screen.store.setOffersDetailedInputs(false);
        QVERIFY(screen.shows(screen.view->feesCard()));
        QTest::mouseClick(screen.view->feesSwitch(), Qt::LeftButton);
        QVERIFY(!screen.shows(screen.view->feesCard()) && !screen.shows(screen.view->costsBlock()));
    }

    // $260,000 of the default loan fixed at 5.79% for 3 years: the hero says what follows, the summary gives
    // each portion.
    void fixedPortionCard()
    {
        Screen screen;
        screen.store.setOffersDetailedInputs(true);
        QVERIFY(screen.shows(screen.view->fixedCard()) && !screen.shows(screen.view->portionRow(0)));
        QTest::mouseClick(screen.view->fixedSwitch(), Qt::LeftButton);
        screen.store.edit([](CalculatorState &s) { s.fixedAmount = 260000; });
        QCOMPARE(screen.heroValue(), QStringLiteral("$3,884.76"));
        QCOMPARE(screen.heroNote(), QStringLiteral("Then $3,931.35/mth from year 4."));
        QCOMPARE(screen.view->portionRow(1)->label(), QStringLiteral("Variable portion"));
        QCOMPARE(screen.view->portionRow(1)->value(), QStringLiteral("$2,360.86/mth"));
        QCOMPARE(screen.view->portionRow(2)->label(), QStringLiteral("Then from year 4"));
    }

    void extraRepaymentRows()
    {
        Screen screen;
        const auto rows = {screen.view->interestSavedRow(), screen.view->paidOffRow(), screen.view->timeSavedRow()};
        for (auto *row : rows)
            QVERIFY(!screen.shows(row));
        screen.store.edit([](CalculatorState &s) { s.extraRepayment = 500; });
        for (auto *row : rows)
            QVERIFY(screen.shows(row));
        const auto s = screen.store.scenario();
        QCOMPARE(screen.view->paidOffRow()->value(), Format::duration(s->periodsToClear, s->frequency));
    }

    void projectionShowsTheChartOrTheYearlyTable()
    {
        Screen screen;
        QVERIFY(!screen.shows(screen.view->balanceChart()));
        QTest::mouseClick(screen.view->projectionButton(), Qt::LeftButton);
        QVERIFY(screen.store.state().showProjection);
        QCOMPARE(screen.view->projectionButton()->text(), QStringLiteral("Hide"));
        QVERIFY(screen.shows(screen.view->balanceChart()));
        QCOMPARE(screen.view->balanceChart()->schedule().size(), std::size_t(360));

        screen.click(screen.view->projectionPicker(), 1);
        QCOMPARE(screen.store.state().projectionView, ProjectionView::schedule);
        QVERIFY(!screen.shows(screen.view->balanceChart()));
        QVERIFY(screen.shows(screen.view->yearlyTable()));
        QCOMPARE(screen.view->yearlyTable()->lineCount(), 30);
        screen.store.edit([](CalculatorState &s) { s.extraRepayment = 1000; });
        QCOMPARE(screen.view->yearlyTable()->lineCount(), (screen.store.scenario()->periodsToClear + 11) / 12);
        QVERIFY(screen.view->yearlyTable()->lineCount() < 30);
    }

    // A line per year of periods, the last summing what is left of a part year.
    void yearlyTableSumsEachYear()
    {
        // n rows of 1 interest and 10 principal each, the balance running down from 10 × n.
        const auto rows = [](int n) {
            std::vector<AmortisationRow> out;
            for (int i = 0; i < n; ++i)
                out.push_back({i + 1, 1.0, 10.0, 10.0 * (n - i - 1)});
            return out;
        };
        const auto full = YearlyTable::lines(rows(360), PaymentFrequency::monthly);
        QCOMPARE(full.size(), std::size_t(30));
        QCOMPARE(full.front(), (YearlyLine{1, 120.0, 12.0, 3480.0, 12}));
        QCOMPARE(full.back(), (YearlyLine{30, 120.0, 12.0, 0.0, 12}));
        const auto part = YearlyTable::lines(rows(27 * 12 + 5), PaymentFrequency::monthly);
        QCOMPARE(part.size(), std::size_t(28));
        QCOMPARE(part.back(), (YearlyLine{28, 50.0, 5.0, 0.0, 5}));

        QCOMPARE(YearlyTable::lines(rows(52 * 50), PaymentFrequency::weekly).size(), std::size_t(50));
        QCOMPARE(YearlyTable::lines(rows(26 * 3 + 1), PaymentFrequency::fortnightly).size(), std::size_t(4));
        QCOMPARE(YearlyTable::lines(rows(1), PaymentFrequency::weekly).size(), std::size_t(1));
        QVERIFY(YearlyTable::lines({}, PaymentFrequency::monthly).empty());
        QCOMPARE(YearlyTable::cells({3, 12345.5, 39000.49, 612000.0, 12}),
                 (std::array<QString, 4>{"3", "$12,346", "$39,000", "$612,000"}));
    }

    void typingTheLoanAmountKeepsTheFieldAndFollowsEveryKey()
    {
        Screen screen;
        NumericField *amount = screen.view->loanAmountField();
        QVERIFY(screen.focus(amount));
        QString previous = screen.heroValue();
        screen.type(amount, QStringLiteral("720000"), [&](const QString &typed) {
            QVERIFY(amount->lineEdit()->hasFocus());
            QCOMPARE(amount->text(), typed);
            QCOMPARE(screen.store.state().loanAmount, typed.toDouble());
            QCOMPARE(screen.heroValue(), Format::money(screen.store.scenario()->payment, 2));
            QVERIFY(screen.heroValue() != previous); // every key moves the figure
            previous = screen.heroValue();
        });
        QTest::keyClick(amount->lineEdit(), Qt::Key_Return);
        QCOMPARE(amount->text(), QStringLiteral("720,000"));
    }

    void aSingleRowDrawsAnEmptyFrame()
    {
        auto draw = [](const std::vector<AmortisationRow> &rows) {
            QImage image(200, BalanceChart::chartHeight, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter p(&image);
            BalanceChart::paint(p, QPalette(), QRectF(image.rect()), rows);
            return image;
        };
        const QImage frame = draw({});
        QVERIFY(frame.pixelColor(100, 55).alpha() > 0); // the field colour fills the frame
        QCOMPARE(draw({{1, 10, 90, 0}}), frame);
        QVERIFY(draw({{1, 10, 40, 60}, {2, 5, 60, 0}}) != frame);
    }

    void longSchedulesAreThinnedToOnePointPerColumn()
    {
        // A falling balance over 2,600 periods on 400 columns.
        QPolygonF falling;
        for (int i = 0; i < 2600; ++i)
            falling << QPointF(i * 400.0 / 2599, 100.0 * (1 - i / 2599.0) * (1 - i / 2599.0));
        const QPolygonF thinned = thinToColumns(falling, 1);
        QVERIFY(thinned.size() <= 402);
        QCOMPARE(thinned.first(), falling.first());
        QCOMPARE(thinned.last(), falling.last());
        for (qsizetype i = 1; i < thinned.size(); ++i) {
            QVERIFY(thinned[i].x() > thinned[i - 1].x());
            QVERIFY(falling.contains(thinned[i]));
        }

        // A spike inside one column survives; a short or degenerate line is left alone.
        const QPolygonF spike{{0, 50}, {1.1, 50}, {1.2, 5}, {1.3, 95}, {1.4, 50}, {3, 50}};
        QCOMPARE(thinToColumns(spike, 1), (QPolygonF{{0, 50}, {1.2, 5}, {1.3, 95}, {1.4, 50}, {3, 50}}));
        const QPolygonF two{{0, 0}, {0.1, 1}};
        QCOMPARE(thinToColumns(two, 1), two);
        QCOMPARE(thinToColumns(spike, 0), spike);
        const QPolygonF undefined{{0, 1}, {qQNaN(), 2}, {qQNaN(), 3}, {2, 4}};
        QCOMPARE(thinToColumns(undefined, 1).size(), undefined.size()); // ends, never loops
    }

    void donutPaintsIntoAnyPainterWithForcedColours()
    {
        QCOMPARE(DonutChart::interestFraction(0, 0), 0.0); // no division by zero
        QImage image(200, 200, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        const QColor ink(Qt::black), accent(Qt::red);
        DonutChart::paint(p, QPalette(), QRectF(50, 50, 100, 100), 0.25, {ink, accent});
        p.end();
        // The ring's centre line is 6.5 in from the square: accent in the first quarter from twelve o'clock,
        // ink at six o'clock.
        const qreal r = 50 - DonutChart::lineWidth / 2;
        const QPoint quarterPast(qRound(100 + r * 0.7071), qRound(100 - r * 0.7071));
        QCOMPARE(image.pixelColor(quarterPast).rgb(), accent.rgb());
        QCOMPARE(image.pixelColor(100, qRound(100 + r)).rgb(), ink.rgb());
        QCOMPARE(image.pixelColor(20, 20).alpha(), 0);
    }

    // An edit that moves none of the tab's figures repaints none of it: every refresh sets each part again, and
    // a part set to what it shows must not ask to be drawn (the verdict's colours and the rows' tints included).
    void anEditElsewhereRepaintsNothing()
    {
        Screen screen;
        screen.store.edit([](CalculatorState &s) {
            s.extraRepayment = 200;
            s.isCompareMode = true;
        });
        QVERIFY(QTest::qWaitForWindowExposed(&screen.window));
        QCoreApplication::processEvents();
        struct Paints : QObject {
            QStringList seen;
            bool eventFilter(QObject *watched, QEvent *event) override
            {
                if (event->type() == QEvent::Paint)
                    seen << watched->metaObject()->className();
                return false;
            }
        } paints;
        qApp->installEventFilter(&paints);
        screen.store.edit([](CalculatorState &s) { s.grossIncome += 1000; });
        QCoreApplication::processEvents();
        qApp->removeEventFilter(&paints);
        QCOMPARE(paints.seen, QStringList());
    }
};

BROLGA_TEST_MAIN(TestRepaymentView)
#include "tst_repaymentview.moc"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "brand/Theme.h"
#include "TestStore.h"
#include "core/CalculatorStore.h"
#include "core/Format.h"
#include "ui/controls/AccentButton.h"
#include "ui/controls/BrandDateField.h"
#include "ui/controls/Card.h"
#include "ui/controls/FootNote.h"
#include "ui/controls/HeroCard.h"
#include "ui/controls/HeroLabel.h"
#include "ui/controls/HeroNote.h"
#include "ui/controls/HeroStat.h"
#include "ui/controls/HeroValue.h"
#include "ui/controls/NumericField.h"
#include "ui/controls/PillPicker.h"
#include "ui/controls/ResultRow.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDir>
#include <QHBoxLayout>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QVBoxLayout>

using namespace brolga;

namespace {

// One screenful of every control, on the canvas colour.
class Gallery : public QWidget {
public:
    explicit Gallery(CalculatorStore &store)
    {
        auto *column = new QVBoxLayout(this);
        column->setContentsMargins(14, 14, 14, 14);
        column->setSpacing(12);

        auto *hero = new HeroCard(HeroFill::navy, this);
        hero->addContent(new HeroLabel(QStringLiteral("Monthly repayment")));
        hero->addContent(new HeroValue(QStringLiteral("$3,934.81"), QStringLiteral("/mth")));
        auto *stats = new QHBoxLayout;
        stats->setSpacing(8);
        stats->addWidget(new HeroStat(QStringLiteral("Principal (first)"), QStringLiteral("$635.23 (16%)")));
        stats->addWidget(new HeroStat(QStringLiteral("Interest (first)"), QStringLiteral("$3,299.58 (84%)")));
        hero->body()->addLayout(stats);
        hero->addContent(new HeroNote(QStringLiteral("Reverts to $4,611.05/mth after the interest only period.")));
        column->addWidget(hero);

        auto *verdicts = new QHBoxLayout;
        verdicts->setSpacing(8);
        for (bool positive : {true, false}) {
            auto *card = new HeroCard(HeroCard::verdict(positive), this);
            card->addContent(new HeroLabel(positive ? QStringLiteral("Estimated saving")
                                                    : QStringLiteral("Estimated extra cost"),
                                           positive));
            card->addContent(new HeroValue(QStringLiteral("$1,234,567,890.12"), QStringLiteral("/fn")));
            verdicts->addWidget(card);
        }
        column->addLayout(verdicts);

        auto *loan = new Card(QStringLiteral("Loan"), nullptr, this);
        auto *pair = new QHBoxLayout;
        pair->setSpacing(10);
        pair->addWidget(NumericField::bind(store, &CalculatorState::loanAmount,
                                           {.label = "Loan amount", .prefix = "$", .upper = 100000000}));
        pair->addWidget(NumericField::bind(store, &CalculatorState::offsetAmount,
                                           {.label = "Offset balance", .prefix = "$", .upper = 100000000}));
        loan->body()->addLayout(pair);
        auto *pair2 = new QHBoxLayout;
        pair2->setSpacing(10);
        focused = NumericField::bind(store, &CalculatorState::interestRate,
                                     {.label = "Interest rate", .suffix = "%", .decimals = 2, .step = 0.05, .upper = 30});
        pair2->addWidget(focused);
        pair2->addWidget(NumericField::bind(store, &CalculatorState::loanTermYears,
                                            {.label = "Term (years)", .suffix = "yrs", .step = 1, .lower = 1, .upper = 50}));
        loan->body()->addLayout(pair2);
        loan->addContent(PillPicker::bind(store, &CalculatorState::repaymentType,
                                          {{"P & I", RepaymentType::principalAndInterest},
                                           {"Interest Only", RepaymentType::interestOnly}}));
        loan->addContent(PillPicker::bind(store, &CalculatorState::state,
                                          {{"NSW", AUState::nsw}, {"VIC", AUState::vic}, {"QLD", AUState::qld},
                                           {"Western Australia", AUState::wa}},
                                          3));
        loan->addContent(BrandDateField::bind(store, &CalculatorState::ytdPeriodEnd, [] { return QDate(2026, 12, 5); },
                                              QStringLiteral("Period end")));
        column->addWidget(loan);

        auto *summary = new Card(QStringLiteral("Loan summary"), new AccentButton(QStringLiteral("Show")), this);
        summary->addContent(new ResultRow(QStringLiteral("Total payable"), QStringLiteral("$1,416,531")));
        summary->addContent(new ResultRow(QStringLiteral("Interest saved by extra repayments"),
                                          QStringLiteral("$86,410"), &Brand::good));
        summary->addContent(new ResultRow(QStringLiteral("Total extra at compare rate"), QStringLiteral("$12,001"),
                                          &Brand::bad, true));
        summary->addContent(new FootNote(QStringLiteral(
            "Balance and interest year by year over the life of the loan. Figures are indicative only and "
            "assume the rate stays the same for the whole term.")));
        column->addWidget(summary);
        column->addWidget(new Card(QString(), nullptr, this));
        column->addStretch(1);
    }

    NumericField *focused = nullptr;

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(rect(), Brand::canvas()); }
};

QImage render(QWidget &widget)
{
    QImage image(widget.size() * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    image.fill(Qt::transparent);
    widget.render(&image);
    return image;
}

} // namespace

class TestControls : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        teststore::isolateSettings();
        BrandType::registerFonts();
    }
    void cleanupTestCase() { Brand::forceAppearance(std::nullopt); }

    void dateFieldPicksADayAtOnce()
    {
        QDate date(2026, 12, 5);
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *field = new BrandDateField(
            QStringLiteral("Period end"), [&] { return date; }, [&](const QDate &d) { date = d; }, &window);
        layout->addWidget(field);
        window.resize(220, 80);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(field->text(), QStringLiteral("5 Dec 2026"));
        QVERIFY(!field->isCalendarOpen());

        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() / 2, field->height() - 6));
        QVERIFY(field->isCalendarOpen());
        QCOMPARE(field->calendar()->selectedDate(), date);
        QCOMPARE(field->calendar()->window()->width(), BrandDateField::popupWidth);

        field->calendar()->setSelectedDate(QDate(2026, 12, 19));
        QCOMPARE(date, QDate(2026, 12, 19));
        QCOMPARE(field->text(), QStringLiteral("19 Dec 2026"));
        // Escape closes the pop-up the platform's way.
        QTest::keyClick(field->calendar(), Qt::Key_Escape);
        QTRY_VERIFY(!field->isCalendarOpen());
        QCOMPARE(date, QDate(2026, 12, 19));

        // The label does not open it.
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() / 2, 3));
        QVERIFY(!field->isCalendarOpen());
    }

    void dateFieldKeepsAnAbsentDateAbsentUntilPicked()
    {
        CalculatorStore store;
        std::unique_ptr<BrandDateField> field(BrandDateField::bind(
            store, &CalculatorState::employmentStart, [] { return QDate(2026, 7, 1); }, QStringLiteral("Started")));
        QCOMPARE(field->text(), Format::stamp(QDate(2026, 7, 1)));
        QVERIFY(!store.state().employmentStart);
        field->openCalendar();
        QVERIFY(!store.state().employmentStart); // opening writes nothing
        field->calendar()->setSelectedDate(QDate(2026, 8, 3));
        QCOMPARE(store.state().employmentStart->date(), QDate(2026, 8, 3));
        store.edit([](CalculatorState &s) { s.employmentStart = QDateTime(QDate(2025, 1, 2), QTime(9, 30)); });
        QCOMPARE(field->text(), Format::stamp(QDate(2025, 1, 2)));
        field->calendar()->setSelectedDate(QDate(2025, 1, 9));
        QCOMPARE(*store.state().employmentStart, QDateTime(QDate(2025, 1, 9), QTime(9, 30)));
        store.saveNow();
    }

    void cardHeaderOnlyWithTitleOrAccessory_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("accessory");
        QTest::addColumn<bool>("header");
        QTest::newRow("neither") << QString() << false << false;
        QTest::newRow("title") << "Loan" << false << true;
        QTest::newRow("accessory") << QString() << true << true;
    }
    void cardHeaderOnlyWithTitleOrAccessory()
    {
        QFETCH(QString, title);
        QFETCH(bool, accessory);
        QFETCH(bool, header);
        Card card(title, accessory ? new AccentButton(QStringLiteral("Show")) : nullptr);
        auto *content = new FootNote(QStringLiteral("Body"));
        card.addContent(content);
        card.resize(300, card.sizeHint().height());
        card.show();
        QCOMPARE(card.hasHeader(), header);
        // Padded 12; the content sits under the header with 10 between.
        QCOMPARE(content->geometry().left(), 12);
        QVERIFY(header ? content->geometry().top() > 12 + 10 : content->geometry().top() == 12);
        if (accessory) {
            QWidget *button = card.accessory();
            QCOMPARE(button->mapTo(&card, QPoint(button->width(), 0)).x(), 300 - 12);
        }
    }

    void resultRowWrapsItsLabelBesideOneLineValue()
    {
        ResultRow row(QStringLiteral("Interest saved by extra repayments over the whole term"),
                      QStringLiteral("$86,410"));
        const int oneLine = row.heightForWidth(1000);
        QVERIFY(row.heightForWidth(160) > oneLine * 1.5);
        ResultRow emphasised(QStringLiteral("Total"), QStringLiteral("$86,410"), {}, true);
        QVERIFY(emphasised.sizeHint().width() > ResultRow(QStringLiteral("Total"), QStringLiteral("$86,410")).sizeHint().width());
    }

    void heroValueShrinksOnlySoFar()
    {
        HeroValue value(QStringLiteral("$1,234,567.89"), QStringLiteral("/mth"));
        value.resize(value.sizeHint());
        QCOMPARE(value.currentScale(), 1.0);
        value.resize(value.sizeHint().width() * 3 / 4, value.height());
        QVERIFY(value.currentScale() < 1.0 && value.currentScale() > HeroValue::minimumScale);
        value.resize(20, value.height());
        QCOMPARE(value.currentScale(), HeroValue::minimumScale);
    }

    // Every control in both appearances and every theme; written out as PNGs when asked to.
    void gallery()
    {
        const QString folder = qEnvironmentVariable("BROLGA_GALLERY_DIR");
        if (!folder.isEmpty())
            QDir().mkpath(folder);
        CalculatorStore store;
        for (const Theme &theme : Theme::all()) {
            ThemeRuntime::setCurrent(theme);
            for (Appearance appearance : {Appearance::light, Appearance::dark}) {
                Brand::forceAppearance(appearance);
                Gallery gallery(store);
                gallery.resize(400, 1400);
                gallery.show();
                QVERIFY(QTest::qWaitForWindowExposed(&gallery));
                gallery.resize(400, gallery.childrenRect().bottom() + 15);
                gallery.activateWindow();
                QApplication::setActiveWindow(&gallery);
                gallery.focused->lineEdit()->setFocus();
                QTRY_VERIFY(gallery.focused->isEditing());
                for (auto *field : gallery.findChildren<NumericField *>())
                    field->refresh();
                const QImage image = render(gallery);
                QVERIFY(!image.isNull());
                // The canvas shows at the corner.
                QCOMPARE(image.pixelColor(2, 2).rgb(), Brand::canvas().rgb());
                if (!folder.isEmpty()) {
                    const QString name = QStringLiteral("controls-%1-%2.png")
                                             .arg(theme.id, appearance == Appearance::dark ? "dark" : "light");
                    QVERIFY(image.save(QDir(folder).filePath(name)));
                }
            }
        }
        ThemeRuntime::setCurrent(Theme::house());
        Brand::forceAppearance(std::nullopt);
        store.saveNow();
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"

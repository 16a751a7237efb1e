#include "ScreenTest.h"

#include "brand/Brand.h"
#include "core/Format.h"
#include "ui/CapacityView.h"
#include "ui/controls/Card.h"
#include "ui/controls/HeroNote.h"
#include "ui/controls/HeroStat.h"
#include "ui/controls/HeroValue.h"
#include "ui/controls/PillPicker.h"
#include "ui/controls/FootNote.h"

#include <cmath>

using namespace brolga;
using Screen = screentest::Screen<CapacityView>;

class TestCapacityView : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { screentest::isolateSettings(); }

    void noIncomeAsksForOneAndHidesTheDetail()
    {
        Screen s([](CalculatorState &st) { st.grossIncome = 0; });
        QCOMPARE(s.find<HeroValue>("heroValue")->text(), QStringLiteral("$0"));
        QCOMPARE(s.find<HeroNote>("heroNote")->text(), QStringLiteral("Enter a gross annual income."));
        QVERIFY(!s.shows(s.find<HeroStat>("surplusStat")));
        QVERIFY(!s.shows(s.find<Card>("capacityDetail")));
        QVERIFY(s.shows(s.field("grossIncome")));
        QVERIFY(s.shows(s.field("dtiMultiple")));

        // Entering an income brings the detail back.
        s.store.edit([](CalculatorState &st) { st.grossIncome = 140000; });
        QVERIFY(s.shows(s.find<Card>("capacityDetail")));
        QCOMPARE(s.find<HeroValue>("heroValue")->text(), Format::money(s.store.capacity()->maxLoan, 0));
    }

    void shortfallReadsZeroInTheHeroAndRedInTheDetail()
    {
        Screen s([](CalculatorState &st) {
            st.grossIncome = 60000;
            st.monthlyOtherDebts = 5000;
        });
        const auto c = s.store.capacity();
        QVERIFY(c && c->surplus < 0);
        QCOMPARE(s.find<HeroStat>("surplusStat")->value(), QStringLiteral("$0"));
        auto *surplus = s.row("surplusRow");
        QCOMPARE(surplus->value(), Format::money(c->surplus, 0));
        QVERIFY(surplus->value().startsWith('-'));
        QVERIFY(surplus->tint());
        QCOMPARE(surplus->tint()(), Brand::bad());
        QCOMPARE(s.row("debtsRow")->value(), QStringLiteral("$5,000"));
        // Nothing can be borrowed, so there is no repayment to show.
        QCOMPARE(s.row("maxLoanRow")->value(), QStringLiteral("$0"));
        QVERIFY(!s.shows(s.row("repaymentRow")));

        s.store.edit([](CalculatorState &st) { st.monthlyOtherDebts = 0; st.grossIncome = 140000; });
        QVERIFY(s.store.capacity()->surplus > 0);
        QCOMPARE(surplus->tint()(), Brand::good());
        QVERIFY(s.shows(s.row("repaymentRow")));
    }

    // The repayment is on the product rate over 30 years, not the assessment rate or the loan's own term.
    void repaymentUsesTheProductRate()
    {
        Screen s([](CalculatorState &st) {
            st.interestRate = 6.0;
            st.loanTermYears = 25;
            st.assessmentBuffer = 3;
        });
        const double loan = s.store.capacity()->maxLoan;
        const double r = 0.06 / 12;
        const double expected = loan * r / (1 - std::pow(1 + r, -360));
        QCOMPARE(s.row("repaymentRow")->value(), Format::money(expected, 2) + "/mth");
        QCOMPARE(s.find<HeroStat>("rateStat")->value(), QStringLiteral("9.00%"));
    }

    void dtiLabelAndBindingLimit_data()
    {
        QTest::addColumn<double>("multiple");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("note");
        QTest::newRow("4.5") << 4.5 << "DTI limit (4.5x income)" << "Limited by: DTI cap";
        QTest::newRow("6") << 6.0 << "DTI limit (6.0x income)" << "Limited by: DTI cap";
        QTest::newRow("loose cap") << 20.0 << "DTI limit (20.0x income)" << "Limited by: Serviceability";
    }
    void dtiLabelAndBindingLimit()
    {
        QFETCH(double, multiple);
        QFETCH(QString, label);
        QFETCH(QString, note);
        Screen s([&](CalculatorState &st) {
            st.grossIncome = 140000;
            st.dtiMultiple = multiple;
        });
        QCOMPARE(s.row("dtiRow")->label(), label);
        QCOMPARE(s.find<HeroNote>("heroNote")->text(), note);
        const auto c = *s.store.capacity();
        QCOMPARE(s.row("maxLoanRow")->value(), Format::money(std::min(c.serviceabilityLimit, c.dtiLimit), 0));
    }

    void typingKeepsTheFieldWhileFiguresFollow()
    {
        Screen s;
        auto *income = s.field("grossIncome");
        QVERIFY(s.focus(income));
        s.type(income, QStringLiteral("185000"), [&](const QString &typed) {
            QVERIFY(income->lineEdit()->hasFocus());
            QCOMPARE(income->text(), typed);
            QCOMPARE(s.store.state().grossIncome, typed.toDouble());
            const auto c = s.store.capacity();
            QCOMPARE(s.find<HeroValue>("heroValue")->text(), Format::money(c ? c->maxLoan : 0, 0));
        });
        QCOMPARE(s.row("netMonthlyRow")->value(), Format::money(s.store.capacity()->netMonthly, 0));
    }

    void dependantsAreWholeNumbers()
    {
        Screen s;
        auto *dependants = s.field("dependants");
        QVERIFY(s.focus(dependants));
        s.type(dependants, QStringLiteral("2.7"), [](const QString &) {});
        QCOMPARE(s.store.state().dependants, 2);
        QTest::keyClick(dependants->lineEdit(), Qt::Key_Return);
        QCOMPARE(dependants->text(), QStringLiteral("2"));
    }

    void taxYearPickerWritesTheYearAndTheFootnoteNamesIt()
    {
        Screen s;
        auto *picker = s.find<PillPicker>("taxYear");
        const int last = picker->options().size() - 1;
        const QString year = picker->options().at(last).label;
        picker->select(last);
        QCOMPARE(s.store.state().taxYear, year);
        QVERIFY(s.find<FootNote>("detailNote")->text().contains("Tax is the " + year + " resident scale"));
    }
};

QTEST_MAIN(TestCapacityView)
#include "tst_capacityview.moc"

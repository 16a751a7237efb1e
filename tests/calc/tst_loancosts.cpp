#include "calc/CalcTest.h"
#include "calc/ComparisonRate.h"
#include "calc/LoanCosts.h"
#include "core/Format.h"

using namespace brolga;
using namespace calctest;

namespace {
LoanInputs loan(double amount, double rate, double years, PaymentFrequency f = PaymentFrequency::monthly)
{
    return {amount, 0, rate, years, RepaymentType::principalAndInterest, 0, f, 0};
}
} // namespace

class TestLoanCosts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Worked independently: the repayment, the comparison rate, the total with fees and what each dollar costs.
    void workedLoans_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("years");
        QTest::addColumn<LoanFees>("fees");
        QTest::addColumn<QString>("repayment");
        QTest::addColumn<QString>("comparison");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("perDollar");
        const auto row = [](const char *name, double amount, double rate, double years, LoanFees fees,
                            const char *repayment, const char *comparison, const char *total, const char *perDollar) {
            QTest::newRow(name) << amount << rate << years << fees << repayment << comparison << total << perDollar;
        };
        row("no fees", 150000, 6, 25, {}, "$966.45", "6.00%", "$289,935.63", "$1.93");
        row("600 and $10 a month", 150000, 6, 25, {600, 10, FeePeriod::monthly, 0}, "$966.45", "6.15%", "$293,535.63",
            "$1.96");
        // The yearly fee falls at the end of each year: at its start the rate would be 6.37%.
        row("$395 a year", 150000, 6, 25, {0, 395, FeePeriod::yearly, 0}, "$966.45", "6.35%", "$299,810.63", "$2.00");
        row("all three", 650000, 6.09, 30, {600, 395, FeePeriod::yearly, 350}, "$3,934.77", "6.18%", "$1,429,316.68",
            "$2.20");
    }
    void workedLoans()
    {
        QFETCH(double, amount);
        QFETCH(double, rate);
        QFETCH(double, years);
        QFETCH(LoanFees, fees);
        const LoanInputs in = loan(amount, rate, years);
        const LoanScenario s = *LoanScenario::make(in);
        const LoanCosts c = LoanCosts::make(in, fees, s);
        QTEST(Format::money(s.payment, 2), "repayment");
        QTEST(Format::percent(*c.comparisonRate, 2), "comparison");
        QTEST(Format::money(c.totalPayable, 2), "total");
        QTEST(Format::money(c.perDollar, 2), "perDollar");
    }

    // Weekly and fortnightly count 52.18 and 26.09 repayments a year; a monthly fee on weekly repayments falls
    // between them. Without fees every loan compares at its own rate.
    void frequenciesAndTypes_data()
    {
        QTest::addColumn<LoanInputs>("in");
        QTest::addColumn<LoanFees>("fees");
        QTest::addColumn<double>("percent");
        const LoanFees all{600, 395, FeePeriod::yearly, 350};
        LoanInputs io = loan(650000, 6.09, 30);
        io.type = RepaymentType::interestOnly;
        io.ioYears = 5;
        LoanInputs ioToTheEnd = io;
        ioToTheEnd.termYears = 10;
        ioToTheEnd.ioYears = 15;
        LoanInputs weeklyWithOffset = loan(650000, 6.09, 30, PaymentFrequency::weekly);
        weeklyWithOffset.offset = 100000;
        weeklyWithOffset.extraRepayment = 200;
        QTest::newRow("weekly") << loan(650000, 6.09, 30, PaymentFrequency::weekly)
                                << LoanFees{600, 10, FeePeriod::monthly, 350} << 6.1233918951;
        QTest::newRow("fortnightly") << loan(650000, 6.09, 30, PaymentFrequency::fortnightly) << all << 6.1758941689;
        QTest::newRow("interest only 5 years") << io << all << 6.1710131195;
        QTest::newRow("interest only to the end")
            << ioToTheEnd << LoanFees{600, 0, FeePeriod::monthly, 0} << 6.1023546683;
        QTest::newRow("weekly, no fees, offset and extra") << weeklyWithOffset << LoanFees{} << 6.09;
        QTest::newRow("interest only, no fees") << io << LoanFees{} << 6.09;
        QTest::newRow("no interest, no fees") << loan(650000, 0, 30) << LoanFees{} << 0.0;
        QTest::newRow("fees that are not numbers")
            << loan(650000, 6.09, 30) << LoanFees{notANumber, -50, FeePeriod::monthly, -inf} << 6.09;
    }
    void frequenciesAndTypes()
    {
        QFETCH(LoanInputs, in);
        QFETCH(LoanFees, fees);
        QFETCH(double, percent);
        QCOMPARE_NEAR(*ComparisonRate::percent(in, fees), percent, 1e-8);
    }

    void benchmarkRisesAndLimits()
    {
        const LoanInputs in = loan(650000, 6.09, 30);
        const LoanCosts c = LoanCosts::make(in, {600, 395, FeePeriod::yearly, 350}, *LoanScenario::make(in));
        QCOMPARE_NEAR(*c.benchmarkRate, 6.4826445382, 1e-8);
        QCOMPARE_CENTS(c.paymentIfRise1, 4363.83);
        QCOMPARE_CENTS(c.paymentIfRise2, 4810.31);
        // Fees run while the loan does: an offset that clears it in 166 months pays 166 monthly fees.
        LoanInputs covered = in;
        covered.offset = 650000;
        const LoanScenario early = *LoanScenario::make(covered);
        QCOMPARE_CENTS(LoanCosts::make(covered, {0, 10, FeePeriod::monthly, 0}, early).totalPayable,
                       early.totalPayable + 1660);
        // An establishment fee that takes the whole amount leaves nothing to compare.
        QVERIFY(!ComparisonRate::percent(in, {650000, 0, FeePeriod::monthly, 0}));
    }
};

Q_DECLARE_METATYPE(brolga::LoanFees)
Q_DECLARE_METATYPE(brolga::LoanInputs)

QTEST_APPLESS_MAIN(TestLoanCosts)
#include "tst_loancosts.moc"

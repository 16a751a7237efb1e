#include "calc/CalcTest.h"
#include "calc/LoanCosts.h"
#include "calc/SplitLoan.h"

using namespace brolga;
using namespace calctest;

namespace {
LoanInputs defaults()
{
    return {650000, 0, 6.09, 30, RepaymentType::principalAndInterest, 5, PaymentFrequency::monthly, 0};
}
} // namespace

class TestSplitLoan : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // $650,000 at 6.09% over 30 years with part fixed at 5.79% for 3 years, worked independently.
    void portions_data()
    {
        QTest::addColumn<double>("fixedAmount");
        QTest::addColumn<double>("fixedPayment");
        QTest::addColumn<double>("variablePayment");
        QTest::addColumn<int>("revertYear");
        QTest::addColumn<double>("paymentThen");
        QTest::newRow("none fixed") << 0.0 << 0.0 << 3934.77 << 0 << 0.0;
        QTest::newRow("40% fixed") << 260000.0 << 1523.90 << 2360.86 << 4 << 3931.35;
        QTest::newRow("all fixed") << 650000.0 << 3809.76 << 0.0 << 4 << 3926.22;
        QTest::newRow("more than the loan") << 1e9 << 3809.76 << 0.0 << 4 << 3926.22;
    }
    void portions()
    {
        QFETCH(double, fixedAmount);
        const SplitLoan s = *SplitLoan::make(defaults(), {fixedAmount, 5.79, 3});
        QTEST_CENTS(s.fixedPayment, "fixedPayment");
        QTEST_CENTS(s.variablePayment, "variablePayment");
        QCOMPARE_CENTS(s.whole.payment, s.fixedPayment + s.variablePayment);
        QTEST(s.revertYear, "revertYear");
        QTEST_CENTS(s.paymentThen, "paymentThen");
        QCOMPARE(s.whole.schedule.size(), std::size_t(360));
        QVERIFY(s.whole.schedule.back().balance <= 0.02);
        QCOMPARE_NEAR(s.whole.schedule.front().balance + s.whole.schedule.front().principal, 650000, 1e-6);
    }

    void wholeLoanTotals()
    {
        const SplitLoan s = *SplitLoan::make(defaults(), {260000, 5.79, 3});
        QCOMPARE_CENTS(s.whole.totalInterest, 763608.50);
        // No portion fixed is the loan as it always was.
        const SplitLoan none = *SplitLoan::make(defaults(), {0, 5.79, 3});
        QCOMPARE(none.whole.schedule, LoanScenario::make(defaults())->schedule);
        // Fixed at the loan's own rate, the split changes nothing but rounding.
        QCOMPARE_CENTS(SplitLoan::make(defaults(), {260000, 6.09, 3})->whole.totalInterest,
                       LoanScenario::make(defaults())->totalInterest);
    }

    // The offset and extra repayments go to the variable portion only: the fixed portion runs its full term.
    void offsetAndExtraGoToTheVariablePortion()
    {
        LoanInputs in = defaults();
        in.offset = 390000;
        in.extraRepayment = 500;
        const SplitLoan s = *SplitLoan::make(in, {260000, 5.79, 3});
        QCOMPARE_CENTS(s.fixedPayment, 1523.90);
        QCOMPARE(s.whole.schedule.size(), std::size_t(360));
        QCOMPARE_CENTS(s.whole.firstInterest, 260000 * 5.79 / 1200);
    }

    // The comparison rate reads both portions' repayments; a rate rise moves the variable portion only.
    void costsOfASplitLoan()
    {
        const LoanInputs in = defaults();
        const FixedPortion fixed{260000, 5.79, 3};
        const LoanCosts c = LoanCosts::make(in, {600, 0, FeePeriod::monthly, 350}, SplitLoan::make(in, fixed)->whole,
                                            SplitLoan::schedule(fixed, 650000));
        QCOMPARE_NEAR(*c.comparisonRate, 6.06927904, 1e-6);
        QCOMPARE_CENTS(c.paymentIfRise1, 4142.20);
        QCOMPARE_NEAR(*ComparisonRate::percent(in, {}, SplitLoan::schedule(fixed, 650000)), 6.05983190, 1e-6);
    }

    // Interest-only covers both portions, each at the rate it has; after it the loan amortises as a whole.
    void interestOnlyAndFixed()
    {
        LoanInputs in = defaults();
        in.type = RepaymentType::interestOnly;
        const SplitLoan s = *SplitLoan::make(in, {260000, 5.79, 3});
        QCOMPARE_CENTS(s.whole.payment, 3233.75);
        QCOMPARE(s.revertYear, 4);
        QCOMPARE_CENTS(s.paymentThen, 3298.75);
        QCOMPARE_CENTS(s.whole.paymentAfterIO, 4223.79);
        QVERIFY(!SplitLoan::make({0, 0, 6.09, 30, RepaymentType::principalAndInterest, 0, PaymentFrequency::monthly, 0},
                                 {260000, 5.79, 3}));
    }
};

QTEST_APPLESS_MAIN(TestSplitLoan)
#include "tst_splitloan.moc"

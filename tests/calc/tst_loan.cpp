#include "calc/CalcTest.h"
#include "calc/LoanScenario.h"
#include "core/Format.h"

using namespace brolga;
using namespace calctest;

namespace {
LoanInputs defaults()
{
    return {650000, 0, 6.09, 30, RepaymentType::principalAndInterest, 5, PaymentFrequency::monthly, 0};
}

LoanScenario make(const LoanInputs &in)
{
    auto s = LoanScenario::make(in);
    if (!s)
        qFatal("expected a scenario");
    return *s;
}

double principalPaid(const LoanScenario &s)
{
    double sum = 0;
    for (const auto &row : s.schedule)
        sum += row.principal;
    return sum;
}
} // namespace

class TestLoan : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaultLoan()
    {
        const LoanScenario s = make(defaults());
        QCOMPARE(Format::money(s.payment, 2), QStringLiteral("$3,934.77"));
        QCOMPARE(s.contractedPeriods, 360);
        QCOMPARE(s.schedule.size(), std::size_t(360));
        QCOMPARE(s.periodsToClear, 360);
        QVERIFY(s.schedule.back().balance <= 0.01);
        QCOMPARE_NEAR(principalPaid(s), 650000, 0.01);
        QCOMPARE_CENTS(s.paymentAs(PaymentFrequency::weekly), 907.40);
    }

    // Published numpy-financial figures: pmt(0.08/12, 60, 15000) and pmt(0.075/12, 15*12, 200000); and no
    // interest at all.
    void annuity_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("years");
        QTest::addColumn<double>("payment");
        QTest::newRow("15k 8% 5y") << 15000.0 << 8.0 << 5.0 << 304.145914;
        QTest::newRow("200k 7.5% 15y") << 200000.0 << 7.5 << 15.0 << 1854.0247200054619;
        QTest::newRow("0% is a straight line") << 650000.0 << 0.0 << 30.0 << 650000.0 / 360;
    }
    void annuity()
    {
        QFETCH(double, amount);
        QFETCH(double, rate);
        QFETCH(double, years);
        QFETCH(double, payment);
        LoanInputs in = defaults();
        in.loanAmount = amount;
        in.annualRatePercent = rate;
        in.termYears = years;
        const LoanScenario s = make(in);
        QCOMPARE_NEAR(s.payment, payment, 1e-6);
        QCOMPARE_NEAR(principalPaid(s), amount, 0.01);
        QCOMPARE_NEAR(s.totalInterest, payment * years * 12 - amount, 0.05);
        QVERIFY(s.schedule.back().balance <= 0.01);
    }

    void noLoan()
    {
        const struct {
            double amount, term;
        } cases[] = {{0, 30}, {-1, 30}, {notANumber, 30}, {inf, 30}, {650000, 0.02}, {650000, -3}, {650000, notANumber}};
        for (const auto &c : cases) {
            LoanInputs in = defaults();
            in.loanAmount = c.amount;
            in.termYears = c.term;
            QVERIFY2(!LoanScenario::make(in), qPrintable(QString::number(c.amount) + ' ' + QString::number(c.term)));
        }
    }

    void termAndRateAreClamped()
    {
        LoanInputs in = defaults();
        in.termYears = 80;
        in.annualRatePercent = 250;
        const LoanScenario s = make(in);
        QCOMPARE(s.contractedPeriods, 600);
        QCOMPARE(s.termYears, 50.0);
        QCOMPARE(s.annualRatePercent, 100.0);
        in = defaults();
        in.termYears = 50;
        in.frequency = PaymentFrequency::weekly;
        QCOMPARE(make(in).schedule.size(), std::size_t(2600));
    }

    void offsetAndExtraClearTheLoanEarly()
    {
        const LoanScenario base = make(defaults());
        LoanInputs in = defaults();
        in.offset = 650000;
        const LoanScenario covered = make(in);
        QCOMPARE(covered.totalInterest, 0.0);
        QCOMPARE(covered.periodsToClear, 166);
        QCOMPARE(covered.schedule.size(), std::size_t(166));
        QCOMPARE_NEAR(principalPaid(covered), 650000, 0.01);
        // A partial offset lowers interest but not the repayment.
        in.offset = 100000;
        const LoanScenario partial = make(in);
        QCOMPARE(partial.payment, base.payment);
        QVERIFY(partial.periodsToClear < 360);

        in = defaults();
        in.extraRepayment = 500;
        const LoanScenario extra = make(in);
        QVERIFY(extra.periodsToClear < 360 && extra.totalInterest < base.totalInterest);
        QCOMPARE_CENTS(extra.firstPrincipal, 500 + base.firstPrincipal);
        QCOMPARE_NEAR(principalPaid(extra), 650000, 0.01);
        // Each period's extra is the 500 beyond the scheduled repayment; the last period pays the scheduled
        // repayment first and only what is left beyond it counts as extra.
        for (std::size_t i = 0; i + 1 < extra.schedule.size(); ++i)
            QVERIFY2(extra.schedule[i].extra == 500, qPrintable(QString::number(i)));
        const AmortisationRow &last = extra.schedule.back();
        QCOMPARE_NEAR(last.extra, std::max(0.0, last.principal - (extra.payment - last.interest)), 1e-9);
        QVERIFY(last.extra < 500);
        for (const auto &row : make(defaults()).schedule)
            QCOMPARE(row.extra, 0.0);
        // Negative extras and offsets count as none.
        in.extraRepayment = -500;
        in.offset = -1000;
        const LoanScenario negatives = make(in);
        QCOMPARE(negatives.totalInterest, base.totalInterest);
        QCOMPARE(negatives.offset, 0.0);
    }

    void interestOnly()
    {
        LoanInputs in = defaults();
        in.type = RepaymentType::interestOnly;
        in.ioYears = 5;
        const LoanScenario s = make(in);
        QCOMPARE_CENTS(s.payment, 3298.75);
        QCOMPARE_CENTS(s.paymentAfterIO, 4223.79); // 300 periods left
        QCOMPARE(s.firstPrincipal, 0.0);
        for (int i = 0; i < 60; ++i)
            QVERIFY(s.schedule[i].principal == 0 && std::abs(s.schedule[i].interest - 3298.75) < 0.005);
        QVERIFY(s.schedule[60].principal > 0);
        QCOMPARE(s.periodsToClear, 360);
        QVERIFY(s.schedule.back().balance <= 0.01);
        in.offset = 50000; // restated on the balance less the offset
        QCOMPARE_CENTS(make(in).paymentAs(PaymentFrequency::fortnightly), 1405.38);

        in.offset = 0;
        in.ioYears = 30; // for the whole term: nothing is ever repaid
        const LoanScenario whole = make(in);
        QCOMPARE(whole.paymentAfterIO, 0.0);
        QCOMPARE(whole.periodsToClear, 360);
        QCOMPARE(whole.schedule.back().balance, 650000.0);

        in.ioYears = 0; // no period at all: principal and interest from the start
        const LoanScenario none = make(in);
        QCOMPARE(none.paymentAfterIO, make(defaults()).payment);
        QVERIFY(none.schedule.front().principal > 0);
    }

    // Whatever the inputs, the schedule is bounded by its contracted periods and the balance never grows.
    void hostileInputs()
    {
        const double values[] = {notANumber, inf, -inf, -1e308, 1e308, 0, 1e-300, 5};
        for (double a : values)
            for (double b : values)
                for (auto type : {RepaymentType::principalAndInterest, RepaymentType::interestOnly}) {
                    LoanInputs in{1e308, a, b, 30, type, a, PaymentFrequency::weekly, b};
                    if (auto s = LoanScenario::make(in)) {
                        QVERIFY(int(s->schedule.size()) <= s->contractedPeriods);
                        QCOMPARE(s->periodsToClear, int(s->schedule.size()));
                        for (const auto &row : s->schedule)
                            QVERIFY(row.principal >= 0 && row.interest >= 0);
                    }
                    in.loanAmount = 650000;
                    in.termYears = a;
                    if (auto s = LoanScenario::make(in))
                        QVERIFY(int(s->schedule.size()) <= s->contractedPeriods);
                }
    }
};

QTEST_GUILESS_MAIN(TestLoan)
#include "tst_loan.moc"

#include "calc/LoanScenario.h"
#include "core/Format.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace brolga;

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
        QCOMPARE(s.firstInterest, 650000 * 0.0050750);
        QCOMPARE(s.contractedPeriods, 360);
        QCOMPARE(s.schedule.size(), std::size_t(360));
        QCOMPARE(s.periodsToClear, 360);
        QVERIFY(s.schedule.back().balance <= 0.01);
        QVERIFY(std::abs(principalPaid(s) - 650000) <= 0.01);
        QVERIFY(std::abs(s.totalPayable - (650000 + s.totalInterest)) < 1e-6);
        QCOMPARE(s.firstPrincipal, s.payment - s.firstInterest);
        QCOMPARE(s.schedule.front().period, 1);
    }

    // Published numpy-financial figures: pmt(0.08/12, 60, 15000) and pmt(0.075/12, 15*12, 200000).
    void annuityAgainstReference_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("years");
        QTest::addColumn<double>("payment");
        QTest::newRow("15k 8% 5y") << 15000.0 << 8.0 << 5.0 << 304.145914;
        QTest::newRow("200k 7.5% 15y") << 200000.0 << 7.5 << 15.0 << 1854.0247200054619;
    }
    void annuityAgainstReference()
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
        QVERIFY2(std::abs(s.payment - payment) < 1e-6, qPrintable(QString::number(s.payment, 'f', 8)));
        QVERIFY(std::abs(principalPaid(s) - amount) <= 0.01);
    }

    void zeroRateIsStraightLine()
    {
        LoanInputs in = defaults();
        in.annualRatePercent = 0;
        const LoanScenario s = make(in);
        QCOMPARE(Format::money(s.payment, 2), QStringLiteral("$1,805.56"));
        QCOMPARE(s.totalInterest, 0.0);
        QCOMPARE(s.totalPayable, 650000.0);
        QCOMPARE(s.periodsToClear, 360);
    }

    void noLoan_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("term");
        QTest::newRow("zero amount") << 0.0 << 30.0;
        QTest::newRow("negative amount") << -1.0 << 30.0;
        QTest::newRow("nan amount") << std::numeric_limits<double>::quiet_NaN() << 30.0;
        QTest::newRow("infinite amount") << std::numeric_limits<double>::infinity() << 30.0;
        QTest::newRow("term rounds to nothing") << 650000.0 << 0.02;
        QTest::newRow("negative term") << 650000.0 << -3.0;
        QTest::newRow("nan term") << 650000.0 << std::numeric_limits<double>::quiet_NaN();
    }
    void noLoan()
    {
        QFETCH(double, amount);
        QFETCH(double, term);
        LoanInputs in = defaults();
        in.loanAmount = amount;
        in.termYears = term;
        QVERIFY(!LoanScenario::make(in).has_value());
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

    void offsetCoversTheLoan()
    {
        LoanInputs in = defaults();
        in.offset = 650000;
        const LoanScenario s = make(in);
        QCOMPARE(s.totalInterest, 0.0);
        QCOMPARE(s.firstInterest, 0.0);
        QCOMPARE(s.periodsToClear, 166);
        QCOMPARE(s.schedule.size(), std::size_t(166));
        QVERIFY(std::abs(principalPaid(s) - 650000) <= 0.01);

        // A partial offset lowers interest but not the repayment, so the loan clears early.
        in.offset = 100000;
        const LoanScenario partial = make(in);
        QCOMPARE(partial.payment, make(defaults()).payment);
        QVERIFY(partial.periodsToClear < 360);
    }

    void interestOnlyPeriod()
    {
        LoanInputs in = defaults();
        in.type = RepaymentType::interestOnly;
        in.ioYears = 5;
        const LoanScenario s = make(in);
        const double r = 6.09 / 100 / 12;
        QCOMPARE(s.payment, 650000 * r);
        QCOMPARE(s.paymentAfterIO, LoanScenario::annuity(650000, r, 300));
        QCOMPARE(s.firstPrincipal, 0.0);
        for (int i = 0; i < 60; ++i) {
            QCOMPARE(s.schedule[i].principal, 0.0);
            QCOMPARE(s.schedule[i].interest, 650000 * r);
        }
        QVERIFY(s.schedule[60].principal > 0);
        QCOMPARE(s.periodsToClear, 360);
        QVERIFY(s.schedule.back().balance <= 0.01);
    }

    void interestOnlyForTheWholeTerm()
    {
        LoanInputs in = defaults();
        in.type = RepaymentType::interestOnly;
        in.ioYears = 30;
        const LoanScenario s = make(in);
        QCOMPARE(s.paymentAfterIO, 0.0);
        QCOMPARE(s.periodsToClear, 360);
        QCOMPARE(s.schedule.back().balance, 650000.0);

        in.ioYears = 0;
        const LoanScenario none = make(in);
        QCOMPARE(none.payment, none.firstInterest);
        QCOMPARE(none.paymentAfterIO, make(defaults()).payment);
        QVERIFY(none.schedule.front().principal > 0);
    }

    void extraRepayment()
    {
        LoanInputs in = defaults();
        in.extraRepayment = 500;
        const LoanScenario s = make(in);
        const LoanScenario base = make(defaults());
        QVERIFY(s.periodsToClear < 360);
        QVERIFY(base.totalInterest - s.totalInterest > 0);
        QCOMPARE(s.firstPrincipal, 500 + s.payment - s.firstInterest);
        QVERIFY(std::abs(principalPaid(s) - 650000) <= 0.01);

        in.extraRepayment = -500;
        in.offset = -1000;
        const LoanScenario clampedNegatives = make(in);
        QCOMPARE(clampedNegatives.totalInterest, base.totalInterest);
        QCOMPARE(clampedNegatives.offset, 0.0);
    }

    void restatedAtAnotherFrequency()
    {
        const LoanScenario s = make(defaults());
        QCOMPARE(s.paymentAs(PaymentFrequency::monthly), s.payment);
        QCOMPARE(s.paymentAs(PaymentFrequency::weekly), LoanScenario::annuity(650000, 6.09 / 100 / 52, 1560));

        LoanInputs in = defaults();
        in.type = RepaymentType::interestOnly;
        in.offset = 50000;
        const LoanScenario io = make(in);
        QCOMPARE(io.paymentAs(PaymentFrequency::fortnightly), 600000 * 6.09 / 100 / 26);
    }

    // Whatever the inputs, the schedule is bounded by its contracted periods and the balance never grows.
    void hostileInputs()
    {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        const double values[] = {nan, inf, -inf, -1e308, 1e308, 0, 1e-300, 5};
        for (double a : values)
            for (double b : values) {
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
    }
};

QTEST_GUILESS_MAIN(TestLoan)
#include "tst_loan.moc"

#include "calc/CalcTest.h"
#include "calc/Serviceability.h"

using namespace brolga;
using namespace calctest;

namespace {
CalculatorState household(ApplicantType type, double gross, int dependants, double debts)
{
    CalculatorState s; // defaults: 6.09 % + 3.0 buffer, DTI 6, "2026-27"
    s.applicantType = type;
    s.grossIncome = gross;
    s.dependants = dependants;
    s.monthlyOtherDebts = debts;
    return s;
}
} // namespace

class TestCapacity : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void workedFigures_data()
    {
        QTest::addColumn<CalculatorState>("state");
        for (const char *c : {"net", "living", "surplus", "serviceability", "dti", "maxLoan"})
            QTest::addColumn<double>(c);
        QTest::addColumn<bool>("serviceabilityBinds");
        const auto single = ApplicantType::single, couple = ApplicantType::couple;
        QTest::newRow("single 140k, DTI binds") << household(single, 140000, 0, 0) << 8694.17 << 1675.0 << 7019.17
                                                << 865381.28 << 840000.0 << 840000.0 << false;
        QTest::newRow("couple 140k, 2 kids, 500 debts") << household(couple, 140000, 2, 500) << 8694.17 << 3675.0
                                                        << 4519.17 << 557160.48 << 804000.0 << 557160.48 << true;
        QTest::newRow("single 30k") << household(single, 30000, 0, 0) << 2302.50 << 1600.0 << 702.50 << 86610.05
                                    << 180000.0 << 86610.05 << true;
        QTest::newRow("50k exactly: no loading") << household(single, 50000, 0, 0) << 3623.33 << 1600.0 << 2023.33
                                                 << 249453.37 << 300000.0 << 249453.37 << true;
        QTest::newRow("negative debts count as none") << household(single, 140000, 0, -500) << 8694.17 << 1675.0
                                                      << 7019.17 << 865381.28 << 840000.0 << 840000.0 << false;
        QTest::newRow("negative dependants count as none")
            << household(couple, 30000, -3, 0) << 2302.50 << 2800.0 << -497.50 << 0.0 << 180000.0 << 0.0 << true;
    }
    void workedFigures()
    {
        QFETCH(CalculatorState, state);
        const auto r = Serviceability::capacity(state);
        QVERIFY(r.has_value());
        QTEST_CENTS(r->netMonthly, "net");
        QTEST_CENTS(r->livingExpenses, "living");
        QTEST_CENTS(r->surplus, "surplus");
        QTEST_CENTS(r->serviceabilityLimit, "serviceability");
        QTEST_CENTS(r->dtiLimit, "dti");
        QTEST_CENTS(r->maxLoan, "maxLoan");
        QTEST(r->serviceabilityBinds(), "serviceabilityBinds");
        QCOMPARE_NEAR(r->assessmentRate, 9.09, 1e-9);
    }

    void edges()
    {
        for (double gross : {0.0, -1.0, notANumber, -inf}) {
            CalculatorState s;
            s.grossIncome = gross;
            QVERIFY(!Serviceability::capacity(s).has_value());
        }
        // No surplus, or no positive assessment rate, services nothing: the loan is 0 and serviceability binds.
        auto zeroRate = household(ApplicantType::single, 500000, 0, 0);
        zeroRate.interestRate = zeroRate.assessmentBuffer = 0;
        for (const auto &s : {zeroRate, household(ApplicantType::single, 140000, 0, 9000)}) {
            const auto r = Serviceability::capacity(s);
            QCOMPARE(r->serviceabilityLimit, 0.0);
            QCOMPARE(r->maxLoan, 0.0);
            QVERIFY(r->dtiLimit > 0 && r->serviceabilityBinds());
        }
        // A tie counts as serviceability.
        QVERIFY((CapacityResult{500000, 500000, 500000, 0, 0, 0, 0}.serviceabilityBinds()));
        QVERIFY(!(CapacityResult{499999, 499999, 500000, 0, 0, 0, 0}.serviceabilityBinds()));
        // Lenders assess over 30 years whatever term the Repayment tab holds.
        auto s = household(ApplicantType::single, 140000, 0, 0);
        const auto a = Serviceability::capacity(s);
        s.loanTermYears = 10;
        QCOMPARE(Serviceability::capacity(s), a);
    }

    void serviceabilityLimitIsStableAtExtremeRates()
    {
        QCOMPARE_NEAR(Serviceability::serviceabilityLimit(1000, 1e-12), 360000, 1e-3);
        const double huge = Serviceability::serviceabilityLimit(1000, 1e9);
        QVERIFY(std::isfinite(huge) && huge > 0 && huge < 1);
        QCOMPARE(Serviceability::serviceabilityLimit(1000, -5), 0.0);
        QCOMPARE(Serviceability::serviceabilityLimit(1000, notANumber), 0.0);
    }

    // A hand-edited record can carry anything; the result is absent or finite, never garbage or UB.
    void wildFieldsStayFinite()
    {
        using Field = double CalculatorState::*;
        for (Field f : {&CalculatorState::grossIncome, &CalculatorState::monthlyOtherDebts,
                        &CalculatorState::interestRate, &CalculatorState::assessmentBuffer,
                        &CalculatorState::dtiMultiple})
            for (double v : {inf, -inf, notANumber, 1e308, -1e308, 1e-308})
                for (int dependants : {0, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}) {
                    CalculatorState s;
                    s.*f = v;
                    s.dependants = dependants;
                    if (const auto r = Serviceability::capacity(s)) {
                        for (double x : {r->maxLoan, r->dtiLimit, r->serviceabilityLimit, r->netMonthly,
                                         r->livingExpenses, r->surplus, r->assessmentRate})
                            QVERIFY(std::isfinite(x));
                        QVERIFY(r->maxLoan >= 0);
                    }
                }
    }
};

QTEST_GUILESS_MAIN(TestCapacity)
#include "tst_capacity.moc"

#include "calc/Serviceability.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace brolga;

namespace {
bool near(double a, double b, double tol = 0.005)
{
    return std::abs(a - b) < tol;
}

CalculatorState household(ApplicantType type, double gross, int dependants, double debts)
{
    CalculatorState s;
    s.applicantType = type;
    s.grossIncome = gross;
    s.dependants = dependants;
    s.monthlyOtherDebts = debts;
    return s; // defaults: 6.09 % + 3.0 buffer, DTI 6, "2026-27"
}
} // namespace

class TestCapacity : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void workedFigures_data()
    {
        QTest::addColumn<CalculatorState>("state");
        QTest::addColumn<double>("net");
        QTest::addColumn<double>("living");
        QTest::addColumn<double>("surplus");
        QTest::addColumn<double>("serviceability");
        QTest::addColumn<double>("dti");
        QTest::addColumn<double>("maxLoan");
        QTest::addColumn<bool>("serviceabilityBinds");
        QTest::newRow("single 140k, DTI binds") << household(ApplicantType::single, 140000, 0, 0) << 8694.17 << 1675.0
                                                << 7019.17 << 865381.28 << 840000.0 << 840000.0 << false;
        QTest::newRow("couple 140k, 2 kids, 500 debts")
            << household(ApplicantType::couple, 140000, 2, 500) << 8694.17 << 3675.0 << 4519.17 << 557160.48 << 804000.0
            << 557160.48 << true;
        QTest::newRow("single 30k") << household(ApplicantType::single, 30000, 0, 0) << 2302.50 << 1600.0 << 702.50
                                    << 86610.05 << 180000.0 << 86610.05 << true;
        QTest::newRow("50k exactly: no loading") << household(ApplicantType::single, 50000, 0, 0) << 3623.33 << 1600.0
                                                 << 2023.33 << 249453.37 << 300000.0 << 249453.37 << true;
        QTest::newRow("negative debts count as none")
            << household(ApplicantType::single, 140000, 0, -500) << 8694.17 << 1675.0 << 7019.17 << 865381.28
            << 840000.0 << 840000.0 << false;
        QTest::newRow("negative dependants count as none") << household(ApplicantType::couple, 30000, -3, 0) << 2302.50
                                                           << 2800.0 << -497.50 << 0.0 << 180000.0 << 0.0 << true;
    }
    void workedFigures()
    {
        QFETCH(CalculatorState, state);
        const auto r = Serviceability::capacity(state);
        QVERIFY(r.has_value());
        QFETCH(double, net);
        QFETCH(double, living);
        QFETCH(double, surplus);
        QFETCH(double, serviceability);
        QFETCH(double, dti);
        QFETCH(double, maxLoan);
        QFETCH(bool, serviceabilityBinds);
        QVERIFY2(near(r->netMonthly, net), qPrintable(QString::number(r->netMonthly, 'f', 4)));
        QVERIFY2(near(r->livingExpenses, living), qPrintable(QString::number(r->livingExpenses, 'f', 4)));
        QVERIFY2(near(r->surplus, surplus), qPrintable(QString::number(r->surplus, 'f', 4)));
        QVERIFY2(near(r->serviceabilityLimit, serviceability),
                 qPrintable(QString::number(r->serviceabilityLimit, 'f', 4)));
        QVERIFY(near(r->dtiLimit, dti));
        QVERIFY(near(r->maxLoan, maxLoan));
        QCOMPARE(r->serviceabilityBinds(), serviceabilityBinds);
        QVERIFY(near(r->assessmentRate, 9.09, 1e-9));
    }

    void noIncomeIsAbsent_data()
    {
        QTest::addColumn<double>("gross");
        QTest::newRow("zero") << 0.0;
        QTest::newRow("negative") << -1.0;
        QTest::newRow("NaN") << std::nan("");
        QTest::newRow("-inf") << -std::numeric_limits<double>::infinity();
    }
    void noIncomeIsAbsent()
    {
        QFETCH(double, gross);
        CalculatorState s;
        s.grossIncome = gross;
        QVERIFY(!Serviceability::capacity(s).has_value());
    }

    // No surplus, or no positive assessment rate, services nothing: the loan is 0 and serviceability binds.
    void nothingServiced_data()
    {
        QTest::addColumn<CalculatorState>("state");
        auto zeroRate = household(ApplicantType::single, 500000, 0, 0);
        zeroRate.interestRate = zeroRate.assessmentBuffer = 0;
        QTest::newRow("zero assessment rate") << zeroRate;
        QTest::newRow("commitments exceed income") << household(ApplicantType::single, 140000, 0, 9000);
    }
    void nothingServiced()
    {
        QFETCH(CalculatorState, state);
        const auto r = Serviceability::capacity(state);
        const double commitments = std::max(state.monthlyOtherDebts, 0.0);
        QVERIFY(near(r->surplus, r->netMonthly - r->livingExpenses - commitments, 1e-9));
        QCOMPARE(r->serviceabilityLimit, 0.0);
        QCOMPARE(r->maxLoan, 0.0);
        QVERIFY(r->dtiLimit > 0);
        QVERIFY(r->serviceabilityBinds());
    }

    void tieCountsAsServiceability()
    {
        QVERIFY((CapacityResult{500000, 500000, 500000, 0, 0, 0, 0}.serviceabilityBinds()));
        QVERIFY(!(CapacityResult{499999, 499999, 500000, 0, 0, 0, 0}.serviceabilityBinds()));
    }

    // Lenders assess over 30 years whatever term the Repayment tab holds.
    void termIsAlwaysThirtyYears()
    {
        auto s = household(ApplicantType::single, 140000, 0, 0);
        const auto a = Serviceability::capacity(s);
        s.loanTermYears = 10;
        QCOMPARE(Serviceability::capacity(s), a);
    }

    void serviceabilityLimitIsStableAtExtremeRates()
    {
        QVERIFY(near(Serviceability::serviceabilityLimit(1000, 1e-12), 360000, 1e-3));
        const double huge = Serviceability::serviceabilityLimit(1000, 1e9);
        QVERIFY(std::isfinite(huge) && huge > 0 && huge < 1);
        QCOMPARE(Serviceability::serviceabilityLimit(1000, -5), 0.0);
        QCOMPARE(Serviceability::serviceabilityLimit(1000, std::nan("")), 0.0);
    }

    // A hand-edited record can carry anything; the result is absent or finite, never garbage or UB.
    void wildFieldsStayFinite()
    {
        using Field = double CalculatorState::*;
        const Field fields[] = {&CalculatorState::grossIncome, &CalculatorState::monthlyOtherDebts,
                                &CalculatorState::interestRate, &CalculatorState::assessmentBuffer,
                                &CalculatorState::dtiMultiple};
        const double inf = std::numeric_limits<double>::infinity();
        for (Field f : fields) {
            for (double v : {inf, -inf, std::nan(""), 1e308, -1e308, 1e-308}) {
                for (int dependants : {0, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}) {
                    CalculatorState s;
                    s.*f = v;
                    s.dependants = dependants;
                    const auto r = Serviceability::capacity(s);
                    if (!r)
                        continue;
                    for (double x : {r->maxLoan, r->dtiLimit, r->serviceabilityLimit, r->netMonthly, r->livingExpenses,
                                     r->surplus, r->assessmentRate})
                        QVERIFY(std::isfinite(x));
                    QVERIFY(r->maxLoan >= 0);
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestCapacity)
#include "tst_capacity.moc"

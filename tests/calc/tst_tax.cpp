#include "calc/CalcTest.h"
#include "calc/Serviceability.h"
#include "calc/TaxScale.h"

using namespace brolga;
using namespace calctest;

class TestTax : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // Each bracket's base must be the tax accrued at its threshold, or tax jumps as income rises.
    void taxIsContinuousAtEveryThreshold()
    {
        QStringList years;
        for (const auto &s : TaxScale::all()) {
            years << s.year;
            QCOMPARE(s.brackets.size(), std::size_t(4));
            for (const auto &b : s.brackets)
                QCOMPARE_NEAR(s.incomeTax(b.threshold), b.base, 1e-9);
        }
        QCOMPARE(years, QStringList({"2025-26", "2026-27", "2027-28"})); // picker order
        // An unknown year falls back to the current scale.
        for (const QString &named : {QString("2030-31"), QString(), QString("2025-26 "), QString("2025\u201326")})
            QCOMPARE(TaxScale::scale(named).year, QString("2026-27"));
    }

    void incomeTax_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<double>("income");
        QTest::addColumn<double>("tax");
        QTest::addColumn<double>("marginal");
        QTest::newRow("tax-free threshold is strict") << "2026-27" << 18200.0 << 0.0 << 0.0;
        QTest::newRow("one dollar over") << "2026-27" << 18201.0 << 0.15 << 15.0;
        QTest::newRow("45k 2025-26") << "2025-26" << 45000.0 << 4288.0 << 16.0;
        QTest::newRow("45k 2026-27") << "2026-27" << 45000.0 << 4020.0 << 15.0;
        QTest::newRow("45k 2027-28") << "2027-28" << 45000.0 << 3752.0 << 14.0;
        QTest::newRow("100k") << "2026-27" << 100000.0 << 20520.0 << 30.0;
        QTest::newRow("190k still 37%") << "2026-27" << 190000.0 << 51370.0 << 37.0;
        QTest::newRow("top bracket") << "2026-27" << 200000.0 << 55870.0 << 45.0;
        QTest::newRow("negative") << "2026-27" << -50000.0 << 0.0 << 0.0;
        QTest::newRow("NaN") << "2026-27" << notANumber << 0.0 << 0.0;
    }
    void incomeTax()
    {
        QFETCH(QString, year);
        QFETCH(double, income);
        const TaxScale &s = TaxScale::scale(year);
        QCOMPARE(s.year, year);
        QTEST_CENTS(s.incomeTax(income), "tax");
        QTEST(s.marginalRate(income), "marginal");
    }

    void netAndEffective_data()
    {
        QTest::addColumn<double>("gross");
        QTest::addColumn<double>("netMonthly");
        QTest::addColumn<double>("effective");
        QTest::newRow("threshold") << 18200.0 << 1486.33 << 2.0;
        QTest::newRow("100k") << 100000.0 << 6456.67 << 22.52;
        QTest::newRow("zero") << 0.0 << 0.0 << 0.0;
        QTest::newRow("negative bears levy only") << -12000.0 << -980.0 << 0.0;
    }
    void netAndEffective()
    {
        QFETCH(double, gross);
        const TaxScale &s = TaxScale::scale("2026-27");
        QTEST_CENTS(Serviceability::netMonthlyIncome(gross, s), "netMonthly");
        QTEST_CENTS(s.effectiveRate(gross), "effective");
    }

    void helpRepayment_data()
    {
        QTest::addColumn<double>("assessable");
        QTest::addColumn<double>("repayment");
        QTest::newRow("at threshold") << 67000.0 << 0.0;
        QTest::newRow("just above") << 67100.0 << 15.0;
        QTest::newRow("90k") << 90000.0 << 3450.0;
        QTest::newRow("125k") << 125000.0 << 8700.0;
        QTest::newRow("150k") << 150000.0 << 12950.0;
        QTest::newRow("negative") << -90000.0 << 0.0;
        QTest::newRow("NaN") << notANumber << 0.0;
    }
    void helpRepayment()
    {
        QFETCH(double, assessable);
        QTEST_CENTS(Serviceability::helpRepayment(assessable), "repayment");
    }

    void nonFiniteAndHugeStayFinite()
    {
        const TaxScale &s = TaxScale::scale("2026-27");
        for (double v : {inf, -inf, notANumber, 1e308, -1e308}) {
            QVERIFY(std::isfinite(s.incomeTax(v)));
            QVERIFY(std::isfinite(s.effectiveRate(v)));
            QVERIFY(std::isfinite(Serviceability::netMonthlyIncome(v, s)));
            QVERIFY(std::isfinite(Serviceability::helpRepayment(v)));
        }
        QCOMPARE(s.marginalRate(inf), 45.0);
    }
};

QTEST_GUILESS_MAIN(TestTax)
#include "tst_tax.moc"

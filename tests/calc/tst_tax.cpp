#include "calc/Serviceability.h"
#include "calc/TaxScale.h"

#include <QSet>
#include <QTest>

#include <cmath>
#include <limits>

using namespace brolga;

class TestTax : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void scalesInPickerOrder()
    {
        QStringList years;
        for (const auto &s : TaxScale::all())
            years << s.year;
        QCOMPARE(years, QStringList({"2025-26", "2026-27", "2027-28"}));
        QCOMPARE(QSet<TaxScale>(TaxScale::all().begin(), TaxScale::all().end()).size(), 3);
    }

    // Each bracket's base must be the tax accrued at its threshold, or tax jumps as income rises.
    void taxIsContinuousAtEveryThreshold()
    {
        for (const auto &s : TaxScale::all()) {
            QCOMPARE(s.brackets.size(), std::size_t(4));
            for (const auto &b : s.brackets)
                QVERIFY2(std::abs(s.incomeTax(b.threshold) - b.base) < 1e-9, qPrintable(s.year));
        }
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
        QTest::newRow("zero") << "2026-27" << 0.0 << 0.0 << 0.0;
        QTest::newRow("negative") << "2026-27" << -50000.0 << 0.0 << 0.0;
        QTest::newRow("NaN") << "2026-27" << std::nan("") << 0.0 << 0.0;
    }
    void incomeTax()
    {
        QFETCH(QString, year);
        QFETCH(double, income);
        QFETCH(double, tax);
        QFETCH(double, marginal);
        const TaxScale &s = TaxScale::scale(year);
        QCOMPARE(s.year, year);
        QVERIFY(std::abs(s.incomeTax(income) - tax) < 1e-6);
        QCOMPARE(s.marginalRate(income), marginal);
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
        QFETCH(double, netMonthly);
        QFETCH(double, effective);
        const TaxScale &s = TaxScale::scale("2026-27");
        QVERIFY(std::abs(Serviceability::netMonthlyIncome(gross, s) - netMonthly) < 0.005);
        QVERIFY(std::abs(s.effectiveRate(gross) - effective) < 0.005);
    }

    void unknownYearFallsBack_data()
    {
        QTest::addColumn<QString>("named");
        QTest::newRow("unknown") << "2030-31";
        QTest::newRow("empty") << "";
        QTest::newRow("trailing space") << "2025-26 ";
        QTest::newRow("en dash") << QString::fromUtf8("2025\u201326");
    }
    void unknownYearFallsBack()
    {
        QFETCH(QString, named);
        QCOMPARE(TaxScale::scale(named).year, QString("2026-27"));
    }

    void helpRepayment_data()
    {
        QTest::addColumn<double>("assessable");
        QTest::addColumn<double>("repayment");
        QTest::newRow("at threshold") << 67000.0 << 0.0;
        QTest::newRow("just above") << 67100.0 << 15.0;
        QTest::newRow("90k") << 90000.0 << 3450.0;
        QTest::newRow("95k") << 95000.0 << 4200.0;
        QTest::newRow("125k") << 125000.0 << 8700.0;
        QTest::newRow("150k") << 150000.0 << 12950.0;
        QTest::newRow("negative") << -90000.0 << 0.0;
        QTest::newRow("NaN") << std::nan("") << 0.0;
    }
    void helpRepayment()
    {
        QFETCH(double, assessable);
        QFETCH(double, repayment);
        QVERIFY(std::abs(Serviceability::helpRepayment(assessable) - repayment) < 1e-6);
    }

    void nonFiniteAndHugeStayFinite()
    {
        const TaxScale &s = TaxScale::scale("2026-27");
        const double inf = std::numeric_limits<double>::infinity();
        for (double v : {inf, -inf, std::nan(""), 1e308, -1e308}) {
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

#include "calc/CalcTest.h"
#include "calc/Serviceability.h"
#include "calc/TaxScale.h"

using namespace brolga;
using namespace calctest;

namespace {
// 6.09 % + 3.0 buffer, DTI 6, "2026-27"
CapacityInputs household(ApplicantType type = ApplicantType::single, double gross = 140000, int dependants = 0,
                         double debts = 0)
{
    CapacityInputs s;
    s.interestRatePercent = 6.09;
    s.assessmentBufferPercent = 3.0;
    s.dtiMultiple = 6.0;
    s.taxYear = QStringLiteral("2026-27");
    s.applicant = type;
    s.grossIncome = gross;
    s.dependants = dependants;
    s.monthlyOtherDebts = debts;
    return s;
}
// The same household with its applicants in detail.
CapacityInputs applicants(ApplicantType type, double income1, double income2 = 0, ApplicantDetail d = {})
{
    CapacityInputs s = household(type, 0);
    d.applicant1Income = income1;
    d.applicant2Income = income2;
    s.detail = d;
    return s;
}
} // namespace

class TestCapacity : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void workedFigures_data()
    {
        QTest::addColumn<CapacityInputs>("state");
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
        QFETCH(CapacityInputs, state);
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

    // Each applicant taxed on their own; living expenses 2,883.33 a month in every row.
    void applicantsInDetail_data()
    {
        QTest::addColumn<CapacityInputs>("state");
        for (const char *c : {"net", "surplus", "serviceability", "dti", "maxLoan", "rate", "ratio"})
            QTest::addColumn<double>(c);
        const auto couple = ApplicantType::couple;
        QTest::newRow("150k single earner") << applicants(couple, 150000) << 9202.50 << 6319.17 << 779079.46
                                            << 900000.0 << 779079.46 << 9.09 << 5.19;
        QTest::newRow("75k + 75k") << applicants(couple, 75000, 75000) << 10080.0 << 7196.67 << 887264.96
                                   << 900000.0 << 887264.96 << 9.09 << 5.92;
        QTest::newRow("130k + 20k") << applicants(couple, 130000, 20000) << 9767.50 << 6884.17 << 848737.36
                                    << 900000.0 << 848737.36 << 9.09 << 5.66;
        // $10,000 of card limits: $380 a month off the surplus, and their limit off the DTI room.
        QTest::newRow("card limits") << applicants(couple, 75000, 75000, {.cardLimits = 10000}) << 10080.0
                                     << 6816.67 << 840415.40 << 890000.0 << 840415.40 << 9.09 << 5.67;
        // HELP on $90,000 is 3,450 a year: 5,890.00 a month less 287.50.
        QTest::newRow("HELP on 90k") << applicants(ApplicantType::single, 90000, 0, {.applicant1HasHELP = true})
                                     << 5602.50 << 3969.17 << 489351.90 << 540000.0 << 489351.90 << 9.09 << 5.44;
        QTest::newRow("floor above rate + buffer") << applicants(couple, 75000, 75000, {.floorRatePercent = 10})
                                                   << 10080.0 << 7196.67 << 820066.07 << 900000.0 << 820066.07
                                                   << 10.0 << 5.47;
        // 30,000 at 80 % is 12,000 each: 87,000 apiece, living 2,903.33; the balances take DTI to 6.0.
        QTest::newRow("rent and balances") << applicants(couple, 75000, 75000,
                                                         {.rentalIncome = 30000, .otherLoanBalances = 150000})
                                           << 11440.0 << 8536.67 << 1052471.31 << 894000.0 << 894000.0 << 9.09
                                           << 6.0;
        // A single applicant has no second income or HELP.
        QTest::newRow("single ignores applicant 2")
            << applicants(ApplicantType::single, 150000, 75000, {.applicant2HasHELP = true}) << 9202.50 << 7519.17
            << 927025.45 << 900000.0 << 900000.0 << 9.09 << 6.0;
    }
    void applicantsInDetail()
    {
        QFETCH(CapacityInputs, state);
        const auto r = Serviceability::capacity(state);
        QVERIFY(r.has_value());
        QTEST_CENTS(r->netMonthly, "net");
        QTEST_CENTS(r->surplus, "surplus");
        QTEST_CENTS(r->serviceabilityLimit, "serviceability");
        QTEST_CENTS(r->dtiLimit, "dti");
        QTEST_CENTS(r->maxLoan, "maxLoan");
        QTEST_CENTS(r->assessmentRate, "rate");
        QCOMPARE_NEAR(*r->dtiRatio, *static_cast<double *>(QTest::qData("ratio", qMetaTypeId<double>())), 0.005);
    }


    void edges()
    {
        for (double gross : {0.0, -1.0, notANumber, -inf}) {
            auto s = household();
            s.grossIncome = gross;
            QVERIFY(!Serviceability::capacity(s).has_value());
        }
        // No surplus, or no positive assessment rate, services nothing: the loan is 0 and serviceability binds.
        auto zeroRate = household(ApplicantType::single, 500000, 0, 0);
        zeroRate.interestRatePercent = zeroRate.assessmentBufferPercent = 0;
        for (const auto &s : {zeroRate, household(ApplicantType::single, 140000, 0, 9000)}) {
            const auto r = Serviceability::capacity(s);
            QCOMPARE(r->serviceabilityLimit, 0.0);
            QCOMPARE(r->maxLoan, 0.0);
            QVERIFY(r->dtiLimit > 0 && r->serviceabilityBinds());
        }
        // A sliver of income under a trillion of debt: the ratio is huge but still a number to show.
        const auto tiny = applicants(ApplicantType::single, 1e-300, 0, {.otherLoanBalances = 1e308});
        QVERIFY(std::isfinite(*Serviceability::capacity(tiny)->dtiRatio));
        // A tie counts as serviceability.
        QVERIFY((CapacityResult{500000, 500000, 500000, 0, 0, 0, 0}.serviceabilityBinds()));
        QVERIFY(!(CapacityResult{499999, 499999, 500000, 0, 0, 0, 0}.serviceabilityBinds()));
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
        using Field = double CapacityInputs::*;
        for (Field f : {&CapacityInputs::grossIncome, &CapacityInputs::monthlyOtherDebts,
                        &CapacityInputs::interestRatePercent, &CapacityInputs::assessmentBufferPercent,
                        &CapacityInputs::dtiMultiple})
            for (double v : {inf, -inf, notANumber, 1e308, -1e308, 1e-308})
                for (int dependants : {0, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}) {
                    auto s = household();
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

QTEST_GUILESS_MAIN(TestCapacity)
#include "tst_capacity.moc"

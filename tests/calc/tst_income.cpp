#include "calc/CalcTest.h"
#include "calc/IncomeMath.h"
#include "tabs/ResultSentences.h"

#include <ctime>

using namespace brolga;
using namespace calctest;

namespace {

// Fixed "now" so nothing depends on the day the tests run.
const QDateTime now(QDate(2027, 3, 15), QTime(10, 30));

// With the record's defaults: super at 12 %, variable income shaded to 80 %, the 2026-27 year.
IncomeInputs payslip(PayBasis basis, double rate, EmploymentType type = EmploymentType::fullTime, double units = 38,
                     double weeks = 48)
{
    IncomeInputs s;
    s.superRatePercent = 12;
    s.overtimeShadePercent = s.bonusShadePercent = s.allowancesShadePercent = 80;
    s.taxYear = QStringLiteral("2026-27");
    s.payBasis = basis;
    s.payRate = rate;
    s.employment = type;
    s.unitsPerWeek = units;
    s.contractorWeeks = weeks;
    return s;
}

QDateTime at(int y, int m, int d, int h = 0, int min = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, min));
}

QStringList labels(const IncomeResult &r)
{
    QStringList out;
    for (const auto &c : r.components)
        out << c.label;
    return out;
}
} // namespace

class TestIncome : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase()
    {
        // Sydney moves its clocks forward on 4 Oct 2026, which the day counting must ride over.
        qputenv("TZ", "Australia/Sydney");
        tzset();
    }

    void annualising_data()
    {
        QTest::addColumn<IncomeInputs>("state");
        QTest::addColumn<double>("quoted");
        QTest::addColumn<double>("ytdBase");
        using B = PayBasis;
        using E = EmploymentType;
        QTest::newRow("hourly full-time") << payslip(B::hourly, 50) << 98800.0 << 98800.0;
        QTest::newRow("hourly contractor 48 wks") << payslip(B::hourly, 50, E::contractor) << 91200.0 << 98800.0;
        QTest::newRow("daily uses paid weeks for anyone")
            << payslip(B::daily, 600, E::fullTime, 5) << 144000.0 << 156000.0;
        QTest::newRow("weekly contractor still 52") << payslip(B::weekly, 2000, E::contractor) << 104000.0 << 104000.0;
        QTest::newRow("fortnightly") << payslip(B::fortnightly, 4000) << 104000.0 << 104000.0;
        QTest::newRow("monthly") << payslip(B::monthly, 8000) << 96000.0 << 96000.0;
        QTest::newRow("annual") << payslip(B::annual, 95000) << 95000.0 << 95000.0;
        QTest::newRow("hours held to 100") << payslip(B::hourly, 50, E::casual, 120) << 260000.0 << 260000.0;
        QTest::newRow("days held to 7") << payslip(B::daily, 600, E::fullTime, 9) << 201600.0 << 218400.0;
        QTest::newRow("paid weeks held to 52") << payslip(B::hourly, 50, E::contractor, 38, 60) << 98800.0 << 98800.0;
        QTest::newRow("negative rate is 0") << payslip(B::annual, -95000) << 0.0 << 0.0;
        QTest::newRow("negative units are 0") << payslip(B::hourly, 50, E::fullTime, -10) << 0.0 << 0.0;
    }
    void annualising()
    {
        QFETCH(IncomeInputs, state);
        QTEST_CENTS(IncomeMath::quotedAnnual(state), "quoted");
        QTEST_CENTS(IncomeMath::ytdAnnualBase(state), "ytdBase");
    }

    void superSplit_data()
    {
        QTest::addColumn<bool>("includes");
        QTest::addColumn<double>("superRate");
        QTest::addColumn<double>("base");
        QTest::addColumn<double>("package");
        QTest::newRow("quoted excludes super") << false << 12.0 << 95000.0 << 106400.0;
        QTest::newRow("quoted includes super") << true << 12.0 << 84821.43 << 95000.0;
        QTest::newRow("negative rate is none") << true << -12.0 << 95000.0 << 95000.0;
    }
    void superSplit()
    {
        QFETCH(bool, includes);
        QFETCH(double, superRate);
        auto s = payslip(PayBasis::annual, 95000);
        s.quotedIncludesSuper = includes;
        s.superRatePercent = superRate;
        const auto r = IncomeMath::income(s, now);
        QTEST_CENTS(r.baseAnnual, "base");
        QTEST_CENTS(r.packageAnnual, "package");
        QTEST_CENTS(r.assessable, "base");
        QTEST_CENTS(IncomeMath::ytdAnnualBase(s), "base");
    }

    void taxFiguresOnAssessable()
    {
        auto s = payslip(PayBasis::annual, 95000);
        auto r = IncomeMath::income(s, now);
        QCOMPARE(r.marginalRatePercent, 30.0);
        QCOMPARE(r.helpAnnual, 0.0);
        QCOMPARE_CENTS(r.netMonthly, 6173.33);
        QCOMPARE_CENTS(r.effectiveRatePercent, 22.02);
        s.hasHELP = true;
        r = IncomeMath::income(s, now);
        QCOMPARE_CENTS(r.helpAnnual, 4200);
        QCOMPARE_CENTS(r.netMonthly, 6173.33); // HELP is shown apart, not deducted

        // No extras, no lines; an empty income has no rates.
        s = payslip(PayBasis::annual, 0);
        s.allowancesAnnual = -500;
        r = IncomeMath::income(s, now);
        QCOMPARE(labels(r), QStringList{"Base"});
        QCOMPARE(r.assessable, 0.0);
        QCOMPARE(r.effectiveRatePercent, 0.0);
    }

    void components_data()
    {
        QTest::addColumn<double>("thisFY");
        QTest::addColumn<double>("lastFY");
        QTest::addColumn<bool>("useLower");
        QTest::addColumn<QString>("bonusLabel");
        QTest::addColumn<double>("bonusRaw");
        QTest::newRow("two-year average") << 10000.0 << 6000.0 << false << "Bonus (2-yr avg)" << 8000.0;
        QTest::newRow("lower year") << 10000.0 << 6000.0 << true << "Bonus (lower year)" << 6000.0;
        QTest::newRow("lower year is last") << 4000.0 << 6000.0 << true << "Bonus (lower year)" << 4000.0;
        QTest::newRow("only last year") << 0.0 << 6000.0 << true << "Bonus" << 6000.0;
        QTest::newRow("negative year ignored") << -3000.0 << 6000.0 << false << "Bonus" << 6000.0;
        QTest::newRow("none") << 0.0 << 0.0 << false << "" << 0.0;
    }
    void components()
    {
        QFETCH(double, thisFY);
        QFETCH(double, lastFY);
        QFETCH(bool, useLower);
        QFETCH(QString, bonusLabel);
        QFETCH(double, bonusRaw);
        auto s = payslip(PayBasis::annual, 95000);
        s.overtimeAnnual = 10000; // at the default 80 %
        s.allowancesAnnual = 2000;
        s.allowancesShadePercent = 150; // used as entered, not held to 100
        s.bonusThisFY = thisFY;
        s.bonusLastFY = lastFY;
        s.bonusUseLower = useLower;
        s.bonusShadePercent = 50;
        const auto r = IncomeMath::income(s, now);
        QStringList expected{"Base", "Overtime"};
        if (!bonusLabel.isEmpty())
            expected << bonusLabel;
        expected << "Allowances";
        QCOMPARE(labels(r), expected);
        if (!bonusLabel.isEmpty())
            QCOMPARE(r.components[2].raw, bonusRaw);
        QCOMPARE_CENTS(r.assessable, 95000 + 8000 + bonusRaw * 0.5 + 3000);
    }

    void fyStart()
    {
        QCOMPARE(IncomeMath::fyStart("2026-27", now), at(2026, 7, 1));
        for (const char *unreadable : {"next year", " 2026-27"}) // take now's financial year
            QCOMPARE(IncomeMath::fyStart(unreadable, now), at(2027, 7, 1));
        QCOMPARE(IncomeMath::fyStart("0000-01", now), now); // there is no year zero
    }

    // Complete days, as a calendar counts them, whatever the times of day and the clock change in between.
    void dayCounting_data()
    {
        QTest::addColumn<QDateTime>("from");
        QTest::addColumn<QDateTime>("to");
        QTest::addColumn<qint64>("days");
        QTest::newRow("9 pm to 8 am next day") << at(2026, 7, 1, 21) << at(2026, 7, 2, 8) << qint64(0);
        QTest::newRow("9 pm to 9 pm next day") << at(2026, 7, 1, 21) << at(2026, 7, 2, 21) << qint64(1);
        QTest::newRow("9 pm to 8 am 13 days on") << at(2026, 7, 1, 21) << at(2026, 7, 14, 8) << qint64(12);
        QTest::newRow("over the clock change") << at(2026, 10, 3, 9) << at(2026, 10, 4, 9) << qint64(1);
        QTest::newRow("just short over it") << at(2026, 10, 3, 9) << at(2026, 10, 4, 8, 30) << qint64(0);
        QTest::newRow("backwards") << at(2026, 7, 14, 8) << at(2026, 7, 1, 21) << qint64(-12);
        QTest::newRow("UTC end read locally")
            << at(2026, 7, 1) << QDateTime(QDate(2026, 7, 1), QTime(15, 0), Qt::UTC) << qint64(1);
        QTest::newRow("invalid") << QDateTime() << at(2026, 7, 1) << qint64(0);
    }
    void dayCounting()
    {
        QFETCH(QDateTime, from);
        QFETCH(QDateTime, to);
        QFETCH(qint64, days);
        QCOMPARE(IncomeMath::wholeDaysBetween(from, to), days);
    }

    void ytdCheck_data()
    {
        QTest::addColumn<double>("gross");
        QTest::addColumn<QDateTime>("end");
        QTest::addColumn<std::optional<QDateTime>>("employed");
        QTest::addColumn<double>("base");
        QTest::addColumn<int>("days"); // 0: absent
        QTest::addColumn<QString>("verdict");
        const auto fy = at(2026, 7, 1);
        const auto late = at(2026, 10, 30, 17);
        const std::optional<QDateTime> none;
        QTest::newRow("within tolerance") << 40000.0 << late << none << 120000.0 << 122
                                          << "Annualised YTD tracks base within 0.2% \u2014 payslip supports the "
                                             "stated income.";
        QTest::newRow("below") << 40000.0 << late << none << 130000.0 << 122
                               << "Annualised YTD runs 7.9% below base \u2014 check unpaid leave, reduced hours, or "
                                  "the start date.";
        QTest::newRow("above") << 40000.0 << late << none << 100000.0 << 122
                               << "Annualised YTD runs 19.8% above base \u2014 consistent with overtime, allowances "
                                  "or a pay rise; confirm what is ongoing.";
        QTest::newRow("no base") << 40000.0 << late << none << 0.0 << 122
                                 << "Annualised pace $119,754 \u2014 enter a base to compare.";
        QTest::newRow("early start ignored")
            << 40000.0 << late << std::optional(at(2025, 2, 1)) << 120000.0 << 122 << "";
        QTest::newRow("later start counts")
            << 40000.0 << late << std::optional(at(2026, 10, 1, 9)) << 120000.0 << 30 << "";
        QTest::newRow("10 days on: too soon") << 40000.0 << at(2026, 7, 11, 12) << none << 120000.0 << 0 << "";
        QTest::newRow("13 whole days by clock: too soon")
            << 40000.0 << at(2026, 7, 14, 8) << std::optional(at(2026, 7, 1, 21)) << 120000.0 << 0 << "";
        QTest::newRow("14 counted once the clock passes")
            << 40000.0 << at(2026, 7, 14, 21) << std::optional(at(2026, 7, 1, 21)) << 120000.0 << 14 << "";
        QTest::newRow("no gross") << 0.0 << late << none << 120000.0 << 0 << "";
        QTest::newRow("NaN gross") << notANumber << late << none << 120000.0 << 0 << "";
        QTest::newRow("end before start") << 40000.0 << at(2026, 5, 1) << none << 120000.0 << 0 << "";
    }
    void ytdCheck()
    {
        QFETCH(double, gross);
        QFETCH(QDateTime, end);
        QFETCH(std::optional<QDateTime>, employed);
        QFETCH(double, base);
        QFETCH(int, days);
        QFETCH(QString, verdict);
        const auto c = IncomeMath::ytdCheck(gross, end, at(2026, 7, 1), employed, base);
        QCOMPARE(c.has_value(), days > 0);
        if (!c)
            return;
        QCOMPARE(c->daysElapsed, days);
        QCOMPARE_CENTS(c->annualisedPace, gross / days * 365.25);
        if (days == 122 && base == 120000)
            QCOMPARE_NEAR(c->variance, -0.00205, 1e-5); // a pace of 119,754.10
        if (!verdict.isEmpty())
            QCOMPARE(ResultSentences::ytdVerdict(*c), verdict);
    }

    void incomeFillsTheYtdCheck()
    {
        auto s = payslip(PayBasis::annual, 120000);
        s.ytdGross = 40000;
        s.ytdPeriodEnd = at(2026, 10, 30, 17);
        QCOMPARE(IncomeMath::income(s, now).ytd->daysElapsed, 122);
        s.ytdPeriodEnd.reset(); // period end falls back to now: 1 Jul 2026 to 15 Mar 2027
        QCOMPARE(IncomeMath::income(s, now).ytd->daysElapsed, 258);
    }

    // A hand-edited record can carry anything; every figure stays finite and nothing trips UBSan.
    void wildFieldsStayFinite()
    {
        using Field = double IncomeInputs::*;
        const Field fields[] = {&IncomeInputs::payRate,          &IncomeInputs::unitsPerWeek,
                                &IncomeInputs::contractorWeeks,  &IncomeInputs::superRatePercent,
                                &IncomeInputs::overtimeAnnual,   &IncomeInputs::bonusThisFY,
                                &IncomeInputs::bonusLastFY,      &IncomeInputs::allowancesAnnual,
                                &IncomeInputs::overtimeShadePercent, &IncomeInputs::bonusShadePercent,
                                &IncomeInputs::allowancesShadePercent, &IncomeInputs::ytdGross};
        for (auto basis : allCases<PayBasis>()) {
            for (Field f : fields) {
                for (double v : {inf, -inf, notANumber, 1e308, -1e308}) {
                    auto s = payslip(basis, 95000);
                    s.hasHELP = true;
                    s.quotedIncludesSuper = true;
                    s.ytdGross = 50000;
                    s.overtimeAnnual = s.bonusThisFY = s.bonusLastFY = s.allowancesAnnual = 5000;
                    s.employmentStart = at(-4000, 1, 1);
                    s.ytdPeriodEnd = at(9999, 12, 31, 23, 59);
                    s.*f = v;
                    const auto r = IncomeMath::income(s, now);
                    for (double x : {r.baseAnnual, r.packageAnnual, r.superRatePercent, r.assessable, r.netMonthly,
                                     r.marginalRatePercent, r.effectiveRatePercent, r.helpAnnual})
                        QVERIFY(std::isfinite(x));
                    if (r.ytd)
                        QVERIFY(std::isfinite(r.ytd->annualisedPace) && std::isfinite(r.ytd->variance));
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestIncome)
#include "tst_income.moc"

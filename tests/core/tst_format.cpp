#include "core/Format.h"

#include <QTest>

#include <limits>

using namespace brolga;

// Runs under en_AU and again under de_DE (see tests/CMakeLists.txt): the text must not change.
class TestFormat : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void money_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("whole") << 650000.0 << 0 << "$650,000";
        QTest::newRow("cents") << 1234.5 << 2 << "$1,234.50";
        QTest::newRow("negative") << -1500.0 << 0 << "-$1,500";
        QTest::newRow("negative cents") << -1234567.891 << 2 << "-$1,234,567.89";
        QTest::newRow("half even down") << 2.5 << 0 << "$2";
        QTest::newRow("half even up") << 3.5 << 0 << "$4";
        QTest::newRow("half even cents") << 0.125 << 2 << "$0.12";
        // Ties are ties in the decimal figure a person reads, whatever the binary value stored for it:
        // 2.675 is held as 2.67499999..., 3354.575 as 3354.57499999..., 2865.085 as 2865.08500000...
        QTest::newRow("2.675 up to even") << 2.675 << 2 << "$2.68";
        QTest::newRow("3,354.575 up to even") << 3354.575 << 2 << "$3,354.58";
        QTest::newRow("2,865.085 down to even") << 2865.085 << 2 << "$2,865.08";
        QTest::newRow("776.825 down to even") << 776.825 << 2 << "$776.82";
        // Interest-only repayments at two-decimal rates, worked as the calculations work them.
        QTest::newRow("6.09% of 661,000 monthly") << 661000 * (6.09 / 100 / 12) << 2 << "$3,354.58";
        QTest::newRow("5.79% of 593,800 monthly") << 593800 * (5.79 / 100 / 12) << 2 << "$2,865.08";
        QTest::newRow("5.79% of 161,000 monthly") << 161000 * (5.79 / 100 / 12) << 2 << "$776.82";
        QTest::newRow("just past a tie") << 2.6750000000000003 << 2 << "$2.68";
        QTest::newRow("just short of a tie") << 2.6749999999999994 << 2 << "$2.67";
        QTest::newRow("carry into a new digit") << 999999.995 << 2 << "$1,000,000.00";
        QTest::newRow("carry, whole dollars") << 9999.5 << 0 << "$10,000";
        QTest::newRow("half a dollar goes to even zero") << 0.5 << 0 << "$0";
        QTest::newRow("far below the last place") << 0.000004 << 2 << "$0.00";
        QTest::newRow("half a cent exactly") << 0.005 << 2 << "$0.00";
        QTest::newRow("past half a cent") << 0.0051 << 2 << "$0.01";
        QTest::newRow("negative tie") << -2.675 << 2 << "-$2.68";
        QTest::newRow("negative rounding to zero") << -0.4 << 0 << "$0";
        QTest::newRow("small with many places") << 1e-7 << 8 << "$0.00000010";
        QTest::newRow("repayment") << 3934.7655 << 2 << "$3,934.77";
        QTest::newRow("zero") << 0.0 << 0 << "$0";
        QTest::newRow("tiny negative") << -0.001 << 2 << "$0.00";
        QTest::newRow("huge") << 1e15 << 0 << "$1,000,000,000,000,000";
        QTest::newRow("infinity") << inf << 2 << "\u2014";
        QTest::newRow("minus infinity") << -inf << 0 << "\u2014";
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0 << "\u2014";
    }
    void money()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QTEST(Format::money(value, decimals), "text");
        // The largest double is still text.
        const QString t = Format::money(std::numeric_limits<double>::max(), 2);
        QVERIFY(t.startsWith(QStringLiteral("$179,769,313")));
        QVERIFY(t.endsWith(QStringLiteral(".00")));
    }

    void percent_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("rate") << 6.09 << 2 << "6.09%";
        QTest::newRow("whole") << 80.0 << 0 << "80%";
        QTest::newRow("one") << 5.5 << 1 << "5.5%";
        QTest::newRow("no grouping") << 12345.0 << 0 << "12345%";
        QTest::newRow("negative") << -3.25 << 1 << "-3.2%";
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 2 << "\u2014";
    }
    void percent()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QTEST(Format::percent(value, decimals), "text");
    }

    void shortMoney_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("999") << 999.0 << "$999";
        QTest::newRow("1000") << 1000.0 << "$1k";
        QTest::newRow("1999") << 1999.0 << "$1k";
        QTest::newRow("999999") << 999999.0 << "$999k";
        QTest::newRow("1m") << 1000000.0 << "$1m";
        QTest::newRow("2.5m") << 2500000.0 << "$2.5m";
        QTest::newRow("negative") << -20000.0 << "-$20,000";
        QTest::newRow("inf") << std::numeric_limits<double>::infinity() << "\u2014";
    }
    void shortMoney()
    {
        QFETCH(double, value);
        QTEST(Format::shortMoney(value), "text");
    }

    void duration_data()
    {
        QTest::addColumn<int>("periods");
        QTest::addColumn<PaymentFrequency>("frequency");
        QTest::addColumn<QString>("text");
        QTest::newRow("30 yrs") << 360 << PaymentFrequency::monthly << "30 yrs";
        QTest::newRow("28 yrs 11") << 347 << PaymentFrequency::monthly << "28 yrs 11 mths";
        QTest::newRow("1 yr 1") << 13 << PaymentFrequency::monthly << "1 yr 1 mth";
        QTest::newRow("weekly 25 yrs") << 1300 << PaymentFrequency::weekly << "25 yrs";
        QTest::newRow("one week") << 1 << PaymentFrequency::weekly << "0 mths";
        QTest::newRow("fortnightly yr") << 26 << PaymentFrequency::fortnightly << "1 yr";
        QTest::newRow("half rounds up") << 13 << PaymentFrequency::fortnightly << "6 mths";
    }
    void duration()
    {
        QFETCH(int, periods);
        QFETCH(PaymentFrequency, frequency);
        QTEST(Format::duration(periods, frequency), "text");
    }

    void stampIsEnglish()
    {
        QCOMPARE(Format::stamp(QDate(2027, 3, 14)), QStringLiteral("14 Mar 2027"));
    }
};

QTEST_GUILESS_MAIN(TestFormat)
#include "tst_format.moc"

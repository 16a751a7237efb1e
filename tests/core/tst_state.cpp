#include "core/CalculatorState.h"
#include "core/StateCodec.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QTimeZone>

#include <limits>

using namespace brolga;

namespace {
CalculatorState decodeObject(const QByteArray &json)
{
    const auto s = StateCodec::decode(json);
    if (!s)
        qFatal("expected a record from %s", json.constData());
    return *s;
}
} // namespace

class TestState : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaultsAndEmptyObject()
    {
        const CalculatorState d;
        QVERIFY(!d.updateChecksEnabled.has_value());
        QVERIFY(decodeObject("{}") == d);
    }

    void notAnObjectFails()
    {
        for (const QByteArray &bytes : {QByteArray(), QByteArray("[1,2]"), QByteArray("42"),
                                        QByteArray("{\"loanAmount\": 5"), QByteArray("\xff\xfe\x00garbage", 10)})
            QVERIFY2(!StateCodec::decode(bytes).has_value(), bytes.constData());
    }

    void tolerantMembers()
    {
        // Each bad member falls back on its own; good members beside it are kept.
        const auto s = decodeObject(R"({"repaymentType":"interestOnly","loanAmount":"700000","interestRate":-5,
            "state":"qld","buyerType":"investor","dependants":2.5,"frequency":null,"isCompareMode":1,
            "taxYear":2025,"brokerName":"Ana"})");
        QCOMPARE(s.repaymentType, RepaymentType::principalAndInterest);
        QCOMPARE(s.loanAmount, 650000.0);
        QCOMPARE(s.interestRate, -5.0); // no range check while decoding
        QCOMPARE(s.state, AUState::vic);
        QCOMPARE(s.buyerType, BuyerType::investor);
        QCOMPARE(s.dependants, 0);
        QCOMPARE(s.frequency, PaymentFrequency::monthly);
        QCOMPARE(s.isCompareMode, false);
        QCOMPARE(s.taxYear, QStringLiteral("2026-27"));
        QCOMPARE(s.brokerName, QStringLiteral("Ana"));

        const auto t = decodeObject(R"({"repaymentType":"io","state":"QLD","dependants":3,"dutyOverride":0})");
        QCOMPARE(t.repaymentType, RepaymentType::interestOnly);
        QCOMPARE(t.state, AUState::qld);
        QCOMPARE(t.dependants, 3);
        QCOMPARE(t.dutyOverride, std::optional<double>(0.0));
    }

    void optionalMembers()
    {
        for (const char *json : {R"({"dutyOverride":null})", R"({"dutyOverride":"12"})",
                                 R"({"updateChecksEnabled":"yes"})", R"({"ytdPeriodEnd":"2026-01-01"})",
                                 R"({"ytdPeriodEnd":1e300})"}) {
            const auto s = decodeObject(json);
            QVERIFY2(!s.dutyOverride && !s.updateChecksEnabled && !s.ytdPeriodEnd, json);
        }

        CalculatorState s;
        QVERIFY(!QJsonDocument::fromJson(StateCodec::encode(s)).object().contains("updateChecksEnabled"));
        s.updateChecksEnabled = false;
        const QJsonObject o = QJsonDocument::fromJson(StateCodec::encode(s)).object();
        QVERIFY(o.contains("updateChecksEnabled"));
        QCOMPARE(o.value("updateChecksEnabled").toBool(true), false);
    }

    void datesAreSecondsSince2001()
    {
        // 2026-07-01 00:00 UTC is 804,556,800 s after 2001-01-01 UTC.
        const auto s = decodeObject(R"({"ytdPeriodEnd":804556800})");
        QVERIFY(s.ytdPeriodEnd);
        QCOMPARE(s.ytdPeriodEnd->toUTC(), QDateTime(QDate(2026, 7, 1), QTime(0, 0), QTimeZone::utc()));

        CalculatorState t;
        t.employmentStart = QDateTime(QDate(2001, 1, 2), QTime(0, 0), QTimeZone::utc());
        const QJsonObject o = QJsonDocument::fromJson(StateCodec::encode(t)).object();
        QCOMPARE(o.value("employmentStart").toDouble(), 86400.0);
    }

    void roundTrip()
    {
        CalculatorState s;
        s.loanAmount = 123456.78;
        s.repaymentType = RepaymentType::interestOnly;
        s.state = AUState::nt;
        s.dependants = 4;
        s.ytdPeriodEnd = QDateTime(QDate(2026, 11, 30), QTime(17, 30), QTimeZone::utc());
        s.dutyOverride = 0;
        s.updateChecksEnabled = true;
        s.brokerName = QStringLiteral("Zoë \"Q\" O'Brien · Ltd");
        s.activeTab = CalculatorTab::upfront;
        QVERIFY(decodeObject(StateCodec::encode(s)) == s);
        QVERIFY(decodeObject(StateCodec::encode(CalculatorState{})) == CalculatorState{});
    }

    void nonFiniteNumbersEncodeAsReadableJson()
    {
        CalculatorState s;
        s.loanAmount = std::numeric_limits<double>::quiet_NaN();
        s.offsetAmount = std::numeric_limits<double>::infinity();
        s.dutyOverride = -std::numeric_limits<double>::infinity();
        const auto back = StateCodec::decode(StateCodec::encode(s));
        QVERIFY(back.has_value());
        QCOMPARE(back->loanAmount, 650000.0);
        QCOMPARE(back->offsetAmount, 0.0);
        QVERIFY(!back->dutyOverride);
    }

    void contactLineAndIdentity()
    {
        CalculatorState s;
        QCOMPARE(s.contactLine(), QString());
        QVERIFY(!s.hasIdentity());

        s.brokerName = QStringLiteral("Ana");
        QCOMPARE(s.contactLine(), QString());
        QVERIFY(s.hasIdentity());

        s.brokerPhone = QStringLiteral(" 0400 000 000");
        s.brokerEmail = QString();
        s.brokerWebsite = QStringLiteral(" \t ");
        s.brokerLicence = QStringLiteral("CR 123456");
        QCOMPARE(s.contactLine(), QStringLiteral(" 0400 000 000 \u00B7 CR 123456"));

        CalculatorState blanks;
        blanks.brokerEmail = QStringLiteral("   ");
        QVERIFY(!blanks.hasIdentity());
        blanks.brokerCompany = QStringLiteral(" ");
        QVERIFY(blanks.hasIdentity()); // name and company count even when blank
    }

    void enumerations()
    {
        QVERIFY(!fromRaw<AUState>(QStringLiteral("nsw"))); // raw strings are matched exactly
        QVERIFY(needsUnits(PayBasis::daily) && !needsUnits(PayBasis::weekly));
        QCOMPARE(CalculatorState::defaultSuperRate(QStringLiteral("2024-25")), 11.5);
    }
};

QTEST_GUILESS_MAIN(TestState)
#include "tst_state.moc"

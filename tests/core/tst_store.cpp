#include "TestStore.h"
#include "core/CalculatorStore.h"
#include "core/Format.h"
#include "core/StateCodec.h"
#include "core/StateFields.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

#include <cmath>
#include <limits>
#include <type_traits>

using namespace brolga;

namespace {
// A shown figure is either a number or the dash; never "nan", "inf" or an empty text.
bool showable(double v)
{
    const QString text = Format::money(v, 2);
    return std::isfinite(v) ? text.startsWith(u'$') || text.startsWith(u'-') : text == QStringLiteral("\u2014");
}

CalculatorState decodeObject(const QByteArray &json)
{
    const auto s = StateCodec::decode(json);
    if (!s)
        qFatal("expected a record from %s", json.constData());
    return *s;
}
} // namespace

class TestStore : public QObject {
    Q_OBJECT

    static std::optional<QByteArray> stored() { return Settings().storedState(); }

private Q_SLOTS:
    void init() { teststore::isolateSettings(); }

    void startsFromDefaultsAndWritesNothing()
    {
        CalculatorStore store;
        QVERIFY(store.state() == CalculatorState{});
        QTest::qWait(CalculatorStore::saveDelayMs + 100);
        QVERIFY(!stored().has_value());
    }

    // Each edit restarts the wait: a second edit 300 ms in pushes the save to 700 ms, where a timer that only
    // started on the first edit would already have saved at 400 ms.
    void debouncedSaveWritesTheLastEdit()
    {
        CalculatorStore store;
        QSignalSpy saves(&store, &CalculatorStore::saved);
        QSignalSpy changes(&store, &CalculatorStore::stateChanged);
        QElapsedTimer clock;
        clock.start();
        store.edit([](CalculatorState &s) { s.loanAmount = 700000; });
        QTest::qWait(300);
        if (clock.elapsed() >= CalculatorStore::saveDelayMs)
            QSKIP("the machine stalled past the first edit's wait");
        QCOMPARE(saves.count(), 0);
        QElapsedTimer sinceSecond;
        sinceSecond.start();
        store.edit([](CalculatorState &s) { s.loanAmount = 720000; });
        QCOMPARE(changes.count(), 2);
        QTest::qWait(int(std::max<qint64>(550 - clock.elapsed(), 0)));
        // Only meaningful if the machine kept up: past 400 ms from the first edit, short of 400 from the second.
        if (sinceSecond.elapsed() >= CalculatorStore::saveDelayMs)
            QSKIP("the machine stalled past the second edit's wait");
        QCOMPARE(saves.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(saves.count(), 1, 1000);
        QVERIFY(sinceSecond.elapsed() >= CalculatorStore::saveDelayMs);
        QTest::qWait(500);
        QCOMPARE(saves.count(), 1);
        QCOMPARE(StateCodec::decode(*stored())->loanAmount, 720000.0);
    }

    void saveNowCancelsThePendingSave()
    {
        CalculatorStore store;
        QSignalSpy saves(&store, &CalculatorStore::saved);
        store.edit([](CalculatorState &s) { s.interestRate = 5.5; });
        store.saveNow();
        QCOMPARE(saves.count(), 1);
        QCOMPARE(StateCodec::decode(*stored())->interestRate, 5.5);
        QTest::qWait(CalculatorStore::saveDelayMs + 200);
        QCOMPARE(saves.count(), 1);
    }

    void unreadableRecordIsLeftAlone()
    {
        Settings().setStoredState("[1,2,3]");
        {
            CalculatorStore store;
            QVERIFY(store.state() == CalculatorState{});
            QTest::qWait(CalculatorStore::saveDelayMs + 100);
            QCOMPARE(*stored(), QByteArray("[1,2,3]"));
            store.edit([](CalculatorState &s) { s.dependants = 2; });
        }
        // Destroyed with a save pending: nothing was written (the shell saves at quit), the old bytes remain.
        QCOMPARE(*stored(), QByteArray("[1,2,3]"));
    }

    void resetKeepsIdentityAndPreferences()
    {
        const auto kept = [](CalculatorState &s) {
            s.brokerName = QStringLiteral("Ana");
            s.brokerCompany = QStringLiteral("Co");
            s.brokerEmail = QStringLiteral("a@b.c");
            s.brokerPhone = QStringLiteral("1");
            s.brokerLicence = QStringLiteral("L");
            s.brokerWebsite = QStringLiteral("w");
            s.themeID = QStringLiteral("ocean");
            s.alwaysOnTop = false;
            s.activeTab = CalculatorTab::income;
            s.updateChecksEnabled = false;
        };
        CalculatorStore store;
        store.edit([&](CalculatorState &s) {
            kept(s);
            s.loanAmount = 1;
            s.isCompareMode = true;
            s.ytdPeriodEnd = QDateTime::currentDateTime();
            s.dutyOverride = 5;
        });
        store.reset();
        CalculatorState expected;
        kept(expected);
        QVERIFY(store.state() == expected);
        QVERIFY(store.hasPendingSave());
    }

    void toastClearsOnlyItsOwnMessage()
    {
        CalculatorStore store;
        store.flash(QStringLiteral("A"));
        QTest::qWait(1000);
        store.flash(QStringLiteral("B"));
        QTest::qWait(1700); // A's timer has fired
        QCOMPARE(store.toast(), std::optional<QString>(QStringLiteral("B")));
        QTRY_VERIFY_WITH_TIMEOUT(!store.toast().has_value(), 1500);
    }

    void derivedResultsFollowTheRecord()
    {
        CalculatorStore store;
        QVERIFY(store.scenario().has_value());
        QVERIFY(!store.baselineScenario().has_value());
        QVERIFY(!store.compareScenario().has_value());
        store.edit([](CalculatorState &s) {
            s.extraRepayment = 200;
            s.isCompareMode = true;
        });
        QVERIFY(store.baselineScenario().has_value());
        QCOMPARE(store.baselineScenario()->periodsToClear, 360); // without the extra
        QVERIFY(store.compareScenario()->periodsToClear < 360); // with it
        store.edit([](CalculatorState &s) { s.loanAmount = 0; });
        QVERIFY(!store.scenario() && !store.baselineScenario() && !store.compareScenario());
    }

    // Every numeric member of a stored record set to a hostile value goes through every calculation.
    void everyNumericFieldEveryCalculation()
    {
        const double values[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                                 -std::numeric_limits<double>::infinity(), -1e308, 1e308, -1, 0, 1e-300};
        CalculatorStore store;
        store.setClock([] { return QDateTime(QDate(2026, 12, 6), QTime(10, 0)); });
        int checked = 0;
        forEachStateField([&](const char *key, auto member) {
            using T = std::decay_t<decltype(CalculatorState{}.*member)>;
            if constexpr (std::is_same_v<T, double> || std::is_same_v<T, std::optional<double>>) {
                for (double v : values) {
                    CalculatorState s;
                    s.ytdGross = 50000;
                    s.ytdPeriodEnd = QDateTime(QDate(2026, 11, 30), QTime(12, 0));
                    s.extraRepayment = 100;
                    s.isCompareMode = true;
                    s.repaymentType = checked % 2 ? RepaymentType::interestOnly : RepaymentType::principalAndInterest;
                    s.*member = v;
                    store.setState(s);

                    for (const auto &sc : {store.scenario(), store.baselineScenario(), store.compareScenario()})
                        if (sc) {
                            QVERIFY2(int(sc->schedule.size()) <= sc->contractedPeriods, key);
                            QVERIFY2(showable(sc->payment) && showable(sc->totalInterest), key);
                        }
                    if (const auto cap = store.capacity())
                        QVERIFY2(showable(cap->maxLoan) && cap->maxLoan >= 0, key);
                    const IncomeResult income = store.income();
                    QVERIFY2(showable(income.assessable) && showable(income.netMonthly), key);
                    const DutyResult duty = store.duty();
                    QVERIFY2(duty.payable() >= 0 && duty.concession <= duty.baseDuty + 1e-9, key);
                    const LMIResult lmi = store.lmi();
                    QVERIFY2(lmi.premium >= 0 && lmi.stampDutyOnPremium >= 0, key);
                    QVERIFY2(store.fundsToComplete() >= 0 && showable(store.fundsToComplete()), key);
                    ++checked;
                }
            }
        });
        QCOMPARE(checked, 8 * 29); // 28 doubles and the optional duty override
    }

    // The stored form of the record.

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

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"

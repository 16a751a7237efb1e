#include "TestStore.h"
#include "core/CalculatorStore.h"
#include "core/StateCodec.h"

#include <QSignalSpy>
#include <QTest>

using namespace brolga;

class TestStore : public QObject {
    Q_OBJECT

    static std::optional<QByteArray> stored() { return Settings().storedState(); }

private Q_SLOTS:
    void init()
    {
        teststore::isolateSettings();
        const QString file = QSettings(QStringLiteral("Saltbush"), QStringLiteral("Brolga")).fileName();
        QVERIFY2(file.contains(QStringLiteral(".qttest")), qPrintable(file));
    }

    void startsFromDefaultsAndWritesNothing()
    {
        CalculatorStore store;
        QVERIFY(store.state() == CalculatorState{});
        QTest::qWait(CalculatorStore::saveDelayMs + 100);
        QVERIFY(!stored().has_value());
    }

    void debouncedSaveWritesTheLastEdit()
    {
        CalculatorStore store;
        QSignalSpy saves(&store, &CalculatorStore::saved);
        QSignalSpy changes(&store, &CalculatorStore::stateChanged);
        store.edit([](CalculatorState &s) { s.loanAmount = 700000; });
        QTest::qWait(100);
        store.edit([](CalculatorState &s) { s.loanAmount = 720000; });
        QCOMPARE(changes.count(), 2);
        QTest::qWait(300);
        QCOMPARE(saves.count(), 0); // 0.4 s counts from the second edit
        QTRY_COMPARE_WITH_TIMEOUT(saves.count(), 1, 1000);
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

    void restoresTheStoredRecord()
    {
        {
            CalculatorStore store;
            store.edit([](CalculatorState &s) {
                s.brokerName = QStringLiteral("Ana");
                s.state = AUState::wa;
            });
            store.saveNow();
        }
        CalculatorStore again;
        QCOMPARE(again.state().brokerName, QStringLiteral("Ana"));
        QCOMPARE(again.state().state, AUState::wa);
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

    void olderRecordGetsDefaultsForNewKeys()
    {
        Settings().setStoredState(R"({"loanAmount":500000,"interestRate":5})");
        CalculatorStore store;
        QCOMPARE(store.state().loanAmount, 500000.0);
        QCOMPARE(store.state().themeID, QStringLiteral("brolga"));
        QCOMPARE(store.state().legalFees, 1800.0);
    }

    void resetKeepsIdentityAndPreferences()
    {
        CalculatorStore store;
        store.edit([](CalculatorState &s) {
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
            s.loanAmount = 1;
            s.isCompareMode = true;
            s.ytdPeriodEnd = QDateTime::currentDateTime();
            s.dutyOverride = 5;
        });
        const CalculatorState before = store.state();
        store.reset();
        CalculatorState expected;
        expected.brokerName = before.brokerName;
        expected.brokerCompany = before.brokerCompany;
        expected.brokerEmail = before.brokerEmail;
        expected.brokerPhone = before.brokerPhone;
        expected.brokerLicence = before.brokerLicence;
        expected.brokerWebsite = before.brokerWebsite;
        expected.themeID = before.themeID;
        expected.alwaysOnTop = false;
        expected.activeTab = CalculatorTab::income;
        expected.updateChecksEnabled = false;
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
        QCOMPARE(store.compareScenario()->annualRatePercent, 5.79);
        QVERIFY(store.compareScenario()->periodsToClear < 360); // with it
        store.edit([](CalculatorState &s) { s.loanAmount = 0; });
        QVERIFY(!store.scenario() && !store.baselineScenario() && !store.compareScenario());
    }

    void presetAndSendToCapacity()
    {
        CalculatorStore store;
        QSignalSpy changes(&store, &CalculatorStore::stateChanged);
        store.applyOccupationPreset(OccupationPreset::mining);
        QCOMPARE(store.state().allowShadePercent, 100.0);
        QCOMPARE(changes.count(), 1);

        store.edit([](CalculatorState &s) {
            s.payRate = 95000.5;
            s.dependants = 3;
        });
        store.sendIncomeToCapacity();
        QCOMPARE(store.state().activeTab, CalculatorTab::capacity);
        QCOMPARE(store.state().grossIncome, std::round(store.income().assessable));
        QCOMPARE(store.state().dependants, 3);
        QCOMPARE(store.toast(), std::optional<QString>(QStringLiteral("Assessable income sent to Capacity")));
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"

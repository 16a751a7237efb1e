#include "core/CalculatorStore.h"
#include "core/StateCodec.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTest>

#include <csignal>

using namespace brolga;

class TestCrashSafety : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Killed at any moment, the stored record is always one the program wrote: never defaults, never torn.
    void killedMidSaveLeavesAWholeRecord()
    {
        {
            CalculatorStore seed;
            seed.edit([](CalculatorState &s) { s.loanAmount = 100000; });
            seed.saveNow();
        }
        double last = 100000;
        for (int round = 0; round < 12; ++round) {
            QProcess child;
            child.start(QStringLiteral(BROLGA_SAVE_CHILD), {});
            QVERIFY(child.waitForStarted());
            QVERIFY(child.waitForReadyRead(10000));
            QTest::qWait(QRandomGenerator::global()->bounded(5, 120));
            ::kill(pid_t(child.processId()), SIGKILL);
            QVERIFY(child.waitForFinished(5000));

            const auto bytes = Settings().storedState();
            QVERIFY(bytes.has_value());
            const auto state = StateCodec::decode(*bytes);
            QVERIFY2(state.has_value(), bytes->left(200).constData());
            // The child starts from what is stored and counts up from 100001 each run.
            QVERIFY(state->loanAmount >= 100000);
            QCOMPARE(state->brokerName.isEmpty(), state->loanAmount == 100000);
            if (state->loanAmount > 100000)
                QCOMPARE(state->brokerName, QStringLiteral("Broker %1").arg(state->loanAmount - 100000));
            last = state->loanAmount;
        }
        Q_UNUSED(last);
    }

    // SIGTERM while a debounced save is still waiting: the edit is written before the process ends.
    void terminatedWithASavePending()
    {
        QSettings(QStringLiteral("Saltbush"), QStringLiteral("Brolga")).clear();
        QProcess child;
        child.start(QStringLiteral(BROLGA_SAVE_CHILD), {QStringLiteral("pending")});
        QVERIFY(child.waitForStarted());
        QVERIFY(child.waitForReadyRead(10000));
        QCOMPARE(child.readAll().trimmed(), QByteArray("edited"));
        ::kill(pid_t(child.processId()), SIGTERM);
        QVERIFY(child.waitForFinished(5000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);

        const auto bytes = Settings().storedState();
        QVERIFY(bytes.has_value());
        QCOMPARE(StateCodec::decode(*bytes)->brokerName, QStringLiteral("Saved on the way out"));
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"

#include "TestStore.h"
#include "core/CalculatorStore.h"
#include "core/StateJson.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTest>

#include <csignal>

using namespace brolga;

class TestCrashSafety : public QObject {
    Q_OBJECT

    // The stored record, which must always read whole: never recovered, never defaults.
    static std::optional<CalculatorState> stored()
    {
        const Settings settings;
        if (settings.wasUnreadable())
            return std::nullopt;
        const auto bytes = settings.storedState();
        return bytes ? StateJson::decode(*bytes) : std::nullopt;
    }

    // Starts the saving child, lets it run a moment, kills it; the highest save it reported as written.
    static int killMidSave(const QStringList &arguments, int lastConfirmed)
    {
        QProcess child;
        child.start(QStringLiteral(BROLGA_SAVE_CHILD), arguments);
        if (!child.waitForStarted() || !child.waitForReadyRead(10000))
            return -1;
        QTest::qWait(QRandomGenerator::global()->bounded(5, 60));
        ::kill(pid_t(child.processId()), SIGKILL);
        child.waitForFinished(5000);
        for (const QByteArray &line : child.readAllStandardOutput().split('\n'))
            if (line.startsWith("saved "))
                lastConfirmed = qMax(lastConfirmed, line.mid(6).toInt());
        return lastConfirmed;
    }

    static void seed()
    {
        CalculatorStore seed;
        seed.edit([](CalculatorState &s) {
            s.loanAmount = 100000;
            s.brokerName = QStringLiteral("Broker 0");
        });
        seed.saveNow();
    }

private Q_SLOTS:
    void init() { teststore::isolateSettings(); }

    // Killed at any moment, with the disk full every other round, the stored record is always one the
    // program wrote, whole, and never older than the last save that reached the disk.
    void killedMidSaveWithTheDiskFull()
    {
        seed();
        int confirmed = 0;
        for (int round = 0; round < 100; ++round) {
            const bool full = round % 2 == 1;
            const auto before = stored();
            int now = 0;
            {
                std::optional<teststore::FullDisk> disk;
                if (full && teststore::FullDisk::isReal()) {
                    // The last child's temporaries (of the file and of its last good copy) would free pages at
                    // its successor's start: not full then.
                    SafeFile::removeLeftovers(Settings::defaultPath(), SafeFile::Leftovers::all);
                    SafeFile::removeLeftovers(Settings::lastGoodPath(Settings::defaultPath()),
                                              SafeFile::Leftovers::all);
                    disk.emplace();
                }
                now = killMidSave(full && !teststore::FullDisk::isReal() ? QStringList{QStringLiteral("full")}
                                                                         : QStringList{},
                                  confirmed);
            }
            QVERIFY2(now >= 0, "the child did not start");
            const auto state = stored();
            QVERIFY2(state.has_value(), qPrintable(QStringLiteral("round %1").arg(round)));
            const int n = int(state->loanAmount) - 100000;
            QCOMPARE(state->brokerName, QStringLiteral("Broker %1").arg(n));
            QVERIFY2(n >= now, qPrintable(QStringLiteral("round %1: stored %2, confirmed %3").arg(round).arg(n).arg(now)));
            if (full)
                QCOMPARE(state->loanAmount, before->loanAmount); // nothing reached a full disk
            confirmed = now;
        }
        QVERIFY(confirmed > 0);
    }

    // Straight after a kill mid-save (with a temporary left behind), a new start clears it and saves an edit at
    // once.
    void restartAfterAKillSavesAtOnce()
    {
        seed();
        QVERIFY(killMidSave({}, 0) >= 0);
        const QDir folder = QFileInfo(Settings::defaultPath()).absoluteDir();
        QFile leftover(folder.filePath(QStringLiteral("Brolga.json.tmp-999999-x")));
        QVERIFY(leftover.open(QIODevice::WriteOnly));
        CalculatorStore store;
        store.settings().removeLeftovers(); // as the program does at start
        QCOMPARE(folder.entryList({QStringLiteral("*.tmp-*")}, QDir::Files), QStringList());
        QVERIFY(stored().has_value());
        store.edit([](CalculatorState &s) { s.brokerName = QStringLiteral("Straight after the kill"); });
        QTRY_COMPARE_WITH_TIMEOUT(stored()->brokerName, QStringLiteral("Straight after the kill"), 1000);
        QCOMPARE(folder.entryList({QStringLiteral("*.tmp-*")}, QDir::Files), QStringList());
    }

    // SIGTERM, SIGINT or SIGHUP while a debounced save is still waiting: the edit is written before the
    // process ends.
    void endedWithASavePending_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void endedWithASavePending()
    {
        QFETCH(int, signal);
        QProcess child;
        child.start(QStringLiteral(BROLGA_SAVE_CHILD), {QStringLiteral("pending")});
        QVERIFY(child.waitForStarted());
        QVERIFY(child.waitForReadyRead(10000));
        QCOMPARE(child.readAll().trimmed(), QByteArray("edited"));
        ::kill(pid_t(child.processId()), signal);
        QVERIFY(child.waitForFinished(5000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(stored()->brokerName, QStringLiteral("Saved on the way out"));
    }
};

QTEST_GUILESS_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"

#include "TestStore.h"
#include "core/CalcInputs.h"
#include "core/CalculatorStore.h"
#include "core/DamagedJsonReader.h"
#include "core/Format.h"
#include "core/SafeFile.h"
#include "core/StateFields.h"
#include "core/StateHistory.h"
#include "core/StateJson.h"

#include <QDir>
#include <QThread>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <cerrno>
#include <cmath>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
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
    const auto s = StateJson::decode(json);
    if (!s)
        qFatal("expected a record from %s", json.constData());
    return *s;
}

bool syncLoses = false;
} // namespace

// A disk may take the bytes and say they are lost only when synced (a quota over NFS, a failing drive). This
// program's fsync stands in for the C library's, the writer's calls included.
extern "C" int fsync(int fd)
{
    struct stat st {};
    if (syncLoses && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        errno = ENOSPC;
        return -1;
    }
    return int(::syscall(SYS_fsync, fd));
}

class TestStore : public QObject {
    Q_OBJECT

    static std::optional<QByteArray> stored() { return Settings().storedState(); }
    static QByteArray fileBytes(const QString &path = Settings::defaultPath())
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void writeRaw(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    static int mode(const QString &path)
    {
        struct stat st {};
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
    }
    static CalculatorState storedRecord()
    {
        const auto bytes = stored();
        return bytes ? StateJson::decode(*bytes).value_or(CalculatorState{}) : CalculatorState{};
    }
    static QStringList leftovers()
    {
        return QFileInfo(Settings::defaultPath())
            .absoluteDir()
            .entryList({QStringLiteral("*.tmp-*")}, QDir::Files | QDir::Hidden);
    }
    // A store with the broker's identity saved, twice, so a last good copy sits beside the file.
    static void saveIdentity()
    {
        CalculatorStore store;
        store.edit([](CalculatorState &s) {
            s.brokerName = QStringLiteral("Ana Silva");
            s.brokerPhone = QStringLiteral("0400 000 000");
            s.themeID = QStringLiteral("ocean");
        });
        store.saveNow();
        store.edit([](CalculatorState &s) { s.brokerLicence = QStringLiteral("CR 123456"); });
        store.saveNow();
    }

private Q_SLOTS:
    void init() { teststore::isolateSettings(); }

    void startsFromDefaultsAndWritesNothing()
    {
        CalculatorStore store;
        QVERIFY(store.state() == CalculatorState{});
        QTest::qWait(CalculatorStore::saveDelayMs + 100);
        QVERIFY(!stored().has_value());
    }

    // A second edit restarts the wait: the first edit's time-out, overdue when the loop next runs, writes nothing.
    void debouncedSaveWritesTheLastEdit()
    {
        CalculatorStore store;
        QSignalSpy saves(&store, &CalculatorStore::saved);
        store.edit([](CalculatorState &s) { s.loanAmount = 700000; });
        QVERIFY(store.hasPendingSave());
        QThread::msleep(CalculatorStore::saveDelayMs + 100);
        store.edit([](CalculatorState &s) { s.loanAmount = 720000; });
        QCoreApplication::processEvents();
        QCOMPARE(saves.count(), 0);
        QVERIFY(saves.wait(5000));
        QVERIFY(!store.hasPendingSave());
        QCOMPARE(saves.count(), 1);
        QCOMPARE(StateJson::decode(*stored())->loanAmount, 720000.0);
    }

    void saveNowCancelsThePendingSave()
    {
        CalculatorStore store;
        QSignalSpy saves(&store, &CalculatorStore::saved);
        store.edit([](CalculatorState &s) { s.interestRate = 5.5; });
        store.saveNow();
        QCOMPARE(saves.count(), 1);
        QCOMPARE(StateJson::decode(*stored())->interestRate, 5.5);
        QTest::qWait(CalculatorStore::saveDelayMs + 200);
        QCOMPARE(saves.count(), 1);
    }

    void unreadableRecordIsLeftAlone()
    {
        Settings().setStoredState("[1,2,3]");
        const QByteArray before = fileBytes();
        {
            CalculatorStore store;
            QVERIFY(store.state() == CalculatorState{});
            QTest::qWait(CalculatorStore::saveDelayMs + 100);
            QCOMPARE(fileBytes(), before);
            store.edit([](CalculatorState &s) { s.dependants = 2; });
        }
        // Destroyed with a save pending: nothing was written (the shell saves at quit), the old bytes remain.
        QCOMPARE(fileBytes(), before);
    }

    // ---- The stored file: full disks, hostile and damaged files ----

    // A full disk: the save fails, the record on disk stays whole and unchanged, and the broker is told once
    // per run of failures, not on every keystroke.
    void fullDiskKeepsTheStoredRecord_data()
    {
        QTest::addColumn<qint64>("free");
        QTest::addColumn<int>("grow"); // characters added to the record with each edit
        QTest::newRow("no room at all") << qint64(0) << 0;
        QTest::newRow("one page free, the record outgrows it") << qint64(4096) << 6000;
    }
    void fullDiskKeepsTheStoredRecord()
    {
        QFETCH(qint64, free);
        QFETCH(int, grow);
        saveIdentity();
        const QByteArray before = fileBytes();
        CalculatorStore store;
        QSignalSpy toasts(&store, &CalculatorStore::toastChanged);
        {
            teststore::FullDisk full(free);
            for (int i = 1; i <= 3; ++i) {
                store.edit([i, grow](CalculatorState &s) {
                    s.loanAmount = 500000 + i;
                    s.brokerWebsite = QString(grow * i, u'w');
                });
                store.saveNow();
            }
            QCOMPARE(toasts.count(), 1);
            QCOMPARE(store.toast(), std::optional<QString>(QString::fromUtf16(SafeFile::diskFull)));
            QCOMPARE(fileBytes(), before);
            QCOMPARE(storedRecord().brokerName, QStringLiteral("Ana Silva"));
            QVERIFY(leftovers().isEmpty());
        }
        store.saveNow(); // room again: the pending edit goes out
        QCOMPARE(storedRecord().loanAmount, 500003.0);
        QCOMPARE(storedRecord().brokerLicence, QStringLiteral("CR 123456"));
        {
            teststore::FullDisk full;
            store.edit([](CalculatorState &s) { s.loanAmount = 1; });
            store.saveNow();
        }
        QTRY_COMPARE(toasts.count(), 3); // cleared after 2.5 s, then a new run of failures says so again
    }

    void writeLostAtSyncKeepsTheOldFile()
    {
        writeRaw(Settings::defaultPath(), "old");
        syncLoses = true;
        const QString error = SafeFile::write(Settings::defaultPath(), "new");
        syncLoses = false;
        QCOMPARE(error, QString::fromUtf16(SafeFile::diskFull));
        QCOMPARE(fileBytes(), QByteArray("old"));
    }

    // Other keys fail the same way: the value stays pending and is written once there is room.
    void fullDiskKeepsOtherKeysPending()
    {
        Settings settings;
        settings.setHasLaunched(true);
        {
            teststore::FullDisk full;
            settings.setUpdateDismissedVersion(QStringLiteral("1.5"));
            QVERIFY(settings.hasPendingChanges());
            QVERIFY(!settings.lastError().isEmpty());
            QCOMPARE(Settings().updateDismissedVersion(), QString());
            QVERIFY(Settings().hasLaunched());
        }
        QCOMPARE(settings.sync(), Settings::Write::written);
        QCOMPARE(Settings().updateDismissedVersion(), QStringLiteral("1.5"));
    }

    // An unreadable record is never replaced by defaults: quitting without an edit writes nothing, what can
    // be read is used (members of the damaged text over the last good copy), the broker is told, and the
    // damaged file is kept aside before the first write replaces it.
    void unreadableRecordIsKeptAndRecovered_data()
    {
        QTest::addColumn<int>("damage");
        QTest::addColumn<bool>("fromText"); // the identity is read from the damaged text itself
        QTest::newRow("closing brace missing") << 0 << true;
        QTest::newRow("cut short mid-record") << 1 << true;
        QTest::newRow("empty file") << 2 << false;
        QTest::newRow("record not an object") << 3 << true;
        QTest::newRow("larger than 4 MiB") << 4 << false;
    }
    void unreadableRecordIsKeptAndRecovered()
    {
        QFETCH(int, damage);
        QFETCH(bool, fromText);
        saveIdentity();
        QByteArray good = fileBytes();
        QByteArray damaged;
        switch (damage) {
        case 0: damaged = good.trimmed().chopped(1); break;
        case 1: damaged = good.left(good.indexOf("brokerWebsite")); break;
        case 2: break;
        case 3: {
            QJsonObject o = QJsonDocument::fromJson(good).object();
            o.insert(QStringLiteral("Brolga.state.v1"),
                     QString::fromUtf8(QJsonDocument(o.value(QStringLiteral("Brolga.state.v1")).toObject())
                                           .toJson(QJsonDocument::Compact)
                                           .chopped(1)));
            damaged = QJsonDocument(o).toJson();
            break;
        }
        case 4: damaged = good + QByteArray(5 * 1024 * 1024, ' '); break;
        }
        // The last good copy is one save older: it has the name but not the licence.
        writeRaw(Settings::defaultPath(), damaged);

        {
            CalculatorStore store;
            QCOMPARE(store.state().brokerName, QStringLiteral("Ana Silva"));
            QCOMPARE(store.state().brokerPhone, QStringLiteral("0400 000 000"));
            QCOMPARE(store.state().themeID, QStringLiteral("ocean"));
            QCOMPARE(store.state().brokerLicence, fromText ? QStringLiteral("CR 123456") : QString());
            QCOMPARE(store.takeLoadNotice(), std::optional<QString>(QString::fromUtf16(Settings::recoveredNotice)));
            QVERIFY(!store.takeLoadNotice());
            store.saveNow(); // a quit without edits
            QCOMPARE(fileBytes(), damaged);
            store.edit([](CalculatorState &s) { s.dependants = 3; });
            store.saveNow();
        }
        const QStringList aside = QFileInfo(Settings::defaultPath())
                                      .absoluteDir()
                                      .entryList({QStringLiteral("Brolga.unreadable-*.json")}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(fileBytes(QFileInfo(Settings::defaultPath()).absoluteDir().filePath(aside[0])), damaged);
        QCOMPARE(storedRecord().brokerName, QStringLiteral("Ana Silva"));
        QCOMPARE(storedRecord().dependants, 3);
        QVERIFY(!Settings().wasUnreadable());
    }

    // Temporaries of a writer that was killed are removed by the next write; a live writer's temporary beside
    // another file is left alone.
    void leftoversOfAKilledWriterAreRemoved()
    {
        saveIdentity();
        const QDir folder = QFileInfo(Settings::defaultPath()).absoluteDir();
        for (const char *name : {"Brolga.json.tmp-999999-abc", "Brolga.last-good.json.tmp-1-x"})
            writeRaw(folder.filePath(QString::fromLatin1(name)), {});
        CalculatorStore store;
        store.edit([](CalculatorState &s) { s.loanAmount = 1; });
        store.saveNow();
        QCOMPARE(leftovers(), QStringList());

        const QString logo = folder.filePath(QStringLiteral("logo.png"));
        const QString live = logo + QStringLiteral(".tmp-%1-x").arg(::getpid());
        const QString dead = logo + QStringLiteral(".tmp-999999-x");
        writeRaw(live, {});
        writeRaw(dead, {});
        SafeFile::removeLeftovers(logo, SafeFile::Leftovers::ofEndedWriters);
        QVERIFY(QFile::exists(live));
        QVERIFY(!QFile::exists(dead));
        QFile::remove(live);
    }

    // Reading opens regular files only, never more than the cap; a FIFO (or a link to one) or a device
    // would block or never end.
    void readsRegularFilesWithinTheCap_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("status");
        QTest::newRow("exactly 4 MiB") << "4MiB" << int(SafeFile::Read::Status::ok);
        QTest::newRow("one byte more") << "4MiB+1" << int(SafeFile::Read::Status::tooLarge);
        QTest::newRow("FIFO") << "fifo" << int(SafeFile::Read::Status::notRegular);
        QTest::newRow("link to a FIFO") << "link" << int(SafeFile::Read::Status::notRegular);
        QTest::newRow("device") << "device" << int(SafeFile::Read::Status::notRegular);
        QTest::newRow("missing") << "missing" << int(SafeFile::Read::Status::missing);
    }
    void readsRegularFilesWithinTheCap()
    {
        QFETCH(QString, kind);
        QFETCH(int, status);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("file"));
        if (kind.startsWith(u'4'))
            writeRaw(path, QByteArray(SafeFile::maxReadBytes + (kind.endsWith(u'1') ? 1 : 0), 'x'));
        else if (kind == u"fifo" || kind == u"link")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (kind == u"link") {
            const QString link = dir.filePath(QStringLiteral("link"));
            QVERIFY(QFile::link(path, link));
            path = link;
        }
        if (kind == u"device")
            path = QStringLiteral("/dev/zero");
        const SafeFile::Read read = SafeFile::read(path);
        QCOMPARE(int(read.status), status);
        QCOMPARE(read.bytes.size(), read.ok() ? SafeFile::maxReadBytes : 0);
    }

    // Brolga.json reached through a chain of links: saves go to the file at its end, every link stays a link,
    // the file keeps its mode, and the last good copy holds bytes of its own, so emptying the file loses nothing.
    void savesThroughLinks()
    {
        QTemporaryDir elsewhere;
        const QString real = elsewhere.filePath(QStringLiteral("real.json"));
        const QString middle = elsewhere.filePath(QStringLiteral("middle.json"));
        writeRaw(real, "{}");
        QCOMPARE(::chmod(QFile::encodeName(real).constData(), 0640), 0);
        QVERIFY(QFile::link(real, middle));
        QDir().mkpath(QFileInfo(Settings::defaultPath()).absolutePath());
        QVERIFY(QFile::link(middle, Settings::defaultPath()));
        saveIdentity();
        QVERIFY(QFileInfo(Settings::defaultPath()).isSymLink() && QFileInfo(middle).isSymLink());
        QCOMPARE(mode(real), 0640);
        QCOMPARE(storedRecord().brokerLicence, QStringLiteral("CR 123456"));
        QVERIFY(QFile::resize(real, 0));
        QCOMPARE(CalculatorStore().state().brokerName, QStringLiteral("Ana Silva"));
    }

    // A Brolga.json that cannot take a save is never replaced, the toast names why, and failing again and
    // again adds no more copies: a damaged file is copied aside once, anything but a file not at all.
    void aFileThatTakesNoSaveSaysWhy_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("toast");
        QTest::addColumn<int>("copies");
        QTest::newRow("read-only") << "read-only" << "Could not save \u2014 Brolga.json is read-only." << 0;
        QTest::newRow("damaged, read-only") << "damaged" << "Could not save \u2014 Brolga.json is read-only." << 1;
        QTest::newRow("a folder") << "folder" << "Could not save \u2014 Brolga.json is a folder." << 0;
        QTest::newRow("a FIFO") << "fifo" << "Could not save \u2014 Brolga.json is not a regular file." << 0;
    }
    void aFileThatTakesNoSaveSaysWhy()
    {
        QFETCH(QString, kind);
        QFETCH(QString, toast);
        QFETCH(int, copies);
        const QString path = Settings::defaultPath();
        const QByteArray name = QFile::encodeName(path);
        const auto cleanup = qScopeGuard([&] { QDir(path).removeRecursively(); });
        saveIdentity();
        if (kind == u"damaged")
            writeRaw(path, "{\"Brolga.state.v1\": {\"brokerName\": \"Ana");
        if (kind == u"read-only" || kind == u"damaged")
            QCOMPARE(::chmod(name.constData(), 0444), 0);
        const QByteArray before = kind == u"folder" || kind == u"fifo" ? QByteArray() : fileBytes();
        if (kind == u"folder" || kind == u"fifo") {
            QVERIFY(QFile::remove(path));
            QCOMPARE(kind == u"folder" ? ::mkdir(name.constData(), 0700) : ::mkfifo(name.constData(), 0600), 0);
        }
        {
            CalculatorStore store;
            for (int i = 1; i <= 3; ++i) {
                store.edit([i](CalculatorState &s) { s.loanAmount = i; });
                store.saveNow();
            }
            QCOMPARE(store.toast(), std::optional<QString>(toast));
        }
        const QDir folder = QFileInfo(path).absoluteDir();
        QCOMPARE(folder.entryList({QStringLiteral("Brolga.unreadable-*")}, QDir::Files | QDir::System).size(),
                 copies);
        if (!before.isEmpty()) {
            QCOMPARE(fileBytes(), before);
            QCOMPARE(mode(path), 0444);
        }
    }

    // Damaged again and again: only the newest copies of the unreadable file stay.
    void onlyTheNewestUnreadableCopiesStay()
    {
        for (char i = '1'; i <= '5'; ++i) {
            writeRaw(Settings::defaultPath(), QByteArray("{\"damaged\": ") + i);
            Settings().setHasLaunched(true);
        }
        QStringList kept;
        const QDir folder = QFileInfo(Settings::defaultPath()).absoluteDir();
        for (const QString &name : folder.entryList({QStringLiteral("Brolga.unreadable-*")}, QDir::Files, QDir::Name))
            kept << QString::fromLatin1(fileBytes(folder.filePath(name)).right(1));
        kept.sort();
        QCOMPARE(kept, (QStringList{"3", "4", "5"}));
    }

    // What can be read of damaged JSON: complete members only, wherever they stand.
    void salvageReadsCompleteMembers()
    {
        const QJsonObject o = DamagedJsonReader::scalarMembers(
            R"({"a":{"brokerName":"Ana \"Q\"","n":-1.5e3,"ok":true,"list":[1,2],"cut":"unterminated)");
        QCOMPARE(o.value("brokerName").toString(), QStringLiteral("Ana \"Q\""));
        QCOMPARE(o.value("n").toDouble(), -1500.0);
        QCOMPARE(o.value("ok").toBool(), true);
        QVERIFY(!o.contains("cut") && !o.contains("list") && !o.contains("a"));
        QVERIFY(DamagedJsonReader::scalarMembers("\xff\xfe garbage").isEmpty());
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

    // Each calculation is handed every field of the record it reads and no other: one changed field changes
    // exactly the inputs listed. Lenders assess capacity over 30 years whatever term the Repayment tab holds.
    void calculationsTakeTheFieldsTheyRead()
    {
        const QHash<QString, QString> feeds{
            {"loanAmount", "loan"},          {"offsetAmount", "loan"},        {"interestRate", "loan capacity"},
            {"loanTermYears", "loan"},       {"repaymentType", "loan"},       {"ioYears", "loan"},
            {"frequency", "loan"},           {"extraRepayment", "loan"},      {"grossIncome", "capacity"},
            {"applicantType", "capacity"},   {"dependants", "capacity"},      {"monthlyOtherDebts", "capacity"},
            {"assessmentBuffer", "capacity"}, {"dtiMultiple", "capacity"},    {"taxYear", "capacity income"},
            {"employmentType", "income"},    {"payBasis", "income"},          {"payRate", "income"},
            {"unitsPerWeek", "income"},      {"contractorWeeks", "income"},   {"quotedIncludesSuper", "income"},
            {"superRatePercent", "income"},  {"ytdGross", "income"},          {"ytdPeriodEnd", "income"},
            {"employmentStart", "income"},   {"overtimeAnnual", "income"},    {"bonusThisFY", "income"},
            {"bonusLastFY", "income"},       {"bonusUseLower", "income"},     {"allowancesAnnual", "income"},
            {"otShadePercent", "income"},    {"bonusShadePercent", "income"}, {"allowShadePercent", "income"},
            {"hasHELP", "income"},           {"state", "purchase"},           {"purchasePrice", "purchase"},
            {"depositAmount", "purchase"},   {"buyerType", "purchase"},       {"propertyKind", "purchase"},
            {"isForeignBuyer", "purchase"},  {"dutyOverride", "purchase"},    {"legalFees", "purchase"},
            {"inspectionFees", "purchase"},  {"otherUpfrontCosts", "purchase"}, {"establishmentFee", "fees"},
            {"ongoingFee", "fees"},          {"ongoingFeePeriod", "fees"},    {"dischargeFee", "fees"},
            {"fixedAmount", "fixed"},        {"fixedRate", "fixed"},          {"fixedYears", "fixed"},
            {"applicantsInDetail", "capacity"}};
        const auto changed = [](const CalculatorState &a, const CalculatorState &b) {
            QStringList out;
            if (!(CalcInputs::loan(a) == CalcInputs::loan(b)))
                out << "loan";
            if (!(CalcInputs::capacity(a) == CalcInputs::capacity(b)))
                out << "capacity";
            if (!(CalcInputs::income(a) == CalcInputs::income(b)))
                out << "income";
            if (!(CalcInputs::purchase(a) == CalcInputs::purchase(b)))
                out << "purchase";
            if (!(CalcInputs::fees(a) == CalcInputs::fees(b)))
                out << "fees";
            if (!(CalcInputs::fixed(a) == CalcInputs::fixed(b)))
                out << "fixed";
            return out.join(u' ');
        };
        // With the applicants in detail their fields take the household income's place.
        QHash<QString, QString> detailFeeds = feeds;
        detailFeeds.remove("grossIncome");
        for (const char *key : {"applicant1Income", "applicant2Income", "rentalIncome", "rentalShadePercent",
                                "cardLimits", "cardRatePercent", "otherLoanBalances", "applicant1HasHELP",
                                "applicant2HasHELP", "floorRatePercent"})
            detailFeeds.insert(key, "capacity");
        CalculatorState detailed;
        detailed.applicantsInDetail = true;
        for (const auto &pass : {std::pair{CalculatorState{}, feeds}, std::pair{detailed, detailFeeds}}) {
            const CalculatorState &base = pass.first;
            const QHash<QString, QString> &feeding = pass.second;
            forEachStateField([&](const char *key, auto member) {
                CalculatorState s = base;
                auto &field = s.*member;
                using T = std::decay_t<decltype(field)>;
                if constexpr (std::is_same_v<T, bool>)
                    field = !field;
                else if constexpr (std::is_enum_v<T>)
                    field = allCases<T>()[(int(field) + 1) % allCases<T>().size()];
                else if constexpr (std::is_same_v<T, QString>)
                    field += u'x';
                else if constexpr (std::is_same_v<T, std::optional<QDateTime>>)
                    field = QDateTime(QDate(2026, 11, 30), QTime(12, 0));
                else if constexpr (std::is_same_v<T, std::optional<double>> || std::is_same_v<T, std::optional<bool>>)
                    field = typename T::value_type{};
                else
                    field += 1;
                QCOMPARE(changed(base, s), feeding.value(QString::fromLatin1(key)));
            });
        }
    }

    // Presets keep the current guarantee rate whatever year is picked, and touch nothing else.
    void presetsAndSendToCapacity()
    {
        const struct {
            OccupationPreset preset;
            double ot, bonus, allow, superRate;
        } presets[] = {{OccupationPreset::standard, 80, 80, 80, 12},
                       {OccupationPreset::essential, 100, 80, 100, 12},
                       {OccupationPreset::mining, 80, 80, 100, 12},
                       {OccupationPreset::publicService, 80, 80, 80, 15.4}};
        CalculatorStore store;
        store.setClock([] { return QDateTime(QDate(2027, 3, 15), QTime(10, 30)); });
        for (const auto &p : presets) {
            CalculatorState s;
            s.taxYear = "2024-25";
            s.otShadePercent = s.bonusShadePercent = s.allowShadePercent = 33;
            s.superRatePercent = 9.5;
            store.setState(s);
            CalculatorState expected = s;
            store.applyOccupationPreset(p.preset);
            expected.occupationPreset = p.preset;
            expected.otShadePercent = p.ot;
            expected.bonusShadePercent = p.bonus;
            expected.allowShadePercent = p.allow;
            expected.superRatePercent = p.superRate;
            QVERIFY(store.state() == expected);
        }
        // Rounded half up, held to a trillion; nothing but the income and the tab is copied across.
        for (auto [payRate, sent] : {std::pair{95432.50, 95433.0}, {95432.49, 95432.0}, {1e300, 1e12}}) {
            CalculatorState s;
            s.payBasis = PayBasis::annual;
            s.payRate = payRate;
            s.applicantType = ApplicantType::couple;
            s.dependants = 2;
            s.monthlyOtherDebts = 700;
            store.setState(s);
            CalculatorState expected = s;
            store.sendIncomeToCapacity();
            expected.grossIncome = sent;
            expected.activeTab = CalculatorTab::capacity;
            QVERIFY(store.state() == expected);
            QCOMPARE(store.toast(), std::optional<QString>(QStringLiteral("Assessable income sent to Capacity")));
        }
        // With the applicants in detail it is applicant 1's income, and the toast says so.
        CalculatorState s;
        s.applicantsInDetail = true;
        store.setState(s);
        store.sendIncomeToCapacity();
        QCOMPARE(store.state().applicant1Income, 95000.0);
        QCOMPARE(store.state().grossIncome, 140000.0);
        QCOMPARE(store.toast(), std::optional<QString>(QStringLiteral("Assessable income sent to Capacity as applicant 1")));
    }

    // A new pay basis converts the rate at the hours and paid weeks already entered, so the year stays put.
    void payBasisKeepsTheYear_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("from");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("units");
        QTest::addColumn<int>("to");
        QTest::addColumn<double>("newRate");
        QTest::addColumn<double>("base");
        const int fullTime = int(EmploymentType::fullTime);
        const int annual = int(PayBasis::annual), hourly = int(PayBasis::hourly), weekly = int(PayBasis::weekly);
        QTest::newRow("annual to hourly") << fullTime << annual << 95000.0 << 38.0 << hourly << 48.07692307692308
                                          << 95000.0;
        QTest::newRow("contractor's 48 weeks") << int(EmploymentType::contractor) << hourly << 50.0 << 38.0
                                               << weekly << 1753.846153846154 << 91200.0;
        QTest::newRow("no hours: rate kept") << fullTime << annual << 95000.0 << 0.0 << hourly << 95000.0 << 0.0;
    }
    void payBasisKeepsTheYear()
    {
        QFETCH(int, type);
        QFETCH(int, from);
        QFETCH(double, rate);
        QFETCH(double, units);
        QFETCH(int, to);
        QFETCH(double, newRate);
        QFETCH(double, base);
        CalculatorStore store;
        store.edit([&](CalculatorState &s) {
            s.employmentType = EmploymentType(type);
            s.payBasis = PayBasis(from);
            s.payRate = rate;
            s.unitsPerWeek = units;
            s.contractorWeeks = 48;
        });
        store.changePayBasis(PayBasis(to));
        QCOMPARE(store.state().payBasis, PayBasis(to));
        QCOMPARE(store.state().payRate, newRate);
        QCOMPARE(store.income().baseAnnual, base);
    }

    // Undo takes back one action, and only the fields it changed; redo makes it again. The broker's identity
    // is no step of the calculator's history.
    void undoTakesBackOneAction_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("themeSignals");
        QTest::newRow("reset inputs") << 0 << 0;
        QTest::newRow("use in Capacity") << 1 << 0;
        QTest::newRow("theme") << 2 << 1;
        QTest::newRow("pay basis") << 3 << 0;
    }
    void undoTakesBackOneAction()
    {
        QFETCH(int, action);
        QFETCH(int, themeSignals);
        CalculatorStore store;
        store.edit([](CalculatorState &s) {
            s.activeTab = CalculatorTab::capacity;
            s.grossIncome = 205000;
            s.loanAmount = 720000;
            s.payBasis = PayBasis::annual;
            s.payRate = 95000;
        });
        const CalculatorState before = store.state();
        switch (action) {
        case 0: store.reset(); break;
        case 1: store.sendIncomeToCapacity(); break;
        case 2: store.applyTheme(QStringLiteral("slate")); break;
        case 3: store.changePayBasis(PayBasis::weekly); break;
        }
        store.edit([](CalculatorState &s) { s.brokerName = QStringLiteral("Jo Citizen"); });
        const CalculatorState after = store.state();
        QVERIFY(!(after == before));
        QSignalSpy themes(&store, &CalculatorStore::themeChanged);
        store.history().undo();
        CalculatorState expected = before;
        expected.brokerName = QStringLiteral("Jo Citizen");
        QVERIFY(store.state() == expected);
        QCOMPARE(themes.count(), themeSignals);
        store.history().redo();
        QVERIFY(store.state() == after);
        if (action == 1) {
            // Sent again, nothing changes: no Undo is offered for a step that was not made.
            store.sendIncomeToCapacity();
            QVERIFY(!store.toastUndoable());
        }
        store.saveNow();
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
                    s.feesEnabled = true;
                    s.fixedEnabled = checked % 3 == 0;
                    s.repaymentType = checked % 2 ? RepaymentType::interestOnly : RepaymentType::principalAndInterest;
                    // Capacity is also assessed with the applicants in detail, a card and HELP to work on.
                    s.applicantType = ApplicantType::couple;
                    s.applicant1Income = 90000;
                    s.applicant2HasHELP = true;
                    s.cardLimits = 5000;
                    s.*member = v;
                    store.setState(s);

                    for (const auto &sc : {store.scenario(), store.baselineScenario(), store.compareScenario()})
                        if (sc) {
                            QVERIFY2(int(sc->schedule.size()) <= sc->contractedPeriods, key);
                            QVERIFY2(showable(sc->payment) && showable(sc->totalInterest), key);
                        }
                    if (const auto c = store.costs())
                        QVERIFY2(showable(c->totalPayable) && showable(c->comparisonRate.value_or(0)) &&
                                     showable(c->benchmarkRate.value_or(0)) && showable(c->paymentIfRise2),
                                 key);
                    if (const auto cap = store.capacity())
                        QVERIFY2(showable(cap->maxLoan) && cap->maxLoan >= 0, key);
                    store.edit([](CalculatorState &st) { st.applicantsInDetail = true; });
                    if (const auto cap = store.capacity())
                        QVERIFY2(showable(cap->maxLoan) && cap->maxLoan >= 0 && std::isfinite(*cap->dtiRatio), key);
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
        QCOMPARE(checked, 8 * 43); // 42 doubles and the optional duty override
    }

    // The stored form of the record.

    void notAnObjectFails()
    {
        for (const QByteArray &bytes : {QByteArray(), QByteArray("[1,2]"), QByteArray("42"),
                                        QByteArray("{\"loanAmount\": 5"), QByteArray("\xff\xfe\x00garbage", 10)})
            QVERIFY2(!StateJson::decode(bytes).has_value(), bytes.constData());
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

        const auto t = decodeObject(
            R"({"repaymentType":"io","state":"QLD","dependants":3,"dutyOverride":0,"ongoingFeePeriod":"yearly"})");
        QCOMPARE(t.ongoingFeePeriod, FeePeriod::yearly);
        QCOMPARE(decodeObject(R"({"ongoingFeePeriod":"Yearly"})").ongoingFeePeriod, FeePeriod::monthly);
        QCOMPARE(t.repaymentType, RepaymentType::interestOnly);
        QCOMPARE(t.state, AUState::qld);
        QCOMPARE(t.dependants, 3);
        QCOMPARE(t.dutyOverride, std::optional<double>(0.0));
    }

    // A hand-edited record's identity is cut to what the settings let a broker type, never inside a pair of
    // code units.
    void identityTextsAreCapped()
    {
        const QString name = QString(253, u'a') + QStringLiteral("\U0001F426 and more");
        const auto s = decodeObject("{\"brokerName\":\"" + name.toUtf8() + "\",\"brokerWebsite\":\"" +
                                    QByteArray(1 << 20, 'w') + "\"}");
        QCOMPARE(s.brokerName, QString(253, u'a'));
        QCOMPARE(s.brokerWebsite, QString(254, u'w'));
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
        QVERIFY(!QJsonDocument::fromJson(StateJson::encode(s)).object().contains("updateChecksEnabled"));
        s.updateChecksEnabled = false;
        const QJsonObject o = QJsonDocument::fromJson(StateJson::encode(s)).object();
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
        const QJsonObject o = QJsonDocument::fromJson(StateJson::encode(t)).object();
        QCOMPARE(o.value("employmentStart").toDouble(), 86400.0);
    }

    void nonFiniteNumbersEncodeAsReadableJson()
    {
        CalculatorState s;
        s.loanAmount = std::numeric_limits<double>::quiet_NaN();
        s.offsetAmount = std::numeric_limits<double>::infinity();
        s.dutyOverride = -std::numeric_limits<double>::infinity();
        const auto back = StateJson::decode(StateJson::encode(s));
        QVERIFY(back.has_value());
        QCOMPARE(back->loanAmount, 650000.0);
        QCOMPARE(back->offsetAmount, 0.0);
        QVERIFY(!back->dutyOverride);
    }

    void contactLineAndIdentity()
    {
        CalculatorState s;
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
};

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"

#include "core/Settings.h"

#include "core/JsonSalvage.h"
#include "core/LegacySettings.h"
#include "core/SafeFile.h"
#include "core/StateCodec.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <cmath>
#include <cstring>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QLockFile>
#endif

namespace brolga {

namespace {

QString key(const char *k)
{
    return QString::fromLatin1(k);
}

bool isSettingsKey(const QString &k)
{
    for (const char *known :
         {Settings::stateKey, Settings::hasLaunchedKey, Settings::coachMarkShownKey, Settings::updateLastCheckKey,
          Settings::updateDismissedVersionKey, Settings::windowFrameKey, Settings::openClientKey,
          Settings::globalShortcutKey})
        if (k == QLatin1String(known))
            return true;
    return false;
}

// Changes whenever the file is replaced (every write renames a new file into place) or edited.
QByteArray signatureOf(const QString &path)
{
#if defined(Q_OS_UNIX)
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QByteArrayLiteral("none");
#if defined(Q_OS_DARWIN)
    const timespec modified = st.st_mtimespec;
#else
    const timespec modified = st.st_mtim;
#endif
    return QByteArray::number(qulonglong(st.st_dev)) + ':' + QByteArray::number(qulonglong(st.st_ino)) + ':' +
           QByteArray::number(qlonglong(st.st_size)) + ':' + QByteArray::number(qlonglong(modified.tv_sec)) + '.' +
           QByteArray::number(qlonglong(modified.tv_nsec));
#else
    const QFileInfo info(path);
    if (!info.exists())
        return QByteArrayLiteral("none");
    return QByteArray::number(info.size()) + ':' + QByteArray::number(info.lastModified().toMSecsSinceEpoch());
#endif
}

std::optional<QJsonObject> parseObject(const QByteArray &bytes, QString *why = nullptr)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        if (why)
            *why = QStringLiteral("not valid JSON (%1 at byte %2)").arg(error.errorString()).arg(error.offset);
        return std::nullopt;
    }
    if (!doc.isObject()) {
        if (why)
            *why = QStringLiteral("not a JSON object");
        return std::nullopt;
    }
    return doc.object();
}

// One writer at a time across processes. The kernel drops the lock with its process, so a killed writer
// never leaves a lock that has to age first.
class FileLock {
public:
    explicit FileLock(const QString &path)
#if !defined(Q_OS_UNIX)
        : lock_(path)
#endif
    {
#if defined(Q_OS_UNIX)
        fd_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        openErrno_ = fd_ < 0 ? errno : 0;
#else
        lock_.setStaleLockTime(5000);
#endif
    }
    ~FileLock()
    {
#if defined(Q_OS_UNIX)
        if (fd_ >= 0)
            ::close(fd_); // releases the lock
#endif
    }
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // The error that keeps the lock file from being made at all (a read-only folder, a full disk); 0 if none.
    int openError() const
    {
#if defined(Q_OS_UNIX)
        return fd_ < 0 ? openErrno_ : 0;
#else
        return 0;
#endif
    }

    bool acquire(int waitMs)
    {
#if defined(Q_OS_UNIX)
        if (fd_ < 0)
            return false;
        const QDeadlineTimer deadline(waitMs);
        for (;;) {
            if (::flock(fd_, LOCK_EX | LOCK_NB) == 0)
                return true;
            if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired())
                return false;
            QThread::msleep(2);
        }
#else
        return lock_.tryLock(waitMs);
#endif
    }

private:
#if defined(Q_OS_UNIX)
    int fd_ = -1;
    int openErrno_ = 0;
#else
    QLockFile lock_;
#endif
};

// A second name for the file as it is now: a hard link where the file system has them, else a copy.
bool keepCopy(const QString &from, const QString &to)
{
#if defined(Q_OS_UNIX)
    const QString temporary = to + QLatin1String(SafeFile::temporaryInfix) + QString::number(::getpid());
    ::unlink(QFile::encodeName(temporary).constData());
    if (::link(QFile::encodeName(from).constData(), QFile::encodeName(temporary).constData()) == 0) {
        if (::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(to).constData()) == 0)
            return true;
        ::unlink(QFile::encodeName(temporary).constData());
    }
#endif
    QFile::remove(to);
    return QFile::copy(from, to);
}

} // namespace

Settings::Settings() : Settings(defaultPath(), defaultLegacyPath()) {}

Settings::Settings(const QString &filePath, const QString &legacyIniPath) : path_(filePath), legacyPath_(legacyIniPath)
{
}

Settings::~Settings()
{
    // A change that could not be written yet gets one more, short, try.
    if (!pending_.isEmpty())
        sync(lockPollMs);
}

QString Settings::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Saltbush/Brolga.json");
}

QString Settings::defaultLegacyPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Saltbush/Brolga.conf");
}

QString Settings::lastGoodPath(const QString &filePath)
{
    QString base = filePath;
    if (base.endsWith(QLatin1String(".json")))
        base.chop(5);
    return base + QStringLiteral(".last-good.json");
}

void Settings::refresh() const
{
    if (!loaded_ || signatureOf(path_) != signature_)
        load();
}

void Settings::load() const
{
    signature_ = signatureOf(path_);
    loaded_ = true;
    fileIsGood_ = false;
    damaged_ = false;
    damagedReason_.clear();
    values_ = {};

    const SafeFile::Read file = SafeFile::read(path_);
    if (file.status == SafeFile::Read::Status::missing) {
        // Nothing of our own yet: what an earlier version kept moves over with the first write.
        if (!legacyPath_.isEmpty())
            values_ = LegacySettings::read(legacyPath_);
    } else if (file.ok()) {
        if (const auto object = parseObject(file.bytes, &damagedReason_)) {
            values_ = *object;
            fileIsGood_ = true;
        } else {
            damaged_ = true;
        }
    } else {
        damaged_ = true;
        damagedReason_ = file.error;
    }

    const QJsonValue record = values_.value(key(stateKey));
    const bool recordDamaged = !record.isUndefined() && !record.isObject();
    if (!damaged_ && !recordDamaged)
        return;

    // Start from the last good copy, then take every member that can still be read from the damaged text:
    // those are newer than the copy.
    QJsonObject recovered;
    if (const SafeFile::Read good = SafeFile::read(lastGoodPath(path_)); good.ok())
        recovered = parseObject(good.bytes).value_or(QJsonObject());
    if (damaged_) {
        QJsonObject state = recovered.value(key(stateKey)).toObject();
        const QJsonObject found = JsonSalvage::scalarMembers(file.bytes);
        for (auto it = found.begin(); it != found.end(); ++it) {
            if (isSettingsKey(it.key()))
                recovered.insert(it.key(), it.value());
            else
                state.insert(it.key(), it.value());
        }
        if (!state.isEmpty())
            recovered.insert(key(stateKey), state);
        values_ = recovered;
    } else {
        fileIsGood_ = false;
        damaged_ = true;
        damagedReason_ = QStringLiteral("the saved record is not a JSON object");
        QJsonObject state = recovered.value(key(stateKey)).toObject();
        const QJsonObject found = JsonSalvage::scalarMembers(record.toString().toUtf8());
        for (auto it = found.begin(); it != found.end(); ++it)
            state.insert(it.key(), it.value());
        if (state.isEmpty())
            values_.remove(key(stateKey));
        else
            values_.insert(key(stateKey), state);
    }
}

bool Settings::wasUnreadable() const
{
    refresh();
    return damaged_;
}

QString Settings::unreadableReason() const
{
    refresh();
    return damagedReason_;
}

bool Settings::keepDamagedAside()
{
    if (!QFileInfo::exists(path_))
        return true; // the damage came from the earlier version's file, which we never overwrite
    QString base = path_;
    if (base.endsWith(QLatin1String(".json")))
        base.chop(5);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = base + QStringLiteral(".unreadable-%1.json").arg(stamp);
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = base + QStringLiteral(".unreadable-%1-%2.json").arg(stamp).arg(n);
    if (keepCopy(path_, aside))
        return true;
    lastError_ = QString::fromUtf16(SafeFile::diskFull);
    return false;
}

void Settings::removeLeftoversLocked()
{
    // Nobody else can be writing while we hold the lock: any temporary now is a killed writer's.
    SafeFile::removeLeftovers(path_, SafeFile::Leftovers::all);
    SafeFile::removeLeftovers(lastGoodPath(path_), SafeFile::Leftovers::all);
    if (!legacyPath_.isEmpty()) {
        // QSettings' own lock and temporaries ("Brolga.conf.lock", "Brolga.conf.AbC123") are never used again.
        const QFileInfo legacy(legacyPath_);
        QFile::remove(legacyPath_ + QStringLiteral(".lock"));
        for (const QFileInfo &left :
             legacy.absoluteDir().entryInfoList({legacy.fileName() + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden))
            QFile::remove(left.absoluteFilePath());
    }
    cleanedUp_ = true;
}

void Settings::removeLeftovers()
{
    if (cleanedUp_ || !QFileInfo::exists(QFileInfo(path_).absolutePath()))
        return;
    FileLock lock(path_ + QStringLiteral(".lock"));
    if (lock.openError() == 0 && lock.acquire(0))
        removeLeftoversLocked();
}

Settings::Write Settings::sync(int waitMs)
{
    if (pending_.isEmpty())
        return Write::written;
    QDir().mkpath(QFileInfo(path_).absolutePath());
    FileLock lock(path_ + QStringLiteral(".lock"));
    if (const int error = lock.openError()) {
        lastError_ = SafeFile::sentenceFor(error);
        return Write::failed;
    }
    if (!lock.acquire(waitMs))
        return Write::busy;

    if (!cleanedUp_)
        removeLeftoversLocked();

    // What another process wrote since we last looked is kept; only our own changes go on top.
    refresh();
    if (damaged_ && QFileInfo::exists(path_) && !fileIsGood_ && !keepDamagedAside())
        return Write::failed;
    QJsonObject merged = values_;
    for (auto it = pending_.begin(); it != pending_.end(); ++it)
        merged.insert(it.key(), it.value());
    // The file being replaced becomes the last good copy, once its successor is safely written.
    const bool keepGood = fileIsGood_;
    const auto keepLastGood = [this, keepGood] {
        if (keepGood)
            keepCopy(path_, lastGoodPath(path_));
    };
    if (const QString error = SafeFile::write(path_, QJsonDocument(merged).toJson(QJsonDocument::Indented),
                                              SafeFile::Access::privateToUser, keepLastGood);
        !error.isEmpty()) {
        lastError_ = error;
        return Write::failed;
    }
    values_ = merged;
    pending_ = {};
    fileIsGood_ = true;
    damaged_ = false;
    damagedReason_.clear();
    signature_ = signatureOf(path_);
    lastError_.clear();
    return Write::written;
}

QJsonValue Settings::value(const char *k) const
{
    const QString name = key(k);
    if (pending_.contains(name))
        return pending_.value(name);
    refresh();
    return values_.value(name);
}

Settings::Write Settings::set(const char *k, const QJsonValue &v)
{
    if (value(k) == v && !pending_.contains(key(k)))
        return Write::written;
    pending_.insert(key(k), v);
    return sync(lockPollMs);
}

std::optional<QByteArray> Settings::storedState() const
{
    // What is on disk (or recovered from it), not a change of ours still waiting to be written.
    refresh();
    const QJsonValue v = values_.value(key(stateKey));
    if (v.isObject())
        return QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact);
    if (v.isString())
        return v.toString().toUtf8();
    return std::nullopt;
}

Settings::Write Settings::setStoredState(const QByteArray &bytes)
{
    // Kept as an object, so the file reads as JSON all through; bytes that are no object are kept as text.
    const auto object = parseObject(bytes);
    return set(stateKey, object ? QJsonValue(*object) : QJsonValue(QString::fromUtf8(bytes)));
}

bool Settings::hasLaunched() const
{
    return value(hasLaunchedKey).toBool(false);
}
void Settings::setHasLaunched(bool v)
{
    set(hasLaunchedKey, v);
}

bool Settings::coachMarkShown() const
{
    return value(coachMarkShownKey).toBool(false);
}
void Settings::setCoachMarkShown(bool v)
{
    set(coachMarkShownKey, v);
}

std::optional<QDateTime> Settings::updateLastCheck() const
{
    // Kept as seconds since 2001-01-01 UTC, like the dates of the stored record.
    const QJsonValue v = value(updateLastCheckKey);
    if (!v.isDouble())
        return std::nullopt;
    const QDateTime when = StateCodec::fromReferenceSeconds(v.toDouble());
    if (!when.isValid())
        return std::nullopt;
    return when;
}

void Settings::setUpdateLastCheck(const QDateTime &when)
{
    set(updateLastCheckKey, StateCodec::toReferenceSeconds(when));
}

QString Settings::updateDismissedVersion() const
{
    return value(updateDismissedVersionKey).toString();
}
void Settings::setUpdateDismissedVersion(const QString &version)
{
    set(updateDismissedVersionKey, version);
}

QString Settings::globalShortcut() const
{
    const QJsonValue v = value(globalShortcutKey);
    return v.isString() ? v.toString() : QString::fromLatin1(defaultGlobalShortcut);
}
void Settings::setGlobalShortcut(const QString &keys)
{
    set(globalShortcutKey, keys);
}

std::optional<qint64> Settings::openClient() const
{
    const QJsonValue v = value(openClientKey);
    if (!v.isDouble() || v.toDouble() < 1 || v.toDouble() != std::floor(v.toDouble()))
        return std::nullopt;
    return qint64(v.toDouble());
}
void Settings::setOpenClient(std::optional<qint64> id)
{
    set(openClientKey, id ? QJsonValue(double(*id)) : QJsonValue());
}

std::optional<QRect> Settings::windowFrame() const
{
    const QJsonValue v = value(windowFrameKey);
    if (!v.isString())
        return std::nullopt;
    const QStringList parts = v.toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 4)
        return std::nullopt;
    int numbers[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = parts[i].toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    const QRect frame(numbers[0], numbers[1], numbers[2], numbers[3]);
    if (frame.width() <= 0 || frame.height() <= 0)
        return std::nullopt;
    return frame;
}

void Settings::setWindowFrame(const QRect &frame)
{
    set(windowFrameKey,
        QStringLiteral("%1 %2 %3 %4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height()));
}

} // namespace brolga

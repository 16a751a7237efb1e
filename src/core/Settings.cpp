#include "core/Settings.h"

#include "core/DamagedJsonReader.h"
#include "core/SafeFile.h"
#include "core/StateJson.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QStandardPaths>

#include <cmath>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#endif

namespace brolga {

namespace {

QString key(const char *k)
{
    return QString::fromLatin1(k);
}

bool isSettingsKey(const QString &k)
{
    for (const char *known : {Settings::stateKey, Settings::hasLaunchedKey, Settings::coachMarkShownKey,
                              Settings::updateLastCheckKey, Settings::updateDismissedVersionKey,
                              Settings::windowFrameKey, Settings::openClientKey, Settings::globalShortcutKey,
                              Settings::detailedInputsKey, Settings::clientBookOnServerKey, Settings::officeServerKey})
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

} // namespace

Settings::Settings() : Settings(defaultPath()) {}

Settings::Settings(const QString &filePath) : path_(filePath) {}

Settings::~Settings()
{
    // A change that could not be written yet gets one more try.
    if (!pending_.isEmpty())
        sync();
}

QString Settings::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Saltbush/Brolga.json");
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
    fileBytes_.clear();

    const SafeFile::Read file = SafeFile::read(path_);
    if (file.status == SafeFile::Read::Status::missing) {
        // Nothing saved yet.
    } else if (file.ok()) {
        if (const auto object = parseObject(file.bytes, &damagedReason_)) {
            values_ = *object;
            fileBytes_ = file.bytes;
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
        const QJsonObject found = DamagedJsonReader::scalarMembers(file.bytes);
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
        const QJsonObject found = DamagedJsonReader::scalarMembers(record.toString().toUtf8());
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
    // Once per damaged file: saves failing over it (a full disk) add no more copies.
    const QByteArray signature = signatureOf(path_);
    if (signature == keptAside_)
        return true;
    const SafeFile::Read damaged = SafeFile::read(path_, maxUnreadableCopyBytes);
    // A folder or a FIFO in its place has no bytes to keep; the write refuses it and says which it is.
    if (damaged.status == SafeFile::Read::Status::missing || damaged.status == SafeFile::Read::Status::notRegular)
        return true;
    const QString name = QFileInfo(path_).fileName();
    if (!damaged.ok()) {
        lastError_ = damaged.status == SafeFile::Read::Status::tooLarge
                         ? QStringLiteral("%1 is too large to keep a copy of").arg(name)
                         : damaged.error;
        return false;
    }
    QString base = path_;
    if (base.endsWith(QLatin1String(".json")))
        base.chop(5);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = base + QStringLiteral(".unreadable-%1.json").arg(stamp);
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = base + QStringLiteral(".unreadable-%1-%2.json").arg(stamp).arg(n);
    // A copy of the bytes, never a link: the file it came from is about to be replaced.
    if (const QString error = SafeFile::write(aside, damaged.bytes, SafeFile::Access::privateToUser);
        !error.isEmpty()) {
        lastError_ = error;
        return false;
    }
    keptAside_ = signature;
    // Only the newest few are kept.
    const QFileInfo file(base);
    const QFileInfoList copies = file.absoluteDir().entryInfoList(
        {file.fileName() + QStringLiteral(".unreadable-*.json")}, QDir::Files | QDir::Hidden, QDir::Time);
    for (qsizetype i = keptUnreadableCopies; i < copies.size(); ++i)
        QFile::remove(copies[i].absoluteFilePath());
    return true;
}

void Settings::removeLeftovers()
{
    // This process is the file's one writer: any temporary now is a killed writer's.
    if (cleanedUp_)
        return;
    SafeFile::removeLeftovers(path_, SafeFile::Leftovers::all);
    SafeFile::removeLeftovers(lastGoodPath(path_), SafeFile::Leftovers::all);
    cleanedUp_ = true;
}

Settings::Write Settings::sync()
{
    if (pending_.isEmpty())
        return Write::written;
    QDir().mkpath(QFileInfo(path_).absolutePath());
    removeLeftovers();

    // Keys the program's other Settings objects wrote since we last looked are kept; only ours go on top.
    refresh();
    if (damaged_ && !fileIsGood_ && !keepDamagedAside())
        return Write::failed;
    QJsonObject merged = values_;
    for (auto it = pending_.begin(); it != pending_.end(); ++it)
        merged.insert(it.key(), it.value());
    const QByteArray bytes = QJsonDocument(merged).toJson(QJsonDocument::Indented);
    // The file being replaced becomes the last good copy, once its successor is safely written: a copy of its
    // bytes, so emptying the live file (or a link's target) cannot reach it.
    const QByteArray good = fileIsGood_ ? fileBytes_ : QByteArray();
    const auto keepLastGood = [this, &good] {
        if (!good.isEmpty())
            SafeFile::write(lastGoodPath(path_), good, SafeFile::Access::privateToUser);
    };
    if (const QString error = SafeFile::write(path_, bytes, SafeFile::Access::privateToUser, keepLastGood);
        !error.isEmpty()) {
        lastError_ = error;
        return Write::failed;
    }
    values_ = merged;
    fileBytes_ = bytes;
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
    return sync();
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

bool Settings::detailedInputs() const
{
    return value(detailedInputsKey).toBool(false);
}
void Settings::setDetailedInputs(bool v)
{
    set(detailedInputsKey, v);
}

std::optional<QDateTime> Settings::updateLastCheck() const
{
    // Kept as seconds since 2001-01-01 UTC, like the dates of the stored record.
    const QJsonValue v = value(updateLastCheckKey);
    if (!v.isDouble())
        return std::nullopt;
    const QDateTime when = StateJson::fromReferenceSeconds(v.toDouble());
    if (!when.isValid())
        return std::nullopt;
    return when;
}

void Settings::setUpdateLastCheck(const QDateTime &when)
{
    set(updateLastCheckKey, StateJson::toReferenceSeconds(when));
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

bool Settings::clientBookOnServer() const
{
    return value(clientBookOnServerKey).toBool(false);
}
void Settings::setClientBookOnServer(bool v)
{
    set(clientBookOnServerKey, v);
}

ServerAddress Settings::officeServer() const
{
    const QJsonObject o = value(officeServerKey).toObject();
    ServerAddress address;
    address.host = o.value(QLatin1String("host")).toString();
    address.port = o.value(QLatin1String("port")).toInt(address.port);
    address.database = o.value(QLatin1String("database")).toString();
    address.user = o.value(QLatin1String("user")).toString();
    return address;
}
void Settings::setOfficeServer(const ServerAddress &a)
{
    set(officeServerKey, QJsonObject{{QStringLiteral("host"), a.host},
                                     {QStringLiteral("port"), a.port},
                                     {QStringLiteral("database"), a.database},
                                     {QStringLiteral("user"), a.user}});
}

std::optional<QRect> Settings::windowFrame() const
{
    const QJsonValue v = value(windowFrameKey);
    if (!v.isString())
        return std::nullopt;
    const QStringList parts = v.toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 4)
        return std::nullopt;
    qint64 n[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        n[i] = parts[i].toLongLong(&ok);
        if (!ok)
            return std::nullopt;
    }
    // Checked in 64 bits before QRect adds them up in int: every edge stays where a window can be.
    const auto reachable = [](qint64 c) { return c >= -maxFrameCoordinate && c <= maxFrameCoordinate; };
    if (n[2] <= 0 || n[3] <= 0 || !reachable(n[0]) || !reachable(n[1]) || !reachable(n[0] + n[2]) ||
        !reachable(n[1] + n[3]))
        return std::nullopt;
    return QRect(int(n[0]), int(n[1]), int(n[2]), int(n[3]));
}

void Settings::setWindowFrame(const QRect &frame)
{
    set(windowFrameKey,
        QStringLiteral("%1 %2 %3 %4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height()));
}

} // namespace brolga

#include "core/ClientBook.h"

#include "brand/BrandResources.h"
#include "core/ClientInputs.h"
#include "core/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <algorithm>
#include <atomic>
#include <limits>
#include <utility>
#include <vector>

namespace brolga {

namespace {

// SQLite's primary result codes (the low byte of the extended ones the driver reports).
enum SqliteCode {
    sqliteBusy = 5,
    sqliteLocked = 6,
    sqliteReadOnly = 8,
    sqliteCorrupt = 11,
    sqliteFull = 13,
    sqliteNotADatabase = 26
};
// A read-only connection met the journal of a save that was cut short, which only a writer can roll back.
constexpr int sqliteReadOnlyRollback = sqliteReadOnly | (3 << 8);

int primaryCode(const QSqlError &error)
{
    return error.nativeErrorCode().toInt() & 0xff;
}

ClientBook::Status statusFor(const QSqlError &error)
{
    switch (primaryCode(error)) {
    case sqliteBusy:
    case sqliteLocked: return ClientBook::Status::locked;
    case sqliteCorrupt:
    case sqliteNotADatabase: return ClientBook::Status::unreadable;
    default: return ClientBook::Status::failed;
    }
}

const QString goneMessage = QStringLiteral("That client is no longer in the book.");
const QString bookFullMessage = QStringLiteral("Could not save \u2014 the client book is full.");

// Each step brings the book from the version of its index to the next; a new version appends a step and never
// edits an old one. Statements only add: a book stays readable by the version that made it.
const std::vector<std::vector<const char *>> &migrations()
{
    static const std::vector<std::vector<const char *>> steps{
        // 1: the first book. AUTOINCREMENT never hands an id out twice, so an undone delete gets its own back.
        {"CREATE TABLE clients (id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT NOT NULL, note TEXT NOT NULL "
         "DEFAULT '', inputs TEXT NOT NULL, created INTEGER NOT NULL, changed INTEGER NOT NULL)",
         "CREATE INDEX clients_by_change ON clients (changed DESC, id DESC)"},
        // 2: "Recently deleted". A delete only stamps the row, so it comes back whole, columns of other versions
        // included; rows deleted long enough ago are purged on opening.
        {"ALTER TABLE clients ADD COLUMN deleted INTEGER"},
        // 3: the tabs of the client's last report; NULL for a client without one.
        {"ALTER TABLE clients ADD COLUMN report_tabs TEXT"},
        // 4: whose client it is and how often it changed, as on an office server (whose book office-book.sql makes
        // at this version): a save over a change made elsewhere since the client was read is refused.
        {"ALTER TABLE clients ADD COLUMN owner TEXT NOT NULL DEFAULT ''",
         "ALTER TABLE clients ADD COLUMN version INTEGER NOT NULL DEFAULT 1",
         "ALTER TABLE clients ADD COLUMN changed_by TEXT NOT NULL DEFAULT ''"},
    };
    return steps;
}

QDateTime fromMSecs(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
}

// A new client's whole row; its id, the next one, is written back into `client`.
bool insertRow(const BookEngine &engine, QSqlQuery &q, Client &client, const QByteArray &inputs)
{
    q.prepare(QStringLiteral("INSERT INTO clients (name, note, inputs, created, changed) VALUES (?, ?, ?, ?, ?)") +
              engine.returningId());
    q.addBindValue(client.name);
    q.addBindValue(client.note);
    q.addBindValue(QString::fromUtf8(inputs));
    q.addBindValue(client.created.toMSecsSinceEpoch());
    q.addBindValue(client.changed.toMSecsSinceEpoch());
    client.id = engine.insert(q);
    return client.id != 0;
}

bool listedBefore(const Client &a, const Client &b)
{
    return a.changed != b.changed ? a.changed > b.changed : a.id > b.id;
}

bool deletedBefore(const Client &a, const Client &b)
{
    return a.deleted != b.deleted ? a.deleted > b.deleted : a.id > b.id;
}

// Bidirectional marks, embeddings, overrides and isolates would reorder the text around a name wherever it is
// shown; the zero-width space, word joiner and byte order mark are invisible.
bool isFormatControl(char16_t c)
{
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0x200E || c == 0x200F || c == 0x061C ||
           c == 0x200B || c == 0x2060 || c == 0xFEFF;
}

// Something a reader can see: not only joiners and combining marks.
bool hasVisible(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        const auto category = c.category();
        return category != QChar::Other_Format && category != QChar::Mark_NonSpacing &&
               category != QChar::Mark_Enclosing && category != QChar::Mark_SpacingCombining && !c.isSpace();
    });
}

bool isLineOrTab(char16_t c)
{
    return c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == 0x85 || c == 0x2028 ||
           c == 0x2029;
}

// Line breaks and tabs are kept (a break of any kind as "\n") or made spaces; other control characters, and
// halves of a surrogate pair without the other half, go.
QString withoutControls(const QString &raw, bool keepLines)
{
    QString text;
    text.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw[i];
        if (c.isHighSurrogate() && i + 1 < raw.size() && raw[i + 1].isLowSurrogate()) {
            text += c;
            text += raw[++i];
        } else if (c.isSurrogate()) {
            continue;
        } else if (isLineOrTab(c.unicode())) {
            if (!keepLines)
                text += u' ';
            else if (c == u'\n' || c == u'\t')
                text += c;
            else if (c != u'\r' || i + 1 == raw.size() || raw[i + 1] != u'\n') // "\r\n" is one break
                text += u'\n';
        } else if (c.category() != QChar::Other_Control && !isFormatControl(c.unicode())) {
            text += c;
        }
    }
    return text;
}

// At most `count` code points, never half a surrogate pair.
QString clamped(const QString &text, int count)
{
    qsizetype end = 0;
    for (int n = 0; n < count && end < text.size(); ++n)
        end += text[end].isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
    return text.left(end);
}

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("brolga-clients-%1").arg(++counter);
}

} // namespace

ClientBook::ClientBook(QObject *parent) : ClientBook(defaultPath(), parent) {}

ClientBook::ClientBook(const QString &path, QObject *parent) : ClientBook(path, Access::readWrite, parent) {}

ClientBook::ClientBook(const QString &path, Access access, QObject *parent)
    : QObject(parent), path_(path), server_(ServerAddress::fromUrl(path)),
      engine_(server_ ? BookEngine::Kind::postgresql : BookEngine::Kind::sqlite), access_(access),
      clock_([] { return QDateTime::currentDateTimeUtc(); })
{
    if (server_)
        path_ = server_->url();
    open();
}

ClientBook::~ClientBook()
{
    close();
}

QString ClientBook::defaultPath()
{
    // Beside the logo, in the per-user data folder.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Brolga/Clients.sqlite");
}

int ClientBook::schemaVersion()
{
    return int(migrations().size());
}

QString ClientBook::officeBookSql()
{
    BrandResources::ensureLoaded();
    QFile file(QStringLiteral(":/office-book.sql"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString ClientBook::statusMessage() const
{
    switch (status_) {
    case Status::open: return {};
    case Status::unreadable:
        return QStringLiteral("The client book could not be read; Brolga left the file as it was.");
    case Status::newerVersion:
        return QStringLiteral("The client book was saved by a newer version of Brolga; update Brolga to open it.");
    case Status::locked: return QStringLiteral("The client book is in use by another program; close it and try again.");
    case Status::failed: return QStringLiteral("The client book could not be opened (%1).").arg(detail_);
    }
    return {};
}

bool ClientBook::fail(Status status, const QString &detail)
{
    status_ = status;
    detail_ = detail;
    clients_.clear();
    deleted_.clear();
    lastError_ = statusMessage();
    return false;
}

void ClientBook::close()
{
    if (connection_.isEmpty())
        return;
    QSqlDatabase::database(connection_, false).close();
    QSqlDatabase::removeDatabase(connection_);
    if (std::exchange(madeLog_, false) && QFileInfo(path_).isWritable()) {
        // A reader cannot remove the empty log and index it made; a connection that may write does so on
        // closing when it is the last one, as Brolga's own does, and leaves them to anyone still using them.
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
            db.setDatabaseName(path_);
            if (db.open()) {
                QSqlQuery q(db);
                if (q.exec(QStringLiteral("PRAGMA query_only = ON")))
                    q.exec(QStringLiteral("PRAGMA user_version"));
            }
        }
        QSqlDatabase::removeDatabase(connection_);
    }
    connection_.clear();
}

bool ClientBook::open()
{
    close();
    lastError_.clear();
    return server_ ? openServer() : openFile();
}

bool ClientBook::openServer()
{
    connection_ = nextConnectionName();
    QSqlDatabase db = QSqlDatabase::addDatabase(engine_.driver(), connection_);
    if (!db.isValid())
        return fail(Status::failed, QStringLiteral("Qt's PostgreSQL driver is not installed"));
    BookEngine::setServer(db, *server_);
    if (!db.open())
        return fail(Status::failed, db.lastError().databaseText().section(u'\n', 0, 0).trimmed());
    QSqlQuery q(db);
    // The office makes the server's book and brings it up (office-book.sql); a broker's role may not.
    if (!q.exec(QStringLiteral("SELECT version FROM brolga_book")) || !q.next())
        return fail(Status::failed, QStringLiteral("the server holds no Brolga client book"));
    version_ = q.value(0).toInt();
    if (version_ > schemaVersion())
        return fail(Status::newerVersion);
    if (version_ < schemaVersion())
        return fail(Status::failed, QStringLiteral("the server's book is from an older Brolga"));
    // A reader's session is refused every write by the server itself.
    if (access_ == Access::readOnly && !q.exec(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY")))
        return fail(Status::failed, q.lastError().databaseText());
    q.finish();
    status_ = Status::open;
    purgeDeleted();
    if (!loadList(version_))
        return false;
    detail_.clear();
    return true;
}

bool ClientBook::openFile()
{
    const QFileInfo file(path_);
    if (file.exists() && !file.isFile())
        return fail(Status::failed, QStringLiteral("not a file"));
    if (!file.exists() && access_ == Access::readOnly)
        return fail(Status::failed, QStringLiteral("there is no such file"));
    if (!file.exists()) {
        QDir().mkpath(file.absolutePath());
        // Private from the first byte; SQLite gives its -wal and -shm the same permissions.
        QFile made(path_);
        if (!made.open(QIODevice::WriteOnly | QIODevice::NewOnly) && !file.exists())
            return fail(Status::failed, made.errorString());
        made.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }

    connection_ = nextConnectionName();
    const bool logExisted = QFileInfo::exists(path_ + QStringLiteral("-wal"));
    // A file of ours is opened for writing from the first look: only a writer rolls back the journal of a save
    // cut short by a kill, and reading changes nothing in a file that is not a book. A reader, or a file we may
    // not write, is looked at without the right to write.
    const bool writing = access_ == Access::readWrite && QFileInfo(path_).isWritable();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
        if (!db.isValid())
            return fail(Status::failed, QStringLiteral("Qt's SQLite driver is not installed"));
        db.setDatabaseName(path_);
        db.setConnectOptions(QStringLiteral("%1QSQLITE_BUSY_TIMEOUT=%2")
                                 .arg(writing ? QString() : QStringLiteral("QSQLITE_OPEN_READONLY;"))
                                 .arg(busyTimeoutMs));
    }
    status_ = Status::open;
    const int version = version_ = inspect();
    if (status_ != Status::open) {
        // Reading a file in write-ahead mode makes an empty log and its index; a file nobody can use gets back
        // the folder it had. (A newer Brolga or the program holding a lock may be using those of its own.)
        close();
        const QFileInfo log(path_ + QStringLiteral("-wal"));
        if (status_ == Status::unreadable && !logExisted && log.exists() && log.size() == 0) {
            QFile::remove(path_ + QStringLiteral("-wal"));
            QFile::remove(path_ + QStringLiteral("-shm"));
        }
        return false;
    }
    if (!writing) {
        madeLog_ = !logExisted && QFileInfo::exists(path_ + QStringLiteral("-wal"));
        clients_.clear(); // a database that is not a book yet holds no clients
        deleted_.clear();
        return version == 0 || loadList(version);
    }

    QSqlQuery q(QSqlDatabase::database(connection_, false));
    // A commit is flushed to the disk before it returns: a save that returned survives a killed process and a
    // power cut.
    if (!q.exec(QStringLiteral("PRAGMA synchronous = FULL")))
        return fail(statusFor(q.lastError()), q.lastError().databaseText());
    // Readers never wait for a save, and a save is one append to the log. Set once the file is known to be a
    // book of ours (the mode is written into its header), and before the first migration, so that even the
    // book's making is one append a kill cannot leave half done. (Where the log cannot be used, the rollback
    // journal is as safe.)
    if (!q.exec(QStringLiteral("PRAGMA journal_mode = WAL")))
        return fail(statusFor(q.lastError()), q.lastError().databaseText());
    q.finish();
    if (version < schemaVersion() && !migrate())
        return false;
    version_ = schemaVersion();
    purgeDeleted();
    if (!loadList(schemaVersion()))
        return false;
    detail_.clear();
    return true;
}

// Clients deleted longer ago than the book keeps them go for good. A book busy elsewhere is purged next time.
void ClientBook::purgeDeleted()
{
    const qint64 before = now() - qint64(keepDeletedDays) * 24 * 3600 * 1000;
    write([before](QSqlQuery &q) {
        q.prepare(QStringLiteral("DELETE FROM clients WHERE deleted IS NOT NULL AND deleted < ?"));
        q.addBindValue(before);
        return q.exec();
    });
    lastError_.clear();
}

// The version of a file fit to open; on anything else the status says why.
int ClientBook::inspect()
{
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.open())
        return fail(statusFor(db.lastError()), db.lastError().databaseText());
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
        if (q.lastError().nativeErrorCode().toInt() == sqliteReadOnlyRollback)
            return fail(Status::failed, QStringLiteral("a save was cut short; start Brolga once to finish it"));
        return fail(statusFor(q.lastError()), q.lastError().databaseText());
    }
    const int version = q.value(0).toInt();
    if (version > schemaVersion())
        return fail(Status::newerVersion);
    // Damage is found here, before a write could spread it (a file cut short, a page overwritten).
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next())
        return fail(statusFor(q.lastError()), q.lastError().databaseText());
    if (q.value(0).toString() != u"ok")
        return fail(Status::unreadable, q.value(0).toString());
    // A database without a version is taken on only when it is empty: another program's tables are not ours.
    if (version == 0) {
        if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !q.next())
            return fail(statusFor(q.lastError()), q.lastError().databaseText());
        if (q.value(0).toInt() != 0)
            return fail(Status::unreadable, QStringLiteral("not a client book"));
    }
    status_ = Status::open;
    return version;
}

bool ClientBook::migrate()
{
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail(statusFor(q.lastError()), q.lastError().databaseText());
    const auto failAndRollBack = [&](Status status, const QString &detail) {
        q.finish();
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return fail(status, detail);
    };
    // Another Brolga may have brought the book up since the first look.
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        return failAndRollBack(statusFor(q.lastError()), q.lastError().databaseText());
    const int from = q.value(0).toInt();
    if (from > schemaVersion())
        return failAndRollBack(Status::newerVersion, {});
    for (int v = from; v < schemaVersion(); ++v) {
        for (const char *sql : migrations()[size_t(v)]) {
            if (!q.exec(QString::fromLatin1(sql))) {
                // A statement that does not fit (say, a table of that name already there) means this file is
                // not a client book this build can bring up.
                const Status status = statusFor(q.lastError());
                return failAndRollBack(
                    status == Status::failed && primaryCode(q.lastError()) != sqliteFull ? Status::unreadable : status,
                    q.lastError().databaseText());
            }
        }
    }
    // A pragma takes no bound parameter; the number is ours.
    if (!q.exec(QStringLiteral("PRAGMA user_version = %1").arg(schemaVersion())) || !q.exec(QStringLiteral("COMMIT")))
        return failAndRollBack(statusFor(q.lastError()), q.lastError().databaseText());
    return true;
}

bool ClientBook::loadList(int version)
{
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    // Names and notes no longer than Brolga writes them, whatever a damaged or foreign book holds: a list of
    // megabyte names would take the window down with it.
    // A book from before "Recently deleted", read without being brought up, has no deleted column.
    if (!q.exec(QStringLiteral("SELECT id, substr(name, 1, %1), substr(note, 1, %2), created, changed, %3, %4, %5 "
                               "FROM clients ORDER BY changed DESC, id DESC")
                    .arg(maxNameLength)
                    .arg(maxNoteLength)
                    .arg(version >= 2 ? QStringLiteral("deleted") : QStringLiteral("NULL"))
                    .arg(version >= 4 ? QStringLiteral("owner, version") : QStringLiteral("'', 1"))
                    .arg(onServer() ? QStringLiteral("shared") : QStringLiteral("0"))))
        return fail(statusFor(q.lastError()) == Status::failed ? Status::unreadable : statusFor(q.lastError()),
                    q.lastError().databaseText());
    QList<Client> list, deleted;
    while (q.next()) {
        Client c{q.value(0).toLongLong(),
                 q.value(1).toString(),
                 q.value(2).toString(),
                 fromMSecs(q.value(3).toLongLong()),
                 fromMSecs(q.value(4).toLongLong()),
                 {},
                 q.value(6).toString(),
                 q.value(7).toLongLong(),
                 q.value(8).toBool()};
        if (q.isNull(5)) {
            list.append(c);
        } else {
            c.deleted = fromMSecs(q.value(5).toLongLong());
            deleted.append(c);
        }
    }
    if (q.lastError().isValid())
        return fail(statusFor(q.lastError()), q.lastError().databaseText());
    std::stable_sort(deleted.begin(), deleted.end(), deletedBefore);
    clients_ = std::move(list);
    deleted_ = std::move(deleted);
    return true;
}

bool ClientBook::reopen()
{
    const bool ok = open();
    Q_EMIT changed();
    return ok;
}

bool ClientBook::startNewBook()
{
    // A lock goes away: a book held by another program is not given up for it. A server's book is the office's.
    if (server_ || access_ == Access::readOnly || status_ == Status::open || status_ == Status::locked) {
        lastError_ = QStringLiteral("Only a client book that cannot be used is set aside.");
        return false;
    }
    close();
    QString base = path_;
    if (base.endsWith(QLatin1String(".sqlite")))
        base.chop(7);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = base + QStringLiteral(".unreadable-%1.sqlite").arg(stamp);
    for (int n = 2; QFileInfo::exists(aside) || QFileInfo::exists(aside + QStringLiteral("-wal")); ++n)
        aside = base + QStringLiteral(".unreadable-%1-%2.sqlite").arg(stamp).arg(n);
    // The log and its index go with the file: left behind, a new book would read the old one's log as its own.
    for (const QString &suffix : {QStringLiteral("-wal"), QStringLiteral("-shm"), QString()}) {
        if (QFileInfo::exists(path_ + suffix) && !QFile::rename(path_ + suffix, aside + suffix)) {
            fail(Status::failed, QStringLiteral("it could not be moved aside"));
            return false;
        }
    }
    setAsidePath_ = aside;
    const bool ok = open();
    Q_EMIT changed();
    return ok;
}

QList<Client> ClientBook::recent(int count) const
{
    return clients_.mid(0, count);
}

QList<Client> ClientBook::search(const QString &text) const
{
    const QString needle = text.simplified();
    if (needle.isEmpty())
        return clients_;
    QList<Client> found;
    for (const Client &c : clients_)
        if (c.name.contains(needle, Qt::CaseInsensitive))
            found.append(c);
    return found;
}

std::optional<Client> ClientBook::client(qint64 id) const
{
    const auto it = std::find_if(clients_.begin(), clients_.end(), [id](const Client &c) { return c.id == id; });
    if (it == clients_.end())
        return std::nullopt;
    return *it;
}

std::optional<CalculatorState> ClientBook::inputs(qint64 id)
{
    const auto stored = readStored(id);
    if (!stored)
        return std::nullopt;
    auto state = ClientInputs::decode(stored->toUtf8());
    if (!state)
        lastError_ = QStringLiteral("The figures saved for this client could not be read.");
    return state;
}

std::optional<Client> ClientBook::latest(qint64 id)
{
    return readStored(id) ? client(id) : std::nullopt;
}

std::optional<QString> ClientBook::readStored(qint64 id)
{
    if (!isOpen()) {
        lastError_ = statusMessage();
        return std::nullopt;
    }
    // Only a listed client: one in "Recently deleted" is put back before it is opened.
    if (!client(id)) {
        lastError_ = goneMessage;
        return std::nullopt;
    }
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    // What was saved since the list was read comes too: a later save is checked against what was opened.
    q.prepare(version_ >= 4 ? QStringLiteral("SELECT inputs, substr(name, 1, %1), substr(note, 1, %2), changed, "
                                             "version FROM clients WHERE id = ?")
                                  .arg(maxNameLength)
                                  .arg(maxNoteLength)
                            : QStringLiteral("SELECT inputs FROM clients WHERE id = ?"));
    q.addBindValue(id);
    if (!q.exec()) {
        lastError_ = QStringLiteral("The client could not be read (%1).").arg(q.lastError().databaseText());
        return std::nullopt;
    }
    if (!q.next()) {
        lastError_ = goneMessage;
        return std::nullopt;
    }
    if (version_ >= 4) {
        Client stored = *client(id);
        stored.name = q.value(1).toString();
        stored.note = q.value(2).toString();
        stored.changed = fromMSecs(q.value(3).toLongLong());
        stored.version = q.value(4).toLongLong();
        refresh(stored);
    }
    return q.value(0).toString();
}

std::optional<QString> ClientBook::cleanName(const QString &raw, QString *error)
{
    const QString name = clamped(withoutControls(raw, false).simplified(), maxNameLength).trimmed();
    if (!hasVisible(name)) {
        if (error)
            *error = QString::fromUtf16(emptyNameMessage);
        return std::nullopt;
    }
    return name;
}

QString ClientBook::cleanNote(const QString &raw)
{
    return clamped(withoutControls(raw, true).trimmed(), maxNoteLength).trimmed();
}

qint64 ClientBook::now() const
{
    return clock_().toMSecsSinceEpoch();
}

void ClientBook::refresh(const Client &stored)
{
    if (client(stored.id) == stored)
        return;
    place(stored);
    Q_EMIT changed();
}

void ClientBook::place(const Client &client)
{
    take(client.id);
    clients_.insert(std::lower_bound(clients_.begin(), clients_.end(), client, listedBefore), client);
}

void ClientBook::take(qint64 id)
{
    clients_.removeIf([id](const Client &c) { return c.id == id; });
}

// Nothing was written: the client has gone, or someone saved it since this book read it.
bool ClientBook::refuse(QSqlQuery &q, qint64 id)
{
    q.prepare(QStringLiteral("SELECT changed_by, changed, version FROM clients WHERE id = ? AND deleted IS NULL"));
    q.addBindValue(id);
    if (!q.exec() || !q.next()) {
        lastError_ = goneMessage;
        return false;
    }
    // Unchanged, yet not written: the server lets this broker read the client, not change it.
    if (const Client listed = *client(id); q.value(2).toLongLong() == listed.version) {
        lastError_ = owns(listed) ? QStringLiteral("The office client book does not let you change that client.")
                                  : QStringLiteral("%1 is %2's client, shared for reading: save your figures as a new "
                                                   "client instead.")
                                        .arg(listed.name, listed.owner);
        return false;
    }
    conflict_ = Conflict{q.value(0).toString(), fromMSecs(q.value(1).toLongLong())};
    const QString when = conflict_->at.toLocalTime().toString(QStringLiteral("d MMM yyyy, HH:mm"));
    lastError_ =
        conflict_->by.isEmpty()
            ? QStringLiteral("This client was changed elsewhere (%1) since you opened it; nothing was saved.").arg(when)
            : QStringLiteral("%1 changed this client (%2) since you opened it; nothing was saved.")
                  .arg(conflict_->by, when);
    return false;
}

bool ClientBook::execOnOneRow(QSqlQuery &query)
{
    if (!query.exec())
        return false;
    if (query.numRowsAffected() != 1) {
        lastError_ = goneMessage;
        return false;
    }
    return true;
}

QString ClientBook::writeError(const QSqlError &error) const
{
    switch (engine_.fault(error)) {
    case BookEngine::Fault::full:
        return onServer() ? QStringLiteral("Could not save \u2014 the office server is out of space.")
                          : QString::fromUtf16(SafeFile::diskFull);
    case BookEngine::Fault::busy:
        return QStringLiteral("The client book is busy in another program; try again in a moment.");
    case BookEngine::Fault::unreachable:
        return QStringLiteral("The office client book cannot be reached; nothing was saved.");
    case BookEngine::Fault::denied:
        return QStringLiteral("The office client book does not let you change that client.");
    case BookEngine::Fault::other: break;
    }
    return QStringLiteral("Could not save to the client book (%1).").arg(error.databaseText());
}

bool ClientBook::write(const std::function<bool(QSqlQuery &)> &statements)
{
    conflict_.reset();
    if (!isOpen()) {
        lastError_ = statusMessage();
        return false;
    }
    if (access_ == Access::readOnly) {
        lastError_ = QStringLiteral("The client book is open for reading only.");
        return false;
    }
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    {
        QSqlQuery q(db);
        if (!q.exec(engine_.begin())) {
            lastError_ = writeError(q.lastError());
            return false;
        }
        if (!statements(q)) {
            const QSqlError error = q.lastError();
            q.finish();
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            if (lastError_.isEmpty())
                lastError_ = engine_.fault(error) == BookEngine::Fault::full && idsUsedUp() ? bookFullMessage
                                                                                            : writeError(error);
            return false;
        }
    }
    QSqlQuery commit(db);
    if (!commit.exec(QStringLiteral("COMMIT"))) {
        lastError_ = writeError(commit.lastError());
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    return true;
}

// Every id up to the largest was handed out once: SQLite says "full" though the disk is not.
bool ClientBook::idsUsedUp() const
{
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    return q.exec(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = 'clients'")) && q.next() &&
           q.value(0).toLongLong() == std::numeric_limits<qint64>::max();
}

std::optional<Client> ClientBook::create(const QString &name, const CalculatorState &state, const QString &note)
{
    lastError_.clear();
    const auto cleaned = cleanName(name, &lastError_);
    if (!cleaned)
        return std::nullopt;
    const qint64 at = now();
    Client client{0, *cleaned, cleanNote(note), fromMSecs(at), fromMSecs(at), {}, ownerOfNew(), 1};
    const bool ok = write([&](QSqlQuery &q) { return insertRow(engine_, q, client, ClientInputs::encode(state)); });
    if (!ok)
        return std::nullopt;
    place(client);
    Q_EMIT changed();
    return client;
}

std::optional<Client> ClientBook::update(qint64 id, const QString &column, const QVariant &value,
                                         const std::function<void(Client &)> &patch)
{
    auto client = this->client(id);
    if (!client) {
        lastError_ = isOpen() ? goneMessage : statusMessage();
        return std::nullopt;
    }
    const qint64 at = now();
    const bool ok = write([&](QSqlQuery &q) {
        // The column is one of ours, never the user's text. Only the version this book read is written over.
        q.prepare(QStringLiteral("UPDATE clients SET %1 = ?, changed = ?, version = version + 1 "
                                 "WHERE id = ? AND version = ? AND deleted IS NULL")
                      .arg(column));
        q.addBindValue(value);
        q.addBindValue(at);
        q.addBindValue(id);
        q.addBindValue(client->version);
        if (!q.exec())
            return false;
        return q.numRowsAffected() == 1 || refuse(q, id);
    });
    if (!ok)
        return std::nullopt;
    patch(*client);
    client->changed = fromMSecs(at);
    ++client->version;
    place(*client);
    Q_EMIT changed();
    return client;
}

std::optional<Client> ClientBook::saveChanges(qint64 id, const CalculatorState &state)
{
    lastError_.clear();
    return update(id, QStringLiteral("inputs"), QString::fromUtf8(ClientInputs::encode(state)), [](Client &) {});
}

std::optional<Client> ClientBook::rename(qint64 id, const QString &name)
{
    lastError_.clear();
    const auto cleaned = cleanName(name, &lastError_);
    if (!cleaned)
        return std::nullopt;
    return update(id, QStringLiteral("name"), *cleaned, [&](Client &c) { c.name = *cleaned; });
}

std::optional<QString> ClientBook::reportTabs(qint64 id) const
{
    if (!isOpen() || !client(id))
        return std::nullopt;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    // A short list of tab names, however long a damaged book's cell is; a book read without being brought up
    // has no such column, and so nothing remembered.
    q.prepare(QStringLiteral("SELECT substr(report_tabs, 1, 200) FROM clients WHERE id = ?"));
    q.addBindValue(id);
    if (!q.exec() || !q.next() || q.value(0).isNull())
        return std::nullopt;
    return q.value(0).toString();
}

bool ClientBook::setReportTabs(qint64 id, const QString &tabs)
{
    lastError_.clear();
    return client(id) && write([&](QSqlQuery &q) {
               q.prepare(QStringLiteral("UPDATE clients SET report_tabs = ? WHERE id = ? AND deleted IS NULL"));
               q.addBindValue(tabs);
               q.addBindValue(id);
               return execOnOneRow(q);
           });
}

std::optional<Client> ClientBook::setShared(qint64 id, bool shared)
{
    lastError_.clear();
    if (!onServer()) {
        lastError_ = QStringLiteral("Only the office's client book shares clients.");
        return std::nullopt;
    }
    return update(id, QStringLiteral("shared"), shared, [&](Client &c) { c.shared = shared; });
}

std::optional<Client> ClientBook::setNote(qint64 id, const QString &note)
{
    lastError_.clear();
    const QString cleaned = cleanNote(note);
    return update(id, QStringLiteral("note"), cleaned, [&](Client &c) { c.note = cleaned; });
}

QString ClientBook::freeName(const QString &wanted) const
{
    const auto taken = [this](const QString &name) {
        return std::any_of(clients_.begin(), clients_.end(), [&](const Client &c) { return c.name == name; });
    };
    if (!taken(wanted))
        return wanted;
    for (int n = 1;; ++n) {
        const QString suffix = n == 1 ? QStringLiteral(" (copy)") : QStringLiteral(" (copy %1)").arg(n);
        const QString name = clamped(wanted, maxNameLength - int(suffix.size())).trimmed() + suffix;
        if (!taken(name))
            return name;
    }
}

std::optional<Client> ClientBook::duplicate(qint64 id, const QString &name)
{
    lastError_.clear();
    const auto original = client(id);
    if (!original) {
        lastError_ = isOpen() ? goneMessage : statusMessage();
        return std::nullopt;
    }
    QString wanted = original->name;
    if (!name.isEmpty()) {
        const auto cleaned = cleanName(name, &lastError_);
        if (!cleaned)
            return std::nullopt;
        wanted = *cleaned;
    }
    const qint64 at = now();
    Client copy{0, freeName(wanted), original->note, fromMSecs(at), fromMSecs(at), {}, ownerOfNew(), 1};
    const bool ok = write([&](QSqlQuery &q) {
        // The stored inputs are copied as they are, not decoded and written again.
        q.prepare(QStringLiteral("INSERT INTO clients (name, note, inputs, created, changed) "
                                 "SELECT ?, note, inputs, ?, ? FROM clients WHERE id = ? AND deleted IS NULL") +
                  engine_.returningId());
        q.addBindValue(copy.name);
        q.addBindValue(at);
        q.addBindValue(at);
        q.addBindValue(id);
        copy.id = engine_.insert(q);
        if (copy.id == 0 && !q.lastError().isValid())
            lastError_ = goneMessage;
        return copy.id != 0;
    });
    if (!ok)
        return std::nullopt;
    place(copy);
    Q_EMIT changed();
    return copy;
}

std::optional<int> ClientBook::moveAllFrom(ClientBook &from)
{
    lastError_.clear();
    if (&from == this || !from.isOpen()) {
        lastError_ = from.isOpen() ? QString() : from.statusMessage();
        return from.isOpen() ? std::optional(0) : std::nullopt;
    }
    QSet<std::pair<QString, qint64>> here;
    for (const Client &c : clients_)
        here.insert({c.name, c.created.toMSecsSinceEpoch()});
    // A client another broker shared with the office stays theirs.
    QList<Client> moving;
    std::copy_if(from.clients_.begin(), from.clients_.end(), std::back_inserter(moving),
                 [owner = from.ownerOfNew()](const Client &c) { return c.owner == owner; });
    QList<Client> added;
    const bool copied = write([&](QSqlQuery &q) {
        QSqlQuery read(QSqlDatabase::database(from.connection_, false));
        read.setForwardOnly(true);
        for (const Client &c : moving) {
            if (here.contains({c.name, c.created.toMSecsSinceEpoch()}))
                continue;
            read.prepare(QStringLiteral("SELECT inputs, report_tabs FROM clients WHERE id = ?"));
            read.addBindValue(c.id);
            if (!read.exec() || !read.next()) {
                lastError_ = QStringLiteral("The client could not be read (%1).").arg(read.lastError().databaseText());
                return false;
            }
            Client copy{0, c.name, c.note, c.created, c.changed, {}, ownerOfNew(), 1};
            if (!insertRow(engine_, q, copy, read.value(0).toString().toUtf8()))
                return false;
            // Set apart from the row: an office server lets a broker give a new client its figures, not these.
            if (!read.isNull(1)) {
                q.prepare(QStringLiteral("UPDATE clients SET report_tabs = ? WHERE id = ?"));
                q.addBindValue(read.value(1).toString());
                q.addBindValue(copy.id);
                if (!execOnOneRow(q))
                    return false;
            }
            added.append(copy);
        }
        return true;
    });
    if (!copied)
        return std::nullopt;
    for (const Client &c : added)
        place(c);
    if (!added.isEmpty())
        Q_EMIT changed();

    const qint64 at = from.now();
    const bool removed = from.write([&](QSqlQuery &q) {
        for (const Client &c : moving) {
            q.prepare(QStringLiteral("UPDATE clients SET deleted = ? WHERE id = ? AND deleted IS NULL"));
            q.addBindValue(at);
            q.addBindValue(c.id);
            if (!q.exec())
                return false;
        }
        return true;
    });
    if (!removed) {
        lastError_ = from.lastError();
        return std::nullopt;
    }
    from.loadList(from.version_);
    Q_EMIT from.changed();
    return int(moving.size());
}

std::optional<ClientBook::Removed> ClientBook::remove(qint64 id)
{
    lastError_.clear();
    const auto client = this->client(id);
    if (!client) {
        lastError_ = isOpen() ? goneMessage : statusMessage();
        return std::nullopt;
    }
    const qint64 at = now();
    const bool ok = write([&](QSqlQuery &q) {
        q.prepare(QStringLiteral("UPDATE clients SET deleted = ? WHERE id = ? AND deleted IS NULL"));
        q.addBindValue(at);
        q.addBindValue(id);
        return execOnOneRow(q);
    });
    if (!ok)
        return std::nullopt;
    take(id);
    Client gone = *client;
    gone.deleted = fromMSecs(at);
    deleted_.insert(std::lower_bound(deleted_.begin(), deleted_.end(), gone, deletedBefore), gone);
    Q_EMIT changed();
    return Removed{*client};
}

bool ClientBook::restore(const Removed &removed)
{
    return restore(removed.client.id);
}

bool ClientBook::restore(qint64 id)
{
    lastError_.clear();
    if (client(id)) {
        lastError_ = QStringLiteral("That client is already in the book.");
        return false;
    }
    const auto it = std::find_if(deleted_.begin(), deleted_.end(), [id](const Client &c) { return c.id == id; });
    if (it == deleted_.end()) {
        lastError_ = isOpen() ? goneMessage : statusMessage();
        return false;
    }
    const bool ok = write([&](QSqlQuery &q) {
        q.prepare(QStringLiteral("UPDATE clients SET deleted = NULL WHERE id = ? AND deleted IS NOT NULL"));
        q.addBindValue(id);
        return execOnOneRow(q);
    });
    if (!ok)
        return false;
    Client back = *it;
    deleted_.erase(it);
    back.deleted = {};
    place(back);
    Q_EMIT changed();
    return true;
}

} // namespace brolga

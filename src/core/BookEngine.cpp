#include "core/BookEngine.h"

#include "core/ServerAddress.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace brolga {

namespace {

// SQLite's primary result codes (the low byte of the extended ones the driver reports).
constexpr int sqliteBusy = 5;
constexpr int sqliteLocked = 6;
constexpr int sqliteFull = 13;

BookEngine::Fault sqliteFault(const QSqlError &error)
{
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case sqliteBusy:
    case sqliteLocked: return BookEngine::Fault::busy;
    case sqliteFull: return BookEngine::Fault::full;
    default: return BookEngine::Fault::other;
    }
}

// PostgreSQL reports a SQLSTATE; a connection that went away often reports none at all.
BookEngine::Fault serverFault(const QSqlError &error)
{
    const QString state = error.nativeErrorCode();
    if (error.type() == QSqlError::ConnectionError || state.isEmpty() || state.startsWith(QLatin1String("08")) ||
        state.startsWith(QLatin1String("57P")))
        return BookEngine::Fault::unreachable;
    if (state == u"42501" || state == u"25006") // no privilege or a row policy said no; a read-only session
        return BookEngine::Fault::denied;
    if (state == u"53100")
        return BookEngine::Fault::full;
    if (state == u"40001" || state == u"40P01" || state == u"55P03")
        return BookEngine::Fault::busy;
    return BookEngine::Fault::other;
}

} // namespace

QString BookEngine::driver() const
{
    return kind_ == Kind::sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL");
}

QString BookEngine::begin() const
{
    return kind_ == Kind::sqlite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN");
}

QString BookEngine::returningId() const
{
    // Qt's PostgreSQL driver knows no last insert id but an OID.
    return kind_ == Kind::sqlite ? QString() : QStringLiteral(" RETURNING id");
}

qint64 BookEngine::insert(QSqlQuery &query) const
{
    if (!query.exec())
        return 0;
    if (kind_ == Kind::sqlite)
        return query.lastInsertId().toLongLong();
    return query.next() ? query.value(0).toLongLong() : 0;
}

BookEngine::Fault BookEngine::fault(const QSqlError &error) const
{
    return kind_ == Kind::sqlite ? sqliteFault(error) : serverFault(error);
}

void BookEngine::setServer(QSqlDatabase &db, const ServerAddress &address)
{
    db.setHostName(address.host);
    db.setPort(address.port);
    db.setDatabaseName(address.database);
    db.setUserName(address.user);
    db.setPassword(address.password);
    db.setConnectOptions(QStringLiteral("connect_timeout=5;application_name=Brolga;sslmode=%1")
                             .arg(address.isLocal() ? QStringLiteral("prefer") : QStringLiteral("verify-full")));
}

} // namespace brolga

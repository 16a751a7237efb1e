#include "ServerSetup.h"

#include "core/BookEngine.h"
#include "core/ClientBook.h"
#include "core/ServerAddress.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace brolga::ServerSetup {

namespace {

Outcome onServer(QSqlDatabase &db, const ServerAddress &address)
{
    BookEngine::setServer(db, address);
    const QString where = address.url();
    if (!db.open())
        return {false, QStringLiteral("Could not connect to %1 (%2).")
                           .arg(where, db.lastError().databaseText().section(u'\n', 0, 0).trimmed())};
    QSqlQuery q(db);
    // Asked without an error: a failed statement would spoil the setup's transaction.
    if (!q.exec(QStringLiteral("SELECT to_regclass('brolga_book') IS NOT NULL")) || !q.next())
        return {false, QStringLiteral("Could not read %1 (%2).").arg(where, q.lastError().databaseText())};
    if (q.value(0).toBool()) {
        if (!q.exec(QStringLiteral("SELECT max(version) FROM brolga_book")) || !q.next())
            return {false, QStringLiteral("Could not read %1 (%2).").arg(where, q.lastError().databaseText())};
        if (q.value(0).toInt() > ClientBook::schemaVersion())
            return {false,
                    QStringLiteral("The client book at %1 is from a newer Brolga; nothing was changed.").arg(where)};
        return {true, QStringLiteral("The client book at %1 is already set up; nothing was changed.").arg(where)};
    }
    // One transaction of its own (the file begins and commits it): a failure leaves the database as it was.
    if (!q.exec(ClientBook::officeBookSql())) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return {false, QStringLiteral("Could not set up %1 (%2).").arg(where, q.lastError().databaseText())};
    }
    return {true, QStringLiteral("The client book at %1 is set up; now make one login role per broker "
                                 "(IN ROLE brolga_broker).")
                      .arg(where)};
}

} // namespace

Outcome apply(const QString &address)
{
    const auto server = ServerAddress::fromUrl(address);
    if (!server)
        return {false, QStringLiteral("Give the server as postgresql://OWNER@HOST:PORT/DATABASE.")};
    const QString connection = QStringLiteral("brolga-init-server");
    Outcome outcome;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
        outcome = db.isValid() ? onServer(db, *server)
                               : Outcome{false, QStringLiteral("Qt's PostgreSQL driver is not installed.")};
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return outcome;
}

} // namespace brolga::ServerSetup

#include "core/ServerCheck.h"

#include "core/BookEngine.h"
#include "core/ClientBook.h"
#include "core/ServerAddress.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <utility>

namespace brolga {

namespace {

// Where the client library looks for the office's certificate authority.
#ifdef Q_OS_WIN
constexpr const char *rootCertificate = "%APPDATA%\\postgresql\\root.crt";
#else
constexpr const char *rootCertificate = "~/.postgresql/root.crt";
#endif

bool mentions(const QString &text, std::initializer_list<const char *> phrases)
{
    for (const char *phrase : phrases)
        if (text.contains(QLatin1String(phrase), Qt::CaseInsensitive))
            return true;
    return false;
}

ServerCheck::Result result(ServerCheck::Outcome outcome, const QString &detail = {})
{
    return {outcome, ServerCheck::sentence(outcome, detail)};
}

} // namespace

ServerCheck::Outcome ServerCheck::classify(const QString &text)
{
    // The certificate and TLS checks come first: libpq puts them after "connection to server ... failed".
    if (mentions(text, {"root certificate file", "certificate verify failed", "does not match host name",
                        "certificate present, but not private key", "self-signed certificate"}))
        return Outcome::untrustedCertificate;
    if (mentions(text, {"server does not support SSL"}))
        return Outcome::noTls;
    if (mentions(text, {"password authentication failed", "no password supplied"}))
        return Outcome::wrongPassword;
    if (mentions(text, {"Connection refused", "could not translate host name", "timeout expired", "No route to host",
                        "Network is unreachable", "Connection timed out", "server closed the connection"}))
        return Outcome::unreachable;
    if (mentions(text, {"does not exist", "permission denied"}))
        return Outcome::noBook;
    return Outcome::other;
}

QString ServerCheck::sentence(Outcome outcome, const QString &detail)
{
    switch (outcome) {
    case Outcome::ready: return QStringLiteral("Connected: the office's client book is ready.");
    case Outcome::incomplete: return QStringLiteral("Fill in the server, the database and the user.");
    case Outcome::unreachable:
        return QStringLiteral("The server cannot be reached: check its name and port, and that this computer is on "
                              "the office's network.");
    case Outcome::wrongPassword: return QStringLiteral("The server did not accept this user and password.");
    case Outcome::noTls:
        return QStringLiteral("The server offers no encrypted (TLS) connection, which Brolga needs for a server on "
                              "another computer.");
    case Outcome::untrustedCertificate:
        return QStringLiteral("The server's certificate is not trusted: put the office's certificate authority in "
                              "%1.")
            .arg(QLatin1String(rootCertificate));
    case Outcome::noBook:
        return QStringLiteral("The server holds no Brolga client book for this user: the office sets it up with "
                              "office-book.sql and a role for each broker.");
    case Outcome::schemaTooNew:
        return QStringLiteral("The office's client book was made by a newer Brolga; update Brolga to use it.");
    case Outcome::other: return QStringLiteral("The connection failed (%1).").arg(detail);
    }
    return {};
}

ServerCheck::Result ServerCheck::run(const ServerAddress &address)
{
    if (address.host.isEmpty() || address.database.isEmpty() || address.user.isEmpty())
        return result(Outcome::incomplete);
    static int count = 0;
    const QString name = QStringLiteral("brolga-server-check-%1").arg(++count);
    Result answer{Outcome::ready, {}};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        if (!db.isValid()) {
            answer = result(Outcome::other, QStringLiteral("Qt's PostgreSQL driver is not installed"));
        } else {
            BookEngine::setServer(db, address);
            if (!db.open()) {
                const QString text = db.lastError().databaseText();
                answer = result(classify(text), text.section(u'\n', 0, 0).trimmed());
            } else {
                QSqlQuery q(db);
                if (!q.exec(QStringLiteral("SELECT version FROM brolga_book")) || !q.next())
                    answer = result(Outcome::noBook);
                else if (q.value(0).toInt() > ClientBook::schemaVersion())
                    answer = result(Outcome::schemaTooNew);
                else if (q.value(0).toInt() < ClientBook::schemaVersion())
                    answer = result(Outcome::other, QStringLiteral("the server's book is from an older Brolga"));
                else
                    answer = result(Outcome::ready);
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return answer;
}

} // namespace brolga

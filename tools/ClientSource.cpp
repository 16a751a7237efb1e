#include "ClientSource.h"

#include "core/ClientBook.h"
#include "core/ServerAddress.h"
#include "platform/Keychain.h"

#include <QFileInfo>
#include <QUrl>

#include <memory>

namespace brolga::ClientSource {

namespace {

// An office server's address with its password: PGPASSWORD when set (the server's client library reads it), else
// the one Brolga keeps in the keychain for that address.
QString withPassword(const QString &path)
{
    const auto server = ServerAddress::fromUrl(path);
    if (!server || !server->password.isEmpty() || qEnvironmentVariableIsSet("PGPASSWORD"))
        return path;
    QUrl url(path);
    url.setPassword(Keychain::password(server->url()));
    return url.toString(QUrl::FullyEncoded);
}

// The book as it is, or the one line saying why it cannot be read.
std::unique_ptr<ClientBook> openBook(const QString &path, QString &error)
{
    if (!ServerAddress::fromUrl(path) && !QFileInfo::exists(path)) {
        error = QStringLiteral("no client book at %1").arg(path);
        return nullptr;
    }
    auto book = std::make_unique<ClientBook>(withPassword(path), ClientBook::Access::readOnly);
    if (!book->isOpen()) {
        error = book->statusMessage();
        return nullptr;
    }
    return book;
}

// The name on one line whatever a damaged book holds: control characters (line breaks and tabs among them, and
// the terminal's escape) and the Unicode line separators written out as escapes.
QString oneLine(const QString &name)
{
    QString line;
    for (const QChar c : name) {
        if (c == u'\n')
            line += QStringLiteral("\\n");
        else if (c == u'\t')
            line += QStringLiteral("\\t");
        else if (c == u'\r')
            line += QStringLiteral("\\r");
        else if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
                 c.category() == QChar::Separator_Paragraph)
            line += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            line += c;
    }
    return line;
}

} // namespace

Found find(const QString &bookPath, const QString &name)
{
    Found found;
    const auto book = openBook(bookPath, found.error);
    if (!book)
        return found;
    const QString wanted = ClientBook::cleanName(name).value_or(name.trimmed());
    QList<Client> named;
    for (const Client &c : book->clients())
        if (c.name.compare(wanted, Qt::CaseInsensitive) == 0)
            named << c;
    if (named.isEmpty()) {
        found.error = QStringLiteral("no client named \"%1\" (see --list)").arg(wanted);
        return found;
    }
    if (named.size() > 1) {
        found.error = QStringLiteral("%1 clients are named \"%2\"; rename one in Brolga (see --list)")
                          .arg(named.size())
                          .arg(wanted);
        return found;
    }
    found.inputs = book->inputs(named.constFirst().id);
    found.name = named.constFirst().name;
    found.reportTabs = book->reportTabs(named.constFirst().id).value_or(QString());
    if (!found.inputs)
        found.error = QStringLiteral("the figures of \"%1\" could not be read").arg(found.name);
    return found;
}

Listing list(const QString &bookPath)
{
    Listing listing;
    const auto book = openBook(bookPath, listing.error);
    if (!book)
        return listing;
    for (const Client &c : book->clients())
        listing.text +=
            oneLine(c.name) + u'\t' + c.changed.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")) + u'\n';
    return listing;
}

} // namespace brolga::ClientSource

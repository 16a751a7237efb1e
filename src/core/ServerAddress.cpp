#include "core/ServerAddress.h"

#include <QRegularExpression>
#include <QUrl>

namespace brolga {

std::optional<ServerAddress> ServerAddress::fromUrl(const QString &url)
{
    if (!url.startsWith(QLatin1String("postgresql://")) && !url.startsWith(QLatin1String("postgres://")))
        return std::nullopt;
    const QUrl parsed(url, QUrl::StrictMode);
    ServerAddress address{parsed.host(), parsed.port(5432), parsed.path().mid(1), parsed.userName(QUrl::FullyDecoded),
                          parsed.password(QUrl::FullyDecoded)};
    if (!parsed.isValid() || address.host.isEmpty() || address.user.isEmpty() || address.database.isEmpty() ||
        address.database.contains(u'/'))
        return std::nullopt;
    return address;
}

QString ServerAddress::url() const
{
    QUrl url;
    url.setScheme(QStringLiteral("postgresql"));
    url.setUserName(user);
    url.setHost(host);
    url.setPort(port);
    url.setPath(u'/' + database);
    return url.toString();
}

bool ServerAddress::isLocal() const
{
    static const QRegularExpression loopback(QStringLiteral("^127(\\.\\d{1,3}){3}$"));
    return host == u"localhost" || host == u"::1" || loopback.match(host).hasMatch();
}

} // namespace brolga

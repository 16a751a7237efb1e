#include "core/ServerAddress.h"

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
    // Only the usual names of the loopback: anything else goes over TLS, whatever it resolves to.
    return host == u"localhost" || host == u"127.0.0.1" || host == u"::1";
}

} // namespace brolga

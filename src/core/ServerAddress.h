#pragma once

#include <QString>

#include <optional>

namespace brolga {

// Where an office's client book lives: a PostgreSQL server, written as postgresql://user@host:port/database.
// The password is never part of what is shown or stored.
struct ServerAddress {
    QString host;
    int port = 5432;
    QString database;
    QString user;
    QString password;

    // Absent for anything but a postgresql:// (or postgres://) address with a user, a host and a database.
    static std::optional<ServerAddress> fromUrl(const QString &url);
    // The address without its password.
    QString url() const;
    // The server runs on this machine (localhost, 127.0.0.1 or ::1): its connection needs no TLS.
    bool isLocal() const;
};

} // namespace brolga

#pragma once

#include <QString>

class QSqlDatabase;
class QSqlError;
class QSqlQuery;

namespace brolga {

struct ServerAddress;

// What differs between the two databases a client book can live in: SQLite, in a file of the broker's own, and an
// office's PostgreSQL server. The book's statements are otherwise the same SQL, with bound parameters.
class BookEngine {
public:
    enum class Kind { sqlite, postgresql };
    // What went wrong with a statement, as far as the broker needs to be told.
    enum class Fault { busy, full, unreachable, denied, other };

    explicit BookEngine(Kind kind = Kind::sqlite) : kind_(kind) {}
    Kind kind() const { return kind_; }
    QString driver() const;
    // Starts a write. SQLite takes its write lock up front, waiting for it as long as the busy timeout allows.
    QString begin() const;
    // Runs a prepared INSERT whose statement ends in returningId() and reads the new row's id; 0 when it failed.
    QString returningId() const;
    qint64 insert(QSqlQuery &query) const;
    Fault fault(const QSqlError &error) const;

    // Points `db` at the server: its address, and TLS with the certificate verified unless the server is this
    // machine, with no long wait for one that does not answer.
    static void setServer(QSqlDatabase &db, const ServerAddress &address);

private:
    Kind kind_;
};

} // namespace brolga

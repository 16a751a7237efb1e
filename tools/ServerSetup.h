#pragma once

#include <QString>

namespace brolga::ServerSetup {

struct Outcome {
    bool ok = false;
    QString message; // one sentence for the office's administrator
};

// Sets up an office's client book on its PostgreSQL server with the SQL the program ships, connecting as the
// database's owner (the password from PGPASSWORD). A book already there at this build's version is left as it
// is; one from a newer Brolga is refused.
Outcome apply(const QString &address);

} // namespace brolga::ServerSetup

#pragma once

#include <QString>

namespace brolga {

struct ServerAddress;

// "Test connection": connects to an office server as the book would and says in one sentence what stands in the
// way. The driver's words are read here and nowhere else, so each way a connection fails has one sentence.
class ServerCheck {
  public:
    enum class Outcome {
        ready,
        incomplete,
        unreachable,
        wrongPassword,
        noTls,
        untrustedCertificate,
        noBook,
        schemaTooNew,
        other
    };
    struct Result {
        Outcome outcome;
        QString sentence;
    };

    static Result run(const ServerAddress &address);
    // What the PostgreSQL client library's message (its first lines) means for the broker.
    static Outcome classify(const QString &driverText);
    // `detail` is the driver's first line, for a failure of no known kind.
    static QString sentence(Outcome outcome, const QString &detail = {});
};

} // namespace brolga

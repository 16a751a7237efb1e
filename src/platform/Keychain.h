#pragma once

#include <QString>

namespace brolga {

// The office server's password, kept in the system's keychain (the Secret Service on Linux, the login keychain
// on macOS, the Credential Manager on Windows) through QtKeychain, under the account it belongs to. It never goes
// into a file of Brolga's: where no keychain answers (a desktop without one, a headless box) it is kept in memory
// for this run only, so the broker types it again after a restart, or sets PGPASSWORD.
class Keychain {
  public:
    // The saved password: the keychain's, else this run's, else PGPASSWORD's; empty when there is none.
    static QString password(const QString &account);
    // True when the keychain took it; false when it is kept for this run only.
    static bool setPassword(const QString &account, const QString &password);

    static constexpr auto service = "Brolga office client book";
};

} // namespace brolga

#pragma once

#include <QByteArray>
#include <QString>

namespace brolga {

// Whether Brolga starts when the user logs in, kept where the desktop itself looks, so the desktop's own
// start-up settings and ours always agree and nothing of it lives in Brolga's preferences:
// an XDG autostart entry on Linux and the BSDs, the login-item service on macOS (13 and later), the per-user
// Run key on Windows. A started-at-login run carries `argument`.
class LoginItem {
  public:
    // False where the system offers no such mechanism; the setting is then not offered.
    static bool isSupported();
    static bool isEnabled();
    // Turns it on for `program` (the running executable when empty) or off. False when the system refused;
    // isEnabled() then still tells the truth.
    static bool setEnabled(bool on, const QString &program = QString());

    static constexpr auto argument = "--autostart";

    // The autostart entry: $XDG_CONFIG_HOME/autostart/brolga.desktop, ~/.config when that is unset.
    static QString autostartFile();
    // The entry's text, starting `program` with `argument`.
    static QByteArray desktopEntry(const QString &program);
    // `program` as the Exec key needs it: quoted where it must be, with the key's escapes.
    static QString execValue(const QString &program);
};

} // namespace brolga

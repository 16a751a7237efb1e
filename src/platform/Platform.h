#pragma once

#include <functional>

class QObject;
class QWidget;

namespace brolga::Platform {

// The few things Qt has no portable call for. Each is a no-op where the platform has no such notion.

// No Dock icon and no menu bar of our own (macOS); the bundle's LSUIElement does the same from launch.
void becomeAccessory();

// Follow the user to every desktop / Space (and float over full-screen apps on macOS), and with
// `skipTaskbar` stay out of the task bar, the pager and Alt-Tab. Call from the window's show event, just
// before it is mapped: X11 window managers read these hints when they take a window on and drop them when it
// is hidden, so they are given again on every showing (and after the native window is re-created). A window
// that is already on screen gets the same through the window manager's messages.
void setDesktopHints(QWidget *window, bool allDesktops, bool skipTaskbar);

// Whether another program's window lies over part of `window` (X11, from the window manager's stacking
// order). False where the platform cannot tell, and for a window that is hidden.
bool isCovered(const QWidget *window);

// SIGTERM, SIGINT and SIGHUP run `handler` on the event loop instead of killing the process (give it the
// application's own quit, which saves first). `context` owns the notifier; the first call wins.
void onTerminationSignals(QObject *context, std::function<void()> handler);

// Waits, running the event loop, until the desktop offers a system tray or `timeoutMs` have passed; true
// when there is one. For a start at login, when the panel may come up after the programs it starts.
bool waitForSystemTray(int timeoutMs);

} // namespace brolga::Platform

#pragma once

#include <functional>

class QObject;
class QWidget;

namespace brolga::Platform {

// The few things Qt has no portable call for. Each is a no-op where the platform has no such notion.

// No Dock icon and no menu bar of our own (macOS); the bundle's LSUIElement does the same from launch.
void becomeAccessory();

// Follow the user to every desktop / Space, and float over full-screen apps on macOS. Call after the window
// has been shown (X11 ignores the request for unmapped windows that it has not seen yet).
void joinAllDesktops(QWidget *window);

// SIGTERM and SIGINT run `handler` on the event loop instead of killing the process (give it
// QCoreApplication::quit, so the aboutToQuit handlers save). `context` owns the notifier; the first call wins.
void onTerminationSignals(QObject *context, std::function<void()> handler);

} // namespace brolga::Platform

#pragma once

#include <QPointer>
#include <QWidget>

namespace brolga {

// Remembers the window that has the keyboard and gives it back when it goes out of scope. A window manager
// hands the keyboard back to a normal window when a dialog closes, but our floating tool window is not one it
// picks: without this the broker's next key press after a dialog goes nowhere. `owner` stands in when no window
// has the keyboard just then: a dialog that follows another (a name refused) comes while the first one's
// window is still waiting for the keyboard it asked back.
class ActiveWindowGuard {
  public:
    explicit ActiveWindowGuard(QWidget *owner = nullptr);
    ~ActiveWindowGuard();
    ActiveWindowGuard(const ActiveWindowGuard &) = delete;
    ActiveWindowGuard &operator=(const ActiveWindowGuard &) = delete;

  private:
    QPointer<QWidget> window_;
};

} // namespace brolga

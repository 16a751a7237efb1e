#pragma once

#include <QWidget>

namespace brolga {

// A top-level window for the calculator and the settings: a title bar with a close button (and a minimise
// button when asked), never a maximise button. Its level is 0 for an ordinary window and above 0 for one
// that stays above other programs; Qt has a single "stays on top" layer, so every level above 0 maps onto
// it. With hideOnClose, the close button hides the window instead of closing it.
class FloatingWindow : public QWidget {
    Q_OBJECT
public:
    explicit FloatingWindow(const QString &title, bool minimisable = true, QWidget *parent = nullptr);

    int level() const { return level_; }
    // Moves the existing native window between layers in place: it stays shown, where it is, and on every
    // desktop it was on.
    void setLevel(int level);

    void setHidesOnClose(bool hide) { hideOnClose_ = hide; }
    // Escape closes the window (a window that hides on close always puts itself away on Escape, as a click
    // on the tray icon does); a field or a list that uses Escape itself keeps it.
    bool closesOnEscape() const { return closeOnEscape_; }
    void setClosesOnEscape(bool close) { closeOnEscape_ = close; }

    // On every desktop, and out of the task bar and the pager. Given to the window system each time the
    // window is shown, since window managers forget them whenever it is hidden.
    void setDesktopHints(bool allDesktops, bool skipTaskbar);
    bool isOnAllDesktops() const { return allDesktops_; }
    bool skipsTaskbar() const { return skipTaskbar_; }

    // Puts `content` in as the window's only child, replacing (and deleting) what was there.
    void setContent(QWidget *content);
    QWidget *content() const { return content_; }

    static constexpr int floatingLevel = 3;
    static constexpr int normalLevel = 0;

Q_SIGNALS:
    // The window was moved or resized by the user or the window manager.
    void frameChanged();
    // A close that was turned into a hide.
    void hiddenByClose();
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // The native window is on screen: its hints are given again, since Qt makes a new native window on the
    // first showing after the stays-on-top flag changed, and the hints written before it went to the old one.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int level_ = normalLevel;
    bool hideOnClose_ = false;
    bool closeOnEscape_ = false;
    bool hintsAfterExpose_ = false;
    bool allDesktops_ = false;
    bool skipTaskbar_ = false;
    QWidget *content_ = nullptr;
};

} // namespace brolga

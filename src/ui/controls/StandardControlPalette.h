#pragma once

#include <QObject>

class QScrollArea;
class QWidget;

namespace brolga {

// A standard control (a push button, a scroll bar) inside a themed window keeps the system's look: it gets
// the application's palette, every role fixed, now and whenever the system's palette changes.
class StandardControlPalette : public QObject {
    Q_OBJECT
public:
    static void keep(QWidget *control);
    // A frameless area scrolling a column up and down over its window's own background, with the system's
    // scroll bars. Not a Tab stop of its own: Tab moves through the controls and scrolls to each; Page Up and
    // Page Down reach it from any of them.
    static QScrollArea *scrollArea(QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit StandardControlPalette(QWidget *control);
    static void apply(QWidget *control);

    QWidget *control_;
};

} // namespace brolga

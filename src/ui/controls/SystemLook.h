#pragma once

#include <QObject>

class QWidget;

namespace brolga {

// A standard control (a push button, a scroll bar) inside a themed window keeps the system's look: it gets
// the application's palette, every role fixed, now and whenever the system's palette changes.
class SystemLook : public QObject {
    Q_OBJECT
public:
    static void keep(QWidget *control);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit SystemLook(QWidget *control);
    static void apply(QWidget *control);

    QWidget *control_;
};

} // namespace brolga

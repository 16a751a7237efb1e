#pragma once

// What the start-up programs share: the resident set as the kernel reports it, and a watch that fires once a
// top-level window has been painted.

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace bench {

// VmRSS of this process in kB; -1 where /proc is not there.
inline long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Calls `then` once, after the next paint of `window` or any widget inside it has been drawn and flushed:
// the paint event is seen on its way in, and the call waits for the event loop to come round again.
class NextPaint : public QObject {
public:
    NextPaint(QWidget *window, std::function<void()> then) : window_(window), then_(std::move(then))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !fired_ && watched->isWidgetType() && window_ &&
            static_cast<QWidget *>(watched)->window() == window_) {
            fired_ = true;
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                auto then = std::move(then_);
                deleteLater();
                then();
            });
        }
        return false;
    }

private:
    QPointer<QWidget> window_;
    std::function<void()> then_;
    bool fired_ = false;
};

} // namespace bench

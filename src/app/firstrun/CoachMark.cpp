#include "app/firstrun/CoachMark.h"

#include "app/firstrun/CoachMarkView.h"
#include "brand/Motion.h"
#include "platform/WindowPlacement.h"

#include <QApplication>
#include <QEvent>
#include <QPropertyAnimation>

namespace brolga {

CoachMark::CoachMark(QObject *parent) : QObject(parent)
{
    timeout_.setSingleShot(true);
    timeout_.setTimerType(Qt::PreciseTimer);
    connect(&timeout_, &QTimer::timeout, this, &CoachMark::dismiss);
    retry_.setSingleShot(true);
}

CoachMark::~CoachMark()
{
    stopWatching();
    delete view_;
}

void CoachMark::show(AnchorSource anchor, int timeoutMs, int attempt, std::function<void()> completion)
{
    // A retry of this very call comes back through here with attempt > 0; any other call while busy is dropped.
    if (view_ || (retry_.isActive() && attempt == 0))
        return;

    const std::optional<Anchor> where = anchor ? anchor() : std::nullopt;
    if (!where || !where->visible.isValid()) {
        if (completion)
            completion();
        return;
    }
    const std::optional<WindowPlacement::Edge> edge = WindowPlacement::trayEdge(where->visible, where->tray);
    if (!edge) {
        if (attempt >= lastAttempt) {
            if (completion)
                completion();
            return;
        }
        retry_.disconnect();
        connect(&retry_, &QTimer::timeout, this,
                [this, anchor = std::move(anchor), timeoutMs, attempt, completion = std::move(completion)] {
                    show(anchor, timeoutMs, attempt + 1, completion);
                });
        retry_.start(retryMs);
        return;
    }

    settings_.setCoachMarkShown(true);
    settings_.sync();
    onDismiss_ = std::move(completion);

    const WindowPlacement::Bubble bubble = WindowPlacement::bubble(where->visible, where->tray, *edge);
    view_ = new CoachMarkView(bubble.arrowEdge, bubble.arrowInset);
    view_->setPalette(palette_);
    view_->setGeometry(bubble.frame.toAlignedRect());
    view_->setWindowOpacity(0);
    view_->show();
    auto *fadeIn = new QPropertyAnimation(view_, "windowOpacity", view_);
    fadeIn->setDuration(Motion::reduced() ? 0 : fadeInMs);
    fadeIn->setStartValue(0.0);
    fadeIn->setEndValue(1.0);
    fadeIn->start(QAbstractAnimation::DeleteWhenStopped);

    // Any click or key anywhere in Brolga; the event still goes where it was going.
    qApp->installEventFilter(this);
    watching_ = true;
    timeout_.start(timeoutMs);
}

void CoachMark::dismiss()
{
    if (!view_)
        return;
    QPointer<CoachMarkView> view = view_;
    view_ = nullptr;
    timeout_.stop();
    stopWatching();
    auto done = std::exchange(onDismiss_, nullptr);

    auto *fadeOut = new QPropertyAnimation(view, "windowOpacity", view);
    fadeOut->setDuration(Motion::reduced() ? 0 : fadeOutMs);
    fadeOut->setEndValue(0.0);
    connect(fadeOut, &QPropertyAnimation::finished, this, [view, done = std::move(done)] {
        if (view) {
            view->hide();
            view->deleteLater();
        }
        if (done)
            done();
    });
    fadeOut->start(QAbstractAnimation::DeleteWhenStopped);
}

bool CoachMark::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::KeyPress:
        // The same event reaches the filter once per object it passes through; dismiss() ignores repeats.
        QMetaObject::invokeMethod(this, &CoachMark::dismiss, Qt::QueuedConnection);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void CoachMark::stopWatching()
{
    if (watching_ && qApp)
        qApp->removeEventFilter(this);
    watching_ = false;
}

} // namespace brolga

#pragma once

#include "app/firstrun/CoachMarkView.h"
#include "core/Settings.h"

#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QRectF>
#include <QTimer>

#include <functional>
#include <optional>

namespace brolga {

// The first-run pointer: a bubble beside the tray icon saying where Brolga lives. Every click passes
// through it; the first click or key press in Brolga, or the time-out, fades it out and then runs the
// caller's completion, exactly once. Clicks in other programs cannot be seen portably; the time-out covers
// them.
class CoachMark : public QObject {
    Q_OBJECT
public:
    // Where the tray icon is and the visible area of its screen; absent when there is no icon or no screen.
    struct Anchor {
        QRectF tray;
        QRectF visible;
    };
    using AnchorSource = std::function<std::optional<Anchor>()>;

    explicit CoachMark(QObject *parent = nullptr);
    ~CoachMark() override;

    // Ignored entirely while the pointer is showing (or waiting for the icon): that completion never runs.
    // Otherwise `completion` runs exactly once: after the pointer was shown and dismissed, or at once when it
    // cannot be shown. A tray icon that is not (yet) in a panel along a side of the screen is looked for again
    // every 0.25 s, 13 times in all, before the pointer is given up.
    void show(AnchorSource anchor, int timeoutMs, int attempt, std::function<void()> completion);
    // Removes the pointer if it is showing, then runs the completion once the fade has ended.
    void dismiss();
    // The palette the pointer is drawn in (its theme's dark one); given before show.
    void setPalette(const QPalette &palette) { palette_ = palette; }

    bool isShowing() const { return view_ != nullptr; }
    bool isWaitingForIcon() const { return retry_.isActive(); }
    CoachMarkView *view() const { return view_; }

    static constexpr int fadeInMs = 220;
    static constexpr int fadeOutMs = 180;
    static constexpr int retryMs = 250;
    static constexpr int lastAttempt = 12;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void stopWatching();

    Settings settings_;
    QPointer<CoachMarkView> view_;
    QTimer timeout_;
    QTimer retry_;
    std::function<void()> onDismiss_;
    QPalette palette_;
    bool watching_ = false;
};

} // namespace brolga

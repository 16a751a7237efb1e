#pragma once

#include "platform/WindowPlacement.h"

#include <QWidget>

namespace brolga {

// The pointer's borderless window: a navy bubble with the wing and two lines of text, and an arrow on the
// side that faces the tray icon (above the bubble for a panel at the top, below it for one at the bottom,
// beside it for one on the left or right). It never takes focus or clicks.
class CoachMarkView : public QWidget {
    Q_OBJECT
public:
    explicit CoachMarkView(WindowPlacement::Edge arrowEdge = WindowPlacement::Edge::top, qreal arrowInset = 40,
                           QWidget *parent = nullptr);

    WindowPlacement::Edge arrowEdge() const { return edge_; }
    // From the bubble's right end (arrow above or below) or its top (arrow beside) to the arrow's tip.
    qreal arrowInset() const { return arrowInset_; }
    // The headline, which says where the icon is.
    QString titleText() const { return title(edge_); }

    static constexpr qreal arrowWidth = 17;
    static constexpr qreal arrowHeight = WindowPlacement::bubbleArrowDepth;
    static constexpr qreal radius = 11;
    static QString title(WindowPlacement::Edge arrowEdge = WindowPlacement::Edge::top);
    static const QString &message();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    WindowPlacement::Edge edge_;
    qreal arrowInset_;
};

} // namespace brolga

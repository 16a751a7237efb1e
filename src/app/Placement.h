#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <optional>

namespace brolga::Placement {

// Screen geometry in Qt's coordinates: y grows downward, rectangles are exact (right = x + width).

inline constexpr QSizeF windowSize{470, 700};
inline constexpr qreal windowGap = 6;   // between the tray icon and the window's top edge
inline constexpr qreal edgeInset = 8;   // kept inside the visible area

// Where the calculator window's top-left corner goes under the tray icon. `tray` counts only when it sits
// in a bar at the top of the screen (its top at or above the visible area's top); otherwise a point near
// the right end of the top edge stands in for it.
QPointF window(const QRectF &visible, const std::optional<QRectF> &tray, const QSizeF &size = windowSize);

// The first-run pointer under the tray icon.
struct Bubble {
    QRectF frame;
    qreal arrowInsetFromRight = 40; // from the bubble's right edge to the arrow's tip
};
inline constexpr QSizeF bubbleSize{320, 84};

// Whether the tray icon sits in a bar at the top of the screen, where the pointer can point up at it.
bool isInTopBar(const QRectF &visible, const QRectF &tray);
Bubble bubble(const QRectF &visible, const QRectF &tray);

} // namespace brolga::Placement

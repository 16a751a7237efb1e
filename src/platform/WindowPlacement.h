#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <optional>

namespace brolga::WindowPlacement {

// Screen geometry in Qt's coordinates: y grows downward, rectangles are exact (right = x + width).

inline constexpr QSizeF windowSize{470, 700};
inline constexpr qreal windowGap = 6;   // between the tray icon and the window
inline constexpr qreal edgeInset = 8;   // kept inside the visible area
inline constexpr qreal nearEdge = 64;   // an icon this close to a side of a panel that reserves no space

// The side of the screen the tray's panel runs along.
enum class Edge { top, bottom, left, right };

// Which side the tray icon sits on: the side of the visible area it lies beyond (a panel reserves that
// strip), else, for a panel that reserves nothing, the side it is near. Absent for an icon with no
// geometry yet or one in the middle of the screen.
std::optional<Edge> trayEdge(const QRectF &visible, const QRectF &tray);

// Where a window of `size` goes beside the tray icon: below an icon at the top, above one at the bottom,
// beside one on the left or right, centred on the icon along the panel and kept inside the visible area.
// Without a usable icon a point near the right end of the top edge stands in for it.
QPointF window(const QRectF &visible, const std::optional<QRectF> &tray, const QSizeF &size = windowSize);

// `size` as it fits there: the same width, and no taller than the room `window` has for it, so a short
// screen shortens the window instead of pushing it over the panel and its icon.
QSizeF fit(const QRectF &visible, const std::optional<QRectF> &tray, const QSizeF &size = windowSize);

// The first-run pointer beside the tray icon, its arrow on the side that faces the icon.
struct Bubble {
    QRectF frame;
    Edge arrowEdge = Edge::top;
    // Along the arrow's side: from the bubble's right end (arrow at the top or bottom) or from its top
    // (arrow at the left or right) to the arrow's tip.
    qreal arrowInset = 40;
};
inline constexpr QSizeF bubbleSize{320, 84};   // with the arrow above or below the bubble
inline constexpr qreal bubbleArrowDepth = 9;  // how far the arrow stands out of the bubble
inline constexpr qreal bubbleGap = 2;         // between the icon and the arrow's tip
inline constexpr qreal arrowEndClearance = 16; // the arrow keeps this far from the bubble's ends

// The bubble's window size for an arrow on `edge`.
QSizeF bubbleFrameSize(Edge edge);
Bubble bubble(const QRectF &visible, const QRectF &tray, Edge edge);

} // namespace brolga::WindowPlacement

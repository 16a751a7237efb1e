#include "platform/WindowPlacement.h"

#include <algorithm>
#include <array>

namespace brolga::WindowPlacement {

namespace {

// `low` wins over `high` when the room is too small: the top (title bar) or left edge stays reachable.
qreal clampLowFirst(qreal value, qreal low, qreal high)
{
    return std::max(low, std::min(value, high));
}

bool alongTopOrBottom(Edge edge)
{
    return edge == Edge::top || edge == Edge::bottom;
}

struct Anchor {
    QRectF rect;
    Edge edge;
};

Anchor anchorFor(const QRectF &visible, const std::optional<QRectF> &tray)
{
    if (const auto found = tray ? trayEdge(visible, *tray) : std::nullopt)
        return {*tray, *found};
    return {QRectF(visible.right() - 60, visible.top(), 32, 0), Edge::top};
}

// 8 inside the visible area, except on the panel's own side, where the gap to the icon already holds the
// window off the panel.
qreal topLimit(const QRectF &visible, Edge edge) { return visible.top() + (edge == Edge::top ? 0 : edgeInset); }
qreal bottomLimit(const QRectF &visible, Edge edge)
{
    return visible.bottom() - (edge == Edge::bottom ? 0 : edgeInset);
}

} // namespace

std::optional<Edge> trayEdge(const QRectF &visible, const QRectF &tray)
{
    if (!visible.isValid() || !tray.isValid() || tray.isEmpty())
        return std::nullopt;
    const QPointF c = tray.center();
    if (c.y() < visible.top())
        return Edge::top;
    if (c.y() > visible.bottom())
        return Edge::bottom;
    if (c.x() < visible.left())
        return Edge::left;
    if (c.x() > visible.right())
        return Edge::right;
    const std::array<std::pair<qreal, Edge>, 4> distances{{{c.y() - visible.top(), Edge::top},
                                                           {visible.bottom() - c.y(), Edge::bottom},
                                                           {c.x() - visible.left(), Edge::left},
                                                           {visible.right() - c.x(), Edge::right}}};
    const auto nearest = std::min_element(distances.begin(), distances.end(),
                                          [](const auto &a, const auto &b) { return a.first < b.first; });
    if (nearest->first > nearEdge)
        return std::nullopt;
    return nearest->second;
}

QPointF window(const QRectF &visible, const std::optional<QRectF> &tray, const QSizeF &size)
{
    const auto [anchor, edge] = anchorFor(visible, tray);
    const qreal w = size.width();
    const qreal h = size.height();
    QPointF at;
    switch (edge) {
    case Edge::top: at = {anchor.center().x() - w / 2, anchor.bottom() + windowGap}; break;
    case Edge::bottom: at = {anchor.center().x() - w / 2, anchor.top() - windowGap - h}; break;
    case Edge::left: at = {anchor.right() + windowGap, anchor.center().y() - h / 2}; break;
    case Edge::right: at = {anchor.left() - windowGap - w, anchor.center().y() - h / 2}; break;
    }
    const qreal top = topLimit(visible, edge);
    const qreal left = visible.left() + (edge == Edge::left ? 0 : edgeInset);
    const qreal bottom = bottomLimit(visible, edge);
    const qreal right = visible.right() - (edge == Edge::right ? 0 : edgeInset);
    // On a screen smaller than the window, the title bar and the left edge stay on it.
    return {std::max(visible.left(), clampLowFirst(at.x(), left, right - w)),
            std::max(visible.top(), clampLowFirst(at.y(), top, bottom - h))};
}

QSizeF fit(const QRectF &visible, const std::optional<QRectF> &tray, const QSizeF &size)
{
    const auto [anchor, edge] = anchorFor(visible, tray);
    qreal top = topLimit(visible, edge);
    qreal bottom = bottomLimit(visible, edge);
    // Between the icon and the far edge: an icon inside the area (a panel that reserves nothing) takes its
    // own strip too.
    if (edge == Edge::top)
        top = std::max(top, anchor.bottom() + windowGap);
    else if (edge == Edge::bottom)
        bottom = std::min(bottom, anchor.top() - windowGap);
    return {size.width(), std::clamp(bottom - top, 0.0, size.height())};
}

QSizeF bubbleFrameSize(Edge edge)
{
    if (alongTopOrBottom(edge))
        return bubbleSize;
    // The arrow moves from above the bubble to its side.
    return {bubbleSize.width() + bubbleArrowDepth, bubbleSize.height() - bubbleArrowDepth};
}

Bubble bubble(const QRectF &visible, const QRectF &tray, Edge edge)
{
    const QSizeF size = bubbleFrameSize(edge);
    const qreal w = size.width();
    const qreal h = size.height();
    const QPointF mid = tray.center();
    const qreal minX = visible.left() + edgeInset;
    const qreal maxX = visible.right() - w - edgeInset;
    const qreal minY = visible.top() + edgeInset;
    const qreal maxY = visible.bottom() - edgeInset - h;
    Bubble b;
    b.arrowEdge = edge;
    qreal x = 0;
    qreal y = 0;
    if (alongTopOrBottom(edge)) {
        // The arrow 40 in from the right end, under (or over) the middle of the icon.
        x = std::min(maxX, std::max(minX, mid.x() - w + 40));
        if (edge == Edge::top)
            y = std::min(maxY, std::max(visible.top(), tray.bottom() + bubbleGap));
        else
            y = std::max(minY, std::min(visible.bottom() - h, tray.top() - bubbleGap - h));
        // The arrow follows the icon when the edge pushes the bubble inward, but stays clear of the corners.
        b.arrowInset = std::clamp(x + w - mid.x(), arrowEndClearance, w - arrowEndClearance);
    } else {
        y = std::min(maxY, std::max(minY, mid.y() - h / 2));
        if (edge == Edge::left)
            x = std::min(maxX, std::max(visible.left(), tray.right() + bubbleGap));
        else
            x = std::max(minX, std::min(visible.right() - w, tray.left() - bubbleGap - w));
        b.arrowInset = std::clamp(mid.y() - y, arrowEndClearance, h - arrowEndClearance);
    }
    b.frame = QRectF(x, y, w, h);
    return b;
}

} // namespace brolga::WindowPlacement

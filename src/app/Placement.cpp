#include "app/Placement.h"

#include <algorithm>

namespace brolga::Placement {

QPointF window(const QRectF &visible, const std::optional<QRectF> &tray, const QSizeF &size)
{
    QRectF anchor(visible.right() - 60, visible.top(), 32, 0);
    if (tray && tray->isValid() && isInTopBar(visible, *tray))
        anchor = *tray;
    // Top edge just under the icon, but never past the bottom inset; centred under it, inside both sides.
    qreal y = std::min(visible.bottom() - edgeInset - size.height(), std::max(visible.top(), anchor.bottom() + windowGap));
    // On a screen shorter than the window, keep the title bar reachable rather than the bottom edge.
    y = std::max(y, visible.top());
    const qreal x = std::min(visible.right() - size.width() - edgeInset,
                             std::max(visible.left() + edgeInset, anchor.center().x() - size.width() / 2));
    return {x, y};
}

bool isInTopBar(const QRectF &visible, const QRectF &tray) { return tray.isValid() && tray.top() <= visible.top(); }

Bubble bubble(const QRectF &visible, const QRectF &tray)
{
    const qreal w = bubbleSize.width();
    const qreal h = bubbleSize.height();
    const qreal mid = tray.center().x();
    const qreal x = std::min(visible.right() - w - edgeInset, std::max(visible.left() + edgeInset, mid - w + 40));
    const qreal y = std::min(visible.bottom() - edgeInset - h, std::max(visible.top(), tray.bottom() + 2));
    // The arrow follows the icon when the edge pushes the bubble inward, but stays clear of the corners.
    const qreal inset = std::min<qreal>(304, std::max<qreal>(16, x + w - mid));
    return {QRectF(x, y, w, h), inset};
}

} // namespace brolga::Placement

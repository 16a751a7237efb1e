#include "ui/controls/FocusRing.h"

#include "brand/Brand.h"

#include <QPainter>

namespace brolga::FocusRing {

void paint(QPainter &painter, const QRectF &box, qreal radius, const QColor &accent)
{
    QColor ring = accent;
    ring.setAlphaF(ring.alphaF() * opacity);
    const qreal inset = width / 2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(1.0);
    painter.setPen(QPen(ring, width));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(box.adjusted(inset, inset, -inset, -inset), std::max<qreal>(radius - inset, 0),
                            std::max<qreal>(radius - inset, 0));
    painter.restore();
}

void paintUnderText(QPainter &painter, const QRectF &box, const QColor &accent)
{
    QColor ground = accent;
    ground.setAlphaF(0.16);
    QColor ring = accent;
    ring.setAlphaF(opacity);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(1.0);
    painter.setPen(QPen(ring, 1));
    painter.setBrush(ground);
    painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    painter.restore();
}

} // namespace brolga::FocusRing

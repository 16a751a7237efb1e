#include "app/settings/RoundedPanel.h"

#include "brand/Brand.h"
#include "ui/controls/FocusRing.h"

#include <QApplication>
#include <QPainter>

namespace brolga {

RoundedPanel::RoundedPanel(bool outlined, qreal radius, QWidget *parent)
    : QWidget(parent), outlined_(outlined), radius_(radius)
{
}

void RoundedPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setBrush(Brand::field(palette()));
    p.setPen(outlined_ ? QPen(Brand::hairline(palette()), 1) : Qt::NoPen);
    p.drawRoundedRect(box, radius_, radius_);
    // A text field inside an outlined box has its focus ring drawn by the box.
    const QWidget *focused = QApplication::focusWidget();
    if (outlined_ && focused && isAncestorOf(focused))
        FocusRing::paint(p, QRectF(rect()), radius_, Brand::accent(palette()));
}

} // namespace brolga

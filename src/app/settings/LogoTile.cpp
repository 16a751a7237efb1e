#include "app/settings/LogoTile.h"

#include "brand/Brand.h"

#include <QPainter>

namespace brolga {

LogoTile::LogoTile(QWidget *parent) : QWidget(parent) {}

void LogoTile::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = rect();
    p.setPen(Qt::NoPen);
    p.setBrush(Brand::navyField(palette(), box));
    p.drawRoundedRect(box, 7, 7);
}

} // namespace brolga

#include "export/draw/Disclaimer.h"

#include "brand/Brand.h"
#include "brand/Credits.h"
#include "calc/StampDuty.h"
#include "ui/brand/SaltbushCredit.h"

#include <algorithm>

namespace brolga {

QString Disclaimer::text(bool loanCostsEntered)
{
    return Credits::fullDisclaimer(QString::fromLatin1(StampDuty::scalesAsAt), loanCostsEntered);
}

QString Disclaimer::studio()
{
    return QStringLiteral("BROLGA STUDIO");
}

QColor Disclaimer::ink(const QPalette &palette)
{
    QColor c = Brand::rgb(Brand::theme(palette).ink);
    c.setAlphaF(0.62f);
    return c;
}

Disclaimer::Disclaimer(qreal studioHeight)
    : studioHeight_(studioHeight), credit_(SaltbushCredit::naturalSize(textSize)),
      height_(std::max(studioHeight, credit_.height()))
{
}

void Disclaimer::paintCredit(QPainter &painter, const QPalette &palette, qreal right, qreal y) const
{
    SaltbushCredit::paint(painter, palette, QPointF(right - credit_.width(), y + (height_ - credit_.height()) / 2),
                          SaltbushCredit::Ground::light, textSize);
}

} // namespace brolga

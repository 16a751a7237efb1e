#include "ui/brand/SaltbushCredit.h"

#include "brand/Brand.h"
#include "brand/Credits.h"
#include "ui/brand/FractionalText.h"
#include "ui/brand/WingMark.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace brolga {

namespace {
FractionalText creditText(qreal size)
{
    return FractionalText(Credits::makerCredit().toUpper(), FractionalText::Face::sans, size, FontWeight::medium, 0.18 * size);
}
} // namespace

SaltbushCredit::SaltbushCredit(Ground ground, qreal size, QWidget *parent)
    : QWidget(parent), ground_(ground), size_(std::max(size, 0.0))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SaltbushCredit::setGround(Ground ground)
{
    ground_ = ground;
    update();
}

QColor SaltbushCredit::wingColour(const QPalette &palette, Ground ground)
{
    return Brand::rgb(ground == Ground::dark ? Brand::theme(palette).accentOnDark : Brand::theme(palette).muted);
}

QColor SaltbushCredit::textColour(const QPalette &palette, Ground ground)
{
    if (ground == Ground::light)
        return Brand::rgb(Brand::theme(palette).muted);
    QColor c = Brand::rgb(Brand::theme(palette).accentOnDark);
    c.setAlphaF(0.85f);
    return c;
}

QSizeF SaltbushCredit::naturalSize(qreal size)
{
    const FractionalText text = creditText(size);
    const qreal wingWidth = 1.9 * size;
    return {wingWidth + 0.55 * size + text.width(), std::max(wingWidth * WingMark::aspect, text.height())};
}

void SaltbushCredit::paint(QPainter &painter, const QPalette &palette, const QPointF &topLeft, Ground ground,
                           qreal size)
{
    const FractionalText text = creditText(size);
    const QSizeF total = naturalSize(size);
    const qreal wingWidth = 1.9 * size;
    const qreal wingHeight = wingWidth * WingMark::aspect;
    WingMark::paint(painter, QRectF(topLeft.x(), topLeft.y() + (total.height() - wingHeight) / 2, wingWidth, wingHeight),
                    wingColour(palette, ground));
    text.draw(painter, QPointF(topLeft.x() + wingWidth + 0.55 * size, topLeft.y() + (total.height() - text.height()) / 2),
              textColour(palette, ground));
}

QSize SaltbushCredit::sizeHint() const
{
    const QSizeF s = naturalSize(size_);
    return {qCeil(s.width()), qCeil(s.height())};
}

void SaltbushCredit::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    const QSizeF s = naturalSize(size_);
    paint(p, palette(), QPointF(0, (height() - s.height()) / 2), ground_, size_);
}

} // namespace brolga

#include "ui/brand/BrandLockup.h"

#include "brand/Brand.h"
#include "brand/Credits.h"
#include "ui/brand/FractionalText.h"
#include "ui/brand/WingMark.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace brolga {

namespace {

struct Parts {
    qreal wingWidth;
    qreal gap;
    qreal lineGap;
    FractionalText word;
    FractionalText name;
};

Parts partsFor(qreal scale)
{
    const qreal nameSize = 0.42 * scale;
    return {2.1 * scale, 0.34 * scale, 0.1 * scale,
            FractionalText(Credits::productName(), FractionalText::Face::serif, scale, FontWeight::medium, 0.07 * scale),
            FractionalText(Credits::productName().toUpper(), FractionalText::Face::sans, nameSize, FontWeight::regular,
                     0.44 * nameSize)};
}

} // namespace

BrandLockup::BrandLockup(Ground ground, qreal scale, QWidget *parent)
    : QWidget(parent), ground_(ground), scale_(std::max(scale, 0.0))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void BrandLockup::setGround(Ground ground)
{
    ground_ = ground;
    update();
}

QColor BrandLockup::wingColour(const QPalette &palette, Ground ground)
{
    return Brand::rgb(ground == Ground::dark ? Brand::theme(palette).accentOnDark : Brand::theme(palette).dark);
}

QColor BrandLockup::primaryColour(const QPalette &palette, Ground ground)
{
    return Brand::rgb(ground == Ground::dark ? Brand::theme(palette).textPrimaryDark : Brand::theme(palette).ink);
}

QColor BrandLockup::secondaryColour(const QPalette &palette, Ground ground)
{
    const Theme &theme = Brand::theme(palette);
    return Brand::rgb(ground == Ground::dark ? theme.accentOnDark : theme.accentOnLight);
}

QSizeF BrandLockup::naturalSize(qreal scale)
{
    const Parts parts = partsFor(scale);
    const qreal columnWidth = std::max(parts.word.width(), parts.name.width());
    const qreal columnHeight = parts.word.height() + parts.lineGap + parts.name.height();
    return {parts.wingWidth + parts.gap + columnWidth, std::max(parts.wingWidth * WingMark::aspect, columnHeight)};
}

void BrandLockup::paint(QPainter &painter, const QPalette &palette, const QPointF &topLeft, Ground ground, qreal scale)
{
    const Parts parts = partsFor(scale);
    const QSizeF size = naturalSize(scale);
    const qreal wingHeight = parts.wingWidth * WingMark::aspect;
    WingMark::paint(painter, QRectF(topLeft.x(), topLeft.y() + (size.height() - wingHeight) / 2, parts.wingWidth, wingHeight),
                    wingColour(palette, ground));

    const qreal columnHeight = parts.word.height() + parts.lineGap + parts.name.height();
    const qreal x = topLeft.x() + parts.wingWidth + parts.gap;
    const qreal y = topLeft.y() + (size.height() - columnHeight) / 2;
    parts.word.draw(painter, QPointF(x, y), primaryColour(palette, ground));
    parts.name.draw(painter, QPointF(x, y + parts.word.height() + parts.lineGap), secondaryColour(palette, ground));
}

QSize BrandLockup::sizeHint() const
{
    const QSizeF s = naturalSize(scale_);
    return {qCeil(s.width()), qCeil(s.height())};
}

void BrandLockup::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    const QSizeF s = naturalSize(scale_);
    paint(p, palette(), QPointF(0, (height() - s.height()) / 2), ground_, scale_);
}

} // namespace brolga

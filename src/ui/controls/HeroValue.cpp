#include "ui/controls/HeroValue.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "brand/TextMeasure.h"
#include "ui/access/AccessibleView.h"
#include "ui/controls/TabularDigits.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace brolga {

namespace {
constexpr qreal spacing = 4;
QFont figureFont() { return tabularDigits(BrandType::sans(31, FontWeight::semibold)); }
QFont suffixFont() { return BrandType::sans(12, FontWeight::medium); }
} // namespace

HeroValue::HeroValue(const QString &text, const QString &suffix, QWidget *parent)
    : QWidget(parent), text_(text), suffix_(suffix)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void HeroValue::setText(const QString &text)
{
    if (text == text_)
        return;
    text_ = text;
    updateGeometry();
    update();
    AccessibleView::announce(this);
}

void HeroValue::setSuffix(const QString &suffix)
{
    if (suffix == suffix_)
        return;
    suffix_ = suffix;
    updateGeometry();
    update();
    AccessibleView::announce(this);
}

qreal HeroValue::suffixRoom() const
{
    return suffix_.isEmpty() ? 0 : spacing + TextMeasure::advance(suffixFont(), suffix_);
}

qreal HeroValue::currentScale() const
{
    const qreal natural = TextMeasure::advance(figureFont(), text_);
    const qreal room = width() - suffixRoom();
    if (natural <= room || natural <= 0)
        return 1;
    return std::max(minimumScale, room / natural);
}

QSize HeroValue::sizeHint() const
{
    const QFontMetricsF fm(figureFont());
    return {int(std::ceil(TextMeasure::advance(figureFont(), text_) + suffixRoom())), int(std::ceil(fm.height()))};
}

QSize HeroValue::minimumSizeHint() const
{
    const QFontMetricsF fm(figureFont());
    return {int(std::ceil(TextMeasure::advance(figureFont(), text_) * minimumScale + suffixRoom())), int(std::ceil(fm.height()))};
}

void HeroValue::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    QColor ink = Brand::rgb(Brand::theme(palette()).textPrimaryDark);

    const QFontMetricsF fm(figureFont());
    const qreal scale = currentScale();
    const qreal room = std::max<qreal>(width() - suffixRoom(), 0) / scale;
    const QString shown =
        TextMeasure::advance(figureFont(), text_) <= room ? text_ : fm.elidedText(text_, Qt::ElideRight, room);
    // Both texts sit on the figure's baseline; a shrunk figure stays centred in the height.
    const qreal baseline = (height() - fm.height() * scale) / 2 + fm.ascent() * scale;

    p.save();
    p.setFont(figureFont());
    p.setPen(ink);
    p.translate(0, baseline);
    p.scale(scale, scale);
    p.drawText(QPointF(0, 0), shown);
    p.restore();

    if (!suffix_.isEmpty()) {
        ink.setAlphaF(0.6);
        p.setFont(suffixFont());
        p.setPen(ink);
        p.drawText(QPointF(TextMeasure::advance(figureFont(), shown) * scale + spacing, baseline), suffix_);
    }
}

} // namespace brolga

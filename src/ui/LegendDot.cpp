#include "ui/LegendDot.h"

#include "ui/access/AccessibleView.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "brand/TextMeasure.h"
#include "ui/controls/TabularDigits.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace brolga {

namespace {
QFont labelFont() { return BrandType::sans(11, FontWeight::regular); }
QFont valueFont() { return tabularDigits(BrandType::sans(11.5, FontWeight::medium)); }
} // namespace

LegendDot::LegendDot(Colour colour, const QString &label, const QString &value, QWidget *parent)
    : QWidget(parent), colour_(std::move(colour)), label_(label), value_(value)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void LegendDot::setLabel(const QString &label)
{
    if (label == label_)
        return;
    label_ = label;
    updateGeometry();
    update();
}

void LegendDot::setValue(const QString &value)
{
    if (value == value_)
        return;
    value_ = value;
    updateGeometry();
    update();
    AccessibleView::announce(this);
}

QSize LegendDot::sizeHint() const
{
    const QFontMetricsF lf(labelFont()), vf(valueFont());
    qreal w = dot + spacing + TextMeasure::advance(labelFont(), label_);
    if (!value_.isEmpty())
        w += 2 * spacing + TextMeasure::advance(valueFont(), value_);
    return {int(std::ceil(w)), int(std::ceil(std::max(lf.height(), vf.height())))};
}

QSize LegendDot::minimumSizeHint() const
{
    return {int(std::ceil(dot + spacing + TextMeasure::advance(labelFont(), label_))), sizeHint().height()};
}

void LegendDot::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFont lf = labelFont(), vf = valueFont();
    const QFontMetricsF lm(lf), vm(vf);
    const qreal baseline = (height() - std::max(lm.height(), vm.height())) / 2 + std::max(lm.ascent(), vm.ascent());

    // The dot sits on the label's x-height middle.
    const qreal cy = baseline - lm.xHeight() / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(colour_ ? colour_(palette()) : Brand::chartPrimary(palette()));
    p.drawEllipse(QPointF(dot / 2, cy), dot / 2, dot / 2);

    const qreal labelX = dot + spacing;
    p.setFont(lf);
    p.setPen(Brand::textSecondary(palette()));
    p.drawText(QPointF(labelX, baseline), label_);

    if (!value_.isEmpty()) {
        p.setFont(vf);
        p.setPen(Brand::textPrimary(palette()));
        // The figure keeps to the right edge, so a column of legends lines up its figures.
        const qreal vw = TextMeasure::advance(vf, value_);
        const qreal x = std::max(labelX + TextMeasure::advance(lf, label_) + 2 * spacing, width() - vw);
        p.drawText(QPointF(x, baseline), value_);
    }
}

} // namespace brolga

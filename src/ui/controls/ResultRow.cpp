#include "ui/controls/ResultRow.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "brand/TextMeasure.h"
#include "ui/controls/TabularDigits.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace brolga {

namespace {
constexpr qreal gap = 8;
QFont labelFont() { return BrandType::sans(11.5, FontWeight::regular); }
} // namespace

ResultRow::ResultRow(const QString &label, const QString &value, Tint tint, bool emphasised, QWidget *parent)
    : QWidget(parent), label_(label), value_(value), tint_(std::move(tint)), emphasised_(emphasised)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QFont ResultRow::valueFont() const
{
    return tabularDigits(emphasised_ ? BrandType::sans(13.5, FontWeight::semibold)
                                     : BrandType::sans(12, FontWeight::medium));
}

void ResultRow::setLabel(const QString &label)
{
    label_ = label;
    updateGeometry();
    update();
}

void ResultRow::setValue(const QString &value)
{
    value_ = value;
    updateGeometry();
    update();
}

void ResultRow::setTint(Tint tint)
{
    tint_ = std::move(tint);
    update();
}

void ResultRow::setEmphasised(bool emphasised)
{
    emphasised_ = emphasised;
    updateGeometry();
    update();
}

QSize ResultRow::sizeHint() const
{
    const qreal w = TextMeasure::advance(labelFont(), label_) + gap + TextMeasure::advance(valueFont(), value_);
    return {int(std::ceil(w)), heightForWidth(int(std::ceil(w)))};
}

QSize ResultRow::minimumSizeHint() const
{
    const qreal w =
        TextMeasure::advance(labelFont(), QStringLiteral("MMMMMM")) + gap + TextMeasure::advance(valueFont(), value_);
    return {int(std::ceil(w)), heightForWidth(sizeHint().width())};
}

// Measured, not laid out: a layout pass asks this many times, and the measure is remembered. It is the
// arithmetic layOut() does with the lines it draws.
int ResultRow::heightForWidth(int width) const
{
    const QFontMetricsF labelMetrics(labelFont()), valueMetrics(valueFont());
    const qreal labelWidth = std::max<qreal>(width - TextMeasure::advance(valueFont(), value_) - gap, 1);
    const qreal labelHeight = TextMeasure::wrappedHeight(labelFont(), label_, labelWidth, 0);
    const qreal baseline = std::max(labelMetrics.ascent(), valueMetrics.ascent());
    return int(std::ceil(std::max(baseline - labelMetrics.ascent() + labelHeight, baseline + valueMetrics.descent())));
}

qreal ResultRow::layOut(qreal width, QPainter *painter) const
{
    const QFontMetricsF valueMetrics(valueFont());
    const qreal valueWidth = TextMeasure::advance(valueFont(), value_);
    const qreal labelWidth = std::max<qreal>(width - valueWidth - gap, 1);

    QTextLayout layout(label_, labelFont());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal labelHeight = 0;
    qreal labelAscent = QFontMetricsF(labelFont()).ascent();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(labelWidth);
        line.setPosition(QPointF(0, labelHeight));
        labelHeight += line.height();
    }
    layout.endLayout();
    if (layout.lineCount() > 0)
        labelAscent = layout.lineAt(0).ascent();

    // Both first lines share one baseline.
    const qreal baseline = std::max(labelAscent, valueMetrics.ascent());
    const qreal labelTop = baseline - labelAscent;
    const qreal height = std::max(labelTop + labelHeight, baseline + valueMetrics.descent());

    if (painter) {
        painter->setPen(Brand::textSecondary());
        layout.draw(painter, QPointF(0, labelTop));
        painter->setFont(valueFont());
        painter->setPen(tint_ ? tint_() : Brand::textPrimary());
        painter->drawText(QPointF(width - valueWidth, baseline), value_);
    }
    return height;
}

void ResultRow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    layOut(width(), &p);
}

} // namespace brolga

#include "ui/controls/ResultRow.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "brand/TextMeasure.h"
#include "ui/access/AccessibleView.h"
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
    if (label == label_)
        return;
    label_ = label;
    measured_.first = -1;
    updateGeometry();
    update();
}

void ResultRow::setValue(const QString &value)
{
    if (value == value_)
        return;
    value_ = value;
    measured_.first = -1;
    updateGeometry();
    update();
    AccessibleView::announce(this);
}

void ResultRow::setTint(Tint tint)
{
    // The same colour again (a plain function, as the figures' tints are) repaints nothing.
    using Plain = QColor (*)(const QPalette &);
    const Plain *was = tint_.target<Plain>(), *is = tint.target<Plain>();
    if ((!tint_ && !tint) || (was && is && *was == *is))
        return;
    tint_ = std::move(tint);
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

// Measured, not laid out: a layout pass asks this many times, and the measure is remembered. The lines
// are the ones paintEvent() draws, with both first lines on one baseline.
int ResultRow::heightForWidth(int width) const
{
    if (measured_.first == width)
        return measured_.second;
    const QFontMetricsF labelMetrics(labelFont()), valueMetrics(valueFont());
    const qreal labelWidth = std::max<qreal>(width - TextMeasure::advance(valueFont(), value_) - gap, 1);
    const qreal labelHeight = TextMeasure::wrappedHeight(labelFont(), label_, labelWidth, 0);
    const qreal baseline = std::max(labelMetrics.ascent(), valueMetrics.ascent());
    measured_ = {width, int(std::ceil(std::max(baseline - labelMetrics.ascent() + labelHeight,
                                               baseline + valueMetrics.descent())))};
    return measured_.second;
}

void ResultRow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QFontMetricsF valueMetrics(valueFont());
    const qreal valueWidth = TextMeasure::advance(valueFont(), value_);

    QTextLayout layout(label_, labelFont());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    TextMeasure::breakLines(layout, std::max<qreal>(width() - valueWidth - gap, 1), 0);
    const qreal labelAscent = layout.lineCount() > 0 ? layout.lineAt(0).ascent() : QFontMetricsF(labelFont()).ascent();

    // Both first lines share one baseline.
    const qreal baseline = std::max(labelAscent, valueMetrics.ascent());
    p.setPen(Brand::textSecondary(palette()));
    layout.draw(&p, QPointF(0, baseline - labelAscent));
    p.setFont(valueFont());
    p.setPen(tint_ ? tint_(palette()) : Brand::textPrimary(palette()));
    p.drawText(QPointF(width() - valueWidth, baseline), value_);
}

} // namespace brolga

#include "ui/DonutChart.h"

#include "ui/access/AccessibleView.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "core/Format.h"

#include <QEasingCurve>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace brolga {

DonutChart::DonutChart(double principal, double interest, qreal size, Ink ink, QWidget *parent)
    : QWidget(parent), principal_(principal), interest_(interest), size_(size), ink_(std::move(ink))
{
    shown_ = fraction();
    ease_.setDuration(animationMs);
    ease_.setEasingCurve(QEasingCurve::OutCubic);
    connect(&ease_, &QVariantAnimation::valueChanged, this, [this](const QVariant &v) {
        shown_ = v.toDouble();
        update();
    });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

double DonutChart::interestFraction(double principal, double interest)
{
    const double total = principal + interest;
    if (!(total > 0))
        return 0;
    const double f = interest / total;
    return std::isfinite(f) ? std::clamp(f, 0.0, 1.0) : 0.0;
}

void DonutChart::setValues(double principal, double interest)
{
    const double before = fraction();
    principal_ = principal;
    interest_ = interest;
    const double after = fraction();
    if (after == before && !ease_.state())
        return;
    AccessibleView::announce(this);
    ease_.stop();
    // Off screen there is nothing to ease: jump.
    if (!isVisible()) {
        shown_ = after;
        update();
        return;
    }
    ease_.setStartValue(shown_);
    ease_.setEndValue(after);
    ease_.start();
}

QString DonutChart::centreText() const { return Format::percent(fraction() * 100, 0); }

QSize DonutChart::sizeHint() const
{
    const int s = int(std::ceil(size_));
    return {s, s};
}

void DonutChart::paint(QPainter &p, const QPalette &palette, const QRectF &rect, double fraction, const Ink &ink)
{
    const qreal side = std::min(rect.width(), rect.height());
    if (side <= lineWidth)
        return;
    const QRectF square(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
    const QRectF ring = square.adjusted(lineWidth / 2, lineWidth / 2, -lineWidth / 2, -lineWidth / 2);
    fraction = std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.0;

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink.forcedInk.value_or(Brand::chartPrimary(palette)), lineWidth, Qt::SolidLine, Qt::FlatCap));
    p.drawEllipse(ring);
    if (fraction > 0) {
        p.setPen(QPen(ink.forcedAccent.value_or(Brand::chartAccent(palette)), lineWidth, Qt::SolidLine, Qt::FlatCap));
        // From twelve o'clock, clockwise (Qt's angles run anticlockwise in sixteenths of a degree).
        p.drawArc(ring, 90 * 16, -qRound(fraction * 360 * 16));
    }

    const QFont figureFont = BrandType::sans(15, FontWeight::semibold);
    const QFont captionFont = BrandType::sans(8.5, FontWeight::regular);
    const QFontMetricsF fm(figureFont), cm(captionFont);
    const QString figure = Format::percent(fraction * 100, 0);
    const QString caption = QStringLiteral("interest");
    const qreal blockHeight = fm.height() + cm.height();
    const qreal top = square.center().y() - blockHeight / 2;

    p.setFont(figureFont);
    p.setPen(ink.forcedInk.value_or(Brand::textPrimary(palette)));
    p.drawText(QPointF(square.center().x() - fm.horizontalAdvance(figure) / 2, top + fm.ascent()), figure);

    QColor captionColour = Brand::textSecondary(palette);
    if (ink.forcedInk) {
        captionColour = *ink.forcedInk;
        captionColour.setAlphaF(captionColour.alphaF() * 0.6);
    }
    p.setFont(captionFont);
    p.setPen(captionColour);
    p.drawText(QPointF(square.center().x() - cm.horizontalAdvance(caption) / 2, top + fm.height() + cm.ascent()),
               caption);
    p.restore();
}

void DonutChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    render(p, QRectF(rect()));
}

} // namespace brolga

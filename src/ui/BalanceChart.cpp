#include "ui/BalanceChart.h"

#include "ui/access/AccessibleView.h"

#include "brand/Brand.h"
#include "ui/ColumnThinning.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace brolga {

BalanceChart::BalanceChart(std::vector<AmortisationRow> schedule, PaymentFrequency frequency, QWidget *parent)
    : QWidget(parent), schedule_(std::move(schedule)), frequency_(frequency)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(chartHeight);
}

void BalanceChart::setSchedule(std::vector<AmortisationRow> schedule, PaymentFrequency frequency)
{
    if (schedule == schedule_ && frequency == frequency_)
        return;
    schedule_ = std::move(schedule);
    frequency_ = frequency;
    update();
    AccessibleView::announce(this);
}

void BalanceChart::paint(QPainter &p, const QPalette &palette, const QRectF &rect,
                         const std::vector<AmortisationRow> &rows)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Brand::field(palette));
    p.drawRoundedRect(rect, radius, radius);
    p.setPen(QPen(Brand::hairline(palette), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);

    const std::size_t n = rows.size();
    if (n < 2) {
        p.restore();
        return;
    }
    const qreal W = rect.width() - 2 * inset;
    const qreal H = rect.height() - 2 * inset;
    const qreal left = rect.left() + inset;
    const qreal y0 = rect.top() + H + inset;

    double totalInterest = 0;
    for (const AmortisationRow &r : rows)
        totalInterest += r.interest;
    const double top = std::max({rows.front().balance, totalInterest, 1.0});
    const double last = double(n - 1);

    QPolygonF interest;
    interest.reserve(int(n));
    QPolygonF line;
    line.reserve(int(n));
    double cumulative = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const qreal x = left + qreal(i) / last * W;
        cumulative += rows[i].interest;
        interest << QPointF(x, y0 - cumulative / top * H);
        line << QPointF(x, y0 - rows[i].balance / top * H);
    }
    // A 50-year weekly loan has 2,600 rows for a chart a few hundred points wide: one point per device
    // pixel column draws the same picture for a fraction of the stroking.
    const QTransform &device = p.deviceTransform();
    const qreal pixelsPerPoint =
        std::max({std::sqrt(std::abs(device.determinant())), p.device() ? p.device()->devicePixelRatioF() : 1.0, 1.0});
    line = thinToColumns(line, 1 / pixelsPerPoint);
    QPolygonF area = thinToColumns(interest, 1 / pixelsPerPoint);
    area.prepend(QPointF(left, y0));
    area << QPointF(left + W, y0);

    QColor fill = Brand::chartAccent(palette);
    fill.setAlphaF(fill.alphaF() * areaOpacity);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPolygon(area);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Brand::chartPrimary(palette), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(line);
    p.restore();
}

void BalanceChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paint(p, palette(), QRectF(rect()), schedule_);
}

} // namespace brolga

#include "ui/BalanceChart.h"

#include "brand/Brand.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>

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
}

void BalanceChart::paint(QPainter &p, const QRectF &rect, const std::vector<AmortisationRow> &rows)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Brand::field());
    p.drawRoundedRect(rect, radius, radius);
    p.setPen(QPen(Brand::hairline(), 1));
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

    QPolygonF area;
    area.reserve(int(n) + 2);
    QPolygonF line;
    line.reserve(int(n));
    area << QPointF(left, y0);
    double cumulative = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const qreal x = left + qreal(i) / last * W;
        cumulative += rows[i].interest;
        area << QPointF(x, y0 - cumulative / top * H);
        line << QPointF(x, y0 - rows[i].balance / top * H);
    }
    area << QPointF(left + W, y0);

    QColor fill = Brand::chartAccent();
    fill.setAlphaF(fill.alphaF() * areaOpacity);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPolygon(area);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Brand::chartPrimary(), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(line);
    p.restore();
}

void BalanceChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paint(p, QRectF(rect()), schedule_);
}

} // namespace brolga

#pragma once

#include "calc/AmortisationRow.h"
#include "core/ScreenChoices.h"

#include <QWidget>

#include <vector>

class QPainter;

namespace brolga {

// The balance of a loan period by period as a line, over the interest paid so far as a shaded area, on one
// scale; no axes or labels. 110 high. paint() draws it into any painter at any rect.
class BalanceChart : public QWidget {
    Q_OBJECT
public:
    BalanceChart(std::vector<AmortisationRow> schedule = {}, PaymentFrequency frequency = PaymentFrequency::monthly,
                 QWidget *parent = nullptr);

    void setSchedule(std::vector<AmortisationRow> schedule, PaymentFrequency frequency);
    const std::vector<AmortisationRow> &schedule() const { return schedule_; }
    PaymentFrequency frequency() const { return frequency_; }

    // The frame, and the plot when there are at least two rows.
    static void paint(QPainter &painter, const QPalette &palette, const QRectF &rect,
                      const std::vector<AmortisationRow> &schedule);

    QSize sizeHint() const override { return {200, chartHeight}; }
    QSize minimumSizeHint() const override { return {40, chartHeight}; }

    static constexpr int chartHeight = 110;
    static constexpr qreal inset = 4;
    static constexpr qreal radius = 8;
    static constexpr qreal areaOpacity = 0.28;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<AmortisationRow> schedule_;
    PaymentFrequency frequency_;
};

} // namespace brolga

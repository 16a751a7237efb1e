#pragma once

#include <QColor>
#include <QVariantAnimation>
#include <QWidget>

#include <optional>

class QPainter;

namespace brolga {

// The principal/interest ring: a full ring in the chart's primary colour, the interest share trimmed over
// it from the top in the accent colour, and the share as a percentage in the middle. A change of share
// eases in over 0.25 s. forcedInk and forcedAccent replace the theme's colours (the export card sets them).
//
// paint() draws the ring into any painter at any rect, without a widget, so the export card can use it.
class DonutChart : public QWidget {
    Q_OBJECT
public:
    struct Ink {
        std::optional<QColor> forcedInk;
        std::optional<QColor> forcedAccent;
    };

    DonutChart(double principal, double interest, qreal size, Ink ink = {}, QWidget *parent = nullptr);

    // interest / (principal + interest), or 0 when the total is not positive.
    static double interestFraction(double principal, double interest);
    // The ring at `fraction` (0 to 1) drawn into the square centred in `rect`.
    static void paint(QPainter &painter, const QPalette &palette, const QRectF &rect, double fraction,
                      const Ink &ink = {});

    void setValues(double principal, double interest);
    double principal() const { return principal_; }
    double interest() const { return interest_; }
    // The share the figures give (the one drawn differs while easing).
    double fraction() const { return interestFraction(principal_, interest_); }
    // The centre figure, "27%".
    QString centreText() const;
    // This ring, as it stands, into a painter.
    void render(QPainter &painter, const QRectF &rect) const { paint(painter, palette(), rect, shown_, ink_); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    static constexpr qreal lineWidth = 13;
    static constexpr int animationMs = 250;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double principal_ = 0;
    double interest_ = 0;
    qreal size_ = 92;
    Ink ink_;
    double shown_ = 0;
    QVariantAnimation ease_;
};

} // namespace brolga

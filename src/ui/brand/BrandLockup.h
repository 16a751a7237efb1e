#pragma once

#include <QColor>
#include <QSizeF>
#include <QWidget>

namespace brolga {

// The product lockup: the wing beside "Brolga" over "BROLGA". `scale` is the first line's size.
class BrandLockup : public QWidget {
    Q_OBJECT

public:
    // The kind of ground the mark sits on.
    enum class Ground { dark, light };

    explicit BrandLockup(Ground ground = Ground::dark, qreal scale = 14, QWidget *parent = nullptr);

    Ground ground() const { return ground_; }
    void setGround(Ground ground);
    qreal scale() const { return scale_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The theme's colours for each ground, read when called.
    static QColor wingColour(const QPalette &palette, Ground ground);
    static QColor primaryColour(const QPalette &palette, Ground ground);
    static QColor secondaryColour(const QPalette &palette, Ground ground);

    // Exact size and drawing, for painters outside a widget (the export card).
    static QSizeF naturalSize(qreal scale);
    static void paint(QPainter &painter, const QPalette &palette, const QPointF &topLeft, Ground ground, qreal scale);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Ground ground_;
    qreal scale_;
};

} // namespace brolga

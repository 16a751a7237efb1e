#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include <functional>

namespace brolga {

// The product's wing silhouette (":/MenubarWing.svg"), filled with one tint colour.
class WingMark : public QWidget {
    Q_OBJECT

public:
    // Height over width of the artwork.
    static constexpr qreal aspect = 0.6956330597889802;
    // Asked for on every paint, so a theme or appearance change shows at the next repaint.
    using TintSource = std::function<QColor()>;

    explicit WingMark(const QColor &tint, qreal width = 16, QWidget *parent = nullptr);
    WingMark(TintSource tint, qreal width, QWidget *parent = nullptr);

    QColor tint() const;
    void setTint(const QColor &tint);
    void setTint(TintSource tint);

    qreal markWidth() const { return width_; }
    qreal markHeight() const { return width_ * aspect; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The wing stretched into `rect` (give it the artwork's aspect), for painters outside a widget.
    static void paint(QPainter &painter, const QRectF &rect, const QColor &tint);
    // The wing `width` logical pixels wide at `devicePixelRatio`, for icons and watermarks.
    static QImage image(const QColor &tint, qreal width, qreal devicePixelRatio = 1);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TintSource tint_;
    qreal width_;
};

} // namespace brolga

#pragma once

#include <QImage>
#include <QWidget>

namespace brolga {

// The broker's logo on a white rounded tile, fitted within 4.5 × maxHeight by maxHeight.
class CustomLogoMark : public QWidget {
    Q_OBJECT
public:
    CustomLogoMark(const QImage &image, qreal maxHeight, QWidget *parent = nullptr);

    void setImage(const QImage &image);
    // The tile's size for an image: the fitted image plus 0.24 × maxHeight each side and 0.16 × above and below.
    static QSizeF tileSize(const QSize &imageSize, qreal maxHeight);
    // Paints the tile with its top-left corner at `origin`; the export card draws it this way too.
    static void paint(QPainter &painter, const QPointF &origin, const QImage &image, qreal maxHeight);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage image_;
    qreal maxHeight_;
};

} // namespace brolga

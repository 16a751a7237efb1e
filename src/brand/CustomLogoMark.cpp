#include "brand/CustomLogoMark.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace brolga {

namespace {
QSizeF fitted(const QSize &imageSize, qreal maxHeight)
{
    if (imageSize.isEmpty())
        return {};
    QSizeF size(imageSize);
    size.scale(QSizeF(4.5 * maxHeight, maxHeight), Qt::KeepAspectRatio);
    return size;
}
} // namespace

CustomLogoMark::CustomLogoMark(const QImage &image, qreal maxHeight, QWidget *parent)
    : QWidget(parent), image_(image), maxHeight_(maxHeight)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void CustomLogoMark::setImage(const QImage &image)
{
    image_ = image;
    updateGeometry();
    update();
}

QSizeF CustomLogoMark::tileSize(const QSize &imageSize, qreal maxHeight)
{
    const QSizeF image = fitted(imageSize, maxHeight);
    return {image.width() + 0.48 * maxHeight, image.height() + 0.32 * maxHeight};
}

void CustomLogoMark::paint(QPainter &painter, const QPointF &origin, const QImage &image, qreal maxHeight)
{
    const QSizeF tile = tileSize(image.size(), maxHeight);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath path;
    path.addRoundedRect(QRectF(origin, tile), 6, 6);
    painter.fillPath(path, Qt::white);
    const QSizeF drawn = fitted(image.size(), maxHeight);
    painter.drawImage(QRectF(origin + QPointF(0.24 * maxHeight, 0.16 * maxHeight), drawn), image);
    painter.restore();
}

QSize CustomLogoMark::sizeHint() const
{
    const QSizeF tile = tileSize(image_.size(), maxHeight_);
    return {int(std::ceil(tile.width())), int(std::ceil(tile.height()))};
}

void CustomLogoMark::paintEvent(QPaintEvent *)
{
    if (image_.isNull())
        return;
    QPainter painter(this);
    paint(painter, QPointF(0, 0), image_, maxHeight_);
}

} // namespace brolga

#include "ui/brand/CustomLogoMark.h"

#include "ui/brand/DevicePixels.h"

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
// The logo at `pixels`, smoothly scaled. The last answer is kept: the card and the settings preview ask for
// the same logo at the same size on every paint.
QImage scaledTo(const QImage &image, const QSize &pixels)
{
    struct Scaled {
        qint64 key = 0;
        QSize pixels;
        QImage image;
    };
    thread_local Scaled last;
    if (last.key == image.cacheKey() && last.pixels == pixels && !last.image.isNull())
        return last.image;
    QImage source =
        image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    source.setDevicePixelRatio(1);
    last = {image.cacheKey(), pixels, source.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)};
    return last.image;
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
    const QRectF target(origin + QPointF(0.24 * maxHeight, 0.16 * maxHeight), fitted(image.size(), maxHeight));
    // A large logo squeezed straight into the tile loses thin strokes to the painter's plain sampling: scale it
    // once to exactly the device pixels it covers, with a filter that averages every source pixel, and copy
    // that one to one.
    if (const auto device = DevicePixels::onDevice(painter, target)) {
        const QRect pixels = device->toRect();
        if (!pixels.isEmpty()) {
            QImage scaled = scaledTo(image, pixels.size());
            scaled.setDevicePixelRatio(DevicePixels::scale(painter));
            painter.drawImage(DevicePixels::fromDevice(painter, pixels.topLeft()), scaled);
        }
    } else {
        painter.drawImage(target, image);
    }
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

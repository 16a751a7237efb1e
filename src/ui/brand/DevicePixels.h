#pragma once

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRectF>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <optional>

namespace brolga::DevicePixels {

// The pixel ratio of the device `painter` really paints into. A widget rendered into an image at scale 2
// reports its screen's ratio through QPainter::device(); the paint engine knows the image.
inline qreal ratio(const QPainter &painter)
{
    const QPaintEngine *engine = painter.paintEngine();
    const QPaintDevice *device = engine && engine->paintDevice() ? engine->paintDevice() : painter.device();
    return device ? std::max(device->devicePixelRatio(), 1.0) : 1.0;
}

// Device pixels per logical pixel where `painter` draws now: the device's ratio times the painter's scaling.
inline qreal scale(const QPainter &painter)
{
    const QTransform &t = painter.worldTransform();
    const qreal world = std::max(std::hypot(t.m11(), t.m12()), std::hypot(t.m21(), t.m22()));
    return ratio(painter) * (world > 0 ? world : 1.0);
}

// `rect` in device pixels, or absent when the painter rotates, shears or scales unevenly: then there is no
// pixel grid to line a raster up with.
inline std::optional<QRectF> onDevice(const QPainter &painter, const QRectF &rect)
{
    const QTransform &t = painter.worldTransform();
    if (t.type() > QTransform::TxScale || t.m11() != t.m22() || t.m11() <= 0)
        return std::nullopt;
    const qreal r = ratio(painter);
    return QRectF(t.map(rect.topLeft()) * r, rect.size() * t.m11() * r);
}

// A device pixel position back in the painter's coordinates.
inline QPointF fromDevice(const QPainter &painter, const QPointF &devicePoint)
{
    return painter.worldTransform().inverted().map(devicePoint / ratio(painter));
}

} // namespace brolga::DevicePixels

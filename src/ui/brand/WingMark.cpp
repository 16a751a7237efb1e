#include "ui/brand/WingMark.h"

#include "ui/brand/DevicePixels.h"
#include "ui/brand/Icons.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace brolga {

namespace {
const QString artwork = QStringLiteral(":/MenubarWing.svg");
}

WingMark::WingMark(const QColor &tint, qreal width, QWidget *parent) : WingMark(TintSource(), width, parent)
{
    setTint(tint);
}

WingMark::WingMark(TintSource tint, qreal width, QWidget *parent)
    : QWidget(parent), tint_(std::move(tint)), width_(std::max(width, 0.0))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TranslucentBackground);
}

QColor WingMark::tint() const { return tint_ ? tint_() : QColor(Qt::black); }

void WingMark::setTint(const QColor &tint)
{
    setTint([tint] { return tint; });
}

void WingMark::setTint(TintSource tint)
{
    tint_ = std::move(tint);
    update();
}

QSize WingMark::sizeHint() const { return {qCeil(markWidth()), qCeil(markHeight())}; }

void WingMark::paint(QPainter &painter, const QRectF &rect, const QColor &tint)
{
    if (rect.isEmpty())
        return;
    // Rasterised at the pixels it will cover, so it is never stretched: a card rendered at scale 2 gets a
    // wing drawn at scale 2, on the device's pixel grid and copied one to one.
    const qreal scale = DevicePixels::scale(painter);
    if (const auto device = DevicePixels::onDevice(painter, rect)) {
        const QPointF whole(std::floor(device->left()), std::floor(device->top()));
        QImage img = Icons::tinted(artwork, rect.size(), tint, scale, device->topLeft() - whole);
        if (img.isNull())
            return;
        img.setDevicePixelRatio(scale);
        painter.drawImage(DevicePixels::fromDevice(painter, whole), img);
        return;
    }
    const QImage img = Icons::tinted(artwork, rect.size(), tint, scale);
    painter.drawImage(rect, img, QRectF(img.rect()));
}

QImage WingMark::image(const QColor &tint, qreal width, qreal devicePixelRatio)
{
    return Icons::tinted(artwork, QSizeF(width, width * aspect), tint, devicePixelRatio);
}

void WingMark::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF r((width() - markWidth()) / 2, (height() - markHeight()) / 2, markWidth(), markHeight());
    paint(p, r, tint());
}

} // namespace brolga

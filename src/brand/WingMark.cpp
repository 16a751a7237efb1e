#include "brand/WingMark.h"

#include "brand/Icons.h"

#include <QPainter>
#include <QPixmapCache>

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

void WingMark::setMarkWidth(qreal width)
{
    width_ = std::max(width, 0.0);
    updateGeometry();
    update();
}

QSize WingMark::sizeHint() const { return {qCeil(markWidth()), qCeil(markHeight())}; }

void WingMark::paint(QPainter &painter, const QRectF &rect, const QColor &tint)
{
    if (rect.isEmpty())
        return;
    const QTransform &t = painter.transform();
    const qreal scale = std::max(std::hypot(t.m11(), t.m12()), std::hypot(t.m21(), t.m22()));
    const qreal dpr = (painter.device() ? painter.device()->devicePixelRatioF() : 1.0) * (scale > 0 ? scale : 1.0);
    const QImage img = Icons::tinted(artwork, rect.size(), tint, dpr);
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

#include "ui/controls/Stepper.h"

#include "brand/Brand.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace brolga {

Stepper::Stepper(QWidget *parent) : QWidget(parent)
{
    setFixedSize(width_, height_);
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::NoFocus);
    connect(&repeat_, &QTimer::timeout, this, [this] {
        repeat_.setInterval(70);
        fire();
    });
}

void Stepper::fire()
{
    if (pressed_ == Half::up)
        Q_EMIT stepUp();
    else if (pressed_ == Half::down)
        Q_EMIT stepDown();
}

void Stepper::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    pressed_ = event->position().y() < height() / 2.0 ? Half::up : Half::down;
    update();
    fire();
    repeat_.start(400);
}

void Stepper::mouseReleaseEvent(QMouseEvent *event)
{
    repeat_.stop();
    pressed_ = Half::none;
    update();
    QWidget::mouseReleaseEvent(event);
}

void Stepper::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(3.5, 0.5, -3.5, -0.5);
    p.setPen(QPen(Brand::hairline(palette()), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box, 4, 4);
    p.drawLine(QPointF(box.left(), box.center().y()), QPointF(box.right(), box.center().y()));

    const QColor ink = Brand::textSecondary(palette());
    const QColor pressedFill = [&] {
        QColor c = ink;
        c.setAlphaF(0.18);
        return c;
    }();
    if (pressed_ != Half::none) {
        QRectF half = box;
        if (pressed_ == Half::up)
            half.setBottom(box.center().y());
        else
            half.setTop(box.center().y());
        QPainterPath clip;
        clip.addRoundedRect(box, 4, 4);
        p.save();
        p.setClipPath(clip);
        p.fillRect(half, pressedFill);
        p.restore();
    }

    // Two small chevrons, one a half.
    p.setPen(QPen(ink, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const qreal cx = box.center().x();
    const qreal quarter = box.height() / 4;
    const qreal w = 2.6;
    const qreal h = 1.5;
    const qreal upY = box.top() + quarter;
    const qreal downY = box.bottom() - quarter;
    p.drawPolyline(QPolygonF({QPointF(cx - w, upY + h / 2), QPointF(cx, upY - h / 2), QPointF(cx + w, upY + h / 2)}));
    p.drawPolyline(
        QPolygonF({QPointF(cx - w, downY - h / 2), QPointF(cx, downY + h / 2), QPointF(cx + w, downY - h / 2)}));
}

} // namespace brolga

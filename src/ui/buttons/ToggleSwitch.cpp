#include "ui/buttons/ToggleSwitch.h"

#include "brand/Brand.h"
#include "ui/controls/FocusRing.h"

#include <QPainter>
#include <QSignalBlocker>

namespace brolga {

ToggleSwitch::ToggleSwitch(QWidget *parent) : QAbstractButton(parent)
{
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    slide_.setDuration(120);
    slide_.setEasingCurve(QEasingCurve::OutCubic);
    connect(&slide_, &QVariantAnimation::valueChanged, this, [this](const QVariant &v) {
        position_ = v.toReal();
        update();
    });
    connect(this, &QAbstractButton::toggled, this, [this](bool on) {
        slide_.stop();
        if (!isVisible()) {
            position_ = on ? 1 : 0;
            return update();
        }
        slide_.setStartValue(position_);
        slide_.setEndValue(on ? 1.0 : 0.0);
        slide_.start();
    });
}

void ToggleSwitch::setCheckedQuietly(bool on)
{
    if (isChecked() == on)
        return;
    const QSignalBlocker quiet(this);
    setChecked(on);
    slide_.stop();
    position_ = on ? 1 : 0;
    update();
}

void ToggleSwitch::nextCheckState() { setChecked(!isChecked()); }

void ToggleSwitch::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(0, 0, trackWidth, trackHeight).translated((width() - trackWidth) / 2.0,
                                                                          (height() - trackHeight) / 2.0);
    const qreal r = track.height() / 2;
    QColor off = Brand::hairline(palette());
    QColor on = Brand::accent(palette());
    QColor fill;
    fill.setRgbF(off.redF() + (on.redF() - off.redF()) * position_, off.greenF() + (on.greenF() - off.greenF()) * position_,
                 off.blueF() + (on.blueF() - off.blueF()) * position_, off.alphaF() + (on.alphaF() - off.alphaF()) * position_);
    p.setOpacity(isEnabled() ? 1.0 : 0.4);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(track, r, r);
    // No room around the switch for a ring outside it: the ring runs inside the track, a shade deeper than
    // the accent so it still shows on the accent-filled track.
    if (hasFocus()) {
        const QColor accent = Brand::accent(palette());
        FocusRing::paint(p, track, r, position_ > 0.5 ? accent.darker(150) : accent);
    }
    const qreal knob = track.height() - 4;
    const qreal x = track.left() + 2 + (track.width() - 4 - knob) * position_;
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0, 0, 0, 30), 0.5));
    p.drawEllipse(QRectF(x, track.top() + 2, knob, knob));
}

} // namespace brolga

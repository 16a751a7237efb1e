#include "ui/buttons/ToggleSwitch.h"

#include <QSignalBlocker>

namespace brolga {

ToggleSwitch::ToggleSwitch(QWidget *parent) : QCheckBox(parent)
{
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

} // namespace brolga

#pragma once

#include <QCheckBox>
#include <QVariantAnimation>

namespace brolga {

// A small on/off switch for a card's header: a rounded track in the accent colour when on, the field
// colour when off, with a white knob that slides across (BrandStyle draws it). A check box to readers.
class ToggleSwitch : public QCheckBox {
    Q_OBJECT
public:
    explicit ToggleSwitch(QWidget *parent = nullptr);

    // Shows `on` without emitting toggled/clicked (for following the record).
    void setCheckedQuietly(bool on);

    QSize sizeHint() const override { return {trackWidth, trackHeight}; }
    QSize minimumSizeHint() const override { return sizeHint(); }
    // How far the knob has slid: 0 off, 1 on.
    qreal position() const { return position_; }

    static constexpr int trackWidth = 28;
    static constexpr int trackHeight = 16;

private:
    qreal position_ = 0; // 0 off, 1 on
    QVariantAnimation slide_;
};

} // namespace brolga

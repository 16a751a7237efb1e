#pragma once

#include <QProxyStyle>

namespace brolga {

class PillButton;

// The brand's look over the platform's style: Qt's own check boxes are drawn as the brand's box with its
// tick or as a sliding switch, a picker's radio buttons as its pills and any other as the box's round
// sibling, and a number field's spin box as its small stepper. Every other control keeps the platform's look.
class BrandStyle : public QProxyStyle {
    Q_OBJECT
public:
    BrandStyle() = default;

    // Puts the style on the application; calling it again does nothing.
    static void install();

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    QRect subElementRect(SubElement element, const QStyleOption *option, const QWidget *widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl sub,
                         const QWidget *widget = nullptr) const override;

private:
    // `round`: a radio button's circle and dot instead of the box and tick.
    static void drawCheckBox(const QStyleOption *option, QPainter *painter, const QWidget *widget, bool round = false);
    // `position` is how far the knob has slid: 0 off, 1 on.
    static void drawSwitch(const QStyleOption *option, QPainter *painter, qreal position);
    static void drawPill(const QStyleOption *option, QPainter *painter, const PillButton &button);
    static void drawStepper(const QStyleOptionComplex *option, QPainter *painter);
};

} // namespace brolga

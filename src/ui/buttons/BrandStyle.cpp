#include "ui/buttons/BrandStyle.h"

#include "brand/Brand.h"
#include "brand/TextMeasure.h"
#include "ui/buttons/BrandCheckBox.h"
#include "ui/buttons/ToggleSwitch.h"
#include "ui/controls/FocusRing.h"
#include "ui/controls/PillButton.h"
#include "ui/controls/PillPicker.h"
#include "ui/controls/Stepper.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>

namespace brolga {

namespace {
QColor mix(const QColor &a, const QColor &b, qreal t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}
} // namespace

void BrandStyle::install()
{
    if (!qobject_cast<BrandStyle *>(QApplication::style()))
        QApplication::setStyle(new BrandStyle);
}

void BrandStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                             const QWidget *widget) const
{
    if (element == CE_CheckBox && qobject_cast<const BrandCheckBox *>(widget))
        return drawCheckBox(option, painter, widget);
    if (element == CE_CheckBox)
        if (const auto *toggle = qobject_cast<const ToggleSwitch *>(widget))
            return drawSwitch(option, painter, toggle->position());
    if (element == CE_RadioButton) {
        if (const auto *pill = qobject_cast<const PillButton *>(widget))
            return drawPill(option, painter, *pill);
        return drawCheckBox(option, painter, widget, true);
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

// The whole widget takes the click, and no platform style (macOS's does) keeps a margin around it in a layout.
QRect BrandStyle::subElementRect(SubElement element, const QStyleOption *option, const QWidget *widget) const
{
    if (((element == SE_CheckBoxClickRect || element == SE_CheckBoxLayoutItem) &&
         (qobject_cast<const BrandCheckBox *>(widget) || qobject_cast<const ToggleSwitch *>(widget))) ||
        element == SE_RadioButtonClickRect)
        return option->rect;
    return QProxyStyle::subElementRect(element, option, widget);
}

void BrandStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                                    const QWidget *widget) const
{
    if (control == CC_SpinBox && qobject_cast<const Stepper *>(widget))
        return drawStepper(option, painter);
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

// The stepper is all buttons: the upper half steps up, the lower half down, and there is no edit field.
QRect BrandStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl sub,
                                 const QWidget *widget) const
{
    if (control != CC_SpinBox || !qobject_cast<const Stepper *>(widget))
        return QProxyStyle::subControlRect(control, option, sub, widget);
    const QRect r = option->rect;
    const int upper = (r.height() + 1) / 2;
    switch (sub) {
    case SC_SpinBoxUp: return r.adjusted(0, 0, 0, upper - r.height());
    case SC_SpinBoxDown: return r.adjusted(0, upper, 0, 0);
    case SC_SpinBoxFrame: return r;
    default: return {};
    }
}

void BrandStyle::drawCheckBox(const QStyleOption *option, QPainter *painter, const QWidget *widget, bool round)
{
    constexpr int boxSize = BrandCheckBox::boxSize;
    constexpr int gap = BrandCheckBox::gap;
    const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
    const QPalette &palette = option->palette;
    const bool checked = option->state & State_On;
    QPainter &p = *painter;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setOpacity(!(option->state & State_Enabled) ? 0.4 : (option->state & State_Sunken) ? 0.7 : 1.0);

    const int height = option->rect.height();
    const QRectF box(0.5, (height - boxSize) / 2.0 + 0.5, boxSize - 1, boxSize - 1);
    const qreal radius = round ? box.width() / 2 : 3.5;
    if (checked && round) {
        p.setPen(Qt::NoPen);
        p.setBrush(Brand::accent(palette));
        p.drawEllipse(box);
        p.setBrush(Brand::canvas(palette));
        p.drawEllipse(box.center(), box.width() * 0.2, box.width() * 0.2);
    } else if (checked) {
        p.setPen(Qt::NoPen);
        p.setBrush(Brand::accent(palette));
        p.drawRoundedRect(box, radius, radius);
        QPainterPath tick;
        tick.moveTo(box.left() + box.width() * 0.24, box.top() + box.height() * 0.52);
        tick.lineTo(box.left() + box.width() * 0.43, box.top() + box.height() * 0.70);
        tick.lineTo(box.left() + box.width() * 0.77, box.top() + box.height() * 0.30);
        p.setPen(QPen(Brand::canvas(palette), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    } else {
        p.setPen(QPen(Brand::hairline(palette), 1));
        p.setBrush(Brand::field(palette));
        p.drawRoundedRect(box, radius, radius);
    }
    if (option->state & State_HasFocus)
        FocusRing::paint(p, QRectF(0, (height - boxSize) / 2.0, boxSize, boxSize), round ? boxSize / 2.0 : 4,
                         checked ? Brand::accent(palette).darker(150) : Brand::accent(palette));

    p.setFont(widget->font());
    p.setPen(Brand::textPrimary(palette));
    const QRectF textRect(boxSize + gap, 0, option->rect.width() - boxSize - gap, height);
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, button ? button->text : QString());
    p.restore();
}

void BrandStyle::drawSwitch(const QStyleOption *option, QPainter *painter, qreal position)
{
    constexpr int trackWidth = ToggleSwitch::trackWidth;
    constexpr int trackHeight = ToggleSwitch::trackHeight;
    const QPalette &palette = option->palette;
    QPainter &p = *painter;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track =
        QRectF(0, 0, trackWidth, trackHeight)
            .translated((option->rect.width() - trackWidth) / 2.0, (option->rect.height() - trackHeight) / 2.0);
    const qreal r = track.height() / 2;
    const QColor fill = mix(Brand::hairline(palette), Brand::accent(palette), position);
    p.setOpacity(option->state & State_Enabled ? 1.0 : 0.4);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(track, r, r);
    // No room around the switch for a ring outside it: the ring runs inside the track, a shade deeper than
    // the accent so it still shows on the accent-filled track.
    if (option->state & State_HasFocus) {
        const QColor accent = Brand::accent(palette);
        FocusRing::paint(p, track, r, position > 0.5 ? accent.darker(150) : accent);
    }
    const qreal knob = track.height() - 4;
    const qreal x = track.left() + 2 + (track.width() - 4 - knob) * position;
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0, 0, 0, 30), 0.5));
    p.drawEllipse(QRectF(x, track.top() + 2, knob, knob));
    p.restore();
}

void BrandStyle::drawPill(const QStyleOption *option, QPainter *painter, const PillButton &button)
{
    const QPalette &palette = option->palette;
    const QRectF pill = button.face();
    const qreal shown = button.shown();
    QPainter &p = *painter;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (shown > 0) {
        p.save();
        p.setOpacity(shown);
        p.setPen(Qt::NoPen);
        p.setBrush(PillPicker::selectionFill(palette, pill));
        p.drawRoundedRect(pill, 6, 6);
        p.restore();
    }

    const QColor onNavy = Brand::rgb(Brand::theme(palette).textPrimaryDark);
    const QColor plain = Brand::textSecondary(palette);
    const QFont font = PillButton::labelFont(option->state & State_On);
    const QFontMetricsF fm(font);
    const QString &label = button.label();
    const qreal room = std::max<qreal>(pill.width() - 2 * PillPicker::labelPadding, 1);
    const qreal natural = TextMeasure::advance(font, label);
    const qreal scale = natural > room ? std::max(PillPicker::minimumScale, room / natural) : 1.0;
    const QString text = natural * scale <= room ? label : fm.elidedText(label, Qt::ElideRight, room / scale);
    p.setFont(font);
    p.setPen(mix(plain, onNavy, shown));
    p.translate(pill.center());
    p.scale(scale, scale);
    const qreal w = TextMeasure::advance(font, text);
    p.drawText(QPointF(-w / 2, fm.ascent() - fm.height() / 2), text);
    p.restore();
}

void BrandStyle::drawStepper(const QStyleOptionComplex *option, QPainter *painter)
{
    const QPalette &palette = option->palette;
    QPainter &p = *painter;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(option->rect).adjusted(3.5, 0.5, -3.5, -0.5);
    p.setPen(QPen(Brand::hairline(palette), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box, 4, 4);
    p.drawLine(QPointF(box.left(), box.center().y()), QPointF(box.right(), box.center().y()));

    const QColor ink = Brand::textSecondary(palette);
    const SubControls pressed = option->state & State_Sunken ? option->activeSubControls : SubControls();
    if (pressed & (SC_SpinBoxUp | SC_SpinBoxDown)) {
        QRectF half = box;
        if (pressed & SC_SpinBoxUp)
            half.setBottom(box.center().y());
        else
            half.setTop(box.center().y());
        QPainterPath clip;
        clip.addRoundedRect(box, 4, 4);
        QColor fill = ink;
        fill.setAlphaF(0.18);
        p.save();
        p.setClipPath(clip);
        p.fillRect(half, fill);
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
    p.restore();
}

} // namespace brolga

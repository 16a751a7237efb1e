#include "ui/buttons/BrandCheckBox.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "brand/TextMeasure.h"
#include "ui/controls/FocusRing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace brolga {

BrandCheckBox::BrandCheckBox(const QString &text, Getter get, Setter set, QWidget *parent)
    : QAbstractButton(parent), get_(std::move(get)), set_(std::move(set))
{
    setText(text);
    setCheckable(true);
    setFont(BrandType::sans(11.5, FontWeight::regular));
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    // `toggled`, not `clicked`: a screen reader's Toggle action flips the box without a click. refresh()
    // follows the value quietly, so only the user's changes get here.
    connect(this, &QAbstractButton::toggled, this, [this](bool on) {
        if (set_ && (!get_ || get_() != on))
            set_(on);
    });
    refresh();
}

void BrandCheckBox::refresh()
{
    if (get_ && isChecked() != get_()) {
        const QSignalBlocker quiet(this);
        setChecked(get_());
    }
    update();
}

QSize BrandCheckBox::sizeHint() const
{
    const QFontMetricsF fm(font());
    const qreal width = boxSize + gap + TextMeasure::advance(font(), text());
    return {int(std::ceil(width)), int(std::ceil(std::max<qreal>(boxSize, fm.height())))};
}

void BrandCheckBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setOpacity(!isEnabled() ? 0.4 : isDown() ? 0.7 : 1.0);

    const QRectF box(0.5, (height() - boxSize) / 2.0 + 0.5, boxSize - 1, boxSize - 1);
    if (isChecked()) {
        p.setPen(Qt::NoPen);
        p.setBrush(Brand::accent(palette()));
        p.drawRoundedRect(box, 3.5, 3.5);
        QPainterPath tick;
        tick.moveTo(box.left() + box.width() * 0.24, box.top() + box.height() * 0.52);
        tick.lineTo(box.left() + box.width() * 0.43, box.top() + box.height() * 0.70);
        tick.lineTo(box.left() + box.width() * 0.77, box.top() + box.height() * 0.30);
        p.setPen(QPen(Brand::canvas(palette()), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    } else {
        p.setPen(QPen(Brand::hairline(palette()), 1));
        p.setBrush(Brand::field(palette()));
        p.drawRoundedRect(box, 3.5, 3.5);
    }
    if (hasFocus())
        FocusRing::paint(p, QRectF(0, (height() - boxSize) / 2.0, boxSize, boxSize), 4,
                         isChecked() ? Brand::accent(palette()).darker(150) : Brand::accent(palette()));

    p.setFont(font());
    p.setPen(Brand::textPrimary(palette()));
    const QRectF textRect(boxSize + gap, 0, width() - boxSize - gap, height());
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text());
}

} // namespace brolga

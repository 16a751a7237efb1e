#include "ui/buttons/PrimaryActionButton.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "brand/TextMeasure.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace brolga {

namespace {
constexpr int padV = 9;
constexpr int padH = 12;
} // namespace

PrimaryActionButton::PrimaryActionButton(const QString &title, std::function<void()> action, QWidget *parent)
    : QAbstractButton(parent)
{
    setText(title);
    setFont(BrandType::sans(12, FontWeight::semibold));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    if (action)
        connect(this, &QAbstractButton::clicked, this, [action = std::move(action)] { action(); });
}

QSize PrimaryActionButton::sizeHint() const
{
    const QFontMetricsF fm(font());
    return {int(std::ceil(TextMeasure::advance(font(), text()))) + 2 * padH, int(std::ceil(fm.height())) + 2 * padV};
}

QSize PrimaryActionButton::minimumSizeHint() const { return {2 * padH, sizeHint().height()}; }

void PrimaryActionButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setOpacity(!isEnabled() ? 0.4 : isDown() ? 0.8 : 1.0);
    const QRectF box = QRectF(rect());
    p.setPen(Qt::NoPen);
    p.setBrush(Brand::navyField(palette(), box));
    p.drawRoundedRect(box, radius, radius);
    if (hasFocus()) {
        p.setPen(QPen(Brand::accent(palette()), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(box.adjusted(0.75, 0.75, -0.75, -0.75), radius - 0.75, radius - 0.75);
    }
    p.setFont(font());
    p.setPen(Brand::rgb(Brand::theme(palette()).textPrimaryDark));
    const QFontMetricsF fm(font());
    p.drawText(box.adjusted(padH, 0, -padH, 0), Qt::AlignCenter,
               fm.elidedText(text(), Qt::ElideRight, box.width() - 2 * padH));
}

} // namespace brolga

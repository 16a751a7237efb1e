#include "ui/buttons/TextActionButton.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "brand/TextMeasure.h"
#include "ui/controls/FocusRing.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace brolga {

TextActionButton::TextActionButton(const QString &title, std::function<void()> action, QWidget *parent)
    : QAbstractButton(parent)
{
    setText(title);
    setFont(BrandType::sans(10.5, FontWeight::semibold));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (action)
        connect(this, &QAbstractButton::clicked, this, [action = std::move(action)] { action(); });
}

QSize TextActionButton::sizeHint() const
{
    const QFontMetricsF fm(font());
    return {int(std::ceil(TextMeasure::advance(font(), text()))), int(std::ceil(fm.height()))};
}

void TextActionButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (hasFocus())
        FocusRing::paintUnderText(p, QRectF(rect()), Brand::accent(palette()));
    // A plain button only dims while pressed (and when it cannot be used).
    p.setOpacity(!isEnabled() ? 0.4 : isDown() ? 0.6 : 1.0);
    p.setPen(Brand::accent(palette()));
    p.setFont(font());
    p.drawText(rect(), Qt::AlignCenter, text());
}

} // namespace brolga

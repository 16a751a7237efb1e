#include "ui/buttons/AddItemButton.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "ui/brand/Icons.h"

#include <QPainter>

namespace brolga {

namespace {
constexpr qreal padY = 14;
constexpr qreal symbolSize = 14;
constexpr qreal gap = 4;
QFont labelFont() { return BrandType::sans(11.5, FontWeight::medium); }
} // namespace

AddItemButton::AddItemButton(const QString &symbol, const QString &text, QWidget *parent)
    : QAbstractButton(parent), symbol_(symbol)
{
    setText(text);
    setAccessibleName(text);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize AddItemButton::sizeHint() const
{
    const QFontMetricsF fm(labelFont());
    return {int(fm.horizontalAdvance(text()) + 40), int(std::ceil(padY + symbolSize + gap + fm.height() + padY))};
}

void AddItemButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QPen dash(Brand::hairline(palette()), 1);
    dash.setDashPattern({4, 3});
    p.setPen(dash);
    p.setBrush(isDown() ? Brand::field(palette()) : QBrush(Qt::NoBrush));
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);

    QColor colour = Brand::accent(palette());
    if (isDown())
        colour.setAlphaF(0.7);
    const QFontMetricsF fm(labelFont());
    const qreal total = symbolSize + gap + fm.height();
    const qreal top = (height() - total) / 2;
    Icons::paint(p, QRectF((width() - symbolSize) / 2, top, symbolSize, symbolSize), symbol_, colour);
    p.setFont(labelFont());
    p.setPen(colour);
    p.drawText(QPointF((width() - fm.horizontalAdvance(text())) / 2, top + symbolSize + gap + fm.ascent()), text());
    if (hasFocus()) {
        p.setPen(QPen(Brand::accent(palette()), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 5, 5);
    }
}

} // namespace brolga

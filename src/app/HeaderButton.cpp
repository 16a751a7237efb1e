#include "app/HeaderButton.h"

#include "brand/Brand.h"
#include "brand/Icons.h"
#include "ui/controls/FocusRing.h"

#include <QEvent>

#include <QPainter>

namespace brolga {

HeaderButton::HeaderButton(const QString &symbol, const QString &help, QWidget *parent)
    : QAbstractButton(parent), symbol_(symbol)
{
    setToolTip(help);
    setAccessibleName(help);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setFixedSize(sizeHint());
}

void HeaderButton::setSymbol(const QString &symbol)
{
    if (symbol_ == symbol)
        return;
    symbol_ = symbol;
    update();
}

void HeaderButton::setActive(bool active)
{
    if (active_ == active)
        return;
    active_ = active;
    update();
}

QColor HeaderButton::symbolColour() const
{
    if (active_)
        return Brand::rgb(Brand::theme().accentOnDark);
    return QColor(255, 255, 255, qRound(0.62 * 255));
}

void HeaderButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QColor colour = symbolColour();
    if (isDown())
        colour.setAlphaF(colour.alphaF() * 0.6);
    const QRectF box((width() - symbolSize) / 2, (height() - symbolSize) / 2, symbolSize, symbolSize);
    Icons::paint(p, box, symbol_, colour);
    if (hasFocus())
        FocusRing::paint(p, QRectF(rect()), 4, Brand::rgb(Brand::theme().accentOnDark));
}

bool HeaderButton::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTipChange)
        setAccessibleName(toolTip());
    return QAbstractButton::event(event);
}

} // namespace brolga

#include "ui/buttons/PlainButton.h"

#include "brand/Brand.h"
#include "ui/brand/Icons.h"
#include "ui/controls/FocusRing.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace brolga {

PlainButton::PlainButton(const QString &title, const QFont &font, Colour colour, std::function<void()> action,
                         QWidget *parent)
    : QAbstractButton(parent), colour_(std::move(colour))
{
    setText(title);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (action)
        connect(this, &QAbstractButton::clicked, this, [action = std::move(action)] { action(); });
}

PlainButton *PlainButton::symbol(const QString &symbolName, qreal symbolSize, Colour colour,
                                 std::function<void()> action, QWidget *parent)
{
    auto *button = new PlainButton(QString(), QFont(), std::move(colour), std::move(action), parent);
    button->symbol_ = symbolName;
    button->symbolSize_ = symbolSize;
    button->setAccessibleName(symbolName);
    return button;
}

QSize PlainButton::sizeHint() const
{
    if (!symbol_.isEmpty()) {
        // A little room around a small symbol so it is not fiddly to hit.
        const int side = int(std::ceil(symbolSize_)) + 8;
        return {side, side};
    }
    const QFontMetricsF fm(font());
    return {int(std::ceil(fm.horizontalAdvance(text()))), int(std::ceil(fm.height()))};
}

void PlainButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setOpacity(!isEnabled() ? 0.4 : isDown() ? 0.6 : 1.0);
    const QColor colour = colour_(palette());
    if (!symbol_.isEmpty()) {
        const QRectF square(0, 0, symbolSize_, symbolSize_);
        Icons::paint(p, square.translated(QRectF(rect()).center() - square.center()), symbol_, colour);
    } else {
        if (hasFocus())
            FocusRing::paintUnderText(p, QRectF(rect()), Brand::accent(palette()));
        p.setPen(colour);
        p.setFont(font());
        p.drawText(rect(), Qt::AlignCenter, text());
    }
    if (hasFocus() && !symbol_.isEmpty())
        FocusRing::paint(p, QRectF(rect()), 4, Brand::accent(palette()));
}

bool PlainButton::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTipChange && !symbol_.isEmpty())
        setAccessibleName(toolTip());
    return QAbstractButton::event(event);
}

} // namespace brolga

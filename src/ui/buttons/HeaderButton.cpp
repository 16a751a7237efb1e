#include "ui/buttons/HeaderButton.h"

#include "brand/Brand.h"
#include "ui/brand/Icons.h"
#include "ui/controls/FocusRing.h"

#include <QAction>
#include <QEvent>
#include <QPainter>

namespace brolga {

HeaderButton::HeaderButton(QAction *action, const QString &symbol, const QString &uncheckedSymbol, QWidget *parent)
    : QAbstractButton(parent), action_(action), checkedSymbol_(symbol),
      uncheckedSymbol_(uncheckedSymbol.isEmpty() ? symbol : uncheckedSymbol)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setFixedSize(sizeHint());
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (action_)
            action_->trigger();
    });
    // A screen reader's Toggle flips the check without a click; the action follows it as it follows a click.
    connect(this, &QAbstractButton::toggled, this, [this](bool on) {
        if (action_ && action_->isChecked() != on)
            action_->trigger();
    });
    connect(action, &QAction::changed, this, &HeaderButton::followAction);
    followAction();
}

void HeaderButton::followAction()
{
    if (!action_)
        return;
    setToolTip(action_->toolTip());
    setEnabled(action_->isEnabled());
    setCheckable(action_->isCheckable());
    setChecked(action_->isChecked());
    const bool on = action_->isCheckable() && action_->isChecked();
    const QString symbol = on || !action_->isCheckable() ? checkedSymbol_ : uncheckedSymbol_;
    if (symbol == symbol_ && on == active_)
        return;
    symbol_ = symbol;
    active_ = on;
    update();
}

QColor HeaderButton::symbolColour() const
{
    if (active_)
        return Brand::rgb(Brand::theme(palette()).accentOnDark);
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
        FocusRing::paint(p, QRectF(rect()), 4, Brand::rgb(Brand::theme(palette()).accentOnDark));
}

bool HeaderButton::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTipChange)
        setAccessibleName(toolTip());
    return QAbstractButton::event(event);
}

} // namespace brolga

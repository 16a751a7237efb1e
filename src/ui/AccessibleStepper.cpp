#include "ui/AccessibleStepper.h"

#include "ui/access/AccessibleView.h"
#include "ui/controls/NumericField.h"

namespace brolga {

AccessibleStepper::AccessibleStepper(QWidget *stepper) : QAccessibleWidget(stepper, QAccessible::SpinBox) {}

NumericField *AccessibleStepper::field() const
{
    return qobject_cast<NumericField *>(widget()->parentWidget());
}

QString AccessibleStepper::text(QAccessible::Text t) const
{
    NumericField *f = field();
    if (!f)
        return QAccessibleWidget::text(t);
    switch (t) {
    case QAccessible::Name: return AccessibleView::spoken(f->config().label);
    case QAccessible::Value: return f->text();
    default: return QAccessibleWidget::text(t);
    }
}

void *AccessibleStepper::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface && field())
        return static_cast<QAccessibleValueInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QStringList AccessibleStepper::actionNames() const
{
    if (!field() || !widget()->isEnabled())
        return QAccessibleWidget::actionNames();
    return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
}

void AccessibleStepper::doAction(const QString &actionName)
{
    NumericField *f = field();
    if (f && widget()->isEnabled() && actionName == increaseAction())
        return f->stepBy(1);
    if (f && widget()->isEnabled() && actionName == decreaseAction())
        return f->stepBy(-1);
    QAccessibleWidget::doAction(actionName);
}

QStringList AccessibleStepper::keyBindingsForAction(const QString &actionName) const
{
    if (actionName == increaseAction())
        return {QStringLiteral("Up")};
    if (actionName == decreaseAction())
        return {QStringLiteral("Down")};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

QVariant AccessibleStepper::currentValue() const
{
    return field() ? QVariant(field()->value()) : QVariant();
}

void AccessibleStepper::setCurrentValue(const QVariant &value)
{
    bool ok = false;
    const double v = value.toDouble(&ok);
    if (NumericField *f = field(); f && ok)
        f->setValue(v);
}

QVariant AccessibleStepper::maximumValue() const
{
    return field() ? QVariant(field()->config().upper) : QVariant();
}
QVariant AccessibleStepper::minimumValue() const
{
    return field() ? QVariant(field()->config().lower) : QVariant();
}

QVariant AccessibleStepper::minimumStepSize() const
{
    NumericField *f = field();
    return f && f->config().step ? QVariant(*f->config().step) : QVariant();
}

} // namespace brolga

#pragma once

#include <QAccessibleWidget>

namespace brolga {

class NumericField;

// A number field's up/down stepper as a spin box: named after the field, with the field's value, bounds and
// step; its increase and decrease actions step the field as the arrows do.
class AccessibleStepper : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleStepper(QWidget *stepper);

    QString text(QAccessible::Text t) const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant &value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    NumericField *field() const;
};

} // namespace brolga

#include "ui/controls/Stepper.h"

#include "ui/controls/NumericField.h"

#include <QLineEdit>
#include <QWheelEvent>

namespace brolga {

Stepper::Stepper(NumericField *field) : QAbstractSpinBox(field), field_(field)
{
    // 20 wide, as a system stepper drawn at three quarters of its size.
    setFixedSize(20, 17);
    setFocusPolicy(Qt::NoFocus);
    setContextMenuPolicy(Qt::NoContextMenu);
    // The hidden editor carries the field's text, which Qt reads out as the spin box's value.
    lineEdit()->hide();
    connect(field->lineEdit(), &QLineEdit::textChanged, lineEdit(), &QLineEdit::setText);
}

double Stepper::value() const { return field_->value(); }
void Stepper::setValue(double value) { field_->setValue(value); }
double Stepper::minimum() const { return field_->config().lower; }
double Stepper::maximum() const { return field_->config().upper; }
double Stepper::stepSize() const { return field_->config().step.value_or(0); }
void Stepper::stepBy(int steps) { field_->stepBy(steps); }
void Stepper::wheelEvent(QWheelEvent *event) { event->ignore(); }

} // namespace brolga

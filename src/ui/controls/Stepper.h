#pragma once

#include <QAbstractSpinBox>

namespace brolga {

class NumericField;

// The up/down stepper beside a number field: Qt's spin box with its own editor hidden, since the field is the
// editor. Readers find a spin box named after the field, with the field's value, bounds and step (the
// properties Qt's spin box interface reads); BrandStyle draws it.
class Stepper : public QAbstractSpinBox {
    Q_OBJECT
    Q_PROPERTY(double value READ value WRITE setValue)
    Q_PROPERTY(double minimum READ minimum)
    Q_PROPERTY(double maximum READ maximum)
    Q_PROPERTY(double stepSize READ stepSize)
public:
    explicit Stepper(NumericField *field);

    double value() const;
    void setValue(double value);
    double minimum() const;
    double maximum() const;
    double stepSize() const;

    void stepBy(int steps) override;

protected:
    // Both halves always step: the field clamps, and one outside its range comes back into it.
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
    // A wheel turned over the stepper scrolls the screen, as it did over any other part of the field.
    void wheelEvent(QWheelEvent *event) override;

private:
    NumericField *field_;
};

} // namespace brolga

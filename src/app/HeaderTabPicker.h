#pragma once

#include "core/Enums.h"
#include "ui/controls/PillPicker.h"

namespace brolga {

class CalculatorStore;

// The tab picker on the navy header: the shared pill picker drawn as it looks in the dark appearance,
// whatever the system's, bound to the record's active tab.
class HeaderTabPicker : public PillPicker {
    Q_OBJECT
public:
    explicit HeaderTabPicker(CalculatorStore &store, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace brolga

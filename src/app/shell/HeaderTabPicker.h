#pragma once

#include "core/ScreenChoices.h"
#include "ui/controls/PillPicker.h"

namespace brolga {

class CalculatorStore;

// The tab picker on the navy header: the shared pill picker, in the dark palette the header gives it
// whatever the system's appearance, bound to the record's active tab.
class HeaderTabPicker : public PillPicker {
    Q_OBJECT
public:
    explicit HeaderTabPicker(CalculatorStore &store, QWidget *parent = nullptr);
};

} // namespace brolga

#pragma once

#include "core/CalculatorState.h"
#include "core/ScreenChoices.h"

#include <QString>

#include <vector>

namespace brolga {

// Which tabs a client report covers when the broker has not said: the tab on show and every tab whose inputs
// were changed from the defaults, so a tab nobody worked on never reaches the client with made-up figures.
class ReportTabs {
  public:
    static std::vector<CalculatorTab> suggested(const CalculatorState &state);
    static bool touched(const CalculatorState &state, CalculatorTab tab);

    // The tabs as kept with a client, "repayment,capacity"; names not known are dropped on reading.
    static QString stored(const std::vector<CalculatorTab> &tabs);
    static std::vector<CalculatorTab> fromStored(const QString &text);
};

} // namespace brolga

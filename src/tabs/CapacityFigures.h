#pragma once

#include "tabs/TabFigures.h"

namespace brolga {
class CalculatorStore;
}

namespace brolga::CapacityFigures {

// The Capacity tab's figures for the store's record as it is now.
TabFigures build(const CalculatorStore &store);

// The note under a debt-to-income ratio that APRA limits lending at.
QString highDtiNote();

} // namespace brolga::CapacityFigures

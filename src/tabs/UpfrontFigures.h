#pragma once

#include "tabs/TabFigures.h"

namespace brolga {
class CalculatorStore;
}

namespace brolga::UpfrontFigures {

// The Upfront tab's figures for the store's record as it is now.
TabFigures build(const CalculatorStore &store);

} // namespace brolga::UpfrontFigures

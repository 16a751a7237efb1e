#pragma once

#include "tabs/TabFigures.h"

namespace brolga {
class CalculatorStore;
}

namespace brolga::RepaymentFigures {

// The Repayment tab's figures for the store's record as it is now.
TabFigures build(const CalculatorStore &store);

} // namespace brolga::RepaymentFigures

#pragma once

#include "tabs/TabFigures.h"

#include "core/RepaymentResults.h"

namespace brolga {
class CalculatorStore;
}

namespace brolga::RepaymentFigures {

// The Repayment tab's figures for the store's record as it is now.
TabFigures build(const CalculatorStore &store);
// The same from the store's results, already worked.
TabFigures build(const CalculatorStore &store, const RepaymentResults &results);

// The warning the consumer credit regulations require beside a comparison rate, in their words.
QString warning();

} // namespace brolga::RepaymentFigures

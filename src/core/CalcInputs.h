#pragma once

#include "calc/CapacityInputs.h"
#include "calc/FixedPortion.h"
#include "calc/IncomeInputs.h"
#include "calc/LoanFees.h"
#include "calc/LoanScenario.h"
#include "calc/PurchaseInputs.h"
#include "core/CalculatorState.h"

namespace brolga {

// What each calculation reads from the record, taken as entered; the calculations do their own clamping.
class CalcInputs {
public:
    static LoanInputs loan(const CalculatorState &state);
    static LoanFees fees(const CalculatorState &state);
    static FixedPortion fixed(const CalculatorState &state);
    static CapacityInputs capacity(const CalculatorState &state);
    static IncomeInputs income(const CalculatorState &state);
    static PurchaseInputs purchase(const CalculatorState &state);
};

} // namespace brolga

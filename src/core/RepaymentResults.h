#pragma once

#include "calc/LoanCosts.h"
#include "calc/LoanScenario.h"
#include "calc/SplitLoan.h"

#include <optional>

namespace brolga {

// The Repayment tab's results for the record as it is, each worked once, for a reader of several of them (a
// screen refresh reads each more than once). Each is what the store's accessor of the same name gives.
struct RepaymentResults {
    std::optional<LoanScenario> scenario;
    std::optional<SplitLoan> split;
    std::optional<LoanScenario> baseline;
    std::optional<LoanScenario> compare;
    std::optional<LoanCosts> costs;
};

} // namespace brolga

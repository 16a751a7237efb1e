#pragma once

#include "calc/ComparisonRate.h"
#include "calc/LoanFees.h"
#include "calc/LoanScenario.h"

#include <optional>

namespace brolga {

// What a loan costs with its lender's fees, as a key facts sheet states it.
struct LoanCosts {
    std::optional<double> comparisonRate; // percent a year
    std::optional<double> benchmarkRate;  // the same for $150,000 over 25 years
    double totalPayable = 0;              // every repayment and every fee
    double perDollar = 0;                 // totalPayable for each dollar borrowed
    double paymentIfRise1 = 0;            // the repayment were the rate 1 point higher
    double paymentIfRise2 = 0;

    // `scenario` is the loan `loan` makes; its schedule (offset and extra included) says how long fees run.
    // `schedule` works the loan at other rates (a fixed portion keeps its own rate when the variable one rises).
    static LoanCosts make(const LoanInputs &loan, const LoanFees &fees, const LoanScenario &scenario,
                          const ComparisonRate::Schedule &schedule = ComparisonRate::single);
};

} // namespace brolga

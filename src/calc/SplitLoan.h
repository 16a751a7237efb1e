#pragma once

#include "calc/ComparisonRate.h"
#include "calc/FixedPortion.h"
#include "calc/LoanScenario.h"

#include <optional>

namespace brolga {

// A loan with a fixed portion that reverts. The fixed portion is repaid over the loan's term at its rate;
// when the fixed years end its repayment is worked afresh on its balance at the loan's (variable) rate over
// what is left of the term. The rest is the variable portion, which alone takes the offset and the extra
// repayments. Interest-only applies to both portions for its years (each at the rate it then has); each
// portion's repayment is worked afresh over the rest of the term when its rate or type changes.
struct SplitLoan {
    LoanScenario whole;         // both portions together: the repayment now, the schedule and the totals
    FixedPortion fixed;         // as worked: at most the loan, its years at most the term
    double fixedPayment = 0;    // the fixed portion's repayment in the first period
    double variablePayment = 0; // the variable portion's
    int revertYear = 0;         // the year the fixed rate ends and the repayment changes; 0 when it never does
    double paymentThen = 0;     // the whole repayment from that year
    double fixedPaymentThen = 0;

    // Absent when the loan itself is (no amount or no term). A portion of more than the loan is the whole loan.
    static std::optional<SplitLoan> make(const LoanInputs &loan, const FixedPortion &fixed);

    // The comparison rate's and the rate rises' view of such a loan: the fixed portion keeps the same share of
    // whatever amount is worked (`loanAmount` is the loan it was entered for) and its rate scales with the loan's.
    static ComparisonRate::Schedule schedule(const FixedPortion &fixed, double loanAmount);
};

} // namespace brolga

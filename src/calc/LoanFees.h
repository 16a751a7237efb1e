#pragma once

#include "calc/Bounded.h"
#include "calc/CalcChoices.h"

#include <algorithm>
#include <cmath>

namespace brolga {

// A lender's credit fees on one loan. Government fees are not credit fees and have no place here.
struct LoanFees {
    double establishment = 0; // paid at settlement
    double ongoing = 0;       // paid at the end of each month or year the loan runs
    FeePeriod ongoingPeriod = FeePeriod::monthly;
    double discharge = 0; // paid with the last repayment

    bool operator==(const LoanFees &) const = default;

    // As the calculations read them: a fee that is not a positive number is none.
    LoanFees held() const
    {
        const auto fee = [](double v) { return std::max(bounded(v), 0.0); };
        return {fee(establishment), fee(ongoing), ongoingPeriod, fee(discharge)};
    }

    // How many ongoing fees a loan of `periods` repayments at `perYear` a year pays: a part month or year
    // that the loan still runs is charged too.
    int ongoingCount(int periods, int perYear) const
    {
        const double each = double(perYear) / chargesPerYear();
        return int(std::ceil(periods / each - 1e-9));
    }
    // When the k-th ongoing fee (from 1) falls, in repayment periods; the last one with the last repayment.
    double ongoingAt(int k, int periods, int perYear) const
    {
        return std::min(k * double(perYear) / chargesPerYear(), double(periods));
    }
    int chargesPerYear() const { return ongoingPeriod == FeePeriod::monthly ? 12 : 1; }
};

} // namespace brolga

#pragma once

namespace brolga {

// Part of a loan fixed at its own rate for a number of years, after which it reverts to the loan's rate.
struct FixedPortion {
    double amount = 0;
    double ratePercent = 0;
    double years = 0;

    bool operator==(const FixedPortion &) const = default;
};

} // namespace brolga

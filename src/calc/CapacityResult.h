#pragma once

namespace brolga {

// Indicative borrowing capacity. Dollars unless noted; nothing rounded.
struct CapacityResult {
    double maxLoan = 0;             // the smaller limit, never below 0
    double dtiLimit = 0;            // loan allowed by the debt-to-income multiple
    double serviceabilityLimit = 0; // loan the surplus services at the assessment rate over 30 years
    double netMonthly = 0;          // a month, after tax and the Medicare levy
    double livingExpenses = 0;      // a month
    double surplus = 0;             // a month; may be negative
    double assessmentRate = 0;      // percent a year

    // Which limit binds; a tie counts as serviceability.
    bool serviceabilityBinds() const { return serviceabilityLimit <= dtiLimit; }

    bool operator==(const CapacityResult &) const = default;
};

} // namespace brolga

#pragma once

#include <optional>

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

    // Applicants in detail only.
    double helpMonthly = 0;           // the applicants' HELP repayments, a month, already out of netMonthly
    double cardCommitments = 0;       // card limits at the card rate, a month
    std::optional<double> dtiRatio{}; // debt at the maximum loan over gross income, as APRA counts it

    // APRA limits how much lending banks write at a DTI of this or more.
    static constexpr double highDti = 6.0;

    // Worked in detail and at or above the DTI APRA watches (a hair under counts: the cap's own figure lands there).
    bool highDtiRatio() const { return dtiRatio && *dtiRatio >= highDti - 1e-9; }

    // Which limit binds; a tie counts as serviceability.
    bool serviceabilityBinds() const { return serviceabilityLimit <= dtiLimit; }

    bool operator==(const CapacityResult &) const = default;
};

} // namespace brolga

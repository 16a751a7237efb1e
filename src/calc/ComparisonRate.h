#pragma once

#include "calc/LoanFees.h"
#include "calc/LoanScenario.h"

#include <functional>
#include <optional>

namespace brolga {

// The comparison rate of the National Consumer Credit Protection Regulations 2010, reg 100: n × r × 100 %, where
// r solves Σ Aⱼ / (1 + r)ʲ = Σ (Rⱼ + Cⱼ) / (1 + r)ʲ over the repayment periods j. The loan as contracted: the
// offset and extra repayments are no part of it.
class ComparisonRate {
public:
    // Works a loan's schedule with every rate of it multiplied by the factor given (a loan with a fixed portion
    // has two rates).
    using Schedule = std::function<std::optional<LoanScenario>(const LoanInputs &, double rateFactor)>;
    static std::optional<LoanScenario> single(const LoanInputs &loan, double rateFactor);

    // The regulation's repayments a year: 52.18 weekly, 26.09 fortnightly, 12 monthly.
    static double periodsPerYear(PaymentFrequency frequency);

    // Percent a year; absent without a loan or when the establishment fee takes the whole amount.
    static std::optional<double> percent(const LoanInputs &loan, const LoanFees &fees,
                                         const Schedule &schedule = single);

    // The regulation's example for a home loan: this amount over this term at the same rate and fees.
    static constexpr double benchmarkAmount = 150000;
    static constexpr double benchmarkYears = 25;
};

} // namespace brolga

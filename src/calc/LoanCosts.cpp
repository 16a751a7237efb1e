#include "calc/LoanCosts.h"

#include "calc/ComparisonRate.h"

namespace brolga {

namespace {

double paymentAtRise(const LoanInputs &loan, const LoanScenario &s, double points)
{
    LoanInputs up = loan;
    up.annualRatePercent = s.annualRatePercent + points;
    const auto risen = LoanScenario::make(up);
    return risen ? risen->payment : 0;
}

} // namespace

LoanCosts LoanCosts::make(const LoanInputs &loan, const LoanFees &feesAsEntered, const LoanScenario &s)
{
    const LoanFees fees = feesAsEntered.held();
    LoanCosts out;
    out.comparisonRate = ComparisonRate::percent(loan, fees);
    LoanInputs benchmark = loan;
    benchmark.loanAmount = ComparisonRate::benchmarkAmount;
    benchmark.termYears = ComparisonRate::benchmarkYears;
    out.benchmarkRate = ComparisonRate::percent(benchmark, fees);

    const int ongoing = fees.ongoingCount(s.periodsToClear, periodsPerYear(s.frequency));
    out.totalPayable = s.totalPayable + fees.establishment + ongoing * fees.ongoing + fees.discharge;
    out.perDollar = out.totalPayable / s.principal;
    out.paymentIfRise1 = paymentAtRise(loan, s, 1);
    out.paymentIfRise2 = paymentAtRise(loan, s, 2);
    return out;
}

} // namespace brolga

#include "calc/LoanCosts.h"

namespace brolga {

namespace {

double paymentAtRise(const LoanInputs &loan, const LoanScenario &s, double points,
                     const ComparisonRate::Schedule &schedule)
{
    LoanInputs up = loan;
    up.annualRatePercent = s.annualRatePercent + points;
    const auto risen = schedule(up, 1);
    return risen ? risen->payment : 0;
}

} // namespace

LoanCosts LoanCosts::make(const LoanInputs &loan, const LoanFees &feesAsEntered, const LoanScenario &s,
                          const ComparisonRate::Schedule &schedule)
{
    const LoanFees fees = feesAsEntered.held();
    LoanCosts out;
    out.comparisonRate = ComparisonRate::percent(loan, fees, schedule);
    LoanInputs benchmark = loan;
    benchmark.loanAmount = ComparisonRate::benchmarkAmount;
    benchmark.termYears = ComparisonRate::benchmarkYears;
    out.benchmarkRate = ComparisonRate::percent(benchmark, fees, schedule);

    const int ongoing = fees.ongoingCount(s.periodsToClear, periodsPerYear(s.frequency));
    out.totalPayable = s.totalPayable + fees.establishment + ongoing * fees.ongoing + fees.discharge;
    out.perDollar = out.totalPayable / s.principal;
    out.paymentIfRise1 = paymentAtRise(loan, s, 1, schedule);
    out.paymentIfRise2 = paymentAtRise(loan, s, 2, schedule);
    return out;
}

} // namespace brolga

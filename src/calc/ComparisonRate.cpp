#include "calc/ComparisonRate.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace brolga {

namespace {

// A fee that falls between repayments (a monthly fee on weekly repayments).
struct Charge {
    double at = 0; // in repayment periods
    double amount = 0;
};

// The loan's payments by period: R + C at j = 1 … N, and the charges that fall between.
struct CashFlows {
    double advanced = 0; // A₀: the amount less the establishment fee
    std::vector<double> byPeriod;
    std::vector<Charge> between;

    // Present value of everything paid, less what was advanced, at `r` a period; falls as r rises.
    double net(double r) const
    {
        const double v = 1 / (1 + r);
        const double logV = -std::log1p(r);
        double pv = 0, vj = 1;
        for (std::size_t j = 1; j < byPeriod.size(); ++j) {
            vj *= v;
            pv += byPeriod[j] * vj;
        }
        for (const Charge &c : between)
            pv += c.amount * std::exp(c.at * logV);
        return pv - advanced;
    }
};

} // namespace

double ComparisonRate::periodsPerYear(PaymentFrequency frequency)
{
    switch (frequency) {
    case PaymentFrequency::weekly: return 52.18;
    case PaymentFrequency::fortnightly: return 26.09;
    case PaymentFrequency::monthly: return 12;
    }
    return 12;
}

std::optional<LoanScenario> ComparisonRate::single(const LoanInputs &loan, double rateFactor)
{
    LoanInputs scaled = loan;
    scaled.annualRatePercent *= rateFactor;
    return LoanScenario::make(scaled);
}

std::optional<double> ComparisonRate::percent(const LoanInputs &loan, const LoanFees &feesAsEntered,
                                              const Schedule &schedule)
{
    // Repayments are worked at the rate over the regulation's year, so that a loan without fees compares at
    // exactly its own rate whatever its frequency.
    const double n = periodsPerYear(loan.frequency);
    const int perYear = brolga::periodsPerYear(loan.frequency);
    LoanInputs contract = loan;
    contract.offset = 0;
    contract.extraRepayment = 0;
    const auto s = schedule(contract, perYear / n);
    const LoanFees fees = feesAsEntered.held();
    if (!s || s->schedule.empty() || !(s->principal - fees.establishment > 0))
        return std::nullopt;
    const int periods = s->contractedPeriods;

    CashFlows flows;
    flows.advanced = s->principal - fees.establishment;
    flows.byPeriod.assign(std::size_t(periods) + 1, 0);
    for (const AmortisationRow &row : s->schedule)
        flows.byPeriod[std::size_t(row.period)] = row.interest + row.principal;
    // What the schedule leaves owing (interest only to the end) is repaid with the last repayment.
    flows.byPeriod.back() += s->schedule.back().balance;
    flows.byPeriod.back() += fees.discharge;
    if (fees.ongoing > 0) {
        for (int k = 1, count = fees.ongoingCount(periods, perYear); k <= count; ++k) {
            const double at = fees.ongoingAt(k, periods, perYear);
            if (at == std::floor(at))
                flows.byPeriod[std::size_t(at)] += fees.ongoing;
            else
                flows.between.push_back({at, fees.ongoing});
        }
    }

    // Bisection on a bracket: always converges, however the fees shape the cash flows.
    double lo = 0, hi = 1;
    if (!(flows.net(lo) > 0))
        return 0.0;
    while (flows.net(hi) > 0) {
        hi *= 2;
        if (hi > 1e6)
            return std::nullopt;
    }
    while (hi - lo > 1e-15 * std::max(1.0, hi)) {
        const double mid = (lo + hi) / 2;
        if (mid <= lo || mid >= hi)
            break;
        (flows.net(mid) > 0 ? lo : hi) = mid;
    }
    return n * (lo + hi) / 2 * 100;
}

} // namespace brolga

#include "calc/ComparisonRate.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace brolga {

namespace {

// The ongoing fee before the last repayment: `amount` every `step` periods, `count` times (a monthly fee on
// weekly repayments falls between two of them).
struct Charges {
    double amount = 0;
    double step = 1;
    int count = 0;
};

// The loan's payments: R + C at j = 1 … N, and the ongoing fee.
struct CashFlows {
    double advanced = 0; // A₀: the amount less the establishment fee
    std::vector<double> byPeriod;
    Charges ongoing;

    // Present value of everything paid, less what was advanced, at `r` a period; falls as r rises.
    double net(double r) const
    {
        const double v = 1 / (1 + r);
        double pv = 0, vj = 1;
        for (std::size_t j = 1; j < byPeriod.size(); ++j) {
            vj *= v;
            pv += byPeriod[j] * vj;
        }
        const double each = std::pow(v, ongoing.step);
        double vk = 1;
        for (int k = 1; k <= ongoing.count; ++k) {
            vk *= each;
            pv += ongoing.amount * vk;
        }
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
        // The last one falls with the last repayment.
        const int count = fees.ongoingCount(periods, perYear);
        flows.ongoing = {fees.ongoing, fees.ongoingAt(1, periods, perYear), count - 1};
        flows.byPeriod.back() += fees.ongoing;
    }

    // Regula falsi with the Illinois step on a bracket [lo, hi] with net(lo) > 0 > net(hi): every step stays
    // inside it, so it always converges, and in a few steps.
    double lo = 0, hi = 0.01;
    double fLo = flows.net(lo);
    if (!(fLo > 0))
        return 0.0;
    double fHi = flows.net(hi);
    while (fHi > 0) {
        lo = hi;
        fLo = fHi;
        hi *= 2;
        if (hi > 1e6)
            return std::nullopt;
        fHi = flows.net(hi);
    }
    const double close = 1e-11 * flows.advanced; // dollars of present value: far below a hundredth of a basis point
    double r = (lo + hi) / 2;
    int side = 0;
    for (int i = 0; i < 200 && hi - lo > 1e-15 * hi; ++i) {
        const double next = (lo * fHi - hi * fLo) / (fHi - fLo);
        if (!(next > lo && next < hi))
            break;
        r = next;
        const double f = flows.net(r);
        if (std::abs(f) < close)
            break;
        if (f > 0) {
            lo = r;
            fLo = f;
            if (side == 1)
                fHi /= 2;
            side = 1;
        } else {
            hi = r;
            fHi = f;
            if (side == -1)
                fLo /= 2;
            side = -1;
        }
    }
    return n * r * 100;
}

} // namespace brolga

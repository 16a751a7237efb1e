#include "calc/LoanScenario.h"

#include <algorithm>
#include <cmath>

namespace brolga {

namespace {

// Rounds half away from zero into an int, saturating instead of overflowing (NaN gives 0).
int roundedCount(double x)
{
    if (std::isnan(x))
        return 0;
    return static_cast<int>(std::clamp(std::round(x), -1e9, 1e9));
}

// Clamps into [lo, hi]; NaN falls to lo so that nothing downstream loops on or prints it.
double clampOrLow(double x, double lo, double hi) { return std::isnan(x) ? lo : std::clamp(x, lo, hi); }

// max(x, 0) that also turns NaN (0 × infinity from an offset with no rate) into 0.
double nonNegative(double x) { return x > 0 ? x : 0; }

} // namespace

double LoanScenario::annuity(double amount, double r, int periods)
{
    if (periods < 1)
        return 0;
    if (r > 0) {
        const double growth = std::pow(1 + r, periods);
        // Over very many periods the annuity tends to the interest alone; inf / inf would give NaN.
        if (!std::isfinite(growth))
            return amount * r;
        return amount * r * growth / (growth - 1);
    }
    return amount / periods;
}

std::optional<LoanScenario> LoanScenario::make(const LoanInputs &in)
{
    const double term = clampOrLow(in.termYears, 0, 50);
    const double rate = clampOrLow(in.annualRatePercent, 0, 100);
    const double offset = nonNegative(in.offset);
    const double extra = nonNegative(in.extraRepayment);
    const double P = in.loanAmount;
    const int ppy = periodsPerYear(in.frequency);
    const int n = roundedCount(term * ppy);
    const double r = rate / 100 / ppy;

    // A loan that is not positive, or not a finite amount, has nothing to show.
    if (!(P > 0) || !std::isfinite(P) || n < 1)
        return std::nullopt;

    LoanScenario s;
    s.frequency = in.frequency;
    s.principal = P;
    s.offset = offset;
    s.annualRatePercent = rate;
    s.termYears = term;
    s.type = in.type;
    s.contractedPeriods = n;
    s.firstInterest = nonNegative((P - offset) * r);

    int k = 0;
    if (in.type == RepaymentType::principalAndInterest) {
        s.payment = annuity(P, r, n);
        s.firstPrincipal = extra + (s.payment - s.firstInterest);
    } else {
        k = roundedCount(in.ioYears * ppy);
        s.payment = s.firstInterest;
        const int m = n - k;
        s.paymentAfterIO = m < 1 ? 0 : annuity(P, r, m);
        s.firstPrincipal = extra;
    }

    s.schedule.reserve(static_cast<std::size_t>(n));
    double balance = P;
    double totalInterest = 0;
    for (int p = 1;; ++p) {
        const double interest = nonNegative(r * (balance - offset));
        double planned;
        if (in.type == RepaymentType::principalAndInterest)
            planned = extra + (s.payment - interest);
        else if (p <= k)
            planned = extra;
        else
            planned = extra + (s.paymentAfterIO - interest);
        const double paid = nonNegative(std::min(planned, balance));
        // The scheduled repayment is met first; a last period that needs less than it holds no extra.
        const double extraPaid = nonNegative(paid - nonNegative(planned - extra));
        balance -= paid;
        totalInterest += interest;
        s.schedule.push_back({p, interest, paid, balance, extraPaid});
        // The negated test also stops on a balance that is not a number.
        if (!(balance > 0.01) || p >= n) {
            s.periodsToClear = p;
            break;
        }
    }
    s.totalInterest = totalInterest;
    s.totalPayable = P + totalInterest;
    return s;
}

double LoanScenario::paymentAs(PaymentFrequency other) const
{
    if (other == frequency)
        return payment;
    const int ppy = periodsPerYear(other);
    const double r = annualRatePercent / 100 / ppy;
    if (type == RepaymentType::interestOnly)
        return nonNegative(r * (principal - offset));
    const int n = roundedCount(ppy * termYears);
    if (principal <= 0 || n < 1)
        return 0;
    return annuity(principal, r, n);
}

} // namespace brolga

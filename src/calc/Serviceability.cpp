#include "calc/Serviceability.h"

#include "calc/Bounded.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace brolga::Serviceability {

double netMonthlyIncome(double grossAnnual, const TaxScale &scale)
{
    const double g = bounded(grossAnnual);
    return (g - scale.incomeTax(g) - TaxScale::medicareLevy(g)) / 12.0;
}

double helpRepayment(double assessable)
{
    const double a = bounded(assessable);
    if (!(a > 67000))
        return 0;
    return (std::min(a, 125000.0) - 67000) * 0.15 + std::max(a - 125000, 0.0) * 0.17;
}

double livingExpenses(ApplicantType applicant, int dependants, double grossAnnual)
{
    const double g = bounded(grossAnnual);
    const double floor = applicant == ApplicantType::couple ? 2800.0 : 1600.0;
    const double loading = g > 50000 ? (g - 50000) * 0.01 / 12.0 : 0.0;
    // A negative head count would cut expenses below the floor; treat it as none.
    return floor + 400.0 * std::max(dependants, 0) + loading;
}

double serviceabilityLimit(double monthlySurplus, double annualRatePercent)
{
    const double surplus = bounded(monthlySurplus);
    const double r = bounded(annualRatePercent) / 100.0 / 12.0;
    if (!(surplus > 0) || !(r > 0))
        return 0;
    // surplus * ((1+r)^n - 1) / (r (1+r)^n), written so that neither a tiny nor a huge rate overflows or
    // cancels to nothing.
    const double discountedShare = -std::expm1(-assessmentMonths * std::log1p(r));
    return surplus * discountedShare / r;
}

namespace {

// What the two ways of assessing differ in: the income, what is owed and the rate it is tested at.
struct Assessed {
    double gross = 0;      // a year
    double netMonthly = 0; // after tax, the Medicare levy and any HELP
    double helpMonthly = 0;
    double commitments = 0; // a month
    double cardCommitments = 0;
    double dtiDebt = 0; // existing debt the DTI limit takes off
    double ratePercent = 0;
};

Assessed household(const CapacityInputs &in, const TaxScale &scale)
{
    Assessed a;
    a.gross = bounded(in.grossIncome);
    a.netMonthly = netMonthlyIncome(a.gross, scale);
    a.commitments = std::max(bounded(in.monthlyOtherDebts), 0.0);
    // Twelve months of repayments at the multiple: the DTI room they use up.
    a.dtiDebt = bounded(in.dtiMultiple) * 12.0 * a.commitments;
    a.ratePercent = bounded(in.interestRatePercent) + bounded(in.assessmentBufferPercent);
    return a;
}

Assessed inDetail(const CapacityInputs &in, const ApplicantDetail &d, const TaxScale &scale)
{
    Assessed a;
    const bool couple = in.applicant == ApplicantType::couple;
    const double rent =
        std::max(bounded(d.rentalIncome), 0.0) * std::clamp(bounded(d.rentalShadePercent), 0.0, 100.0) / 100.0;
    const std::pair<double, bool> applicants[] = {{bounded(d.applicant1Income), d.applicant1HasHELP},
                                                  {bounded(d.applicant2Income), d.applicant2HasHELP}};
    // Each applicant is taxed on their own income and their share of the rent; HELP is repaid on the same income.
    for (int i = 0; i < (couple ? 2 : 1); ++i) {
        const double income = applicants[i].first + rent / (couple ? 2 : 1);
        const double help = applicants[i].second ? helpRepayment(income) / 12.0 : 0.0;
        a.gross += income;
        a.helpMonthly += help;
        a.netMonthly += netMonthlyIncome(income, scale) - help;
    }
    const double cards = std::max(bounded(d.cardLimits), 0.0);
    a.cardCommitments = cards * std::max(bounded(d.cardRatePercent), 0.0) / 100.0;
    a.commitments = std::max(bounded(in.monthlyOtherDebts), 0.0) + a.cardCommitments;
    // APRA counts what is owed or could be drawn: balances and card limits, never HELP.
    a.dtiDebt = std::max(bounded(d.otherLoanBalances), 0.0) + cards;
    a.ratePercent =
        std::max(bounded(in.interestRatePercent) + bounded(in.assessmentBufferPercent), bounded(d.floorRatePercent));
    return a;
}

} // namespace

std::optional<CapacityResult> capacity(const CapacityInputs &in)
{
    const TaxScale &scale = TaxScale::scale(in.taxYear);
    const Assessed a = in.detail ? inDetail(in, *in.detail, scale) : household(in, scale);
    const double g = a.gross;
    if (!(g > 0))
        return std::nullopt;

    CapacityResult r;
    r.assessmentRate = a.ratePercent;
    r.dtiLimit = std::max(bounded(in.dtiMultiple) * g - a.dtiDebt, 0.0);
    r.netMonthly = a.netMonthly;
    r.livingExpenses = livingExpenses(in.applicant, in.dependants, g);
    r.surplus = r.netMonthly - r.livingExpenses - a.commitments;
    r.serviceabilityLimit = serviceabilityLimit(r.surplus, r.assessmentRate);

    r.maxLoan = std::max(r.serviceabilityLimit < r.dtiLimit ? r.serviceabilityLimit : r.dtiLimit, 0.0);
    if (in.detail) {
        r.helpMonthly = a.helpMonthly;
        r.cardCommitments = a.cardCommitments;
        // Held to a trillion like the inputs: a sliver of income under large debts stays a number.
        r.dtiRatio = bounded((r.maxLoan + a.dtiDebt) / g);
    }
    return r;
}

} // namespace brolga::Serviceability

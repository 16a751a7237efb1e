#include "calc/Serviceability.h"

#include "calc/Bounded.h"

#include <algorithm>
#include <cmath>

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

std::optional<CapacityResult> capacity(const CapacityInputs &in)
{
    const double g = bounded(in.grossIncome);
    if (!(g > 0))
        return std::nullopt;

    const TaxScale &scale = TaxScale::scale(in.taxYear);
    CapacityResult r;
    r.assessmentRate = bounded(in.interestRatePercent) + bounded(in.assessmentBufferPercent);

    const double commitments = std::max(bounded(in.monthlyOtherDebts), 0.0);
    const double multiple = bounded(in.dtiMultiple);
    r.dtiLimit = std::max(multiple * g - multiple * 12.0 * commitments, 0.0);

    r.netMonthly = netMonthlyIncome(g, scale);
    r.livingExpenses = livingExpenses(in.applicant, in.dependants, g);
    r.surplus = r.netMonthly - r.livingExpenses - commitments;
    r.serviceabilityLimit = serviceabilityLimit(r.surplus, r.assessmentRate);

    r.maxLoan = std::max(r.serviceabilityLimit < r.dtiLimit ? r.serviceabilityLimit : r.dtiLimit, 0.0);
    return r;
}

} // namespace brolga::Serviceability

#include "tabs/CapacityFigures.h"

#include "calc/LoanScenario.h"
#include "calc/Serviceability.h"
#include "calc/TaxScale.h"
#include "core/CalculatorStore.h"
#include "core/Format.h"
#include "tabs/Labels.h"

#include <algorithm>

namespace brolga::CapacityFigures {

namespace {

QString money(double v)
{
    return Format::money(v, 0);
}

// The monthly principal-and-interest repayment of the maximum loan at the product rate over 30 years.
double repaymentAtProductRate(double loan, double ratePercent)
{
    return LoanScenario::annuity(loan, ratePercent / 100.0 / 12.0, Serviceability::assessmentMonths);
}

} // namespace

TabFigures build(const CalculatorStore &store)
{
    TabFigures out;
    const auto r = store.capacity();
    if (!r) {
        out.hasResult = false;
        out.noResultText = QStringLiteral("No income entered.");
        out.noResultCard = QStringLiteral("No capacity result to export.");
        return out;
    }
    const CalculatorState &st = store.state();

    out.inputs = {
        {.id = "grossIncome", .label = "Gross household income", .value = money(st.grossIncome), .surfaces = exported},
        {.id = "applicants",
         .label = "Applicants",
         .value = Labels::applicants(st.applicantType),
         .surfaces = exported},
        {.id = "dependants", .label = "Dependants", .value = QString::number(st.dependants), .surfaces = exported},
        {.id = "otherCommitments",
         .label = "Other commitments",
         .value = money(st.monthlyOtherDebts),
         .unit = QStringLiteral("/mth")},
        {.id = "assessmentRate", .label = "Assessment rate", .value = Format::percent(r->assessmentRate, 2)},
        {.id = "taxYear", .label = "Tax year", .value = TaxScale::scale(st.taxYear).year, .surfaces = exported},
    };

    out.hero = {
        .id = "maxLoan", .label = "Indicative maximum loan", .value = money(r->maxLoan), .screenLabel = "Maximum loan"};

    std::vector<Figure> &f = out.results;
    // The headline never reads as a negative surplus; the shortfall shows in the detail.
    f.push_back({.id = "headlineSurplus",
                 .label = "Monthly surplus",
                 .value = money(std::max(r->surplus, 0.0)),
                 .surfaces = onScreen});
    f.push_back({.id = "netMonthly",
                 .label = "Net monthly income",
                 .value = money(r->netMonthly),
                 .screenLabel = "Net income (monthly)"});
    f.push_back({.id = "livingExpenses", .label = "Assessed living expenses", .value = money(r->livingExpenses)});
    f.push_back({.id = "surplus",
                 .label = "Monthly surplus",
                 .value = money(r->surplus),
                 .tint = r->surplus > 0 ? Tint::good : Tint::bad});
    f.push_back({.id = "serviceabilityLimit", .label = "Serviceability limit", .value = money(r->serviceabilityLimit)});
    f.push_back({.id = "dtiLimit",
                 .label = "DTI limit",
                 .value = money(r->dtiLimit),
                 .screenLabel = QString::asprintf("DTI limit (%.1fx income)", st.dtiMultiple)});
    f.push_back({.id = "binding", .label = "Binding constraint", .value = Labels::binding(r->serviceabilityBinds())});
    if (r->maxLoan > 0)
        f.push_back({.id = "repaymentAtRate",
                     .label = "Repayment at product rate",
                     .value = Format::money(repaymentAtProductRate(r->maxLoan, st.interestRate), 2),
                     .unit = QStringLiteral("/mth"),
                     .surfaces = onScreen});
    return out;
}

} // namespace brolga::CapacityFigures

#include "tabs/CapacityFigures.h"

#include "calc/LoanScenario.h"
#include "calc/Serviceability.h"
#include "calc/TaxScale.h"
#include "core/CalculatorStore.h"
#include "core/Format.h"
#include "tabs/ChoiceNames.h"

#include <algorithm>
#include <cmath>

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

// One line for each detail that is entered; a single applicant has no second income or HELP.
void addDetailInputs(std::vector<Figure> &inputs, const CalculatorState &st)
{
    const bool couple = st.applicantType == ApplicantType::couple;
    auto add = [&](const char *id, const QString &label, double amount, const QString &value) {
        if (amount != 0)
            inputs.push_back({.id = id, .label = label, .value = value, .surfaces = exported});
    };
    add("applicant1Income", "Applicant 1 income", st.applicant1Income, money(st.applicant1Income));
    if (couple)
        add("applicant2Income", "Applicant 2 income", st.applicant2Income, money(st.applicant2Income));
    add("rentalIncome", "Rental income (" + Format::percent(st.rentalShadePercent, 0) + " counted)", st.rentalIncome,
        money(st.rentalIncome));
    add("cardLimits", "Card limits (" + Format::percent(st.cardRatePercent, 1) + " a month)", st.cardLimits,
        money(st.cardLimits));
    add("otherLoanBalances", "Other loan balances", st.otherLoanBalances, money(st.otherLoanBalances));
    const bool help2 = couple && st.applicant2HasHELP;
    const QString help = st.applicant1HasHELP && help2 ? QStringLiteral("Both applicants")
                         : st.applicant1HasHELP        ? QStringLiteral("Applicant 1")
                                                       : QStringLiteral("Applicant 2");
    add("helpDebt", "HELP debt", st.applicant1HasHELP || help2, help);
    add("floorRate", "Floor rate", st.floorRatePercent, Format::percent(st.floorRatePercent, 2));
}

} // namespace

QString highDtiNote()
{
    return QStringLiteral("DTI 6.0x or more: lenders limit how many such loans they write.");
}

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

    const bool couple = st.applicantType == ApplicantType::couple;
    // In detail the household income is the applicants' own.
    const double household =
        !st.applicantsInDetail ? st.grossIncome : st.applicant1Income + (couple ? st.applicant2Income : 0.0);
    out.inputs = {
        {.id = "grossIncome", .label = "Gross household income", .value = money(household), .surfaces = exported},
        {.id = "applicants",
         .label = "Applicants",
         .value = ChoiceNames::applicants(st.applicantType),
         .surfaces = exported},
        {.id = "dependants", .label = "Dependants", .value = QString::number(st.dependants), .surfaces = exported},
        {.id = "otherCommitments",
         .label = "Other commitments",
         .value = money(st.monthlyOtherDebts),
         .unit = QStringLiteral("/mth")},
        {.id = "assessmentRate", .label = "Assessment rate", .value = Format::percent(r->assessmentRate, 2)},
        {.id = "taxYear", .label = "Tax year", .value = TaxScale::scale(st.taxYear).year, .surfaces = exported},
    };
    if (st.applicantsInDetail)
        addDetailInputs(out.inputs, st);

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
    if (r->helpMonthly > 0)
        f.push_back({.id = "help", .label = "HELP repayments", .value = money(r->helpMonthly)});
    f.push_back({.id = "livingExpenses", .label = "Assessed living expenses", .value = money(r->livingExpenses)});
    if (r->cardCommitments > 0)
        f.push_back({.id = "cardCommitments", .label = "Card commitments", .value = money(r->cardCommitments)});
    f.push_back({.id = "surplus",
                 .label = "Monthly surplus",
                 .value = money(r->surplus),
                 .tint = r->surplus > 0 ? Tint::good : Tint::bad});
    f.push_back({.id = "serviceabilityLimit", .label = "Serviceability limit", .value = money(r->serviceabilityLimit)});
    f.push_back({.id = "dtiLimit",
                 .label = "DTI limit",
                 .value = money(r->dtiLimit),
                 .screenLabel = QString::asprintf("DTI limit (%.1fx income)", st.dtiMultiple)});
    if (r->dtiRatio) {
        f.push_back({.id = "dtiRatio",
                     .label = "DTI at maximum loan",
                     // Cut to a tenth, never rounded up: 5.96 is under APRA's six and reads 5.9x.
                     .value = QString::asprintf("%.1fx", std::floor(*r->dtiRatio * 10 + 1e-6) / 10),
                     .tint = r->highDtiRatio() ? Tint::bad : Tint::plain});
        if (r->highDtiRatio())
            out.notes.push_back({.text = highDtiNote(), .surfaces = everywhere, .gapBefore = true});
    }
    f.push_back(
        {.id = "binding", .label = "Binding constraint", .value = ChoiceNames::binding(r->serviceabilityBinds())});
    if (r->maxLoan > 0)
        f.push_back({.id = "repaymentAtRate",
                     .label = "Repayment at product rate",
                     .value = Format::money(repaymentAtProductRate(r->maxLoan, st.interestRate), 2),
                     .unit = QStringLiteral("/mth"),
                     .surfaces = onScreen});
    return out;
}

} // namespace brolga::CapacityFigures

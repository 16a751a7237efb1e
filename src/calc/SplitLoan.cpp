#include "calc/SplitLoan.h"

#include "calc/Bounded.h"

#include <algorithm>
#include <cmath>

namespace brolga {

namespace {

int periodsOf(double years, int perYear, int periods)
{
    const double y = bounded(years);
    return std::clamp(int(std::lround(std::clamp(y, 0.0, 100.0) * perYear)), 0, periods);
}

// The fixed portion period by period; `payments` gets each period's scheduled repayment.
std::vector<AmortisationRow> fixedSchedule(double amount, double fixedRate, double variableRate, int fixedPeriods,
                                           int ioPeriods, int periods, std::vector<double> &payments)
{
    std::vector<AmortisationRow> rows;
    rows.reserve(std::size_t(std::max(periods, 0)));
    payments.reserve(rows.capacity());
    double balance = amount, payment = 0;
    for (int p = 1; p <= periods && balance > 0.01; ++p) {
        const double r = (p <= fixedPeriods ? fixedRate : variableRate) / 100;
        const bool interestOnly = p <= ioPeriods;
        if (p == 1 || p == fixedPeriods + 1 || p == ioPeriods + 1)
            payment = interestOnly ? balance * r : LoanScenario::annuity(balance, r, periods - p + 1);
        const double interest = balance * r;
        const double principal = interestOnly ? 0 : std::min(payment - interest, balance);
        balance -= principal;
        payments.push_back(interest + principal);
        rows.push_back({p, interest, principal, balance, 0});
    }
    return rows;
}

} // namespace

std::optional<SplitLoan> SplitLoan::make(const LoanInputs &loan, const FixedPortion &fixed)
{
    const double P = loan.loanAmount;
    if (!(P > 0) || !std::isfinite(P))
        return std::nullopt;
    const double F = std::clamp(bounded(fixed.amount), 0.0, P);
    LoanInputs variableInputs = loan;
    variableInputs.loanAmount = P - F;
    const auto variable = LoanScenario::make(variableInputs);
    // The loan's term and rate as the calculations hold them, from the variable portion while there is one.
    const auto allFixed = variable ? std::nullopt : LoanScenario::make(loan);
    const LoanScenario *terms = variable ? &*variable : allFixed ? &*allFixed : nullptr;
    if (!terms)
        return std::nullopt;
    const int perYear = periodsPerYear(loan.frequency);
    const int periods = terms->contractedPeriods;
    const double fixedRate = std::clamp(bounded(fixed.ratePercent), 0.0, 100.0) / perYear;
    const double variableRate = terms->annualRatePercent / perYear;
    const int fixedPeriods = periodsOf(fixed.years, perYear, periods);
    const int ioPeriods = loan.type == RepaymentType::interestOnly ? periodsOf(loan.ioYears, perYear, periods) : 0;
    std::vector<double> fixedPayments;
    const std::vector<AmortisationRow> fixedRows =
        fixedSchedule(F, fixedRate, variableRate, fixedPeriods, ioPeriods, periods, fixedPayments);

    SplitLoan out;
    out.fixed = {F, fixedRate * perYear, double(fixedPeriods) / perYear};
    LoanScenario &w = out.whole;
    w.frequency = terms->frequency;
    w.principal = P;
    w.offset = terms->offset;
    w.annualRatePercent = terms->annualRatePercent;
    w.termYears = terms->termYears;
    w.type = terms->type;
    w.contractedPeriods = periods;
    const std::size_t length = std::max(fixedRows.size(), variable ? variable->schedule.size() : 0);
    w.schedule.reserve(length);
    double totalInterest = 0;
    for (std::size_t i = 0; i < length; ++i) {
        AmortisationRow row{int(i) + 1, 0, 0, 0, 0};
        for (const std::vector<AmortisationRow> *part : {&fixedRows, variable ? &variable->schedule : nullptr})
            if (part && i < part->size()) {
                row.interest += (*part)[i].interest;
                row.principal += (*part)[i].principal;
                row.balance += (*part)[i].balance;
                row.extra += (*part)[i].extra;
            }
        totalInterest += row.interest;
        w.schedule.push_back(row);
    }
    w.periodsToClear = int(length);
    w.totalInterest = totalInterest;
    w.totalPayable = P + totalInterest;

    // The variable portion's scheduled repayment in period p (extra repayments aside).
    const auto variableAt = [&](int p) {
        if (!variable)
            return 0.0;
        return p <= ioPeriods || loan.type == RepaymentType::principalAndInterest ? variable->payment
                                                                                  : variable->paymentAfterIO;
    };
    const auto fixedAt = [&](int p) { return p <= int(fixedPayments.size()) ? fixedPayments[std::size_t(p) - 1] : 0; };
    out.fixedPayment = fixedAt(1);
    out.variablePayment = variableAt(1);
    w.payment = out.fixedPayment + out.variablePayment;
    w.paymentAfterIO = ioPeriods < periods ? fixedAt(ioPeriods + 1) + variableAt(ioPeriods + 1) : 0;
    w.firstInterest = (fixedRows.empty() ? 0 : fixedRows.front().interest) + (variable ? variable->firstInterest : 0);
    w.firstPrincipal =
        (fixedRows.empty() ? 0 : fixedRows.front().principal) + (variable ? variable->firstPrincipal : 0);
    if (F > 0 && fixedPeriods > 0 && fixedPeriods < periods && fixedAt(fixedPeriods + 1) > 0) {
        out.revertYear = fixedPeriods / perYear + 1;
        out.fixedPaymentThen = fixedAt(fixedPeriods + 1);
        out.paymentThen = out.fixedPaymentThen + variableAt(fixedPeriods + 1);
    }
    return out;
}

ComparisonRate::Schedule SplitLoan::schedule(const FixedPortion &fixed, double loanAmount)
{
    return [fixed, loanAmount](const LoanInputs &loan, double rateFactor) -> std::optional<LoanScenario> {
        FixedPortion scaled = fixed;
        scaled.ratePercent *= rateFactor;
        if (loanAmount > 0)
            scaled.amount *= loan.loanAmount / loanAmount;
        LoanInputs in = loan;
        in.annualRatePercent *= rateFactor;
        const auto split = make(in, scaled);
        return split ? std::optional(split->whole) : std::nullopt;
    };
}

} // namespace brolga

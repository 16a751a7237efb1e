#include "calc/LMI.h"

#include "calc/StampDuty.h"

#include <algorithm>
#include <cmath>

namespace brolga::LMI {

namespace {

// Amounts in the record that are negative or not numbers count as not entered.
double entered(double amount)
{
    return std::isfinite(amount) && amount > 0 ? amount : 0;
}

} // namespace

const std::vector<TableRow> &table()
{
    static const std::vector<TableRow> rows{
        {85, {0.475, 0.568, 0.904, 0.913, 0.936}},
        {90, {1.096, 1.404, 1.727, 2.014, 2.064}},
        {95, {2.13, 2.514, 3.222, 3.427, 3.559}},
    };
    return rows;
}

int loanBand(double loanAmount)
{
    if (loanAmount <= 300'000)
        return 0;
    if (loanAmount <= 500'000)
        return 1;
    if (loanAmount <= 600'000)
        return 2;
    if (loanAmount <= 750'000)
        return 3;
    return 4;
}

double dutyOnPremiumRate(AUState state)
{
    switch (state) {
    case AUState::nsw: return 0.09;
    case AUState::vic: return 0.10;
    case AUState::qld: return 0.09;
    case AUState::wa: return 0.10;
    case AUState::sa: return 0.11;
    case AUState::tas: return 0.10;
    case AUState::act: return 0;
    case AUState::nt: return 0.10;
    }
    return 0;
}

LMIResult calculate(double loanAmount, double propertyValue, AUState state)
{
    LMIResult r;
    if (entered(loanAmount) == 0 || entered(propertyValue) == 0) {
        r.note = QStringLiteral("Enter a loan amount and property value.");
        return r;
    }
    r.lvr = loanAmount / propertyValue * 100;
    if (r.lvr <= 80) {
        r.note = QStringLiteral("LVR at or below 80% — no LMI payable.");
        return r;
    }
    if (r.lvr > 95) {
        r.note = QStringLiteral("LVR above 95% — outside standard LMI, needs a specialist or guarantor structure.");
        return r;
    }
    const auto &rows = table();
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const TableRow &t) { return t.lvrCeiling >= r.lvr; });
    const auto band = static_cast<std::size_t>(loanBand(loanAmount));
    r.ratePercent = row->rates[std::min(band, row->rates.size() - 1)];
    r.premium = loanAmount * r.ratePercent / 100;
    if (!std::isfinite(r.premium)) // the product overflows for loans near the largest double
        r.premium = loanAmount / 100 * r.ratePercent;
    r.stampDutyOnPremium = r.premium * dutyOnPremiumRate(state);
    r.note = loanAmount > 1'000'000
                 ? QStringLiteral("Loan above $1m — LMI is individually assessed. Treat this as a floor.")
                 : QStringLiteral("Indicative only — capitalised premiums and lender rate cards will differ.");
    return r;
}

double loanRequired(const PurchaseInputs &s)
{
    return std::max(entered(s.purchasePrice) - entered(s.depositAmount), 0.0);
}

LMIResult lmi(const PurchaseInputs &s)
{
    return calculate(loanRequired(s), entered(s.purchasePrice), s.state);
}

double includingDuty(const LMIResult &result)
{
    return result.premium + result.stampDutyOnPremium;
}

double loanIfCapitalised(const PurchaseInputs &s)
{
    return loanRequired(s) + includingDuty(lmi(s));
}

double depositToAvoidLMI(double purchasePrice)
{
    return entered(purchasePrice) * 0.2;
}

double fundsToComplete(const PurchaseInputs &s)
{
    const DutyResult d = StampDuty::duty(s);
    return d.payable() + d.transferFee + d.mortgageFee + entered(s.depositAmount) + entered(s.legalFees) +
           entered(s.inspectionFees) + entered(s.otherUpfrontCosts);
}

} // namespace brolga::LMI

#include "tabs/UpfrontFigures.h"

#include "calc/LMI.h"
#include "core/CalculatorStore.h"
#include "core/Format.h"
#include "tabs/ChoiceNames.h"
#include "tabs/ResultSentences.h"

#include <algorithm>
#include <cmath>

namespace brolga::UpfrontFigures {

namespace {

QString money(double v)
{
    return Format::money(v, 0);
}

// The cash-required figure counts a negative or unreadable fee as not entered; the costs row must agree with it.
double entered(double amount)
{
    return std::isfinite(amount) && amount > 0 ? amount : 0;
}

} // namespace

TabFigures build(const CalculatorStore &store)
{
    const CalculatorState &st = store.state();
    const DutyResult d = store.duty();
    const LMIResult m = store.lmi();
    const double loan = store.loanRequired();
    const QString code = ChoiceNames::state(st.state);
    TabFigures out;

    out.inputs = {
        {.id = "state", .label = "State", .value = code, .surfaces = exported},
        {.id = "purchasePrice", .label = "Purchase price", .value = money(st.purchasePrice), .surfaces = exported},
        {.id = "deposit", .label = "Deposit", .value = money(st.depositAmount)},
        {.id = "buyer", .label = "Buyer", .value = ChoiceNames::buyer(st.buyerType), .surfaces = exported},
        {.id = "property", .label = "Property", .value = ChoiceNames::property(st.propertyKind), .surfaces = exported},
        {.id = "lvr", .label = "LVR", .value = Format::percent(m.lvr, 1)},
    };

    out.hero = {.id = "cash", .label = "Cash required at settlement", .value = money(store.fundsToComplete())};

    // LMI rows are exported only when there is a premium; the screen hides them as a group.
    const unsigned withPremium = onScreen | (m.premium > 0 ? exported : 0);
    std::vector<Figure> &f = out.results;
    f.push_back({.id = "loanRequired", .label = "Loan required", .value = money(loan)});
    f.push_back(
        {.id = "baseDuty", .label = "Duty before concession", .value = money(d.baseDuty), .surfaces = onScreen});
    if (d.concession > 0)
        f.push_back({.id = "concession",
                     .label = "Concession applied",
                     .value = QStringLiteral("\u2212") + money(d.concession),
                     .tint = Tint::good,
                     .surfaces = onScreen});
    if (d.foreignSurcharge > 0)
        f.push_back({.id = "surcharge",
                     .label = "Foreign buyer surcharge",
                     .value = money(d.foreignSurcharge),
                     .tint = Tint::bad,
                     .surfaces = onScreen});
    f.push_back({.id = "dutyPayable",
                 .label = "Transfer duty payable",
                 .value = money(d.payable()),
                 .screenLabel = "Duty payable"});
    f.push_back(
        {.id = "transferFee", .label = "Transfer registration", .value = money(d.transferFee), .surfaces = onScreen});
    f.push_back(
        {.id = "mortgageFee", .label = "Mortgage registration", .value = money(d.mortgageFee), .surfaces = onScreen});
    f.push_back({.id = "registration",
                 .label = "Registration fees",
                 .value = money(d.transferFee + d.mortgageFee),
                 .surfaces = exported});
    f.push_back({.id = "otherCosts",
                 .label = "Conveyancing / inspections / other",
                 .value = money(entered(st.legalFees) + entered(st.inspectionFees) + entered(st.otherUpfrontCosts)),
                 .surfaces = exported});
    f.push_back({.id = "lvrDetail",
                 .label = "LVR",
                 .value = Format::percent(m.lvr, 2),
                 .tint = m.lvr <= 80 ? Tint::good : Tint::accent,
                 .surfaces = onScreen});
    f.push_back({.id = "premiumRate",
                 .label = "Premium rate",
                 .value = Format::percent(m.ratePercent, 2),
                 .surfaces = onScreen});
    f.push_back({.id = "premium", .label = "Premium", .value = money(m.premium), .surfaces = onScreen});
    f.push_back({.id = "premiumDuty",
                 .label = "Duty on premium (" + code + ")",
                 .value = money(m.stampDutyOnPremium),
                 .surfaces = onScreen});
    f.push_back({.id = "lmi",
                 .label = "LMI (incl. duty on premium)",
                 .value = money(LMI::includingDuty(m)),
                 .surfaces = withPremium,
                 .screenLabel = "LMI total"});
    f.push_back({.id = "capitalised",
                 .label = "Loan if LMI capitalised",
                 .value = money(store.loanIfCapitalised()),
                 .surfaces = withPremium});
    f.push_back({.id = "avoidLMI",
                 .label = "Deposit needed to avoid LMI",
                 .value = money(std::max(LMI::depositToAvoidLMI(st.purchasePrice), 0.0)),
                 .surfaces = onScreen});
    f.push_back({.id = "government",
                 .label = "Government costs",
                 .value = money(d.payable() + d.transferFee + d.mortgageFee),
                 .surfaces = onScreen});
    f.push_back({.id = "professional",
                 .label = "Professional fees",
                 .value = money(st.legalFees + st.inspectionFees + st.otherUpfrontCosts),
                 .surfaces = onScreen});

    // The text always ends with the duty note, blank or not; the card only carries one that says something.
    const QString dutyNote = ResultSentences::dutyNote(d.note);
    out.notes.push_back({.text = dutyNote, .surfaces = onText | (dutyNote.isEmpty() ? 0 : onCard), .gapBefore = true});
    return out;
}

} // namespace brolga::UpfrontFigures

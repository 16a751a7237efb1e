#include "tabs/RepaymentFigures.h"

#include "core/CalculatorStore.h"
#include "core/Format.h"
#include "tabs/Labels.h"

#include <cmath>

namespace brolga::RepaymentFigures {

TabFigures build(const CalculatorStore &store)
{
    TabFigures out;
    const auto s = store.scenario();
    if (!s) {
        out.hasResult = false;
        out.noResultText = QStringLiteral("No scenario entered.");
        out.noResultCard = QStringLiteral("No scenario to export.");
        return out;
    }
    const CalculatorState &st = store.state();
    const QString per = Labels::suffix(st.frequency);

    // Rate and term as the figures were worked out: the scenario holds them clamped into range.
    out.inputs = {
        {.id = "loanAmount", .label = "Loan amount", .value = Format::money(st.loanAmount, 0), .surfaces = exported},
        {.id = "interestRate",
         .label = "Interest rate",
         .value = Format::percent(s->annualRatePercent, 2),
         .surfaces = exported},
        {.id = "term", .label = "Term", .value = Labels::term(s->termYears), .surfaces = exported},
        {.id = "repaymentType",
         .label = "Repayment type",
         .value = Labels::repaymentType(st.repaymentType),
         .surfaces = exported},
        // The card's grid always has both; the text lists them only when there is one.
        {.id = "offset",
         .label = "Offset balance",
         .value = Format::money(st.offsetAmount, 0),
         .surfaces = onScreen | onCard | (st.offsetAmount > 0 ? onText : 0)},
        {.id = "extra",
         .label = "Extra repayment",
         .value = Format::money(st.extraRepayment, 0),
         .unit = per,
         .surfaces = onCard | (st.extraRepayment > 0 ? onText : 0)},
    };

    out.hero = {.id = "payment",
                .label = Labels::frequency(st.frequency) + QStringLiteral(" repayment"),
                .value = Format::money(s->payment, 2),
                .unit = per};

    std::vector<Figure> &r = out.results;
    for (PaymentFrequency other : allCases<PaymentFrequency>()) {
        if (other == s->frequency)
            continue;
        r.push_back({.id = rawValue(other),
                     .label = Labels::frequency(other),
                     .value = Format::money(s->paymentAs(other), 2),
                     .unit = Labels::suffix(other),
                     .surfaces = onScreen | onText,
                     .textLabel = QStringLiteral("  equivalent ") + Labels::frequency(other).toLower()});
    }
    r.push_back(
        {.id = "principal", .label = "Principal", .value = Format::money(st.loanAmount, 0), .surfaces = onScreen});
    r.push_back({.id = "totalInterest", .label = "Total interest", .value = Format::money(s->totalInterest, 0)});
    r.push_back({.id = "totalPayable", .label = "Total payable", .value = Format::money(s->totalPayable, 0)});
    // The repayment after the interest-only years, with how long they last, so a client knows when it rises.
    if (st.repaymentType == RepaymentType::interestOnly && s->paymentAfterIO > 0) {
        const QString period =
            st.ioYears == std::trunc(st.ioYears)
                ? Labels::term(st.ioYears)
                : Format::duration(int(std::lround(st.ioYears * periodsPerYear(st.frequency))), st.frequency);
        r.push_back({.id = "revertsTo",
                     .label = QStringLiteral("Interest only for ") + period + QStringLiteral(", then"),
                     .value = Format::money(s->paymentAfterIO, 2),
                     .unit = per});
    }
    if (const auto b = store.baselineScenario()) {
        r.push_back({.id = "interestSaved",
                     .label = "Interest saved by extra repayments",
                     .value = Format::money(b->totalInterest - s->totalInterest, 0),
                     .tint = Tint::good});
        r.push_back({.id = "paidOff",
                     .label = "Paid off in",
                     .value = Format::duration(s->periodsToClear, s->frequency),
                     .tint = Tint::good,
                     .screenLabel = "Loan paid off in"});
        if (const int saved = s->contractedPeriods - s->periodsToClear; saved >= 1)
            r.push_back({.id = "timeSaved",
                         .label = "Time saved",
                         .value = Format::duration(saved, s->frequency),
                         .tint = Tint::good,
                         .surfaces = onScreen});
    }
    if (const auto c = store.compareScenario()) {
        const QString at = Format::percent(c->annualRatePercent, 2);
        const double extra = c->totalPayable - s->totalPayable;
        r.push_back({.id = "compareRepayment",
                     .label = QStringLiteral("Repayment at ") + at,
                     .value = Format::money(c->payment, 2),
                     .unit = per,
                     .surfaces = exported,
                     .gapBefore = true});
        // Which loan is cheaper, in words a client reads without working it out.
        r.push_back({.id = "difference",
                     .label = extra < 0   ? QStringLiteral("At ") + at + QStringLiteral(" you pay less over the term")
                              : extra > 0 ? QStringLiteral("At ") + at + QStringLiteral(" you pay more over the term")
                                          : QStringLiteral("Difference over the term"),
                     .value = Format::money(std::fabs(extra), 0),
                     .surfaces = exported});
        const bool saved = extra <= 0;
        r.push_back({.id = "compareTotal",
                     .label = saved ? QStringLiteral("Total saved at compare rate")
                                    : QStringLiteral("Total extra at compare rate"),
                     .value = Format::money(std::abs(extra), 0),
                     .tint = saved ? Tint::good : Tint::bad,
                     .surfaces = onScreen});
    }
    out.ring = std::pair(st.loanAmount, s->totalInterest);
    return out;
}

} // namespace brolga::RepaymentFigures

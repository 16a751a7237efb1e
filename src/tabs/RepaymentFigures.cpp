#include "tabs/RepaymentFigures.h"

#include "calc/ComparisonRate.h"
#include "core/CalcInputs.h"
#include "core/CalculatorStore.h"
#include "core/Format.h"
#include "tabs/ChoiceNames.h"

#include <cmath>
#include <utility>

namespace brolga::RepaymentFigures {

namespace {

// A fee in whole dollars unless it has cents ("$8.50").
QString fee(double amount)
{
    return Format::money(amount, amount == std::round(amount) ? 0 : 2);
}

// The lender's fees among the inputs, and what the loan costs with them among the results.
void addCosts(const CalculatorState &st, const LoanCosts &c, TabFigures &out)
{
    const QString per = ChoiceNames::suffix(st.frequency);
    const LoanFees fees = CalcInputs::fees(st).held();
    out.inputs.push_back({.id = "establishmentFee",
                          .label = "Establishment fee",
                          .value = fee(fees.establishment),
                          .surfaces = exported});
    out.inputs.push_back({.id = "ongoingFee",
                          .label = "Ongoing fee",
                          .value = fee(fees.ongoing),
                          .unit = ChoiceNames::suffix(fees.ongoingPeriod),
                          .surfaces = exported});
    out.inputs.push_back(
        {.id = "dischargeFee", .label = "Discharge fee", .value = fee(fees.discharge), .surfaces = exported});

    std::vector<Figure> &r = out.results;
    bool first = true;
    const auto add = [&](Figure f) {
        f.gapBefore = std::exchange(first, false);
        r.push_back(std::move(f));
    };
    if (c.comparisonRate)
        add({.id = "comparisonRate", .label = "Comparison rate", .value = Format::percent(*c.comparisonRate, 2)});
    if (c.benchmarkRate) {
        // The regulation's example beside the client's own figure, restated on the row under it in the text.
        const QString example = Format::money(ComparisonRate::benchmarkAmount, 0) + QStringLiteral(" over ") +
                                ChoiceNames::term(ComparisonRate::benchmarkYears);
        add({.id = "benchmarkRate",
             .label = QStringLiteral("Comparison rate, ") + example,
             .value = Format::percent(*c.benchmarkRate, 2),
             .textLabel = QStringLiteral("  for ") + example});
    }
    add({.id = "totalWithFees", .label = "Total payable incl. fees", .value = Format::money(c.totalPayable, 0)});
    add({.id = "perDollar", .label = "For every $1 borrowed", .value = Format::money(c.perDollar, 2)});
    add({.id = "rise1", .label = "If rates rise 1%", .value = Format::money(c.paymentIfRise1, 2), .unit = per});
    add({.id = "rise2", .label = "If rates rise 2%", .value = Format::money(c.paymentIfRise2, 2), .unit = per});
    out.notes.push_back({.text = warning(), .surfaces = everywhere, .gapBefore = true});
}

// The fixed portion among the inputs, and each portion's repayment among the results.
void addSplit(const SplitLoan &split, const QString &per, TabFigures &out)
{
    out.inputs.push_back({.id = "fixedAmount",
                          .label = "Fixed amount",
                          .value = Format::money(split.fixed.amount, 0),
                          .surfaces = exported});
    out.inputs.push_back({.id = "fixedRate",
                          .label = "Fixed rate",
                          .value = Format::percent(split.fixed.ratePercent, 2),
                          .surfaces = exported});
    out.inputs.push_back({.id = "fixedYears",
                          .label = "Fixed for",
                          .value = ChoiceNames::term(split.fixed.years),
                          .surfaces = exported});
    std::vector<Figure> &r = out.results;
    r.push_back({.id = "fixedPortion",
                 .label = "Fixed portion",
                 .value = Format::money(split.fixedPayment, 2),
                 .unit = per,
                 .gapBefore = true});
    r.push_back({.id = "variablePortion",
                 .label = "Variable portion",
                 .value = Format::money(split.variablePayment, 2),
                 .unit = per});
    if (split.revertYear > 0)
        r.push_back({.id = "thenFromYear",
                     .label = QStringLiteral("Then from year %1").arg(split.revertYear),
                     .value = Format::money(split.paymentThen, 2),
                     .unit = per});
}

} // namespace

QString warning()
{
    return QStringLiteral("WARNING: This comparison rate is true only for the examples given and may not include all "
                          "fees and charges. Different terms, fees or other loan amounts might result in a different "
                          "comparison rate.");
}

TabFigures build(const CalculatorStore &store) { return build(store, store.repaymentResults()); }

TabFigures build(const CalculatorStore &store, const RepaymentResults &results)
{
    TabFigures out;
    const std::optional<LoanScenario> &s = results.scenario;
    if (!s) {
        out.hasResult = false;
        out.noResultText = QStringLiteral("No scenario entered.");
        out.noResultCard = QStringLiteral("No scenario to export.");
        return out;
    }
    const CalculatorState &st = store.state();
    const QString per = ChoiceNames::suffix(st.frequency);

    // Rate and term as the figures were worked out: the scenario holds them clamped into range.
    out.inputs = {
        {.id = "loanAmount", .label = "Loan amount", .value = Format::money(st.loanAmount, 0), .surfaces = exported},
        {.id = "interestRate",
         .label = "Interest rate",
         .value = Format::percent(s->annualRatePercent, 2),
         .surfaces = exported},
        {.id = "term", .label = "Term", .value = ChoiceNames::term(s->termYears), .surfaces = exported},
        {.id = "repaymentType",
         .label = "Repayment type",
         .value = ChoiceNames::repaymentType(st.repaymentType),
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
                .label = ChoiceNames::frequency(st.frequency) + QStringLiteral(" repayment"),
                .value = Format::money(s->payment, 2),
                .unit = per};

    std::vector<Figure> &r = out.results;
    const std::optional<SplitLoan> &split = results.split;
    // A split loan restated at another frequency is worked afresh as one, portions and all.
    const auto paymentAs = [&](PaymentFrequency other) {
        if (!split)
            return s->paymentAs(other);
        LoanInputs in = CalcInputs::loan(st);
        in.frequency = other;
        const auto there = SplitLoan::make(in, split->fixed);
        return there ? there->whole.payment : 0.0;
    };
    for (PaymentFrequency other : allCases<PaymentFrequency>()) {
        if (other == s->frequency)
            continue;
        r.push_back({.id = rawValue(other),
                     .label = ChoiceNames::frequency(other),
                     .value = Format::money(paymentAs(other), 2),
                     .unit = ChoiceNames::suffix(other),
                     .surfaces = onScreen | onText,
                     .textLabel = QStringLiteral("  equivalent ") + ChoiceNames::frequency(other).toLower()});
    }
    if (split)
        addSplit(*split, per, out);
    r.push_back(
        {.id = "principal", .label = "Principal", .value = Format::money(st.loanAmount, 0), .surfaces = onScreen});
    r.push_back({.id = "totalInterest", .label = "Total interest", .value = Format::money(s->totalInterest, 0)});
    r.push_back({.id = "totalPayable", .label = "Total payable", .value = Format::money(s->totalPayable, 0)});
    // The repayment after the interest-only years, with how long they last, so a client knows when it rises.
    if (st.repaymentType == RepaymentType::interestOnly && s->paymentAfterIO > 0) {
        const QString period =
            st.ioYears == std::trunc(st.ioYears)
                ? ChoiceNames::term(st.ioYears)
                : Format::duration(int(std::lround(st.ioYears * periodsPerYear(st.frequency))), st.frequency);
        r.push_back({.id = "revertsTo",
                     .label = QStringLiteral("Interest only for ") + period + QStringLiteral(", then"),
                     .value = Format::money(s->paymentAfterIO, 2),
                     .unit = per});
    }
    if (const auto &c = results.costs)
        addCosts(st, *c, out);
    if (const auto &b = results.baseline) {
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
    if (const auto &c = results.compare) {
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

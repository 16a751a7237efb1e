#include "export/report/ReportContent.h"

#include "core/CalculatorStore.h"
#include "core/Format.h"
#include "export/ExportTexts.h"
#include "tabs/ChoiceNames.h"
#include "tabs/TabRegistry.h"

#include <algorithm>

namespace brolga {

namespace {

constexpr Surface text = Surface::text;

// The report says what the copied text says, in its words, so the two never disagree: a figure shown on the
// text keeps the text's label. A restatement of the row above ("  equivalent weekly") stays indented.
ReportFigure reported(const Figure &figure)
{
    const QString label = figure.labelOn(figure.on(text) ? text : Surface::card);
    return {label.trimmed(), figure.text(), label.startsWith(u' ')};
}

// Income and Upfront always work out figures; with no pay or no price entered there is nothing to report.
bool somethingEntered(const CalculatorStore &store, CalculatorTab tab)
{
    switch (tab) {
    case CalculatorTab::income: return store.income().assessable > 0;
    case CalculatorTab::upfront: return store.state().purchasePrice > 0;
    case CalculatorTab::repayment:
    case CalculatorTab::capacity: return true;
    }
    return true;
}

ReportSection section(const CalculatorStore &store, CalculatorTab tab)
{
    const TabInfo &info = TabRegistry::info(tab);
    const TabFigures figures = info.figures(store);
    ReportSection out;
    out.tab = tab;
    out.title = info.heading;
    out.entered = figures.hasResult && somethingEntered(store, tab);
    if (!out.entered) {
        out.emptyReason = figures.hasResult ? QStringLiteral("Nothing entered.") : figures.noResultText;
        return out;
    }
    if (figures.hero.on(text) || figures.hero.on(Surface::card))
        out.hero = reported(figures.hero);
    for (const Figure &input : TabFigures::on(figures.inputs, text))
        out.inputs.push_back(reported(input));
    for (const Figure &result : figures.results) {
        if (result.on(text)) {
            out.results.push_back(reported(result));
            continue;
        }
        // A result only the card shows ("Reverts to") is reported too, unless the text already gives its
        // figure in words of its own.
        if (!result.on(Surface::card))
            continue;
        const bool given = std::any_of(figures.results.begin(), figures.results.end(), [&](const Figure &other) {
            return other.on(text) && other.text() == result.text();
        });
        if (!given)
            out.results.push_back(reported(result));
    }
    for (const FigureNote &note : figures.notes)
        if ((note.surfaces & unsigned(text)) && !note.text.isEmpty())
            out.notes << note.text;
    return out;
}

// The rate a loan's balance is worked at, named on the chart and over the table: "At 6.09%", and with a
// fixed portion its rate too, so that a split loan is not shown as one at the variable rate.
QString rateLabel(const LoanScenario &loan, const std::optional<SplitLoan> &split)
{
    const QString variable = Format::percent(loan.annualRatePercent, 2);
    if (!split || !(split->fixed.amount > 0) || !(split->fixed.years > 0))
        return QStringLiteral("At ") + variable;
    const QString fixed = Format::percent(split->fixed.ratePercent, 2);
    const bool reverts = split->revertYear > 0;
    const QString years = ChoiceNames::term(split->fixed.years);
    if (split->fixed.amount >= loan.principal)
        return reverts ? QStringLiteral("At %1 for %2, then %3").arg(fixed, years, variable)
                       : QStringLiteral("At ") + fixed;
    return QStringLiteral("At %1 with %2 at %3").arg(variable, Format::money(split->fixed.amount, 0), fixed) +
           (reverts ? QStringLiteral(" for ") + years : QString());
}

} // namespace

QString ReportContent::title()
{
    return QStringLiteral("Home loan estimates");
}

ReportContent ReportContent::from(const CalculatorStore &store, const std::vector<CalculatorTab> &tabs,
                                  const std::optional<QString> &preparedFor)
{
    using ExportTexts::singleLine;
    const CalculatorState &st = store.state();
    ReportContent out;
    out.now = store.now();
    out.brokerName = singleLine(st.brokerName).trimmed();
    out.loanCostsEntered = st.feesEnabled || st.fixedEnabled;
    out.letterhead = Letterhead::of(st, title(), singleLine(preparedFor.value_or(store.clientName())).trimmed());

    for (const TabInfo &info : TabRegistry::tabs()) {
        if (!tabs.empty() && std::find(tabs.begin(), tabs.end(), info.id) == tabs.end())
            continue;
        out.sections.push_back(section(store, info.id));
        if (info.id != CalculatorTab::repayment || !out.sections.back().entered)
            continue;
        const auto split = store.split();
        for (const auto &loan : {store.scenario(), store.compareScenario()})
            if (loan)
                out.loans.push_back({rateLabel(*loan, split), loan->frequency, loan->schedule});
    }
    return out;
}

} // namespace brolga

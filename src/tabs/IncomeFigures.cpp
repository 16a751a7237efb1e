#include "tabs/IncomeFigures.h"

#include "calc/TaxScale.h"
#include "core/CalculatorStore.h"
#include "core/Format.h"
#include "tabs/ChoiceNames.h"
#include "tabs/ResultSentences.h"

#include <cmath>

namespace brolga::IncomeFigures {

namespace {

QString money(double v)
{
    return Format::money(v, 0);
}

// A stored count such as days a week, shown whole; nonsense stays visible as a dash rather than overflowing.
QString whole(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("\u2014");
    return QString::number(std::trunc(value), 'f', 0);
}

// Hours a week as entered: 38, or 37.5 with one decimal when not whole.
QString hours(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("\u2014");
    const QString tenths = QString::number(value, 'f', 1);
    return tenths.endsWith(QStringLiteral(".0")) ? tenths.chopped(2) : tenths;
}

QString paySummary(const CalculatorState &st)
{
    switch (st.payBasis) {
    case PayBasis::hourly:
        return Format::money(st.payRate, 2) + QStringLiteral("/hr \u00D7 ") + hours(st.unitsPerWeek) + u'h';
    case PayBasis::daily:
        return Format::money(st.payRate, 2) + QStringLiteral("/day \u00D7 ") + whole(st.unitsPerWeek) +
               QStringLiteral(" \u00D7 ") + whole(st.contractorWeeks) + QStringLiteral("wk");
    case PayBasis::weekly: return Format::money(st.payRate, 0) + QStringLiteral("/wk");
    case PayBasis::fortnightly: return Format::money(st.payRate, 0) + QStringLiteral("/ftn");
    case PayBasis::monthly: return Format::money(st.payRate, 0) + QStringLiteral("/mth");
    case PayBasis::annual: return Format::money(st.payRate, 0) + QStringLiteral(" p.a.");
    }
    return {};
}

} // namespace

TabFigures build(const CalculatorStore &store)
{
    const CalculatorState &st = store.state();
    const IncomeResult r = store.income();
    const QString super = Format::percent(st.superRatePercent, 1);
    const QString year = TaxScale::scale(st.taxYear).year;
    const QString base = QStringLiteral("Base (excl. super)");
    TabFigures out;

    // The text and the card list the inputs in their own order and words; each keeps its own rows here.
    out.inputs = {
        {.id = "employment",
         .label = "Employment",
         .value = ChoiceNames::employment(st.employmentType),
         .surfaces = exported},
        {.id = "presetLine",
         .label = "Occupation preset",
         .value = ChoiceNames::preset(st.occupationPreset),
         .surfaces = onText},
        {.id = "paid", .label = "Paid", .value = paySummary(st), .surfaces = onCard},
        {.id = "superLine",
         .label = "Super rate",
         .value =
             super + (st.quotedIncludesSuper ? QStringLiteral(" (included in quoted)") : QStringLiteral(" (on top)")),
         .surfaces = onText},
        {.id = "super",
         .label = "Super",
         .value = super + (st.quotedIncludesSuper ? QStringLiteral(" incl.") : QStringLiteral(" on top")),
         .surfaces = onCard},
        {.id = "base", .label = base, .value = money(r.baseAnnual), .surfaces = onScreen | onCard},
        {.id = "financialYear", .label = "Financial year", .value = year, .surfaces = exported},
        {.id = "occupation", .label = "Occupation", .value = ChoiceNames::preset(st.occupationPreset), .surfaces = onCard},
    };

    out.hero = {.id = "assessableAnnual",
                .label = "Assessable annual income",
                .value = money(r.assessable),
                .surfaces = onScreen | onCard};

    std::vector<Figure> &f = out.results;
    f.push_back({.id = "baseLine", .label = base, .value = money(r.baseAnnual), .surfaces = onText});
    for (std::size_t i = 0; i < r.components.size(); ++i) {
        const IncomeComponent &c = r.components[i];
        QString label = c.label;
        if (c.shadePercent < 100)
            label +=
                QStringLiteral(" \u2014 ") + money(c.raw) + QStringLiteral(" at ") + Format::percent(c.shadePercent, 0);
        // The text gives the base its own line above.
        f.push_back({.id = QStringLiteral("component%1").arg(i),
                     .label = label,
                     .value = money(c.assessed()),
                     .surfaces = onScreen | onCard | (c.label == u"Base" ? 0 : onText),
                     .textLabel = c.label + QStringLiteral(" (") + Format::percent(c.shadePercent, 0) +
                                  QStringLiteral(" of ") + money(c.raw) + u')'});
    }
    f.push_back({.id = "assessable", .label = "Assessable income", .value = money(r.assessable)});
    f.push_back({.id = "netMonthly", .label = "Net income (monthly)", .value = money(r.netMonthly)});
    f.push_back({.id = "marginalRate",
                 .label = "Marginal rate",
                 .value = Format::percent(r.marginalRatePercent, 0),
                 .surfaces = onScreen});
    f.push_back({.id = "effectiveRate",
                 .label = "Effective rate (incl. Medicare)",
                 .value = Format::percent(r.effectiveRatePercent, 1),
                 .surfaces = onScreen});
    f.push_back({.id = "help",
                 .label = "HELP repayment (p.a.)",
                 .value = money(r.helpAnnual),
                 .surfaces = onScreen | (st.hasHELP ? exported : 0)});
    f.push_back({.id = "afterHelp",
                 .label = "Net monthly after HELP",
                 .value = money(r.netMonthly - r.helpAnnual / 12),
                 .surfaces = onScreen});
    if (r.ytd) {
        const YTDCheck &y = *r.ytd;
        f.push_back({.id = "pace",
                     .label = QStringLiteral("Annualised pace (%1 days)").arg(y.daysElapsed),
                     .value = money(y.annualisedPace),
                     .surfaces = onScreen | onText,
                     .textLabel = QStringLiteral("YTD annualised (%1 days)").arg(y.daysElapsed),
                     .gapBefore = true});
        f.push_back({.id = "against",
                     .label = "Against base",
                     .value = (y.variance >= 0 ? QStringLiteral("+") : QStringLiteral("\u2212")) +
                              Format::percent(std::abs(y.variance) * 100, 1),
                     .tint = std::abs(y.variance) <= 0.03 ? Tint::good : Tint::accent,
                     .surfaces = onScreen});
        out.notes.push_back({.text = QStringLiteral("YTD check: ") + ResultSentences::ytdVerdict(y)});
    }
    out.notes.push_back({.text = QStringLiteral(
                             "Variable income is shaded per common lender treatment; every lender's policy differs."),
                         .gapBefore = true});
    return out;
}

} // namespace brolga::IncomeFigures

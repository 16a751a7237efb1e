#include "calc/IncomeMath.h"

#include "calc/Bounded.h"

#include "calc/Serviceability.h"
#include "calc/TaxScale.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace brolga::IncomeMath {

namespace {

// A signed base-10 whole number and nothing else (no spaces): "2026", "+202", "-99".
std::optional<int> wholeNumber(const QString &text)
{
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    if (i == text.size())
        return std::nullopt;
    for (qsizetype j = i; j < text.size(); ++j)
        if (text[j] < u'0' || text[j] > u'9')
            return std::nullopt;
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

void addBonus(const IncomeInputs &state, std::vector<IncomeComponent> &out)
{
    std::vector<double> years;
    for (double amount : {bounded(state.bonusThisFY), bounded(state.bonusLastFY)})
        if (amount > 0)
            years.push_back(amount);
    const double shade = bounded(state.bonusShadePercent);
    if (years.size() == 1)
        out.push_back({QStringLiteral("Bonus"), years[0], shade});
    else if (years.size() == 2 && state.bonusUseLower)
        out.push_back({QStringLiteral("Bonus (lower year)"), std::min(years[0], years[1]), shade});
    else if (years.size() == 2)
        out.push_back({QStringLiteral("Bonus (2-yr avg)"), (years[0] + years[1]) / 2.0, shade});
}

} // namespace

Prefill prefill(OccupationPreset preset)
{
    switch (preset) {
    case OccupationPreset::standard: return {80, 80, 80, guaranteeRatePercent};
    case OccupationPreset::essential: return {100, 80, 100, guaranteeRatePercent};
    case OccupationPreset::mining: return {80, 80, 100, guaranteeRatePercent};
    case OccupationPreset::publicService: return {80, 80, 80, 15.4};
    }
    return {80, 80, 80, guaranteeRatePercent};
}

double unitsPerWeek(PayBasis basis, double units)
{
    switch (basis) {
    case PayBasis::hourly: return std::clamp(bounded(units), 0.0, 100.0);
    case PayBasis::daily: return std::clamp(bounded(units), 0.0, 7.0);
    default: return 0;
    }
}

double paidWeeks(const IncomeInputs &state)
{
    if (state.employment == EmploymentType::contractor || state.payBasis == PayBasis::daily)
        return std::clamp(bounded(state.contractorWeeks), 0.0, 52.0);
    return 52;
}

double annualise(PayBasis basis, double rate, double units, double weeks)
{
    const double r = std::max(bounded(rate), 0.0);
    const double w = std::clamp(bounded(weeks), 0.0, 52.0);
    switch (basis) {
    case PayBasis::hourly:
    case PayBasis::daily: return r * unitsPerWeek(basis, units) * w;
    case PayBasis::weekly: return r * 52;
    case PayBasis::fortnightly: return r * 26;
    case PayBasis::monthly: return r * 12;
    case PayBasis::annual: return r;
    }
    return r;
}

double superFraction(double superRatePercent)
{
    return std::max(bounded(superRatePercent), 0.0) / 100.0;
}

double quotedAnnual(const IncomeInputs &state)
{
    return annualise(state.payBasis, state.payRate, state.unitsPerWeek, paidWeeks(state));
}

double rateOnBasis(const IncomeInputs &pay, PayBasis basis)
{
    IncomeInputs next = pay;
    next.payBasis = basis;
    const double perDollar = annualise(basis, 1, pay.unitsPerWeek, paidWeeks(next));
    const double annual = quotedAnnual(pay);
    if (basis == pay.payBasis || !(perDollar > 0) || !(annual > 0))
        return pay.payRate;
    return annual / perDollar;
}

double ytdAnnualBase(const IncomeInputs &state)
{
    const double full = annualise(state.payBasis, state.payRate, state.unitsPerWeek, 52);
    return state.quotedIncludesSuper ? full / (1 + superFraction(state.superRatePercent)) : full;
}

IncomeResult income(const IncomeInputs &state, const QDateTime &now)
{
    IncomeResult r;
    const double s = superFraction(state.superRatePercent);
    const double quoted = quotedAnnual(state);
    r.baseAnnual = state.quotedIncludesSuper ? quoted / (1 + s) : quoted;
    r.packageAnnual = state.quotedIncludesSuper ? quoted : quoted * (1 + s);
    r.superRatePercent = bounded(state.superRatePercent);

    r.components.push_back({QStringLiteral("Base"), std::max(r.baseAnnual, 0.0), 100});
    if (const double overtime = bounded(state.overtimeAnnual); overtime > 0)
        r.components.push_back({QStringLiteral("Overtime"), overtime, bounded(state.overtimeShadePercent)});
    addBonus(state, r.components);
    if (const double allowances = bounded(state.allowancesAnnual); allowances > 0)
        r.components.push_back({QStringLiteral("Allowances"), allowances, bounded(state.allowancesShadePercent)});

    for (const auto &c : r.components)
        r.assessable += c.assessed();

    const TaxScale &scale = TaxScale::scale(state.taxYear);
    r.netMonthly = Serviceability::netMonthlyIncome(r.assessable, scale);
    r.marginalRatePercent = scale.marginalRate(r.assessable);
    r.effectiveRatePercent = scale.effectiveRate(r.assessable);
    r.helpAnnual = state.hasHELP ? Serviceability::helpRepayment(r.assessable) : 0.0;

    const bool hasPeriodEnd = state.ytdPeriodEnd && state.ytdPeriodEnd->isValid();
    r.ytd = ytdCheck(state.ytdGross, hasPeriodEnd ? *state.ytdPeriodEnd : now, fyStart(state.taxYear, now),
                     state.employmentStart, ytdAnnualBase(state));
    return r;
}

QDateTime fyStart(const QString &taxYear, const QDateTime &now)
{
    const int year = wholeNumber(taxYear.left(4)).value_or(now.toLocalTime().date().year());
    const QDate first(year, 7, 1); // there is no year 0
    if (!first.isValid())
        return now;
    const QDateTime start = first.startOfDay();
    return start.isValid() ? start : now;
}

qint64 wholeDaysBetween(const QDateTime &from, const QDateTime &to)
{
    if (!from.isValid() || !to.isValid())
        return 0;
    const QDateTime a = from.toLocalTime();
    const QDateTime b = to.toLocalTime();
    qint64 days = a.date().daysTo(b.date());
    // The dates are `days` apart, but the last day only completes once the clock reaches the start's time.
    const QDateTime landed = a.addDays(days);
    if (landed.isValid()) {
        if (days > 0 && landed > b)
            --days;
        else if (days < 0 && landed < b)
            ++days;
    }
    return days;
}

std::optional<YTDCheck> ytdCheck(double ytdGross, const QDateTime &periodEnd, const QDateTime &fyStart,
                                 const std::optional<QDateTime> &employmentStart, double annualBase)
{
    const double gross = bounded(ytdGross);
    const double base = bounded(annualBase);

    QDateTime start = fyStart;
    if (employmentStart && employmentStart->isValid() && (!fyStart.isValid() || *employmentStart >= fyStart))
        start = *employmentStart;

    const qint64 counted = wholeDaysBetween(start, periodEnd) + 1; // both ends included
    if (!(gross > 0) || counted < 14)
        return std::nullopt;

    YTDCheck c;
    c.daysElapsed = static_cast<int>(std::min<qint64>(counted, INT_MAX));
    c.annualisedPace = gross / static_cast<double>(counted) * 365.25;
    if (!(base > 0)) {
        c.variance = 0;
        return c;
    }
    c.variance = c.annualisedPace / base - 1;
    c.standing = c.variance < -0.03  ? YTDStanding::belowBase
                 : c.variance > 0.03 ? YTDStanding::aboveBase
                                     : YTDStanding::tracksBase;
    return c;
}

} // namespace brolga::IncomeMath

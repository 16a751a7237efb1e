#include "calc/TaxScale.h"

#include "calc/Bounded.h"

#include <algorithm>
#include <cmath>

namespace brolga {

namespace {

TaxScale makeScale(const char *year, double firstRate, double secondBase, double thirdBase, double topBase)
{
    return TaxScale{
        QString::fromLatin1(year),
        {{190000, topBase, 0.45}, {135000, thirdBase, 0.37}, {45000, secondBase, 0.30}, {18200, 0, firstRate}}};
}

} // namespace

const std::vector<TaxScale> &TaxScale::all()
{
    static const std::vector<TaxScale> scales{
        makeScale("2025-26", 0.16, 4288, 31288, 51638),
        makeScale("2026-27", 0.15, 4020, 31020, 51370),
        makeScale("2027-28", 0.14, 3752, 30752, 51102),
    };
    return scales;
}

const TaxScale &TaxScale::defaultScale()
{
    static const TaxScale &fallback =
        *std::find_if(all().begin(), all().end(), [](const TaxScale &s) { return s.year == u"2026-27"; });
    return fallback;
}

const TaxScale &TaxScale::scale(const QString &named)
{
    for (const auto &s : all())
        if (s.year == named)
            return s;
    return defaultScale();
}

const TaxScale::Bracket *TaxScale::bracketFor(double income) const
{
    if (!(income > 0))
        return nullptr;
    for (const auto &b : brackets)
        if (b.threshold < income) // strict: income exactly at a threshold stays in the bracket below
            return &b;
    return nullptr;
}

double TaxScale::incomeTax(double income) const
{
    income = bounded(income);
    const Bracket *b = bracketFor(income);
    return b ? b->base + (income - b->threshold) * b->rate : 0.0;
}

double TaxScale::marginalRate(double income) const
{
    const Bracket *b = bracketFor(bounded(income));
    return b ? b->rate * 100.0 : 0.0;
}

double TaxScale::medicareLevy(double income)
{
    return medicareLevyRate * bounded(income);
}

double TaxScale::effectiveRate(double income) const
{
    income = bounded(income);
    if (!(income > 0))
        return 0;
    return (incomeTax(income) + medicareLevy(income)) / income * 100.0;
}

} // namespace brolga

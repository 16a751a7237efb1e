#pragma once

#include <QHashFunctions>
#include <QString>

#include <vector>

namespace brolga {

// The resident income tax scale of one tax year. No offsets of any kind are modelled.
struct TaxScale {
    struct Bracket {
        double threshold = 0; // income above which the bracket applies
        double base = 0;      // tax accrued up to the threshold
        double rate = 0;      // fraction charged on each dollar above the threshold
        bool operator==(const Bracket &) const = default;
    };

    QString year;                  // "2026-27"
    std::vector<Bracket> brackets; // highest threshold first

    // Flat levy on the whole gross: no low-income threshold, no family reduction.
    static constexpr double medicareLevyRate = 0.02;

    // The offered years, oldest first; built once.
    static const std::vector<TaxScale> &all();
    // The scale whose year matches exactly, else the default year's. Never fails.
    static const TaxScale &scale(const QString &named);
    static const TaxScale &defaultScale();

    // Annual tax on an annual income; 0 at or below the tax-free threshold and for negative income.
    double incomeTax(double income) const;
    // Rate of the applying bracket in percent (30.0), 0 when none applies. Excludes the Medicare levy.
    double marginalRate(double income) const;
    // Tax plus Medicare levy as a percentage of income; 0 when there is no income.
    double effectiveRate(double income) const;
    static double medicareLevy(double income);

    bool operator==(const TaxScale &) const = default;

  private:
    const Bracket *bracketFor(double income) const;
};

inline size_t qHash(const TaxScale::Bracket &b, size_t seed = 0)
{
    return qHashMulti(seed, b.threshold, b.base, b.rate);
}

inline size_t qHash(const TaxScale &s, size_t seed = 0)
{
    seed = qHash(s.year, seed);
    for (const auto &b : s.brackets)
        seed = qHash(b, seed);
    return seed;
}

} // namespace brolga

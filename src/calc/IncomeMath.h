#pragma once

#include "calc/CalcChoices.h"
#include "calc/IncomeInputs.h"
#include "calc/IncomeResult.h"
#include "calc/YTDCheck.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace brolga::IncomeMath {

// The values an occupation preset writes, in the order they are written.
struct Prefill {
    double overtimeShadePercent;
    double bonusShadePercent;
    double allowancesShadePercent;
    double superRatePercent;
    bool operator==(const Prefill &) const = default;
};

// Presets write the guarantee rate, whatever tax year is selected.
Prefill prefill(OccupationPreset preset);

// The superannuation guarantee rate, percent: 12 for every tax year the program offers.
inline constexpr double guaranteeRatePercent = 12.0;

// Hours (0..100) or days (0..7) a week as the pay basis uses them; other bases ignore units.
double unitsPerWeek(PayBasis basis, double units);
// Paid weeks a year: the contractor's paid weeks (0..52) for contractors and day rates, else 52.
double paidWeeks(const IncomeInputs &pay);
// A pay rate on a basis turned into a year; `weeks` scales only the hourly and daily bases.
double annualise(PayBasis basis, double rate, double units, double weeks);
// The super rate as a fraction, never negative.
double superFraction(double superRatePercent);

// The quoted figure annualised with the paid weeks.
double quotedAnnual(const IncomeInputs &pay);
// The rate on another basis that gives the same quoted figure at the units and paid weeks the pay has; the
// rate as it is when there is nothing to convert or the other basis counts no hours, days or weeks.
double rateOnBasis(const IncomeInputs &pay, PayBasis basis);
// The base the year-to-date check compares with: a full 52-week year, super taken out when quoted in.
double ytdAnnualBase(const IncomeInputs &pay);

// `now` stands in for an absent payslip period end and for an unreadable tax year.
IncomeResult income(const IncomeInputs &pay, const QDateTime &now);

// Start of 1 July of the year the tax-year text begins with, local time; `now`'s year when unreadable.
QDateTime fyStart(const QString &taxYear, const QDateTime &now);

// Complete calendar days from one moment to another in local time, as a calendar counts them: 9 pm to 8 am the
// next day is 0, 9 pm to 9 pm the next day is 1. Negative when `to` is earlier; 0 when either is invalid.
qint64 wholeDaysBetween(const QDateTime &from, const QDateTime &to);

// Absent without a positive year-to-date gross or with fewer than 14 counted days.
std::optional<YTDCheck> ytdCheck(double ytdGross, const QDateTime &periodEnd, const QDateTime &fyStart,
                                 const std::optional<QDateTime> &employmentStart, double annualBase);

} // namespace brolga::IncomeMath

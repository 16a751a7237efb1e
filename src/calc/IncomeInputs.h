#pragma once

#include "calc/CalcChoices.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace brolga {

// One applicant's pay as quoted and the variable income on top, before clamping.
struct IncomeInputs {
    EmploymentType employment = EmploymentType::fullTime;
    PayBasis payBasis = PayBasis::annual;
    double payRate = 0;
    double unitsPerWeek = 0;    // hours or days, as the basis uses them
    double contractorWeeks = 0; // paid weeks for contractors and day rates
    bool quotedIncludesSuper = false;
    double superRatePercent = 0;

    double overtimeAnnual = 0;
    double bonusThisFY = 0;
    double bonusLastFY = 0;
    bool bonusUseLower = false;
    double allowancesAnnual = 0;
    double overtimeShadePercent = 0;
    double bonusShadePercent = 0;
    double allowancesShadePercent = 0;

    bool hasHELP = false;
    QString taxYear; // "2026-27"

    double ytdGross = 0;
    std::optional<QDateTime> ytdPeriodEnd;
    std::optional<QDateTime> employmentStart;

    bool operator==(const IncomeInputs &) const = default;
};

} // namespace brolga

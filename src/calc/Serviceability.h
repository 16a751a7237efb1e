#pragma once

#include "calc/CalcChoices.h"
#include "calc/CapacityInputs.h"
#include "calc/CapacityResult.h"
#include "calc/TaxScale.h"

#include <optional>

namespace brolga::Serviceability {

// Lenders assess over a 30-year term whatever term the client asks for.
inline constexpr int assessmentMonths = 360;

// Net monthly income after income tax and the flat Medicare levy. HELP is not deducted.
double netMonthlyIncome(double grossAnnual, const TaxScale &scale);

// Annual HELP repayment on assessable income; the schedule is the same every year.
double helpRepayment(double assessable);

// Assessed living expenses a month: household floor, a loading per dependant and 1% of income above $50,000.
double livingExpenses(ApplicantType applicant, int dependants, double grossAnnual);

// Loan that a monthly surplus repays over 360 months at an annual rate in percent; 0 when either is not positive.
double serviceabilityLimit(double monthlySurplus, double annualRatePercent);

// Absent when there is no income to assess.
std::optional<CapacityResult> capacity(const CapacityInputs &household);

} // namespace brolga::Serviceability

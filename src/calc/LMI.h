#pragma once

#include "calc/LMIResult.h"
#include "core/Enums.h"

#include <vector>

namespace brolga {
struct CalculatorState;
}

namespace brolga::LMI {

// One LVR band of the premium table: rates in percent of the loan, one per loan-size band.
struct TableRow {
    double lvrCeiling = 0;
    std::vector<double> rates;
};

// Rows in ascending order of ceiling.
const std::vector<TableRow> &table();

// 0 for a loan up to 300,000, then 500,000, 600,000 and 750,000; 4 above. Each limit belongs to the lower band.
int loanBand(double loanAmount);

// Fraction of the premium charged as duty.
double dutyOnPremiumRate(AUState state);

LMIResult calculate(double loanAmount, double propertyValue, AUState state);

// Price less the deposit entered on the Upfront tab, never below 0.
double loanRequired(const CalculatorState &state);
LMIResult lmi(const CalculatorState &state);
double includingDuty(const LMIResult &result);
double loanIfCapitalised(const CalculatorState &state);
// The deposit that brings the LVR to 80 %, whatever deposit is entered.
double depositToAvoidLMI(double purchasePrice);

// Cash needed at settlement: duty payable, registration fees, deposit and the entered costs. The premium is
// left out: it is capitalised onto the loan.
double fundsToComplete(const CalculatorState &state);

} // namespace brolga::LMI

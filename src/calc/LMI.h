#pragma once

#include "calc/CalcChoices.h"
#include "calc/LMIResult.h"
#include "calc/PurchaseInputs.h"

#include <vector>

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
double loanRequired(const PurchaseInputs &purchase);
LMIResult lmi(const PurchaseInputs &purchase);
double includingDuty(const LMIResult &result);
double loanIfCapitalised(const PurchaseInputs &purchase);
// The deposit that brings the LVR to 80 %, whatever deposit is entered.
double depositToAvoidLMI(double purchasePrice);

// Cash needed at settlement: duty payable, registration fees, deposit and the entered costs. The premium is
// left out: it is capitalised onto the loan.
double fundsToComplete(const PurchaseInputs &purchase);

} // namespace brolga::LMI

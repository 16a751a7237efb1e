#include "core/CalcInputs.h"

namespace brolga {

LoanInputs CalcInputs::loan(const CalculatorState &s)
{
    LoanInputs in;
    in.loanAmount = s.loanAmount;
    in.offset = s.offsetAmount;
    in.annualRatePercent = s.interestRate;
    in.termYears = s.loanTermYears;
    in.type = s.repaymentType;
    in.ioYears = s.ioYears;
    in.frequency = s.frequency;
    in.extraRepayment = s.extraRepayment;
    return in;
}

LoanFees CalcInputs::fees(const CalculatorState &s)
{
    return {s.establishmentFee, s.ongoingFee, s.ongoingFeePeriod, s.dischargeFee};
}

FixedPortion CalcInputs::fixed(const CalculatorState &s)
{
    return {s.fixedAmount, s.fixedRate, s.fixedYears};
}

CapacityInputs CalcInputs::capacity(const CalculatorState &s)
{
    CapacityInputs in;
    in.grossIncome = s.applicantsInDetail ? 0 : s.grossIncome;
    in.interestRatePercent = s.interestRate;
    in.assessmentBufferPercent = s.assessmentBuffer;
    in.monthlyOtherDebts = s.monthlyOtherDebts;
    in.dtiMultiple = s.dtiMultiple;
    in.applicant = s.applicantType;
    in.dependants = s.dependants;
    in.taxYear = s.taxYear;
    if (s.applicantsInDetail)
        in.detail = ApplicantDetail{.applicant1Income = s.applicant1Income,
                                    .applicant2Income = s.applicant2Income,
                                    .applicant1HasHELP = s.applicant1HasHELP,
                                    .applicant2HasHELP = s.applicant2HasHELP,
                                    .rentalIncome = s.rentalIncome,
                                    .rentalShadePercent = s.rentalShadePercent,
                                    .cardLimits = s.cardLimits,
                                    .cardRatePercent = s.cardRatePercent,
                                    .otherLoanBalances = s.otherLoanBalances,
                                    .floorRatePercent = s.floorRatePercent};
    return in;
}

IncomeInputs CalcInputs::income(const CalculatorState &s)
{
    IncomeInputs in;
    in.employment = s.employmentType;
    in.payBasis = s.payBasis;
    in.payRate = s.payRate;
    in.unitsPerWeek = s.unitsPerWeek;
    in.contractorWeeks = s.contractorWeeks;
    in.quotedIncludesSuper = s.quotedIncludesSuper;
    in.superRatePercent = s.superRatePercent;
    in.overtimeAnnual = s.overtimeAnnual;
    in.bonusThisFY = s.bonusThisFY;
    in.bonusLastFY = s.bonusLastFY;
    in.bonusUseLower = s.bonusUseLower;
    in.allowancesAnnual = s.allowancesAnnual;
    in.overtimeShadePercent = s.otShadePercent;
    in.bonusShadePercent = s.bonusShadePercent;
    in.allowancesShadePercent = s.allowShadePercent;
    in.hasHELP = s.hasHELP;
    in.taxYear = s.taxYear;
    in.ytdGross = s.ytdGross;
    in.ytdPeriodEnd = s.ytdPeriodEnd;
    in.employmentStart = s.employmentStart;
    return in;
}

PurchaseInputs CalcInputs::purchase(const CalculatorState &s)
{
    PurchaseInputs in;
    in.state = s.state;
    in.purchasePrice = s.purchasePrice;
    in.depositAmount = s.depositAmount;
    in.buyer = s.buyerType;
    in.kind = s.propertyKind;
    in.foreignBuyer = s.isForeignBuyer;
    in.dutyOverride = s.dutyOverride;
    in.legalFees = s.legalFees;
    in.inspectionFees = s.inspectionFees;
    in.otherUpfrontCosts = s.otherUpfrontCosts;
    return in;
}

} // namespace brolga

#pragma once

#include "core/CalculatorState.h"

namespace brolga {

// Visits every field of CalculatorState in declaration order with its stored key and a pointer to member.
// The stored form, the tests and the fuzzers walk the record through this one list.
template <typename Visitor> void forEachStateField(Visitor &&v)
{
    using S = CalculatorState;
    v("loanAmount", &S::loanAmount);
    v("offsetAmount", &S::offsetAmount);
    v("interestRate", &S::interestRate);
    v("loanTermYears", &S::loanTermYears);
    v("repaymentType", &S::repaymentType);
    v("ioYears", &S::ioYears);
    v("frequency", &S::frequency);
    v("extraRepayment", &S::extraRepayment);
    v("compareRate", &S::compareRate);
    v("isCompareMode", &S::isCompareMode);
    v("showProjection", &S::showProjection);
    v("projectionView", &S::projectionView);
    v("feesEnabled", &S::feesEnabled);
    v("establishmentFee", &S::establishmentFee);
    v("ongoingFee", &S::ongoingFee);
    v("ongoingFeePeriod", &S::ongoingFeePeriod);
    v("dischargeFee", &S::dischargeFee);
    v("fixedEnabled", &S::fixedEnabled);
    v("fixedAmount", &S::fixedAmount);
    v("fixedRate", &S::fixedRate);
    v("fixedYears", &S::fixedYears);
    v("grossIncome", &S::grossIncome);
    v("applicantType", &S::applicantType);
    v("dependants", &S::dependants);
    v("monthlyOtherDebts", &S::monthlyOtherDebts);
    v("assessmentBuffer", &S::assessmentBuffer);
    v("dtiMultiple", &S::dtiMultiple);
    v("taxYear", &S::taxYear);
    v("applicantsInDetail", &S::applicantsInDetail);
    v("applicant1Income", &S::applicant1Income);
    v("applicant2Income", &S::applicant2Income);
    v("rentalIncome", &S::rentalIncome);
    v("rentalShadePercent", &S::rentalShadePercent);
    v("cardLimits", &S::cardLimits);
    v("cardRatePercent", &S::cardRatePercent);
    v("otherLoanBalances", &S::otherLoanBalances);
    v("applicant1HasHELP", &S::applicant1HasHELP);
    v("applicant2HasHELP", &S::applicant2HasHELP);
    v("floorRatePercent", &S::floorRatePercent);
    v("employmentType", &S::employmentType);
    v("payBasis", &S::payBasis);
    v("payRate", &S::payRate);
    v("unitsPerWeek", &S::unitsPerWeek);
    v("contractorWeeks", &S::contractorWeeks);
    v("quotedIncludesSuper", &S::quotedIncludesSuper);
    v("superRatePercent", &S::superRatePercent);
    v("occupationPreset", &S::occupationPreset);
    v("ytdGross", &S::ytdGross);
    v("ytdPeriodEnd", &S::ytdPeriodEnd);
    v("employmentStart", &S::employmentStart);
    v("overtimeAnnual", &S::overtimeAnnual);
    v("bonusThisFY", &S::bonusThisFY);
    v("bonusLastFY", &S::bonusLastFY);
    v("bonusUseLower", &S::bonusUseLower);
    v("allowancesAnnual", &S::allowancesAnnual);
    v("otShadePercent", &S::otShadePercent);
    v("bonusShadePercent", &S::bonusShadePercent);
    v("allowShadePercent", &S::allowShadePercent);
    v("hasHELP", &S::hasHELP);
    v("state", &S::state);
    v("purchasePrice", &S::purchasePrice);
    v("depositAmount", &S::depositAmount);
    v("buyerType", &S::buyerType);
    v("propertyKind", &S::propertyKind);
    v("isForeignBuyer", &S::isForeignBuyer);
    v("dutyOverride", &S::dutyOverride);
    v("legalFees", &S::legalFees);
    v("inspectionFees", &S::inspectionFees);
    v("otherUpfrontCosts", &S::otherUpfrontCosts);
    v("activeTab", &S::activeTab);
    v("alwaysOnTop", &S::alwaysOnTop);
    v("brokerName", &S::brokerName);
    v("brokerCompany", &S::brokerCompany);
    v("brokerEmail", &S::brokerEmail);
    v("brokerPhone", &S::brokerPhone);
    v("brokerLicence", &S::brokerLicence);
    v("brokerWebsite", &S::brokerWebsite);
    v("themeID", &S::themeID);
    v("updateChecksEnabled", &S::updateChecksEnabled);
}

} // namespace brolga

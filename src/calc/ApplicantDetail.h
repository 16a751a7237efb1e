#pragma once

namespace brolga {

// The applicants taken apart, as lenders' servicing calculators take them: each income taxed on its own, rent,
// card limits, other loans' balances, HELP per applicant and a floor under the assessment rate. Before clamping.
struct ApplicantDetail {
    double applicant1Income = 0; // a year
    double applicant2Income = 0; // a year; a single applicant has none
    bool applicant1HasHELP = false;
    bool applicant2HasHELP = false;
    double rentalIncome = 0;        // a year, before shading; owned in equal shares
    double rentalShadePercent = 80; // share of the rent counted
    double cardLimits = 0;
    double cardRatePercent = 3.8; // of the limits, counted as a commitment each month
    double otherLoanBalances = 0;
    double floorRatePercent = 0; // 0: no floor

    bool operator==(const ApplicantDetail &) const = default;
};

} // namespace brolga

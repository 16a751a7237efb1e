#pragma once

#include "calc/ApplicantDetail.h"
#include "calc/CalcChoices.h"

#include <QString>

#include <optional>

namespace brolga {

// The household a borrowing capacity is assessed for, before clamping.
struct CapacityInputs {
    double grossIncome = 0;         // a year
    double interestRatePercent = 0; // the loan's rate; the buffer is added on top
    double assessmentBufferPercent = 0;
    double monthlyOtherDebts = 0;
    double dtiMultiple = 0;
    ApplicantType applicant = ApplicantType::single;
    int dependants = 0;
    QString taxYear; // "2026-27"; an unknown year assesses on the default scale
    // Present when the applicants are assessed in detail; grossIncome is then not read, and monthlyOtherDebts
    // are the other loans' repayments.
    std::optional<ApplicantDetail> detail;

    bool operator==(const CapacityInputs &) const = default;
};

} // namespace brolga

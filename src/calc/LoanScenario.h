#pragma once

#include "calc/AmortisationRow.h"
#include "calc/CalcChoices.h"

#include <optional>
#include <vector>

namespace brolga {

// The inputs of one loan, before clamping.
struct LoanInputs {
    double loanAmount = 0;
    double offset = 0;
    double annualRatePercent = 0;
    double termYears = 0;
    RepaymentType type = RepaymentType::principalAndInterest;
    double ioYears = 0;
    PaymentFrequency frequency = PaymentFrequency::monthly;
    double extraRepayment = 0;

    bool operator==(const LoanInputs &) const = default;
};

// Everything shown about one loan: repayments, the first period's split and the full schedule.
struct LoanScenario {
    double payment = 0;
    double paymentAfterIO = 0;
    double totalInterest = 0;
    double totalPayable = 0;
    double firstPrincipal = 0;
    double firstInterest = 0;
    std::vector<AmortisationRow> schedule;
    int periodsToClear = 0;
    int contractedPeriods = 0;
    PaymentFrequency frequency = PaymentFrequency::monthly;
    double principal = 0;
    double offset = 0;
    double annualRatePercent = 0;
    double termYears = 0;
    RepaymentType type = RepaymentType::principalAndInterest;

    // Absent when the amount is not positive or the term rounds to no period.
    static std::optional<LoanScenario> make(const LoanInputs &inputs);

    // The repayment restated as a fresh annuity (or interest-only figure) at another frequency.
    double paymentAs(PaymentFrequency other) const;

    // The level repayment that clears `amount` over `periods` at `periodRate`.
    static double annuity(double amount, double periodRate, int periods);
};

} // namespace brolga

#pragma once

// The Repayment keystroke benchmarks' record: a 50-year weekly loan, whose 2,600-row schedule is drawn as the
// projection chart; with `costs`, the lender's fees, a fixed portion and the rate comparison on as well. The
// cards for them are offered only while they are on, whatever an earlier run left in the settings.

#include "core/CalculatorStore.h"

namespace bench {

inline void setUpLoan(brolga::CalculatorStore &store, bool costs)
{
    using namespace brolga;
    store.setOffersDetailedInputs(false);
    store.edit([costs](CalculatorState &s) {
        s = CalculatorState{};
        s.loanAmount = 720000;
        s.interestRate = 6.09;
        s.loanTermYears = 50;
        s.frequency = PaymentFrequency::weekly;
        s.repaymentType = RepaymentType::principalAndInterest;
        s.extraRepayment = 0;
        s.isCompareMode = false;
        s.showProjection = true;
        s.projectionView = ProjectionView::chart;
        if (costs) {
            // A monthly fee on weekly repayments: the solver's slowest case.
            s.isCompareMode = true;
            s.feesEnabled = true;
            s.establishmentFee = 600;
            s.ongoingFee = 10;
            s.dischargeFee = 350;
            s.fixedEnabled = true;
            s.fixedAmount = 300000;
        }
    });
}

} // namespace bench

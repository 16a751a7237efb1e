#pragma once

namespace brolga {

// One repayment period of a schedule.
struct AmortisationRow {
    int period = 0;
    double interest = 0;
    double principal = 0; // includes any extra repayment
    double balance = 0;   // after this period's repayment
    double extra = 0;     // the part of `principal` paid beyond the scheduled repayment

    bool operator==(const AmortisationRow &) const = default;
};

} // namespace brolga

#pragma once

#include <QString>

namespace brolga {

// Where a price stands against a concession's thresholds; `stated` when no threshold is involved. The
// concession ends at its threshold: a price exactly there is `atThreshold`, and gets none.
enum class ConcessionPhase { stated, fullExemption, phasingOut, atThreshold, aboveThreshold };

// The rule applied to a purchase, as facts; the sentence is built where it is shown.
struct DutyNote {
    QString rule; // the concession's name, or the whole sentence when `stated`
    ConcessionPhase phase = ConcessionPhase::stated;
    double threshold = 0; // the price at which the concession ends

    bool operator==(const DutyNote &) const = default;
};

// Transfer duty on one purchase, with the registration fees and the rule applied.
struct DutyResult {
    double baseDuty = 0;
    double concession = 0;
    double foreignSurcharge = 0;
    double transferFee = 0;
    double mortgageFee = 0;
    DutyNote note;

    // What the buyer pays in duty: the concession never takes the ordinary duty below zero, and the
    // surcharge is never reduced by it.
    double payable() const
    {
        const double net = baseDuty - concession;
        return (net > 0 ? net : 0.0) + foreignSurcharge;
    }
};

} // namespace brolga

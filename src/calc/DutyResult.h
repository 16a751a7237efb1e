#pragma once

#include <QString>

namespace brolga {

// Transfer duty on one purchase, with the registration fees and the sentence naming the rule applied.
struct DutyResult {
    double baseDuty = 0;
    double concession = 0;
    double foreignSurcharge = 0;
    double transferFee = 0;
    double mortgageFee = 0;
    QString note;

    // What the buyer pays in duty: the concession never takes the ordinary duty below zero, and the
    // surcharge is never reduced by it.
    double payable() const
    {
        const double net = baseDuty - concession;
        return (net > 0 ? net : 0.0) + foreignSurcharge;
    }
};

} // namespace brolga

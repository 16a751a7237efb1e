#pragma once

#include <QString>

namespace brolga {

// An indicative lenders mortgage insurance premium and the state's duty on it.
struct LMIResult {
    double lvr = 0; // percent
    double premium = 0;
    double stampDutyOnPremium = 0;
    double ratePercent = 0;
    QString note;
};

} // namespace brolga

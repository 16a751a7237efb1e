#pragma once

#include "calc/DutyResult.h"
#include "calc/YTDCheck.h"

#include <QString>

namespace brolga {

// The sentences shown with the calculations' results, built from the facts the calculations return.
class ResultSentences {
public:
    // The payslip check's verdict: "Annualised YTD runs 7.9% below base — …".
    static QString ytdVerdict(const YTDCheck &check);
    // The duty rule applied: "VIC first home buyer duty exemption — full exemption."
    static QString dutyNote(const DutyNote &note);
};

} // namespace brolga

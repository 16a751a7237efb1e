#pragma once

#include "calc/AmortisationRow.h"
#include "core/ScreenChoices.h"

#include <QString>

#include <array>
#include <span>
#include <vector>

namespace brolga {

// The Repayment screen's year-by-year schedule, without any widget: the schedule cut into chunks of one
// year's periods from the first row (the last chunk may be shorter), each summed.
struct YearlyLine {
    int year = 0;          // 1, 2, ...
    double principal = 0;  // sum of the chunk's principal (extra repayments included)
    double interest = 0;   // sum of the chunk's interest
    double balance = 0;    // balance after the chunk's last row
    int periods = 0;       // rows in the chunk: a full year's, or fewer for a final part year
    double extra = 0;      // sum of the chunk's extra repayments (within `principal`)

    bool operator==(const YearlyLine &) const = default;
};

namespace YearlyTable {

std::vector<YearlyLine> lines(std::span<const AmortisationRow> schedule, PaymentFrequency frequency);

// "YR", "PRINCIPAL", "INTEREST", "BALANCE".
std::array<QString, 4> header();
// The year as a plain integer, then the three amounts as whole dollars.
std::array<QString, 4> cells(const YearlyLine &line);

} // namespace YearlyTable

} // namespace brolga

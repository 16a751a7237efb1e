#pragma once

#include <QString>

namespace brolga {

// Year-to-date gross from a payslip projected to a year and compared with the stated base.
struct YTDCheck {
    double annualisedPace = 0;
    double variance = 0; // pace / base - 1 as a fraction; 0 without a base
    int daysElapsed = 0; // both ends counted
    QString verdict;

    bool operator==(const YTDCheck &) const = default;
};

} // namespace brolga

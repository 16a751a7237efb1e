#pragma once

namespace brolga {

// How the annualised pace stands against the base: within 3 % either way tracks it.
enum class YTDStanding { noBase, belowBase, tracksBase, aboveBase };

// Year-to-date gross from a payslip projected to a year and compared with the stated base.
struct YTDCheck {
    double annualisedPace = 0;
    double variance = 0; // pace / base - 1 as a fraction; 0 without a base
    int daysElapsed = 0; // both ends counted
    YTDStanding standing = YTDStanding::noBase;

    bool operator==(const YTDCheck &) const = default;
};

} // namespace brolga

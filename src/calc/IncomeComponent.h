#pragma once

#include <QString>

namespace brolga {

// One income line of an assessment; lines are identified by their label.
struct IncomeComponent {
    QString label;             // "Base", "Overtime", "Bonus", "Bonus (2-yr avg)", "Bonus (lower year)", "Allowances"
    double raw = 0;            // annual, before shading
    double shadePercent = 100; // share of raw that counts

    double assessed() const { return raw * shadePercent / 100.0; }

    bool operator==(const IncomeComponent &) const = default;
};

} // namespace brolga

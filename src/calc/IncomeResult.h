#pragma once

#include "calc/IncomeComponent.h"
#include "calc/YTDCheck.h"

#include <optional>
#include <vector>

namespace brolga {

// The assessable income a lender would use, with the tax figures on it. Annual dollars unless noted.
struct IncomeResult {
    double baseAnnual = 0;       // excluding super
    double packageAnnual = 0;    // base plus super
    double superRatePercent = 0; // as entered
    std::vector<IncomeComponent> components;
    double assessable = 0; // sum of shaded components
    double netMonthly = 0; // a month, after tax and the Medicare levy, before HELP
    double marginalRatePercent = 0;
    double effectiveRatePercent = 0;
    double helpAnnual = 0; // 0 unless the client has a HELP debt
    std::optional<YTDCheck> ytd;

    bool operator==(const IncomeResult &) const = default;
};

} // namespace brolga

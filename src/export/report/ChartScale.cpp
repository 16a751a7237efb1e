#include "export/report/ChartScale.h"

#include <cmath>
#include <initializer_list>

namespace brolga {

ChartScale ChartScale::of(double largest, int maxSteps)
{
    if (!(largest > 0) || !std::isfinite(largest) || maxSteps < 1)
        return {};
    const double power = std::pow(10.0, std::floor(std::log10(largest / maxSteps)));
    for (const double multiple : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        const double step = multiple * power;
        const double steps = std::ceil(largest / step);
        if (steps <= maxSteps)
            return {step, int(steps)};
    }
    return {10 * power, 1};
}

} // namespace brolga

#pragma once

#include <algorithm>
#include <cmath>

namespace brolga {

// A record field as the calculations read it: a hand-edited record can hold anything, so NaN reads as empty and
// magnitudes are held to a trillion, which keeps products and sums of a few fields finite.
inline double bounded(double v)
{
    if (std::isnan(v))
        return 0;
    return std::clamp(v, -1e12, 1e12);
}

} // namespace brolga

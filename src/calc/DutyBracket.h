#pragma once

namespace brolga {

// One step of a duty scale: above `from`, duty is `base` plus `rate` (a fraction) of each dollar over `from`.
struct DutyBracket {
    double from = 0;
    double base = 0;
    double rate = 0;
};

} // namespace brolga

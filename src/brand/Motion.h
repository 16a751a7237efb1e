#pragma once

#include <optional>

namespace brolga {

// Whether the user asked for less motion. Qt has no portable query for the macOS or GNOME setting; the
// closest is the platform's general UI-effects switch (Windows' "show animations", for one), so:
// an override first (tests), then BROLGA_REDUCE_MOTION=1/0 from the environment, then the effects switch.
class Motion {
public:
    static bool reduced();
    static void forceReduced(std::optional<bool> reduced);
};

} // namespace brolga

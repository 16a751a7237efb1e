#pragma once

#include <functional>
#include <optional>

namespace brolga {

// Whether the user asked for less motion. Qt has no portable query: its UI-effects switch follows the
// user only on Windows ("Show animations in Windows"); on macOS and Linux Qt reports effects off for
// everybody, so reading it there would turn every animation off. In order: a forced value (tests), the
// environment (BROLGA_REDUCE_MOTION=1 or 0), a platform query if one is installed (the macOS
// accessibility setting, from the platform shim), Qt's effects switch on Windows; otherwise motion is on.
class Motion {
public:
    static bool reduced();
    static void forceReduced(std::optional<bool> reduced);
    static void setPlatformQuery(std::function<bool()> query);
};

} // namespace brolga

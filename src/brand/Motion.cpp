#include "brand/Motion.h"

#include <QtGlobal>

namespace brolga {

namespace {
std::optional<bool> forced;
std::function<bool()> platformQuery;
} // namespace

bool Motion::reduced()
{
    if (forced)
        return *forced;
    bool ok = false;
    const int env = qEnvironmentVariableIntValue("BROLGA_REDUCE_MOTION", &ok);
    if (ok)
        return env != 0;
    if (platformQuery)
        return platformQuery();
    return false;
}

void Motion::forceReduced(std::optional<bool> reduced) { forced = reduced; }

void Motion::setPlatformQuery(std::function<bool()> query) { platformQuery = std::move(query); }

} // namespace brolga

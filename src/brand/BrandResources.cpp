#include "brand/BrandResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initBrolgaResources() { Q_INIT_RESOURCE(brolga); }

namespace brolga {

void BrandResources::ensureLoaded()
{
    static const bool loaded = [] {
        initBrolgaResources();
        return true;
    }();
    (void)loaded;
}

} // namespace brolga

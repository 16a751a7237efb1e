#pragma once

namespace brolga {

// The fonts, the wing and the icons are compiled into brolga_gui, a static library: nothing references
// the resource initialiser there, so the linker may drop it unless someone asks for it by name.
class BrandResources {
public:
    // Registers the ":/" resources once; cheap to call again.
    static void ensureLoaded();
};

} // namespace brolga

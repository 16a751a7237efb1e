#pragma once

namespace brolga::Accessibility {

// Registers the interfaces of the shared controls, the screens' charts and the footer, then installs the
// factory. Calling it again does nothing.
void install();

} // namespace brolga::Accessibility

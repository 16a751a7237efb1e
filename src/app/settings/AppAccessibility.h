#pragma once

namespace brolga {

// The window's own drawn parts for assistive technology, on top of the controls' (Accessibility::install):
// the settings tabs, the theme rows, the toast and the update strips. Calling it again does nothing.
namespace AppAccessibility {

void install();

} // namespace AppAccessibility

} // namespace brolga

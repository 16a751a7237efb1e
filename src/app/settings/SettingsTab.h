#pragma once

namespace brolga {

// The settings window's panes, in tab-bar order.
enum class SettingsTab { identity, appearance };

} // namespace brolga

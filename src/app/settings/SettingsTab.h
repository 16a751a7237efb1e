#pragma once

#include <QString>

#include <optional>

namespace brolga {

// The settings window's panes, in tab-bar order.
enum class SettingsTab { identity, appearance };

inline std::optional<SettingsTab> settingsTabFromRaw(const QString &raw)
{
    if (raw == QLatin1String("identity"))
        return SettingsTab::identity;
    if (raw == QLatin1String("appearance"))
        return SettingsTab::appearance;
    return std::nullopt;
}

} // namespace brolga

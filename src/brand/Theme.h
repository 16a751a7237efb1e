#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace brolga {

// One colour theme. Colours are 0xRRGGBB, sRGB, opaque.
struct Theme {
    QString id;
    QString name;
    QString blurb;
    std::uint32_t dark = 0;
    std::uint32_t darkMid = 0;
    std::uint32_t darkLift = 0;
    std::uint32_t paper = 0;
    std::uint32_t paperWarm = 0;
    std::uint32_t ink = 0;
    std::uint32_t rule = 0;
    std::uint32_t muted = 0;
    std::uint32_t accentOnDark = 0;
    std::uint32_t accentOnLight = 0;
    std::uint32_t surfaceDark = 0;
    std::uint32_t fieldDark = 0;
    std::uint32_t hairlineDark = 0;
    std::uint32_t textPrimaryDark = 0;
    std::uint32_t textSecondaryDark = 0;
    std::uint32_t positiveLight = 0;
    std::uint32_t positiveDark = 0;
    std::uint32_t negativeLight = 0;
    std::uint32_t negativeDark = 0;
    std::uint32_t chartPrimaryLight = 0;
    std::uint32_t chartPrimaryDark = 0;
    std::uint32_t chartAccentLight = 0;
    std::uint32_t chartAccentDark = 0;
    bool isHouseTheme = false;

    // The three themes in picker order; the first is the house theme.
    static const std::vector<Theme> &all();
    static const Theme &house();
    // Exact, case-sensitive match on id; anything else gives the house theme.
    static const Theme &named(const QString &id);

    bool operator==(const Theme &) const = default;
};

} // namespace brolga

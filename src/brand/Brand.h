#pragma once

#include "brand/Theme.h"

#include <QColor>
#include <QLinearGradient>
#include <QRectF>

#include <cstdint>
#include <optional>

namespace brolga {

enum class Appearance { light, dark };

// Every colour a view paints. Each accessor reads the current theme and the appearance in effect at the
// moment it is called, so call them while painting or refreshing, never cache the result.
class Brand {
public:
    // The system's light or dark appearance, unless forced (tests and the report tool force one).
    static Appearance appearance();
    static void forceAppearance(std::optional<Appearance> appearance);
    // The forced appearance, absent when the system's is followed; lets a caller restore what it found.
    static std::optional<Appearance> forcedAppearance();
    static bool isDark() { return appearance() == Appearance::dark; }

    static QColor rgb(std::uint32_t rgb);
    // The light colour, or the dark one when the dark appearance is in effect.
    static QColor dynamic(std::uint32_t light, std::uint32_t dark);

    static QColor accent();
    static QColor canvas();
    static QColor field();
    static QColor hairline();
    static QColor textPrimary();
    static QColor textSecondary();
    static QColor good();
    static QColor bad();
    static QColor chartPrimary();
    static QColor chartAccent();

    // Top-leading darkLift to bottom-trailing dark, across `rect`.
    static QLinearGradient navyField(const QRectF &rect);
    // Fixed green or red grounds for a verdict, whatever the theme.
    static QLinearGradient verdictField(bool positive, const QRectF &rect);
    // Absent: the theme's accent on dark; true: a fixed green; false: a fixed red.
    static QColor heroAccent(std::optional<bool> positive = std::nullopt);

    static const Theme &theme() { return ThemeRuntime::current(); }
};

} // namespace brolga

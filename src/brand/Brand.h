#pragma once

#include "brand/Theme.h"
#include "brand/ThemePalette.h"

#include <QColor>
#include <QLinearGradient>
#include <QPalette>
#include <QRectF>

#include <cstdint>
#include <optional>

namespace brolga {

// Every colour a view paints, read from the palette it paints with (a widget's palette(), which its window
// got from ThemePalette): the roles for the colours that have one, the palette's theme and appearance for
// the rest. Call them while painting or refreshing, never cache the result.
class Brand {
public:
    // The system's light or dark appearance: what a window that follows the system gets.
    static Appearance appearance();

    static QColor rgb(std::uint32_t rgb);

    static const Theme &theme(const QPalette &palette) { return ThemePalette::themeOf(palette); }
    static bool isDark(const QPalette &palette) { return ThemePalette::appearanceOf(palette) == Appearance::dark; }
    // The light colour, or the dark one when the palette is dark.
    static QColor dynamic(const QPalette &palette, std::uint32_t light, std::uint32_t dark);

    static QColor accent(const QPalette &palette);
    static QColor canvas(const QPalette &palette);
    static QColor field(const QPalette &palette);
    static QColor surface(const QPalette &palette);
    static QColor hairline(const QPalette &palette);
    static QColor textPrimary(const QPalette &palette);
    static QColor textSecondary(const QPalette &palette);
    static QColor good(const QPalette &palette);
    static QColor bad(const QPalette &palette);
    static QColor chartPrimary(const QPalette &palette);
    static QColor chartAccent(const QPalette &palette);

    // Top-leading darkLift to bottom-trailing dark, across `rect`.
    static QLinearGradient navyField(const QPalette &palette, const QRectF &rect);
    // Fixed green or red grounds for a verdict, whatever the theme.
    static QLinearGradient verdictField(bool positive, const QRectF &rect);
    // Absent: the theme's accent on dark; true: a fixed green; false: a fixed red.
    static QColor heroAccent(const QPalette &palette, std::optional<bool> positive = std::nullopt);
};

} // namespace brolga

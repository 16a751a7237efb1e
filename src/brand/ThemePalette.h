#pragma once

#include "brand/Theme.h"

#include <QPalette>

class QEvent;
class QWidget;

namespace brolga {

enum class Appearance { light, dark };

// The palette a theme gives a window in one appearance. Our colours sit on the roles that mean them:
//   canvas: Window          text primary: WindowText, Text, ButtonText
//   field: Base             text secondary: PlaceholderText
//   card surface: AlternateBase   hairline: Mid
//   accent: Highlight, Link
// Only these roles are set; the rest stay the system's. A palette carries its theme and appearance in its
// Link colour, so the colours with no role (good, bad, the chart's, the theme's fixed navy) are looked up
// from the palette too (see Brand).
class ThemePalette {
public:
    static QPalette make(const Theme &theme, Appearance appearance);

    // Which theme and appearance made `palette`. Any other palette (a widget outside a themed window) reads
    // as the house theme, in the appearance its window colour suggests.
    static const Theme &themeOf(const QPalette &palette);
    static Appearance appearanceOf(const QPalette &palette);
    static bool isThemed(const QPalette &palette);

    // The events after which a themed window makes its palette again: the system's palette or theme changed,
    // or something set another palette on it. Setting the palette it already has does nothing, so answering
    // our own change ends there.
    static bool isPaletteEvent(const QEvent *event);

};

} // namespace brolga

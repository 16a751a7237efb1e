#include "brand/ThemePalette.h"

#include <QEvent>

namespace brolga {

namespace {

QColor rgb(std::uint32_t value)
{
    return QColor::fromRgb((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

struct Identity {
    const Theme *theme = nullptr;
    Appearance appearance = Appearance::light;
};

// The theme and appearance whose accent is the palette's Link; the window colour decides between two themes
// that share an accent.
Identity identify(const QPalette &palette)
{
    const QRgb link = palette.color(QPalette::Link).rgba();
    const QRgb window = palette.color(QPalette::Window).rgba();
    Identity found;
    for (const Theme &theme : Theme::all()) {
        for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
            const bool dark = appearance == Appearance::dark;
            if (rgb(dark ? theme.accentOnDark : theme.accentOnLight).rgba() != link)
                continue;
            if (rgb(dark ? theme.dark : theme.paper).rgba() == window)
                return {&theme, appearance};
            if (!found.theme)
                found = {&theme, appearance};
        }
    }
    return found;
}

} // namespace

QPalette ThemePalette::make(const Theme &theme, Appearance appearance)
{
    const bool dark = appearance == Appearance::dark;
    const auto pick = [dark](std::uint32_t light, std::uint32_t darkValue) { return rgb(dark ? darkValue : light); };
    const QColor text = pick(theme.ink, theme.textPrimaryDark);
    const QColor accent = pick(theme.accentOnLight, theme.accentOnDark);
    QPalette palette;
    // Every colour group alike: our controls look the same in an inactive window and when disabled.
    palette.setColor(QPalette::Window, pick(theme.paper, theme.dark));
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, pick(theme.paper, theme.fieldDark));
    palette.setColor(QPalette::AlternateBase, pick(0xFFFFFF, theme.surfaceDark));
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::PlaceholderText, pick(theme.muted, theme.textSecondaryDark));
    palette.setColor(QPalette::Mid, pick(theme.rule, theme.hairlineDark));
    palette.setColor(QPalette::Highlight, accent);
    palette.setColor(QPalette::Link, accent);
    // But for the platform's push buttons, whose text is all that shows they cannot be pressed now.
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, pick(theme.muted, theme.textSecondaryDark));
    return palette;
}

bool ThemePalette::isThemed(const QPalette &palette)
{
    return identify(palette).theme != nullptr;
}

const Theme &ThemePalette::themeOf(const QPalette &palette)
{
    const Identity found = identify(palette);
    return found.theme ? *found.theme : Theme::house();
}

Appearance ThemePalette::appearanceOf(const QPalette &palette)
{
    const Identity found = identify(palette);
    if (found.theme)
        return found.appearance;
    return palette.color(QPalette::Window).lightness() < 128 ? Appearance::dark : Appearance::light;
}


bool ThemePalette::isPaletteEvent(const QEvent *event)
{
    return event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::PaletteChange ||
           event->type() == QEvent::ThemeChange;
}

} // namespace brolga

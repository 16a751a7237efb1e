#include "brand/Brand.h"

#include <QGuiApplication>
#include <QStyleHints>

namespace brolga {

namespace {

QLinearGradient diagonal(const QRectF &rect, const QColor &from, const QColor &to)
{
    QLinearGradient g(rect.topLeft(), rect.bottomRight());
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    return g;
}

// A role of a themed palette; outside a themed window, the house theme's in the palette's appearance.
QColor role(const QPalette &palette, QPalette::ColorRole role)
{
    if (ThemePalette::isThemed(palette))
        return palette.color(role);
    static const QPalette light = ThemePalette::make(Theme::house(), Appearance::light);
    static const QPalette dark = ThemePalette::make(Theme::house(), Appearance::dark);
    return (ThemePalette::appearanceOf(palette) == Appearance::dark ? dark : light).color(role);
}

} // namespace

Appearance Brand::appearance()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    if (auto *hints = QGuiApplication::styleHints()) {
        switch (hints->colorScheme()) {
        case Qt::ColorScheme::Dark: return Appearance::dark;
        case Qt::ColorScheme::Light: return Appearance::light;
        default: break;
        }
    }
#endif
    // Older Qt: judge by the lightness of the window colour of the platform palette.
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr)
        return Appearance::light;
    const QColor window = QGuiApplication::palette().color(QPalette::Window);
    return window.lightness() < 128 ? Appearance::dark : Appearance::light;
}

QColor Brand::rgb(std::uint32_t value)
{
    return QColor::fromRgb((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

QColor Brand::dynamic(const QPalette &palette, std::uint32_t light, std::uint32_t dark)
{
    return rgb(isDark(palette) ? dark : light);
}

QColor Brand::accent(const QPalette &palette) { return role(palette, QPalette::Highlight); }
QColor Brand::canvas(const QPalette &palette) { return role(palette, QPalette::Window); }
QColor Brand::field(const QPalette &palette) { return role(palette, QPalette::Base); }
QColor Brand::surface(const QPalette &palette) { return role(palette, QPalette::AlternateBase); }
QColor Brand::hairline(const QPalette &palette) { return role(palette, QPalette::Mid); }
QColor Brand::textPrimary(const QPalette &palette) { return role(palette, QPalette::WindowText); }
QColor Brand::textSecondary(const QPalette &palette) { return role(palette, QPalette::PlaceholderText); }

// No role means these: the palette's theme and appearance pick them.
QColor Brand::good(const QPalette &palette)
{
    return dynamic(palette, theme(palette).positiveLight, theme(palette).positiveDark);
}
QColor Brand::bad(const QPalette &palette)
{
    return dynamic(palette, theme(palette).negativeLight, theme(palette).negativeDark);
}
QColor Brand::chartPrimary(const QPalette &palette)
{
    return dynamic(palette, theme(palette).chartPrimaryLight, theme(palette).chartPrimaryDark);
}
QColor Brand::chartAccent(const QPalette &palette)
{
    return dynamic(palette, theme(palette).chartAccentLight, theme(palette).chartAccentDark);
}

QLinearGradient Brand::navyField(const QPalette &palette, const QRectF &rect)
{
    return diagonal(rect, rgb(theme(palette).darkLift), rgb(theme(palette).dark));
}

QLinearGradient Brand::verdictField(bool positive, const QRectF &rect)
{
    return positive ? diagonal(rect, rgb(0x14402C), rgb(0x0B2A1D)) : diagonal(rect, rgb(0x4A1A16), rgb(0x2A0E0C));
}

QColor Brand::heroAccent(const QPalette &palette, std::optional<bool> positive)
{
    if (!positive)
        return rgb(theme(palette).accentOnDark);
    return rgb(*positive ? 0x5FD79A : 0xF0857A);
}

} // namespace brolga

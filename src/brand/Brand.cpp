#include "brand/Brand.h"

#include <QGuiApplication>
#include <QPalette>
#include <QStyleHints>

namespace brolga {

namespace {
std::optional<Appearance> forced;

QLinearGradient diagonal(const QRectF &rect, const QColor &from, const QColor &to)
{
    QLinearGradient g(rect.topLeft(), rect.bottomRight());
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    return g;
}
} // namespace

Appearance Brand::appearance()
{
    if (forced)
        return *forced;
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

void Brand::forceAppearance(std::optional<Appearance> appearance) { forced = appearance; }

std::optional<Appearance> Brand::forcedAppearance() { return forced; }

QColor Brand::rgb(std::uint32_t value)
{
    return QColor::fromRgb((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

QColor Brand::dynamic(std::uint32_t light, std::uint32_t dark) { return rgb(isDark() ? dark : light); }

QColor Brand::accent() { return dynamic(theme().accentOnLight, theme().accentOnDark); }
QColor Brand::canvas() { return dynamic(theme().paper, theme().dark); }
QColor Brand::field() { return dynamic(theme().paper, theme().fieldDark); }
QColor Brand::hairline() { return dynamic(theme().rule, theme().hairlineDark); }
QColor Brand::textPrimary() { return dynamic(theme().ink, theme().textPrimaryDark); }
QColor Brand::textSecondary() { return dynamic(theme().muted, theme().textSecondaryDark); }
QColor Brand::good() { return dynamic(theme().positiveLight, theme().positiveDark); }
QColor Brand::bad() { return dynamic(theme().negativeLight, theme().negativeDark); }
QColor Brand::chartPrimary() { return dynamic(theme().chartPrimaryLight, theme().chartPrimaryDark); }
QColor Brand::chartAccent() { return dynamic(theme().chartAccentLight, theme().chartAccentDark); }

QLinearGradient Brand::navyField(const QRectF &rect)
{
    return diagonal(rect, rgb(theme().darkLift), rgb(theme().dark));
}

QLinearGradient Brand::verdictField(bool positive, const QRectF &rect)
{
    return positive ? diagonal(rect, rgb(0x14402C), rgb(0x0B2A1D)) : diagonal(rect, rgb(0x4A1A16), rgb(0x2A0E0C));
}

QColor Brand::heroAccent(std::optional<bool> positive)
{
    if (!positive)
        return rgb(theme().accentOnDark);
    return rgb(*positive ? 0x5FD79A : 0xF0857A);
}

} // namespace brolga

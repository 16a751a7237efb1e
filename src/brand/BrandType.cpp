#include "brand/BrandType.h"

#include "brand/BrandResources.h"

#include <QDir>
#include <QFontDatabase>

#include <algorithm>

namespace brolga {

namespace {
bool registered = false;

const QString interFamily = QStringLiteral("Inter");
const QString playfairFamily = QStringLiteral("Playfair Display");

QFont::Weight qtWeight(FontWeight w) { return static_cast<QFont::Weight>(BrandType::axisValue(w)); }

// Qt lays text out at whole pixel sizes whatever the request, so 8.5 becomes 9; rounding up keeps the
// small print legible. Pixels rather than points keep a 12 the same height on every platform's DPI.
void setLogicalPixelSize(QFont &font, qreal pixels) { font.setPixelSize(std::max(qRound(pixels), 1)); }

bool familyAvailable(const QString &family)
{
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
void setAxis(QFont &font, const char (&tag)[5], qreal value) { font.setVariableAxis(QFont::Tag(tag), float(value)); }
#endif
} // namespace

void BrandType::registerFonts()
{
    if (registered)
        return;
    BrandResources::ensureLoaded();
    const QDir dir(QStringLiteral(":/fonts"));
    const auto files = dir.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        QFontDatabase::addApplicationFont(dir.filePath(file)); // a file that fails to load is skipped
    registered = familyAvailable(interFamily) && familyAvailable(playfairFamily);
}

bool BrandType::isRegistered() { return registered; }

QFont BrandType::sans(qreal size, FontWeight weight)
{
    QFont f;
    if (registered) {
        f.setFamilies({interFamily});
        f.setStyleHint(QFont::SansSerif);
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
        setAxis(f, "wght", axisValue(weight));
        setAxis(f, "opsz", opticalSize(size));
#endif
    }
    setLogicalPixelSize(f, size);
    f.setWeight(qtWeight(weight));
    return f;
}

QFont BrandType::serif(qreal size, FontWeight weight)
{
    QFont f;
    if (registered) {
        f.setFamilies({playfairFamily});
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
        setAxis(f, "wght", axisValue(weight));
#endif
    } else {
        // "serif" is fontconfig's alias; elsewhere the style hint picks the system's serif face.
        f.setFamilies({QStringLiteral("serif")});
    }
    f.setStyleHint(QFont::Serif);
    setLogicalPixelSize(f, size);
    f.setWeight(qtWeight(weight));
    return f;
}

int BrandType::axisValue(FontWeight weight)
{
    switch (weight) {
    case FontWeight::ultraLight: return 100;
    case FontWeight::thin: return 200;
    case FontWeight::light: return 300;
    case FontWeight::regular: return 400;
    case FontWeight::medium: return 500;
    case FontWeight::semibold: return 600;
    case FontWeight::bold: return 700;
    case FontWeight::heavy: return 800;
    case FontWeight::black: return 900;
    }
    return 400;
}

qreal BrandType::opticalSize(qreal size) { return std::clamp(size, 14.0, 32.0); }

} // namespace brolga

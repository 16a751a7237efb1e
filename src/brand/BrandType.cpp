#include "brand/BrandType.h"

#include <algorithm>

namespace brolga {

namespace {
bool registered = false;

QFont::Weight qtWeight(FontWeight w) { return static_cast<QFont::Weight>(BrandType::axisValue(w)); }
} // namespace

// Placeholder until the shipped fonts are wired in: system faces only.
void BrandType::registerFonts() {}
bool BrandType::isRegistered() { return registered; }

QFont BrandType::sans(qreal size, FontWeight weight)
{
    QFont f;
    f.setPixelSize(qRound(size));
    f.setWeight(qtWeight(weight));
    return f;
}

QFont BrandType::serif(qreal size, FontWeight weight)
{
    QFont f(QStringLiteral("serif"));
    f.setStyleHint(QFont::Serif);
    f.setPixelSize(qRound(size));
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

#pragma once

#include <QFont>

namespace brolga {

enum class FontWeight { ultraLight, thin, light, regular, medium, semibold, bold, heavy, black };

// The two brand faces, Inter (sans) and Playfair Display (serif), with system fallbacks of the same size
// and weight. Sizes are logical pixels; Qt sets text at whole pixels, so a fraction is rounded (8.5 → 9).
class BrandType {
public:
    // Loads the fonts shipped under ":/fonts/" once (`register` is a C++ keyword). Call after the
    // QGuiApplication exists. Until it has succeeded every face is the system's.
    static void registerFonts();
    static bool isRegistered();

    static QFont sans(qreal size, FontWeight weight = FontWeight::regular);
    static QFont serif(qreal size, FontWeight weight = FontWeight::regular);

    // The "wght" axis value of a weight: 100 to 900.
    static int axisValue(FontWeight weight);
    // Inter's optical size for a point size: the size held to 14...32.
    static qreal opticalSize(qreal size);
};

} // namespace brolga

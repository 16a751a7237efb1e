#pragma once

#include "core/ScreenChoices.h"

#include <QImage>
#include <QString>

#include <optional>

namespace brolga {
class CalculatorStore;
struct Theme;
}

namespace brolga::CardOutput {

struct Logo {
    std::optional<QImage> image;
    QString error; // one line, set when the file cannot be used
};

// A logo file checked as the app checks an import (size, decoding under the limit, long edge), read only:
// the user's saved logo is never touched.
Logo readLogo(const QString &path);

// The export card of `tab` in `theme` as a PNG at `path`; an empty string on success, else one line.
QString writeCard(const CalculatorStore &store, CalculatorTab tab, const Theme &theme,
                  const std::optional<QImage> &logo, const QString &path);

} // namespace brolga::CardOutput

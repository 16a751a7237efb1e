#pragma once

#include "core/ScreenChoices.h"

#include <QImage>
#include <QString>

namespace brolga {
class CalculatorStore;
struct Theme;
}

namespace brolga::ScreenOutput {

// The screen of `tab` as the window shows it: 470 wide with 12 of padding, its full height, at scale 2, in the
// given theme and appearance.
QImage render(CalculatorStore &store, CalculatorTab tab, const Theme &theme, bool dark);

// The same as a PNG at `path`; an empty string on success, else one line.
QString writeScreen(CalculatorStore &store, CalculatorTab tab, const Theme &theme, bool dark, const QString &path);

// The pop-up a date field opens, on the record's period end (else today), at scale 2, as a PNG at `path`.
QString writeCalendar(CalculatorStore &store, const Theme &theme, bool dark, const QString &path);

} // namespace brolga::ScreenOutput

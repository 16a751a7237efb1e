#pragma once

#include "core/ScreenChoices.h"

#include <QDateTime>
#include <QString>

namespace brolga {
class CalculatorStore;
}

namespace brolga::TextExporter {

// Values of consecutive rows end in this column when label and value leave room for the dots.
inline constexpr int rowWidth = 46;

// "Loan amount ......................... $600,000": label, a space, full stops, a space, value, padded to
// rowWidth user-perceived characters; a pair too long for that keeps a single full stop.
QString row(const QString &label, const QString &value);

// The plain-text summary of one tab: title, broker identity, date, figures, disclaimer and credit, one line per
// line feed and none after the last line. `now` gives the date line.
QString summary(const CalculatorStore &store, CalculatorTab tab, const QDateTime &now);
// The summary of the store's active tab.
QString summary(const CalculatorStore &store, const QDateTime &now);

} // namespace brolga::TextExporter

#pragma once

#include "core/ScreenChoices.h"

#include <QDate>
#include <QDateTime>
#include <QString>

namespace brolga::Format {

// Australian dollars: "$1,234.50", "-$1,500"; half-to-even rounding; "—" for a figure that is not finite.
QString money(double value, int decimals);
// Fixed decimals and a percent sign, no grouping: "6.09%".
QString percent(double value, int decimals);
// Compact axis labels: "$650k", "$1.5m".
QString shortMoney(double value);
// A count of periods as years and months: "28 yrs 11 mths".
QString duration(int periods, PaymentFrequency frequency);
// "5 Dec 2026" in English whatever the system locale.
QString stamp(const QDate &date);
QString stamp(const QDateTime &dateTime);

} // namespace brolga::Format

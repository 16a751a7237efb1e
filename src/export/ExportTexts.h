#pragma once

namespace brolga::ExportTexts {

// The closing lines of the copied text. The short disclaimer is the same sentence as the footer's.
inline constexpr char16_t shortDisclaimer[] =
    u"Estimate only \u2014 general information, not credit assistance or personal financial advice.";
inline constexpr char16_t creditLine[] = u"Brolga \u00B7 A Saltbush Production";

} // namespace brolga::ExportTexts

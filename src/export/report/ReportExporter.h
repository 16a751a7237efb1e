#pragma once

#include "core/ScreenChoices.h"

#include <QDateTime>
#include <QImage>
#include <QString>

#include <optional>
#include <vector>

namespace brolga {
class CalculatorStore;
}

namespace brolga::ReportExporter {

inline constexpr char16_t savedPrefix[] = u"Report saved: ";
inline constexpr char16_t saveFailedPrefix[] = u"Report not saved: ";

// The client report of `tabs`, in the current theme with the broker's logo when one is set,
// saved where the user picks in a save dialog that proposes fileName() in the Desktop (else home) folder,
// numbered ("… (2).pdf") when that name is taken.
// The outcome is reported through the store's toast; a cancelled dialog reports nothing.
void exportWithPanel(CalculatorStore &store, const std::optional<QImage> &logo, const std::vector<CalculatorTab> &tabs);

// "Brolga-Report-Jane Citizen-2026-12-05.pdf" for a client, else "Brolga-Report-Repayment-2026-12-05.pdf" for
// the active tab. Characters a file name cannot hold on some system are left out of the client's name.
QString fileName(const CalculatorStore &store, const QDateTime &now);

} // namespace brolga::ReportExporter

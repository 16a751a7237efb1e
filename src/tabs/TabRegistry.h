#pragma once

#include "core/ScreenChoices.h"
#include "tabs/TabFigures.h"

#include <QString>

#include <array>
#include <cstddef>

namespace brolga {

class CalculatorStore;

// What is known of one tab, wherever the tab is named, listed or described.
struct TabInfo {
    CalculatorTab id;
    QString title;   // on the tab picker and in an export's file name: "Repayment"
    QString heading; // on the export card, and in capitals atop the copied text: "Loan repayment estimate"
    TabFigures (*figures)(const CalculatorStore &store);

    // The raw string the record stores the tab as; the report tool takes the same name.
    QString storedName() const { return rawValue(id); }
};

namespace TabRegistry {

inline constexpr std::size_t count = EnumCases<CalculatorTab>::list.size();

// Every tab in picker order.
const std::array<TabInfo, count> &tabs();
const TabInfo &info(CalculatorTab tab);
// The stored names in order, joined for a message: "repayment, capacity, income or upfront".
QString storedNames(const QString &last = QStringLiteral(" or "));

} // namespace TabRegistry

} // namespace brolga

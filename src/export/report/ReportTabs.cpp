#include "export/report/ReportTabs.h"

#include "core/CalcInputs.h"
#include "tabs/TabRegistry.h"

#include <QStringList>

#include <algorithm>

namespace brolga {

bool ReportTabs::touched(const CalculatorState &s, CalculatorTab tab)
{
    const CalculatorState d;
    switch (tab) {
    case CalculatorTab::repayment:
        return CalcInputs::loan(s) != CalcInputs::loan(d) || s.isCompareMode != d.isCompareMode;
    case CalculatorTab::capacity: {
        // The rate is the Repayment tab's; Capacity only tests it with its buffer.
        CapacityInputs mine = CalcInputs::capacity(s);
        mine.interestRatePercent = d.interestRate;
        return mine != CalcInputs::capacity(d);
    }
    case CalculatorTab::income: return CalcInputs::income(s) != CalcInputs::income(d);
    case CalculatorTab::upfront: return CalcInputs::purchase(s) != CalcInputs::purchase(d);
    }
    return false;
}

std::vector<CalculatorTab> ReportTabs::suggested(const CalculatorState &state)
{
    std::vector<CalculatorTab> tabs;
    for (const TabInfo &info : TabRegistry::tabs())
        if (info.id == state.activeTab || touched(state, info.id))
            tabs.push_back(info.id);
    return tabs;
}

QString ReportTabs::stored(const std::vector<CalculatorTab> &tabs)
{
    QStringList names;
    for (CalculatorTab tab : tabs)
        names << rawValue(tab);
    return names.join(u',');
}

std::vector<CalculatorTab> ReportTabs::fromStored(const QString &text)
{
    std::vector<CalculatorTab> tabs;
    const QStringList names = text.split(u',');
    for (const TabInfo &info : TabRegistry::tabs())
        if (names.contains(info.storedName()))
            tabs.push_back(info.id);
    return tabs;
}

} // namespace brolga

#include "tabs/TabRegistry.h"

#include "tabs/CapacityFigures.h"
#include "tabs/IncomeFigures.h"
#include "tabs/RepaymentFigures.h"
#include "tabs/UpfrontFigures.h"

#include <QStringList>

namespace brolga::TabRegistry {

const std::array<TabInfo, count> &tabs()
{
    static const std::array<TabInfo, count> list{{
        {CalculatorTab::repayment, QStringLiteral("Repayment"), QStringLiteral("Loan repayment estimate"),
         &RepaymentFigures::build},
        {CalculatorTab::capacity, QStringLiteral("Capacity"), QStringLiteral("Borrowing capacity estimate"),
         &CapacityFigures::build},
        {CalculatorTab::income, QStringLiteral("Income"), QStringLiteral("Income assessment"), &IncomeFigures::build},
        {CalculatorTab::upfront, QStringLiteral("Upfront"), QStringLiteral("Purchase costs estimate"),
         &UpfrontFigures::build},
    }};
    return list;
}

const TabInfo &info(CalculatorTab tab)
{
    for (const TabInfo &t : tabs())
        if (t.id == tab)
            return t;
    // Every case is listed (the root view test walks them in order); a value outside the enumeration gets the
    // first tab.
    return tabs().front();
}

QString storedNames(const QString &last)
{
    QStringList names;
    for (const TabInfo &t : tabs())
        names << t.storedName();
    const QString tail = names.takeLast();
    return names.join(QStringLiteral(", ")) + last + tail;
}

} // namespace brolga::TabRegistry

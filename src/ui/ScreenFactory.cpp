#include "ui/ScreenFactory.h"

#include "tabs/TabRegistry.h"
#include "ui/CapacityView.h"
#include "ui/IncomeView.h"
#include "ui/RepaymentView.h"
#include "ui/UpfrontView.h"

#include <array>
#include <utility>

namespace brolga::ScreenFactory {

namespace {

using Maker = QWidget *(*)(CalculatorStore &, QWidget *);

template <class View> QWidget *makeView(CalculatorStore &store, QWidget *parent)
{
    return new View(store, parent);
}

constexpr std::array<std::pair<CalculatorTab, Maker>, 4> makers{{
    {CalculatorTab::repayment, &makeView<RepaymentView>},
    {CalculatorTab::capacity, &makeView<CapacityView>},
    {CalculatorTab::income, &makeView<IncomeView>},
    {CalculatorTab::upfront, &makeView<UpfrontView>},
}};
static_assert(makers.size() == TabRegistry::count, "every registered tab needs a screen");

} // namespace

QWidget *make(CalculatorTab tab, CalculatorStore &store, QWidget *parent)
{
    for (const auto &[id, maker] : makers)
        if (id == tab)
            return maker(store, parent);
    return nullptr;
}

} // namespace brolga::ScreenFactory

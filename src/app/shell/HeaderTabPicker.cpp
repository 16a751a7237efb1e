#include "app/shell/HeaderTabPicker.h"

#include "core/CalculatorStore.h"
#include "tabs/TabRegistry.h"

namespace brolga {

namespace {
QList<PillPicker::Option> tabOptions()
{
    QList<PillPicker::Option> list;
    for (const TabInfo &tab : TabRegistry::tabs())
        list.append({tab.title, QVariant::fromValue(static_cast<int>(tab.id))});
    return list;
}
} // namespace

HeaderTabPicker::HeaderTabPicker(CalculatorStore &store, QWidget *parent)
    : PillPicker(
          tabOptions(), [&store] { return QVariant::fromValue(static_cast<int>(store.state().activeTab)); },
          [&store](const QVariant &v) {
              store.edit([&](CalculatorState &s) { s.activeTab = static_cast<CalculatorTab>(v.toInt()); });
          },
          std::nullopt, parent)
{
    connect(&store, &CalculatorStore::stateChanged, this, &PillPicker::refresh);
}

} // namespace brolga

#include "app/HeaderTabPicker.h"

#include "brand/Brand.h"
#include "core/CalculatorStore.h"

namespace brolga {

namespace {
QList<PillPicker::Option> tabOptions()
{
    QList<PillPicker::Option> list;
    for (const auto &[label, tab] : HeaderTabPicker::tabs())
        list.append({label, QVariant::fromValue(static_cast<int>(tab))});
    return list;
}
} // namespace

const QList<std::pair<QString, CalculatorTab>> &HeaderTabPicker::tabs()
{
    static const QList<std::pair<QString, CalculatorTab>> list{
        {QStringLiteral("Repayment"), CalculatorTab::repayment},
        {QStringLiteral("Capacity"), CalculatorTab::capacity},
        {QStringLiteral("Income"), CalculatorTab::income},
        {QStringLiteral("Upfront"), CalculatorTab::upfront},
    };
    return list;
}

HeaderTabPicker::HeaderTabPicker(CalculatorStore &store, QWidget *parent)
    : PillPicker(
          tabOptions(), [&store] { return QVariant::fromValue(static_cast<int>(store.state().activeTab)); },
          [&store](const QVariant &v) {
              store.edit([&](CalculatorState &s) { s.activeTab = static_cast<CalculatorTab>(v.toInt()); });
          },
          std::nullopt, parent)
{
    setTabList(true);
    connect(&store, &CalculatorStore::stateChanged, this, &PillPicker::refresh);
}

void HeaderTabPicker::paintEvent(QPaintEvent *event)
{
    const std::optional<Appearance> found = Brand::forcedAppearance();
    Brand::forceAppearance(Appearance::dark);
    PillPicker::paintEvent(event);
    Brand::forceAppearance(found);
}

} // namespace brolga

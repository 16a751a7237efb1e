#include "ui/binding/StoreBinding.h"

#include "core/StateHistory.h"

#include "ui/buttons/BrandCheckBox.h"
#include "ui/buttons/ToggleSwitch.h"
#include "ui/controls/BrandDateField.h"

namespace brolga {

NumericField *StoreBinding::field(CalculatorStore &store, double CalculatorState::*member, NumericField::Config config,
                                  QWidget *parent)
{
    return follow(store, new NumericField(
                             std::move(config), [&store, member] { return store.state().*member; },
                             [&store, member](double v) {
                                 store.edit([&](CalculatorState &s) { s.*member = v; }, run(store, member));
                             },
                             parent));
}

NumericField *StoreBinding::follow(CalculatorStore &store, NumericField *field)
{
    QObject::connect(&store, &CalculatorStore::stateChanged, field, &NumericField::refresh);
    QObject::connect(field, &NumericField::committed, &store.history(), &StateHistory::endRun);
    QObject::connect(&store, &CalculatorStore::restored, field, &NumericField::discardTyping);
    return field;
}

BrandCheckBox *StoreBinding::checkBox(CalculatorStore &store, bool CalculatorState::*member, const QString &text,
                                      QWidget *parent)
{
    return follow(store,
                  new BrandCheckBox(
                      text, [&store, member] { return store.state().*member; },
                      [&store, member](bool on) { store.edit([&](CalculatorState &s) { s.*member = on; }); }, parent));
}

ToggleSwitch *StoreBinding::toggleSwitch(CalculatorStore &store, bool CalculatorState::*member,
                                         const QString &accessibleName, QWidget *parent)
{
    auto *toggle = new ToggleSwitch(parent);
    toggle->setAccessibleName(accessibleName);
    const auto show = [&store, member, toggle] { toggle->setCheckedQuietly(store.state().*member); };
    show();
    QObject::connect(&store, &CalculatorStore::stateChanged, toggle, show);
    QObject::connect(toggle, &QAbstractButton::toggled, toggle,
                     [&store, member](bool on) { store.edit([&](CalculatorState &s) { s.*member = on; }); });
    return toggle;
}

BrandDateField *StoreBinding::dateField(CalculatorStore &store, std::optional<QDateTime> CalculatorState::*member,
                                        std::function<QDate()> fallback, const QString &label, QWidget *parent)
{
    return follow(store, new BrandDateField(
                             label,
                             [&store, member, fallback = std::move(fallback)] {
                                 const auto &stored = store.state().*member;
                                 return stored ? stored->date() : fallback();
                             },
                             [&store, member](const QDate &day) {
                                 store.edit([&](CalculatorState &s) {
                                     auto &stored = s.*member;
                                     if (stored)
                                         stored->setDate(day);
                                     else
                                         stored = day.startOfDay();
                                 });
                             },
                             parent));
}

} // namespace brolga

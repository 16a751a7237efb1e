#pragma once

#include "core/CalculatorStore.h"
#include "ui/controls/NumericField.h"
#include "ui/controls/PillPicker.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

namespace brolga {

class ToggleSwitch;

class BrandCheckBox;
class BrandDateField;

// The shared controls over members of the store's record. The controls read and write through a getter and
// a setter and know nothing of the store; each control made here reads its member, writes it through
// store.edit and follows every change of the record (a number field keeps the text being typed in it).
class StoreBinding {
public:
    StoreBinding() = delete;

    static NumericField *field(CalculatorStore &store, double CalculatorState::*member, NumericField::Config config,
                               QWidget *parent = nullptr);

    static BrandCheckBox *checkBox(CalculatorStore &store, bool CalculatorState::*member, const QString &text,
                                   QWidget *parent = nullptr);
    // A card's switch, named for readers; it acts on toggled, so a reader's Toggle counts as a click does.
    static ToggleSwitch *toggleSwitch(CalculatorStore &store, bool CalculatorState::*member,
                                      const QString &accessibleName, QWidget *parent = nullptr);

    // An optional date: shows `fallback()` while the member is absent and stores the day picked, keeping the
    // time of day already stored, else the start of the day.
    static BrandDateField *dateField(CalculatorStore &store, std::optional<QDateTime> CalculatorState::*member,
                                     std::function<QDate()> fallback, const QString &label, QWidget *parent = nullptr);

    // An enumeration member, one pill per option; only ever writes one of them.
    template <class E>
    static PillPicker *picker(CalculatorStore &store, E CalculatorState::*member,
                              const QList<std::pair<QString, E>> &options, std::optional<int> perRow = std::nullopt,
                              QWidget *parent = nullptr)
    {
        return picker<E>(
            store, member, options, perRow,
            [&store, member](E value) { store.edit([&](CalculatorState &s) { s.*member = value; }); }, parent);
    }
    // The same with its own write of the choice, for a choice that changes other members with it.
    template <class E>
    static PillPicker *picker(CalculatorStore &store, E CalculatorState::*member,
                              const QList<std::pair<QString, E>> &options, std::optional<int> perRow,
                              std::function<void(E)> write, QWidget *parent = nullptr)
    {
        QList<PillPicker::Option> list;
        for (const auto &[label, value] : options)
            list.append({label, QVariant::fromValue(static_cast<int>(value))});
        auto *picker = new PillPicker(
            list, [&store, member] { return QVariant::fromValue(static_cast<int>(store.state().*member)); },
            [write = std::move(write)](const QVariant &v) { write(static_cast<E>(v.toInt())); }, perRow, parent);
        follow(store, picker);
        return picker;
    }

    // A number field made with its own getter and setter: follows the record, its typing is one step of the
    // history while its setter passes run(), and it shows what an undo puts back.
    static NumericField *follow(CalculatorStore &store, NumericField *field);
    // What a field's setter passes to store.edit so its typing is one step: the member it edits.
    template <class T> static const void *run(CalculatorStore &store, T CalculatorState::*member)
    {
        return &(store.state().*member);
    }

    // Any control with a refresh() over the record, made with its own getter and setter: shown afresh on
    // every change of the record.
    template <class Control> static Control *follow(CalculatorStore &store, Control *control)
    {
        QObject::connect(&store, &CalculatorStore::stateChanged, control, &Control::refresh);
        return control;
    }
};

} // namespace brolga

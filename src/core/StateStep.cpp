#include "core/StateStep.h"

#include "core/CalculatorStore.h"
#include "core/StateFields.h"

#include <QSet>

namespace brolga {

namespace {

// Chosen in the settings window or by the window itself, never a figure of the calculation.
const QSet<QString> &keptFields()
{
    static const QSet<QString> kept{
        QStringLiteral("activeTab"),     QStringLiteral("alwaysOnTop"),   QStringLiteral("brokerName"),
        QStringLiteral("brokerCompany"), QStringLiteral("brokerEmail"),   QStringLiteral("brokerPhone"),
        QStringLiteral("brokerLicence"), QStringLiteral("brokerWebsite"), QStringLiteral("updateChecksEnabled")};
    return kept;
}

} // namespace

StateStep::StateStep(CalculatorStore &store, const CalculatorState &before, const CalculatorState &after,
                     QStringList fields, const void *run, bool continues)
    : store_(store), before_(before), after_(after), fields_(std::move(fields)), run_(run), continues_(continues)
{
}

QStringList StateStep::changedFields(const CalculatorState &a, const CalculatorState &b)
{
    QStringList fields;
    forEachStateField([&](const char *key, auto member) {
        if (!(a.*member == b.*member) && !keptFields().contains(QLatin1String(key)))
            fields.append(QLatin1String(key));
    });
    return fields;
}

void StateStep::put(const CalculatorState &values)
{
    CalculatorState state = store_.state();
    forEachStateField([&](const char *key, auto member) {
        if (fields_.contains(QLatin1String(key)))
            state.*member = values.*member;
    });
    store_.restore(state);
}

void StateStep::setAlso(std::function<void()> undo, std::function<void()> redo)
{
    alsoUndo_ = std::move(undo);
    alsoRedo_ = std::move(redo);
}

void StateStep::undo()
{
    put(before_);
    if (alsoUndo_)
        alsoUndo_();
}

void StateStep::redo()
{
    // Pushed after the edit it records was made: nothing to do the first time.
    if (!pushed_) {
        pushed_ = true;
        return;
    }
    put(after_);
    if (alsoRedo_)
        alsoRedo_();
}

bool StateStep::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const StateStep *>(other);
    if (!next->continues_ || next->run_ != run_ || next->fields_ != fields_)
        return false;
    after_ = next->after_;
    // Typed back to where it started: no step at all.
    setObsolete(changedFields(before_, after_).isEmpty());
    return true;
}

} // namespace brolga

#include "core/StateHistory.h"

#include "core/CalculatorStore.h"
#include "core/StateStep.h"

#include <utility>

namespace brolga {

StateHistory::StateHistory(CalculatorStore &store, QObject *parent) : QObject(parent), store_(store)
{
    // A day's work stays in reach; the record is small, but not every keystroke of a week is worth keeping.
    stack_.setUndoLimit(500);
    connect(&store_, &CalculatorStore::edited, this, &StateHistory::record);
    connect(&stack_, &QUndoStack::indexChanged, this, &StateHistory::changed);
}

void StateHistory::record(const CalculatorState &before, const void *run)
{
    const QString name = std::exchange(nextName_, QString());
    auto alsoUndo = std::exchange(nextUndo_, nullptr);
    auto alsoRedo = std::exchange(nextRedo_, nullptr);
    QStringList fields = StateStep::changedFields(before, store_.state());
    lastRecorded_ = !fields.isEmpty();
    if (fields.isEmpty())
        return;
    const bool continues = run && run == run_;
    run_ = run;
    auto *step = new StateStep(store_, before, store_.state(), std::move(fields), run, continues);
    step->setText(name);
    step->setAlso(std::move(alsoUndo), std::move(alsoRedo));
    stack_.push(step);
    // A step merged into the one before it leaves the index where it was.
    Q_EMIT changed();
}

void StateHistory::alsoOnNextStep(std::function<void()> undo, std::function<void()> redo)
{
    nextUndo_ = std::move(undo);
    nextRedo_ = std::move(redo);
}

void StateHistory::undo()
{
    endRun();
    stack_.undo();
}

void StateHistory::redo()
{
    endRun();
    stack_.redo();
}

} // namespace brolga

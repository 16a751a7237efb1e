#pragma once

#include "core/CalculatorState.h"

#include <QStringList>
#include <QUndoCommand>

#include <functional>

namespace brolga {

class CalculatorStore;

// One step of the edit history: the fields one edit changed, as they were before it and after it. Undoing
// puts back only those fields, so a later change to any other field stays.
class StateStep : public QUndoCommand {
public:
    // `run` and `continues`: the step merges into the one before it when both come from the same run of
    // edits (a field being typed into) and the run was not ended in between.
    StateStep(CalculatorStore &store, const CalculatorState &before, const CalculatorState &after, QStringList fields,
              const void *run, bool continues);

    // Run after the record is put back: what else goes back and forth with this step (the open client).
    void setAlso(std::function<void()> undo, std::function<void()> redo);

    void undo() override;
    void redo() override;
    int id() const override { return run_ ? 1 : -1; }
    bool mergeWith(const QUndoCommand *other) override;

    // The fields that differ between two records, leaving out the broker's identity and the window's
    // preferences, which no step of the calculator's history takes back.
    static QStringList changedFields(const CalculatorState &a, const CalculatorState &b);

private:
    void put(const CalculatorState &values);

    CalculatorStore &store_;
    CalculatorState before_;
    CalculatorState after_;
    QStringList fields_;
    const void *run_;
    bool continues_;
    bool pushed_ = false;
    std::function<void()> alsoUndo_;
    std::function<void()> alsoRedo_;
};

} // namespace brolga

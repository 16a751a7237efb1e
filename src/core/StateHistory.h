#pragma once

#include "core/CalculatorState.h"

#include <QObject>
#include <QUndoStack>

#include <functional>

namespace brolga {

class CalculatorStore;

// The calculator's undo and redo: every edit of the store's record that changes a figure, a choice, a date or
// the theme is a step; a run of edits from one field being typed into is one step until the run ends.
class StateHistory : public QObject {
    Q_OBJECT
public:
    explicit StateHistory(CalculatorStore &store, QObject *parent = nullptr);

    QUndoStack &stack() { return stack_; }
    void undo();
    void redo();
    // The run of edits going on (a field's typing) is over: the next edit is a step of its own.
    void endRun() { run_ = nullptr; }
    // Names the step the next edit makes, as the menus say it ("Undo Reset inputs").
    void nameNextStep(const QString &text) { nextName_ = text; }
    // What else the next step's undo and redo do, after the record is put back.
    void alsoOnNextStep(std::function<void()> undo, std::function<void()> redo);
    // The last edit of the record changed something the history keeps: there is a step to undo for it.
    bool lastEditRecorded() const { return lastRecorded_; }

Q_SIGNALS:
    // What can be undone or redone, or its name, changed.
    void changed();

private:
    void record(const CalculatorState &before, const void *run);

    CalculatorStore &store_;
    QUndoStack stack_;
    const void *run_ = nullptr;
    QString nextName_;
    std::function<void()> nextUndo_;
    std::function<void()> nextRedo_;
    bool lastRecorded_ = false;
};

} // namespace brolga

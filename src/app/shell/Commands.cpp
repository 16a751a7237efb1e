#include "app/shell/Commands.h"

#include "core/CalculatorStore.h"
#include "core/StateHistory.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace brolga {

Commands::Commands(CalculatorStore &store, QObject *parent) : QObject(parent)
{
    QAction *pin = make(Id::alwaysOnTop, tr("Always on top"));
    pin->setCheckable(true);
    pin->setChecked(store.state().alwaysOnTop);
    showPinState(pin->isChecked());
    connect(pin, &QAction::toggled, this, &Commands::showPinState);
    // The check follows the record however it changes; a trigger flips the record.
    connect(&store, &CalculatorStore::stateChanged, pin, [pin, &store] { pin->setChecked(store.state().alwaysOnTop); });
    connect(pin, &QAction::triggered, &store,
            [&store] { store.edit([](CalculatorState &s) { s.alwaysOnTop = !s.alwaysOnTop; }); });

    make(Id::exportSnapshot, tr("Export snapshot"), QKeySequence(Qt::CTRL | Qt::Key_E));
    make(Id::copySnapshotOnly, tr("Copy to clipboard only"));
    make(Id::saveSnapshotAs, tr("Save as\u2026"));
    make(Id::exportReport, tr("Export report (PDF)\u2026"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    make(Id::copyFigures, tr("Copy figures as text"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    make(Id::settings, tr("Settings\u2026"), QKeySequence::Preferences, QKeySequence(Qt::CTRL | Qt::Key_Comma));
    make(Id::resetInputs, tr("Reset inputs"));
    make(Id::hide, tr("Hide Brolga"), QKeySequence(Qt::CTRL | Qt::Key_H));
    make(Id::quit, tr("Quit Brolga"), QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q));
    make(Id::undo, tr("Undo"), QKeySequence(QKeySequence::Undo));
    make(Id::redo, tr("Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    make(Id::cut, tr("Cut"), QKeySequence::Cut, QKeySequence(Qt::CTRL | Qt::Key_X));
    make(Id::copy, tr("Copy"), QKeySequence::Copy, QKeySequence(Qt::CTRL | Qt::Key_C));
    make(Id::paste, tr("Paste"), QKeySequence::Paste, QKeySequence(Qt::CTRL | Qt::Key_V));
    make(Id::selectAll, tr("Select All"), QKeySequence::SelectAll, QKeySequence(Qt::CTRL | Qt::Key_A));
    make(Id::minimize, tr("Minimize"), QKeySequence(Qt::CTRL | Qt::Key_M));
    make(Id::close, tr("Close"), QKeySequence::Close, QKeySequence(Qt::CTRL | Qt::Key_W));
    make(Id::saveClientAs, tr("Save as new client\u2026"), QKeySequence::SaveAs,
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    // Named after the open client once there is one; usable only when its figures were changed.
    make(Id::saveClientChanges, tr("Save changes"), QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S))
        ->setEnabled(false);
    make(Id::allClients, tr("All clients\u2026"), QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O));
    make(Id::startNewClientBook, tr("Start a new book"));

    // Undo and Redo name the step they take back or make again, and are off when there is none.
    StateHistory &history = store.history();
    auto showHistory = [this, &history] {
        QUndoStack &stack = history.stack();
        QAction *undo = action(Id::undo);
        QAction *redo = action(Id::redo);
        undo->setEnabled(stack.canUndo());
        redo->setEnabled(stack.canRedo());
        undo->setText(stack.undoText().isEmpty() ? tr("Undo") : tr("Undo %1").arg(stack.undoText()));
        redo->setText(stack.redoText().isEmpty() ? tr("Redo") : tr("Redo %1").arg(stack.redoText()));
    };
    connect(&history, &StateHistory::changed, this, showHistory);
    showHistory();

    // The header's buttons say what they do and which keys do it too.
    QAction *copyFigures = action(Id::copyFigures);
    copyFigures->setToolTip(withKeys(tr("Copy the figures as text (%1)"), copyFigures->shortcut()));
    QAction *exportSnapshot = action(Id::exportSnapshot);
    exportSnapshot->setToolTip(
        withKeys(tr("Copy a branded snapshot and save a PNG to the Desktop (%1)"), exportSnapshot->shortcut()));
    QAction *settings = action(Id::settings);
    settings->setToolTip(withKeys(tr("Settings (%1)"), settings->shortcut()));

    settings->setMenuRole(QAction::PreferencesRole);
    action(Id::quit)->setMenuRole(QAction::QuitRole);
    // Menus name the keys of their items, the tray's and the header's too; on macOS a menu that is not the
    // menu bar's names none but Quit's, as the platform's own do.
    for (const auto &[id, command] : actions_)
#if defined(Q_OS_MACOS)
        command->setShortcutVisibleInContextMenu(id == Id::quit);
#else
        command->setShortcutVisibleInContextMenu(true);
#endif
}

QAction *Commands::make(Id id, const QString &text, const QKeySequence &keys)
{
    auto *action = new QAction(text, this);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    actions_[id] = action;
    return action;
}

QAction *Commands::make(Id id, const QString &text, QKeySequence::StandardKey standard, const QKeySequence &fallback)
{
    QAction *made = make(id, text);
    // The platform's own keys where it has some for the command (Ctrl+F4 as well as Ctrl+W on Windows).
    const QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
    made->setShortcuts(keys.isEmpty() ? QList<QKeySequence>{fallback} : keys);
    return made;
}

QAction *Commands::action(Id id) const
{
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

QList<QAction *> Commands::actions(std::initializer_list<Id> ids) const
{
    QList<QAction *> list;
    for (Id id : ids)
        list.append(action(id));
    return list;
}

void Commands::showPinState(bool on)
{
    action(Id::alwaysOnTop)->setToolTip(on ? tr("Always on top: on") : tr("Always on top: off"));
}

QString Commands::withKeys(const QString &help, const QKeySequence &keys)
{
    // "Ctrl+Shift+C" here, "⇧⌘C" on macOS.
    return help.arg(keys.toString(QKeySequence::NativeText));
}

void Commands::addTrayItems(QMenu *menu) const
{
    menu->addActions(actions({Id::alwaysOnTop, Id::exportSnapshot, Id::exportReport, Id::copyFigures, Id::settings}));
    menu->addSeparator();
    if (clientsMenu_)
        menu->addMenu(clientsMenu_);
    menu->addActions(actions({Id::undo, Id::redo}));
    menu->addAction(action(Id::resetInputs));
    menu->addSeparator();
    menu->addAction(action(Id::quit));
}

QList<QAction *> Commands::calculatorWindowActions() const
{
#if defined(Q_OS_MACOS)
    return actions({Id::exportSnapshot, Id::exportReport, Id::copyFigures, Id::settings, Id::hide, Id::quit, Id::undo,
                    Id::redo, Id::cut, Id::copy, Id::paste, Id::selectAll, Id::minimize, Id::close, Id::saveClientAs,
                    Id::saveClientChanges, Id::allClients});
#else
    return actions({Id::exportSnapshot, Id::exportReport, Id::copyFigures, Id::settings, Id::hide, Id::quit,
                    Id::minimize, Id::close, Id::saveClientAs, Id::saveClientChanges, Id::allClients, Id::undo,
                    Id::redo});
#endif
}

QList<QAction *> Commands::settingsWindowActions() const
{
#if defined(Q_OS_MACOS)
    return calculatorWindowActions();
#else
    return actions({Id::exportSnapshot, Id::exportReport, Id::copyFigures, Id::settings, Id::hide, Id::quit, Id::close});
#endif
}

QList<QAction *> Commands::windowCommands() const
{
    return actions({Id::exportSnapshot, Id::exportReport, Id::copyFigures, Id::settings, Id::hide, Id::quit,
                    Id::minimize, Id::close, Id::saveClientAs, Id::saveClientChanges, Id::allClients, Id::undo,
                    Id::redo});
}

QAction *Commands::titled(Id id, const QString &title, QObject *owner) const
{
    // Shows the command's keys in the menu but leaves them to the shared action, so one key press is never
    // claimed twice.
    QAction *shared = action(id);
    auto *item = new QAction(title, owner);
    item->setShortcuts(shared->shortcuts());
    item->setShortcutContext(Qt::WidgetShortcut);
    item->setEnabled(shared->isEnabled());
    connect(item, &QAction::triggered, shared, &QAction::trigger);
    connect(shared, &QAction::changed, item, [item, shared] { item->setEnabled(shared->isEnabled()); });
    return item;
}

void Commands::addMainMenus(QMenuBar *bar) const
{
    QMenu *app = bar->addMenu(QStringLiteral("Brolga"));
    // The menu bar titles its items; the tray and the header keep their sentence case.
    app->addAction(titled(Id::exportSnapshot, tr("Export Snapshot"), app));
    app->addAction(titled(Id::exportReport, tr("Export Report (PDF)\u2026"), app));
    app->addAction(titled(Id::copyFigures, tr("Copy Figures as Text"), app));
    app->addSeparator();
    app->addAction(action(Id::settings));
    app->addSeparator();
    app->addActions(actions({Id::hide, Id::quit}));
    QMenu *edit = bar->addMenu(tr("Edit"));
    edit->addActions(actions({Id::undo, Id::redo}));
    edit->addSeparator();
    edit->addActions(actions({Id::cut, Id::copy, Id::paste, Id::selectAll}));
    if (clientsMenu_)
        bar->addMenu(clientsMenu_);
    QMenu *window = bar->addMenu(tr("Window"));
    window->addActions(actions({Id::minimize, Id::close}));
}

} // namespace brolga

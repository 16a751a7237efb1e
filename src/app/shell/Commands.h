#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>

#include <map>

class QAction;
class QMenu;
class QMenuBar;

namespace brolga {

class CalculatorStore;

// Every command of the program, each made once as a QAction with its text, keys and tool tip; the tray menu,
// the main menu, the header's buttons and the windows' shortcuts all share these objects. What a command does
// is connected by whoever owns the program (AppDelegate); "Always on top" is the record's own flag, so its
// action shows the flag and flips it here.
class Commands : public QObject {
    Q_OBJECT
public:
    enum class Id {
        alwaysOnTop,
        exportSnapshot,
        copySnapshotOnly,
        saveSnapshotAs,
        exportReport,
        copyFigures,
        settings,
        resetInputs,
        hide,
        quit,
        undo,
        redo,
        cut,
        copy,
        paste,
        selectAll,
        minimize,
        close,
        saveClientAs,
        saveClientChanges,
        allClients,
        startNewClientBook,
    };

    explicit Commands(CalculatorStore &store, QObject *parent = nullptr);

    QAction *action(Id id) const;

    // The Clients menu, made by whoever keeps the client book; the tray and main menus carry it once it is set.
    void setClientsMenu(QMenu *menu) { clientsMenu_ = menu; }
    QMenu *clientsMenu() const { return clientsMenu_; }

    // The tray's menu (and the header's right click): the check, the exports, settings, clients, reset and quit.
    void addTrayItems(QMenu *menu) const;
    // The shortcuts each window answers. Outside macOS text fields answer the editing keys themselves (in the
    // calculator window Undo and Redo are the calculator's), and the settings window has nothing to minimise.
    QList<QAction *> calculatorWindowActions() const;
    QList<QAction *> settingsWindowActions() const;
    // The commands whose keys beat a text field's own use of them (Ctrl+E is "end of line" there).
    QList<QAction *> windowCommands() const;
    // The global menu: the application's, Edit and Window.
    void addMainMenus(QMenuBar *bar) const;

    // "Settings (Ctrl+,)": a help text with the keys that run the command, as the platform writes them.
    static QString withKeys(const QString &help, const QKeySequence &keys);

private:
    QAction *make(Id id, const QString &text, const QKeySequence &keys = {});
    // Keys from the platform's standard for the command, or `fallback` where it has none.
    QAction *make(Id id, const QString &text, QKeySequence::StandardKey standard, const QKeySequence &fallback);
    QList<QAction *> actions(std::initializer_list<Id> ids) const;
    // A main-menu item under its own title that runs the shared action.
    QAction *titled(Id id, const QString &title, QObject *owner) const;
    void showPinState(bool on);

    std::map<Id, QAction *> actions_;
    QMenu *clientsMenu_ = nullptr;
};

} // namespace brolga

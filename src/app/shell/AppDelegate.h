#pragma once

#include "app/shell/Commands.h"
#include "app/shell/FloatingWindow.h"
#include "app/settings/SettingsTab.h"
#include "ui/brand/BrandAssetStore.h"
#include "core/CalculatorStore.h"
#include "update/UpdateCheck.h"

#include <QMargins>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>
#include <optional>

class QMenuBar;

namespace brolga {

class ClientSession;
class ClientsMenu;
class CoachMark;
class FloatingWindow;
class GlobalShortcut;
class RootView;

// The running application: owns the store, the logo store, the update check, the commands and the first-run
// pointer for the whole run, puts the wing in the system tray, builds the calculator window, the main menu
// and, on demand, the settings window, and saves everything whenever the program ends.
//
// Without a system tray it is an ordinary windowed program: the window shows at launch and sits in the task
// bar, the header's right click carries the tray menu, and closing the window quits.
class AppDelegate : public QObject {
    Q_OBJECT
public:
    enum class TrayMode { automatic, tray, noTray };
    // Started by the user, or by the desktop at login: then only the tray icon appears.
    enum class Start { byUser, atLogin };

    explicit AppDelegate(TrayMode mode = TrayMode::automatic, QObject *parent = nullptr);
    ~AppDelegate() override;

    // Fonts, accessory mode, menus, tray icon, window (hidden), the delayed update check, and on the very
    // first run the pointer and then the window. Without a tray the window shows at once. At login a first run
    // shows nothing and leaves the pointer for the first start by the user.
    void launch(Start start = Start::byUser);

    CalculatorStore &store() { return store_; }
    BrandAssetStore &assets() { return assets_; }
    UpdateCheck &updates() { return updates_; }
    CoachMark &coachMark() { return *coachMark_; }
    Commands &commands() { return *commands_; }
    ClientSession &clients() { return *clients_; }
    ClientsMenu *clientsMenu() const { return clientsMenu_; }
    GlobalShortcut &globalShortcut() { return *globalShortcut_; }

    QSystemTrayIcon *trayIcon() const { return tray_; }
    FloatingWindow *window() const { return window_; }
    RootView *rootView() const { return rootView_; }
    FloatingWindow *settingsWindow() const { return settingsWindow_; }
    FloatingWindow *clientsWindow() const { return clientsWindow_; }
    // The context menu that is open (or was opened last and is still alive).
    QMenu *contextMenu() const { return contextMenu_; }
    bool hasSavedFrame() const { return hasSavedFrame_; }
    bool isQuitting() const { return quitting_; }

    // How often, and how long, a window placed before it had a frame looks for the frame to count it.
    static constexpr int frameSettleMs = 125;
    static constexpr int frameSettleTries = 16;

    // Where the tray icon is on screen; tests and platforms without a geometry give their own.
    void setTrayGeometrySource(std::function<QRect()> source) { trayGeometry_ = std::move(source); }

    static constexpr auto toolTip = u"Brolga \u2014 broker calculator";
    static constexpr int coachMarkDelayMs = 500;
    static constexpr int coachMarkSeconds = 6500;

public Q_SLOTS:
    // A click on the tray icon: left toggles the window, right or Control-click opens the menu.
    void trayActivated(QSystemTrayIcon::ActivationReason reason);
    void showWindow();
    // The global shortcut: brings the window up with the keyboard, or puts it away when it has it.
    void toggleWindow();
    void positionUnderTray();
    // The window's height for its screen (shorter there, and scrolling, when the screen is short) and a
    // restored frame kept inside the screen's visible area.
    void fitToScreen();
    void applyWindowLevel();
    void toggleAlwaysOnTop();
    void exportSnapshot();
    void copySnapshotOnly();
    void saveSnapshotAs();
    void exportReport();
    void copyFigures();
    void resetInputs();
    void runUpdateCheck();
    void showSettings();
    void openSettings(SettingsTab tab);
    // "All clients…", made afresh on each opening: a delete can be undone while it stays open.
    void showClients();
    void openClient(qint64 id);
    // Built afresh on every opening, so the check mark follows the record.
    void showContextMenu(const QPoint &globalPos);
    void hideApplication();
    // Saves at once, then ends the event loop with status 0, whatever windows are open. Every way of ending
    // the program comes here: the menus, Ctrl+Q, SIGTERM and SIGINT, the platform's own quit request.
    void quit();
    // The record, the window frame and the preferences, written now.
    void saveAll();

Q_SIGNALS:
    void quitting();

protected:
    // The window's commands win over a text field's own use of the same keys (Ctrl+E is "end of line" there).
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What each command does, and the global menu where there is one.
    void connectCommands();
    void buildTrayIcon();
    void buildWindow();
    void showFirstRunPointer();
    void followClient();
    QMenu *buildContextMenu();
    QWidget *activeWindow() const;
    // The saved frame, when there is one and its title bar is still on a screen.
    std::optional<QRect> restorableFrame();
    // Beside the tray icon, counting the window manager's frame when it is known.
    void placeBesideTray();
    // Until the window manager has framed a window just shown, its frame is not known: once it is, the
    // window is fitted (and, when it was placed beside the icon, placed) again.
    void refineFrame(QPoint shownAt, bool placed, int triesLeft);
    void saveFrame();

    CalculatorStore store_;
    BrandAssetStore assets_;
    UpdateCheck updates_;
    std::unique_ptr<CoachMark> coachMark_;
    std::unique_ptr<Commands> commands_;
    std::unique_ptr<ClientSession> clients_;
    ClientsMenu *clientsMenu_ = nullptr;
    std::unique_ptr<GlobalShortcut> globalShortcut_;

    bool hasTray_ = false;
    // The user has clicked the tray icon: the first-run pointer has done its job and opens nothing.
    bool trayUsed_ = false;
    bool hasSavedFrame_ = false;
    bool quitting_ = false;
    bool clientProblemTold_ = false;
    QSystemTrayIcon *tray_ = nullptr;
    QPointer<FloatingWindow> window_;
    RootView *rootView_ = nullptr;
    QPointer<FloatingWindow> settingsWindow_;
    QPointer<FloatingWindow> clientsWindow_;
    QPointer<QMenu> contextMenu_;
    std::unique_ptr<QMenuBar> menuBar_;
    std::function<QRect()> trayGeometry_;
};

} // namespace brolga

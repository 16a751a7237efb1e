#include "app/shell/AppDelegate.h"

#include "app/clients/ClientNameButton.h"
#include "app/clients/ClientSession.h"
#include "app/clients/ClientsWindow.h"
#include "app/firstrun/CoachMark.h"
#include "app/firstrun/CoachMarkView.h"
#include "app/settings/ClientBookSettings.h"
#include "app/settings/SettingsWindow.h"
#include "app/shell/ClientsMenu.h"
#include "app/shell/FloatingWindow.h"
#include "app/shell/ReportTabsPrompt.h"
#include "app/shell/RootView.h"
#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "core/StateHistory.h"
#include "export/card/SnapshotExporter.h"
#include "export/card/TextCopier.h"
#include "export/report/ReportExporter.h"
#include "export/report/ReportTabs.h"
#include "platform/ActiveWindowGuard.h"
#include "platform/GlobalShortcut.h"
#include "platform/Platform.h"
#include "platform/WindowPlacement.h"
#include "ui/brand/WingMark.h"
#include "ui/buttons/BrandStyle.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QTimer>

namespace brolga {

namespace {

QIcon trayImage(const Theme &theme)
{
    QIcon icon;
#if defined(Q_OS_MACOS)
    // A template image: the menu bar recolours it for light, dark and highlighted states.
    const QColor tint = Qt::black;
#else
    const QColor tint = Brand::rgb(theme.accentOnDark);
#endif
    for (int side : {16, 17, 22, 24, 32, 48, 64}) {
        QPixmap square(side, side);
        square.fill(Qt::transparent);
        QPainter p(&square);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal w = side;
        const qreal h = w * WingMark::aspect;
        WingMark::paint(p, QRectF(0, (side - h) / 2, w, h), tint);
        p.end();
        icon.addPixmap(square);
    }
#if defined(Q_OS_MACOS)
    icon.setIsMask(true);
#endif
    return icon;
}

QScreen *screenFor(const QRect &rect)
{
    QScreen *screen = rect.isValid() ? QGuiApplication::screenAt(rect.center()) : nullptr;
    return screen ? screen : QGuiApplication::primaryScreen();
}

// The window manager's title bar and borders; none before it has framed the window.
QMargins frameOf(const QWidget *window)
{
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

} // namespace

AppDelegate::AppDelegate(TrayMode mode, QObject *parent)
    : QObject(parent), coachMark_(std::make_unique<CoachMark>()), commands_(std::make_unique<Commands>(store_)),
      clients_(std::make_unique<ClientSession>(store_, ClientSession::chosenPath(store_.settings()))),
      globalShortcut_(std::make_unique<GlobalShortcut>())
{
    BrandStyle::install();
    assets_.load();
    clientsMenu_ = new ClientsMenu(*clients_, *commands_);
    commands_->setClientsMenu(clientsMenu_);
    switch (mode) {
    case TrayMode::automatic: hasTray_ = QSystemTrayIcon::isSystemTrayAvailable(); break;
    case TrayMode::tray: hasTray_ = true; break;
    case TrayMode::noTray: hasTray_ = false; break;
    }
    trayGeometry_ = [this] { return tray_ ? tray_->geometry() : QRect(); };
}

AppDelegate::~AppDelegate()
{
    // A field that loses the focus as its window goes writes the record: nothing here may react any more.
    disconnect(&store_, nullptr, this, nullptr);
    disconnect(clients_.get(), nullptr, this, nullptr);
    delete contextMenu_;
    delete settingsWindow_;
    delete clientsWindow_;
    delete window_;
    delete clientsMenu_;
}

void AppDelegate::launch(Start start)
{
    BrandType::registerFonts();
    // Windows are hidden and shown all the time; only quit() and the session end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    if (hasTray_)
        Platform::becomeAccessory();
    connect(qApp, &QCoreApplication::aboutToQuit, this, &AppDelegate::saveAll, Qt::UniqueConnection);
    // The session is ending: whatever comes next (a quit request or a signal), the record is on disk.
    connect(qApp, &QGuiApplication::commitDataRequest, this, &AppDelegate::saveAll, Qt::UniqueConnection);
    qApp->installEventFilter(this);

    connectCommands();
    // The client book is read only when its file is there; nothing is made before the first save.
    clients_->start();
    buildTrayIcon();
    buildWindow();
    runUpdateCheck();
    connect(globalShortcut_.get(), &GlobalShortcut::activated, this, &AppDelegate::toggleWindow, Qt::UniqueConnection);
    // Keys another program holds leave Brolga as it was; the settings say so.
    globalShortcut_->set(QKeySequence::fromString(store_.settings().globalShortcut(), QKeySequence::PortableText));

    Settings &settings = store_.settings();
    // A save cut short by a killed process left temporaries; they go now, not at the first save.
    settings.removeLeftovers();
    const bool firstRun = !settings.hasLaunched() && start == Start::byUser;
    if (firstRun) {
        settings.setHasLaunched(true);
        settings.sync();
    }
    if (!hasTray_) {
        // Nothing to point at and nothing else to click: an ordinary window.
        showWindow();
        return;
    }
    if (firstRun)
        QTimer::singleShot(coachMarkDelayMs, this, &AppDelegate::showFirstRunPointer);
#if !defined(Q_OS_MACOS)
    // Launched from the applications menu the user expects the window; only a menu-bar app on macOS, or a
    // start at login, waits by its icon.
    else if (start == Start::byUser)
        showWindow();
#endif
}

void AppDelegate::showFirstRunPointer()
{
    if (trayUsed_)
        return;
    auto anchor = [this]() -> std::optional<CoachMark::Anchor> {
        if (!tray_)
            return std::nullopt;
        const QRect icon = trayGeometry_ ? trayGeometry_() : QRect();
        QScreen *screen = screenFor(icon);
        if (!screen)
            return std::nullopt;
        return CoachMark::Anchor{QRectF(icon), QRectF(screen->availableGeometry())};
    };
    QPointer<AppDelegate> self(this);
    coachMark_->setPalette(ThemePalette::make(Theme::named(store_.state().themeID), Appearance::dark));
    coachMark_->show(anchor, coachMarkSeconds, 0, [self] {
        // A window the user has already opened (or opened and closed again) is left as they left it.
        if (self && !self->trayUsed_)
            self->showWindow();
    });
}

// ---- Tray icon and its menu ----

void AppDelegate::buildTrayIcon()
{
    if (!hasTray_)
        return;
    tray_ = new QSystemTrayIcon(trayImage(Theme::named(store_.state().themeID)), this);
    tray_->setToolTip(QString::fromUtf16(toolTip));
    // No setContextMenu: on several platforms that swallows the left click.
    connect(tray_, &QSystemTrayIcon::activated, this, &AppDelegate::trayActivated);
    tray_->show();
}

void AppDelegate::trayActivated(QSystemTrayIcon::ActivationReason reason)
{
#if defined(Q_OS_MACOS)
    const Qt::KeyboardModifier control = Qt::MetaModifier; // Qt's name for the Control key there
#else
    const Qt::KeyboardModifier control = Qt::ControlModifier;
#endif
    if (reason == QSystemTrayIcon::Context ||
        (reason == QSystemTrayIcon::Trigger && QGuiApplication::queryKeyboardModifiers().testFlag(control))) {
        showContextMenu(QCursor::pos());
        return;
    }
    // A double click arrives after its own Trigger; toggling twice would undo the first click.
    if (reason != QSystemTrayIcon::Trigger || !window_)
        return;
    trayUsed_ = true;
    // A window under another program's is brought up, as one hidden is; only one in plain view goes away.
    if (!window_->isVisible() || window_->isMinimized() || Platform::isCovered(window_))
        showWindow();
    else
        window_->hide();
}

QMenu *AppDelegate::buildContextMenu()
{
    auto *menu = new QMenu;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    commands_->addTrayItems(menu);
    return menu;
}

void AppDelegate::showContextMenu(const QPoint &globalPos)
{
    if (contextMenu_)
        contextMenu_->close();
    contextMenu_ = buildContextMenu();
    contextMenu_->popup(globalPos);
}

// ---- Commands ----

void AppDelegate::connectCommands()
{
    using Id = Commands::Id;
    auto on = [this](Id id, auto slot) { connect(commands_->action(id), &QAction::triggered, this, slot); };
    // Text editing goes to whichever field has the focus.
    auto toFocus = [](const char *method) {
        return [method] {
            if (QWidget *focus = QApplication::focusWidget())
                QMetaObject::invokeMethod(focus, method);
        };
    };

    // The action flips the record itself; the window's layer follows at once.
    on(Id::alwaysOnTop, &AppDelegate::applyWindowLevel);
    on(Id::exportSnapshot, &AppDelegate::exportSnapshot);
    on(Id::copySnapshotOnly, &AppDelegate::copySnapshotOnly);
    on(Id::saveSnapshotAs, &AppDelegate::saveSnapshotAs);
    on(Id::exportReport, &AppDelegate::exportReport);
    on(Id::copyFigures, &AppDelegate::copyFigures);
    on(Id::settings, &AppDelegate::showSettings);
    on(Id::resetInputs, &AppDelegate::resetInputs);
    on(Id::hide, &AppDelegate::hideApplication);
    on(Id::quit, &AppDelegate::quit);
    // The calculator's history, but a text field in another window keeps its own (macOS sends the menu's keys
    // here from every window).
    auto history = [this, toFocus](const char *method, void (StateHistory::*step)()) {
        return [this, toFocus, method, step] {
            if (activeWindow() != window_.data())
                toFocus(method)();
            else
                (store_.history().*step)();
        };
    };
    on(Id::undo, history("undo", &StateHistory::undo));
    on(Id::redo, history("redo", &StateHistory::redo));
    on(Id::cut, toFocus("cut"));
    on(Id::copy, toFocus("copy"));
    on(Id::paste, toFocus("paste"));
    on(Id::selectAll, toFocus("selectAll"));
    on(Id::minimize, [this] {
        if (window_ && activeWindow() == window_.data())
            window_->showMinimized();
    });
    on(Id::close, [this] {
        if (QWidget *w = activeWindow())
            w->close();
    });
    on(Id::saveClientAs, [this] { clients_->saveAsNew(activeWindow()); });
    on(Id::saveClientChanges, [this] { clients_->saveChanges(activeWindow()); });
    on(Id::allClients, &AppDelegate::showClients);
    on(Id::startNewClientBook, [this] { clients_->startNewBook(); });
    connect(clientsMenu_, &ClientsMenu::openRequested, this, &AppDelegate::openClient);
    connect(clients_.get(), &ClientSession::changed, this, &AppDelegate::followClient);
    followClient();

#if defined(Q_OS_MACOS)
    // A parentless menu bar is the application's global menu; its key equivalents act while Brolga is active.
    menuBar_ = std::make_unique<QMenuBar>(nullptr);
    commands_->addMainMenus(menuBar_.get());
#endif
}

void AppDelegate::followClient()
{
    QAction *save = commands_->action(Commands::Id::saveClientChanges);
    const auto client = clients_->current();
    save->setText(client ? tr("Save changes to %1").arg(QString(client->name).replace(u'&', QStringLiteral("&&")))
                         : tr("Save changes"));
    save->setEnabled(clients_->hasUnsavedChanges());
}

QWidget *AppDelegate::activeWindow() const
{
    QWidget *active = QApplication::activeWindow();
    if (active && (active == settingsWindow_ || active == clientsWindow_))
        return active;
    // The shortcuts only reach us from one of our windows; without a settings window in front it is this one.
    return window_;
}

bool AppDelegate::eventFilter(QObject *watched, QEvent *event)
{
    // The platform's quit request (QCoreApplication::quit, the session, the Dock) first asks every window to
    // close; the calculator window only hides on close and would cancel it. Quit our own way instead.
    if (event->type() == QEvent::Quit && watched == qApp) {
        quit();
        event->accept();
        return true;
    }
    // Before a key reaches a shortcut, the focused widget may claim it. Line edits on Linux claim Ctrl+E (end
    // of line, from Emacs), which would swallow Export Snapshot whenever a figure is being typed. Leaving the
    // override unaccepted lets the window's action have it, in the calculator and the settings window alike.
    // Cut, copy, paste and the like stay with the field.
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType()) {
        QWidget *top = static_cast<QWidget *>(watched)->window();
        if (top && (top == window_ || top == settingsWindow_ || top == clientsWindow_)) {
            const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
            for (QAction *windowAction : commands_->windowCommands()) {
                if (windowAction->isEnabled() && windowAction->shortcuts().contains(pressed) &&
                    top->actions().contains(windowAction)) {
                    event->ignore();
                    return true;
                }
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

// ---- The calculator window ----

void AppDelegate::buildWindow()
{
    window_ = new FloatingWindow(QStringLiteral("Brolga"));
    window_->setObjectName(QStringLiteral("calculatorWindow"));
    // One size: the layout is made for it, so there is no resizing and no maximising.
    window_->setFixedSize(WindowPlacement::windowSize.toSize());
    // With a tray the close button only hides; without one, closing is quitting.
    window_->setHidesOnClose(hasTray_);
    // On every desktop; out of the task bar only while the tray icon is the way back to it.
    window_->setDesktopHints(true, hasTray_);
    if (!hasTray_)
        connect(window_, &FloatingWindow::closed, this, &AppDelegate::quit);
    connect(window_, &FloatingWindow::frameChanged, this, &AppDelegate::saveFrame);

    // The content area exactly where it was: placed before the window exists, the window manager puts its
    // frame around it.
    if (const auto frame = restorableFrame()) {
        window_->setGeometry(QRect(frame->topLeft(), window_->size()));
        hasSavedFrame_ = true;
    }

    RootView::Actions actions;
    actions.runUpdateCheck = [this] { runUpdateCheck(); };
    actions.showContextMenu = [this](const QPoint &at) { showContextMenu(at); };
    actions.makeClientButton = [this](QWidget *header) { return new ClientNameButton(*clients_, clientsMenu_, header); };
    rootView_ = new RootView(store_, assets_, updates_, *commands_, actions);
    window_->setContent(rootView_);

    // In the window the shortcuts reach their actions without a menu bar.
    window_->addActions(commands_->calculatorWindowActions());

    // The pin button and the menu both write the record; the level follows it either way.
    connect(&store_, &CalculatorStore::stateChanged, this, [this] {
        const int want = store_.state().alwaysOnTop ? FloatingWindow::floatingLevel : FloatingWindow::normalLevel;
        if (window_ && window_->level() != want)
            applyWindowLevel();
    });
    applyWindowLevel();
}

void AppDelegate::showWindow()
{
    if (!window_)
        return;
    if (window_->isMinimized())
        window_->showNormal();
    const bool appearing = !window_->isVisible();
    const bool placing = appearing && !hasSavedFrame_;
    // Fitted and placed before the window manager has framed the window: once it has, again with the frame.
    const bool unframed = frameOf(window_).isNull();
    if (appearing) {
        fitToScreen();
        positionUnderTray();
    }
    applyWindowLevel();
    window_->show();
    window_->raise();
    window_->activateWindow();
    // Hidden and shown again within a moment (Ctrl+Alt+B twice), the window is still Qt's focus window: under
    // X11 Qt lets go of it a little after the focus has left. When the keyboard comes back Qt sees no change
    // and leaves the application without an active window: the shortcut would show instead of hide, and a
    // prompt would have no window to give the keyboard back to. Should the keyboard not come, Qt's late
    // letting-go clears this again.
    if (appearing && QGuiApplication::focusWindow() == window_->windowHandle() &&
        QApplication::activeWindow() != window_) {
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED // since 6.5, for activateWindow(), which does nothing here
        QApplication::setActiveWindow(window_);
        QT_WARNING_POP
    }
    if (appearing && unframed)
        refineFrame(window_->geometry().topLeft(), placing && hasSavedFrame_, frameSettleTries);
    // Typing goes straight into a figure; never a header button (Space there would flip Always on top).
    if (rootView_)
        rootView_->focusFirstField();
    // Said where the broker can see it: the first time the window is up.
    if (const auto notice = store_.takeLoadNotice())
        store_.flash(*notice);
    else if (const QString problem = clients_->problem(); !problem.isEmpty() && !clientProblemTold_) {
        store_.flash(problem);
        clientProblemTold_ = true;
    }
}

std::optional<QRect> AppDelegate::restorableFrame()
{
    const auto saved = store_.settings().windowFrame();
    if (!saved)
        return std::nullopt;
    // A screen since unplugged: the window would open where nobody can reach it; place it afresh.
    const QPoint titleBar(saved->center().x(), saved->top() + 8);
    for (const QScreen *screen : QGuiApplication::screens())
        if (screen->availableGeometry().contains(titleBar))
            return saved;
    return std::nullopt;
}

void AppDelegate::toggleWindow()
{
    if (window_ && window_->isVisible() && !window_->isMinimized() && QApplication::activeWindow() == window_)
        hideApplication();
    else
        showWindow();
}

void AppDelegate::positionUnderTray()
{
    if (hasSavedFrame_ || !window_)
        return;
    placeBesideTray();
}

void AppDelegate::refineFrame(QPoint shownAt, bool placed, int triesLeft)
{
    QTimer::singleShot(frameSettleMs, this, [this, shownAt, placed, triesLeft] {
        // Hidden again, or moved by the user meanwhile: their place wins.
        if (!window_ || !window_->isVisible() || window_->geometry().topLeft() != shownAt)
            return;
        if (frameOf(window_).isNull()) {
            if (triesLeft > 1)
                refineFrame(shownAt, placed, triesLeft - 1);
            return;
        }
        fitToScreen();
        if (placed)
            placeBesideTray();
    });
}

void AppDelegate::fitToScreen()
{
    if (!window_)
        return;
    const QRect icon = hasTray_ && trayGeometry_ ? trayGeometry_() : QRect();
    QScreen *screen = screenFor(hasSavedFrame_ ? window_->geometry() : icon);
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QMargins frame = frameOf(window_);
    const std::optional<QRectF> tray =
        icon.isValid() && screen->geometry().intersects(icon) ? std::optional<QRectF>(icon) : std::nullopt;
    const QSizeF room = WindowPlacement::fit(area, tray, QSizeF(WindowPlacement::windowSize.toSize().grownBy(frame)));
    const QSize content(int(WindowPlacement::windowSize.width()), int(room.height()) - frame.top() - frame.bottom());
    if (window_->size() != content)
        window_->setFixedSize(content);
    if (!hasSavedFrame_)
        return;
    // A frame saved on a taller or another screen comes back whole inside this one.
    const QRect outer(window_->geometry().topLeft() - QPoint(frame.left(), frame.top()), content.grownBy(frame));
    const QPoint at(std::clamp(outer.left(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())),
                    std::clamp(outer.top(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
    if (at != outer.topLeft())
        window_->setGeometry(QRect(at + QPoint(frame.left(), frame.top()), content));
}

void AppDelegate::placeBesideTray()
{
    const QRect icon = hasTray_ && trayGeometry_ ? trayGeometry_() : QRect();
    QScreen *screen = screenFor(icon);
    if (!screen)
        return;
    const QRectF visible = screen->availableGeometry();
    const QRect inner = window_->geometry();
    const QMargins frame = frameOf(window_);
    const QSizeF size = QSizeF(inner.size().grownBy(frame));
    QPointF origin;
    if (hasTray_) {
        origin = WindowPlacement::window(visible, icon.isValid() ? std::optional<QRectF>(icon) : std::nullopt, size);
    } else {
        // No icon to hang under: an ordinary window, centred.
        origin = visible.center() - QPointF(size.width(), size.height()) / 2;
        origin.setY(std::max(origin.y(), visible.top()));
    }
    // The content area goes inside the frame; placing it (not the frame) is exact before the window exists.
    window_->setGeometry(QRect(origin.toPoint() + QPoint(frame.left(), frame.top()), inner.size()));
    hasSavedFrame_ = true;
}

void AppDelegate::applyWindowLevel()
{
    if (!window_)
        return;
    const int level = store_.state().alwaysOnTop ? FloatingWindow::floatingLevel : FloatingWindow::normalLevel;
    window_->setLevel(level);
    if (settingsWindow_)
        settingsWindow_->setLevel(level + 1);
    if (clientsWindow_)
        clientsWindow_->setLevel(level + 1);
}

void AppDelegate::toggleAlwaysOnTop() { commands_->action(Commands::Id::alwaysOnTop)->trigger(); }

void AppDelegate::hideApplication()
{
    if (!hasTray_) {
        // The task bar is the only way back: minimise rather than hide.
        if (window_)
            window_->showMinimized();
        return;
    }
    if (settingsWindow_)
        settingsWindow_->hide();
    if (clientsWindow_)
        clientsWindow_->hide();
    if (window_)
        window_->hide();
}

// ---- What the commands do ----

void AppDelegate::exportSnapshot() { SnapshotExporter::exportCurrentTab(store_, assets_.logo()); }
void AppDelegate::copySnapshotOnly() { SnapshotExporter::copyOnly(store_, assets_.logo()); }
void AppDelegate::saveSnapshotAs() { SnapshotExporter::exportWithPanel(store_, assets_.logo()); }
void AppDelegate::exportReport()
{
    // Two dialogs in a row: the keyboard goes back to the window after the second, whichever had it between.
    const ActiveWindowGuard keyboard(window_);
    // An open client's report starts from the tabs chosen for it last time.
    const auto client = clients_->current();
    ClientBook *book = client ? clients_->existingBook() : nullptr;
    std::vector<CalculatorTab> ticked;
    if (book)
        ticked = ReportTabs::fromStored(book->reportTabs(client->id).value_or(QString()));
    if (ticked.empty())
        ticked = ReportTabs::suggested(store_.state());
    const CalculatorState &st = store_.state();
    const bool identityMissing = st.brokerName.trimmed().isEmpty() && st.brokerCompany.trimmed().isEmpty() &&
                                 st.brokerLicence.trimmed().isEmpty();
    const auto chosen = ReportTabsPrompt::ask(window_, {ticked, st.themeID, identityMissing});
    if (!chosen)
        return;
    if (book)
        book->setReportTabs(client->id, ReportTabs::stored(*chosen));
    ReportExporter::exportWithPanel(store_, assets_.logo(), *chosen);
}
void AppDelegate::copyFigures() { TextCopier::copyCurrentTab(store_); }
void AppDelegate::resetInputs()
{
    StateHistory &history = store_.history();
    history.nameNextStep(tr("Reset inputs"));
    store_.reset();
    // Every figure at once: said, with the way back.
    if (history.lastEditRecorded())
        store_.flash(tr("Inputs reset"), true);
}
// A build without an update service never schedules a check.
void AppDelegate::runUpdateCheck()
{
    if (UpdateCheck::isOffered())
        updates_.scheduleCheck(&store_);
}
void AppDelegate::showSettings() { openSettings(SettingsTab::identity); }

void AppDelegate::openSettings(SettingsTab tab)
{
    auto *content = new SettingsWindow(store_, assets_, tab);
    content->showGlobalShortcut(*globalShortcut_);
    connect(content->clientBookSettings(), &ClientBookSettings::bookChanged, this,
            [this] { clients_->useBook(ClientSession::chosenPath(store_.settings())); });
    if (!settingsWindow_) {
        settingsWindow_ = new FloatingWindow(tr("Brolga Settings"), false);
        settingsWindow_->setObjectName(QStringLiteral("settingsWindow"));
        settingsWindow_->setDesktopHints(false, hasTray_);
        settingsWindow_->setClosesOnEscape(true);
        settingsWindow_->setContent(content);
        settingsWindow_->setFixedSize(SettingsWindow::windowSize);
        if (QScreen *screen = QGuiApplication::primaryScreen()) {
            QRect frame(QPoint(), SettingsWindow::windowSize);
            frame.moveCenter(screen->availableGeometry().center());
            settingsWindow_->move(frame.topLeft());
        }
        settingsWindow_->addActions(commands_->settingsWindowActions());
    } else {
        settingsWindow_->setContent(content);
    }
    applyWindowLevel();
    settingsWindow_->show();
    settingsWindow_->raise();
    settingsWindow_->activateWindow();
}

void AppDelegate::showClients()
{
    auto *content = new ClientsWindow(*clients_);
    connect(content, &ClientsWindow::opened, this, [this] {
        if (clientsWindow_)
            clientsWindow_->hide();
        showWindow();
    });
    if (!clientsWindow_) {
        clientsWindow_ = new FloatingWindow(tr("All Clients"), false);
        clientsWindow_->setObjectName(QStringLiteral("clientsWindow"));
        clientsWindow_->setDesktopHints(false, hasTray_);
        clientsWindow_->resize(ClientsWindow::windowSize);
        clientsWindow_->setMinimumSize(320, 320);
        if (QScreen *screen = QGuiApplication::primaryScreen()) {
            QRect frame(QPoint(), ClientsWindow::windowSize);
            frame.moveCenter(screen->availableGeometry().center());
            clientsWindow_->move(frame.topLeft());
        }
        clientsWindow_->addActions(commands_->settingsWindowActions());
        // Closed from the keyboard, the keyboard goes back to the calculator rather than to no window at all.
        connect(clientsWindow_, &FloatingWindow::closed, this, [this] {
            if (window_ && window_->isVisible())
                window_->activateWindow();
        });
    }
    clientsWindow_->setContent(content);
    applyWindowLevel();
    clientsWindow_->show();
    clientsWindow_->raise();
    clientsWindow_->activateWindow();
    content->setFocus(Qt::OtherFocusReason);
}

void AppDelegate::openClient(qint64 id)
{
    if (clients_->open(id, activeWindow()))
        showWindow();
}

// ---- Ending ----

void AppDelegate::saveFrame()
{
    // The content area, not the decorated frame: that is what comes back exactly on the next start.
    if (window_ && hasSavedFrame_)
        store_.settings().setWindowFrame(window_->geometry());
}

void AppDelegate::saveAll()
{
    saveFrame();
    store_.saveNow();
    store_.settings().sync();
}

void AppDelegate::quit()
{
    if (quitting_)
        return;
    quitting_ = true;
    if (contextMenu_)
        contextMenu_->close();
    // A field being edited hands its figure to the record as it loses the focus, before the record is saved.
    if (settingsWindow_)
        settingsWindow_->hide();
    if (clientsWindow_)
        clientsWindow_->hide();
    if (window_)
        window_->hide();
    saveAll();
    Q_EMIT quitting();
    // exit(), not quit(): nothing asks the windows whether they may close. Outside a running loop (a test
    // calling this directly) there is nothing to end, and exit() would end the next loop before it starts.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

} // namespace brolga

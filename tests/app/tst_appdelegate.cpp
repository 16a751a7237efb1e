#include "BrandTestMain.h"
#include "AppTest.h"

#include "app/firstrun/CoachMark.h"
#include "app/firstrun/CoachMarkView.h"
#include "app/settings/SettingsField.h"
#include "app/settings/SettingsWindow.h"
#include "app/settings/ShortcutSettings.h"
#include "app/shell/AppDelegate.h"
#include "app/shell/Commands.h"
#include "app/shell/FloatingWindow.h"
#include "app/shell/ReportTabsPrompt.h"
#include "app/shell/RootView.h"
#include "app/shell/SingleInstance.h"
#include "core/CalculatorStore.h"
#include "core/SafeFile.h"
#include "export/card/SnapshotExporter.h"
#include "export/card/TextCopier.h"
#include "platform/FileDialogs.h"
#include "platform/GlobalShortcut.h"
#include "platform/Platform.h"
#include "platform/WindowPlacement.h"
#include "ui/buttons/BrandCheckBox.h"
#include "ui/buttons/HeaderButton.h"
#include "ui/controls/BrandLabel.h"
#include "ui/controls/NumericField.h"
#include "ui/controls/ToastCapsule.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeySequenceEdit>
#include <QFileInfo>
#include <QEventLoop>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <QLockFile>
#include <QStandardPaths>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace brolga;

namespace {
// A tray icon in a bar along the top of the offscreen screen.
QRect trayInBar()
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return QRect(screen.right() - 200, screen.top(), 22, 22);
}

std::unique_ptr<AppDelegate> launched(AppDelegate::TrayMode mode, bool firstRun = false,
                                      AppDelegate::Start start = AppDelegate::Start::byUser)
{
    if (!firstRun)
        Settings().setHasLaunched(true);
    auto delegate = std::make_unique<AppDelegate>(mode);
    delegate->setTrayGeometrySource(trayInBar);
    delegate->launch(start);
    return delegate;
}

QStringList titles(const QMenu *menu)
{
    QStringList list;
    for (const QAction *a : menu->actions())
        list << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return list;
}

// The coach mark's anchor: a Mac-like screen with the icon in its menu bar.
const QRectF macVisible(0, 25, 1440, 875);
const QRectF iconInBar(1000, 0, 24, 22);

CoachMark::AnchorSource inBar() { return [] { return std::optional<CoachMark::Anchor>({iconInBar, macVisible}); }; }

double storedLoanAmount()
{
    CalculatorStore fresh;
    return fresh.state().loanAmount;
}
} // namespace

class AppDelegateTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        apptest::isolate();
        qApp->setQuitOnLastWindowClosed(false);
    }

    // The window beside the icon for a panel on each edge, kept inside the visible area; `size` is the
    // window with its frame.
    void placement_data()
    {
        QTest::addColumn<QRectF>("visible");
        QTest::addColumn<QRectF>("tray");
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<QPointF>("origin");
        const QSizeF plain = WindowPlacement::windowSize;
        const QRectF belowTop(0, 0, 1920, 1040); // a 40-point panel along the bottom
        // Top: centred under the icon, its top edge 6 below the icon's bottom.
        QTest::newRow("top, centred") << macVisible << QRectF(1000, 0, 24, 22) << plain << QPointF(1012 - 235, 28);
        QTest::newRow("top, right end") << macVisible << QRectF(1416, 0, 20, 22) << plain
                                        << QPointF(1440 - 470 - 8, 28);
        QTest::newRow("top, left end") << macVisible << QRectF(4, 0, 20, 22) << plain << QPointF(8, 28);
        // Bottom: the bottom edge 6 above the icon.
        QTest::newRow("bottom, centred") << belowTop << QRectF(900, 1045, 24, 24) << plain << QPointF(677, 339);
        // The title bar and border count: a framed window stands just as far off the icon.
        QTest::newRow("bottom, framed") << belowTop << QRectF(900, 1045, 24, 24) << QSizeF(472, 721)
                                        << QPointF(676, 318);
        // Left and right: beside the panel, centred on the icon, 8 inside the top and bottom.
        QTest::newRow("left") << QRectF(48, 0, 1872, 1080) << QRectF(12, 500, 24, 24) << plain << QPointF(48, 162);
        QTest::newRow("left, low icon") << QRectF(48, 0, 1872, 1080) << QRectF(12, 1040, 24, 24) << plain
                                        << QPointF(48, 372);
        QTest::newRow("right, high icon")
            << QRectF(0, 0, 1872, 1080) << QRectF(1884, 0, 24, 24) << plain << QPointF(1402, 8);
        // A panel that reserves no room (it hides itself): the icon is inside the area, near the bottom.
        QTest::newRow("bottom, over the area")
            << QRectF(0, 0, 1920, 1080) << QRectF(1800, 1050, 24, 24) << plain << QPointF(1442, 344);
        // No usable icon: a spot near the right end of the top edge stands in.
        QTest::newRow("no geometry") << belowTop << QRectF() << plain << QPointF(1442, 6);
        QTest::newRow("mid-screen icon") << belowTop << QRectF(900, 500, 24, 24) << plain << QPointF(1442, 6);
        // A short screen: the title bar stays on screen.
        QTest::newRow("short screen, top")
            << QRectF(0, 0, 1024, 600) << QRectF(900, -20, 20, 20) << plain << QPointF(546, 0);
        QTest::newRow("short screen, bottom")
            << QRectF(0, 0, 1024, 600) << QRectF(900, 604, 20, 20) << plain << QPointF(546, 8);
    }
    void placement()
    {
        QFETCH(QRectF, visible);
        QFETCH(QRectF, tray);
        QFETCH(QSizeF, size);
        QFETCH(QPointF, origin);
        const QPointF at =
            WindowPlacement::window(visible, tray.isValid() ? std::optional<QRectF>(tray) : std::nullopt, size);
        QCOMPARE(at, origin);
    }

    // Short of room beside the icon the window keeps its width and gives up height; with room it is whole.
    void fit_data()
    {
        QTest::addColumn<QRectF>("visible");
        QTest::addColumn<QRectF>("tray");
        QTest::addColumn<QSizeF>("fitted");
        const QSizeF framed(472, 721);
        QTest::newRow("1280x720, panel at the bottom")
            << QRectF(0, 0, 1280, 688) << QRectF(1200, 693, 22, 22) << QSizeF(472, 679);
        QTest::newRow("short screen, bar at the top")
            << QRectF(0, 25, 1024, 575) << QRectF(900, 0, 20, 22) << QSizeF(472, 564);
        QTest::newRow("panel reserving nothing") << QRectF(0, 0, 1366, 700) << QRectF(1300, 676, 24, 24)
                                                 << QSizeF(472, 662);
        QTest::newRow("room to spare") << QRectF(0, 0, 1920, 1040) << QRectF(900, 1045, 24, 24) << framed;
    }
    void fit()
    {
        QFETCH(QRectF, visible);
        QFETCH(QRectF, tray);
        QFETCH(QSizeF, fitted);
        QCOMPARE(WindowPlacement::fit(visible, tray, QSizeF(472, 721)), fitted);
    }

    // A frame saved low on a taller screen comes back whole inside this one, as wide as ever.
    void restoredFrameFitsTheScreen()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        Settings().setWindowFrame(QRect(40, area.bottom() - 100, 470, 700));
        auto d = launched(AppDelegate::TrayMode::tray);
        d->showWindow();
        QTRY_VERIFY(area.contains(d->window()->frameGeometry()));
        QCOMPARE(d->window()->width(), 470);
    }

    // Escape closes the settings window, as Ctrl+W does, from one of its fields too.
    void escapeClosesSettings()
    {
        auto d = launched(AppDelegate::TrayMode::tray);
        d->showSettings();
        QVERIFY(QTest::qWaitForWindowActive(d->settingsWindow()));
        auto *settings = qobject_cast<SettingsWindow *>(d->settingsWindow()->content());
        auto *field = settings->fields()[0]->findChild<QLineEdit *>();
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(!d->settingsWindow()->isVisible());
    }

    // Where no program may have keys of its own (no window system here), the settings say so, and the keys
    // shown are the stored ones.
    void globalShortcutUnavailable()
    {
        auto d = launched(AppDelegate::TrayMode::tray);
        QCOMPARE(d->globalShortcut().status(), GlobalShortcut::Status::unsupported);
        d->openSettings(SettingsTab::appearance);
        auto *settings = qobject_cast<SettingsWindow *>(d->settingsWindow()->content());
        ShortcutSettings *section = settings->shortcutSettings();
        QVERIFY(section);
        QVERIFY(section->statusLabel()->isVisibleTo(section));
        QVERIFY(!section->checkBox()->isEnabled());
        QCOMPARE(section->keysEdit()->keySequence(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_B));
    }

    // Trigger toggles; Context opens the menu, checked as the record is, and never toggles.
    void trayRouting()
    {
        auto d = launched(AppDelegate::TrayMode::tray, false, AppDelegate::Start::atLogin);
        FloatingWindow *w = d->window();
        QVERIFY(!w->isVisible());

        d->trayActivated(QSystemTrayIcon::Trigger);
        QVERIFY(w->isVisible());
        d->trayActivated(QSystemTrayIcon::Trigger);
        QVERIFY(!w->isVisible());

        d->trayActivated(QSystemTrayIcon::Context);
        QVERIFY(!w->isVisible());
        QMenu *menu = d->contextMenu();
        QVERIFY(menu);
        QCOMPARE(titles(menu), QStringList({"Always on top", "Export snapshot", "Export report (PDF)\u2026",
                                            "Copy figures as text", "Settings\u2026", "-", "Clients", "Undo", "Redo",
                                            "Reset inputs", "-", "Quit Brolga"}));
        QVERIFY(menu->actions().first()->isChecked());
        menu->close();

        d->store().edit([](CalculatorState &s) { s.alwaysOnTop = false; });
        d->trayActivated(QSystemTrayIcon::Context);
        QVERIFY(!d->contextMenu()->actions().first()->isChecked());
        d->contextMenu()->actions().first()->trigger();
        QVERIFY(d->store().state().alwaysOnTop);
        QVERIFY(!w->isVisible());

        // A double click must not undo its own first click.
        d->trayActivated(QSystemTrayIcon::Trigger);
        d->trayActivated(QSystemTrayIcon::DoubleClick);
        QVERIFY(w->isVisible());

        // A minimised window is brought back, not hidden.
        w->showMinimized();
        QTRY_VERIFY(w->isMinimized());
        d->trayActivated(QSystemTrayIcon::Trigger);
        QVERIFY(w->isVisible());
        QVERIFY(!w->isMinimized());
    }

    // First run, the icon clicked before the pointer's time or while it shows: the window stays as the
    // clicks left it, and the pointer neither comes later nor reopens a window the user closed.
    void trayClickedOnFirstRun()
    {
        Settings().setHasLaunched(false);
        auto early = launched(AppDelegate::TrayMode::tray, true);
        early->trayActivated(QSystemTrayIcon::Trigger);
        QVERIFY(early->window()->isVisible());
        QTest::qWait(900);
        QVERIFY(!early->coachMark().isShowing());
        early.reset();
        Settings().setHasLaunched(false);
        auto during = launched(AppDelegate::TrayMode::tray, true);
        QTRY_VERIFY_WITH_TIMEOUT(during->coachMark().isShowing(), 2000);
        during->trayActivated(QSystemTrayIcon::Trigger);
        during->trayActivated(QSystemTrayIcon::Trigger);
        QVERIFY(!during->window()->isVisible());
        during->coachMark().dismiss();
        QTest::qWait(600);
        QVERIFY(!during->window()->isVisible());
    }

    // Placed under the icon once; a moved window keeps its place; a saved frame wins on the next run.
    void placedOnceThenRemembered()
    {
        auto d = launched(AppDelegate::TrayMode::tray, false, AppDelegate::Start::atLogin);
        QVERIFY(!d->hasSavedFrame());
        d->showWindow();
        QVERIFY(d->hasSavedFrame());
        // The frame, title bar and all, beside the icon: corrected once the window system has framed it.
        const QRectF visible = QGuiApplication::primaryScreen()->availableGeometry();
        const auto framePlaced = [&] {
            const QRect frame = d->window()->frameGeometry();
            return QPointF(frame.topLeft()) == WindowPlacement::window(visible, QRectF(trayInBar()), QSizeF(frame.size()));
        };
        QTRY_VERIFY(framePlaced());

        const QPoint moved(40, 30);
        d->window()->move(moved);
        d->trayActivated(QSystemTrayIcon::Trigger);
        d->trayActivated(QSystemTrayIcon::Trigger);
        QCOMPARE(d->window()->pos(), moved);
        const QRect content = d->window()->geometry();
        QCOMPARE(Settings().windowFrame(), std::optional<QRect>(content)); // on disk already: a kill keeps it
        d.reset();

        // The content area comes back to the pixel, run after run.
        for (int run = 0; run < 3; ++run) {
            auto again = launched(AppDelegate::TrayMode::tray);
            QVERIFY(again->hasSavedFrame());
            again->showWindow();
            QCOMPARE(again->window()->geometry(), content);
            again->quit();
        }

        // Saved on a screen that has gone since: placed beside the icon again.
        Settings().setWindowFrame(QRect(-5000, -5000, 470, 700));
        auto lost = launched(AppDelegate::TrayMode::tray, false, AppDelegate::Start::atLogin);
        QVERIFY(!lost->hasSavedFrame());
        lost->showWindow();
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(lost->window()->geometry().topLeft()));
    }

    // The stored frame is the text "x y width height"; anything else is no frame at all, and neither is one
    // whose edges a window cannot reach, so the window is placed afresh instead of somewhere odd.
    void savedFrameText_data()
    {
        QTest::addColumn<QJsonValue>("stored");
        QTest::addColumn<QRect>("frame");
        QTest::newRow("four numbers") << QJsonValue(QStringLiteral("181 160 470 700")) << QRect(181, 160, 470, 700);
        QTest::newRow("left of the primary screen")
            << QJsonValue(QStringLiteral("-1200 40 470 700")) << QRect(-1200, 40, 470, 700);
        QTest::newRow("not text") << QJsonValue(470) << QRect();
        QTest::newRow("three numbers") << QJsonValue(QStringLiteral("1 2 3")) << QRect();
        QTest::newRow("not numbers") << QJsonValue(QStringLiteral("a b c d")) << QRect();
        QTest::newRow("no size") << QJsonValue(QStringLiteral("10 10 0 700")) << QRect();
        QTest::newRow("bottom past the largest int") << QJsonValue(QStringLiteral("0 2147483647 100 100")) << QRect();
    }
    void savedFrameText()
    {
        QFETCH(QJsonValue, stored);
        QFETCH(QRect, frame);
        QDir().mkpath(QFileInfo(Settings::defaultPath()).absolutePath());
        const QJsonObject file{{QString::fromLatin1(Settings::windowFrameKey), stored}};
        QCOMPARE(SafeFile::write(Settings::defaultPath(), QJsonDocument(file).toJson()), QString());
        const auto read = Settings().windowFrame();
        QCOMPARE(read.value_or(QRect()), frame);
        if (frame.isValid()) {
            Settings().setWindowFrame(frame);
            QCOMPARE(Settings().windowFrame(), std::optional<QRect>(frame));
        }
    }

    // The level follows the record whichever way it changes, the settings window sits one above, and the
    // choice is saved.
    void windowLevels()
    {
        auto d = launched(AppDelegate::TrayMode::tray);
        d->showWindow();
        QCOMPARE(d->window()->level(), 3);
        QVERIFY(d->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        d->showSettings();
        QCOMPARE(d->settingsWindow()->level(), 4);

        // The same native window changes layer: re-creating it would drop it from the other desktops.
        QWindow *native = d->window()->windowHandle();
        const QRect content = d->window()->geometry();
        d->toggleAlwaysOnTop();
        QCOMPARE(d->window()->level(), 0);
        QCOMPARE(d->settingsWindow()->level(), 1);
        QVERIFY(!d->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!native->flags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(d->window()->windowHandle(), native);
        QVERIFY(d->window()->isVisible()); // re-flagging must not lose the window
        QCOMPARE(d->window()->geometry(), content);
        QVERIFY(d->store().hasPendingSave());

        d->rootView()->pinButton()->click();
        QCOMPARE(d->window()->level(), 3);
        QCOMPARE(d->settingsWindow()->level(), 4);

        d->store().edit([](CalculatorState &s) { s.alwaysOnTop = false; });
        QCOMPARE(d->window()->level(), 0);
        d->saveAll();
        QVERIFY(!CalculatorStore().state().alwaysOnTop);
    }

    // Every command's shortcut, pressed in the window, reaches its action.
    void shortcuts()
    {
        QTemporaryDir desktop;
        SnapshotExporter::setDesktopFolder(desktop.path());
        auto d = launched(AppDelegate::TrayMode::tray);
        d->showWindow();
        FloatingWindow *w = d->window();
        QVERIFY(QTest::qWaitForWindowActive(w));

        QGuiApplication::clipboard()->clear();
        QTest::keyClick(w, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!QGuiApplication::clipboard()->text().isEmpty());
        QCOMPARE(d->store().toast(), std::optional<QString>(QString::fromUtf16(TextCopier::copiedToast)));

        QTest::keyClick(w, Qt::Key_E, Qt::ControlModifier);
        QTRY_COMPARE(QDir(desktop.path()).entryList({"*.png"}).size(), 1);

        // The report starts with the tab on show ticked, then its save dialog proposes a dated name in the
        // Desktop folder.
        std::vector<CalculatorTab> ticked;
        ReportTabsPrompt::setHandler([&](const ReportTabsPrompt::Request &request) {
            ticked = request.ticked;
            return std::optional(request.ticked);
        });
        QString proposed;
        FileDialogs::setSaveHandler([&](const FileDialogs::Request &request) {
            proposed = request.suggestedPath;
            return std::optional<QString>(QDir(desktop.path()).filePath(QStringLiteral("client")));
        });
        QTest::keyClick(w, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
        FileDialogs::setSaveHandler({});
        ReportTabsPrompt::setHandler({});
        QCOMPARE(ticked, std::vector{CalculatorTab::repayment});
        QCOMPARE(QFileInfo(proposed).dir().path(), desktop.path());
        QVERIFY2(proposed.endsWith(QStringLiteral(".pdf")), qPrintable(proposed));
        QVERIFY(QFileInfo::exists(QDir(desktop.path()).filePath(QStringLiteral("client.pdf"))));
        QCOMPARE(d->store().toast(), std::optional<QString>(QStringLiteral("Report saved: client.pdf")));

        QTest::keyClick(w, Qt::Key_Comma, Qt::ControlModifier);
        QVERIFY(d->settingsWindow() && d->settingsWindow()->isVisible());
        auto *settings = qobject_cast<SettingsWindow *>(d->settingsWindow()->content());
        QVERIFY(settings);
        QCOMPARE(settings->tab(), SettingsTab::identity);
        d->settingsWindow()->close();

        const auto press = [&](Qt::Key key) {
            d->showWindow();
            QVERIFY(QTest::qWaitForWindowActive(w));
            QTest::keyClick(w, key, Qt::ControlModifier);
        };
        press(Qt::Key_W);
        QVERIFY(!w->isVisible());
        QVERIFY(d->window()); // hidden, not destroyed
        press(Qt::Key_H);
        QVERIFY(!w->isVisible());
        press(Qt::Key_M);
        QTRY_VERIFY(w->isMinimized());
        QSignalSpy quitting(d.get(), &AppDelegate::quitting);
        press(Qt::Key_Q);
        QCOMPARE(quitting.count(), 1);
        SnapshotExporter::setDesktopFolder(std::nullopt);
    }

    // Ctrl+Z in the window, focus in a number field, takes back "Reset inputs" and "Use … in Capacity"
    // rather than the field's own text; so does the toast's Undo, and the field shows the figure put back.
    void undoInTheWindow_data()
    {
        QTest::addColumn<bool>("reset");
        QTest::addColumn<bool>("byToast");
        QTest::newRow("reset, Ctrl+Z") << true << false;
        QTest::newRow("sent, Ctrl+Z") << false << false;
        QTest::newRow("sent, toast") << false << true;
    }
    void undoInTheWindow()
    {
        QFETCH(bool, reset);
        QFETCH(bool, byToast);
        auto d = launched(AppDelegate::TrayMode::tray);
        CalculatorStore &store = d->store();
        store.edit([](CalculatorState &s) {
            s.activeTab = CalculatorTab::capacity;
            s.grossIncome = 205000;
            s.payBasis = PayBasis::annual;
            s.payRate = 95000;
        });
        d->showWindow();
        QVERIFY(QTest::qWaitForWindowActive(d->window()));
        auto *income = d->rootView()->findChild<NumericField *>(QStringLiteral("grossIncome"));
        income->lineEdit()->setFocus();
        QTRY_VERIFY(income->lineEdit()->hasFocus());
        if (reset)
            d->commands().action(Commands::Id::resetInputs)->trigger();
        else
            store.sendIncomeToCapacity();
        QVERIFY(store.state().grossIncome != 205000);
        QVERIFY(store.toastUndoable());
        QCOMPARE(QAccessible::queryAccessibleInterface(d->rootView()->toast())->text(QAccessible::Description),
                 QStringLiteral("Undo (Ctrl+Z)"));
        QWidget *toastUndo = d->rootView()->toastUndo();
        if (byToast) {
            QTRY_VERIFY(toastUndo->isVisible());
            QTest::mouseClick(toastUndo, Qt::LeftButton);
        } else {
            QTest::keyClick(income->lineEdit(), Qt::Key_Z, Qt::ControlModifier);
        }
        QCOMPARE(store.state().grossIncome, 205000.0);
        QCOMPARE(income->text(), QStringLiteral("205,000"));
        // What it offered to undo is undone: the offer goes.
        QVERIFY(!store.toastUndoable());
        QTRY_VERIFY(!toastUndo->isVisible());
        QTest::keyClick(income->lineEdit(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(store.state().grossIncome != 205000);
    }

    // One action per command: the tray menu's check and the header's pin are the same object, so a toggle from
    // either shows in both, to the eye and to a reader; the keys a button's tool tip names are the keys that
    // run its command.
    void commandsAreSharedActions()
    {
        QTemporaryDir desktop;
        SnapshotExporter::setDesktopFolder(desktop.path());
        auto d = launched(AppDelegate::TrayMode::tray);
        d->showWindow();
        QVERIFY(QTest::qWaitForWindowActive(d->window()));
        HeaderButton *pin = d->rootView()->pinButton();
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(pin);
        QVERIFY(pin->isChecked());
        QVERIFY(node->state().checkable && node->state().checked);

        d->trayActivated(QSystemTrayIcon::Context);
        QMenu *menu = d->contextMenu();
        QCOMPARE(menu->actions().first(), pin->action());
#if !defined(Q_OS_MACOS)
        // Every item names its keys there (on macOS only Quit does, as the platform's menus do).
        for (const QAction *item : menu->actions())
            QVERIFY2(item->shortcut().isEmpty() || item->isShortcutVisibleInContextMenu(), qPrintable(item->text()));
#endif
        menu->actions().first()->trigger();
        menu->close();
        QVERIFY(!d->store().state().alwaysOnTop);
        QCOMPARE(d->window()->level(), 0);
        QVERIFY(!pin->isChecked());
        QCOMPARE(pin->symbol(), QStringLiteral("pin.slash"));
        QVERIFY(!node->state().checked);
        QCOMPARE(node->text(QAccessible::Name), QStringLiteral("Always on top: off"));
        pin->click();
        QVERIFY(d->store().state().alwaysOnTop);
        QCOMPARE(d->window()->level(), 3);
        QVERIFY(node->state().checked);

        for (HeaderButton *button :
             {d->rootView()->copyButton(), d->rootView()->snapshotButton(), d->rootView()->settingsButton()}) {
            const QString tip = button->toolTip();
            const QKeySequence keys =
                QKeySequence::fromString(tip.section(QLatin1Char('('), -1).chopped(1), QKeySequence::NativeText);
            QVERIFY2(!keys.isEmpty(), qPrintable(tip));
            QSignalSpy ran(button->action(), &QAction::triggered);
            d->showWindow();
            QVERIFY(QTest::qWaitForWindowActive(d->window()));
            QTest::keySequence(d->window(), keys);
            QVERIFY2(ran.count() == 1, qPrintable(tip));
        }
        SnapshotExporter::setDesktopFolder(std::nullopt);
    }

    // The menu bar titles its items, yet each runs the one shared command, shows its keys without claiming
    // them a second time, and greys with it.
    void mainMenuRunsSharedCommands()
    {
        auto d = launched(AppDelegate::TrayMode::tray);
        Commands commands(d->store());
        QMenuBar bar;
        commands.addMainMenus(&bar);
        QMenu *app = bar.actions().first()->menu();
        QStringList titles;
        for (const QAction *item : app->actions())
            titles << item->text();
        QCOMPARE(titles.mid(0, 3),
                 (QStringList{"Export Snapshot", "Export Report (PDF)\u2026", "Copy Figures as Text"}));
        const Commands::Id ids[] = {Commands::Id::exportSnapshot, Commands::Id::exportReport,
                                    Commands::Id::copyFigures};
        for (int i = 0; i < 3; ++i) {
            QAction *item = app->actions().at(i);
            QAction *shared = commands.action(ids[i]);
            QCOMPARE(item->shortcut(), shared->shortcut());
            QCOMPARE(item->shortcutContext(), Qt::WidgetShortcut);
            QSignalSpy ran(shared, &QAction::triggered);
            item->trigger();
            QCOMPARE(ran.count(), 1);
            shared->setEnabled(false);
            QVERIFY(!item->isEnabled());
        }
        QCOMPARE(app->actions().at(4), commands.action(Commands::Id::settings));
    }

    // Line edits claim Ctrl+E for "end of line" where the keyboard scheme is X11's (not offscreen's, so a
    // stand-in claims it here); typing a figure must not disable the export.
    void exportWhileTyping_data()
    {
        QTest::addColumn<bool>("inSettings");
        QTest::newRow("calculator window") << false;
        QTest::newRow("settings window") << true;
    }
    void exportWhileTyping()
    {
        QFETCH(bool, inSettings);
        struct ClaimsEveryKey : QLineEdit {
            using QLineEdit::QLineEdit;
            bool event(QEvent *e) override
            {
                if (e->type() == QEvent::ShortcutOverride) {
                    e->accept();
                    return true;
                }
                return QLineEdit::event(e);
            }
        };
        QTemporaryDir desktop;
        SnapshotExporter::setDesktopFolder(desktop.path());
        auto d = launched(AppDelegate::TrayMode::tray);
        d->showWindow();
        QVERIFY(QTest::qWaitForWindowActive(d->window()));
        QWidget *host = d->window();
        if (inSettings) {
            d->showSettings();
            host = d->settingsWindow();
            QVERIFY(QTest::qWaitForWindowActive(host));
        }
        auto *field = new ClaimsEveryKey(host);
        field->show();
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        QTest::keyClick(field, Qt::Key_E, Qt::ControlModifier);
        QTRY_COMPARE(QDir(desktop.path()).entryList({"*.png"}).size(), 1);
        SnapshotExporter::setDesktopFolder(std::nullopt);
    }

    void closeButtonHides()
    {
        auto d = launched(AppDelegate::TrayMode::tray);
        d->showWindow();
        QSignalSpy quitting(d.get(), &AppDelegate::quitting);
        QVERIFY(!d->window()->close());
        QVERIFY(!d->window()->isVisible());
        QCOMPARE(quitting.count(), 0);
    }

    // First run: the pointer half a second after launch, the window only once it has gone. Second run: the
    // window at once (macOS: only the icon). A start at login before either shows nothing and keeps the pointer.
    void firstAndSecondLaunch()
    {
        {
            auto atLogin = launched(AppDelegate::TrayMode::tray, true, AppDelegate::Start::atLogin);
            QVERIFY(atLogin->trayIcon());
            QTest::qWait(900);
            QVERIFY(!atLogin->coachMark().isShowing());
            QVERIFY(!atLogin->window()->isVisible());
            QVERIFY(!Settings().hasLaunched());
        }
        auto d = launched(AppDelegate::TrayMode::tray, true);
        QVERIFY(Settings().hasLaunched());
        QVERIFY(!d->coachMark().isShowing());
        QTRY_VERIFY_WITH_TIMEOUT(d->coachMark().isShowing(), 2000);
        QVERIFY(!d->window()->isVisible());
        d->coachMark().dismiss();
        QVERIFY(!d->window()->isVisible());
        QTRY_VERIFY(d->window()->isVisible());
        d.reset();

        auto second = launched(AppDelegate::TrayMode::tray, true);
        QTest::qWait(900);
        QVERIFY(!second->coachMark().isShowing());
#ifdef Q_OS_MACOS
        QVERIFY(!second->window()->isVisible());
#else
        QVERIFY(second->window()->isVisible());
#endif
    }

    // Without a tray: the window at launch, in the task bar, no pointer; closing saves and quits.
    void noTray()
    {
        auto d = launched(AppDelegate::TrayMode::noTray, true);
        QVERIFY(!d->trayIcon());
        QVERIFY(d->window()->isVisible());
        QVERIFY(!d->window()->windowFlags().testFlag(Qt::Tool));
        QTest::qWait(800);
        QVERIFY(!d->coachMark().isShowing());

        // Hiding would leave no way back: it minimises instead.
        d->hideApplication();
        QVERIFY(d->window()->isVisible());
        d->showWindow();

        d->store().edit([](CalculatorState &s) { s.loanAmount = 654321; });
        QVERIFY(d->store().hasPendingSave());
        QSignalSpy quitting(d.get(), &AppDelegate::quitting);
        QVERIFY(d->window()->close());
        QCOMPARE(quitting.count(), 1);
        QCOMPARE(storedLoanAmount(), 654321.0);
    }

    // A record that could not be read as it was is said so once, when the window is first up; the
    // identity read from what was left of it is there.
    void damagedRecordIsAnnouncedOnce()
    {
        const QString path = Settings::defaultPath();
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"({"Brolga.state.v1": {"brokerName": "Ana Silva", "loanAmount": 480000)");
        file.close();
        auto d = launched(AppDelegate::TrayMode::noTray, true);
        QCOMPARE(d->store().state().brokerName, QStringLiteral("Ana Silva"));
        QCOMPARE(d->store().toast(), std::optional<QString>(QString::fromUtf16(Settings::recoveredNotice)));
        QTRY_VERIFY_WITH_TIMEOUT(!d->store().toast(), CalculatorStore::toastMs + 1000);
        d->hideApplication();
        d->showWindow();
        QVERIFY(!d->store().toast());
    }

    // However the program ends, a pending save is written first.
    void pendingSaveWrittenAtQuit()
    {
        {
            auto d = launched(AppDelegate::TrayMode::tray);
            d->store().edit([](CalculatorState &s) { s.loanAmount = 111111; });
            QVERIFY(d->store().hasPendingSave());
            d->quit();
            QCOMPARE(storedLoanAmount(), 111111.0);
        }
        {
            auto d = launched(AppDelegate::TrayMode::tray);
            d->store().edit([](CalculatorState &s) { s.loanAmount = 222222; });
            QMetaObject::invokeMethod(qApp, "aboutToQuit", Qt::DirectConnection);
            QCOMPARE(storedLoanAmount(), 222222.0);
        }
        {
            // The session ends: its manager asks first. The save needs nothing of the manager Qt would pass.
            auto d = launched(AppDelegate::TrayMode::tray);
            d->store().edit([](CalculatorState &s) { s.loanAmount = 333333; });
            QMetaObject::invokeMethod(qApp, "commitDataRequest", Qt::DirectConnection,
                                      QGenericArgument("QSessionManager&", nullptr));
            QCOMPARE(storedLoanAmount(), 333333.0);
        }
    }

    // SIGTERM is turned into an ordinary call on the event loop instead of killing us.
    void terminationSignal()
    {
        int calls = 0;
        Platform::onTerminationSignals(qApp, [&] { ++calls; });
        std::raise(SIGTERM);
        QTRY_COMPARE(calls, 1);
        std::raise(SIGINT);
        QTRY_COMPARE(calls, 2);
    }

    // The pointer beside the icon on each edge, its arrow's tip on the icon's middle where the screen allows.
    void bubbleGeometry_data()
    {
        QTest::addColumn<QRectF>("visible");
        QTest::addColumn<QRectF>("tray");
        QTest::addColumn<QRectF>("frame");
        QTest::addColumn<int>("edge");
        QTest::addColumn<qreal>("arrowInset");
        const int top = int(WindowPlacement::Edge::top), bottom = int(WindowPlacement::Edge::bottom);
        const int left = int(WindowPlacement::Edge::left), right = int(WindowPlacement::Edge::right);
        // Room on both sides: the arrow sits 40 in from the right end, under the middle of the icon.
        QTest::newRow("top, middle") << macVisible << QRectF(1000, 0, 24, 22) << QRectF(732, 25, 320, 84) << top
                                     << qreal(40);
        // Near the right edge the bubble stays 8 inside and the arrow moves right to stay under the icon.
        QTest::newRow("top, right edge") << macVisible << QRectF(1416, 0, 20, 22) << QRectF(1112, 25, 320, 84) << top
                                         << qreal(16);
        QTest::newRow("top, far left") << macVisible << QRectF(0, 0, 20, 22) << QRectF(8, 25, 320, 84) << top
                                       << qreal(304);
        // Bottom: above the icon, the arrow under the bubble pointing down at it.
        QTest::newRow("bottom") << QRectF(0, 0, 1920, 1040) << QRectF(1800, 1045, 24, 24) << QRectF(1532, 956, 320, 84)
                                << bottom << qreal(40);
        QTest::newRow("bottom, right corner") << QRectF(0, 0, 1920, 1040) << QRectF(1890, 1045, 24, 24)
                                              << QRectF(1592, 956, 320, 84) << bottom << qreal(16);
        // Left and right: beside the panel, the arrow on the side, measured from the bubble's top.
        QTest::newRow("left") << QRectF(48, 0, 1872, 1080) << QRectF(12, 500, 24, 24) << QRectF(48, 474.5, 329, 75)
                              << left << qreal(37.5);
        QTest::newRow("right") << QRectF(0, 0, 1872, 1080) << QRectF(1884, 300, 24, 24) << QRectF(1543, 274.5, 329, 75)
                               << right << qreal(37.5);
        QTest::newRow("right, top corner")
            << QRectF(0, 0, 1872, 1080) << QRectF(1884, 0, 24, 24) << QRectF(1543, 8, 329, 75) << right << qreal(16);
    }
    void bubbleGeometry()
    {
        QFETCH(QRectF, visible);
        QFETCH(QRectF, tray);
        QFETCH(QRectF, frame);
        QFETCH(int, edge);
        QFETCH(qreal, arrowInset);
        QCOMPARE(WindowPlacement::trayEdge(visible, tray), std::optional<WindowPlacement::Edge>(WindowPlacement::Edge(edge)));
        const WindowPlacement::Bubble b = WindowPlacement::bubble(visible, tray, WindowPlacement::Edge(edge));
        QCOMPARE(b.frame, frame);
        QCOMPARE(int(b.arrowEdge), edge);
        QCOMPARE(b.arrowInset, arrowInset);
    }

    // On a bottom panel the pointer shows above the icon, saying so.
    void pointerOverABottomPanel()
    {
        CoachMark mark;
        int runs = 0;
        const QRectF visible(0, 0, 1920, 1040);
        mark.show(
            [visible] {
                return std::optional<CoachMark::Anchor>({QRectF(1800, 1045, 24, 24), visible});
            },
            100, 0, [&] { ++runs; });
        QVERIFY(mark.isShowing());
        QCOMPARE(mark.view()->arrowEdge(), WindowPlacement::Edge::bottom);
        QCOMPARE(mark.view()->titleText(), QStringLiteral("Brolga lives down here"));
        QCOMPARE(mark.view()->geometry(), QRect(1532, 956, 320, 84));
        QTRY_COMPARE(runs, 1);
    }

    // A click and the time-out racing each other, or a key, or the time-out alone: the completion runs once,
    // only after the fade, and the preference records that the pointer was shown.
    void completionRunsOnce_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("click racing the time-out") << "click";
        QTest::newRow("key") << "key";
        QTest::newRow("time-out") << "timeout";
    }
    void completionRunsOnce()
    {
        QFETCH(QString, how);
        QWidget other;
        other.resize(100, 100);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));

        CoachMark mark;
        int runs = 0;
        const int timeout = how == QLatin1String("timeout") ? 150 : (how == QLatin1String("click") ? 40 : 5000);
        mark.show(inBar(), timeout, 0, [&] { ++runs; });
        QVERIFY(mark.isShowing());
        QVERIFY(mark.view()->testAttribute(Qt::WA_TransparentForMouseEvents));
        QVERIFY(Settings().coachMarkShown());
        QCOMPARE(mark.view()->arrowInset(), 40.0);
        QCOMPARE(mark.view()->titleText(), QStringLiteral("Brolga lives up here"));

        if (how == QLatin1String("click")) {
            QTest::qWait(35);
            QTest::mouseClick(&other, Qt::LeftButton);
        } else if (how == QLatin1String("key")) {
            QTest::keyClick(&other, Qt::Key_A);
        }
        QTRY_VERIFY(!mark.isShowing());
        QCOMPARE(runs, 0); // still fading
        QTRY_COMPARE(runs, 1);
        QTest::qWait(300);
        QCOMPARE(runs, 1);
        mark.dismiss();
        QTest::qWait(250);
        QCOMPARE(runs, 1);
    }

    void secondShowIsIgnored()
    {
        CoachMark mark;
        int first = 0, second = 0;
        mark.show(inBar(), 100, 0, [&] { ++first; });
        mark.show(inBar(), 100, 0, [&] { ++second; });
        QTRY_COMPARE(first, 1);
        QTest::qWait(200);
        QCOMPARE(second, 0);
    }

    void noIconRunsCompletionAtOnce()
    {
        CoachMark mark;
        int runs = 0;
        mark.show([] { return std::optional<CoachMark::Anchor>(); }, 100, 0, [&] { ++runs; });
        QCOMPARE(runs, 1);
        QVERIFY(!mark.isShowing());
        QVERIFY(!Settings().coachMarkShown());
    }

    // An icon that never reaches a panel is looked for 13 times, 0.25 s apart, then given up.
    void iconNeverInBarGivesUp()
    {
        CoachMark mark;
        int looks = 0, runs = 0;
        mark.show(
            [&] {
                ++looks;
                return std::optional<CoachMark::Anchor>({QRectF(700, 400, 24, 20), macVisible});
            },
            100, 0, [&] { ++runs; });
        QVERIFY(mark.isWaitingForIcon());
        QCOMPARE(CoachMark::retryMs, 250);
        // A second caller while waiting is ignored too.
        int other = 0;
        mark.show(inBar(), 100, 0, [&] { ++other; });
        QCoreApplication::processEvents();
        QCOMPARE(looks, 1); // the next look waits for its timer
        QTRY_COMPARE_WITH_TIMEOUT(runs, 1, 6000);
        QCOMPARE(looks, 13);
        QVERIFY(!mark.isShowing());
        QCOMPARE(other, 0);
    }

    void iconArrivingLateIsPointedAt()
    {
        CoachMark mark;
        int looks = 0, runs = 0;
        mark.show(
            [&] {
                ++looks;
                const QRectF tray = looks < 3 ? QRectF() : iconInBar;
                return std::optional<CoachMark::Anchor>({tray, macVisible});
            },
            100, 0, [&] { ++runs; });
        QTRY_VERIFY(mark.isShowing());
        QCOMPARE(looks, 3);
        QTRY_COMPARE(runs, 1);
    }

    // However it is asked for and whatever is open, quitting ends the event loop with status 0 on the first
    // request, with the record saved.
    void quitEndsTheLoopWhateverIsOpen_data()
    {
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("how");
        for (const char *open : {"shown", "hidden", "minimised", "settings"})
            for (const char *how : {"quit request", "Ctrl+Q", "tray menu"})
                if (QByteArray(open) != "hidden" || QByteArray(how) != "Ctrl+Q") // no window for the keys
                    QTest::addRow("%s, %s", open, how) << QString::fromLatin1(open) << QString::fromLatin1(how);
    }
    void quitEndsTheLoopWhateverIsOpen()
    {
        QFETCH(QString, open);
        QFETCH(QString, how);
        auto d = launched(AppDelegate::TrayMode::tray);
        d->showWindow();
        QVERIFY(QTest::qWaitForWindowActive(d->window()));
        QWidget *keys = d->window();
        if (open == QLatin1String("hidden")) {
            d->window()->hide();
        } else if (open == QLatin1String("minimised")) {
            d->window()->showMinimized();
            QTRY_VERIFY(d->window()->isMinimized());
        } else if (open == QLatin1String("settings")) {
            d->showSettings();
            keys = d->settingsWindow();
            QVERIFY(QTest::qWaitForWindowActive(keys));
        }
        d->store().edit([](CalculatorState &s) { s.loanAmount = 424242; });

        QTimer::singleShot(0, d.get(), [&] {
            if (how == QLatin1String("quit request")) {
                QCoreApplication::quit(); // the platform's own way: the session, the Dock, SIGTERM of old
            } else if (how == QLatin1String("Ctrl+Q")) {
                QTest::keyClick(keys, Qt::Key_Q, Qt::ControlModifier);
            } else {
                d->trayActivated(QSystemTrayIcon::Context);
                d->contextMenu()->actions().constLast()->trigger();
            }
        });
        // Should the quit be refused, the loop ends here with another status.
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(3); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(d->isQuitting());
        QCOMPARE(storedLoanAmount(), 424242.0);
    }

    // Launch and every showing put the keyboard in the active tab's first field, never on a header button.
    void focusStartsInTheFirstField_data()
    {
        QTest::addColumn<int>("tabIndex");
        QTest::newRow("Repayment") << int(CalculatorTab::repayment);
        QTest::newRow("Capacity") << int(CalculatorTab::capacity);
        QTest::newRow("Income") << int(CalculatorTab::income);
        QTest::newRow("Upfront") << int(CalculatorTab::upfront);
    }
    void focusStartsInTheFirstField()
    {
        QFETCH(int, tabIndex);
        const auto tab = CalculatorTab(tabIndex);
        auto d = launched(AppDelegate::TrayMode::tray);
        d->store().edit([tab](CalculatorState &s) { s.activeTab = tab; });
        for (int showing = 0; showing < 2; ++showing) {
            d->showWindow();
            // The window's focus is what the keyboard reaches once the window system activates it.
            QWidget *focus = d->window()->focusWidget();
            QVERIFY(focus);
            QVERIFY2(d->rootView()->activeScreen()->isAncestorOf(focus), qPrintable(focus->objectName()));
            QVERIFY(qobject_cast<QLineEdit *>(focus)); // takes typing: not a header button, not a picker
            if (tab == CalculatorTab::repayment) {
                auto *field = qobject_cast<NumericField *>(focus->parentWidget());
                QVERIFY(field);
                QCOMPARE(field->config().label, QStringLiteral("Loan amount"));
            }
            // Somewhere else before hiding: the next showing starts from the first field again.
            d->rootView()->pinButton()->setFocus();
            d->window()->hide();
        }
    }

    // Fixed size, no maximise; on every desktop; out of the task bar only with a tray.
    void windowShapeAndDesktopHints()
    {
        for (auto mode : {AppDelegate::TrayMode::tray, AppDelegate::TrayMode::noTray}) {
            auto d = launched(mode);
            FloatingWindow *w = d->window();
            QCOMPARE(w->minimumSize(), WindowPlacement::windowSize.toSize());
            QCOMPARE(w->maximumSize(), WindowPlacement::windowSize.toSize());
            QVERIFY(!w->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
            QVERIFY(w->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
            QVERIFY(w->isOnAllDesktops());
            QCOMPARE(w->skipsTaskbar(), mode == AppDelegate::TrayMode::tray);
            d->showSettings();
            QVERIFY(!d->settingsWindow()->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
            QCOMPARE(d->settingsWindow()->skipsTaskbar(), mode == AppDelegate::TrayMode::tray);
            d->settingsWindow()->close();
        }
    }

    // One instance: a later launch finds the lock taken and hands over; the running one is asked to show.
    void singleInstanceHandsOver()
    {
        QTemporaryDir folder;
        SingleInstance running(folder.path());
        QVERIFY(running.acquire());
        QVERIFY(running.isPrimary());
        QSignalSpy asked(&running, &SingleInstance::activationRequested);

        for (int launch = 1; launch <= 2; ++launch) {
            SingleInstance later(folder.path());
            QVERIFY(!later.acquire());
            QVERIFY(!later.isPrimary());
            QVERIFY(later.handOver(2000));
            QTRY_COMPARE(asked.count(), launch);
        }
    }

    // A lock and a socket left by a process that was killed are taken over; a lock given up on a normal end
    // is free again; with nobody running, a hand-over reports failure instead of waiting for ever.
    void singleInstanceSurvivesAStaleLock()
    {
        QTemporaryDir folder;
        SingleInstance probe(folder.path());
        // A child takes the lock and dies without a word, as a killed Brolga would.
        const pid_t child = fork();
        if (child == 0) {
            QLockFile lock(probe.lockPath());
            lock.setStaleLockTime(0);
            _exit(lock.tryLock(0) ? 0 : 1);
        }
        int status = -1;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        QVERIFY(QFile::exists(probe.lockPath()));
        QFile leftover(probe.serverName());
        QVERIFY(leftover.open(QIODevice::WriteOnly));
        leftover.close();

        QVERIFY(!SingleInstance(folder.path()).handOver(300)); // the dead one answers nothing

        {
            SingleInstance next(folder.path());
            QVERIFY(next.acquire());
            QSignalSpy asked(&next, &SingleInstance::activationRequested);
            QVERIFY(SingleInstance(folder.path()).handOver(2000));
            QTRY_COMPARE(asked.count(), 1);
        }
        // Ended normally: the lock is free for the next start.
        SingleInstance after(folder.path());
        QVERIFY(after.acquire());
    }
};

BROLGA_TEST_MAIN(AppDelegateTest)
#include "tst_appdelegate.moc"

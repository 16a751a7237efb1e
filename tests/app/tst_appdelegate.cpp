#include "AppTest.h"

#include "app/AppDelegate.h"
#include "app/CoachMark.h"
#include "app/CoachMarkView.h"
#include "app/FloatingWindow.h"
#include "app/HeaderButton.h"
#include "app/Placement.h"
#include "app/RootView.h"
#include "app/SettingsWindow.h"
#include "core/CalculatorStore.h"
#include "export/SnapshotExporter.h"
#include "export/TextCopier.h"
#include "platform/Platform.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace brolga;

namespace {
// A tray icon in a bar along the top of the offscreen screen.
QRect trayInBar()
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return QRect(screen.right() - 200, screen.top(), 22, 22);
}

std::unique_ptr<AppDelegate> launched(AppDelegate::TrayMode mode, bool firstRun = false)
{
    if (!firstRun)
        Settings().setHasLaunched(true);
    auto delegate = std::make_unique<AppDelegate>(mode);
    delegate->setTrayGeometrySource(trayInBar);
    delegate->launch();
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

    void placement_data()
    {
        QTest::addColumn<QRectF>("visible");
        QTest::addColumn<QRectF>("tray");
        QTest::addColumn<QPointF>("origin");
        // Centred under the icon, its top edge 6 below the icon's bottom.
        QTest::newRow("centred") << macVisible << QRectF(1000, 0, 24, 22) << QPointF(1012 - 235, 28);
        // Near the right edge: 8 inside the visible area.
        QTest::newRow("right edge") << macVisible << QRectF(1416, 0, 20, 22) << QPointF(1440 - 470 - 8, 28);
        QTest::newRow("left edge") << macVisible << QRectF(4, 0, 20, 22) << QPointF(8, 28);
        // An icon in a bottom task bar is not pointed at: a spot near the top right stands in.
        QTest::newRow("bottom task bar") << QRectF(0, 0, 1920, 1040) << QRectF(1800, 1045, 24, 24)
                                         << QPointF(1920 - 470 - 8, 6);
        QTest::newRow("no geometry") << QRectF(0, 0, 1920, 1040) << QRectF() << QPointF(1920 - 470 - 8, 6);
        // A short screen: the title bar stays on screen.
        QTest::newRow("short screen") << QRectF(0, 0, 1024, 600) << QRectF(900, -20, 20, 20) << QPointF(546, 0);
    }
    void placement()
    {
        QFETCH(QRectF, visible);
        QFETCH(QRectF, tray);
        QFETCH(QPointF, origin);
        QCOMPARE(Placement::window(visible, tray.isValid() ? std::optional<QRectF>(tray) : std::nullopt), origin);
    }

    // Trigger toggles; Context opens the menu, checked as the record is, and never toggles.
    void trayRouting()
    {
        auto d = launched(AppDelegate::TrayMode::tray);
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
        QCOMPARE(titles(menu), QStringList({"Always on top", "Export snapshot", "Copy figures as text",
                                            "Settings\u2026", "-", "Reset inputs", "-", "Quit Brolga"}));
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

    // Placed under the icon once; a moved window keeps its place; a saved frame wins on the next run.
    void placedOnceThenRemembered()
    {
        auto d = launched(AppDelegate::TrayMode::tray);
        QVERIFY(!d->hasSavedFrame());
        d->showWindow();
        const QRectF visible = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(QPointF(d->window()->pos()), Placement::window(visible, QRectF(trayInBar())));
        QVERIFY(d->hasSavedFrame());

        const QPoint moved(40, 30);
        d->window()->move(moved);
        d->trayActivated(QSystemTrayIcon::Trigger);
        d->trayActivated(QSystemTrayIcon::Trigger);
        QCOMPARE(d->window()->pos(), moved);
        d->saveAll();
        d.reset();

        auto again = launched(AppDelegate::TrayMode::tray);
        QVERIFY(again->hasSavedFrame());
        again->showWindow();
        // Within the frame the platform adds around a restored window.
        QVERIFY((again->window()->pos() - moved).manhattanLength() <= 4);
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

        d->toggleAlwaysOnTop();
        QCOMPARE(d->window()->level(), 0);
        QCOMPARE(d->settingsWindow()->level(), 1);
        QVERIFY(!d->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(d->window()->isVisible()); // re-flagging must not lose the window
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

    // Line edits claim Ctrl+E for "end of line" where the keyboard scheme is X11's (not offscreen's, so a
    // stand-in claims it here); typing a figure must not disable the export.
    void exportWhileTyping()
    {
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
        auto *field = new ClaimsEveryKey(d->window());
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

    // First run: the pointer half a second after launch, the window only once it has gone. Second run:
    // nothing opens by itself.
    void firstAndSecondLaunch()
    {
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
        QVERIFY(!second->window()->isVisible());
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

    void bubbleGeometry_data()
    {
        QTest::addColumn<QRectF>("tray");
        QTest::addColumn<QRectF>("frame");
        QTest::addColumn<qreal>("arrowInset");
        // Room on both sides: the arrow sits 40 in from the right end, under the middle of the icon.
        QTest::newRow("middle") << QRectF(1000, 0, 24, 22) << QRectF(732, 25, 320, 84) << qreal(40);
        // Near the right edge the bubble stays 8 inside and the arrow moves right to stay under the icon.
        QTest::newRow("right edge") << QRectF(1416, 0, 20, 22) << QRectF(1112, 25, 320, 84) << qreal(16);
        QTest::newRow("far left") << QRectF(0, 0, 20, 22) << QRectF(8, 25, 320, 84) << qreal(304);
    }
    void bubbleGeometry()
    {
        QFETCH(QRectF, tray);
        QFETCH(QRectF, frame);
        QFETCH(qreal, arrowInset);
        const Placement::Bubble b = Placement::bubble(macVisible, tray);
        QCOMPARE(b.frame, frame);
        QCOMPARE(b.arrowInsetFromRight, arrowInset);
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
        QCOMPARE(mark.view()->arrowInsetFromRight(), 40.0);

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

    // An icon that never reaches the top bar is looked for 13 times over about 3 seconds, then given up.
    void iconNeverInBarGivesUp()
    {
        CoachMark mark;
        int looks = 0, runs = 0;
        QElapsedTimer clock;
        clock.start();
        mark.show(
            [&] {
                ++looks;
                return std::optional<CoachMark::Anchor>({QRectF(1000, 880, 24, 20), macVisible});
            },
            100, 0, [&] { ++runs; });
        QVERIFY(mark.isWaitingForIcon());
        // A second caller while waiting is ignored too.
        int other = 0;
        mark.show(inBar(), 100, 0, [&] { ++other; });
        QTRY_COMPARE_WITH_TIMEOUT(runs, 1, 6000);
        QCOMPARE(looks, 13);
        QVERIFY(clock.elapsed() >= 2900);
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
};

QTEST_MAIN(AppDelegateTest)
#include "tst_appdelegate.moc"

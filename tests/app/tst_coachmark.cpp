#include "AppTest.h"

#include "app/CoachMark.h"
#include "app/CoachMarkView.h"
#include "app/Placement.h"
#include "core/Settings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

using namespace brolga;

namespace {
const QRectF visible(0, 25, 1440, 875);
const QRectF trayInBar(1000, 0, 24, 22);

CoachMark::AnchorSource inBar() { return [] { return std::optional<CoachMark::Anchor>({trayInBar, visible}); }; }
} // namespace

class CoachMarkTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        apptest::isolate();
        qApp->setQuitOnLastWindowClosed(false);
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
        const Placement::Bubble b = Placement::bubble(visible, tray);
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
                return std::optional<CoachMark::Anchor>({QRectF(1000, 880, 24, 20), visible});
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
                const QRectF tray = looks < 3 ? QRectF() : trayInBar;
                return std::optional<CoachMark::Anchor>({tray, visible});
            },
            100, 0, [&] { ++runs; });
        QTRY_VERIFY(mark.isShowing());
        QCOMPARE(looks, 3);
        QTRY_COMPARE(runs, 1);
    }
};

QTEST_MAIN(CoachMarkTest)
#include "tst_coachmark.moc"

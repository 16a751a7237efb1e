#include "brand/Brand.h"
#include "brand/Theme.h"
#include "core/CalculatorStore.h"
#include "core/Settings.h"
#include "core/StateCodec.h"

#include <QApplication>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

using namespace brolga;

class TestTheme : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void named_data();
    void named();
    void canvasFollowsAppearance_data();
    void canvasFollowsAppearance();
    void unknownStoredThemeShowsHouseColoursAndStays();
    void storedThemeBecomesCurrent();
    void applyThemeChangesRuntimeAndRecord();
};

void TestTheme::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings raw(QStringLiteral("Saltbush"), QStringLiteral("Brolga"));
    QVERIFY2(raw.fileName().contains(QStringLiteral(".qttest")), qPrintable(raw.fileName()));
}

void TestTheme::init()
{
    QSettings raw(QStringLiteral("Saltbush"), QStringLiteral("Brolga"));
    raw.clear();
    raw.sync();
    ThemeRuntime::setCurrent(Theme::house());
}

void TestTheme::cleanup()
{
    Brand::forceAppearance(std::nullopt);
    ThemeRuntime::setCurrent(Theme::house());
}

void TestTheme::named_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("expected");
    QTest::newRow("classic") << "classic" << "classic";
    QTest::newRow("slate") << "slate" << "slate";
    QTest::newRow("brolga") << "brolga" << "brolga";
    QTest::newRow("capital C is not classic") << "Classic" << "brolga";
    QTest::newRow("empty") << "" << "brolga";
    QTest::newRow("unknown") << "ocean" << "brolga";
    QTest::newRow("padded") << " slate" << "brolga";
}

void TestTheme::named()
{
    QFETCH(QString, id);
    QFETCH(QString, expected);
    const Theme &theme = Theme::named(id);
    QCOMPARE(theme.id, expected);
    QCOMPARE(theme.isHouseTheme, expected == QLatin1String("brolga"));
}

void TestTheme::canvasFollowsAppearance_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QColor>("light");
    QTest::addColumn<QColor>("dark");
    QTest::newRow("brolga") << "brolga" << QColor(0xF7, 0xF5, 0xF2) << QColor(0x0E, 0x17, 0x29);
    QTest::newRow("classic") << "classic" << QColor(0xF7, 0xF8, 0xFA) << QColor(0x12, 0x24, 0x5C);
    QTest::newRow("slate") << "slate" << QColor(0xF7, 0xF8, 0xF8) << QColor(0x1F, 0x29, 0x37);
}

void TestTheme::canvasFollowsAppearance()
{
    QFETCH(QString, id);
    QFETCH(QColor, light);
    QFETCH(QColor, dark);
    ThemeRuntime::setCurrent(Theme::named(id));
    Brand::forceAppearance(Appearance::light);
    QCOMPARE(Brand::canvas(), light);
    Brand::forceAppearance(Appearance::dark);
    QCOMPARE(Brand::canvas(), dark);
    // The same accessor, no rebuild: it reads the appearance each time.
    Brand::forceAppearance(Appearance::light);
    QCOMPARE(Brand::canvas(), light);
}

void TestTheme::unknownStoredThemeShowsHouseColoursAndStays()
{
    CalculatorState stored;
    stored.themeID = QStringLiteral("ocean");
    ThemeRuntime::setCurrent(Theme::named(QStringLiteral("slate"))); // prove the store replaces it
    Settings().setStoredState(StateCodec::encode(stored));

    CalculatorStore store;
    QCOMPARE(ThemeRuntime::current().id, QStringLiteral("brolga"));
    Brand::forceAppearance(Appearance::light);
    QCOMPARE(Brand::canvas(), QColor(0xF7, 0xF5, 0xF2));
    QCOMPARE(store.state().themeID, QStringLiteral("ocean"));

    // Saving for another reason keeps the identifier as it was.
    store.edit([](CalculatorState &s) { s.loanAmount = 650000; });
    store.saveNow();
    QCOMPARE(StateCodec::decode(*Settings().storedState())->themeID, QStringLiteral("ocean"));
}

void TestTheme::storedThemeBecomesCurrent()
{
    CalculatorState stored;
    stored.themeID = QStringLiteral("classic");
    Settings().setStoredState(StateCodec::encode(stored));
    CalculatorStore store;
    QCOMPARE(ThemeRuntime::current().id, QStringLiteral("classic"));
    Brand::forceAppearance(Appearance::dark);
    QCOMPARE(Brand::accent(), QColor(0x8F, 0xB8, 0xFF));
}

void TestTheme::applyThemeChangesRuntimeAndRecord()
{
    CalculatorStore store;
    const CalculatorState before = store.state();
    QSignalSpy changes(&store, &CalculatorStore::stateChanged);

    store.applyTheme(Theme::named(QStringLiteral("slate")));
    QCOMPARE(ThemeRuntime::current().id, QStringLiteral("slate"));
    QCOMPARE(store.state().themeID, QStringLiteral("slate"));
    QVERIFY(changes.count() >= 1);
    QVERIFY(store.hasPendingSave());
    Brand::forceAppearance(Appearance::light);
    QCOMPARE(Brand::accent(), QColor(0x0F, 0x76, 0x6E));

    // Nothing but the theme changed.
    CalculatorState expected = before;
    expected.themeID = QStringLiteral("slate");
    QVERIFY(store.state() == expected);

    store.saveNow();
    QCOMPARE(StateCodec::decode(*Settings().storedState())->themeID, QStringLiteral("slate"));
}

QTEST_MAIN(TestTheme)
#include "tst_theme.moc"

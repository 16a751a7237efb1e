#include "TestStore.h"
#include "brand/Brand.h"
#include "brand/Theme.h"
#include "core/CalculatorStore.h"
#include "core/Settings.h"
#include "core/StateCodec.h"

#include <QSignalSpy>
#include <QTest>

using namespace brolga;

class TestTheme : public QObject {
    Q_OBJECT

    static void store(const QString &themeID)
    {
        CalculatorState stored;
        stored.themeID = themeID;
        Settings().setStoredState(StateCodec::encode(stored));
    }
    static QString savedThemeID() { return StateCodec::decode(*Settings().storedState())->themeID; }

private slots:
    void init()
    {
        teststore::isolateSettings();
        ThemeRuntime::setCurrent(Theme::house());
    }
    void cleanup()
    {
        Brand::forceAppearance(std::nullopt);
        ThemeRuntime::setCurrent(Theme::house());
    }

    void named_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("expected");
        for (const char *id : {"classic", "slate", "brolga"})
            QTest::newRow(id) << id << id;
        QTest::newRow("capital C is not classic") << "Classic" << "brolga";
        QTest::newRow("empty") << "" << "brolga";
        QTest::newRow("unknown") << "ocean" << "brolga";
        QTest::newRow("padded") << " slate" << "brolga";
    }
    void named()
    {
        QFETCH(QString, id);
        QFETCH(QString, expected);
        const Theme &theme = Theme::named(id);
        QCOMPARE(theme.id, expected);
        QCOMPARE(theme.isHouseTheme, expected == QLatin1String("brolga"));
    }

    // The accessors read the appearance each time they are called: nothing is rebuilt when it changes.
    void coloursFollowAppearance()
    {
        for (const Theme &theme : Theme::all()) {
            ThemeRuntime::setCurrent(theme);
            for (int pass = 0; pass < 2; ++pass) {
                Brand::forceAppearance(Appearance::light);
                QCOMPARE(Brand::canvas(), Brand::rgb(theme.paper));
                QCOMPARE(Brand::accent(), Brand::rgb(theme.accentOnLight));
                Brand::forceAppearance(Appearance::dark);
                QCOMPARE(Brand::canvas(), Brand::rgb(theme.dark));
                QCOMPARE(Brand::accent(), Brand::rgb(theme.accentOnDark));
            }
        }
    }

    void storedThemeBecomesCurrent()
    {
        ThemeRuntime::setCurrent(Theme::named(QStringLiteral("slate"))); // prove the store replaces it
        store(QStringLiteral("classic"));
        CalculatorStore classic;
        QCOMPARE(ThemeRuntime::current().id, QStringLiteral("classic"));
    }

    void unknownStoredThemeShowsHouseColoursAndStays()
    {
        ThemeRuntime::setCurrent(Theme::named(QStringLiteral("slate")));
        store(QStringLiteral("ocean"));
        CalculatorStore store;
        QCOMPARE(ThemeRuntime::current().id, QStringLiteral("brolga"));
        QCOMPARE(store.state().themeID, QStringLiteral("ocean"));

        // Saving for another reason keeps the identifier as it was.
        store.edit([](CalculatorState &s) { s.loanAmount = 650000; });
        store.saveNow();
        QCOMPARE(savedThemeID(), QStringLiteral("ocean"));
    }

    void applyThemeChangesRuntimeAndRecord()
    {
        CalculatorStore store;
        const CalculatorState before = store.state();
        QSignalSpy changes(&store, &CalculatorStore::stateChanged);

        store.applyTheme(Theme::named(QStringLiteral("slate")));
        QCOMPARE(ThemeRuntime::current().id, QStringLiteral("slate"));
        QVERIFY(changes.count() >= 1);
        QVERIFY(store.hasPendingSave());
        // Nothing but the theme changed.
        CalculatorState expected = before;
        expected.themeID = QStringLiteral("slate");
        QVERIFY(store.state() == expected);

        store.saveNow();
        QCOMPARE(savedThemeID(), QStringLiteral("slate"));
    }
};

QTEST_MAIN(TestTheme)
#include "tst_theme.moc"

#include "AppTest.h"

#include "app/LogoPanel.h"
#include "app/SettingsField.h"
#include "app/SettingsTabBar.h"
#include "app/SettingsWindow.h"
#include "app/ThemeRow.h"
#include "brand/Brand.h"
#include "brand/BrandAssetStore.h"
#include "core/CalculatorStore.h"
#include "ui/FileDialogs.h"
#include "ui/controls/BrandLabel.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace brolga;

namespace {
struct Fixture {
    CalculatorStore store;
    BrandAssetStore assets;
    SettingsWindow window;

    explicit Fixture(SettingsTab tab = SettingsTab::identity)
        : window(store, assets, tab, nullptr, [](const QUrl &) {})
    {
        window.resize(SettingsWindow::windowSize);
        window.show();
    }
};

QString png(const QTemporaryDir &dir, const QString &name, int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::darkCyan);
    const QString path = dir.filePath(name);
    image.save(path, "PNG");
    return path;
}
} // namespace

class SettingsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() { apptest::isolate(); }
    void cleanup()
    {
        FileDialogs::setOpenHandler({});
        Brand::forceAppearance(std::nullopt);
        ThemeRuntime::setCurrent(Theme::house());
    }

    void tabs()
    {
        Fixture f(SettingsTab::appearance);
        QCOMPARE(f.window.tabBar()->selected(), SettingsTab::appearance);
        QVERIFY(f.window.pane(SettingsTab::appearance)->isVisible());
        QVERIFY(!f.window.pane(SettingsTab::identity)->isVisible());
        QTest::mouseClick(f.window.tabBar(), Qt::LeftButton, {},
                          f.window.tabBar()->itemRect(SettingsTab::identity).center());
        QCOMPARE(f.window.tab(), SettingsTab::identity);
        QVERIFY(f.window.pane(SettingsTab::identity)->isVisible());
        QVERIFY(!f.window.pane(SettingsTab::appearance)->isVisible());
        QVERIFY(f.window.isVisible());
    }

    // Typing writes the record at each keystroke; the preview shows the exports' contact line as it grows.
    void identityFieldsAndPreview()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        QVERIFY(!f.window.preview()->isVisible());

        QLineEdit *name = f.window.fields()[0]->lineEdit();
        QLineEdit *phone = f.window.fields()[3]->lineEdit();
        QLineEdit *licence = f.window.fields()[4]->lineEdit();
        QTest::keyClicks(name, QStringLiteral("Jo Broker"));
        QCOMPARE(f.store.state().brokerName, QStringLiteral("Jo Broker"));
        QVERIFY(f.store.hasPendingSave());
        QVERIFY(!f.window.preview()->isVisible()); // the name is the title, not the contact line

        QTest::keyClicks(phone, QStringLiteral("0412 345 678"));
        QCOMPARE(f.store.state().brokerPhone, QStringLiteral("0412 345 678"));
        QVERIFY(f.window.preview()->isVisible());
        QCOMPARE(f.window.previewText(), QStringLiteral("0412 345 678"));

        QTest::keyClicks(licence, QStringLiteral("ACL 123456"));
        QCOMPARE(f.window.previewText(), f.store.state().contactLine());
        QVERIFY(f.window.previewText().contains(QStringLiteral("ACL 123456")));

        // Nothing is trimmed or checked here; blanks alone leave no preview.
        phone->selectAll();
        QTest::keyClick(phone, Qt::Key_Backspace);
        licence->selectAll();
        QTest::keyClicks(licence, QStringLiteral("   "));
        QCOMPARE(f.store.state().brokerLicence, QStringLiteral("   "));
        QVERIFY(!f.window.preview()->isVisible());

        // A change from elsewhere shows in a field that is not being typed in.
        f.store.edit([](CalculatorState &s) { s.brokerCompany = QStringLiteral("Harbour Loans"); });
        QCOMPARE(f.window.fields()[1]->lineEdit()->text(), QStringLiteral("Harbour Loans"));
    }

    // A row applies its theme and the check mark moves.
    void themeRows()
    {
        Fixture f(SettingsTab::appearance);
        const auto &rows = f.window.themeRows();
        QCOMPARE(rows.size(), Theme::all().size());
        QVERIFY(rows[0]->isSelected());

        QTest::mouseClick(rows[2], Qt::LeftButton);
        QCOMPARE(f.store.state().themeID, Theme::all()[2].id);
        QCOMPARE(ThemeRuntime::current().id, Theme::all()[2].id);
        QVERIFY(rows[2]->isSelected());
        QVERIFY(!rows[0]->isSelected());

        QTest::mouseClick(rows[2], Qt::LeftButton);
        QCOMPARE(f.store.state().themeID, Theme::all()[2].id);

    }

    // A failed import keeps the dashed button and shows the store's sentence; a good one swaps in the logo
    // row; "Remove" brings the button back and leaves an earlier message; a cancel clears it.
    void logoPanel()
    {
        QTemporaryDir dir;
        Fixture f(SettingsTab::appearance);
        LogoPanel *panel = f.window.logoPanel();
        QVERIFY(!panel->showsLogo());
        QVERIFY(!panel->errorLabel()->isVisible());

        const QString small = png(dir, QStringLiteral("small.png"), 150, 100);
        FileDialogs::setOpenHandler([&](const FileDialogs::Request &) { return std::optional<QString>(small); });
        panel->chooseButton()->click();
        QVERIFY(!panel->showsLogo());
        QVERIFY(panel->errorLabel()->isVisible());
        QCOMPARE(panel->errorLabel()->text(), BrandAssetStore::describe(BrandAssetStore::ImportError::tooSmall));

        const QString good = png(dir, QStringLiteral("good.png"), 400, 200);
        FileDialogs::setOpenHandler([&](const FileDialogs::Request &) { return std::optional<QString>(good); });
        panel->chooseButton()->click();
        QVERIFY(panel->showsLogo());
        QVERIFY(!panel->errorLabel()->isVisible());

        FileDialogs::setOpenHandler([&](const FileDialogs::Request &) { return std::optional<QString>(small); });
        panel->replaceButton()->click();
        QVERIFY(panel->showsLogo());
        QVERIFY(panel->errorLabel()->isVisible());
        panel->removeButton()->click();
        QVERIFY(!panel->showsLogo());
        QVERIFY(!f.assets.logo());
        QVERIFY(panel->errorLabel()->isVisible());

        FileDialogs::setOpenHandler([](const FileDialogs::Request &) { return std::optional<QString>(); });
        panel->chooseButton()->click();
        QVERIFY(!panel->errorLabel()->isVisible());
        QVERIFY(!panel->showsLogo());
    }
};

QTEST_MAIN(SettingsWindowTest)
#include "tst_settingswindow.moc"

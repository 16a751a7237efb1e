#include "TestStore.h"
#include "brand/Brand.h"
#include "core/CalculatorStore.h"
#include "export/SnapshotExporter.h"
#include "ui/FileDialogs.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace brolga;

namespace {

const QDateTime at1430(QDate(2026, 12, 5), QTime(14, 30, 5));

QImage decoded(const QByteArray &png)
{
    return QImage::fromData(png, "PNG");
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Pixels of exactly `colour`.
int count(const QImage &image, const QColor &colour)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            n += (line[x] & 0xFFFFFF) == (colour.rgb() & 0xFFFFFF);
    }
    return n;
}

} // namespace

class TestSnapshot : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> desktop;
    std::unique_ptr<CalculatorStore> store;
    QDateTime now = at1430;
    QList<FileDialogs::Request> requests;
    std::optional<QString> answer; // what the save dialog answers

    QString toast() const { return store->toast().value_or(QString()); }
    QStringList desktopFiles() const { return QDir(desktop->path()).entryList(QDir::Files); }

  private Q_SLOTS:
    void initTestCase()
    {
        teststore::isolateSettings();
        FileDialogs::setSaveHandler([this](const FileDialogs::Request &request) {
            requests << request;
            return answer;
        });
    }

    void cleanupTestCase()
    {
        FileDialogs::setSaveHandler({});
        SnapshotExporter::setDesktopFolder(std::nullopt);
    }

    void init()
    {
        desktop = std::make_unique<QTemporaryDir>();
        QVERIFY(desktop->isValid());
        SnapshotExporter::setDesktopFolder(desktop->path());
        store = std::make_unique<CalculatorStore>();
        now = at1430;
        store->setClock([this] { return now; });
        ThemeRuntime::setCurrent(Theme::house());
        requests.clear();
        answer.reset();
        QGuiApplication::clipboard()->setText(QStringLiteral("earlier"));
    }

    void fileNameForEachTab_data()
    {
        QTest::addColumn<CalculatorTab>("tab");
        QTest::addColumn<QString>("name");
        QTest::newRow("repayment") << CalculatorTab::repayment << "Brolga-Repayment-2026-12-05-1430.png";
        QTest::newRow("capacity") << CalculatorTab::capacity << "Brolga-Capacity-2026-12-05-1430.png";
        QTest::newRow("income") << CalculatorTab::income << "Brolga-Income-2026-12-05-1430.png";
        QTest::newRow("upfront") << CalculatorTab::upfront << "Brolga-Upfront-2026-12-05-1430.png";
    }

    // The default export: clipboard and Desktop, one toast.
    void fileNameForEachTab()
    {
        QFETCH(CalculatorTab, tab);
        QFETCH(QString, name);
        store->edit([&](CalculatorState &s) { s.activeTab = tab; });
        SnapshotExporter::exportCurrentTab(*store, std::nullopt);

        QCOMPARE(toast(), QStringLiteral("Copied + saved to Desktop"));
        QCOMPARE(desktopFiles(), QStringList{name});
        QVERIFY(requests.isEmpty());
        const QImage file = decoded(fileBytes(desktop->filePath(name)));
        QCOMPARE(file.width(), 1280);
        QVERIFY(!file.hasAlphaChannel());

        // The clipboard holds the PNG bytes themselves, so the picture outlives the program, and the image.
        const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
        QVERIFY(mime);
        QCOMPARE(mime->data(QStringLiteral("image/png")), fileBytes(desktop->filePath(name)));
        QCOMPARE(qvariant_cast<QImage>(mime->imageData()).width(), 1280);
    }

    void twoExportsInOneMinuteOverwrite()
    {
        SnapshotExporter::exportCurrentTab(*store, std::nullopt);
        const QString name = desktopFiles().value(0);
        const QByteArray first = fileBytes(desktop->filePath(name));

        now = at1430.addSecs(50);
        store->edit([](CalculatorState &s) { s.loanAmount = 910000; });
        SnapshotExporter::exportCurrentTab(*store, std::nullopt);
        QCOMPARE(desktopFiles(), QStringList{name});
        const QByteArray second = fileBytes(desktop->filePath(name));
        QVERIFY(second != first);
        QCOMPARE(second, QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("image/png")));

        now = at1430.addSecs(60);
        SnapshotExporter::exportCurrentTab(*store, std::nullopt);
        QCOMPARE(desktopFiles().size(), 2);
    }

    void copyOnlyWritesNoFile()
    {
        SnapshotExporter::copyOnly(*store, std::nullopt);
        QCOMPARE(toast(), QStringLiteral("Copied to clipboard"));
        QVERIFY(desktopFiles().isEmpty());
        QVERIFY(requests.isEmpty());
        const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(qvariant_cast<QImage>(mime->imageData()).width(), 1280);
        QCOMPARE(decoded(mime->data(QStringLiteral("image/png"))).width(), 1280);
    }

    void exportWithDialogLeavesTheClipboardAlone()
    {
        const QString chosen = desktop->filePath(QStringLiteral("elsewhere/client.png"));
        QVERIFY(QDir().mkpath(QFileInfo(chosen).path()));
        answer = chosen;
        store->edit([](CalculatorState &s) { s.activeTab = CalculatorTab::upfront; });
        SnapshotExporter::exportWithPanel(*store, std::nullopt);

        QCOMPARE(requests.size(), 1);
        QCOMPARE(QFileInfo(requests[0].suggestedPath).fileName(), QStringLiteral("Brolga-Upfront-2026-12-05-1430.png"));
        QCOMPARE(toast(), QStringLiteral("Saved to client.png"));
        QCOMPARE(decoded(fileBytes(chosen)).width(), 1280);
        QVERIFY(desktopFiles().isEmpty());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("earlier"));
        QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasImage());
    }

    void dialogCancelledOrFailing()
    {
        SnapshotExporter::exportWithPanel(*store, std::nullopt);
        QCOMPARE(requests.size(), 1);
        QVERIFY(!store->toast());

        answer = desktop->filePath(QStringLiteral("no-such-folder/card.png"));
        SnapshotExporter::exportWithPanel(*store, std::nullopt);
        QVERIFY2(toast().startsWith(QStringLiteral("Save failed: ")), qPrintable(toast()));
        QVERIFY(toast().size() > QStringLiteral("Save failed: ").size());
        QVERIFY(desktopFiles().isEmpty());
    }

    void unwritableDesktopOpensTheDialog()
    {
        SnapshotExporter::setDesktopFolder(desktop->filePath(QStringLiteral("missing")));
        SnapshotExporter::exportCurrentTab(*store, std::nullopt);

        QCOMPARE(requests.size(), 1);
        QCOMPARE(QFileInfo(requests[0].suggestedPath).fileName(),
                 QStringLiteral("Brolga-Repayment-2026-12-05-1430.png"));
        QVERIFY(!store->toast()); // cancelled: no word of the Desktop
        QVERIFY(QGuiApplication::clipboard()->mimeData()->hasImage());

        answer = desktop->filePath(QStringLiteral("picked.png"));
        SnapshotExporter::exportCurrentTab(*store, std::nullopt);
        QCOMPARE(toast(), QStringLiteral("Saved to picked.png"));
        QVERIFY(QFile::exists(*answer));
    }

    void aThemeChangeChangesTheNextCardsInk()
    {
        const Theme &classic = Theme::named(QStringLiteral("classic"));
        const QColor houseInk = Brand::rgb(Theme::house().ink);
        const QColor classicInk = Brand::rgb(classic.ink);
        QVERIFY(houseInk != classicInk);

        const QImage before = SnapshotExporter::renderImage(*store, std::nullopt);
        store->applyTheme(classic);
        const QImage after = SnapshotExporter::renderImage(*store, std::nullopt);
        // The figures of the grid and rows are drawn solid in the ink.
        QVERIFY(count(before, houseInk) > 500);
        QCOMPARE(count(before, classicInk), 0);
        QVERIFY(count(after, classicInk) > 500);
        QCOMPARE(count(after, houseInk), 0);
    }
};

QTEST_MAIN(TestSnapshot)
#include "tst_snapshot.moc"

#include "TestStore.h"
#include "brand/Brand.h"
#include "core/CalculatorStore.h"
#include "export/ExportCard.h"
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

using Edit = std::function<void(CalculatorState &)>;

QColor ink() { return Brand::rgb(ThemeRuntime::current().ink); }

QImage solidLogo(const QColor &colour, QSize size = {400, 200})
{
    QImage logo(size, QImage::Format_ARGB32);
    logo.fill(colour);
    return logo;
}

// Pixels of exactly `colour` inside `area` (device pixels).
int count(const QImage &image, const QColor &colour, QRect area = {})
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    area = area.isNull() ? rgb.rect() : area & rgb.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
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
    void cleanup() { Brand::forceAppearance(std::nullopt); }

    // The default export: clipboard and Desktop, one toast; the card is titled for its tab.
    void eachTab_data()
    {
        QTest::addColumn<CalculatorTab>("tab");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("hero");
        QTest::newRow("repayment") << CalculatorTab::repayment << "Brolga-Repayment-2026-12-05-1430.png"
                                   << "Loan repayment estimate" << "MONTHLY REPAYMENT";
        QTest::newRow("capacity") << CalculatorTab::capacity << "Brolga-Capacity-2026-12-05-1430.png"
                                  << "Borrowing capacity estimate" << "INDICATIVE MAXIMUM LOAN";
        QTest::newRow("income") << CalculatorTab::income << "Brolga-Income-2026-12-05-1430.png"
                                << "Income assessment" << "ASSESSABLE ANNUAL INCOME";
        QTest::newRow("upfront") << CalculatorTab::upfront << "Brolga-Upfront-2026-12-05-1430.png"
                                 << "Purchase costs estimate" << "CASH REQUIRED AT SETTLEMENT";
    }
    void eachTab()
    {
        QFETCH(CalculatorTab, tab);
        QFETCH(QString, name);
        QFETCH(QString, title);
        QFETCH(QString, hero);
        store->edit([&](CalculatorState &s) { s.activeTab = tab; });
        const ExportCard card(*store, std::nullopt, ink());
        QCOMPARE(card.texts().value(0), title);
        QVERIFY(card.texts().contains(hero));
        QVERIFY(card.texts().contains(QStringLiteral("5 Dec 2026")));
        SnapshotExporter::exportCurrentTab(*store, std::nullopt);

        QCOMPARE(toast(), QStringLiteral("Copied + saved to Desktop"));
        QCOMPARE(desktopFiles(), QStringList{name});
        QVERIFY(requests.isEmpty());
        const QImage file = decoded(fileBytes(desktop->filePath(name)));
        QCOMPARE(file.width(), 1280);
        QCOMPARE(file.height(), card.height() * 2);
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

    // The card itself.

    void lightEvenWhenTheAppIsDark()
    {
        Brand::forceAppearance(Appearance::light);
        const QImage light = ExportCard(*store, std::nullopt, ink()).toImage(2);
        Brand::forceAppearance(Appearance::dark);
        const QImage dark = ExportCard(*store, std::nullopt, ink()).toImage(2);
        QCOMPARE(Brand::forcedAppearance(), std::optional(Appearance::dark)); // put back afterwards
        QCOMPARE(dark, light);
        // The foot of the card is the theme's paper.
        QCOMPARE(dark.pixelColor(4, dark.height() - 4), Brand::rgb(Theme::house().paper));
    }

    void aLogoStandsAlone()
    {
        const QColor red(0xE0, 0x10, 0x20);
        ExportCard withLogo(*store, solidLogo(red), ink());
        QVERIFY(!withLogo.showsHouseMark());
        QVERIFY(!withLogo.texts().contains(QStringLiteral("BROLGA STUDIO")));
        QVERIFY(withLogo.texts().contains(QStringLiteral("A SALTBUSH PRODUCTION")));
        // The logo sits at the top right of the header.
        const QImage image = withLogo.toImage(2);
        QVERIFY(count(image, red, QRect(900, 0, 380, 140)) > 1000);
        QCOMPARE(count(image, red, QRect(0, 0, 640, image.height())), 0);

        ExportCard house(*store, std::nullopt, ink());
        QVERIFY(house.showsHouseMark());
        QVERIFY(house.texts().contains(QStringLiteral("BROLGA STUDIO")));
        QVERIFY(house.texts().contains(QStringLiteral("A SALTBUSH PRODUCTION")));
        QCOMPARE(count(house.toImage(2), red), 0);

        // A logo that cannot be drawn counts as none.
        QVERIFY(ExportCard(*store, QImage(), ink()).showsHouseMark());
    }

    void identityLines_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("none") << Edit([](CalculatorState &) {}) << QStringList();
        QTest::newRow("phone only") << Edit([](CalculatorState &s) { s.brokerPhone = "0400 000 000"; })
                                    << QStringList{"0400 000 000"};
        QTest::newRow("name and company")
            << Edit([](CalculatorState &s) {
                   s.brokerName = "Ana Silva";
                   s.brokerCompany = "Harbour Loans";
                   s.brokerLicence = "ACL 123456";
               })
            << QStringList{QStringLiteral("Ana Silva \u00B7 Harbour Loans"), "ACL 123456"};
        QTest::newRow("line breaks stay on one line")
            << Edit([](CalculatorState &s) { s.brokerName = "Ana\nSilva"; }) << QStringList{"Ana Silva"};
    }

    void identityLines()
    {
        QFETCH(Edit, edit);
        QFETCH(QStringList, lines);
        store->edit(edit);
        const QStringList texts = ExportCard(*store, std::nullopt, ink()).texts();
        // Between the title and the date stamp.
        QCOMPARE(texts.mid(1, texts.indexOf(QStringLiteral("5 Dec 2026")) - 1), lines);
    }

    void anEnormousNameDoesNotStretchTheCard()
    {
        store->edit([](CalculatorState &s) { s.brokerName = QStringLiteral("Ana"); });
        const int plain = ExportCard(*store, std::nullopt, ink()).height();
        store->edit([](CalculatorState &s) { s.brokerName = QString(100000, u'W'); });
        QCOMPARE(ExportCard(*store, std::nullopt, ink()).height(), plain);
    }

    void repaymentRows_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("P&I, nothing extra")
            << Edit([](CalculatorState &) {})
            << QStringList{"Offset balance", "Extra repayment", "$0", "$0/mth", "Total interest", "Total payable"}
            << QStringList{"Reverts to", "Interest saved by extra repayments", "Paid off in", "Difference over the term"};
        QTest::newRow("interest only")
            << Edit([](CalculatorState &s) { s.repaymentType = RepaymentType::interestOnly; })
            << QStringList{"Reverts to", "Interest Only"} << QStringList{};
        QTest::newRow("interest only for the whole term")
            << Edit([](CalculatorState &s) {
                   s.repaymentType = RepaymentType::interestOnly;
                   s.ioYears = 30;
               })
            << QStringList{"Interest Only"} << QStringList{"Reverts to"};
        QTest::newRow("extra and compare")
            << Edit([](CalculatorState &s) {
                   s.extraRepayment = 200;
                   s.isCompareMode = true;
                   s.compareRate = 5.5;
               })
            << QStringList{"Interest saved by extra repayments", "Paid off in", "Repayment at 5.50%",
                           "Difference over the term", "$200/mth"}
            << QStringList{};
        QTest::newRow("no scenario") << Edit([](CalculatorState &s) { s.loanAmount = 0; })
                                     << QStringList{"No scenario to export.", "A SALTBUSH PRODUCTION"}
                                     << QStringList{"Total interest", "Loan amount"};
    }

    void repaymentRows()
    {
        QFETCH(Edit, edit);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        store->edit(edit);
        ExportCard card(*store, CalculatorTab::repayment, std::nullopt, ink());
        for (const QString &text : present)
            QVERIFY2(card.texts().contains(text), qPrintable(text));
        for (const QString &text : absent)
            QVERIFY2(!card.texts().contains(text), qPrintable(text));
    }

    void incomeComponentsShowTheirShade()
    {
        store->edit([](CalculatorState &s) {
            s.overtimeAnnual = 10000;
            s.otShadePercent = 80;
            s.allowancesAnnual = 5000;
            s.allowShadePercent = 100;
            s.payBasis = PayBasis::hourly;
            s.payRate = 45;
            s.unitsPerWeek = 37.9;
        });
        const QStringList texts = ExportCard(*store, CalculatorTab::income, std::nullopt, ink()).texts();
        QVERIFY(texts.contains(QStringLiteral("Overtime \u2014 $10,000 at 80%")));
        QVERIFY(texts.contains(QStringLiteral("$8,000")));
        QVERIFY(texts.contains(QStringLiteral("Allowances")));
        QVERIFY(texts.contains(QStringLiteral("$45.00/hr \u00D7 37h")));
    }

    void noCapacityResult()
    {
        store->edit([](CalculatorState &s) { s.grossIncome = 0; });
        if (store->capacity())
            QSKIP("a zero income still gives a capacity result");
        const QStringList texts = ExportCard(*store, CalculatorTab::capacity, std::nullopt, ink()).texts();
        QVERIFY(texts.contains(QStringLiteral("No capacity result to export.")));
        QVERIFY(!texts.contains(QStringLiteral("Binding constraint")));
    }
};

QTEST_MAIN(TestSnapshot)
#include "tst_snapshot.moc"

#include "TestStore.h"
#include "brand/Brand.h"
#include "core/CalculatorStore.h"
#include "export/ExportCard.h"

#include <QTest>

#include <memory>

using namespace brolga;

namespace {

const QDateTime fixedNow(QDate(2026, 12, 5), QTime(14, 30));
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
    if (area.isNull())
        area = image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixelColor(x, y).rgb() == colour.rgb();
    return n;
}

} // namespace

class TestExportCard : public QObject {
    Q_OBJECT

    std::unique_ptr<CalculatorStore> store;

    void set(const Edit &edit) { store->edit(edit); }

  private Q_SLOTS:
    void initTestCase() { teststore::isolateSettings(); }

    void init()
    {
        store = std::make_unique<CalculatorStore>();
        store->setClock([] { return fixedNow; });
        ThemeRuntime::setCurrent(Theme::house());
    }

    void cleanup() { Brand::forceAppearance(std::nullopt); }

    void everyTabIsA1280PixelOpaqueImage_data()
    {
        QTest::addColumn<CalculatorTab>("tab");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("hero");
        QTest::newRow("repayment") << CalculatorTab::repayment << "Loan repayment estimate" << "MONTHLY REPAYMENT";
        QTest::newRow("capacity") << CalculatorTab::capacity << "Borrowing capacity estimate"
                                  << "INDICATIVE MAXIMUM LOAN";
        QTest::newRow("income") << CalculatorTab::income << "Income assessment" << "ASSESSABLE ANNUAL INCOME";
        QTest::newRow("upfront") << CalculatorTab::upfront << "Purchase costs estimate"
                                 << "CASH REQUIRED AT SETTLEMENT";
    }

    void everyTabIsA1280PixelOpaqueImage()
    {
        QFETCH(CalculatorTab, tab);
        QFETCH(QString, title);
        QFETCH(QString, hero);
        set([&](CalculatorState &s) { s.activeTab = tab; });
        ExportCard card(*store, std::nullopt, ink());
        QCOMPARE(card.texts().value(0), title);
        QVERIFY(card.texts().contains(hero));
        QVERIFY(card.texts().contains(QStringLiteral("5 Dec 2026")));
        const QImage image = card.toImage(2);
        QCOMPARE(image.width(), 1280);
        QCOMPARE(image.height(), card.height() * 2);
        QVERIFY(!image.hasAlphaChannel());
    }

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
        set(edit);
        const QStringList texts = ExportCard(*store, std::nullopt, ink()).texts();
        // Between the title and the date stamp.
        QCOMPARE(texts.mid(1, texts.indexOf(QStringLiteral("5 Dec 2026")) - 1), lines);
    }

    void anEnormousNameDoesNotStretchTheCard()
    {
        set([](CalculatorState &s) { s.brokerName = QStringLiteral("Ana"); });
        const int plain = ExportCard(*store, std::nullopt, ink()).height();
        set([](CalculatorState &s) { s.brokerName = QString(100000, u'W'); });
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
        set(edit);
        ExportCard card(*store, CalculatorTab::repayment, std::nullopt, ink());
        for (const QString &text : present)
            QVERIFY2(card.texts().contains(text), qPrintable(text));
        for (const QString &text : absent)
            QVERIFY2(!card.texts().contains(text), qPrintable(text));
    }

    void incomeComponentsShowTheirShade()
    {
        set([](CalculatorState &s) {
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
        set([](CalculatorState &s) { s.grossIncome = 0; });
        if (store->capacity())
            QSKIP("a zero income still gives a capacity result");
        const QStringList texts = ExportCard(*store, CalculatorTab::capacity, std::nullopt, ink()).texts();
        QVERIFY(texts.contains(QStringLiteral("No capacity result to export.")));
        QVERIFY(!texts.contains(QStringLiteral("Binding constraint")));
    }
};

QTEST_MAIN(TestExportCard)
#include "tst_exportcard.moc"

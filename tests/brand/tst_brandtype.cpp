#include "brand/BrandType.h"
#include "brand/TextMeasure.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QTest>
#include <QTextLayout>

using namespace brolga;

class TestBrandType : public QObject {
    Q_OBJECT

private slots:
    // Runs first: nothing is registered yet, so these are the system faces.
    void fallbackKeepsSizeAndWeight_data();
    void fallbackKeepsSizeAndWeight();
    void brandFacesAtSizeAndWeight();
    void rememberedMeasuresMatchQt();
    void opticalSizeIsHeldToTheFacesRange();
};

void TestBrandType::fallbackKeepsSizeAndWeight_data()
{
    QTest::addColumn<bool>("serif");
    QTest::addColumn<qreal>("size");
    QTest::addColumn<FontWeight>("weight");
    QTest::newRow("sans 13 semibold") << false << 13.0 << FontWeight::semibold;
    QTest::newRow("sans 8.5 regular") << false << 8.5 << FontWeight::regular;
    QTest::newRow("serif 36 semibold") << true << 36.0 << FontWeight::semibold;
    QTest::newRow("serif 21 medium") << true << 21.0 << FontWeight::medium;
}

void TestBrandType::fallbackKeepsSizeAndWeight()
{
    QFETCH(bool, serif);
    QFETCH(qreal, size);
    QFETCH(FontWeight, weight);
    QVERIFY(!BrandType::isRegistered());
    const QFont f = serif ? BrandType::serif(size, weight) : BrandType::sans(size, weight);
    QCOMPARE(QFontInfo(f).pixelSize(), qRound(size)); // 8.5 sets at 9
    QCOMPARE(f.weight(), QFont::Weight(BrandType::axisValue(weight)));
    QVERIFY(!f.families().contains(QStringLiteral("Playfair Display")));
    if (serif)
        QCOMPARE(f.styleHint(), QFont::Serif);
}

void TestBrandType::brandFacesAtSizeAndWeight()
{
    BrandType::registerFonts();
    BrandType::registerFonts(); // a second call is harmless
    QVERIFY(BrandType::isRegistered());
    const QFont sans = BrandType::sans(13, FontWeight::semibold);
    QCOMPARE(QFontInfo(sans).family(), QStringLiteral("Inter"));
    QCOMPARE(QFontInfo(sans).pixelSize(), 13);
    QCOMPARE(QFontInfo(sans).weight(), int(QFont::DemiBold));

    const QFont serif = BrandType::serif(21, FontWeight::medium);
    QCOMPARE(QFontInfo(serif).family(), QStringLiteral("Playfair Display"));
    QCOMPARE(QFontInfo(serif).pixelSize(), 21);
    QCOMPARE(QFontInfo(serif).weight(), int(QFont::Medium));

    // Semibold Inter sets wider than regular: the weight reaches the face, not only the request.
    const QString text = QStringLiteral("1,250,000");
    QVERIFY(QFontMetricsF(sans).horizontalAdvance(text)
            > QFontMetricsF(BrandType::sans(13, FontWeight::regular)).horizontalAdvance(text));
}

// Layouts take these answers in place of measuring, so they must be Qt's own and must never be handed to
// a font or width they were not measured for.
void TestBrandType::rememberedMeasuresMatchQt()
{
    const QString text = QStringLiteral("Repayments are estimates only and depend on the lender's terms");
    QFont regular = BrandType::sans(12, FontWeight::regular);
    QFont spaced = regular;
    spaced.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    const QFont semibold = BrandType::sans(12, FontWeight::semibold);
    for (int pass = 0; pass < 2; ++pass) // measured, then remembered
        for (const QFont &font : {regular, spaced, semibold})
            QCOMPARE(TextMeasure::advance(font, text), QFontMetricsF(font).horizontalAdvance(text));

    const auto laidOut = [&](qreal width) {
        QTextLayout layout(text, regular);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        qreal y = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            y += (line.lineNumber() > 0 ? 3 : 0) + line.height();
        }
        layout.endLayout();
        return y;
    };
    for (int pass = 0; pass < 2; ++pass)
        for (qreal width : {40.0, 120.0, 2000.0})
            QCOMPARE(TextMeasure::wrappedHeight(regular, text, width, 3), laidOut(width));
    QVERIFY(TextMeasure::wrappedHeight(regular, text, 40, 3) > TextMeasure::wrappedHeight(regular, text, 120, 3));
    QVERIFY(TextMeasure::wrappedHeight(regular, text, 120, 3) > TextMeasure::wrappedHeight(regular, text, 120, 0));

    // A long session of changing figures does not grow the memory without bound.
    for (int i = 0; i < 2000; ++i)
        TextMeasure::advance(regular, QString::number(i));
    QVERIFY(TextMeasure::remembered() <= 512);
    QCOMPARE(TextMeasure::advance(regular, QStringLiteral("1999")),
             QFontMetricsF(regular).horizontalAdvance(QStringLiteral("1999")));
}

void TestBrandType::opticalSizeIsHeldToTheFacesRange()
{
    for (auto [size, optical] : {std::pair{11.5, 14.0}, {14.0, 14.0}, {21.0, 21.0}, {32.0, 32.0}, {36.0, 32.0}})
        QCOMPARE(BrandType::opticalSize(size), optical);
    QCOMPARE(BrandType::axisValue(FontWeight(42)), 400); // a weight from nowhere is regular
}

QTEST_MAIN(TestBrandType)
#include "tst_brandtype.moc"

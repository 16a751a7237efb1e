#include "TestStore.h"
#include "app/settings/SettingsWindow.h"
#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "brand/LetterheadBand.h"
#include "brand/Motion.h"
#include "brand/Theme.h"
#include "brand/ThemePalette.h"
#include "core/CalculatorStore.h"
#include "core/Settings.h"
#include "core/StateJson.h"
#include "ui/brand/BrandAssetStore.h"
#include "ui/brand/BrandLockup.h"
#include "ui/brand/CreditFooter.h"
#include "ui/brand/CustomLogoMark.h"
#include "ui/brand/Icons.h"
#include "ui/brand/SaltbushCredit.h"
#include "ui/brand/WingMark.h"

#include <QApplication>
#include <QLayout>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

using namespace brolga;

namespace {

QImage render(QWidget &w, qreal dpr = 1)
{
    w.ensurePolished();
    if (QLayout *layout = w.layout())
        layout->activate();
    if (w.size().isEmpty() || !w.testAttribute(Qt::WA_Resized))
        w.resize(w.sizeHint());
    QImage image((QSizeF(w.size()) * dpr).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    w.render(&image, {}, {}, QWidget::DrawChildren);
    return image;
}

// Fully opaque pixels, by colour.
QHash<QRgb, int> opaqueColours(const QImage &image, const QRect &area = {})
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    const QRect r = area.isNull() ? img.rect() : area & img.rect();
    QHash<QRgb, int> colours;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qAlpha(img.pixel(x, y)) == 255)
                ++colours[img.pixel(x, y) & 0xFFFFFF];
    return colours;
}

bool columnEmpty(const QImage &image, int x)
{
    for (int y = 0; y < image.height(); ++y)
        if (qAlpha(image.pixel(x, y)) > 24)
            return false;
    return true;
}

QRgb rgbOf(std::uint32_t value) { return value & 0xFFFFFF; }

void storeTheme(const QString &themeID)
{
    CalculatorState stored;
    stored.themeID = themeID;
    Settings().setStoredState(StateJson::encode(stored));
}

QString savedThemeID() { return StateJson::decode(*Settings().storedState())->themeID; }

} // namespace

class TestBrand : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void lockupLayoutAndGroundColours();
    void themeChangeRepaints();
    void everySymbolTintsAndScales();
    void marksDrawnAtTheOutputsPixelScale();
    void largeLogoScaledSmoothly();
    void footerExpandsOnClick();
    void footerAnimatesUnlessMotionReduced();

    void named_data();
    void named();
    void paletteCarriesItsTheme();
    void storedThemeBecomesCurrent();
    void unknownStoredThemeShowsHouseColoursAndStays();
    void applyThemeChangesRuntimeAndRecord();
    void letterheadTextReadsOnItsBand_data();
    void letterheadTextReadsOnItsBand();
};

void TestBrand::initTestCase()
{
    BrandType::registerFonts();
    QVERIFY(BrandType::isRegistered());
    Motion::forceReduced(true);
}

void TestBrand::init()
{
    teststore::isolateSettings();
}

void TestBrand::cleanup()
{
    Motion::forceReduced(true);
}

void TestBrand::lockupLayoutAndGroundColours()
{
    for (const Theme &theme : Theme::all()) {
        BrandLockup lockup(BrandLockup::Ground::light, 13);
        lockup.setPalette(ThemePalette::make(theme, Appearance::light));
        const QImage image = render(lockup, 4).convertToFormat(QImage::Format_ARGB32);
        const int px = 4;
        // Wing 27.3 wide, then a 4.42 gap before the wordmark.
        QVERIFY(!columnEmpty(image, int(26.0 * px)));
        for (int x = int(27.5 * px); x < int(31.6 * px); ++x)
            QVERIFY2(columnEmpty(image, x), qPrintable(QString::number(x / qreal(px))));
        QVERIFY(!columnEmpty(image, int(32.2 * px)) || !columnEmpty(image, int(32.6 * px)));

        const auto wing = opaqueColours(image, QRect(0, 0, 27 * px, image.height()));
        QVERIFY(wing.contains(rgbOf(theme.dark)));
        QCOMPARE(wing.size(), 1);
        const auto words = opaqueColours(image, QRect(32 * px, 0, image.width(), image.height()));
        QVERIFY2(words.contains(rgbOf(theme.ink)), qPrintable(theme.id));
        QVERIFY2(words.contains(rgbOf(theme.accentOnLight)), qPrintable(theme.id));

        BrandLockup onDark(BrandLockup::Ground::dark, 13);
        onDark.setPalette(ThemePalette::make(theme, Appearance::light));
        const auto darkColours = opaqueColours(render(onDark, 4));
        QVERIFY(darkColours.contains(rgbOf(theme.accentOnDark)));
        QVERIFY(darkColours.contains(rgbOf(theme.textPrimaryDark)));
    }
    // Two lines: serif 13 over sans 5.46 with a 1.3 gap fit beside a wing 18.99 high.
    const QSizeF size = BrandLockup::naturalSize(13);
    QVERIFY(size.height() >= 2.1 * 13 * WingMark::aspect);
    QVERIFY(size.height() < 30);
}

// A theme or appearance change repaints what is on screen; nothing has to be built again.
void TestBrand::themeChangeRepaints()
{
    BrandLockup lockup(BrandLockup::Ground::dark, 20);
    lockup.setPalette(ThemePalette::make(Theme::house(), Appearance::light));
    const QImage house = render(lockup);
    lockup.setPalette(ThemePalette::make(Theme::named(QStringLiteral("slate")), Appearance::light));
    QVERIFY(render(lockup) != house);

    const Theme &theme = Theme::house();
    CreditFooter footer;
    footer.setPalette(ThemePalette::make(theme, Appearance::light));
    const int h = footer.heightForWidth(360);
    footer.resize(360, h);
    const QRect credit(400, 2 * h - 24, 320, 24); // the credit along the bottom, at scale 2
    const auto light = opaqueColours(render(footer, 2), credit);
    QVERIFY(light.contains(rgbOf(theme.muted)));
    QVERIFY(!light.contains(rgbOf(theme.accentOnDark)));
    footer.setPalette(ThemePalette::make(theme, Appearance::dark));
    const auto dark = opaqueColours(render(footer, 2), credit);
    QVERIFY(dark.contains(rgbOf(theme.accentOnDark)));
    QVERIFY(!dark.contains(rgbOf(theme.muted)));
}

void TestBrand::everySymbolTintsAndScales()
{
    const QStringList wanted = {
        "pin.fill", "pin.slash", "doc.on.doc", "camera.viewfinder", "gearshape", "chevron.down", "calendar", "xmark",
        "arrow.triangle.2.circlepath", "lock.shield", "checkmark.circle.fill", "circle", "photo.badge.plus",
        "person.text.rectangle", "paintpalette"};
    const QColor tint(0x1E, 0x7A, 0x46);
    for (const QString &name : wanted) {
        QVERIFY2(Icons::has(name), qPrintable(name));
        const QPixmap one = Icons::pixmap(name, tint, 16, 1);
        const QPixmap two = Icons::pixmap(name, tint, 16, 2);
        QCOMPARE(one.size(), QSize(16, 16));
        QCOMPARE(two.size(), QSize(32, 32));
        QCOMPARE(two.devicePixelRatio(), 2.0);
        const auto colours = opaqueColours(two.toImage());
        QVERIFY2(colours.size() == 1 && colours.contains(tint.rgb() & 0xFFFFFF), qPrintable(name));

        const QIcon icon = Icons::icon(name, tint);
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.pixmap(QSize(20, 20), 2.0).size(), QSize(40, 40));
    }
    QVERIFY(Icons::symbols().size() >= wanted.size());
    QVERIFY(!Icons::has(QStringLiteral("no.such.symbol")));
    QVERIFY(Icons::pixmap(QStringLiteral("no.such.symbol"), tint, 16).isNull());
}

// A widget rendered into an image at scale 2 (the export card) paints through a painter whose device() is the
// widget at the screen's ratio of 1. The wing must still be rasterised for the image: the same as painting it
// straight into a scale-2 image, not a 1x raster stretched.
void TestBrand::marksDrawnAtTheOutputsPixelScale()
{
    const QColor tint(0x12, 0x34, 0x56);
    WingMark wing(tint, 100);
    wing.resize(wing.sizeHint());
    const QImage rendered = render(wing, 2);

    QImage direct(rendered.size(), QImage::Format_ARGB32_Premultiplied);
    direct.setDevicePixelRatio(2);
    direct.fill(Qt::transparent);
    {
        QPainter p(&direct);
        WingMark::paint(p, QRectF(0, (wing.height() - wing.markHeight()) / 2, 100, wing.markHeight()), tint);
    }
    QCOMPARE(rendered, direct);

    // And crisp: a stretched 1x raster has about twice as many half-covered pixels along its edges.
    auto partial = [](const QImage &image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const int a = qAlpha(image.pixel(x, y));
                n += a > 25 && a < 230;
            }
        return n;
    };
    const QImage oneX =
        WingMark::image(tint, 100, 1).scaled(rendered.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QVERIFY2(partial(rendered) * 3 < partial(oneX) * 2,
             qPrintable(QStringLiteral("%1 vs %2").arg(partial(rendered)).arg(partial(oneX))));

    // The credit's wing goes through the same path.
    SaltbushCredit credit(SaltbushCredit::Ground::light, 20);
    credit.resize(credit.sizeHint());
    const QImage creditImage = render(credit, 2);
    QImage creditDirect(creditImage.size(), QImage::Format_ARGB32_Premultiplied);
    creditDirect.setDevicePixelRatio(2);
    creditDirect.fill(Qt::transparent);
    {
        QPainter p(&creditDirect);
        p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        const QSizeF natural = SaltbushCredit::naturalSize(20);
        SaltbushCredit::paint(p, QPalette(), QPointF(0, (credit.height() - natural.height()) / 2),
                              SaltbushCredit::Ground::light, 20);
    }
    QCOMPARE(creditImage, creditDirect);
}

// Thin strokes of a print-size logo survive the squeeze into the card's tile: every pixel of a logo of 1-pixel
// lines 4 pixels apart comes out the same light grey, where plain sampling gives stripes of white and black.
void TestBrand::largeLogoScaledSmoothly()
{
    // Eight source pixels to each device pixel across, so an even average is exactly a quarter black.
    QImage logo(2736, 600, QImage::Format_RGB32);
    logo.fill(Qt::white);
    for (int x = 0; x < logo.width(); x += 4)
        for (int y = 0; y < logo.height(); ++y)
            logo.setPixel(x, y, qRgb(0, 0, 0));

    QImage card(400, 120, QImage::Format_RGB32);
    card.setDevicePixelRatio(2);
    card.fill(Qt::red);
    {
        QPainter p(&card);
        CustomLogoMark::paint(p, QPointF(0, 0), logo, 38);
    }
    // Fitted within 171 x 38: 171 x 37.5 at (9.12, 6.08), so device pixels 18..359 by 12..86.
    int lo = 255, hi = 0;
    for (int y = 14; y < 84; ++y)
        for (int x = 20; x < 358; ++x) {
            const int grey = qGreen(card.pixel(x, y));
            QCOMPARE(qRed(card.pixel(x, y)), grey); // logo, not the red ground
            lo = std::min(lo, grey);
            hi = std::max(hi, grey);
        }
    QVERIFY2(lo >= 191 - 6 && hi <= 191 + 6, qPrintable(QStringLiteral("%1..%2").arg(lo).arg(hi)));
    // The tile's white shows around it.
    QCOMPARE(card.pixel(8, 40), qRgb(255, 255, 255));
}

void TestBrand::footerExpandsOnClick()
{
    CreditFooter footer;
    footer.resize(360, footer.heightForWidth(360));
    const int collapsedHeight = footer.heightForWidth(360);
    QCOMPARE(footer.buttonToolTip(), QStringLiteral("Show the full disclaimer"));
    QSignalSpy spy(&footer, &CreditFooter::expandedChanged);

    // Clicks outside the button (on the credit) do nothing.
    QTest::mouseClick(&footer, Qt::LeftButton, {}, QPoint(350, collapsedHeight - 3));
    QVERIFY(!footer.isExpanded());

    // Anywhere across the button's width counts, the empty space before the chevron too.
    const QRectF button = footer.buttonRect();
    QVERIFY(button.width() == 360);
    QTest::mouseClick(&footer, Qt::LeftButton, {}, QPoint(300, int(button.center().y())));
    QVERIFY(footer.isExpanded());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(footer.buttonToolTip(), QStringLiteral("Hide the full disclaimer"));
    const int expandedHeight = footer.heightForWidth(360);
    QVERIFY2(expandedHeight > collapsedHeight + 60, qPrintable(QStringLiteral("%1 %2").arg(collapsedHeight).arg(expandedHeight)));
    // Narrower means more lines.
    QVERIFY(footer.heightForWidth(240) > expandedHeight);

    QTest::mouseClick(&footer, Qt::LeftButton, {}, button.center().toPoint());
    QVERIFY(!footer.isExpanded());
    QCOMPARE(footer.heightForWidth(360), collapsedHeight);

    // The keyboard works the button too.
    footer.setFocus();
    QTest::keyClick(&footer, Qt::Key_Space);
    QVERIFY(footer.isExpanded());
}

void TestBrand::footerAnimatesUnlessMotionReduced()
{
    Motion::forceReduced(false);
    CreditFooter footer;
    footer.resize(360, 60);
    footer.setExpanded(true);
    QVERIFY(footer.isAnimating());
    QVERIFY(footer.progress() < 1);
    QTRY_COMPARE_WITH_TIMEOUT(footer.progress(), 1.0, 1000);
    QVERIFY(!footer.isAnimating());

    Motion::forceReduced(true);
    footer.setExpanded(false);
    QVERIFY(!footer.isAnimating());
    QCOMPARE(footer.progress(), 0.0);

    // Unforced, the environment decides before any platform guess.
    Motion::forceReduced(std::nullopt);
    qputenv("BROLGA_REDUCE_MOTION", "1");
    QVERIFY(Motion::reduced());
    footer.setExpanded(true);
    QCOMPARE(footer.progress(), 1.0);
    qputenv("BROLGA_REDUCE_MOTION", "0");
    QVERIFY(!Motion::reduced());
    qunsetenv("BROLGA_REDUCE_MOTION");
}

void TestBrand::letterheadTextReadsOnItsBand_data()
{
    QTest::addColumn<QString>("themeID");
    QTest::addColumn<Appearance>("look");
    for (const Theme &theme : Theme::all())
        for (Appearance look : {Appearance::light, Appearance::dark})
            QTest::addRow("%s %s", qPrintable(theme.id), look == Appearance::light ? "light" : "dark")
                << theme.id << look;
}

// Small text on the card's and the report's band reads at 4.5 : 1 or better at both ends of the band, in every
// theme: the classic theme's bright blue end is darkened for it. The ratio itself against known pairs.
void TestBrand::letterheadTextReadsOnItsBand()
{
    QFETCH(QString, themeID);
    QFETCH(Appearance, look);
    QCOMPARE(qRound(LetterheadBand::contrast(Qt::white, Qt::black) * 100), 2100);
    QCOMPARE(qRound(LetterheadBand::contrast(QColor(0x767676), Qt::white) * 100), 454);
    QCOMPARE(qRound(LetterheadBand::contrast(QColor(255, 255, 255, 128), Qt::black) * 100), 532);
    const QPalette palette = ThemePalette::make(Theme::named(themeID), look);
    for (const auto &[at, band] : LetterheadBand::field(palette, QRectF(0, 0, 640, 120)).stops())
        for (LetterheadBand::Text text : LetterheadBand::texts)
            QVERIFY2(LetterheadBand::contrast(LetterheadBand::text(palette, text), band) >= 4.5,
                     qPrintable(QStringLiteral("text %1 on %2 at %3: %4")
                                    .arg(int(text))
                                    .arg(band.name())
                                    .arg(at)
                                    .arg(LetterheadBand::contrast(LetterheadBand::text(palette, text), band))));
}

void TestBrand::named_data()
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

void TestBrand::named()
{
    QFETCH(QString, id);
    QFETCH(QString, expected);
    const Theme &theme = Theme::named(id);
    QCOMPARE(theme.id, expected);
    QCOMPARE(theme.isHouseTheme, expected == QLatin1String("brolga"));
}

// Each theme in each appearance is told apart by its palette alone, in every colour group; any other palette
// reads as the house theme.
void TestBrand::paletteCarriesItsTheme()
{
    for (const Theme &theme : Theme::all()) {
        for (const Appearance appearance : {Appearance::light, Appearance::dark}) {
            const QPalette palette = ThemePalette::make(theme, appearance);
            QCOMPARE(Brand::theme(palette).id, theme.id);
            QCOMPARE(ThemePalette::appearanceOf(palette), appearance);
            const bool dark = appearance == Appearance::dark;
            QCOMPARE(Brand::good(palette), Brand::rgb(dark ? theme.positiveDark : theme.positiveLight));
            QCOMPARE(Brand::chartAccent(palette), Brand::rgb(dark ? theme.chartAccentDark : theme.chartAccentLight));
            QPalette disabled = palette;
            disabled.setCurrentColorGroup(QPalette::Disabled);
            QCOMPARE(Brand::theme(disabled).id, theme.id);
            QCOMPARE(Brand::textPrimary(disabled), Brand::rgb(dark ? theme.textPrimaryDark : theme.ink));
        }
    }
    QPalette plain;
    plain.setColor(QPalette::Window, QColor(0xEF, 0xEF, 0xEF));
    plain.setColor(QPalette::Link, QColor(0x00, 0x00, 0xFF));
    QCOMPARE(Brand::theme(plain).id, Theme::house().id);
    QCOMPARE(Brand::canvas(plain), Brand::rgb(Theme::house().paper));
}

void TestBrand::storedThemeBecomesCurrent()
{
    storeTheme(QStringLiteral("classic"));
    CalculatorStore classic;
    BrandAssetStore assets;
    SettingsWindow window(classic, assets, SettingsTab::appearance);
    QCOMPARE(Brand::theme(window.palette()).id, QStringLiteral("classic"));
}

void TestBrand::unknownStoredThemeShowsHouseColoursAndStays()
{
    storeTheme(QStringLiteral("ocean"));
    CalculatorStore store;
    BrandAssetStore assets;
    SettingsWindow window(store, assets, SettingsTab::appearance);
    QCOMPARE(Brand::theme(window.palette()).id, QStringLiteral("brolga"));
    QCOMPARE(store.state().themeID, QStringLiteral("ocean"));

    // Saving for another reason keeps the identifier as it was.
    store.edit([](CalculatorState &s) { s.loanAmount = 650000; });
    store.saveNow();
    QCOMPARE(savedThemeID(), QStringLiteral("ocean"));
}

void TestBrand::applyThemeChangesRuntimeAndRecord()
{
    CalculatorStore store;
    BrandAssetStore assets;
    SettingsWindow window(store, assets, SettingsTab::appearance);
    const CalculatorState before = store.state();
    QSignalSpy changes(&store, &CalculatorStore::stateChanged);

    store.applyTheme(QStringLiteral("slate"));
    QCOMPARE(Brand::theme(window.palette()).id, QStringLiteral("slate"));
    QVERIFY(changes.count() >= 1);
    QVERIFY(store.hasPendingSave());
    // Nothing but the theme changed.
    CalculatorState expected = before;
    expected.themeID = QStringLiteral("slate");
    QVERIFY(store.state() == expected);

    store.saveNow();
    QCOMPARE(savedThemeID(), QStringLiteral("slate"));
}

QTEST_MAIN(TestBrand)
#include "tst_brand.moc"

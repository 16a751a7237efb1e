#include "BrandTestMain.h"
#include "TestStore.h"
#include "brand/Brand.h"
#include "brand/ThemePalette.h"
#include "brand/BrandType.h"
#include "core/CalculatorStore.h"
#include "core/Format.h"
#include "ui/binding/StoreBinding.h"
#include "ui/controls/BrandDateField.h"
#include "ui/controls/BrandLabel.h"
#include "ui/controls/HeroValue.h"
#include "ui/controls/PillPicker.h"
#include "ui/controls/ResultRow.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTextCharFormat>
#include <QVBoxLayout>

using namespace brolga;

using Rows = QList<QList<int>>;

namespace {
QList<PillPicker::Option> letters(int count)
{
    QList<PillPicker::Option> options;
    for (int i = 0; i < count; ++i)
        options.append({QString(QChar('A' + i)), i * 10});
    return options;
}

// WCAG 2: relative luminance, then (lighter + 0.05) / (darker + 0.05).
qreal contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto lin = [](qreal v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
    };
    const qreal la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
} // namespace

class TestControls : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        teststore::isolateSettings();
        BrandType::registerFonts();
    }

    void dateFieldPicksADayAtOnce()
    {
        QDate date(2026, 12, 5);
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *field = new BrandDateField(
            QStringLiteral("Period end"), [&] { return date; }, [&](const QDate &d) { date = d; }, &window);
        layout->addWidget(field);
        window.resize(220, 80);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(field->text(), QStringLiteral("5 Dec 2026"));
        QVERIFY(!field->isCalendarOpen());

        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() / 2, field->height() - 6));
        QVERIFY(field->isCalendarOpen());
        QCOMPARE(field->calendar()->selectedDate(), date);
        QCOMPARE(field->calendar()->window()->width(), BrandDateField::popupWidth);

        field->calendar()->setSelectedDate(QDate(2026, 12, 19));
        QCOMPARE(date, QDate(2026, 12, 19));
        QCOMPARE(field->text(), QStringLiteral("19 Dec 2026"));
        // Escape closes the pop-up the platform's way.
        QTest::keyClick(field->calendar(), Qt::Key_Escape);
        QTRY_VERIFY(!field->isCalendarOpen());
        QCOMPARE(date, QDate(2026, 12, 19));

        // The label does not open it.
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() / 2, 3));
        QVERIFY(!field->isCalendarOpen());
    }

    // The calendar in the brand, light and dark: weekends like any other day, weekday names whole, the
    // theme's colours behind them.
    void calendarInTheBrand_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }
    void calendarInTheBrand()
    {
        QFETCH(bool, dark);
        const QPalette palette = ThemePalette::make(Theme::house(), dark ? Appearance::dark : Appearance::light);
        QDate date(2026, 12, 5);
        QWidget window;
        window.setPalette(palette);
        auto *layout = new QVBoxLayout(&window);
        auto *field = new BrandDateField(
            QStringLiteral("Period end"), [&] { return date; }, [&](const QDate &d) { date = d; }, &window);
        layout->addWidget(field);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        field->openCalendar();
        QCalendarWidget *calendar = field->calendar();
        QVERIFY(QTest::qWaitForWindowExposed(calendar->window()));

        for (Qt::DayOfWeek day : {Qt::Saturday, Qt::Sunday, Qt::Wednesday})
            QCOMPARE(calendar->weekdayTextFormat(day).foreground().color(), Brand::textPrimary(palette));
        const QTextCharFormat header = calendar->headerTextFormat();
        QCOMPARE(header.background().color(), Brand::field(palette));
        auto *view = calendar->findChild<QTableView *>();
        QVERIFY(view);
        const QFontMetrics metrics(header.font());
        for (const char *name : {"Mon", "Wed", "Thu", "Sat"})
            QVERIFY2(metrics.horizontalAdvance(QString::fromLatin1(name)) + 4 <= view->columnWidth(3), name);
        // The navigation bar is painted from the theme, not the system's highlight colour.
        QVERIFY(calendar->styleSheet().contains(Brand::rgb(Brand::theme(palette).dark).name(QColor::HexArgb)));
    }

    // Reached with Tab and opened from the keyboard; Enter on a day picks it and closes, and the focus comes
    // back to the field so Tab goes on from there.
    void dateFieldFromTheKeyboard()
    {
        QDate date(2026, 12, 5);
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *before = new QLineEdit(&window);
        auto *field = new BrandDateField(
            QStringLiteral("Period end"), [&] { return date; }, [&](const QDate &d) { date = d; }, &window);
        auto *after = new QLineEdit(&window);
        layout->addWidget(before);
        layout->addWidget(field);
        layout->addWidget(after);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        before->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(before, Qt::Key_Tab);
        QTRY_VERIFY(field->hasFocus());

        QTest::keyClick(field, Qt::Key_Space);
        QVERIFY(field->isCalendarOpen());
        QTest::keyClick(field->calendar()->focusWidget() ? field->calendar()->focusWidget() : field->calendar(),
                        Qt::Key_Right);
        QCOMPARE(date, QDate(2026, 12, 6));
        QTest::keyClick(field->calendar()->focusWidget() ? field->calendar()->focusWidget() : field->calendar(),
                        Qt::Key_Return);
        QTRY_VERIFY(!field->isCalendarOpen());
        QCOMPARE(field->text(), QStringLiteral("6 Dec 2026"));
        QTRY_VERIFY(field->hasFocus());
        QTest::keyClick(field, Qt::Key_Tab);
        QTRY_VERIFY(after->hasFocus());
    }

    void dateFieldKeepsAnAbsentDateAbsentUntilPicked()
    {
        CalculatorStore store;
        std::unique_ptr<BrandDateField> field(StoreBinding::dateField(
            store, &CalculatorState::employmentStart, [] { return QDate(2026, 7, 1); }, QStringLiteral("Started")));
        QCOMPARE(field->text(), Format::stamp(QDate(2026, 7, 1)));
        QVERIFY(!store.state().employmentStart);
        field->openCalendar();
        QVERIFY(!store.state().employmentStart); // opening writes nothing
        field->calendar()->setSelectedDate(QDate(2026, 8, 3));
        QCOMPARE(store.state().employmentStart->date(), QDate(2026, 8, 3));
        store.edit([](CalculatorState &s) { s.employmentStart = QDateTime(QDate(2025, 1, 2), QTime(9, 30)); });
        QCOMPARE(field->text(), Format::stamp(QDate(2025, 1, 2)));
        field->calendar()->setSelectedDate(QDate(2025, 1, 9));
        QCOMPARE(*store.state().employmentStart, QDateTime(QDate(2025, 1, 9), QTime(9, 30)));
        store.saveNow();
    }

    void resultRowWrapsItsLabelBesideOneLineValue()
    {
        ResultRow row(QStringLiteral("Interest saved by extra repayments over the whole term"),
                      QStringLiteral("$86,410"));
        const int oneLine = row.heightForWidth(1000);
        QVERIFY(row.heightForWidth(160) > oneLine * 1.5);
        ResultRow emphasised(QStringLiteral("Total"), QStringLiteral("$86,410"), {}, true);
        QVERIFY(emphasised.sizeHint().width() > ResultRow(QStringLiteral("Total"), QStringLiteral("$86,410")).sizeHint().width());
    }

    // A label takes its colour from the window it is put in, and again when the theme or appearance changes.
    void labelFollowsTheWindowsTheme()
    {
        QWidget window;
        window.setPalette(ThemePalette::make(Theme::named("classic"), Appearance::light));
        auto *primary = new BrandLabel("$1", BrandType::sans(10), &Brand::textPrimary, &window);
        auto *secondary = new BrandLabel("Tax year", BrandType::sans(10), &Brand::textSecondary);
        secondary->setParent(&window);
        QCOMPARE(secondary->palette().color(QPalette::WindowText), QColor(0x64748B));
        window.setPalette(ThemePalette::make(Theme::named("slate"), Appearance::dark));
        QCOMPARE(secondary->palette().color(QPalette::WindowText), QColor(0x9CA6B2));
        QCOMPARE(primary->palette().color(QPalette::WindowText), QColor(0xF2F4F5));
    }

    void heroValueShrinksOnlySoFar()
    {
        HeroValue value(QStringLiteral("$1,234,567.89"), QStringLiteral("/mth"));
        value.resize(value.sizeHint());
        QCOMPARE(value.currentScale(), 1.0);
        value.resize(value.sizeHint().width() * 3 / 4, value.height());
        QVERIFY(value.currentScale() < 1.0 && value.currentScale() > HeroValue::minimumScale);
        value.resize(20, value.height());
        QCOMPARE(value.currentScale(), HeroValue::minimumScale);
    }

    void rows_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<std::optional<int>>("perRow");
        QTest::addColumn<Rows>("expected");
        QTest::newRow("3 a row cuts 4 into 3 and 1") << 4 << std::optional<int>(3) << Rows{{0, 1, 2}, {3}};
        QTest::newRow("2 a row cuts 4 evenly") << 4 << std::optional<int>(2) << Rows{{0, 1}, {2, 3}};
        QTest::newRow("as many as options: one row") << 4 << std::optional<int>(4) << Rows{{0, 1, 2, 3}};
        QTest::newRow("zero: one row") << 4 << std::optional<int>(0) << Rows{{0, 1, 2, 3}};
        QTest::newRow("absent: one row") << 4 << std::optional<int>() << Rows{{0, 1, 2, 3}};
        QTest::newRow("1 a row") << 3 << std::optional<int>(1) << Rows{{0}, {1}, {2}};
        QTest::newRow("no options") << 0 << std::optional<int>(3) << Rows{};
    }
    void rows()
    {
        QFETCH(int, count);
        QFETCH(std::optional<int>, perRow);
        QFETCH(Rows, expected);
        QCOMPARE(PillPicker::rows(count, perRow), expected);
    }

    // The pills of a row share its width; rows stack, the last one with wider pills.
    void pillsFillTheirRows()
    {
        QVariant value = 0;
        PillPicker picker(letters(4), [&] { return value; }, [&](const QVariant &v) { value = v; }, 3);
        picker.resize(304, picker.sizeHint().height());
        const QRectF a = picker.pillRect(0), c = picker.pillRect(2), d = picker.pillRect(3);
        QCOMPARE(a.top(), c.top());
        QVERIFY(d.top() > a.bottom());
        QCOMPARE(a.left(), 2.0);
        QCOMPARE(c.right(), 302.0);
        QCOMPARE(d.width(), 300.0);
        QCOMPARE(a.width(), (300.0 - 6) / 3);
        QCOMPARE(picker.height(), int(std::ceil(2 * a.height() + 3 + 4)));
    }

    void clickSelectsThatOption()
    {
        QVariant value = 20;
        int writes = 0;
        PillPicker picker(letters(4), [&] { return value; },
                          [&](const QVariant &v) {
                              value = v;
                              ++writes;
                          },
                          3);
        picker.resize(300, picker.sizeHint().height());
        picker.show();
        QCOMPARE(picker.selectedIndex(), 2);
        // A click lands on whatever lies under the point, as the window would send it.
        const auto click = [&picker](const QPointF &at) {
            QWidget *under = picker.childAt(at.toPoint());
            QWidget *target = under ? under : &picker;
            QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&picker, at.toPoint()));
        };

        click(picker.pillRect(3).center());
        QCOMPARE(value, QVariant(30));
        QCOMPARE(picker.selectedIndex(), 3);

        // The selected pill again writes nothing new; a click between pills selects nothing.
        click(picker.pillRect(3).center());
        QCOMPARE(writes, 1);
        const QRectF a = picker.pillRect(0), b = picker.pillRect(1);
        click(QPointF((a.right() + b.left()) / 2, a.center().y()));
        QCOMPARE(writes, 1);
        QCOMPARE(value, QVariant(30));
    }

    // The selected pill stands 3:1 from the unselected ones (the picker's field) in every theme and appearance;
    // on a dark field its label keeps 4.5:1 on it.
    void selectedPillStandsOut()
    {
        QVERIFY(qAbs(contrast(Qt::white, QColor(0x76, 0x76, 0x76)) - 4.54) < 0.01);
        for (const Theme &theme : Theme::all())
            for (const Appearance look : {Appearance::light, Appearance::dark}) {
                const QPalette palette = ThemePalette::make(theme, look);
                for (const QGradientStop &stop : PillPicker::selectionFill(palette, QRectF(0, 0, 90, 24)).stops()) {
                    const QString where = theme.id + (look == Appearance::dark ? " dark" : " light");
                    QVERIFY2(contrast(stop.second, Brand::field(palette)) >= 3, qPrintable(where));
                    if (look == Appearance::dark)
                        QVERIFY2(contrast(stop.second, Brand::rgb(theme.textPrimaryDark)) >= 4.5, qPrintable(where));
                }
            }
    }

    void valueOutsideTheOptionsSelectsNothing()
    {
        QVariant value = 99;
        PillPicker picker(letters(2), [&] { return value; }, [&](const QVariant &v) { value = v; });
        QCOMPARE(picker.selectedIndex(), -1);
        value = 10;
        picker.refresh();
        QCOMPARE(picker.selectedIndex(), 1);
    }
};

BROLGA_TEST_MAIN(TestControls)
#include "tst_controls.moc"

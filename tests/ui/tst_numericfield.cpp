#include "BrandTestMain.h"
#include "TestStore.h"
#include "core/CalculatorStore.h"
#include "core/StateHistory.h"
#include "ui/binding/StoreBinding.h"
#include "ui/controls/NumberText.h"
#include "ui/controls/NumericField.h"
#include "ui/controls/Stepper.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <QVBoxLayout>

#include <cmath>
#include <functional>
#include <limits>
#include <random>

using namespace brolga;

Q_DECLARE_METATYPE(std::optional<double>)

// A window holding one field, over a plain double or the store, plus a second input to move focus to.
struct Host {
    double value = 0;
    QWidget window;
    NumericField *field = nullptr;
    QLineEdit *elsewhere = nullptr;

    explicit Host(const std::function<NumericField *(QWidget *)> &make)
    {
        auto *layout = new QVBoxLayout(&window);
        field = make(&window);
        elsewhere = new QLineEdit(&window);
        layout->addWidget(field);
        layout->addWidget(elsewhere);
        window.resize(240, 120);
    }
    Host(NumericField::Config config, double initial)
        : Host([&](QWidget *parent) {
              value = initial;
              return new NumericField(
                  std::move(config), [this] { return value; }, [this](double v) { value = v; }, parent);
          })
    {
    }
    QLineEdit *edit() const { return field->lineEdit(); }
    bool focusField()
    {
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        edit()->setFocus(Qt::OtherFocusReason);
        return QTest::qWaitFor([this] { return edit()->hasFocus(); });
    }
    void clear()
    {
        edit()->selectAll();
        QTest::keyClick(edit(), Qt::Key_Backspace);
    }
};

NumericField::Config money() { return {.label = "Loan amount", .prefix = "$", .decimals = 0, .upper = 100000000}; }
NumericField::Config rate() { return {.label = "Rate", .suffix = "%", .decimals = 2, .upper = 25}; }
NumericField::Config term() { return {.label = "Term", .suffix = "yrs", .decimals = 0, .step = 1, .lower = 1, .upper = 50}; }

class TestNumericField : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { teststore::isolateSettings(); }

    // Typing sets the value at once and leaves the text alone; Return shows the value formatted.
    void typing_data()
    {
        QTest::addColumn<int>("kind"); // 0 money, 1 rate, 2 term
        QTest::addColumn<double>("initial");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<double>("whileTyping");
        QTest::addColumn<QString>("afterReturn");
        QTest::addColumn<bool>("refused"); // said beside the field
        QTest::newRow("currency and commas") << 0 << 650000.0 << "$1,250,000" << 1250000.0 << "1,250,000" << false;
        QTest::newRow("thousands") << 0 << 500000.0 << "650k" << 650000.0 << "650,000" << false;
        QTest::newRow("millions") << 0 << 500000.0 << "1.2m" << 1200000.0 << "1,200,000" << false;
        QTest::newRow("spaces group") << 0 << 500000.0 << "650 000" << 650000.0 << "650,000" << false;
        QTest::newRow("cents kept and shown") << 0 << 500000.0 << "$1,200,000.50" << 1200000.5 << "1,200,000.50"
                                              << false;
        QTest::newRow("letters refused, value kept") << 0 << 650000.0 << "12abc" << 650000.0 << "650,000" << true;
        QTest::newRow("k is money only") << 2 << 30.0 << "2k" << 30.0 << "30" << true;
        QTest::newRow("minus below the range") << 0 << 3.0 << "-5" << 0.0 << "0" << false;
        QTest::newRow("lone full stop keeps the value") << 1 << 6.09 << "." << 6.09 << "6.09" << false;
        QTest::newRow("zero clamps to a lower bound above it") << 2 << 30.0 << "0" << 1.0 << "1" << false;
        QTest::newRow("above the range clamps, text kept") << 1 << 6.09 << "99" << 25.0 << "25.00" << false;
    }
    void typing()
    {
        QFETCH(int, kind);
        QFETCH(double, initial);
        QFETCH(QString, keys);
        QFETCH(double, whileTyping);
        QFETCH(QString, afterReturn);
        QFETCH(bool, refused);
        Host host(kind == 0 ? money() : kind == 1 ? rate() : term(), initial);
        QVERIFY(host.focusField());
        host.edit()->selectAll(); // the first key replaces the text
        QTest::keyClicks(host.edit(), keys);
        QCOMPARE(host.value, whileTyping);
        QCOMPARE(host.field->text(), keys);
        // Text that is no figure at all is said beside the field, and stays said after Return.
        QCOMPARE(!host.field->problem().isEmpty(), refused);
        QCOMPARE(host.edit()->accessibleDescription(), host.field->problem());
        QTest::keyClick(host.edit(), Qt::Key_Return);
        QCOMPARE(host.value, whileTyping);
        QCOMPARE(host.field->text(), afterReturn);
        QCOMPARE(!host.field->problem().isEmpty(), refused);
        QVERIFY(host.edit()->hasFocus());
    }

    void clearingGivesTheLowerBound()
    {
        Host host(term(), 30);
        QVERIFY(host.focusField());
        host.clear();
        QCOMPARE(host.value, 1.0);
        QCOMPARE(host.field->text(), QString());
        host.elsewhere->setFocus(Qt::TabFocusReason);
        QCOMPARE(host.field->text(), QStringLiteral("1"));
    }

    void losingFocusCommits()
    {
        Host host(money(), 650000);
        QVERIFY(host.focusField());
        host.clear();
        QTest::keyClicks(host.edit(), QStringLiteral("720k"));
        QCOMPARE(host.field->text(), QStringLiteral("720k"));
        QVERIFY(host.field->isEditing());
        host.elsewhere->setFocus(Qt::TabFocusReason);
        QVERIFY(!host.field->isEditing());
        QCOMPARE(host.value, 720000.0);
        QCOMPARE(host.field->text(), QStringLiteral("720,000"));

        // Unreadable text leaves the value and is replaced on leaving.
        QVERIFY(host.focusField());
        host.edit()->selectAll();
        QTest::keyClicks(host.edit(), QStringLiteral(".."));
        QCOMPARE(host.value, 720000.0);
        host.elsewhere->setFocus(Qt::TabFocusReason);
        QCOMPARE(host.field->text(), QStringLiteral("720,000"));
    }

    // Bound to the store: changes made elsewhere show unless the user is typing in the field.
    void followsTheStoreOnlyWhenNotEditing()
    {
        CalculatorStore store;
        Host host(
            [&](QWidget *parent) { return StoreBinding::field(store, &CalculatorState::loanAmount, money(), parent); });
        NumericField *field = host.field;
        host.window.show();
        QCOMPARE(field->text(), QStringLiteral("650,000"));

        store.edit([](CalculatorState &s) { s.loanAmount = 720000; });
        QCOMPARE(field->text(), QStringLiteral("720,000"));

        QVERIFY(host.focusField());
        field->lineEdit()->selectAll();
        QTest::keyClicks(field->lineEdit(), QStringLiteral("$1,250,000"));
        QCOMPARE(store.state().loanAmount, 1250000.0);
        store.edit([](CalculatorState &s) { s.loanAmount = 5; });
        QCOMPARE(field->text(), QStringLiteral("$1,250,000"));
        QTest::keyClick(field->lineEdit(), Qt::Key_Return);
        QCOMPARE(store.state().loanAmount, 1250000.0);
        QCOMPARE(field->text(), QStringLiteral("1,250,000"));

        // Focused but not typed into (the window opens with the focus here): a reset or a figure sent from
        // another tab shows at once, and leaving the field does not write the old figure back.
        host.elsewhere->setFocus(Qt::TabFocusReason);
        QVERIFY(host.focusField());
        store.reset();
        QCOMPARE(field->text(), QStringLiteral("650,000"));
        store.edit([](CalculatorState &s) { s.loanAmount = 480000; });
        host.elsewhere->setFocus(Qt::TabFocusReason);
        QCOMPARE(store.state().loanAmount, 480000.0);
        store.saveNow();
    }

    // A field's typing is one step of the history; undone while the field still has the focus, the field
    // shows the figure put back rather than the text typed.
    void undoWhileTyping()
    {
        CalculatorStore store;
        store.edit([](CalculatorState &s) { s.loanAmount = 650000; });
        Host host(
            [&](QWidget *parent) { return StoreBinding::field(store, &CalculatorState::loanAmount, money(), parent); });
        QVERIFY(host.focusField());
        host.clear();
        QTest::keyClicks(host.edit(), QStringLiteral("720k"));
        QCOMPARE(store.state().loanAmount, 720000.0);
        store.history().undo();
        QCOMPARE(store.state().loanAmount, 650000.0);
        QCOMPARE(host.field->text(), QStringLiteral("650,000"));
        store.history().redo();
        QCOMPARE(host.field->text(), QStringLiteral("720,000"));
        // Left and typed into again: a step of its own.
        host.elsewhere->setFocus(Qt::TabFocusReason);
        QVERIFY(host.focusField());
        host.clear();
        QTest::keyClicks(host.edit(), QStringLiteral("800000"));
        store.history().undo();
        QCOMPARE(store.state().loanAmount, 720000.0);
        // What was said of unreadable text goes once the figure is changed elsewhere.
        host.clear();
        QTest::keyClicks(host.edit(), QStringLiteral("12abc"));
        host.elsewhere->setFocus(Qt::TabFocusReason);
        QVERIFY(!host.field->problem().isEmpty());
        store.reset();
        QCOMPARE(host.field->problem(), QString());
        store.saveNow();
    }

    // Bound to the store, the field writes only what is typed: passing through leaves the record, and its
    // save, alone even where the figure shown is rounded; a typed figure is written as it is typed.
    void boundFieldWritesOnlyTypedText()
    {
        CalculatorStore store;
        store.edit([](CalculatorState &s) { s.interestRate = 6.0875; });
        store.saveNow();
        Host host([&](QWidget *parent) {
            return StoreBinding::field(store, &CalculatorState::interestRate, rate(), parent);
        });
        QVERIFY(host.focusField());
        QCOMPARE(host.field->text(), QStringLiteral("6.09"));
        QTest::keyClick(host.edit(), Qt::Key_Return);
        host.elsewhere->setFocus(Qt::TabFocusReason);
        QCOMPARE(store.state().interestRate, 6.0875);
        QVERIFY(!store.hasPendingSave());

        QVERIFY(host.focusField());
        host.clear();
        QTest::keyClicks(host.edit(), QStringLiteral("6.1"));
        QCOMPARE(store.state().interestRate, 6.1);
        QVERIFY(store.hasPendingSave());
        host.elsewhere->setFocus(Qt::TabFocusReason);
        QCOMPARE(host.field->text(), QStringLiteral("6.10"));
        store.saveNow();
    }

    // Tabbing through a field rounds nothing: the stored figure keeps the places the field does not show.
    void passingThroughKeepsTheStoredFigure()
    {
        Host host(rate(), 6.0875);
        QVERIFY(host.focusField());
        QCOMPARE(host.field->text(), QStringLiteral("6.09"));
        host.elsewhere->setFocus(Qt::TabFocusReason);
        QCOMPARE(host.value, 6.0875);
        QVERIFY(host.focusField());
        QTest::keyClick(host.edit(), Qt::Key_Return);
        QCOMPARE(host.value, 6.0875);
    }

    // A locale that groups with full stops must not turn 1,250,000 into 1.25 on the next edit.
    void groupsWithCommasUnderAGermanLocale()
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Host host(money(), 1250000);
        QCOMPARE(host.field->text(), QStringLiteral("1,250,000"));
        QVERIFY(host.focusField());
        QTest::keyClick(host.edit(), Qt::Key_End);
        QTest::keyClick(host.edit(), Qt::Key_Backspace);
        QTest::keyClick(host.edit(), Qt::Key_1);
        QCOMPARE(host.value, 1250001.0);
        QTest::keyClick(host.edit(), Qt::Key_Return);
        QCOMPARE(host.field->text(), QStringLiteral("1,250,001"));
        Host decimals(rate(), 6.5);
        QCOMPARE(decimals.field->text(), QStringLiteral("6.50"));
        QLocale::setDefault(saved);
    }

    void stepperStaysInRange_data()
    {
        QTest::addColumn<double>("initial");
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<double>("expected");
        QTest::newRow("up to the top") << 48.0 << true << 4 << 50.0;
        QTest::newRow("down to the bottom") << 3.0 << false << 5 << 1.0;
        QTest::newRow("from outside the range") << 70.0 << true << 1 << 50.0;
        QTest::newRow("one step") << 30.0 << false << 1 << 29.0;
    }
    void stepperStaysInRange()
    {
        QFETCH(double, initial);
        QFETCH(bool, up);
        QFETCH(int, clicks);
        QFETCH(double, expected);
        Host host(term(), initial);
        QVERIFY(host.focusField());
        host.clear();
        QTest::keyClicks(host.edit(), QStringLiteral("12"));
        Stepper *stepper = host.field->stepper();
        const QPoint half(stepper->width() / 2, up ? 3 : stepper->height() - 3);
        host.value = initial;
        for (int i = 0; i < clicks; ++i)
            QTest::mouseClick(stepper, Qt::LeftButton, {}, half);
        QCOMPARE(host.value, expected);
        // Shown at once, even though the field has focus.
        QCOMPARE(host.field->text(), QString::number(expected));
        QVERIFY(!Host(money(), 1).field->stepper()); // no step, no stepper
    }

    // Reading and writing the figures, apart from any field.

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<double>>("expected");
        using O = std::optional<double>;
        QTest::newRow("currency and grouping") << "$1,250,000" << O(1250000);
        QTest::newRow("comma is never a decimal point") << "6,5" << O(65);
        QTest::newRow("later full stops dropped") << "1.2.3" << O(1.23);
        QTest::newRow("percent and spaces") << " 6.09 % " << O(6.09);
        QTest::newRow("leading minus kept") << "-5" << O(-5);
        QTest::newRow("minus after digits dropped") << "5-" << O(5);
        QTest::newRow("minus inside dropped") << "1-2" << O(12);
        QTest::newRow("minus after a currency sign counts as first") << "$-5" << O(-5);
        QTest::newRow("empty reads zero") << "" << O(0);
        QTest::newRow("lone minus reads zero") << "-" << O(0);
        QTest::newRow("trailing point") << "12." << O(12);
        QTest::newRow("leading point") << ".5" << O(0.5);
        QTest::newRow("letters dropped, exponent too") << "1e5" << O(15);
        QTest::newRow("lone point is nothing") << "." << O();
        QTest::newRow("minus point is nothing") << "-." << O();
        QTest::newRow("Arabic-Indic digits are nothing") << QString::fromUtf8("١٢") << O();
        QTest::newRow("vulgar fraction is nothing") << QString::fromUtf8("1½") << O();
        QTest::newRow("digits beyond the BMP are nothing") << QString::fromUtf8("𝟙") << O();
        QTest::newRow("German grouping read as a decimal") << "1.250.000" << O(1.25);
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<double>, expected);
        const auto got = NumberText::parse(text);
        QCOMPARE(got.has_value(), expected.has_value());
        if (expected)
            QCOMPARE(*got, *expected);
    }

    void parseOverlongDigitsIsInfiniteSoClampGivesLower()
    {
        const auto got = NumberText::parse(QString(400, QLatin1Char('9')));
        QVERIFY(got && std::isinf(*got));
        QCOMPARE(NumberText::clamp(*got, 1, 50), 1.0);
        QCOMPARE(NumberText::parse(QStringLiteral("0.") + QString(400, QLatin1Char('0')) + QStringLiteral("1")), 0.0);
    }

    void clamp()
    {
        const double inf = std::numeric_limits<double>::infinity();
        const std::pair<double, double> cases[] = {
            {6.25, 6.25}, {99, 25}, {-5, 1}, {std::numeric_limits<double>::quiet_NaN(), 1}, {inf, 1}, {-inf, 1}};
        for (auto [value, expected] : cases)
            QCOMPARE(NumberText::clamp(value, 1, 25), expected);
    }

    void format_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("expected");
        QTest::newRow("grouped") << 1250000.0 << 0 << "1,250,000";
        QTest::newRow("three digits") << 999.0 << 0 << "999";
        QTest::newRow("four digits") << 1000.0 << 0 << "1,000";
        QTest::newRow("negative grouped") << -1234567.0 << 0 << "-1,234,567";
        QTest::newRow("half to even down") << 2.5 << 0 << "2";
        QTest::newRow("half to even up") << 3.5 << 0 << "4";
        QTest::newRow("no negative zero") << -0.4 << 0 << "0";
        QTest::newRow("negative decimals as zero") << 1234.6 << -1 << "1,235";
        QTest::newRow("fixed two") << 6.2 << 2 << "6.20";
        QTest::newRow("fixed no grouping") << 1234.5 << 2 << "1234.50";
        QTest::newRow("not finite") << std::numeric_limits<double>::quiet_NaN() << 0 << "0";
    }
    void format()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, expected);
        QCOMPARE(NumberText::format(value, decimals), expected);
        // The same under a locale that groups with full stops and writes a decimal comma.
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString german = NumberText::format(value, decimals);
        QLocale::setDefault(saved);
        QCOMPARE(german, expected);
    }

    // What the field shows must read back as the value it shows, so the next edit starts from the same figure.
    void formattedTextReadsBack()
    {
        std::mt19937_64 rng(20260701);
        std::uniform_real_distribution<double> magnitude(0, 15);
        std::uniform_int_distribution<int> places(0, 4);
        for (int i = 0; i < 20000; ++i) {
            const double v = std::pow(10.0, magnitude(rng)) * (i % 7 == 0 ? -1 : 1);
            const int decimals = places(rng);
            const QString text = NumberText::format(v, decimals);
            const auto back = NumberText::parse(text);
            QVERIFY2(back.has_value(), qPrintable(text));
            QCOMPARE(NumberText::format(*back, decimals), text);
            QVERIFY2(std::fabs(*back - v) <= 0.5 * std::pow(10.0, -decimals) * (1 + 1e-9) + std::fabs(v) * 1e-15,
                     qPrintable(text));
            const QString money = NumberText::formatMoney(v);
            const double cents = std::fabs(*NumberText::read(money, true) - v);
            QVERIFY2(cents <= 0.0050001 + std::fabs(v) * 1e-15, qPrintable(money));
        }
    }
};

BROLGA_TEST_MAIN(TestNumericField)
#include "tst_numericfield.moc"

#include "TestStore.h"
#include "core/CalculatorStore.h"
#include "ui/controls/NumericField.h"
#include "ui/controls/Stepper.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <QVBoxLayout>

#include <functional>

#include <memory>

using namespace brolga;

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
        QTest::newRow("currency and commas") << 0 << 650000.0 << "$1,250,000" << 1250000.0 << "1,250,000";
        QTest::newRow("second full stop dropped") << 1 << 6.0 << "1.2.3" << 1.23 << "1.23";
        QTest::newRow("minus after digits ignored") << 0 << 1.0 << "5-" << 5.0 << "5";
        QTest::newRow("minus below the range") << 0 << 3.0 << "-5" << 0.0 << "0";
        QTest::newRow("lone full stop keeps the value") << 1 << 6.09 << "." << 6.09 << "6.09";
        QTest::newRow("zero clamps to a lower bound above it") << 2 << 30.0 << "0" << 1.0 << "1";
        QTest::newRow("above the range clamps, text kept") << 1 << 6.09 << "99" << 25.0 << "25.00";
    }
    void typing()
    {
        QFETCH(int, kind);
        QFETCH(double, initial);
        QFETCH(QString, keys);
        QFETCH(double, whileTyping);
        QFETCH(QString, afterReturn);
        Host host(kind == 0 ? money() : kind == 1 ? rate() : term(), initial);
        QVERIFY(host.focusField());
        host.edit()->selectAll(); // the first key replaces the text
        QTest::keyClicks(host.edit(), keys);
        QCOMPARE(host.value, whileTyping);
        QCOMPARE(host.field->text(), keys);
        QTest::keyClick(host.edit(), Qt::Key_Return);
        QCOMPARE(host.value, whileTyping);
        QCOMPARE(host.field->text(), afterReturn);
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
        QTest::keyClicks(host.edit(), QStringLiteral("720000abc"));
        QCOMPARE(host.field->text(), QStringLiteral("720000abc"));
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
        Host host([&](QWidget *parent) { return NumericField::bind(store, &CalculatorState::loanAmount, money(), parent); });
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
        store.saveNow();
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
        QVERIFY(stepper);
        const QPoint half(stepper->width() / 2, up ? 3 : stepper->height() - 3);
        host.value = initial;
        for (int i = 0; i < clicks; ++i)
            QTest::mouseClick(stepper, Qt::LeftButton, {}, half);
        QCOMPARE(host.value, expected);
        // Shown at once, even though the field has focus.
        QCOMPARE(host.field->text(), QString::number(expected));
        QVERIFY(!Host(money(), 1).field->stepper()); // no step, no stepper
    }
};

QTEST_MAIN(TestNumericField)
#include "tst_numericfield.moc"

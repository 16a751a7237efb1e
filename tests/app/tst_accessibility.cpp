// What a screen reader and a keyboard user get: every screen, the header and the settings window walked
// through QAccessible, the Tab order of each, and the keys and events the drawn controls answer to.

#include "BrandTestMain.h"
#include "AppTest.h"

#include "app/settings/AppAccessibility.h"
#include "app/settings/SettingsTabBar.h"
#include "app/settings/SettingsWindow.h"
#include "app/shell/Commands.h"
#include "app/shell/FloatingWindow.h"
#include "app/shell/RootView.h"
#include "core/CalculatorStore.h"
#include "ui/BalanceChart.h"
#include "ui/DonutChart.h"
#include "ui/LegendDot.h"
#include "ui/RepaymentView.h"
#include "ui/YearlyTableView.h"
#include "ui/access/Accessibility.h"
#include "ui/access/AccessibleView.h"
#include "ui/brand/BrandAssetStore.h"
#include "ui/buttons/HeaderButton.h"
#include "ui/controls/BrandLabel.h"
#include "ui/controls/HeroStat.h"
#include "ui/controls/HeroValue.h"
#include "ui/controls/NumericField.h"
#include "ui/controls/PillPicker.h"
#include "ui/controls/ResultRow.h"
#include "ui/controls/Stepper.h"
#include "ui/controls/ToastCapsule.h"
#include "ui/update/UpdateAvailableStrip.h"
#include "update/UpdateCheck.h"

#include <QAccessible>
#include <QApplication>
#include <QLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <functional>

using namespace brolga;

using SetUp = std::function<void(CalculatorState &)>;
Q_DECLARE_METATYPE(SetUp)

namespace {

// ---- The tree as a reader walks it ----

struct Tree {
    QList<QAccessibleInterface *> nodes; // every object on screen, from the window down
    QHash<QObject *, QAccessibleInterface *> byObject;
};

void walk(QAccessibleInterface *node, Tree &tree, int depth = 0)
{
    QVERIFY2(depth < 64, "the accessible tree does not end");
    if (!node || !node->isValid() || node->state().invisible)
        return;
    tree.nodes.append(node);
    if (QObject *o = node->object())
        tree.byObject.insert(o, node);
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface *child = node->child(i);
        QVERIFY2(child, "a child index inside childCount() gives no interface");
        QCOMPARE(child->parent(), node);
        walk(child, tree, depth + 1);
    }
}

Tree treeOf(QWidget *window)
{
    Tree tree;
    walk(QAccessible::queryAccessibleInterface(window), tree);
    return tree;
}

QString describe(QAccessibleInterface *node)
{
    QString what = node->object() ? QString::fromLatin1(node->object()->metaObject()->className()) : "item";
    if (node->object() && !node->object()->objectName().isEmpty())
        what += " #" + node->object()->objectName();
    return QStringLiteral("%1 (role %2, name \"%3\")")
        .arg(what)
        .arg(int(node->role()))
        .arg(node->text(QAccessible::Name));
}

bool interactiveRole(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::PageTab:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::ComboBox:
    case QAccessible::Link:
    case QAccessible::ButtonMenu: return true;
    default: return false;
    }
}

bool isPicker(QAccessible::Role role)
{
    return role == QAccessible::PageTabList || role == QAccessible::Grouping;
}

// Counts what the README reports: interactive objects without a name, and figures a reader can read.
struct Census {
    int interactive = 0;
    int unnamed = 0;
    int figures = 0;
};

// The shown text of a widget that shows a result, with the interface that must carry it; empty when the
// widget shows none.
struct Shown {
    QString name;  // what the figure is, as the screen labels it
    QString value; // the figure as shown
};

std::optional<Shown> shownFigure(QWidget *w)
{
    if (auto *v = qobject_cast<HeroValue *>(w))
        return Shown{{}, AccessibleView::spoken(v->text() + v->suffix())};
    if (auto *s = qobject_cast<HeroStat *>(w))
        return Shown{s->label(), AccessibleView::spoken(s->value())};
    if (auto *r = qobject_cast<ResultRow *>(w))
        return Shown{r->label(), AccessibleView::spoken(r->value())};
    if (auto *d = qobject_cast<LegendDot *>(w); d && !d->value().isEmpty())
        return Shown{d->label(), d->value()};
    if (auto *d = qobject_cast<DonutChart *>(w))
        return Shown{{}, d->centreText()};
    return std::nullopt;
}

// Walks the window: no interactive object without a role and a name, every picker with its choice, every
// figure on screen in the tree with its label and value, every line of text readable.
void audit(QWidget *window, Census &census)
{
    const Tree tree = treeOf(window);
    if (QTest::currentTestFailed())
        return;

    for (QAccessibleInterface *node : tree.nodes) {
        const QAccessible::Role role = node->role();
        auto *widget = qobject_cast<QWidget *>(node->object());
        const bool focusable = widget && (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled();
        if (!interactiveRole(role) && !focusable && !isPicker(role))
            continue;
        if (role == QAccessible::ScrollBar)
            continue; // the scroll areas' own bars; the wheel and the keyboard scroll without them
        if (role == QAccessible::Grouping && node->childCount() == 0)
            continue; // a plain group box, not a picker
        ++census.interactive;
        if (node->text(QAccessible::Name).trimmed().isEmpty())
            ++census.unnamed;
        [&] {
            QVERIFY2(role != QAccessible::Client && role != QAccessible::NoRole,
                     qPrintable("no role: " + describe(node)));
            QVERIFY2(!node->text(QAccessible::Name).trimmed().isEmpty(), qPrintable("no name: " + describe(node)));
            if (!isPicker(role))
                return;
            int picked = 0;
            for (int i = 0; i < node->childCount(); ++i) {
                QAccessibleInterface *choice = node->child(i);
                QVERIFY2(interactiveRole(choice->role()), qPrintable("a choice without a role in " + describe(node)));
                QVERIFY2(!choice->text(QAccessible::Name).isEmpty(),
                         qPrintable("a choice without a name in " + describe(node)));
                QVERIFY2(choice->actionInterface() && (choice->actionInterface()->actionNames().contains(
                                                           QAccessibleActionInterface::pressAction()) ||
                                                       choice->actionInterface()->actionNames().contains(
                                                           QAccessibleActionInterface::toggleAction())),
                         qPrintable("a choice that cannot be pressed in " + describe(node)));
                const QAccessible::State s = choice->state();
                picked += role == QAccessible::PageTabList ? s.selected : s.checked;
            }
            QVERIFY2(picked == 1, qPrintable(QStringLiteral("%1 picked in ").arg(picked) + describe(node)));
        }();
        if (QTest::currentTestFailed())
            return;
    }

    // Every widget on screen that shows a figure is in the tree, named by its label and valued as shown.
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        const auto shown = shownFigure(w);
        if (shown) {
            QAccessibleInterface *node = tree.byObject.value(w);
            const QString what = QString::fromLatin1(w->metaObject()->className()) + " \"" + shown->value + "\"";
            [&] {
                QVERIFY2(node, qPrintable("not in the tree: " + what));
                QCOMPARE(node->role(), QAccessible::StaticText);
                QVERIFY2(!node->text(QAccessible::Name).isEmpty(), qPrintable("no name: " + what));
                if (!shown->name.isEmpty())
                    QCOMPARE(node->text(QAccessible::Name), shown->name);
                QCOMPARE(node->text(QAccessible::Value), shown->value);
                // AT-SPI readers fetch the words through the text interface.
                QVERIFY(node->textInterface());
                QCOMPARE(node->textInterface()->text(0, -1), shown->value);
            }();
            if (QTest::currentTestFailed())
                return;
            ++census.figures;
            continue;
        }
        // Any other text on screen is readable from the tree: its own object, or the object it is part of.
        auto *label = qobject_cast<BrandLabel *>(w);
        if (!label || label->text().isEmpty())
            continue;
        QWidget *holder = label;
        while (holder && !tree.byObject.contains(holder))
            holder = holder->parentWidget();
        QAccessibleInterface *node = holder ? tree.byObject.value(holder) : nullptr;
        const QString words = node ? node->text(QAccessible::Name) + " " + node->text(QAccessible::Value) : QString();
        QVERIFY2(node && (words.contains(label->text(), Qt::CaseInsensitive) ||
                          words.contains(AccessibleView::spoken(label->text()), Qt::CaseInsensitive)),
                 qPrintable("\"" + label->text() + "\" cannot be read from the tree"));
        if (holder == label && !label->accessibleName().isEmpty())
            ++census.figures;
    }
    for (auto *chart : window->findChildren<BalanceChart *>()) {
        if (!chart->isVisibleTo(window))
            continue;
        QAccessibleInterface *node = tree.byObject.value(chart);
        QVERIFY2(node && node->role() == QAccessible::Chart, "the balance chart is not in the tree as a chart");
        QVERIFY2(node->text(QAccessible::Value).contains("Balance falls from"),
                 qPrintable(node->text(QAccessible::Value)));
        ++census.figures;
    }
    for (auto *table : window->findChildren<YearlyTableView *>()) {
        if (!table->isVisibleTo(window))
            continue;
        QAccessibleInterface *node = tree.byObject.value(table);
        QVERIFY2(node, "the yearly table is not in the tree");
        QCOMPARE(node->childCount(), table->lineCount());
        for (int i = 0; i < table->lineCount(); ++i)
            for (const QString &cell : table->lineTexts(i))
                QVERIFY2(node->child(i)->text(QAccessible::Name).contains(cell),
                         qPrintable(node->child(i)->text(QAccessible::Name) + " lacks " + cell));
        census.figures += table->lineCount();
    }
}

// ---- The window ----

struct Window {
    CalculatorStore store;
    BrandAssetStore assets;
    UpdateCheck updates;
    Commands commands{store};
    QWidget window;
    RootView *view = nullptr;

    explicit Window(const SetUp &setUp = {})
    {
        if (setUp)
            store.edit(setUp);
        RootView::Actions a;
        a.openUrl = [](const QUrl &) {};
        view = new RootView(store, assets, updates, commands, a, &window);
        window.resize(470, 700);
        view->resize(470, 700);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // Every screen made, as after a session that visited each tab, so the Tab order is the one a user
        // meets however the screens came to be built.
        for (CalculatorTab tab :
             {CalculatorTab::capacity, CalculatorTab::income, CalculatorTab::upfront, CalculatorTab::repayment})
            view->screen(tab);
        view->activeScreen();
        QApplication::processEvents();
    }
};

QWidget *focusedAfterTab()
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    return QApplication::focusWidget();
}

// The Tab chain from `first` round to it again.
QList<QWidget *> tabChain(QWidget *first)
{
    first->setFocus(Qt::TabFocusReason);
    QList<QWidget *> chain{QApplication::focusWidget()};
    for (int i = 0; i < 300; ++i) {
        QWidget *next = focusedAfterTab();
        if (!next || next == chain.first())
            break;
        chain.append(next);
    }
    return chain;
}

// Tab reaches every control once, in reading order: down the page, and left to right along a row.
void checkReadingOrder(QWidget *window, QWidget *first)
{
    const QList<QWidget *> chain = tabChain(first);
    QList<QWidget *> expected;
    for (QWidget *w : window->findChildren<QWidget *>())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) && w->isEnabled() && !w->focusProxy())
            expected.append(w);
    for (QWidget *w : expected)
        QVERIFY2(chain.count(w) == 1, qPrintable(QStringLiteral("%1 \"%2\" is reached %3 times by Tab")
                                                     .arg(w->metaObject()->className(), w->accessibleName())
                                                     .arg(chain.count(w))));
    QCOMPARE(chain.size(), expected.size());
    // Positions on the page, taken after the walk with every scroll area back at its top: the focus moved
    // the content as it went down.
    for (auto *area : window->findChildren<QScrollArea *>())
        area->verticalScrollBar()->setValue(0);
    QPoint previous(-1, -1000);
    QString previousName;
    for (QWidget *w : chain) {
        // A field is where its label starts: the number field whose text box this is.
        QWidget *field = w;
        while (field->parentWidget() && field->parentWidget()->focusProxy() == field)
            field = field->parentWidget();
        const QPoint at = field->mapTo(window, QPoint(0, 0));
        const bool sameRow = std::abs(at.y() - previous.y()) <= 4;
        QVERIFY2(sameRow ? at.x() > previous.x() : at.y() > previous.y(),
                 qPrintable(QStringLiteral("Tab goes from %1 to %2 (%3, %4), against reading order")
                                .arg(previousName, w->accessibleName())
                                .arg(at.x())
                                .arg(at.y())));
        previous = at;
        previousName =
            w->accessibleName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->accessibleName();
    }
}

void showScreen(Window &w, CalculatorTab tab, const SetUp &setUp)
{
    w.store.edit([&](CalculatorState &s) {
        s.activeTab = tab;
        if (setUp)
            setUp(s);
    });
    QApplication::processEvents();
    w.view->activeScreen()->adjustSize();
}

// Every screen with the sections that only show for some inputs.
void screenRows()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<SetUp>("setUp");
    const QDateTime periodEnd(QDate(2026, 9, 30), QTime(0, 0));
    QTest::newRow("repayment, as it first opens") << int(CalculatorTab::repayment) << SetUp();
    QTest::newRow("repayment, interest only, extra, table")
        << int(CalculatorTab::repayment) << SetUp([](CalculatorState &s) {
               s.repaymentType = RepaymentType::interestOnly;
               s.extraRepayment = 400;
               s.showProjection = true;
               s.projectionView = ProjectionView::schedule;
               s.loanTermYears = 10;
           });
    QTest::newRow("repayment, compare, lender fees, fixed portion, chart") << int(CalculatorTab::repayment) << SetUp([](CalculatorState &s) {
        s.isCompareMode = true;
        s.showProjection = true;
        s.projectionView = ProjectionView::chart;
        s.frequency = PaymentFrequency::fortnightly;
        s.feesEnabled = true;
        s.establishmentFee = 600;
        s.fixedEnabled = true;
        s.fixedAmount = 200000;
    });
    QTest::newRow("repayment, no result")
        << int(CalculatorTab::repayment) << SetUp([](CalculatorState &s) { s.loanAmount = 0; });
    QTest::newRow("capacity, couple") << int(CalculatorTab::capacity)
                                      << SetUp([](CalculatorState &s) { s.applicantType = ApplicantType::couple; });
    QTest::newRow("capacity, couple in detail") << int(CalculatorTab::capacity) << SetUp([](CalculatorState &s) {
        s.applicantType = ApplicantType::couple;
        s.applicantsInDetail = true;
        s.applicant1Income = 90000;
    });
    QTest::newRow("income, casual, YTD, bonus, HELP")
        << int(CalculatorTab::income) << SetUp([periodEnd](CalculatorState &s) {
               s.employmentType = EmploymentType::casual;
               s.payBasis = PayBasis::hourly;
               s.payRate = 48;
               s.ytdGross = 21000;
               s.ytdPeriodEnd = periodEnd;
               s.overtimeAnnual = 6000;
               s.bonusThisFY = 9000;
               s.bonusLastFY = 7000;
               s.hasHELP = true;
           });
    QTest::newRow("income, contractor") << int(CalculatorTab::income) << SetUp([](CalculatorState &s) {
        s.employmentType = EmploymentType::contractor;
        s.payBasis = PayBasis::daily;
        s.payRate = 900;
    });
    QTest::newRow("upfront, foreign buyer, LMI, duty override")
        << int(CalculatorTab::upfront) << SetUp([](CalculatorState &s) {
               s.state = AUState::nsw;
               s.isForeignBuyer = true;
               s.depositAmount = 60000;
               s.dutyOverride = 31000;
           });
    QTest::newRow("upfront, first home in Victoria") << int(CalculatorTab::upfront) << SetUp([](CalculatorState &s) {
        s.state = AUState::vic;
        s.buyerType = BuyerType::firstHome;
        s.purchasePrice = 550000;
    });
}

// ---- Events ----

struct Heard {
    QPointer<QObject> object;
    QAccessible::Event type;
    QString value;
};
QList<Heard> heard;

void listen(QAccessibleEvent *event)
{
    QString value;
    if (event->type() == QAccessible::ValueChanged)
        value = static_cast<QAccessibleValueChangeEvent *>(event)->value().toString();
    // A picker's choice has no object of its own: the event counts as the picker's.
    QObject *object = event->object();
    if (!object && event->accessibleInterface() && event->accessibleInterface()->parent())
        object = event->accessibleInterface()->parent()->object();
    heard.append({object, event->type(), value});
}

bool heardFrom(QObject *object, QAccessible::Event type, const QString &value = {})
{
    for (const Heard &h : heard)
        if (h.object == object && h.type == type && (value.isEmpty() || h.value == value))
            return true;
    return false;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        AppAccessibility::install();
        // Stands in for the platform's bridge: every event a reader would get comes here.
        Accessibility::setTap(&listen);
        // A build with an update service, so the consent strip shows and the settings have their section.
        UpdateCheck::setServiceBase(QUrl(QStringLiteral("https://updates.example.com")));
    }
    void init()
    {
        apptest::isolate();
        heard.clear();
    }

    void spokenUnits_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("monthly figure") << "$3,934.77/mth"
                                        << "$3,934.77 per month";
        QTest::newRow("field label") << "Extra /wk"
                                     << "Extra per week";
        QTest::newRow("fortnightly") << "$1,816.05/ftn"
                                     << "$1,816.05 per fortnight";
    }
    void spokenUnits()
    {
        QFETCH(QString, shown);
        QFETCH(QString, spoken);
        QCOMPARE(AccessibleView::spoken(shown), spoken);
    }

    void screensReadable_data() { screenRows(); }
    void screensReadable()
    {
        QFETCH(int, tab);
        QFETCH(SetUp, setUp);
        Window w;
        showScreen(w, CalculatorTab(tab), setUp);
        Census census;
        audit(&w.window, census);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(census.interactive > 8);
        QCOMPARE(census.unnamed, 0);
        QVERIFY(census.figures > 0);
        qInfo("%d interactive objects, %d unnamed, %d figures readable", census.interactive, census.unnamed,
              census.figures);
    }

    void screensTabInReadingOrder_data() { screenRows(); }
    void screensTabInReadingOrder()
    {
        QFETCH(int, tab);
        QFETCH(SetUp, setUp);
        Window w;
        showScreen(w, CalculatorTab(tab), setUp);
        // A fresh record asks about update checks: the strip sits between the header and the screen.
        QCOMPARE(w.view->strip(), RootView::Strip::consent);
        checkReadingOrder(&w.window, w.view->pinButton());
    }

    void settingsReadableAndInOrder_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("office");
        QTest::newRow("identity") << int(SettingsTab::identity) << false;
        QTest::newRow("appearance") << int(SettingsTab::appearance) << false;
        QTest::newRow("appearance, office client book") << int(SettingsTab::appearance) << true;
    }
    void settingsReadableAndInOrder()
    {
        QFETCH(int, tab);
        QFETCH(bool, office);
        CalculatorStore store;
        store.settings().setClientBookOnServer(office);
        BrandAssetStore assets;
        SettingsWindow window(store, assets, SettingsTab(tab), nullptr, [](const QUrl &) {});
        window.resize(SettingsWindow::windowSize.width(), 1200);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        Census census;
        audit(&window, census);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(census.unnamed, 0);
        checkReadingOrder(&window, window.tabBar());
    }

    // The update strip that offers a release: named by its message, its buttons by what they do.
    void updateStripReadable()
    {
        QWidget window;
        auto *strip = new UpdateAvailableStrip("1.6", {}, {}, &window);
        strip->resize(440, 40);
        window.show();
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(strip);
        QCOMPARE(node->role(), QAccessible::AlertMessage);
        QCOMPARE(node->text(QAccessible::Name), strip->message());
        QStringList buttons;
        for (int i = 0; i < node->childCount(); ++i)
            if (node->child(i)->role() == QAccessible::Button)
                buttons << node->child(i)->text(QAccessible::Name);
        QCOMPARE(buttons, QStringList({"View", "Hide until the next version"}));
    }

    // Figures follow typing: each keystroke that changes the loan sends the new figure to readers.
    void typingSendsValueChanges()
    {
        Window w;
        auto *screen = static_cast<RepaymentView *>(w.view->screen(CalculatorTab::repayment));
        QLineEdit *edit = screen->loanAmountField()->lineEdit();
        edit->setFocus();
        edit->selectAll();
        heard.clear();
        QTest::keyClicks(edit, "8");
        QTest::keyClicks(edit, "00000");
        const QString figure = AccessibleView::spoken(screen->heroValue()->text() + screen->heroValue()->suffix());
        QVERIFY2(heardFrom(screen->heroValue(), QAccessible::ValueChanged, figure), qPrintable(figure));
        QVERIFY(heardFrom(screen->heroValue(), QAccessible::TextUpdated));
        QVERIFY(heardFrom(screen->heroStat(0), QAccessible::ValueChanged, screen->heroStat(0)->value()));
        // Nothing is sent for a figure that did not change.
        const int before = int(heard.size());
        screen->refresh();
        QCOMPARE(int(heard.size()), before);
    }

    void toastAndStripAreAnnounced()
    {
        Window w;
        w.store.flash("Copied");
        QVERIFY(heardFrom(w.view->toast(), QAccessible::Alert));
        QCOMPARE(QAccessible::queryAccessibleInterface(w.view->toast())->text(QAccessible::Name),
                 QStringLiteral("Copied"));
        QCOMPARE(QAccessible::queryAccessibleInterface(w.view->toast())->role(), QAccessible::AlertMessage);
        QTRY_VERIFY(heardFrom(w.view->stripWidget(), QAccessible::Alert));
    }

    // The arrows move the choice within a picker, row by row in a grid; Tab leaves it.
    void pickerArrows_data()
    {
        QTest::addColumn<int>("perRow");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("right") << 0 << 0 << int(Qt::Key_Right) << 1;
        QTest::newRow("down in one row") << 0 << 1 << int(Qt::Key_Down) << 2;
        QTest::newRow("left stops at the first") << 0 << 0 << int(Qt::Key_Left) << 0;
        QTest::newRow("right stops at the last") << 0 << 7 << int(Qt::Key_Right) << 7;
        QTest::newRow("end") << 0 << 2 << int(Qt::Key_End) << 7;
        QTest::newRow("home") << 4 << 6 << int(Qt::Key_Home) << 0;
        QTest::newRow("down a row of four") << 4 << 1 << int(Qt::Key_Down) << 5;
        QTest::newRow("up a row of four") << 4 << 7 << int(Qt::Key_Up) << 3;
        QTest::newRow("down from the last row stays") << 4 << 6 << int(Qt::Key_Down) << 6;
        QTest::newRow("down into a shorter row") << 3 << 2 << int(Qt::Key_Down) << 5;
        QTest::newRow("down to the end of a short last row") << 3 << 5 << int(Qt::Key_Down) << 7;
    }
    void pickerArrows()
    {
        QFETCH(int, perRow);
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(int, expected);
        QList<PillPicker::Option> options;
        for (int i = 0; i < 8; ++i)
            options.append({QString::number(i), i});
        int value = start;
        QWidget window;
        auto *picker = new PillPicker(
            options, [&value] { return QVariant(value); }, [&value](const QVariant &v) { value = v.toInt(); },
            perRow > 0 ? std::optional<int>(perRow) : std::nullopt, &window);
        picker->setAccessibleName("Numbers");
        picker->resize(picker->sizeHint());
        window.show();
        QApplication::setActiveWindow(&window);
        window.setFocus();
        QTest::keyClick(&window, Qt::Key_Tab); // one Tab stop: the picked pill
        QVERIFY(picker->pill(start)->hasFocus());
        QTest::keyClick(picker->pill(start), Qt::Key(key));
        QCOMPARE(value, expected);
        QCOMPARE(picker->selectedIndex(), expected);
        QVERIFY(picker->pill(expected)->hasFocus());
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(picker);
        QCOMPARE(node->role(), QAccessible::Grouping);
        QCOMPARE(node->text(QAccessible::Value), QString::number(expected));
        QVERIFY(node->child(expected)->state().checked);
        // Toggling a choice through the reader picks it too.
        node->child(3)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(value, 3);
    }

    // A number field's stepper is Qt's spin box over the field (e2e/atspi reads its name and bounds and steps
    // it): what a reader sets is clamped as typing is, and the arrow keys in the field step it.
    void stepperIsASpinBox()
    {
        Window w;
        NumericField *term = nullptr;
        for (auto *f : w.view->screen(CalculatorTab::repayment)->findChildren<NumericField *>())
            term = f->config().label == "Term (years)" ? f : term;
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(term->stepper());
        node->valueInterface()->setCurrentValue(80);
        QCOMPARE(node->text(QAccessible::Value), QStringLiteral("50"));
        QTest::keyClick(term->lineEdit(), Qt::Key_Down);
        QCOMPARE(w.store.state().loanTermYears, 49.0);
    }

    // Every check box and switch, and the pin, flips alike by the reader's Toggle, Space, Return, Enter and a
    // click at the far end of its face: the record follows, and doing it again puts it back.
    void everyWayFlipsTheRecord_data()
    {
        QTest::addColumn<QString>("way");
        for (const char *way : {"reader", "space", "return", "enter", "click"})
            QTest::newRow(way) << QString::fromLatin1(way);
    }
    void everyWayFlipsTheRecord()
    {
        QFETCH(QString, way);
        Window w([](CalculatorState &s) {
            s.applicantsInDetail = true;
            s.applicantType = ApplicantType::couple;
            s.bonusThisFY = s.bonusLastFY = 5000;
        });
        const auto flip = [&way](QAbstractButton *b) {
            if (way == "reader")
                QAccessible::queryAccessibleInterface(b)->actionInterface()->doAction(
                    QAccessibleActionInterface::toggleAction());
            else if (way != "click")
                QTest::keyClick(b, way == "space" ? Qt::Key_Space : way == "return" ? Qt::Key_Return : Qt::Key_Enter);
            else
                QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->width() - 2, b->height() / 2));
        };
        w.store.setOffersDetailedInputs(true);
        int toggles = 0;
        for (QAbstractButton *b : w.view->findChildren<QAbstractButton *>()) {
            if (!b->isCheckable() || qobject_cast<QRadioButton *>(b)) // a picker's pill only ever picks
                continue;
            ++toggles;
            for (const auto &[tab, key] : EnumCases<CalculatorTab>::list) // its tab shown, so the mouse reaches it
                if (w.view->screen(tab)->isAncestorOf(b))
                    w.store.edit([tab](CalculatorState &s) { s.activeTab = tab; });
            b->setFocus(); // Return presses only the focused button
            const CalculatorState before = w.store.state();
            flip(b);
            QVERIFY2(w.store.state() != before, qPrintable(b->accessibleName() + b->text() + " left the record"));
            flip(b);
            QVERIFY(w.store.state() == before);
        }
        // The pin; the comparison, fees, fixed and in-detail switches; four boxes on Income and Upfront, two on Capacity.
        QCOMPARE(toggles, 11);
    }

    // In tray mode Escape puts the window away; as an ordinary window it stays.
    void escapeHidesInTrayMode_data()
    {
        QTest::addColumn<bool>("trayMode");
        QTest::newRow("tray") << true;
        QTest::newRow("no tray") << false;
    }
    void escapeHidesInTrayMode()
    {
        QFETCH(bool, trayMode);
        FloatingWindow window("Brolga");
        window.setHidesOnClose(trayMode);
        auto *field = new QLineEdit(&window);
        window.layout()->addWidget(field);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        field->setFocus();
        QSignalSpy hidden(&window, &FloatingWindow::hiddenByClose);
        QTest::keyClick(field, Qt::Key_Escape);
        QCOMPARE(window.isVisible(), !trayMode);
        QCOMPARE(hidden.count(), trayMode ? 1 : 0);
    }
};

BROLGA_TEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"

#include "BrandTestMain.h"
#include "AppTest.h"

#include "app/shell/AppDelegate.h"
#include "app/shell/Commands.h"
#include "app/shell/FloatingWindow.h"
#include "app/shell/ReportTabsPrompt.h"
#include "platform/FileDialogs.h"
#include "ui/buttons/BrandCheckBox.h"
#include "ui/buttons/HeaderButton.h"
#include "app/shell/RootView.h"
#include "app/clients/ClientListModel.h"
#include "app/clients/ClientNameButton.h"
#include "app/clients/ClientPrompts.h"
#include "app/clients/ClientSession.h"
#include "app/shell/ClientsMenu.h"
#include "app/clients/ClientsWindow.h"
#include "brand/Brand.h"
#include "core/CalculatorStore.h"
#include "core/ClientBook.h"
#include "core/ClientInputs.h"
#include "core/StateHistory.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QScopeGuard>
#include <QTimer>
#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QTimeZone>

#include <memory>

using namespace brolga;

namespace {

QString bookPath()
{
    return ClientBook::defaultPath();
}

std::unique_ptr<AppDelegate> launched()
{
    Settings().setHasLaunched(true);
    auto d = std::make_unique<AppDelegate>(AppDelegate::TrayMode::noTray);
    d->launch();
    return d;
}

QAction *command(AppDelegate &d, Commands::Id id)
{
    return d.commands().action(id);
}

ClientNameButton *nameButton(AppDelegate &d)
{
    return d.rootView()->header()->findChild<ClientNameButton *>(QStringLiteral("clientName"));
}

// Picks the client named `name` in the Clients menu's "Open", as a click would.
bool pickInOpenMenu(AppDelegate &d, const QString &text)
{
    d.clientsMenu()->rebuild();
    for (QAction *item : d.clientsMenu()->openMenu()->actions())
        if (item->text() == text) {
            item->trigger();
            return true;
        }
    return false;
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Answers every name prompt from `answers` in turn and keeps the requests it was shown.
struct NameAnswers {
    QStringList answers;
    QList<ClientPrompts::NameRequest> asked{};
    void install()
    {
        ClientPrompts::setNameHandler([this](const ClientPrompts::NameRequest &r) -> std::optional<QString> {
            asked << r;
            if (answers.isEmpty())
                return std::nullopt;
            return answers.takeFirst();
        });
    }
};

} // namespace

class TestClients : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init() { apptest::isolate(); }
    void cleanup()
    {
        ClientPrompts::setNameHandler({});
        ClientPrompts::setUnsavedHandler({});
        ClientPrompts::setConflictHandler({});
    }

    // Nothing is written for the client book until a client is saved: a launch and the menu read nothing.
    void bookMadeOnlyWhenFirstNeeded()
    {
        auto d = launched();
        d->clientsMenu()->rebuild();
        QVERIFY(!d->clientsMenu()->openMenu()->isEnabled());
        QVERIFY(!QFileInfo::exists(bookPath()));
        QVERIFY(!command(*d, Commands::Id::saveClientChanges)->isEnabled());
        QCOMPARE(nameButton(*d)->shownName(), QStringLiteral("No client"));
        QCOMPARE(d->store().clientName(), QString());
    }

    // Save as new asks again, with the book's refusal, until there is a name; the client is then open, its
    // name in the header; "Save changes" follows whether the figures differ from what was saved.
    void saveAsNewAndSaveChanges()
    {
        auto d = launched();
        NameAnswers names{{QStringLiteral("  \t "), QStringLiteral("  Anna   Lee ")}};
        names.install();
        command(*d, Commands::Id::saveClientAs)->trigger();
        QCOMPARE(names.asked.size(), 2);
        QCOMPARE(names.asked[0].error, QString());
        QCOMPARE(names.asked[1].error, QString::fromUtf16(ClientBook::emptyNameMessage));
        ClientSession &clients = d->clients();
        QVERIFY(clients.current());
        QCOMPARE(clients.current()->name, QStringLiteral("Anna Lee"));
        QCOMPARE(nameButton(*d)->shownName(), QStringLiteral("Anna Lee"));
        QCOMPARE(d->store().clientName(), QStringLiteral("Anna Lee"));

        QAction *save = command(*d, Commands::Id::saveClientChanges);
        QCOMPARE(save->text(), QStringLiteral("Save changes to Anna Lee"));
        QVERIFY(!save->isEnabled());
        d->store().edit([](CalculatorState &s) { s.loanAmount = 712000; });
        QVERIFY(save->isEnabled());
        QVERIFY(nameButton(*d)->toolTip().contains(QStringLiteral("unsaved")));
        // Back to the saved figure: nothing left to save.
        d->store().edit([](CalculatorState &s) { s.loanAmount = 650000; });
        QVERIFY(!save->isEnabled());
        // Preferences are not the client's: switching tabs or the pin is no change to save.
        d->store().edit([](CalculatorState &s) {
            s.activeTab = CalculatorTab::upfront;
            s.alwaysOnTop = !s.alwaysOnTop;
            s.brokerName = QStringLiteral("Sam Broker");
        });
        QVERIFY(!save->isEnabled());
        d->store().edit([](CalculatorState &s) { s.loanAmount = 712000; });
        save->trigger();
        QVERIFY(!save->isEnabled());
        QCOMPARE(clients.book().inputs(clients.current()->id)->loanAmount, 712000.0);
        QVERIFY(QFileInfo::exists(bookPath()));

        // Cancelled: nothing made.
        names.answers.clear();
        command(*d, Commands::Id::saveClientAs)->trigger();
        QCOMPARE(clients.book().clients().size(), 1);
    }

    // The report's tabs start as the record suggests (the tab on show and those changed from their defaults);
    // once a client is open, as last chosen for it, which is no change to the client's figures.
    void reportTabsRememberedPerClient()
    {
        auto d = launched();
        FileDialogs::setSaveHandler([](const FileDialogs::Request &) { return std::optional<QString>(); });
        std::vector<std::vector<CalculatorTab>> asked;
        std::vector<bool> noIdentity;
        ReportTabsPrompt::setHandler([&](const ReportTabsPrompt::Request &r) {
            asked.push_back(r.ticked);
            noIdentity.push_back(r.identityMissing);
            return std::optional(std::vector{CalculatorTab::upfront});
        });
        d->store().edit([](CalculatorState &s) { s.grossIncome = 212000; });
        command(*d, Commands::Id::exportReport)->trigger();
        NameAnswers names{{QStringLiteral("Anna Lee")}};
        names.install();
        command(*d, Commands::Id::saveClientAs)->trigger();
        command(*d, Commands::Id::exportReport)->trigger();
        d->store().edit([](CalculatorState &s) { s.brokerLicence = QStringLiteral("ACL 123456"); });
        command(*d, Commands::Id::exportReport)->trigger();
        ReportTabsPrompt::setHandler({});
        QCOMPARE(noIdentity, (std::vector{true, true, false}));
        FileDialogs::setSaveHandler({});
        const std::vector suggested{CalculatorTab::repayment, CalculatorTab::capacity};
        QCOMPARE(asked, (std::vector{suggested, suggested, std::vector{CalculatorTab::upfront}}));
        QVERIFY(!d->clients().hasUnsavedChanges());
    }

    // The real question: a box a tab, ticked as asked; with none ticked the report cannot be asked for, and
    // the dialog says why.
    void reportTabsDialog()
    {
        QTimer::singleShot(0, [] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            // A failed check below still closes the dialog.
            const QScopeGuard close([dialog] {
                if (dialog->isVisible())
                    dialog->reject();
            });
            const auto boxes = dialog->findChildren<BrandCheckBox *>();
            QCOMPARE(boxes.size(), 4);
            QVERIFY(boxes[0]->isChecked() && !boxes[1]->isChecked());
            QAbstractButton *exportButton = nullptr;
            for (auto *b : dialog->findChildren<QAbstractButton *>())
                if (b->text() == QStringLiteral("Export\u2026"))
                    exportButton = b;
            QVERIFY(exportButton && exportButton->isEnabled());
            boxes[0]->setFocus();
            QTest::keyClick(boxes[0], Qt::Key_Space);
            QVERIFY(!exportButton->isEnabled());
            QCOMPARE(exportButton->accessibleDescription(), ReportTabsPrompt::noneTicked());
            boxes[1]->click();
            // Asked with no identity set: the dialog says the report will not name its broker.
            bool warned = false;
            for (const QLabel *label : dialog->findChildren<QLabel *>())
                warned = warned || label->text() == ReportTabsPrompt::noIdentity();
            QVERIFY(warned);
            // Enter on a box exports, as it does anywhere else in the dialog.
            QTest::keyClick(boxes[1], Qt::Key_Return);
        });
        const auto chosen =
            ReportTabsPrompt::ask(nullptr, {{CalculatorTab::repayment}, QStringLiteral("classic"), true});
        QCOMPARE(chosen, std::optional(std::vector{CalculatorTab::capacity}));
    }

    // The open client is remembered: the next start has it open again, with nothing unsaved.
    void openClientSurvivesRestart()
    {
        {
            auto d = launched();
            NameAnswers names{{QStringLiteral("Bo Chen")}};
            names.install();
            d->store().edit([](CalculatorState &s) { s.loanAmount = 480000; });
            command(*d, Commands::Id::saveClientAs)->trigger();
            d->quit();
        }
        auto d = launched();
        QVERIFY(d->clients().current());
        QCOMPARE(d->clients().current()->name, QStringLiteral("Bo Chen"));
        QVERIFY(!d->clients().hasUnsavedChanges());
        QCOMPARE(nameButton(*d)->shownName(), QStringLiteral("Bo Chen"));
    }

    void unsavedChangesAsked_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<double>("storedA");
        QTest::addColumn<double>("record");
        QTest::addColumn<QString>("open");
        QTest::newRow("save") << int(ClientPrompts::Unsaved::save) << 555000.0 << 700000.0 << "B";
        QTest::newRow("don't save") << int(ClientPrompts::Unsaved::discard) << 500000.0 << 700000.0 << "B";
        QTest::newRow("cancel") << int(ClientPrompts::Unsaved::cancel) << 500000.0 << 555000.0 << "A";
    }
    // Opening another client with unsaved changes to the open one asks first; the answer decides.
    void unsavedChangesAsked()
    {
        QFETCH(int, answer);
        QFETCH(double, storedA);
        QFETCH(double, record);
        QFETCH(QString, open);
        auto d = launched();
        ClientBook &book = d->clients().book();
        CalculatorState a, b;
        a.loanAmount = 500000;
        b.loanAmount = 700000;
        const qint64 idA = book.create(QStringLiteral("A"), a)->id;
        book.create(QStringLiteral("B"), b);
        QVERIFY(pickInOpenMenu(*d, QStringLiteral("A")));
        QCOMPARE(d->store().state().loanAmount, 500000.0);

        int asked = 0;
        ClientPrompts::setUnsavedHandler([&](const ClientPrompts::UnsavedRequest &r) {
            ++asked;
            [&] { QCOMPARE(r.clientName, QStringLiteral("A")); }();
            return ClientPrompts::Unsaved(answer);
        });
        // Nothing changed: no question.
        QVERIFY(pickInOpenMenu(*d, QStringLiteral("B")));
        QCOMPARE(asked, 0);
        QVERIFY(pickInOpenMenu(*d, QStringLiteral("A")));
        d->store().edit([](CalculatorState &s) { s.loanAmount = 555000; });
        QVERIFY(pickInOpenMenu(*d, QStringLiteral("B")));
        QCOMPARE(asked, 1);
        QCOMPARE(book.inputs(idA)->loanAmount, storedA);
        QCOMPARE(d->store().state().loanAmount, record);
        QCOMPARE(d->clients().current()->name, open);
        QCOMPARE(nameButton(*d)->shownName(), open);
    }

    void conflictChoices_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<double>("record");
        QTest::addColumn<double>("stored"); // Mia Chen's
        QTest::addColumn<QString>("open");
        QTest::addColumn<int>("clients");
        using C = ClientPrompts::Conflict;
        QTest::newRow("reopen theirs") << int(C::reopenTheirs) << 640000.0 << 640000.0 << "Mia Chen" << 1;
        QTest::newRow("save mine as a copy") << int(C::saveCopy) << 710000.0 << 640000.0 << "Mia Chen (copy)" << 2;
        QTest::newRow("overwrite") << int(C::overwrite) << 710000.0 << 710000.0 << "Mia Chen" << 1;
        QTest::newRow("cancel") << int(C::cancel) << 710000.0 << 640000.0 << "Mia Chen" << 1;
    }
    // Someone else saved the open client meanwhile: "Save changes" asks, naming when; the answer decides, and
    // nothing typed is lost (reopened, Undo brings it back).
    void conflictChoices()
    {
        QFETCH(int, choice);
        QFETCH(double, record);
        QFETCH(double, stored);
        QFETCH(QString, open);
        QFETCH(int, clients);
        auto d = launched();
        CalculatorState mine;
        mine.loanAmount = 500000;
        const qint64 id = d->clients().book().create(QStringLiteral("Mia Chen"), mine)->id;
        QVERIFY(d->clients().open(id, nullptr));
        const QDateTime later(QDate(2026, 12, 8), QTime(14, 30), QTimeZone::utc());
        {
            ClientBook theirs(bookPath());
            theirs.setClock([later] { return later; });
            mine.loanAmount = 640000;
            QVERIFY(theirs.saveChanges(id, mine));
        }
        QList<ClientPrompts::ConflictRequest> asked;
        ClientPrompts::setConflictHandler([&](const ClientPrompts::ConflictRequest &r) {
            asked << r;
            return ClientPrompts::Conflict(choice);
        });
        d->store().edit([](CalculatorState &s) { s.loanAmount = 710000; });
        command(*d, Commands::Id::saveClientChanges)->trigger();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].clientName, QStringLiteral("Mia Chen"));
        QCOMPARE(asked[0].at, later);
        QCOMPARE(d->store().state().loanAmount, record);
        QCOMPARE(ClientBook(bookPath()).inputs(id)->loanAmount, stored);
        QCOMPARE(d->clients().book().clients().size(), clients);
        QCOMPARE(d->clients().current()->name, open);
        QCOMPARE(d->clients().hasUnsavedChanges(), choice == int(ClientPrompts::Conflict::cancel));
        if (record != 710000.0) {
            d->store().history().undo();
            QCOMPARE(d->store().state().loanAmount, 710000.0);
        }
    }

    // A rename over someone else's: a copy takes the new name, the client keeps theirs; overwritten, it is renamed.
    void renameOverAnotherSave()
    {
        auto d = launched();
        ClientSession &session = d->clients();
        const qint64 id = session.book().create(QStringLiteral("Mia Chen"), {})->id;
        QVERIFY(ClientBook(bookPath()).rename(id, QStringLiteral("Mia Chen-Ng")));
        auto choice = ClientPrompts::Conflict::saveCopy;
        ClientPrompts::setConflictHandler([&](const ClientPrompts::ConflictRequest &) { return choice; });
        const auto copy = session.rename(id, QStringLiteral("Mia Ng"), nullptr);
        QVERIFY(copy && copy->id != id);
        QCOMPARE(copy->name, QStringLiteral("Mia Ng"));
        QCOMPARE(session.book().client(id)->name, QStringLiteral("Mia Chen-Ng"));
        QVERIFY(ClientBook(bookPath()).rename(id, QStringLiteral("Mia C.")));
        choice = ClientPrompts::Conflict::overwrite;
        QCOMPARE(session.rename(id, QStringLiteral("Mia Ng"), nullptr)->id, id);
        QCOMPARE(ClientBook(bookPath()).client(id)->name, QStringLiteral("Mia Ng"));
    }

    // Opening a client changes figures only; undoing it puts back the figures and the client open before.
    void openLeavesIdentityAndPreferences()
    {
        auto d = launched();
        CalculatorState saved;
        saved.loanAmount = 910000;
        saved.grossIncome = 210000;
        saved.brokerName = QStringLiteral("Someone Else");
        const qint64 id = d->clients().book().create(QStringLiteral("Dee"), saved)->id;
        d->store().edit([](CalculatorState &s) { s.brokerName = QStringLiteral("Ana Silva"); });
        const CalculatorState before = d->store().state();
        QVERIFY(d->clients().open(id, nullptr));
        const CalculatorState &after = d->store().state();
        QCOMPARE(after.loanAmount, 910000.0);
        QCOMPARE(after.grossIncome, 210000.0);
        QCOMPARE(after.brokerName, before.brokerName); // the rest of the record's own: tst_clientbook
        QVERIFY(ClientInputs::same(after, *d->clients().book().inputs(id)));

        // Undone, the figures and the client open before come back together, so Ctrl+S cannot write these
        // figures over Dee's; redone, Dee is open again with nothing unsaved.
        d->store().history().undo();
        QVERIFY(d->store().state() == before);
        QVERIFY(!d->clients().current());
        d->store().history().redo();
        QCOMPARE(d->clients().current()->name, QStringLiteral("Dee"));
        QVERIFY(!d->clients().hasUnsavedChanges());
    }

    // Duplicate names are told apart in "Open" by their dates; a name with "&" shows as typed; ten at most.
    void openMenuNamesAndDates()
    {
        auto d = launched();
        ClientBook &book = d->clients().book();
        QDateTime clock(QDate(2026, 3, 1), QTime(9, 0), QTimeZone::utc());
        book.setClock([&clock] { return clock; });
        for (const char *name : {"Kim Ng", "kim ng", "Lee & Co", "Other"}) {
            clock = clock.addDays(1);
            book.create(QString::fromLatin1(name), {});
        }
        d->clientsMenu()->rebuild();
        QStringList texts;
        for (QAction *item : d->clientsMenu()->openMenu()->actions())
            texts << item->text();
        const auto dated = [](const QString &name, int day) {
            return name + QStringLiteral(" \u2014 ") +
                   QLocale().toString(QDateTime(QDate(2026, 3, day), QTime(9, 0), QTimeZone::utc()).toLocalTime(),
                                      QLocale::ShortFormat);
        };
        QCOMPARE(texts, QStringList({"Other", "Lee && Co", dated("kim ng", 3), dated("Kim Ng", 2)}));

        for (int i = 0; i < 12; ++i) {
            clock = clock.addSecs(60);
            book.create(QStringLiteral("Client %1").arg(i), {});
        }
        d->clientsMenu()->rebuild();
        const QList<QAction *> items = d->clientsMenu()->openMenu()->actions();
        QCOMPARE(items.size(), ClientBook::recentCount);
        QCOMPARE(items.first()->text(), QStringLiteral("Client 11"));
    }

    // The window: search as you type, rename, duplicate, delete and undo, all from the keyboard too.
    void allClientsWindow()
    {
        auto d = launched();
        ClientBook &book = d->clients().book();
        for (const char *name : {"Harper", "Jones", "Joanna Park", "Li"})
            book.create(QString::fromLatin1(name), {});
        command(*d, Commands::Id::allClients)->trigger();
        FloatingWindow *top = d->clientsWindow();
        QVERIFY(top && top->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(top));
        auto *w = qobject_cast<ClientsWindow *>(top->content());
        QVERIFY(w);
        QCOMPARE(w->model()->rowCount(), 4);
        // Drawn in the record's theme, and it follows a change of theme while open.
        QCOMPARE(Brand::theme(w->palette()).id, d->store().state().themeID);
        const QString other = d->store().state().themeID == QStringLiteral("slate") ? QStringLiteral("classic")
                                                                                     : QStringLiteral("slate");
        d->store().applyTheme(other);
        QCOMPARE(Brand::theme(w->palette()).id, other);
        QCOMPARE(Brand::theme(w->emptyLabel()->palette()).id, other);
        // Every control a reader reaches has a name; the rows read as name and date.
        for (QWidget *c : w->findChildren<QWidget *>())
            if ((c->focusPolicy() & Qt::TabFocus) && c->isVisibleTo(w))
                QVERIFY2(!QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name).isEmpty(),
                         c->metaObject()->className());
        QVERIFY(
            w->model()->index(0).data(Qt::AccessibleTextRole).toString().startsWith(QStringLiteral("Li, Changed ")));
        // Latest change first.
        QCOMPARE(w->model()->client(0).name, QStringLiteral("Li"));

        QTest::keyClicks(w->searchField(), QStringLiteral("JO"));
        QCOMPARE(w->model()->rowCount(), 2);
        QCOMPARE(w->model()->client(0).name, QStringLiteral("Joanna Park"));
        QTest::keyClicks(w->searchField(), QStringLiteral("zz"));
        QCOMPARE(w->model()->rowCount(), 0);
        QVERIFY(w->emptyLabel()->isVisibleTo(w));
        QVERIFY(!w->openButton()->isEnabled());
        w->searchField()->clear();
        QCOMPARE(w->model()->rowCount(), 4);

        // Down from the search field walks the list.
        w->searchField()->setFocus();
        QTest::keyClick(w->searchField(), Qt::Key_Down);
        QCOMPARE(w->list()->currentIndex().row(), 1);
        const qint64 jones = *w->selectedId();
        QCOMPARE(book.client(jones)->name, QStringLiteral("Joanna Park"));

        NameAnswers names{{QString(), QStringLiteral("Joanna Park-Smith")}};
        names.install();
        QTest::keyClick(w->searchField(), Qt::Key_F2);
        QCOMPARE(names.asked.size(), 2);
        QCOMPARE(names.asked[0].name, QStringLiteral("Joanna Park"));
        QCOMPARE(names.asked[1].error, QString::fromUtf16(ClientBook::emptyNameMessage));
        QCOMPARE(book.client(jones)->name, QStringLiteral("Joanna Park-Smith"));
        QCOMPARE(*w->selectedId(), jones);

        w->duplicateButton()->click();
        QCOMPARE(w->model()->rowCount(), 5);
        QCOMPARE(book.client(*w->selectedId())->name, QStringLiteral("Joanna Park-Smith (copy)"));

        // Backspace corrects the search, and Delete there edits it: neither deletes a client.
        QTest::keyClick(w->list(), Qt::Key_Backspace);
        QTest::keyClick(w->searchField(), Qt::Key_Delete);
        QCOMPARE(w->model()->rowCount(), 5);

        // Delete, then undo with the button and with Ctrl+Z: back with the same id and dates.
        const Client before = *book.client(jones);
        w->select(jones);
        QTest::keyClick(w->list(), Qt::Key_Delete);
        QVERIFY(!book.client(jones));
        QCOMPARE(w->model()->rowCount(), 4);
        QVERIFY(w->canUndo());
        QVERIFY(w->undoButton()->isVisibleTo(w));
        w->deleteButton()->click();
        QCOMPARE(w->model()->rowCount(), 3);
        w->undoButton()->click();
        QCOMPARE(w->model()->rowCount(), 4);
        w->list()->setFocus();
        QTest::keyClick(w->list(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w->model()->rowCount(), 5);
        QCOMPARE(*book.client(jones), before);
        QVERIFY(!w->canUndo());

        // Escape closes the window, which ends its undo; the Clients menu puts the client back after that.
        w->deleteButton()->click();
        QVERIFY(w->canUndo());
        QTest::keyClick(w->searchField(), Qt::Key_Escape);
        QVERIFY(!top->isVisible());
        QVERIFY(!w->canUndo());
        d->clientsMenu()->rebuild();
        QCOMPARE(d->clientsMenu()->deletedMenu()->actions().size(), 1);
        d->clientsMenu()->deletedMenu()->actions().first()->trigger();
        QCOMPARE(*book.client(jones), before);
        QCOMPARE(d->store().toast(), std::optional<QString>(QStringLiteral("Joanna Park-Smith is back in the book")));

        // Enter opens the client and brings the calculator forward.
        command(*d, Commands::Id::allClients)->trigger();
        w = qobject_cast<ClientsWindow *>(d->clientsWindow()->content());
        QVERIFY(!w->canUndo());
        QTest::keyClicks(w->searchField(), QStringLiteral("harp"));
        QTest::keyClick(w->searchField(), Qt::Key_Return);
        QCOMPARE(d->clients().current()->name, QStringLiteral("Harper"));
        QVERIFY(!d->clientsWindow()->isVisible());
        QVERIFY(d->window()->isVisible());
    }

    // Without an office book, or with only part of its address, there is nowhere to move to. Moving takes every client to the other book, which is
    // then the one in use; the open one is closed and the moved ones wait in "Recently deleted" here.
    void moveToTheOtherBook()
    {
        auto d = launched();
        const qint64 id = d->clients().book().create(QStringLiteral("Rae"), {})->id;
        d->clients().book().create(QStringLiteral("Sol"), {});
        QVERIFY(d->clients().open(id, nullptr));
        d->store().settings().setClientBookOnServer(true);
        d->store().settings().setOfficeServer({QStringLiteral("books.office.example"), 5432, {}, {}, {}});
        command(*d, Commands::Id::allClients)->trigger();
        auto *w = qobject_cast<ClientsWindow *>(d->clientsWindow()->content());
        QVERIFY(!w->moveButton()->isVisibleTo(w));
        const QString other = QFileInfo(bookPath()).dir().filePath(QStringLiteral("Other.sqlite"));
        QVERIFY(d->clients().moveTo(other));
        QCOMPARE(d->store().toast(), std::optional<QString>(QStringLiteral("Moved 2 clients to this computer's book")));
        QCOMPARE(d->clients().existingBook()->path(), other);
        QCOMPARE(w->model()->rowCount(), 2);
        QVERIFY(!d->clients().current());
        QCOMPARE(ClientBook(bookPath()).deleted().size(), 2);
    }

    // Deleting the open client closes it; undoing puts it back open.
    void deletingTheOpenClient()
    {
        auto d = launched();
        const qint64 id = d->clients().book().create(QStringLiteral("Rae"), {})->id;
        QVERIFY(d->clients().open(id, nullptr));
        command(*d, Commands::Id::allClients)->trigger();
        auto *w = qobject_cast<ClientsWindow *>(d->clientsWindow()->content());
        w->select(id);
        w->deleteSelected();
        QVERIFY(!d->clients().current());
        QCOMPARE(nameButton(*d)->shownName(), QStringLiteral("No client"));
        QCOMPARE(d->store().clientName(), QString());
        QVERIFY(w->undoDelete());
        QCOMPARE(d->clients().current()->id, id);
        QCOMPARE(d->store().clientName(), QStringLiteral("Rae"));
    }

    void faultyBookAtStart_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("not a database") << "text";
        QTest::newRow("newer version") << "newer";
        QTest::newRow("a folder in its place") << "folder";
    }
    // Brolga starts all the same, says why in one sentence, never writes the file, and moves it aside only
    // when asked.
    void faultyBookAtStart()
    {
        QFETCH(QString, fault);
        QDir().mkpath(QFileInfo(bookPath()).path());
        if (fault == u"text") {
            QFile f(bookPath());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("these are somebody's notes, not a client book\n");
        } else if (fault == u"folder") {
            QVERIFY(QDir().mkpath(bookPath()));
        } else {
            {
                ClientBook(bookPath()).create(QStringLiteral("From the future"), {});
            }
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
                db.setDatabaseName(bookPath());
                QVERIFY(db.open());
                QVERIFY(QSqlQuery(db).exec(
                    QStringLiteral("PRAGMA user_version = %1").arg(ClientBook::schemaVersion() + 1)));
                db.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("raw"));
        }
        const QByteArray before = bytesOf(bookPath());
        CalculatorState record;
        record.loanAmount = 432100;
        {
            CalculatorStore store;
            store.setState(record);
            store.saveNow();
        }

        auto d = launched();
        QCOMPARE(d->store().state().loanAmount, 432100.0);
        const QString problem = d->clients().problem();
        QVERIFY(!problem.isEmpty());
        QCOMPARE(problem.count(u'.'), 1);
        QCOMPARE(d->store().toast(), std::optional<QString>(problem));
        d->clientsMenu()->rebuild();
        const QList<QAction *> items = d->clientsMenu()->actions();
        QCOMPARE(items.first()->text(), problem);
        QVERIFY(!items.first()->isEnabled());
        QVERIFY(items.mid(1, 2).contains(command(*d, Commands::Id::startNewClientBook)));

        // Saving is refused with the same sentence; the file stays as it was.
        NameAnswers names{{QStringLiteral("Nope")}};
        names.install();
        command(*d, Commands::Id::saveClientAs)->trigger();
        QCOMPARE(d->store().toast(), std::optional<QString>(problem));
        QCOMPARE(bytesOf(bookPath()), before);

        command(*d, Commands::Id::allClients)->trigger();
        auto *w = qobject_cast<ClientsWindow *>(d->clientsWindow()->content());
        QCOMPARE(w->problemLabel()->text(), problem);
        QVERIFY(w->problemLabel()->isVisibleTo(w));

        command(*d, Commands::Id::startNewClientBook)->trigger();
        QVERIFY(d->clients().problem().isEmpty());
        const QString aside = d->clients().book().setAsidePath();
        QVERIFY(!aside.isEmpty());
        QCOMPARE(bytesOf(aside), before);
        QVERIFY(!w->problemLabel()->isVisibleTo(w));
        QCOMPARE(d->store().state().loanAmount, 432100.0);
    }

    // An office book that cannot be reached leaves the calculator as it was; the Clients menu says so and offers
    // this computer's book, where the client is then saved.
    void officeBookAway()
    {
        CalculatorState record;
        record.loanAmount = 432100;
        {
            CalculatorStore store;
            store.setState(record);
            store.saveNow();
            store.settings().setClientBookOnServer(true);
            store.settings().setOfficeServer(
                {QStringLiteral("127.0.0.1"), 1, QStringLiteral("brolga"), QStringLiteral("alice"), {}});
        }
        auto d = launched();
        QVERIFY(d->clients().onServer());
        QCOMPARE(d->clients().problem(), "The office's client book cannot be reached.");
        d->clientsMenu()->rebuild();
        const QList<QAction *> items = d->clientsMenu()->actions();
        QCOMPARE(items.first()->text(), d->clients().problem());
        QVERIFY(!items.contains(command(*d, Commands::Id::startNewClientBook)));
        const auto local = std::find_if(items.begin(), items.end(), [](QAction *a) {
            return a->text() == QStringLiteral("Save to this computer's book instead");
        });
        QVERIFY(local != items.end());
        command(*d, Commands::Id::allClients)->trigger();
        auto *w = qobject_cast<ClientsWindow *>(d->clientsWindow()->content());
        (*local)->trigger();
        QVERIFY(!d->clients().onServer() && d->clients().problem().isEmpty());
        // The open window lists the book now in use.
        QVERIFY(!w->problemLabel()->isVisibleTo(w));

        NameAnswers names{{QStringLiteral("Anna Lee")}};
        names.install();
        command(*d, Commands::Id::saveClientAs)->trigger();
        QCOMPARE(ClientBook(bookPath()).clients().first().name, "Anna Lee");
        // Back on this computer's book, the window offers to move its clients to the office's.
        QCOMPARE(w->moveButton()->text(), "Move to the office book");
        QVERIFY(w->moveButton()->isVisibleTo(w));
        // Tab reaches it where it stands, just before Open.
        QCOMPARE(w->moveButton()->nextInFocusChain(), w->openButton());
        QCOMPARE(d->store().state().loanAmount, 432100.0);
        w->findChild<QLineEdit *>(QStringLiteral("clientSearch"))->setText(QStringLiteral("anna"));
        QCOMPARE(w->model()->rowCount(), 1);
    }

    // The header's name is a menu button a reader can name, reached by Tab just before the window tools.
    void headerNameAccessible()
    {
        auto d = launched();
        ClientNameButton *button = nameButton(*d);
        QVERIFY(button);
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(button);
        QCOMPARE(node->role(), QAccessible::ButtonMenu);
        QCOMPARE(node->text(QAccessible::Name), QStringLiteral("No client"));
        QCOMPARE(button->nextInFocusChain(), d->rootView()->pinButton());
        QVERIFY(button->focusPolicy() & Qt::TabFocus);
        QCOMPARE(button->menu(), d->clientsMenu());
        const qint64 id = d->clients().book().create(QStringLiteral("Pat O'Brien"), {})->id;
        d->clients().open(id, nullptr);
        QCOMPARE(node->text(QAccessible::Name), QStringLiteral("Client: Pat O'Brien"));
        // The whole header row keeps its height.
        QCOMPARE(button->height(), d->rootView()->pinButton()->height());
    }
};

BROLGA_TEST_MAIN(TestClients)
#include "tst_clients.moc"

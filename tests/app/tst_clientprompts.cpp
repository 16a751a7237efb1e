// The client book's questions as the broker meets them: the real dialogs, answered from the keyboard.

#include "BrandTestMain.h"
#include "app/clients/ClientPrompts.h"
#include "brand/ThemePalette.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

using namespace brolga;
using Keys = QList<int>;

namespace {
bool themed = false;
bool closedByKeys = false;

// Once the next dialog is up: note whether it wears the record's theme, type `text`, then press `keys`.
void answer(const QString &text, const Keys &keys)
{
    themed = closedByKeys = false;
    QTimer::singleShot(0, [=] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        themed = ThemePalette::themeOf(dialog->palette()).id == QStringLiteral("slate");
        QTest::keyClicks(dialog->focusWidget(), text);
        for (int key : keys)
            QTest::keyClick(dialog->focusWidget(), Qt::Key(key));
        closedByKeys = !dialog->isVisible();
        if (!closedByKeys)
            dialog->reject();
    });
}
} // namespace

class TestClientPrompts : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // Enter gives the default answer, or the answer button that has the focus; Escape cancels.
    void nameFromTheKeyboard_data()
    {
        QTest::addColumn<Keys>("keys");
        QTest::addColumn<QString>("name"); // empty: cancelled
        QTest::newRow("return") << Keys{Qt::Key_Return} << "Ann Lee";
        QTest::newRow("escape") << Keys{Qt::Key_Escape} << "";
        QTest::newRow("tab to cancel") << Keys{Qt::Key_Tab, Qt::Key_Return} << "";
    }
    void nameFromTheKeyboard()
    {
        QFETCH(Keys, keys);
        QFETCH(QString, name);
        answer(QStringLiteral("Ann Lee"), keys);
        const auto got = ClientPrompts::askName(nullptr, {"Rename Client", "Client's name:", "Ann", {}, "slate"});
        QVERIFY(themed && closedByKeys);
        QCOMPARE(got.value_or(QString()), name);
    }

    void unsavedFromTheKeyboard_data()
    {
        QTest::addColumn<Keys>("keys");
        QTest::addColumn<int>("expected");
        QTest::newRow("return") << Keys{Qt::Key_Return} << int(ClientPrompts::Unsaved::save);
        QTest::newRow("escape") << Keys{Qt::Key_Escape} << int(ClientPrompts::Unsaved::cancel);
        QTest::newRow("back to don't save")
            << Keys{Qt::Key_Backtab, Qt::Key_Backtab, Qt::Key_Return} << int(ClientPrompts::Unsaved::discard);
    }
    void unsavedFromTheKeyboard()
    {
        QFETCH(Keys, keys);
        QFETCH(int, expected);
        answer({}, keys);
        const auto got =
            ClientPrompts::askUnsaved(nullptr, {"Ann", "Save the changes to Ann before opening Bo?", "slate"});
        QVERIFY(themed && closedByKeys);
        QCOMPARE(int(got), expected);
    }

    // Enter copies, which loses nobody's work; each answer is reached by Shift+Tab.
    void conflictFromTheKeyboard_data()
    {
        QTest::addColumn<Keys>("keys");
        QTest::addColumn<int>("expected");
        QTest::newRow("return") << Keys{Qt::Key_Return} << int(ClientPrompts::Conflict::saveCopy);
        QTest::newRow("escape") << Keys{Qt::Key_Escape} << int(ClientPrompts::Conflict::cancel);
        QTest::newRow("back to overwrite")
            << Keys{Qt::Key_Backtab, Qt::Key_Backtab, Qt::Key_Return} << int(ClientPrompts::Conflict::overwrite);
        QTest::newRow("back to reopen theirs")
            << Keys{Qt::Key_Backtab, Qt::Key_Backtab, Qt::Key_Backtab, Qt::Key_Return}
            << int(ClientPrompts::Conflict::reopenTheirs);
    }
    void conflictFromTheKeyboard()
    {
        QFETCH(Keys, keys);
        QFETCH(int, expected);
        answer({}, keys);
        const auto got = ClientPrompts::askConflict(nullptr, {"Ann", "bob", QDateTime::currentDateTimeUtc(), "slate"});
        QVERIFY(themed && closedByKeys);
        QCOMPARE(int(got), expected);
    }
};

BROLGA_TEST_MAIN(TestClientPrompts)
#include "tst_clientprompts.moc"

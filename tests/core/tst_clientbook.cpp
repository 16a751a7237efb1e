#include "TestStore.h"
#include "core/BookEngine.h"
#include "core/ClientBook.h"
#include "core/ClientInputs.h"
#include "core/ServerAddress.h"
#include "core/StateFields.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimeZone>

#include <csignal>
#include <map>
#include <set>
#include <type_traits>

using namespace brolga;

namespace {

template <typename T> struct IsOptional : std::false_type {
};
template <typename T> struct IsOptional<std::optional<T>> : std::true_type {
};

// A value of the field's type other than `v`.
template <typename T> T otherThan(const T &v)
{
    if constexpr (IsOptional<T>::value) {
        using V = typename T::value_type;
        if constexpr (std::is_same_v<V, QDateTime>)
            return v ? T{} : T{QDateTime(QDate(2025, 3, 14), QTime(9, 26, 53, 589), QTimeZone::utc())};
        else
            return v ? T{} : T{V(12345.67)};
    } else if constexpr (std::is_same_v<T, double>) {
        return v + 1234.5678;
    } else if constexpr (std::is_same_v<T, int>) {
        return v + 3;
    } else if constexpr (std::is_same_v<T, bool>) {
        return !v;
    } else if constexpr (std::is_same_v<T, QString>) {
        return v == u"2024-25" ? QStringLiteral("2025-26") : QStringLiteral("2024-25");
    } else {
        static_assert(std::is_enum_v<T>);
        const auto cases = allCases<T>();
        return cases[0] == v ? cases[1] : cases[0];
    }
}

// Every field of `s` that `pick` selects changed from its value.
template <typename Pick> CalculatorState changedWhere(CalculatorState s, Pick pick)
{
    forEachStateField([&](const char *key, auto member) {
        if (pick(key))
            s.*member = otherThan(s.*member);
    });
    return s;
}

// A plain connection of the test's own, for making and inspecting books the way another program would: a file, or
// a server's book through the role in its address.
class Raw {
public:
    explicit Raw(const QString &path) : name_(QStringLiteral("raw-%1").arg(++count_))
    {
        const auto server = ServerAddress::fromUrl(path);
        QSqlDatabase db =
            QSqlDatabase::addDatabase(server ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), name_);
        if (server)
            BookEngine::setServer(db, *server);
        else
            db.setDatabaseName(path);
        db.open();
    }
    ~Raw()
    {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
    bool exec(const QString &sql)
    {
        QSqlQuery q(QSqlDatabase::database(name_, false));
        return q.exec(sql) || (qWarning() << sql << q.lastError().text(), false);
    }
    QVariant value(const QString &sql)
    {
        QSqlQuery q(QSqlDatabase::database(name_, false));
        return q.exec(sql) && q.next() ? q.value(0) : QVariant();
    }

private:
    QString name_;
    static inline int count_ = 0;
};

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

// A skip leaves the test function itself.
#define FILE_ONLY()                                                                                                    \
    if (!server_.isEmpty())                                                                                            \
    QSKIP("how a book in a file is kept")
#define SERVER_ONLY()                                                                                                  \
    if (server_.isEmpty())                                                                                             \
    QSKIP("needs the test server (CTest's core/tst_clientbook_server)")

class TestClientBook : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    // The second run (CTest's core/tst_clientbook_server) keeps the book on the test server instead of a file.
    QString serverState_ = qEnvironmentVariable("BROLGA_TEST_SERVER");
    QString server_; // the address of this test's database there, without a user

    QString path() const { return server_.isEmpty() ? dir_->filePath(QStringLiteral("Clients.sqlite")) : as("alice"); }
    // The server's book as the role (a broker: alice, bob; the assistant: sam; the server's owner: brolga_admin).
    QString as(const QString &role) const { return server_.arg(role); }

    // A clock that moves a second on every reading, from a fixed start.
    static ClientBook::Clock steppingClock()
    {
        return
            [t = QDateTime(QDate(2026, 12, 7), QTime(9, 0), QTimeZone::utc())]() mutable { return t = t.addSecs(1); };
    }

    // A book of `count` clients, closed again; the file is in its plain form.
    void makeBook(int count)
    {
        ClientBook book(path());
        QVERIFY(book.isOpen());
        for (int i = 0; i < count; ++i)
            QVERIFY(book.create(QStringLiteral("Client %1").arg(i),
                                changedWhere(CalculatorState{}, [](const char *k) { return ClientInputs::isInput(k); }),
                                QStringLiteral("A note long enough to fill pages %1").arg(QString(400, u'x'))));
    }

private Q_SLOTS:
    // The test's own book on the server (tests/pgserver.sh makes it).
    void initTestCase()
    {
        if (serverState_.isEmpty())
            return;
        QVERIFY2(QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")),
                 "Qt's PostgreSQL driver is not installed (scripts/install-deps installs libqt6sql6-psql)");
        QFile url(serverState_ + QStringLiteral("/url"));
        QVERIFY2(url.open(QIODevice::ReadOnly), "the test server is not running (tests/pgserver.sh)");
        const auto address = ServerAddress::fromUrl(QString::fromUtf8(url.readAll().trimmed()));
        server_ = QStringLiteral("postgresql://%3:%1@%2/tst_clientbook")
                      .arg(address->password, address->host + u':' + QString::number(address->port));
    }

    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        if (!server_.isEmpty())
            QVERIFY(Raw(as(QStringLiteral("brolga_admin"))).exec(QStringLiteral("TRUNCATE clients RESTART IDENTITY")));
    }

    void savesOpensRenamesAndDuplicates()
    {
        const CalculatorState inputs =
            changedWhere(CalculatorState{}, [](const char *k) { return ClientInputs::isInput(k); });
        qint64 id = 0;
        {
            ClientBook book(path());
            book.setClock(steppingClock());
            QVERIFY2(book.isOpen(), qPrintable(book.statusMessage()));
            QVERIFY(book.statusMessage().isEmpty());
            QSignalSpy changed(&book, &ClientBook::changed);
            const auto made = book.create(QStringLiteral("  Mia Chen "), inputs, QStringLiteral("Refinance, two kids"));
            QVERIFY2(made, qPrintable(book.lastError()));
            QCOMPARE(changed.count(), 1);
            QCOMPARE(made->name, QStringLiteral("Mia Chen"));
            QCOMPARE(made->created, QDateTime(QDate(2026, 12, 7), QTime(9, 0, 1), QTimeZone::utc()));
            QCOMPARE(made->changed, made->created);
            id = made->id;

            const auto renamed = book.rename(id, QStringLiteral("Mia & Tom Chen"));
            QVERIFY(renamed);
            QCOMPARE(renamed->created, made->created);
            QVERIFY(renamed->changed > made->changed);
            QVERIFY(book.setNote(id, QStringLiteral(" Refinance\r\nthree kids\rschool\x01 fees\n")));

            const auto copy = book.duplicate(id);
            QVERIFY(copy);
            QCOMPARE(copy->name, QStringLiteral("Mia & Tom Chen (copy)"));
            QCOMPARE(copy->note, QStringLiteral("Refinance\nthree kids\nschool fees"));
            QVERIFY(copy->id != id);
            QVERIFY(ClientInputs::same(*book.inputs(copy->id), inputs));
            QCOMPARE(book.clients().first().id, copy->id); // the latest change first
            QCOMPARE(changed.count(), 4);
        }
        ClientBook again(path());
        again.setClock([] { return QDateTime(QDate(2026, 12, 8), QTime(9, 0), QTimeZone::utc()); });
        QVERIFY(again.isOpen());
        QCOMPARE(again.clients().size(), 2);
        const auto client = again.client(id);
        QVERIFY(client);
        QCOMPARE(client->name, QStringLiteral("Mia & Tom Chen"));
        QCOMPARE(client->note, QStringLiteral("Refinance\nthree kids\nschool fees"));
        QCOMPARE(client->created, QDateTime(QDate(2026, 12, 7), QTime(9, 0, 1), QTimeZone::utc()));
        QVERIFY(ClientInputs::same(*again.inputs(id), inputs));

        CalculatorState edited = inputs;
        edited.loanAmount = 712345.67;
        const auto saved = again.saveChanges(id, edited);
        QVERIFY(saved);
        QCOMPARE(again.clients().first().id, id);
        QCOMPARE(again.inputs(id)->loanAmount, 712345.67);
        QVERIFY(!again.saveChanges(987654, edited));
        QCOMPARE(again.lastError(), QStringLiteral("That client is no longer in the book."));
    }

    void deleteAndUndo()
    {
        ClientBook book(path());
        book.setClock(steppingClock());
        CalculatorState inputs;
        inputs.purchasePrice = 1234567.89;
        const auto made = book.create(QStringLiteral("Ava"), inputs);
        const auto a = book.rename(made->id, QStringLiteral("Ava Ng")); // changed after it was made
        const auto b = book.create(QStringLiteral("Ben"), {});
        QVERIFY(a && b && a->created < a->changed);
        const auto removed = book.remove(b->id);
        QVERIFY(removed);
        QCOMPARE(removed->client, *b);
        QVERIFY(!book.client(b->id));
        QVERIFY(!book.inputs(b->id));
        QVERIFY(!book.remove(b->id));

        // A client made meanwhile never takes the deleted one's id.
        const auto c = book.create(QStringLiteral("Cai"), {});
        QVERIFY(c && c->id != b->id);

        const auto removedA = book.remove(a->id);
        QVERIFY(removedA && book.restore(*removedA) && book.restore(*removed));
        QVERIFY(!book.restore(*removed));
        QCOMPARE(book.lastError(), QStringLiteral("That client is already in the book."));

        ClientBook again(path());
        QCOMPARE(again.clients().size(), 3);
        QCOMPARE(*again.client(a->id), *a); // same id, name and dates
        QCOMPARE(*again.client(b->id), *b);
        QCOMPARE(again.inputs(a->id)->purchasePrice, 1234567.89);
        // In its place by its last change, not at the top.
        QCOMPARE(again.clients().last().id, a->id);
    }

    void listsLatestChangeFirst()
    {
        ClientBook book(path());
        book.setClock(steppingClock());
        QList<qint64> ids;
        for (int i = 0; i < 12; ++i)
            ids.prepend(book.create(QStringLiteral("Client %1").arg(i), {})->id);
        QCOMPARE(book.recent().size(), ClientBook::recentCount);
        QCOMPARE(book.recent(3).size(), 3);
        QCOMPARE(book.recent().first().id, ids.first());
        QVERIFY(book.saveChanges(ids.last(), {}));
        ids.move(ids.size() - 1, 0);
        QList<qint64> listed;
        for (const Client &c : book.clients())
            listed << c.id;
        QCOMPARE(listed, ids);

        // Same moment: the newer client first, in memory and after reading the file again.
        book.setClock([] { return QDateTime(QDate(2027, 1, 1), QTime(0, 0), QTimeZone::utc()); });
        const auto x = book.create(QStringLiteral("Same moment 1"), {});
        const auto y = book.create(QStringLiteral("Same moment 2"), {});
        QCOMPARE(book.clients()[0].id, y->id);
        QCOMPARE(book.clients()[1].id, x->id);
        ClientBook again(path());
        QCOMPARE(again.clients(), book.clients());
    }

    void search_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("found");
        const QStringList all{QStringLiteral("Zoë Nguyen"), QStringLiteral("ÉMILE DURAND"), QStringLiteral("O'Brien"),
                              QStringLiteral("100% Pty_Ltd"), QStringLiteral("Σοφία Παπαδοπούλου")};
        QTest::newRow("empty: everyone") << QString() << all;
        QTest::newRow("spaces only: everyone") << QStringLiteral("   ") << all;
        QTest::newRow("accented lower case") << QStringLiteral("zoë") << QStringList{all[0]};
        QTest::newRow("accented upper case") << QStringLiteral("émile") << QStringList{all[1]};
        QTest::newRow("Greek") << QStringLiteral("ΣΟΦΊΑ") << QStringList{all[4]};
        QTest::newRow("surrounding spaces") << QStringLiteral("  nguyen ") << QStringList{all[0]};
        QTest::newRow("quote") << QStringLiteral("o'b") << QStringList{all[2]};
        QTest::newRow("percent is a character") << QStringLiteral("%") << QStringList{all[3]};
        QTest::newRow("underscore is a character") << QStringLiteral("y_l") << QStringList{all[3]};
        QTest::newRow("no match") << QStringLiteral("zz") << QStringList();
    }
    void search()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        ClientBook book(path());
        book.setClock(steppingClock());
        QStringList names{QStringLiteral("Σοφία Παπαδοπούλου"), QStringLiteral("100% Pty_Ltd"),
                          QStringLiteral("O'Brien"), QStringLiteral("ÉMILE DURAND"), QStringLiteral("Zoë Nguyen")};
        for (const QString &name : names)
            QVERIFY(book.create(name, {}));
        QStringList got;
        for (const Client &c : book.search(text))
            got << c.name;
        QCOMPARE(got, found);
    }

    // The inputs of every tab come back exactly; a field added to the record is in this list by itself.
    void everyInputRoundTrips_data()
    {
        QTest::addColumn<CalculatorState>("inputs");
        const auto input = [](const char *k) { return ClientInputs::isInput(k); };
        QTest::newRow("defaults") << CalculatorState{};
        QTest::newRow("every input changed") << changedWhere(CalculatorState{}, input);
        CalculatorState awkward = changedWhere(CalculatorState{}, input);
        awkward.loanAmount = 0.1 + 0.2;
        awkward.interestRate = 1e-300;
        awkward.payRate = 1.7976931348623157e308;
        awkward.extraRepayment = 123456789.01;
        awkward.dutyOverride = 0.0;
        awkward.taxYear = QStringLiteral("Zoë's \"year\"; DROP TABLE clients");
        awkward.ytdPeriodEnd = QDateTime(QDate(1970, 1, 1), QTime(0, 0, 0, 1), QTimeZone::utc());
        QTest::newRow("awkward values") << awkward;
    }
    void everyInputRoundTrips()
    {
        QFETCH(CalculatorState, inputs);
        qint64 id = 0;
        {
            ClientBook book(path());
            id = book.create(QStringLiteral("Round trip"), inputs)->id;
        }
        ClientBook book(path());
        const auto back = book.inputs(id);
        QVERIFY(back);
        int inputsSeen = 0;
        forEachStateField([&](const char *key, auto member) {
            if (!ClientInputs::isInput(key))
                return;
            ++inputsSeen;
            QVERIFY2((*back).*member == inputs.*member, key);
        });
        QVERIFY(inputsSeen > 40);
        QVERIFY(ClientInputs::same(*back, inputs));
        // Saved again unchanged, the stored form is the same bytes.
        QVERIFY(book.saveChanges(id, *back));
        QCOMPARE(ClientInputs::encode(*book.inputs(id)), ClientInputs::encode(inputs));
    }

    // Opening a client changes its inputs only: the broker's identity, the theme, the window and update
    // preferences and the tab on show stay as they were, and are never stored with a client.
    void identityAndPreferencesStayWithTheRecord()
    {
        std::set<std::string> recordOnly;
        forEachStateField([&](const char *key, auto) {
            if (!ClientInputs::isInput(key))
                recordOnly.insert(key);
        });
        QCOMPARE(recordOnly, (std::set<std::string>{"activeTab", "alwaysOnTop", "brokerName", "brokerCompany",
                                                    "brokerEmail", "brokerPhone", "brokerLicence", "brokerWebsite",
                                                    "themeID", "updateChecksEnabled"}));

        const auto input = [](const char *k) { return ClientInputs::isInput(k); };
        const auto preference = [](const char *k) { return !ClientInputs::isInput(k); };
        const CalculatorState client = changedWhere(changedWhere(CalculatorState{}, input), preference);
        const CalculatorState record = changedWhere(changedWhere(client, input), preference);

        qint64 id = 0;
        {
            ClientBook book(path());
            id = book.create(QStringLiteral("Has identity"), client)->id;
            Raw raw(path());
            const QString stored = raw.value(QStringLiteral("SELECT inputs FROM clients")).toString();
            for (const std::string &key : recordOnly)
                QVERIFY2(!stored.contains(QString::fromStdString('"' + key + '"')), key.c_str());
        }
        ClientBook book(path());
        const auto opened = book.inputs(id);
        QVERIFY(opened);
        CalculatorState applied = record;
        ClientInputs::apply(*opened, applied);
        forEachStateField([&](const char *key, auto member) {
            if (ClientInputs::isInput(key))
                QVERIFY2(applied.*member == client.*member, key);
            else
                QVERIFY2(applied.*member == record.*member, key);
        });
        QVERIFY(ClientInputs::same(applied, client));
        CalculatorState otherTab = applied;
        otherTab.activeTab = CalculatorTab::upfront;
        otherTab.brokerName = QStringLiteral("Someone else");
        QVERIFY(ClientInputs::same(otherTab, client)); // not an unsaved change
        otherTab.dependants += 1;
        QVERIFY(!ClientInputs::same(otherTab, client));
    }

    // An existing empty file, or an SQLite database without the book's table, becomes a book.
    void migratesAnEmptyDatabase_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::newRow("no file") << QString();
        QTest::newRow("empty file") << QStringLiteral("empty");
        QTest::newRow("database without tables") << QStringLiteral("PRAGMA user_version = 0");
    }
    void migratesAnEmptyDatabase()
    {
        FILE_ONLY();
        QFETCH(QString, setup);
        if (setup == u"empty")
            writeBytes(path(), {});
        else if (!setup.isEmpty())
            QVERIFY(Raw(path()).exec(setup));
        {
            ClientBook book(path());
            QVERIFY2(book.isOpen(), qPrintable(book.statusMessage()));
            QVERIFY(book.clients().isEmpty());
            QVERIFY(book.create(QStringLiteral("First"), {}));
        }
        Raw raw(path());
        QCOMPARE(raw.value(QStringLiteral("PRAGMA user_version")).toInt(), ClientBook::schemaVersion());
        QCOMPARE(raw.value(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
        QCOMPARE(raw.value(QStringLiteral("SELECT name FROM clients")).toString(), QStringLiteral("First"));
        if (setup.isEmpty())
            QCOMPARE(QFile::permissions(path()) & 0x0077, QFileDevice::Permissions()); // the user's alone
    }

    // A book of this version where another version added a column: read, written and copied, the column's
    // values kept.
    void opensABookWithAnUnknownColumn()
    {
        FILE_ONLY();
        makeBook(1);
        {
            Raw raw(path());
            QVERIFY(raw.exec(QStringLiteral("ALTER TABLE clients ADD COLUMN colour TEXT DEFAULT 'teal'")));
            QVERIFY(raw.exec(QStringLiteral("UPDATE clients SET colour = 'red'")));
        }
        qint64 first = 0;
        {
            ClientBook book(path());
            QVERIFY2(book.isOpen(), qPrintable(book.statusMessage()));
            QCOMPARE(book.clients().size(), 1);
            first = book.clients().first().id;
            QVERIFY(book.inputs(first));
            CalculatorState s;
            s.loanAmount = 1;
            QVERIFY(book.saveChanges(first, s));
            QVERIFY(book.rename(first, QStringLiteral("Renamed")));
            QVERIFY(book.create(QStringLiteral("New"), s));
            QVERIFY(book.duplicate(first));
            const auto removed = book.remove(first);
            QVERIFY(removed && book.restore(*removed));
        }
        Raw raw(path());
        QCOMPARE(raw.value(QStringLiteral("SELECT count(*) FROM clients")).toInt(), 3);
        QCOMPARE(raw.value(QStringLiteral("SELECT colour FROM clients WHERE name = 'New'")).toString(),
                 QStringLiteral("teal"));
        QCOMPARE(raw.value(QStringLiteral("PRAGMA user_version")).toInt(), ClientBook::schemaVersion());
    }

    // A book from before "Recently deleted" is brought up; a deleted client stays out of every list, readers'
    // included, until it is put back whole, and goes for good 30 days after its delete.
    void recentlyDeleted()
    {
        FILE_ONLY();
        {
            Raw raw(path());
            QVERIFY(raw.exec(QStringLiteral("CREATE TABLE clients (id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT NOT "
                                            "NULL, note TEXT NOT NULL DEFAULT '', inputs TEXT NOT NULL, created "
                                            "INTEGER NOT NULL, changed INTEGER NOT NULL)")));
            QVERIFY(raw.exec(QStringLiteral("INSERT INTO clients (name, inputs, created, changed) VALUES "
                                            "('Ava', '{\"loanAmount\": 640000}', 1, 2), ('Ben', '{}', 3, 4)")));
            QVERIFY(raw.exec(QStringLiteral("PRAGMA user_version = 1")));
        }
        // From now: opening purges by the real clock before the test's clock is set.
        QDateTime at = QDateTime::currentDateTimeUtc();
        const auto reopened = [&](const QDateTime &when) {
            at = when;
            auto book = std::make_unique<ClientBook>(path());
            book->setClock([&at] { return at; });
            book->reopen();
            return book;
        };
        auto book = reopened(at);
        QVERIFY2(book->isOpen(), qPrintable(book->statusMessage()));
        const Client ava = book->clients().last();
        QCOMPARE(ava.name, QStringLiteral("Ava"));
        // An old row has no report's tabs; keeping them is no change of the client (its dates stay, below).
        QCOMPARE(book->reportTabs(ava.id), std::nullopt);
        QVERIFY(book->setReportTabs(ava.id, QStringLiteral("capacity")));
        QCOMPARE(book->reportTabs(ava.id), std::optional(QStringLiteral("capacity")));
        QVERIFY(book->remove(ava.id));
        QCOMPARE(book->deleted().size(), 1);
        QCOMPARE(book->deleted().first().deleted, at);
        QVERIFY(!book->inputs(ava.id) && !book->rename(ava.id, QStringLiteral("X")) && !book->duplicate(ava.id));
        QCOMPARE(ClientBook(path(), ClientBook::Access::readOnly).clients().size(), 1);

        book = reopened(at.addDays(29));
        QCOMPARE(book->deleted().size(), 1);
        QVERIFY(book->restore(ava.id));
        QVERIFY(book->deleted().isEmpty());
        QCOMPARE(*book->client(ava.id), ava);
        QCOMPARE(book->inputs(ava.id)->loanAmount, 640000.0);

        QVERIFY(book->remove(ava.id));
        book = reopened(at.addDays(30));
        QCOMPARE(book->deleted().size(), 1);
        book = reopened(at.addMSecs(1));
        QVERIFY(book->deleted().isEmpty());
        QVERIFY(!book->restore(ava.id));
        book.reset();
        Raw raw(path());
        QCOMPARE(raw.value(QStringLiteral("SELECT group_concat(name) FROM clients")).toString(), QStringLiteral("Ben"));
        QCOMPARE(raw.value(QStringLiteral("PRAGMA user_version")).toInt(), ClientBook::schemaVersion());
    }

    // What a damaged book holds is read no bigger than Brolga writes it; an id at its largest is a full book.
    void hostileBook()
    {
        FILE_ONLY();
        makeBook(1);
        {
            Raw raw(path());
            QVERIFY(raw.exec(QStringLiteral("UPDATE clients SET name = '\n' || hex(zeroblob(5000000)), note = "
                                            "hex(zeroblob(100000))")));
            QVERIFY(raw.exec(QStringLiteral("INSERT INTO clients (id, name, inputs, created, changed) VALUES "
                                            "(9223372036854775807, 'Last', '{}', 1, 1)")));
        }
        ClientBook book(path());
        QVERIFY(book.isOpen());
        QCOMPARE(book.clients().first().name.size(), ClientBook::maxNameLength);
        QCOMPARE(book.clients().first().note.size(), ClientBook::maxNoteLength);
        QVERIFY(!book.create(QStringLiteral("One more"), {}));
        QCOMPARE(book.lastError(), QStringLiteral("Could not save \u2014 the client book is full."));
        QVERIFY(!book.duplicate(book.clients().first().id));
        QCOMPARE(book.lastError(), QStringLiteral("Could not save \u2014 the client book is full."));
    }

    // A save cut short in the rollback journal (an older book, or a kill while the journal mode was set):
    // a reader says so in one sentence and writes nothing; Brolga rolls it back and finds every client.
    void hotJournal()
    {
        FILE_ONLY();
        makeBook(40);
        const QString hot = dir_->filePath(QStringLiteral("Hot.sqlite"));
        {
            Raw raw(path());
            QVERIFY(raw.exec(QStringLiteral("PRAGMA journal_mode = DELETE")));
            // A cache too small for the change writes the journal out and the file over before the commit.
            QVERIFY(raw.exec(QStringLiteral("PRAGMA cache_size = 1")));
            QVERIFY(raw.exec(QStringLiteral("BEGIN")));
            QVERIFY(raw.exec(QStringLiteral("UPDATE clients SET name = 'Half done', note = ''")));
            // What a kill leaves: the journal beside the file, and nobody holding either.
            for (const QString &suffix : {QString(), QStringLiteral("-journal")})
                QVERIFY(QFile::copy(path() + suffix, hot + suffix));
            QVERIFY(raw.exec(QStringLiteral("ROLLBACK")));
        }
        const QByteArray before = bytesOf(hot) + bytesOf(hot + QStringLiteral("-journal"));
        ClientBook reader(hot, ClientBook::Access::readOnly);
        QCOMPARE(reader.statusMessage(), QStringLiteral("The client book could not be opened (a save was cut short; "
                                                        "start Brolga once to finish it)."));
        QCOMPARE(bytesOf(hot) + bytesOf(hot + QStringLiteral("-journal")), before);

        ClientBook book(hot);
        QVERIFY2(book.isOpen(), qPrintable(book.statusMessage()));
        QCOMPARE(book.clients().size(), 40);
        QCOMPARE(book.clients().first().name, QStringLiteral("Client 39"));
        QVERIFY(ClientBook(hot, ClientBook::Access::readOnly).isOpen());
    }

    // A file the book cannot read is reported and left byte for byte; starting a new book moves it aside first.
    void faultyFilesAreLeftAlone_data()
    {
        FILE_ONLY();
        QTest::addColumn<QString>("fault");
        QTest::addColumn<ClientBook::Status>("status");
        QTest::newRow("not SQLite") << QStringLiteral("text") << ClientBook::Status::unreadable;
        QTest::newRow("random bytes") << QStringLiteral("random") << ClientBook::Status::unreadable;
        QTest::newRow("cut to half") << QStringLiteral("half") << ClientBook::Status::unreadable;
        QTest::newRow("cut to the first page") << QStringLiteral("page") << ClientBook::Status::unreadable;
        QTest::newRow("cut in the header") << QStringLiteral("header") << ClientBook::Status::unreadable;
        QTest::newRow("a page overwritten") << QStringLiteral("overwritten") << ClientBook::Status::unreadable;
        QTest::newRow("another program's table of that name")
            << QStringLiteral("foreign") << ClientBook::Status::unreadable;
        QTest::newRow("newer version") << QStringLiteral("newer") << ClientBook::Status::newerVersion;
    }
    void faultyFilesAreLeftAlone()
    {
        FILE_ONLY();
        QFETCH(QString, fault);
        QFETCH(ClientBook::Status, status);
        if (fault == u"text") {
            writeBytes(path(), R"({"Brolga.state.v1": {"loanAmount": 500000}})");
        } else if (fault == u"random") {
            QByteArray bytes(8192, Qt::Uninitialized);
            for (char &c : bytes)
                c = char(QRandomGenerator::global()->bounded(256));
            writeBytes(path(), bytes);
        } else if (fault == u"foreign") {
            QVERIFY(Raw(path()).exec(QStringLiteral("CREATE TABLE clients (who TEXT)")));
        } else if (fault == u"newer") {
            makeBook(2);
            QVERIFY(Raw(path()).exec(QStringLiteral("PRAGMA user_version = %1").arg(ClientBook::schemaVersion() + 1)));
        } else {
            makeBook(40);
            QByteArray bytes = bytesOf(path());
            QVERIFY(bytes.size() > 20 * 4096);
            if (fault == u"half")
                bytes.truncate(bytes.size() / 2);
            else if (fault == u"page")
                bytes.truncate(4096);
            else if (fault == u"header")
                bytes.truncate(60);
            else
                bytes.replace(5 * 4096, 4096, QByteArray(4096, '\x5a'));
            writeBytes(path(), bytes);
        }
        const QByteArray before = bytesOf(path());
        const QStringList filesBefore = QDir(dir_->path()).entryList(QDir::Files);

        ClientBook book(path());
        QCOMPARE(book.status(), status);
        QVERIFY(!book.isOpen());
        QVERIFY(book.clients().isEmpty());
        const QString message = book.statusMessage();
        QVERIFY(message.endsWith(u'.') && message.count(u'.') == 1);
        QVERIFY(!book.create(QStringLiteral("Not now"), {}));
        QCOMPARE(book.lastError(), message);
        QVERIFY(!book.reopen());
        QCOMPARE(bytesOf(path()), before);
        // At most the empty log and index SQLite makes to read a newer book, which its own Brolga may share.
        for (const QFileInfo &file : QDir(dir_->path()).entryInfoList(QDir::Files))
            QVERIFY2(
                filesBefore.contains(file.fileName()) ||
                    (status == ClientBook::Status::newerVersion &&
                     (file.fileName().endsWith(u"-shm") || (file.fileName().endsWith(u"-wal") && file.size() == 0))),
                qPrintable(file.fileName()));

        QVERIFY2(book.startNewBook(), qPrintable(book.lastError()));
        QVERIFY(book.isOpen());
        QVERIFY(book.clients().isEmpty());
        QVERIFY(QRegularExpression(QStringLiteral("/Clients\\.unreadable-\\d{8}-\\d{6}\\.sqlite$"))
                    .match(book.setAsidePath())
                    .hasMatch());
        QCOMPARE(bytesOf(book.setAsidePath()), before);
        QVERIFY(book.create(QStringLiteral("Fresh start"), {}));
        QCOMPARE(ClientBook(path()).clients().size(), 1);
    }

    // Held by another process: reported, never written; once it lets go, the book opens as it was.
    void lockedByAnotherProcess()
    {
        FILE_ONLY();
        makeBook(3);
        const QByteArray before = bytesOf(path());
        QProcess holder;
        holder.start(QStringLiteral(BROLGA_CLIENTS_CHILD), {path(), QStringLiteral("lock")});
        QVERIFY(holder.waitForStarted() && holder.waitForReadyRead(10000));
        QCOMPARE(holder.readAll().trimmed(), QByteArray("locked"));

        ClientBook book(path());
        QCOMPARE(book.status(), ClientBook::Status::locked);
        QCOMPARE(book.statusMessage(),
                 QStringLiteral("The client book is in use by another program; close it and try again."));
        QVERIFY(!book.startNewBook()); // a lock goes away; the book is not given up for it
        QCOMPARE(bytesOf(path()), before);

        ::kill(pid_t(holder.processId()), SIGKILL);
        QVERIFY(holder.waitForFinished(5000));
        QVERIFY(book.reopen());
        QCOMPARE(book.clients().size(), 3);
    }

    // Read only (the report tool): nothing made, nothing brought up, nothing written, and what another
    // connection has just saved is seen.
    void readOnlyWritesNothing()
    {
        FILE_ONLY();
        const QString missing = dir_->filePath(QStringLiteral("folder/Clients.sqlite"));
        ClientBook none(missing, ClientBook::Access::readOnly);
        QCOMPARE(none.status(), ClientBook::Status::failed);
        QVERIFY(!QFileInfo::exists(dir_->filePath(QStringLiteral("folder"))));

        writeBytes(path(), {});
        QVERIFY(ClientBook(path(), ClientBook::Access::readOnly).isOpen());
        QCOMPARE(QFileInfo(path()).size(), 0);

        ClientBook writer(path());
        const auto made = writer.create(QStringLiteral("Seen at once"), {});
        QVERIFY(made);
        const QByteArray before = bytesOf(path());
        {
            ClientBook reader(path(), ClientBook::Access::readOnly);
            QVERIFY(reader.isOpen());
            QCOMPARE(reader.clients(), writer.clients());
            QVERIFY(reader.inputs(made->id));
            QVERIFY(!reader.create(QStringLiteral("No"), {}));
            QCOMPARE(reader.lastError(), QStringLiteral("The client book is open for reading only."));
            QVERIFY(!reader.rename(made->id, QStringLiteral("No")));
            QVERIFY(!reader.remove(made->id));
            QVERIFY(!reader.startNewBook());
        }
        QCOMPARE(bytesOf(path()), before);
        QVERIFY(writer.saveChanges(made->id, {})); // the reader left no lock behind
    }

    void namesAreCleaned_data()
    {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<QString>("stored"); // empty: refused
        const QString a500(500, u'a');
        const QString emoji = QStringLiteral("\U0001F600");
        QTest::newRow("surrounding and doubled spaces")
            << QStringLiteral("  Ada   Lovelace ") << QStringLiteral("Ada Lovelace");
        QTest::newRow("tab and line breaks")
            << QStringLiteral("Ada\tLovelace\r\nPty") << QStringLiteral("Ada Lovelace Pty");
        QTest::newRow("control characters") << QStringLiteral("A\x01"
                                                              "d\x7f"
                                                              "a\u0085 \u009bB")
                                            << QStringLiteral("Ada B");
        QTest::newRow("bidirectional override")
            << QStringLiteral("\u202Enimda\u202C Smith") << QStringLiteral("nimda Smith");
        QTest::newRow("lone surrogate") << (QStringLiteral("Ana") + QChar(0xD800)) << QStringLiteral("Ana");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("white space only") << QStringLiteral(" \t\n\u00A0\u3000 ") << QString();
        QTest::newRow("control characters only") << QStringLiteral("\x01\x02\u200E\u202E") << QString();
        QTest::newRow("500 characters") << a500 << QString(ClientBook::maxNameLength, u'a');
        QTest::newRow("emoji at the limit") << (QString(119, u'a') + emoji + emoji) << (QString(119, u'a') + emoji);
        QTest::newRow("quotes and SQL") << QStringLiteral("O'Brien \"Bob\"); DROP TABLE clients;--")
                                        << QStringLiteral("O'Brien \"Bob\"); DROP TABLE clients;--");
        QTest::newRow("LIKE and escape characters") << QStringLiteral("100%_\\x'") << QStringLiteral("100%_\\x'");
    }
    void namesAreCleaned()
    {
        QFETCH(QString, raw);
        QFETCH(QString, stored);
        QString error;
        const auto cleaned = ClientBook::cleanName(raw, &error);
        ClientBook book(path());
        if (stored.isEmpty()) {
            QVERIFY(!cleaned);
            QCOMPARE(error, QStringLiteral("Give the client a name."));
            QVERIFY(!book.create(raw, {}));
            QCOMPARE(book.lastError(), error);
            const auto kept = book.create(QStringLiteral("Kept"), {});
            QVERIFY(!book.rename(kept->id, raw));
            QCOMPARE(book.client(kept->id)->name, QStringLiteral("Kept"));
            return;
        }
        QCOMPARE(cleaned.value_or(QString()), stored);
        const auto made = book.create(raw, {});
        QVERIFY(made);
        QVERIFY(book.duplicate(made->id)->name.size() <= ClientBook::maxNameLength + 1); // one emoji is two units
        QVERIFY(book.rename(made->id, raw));
        ClientBook again(path());
        QCOMPARE(again.client(made->id)->name, stored);
        QCOMPARE(again.clients().size(), 2);
        QCOMPARE(again.search(stored).first().name.left(stored.size()), stored);
    }

    // Someone else saved the client since this book read it: a save, a rename or a note is refused, saying who and
    // when, and what they saved stays; opened again, the client is theirs and can be saved over.
    void refusesToSaveOverAnotherSave()
    {
        ClientBook mine(path());
        const auto made = mine.create(QStringLiteral("Mia Chen"), {});
        ClientBook theirs(path());
        const QDateTime later(QDate(2026, 12, 8), QTime(14, 30), QTimeZone::utc());
        theirs.setClock([later] { return later; });
        CalculatorState saved, edited;
        saved.loanAmount = 640000;
        edited.loanAmount = 710000;
        QVERIFY(theirs.saveChanges(made->id, saved));

        QVERIFY(!mine.saveChanges(made->id, edited));
        QVERIFY(mine.conflict());
        QCOMPARE(mine.conflict()->by, server_.isEmpty() ? QString() : QStringLiteral("alice"));
        QCOMPARE(mine.conflict()->at, later);
        QVERIFY(mine.lastError().endsWith(QStringLiteral(" since you opened it; nothing was saved.")));
        QVERIFY(!mine.rename(made->id, QStringLiteral("Mia")) && !mine.setNote(made->id, QStringLiteral("Note")));

        QCOMPARE(mine.inputs(made->id)->loanAmount, 640000.0);
        QVERIFY(mine.saveChanges(made->id, edited));
        QVERIFY(!mine.conflict());
        QVERIFY(!theirs.saveChanges(made->id, saved));
        QCOMPARE(ClientBook(path()).inputs(made->id)->loanAmount, 710000.0);
    }

    // The broker settles a refusal: latest() reads what the other person saved, so the next write goes over it; a
    // copy takes a name no client has.
    void settlesARefusal()
    {
        ClientBook mine(path());
        const auto made = mine.create(QStringLiteral("Mia Chen"), {});
        QVERIFY(ClientBook(path()).rename(made->id, QStringLiteral("Mia Chen-Ng")));
        QVERIFY(!mine.rename(made->id, QStringLiteral("Mia Ng")) && mine.conflict());
        QCOMPARE(mine.latest(made->id)->name, QStringLiteral("Mia Chen-Ng"));
        QVERIFY(mine.rename(made->id, QStringLiteral("Mia Ng")));
        QCOMPARE(mine.client(made->id)->version, 3);

        QCOMPARE(mine.duplicate(made->id, QStringLiteral(" Mia  Chen-Ng"))->name, QStringLiteral("Mia Chen-Ng"));
        QCOMPARE(mine.duplicate(made->id)->name, QStringLiteral("Mia Ng (copy)"));
        QCOMPARE(mine.duplicate(made->id)->name, QStringLiteral("Mia Ng (copy 2)"));
        QCOMPARE(ClientBook(path()).clients().size(), 4);
    }

    // The clients of this computer's book move in as they were, once however often the move runs; they wait in its
    // "Recently deleted" afterwards. Its deleted clients stay there.
    void movesClientsInFromAnotherBook()
    {
        ClientBook from(dir_->filePath(QStringLiteral("Local.sqlite")));
        from.setClock(steppingClock());
        CalculatorState inputs;
        inputs.loanAmount = 455000;
        const auto ava = from.create(QStringLiteral("Ava Ng"), inputs, QStringLiteral("Refinance"));
        QVERIFY(ava && from.rename(ava->id, QStringLiteral("Ava Ng")) && from.setReportTabs(ava->id, "upfront"));
        QVERIFY(from.create(QStringLiteral("Ben Li"), {}));
        QVERIFY(from.remove(from.create(QStringLiteral("Cai"), {})->id));
        ClientBook book(path());
        QVERIFY(book.create(QStringLiteral("Ava Ng"), {})); // another Ava, made at another moment

        QCOMPARE(book.moveAllFrom(from), std::optional(2));
        QCOMPARE(from.clients().size(), 0);
        QCOMPARE(from.deleted().size(), 3);
        QVERIFY(from.restore(ava->id)); // as a move cut short leaves it
        QCOMPARE(book.moveAllFrom(from), std::optional(1));
        QCOMPARE(from.clients().size(), 0);

        ClientBook again(path());
        QCOMPARE(again.clients().size(), 3);
        const Client moved = again.clients().last(); // in its place by its own last change
        QCOMPARE(moved.created, QDateTime(QDate(2026, 12, 7), QTime(9, 0, 1), QTimeZone::utc()));
        QCOMPARE(moved.changed, QDateTime(QDate(2026, 12, 7), QTime(9, 0, 2), QTimeZone::utc()));
        QCOMPARE(moved.note, QStringLiteral("Refinance"));
        QCOMPARE(again.inputs(moved.id)->loanAmount, 455000.0);
        QCOMPARE(again.reportTabs(moved.id), std::optional(QStringLiteral("upfront")));
    }

    // Text that would be SQL pasted into a statement is kept as the text it is, in every text field.
    void textIsNeverSql_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("quote and comment") << QStringLiteral("O'Brien'); DROP TABLE clients; --");
        QTest::newRow("dollar quotes") << QStringLiteral("$$; DELETE FROM clients; $$");
        QTest::newRow("backslash") << QStringLiteral("\\'; UPDATE clients SET owner = 'bob'; --");
    }
    void textIsNeverSql()
    {
        QFETCH(QString, text);
        CalculatorState inputs;
        inputs.taxYear = text;
        qint64 id = 0;
        {
            ClientBook book(path());
            const auto made = book.create(text, inputs, text);
            QVERIFY2(made, qPrintable(book.lastError()));
            id = made->id;
            QVERIFY(book.setReportTabs(id, text));
            QVERIFY(book.duplicate(id));
            QVERIFY(book.rename(id, text + text) && book.setNote(id, text + text));
        }
        ClientBook book(path());
        QCOMPARE(book.clients().size(), 2);
        QCOMPARE(book.client(id)->name, text + text);
        QCOMPARE(book.client(id)->note, text + text);
        QCOMPARE(book.inputs(id)->taxYear, text);
        QCOMPARE(book.reportTabs(id), std::optional(text));
        QCOMPARE(book.search(text).size(), 2);
    }

    // The server decides what each role reads and changes, whatever SQL the role sends it.
    void serverKeepsEachBrokersClients()
    {
        SERVER_ONLY();
        ClientBook alice(as(QStringLiteral("alice")));
        const auto own = alice.create(QStringLiteral("Alice's own"), {}, QStringLiteral("Private note"));
        const auto shared = alice.create(QStringLiteral("Alice's shared"), {});
        QVERIFY(alice.setShared(shared->id, true) && alice.client(shared->id)->shared);

        ClientBook bob(as(QStringLiteral("bob")));
        QCOMPARE(bob.clients().size(), 1);
        QCOMPARE(bob.clients().first().name, QStringLiteral("Alice's shared"));
        QVERIFY(bob.clients().first().shared && !bob.owns(bob.clients().first()));
        QVERIFY(!bob.setShared(shared->id, false));
        QVERIFY(!bob.rename(shared->id, QStringLiteral("Bob's now")));
        QCOMPARE(bob.lastError(), QStringLiteral("Alice's shared is alice's client, shared for reading: save your "
                                                 "figures as a new client instead."));
        // Moving his clients to his computer leaves Alice's where they are.
        QCOMPARE(ClientBook(dir_->filePath(QStringLiteral("Bob.sqlite"))).moveAllFrom(bob), std::optional(0));

        Raw byBob(as(QStringLiteral("bob")));
        QCOMPARE(byBob.value(QStringLiteral("SELECT count(*) FROM clients WHERE NOT shared")).toInt(), 0);
        QVERIFY(byBob.exec(QStringLiteral("UPDATE clients SET name = 'Taken', note = 'Taken'")));
        QVERIFY(byBob.exec(QStringLiteral("DELETE FROM clients")));
        QVERIFY(!byBob.exec(QStringLiteral("UPDATE clients SET owner = 'bob'")));
        QVERIFY(!byBob.exec(QStringLiteral("INSERT INTO clients (name, inputs, created, changed, owner) "
                                           "VALUES ('Planted', '{}', 1, 1, 'alice')")));
        QVERIFY(!byBob.exec(QStringLiteral("ALTER TABLE clients DISABLE ROW LEVEL SECURITY")));

        // Sam, the office's assistant, prepares a client for Bob and sees only those he prepared.
        Raw bySam(as(QStringLiteral("sam")));
        QVERIFY(bySam.exec(QStringLiteral("INSERT INTO clients (name, inputs, created, changed, owner) "
                                          "VALUES ('For Bob', '{}', 1, 1, 'bob')")));
        QVERIFY(!bySam.exec(QStringLiteral("INSERT INTO clients (name, inputs, created, changed, owner) "
                                           "VALUES ('For Sam', '{}', 1, 1, 'sam')")));
        QCOMPARE(bySam.value(QStringLiteral("SELECT string_agg(name, ',') FROM clients")).toString(),
                 QStringLiteral("For Bob"));
        QVERIFY(bob.reopen() && bob.clients().size() == 2);
        QCOMPARE(bob.clients().last().owner, QStringLiteral("bob"));
        QVERIFY(bob.rename(bob.clients().last().id, QStringLiteral("Bob's client")));

        QVERIFY(alice.reopen() && alice.clients().size() == 2);
        QCOMPARE(alice.client(own->id)->note, QStringLiteral("Private note"));
        QCOMPARE(alice.client(shared->id)->name, QStringLiteral("Alice's shared"));
        QVERIFY(alice.setShared(shared->id, false) && bob.reopen());
        QCOMPARE(bob.clients().size(), 1);
        QCOMPARE(bob.clients().first().name, QStringLiteral("Bob's client"));
    }

    // A save that meets the server gone says so in words, and the book works again once the server is back. A
    // server not on this machine is reached over TLS only (the test server has none). What the broker is told
    // never holds the password.
    void serverAwayOrElsewhere()
    {
        SERVER_ONLY();
        ClientBook book(path()); // 127.0.0.1
        const auto made = book.create(QStringLiteral("Mia Chen"), {});
        QCOMPARE(QProcess::execute(QStringLiteral("bash"),
                                   {QStringLiteral(BROLGA_PGSERVER), QStringLiteral("crash"), serverState_}),
                 0);
        QVERIFY(!book.saveChanges(made->id, {}));
        QCOMPARE(book.lastError(), QStringLiteral("The office client book cannot be reached; nothing was saved."));
        QVERIFY(book.reopen() && book.saveChanges(made->id, {}));

        ClientBook elsewhere(path().replace(QStringLiteral("@127.0.0.1:"), QStringLiteral("@127.0.0.2:")));
        QVERIFY(!elsewhere.isOpen());
        QVERIFY2(elsewhere.statusMessage().contains(QStringLiteral("SSL was required")),
                 qPrintable(elsewhere.statusMessage()));
        QVERIFY(!elsewhere.statusMessage().contains(QStringLiteral("brolga-test")));
        QVERIFY(!elsewhere.path().contains(QStringLiteral("brolga-test")));
    }

    // On a full disk a save fails and says so, takes nothing with it, and the book works again once there is room.
    void fullDisk()
    {
        FILE_ONLY();
        QStandardPaths::setTestModeEnabled(true);
        QFile::remove(ClientBook::defaultPath());
        QFile::remove(ClientBook::defaultPath() + QStringLiteral("-wal"));
        QFile::remove(ClientBook::defaultPath() + QStringLiteral("-shm"));
        if (!teststore::FullDisk::isReal())
            QSKIP("no file system of the test's own to fill (tests/tmpfs-run)");
        ClientBook book;
        QVERIFY(book.isOpen());
        QVERIFY(book.create(QStringLiteral("Before"), {}));
        QStringList saved;
        bool failed = false;
        {
            teststore::FullDisk disk;
            for (int i = 0; i < 500 && !failed; ++i) {
                const QString name = QStringLiteral("Client %1").arg(i);
                if (book.create(name, {}, QString(ClientBook::maxNoteLength, u'n')))
                    saved << name;
                else
                    failed = true;
            }
            QVERIFY(failed);
            QCOMPARE(book.lastError(), QStringLiteral("Could not save \u2014 the disk may be full."));
            QCOMPARE(book.clients().size(), saved.size() + 1);
        }
        QVERIFY(book.create(QStringLiteral("After"), {}));
        ClientBook again;
        QVERIFY(again.isOpen());
        QStringList names;
        for (const Client &c : again.clients())
            names.prepend(c.name);
        QCOMPARE(names, QStringList{QStringLiteral("Before")} + saved + QStringList{QStringLiteral("After")});
    }

    // Killed at random moments while saving, or the server under it as by a crash: afterwards every save that
    // returned is there, and every client in the book is whole.
    void killedWhileSaving()
    {
        std::map<qint64, int> confirmed; // id → the save number it had at least
        int rounds = 0;
        const int planned = server_.isEmpty() ? 25 : 8;
        for (int round = 0; round < planned; ++round) {
            QProcess child;
            child.start(QStringLiteral(BROLGA_CLIENTS_CHILD), {path(), QStringLiteral("save")});
            QVERIFY(child.waitForStarted() && child.waitForReadyRead(10000));
            QTest::qWait(QRandomGenerator::global()->bounded(10, 300));
            if (!server_.isEmpty())
                QCOMPARE(QProcess::execute(QStringLiteral("bash"),
                                           {QStringLiteral(BROLGA_PGSERVER), QStringLiteral("crash"), serverState_}),
                         0);
            ::kill(pid_t(child.processId()), SIGKILL);
            QVERIFY(child.waitForFinished(5000));
            for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
                const QList<QByteArray> parts = line.split(' ');
                if (parts.size() == 3 && (parts[0] == "created" || parts[0] == "changed"))
                    confirmed[parts[1].toLongLong()] = qMax(confirmed[parts[1].toLongLong()], parts[2].toInt());
            }

            ClientBook book(path());
            QVERIFY2(book.isOpen(), qPrintable(book.statusMessage()));
            for (const auto &[id, n] : confirmed) {
                const auto inputs = book.inputs(id);
                QVERIFY2(inputs, qPrintable(QStringLiteral("round %1: client %2 lost").arg(round).arg(id)));
                QVERIFY2(inputs->payRate >= n,
                         qPrintable(QStringLiteral("round %1: client %2 older").arg(round).arg(id)));
            }
            for (const Client &c : book.clients()) {
                const auto inputs = book.inputs(c.id);
                QVERIFY2(inputs, qPrintable(c.name));
                const int n = c.name.mid(7).toInt();
                QVERIFY2(inputs->payRate == n || inputs->payRate == n + 1, qPrintable(c.name));
                QCOMPARE(inputs->loanAmount, 100000 + inputs->payRate);
            }
            ++rounds;
        }
        QCOMPARE(rounds, planned);
        QVERIFY(confirmed.size() > size_t(planned));
    }

    // Killed at random moments while making books: the book being made opens afterwards (its first client
    // there when its save returned), and a reader can read it then.
    void killedWhileMakingTheBook()
    {
        FILE_ONLY();
        int made = 0;
        for (int round = 0; round < 300; ++round) {
            QDir(dir_->path()).removeRecursively();
            QVERIFY(QDir().mkpath(dir_->path()));
            QProcess child;
            child.start(QStringLiteral(BROLGA_CLIENTS_CHILD), {path(), QStringLiteral("make")});
            QVERIFY(child.waitForStarted() && child.waitForReadyRead(10000));
            QThread::usleep(QRandomGenerator::global()->bounded(60000)); // a book takes about 40 ms to make
            ::kill(pid_t(child.processId()), SIGKILL);
            QVERIFY(child.waitForFinished(5000));
            // "made N" for each book whose save returned; the last book named is the one the kill met.
            const QList<QByteArray> lines = child.readAllStandardOutput().trimmed().split('\n');
            const int last = lines.size() - 1; // "ready" first
            made += last;
            const QString book = path() + QStringLiteral(".%1").arg(last + 1);
            ClientBook opened(book);
            QVERIFY2(opened.isOpen(),
                     qPrintable(QStringLiteral("round %1: %2").arg(round).arg(opened.statusMessage())));
            QVERIFY(opened.clients().size() <= 1);
            if (last > 0)
                QCOMPARE(ClientBook(path() + QStringLiteral(".%1").arg(last)).clients().size(), 1);
            QVERIFY(ClientBook(book, ClientBook::Access::readOnly).isOpen() || !QFileInfo::exists(book));
        }
        QVERIFY(made > 0);
    }
};

QTEST_GUILESS_MAIN(TestClientBook)
#include "tst_clientbook.moc"

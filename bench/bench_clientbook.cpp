// The client book with 10,000 clients: opening it (the check, the list into memory), what "All clients…" shows,
// one search keystroke, opening one client and saving one.
#include "OfficeBook.h"
#include "core/ClientBook.h"
#include "core/ClientInputs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace brolga;

namespace {

constexpr int clientCount = 10000;

QString &bookPath()
{
    static QString path;
    return path;
}

// Made once: the schema through the book, the rows in one transaction of the bench's own (one save each would
// spend minutes flushing).
void fill(const QString &path)
{
    {
        ClientBook book(path);
    }
    const QStringList first{"Mia",   "Oliver", "Zoë",    "Jack",  "Amelia",   "Noah",  "Chloé",
                            "Liam",  "Aroha",  "Wei",    "Priya", "Mohammed", "Sofia", "Lachlan",
                            "Ngaio", "Thi",    "Hamish", "Isla",  "Raj",      "Émile"};
    const QStringList last{"Nguyen", "Smith",  "Papadopoulos", "O'Brien", "Chen",   "Williams", "Singh", "Kelly",
                           "Tran",   "Murphy", "Rossi",        "Brown",   "Wilson", "Taylor",   "Ahmed", "Kowalski"};
    QRandomGenerator random(18);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("BEGIN"));
        q.prepare(QStringLiteral("INSERT INTO clients (name, note, inputs, created, changed) VALUES (?, ?, ?, ?, ?)"));
        const qint64 start = QDateTime(QDate(2024, 1, 1), QTime(9, 0)).toMSecsSinceEpoch();
        for (int i = 0; i < clientCount; ++i) {
            CalculatorState s;
            s.loanAmount = 300000 + random.bounded(900000);
            s.interestRate = 5 + random.bounded(300) / 100.0;
            s.grossIncome = 60000 + random.bounded(200000);
            s.purchasePrice = 400000 + random.bounded(1500000);
            s.state = AUState(random.bounded(8));
            const qint64 at = start + qint64(i) * 90 * 60 * 1000;
            q.addBindValue(first[random.bounded(first.size())] + u' ' + last[random.bounded(last.size())]);
            q.addBindValue(i % 3 ? QString() : QStringLiteral("Refinance, fixed rate ends in March"));
            q.addBindValue(QString::fromUtf8(ClientInputs::encode(s)));
            q.addBindValue(at);
            q.addBindValue(at + random.bounded(30 * 86400) * 1000LL);
            q.exec();
        }
        q.exec(QStringLiteral("COMMIT"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
}

ClientBook &book()
{
    static ClientBook *b = new ClientBook(bookPath());
    return *b;
}

// The constructor's work: a read-only check of the whole file, then every client's name and dates into memory.
void openBook(benchmark::State &bs)
{
    for (auto _ : bs) {
        ClientBook opened(bookPath());
        benchmark::DoNotOptimize(opened.clients().size());
    }
}
BENCHMARK(openBook)->Unit(benchmark::kMillisecond);

// Every row of "All clients…" as text: name and date of the last change (a list view asks only for the rows it
// shows; this is all 10,000 of them).
void allClientsRows(benchmark::State &bs)
{
    const QLocale locale(QLocale::English, QLocale::Australia);
    for (auto _ : bs) {
        QStringList rows;
        rows.reserve(book().clients().size());
        for (const Client &c : book().clients())
            rows << c.name + u'\t' + locale.toString(c.changed.toLocalTime(), QLocale::ShortFormat);
        benchmark::DoNotOptimize(rows.size());
    }
}
BENCHMARK(allClientsRows)->Unit(benchmark::kMillisecond);

// One keystroke in the search field: the text so far against every name.
void searchKeystroke(benchmark::State &bs)
{
    const QString texts[] = {QStringLiteral("a"), QStringLiteral("ngu"), QStringLiteral("ÉMI"), QStringLiteral("xyz")};
    const QString text = texts[bs.range(0)];
    qsizetype found = 0;
    for (auto _ : bs)
        benchmark::DoNotOptimize(found = book().search(text).size());
    bs.SetLabel(QStringLiteral("\"%1\": %2 found").arg(text).arg(found).toStdString());
}
BENCHMARK(searchKeystroke)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// Opening one client: its stored inputs read and decoded.
void openClient(benchmark::State &bs)
{
    const qint64 id = book().clients()[clientCount / 2].id;
    for (auto _ : bs)
        benchmark::DoNotOptimize(book().inputs(id));
}
BENCHMARK(openClient)->Unit(benchmark::kMicrosecond);

// "Save changes": one transaction, flushed to the disk before it returns.
void saveChanges(benchmark::State &bs)
{
    const qint64 id = book().clients().last().id;
    CalculatorState s;
    for (auto _ : bs) {
        s.loanAmount += 1;
        benchmark::DoNotOptimize(book().saveChanges(id, s));
    }
}
BENCHMARK(saveChanges)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // Beside the program, on the disk the build is on (a temporary folder may be in memory).
    QTemporaryDir dir(QCoreApplication::applicationDirPath() + QStringLiteral("/bench_clientbook-XXXXXX"));
    bookPath() = officebook::filled(clientCount);
    if (!bookPath().isEmpty()) {
        std::printf("%d brokers with %d clients each on a PostgreSQL server, read as one of them\n",
                    officebook::brokers, clientCount);
    } else {
        bookPath() = dir.filePath(QStringLiteral("Clients.sqlite"));
        fill(bookPath());
        std::printf("%d clients, %.1f MB on disk\n", clientCount, QFileInfo(bookPath()).size() / 1e6);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

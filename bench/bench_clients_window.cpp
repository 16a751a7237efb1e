// "All clients…" over a book of 10,000 clients: the window opened and painted once, and one search keystroke
// (the list narrowed and painted again). A frame at 60 Hz is 16.7 ms.
#include "OfficeBook.h"
#include "WidgetBenchMain.h"

#include "app/clients/ClientListModel.h"
#include "app/clients/ClientSession.h"
#include "app/clients/ClientsWindow.h"
#include "brand/BrandType.h"
#include "core/CalculatorStore.h"
#include "core/ClientBook.h"
#include "core/ClientInputs.h"

#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <memory>

using namespace brolga;

namespace {

constexpr int clientCount = 10000;

// Made once: the schema through the book, the rows in one transaction of the bench's own.
QString filledBook()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        if (const QString server = officebook::filled(clientCount); !server.isEmpty())
            return server;
        const QString p = dir.filePath(QStringLiteral("Clients.sqlite"));
        {
            ClientBook book(p);
        }
        const QStringList first{"Mia", "Oliver", "Zoë", "Jack", "Amelia", "Noah", "Chloé", "Liam", "Aroha", "Wei"};
        const QStringList last{"Nguyen", "Smith", "Papadopoulos", "O'Brien", "Chen", "Williams", "Singh", "Kelly"};
        QRandomGenerator random(18);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
            db.setDatabaseName(p);
            db.open();
            QSqlQuery q(db);
            q.exec(QStringLiteral("BEGIN"));
            q.prepare(
                QStringLiteral("INSERT INTO clients (name, note, inputs, created, changed) VALUES (?, ?, ?, ?, ?)"));
            const qint64 start = QDateTime(QDate(2024, 1, 1), QTime(9, 0)).toMSecsSinceEpoch();
            for (int i = 0; i < clientCount; ++i) {
                CalculatorState s;
                s.loanAmount = 300000 + random.bounded(900000);
                const qint64 at = start + qint64(i) * 90 * 60 * 1000;
                q.addBindValue(first[random.bounded(first.size())] + u' ' + last[random.bounded(last.size())]);
                q.addBindValue(QStringLiteral(""));
                q.addBindValue(QString::fromUtf8(ClientInputs::encode(s)));
                q.addBindValue(at);
                q.addBindValue(at);
                if (!q.exec())
                    qFatal("%s", qPrintable(q.lastError().text()));
            }
            q.exec(QStringLiteral("COMMIT"));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("fill"));
        return p;
    }();
    return path;
}

struct Fixture {
    CalculatorStore store;
    ClientSession session{store, filledBook()};
    Fixture()
    {
        BrandType::registerFonts();
        session.start();
        if (!session.book().isOpen() || session.book().clients().size() != clientCount)
            qFatal("The bench's book holds %d clients: %s", int(session.book().clients().size()),
                   qPrintable(session.book().statusMessage()));
    }
};

Fixture &fixture()
{
    static Fixture *f = new Fixture;
    return *f;
}

QImage paint(QWidget &w)
{
    QImage image(w.size() * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    w.render(&image);
    return image;
}

// The window made, laid out and painted, as "All clients…" does (the book is already in memory).
void openWindow(benchmark::State &bs)
{
    Fixture &f = fixture();
    for (auto _ : bs) {
        ClientsWindow w(f.session);
        w.resize(ClientsWindow::windowSize);
        w.setAttribute(Qt::WA_DontShowOnScreen);
        w.show();
        benchmark::DoNotOptimize(paint(w));
    }
    bs.counters["clients"] = double(f.session.book().clients().size());
}
BENCHMARK(openWindow)->Unit(benchmark::kMillisecond);

// One letter typed into the search field, and the window painted again; it alternates "Ng" and "N".
void searchKeystroke(benchmark::State &bs)
{
    Fixture &f = fixture();
    ClientsWindow w(f.session);
    w.resize(ClientsWindow::windowSize);
    w.setAttribute(Qt::WA_DontShowOnScreen);
    w.show();
    w.searchField()->setText(QStringLiteral("N"));
    bool longer = true;
    for (auto _ : bs) {
        w.searchField()->setText(longer ? QStringLiteral("Ng") : QStringLiteral("N"));
        longer = !longer;
        benchmark::DoNotOptimize(paint(w));
    }
    bs.counters["shown"] = double(w.model()->rowCount());
}
BENCHMARK(searchKeystroke)->Unit(benchmark::kMillisecond);

} // namespace

BROLGA_WIDGET_BENCHMARK_MAIN()

// A process for the client book tests to end.
//   clients_child BOOK save   saves clients as fast as it can until killed: each round creates "Client N" and
//                             saves new inputs to the client of the round before, and prints each save that
//                             returned ("created ID N", "changed ID N"). The inputs of a save numbered N carry
//                             N in two fields, so a torn one shows.
//   clients_child BOOK make   makes books BOOK.1, BOOK.2 ... as fast as it can until killed, each with one
//                             client, the way Brolga's first save makes the book; prints "made N" for each.
//   clients_child BOOK lock   holds the book's file locked against every other connection, says "locked" and
//                             waits to be killed.
#include "core/ClientBook.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>

#include <cstdio>

using namespace brolga;

namespace {
CalculatorState numbered(int n)
{
    CalculatorState s;
    s.loanAmount = 100000 + n;
    s.payRate = n;
    return s;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);

    if (qstrcmp(argv[2], "lock") == 0) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        db.setDatabaseName(path);
        if (!db.open())
            return 1;
        QSqlQuery q(db);
        // An exclusive locking mode keeps the lock after the first read, in either journal mode.
        if (!q.exec(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE")) || !q.exec(QStringLiteral("BEGIN EXCLUSIVE")) ||
            !q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !q.next())
            return 1;
        std::puts("locked");
        std::fflush(stdout);
        for (;;)
            QThread::sleep(1);
    }

    if (qstrcmp(argv[2], "make") == 0) {
        std::puts("ready");
        std::fflush(stdout);
        for (int n = 1;; ++n) {
            ClientBook book(path + QStringLiteral(".%1").arg(n));
            if (!book.create(QStringLiteral("First"), numbered(n)))
                return 1;
            std::printf("made %d\n", n);
            std::fflush(stdout);
        }
    }

    ClientBook book(path);
    if (!book.isOpen()) {
        std::fprintf(stderr, "%s\n", qPrintable(book.statusMessage()));
        return 1;
    }
    int n = 0;
    for (const Client &c : book.clients())
        n = qMax(n, c.name.mid(7).toInt());
    std::puts("ready");
    std::fflush(stdout);
    qint64 previous = 0;
    for (;;) {
        ++n;
        if (const auto made = book.create(QStringLiteral("Client %1").arg(n), numbered(n))) {
            std::printf("created %lld %d\n", made->id, n);
            std::fflush(stdout);
            if (previous && book.saveChanges(previous, numbered(n))) {
                std::printf("changed %lld %d\n", previous, n);
                std::fflush(stdout);
            }
            previous = made->id;
        }
    }
}

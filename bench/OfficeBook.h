#pragma once

// The office's book for the client book benchmarks: 20 brokers with `perBroker` clients each, in one book on
// the PostgreSQL server whose tests/pgserver.sh state folder BROLGA_BENCH_SERVER names. The benchmarks read it
// as one broker, so every list and save goes through the server's row-level security. Without the variable,
// empty: the benchmarks use a file of their own.
#include "core/BookEngine.h"
#include "core/ClientInputs.h"
#include "core/ServerAddress.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace officebook {

constexpr int brokers = 20;

inline QString filled(int perBroker)
{
    const QString state = qEnvironmentVariable("BROLGA_BENCH_SERVER");
    if (state.isEmpty())
        return {};
    QFile url(state + QStringLiteral("/url"));
    if (!url.open(QIODevice::ReadOnly))
        qFatal("no test server in %s (tests/pgserver.sh start)", qPrintable(state));
    const auto admin = brolga::ServerAddress::fromUrl(QString::fromUtf8(url.readAll().trimmed()));
    const auto connect = [&](const QString &database) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("office-fill"));
        brolga::BookEngine::setServer(db, *admin);
        db.setDatabaseName(database);
        if (!db.open())
            qFatal("%s", qPrintable(db.lastError().text()));
        return db;
    };
    const auto run = [](QSqlQuery &q) {
        if (!q.exec())
            qFatal("%s", qPrintable(q.lastError().text()));
    };
    {
        QSqlQuery q(connect(admin->database));
        for (const char *sql :
             {"DROP DATABASE IF EXISTS office_bench WITH (FORCE)", "CREATE DATABASE office_bench TEMPLATE brolga",
              "DO $$ BEGIN FOR n IN 1..20 LOOP IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = "
              "'broker' || n) THEN EXECUTE format('CREATE ROLE %I LOGIN PASSWORD %L IN ROLE "
              "brolga_broker', 'broker' || n, 'brolga-test'); END IF; END LOOP; END $$"}) {
            if (!q.exec(QString::fromLatin1(sql)))
                qFatal("%s", qPrintable(q.lastError().text()));
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("office-fill"));
    {
        QSqlQuery q(connect(QStringLiteral("office_bench")));
        // The server makes the rows: names from the benchmarks' lists, each broker's clients 90 minutes apart from
        // 2024, the brokers' rows interleaved as an office's saves are.
        q.prepare(QStringLiteral(
            "INSERT INTO clients (name, note, inputs, created, changed, owner) SELECT "
            "(ARRAY['Mia','Oliver','Zoë','Jack','Amelia','Noah','Chloé','Liam','Aroha','Wei','Priya','Mohammed',"
            "'Sofia','Lachlan','Ngaio','Thi','Hamish','Isla','Raj','Émile'])[1 + (i / 20) % 20] || ' ' || "
            "(ARRAY['Nguyen','Smith','Papadopoulos','O''Brien','Chen','Williams','Singh','Kelly','Tran','Murphy',"
            "'Rossi','Brown','Wilson','Taylor','Ahmed','Kowalski'])[1 + (i / 7) % 16], "
            "CASE WHEN i % 3 = 0 THEN 'Refinance, fixed rate ends in March' ELSE '' END, ?, "
            "1704060000000 + i * 270000::bigint, "
            "1704060000000 + i * 270000::bigint + (i::bigint * 7919 % 2592000) * 1000, "
            "'broker' || (1 + i % 20) FROM generate_series(0, ? - 1) AS i"));
        brolga::CalculatorState s;
        s.loanAmount = 640000;
        s.grossIncome = 185000;
        q.addBindValue(QString::fromUtf8(brolga::ClientInputs::encode(s)));
        q.addBindValue(brokers * perBroker);
        run(q);
        if (!q.exec(QStringLiteral("ANALYZE clients")))
            qFatal("%s", qPrintable(q.lastError().text()));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("office-fill"));
    return QStringLiteral("postgresql://broker1:brolga-test@%1:%2/office_bench").arg(admin->host).arg(admin->port);
}

} // namespace officebook

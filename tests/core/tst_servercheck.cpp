#include "core/BookEngine.h"
#include "core/ServerAddress.h"
#include "core/ServerCheck.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

using namespace brolga;
using Outcome = ServerCheck::Outcome;

// "Test connection" against the tests' own PostgreSQL server (CTest's server/start), each way it can fail
// as the server and the client library really word it.
class TestServerCheck : public QObject {
    Q_OBJECT

    std::optional<ServerAddress> admin_;

    bool asAdmin(const QString &database, const QString &sql)
    {
        bool done = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("admin"));
            BookEngine::setServer(db, *admin_);
            db.setDatabaseName(database);
            done = db.open() && QSqlQuery(db).exec(sql);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("admin"));
        return done;
    }

  private Q_SLOTS:
    void initTestCase()
    {
        QFile url(qEnvironmentVariable("BROLGA_TEST_SERVER") + QStringLiteral("/url"));
        QVERIFY2(url.open(QIODevice::ReadOnly), "the test server is not running (tests/pgserver.sh)");
        admin_ = ServerAddress::fromUrl(QString::fromUtf8(url.readAll().trimmed()));
        QVERIFY(asAdmin(QStringLiteral("postgres"), QStringLiteral("DROP DATABASE IF EXISTS tst_servercheck")));
        QVERIFY(asAdmin(QStringLiteral("postgres"), QStringLiteral("CREATE DATABASE tst_servercheck TEMPLATE brolga")));
    }

    void run_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("bookVersion");
        QTest::addColumn<Outcome>("outcome");
        const int port = admin_->port;
        const QString pw = QStringLiteral("brolga-test");
        QTest::newRow("ready") << "127.0.0.1" << port << "alice" << pw << 4 << Outcome::ready;
        QTest::newRow("nothing listening") << "127.0.0.1" << 1 << "alice" << pw << 4 << Outcome::unreachable;
        QTest::newRow("no such host") << "brolga.invalid" << port << "alice" << pw << 4 << Outcome::unreachable;
        QTest::newRow("wrong password") << "127.0.0.1" << port << "alice"
                                        << "wattle" << 4 << Outcome::wrongPassword;
        QTest::newRow("no password") << "127.0.0.1" << port << "alice"
                                     << "" << 4 << Outcome::wrongPassword;
        QTest::newRow("another machine without TLS") << "127.0.0.2" << port << "alice" << pw << 4 << Outcome::noTls;
        QTest::newRow("newer book") << "127.0.0.1" << port << "alice" << pw << 5 << Outcome::schemaTooNew;
        QTest::newRow("older book") << "127.0.0.1" << port << "alice" << pw << 3 << Outcome::other;
    }
    void run()
    {
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(int, bookVersion);
        QFETCH(Outcome, outcome);
        QVERIFY(asAdmin(QStringLiteral("tst_servercheck"),
                        QStringLiteral("UPDATE brolga_book SET version = %1").arg(bookVersion)));
        const auto result = ServerCheck::run({host, port, QStringLiteral("tst_servercheck"), user, password});
        QCOMPARE(result.outcome, outcome);
        QCOMPARE(result.sentence.count(u'.'), 1);
    }

    // The test server speaks no TLS, so the certificate's failures are the client library's words.
    void certificate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("no root certificate")
            << "connection to server at \"10.0.0.5\", port 5432 failed: root certificate file "
               "\"/home/mia/.postgresql/root.crt\" does not exist\nEither provide the file or change sslmode to "
               "disable server certificate verification.";
        QTest::newRow("another authority") << "connection to server at \"10.0.0.5\", port 5432 failed: SSL error: "
                                              "certificate verify failed";
        QTest::newRow("another name") << "connection to server at \"10.0.0.5\", port 5432 failed: server certificate "
                                         "for \"db.example\" does not match host name \"10.0.0.5\"";
    }
    void certificate()
    {
        QFETCH(QString, text);
        QCOMPARE(ServerCheck::classify(text), Outcome::untrustedCertificate);
    }
};

QTEST_MAIN(TestServerCheck)
#include "tst_servercheck.moc"

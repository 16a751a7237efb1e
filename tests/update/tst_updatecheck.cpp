#include "BrandTestMain.h"
#include "TestStore.h"
#include "core/CalculatorStore.h"
#include "core/Settings.h"
#include "ui/buttons/BrandCheckBox.h"
#include "update/HttpTestServer.h"
#include "ui/update/UpdateAvailableStrip.h"
#include "update/UpdateCheck.h"
#include "ui/update/UpdateSettings.h"

#include <QAbstractButton>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkProxy>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <arpa/inet.h>
#include <csignal>
#include <atomic>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace brolga;
using namespace std::chrono_literals;

namespace {
const QDateTime now = QDateTime(QDate(2025, 3, 10), QTime(9, 0), Qt::UTC);
constexpr int hour = 3600;
} // namespace

// The process's peak resident memory since the last reset, in bytes; -1 where /proc cannot tell.
qint64 statusField(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong() * 1024;
    return -1;
}
qint64 peakMemory() { return statusField("VmHWM:"); }
// Sets the peak back to the present resident size and returns it.
qint64 resetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
        return -1;
    clear.close();
    return statusField("VmRSS:");
}

// Answers one request with `head`, then sends `repeat` over and over until the client goes or stop().
// Its own thread and blocking sends: it pushes as fast as the client takes, as a hostile server would.
class FloodServer {
public:
    FloodServer(QByteArray head, QByteArray repeat) : head_(std::move(head)), repeat_(std::move(repeat))
    {
        ::signal(SIGPIPE, SIG_IGN); // a send to a client that left fails instead of ending the test
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listener_, reinterpret_cast<sockaddr *>(&address), sizeof address);
        ::listen(listener_, 1);
        socklen_t length = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr *>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~FloodServer() { stop(); }

    quint16 port() const { return port_; }
    qint64 sent() const { return sent_; }
    void stop()
    {
        stopping_ = true;
        ::shutdown(listener_, SHUT_RDWR);
        if (const int c = client_.load(); c >= 0)
            ::shutdown(c, SHUT_RDWR);
        if (thread_.joinable())
            thread_.join();
        ::close(listener_);
    }

private:
    void serve()
    {
        const int c = ::accept(listener_, nullptr, nullptr);
        if (c < 0)
            return;
        client_ = c;
        QByteArray request;
        char buffer[4096];
        while (!request.contains("\r\n\r\n")) {
            const ssize_t n = ::recv(c, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            request.append(buffer, n);
        }
        if (::send(c, head_.constData(), size_t(head_.size()), 0) >= 0)
            while (!stopping_) {
                const ssize_t n = ::send(c, repeat_.constData(), size_t(repeat_.size()), 0);
                if (n <= 0)
                    break;
                sent_ += n;
            }
        client_ = -1;
        ::close(c);
    }

    QByteArray head_;
    QByteArray repeat_;
    int listener_ = -1;
    quint16 port_ = 0;
    std::atomic<int> client_{-1};
    std::atomic<bool> stopping_{false};
    std::atomic<qint64> sent_{0};
    std::thread thread_;
};

class TestUpdateCheck : public QObject {
    Q_OBJECT

    static std::unique_ptr<UpdateCheck> checkAgainst(const HttpTestServer &server, const QDateTime &at = now)
    {
        auto check = std::make_unique<UpdateCheck>();
        check->setEndpoint(QUrl(QString::fromLatin1(server.url())));
        check->setTimeout(300ms);
        check->setClock([at] { return at; });
        return check;
    }

    // Runs one check to its end (or until it is clear that none went out).
    static void run(UpdateCheck &check, std::optional<bool> enabled = true)
    {
        QSignalSpy finished(&check, &UpdateCheck::checkFinished);
        check.checkIfDue(enabled);
        if (check.isChecking())
            QVERIFY(finished.wait(3000));
        QTest::qWait(50); // lets a connection that should not exist show up at the server
    }

    static std::optional<QDateTime> lastCheck() { return Settings().updateLastCheck(); }

    static QAbstractButton *button(const QWidget &parent, const QString &textOrTip)
    {
        for (QAbstractButton *b : parent.findChildren<QAbstractButton *>())
            if (b->text() == textOrTip || b->toolTip() == textOrTip)
                return b;
        return nullptr;
    }
    static void click(const QWidget &parent, const QString &textOrTip)
    {
        QAbstractButton *b = button(parent, textOrTip);
        QVERIFY2(b, qPrintable(textOrTip));
        QTest::mouseClick(b, Qt::LeftButton);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        QCoreApplication::setApplicationVersion(QStringLiteral("1.4"));
    }
    void init() { teststore::isolateSettings(); }

    void consentAndThrottle_data()
    {
        QTest::addColumn<std::optional<bool>>("enabled");
        QTest::addColumn<int>("hoursAgo"); // -1: never checked
        QTest::addColumn<int>("requests");
        QTest::newRow("not asked yet, never checked") << std::optional<bool>() << -1 << 0;
        QTest::newRow("declined, checked long ago") << std::optional<bool>(false) << 100 << 0;
        QTest::newRow("on, never checked") << std::optional<bool>(true) << -1 << 1;
        QTest::newRow("on, 23 hours ago") << std::optional<bool>(true) << 23 << 0;
        QTest::newRow("on, exactly 24 hours ago") << std::optional<bool>(true) << 24 << 1;
        QTest::newRow("on, stamp an hour ahead") << std::optional<bool>(true) << -2 << 0;
    }
    void consentAndThrottle()
    {
        QFETCH(std::optional<bool>, enabled);
        QFETCH(int, hoursAgo);
        QFETCH(int, requests);
        if (hoursAgo == -2)
            Settings().setUpdateLastCheck(now.addSecs(hour));
        else if (hoursAgo >= 0)
            Settings().setUpdateLastCheck(now.addSecs(-hoursAgo * hour));

        HttpTestServer server;
        auto check = checkAgainst(server);
        run(*check, enabled);
        QCOMPARE(server.connections, requests);
        QCOMPARE(server.requests.size(), requests);
        if (requests)
            QCOMPARE(lastCheck(), now);
    }

    void requestCarriesOnlyVersionAndSystem()
    {
        Settings().setUpdateLastCheck(now.addSecs(-25 * hour));
        HttpTestServer server;
        auto check = checkAgainst(server);
        run(*check);
        QCOMPARE(server.requests.size(), 1);
        const HttpTestServer::Request &request = server.requests.first();
        QCOMPARE(request.method, QByteArray("POST"));
        QCOMPARE(request.path, QByteArray("/app/check"));
        QCOMPARE(request.headers.value("content-type"), QByteArray("application/json"));
        const QJsonObject body = QJsonDocument::fromJson(request.body).object();
        QCOMPARE(body.keys(), QStringList({QStringLiteral("app"), QStringLiteral("os")}));
        QCOMPARE(body.value(QStringLiteral("app")).toString(), QStringLiteral("1.4"));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d+\\.\\d+$")).match(body.value(QStringLiteral("os")).toString()).hasMatch());
    }

    void failuresLeaveNothingBehind_data()
    {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<QString>("server"); // how the server behaves apart from its response
        const QByteArray newer = R"({"version":"9.0"})";
        const QByteArray huge = "{\"version\":\"9.0\",\"notes_en\":\"" + QByteArray(70 * 1024, 'x') + "\"}";
        QTest::newRow("500") << HttpTestServer::answer(500, newer) << "";
        QTest::newRow("no version") << HttpTestServer::answer(200, R"({"published":"2025-03-01"})") << "";
        QTest::newRow("version not text") << HttpTestServer::answer(200, R"({"version":9})") << "";
        QTest::newRow("notes not text") << HttpTestServer::answer(200, R"({"version":"9.0","notes_en":[]})") << "";
        QTest::newRow("not JSON") << HttpTestServer::answer(200, "<html>9.0</html>") << "";
        QTest::newRow("over 64 KiB, declared") << HttpTestServer::answer(200, huge) << "";
        QTest::newRow("over 64 KiB, undeclared") << HttpTestServer::answer(200, huge, false) << "";
        QTest::newRow("never answers") << QByteArray() << "silent";
        QTest::newRow("refused") << QByteArray() << "refused";
        QTest::newRow("redirect to another port") << QByteArray() << "redirect";
        QTest::newRow("redirect to https") << QByteArray() << "redirect-https";
        const QByteArray longHeader = "X: " + QByteArray(17000, 'x') + "\r\n";
        QTest::newRow("head over 16 KiB") << HttpTestServer::answer(200, newer, true, longHeader) << "";
        // The version is shown and compared: digits and dots only, at most 32 characters.
        const auto version = [](const QByteArray &v) { return HttpTestServer::answer(200, "{\"version\":\"" + v + "\"}"); };
        QTest::newRow("version of 60 KB") << version(QByteArray(60 * 1024, 'W')) << "";
        QTest::newRow("version with a line break") << version("9.0\\n") << "";
        QTest::newRow("version with a right-to-left override") << version("9.0\\u202e") << "";
        QTest::newRow("version with letters") << version("v9.0") << "";
        QTest::newRow("version of 33 characters") << version("9" + QByteArray(".0").repeated(16)) << "";
        QTest::newRow("version with an empty part") << version("9..0") << "";
    }
    void failuresLeaveNothingBehind()
    {
        QFETCH(QByteArray, response);
        QFETCH(QString, server);

        HttpTestServer http;
        HttpTestServer elsewhere;
        elsewhere.response = HttpTestServer::answer(200, R"({"version":"9.0"})");
        http.response = response;
        http.silent = server == QLatin1String("silent");
        if (server.startsWith(QLatin1String("redirect"))) {
            const QByteArray target = server == QLatin1String("redirect")
                                          ? elsewhere.url()
                                          : "https://127.0.0.1:" + QByteArray::number(http.port()) + "/app/check";
            http.response = HttpTestServer::answer(307, {}, true, "Location: " + target + "\r\n");
        }
        auto check = checkAgainst(http);
        if (server == QLatin1String("refused")) {
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
            check->setEndpoint(QUrl(QStringLiteral("http://127.0.0.1:%1/app/check").arg(closed.serverPort())));
        }
        QSignalSpy changes(check.get(), &UpdateCheck::availableChanged);
        run(*check);

        QVERIFY(!check->available());
        QCOMPARE(changes.count(), 0);
        QVERIFY(!lastCheck());
        QCOMPARE(elsewhere.connections, 0);
        if (server.startsWith(QLatin1String("redirect")))
            QCOMPARE(http.connections, 1);
    }

    // However the answer is framed, the same release comes through.
    void answersInEveryFraming_data()
    {
        QTest::addColumn<QByteArray>("response");
        const QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n";
        QTest::newRow("length") << HttpTestServer::answer(200, R"({"version":"9.0"})");
        QTest::newRow("until close") << HttpTestServer::answer(200, R"({"version":"9.0"})", false);
        QTest::newRow("chunked, with an extension and a trailer")
            << head + "Transfer-Encoding: chunked\r\n\r\n5;x=y\r\n{\"ver\r\nc\r\nsion\":\"9.0\"}\r\n0\r\nX-T: 1\r\n\r\n";
        QTest::newRow("after two 100 Continue")
            << "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 100 Continue\r\n\r\n" + HttpTestServer::answer(200, R"({"version":"9.0"})");
    }
    void answersInEveryFraming()
    {
        QFETCH(QByteArray, response);
        HttpTestServer server;
        server.response = response;
        auto check = checkAgainst(server);
        run(*check);
        QVERIFY(check->available());
        QCOMPARE(check->available()->version, QStringLiteral("9.0"));
    }

    // A server that never stops sending (an endless chunked body, or "100 Continue" over and over) is cut
    // off at the time-out with the process's memory bounded whatever it sends.
    void hostileServerKeepsMemoryBounded_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QByteArray>("repeat");
        QTest::newRow("endless chunked body")
            << QByteArray("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nTransfer-Encoding: chunked\r\n\r\n")
            << "10000\r\n" + QByteArray(0x10000, 'W') + "\r\n";
        QTest::newRow("100 Continue flood") << QByteArray() << QByteArray("HTTP/1.1 100 Continue\r\n\r\n").repeated(2048);
        // Added to the one byte before it, this size overflows a signed sum that would then pass the cap.
        QTest::newRow("chunk size of 2^63 - 1")
            << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1\r\n{\r\n7fffffffffffffff\r\n")
            << QByteArray(0x10000, 'W');
    }
    void hostileServerKeepsMemoryBounded()
    {
        QFETCH(QByteArray, head);
        QFETCH(QByteArray, repeat);
        FloodServer server(head, repeat);
        UpdateCheck check;
        check.setEndpoint(QUrl(QStringLiteral("http://127.0.0.1:%1/app/check").arg(server.port())));
        check.setTimeout(3000ms);
        check.setClock([] { return now; });

        const qint64 start = resetPeakMemory();
        QSignalSpy finished(&check, &UpdateCheck::checkFinished);
        check.checkIfDue(true);
        QVERIFY(finished.wait(10000));
        const qint64 peak = peakMemory();
        server.stop();
        QVERIFY(server.sent() > 0);
        QVERIFY(!check.available());
        QVERIFY(!lastCheck());
        if (start >= 0)
            QVERIFY2(peak - start < 64 * 1024 * 1024,
                     qPrintable(QStringLiteral("%1 MB over the start, %2 MB sent").arg((peak - start) >> 20).arg(server.sent() >> 20)));
    }

    void offersOnlyNewerVersionsNotHidden_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("hidden");
        QTest::addColumn<bool>("offered");
        QTest::newRow("1.4.0 while running 1.4") << "1.4.0" << "" << false;
        QTest::newRow("1.10 over 1.4") << "1.10" << "" << true;
        QTest::newRow("hidden") << "1.5" << "1.5" << false;
        QTest::newRow("hidden is matched exactly") << "1.5.0" << "1.5" << true;
        QTest::newRow("other one hidden") << "1.6" << "1.5" << true;
        QTest::newRow("32 characters, the longest") << "10.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0"
                                                    << "" << true;
    }
    void offersOnlyNewerVersionsNotHidden()
    {
        QFETCH(QString, version);
        QFETCH(QString, hidden);
        QFETCH(bool, offered);
        if (!hidden.isEmpty())
            Settings().setUpdateDismissedVersion(hidden);
        HttpTestServer server;
        server.response = HttpTestServer::answer(
            200, QStringLiteral(R"({"version":"%1","published":null,"download":"x"})").arg(version).toUtf8());
        auto check = checkAgainst(server);
        run(*check);

        QCOMPARE(lastCheck(), now); // every decodable answer counts, offered or not
        QCOMPARE(check->available().has_value(), offered);
        if (offered) {
            QCOMPARE(check->available()->version, version);
            QVERIFY(!check->available()->published);
            QCOMPARE(check->available()->download, QStringLiteral("x"));
        }
    }

    void dismissHidesUntilANewerVersion()
    {
        HttpTestServer server;
        server.response = HttpTestServer::answer(200, R"({"version":"1.5"})");
        auto check = checkAgainst(server);
        QSignalSpy changes(check.get(), &UpdateCheck::availableChanged);
        run(*check);
        QCOMPARE(check->available()->version, QStringLiteral("1.5"));

        check->dismiss();
        QVERIFY(!check->available());
        QCOMPARE(Settings().updateDismissedVersion(), QStringLiteral("1.5"));
        QCOMPARE(changes.count(), 2);

        check->setClock([] { return now.addSecs(25 * hour); });
        run(*check);
        QVERIFY(!check->available());

        server.response = HttpTestServer::answer(200, R"({"version":"1.6"})");
        check->setClock([] { return now.addSecs(50 * hour); });
        run(*check);
        QCOMPARE(check->available()->version, QStringLiteral("1.6"));
        QCOMPARE(changes.count(), 3);

        // The same answer again is no change.
        check->setClock([] { return now.addSecs(75 * hour); });
        run(*check);
        QCOMPARE(server.requests.size(), 4);
        QCOMPARE(changes.count(), 3);
    }

    void oneRequestAtATimeAndSafeTeardown()
    {
        HttpTestServer server;
        server.silent = true;
        auto check = checkAgainst(server);
        check->checkIfDue(true);
        check->checkIfDue(true);
        QTRY_COMPARE(server.requests.size(), 1);
        check.reset(); // mid-request
        QTest::qWait(400);
        QCOMPARE(server.connections, 1);
    }

    void unconfiguredServiceSendsNothing()
    {
        UpdateCheck check;
        QVERIFY(check.endpoint().host().endsWith(QLatin1String(".invalid")));
        QCOMPARE(check.endpoint().scheme(), QStringLiteral("https"));
        QCOMPARE(check.endpoint().path(), QStringLiteral("/app/check"));
        check.checkIfDue(true);
        QVERIFY(!check.isChecking());
    }

    void isNewer_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("newer");
        QTest::newRow("1.10 over 1.9") << "1.10" << "1.9" << true;
        QTest::newRow("1.2 = 1.2.0") << "1.2" << "1.2.0" << false;
        QTest::newRow("2.0-beta reads as 2") << "2.0-beta" << "2" << false;
        QTest::newRow("2.0-beta over 1.9") << "2.0-beta" << "1.9" << true;
        QTest::newRow("anything over 0") << "0.0.1" << "0" << true;
        QTest::newRow("double dot") << "1..3" << "1.2" << true;
        QTest::newRow("signs") << "+2" << "-1" << true;
        QTest::newRow("space is not a number") << " 3" << "1" << false;
        QTest::newRow("overflow counts 0") << "99999999999999999999" << "1" << false;
    }
    void isNewer()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QTEST(UpdateCheck::isNewer(a, b), "newer");
    }

    void delayedCheck_data()
    {
        QTest::addColumn<QString>("interruption");
        QTest::addColumn<int>("requests");
        QTest::newRow("runs") << "" << 1;
        QTest::newRow("consent given while waiting") << "agree" << 1;
        QTest::newRow("declined while waiting") << "decline" << 0;
        QTest::newRow("cancelled") << "cancel" << 0;
        QTest::newRow("check gone") << "delete check" << 0;
        QTest::newRow("store gone") << "delete store" << 0;
    }
    void delayedCheck()
    {
        QFETCH(QString, interruption);
        QFETCH(int, requests);
        HttpTestServer server;
        auto check = checkAgainst(server);
        check->setCheckDelay(200ms);
        auto store = std::make_unique<CalculatorStore>();
        if (interruption != QLatin1String("agree"))
            store->edit([](CalculatorState &s) { s.updateChecksEnabled = true; });
        check->scheduleCheck(store.get());
        QTest::qWait(50);
        if (interruption == QLatin1String("agree"))
            store->edit([](CalculatorState &s) { s.updateChecksEnabled = true; });
        else if (interruption == QLatin1String("decline"))
            store->edit([](CalculatorState &s) { s.updateChecksEnabled = false; });
        else if (interruption == QLatin1String("cancel"))
            check->cancelScheduledCheck();
        else if (interruption == QLatin1String("delete check"))
            check.reset();
        else if (interruption == QLatin1String("delete store"))
            store.reset();
        QTest::qWait(500);
        QCOMPARE(server.connections, requests);
    }

    void availableStripRoutesItsButtons()
    {
        int views = 0;
        int dismissals = 0;
        UpdateAvailableStrip strip(QStringLiteral("1.6"), [&] { ++views; }, [&] { ++dismissals; });
        strip.show();
        QCOMPARE(strip.message(), QStringLiteral("Version 1.6 is available"));
        click(strip, QStringLiteral("View"));
        QCOMPARE(views, 1);
        QCOMPARE(dismissals, 0);
        click(strip, QStringLiteral("Hide until the next version"));
        QCOMPARE(dismissals, 1);
    }

    void settingsCheckBoxFollowsTheRecord()
    {
        CalculatorStore store;
        QList<QUrl> opened;
        UpdateSettings settings(store, nullptr, [&](const QUrl &url) { opened.append(url); });
        settings.show();
        QVERIFY(!settings.checkBox()->isChecked()); // not asked yet reads as off

        QTest::mouseClick(settings.checkBox(), Qt::LeftButton);
        QCOMPARE(store.state().updateChecksEnabled, std::optional<bool>(true));
        QVERIFY(store.hasPendingSave());
        QTest::mouseClick(settings.checkBox(), Qt::LeftButton);
        QCOMPARE(store.state().updateChecksEnabled, std::optional<bool>(false));

        store.edit([](CalculatorState &s) { s.updateChecksEnabled = true; });
        QVERIFY(settings.checkBox()->isChecked());

        click(settings, QStringLiteral("Read the privacy note"));
        QCOMPARE(opened, QList<QUrl>{UpdateCheck::privacyPage()});
    }
};

BROLGA_TEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"

#include "BrandTestMain.h"
#include "TestStore.h"
#include "brand/LetterheadBand.h"
#include "brand/Theme.h"
#include "brand/ThemePalette.h"
#include "core/CalculatorStore.h"
#include "core/ClientBook.h"
#include "core/BookEngine.h"
#include "core/ClientInputs.h"
#include "core/ServerAddress.h"
#include "core/StateJson.h"
#include "export/TextExporter.h"
#include "platform/Keychain.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QBuffer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTest>

#include <cstdlib>
#include <sys/stat.h>

using namespace brolga;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

CalculatorState sampleRecord()
{
    CalculatorState s;
    s.brokerName = QStringLiteral("Ana Silva");
    s.activeTab = CalculatorTab::capacity;
    s.grossIncome = 180000;
    s.state = AUState::qld;
    return s;
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT

    QTemporaryDir home;

    // The tool in a fresh user profile: its saved record lives under `home`, never the tester's.
    Run run(const QStringList &arguments, const QByteArray &input = {})
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(BROLGA_REPORT_PATH), arguments);
        if (!p.waitForStarted())
            return {};
        p.write(input);
        p.closeWriteChannel();
        p.waitForFinished(30000);
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
                p.readAllStandardError()};
    }

    // A client book with a client of its own, and two that share a name.
    QString makeBook()
    {
        const QString path = home.filePath(QStringLiteral("book/Clients.sqlite"));
        if (QFileInfo::exists(path))
            return path;
        QDir().mkpath(QFileInfo(path).path());
        ClientBook book(path);
        QDateTime clock(QDate(2026, 11, 2), QTime(1, 30), QTimeZone::utc());
        book.setClock([&clock] { return clock; });
        CalculatorState anna;
        anna.loanAmount = 812000;
        anna.grossIncome = 199000;
        anna.brokerName = QStringLiteral("Not the broker");
        book.setReportTabs(book.create(QStringLiteral("Anna Lee"), anna)->id, QStringLiteral("upfront"));
        clock = clock.addDays(1);
        book.create(QStringLiteral("Kim Ng"), {});
        clock = clock.addDays(1);
        book.create(QStringLiteral("kim ng"), {});
        return path;
    }

    QString savedRecordFile() const { return home.filePath(QStringLiteral("config/Saltbush/Brolga.json")); }

    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = home.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return {};
        f.write(bytes);
        return path;
    }

    // What the app would copy for these tabs today. The date line follows the clock, so a run that straddles
    // midnight may print either day.
    static QList<QByteArray> expected(const CalculatorState &record, const std::vector<CalculatorTab> &tabs)
    {
        CalculatorStore store;
        store.setState(record);
        QList<QByteArray> out;
        for (const QDate day : {QDate::currentDate(), QDate::currentDate().addDays(1)}) {
            const QDateTime now(day, QTime(12, 0));
            store.setClock([now] { return now; });
            QStringList texts;
            for (CalculatorTab tab : tabs)
                texts << TextExporter::summary(store, tab, now);
            out << (texts.join(QStringLiteral("\n\n")) + u'\n').toUtf8();
        }
        return out;
    }

  private Q_SLOTS:
    void initTestCase()
    {
        teststore::isolateSettings();
        QVERIFY(home.isValid());
        QVERIFY(QFile::exists(QStringLiteral(BROLGA_REPORT_PATH)));
        QVERIFY(QFile::exists(QStringLiteral(BROLGA_APP_PATH)));
    }

    // Both programs answer --help and --version, and turn down what they do not know, before they open a
    // display or read a record: here there is no display to open (one would abort the program) and the home
    // stays empty.
    void commandLineManners_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out"); // the start of standard output
        QTest::addColumn<QByteArray>("err"); // the first line of standard error
        const QString app = QStringLiteral(BROLGA_APP_PATH);
        const QString report = QStringLiteral(BROLGA_REPORT_PATH);
        const QByteArray version = "brolga " BROLGA_VERSION "\n";
        QTest::newRow("help") << app << QStringList{"--help"} << 0 << QByteArray("Usage: brolga ") << QByteArray();
        QTest::newRow("-h") << app << QStringList{"-h"} << 0 << QByteArray("Usage: brolga ") << QByteArray();
        QTest::newRow("version") << app << QStringList{"--version"} << 0 << version << QByteArray();
        QTest::newRow("-v at login") << app << QStringList{"--autostart", "-v"} << 0 << version << QByteArray();
        QTest::newRow("after Qt's options")
            << app << QStringList{"-platform", "xcb", "--style=fusion", "-reverse", "--version"} << 0 << version
            << QByteArray();
        QTest::newRow("version before a mistake")
            << app << QStringList{"--version", "--bogus"} << 0 << version << QByteArray();
        QTest::newRow("unknown option") << app << QStringList{"--bogus"} << 2 << QByteArray()
                                        << QByteArray("brolga: unknown option '--bogus'\n");
        QTest::newRow("mistake before help") << app << QStringList{"--verison", "--help"} << 2 << QByteArray()
                                             << QByteArray("brolga: unknown option '--verison'\n");
        QTest::newRow("value on a flag") << app << QStringList{"--help=all"} << 2 << QByteArray()
                                         << QByteArray("brolga: unknown option '--help=all'\n");
        QTest::newRow("a file") << app << QStringList{"figures.txt"} << 2 << QByteArray()
                                << QByteArray("brolga: unexpected argument 'figures.txt'\n");
        QTest::newRow("Qt option without its value") << app << QStringList{"-style"} << 2 << QByteArray()
                                                     << QByteArray("brolga: option '-style' needs a value\n");
        QTest::newRow("report version") << report << QStringList{"--version"} << 0
                                        << QByteArray("brolga-report " BROLGA_VERSION "\n") << QByteArray();
        QTest::newRow("report -v with a bad tab") << report << QStringList{"-v", "--tab", "nope"} << 0
                                                  << QByteArray("brolga-report " BROLGA_VERSION "\n") << QByteArray();
    }

    void commandLineManners()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        QTemporaryDir emptyHome;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), emptyHome.path());
        env.remove(QStringLiteral("XDG_CONFIG_HOME"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        p.setProcessEnvironment(env);
        p.start(program, args);
        QVERIFY(p.waitForFinished(30000));
        const QByteArray gotOut = p.readAllStandardOutput();
        const QByteArray gotErr = p.readAllStandardError();
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), status);
        QVERIFY2(gotOut.startsWith(out) && (!out.isEmpty() || gotOut.isEmpty()), gotOut.constData());
        if (err.isEmpty()) {
            QCOMPARE(gotErr, QByteArray());
        } else {
            QCOMPARE(gotErr.left(gotErr.indexOf('\n') + 1), err);
            QVERIFY2(gotErr.contains("\nUsage: brolga "), gotErr.constData()); // the usage follows the one line
        }
        if (out.startsWith("Usage"))
            QVERIFY(gotOut.contains("--autostart") && gotOut.contains("--version"));
        QCOMPARE(QDir(emptyHome.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
    }

    void recordFromFileOrStandardInput_data()
    {
        QTest::addColumn<bool>("fromStdin");
        QTest::addColumn<QString>("tab");
        QTest::addColumn<std::vector<CalculatorTab>>("tabs");
        QTest::newRow("file, the record's own tab") << false << QString() << std::vector{CalculatorTab::capacity};
        QTest::newRow("stdin, one tab") << true << QStringLiteral("upfront") << std::vector{CalculatorTab::upfront};
        QTest::newRow("file, all tabs") << false << QStringLiteral("all")
                                        << std::vector{CalculatorTab::repayment, CalculatorTab::capacity,
                                                       CalculatorTab::income, CalculatorTab::upfront};
    }

    void recordFromFileOrStandardInput()
    {
        QFETCH(bool, fromStdin);
        QFETCH(QString, tab);
        QFETCH(std::vector<CalculatorTab>, tabs);
        const QByteArray bytes = StateJson::encode(sampleRecord());
        QStringList args{QStringLiteral("--state"),
                         fromStdin ? QStringLiteral("-") : writeFile(QStringLiteral("record.json"), bytes)};
        if (!tab.isEmpty())
            args << QStringLiteral("--tab") << tab;
        args << QStringLiteral("--text");

        const Run r = run(args, fromStdin ? bytes : QByteArray());
        QCOMPARE(r.err, QByteArray());
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(expected(sampleRecord(), tabs).contains(r.out), r.out.constData());
    }

    void badInputFailsWithOneLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("says");
        const auto bad = [](const char *name, const QStringList &args, const QByteArray &input = {},
                            const QByteArray &says = {}) { QTest::newRow(name) << args << input << says; };
        const QStringList card{"--card", "income", "--out", "x.png"};
        bad("missing file", {"--state", "no-such-record.json", "--text"});
        bad("folder", {"--state", ".", "--text"});
        bad("JSON array", {"--state", "@[{\"loanAmount\": 1}]", "--text"}, {}, "not an object");
        bad("JSON syntax error", {"--state", "@{\"loanAmount\": 5", "--text"}, {}, "is not valid JSON");
        bad("record over 4 MiB", {"--state", "*big", "--text"}, {}, "too large");
        bad("logo PNG with a broken checksum", card + QStringList{"--logo", "*broken.png"}, {}, "could not be read");
        bad("card into a FIFO", {"--card", "income", "--out", "*fifo"}, {}, "not a regular file");
        bad("screen into a device", {"--screen", "income", "--out", "/dev/null"}, {}, "not a regular file");
        bad("empty file", {"--state", "@", "--text"});
        bad("not JSON on stdin", {"--state", "-", "--text"}, "loanAmount=1");
        bad("unknown tab", {"--tab", "summary", "--text"}, {}, "use repayment, capacity, income, upfront or all.");
        bad("unknown option", {"--txt"});
        bad("no output asked for", {"--tab", "income"});
        bad("unknown card", {"--card", "all", "--out", "x.png"});
        bad("card without --out", {"--card", "income"});
        bad("--out without a card", {"--text", "--out", "x.png"});
        bad("unknown theme", card + QStringList{"--theme", "Slate"});
        bad("card into a folder", {"--card", "income", "--out", "."});
        bad("card into a missing folder", {"--card", "income", "--out", "/nonexistent-brolga/x.png"});
        bad("logo not a PNG", card + QStringList{"--logo", "@GIF89a"});
        bad("missing logo", card + QStringList{"--logo", "nope.png"});
        bad("card and screen", card + QStringList{"--screen", "income"});
        bad("calendar and screen", {"--calendar", "--screen", "income", "--out", "x.png"});
        bad("calendar without --out", {"--calendar"});
        bad("dark without a screen", card + QStringList{"--dark"});
        bad("unknown screen", {"--screen", "settings", "--out", "x.png"});
        bad("list with text", {"--list", "--text"}, {}, "--list goes alone");
        bad("list with a report", {"--list", "--pdf", "x.pdf"}, {}, "--list goes alone");
        bad("client and state", {"--client", "Anna Lee", "--state", "x.json", "--text"}, {}, "not both");
        bad("book without list or client", {"--clients", "*book", "--text"}, {}, "--clients goes with");
        bad("client without a name", {"--client", " ", "--text"}, {}, "needs a client's name");
        bad("unknown client", {"--clients", "*book", "--client", "Anna", "--text"}, {}, "no client named \"Anna\"");
        bad("two clients of that name", {"--clients", "*book", "--client", "KIM NG", "--text"}, {},
            "2 clients are named");
        bad("no book there", {"--clients", "no-book.sqlite", "--list"}, {}, "no client book at");
        bad("book not a database", {"--clients", "@not a book", "--list"}, {}, "could not be read");
        bad("the user's book, none yet", {"--client", "Anna Lee", "--text"}, {}, "no client book at");
        bad("unknown tab in --tabs", {"--pdf", "x.pdf", "--tabs", "repayment,summary"}, {}, "\"summary\"");
        bad("--tabs without --pdf", {"--text", "--tabs", "income"});
        bad("--prepared-for without --pdf", {"--text", "--prepared-for", "Jane"});
        bad("PDF into a FIFO", {"--pdf", "*fifo"}, {}, "not a regular file");
        bad("PDF into a missing folder", {"--pdf", "/nonexistent-brolga/x.pdf"}, {}, "cannot write");
        bad("card over an earlier one", {"--card", "income", "--out", "*taken.png"}, {}, "taken (2).png\")");
        bad("PDF over an earlier one", {"--pdf", "*taken.pdf"}, {}, "it exists (give --overwrite");
        bad("--overwrite with text", {"--text", "--overwrite"});
    }

    void badInputFailsWithOneLine()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, says);
        // "@..." stands for a file holding the rest as its bytes; "*..." for a file made here.
        const QString fifo = home.filePath(QStringLiteral("fifo"));
        for (QString &a : args)
            if (a == u"*book") {
                a = makeBook();
            } else if (a.startsWith(u'@')) {
                a = writeFile(QStringLiteral("bad.json"), a.mid(1).toUtf8());
            } else if (a == u".") {
                a = home.path();
            } else if (a == u"*big") {
                a = writeFile(QStringLiteral("big.json"), "{" + QByteArray(5 * 1024 * 1024, ' ') + "}");
            } else if (a == u"*broken.png") {
                QImage image(300, 300, QImage::Format_RGB32);
                image.fill(Qt::red);
                QByteArray bytes;
                QBuffer buffer(&bytes);
                buffer.open(QIODevice::WriteOnly);
                image.save(&buffer, "PNG");
                bytes[bytes.indexOf("IDAT") + 12] ^= 0x55; // libpng says so on its own line, unless kept quiet
                a = writeFile(QStringLiteral("broken.png"), bytes);
            } else if (a.startsWith(u"*taken")) {
                a = writeFile(a.mid(1), "earlier");
            } else if (a == u"*fifo") {
                QFile::remove(fifo);
                QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
                a = fifo;
            }
        const Run r = run(args, input);
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.out, QByteArray());
        QVERIFY2(r.err.startsWith("brolga-report: "), r.err.constData());
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY(r.err.endsWith('\n'));
        QVERIFY2(r.err.contains(says), r.err.constData());
        if (args.contains(fifo)) // neither replaced by a file nor opened
            QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
        for (const QString &a : args)
            if (QFileInfo(a).fileName().startsWith(u"taken"))
                QCOMPARE(QFileInfo(a).size(), 7); // "earlier", as it was
    }

    QImage cardImage(const QStringList &extra)
    {
        const QString out = home.filePath(QStringLiteral("card.png"));
        QFile::remove(out);
        const Run r = run(QStringList{"--state", writeFile(QStringLiteral("record.json"), StateJson::encode(sampleRecord())),
                                      "--out", out} +
                          extra);
        if (r.exitCode != 0 || !r.out.isEmpty() || !r.err.isEmpty())
            qWarning("exit %d: %s", r.exitCode, r.err.constData());
        return QImage(out, "PNG");
    }

    static bool near(const QColor &a, const QColor &b)
    {
        return std::abs(a.red() - b.red()) <= 3 && std::abs(a.green() - b.green()) <= 3 &&
               std::abs(a.blue() - b.blue()) <= 3;
    }

    // A screen is the window's column at scale 2, in the appearance asked for.
    void screens()
    {
        const QImage light = cardImage({QStringLiteral("--screen"), QStringLiteral("income")});
        QCOMPARE(light.width(), 940);
        QVERIFY(light.height() > 1000);
        QVERIFY(near(light.pixelColor(2, 2), QColor::fromRgb(Theme::house().paper)));
        const QImage dark = cardImage({"--screen", "repayment", "--dark", "--theme", "slate"});
        QVERIFY(near(dark.pixelColor(2, 2), QColor::fromRgb(Theme::named("slate").dark)));
    }

    // The date field's calendar: the theme's navy month bar over the field colour of the appearance.
    void calendar()
    {
        for (bool dark : {false, true}) {
            const QImage image = cardImage(dark ? QStringList{"--calendar", "--dark"} : QStringList{"--calendar"});
            QVERIFY(!image.isNull());
            QCOMPARE(image.width(), 2 * 240);
            const QColor field = QColor::fromRgb(dark ? Theme::house().fieldDark : Theme::house().paper);
            QVERIFY(near(image.pixelColor(image.width() / 2, image.height() - 6), field));
            QVERIFY(near(image.pixelColor(image.width() / 2, 2 * 10 + 2), QColor::fromRgb(Theme::house().dark)));
        }
    }

    void cardThemeAndLogo()
    {
        // The header's gradient starts at the top left in the band's light end for the theme.
        for (const Theme &theme : Theme::all()) {
            const QImage card = cardImage({"--card", "upfront", "--theme", theme.id});
            QCOMPARE(card.width(), 1280);
            QVERIFY(!card.hasAlphaChannel());
            QVERIFY2(near(card.pixelColor(0, 0),
                          LetterheadBand::lightEnd(ThemePalette::make(theme, Appearance::light))),
                     qPrintable(theme.id));
        }

        QImage logo(300, 120, QImage::Format_RGB32);
        logo.fill(QColor(0xE0, 0x10, 0x20));
        const QString logoFile = home.filePath(QStringLiteral("logo.png"));
        QVERIFY(logo.save(logoFile));
        const QImage withLogo = cardImage({"--card", "repayment", "--logo", logoFile});
        QCOMPARE(withLogo.pixelColor(1280 - 44 - 60, 90), QColor(0xE0, 0x10, 0x20));

        // The app's import rules hold: a logo under 200 pixels on its long edge is refused.
        QVERIFY(logo.copy(0, 0, 199, 120).save(logoFile));
        const Run small = run({"--card", "repayment", "--out", home.filePath("small.png"), "--logo", logoFile});
        QCOMPARE(small.exitCode, 2);
        QVERIFY2(small.err.contains("too small"), small.err.constData());
        QVERIFY(!QFile::exists(home.filePath("small.png")));
    }

    // --list names every client, latest change first; --client reports one client's figures over the user's
    // identity, prepared for the client, as the app would with the client open. The book is never written.
    void clientBook()
    {
        const QString book = makeBook();
        const QStringList filesBefore = QDir(QFileInfo(book).path()).entryList(QDir::Files);
        const QByteArray bytesBefore = [&] {
            QFile f(book);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();

        const Run listed = run({"--clients", book, "--list"});
        QCOMPARE(listed.exitCode, 0);
        QCOMPARE(listed.err, QByteArray());
        const auto local = [](int day) {
            return QDateTime(QDate(2026, 11, day), QTime(1, 30), QTimeZone::utc())
                .toLocalTime()
                .toString(QStringLiteral("yyyy-MM-dd HH:mm"))
                .toUtf8();
        };
        QCOMPARE(listed.out, "kim ng\t" + local(4) + "\nKim Ng\t" + local(3) + "\nAnna Lee\t" + local(2) + "\n");

        // A deleted client is in no list; a name Brolga would never write (a line break, a terminal escape) is
        // listed on one line.
        {
            const QString odd = home.filePath(QStringLiteral("odd/Clients.sqlite"));
            QDir().mkpath(QFileInfo(odd).path());
            ClientBook oddBook(odd);
            QDateTime clock(QDate(2026, 11, 2), QTime(1, 30), QTimeZone::utc());
            oddBook.setClock([&clock] { return clock; });
            oddBook.remove(oddBook.create(QStringLiteral("Gone"), {})->id);
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
            db.setDatabaseName(odd);
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("INSERT INTO clients (name, inputs, created, changed) VALUES "
                                                      "('Odd' || char(10) || 'Name' || char(27) || '[2J', '{}', 0, "
                                                      "1793583000000)")));
            QCOMPARE(run({"--clients", odd, "--list"}).out, "Odd\\nName\\u001b[2J\t" + local(2) + "\n");
            QVERIFY(run({"--clients", odd, "--client", "Gone", "--text"}).err.contains("no client named"));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("raw"));

        Settings(savedRecordFile()).setStoredState(StateJson::encode(sampleRecord()));
        const Run text = run({"--clients", book, "--client", "  anna lee ", "--tab", "capacity", "--text"});
        QCOMPARE(text.exitCode, 0);
        CalculatorState expectedRecord = sampleRecord();
        CalculatorState anna;
        anna.loanAmount = 812000;
        anna.grossIncome = 199000;
        ClientInputs::apply(anna, expectedRecord);
        CalculatorStore store;
        store.setState(expectedRecord);
        store.setClientName(QStringLiteral("Anna Lee"));
        QString want;
        for (const QDate day : {QDate::currentDate(), QDate::currentDate().addDays(1)})
            if (want.isEmpty() || text.out != want.toUtf8())
                want = TextExporter::summary(store, CalculatorTab::capacity, QDateTime(day, QTime(12, 0))) + u'\n';
        QCOMPARE(QString::fromUtf8(text.out), want);
        QVERIFY(text.out.contains("Ana Silva"));
        QVERIFY(!text.out.contains("Not the broker"));

        const QString out = home.filePath(QStringLiteral("client-card.png"));
        for (const char *kind : {"--card", "--screen"}) {
            QFile::remove(out);
            const Run picture = run({"--clients", book, "--client", "Anna Lee", kind, "repayment", "--out", out});
            QCOMPARE(picture.exitCode, 0);
            QVERIFY(QImage(out, "PNG").width() > 0);
        }
        // The PDF report is prepared for the client, unless another name is given.
        const QString pdf = home.filePath(QStringLiteral("client.pdf"));
        for (const auto &[extra, title] :
             {std::pair{QStringList{}, QStringLiteral("prepared for Anna Lee")},
              std::pair{QStringList{"--prepared-for", "The Lees"}, QStringLiteral("prepared for The Lees")}}) {
            // The second run replaces the first's report only because it is told to.
            const Run report =
                run(QStringList{"--clients", book, "--client", "Anna Lee", "--pdf", pdf, "--overwrite"} + extra);
            QCOMPARE(report.exitCode, 0);
            QProcess info;
            info.start(QStringLiteral("pdfinfo"), {pdf});
            QVERIFY(info.waitForFinished(30000));
            const QString shown = QString::fromUtf8(info.readAllStandardOutput());
            QVERIFY2(shown.contains(QStringLiteral("Title:")) && shown.section(u'\n', 0, 0).endsWith(title),
                     qPrintable(shown));
        }
        // The tabs last chosen for the client, as the window ticks them.
        QProcess extract;
        extract.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(extract.waitForFinished(30000));
        const QString pages = QString::fromUtf8(extract.readAllStandardOutput());
        QVERIFY(pages.contains(QStringLiteral("Purchase costs estimate")));
        QVERIFY(!pages.contains(QStringLiteral("Loan repayment estimate")));

        QCOMPARE(QDir(QFileInfo(book).path()).entryList(QDir::Files), filesBefore);
        QFile f(book);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), bytesBefore);
    }

    // The client report of the tabs asked for, or of the tabs worked on; fewer tabs, fewer pages.
    // An office's book on its server is read through the broker's own role, the password from PGPASSWORD; the SQL
    // that sets one up is printed on request, or applied to a server by its owner.
    void officeBook()
    {
        QVERIFY(run({"--init-server"}).out.contains("ENABLE ROW LEVEL SECURITY"));

        const QString state = qEnvironmentVariable("BROLGA_TEST_SERVER");
        if (state.isEmpty())
            QSKIP("needs the test server (CTest's tools/tst_report)");
        QFile url(state + QStringLiteral("/url"));
        QVERIFY2(url.open(QIODevice::ReadOnly), "the test server is not running (tests/pgserver.sh)");
        const auto admin = ServerAddress::fromUrl(QString::fromUtf8(url.readAll().trimmed()));
        const QString alice = QStringLiteral("postgresql://alice@%1:%2/tst_report").arg(admin->host).arg(admin->port);
        QVERIFY(ClientBook(QString(alice).replace(QStringLiteral("alice@"), QStringLiteral("alice:brolga-test@")))
                    .create(QStringLiteral("Anna Lee"), {}));
        QVERIFY(run({"--clients", alice, "--list"}).err.contains("could not be opened"));
        qputenv("PGPASSWORD", "brolga-test");
        const Run listed = run({"--clients", alice, "--list"});
        qunsetenv("PGPASSWORD");
        QCOMPARE(listed.exitCode, 0);
        QVERIFY2(listed.out.startsWith("Anna Lee\t"), listed.out.constData());
        // Under tests/keyring-session.sh: the password the settings keep in the keychain for that address.
        if (qEnvironmentVariableIsSet("BROLGA_TEST_KEYRING")) {
            QVERIFY(Keychain::setPassword(alice, QStringLiteral("brolga-test")));
            const Run fromKeychain = run({"--clients", alice, "--list"});
            QVERIFY2(fromKeychain.out.startsWith("Anna Lee\t"), fromKeychain.err.constData());
        }

        // Applied to an empty database by its owner: the book is made once; one from a newer Brolga is refused.
        const auto asOwner = [&](const QString &database, const QString &sql) {
            bool ok = false;
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("owner"));
                BookEngine::setServer(db, *admin);
                db.setDatabaseName(database);
                ok = db.open() && QSqlQuery(db).exec(sql);
            }
            QSqlDatabase::removeDatabase(QStringLiteral("owner"));
            return ok;
        };
        asOwner(QStringLiteral("postgres"), QStringLiteral("DROP DATABASE IF EXISTS tst_init"));
        QVERIFY(asOwner(QStringLiteral("postgres"), QStringLiteral("CREATE DATABASE tst_init")));
        const QString owner =
            QStringLiteral("postgresql://%1@%2:%3/tst_init").arg(admin->user, admin->host).arg(admin->port);
        qputenv("PGPASSWORD", admin->password.toUtf8());
        const Run made = run({"--init-server", owner});
        const Run again = run({"--init-server", owner});
        QVERIFY(asOwner(QStringLiteral("tst_init"), QStringLiteral("UPDATE brolga_book SET version = 99")));
        const Run newer = run({"--init-server", owner});
        qunsetenv("PGPASSWORD");
        QVERIFY2(made.exitCode == 0 && made.out.contains("is set up"), made.err.constData());
        QVERIFY2(again.exitCode == 0 && again.out.contains("already set up"), again.err.constData());
        QVERIFY(newer.exitCode != 0 && newer.err.contains("newer Brolga"));
        QVERIFY(ClientBook(QString(alice)
                               .replace(QStringLiteral("alice@"), QStringLiteral("alice:brolga-test@"))
                               .replace(QStringLiteral("/tst_report"), QStringLiteral("/tst_init")))
                    .statusMessage()
                    .contains(QStringLiteral("newer version")));
    }

    void pdfReport()
    {
        const QString record = writeFile(QStringLiteral("record.json"), StateJson::encode(sampleRecord()));
        const QString out = home.filePath(QStringLiteral("report.pdf"));
        auto pages = [&](const QStringList &extra) {
            QFile::remove(out);
            const Run r = run(QStringList{"--state", record, "--pdf", out} + extra);
            [&] {
                QCOMPARE(r.exitCode, 0);
                QCOMPARE(r.out + r.err, QByteArray());
            }();
            QFile file(out);
            if (!file.open(QIODevice::ReadOnly))
                return -1;
            const QByteArray bytes = file.readAll();
            [&] {
                QVERIFY(bytes.startsWith("%PDF-"));
                QVERIFY(bytes.trimmed().endsWith("%%EOF"));
            }();
            return int(bytes.count("/Type /Page\n"));
        };
        const int all = pages({"--prepared-for", "Jane Citizen", "--theme", "slate", "--tabs", "all"});
        const int one = pages({"--tabs", "capacity"});
        QVERIFY2(all > one && one >= 1, qPrintable(QStringLiteral("%1 and %2 pages").arg(all).arg(one)));
        // Without --tabs, the tabs the window would tick: the record's Capacity and Upfront, never Repayment.
        QCOMPARE(pages({}), one + 1);
    }

    void readsTheSavedRecordAndNeverWritesIt()
    {
        QDir(home.path()).removeRecursively();
        QDir().mkpath(home.path());
        {
            const Run r = run({QStringLiteral("--text")});
            QCOMPARE(r.exitCode, 0);
            QVERIFY(expected(CalculatorState{}, {CalculatorTab::repayment}).contains(r.out));
        }
        QVERIFY(!QFile::exists(savedRecordFile()));

        Settings(savedRecordFile()).setStoredState(StateJson::encode(sampleRecord()));
        QFile file(savedRecordFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();

        const Run saved = run({QStringLiteral("--text")});
        QCOMPARE(saved.exitCode, 0);
        QVERIFY2(expected(sampleRecord(), {CalculatorTab::capacity}).contains(saved.out), saved.out.constData());

        CalculatorState other;
        other.brokerName = QStringLiteral("Someone Else");
        const Run fromFile =
            run({QStringLiteral("--state"), QStringLiteral("-"), QStringLiteral("--text")}, StateJson::encode(other));
        QCOMPARE(fromFile.exitCode, 0);
        QVERIFY(fromFile.out.contains("Someone Else"));

        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    // A saved record the app would recover from is reported, in one line, and left as it is.
    void unreadableSavedRecordIsReported_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("record not an object") << QByteArray(R"({"Brolga.state.v1": "[]"})");
        QTest::newRow("cut short") << QByteArray(R"({"Brolga.state.v1": {"brokerName": "Ana")");
        QTest::newRow("over 4 MiB") << "{" + QByteArray(5 * 1024 * 1024, ' ') + "}";
    }
    void unreadableSavedRecordIsReported()
    {
        QFETCH(QByteArray, file);
        QDir().mkpath(QFileInfo(savedRecordFile()).absolutePath());
        QFile f(savedRecordFile());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(file);
        f.close();
        const Run r = run({QStringLiteral("--text")});
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.out, QByteArray());
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY2(r.err.contains("the saved record cannot be read"), r.err.constData());
        QCOMPARE(QFileInfo(savedRecordFile()).size(), file.size());
    }
};

BROLGA_TEST_MAIN(TestReport)
#include "tst_report.moc"

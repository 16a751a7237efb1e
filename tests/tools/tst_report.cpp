#include "core/CalculatorStore.h"
#include "core/StateCodec.h"
#include "export/TextExporter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

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

    QString savedRecordFile() const { return home.filePath(QStringLiteral("config/Saltbush/Brolga.conf")); }

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
        QStandardPaths::setTestModeEnabled(true);
        QSettings(QStringLiteral("Saltbush"), QStringLiteral("Brolga")).clear();
        QVERIFY(home.isValid());
        QVERIFY(QFile::exists(QStringLiteral(BROLGA_REPORT_PATH)));
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
        const QByteArray bytes = StateCodec::encode(sampleRecord());
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
        QTest::newRow("missing file") << QStringList{"--state", "no-such-record.json", "--text"} << QByteArray();
        QTest::newRow("folder") << QStringList{"--state", ".", "--text"} << QByteArray();
        QTest::newRow("JSON array") << QStringList{"--state", "@[{\"loanAmount\": 1}]", "--text"} << QByteArray();
        QTest::newRow("empty file") << QStringList{"--state", "@", "--text"} << QByteArray();
        QTest::newRow("not JSON on stdin") << QStringList{"--state", "-", "--text"} << QByteArray("loanAmount=1");
        QTest::newRow("unknown tab") << QStringList{"--tab", "summary", "--text"} << QByteArray();
        QTest::newRow("unknown option") << QStringList{"--txt"} << QByteArray();
        QTest::newRow("no output asked for") << QStringList{"--tab", "income"} << QByteArray();
    }

    void badInputFailsWithOneLine()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        // "@..." stands for a file holding the rest as its bytes.
        for (QString &a : args)
            if (a.startsWith(u'@'))
                a = writeFile(QStringLiteral("bad.json"), a.mid(1).toUtf8());
            else if (a == u".")
                a = home.path();
        const Run r = run(args, input);
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.out, QByteArray());
        QVERIFY2(r.err.startsWith("brolga-report: "), r.err.constData());
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY(r.err.endsWith('\n'));
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

        {
            QSettings saved(savedRecordFile(), QSettings::IniFormat);
            saved.setValue(QStringLiteral("Brolga.state.v1"), StateCodec::encode(sampleRecord()));
        }
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
            run({QStringLiteral("--state"), QStringLiteral("-"), QStringLiteral("--text")}, StateCodec::encode(other));
        QCOMPARE(fromFile.exitCode, 0);
        QVERIFY(fromFile.out.contains("Someone Else"));

        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    void unreadableSavedRecordIsReported()
    {
        {
            QSettings saved(savedRecordFile(), QSettings::IniFormat);
            saved.setValue(QStringLiteral("Brolga.state.v1"), QByteArray("[]"));
        }
        const Run r = run({QStringLiteral("--text")});
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.out, QByteArray());
        QCOMPARE(r.err.count('\n'), 1);
    }

    void help()
    {
        const Run r = run({QStringLiteral("--help")});
        QCOMPARE(r.exitCode, 0);
        for (const char *option : {"--state", "--tab", "--text", "repayment", "all"})
            QVERIFY2(r.out.contains(option), option);
    }
};

QTEST_MAIN(TestReport)
#include "tst_report.moc"

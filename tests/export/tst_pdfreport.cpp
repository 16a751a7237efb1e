// The client report as a reader's tools see the file: the text a PDF viewer extracts, its fonts, its pages and
// its metadata, read back with poppler's command-line tools.

#include "BrandTestMain.h"
#include "IdentityCases.h"
#include "TestStore.h"
#include "brand/Theme.h"
#include "core/CalculatorStore.h"
#include "core/SafeFile.h"
#include "export/card/SnapshotExporter.h"
#include "export/report/ChartScale.h"
#include "export/report/PdfInfo.h"
#include "export/report/ReportContent.h"
#include "export/report/ReportDocument.h"
#include "export/report/ReportExporter.h"
#include "export/report/ReportTabs.h"
#include "platform/FileDialogs.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <limits>
#include <memory>

using namespace brolga;

namespace {

const QDateTime fixedNow(QDate(2026, 12, 5), QTime(9, 30));
constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
using Edit = std::function<void(CalculatorState &)>;
const std::vector<CalculatorTab> allTabs{CalculatorTab::repayment, CalculatorTab::capacity, CalculatorTab::income,
                                         CalculatorTab::upfront};

struct Run {
    int exitCode = -1;
    QString out;
};

Run tool(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput())};
}

// Runs of white space as one space: a wrapped label comes back from the file on two lines.
QString squeezed(const QString &text)
{
    return text.simplified();
}

} // namespace

class TestPdfReport : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<CalculatorStore> store;

    void setRecord(const Edit &edit)
    {
        CalculatorState s;
        if (edit)
            edit(s);
        store->setState(s);
    }

    // The report of the store as it is, written to a file; the document kept for its layout.
    QString write(const std::vector<CalculatorTab> &tabs, std::unique_ptr<ReportDocument> *kept = nullptr,
                  const std::optional<QString> &preparedFor = std::nullopt)
    {
        auto doc = std::make_unique<ReportDocument>(ReportContent::from(*store, tabs, preparedFor), Theme::house(),
                                                    std::nullopt);
        const QString path = dir->filePath(QStringLiteral("report.pdf"));
        const QString error = doc->save(path);
        [&] { QVERIFY2(error.isEmpty(), qPrintable(error)); }();
        if (kept)
            *kept = std::move(doc);
        return path;
    }

    QString text(const QString &pdf, const QStringList &options = {QStringLiteral("-raw")})
    {
        const Run run = tool(QStringLiteral("pdftotext"), options + QStringList{pdf, QStringLiteral("-")});
        [&] { QCOMPARE(run.exitCode, 0); }();
        return run.out;
    }

    QMap<QString, QString> info(const QString &pdf)
    {
        QMap<QString, QString> fields;
        for (const QString &line : tool(QStringLiteral("pdfinfo"), {pdf}).out.split(u'\n')) {
            const qsizetype colon = line.indexOf(u':');
            if (colon > 0)
                fields.insert(line.left(colon), line.mid(colon + 1).trimmed());
        }
        return fields;
    }

    // No word of the file lies outside its page, and none in the strip the footer keeps.
    void allWordsOnThePage(const QString &path)
    {
        const QString boxes = text(path, {QStringLiteral("-bbox")});
        static const QRegularExpression word(
            QStringLiteral("<word xMin=\"([-0-9.]+)\" yMin=\"([-0-9.]+)\" xMax=\"([-0-9.]+)\" yMax=\"([-0-9.]+)\""));
        const QSizeF page = ReportDocument::pageSize();
        int words = 0;
        for (auto it = word.globalMatch(boxes); it.hasNext(); ++words) {
            const auto m = it.next();
            QVERIFY2(m.captured(1).toDouble() >= 0 && m.captured(3).toDouble() <= page.width() &&
                         m.captured(2).toDouble() >= 0 && m.captured(4).toDouble() <= page.height(),
                     qPrintable(m.captured(0)));
            // Above the foot of the text area (58 points up), or the footer's own line below it.
            const double bottom = m.captured(4).toDouble(), top = m.captured(2).toDouble();
            QVERIFY2(bottom <= page.height() - 57 || top >= page.height() - 37, qPrintable(m.captured(0)));
        }
        QVERIFY(words > 100);
    }

  private Q_SLOTS:
    void initTestCase()
    {
        teststore::isolateSettings();
        for (const char *program : {"pdftotext", "pdffonts", "pdfinfo"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
                QSKIP("poppler-utils is not installed (scripts/install-deps installs it)");
    }

    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        store = std::make_unique<CalculatorStore>();
        store->setClock([] { return fixedNow; });
        SafeFile::setSpaceLeftForTesting(std::nullopt);
    }

    void cleanup()
    {
        SafeFile::setSpaceLeftForTesting(std::nullopt);
        FileDialogs::setSaveHandler({});
        SnapshotExporter::setDesktopFolder(std::nullopt);
    }

    // Worked figures of each tab read back from the file, the identity over them, the interest-only period
    // with the repayment after it, and a lender's fees with the warning that goes with a comparison rate.
    void figuresReadBackFromTheFile()
    {
        setRecord([](CalculatorState &s) {
            s.brokerName = QStringLiteral("Zoë Ng");
            s.brokerCompany = QStringLiteral("Saltbush Lending");
            s.brokerLicence = QStringLiteral("CRN 512345");
            s.loanAmount = 600000;
            s.interestRate = 6;
            s.repaymentType = RepaymentType::interestOnly;
            s.ioYears = 5;
            s.feesEnabled = true;
            s.establishmentFee = 600;
            s.state = AUState::nsw;
            s.buyerType = BuyerType::ownerOccupier;
            s.depositAmount = 80000;
        });
        const QString pdf = squeezed(text(write(allTabs)));
        for (const char *row : {"Zoë Ng · Saltbush Lending", "CRN 512345", "Monthly repayment $3,000.00",
                                "Interest only for 5 years, then $3,865.81", "Transfer duty payable $30,412",
                                "LMI (incl. duty on premium) $15,806", "Comparison rate 6.01%",
                                "WARNING: This comparison rate is true only for the examples given",
                                "include only the lender fees entered"})
            QVERIFY2(pdf.contains(QString::fromUtf8(row)), row);
    }

    // Figures a hand-edited record can hold: the screens show "—" for what is not finite, and so must the
    // report, without a crash or an endless page.
    void hostileFiguresStayOnThePage()
    {
        setRecord([](CalculatorState &s) {
            s.loanAmount = 1e308;
            s.offsetAmount = inf;
            s.extraRepayment = notANumber;
            s.isCompareMode = true;
            s.compareRate = notANumber;
            s.grossIncome = 1e308;
            s.monthlyOtherDebts = notANumber;
            s.payRate = 1e300;
            s.purchasePrice = 1e308;
            s.depositAmount = -inf;
            s.legalFees = notANumber;
        });
        const QString path = write(allTabs);
        QVERIFY(text(path).contains(u'\u2014'));
        allWordsOnThePage(path);
    }

    void fontsAreEmbedded()
    {
        setRecord({});
        const Run run = tool(QStringLiteral("pdffonts"), {write(allTabs)});
        QCOMPARE(run.exitCode, 0);
        QStringList rows = run.out.split(u'\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!rows.isEmpty());
        QStringList faces;
        for (const QString &row : std::as_const(rows)) {
            const QStringList columns = row.split(u' ', Qt::SkipEmptyParts);
            // name, type (one or two words), encoding, emb, sub, uni, object, generation
            QVERIFY2(columns.size() >= 7, qPrintable(row));
            QVERIFY2(columns[columns.size() - 5] == u"yes", qPrintable(QStringLiteral("not embedded: ") + row));
            QVERIFY2(columns[columns.size() - 3] == u"yes", qPrintable(QStringLiteral("no Unicode map: ") + row));
            faces << columns.front();
        }
        QVERIFY2(faces.filter(QStringLiteral("Inter")).size() >= 2, qPrintable(faces.join(u' ')));
        QVERIFY2(!faces.filter(QStringLiteral("PlayfairDisplay")).isEmpty(), qPrintable(faces.join(u' ')));
    }

    void metadata()
    {
        setRecord([](CalculatorState &s) {
            s.brokerName = QStringLiteral("Zoë O'Brien (Ng)");
            s.brokerCompany = QStringLiteral("Saltbush Lending");
        });
        const QString path = write(allTabs, nullptr, QStringLiteral("Jane Citizen"));
        const auto fields = info(path);
        QCOMPARE(fields.value(QStringLiteral("Title")),
                 QStringLiteral("Home loan estimates \u2014 prepared for Jane Citizen"));
        QCOMPARE(fields.value(QStringLiteral("Author")), QStringLiteral("Zoë O'Brien (Ng)"));
        QCOMPARE(fields.value(QStringLiteral("Creator")), QStringLiteral("Brolga " BROLGA_VERSION));
        QVERIFY2(fields.value(QStringLiteral("Page size")).contains(QStringLiteral("(A4)")),
                 qPrintable(fields.value(QStringLiteral("Page size"))));
        // The author entry moved every object after it: the file still reads without complaint.
        const Run check = tool(QStringLiteral("pdfinfo"), {QStringLiteral("-meta"), path});
        QCOMPARE(check.exitCode, 0);
        QVERIFY(text(path).contains(QStringLiteral("Prepared for Jane Citizen")));

        // No broker named: no author entry, and bytes not laid out as Qt writes them are left alone.
        setRecord({});
        QVERIFY(info(write(allTabs)).value(QStringLiteral("Author")).isEmpty());
        const QByteArray notPdf("1 0 obj\n<<\n/Title (x)\n>>\nendobj\n");
        QCOMPARE(PdfInfo::withAuthor(notPdf, QStringLiteral("A")), notPdf);
    }

    // Every text on every page, and "Page N of M" at the foot of each.
    void pagesOfALongWeeklyLoan()
    {
        setRecord([](CalculatorState &s) {
            s.loanTermYears = 50;
            s.frequency = PaymentFrequency::weekly;
            s.isCompareMode = true;
        });
        QCOMPARE(store->scenario()->schedule.size(), std::size_t(2600));
        std::unique_ptr<ReportDocument> doc;
        const QString path = write(allTabs, &doc);
        QCOMPARE(doc->pageCount(), 5);
        QCOMPARE(info(path).value(QStringLiteral("Pages")), QStringLiteral("5"));
        // 2,600 weeks are 50 years: 50 rows, the table's header again on the page it continues on.
        QCOMPARE(doc->tableRows(), 50);
        const QString all = text(path);
        QVERIFY(all.contains(QStringLiteral("Loan repayment estimate page 1\nBorrowing capacity estimate page 3\n"
                                            "Income assessment page 4\nPurchase costs estimate page 4\n")));
        QCOMPARE(all.count(QStringLiteral("Year by year (continued)")), 1);
        for (int page = 1; page <= 5; ++page) {
            const QString one = text(path, {QStringLiteral("-raw"), QStringLiteral("-f"), QString::number(page),
                                            QStringLiteral("-l"), QString::number(page)});
            QVERIFY2(one.contains(QStringLiteral("Page %1 of 5").arg(page)), qPrintable(one.right(200)));
            QVERIFY(one.contains(QStringLiteral("5 Dec 2026")));
        }
        QVERIFY(QRegularExpression(QStringLiteral("\\n50 \\$")).match(all).hasMatch());
        QVERIFY(!QRegularExpression(QStringLiteral("\\n51 \\$")).match(all).hasMatch());
    }

    void pagesKeepThingsTogether_data()
    {
        QTest::addColumn<double>("years");
        QTest::addColumn<bool>("longNames");
        for (int years = 5; years <= 50; years += 3)
            QTest::addRow("%d years%s", years, years % 2 ? ", long names" : "") << double(years) << bool(years % 2);
    }
    // Wherever the pages break, a heading never ends a page, a page never starts with a section's last row
    // alone, its notes or the totals, and the disclaimer never stands alone.
    void pagesKeepThingsTogether()
    {
        QFETCH(double, years);
        QFETCH(bool, longNames);
        setRecord([&](CalculatorState &s) {
            s.loanTermYears = years;
            s.frequency = PaymentFrequency::weekly;
            s.isCompareMode = true;
            s.extraRepayment = 40;
            if (longNames) {
                s.brokerName = QStringLiteral("Alexandra Catherine Fitzgerald-Whitmore");
                s.brokerCompany = QStringLiteral("Harbour Finance and Mortgage Solutions of New South Wales");
                s.brokerEmail = QStringLiteral("alexandra.fitzgerald-whitmore@harbour-finance-solutions.com.au");
                s.brokerLicence = QStringLiteral("Credit Representative 512345 of ACL 389328");
            }
        });
        const ReportDocument doc(ReportContent::from(*store, allTabs, longNames ? QStringLiteral("Jane Citizen ")
                                                                                      .repeated(6)
                                                                                : QString()),
                                 Theme::house(), std::nullopt);
        for (std::size_t page = 0; page < doc.outline().size(); ++page) {
            const QStringList &blocks = doc.outline()[page];
            const QString seen = QStringLiteral("page %1: %2").arg(page + 1).arg(blocks.join(u' '));
            QVERIFY2(!blocks.isEmpty() && blocks.last() != u"heading" && blocks.last() != u"table", qPrintable(seen));
            if (page == 0)
                continue;
            QVERIFY2(blocks.first() != u"note" && blocks.first() != u"totals" && blocks.first() != u"disclaimer",
                     qPrintable(seen));
            QVERIFY2(blocks.first() != u"row" || blocks.value(1) == u"row", qPrintable(seen));
        }
    }

    // A name in a script that joins is shaped as on the card, and comes back from the file in the order it was
    // written (as presentation forms, which a reader's search folds to the letters); an emoji is drawn by the
    // symbol font the package depends on, not left out.
    void shapedNames()
    {
        setRecord({});
        const QString name = QStringLiteral("\u0645\u062D\u0645\u062F \u0627\u0644\u0639\u0644\u064A");
        const QString path = write({CalculatorTab::repayment}, nullptr, name + QStringLiteral(" \U0001F3E1"));
        const QString first = text(path, {QStringLiteral("-l"), QStringLiteral("1")});
        QVERIFY(first.contains(QChar(0xFEA4))); // hah joined on both sides
        static const QRegularExpression bidiMarks(QStringLiteral("[\u202A-\u202E]"));
        QVERIFY(first.normalized(QString::NormalizationForm_KC)
                    .remove(bidiMarks)
                    .contains(QStringLiteral("Prepared for ") + name));
        QVERIFY(tool(QStringLiteral("pdffonts"), {path}).out.contains(QStringLiteral("Symbola")));
    }

    // The balance chart's axis in round steps, the top at or above the largest figure.
    void roundChartSteps_data()
    {
        QTest::addColumn<double>("largest");
        QTest::addColumn<double>("step");
        QTest::addColumn<int>("steps");
        QTest::newRow("$650k, once $162k quarters") << 650000.0 << 200000.0 << 4;
        QTest::newRow("$845k") << 845000.0 << 200000.0 << 5;
        QTest::newRow("$1.2m") << 1200000.0 << 250000.0 << 5;
        QTest::newRow("$2,600") << 2600.0 << 1000.0 << 3;
        QTest::newRow("$90") << 90.0 << 20.0 << 5;
        QTest::newRow("nothing") << 0.0 << 1.0 << 1;
        QTest::newRow("not a number") << notANumber << 1.0 << 1;
    }
    void roundChartSteps()
    {
        QFETCH(double, largest);
        QFETCH(double, step);
        QFETCH(int, steps);
        const ChartScale scale = ChartScale::of(largest);
        QCOMPARE(scale.step, step);
        QCOMPARE(scale.steps, steps);
    }

    // A loan with a fixed portion is named by both its rates over the chart and the table, never as one loan at
    // the variable rate; beside a comparison the longer names wrap rather than run off the page.
    void splitLoanNamedByBothRates_data()
    {
        QTest::addColumn<double>("fixedAmount");
        QTest::addColumn<double>("fixedYears");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("compareLabel");
        QTest::newRow("part") << 300000.0 << 3.0 << "At 6.09% with $300,000 at 5.79% for 3 years"
                              << "At 6.50% with $300,000 at 5.79% for 3 years";
        QTest::newRow("whole") << 650000.0 << 3.0 << "At 5.79% for 3 years, then 6.09%"
                               << "At 5.79% for 3 years, then 6.50%";
        QTest::newRow("whole, whole term") << 650000.0 << 30.0 << "At 5.79%" << "At 5.79%";
        QTest::newRow("none") << 0.0 << 3.0 << "At 6.09%" << "At 6.50%";
    }
    void splitLoanNamedByBothRates()
    {
        QFETCH(double, fixedAmount);
        QFETCH(double, fixedYears);
        setRecord([&](CalculatorState &s) {
            s.loanAmount = 650000;
            s.interestRate = 6.09;
            s.isCompareMode = true;
            s.compareRate = 6.5;
            s.fixedEnabled = true;
            s.fixedAmount = fixedAmount;
            s.fixedYears = fixedYears;
        });
        const ReportContent content = ReportContent::from(*store, {CalculatorTab::repayment});
        QCOMPARE(content.loans.size(), 2u);
        QTEST(content.loans[0].label, "label");
        QTEST(content.loans[1].label, "compareLabel");
        const QString path = write({CalculatorTab::repayment});
        QVERIFY(squeezed(text(path)).contains(QStringLiteral("Interest paid ") + content.loans[1].label.toLower()));
        allWordsOnThePage(path);
    }

    // The year-by-year table has an Extra column only when there are extra repayments.
    void extraColumnOnlyWithExtra()
    {
        setRecord({});
        QVERIFY(!text(write({CalculatorTab::repayment})).contains(QStringLiteral("Extra")));
        setRecord([](CalculatorState &s) { s.extraRepayment = 100; });
        QCOMPARE(text(write({CalculatorTab::repayment})).count(QStringLiteral("Extra")), 2); // the input, the column
    }

    // Tabs come in tab order whatever order they were asked for; a tab with nothing entered is left out and
    // the contents line says so.
    void sectionsAndTheTabsLeftOut()
    {
        setRecord([](CalculatorState &s) { s.loanAmount = 0; });
        const QString pdf =
            squeezed(text(write({CalculatorTab::upfront, CalculatorTab::repayment, CalculatorTab::capacity})));
        QVERIFY(pdf.contains(QStringLiteral("Loan repayment estimate \u2014 not included: no scenario entered.")));
        QCOMPARE(pdf.count(QStringLiteral("Loan repayment estimate")), 1);
        QVERIFY(!pdf.contains(QStringLiteral("Income assessment")));
        QVERIFY(!pdf.contains(QStringLiteral("Year by year")));
        const qsizetype capacity = pdf.lastIndexOf(QStringLiteral("Borrowing capacity estimate"));
        const qsizetype upfront = pdf.lastIndexOf(QStringLiteral("Purchase costs estimate"));
        QVERIFY(capacity > 0 && upfront > capacity);
        QVERIFY(pdf.contains(QStringLiteral("Estimate only. Brolga provides general information")));
    }

    // The tabs a report covers unless the broker says otherwise: the one on show and those changed from their
    // defaults. The rate is the Repayment tab's, though Capacity tests it too.
    void suggestedTabs_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QString>("tabs");
        QTest::newRow("defaults") << Edit() << "repayment";
        QTest::newRow("capacity on show") << Edit([](CalculatorState &s) { s.activeTab = CalculatorTab::capacity; })
                                          << "capacity";
        QTest::newRow("rate") << Edit([](CalculatorState &s) {
            s.activeTab = CalculatorTab::upfront;
            s.interestRate = 5.5;
        }) << "repayment,upfront";
        QTest::newRow("comparison") << Edit([](CalculatorState &s) {
            s.activeTab = CalculatorTab::upfront;
            s.isCompareMode = true;
        }) << "repayment,upfront";
        QTest::newRow("income and price") << Edit([](CalculatorState &s) {
            s.grossIncome = 212000;
            s.payRate = 120000;
            s.purchasePrice = 950000;
        }) << "repayment,capacity,income,upfront";
        QTest::newRow("bonus only") << Edit([](CalculatorState &s) {
            s.activeTab = CalculatorTab::capacity;
            s.bonusThisFY = 5000;
        }) << "capacity,income";
    }
    void suggestedTabs()
    {
        QFETCH(Edit, edit);
        QFETCH(QString, tabs);
        CalculatorState s;
        if (edit)
            edit(s);
        QCOMPARE(ReportTabs::stored(ReportTabs::suggested(s)), tabs);
        QCOMPARE(ReportTabs::stored(ReportTabs::fromStored(QStringLiteral("upfront,nonsense,") + tabs)),
                 tabs.contains(u"upfront") ? tabs : tabs + QStringLiteral(",upfront"));
    }

    void identityOnEveryPage_data() { identitycases::addRows(); }
    // The first page gives every part of the identity, the licence on a line of its own; every page after it
    // names the broker's licence again.
    void identityOnEveryPage()
    {
        QFETCH(identitycases::Edit, identity);
        QFETCH(QStringList, header);
        setRecord(identity);
        std::unique_ptr<ReportDocument> doc;
        const QString path = write(allTabs, &doc);
        QVERIFY(doc->pageCount() > 2);
        // A long address may wrap anywhere: compared without white space.
        static const QRegularExpression space(QStringLiteral("\\s"));
        const QString first =
            text(path, {QStringLiteral("-raw"), QStringLiteral("-l"), QStringLiteral("1")}).remove(space);
        for (const QString &line : header)
            for (const QString &part : line.split(QStringLiteral(" \u00B7 ")))
                QVERIFY2(first.contains(QString(part).remove(space)), qPrintable(part));
        if (const QString licence = store->state().brokerLicence; !licence.isEmpty())
            QCOMPARE(text(path).count(licence), doc->pageCount());
    }

    // Identity fields of absurd length wrap within the header and are cut short with an ellipsis: no word of
    // the report lies outside the page.
    void absurdIdentityStaysOnThePage()
    {
        setRecord([](CalculatorState &s) {
            s.brokerName = QString(3000, u'W');
            s.brokerCompany = QStringLiteral("Saltbush ").repeated(400);
            s.brokerEmail = QStringLiteral("a").repeated(300) + QStringLiteral("@example.com.au");
            s.brokerWebsite = QStringLiteral("https://") + QString(500, u'm') + QStringLiteral(".example");
        });
        std::unique_ptr<ReportDocument> doc;
        const QString path = write(allTabs, &doc, QString(2000, u'J'));
        // The identity and the contact line take three lines at most each, the client's name two.
        QVERIFY2(doc->headerLines().size() <= 8, qPrintable(doc->headerLines().join(u'\n')));
        QVERIFY(doc->headerLines().last().endsWith(u'\u2026'));
        allWordsOnThePage(path);
    }

    // Written whole or not at all: a folder that cannot be written to, or a disk that fills, is reported and
    // leaves neither a partial file nor a temporary behind; the file that was there stays as it was.
    void unwritableTarget()
    {
        setRecord({});
        const ReportDocument doc(ReportContent::from(*store, allTabs), Theme::house(), std::nullopt);

        QFile blocker(dir->filePath(QStringLiteral("not-a-folder")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(!doc.save(dir->filePath(QStringLiteral("not-a-folder/report.pdf"))).isEmpty());

        const QString path = dir->filePath(QStringLiteral("report.pdf"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the report sent last week");
        old.close();
        SafeFile::setSpaceLeftForTesting(4096);
        QCOMPARE(doc.save(path), QString::fromUtf16(SafeFile::diskFull));
        SafeFile::setSpaceLeftForTesting(std::nullopt);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("the report sent last week"));
        old.close();
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{QStringLiteral("not-a-folder"), QStringLiteral("report.pdf")}));

        QVERIFY(doc.save(path).isEmpty());
        QVERIFY(old.open(QIODevice::ReadOnly));
        QVERIFY(old.readAll().startsWith("%PDF-"));
    }

    // The dialog proposes a dated name in the Desktop folder, the answer gets its suffix, and the toast names
    // the file; a cancelled dialog writes and says nothing, and a failed write says why.
    void exportThroughTheSaveDialog()
    {
        setRecord({});
        SnapshotExporter::setDesktopFolder(dir->path());
        QList<FileDialogs::Request> requests;
        std::optional<QString> answer = dir->filePath(QStringLiteral("for the Smiths"));
        FileDialogs::setSaveHandler([&](const FileDialogs::Request &request) {
            requests << request;
            return answer;
        });

        ReportExporter::exportWithPanel(*store, std::nullopt, allTabs);
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests[0].suggestedPath, dir->filePath(QStringLiteral("Brolga-Report-Repayment-2026-12-05.pdf")));
        QCOMPARE(requests[0].filter, QStringLiteral("PDF document (*.pdf)"));
        QCOMPARE(store->toast().value_or(QString()), QStringLiteral("Report saved: for the Smiths.pdf"));
        QFile saved(dir->filePath(QStringLiteral("for the Smiths.pdf")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().startsWith("%PDF-"));

        store->flash(QString());
        answer.reset();
        // The open client names the file; characters a file name cannot hold are left out.
        store->setClientName(QStringLiteral(" Jane/Citizen: <3 "));
        ReportExporter::exportWithPanel(*store, std::nullopt, allTabs);
        QCOMPARE(requests.last().suggestedPath,
                 dir->filePath(QStringLiteral("Brolga-Report-JaneCitizen 3-2026-12-05.pdf")));
        QCOMPARE(store->toast().value_or(QString()), QString());
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("for the Smiths.pdf")});
        // The report itself says whom it was prepared for.
        answer = dir->filePath(QStringLiteral("client.pdf"));
        ReportExporter::exportWithPanel(*store, std::nullopt, allTabs);
        QVERIFY(text(dir->filePath(QStringLiteral("client.pdf"))).contains(QStringLiteral("Prepared for Jane/Citizen: <3")));
        // Once that name is taken, the next report of the day is proposed beside it.
        answer = requests.last().suggestedPath;
        ReportExporter::exportWithPanel(*store, std::nullopt, allTabs);
        ReportExporter::exportWithPanel(*store, std::nullopt, allTabs);
        QCOMPARE(requests.last().suggestedPath,
                 dir->filePath(QStringLiteral("Brolga-Report-JaneCitizen 3-2026-12-05 (2).pdf")));

        answer = dir->filePath(QStringLiteral("no-such-folder/report.pdf"));
        ReportExporter::exportWithPanel(*store, std::nullopt, allTabs);
        QVERIFY2(store->toast().value_or(QString()).startsWith(QStringLiteral("Report not saved: ")),
                 qPrintable(store->toast().value_or(QString())));
    }
};

BROLGA_TEST_MAIN(TestPdfReport)
#include "tst_pdfreport.moc"

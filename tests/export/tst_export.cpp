#include "BrandTestMain.h"
#include "IdentityCases.h"
#include "TestStore.h"
#include "brand/Brand.h"
#include "brand/ThemePalette.h"
#include "core/CalculatorStore.h"
#include "export/TextExporter.h"
#include "export/card/ExportCard.h"
#include "export/card/SnapshotExporter.h"
#include "export/card/TextCopier.h"
#include "platform/FileDialogs.h"
#include "tabs/TabRegistry.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBoundaryFinder>

#include <limits>
#include <memory>

using namespace brolga;

namespace {

// The text summaries are dated at 9:30 and the snapshots at 14:30, both on 5 December 2026.
const QDateTime fixedNow(QDate(2026, 12, 5), QTime(9, 30));
const QDateTime at1430(QDate(2026, 12, 5), QTime(14, 30, 5));
const QString disclaimer =
    QStringLiteral("Estimate only \u2014 general information, not credit assistance or personal financial advice.");
const QString credit = QStringLiteral("Brolga \u00B7 A Saltbush Production");
constexpr double inf = std::numeric_limits<double>::infinity();

int graphemes(const QString &text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int n = 0;
    while (finder.toNextBoundary() != -1)
        ++n;
    return n;
}

// Label and value of a dot-leader row; a plain line gives itself as label and no value.
std::pair<QString, QString> split(const QString &line)
{
    static const QRegularExpression rowPattern(QStringLiteral("^(.*) \\.+ (.*)$"));
    const auto m = rowPattern.match(line);
    return m.hasMatch() ? std::pair{m.captured(1), m.captured(2)} : std::pair{line, QString()};
}

// The lines between the blank line after the date and the blank line before the disclaimer.
QStringList body(const QString &summary)
{
    const QStringList lines = summary.split(u'\n');
    const qsizetype start = lines.indexOf(QString()) + 1;
    return lines.mid(start, lines.size() - start - 3);
}

QImage decoded(const QByteArray &png)
{
    return QImage::fromData(png, "PNG");
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

using Edit = std::function<void(CalculatorState &)>;

QColor ink() { return Brand::rgb(Theme::house().ink); }

QImage solidLogo(const QColor &colour, QSize size = {400, 200})
{
    QImage logo(size, QImage::Format_ARGB32);
    logo.fill(colour);
    return logo;
}

// Pixels of exactly `colour` inside `area` (device pixels).
int count(const QImage &image, const QColor &colour, QRect area = {})
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    area = area.isNull() ? rgb.rect() : area & rgb.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            n += (line[x] & 0xFFFFFF) == (colour.rgb() & 0xFFFFFF);
    }
    return n;
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> desktop;
    std::unique_ptr<CalculatorStore> store;
    QDateTime now = at1430;
    QList<FileDialogs::Request> requests;
    std::optional<QString> answer; // what the save dialog answers

    QString toast() const { return store->toast().value_or(QString()); }
    QStringList desktopFiles() const { return QDir(desktop->path()).entryList(QDir::Files); }

    QString summaryOf(CalculatorTab tab, const Edit &edit)
    {
        CalculatorState s;
        s.activeTab = tab;
        if (edit)
            edit(s);
        store->setState(s);
        const QString text = TextExporter::summary(*store, fixedNow);
        // Every summary, of every tab, stops at the credit with no line feed after it.
        [&] { QVERIFY2(text.endsWith(credit), qPrintable(text.right(40))); }();
        return text;
    }

  private Q_SLOTS:
    void initTestCase()
    {
        teststore::isolateSettings();
        FileDialogs::setSaveHandler([this](const FileDialogs::Request &request) {
            requests << request;
            return answer;
        });
    }

    void cleanupTestCase()
    {
        FileDialogs::setSaveHandler({});
        SnapshotExporter::setDesktopFolder(std::nullopt);
    }

    void init()
    {
        desktop = std::make_unique<QTemporaryDir>();
        QVERIFY(desktop->isValid());
        SnapshotExporter::setDesktopFolder(desktop->path());
        store = std::make_unique<CalculatorStore>();
        now = at1430;
        store->setClock([this] { return now; });
        requests.clear();
        answer.reset();
        QGuiApplication::clipboard()->setText(QStringLiteral("earlier"));
    }

    // The figures as text.

    void row_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("dots");
        QTest::addColumn<int>("width");

        QTest::newRow("worked example") << "Loan amount"
                                        << "$600,000" << 25 << 46;
        QTest::newRow("43 characters: one dot, full width") << QString(30, u'L') << QString(13, u'v') << 1 << 46;
        QTest::newRow("44 characters: still one dot") << QString(30, u'L') << QString(14, u'v') << 1 << 47;
        // An em dash is three bytes in UTF-8 but one character on screen.
        QTest::newRow("figure that is not finite") << "Total interest" << QStringLiteral("\u2014") << 29 << 46;
        QTest::newRow("emoji with modifier") << QStringLiteral("Broker \U0001F44D\U0001F3FD") << "$1" << 34 << 46;
    }

    void row()
    {
        QFETCH(QString, label);
        QFETCH(QString, value);
        QFETCH(int, dots);
        QFETCH(int, width);
        const QString r = TextExporter::row(label, value);
        QCOMPARE(r, label + u' ' + QString(dots, u'.') + u' ' + value);
        QCOMPARE(graphemes(r), width);
    }

    void summaryIdentityLines_data() { identitycases::addRows(); }

    void summaryIdentityLines()
    {
        QFETCH(Edit, identity);
        QFETCH(QStringList, header);
        const QStringList lines = summaryOf(CalculatorTab::capacity, identity).split(u'\n');
        QCOMPARE(lines.first(), QStringLiteral("BORROWING CAPACITY ESTIMATE"));
        QCOMPARE(lines.mid(1, header.size()), header);
        QCOMPARE(lines[header.size() + 1], QStringLiteral("5 Dec 2026"));
        QCOMPARE(lines[header.size() + 2], QString());
    }

    void conditionalRows_data()
    {
        QTest::addColumn<CalculatorTab>("tab");
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QStringList>("rows"); // labels, or "label = value" where the value matters

        const QStringList head{"Loan amount", "Interest rate", "Term", "Repayment type"};
        const QStringList totals{"Total interest", "Total payable"};
        QTest::newRow("weekly: fortnightly then monthly equivalents, own suffixes")
            << CalculatorTab::repayment << Edit([](CalculatorState &s) {
                   s.frequency = PaymentFrequency::weekly;
                   s.interestRate = 0;
                   s.loanAmount = 52000;
                   s.loanTermYears = 1;
               })
            << head +
                   QStringList{"", "Weekly repayment = $1,000.00/wk", "  equivalent fortnightly = $2,000.00/ftn",
                               "  equivalent monthly = $4,333.33/mth"} +
                   totals;
        QTest::newRow("one-year term, interest only") << CalculatorTab::repayment << Edit([](CalculatorState &s) {
            s.loanTermYears = 1.9;
            s.repaymentType = RepaymentType::interestOnly;
        }) << QStringList{"Loan amount", "Interest rate", "Term = 1 year", "Repayment type = Interest Only", "",
                          "Monthly repayment", "  equivalent weekly", "  equivalent fortnightly"} + totals;
        // The interest-only years and the repayment after them; which loan is cheaper, in words.
        QTest::newRow("interest only for 2.5 years, a dearer comparison")
            << CalculatorTab::repayment << Edit([](CalculatorState &s) {
                   s.repaymentType = RepaymentType::interestOnly;
                   s.ioYears = 2.5;
                   s.isCompareMode = true;
                   s.compareRate = 7;
               })
            << QStringList{"Loan amount", "Interest rate", "Term", "Repayment type = Interest Only", "",
                           "Monthly repayment", "  equivalent weekly", "  equivalent fortnightly"} +
                   totals +
                   QStringList{"Interest only for 2 yrs 6 mths, then", "", "Repayment at 7.00%",
                               "At 7.00% you pay more over the term"};
        QTest::newRow("offset and extra, with the saving rows")
            << CalculatorTab::repayment << Edit([](CalculatorState &s) {
                   s.offsetAmount = 50000;
                   s.extraRepayment = 200;
                   s.frequency = PaymentFrequency::fortnightly;
               })
            << head + QStringList{"Offset balance = $50,000", "Extra repayment = $200/ftn", "",
                                  "Fortnightly repayment",    "  equivalent weekly",        "  equivalent monthly"} +
                   totals + QStringList{"Interest saved by extra repayments", "Paid off in"};
        QTest::newRow("no loan") << CalculatorTab::repayment << Edit([](CalculatorState &s) { s.loanAmount = 0; })
                                 << QStringList{"No scenario entered."};

        QTest::newRow("no income") << CalculatorTab::capacity << Edit([](CalculatorState &s) { s.grossIncome = 0; })
                                   << QStringList{"No income entered."};
        // One line for each detail entered; the rate is the floor, and the DTI cap lands on 6.0x.
        QTest::newRow("capacity, applicants in detail")
            << CalculatorTab::capacity << Edit([](CalculatorState &s) {
                   s.applicantType = ApplicantType::couple;
                   s.applicantsInDetail = true;
                   s.applicant1Income = s.applicant2Income = 75000;
                   s.applicant2HasHELP = true;
                   s.rentalIncome = 30000;
                   s.cardLimits = 5000;
                   s.otherLoanBalances = 150000;
                   s.floorRatePercent = 9.5;
               })
            << QStringList{"Gross household income = $150,000", "Applicants", "Dependants", "Other commitments",
                           "Assessment rate = 9.50%", "Tax year", "Applicant 1 income = $75,000",
                           "Applicant 2 income = $75,000", "Rental income (80% counted) = $30,000",
                           "Card limits (3.8% a month) = $5,000", "Other loan balances = $150,000",
                           "HELP debt = Applicant 2", "Floor rate = 9.50%", "", "Indicative maximum loan = $889,000",
                           "Net monthly income = $11,190", "HELP repayments = $250", "Assessed living expenses",
                           "Card commitments = $190", "Monthly surplus = $8,097", "Serviceability limit = $962,910",
                           "DTI limit = $889,000", "DTI at maximum loan = 6.0x", "Binding constraint = DTI cap", "",
                           "DTI 6.0x or more: lenders limit how many such loans they write."};

        const QStringList incomeHead{"Employment", "Occupation preset", "Super rate", "Financial year",
                                     "",           "Base (excl. super)"};
        const QString shadingNote =
            QStringLiteral("Variable income is shaded per common lender treatment; every lender's policy differs.");
        QTest::newRow("income: base only, no HELP, no YTD")
            << CalculatorTab::income << Edit([](CalculatorState &s) { s.quotedIncludesSuper = true; })
            << QStringList{"Employment", "Occupation preset", "Super rate = 12.0% (included in quoted)",
                           "Financial year", "", "Base (excl. super)", "Assessable income", "Net income (monthly)",
                           "", shadingNote};
        QTest::newRow("income: every component, a 0% shade, HELP")
            << CalculatorTab::income << Edit([](CalculatorState &s) {
                   s.overtimeAnnual = 10000;
                   s.otShadePercent = 0;
                   s.bonusThisFY = 10000;
                   s.bonusLastFY = 6000;
                   s.allowancesAnnual = 5000;
                   s.allowShadePercent = 100;
                   s.hasHELP = true;
               })
            << incomeHead + QStringList{"Overtime (0% of $10,000) = $0",
                                        "Bonus (2-yr avg) (80% of $8,000) = $6,400",
                                        "Allowances (100% of $5,000) = $5,000",
                                        "Assessable income = $106,400",
                                        "Net income (monthly)",
                                        "HELP repayment (p.a.)",
                                        "",
                                        shadingNote};

        const QStringList upfrontHead{
            "State", "Purchase price", "Deposit", "Buyer", "Property", "LVR", "", "Cash required at settlement"};
        QTest::newRow("upfront: deposit above the price, so no insurance rows")
            << CalculatorTab::upfront << Edit([](CalculatorState &s) { s.depositAmount = 900000; })
            << upfrontHead + QStringList{"Loan required = $0", "Transfer duty payable", "Registration fees",
                                         "Conveyancing / inspections / other", "", QString()};
    }

    void conditionalRows()
    {
        QFETCH(CalculatorTab, tab);
        QFETCH(Edit, edit);
        QFETCH(QStringList, rows);
        const QStringList lines = body(summaryOf(tab, edit));
        QCOMPARE(lines.size(), rows.size());
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const auto [label, value] = split(lines[i]);
            const qsizetype eq = rows[i].indexOf(QStringLiteral(" = "));
            if (rows[i].isNull())
                continue; // a sentence from the calculations, not ours to word
            QCOMPARE(label, eq < 0 ? rows[i] : rows[i].left(eq));
            if (eq >= 0)
                QCOMPARE(value, rows[i].mid(eq + 3));
            if (!value.isEmpty())
                QCOMPARE(graphemes(lines[i]), std::max(46, graphemes(label) + graphemes(value) + 3));
        }
    }

    // Figures that are not finite, or out of range in a hand-edited record, never crash or print garbage.
    void outOfRangeRecord()
    {
        const QStringList lines = body(summaryOf(CalculatorTab::repayment, [](CalculatorState &s) {
            s.offsetAmount = inf;
            s.loanTermYears = 1e300;
            s.interestRate = 150;
        }));
        QCOMPARE(lines[1], QStringLiteral("Interest rate ........................ 100.00%"));
        QCOMPARE(lines[2], QStringLiteral("Term ................................ 50 years"));
        QCOMPARE(lines[4], QStringLiteral("Offset balance ") + QString(29, u'.') + QStringLiteral(" \u2014"));
        QCOMPARE(graphemes(lines[4]), 46);
        QCOMPARE(lines[4].toUtf8().size(), 48);
    }

    void wholeSummary_data()
    {
        QTest::addColumn<CalculatorTab>("tab");
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("repayment with identity and compare")
            << CalculatorTab::repayment << Edit([](CalculatorState &s) {
                   s.brokerName = "Ana Silva";
                   s.brokerCompany = "Saltbush Home Loans";
                   s.brokerEmail = "ana@example.com";
                   s.brokerPhone = "0400 000 000";
                   s.loanAmount = 600000;
                   s.interestRate = 6;
                   s.isCompareMode = true;
                   s.compareRate = 5.5;
               })
            << QStringList{
                   "LOAN REPAYMENT ESTIMATE",
                   QStringLiteral("Ana Silva \u00B7 Saltbush Home Loans"),
                   QStringLiteral("0400 000 000 \u00B7 ana@example.com"),
                   "5 Dec 2026",
                   "",
                   "Loan amount ......................... $600,000",
                   "Interest rate .......................... 6.00%",
                   "Term ................................ 30 years",
                   "Repayment type ......................... P & I",
                   "",
                   "Monthly repayment .............. $3,597.30/mth",
                   "  equivalent weekly ............... $829.58/wk",
                   "  equivalent fortnightly ....... $1,659.50/ftn",
                   "Total interest ...................... $695,029",
                   "Total payable ..................... $1,295,029",
                   "",
                   "Repayment at 5.50% ............. $3,406.73/mth",
                   "At 5.50% you pay less over the term .. $68,605",
                   "",
                   disclaimer,
                   credit,
               };
        // The worked loan with a lender's fees: 6.18% against 6.09%, $1.2m and more paid back.
        QTest::newRow("repayment with lender fees")
            << CalculatorTab::repayment << Edit([](CalculatorState &s) {
                   s.feesEnabled = true;
                   s.establishmentFee = 600;
                   s.ongoingFee = 395;
                   s.ongoingFeePeriod = FeePeriod::yearly;
                   s.dischargeFee = 350;
               })
            << QStringList{
                   "LOAN REPAYMENT ESTIMATE",
                   "5 Dec 2026",
                   "",
                   "Loan amount ......................... $650,000",
                   "Interest rate .......................... 6.09%",
                   "Term ................................ 30 years",
                   "Repayment type ......................... P & I",
                   "Establishment fee ....................... $600",
                   "Ongoing fee .......................... $395/yr",
                   "Discharge fee ........................... $350",
                   "",
                   "Monthly repayment .............. $3,934.77/mth",
                   "  equivalent weekly ............... $907.40/wk",
                   "  equivalent fortnightly ....... $1,815.18/ftn",
                   "Total interest ...................... $766,517",
                   "Total payable ..................... $1,416,517",
                   "",
                   "Comparison rate ........................ 6.18%",
                   "  for $150,000 over 25 years ........... 6.48%",
                   "Total payable incl. fees .......... $1,429,317",
                   "For every $1 borrowed .................. $2.20",
                   "If rates rise 1% ............... $4,363.83/mth",
                   "If rates rise 2% ............... $4,810.31/mth",
                   "",
                   "WARNING: This comparison rate is true only for the examples given and may not include all fees "
                   "and charges. Different terms, fees or other loan amounts might result in a different comparison "
                   "rate.",
                   "",
                   disclaimer,
                   credit,
               };
        QTest::newRow("repayment with a fixed portion")
            << CalculatorTab::repayment << Edit([](CalculatorState &s) {
                   s.fixedEnabled = true;
                   s.fixedAmount = 260000;
               })
            << QStringList{
                   "LOAN REPAYMENT ESTIMATE",
                   "5 Dec 2026",
                   "",
                   "Loan amount ......................... $650,000",
                   "Interest rate .......................... 6.09%",
                   "Term ................................ 30 years",
                   "Repayment type ......................... P & I",
                   "Fixed amount ........................ $260,000",
                   "Fixed rate ............................. 5.79%",
                   "Fixed for ............................ 3 years",
                   "",
                   "Monthly repayment .............. $3,884.76/mth",
                   "  equivalent weekly ............... $895.87/wk",
                   "  equivalent fortnightly ....... $1,792.11/ftn",
                   "",
                   "Fixed portion .................. $1,523.90/mth",
                   "Variable portion ............... $2,360.86/mth",
                   "Then from year 4 ............... $3,931.35/mth",
                   "Total interest ...................... $763,609",
                   "Total payable ..................... $1,413,609",
                   "",
                   disclaimer,
                   credit,
               };
        QTest::newRow("capacity, couple, serviceability binds")
            << CalculatorTab::capacity << Edit([](CalculatorState &s) {
                   s.brokerCompany = "Saltbush Home Loans";
                   s.applicantType = ApplicantType::couple;
                   s.dependants = 2;
                   s.monthlyOtherDebts = 500;
               })
            << QStringList{
                   "BORROWING CAPACITY ESTIMATE",
                   "Saltbush Home Loans",
                   "5 Dec 2026",
                   "",
                   "Gross household income .............. $140,000",
                   "Applicants ............................ Couple",
                   "Dependants ................................. 2",
                   "Other commitments ................... $500/mth",
                   "Assessment rate ........................ 9.09%",
                   "Tax year ............................. 2026-27",
                   "",
                   "Indicative maximum loan ............. $557,160",
                   "Net monthly income .................... $8,694",
                   "Assessed living expenses .............. $3,675",
                   "Monthly surplus ....................... $4,519",
                   "Serviceability limit ................ $557,160",
                   "DTI limit ........................... $804,000",
                   "Binding constraint ............ Serviceability",
                   "",
                   disclaimer,
                   credit,
               };
        QTest::newRow("income with overtime, HELP and a payslip check")
            << CalculatorTab::income << Edit([](CalculatorState &s) {
                   s.payRate = 120000;
                   s.overtimeAnnual = 10000;
                   s.otShadePercent = 50;
                   s.hasHELP = true;
                   s.ytdGross = 40000;
                   s.ytdPeriodEnd = QDateTime(QDate(2026, 10, 30), QTime(12, 0));
               })
            << QStringList{
                   "INCOME ASSESSMENT",
                   "5 Dec 2026",
                   "",
                   "Employment ......................... Full-time",
                   "Occupation preset ................... Standard",
                   "Super rate .................... 12.0% (on top)",
                   "Financial year ....................... 2026-27",
                   "",
                   "Base (excl. super) .................. $120,000",
                   "Overtime (50% of $10,000) ............. $5,000",
                   "Assessable income ................... $125,000",
                   "Net income (monthly) .................. $7,873",
                   "HELP repayment (p.a.) ................. $8,700",
                   "",
                   "YTD annualised (122 days) ........... $119,754",
                   QStringLiteral(
                       "YTD check: Annualised YTD tracks base within 0.2% \u2014 payslip supports the stated income."),
                   "",
                   "Variable income is shaded per common lender treatment; every lender's policy differs.",
                   "",
                   disclaimer,
                   credit,
               };
        QTest::newRow("upfront with mortgage insurance")
            << CalculatorTab::upfront << Edit([](CalculatorState &s) {
                   s.state = AUState::nsw;
                   s.buyerType = BuyerType::ownerOccupier;
                   s.depositAmount = 80000;
               })
            << QStringList{
                   "PURCHASE COSTS ESTIMATE",
                   "5 Dec 2026",
                   "",
                   "State .................................... NSW",
                   "Purchase price ...................... $800,000",
                   "Deposit .............................. $80,000",
                   "Buyer ............................. Owner occ.",
                   "Property ......................... Established",
                   "LVR .................................... 90.0%",
                   "",
                   "Cash required at settlement ......... $113,664",
                   "Loan required ....................... $720,000",
                   "Transfer duty payable ................ $30,412",
                   "Registration fees ....................... $352",
                   "Conveyancing / inspections / other .... $2,900",
                   "LMI (incl. duty on premium) .......... $15,806",
                   "Loan if LMI capitalised ............. $735,806",
                   "",
                   QStringLiteral("General transfer duty \u2014 no concession applies."),
                   "",
                   disclaimer,
                   credit,
               };
    }

    void wholeSummary()
    {
        QFETCH(CalculatorTab, tab);
        QFETCH(Edit, edit);
        QFETCH(QStringList, expected);
        const QString text = summaryOf(tab, edit);
        QCOMPARE(text.split(u'\n'), expected); // names the first line that differs
        QCOMPARE(text, expected.join(u'\n'));
    }

    void copyReplacesTheClipboard()
    {
        QClipboard *clipboard = QGuiApplication::clipboard();
        auto *previous = new QMimeData;
        previous->setImageData(QImage(4, 4, QImage::Format_ARGB32));
        previous->setHtml(QStringLiteral("<b>old</b>"));
        clipboard->setMimeData(previous);

        summaryOf(CalculatorTab::capacity, [](CalculatorState &s) { s.brokerName = "Ana Silva"; });
        TextCopier::copyCurrentTab(*store);

        QCOMPARE(clipboard->text(), TextExporter::summary(*store, fixedNow));
        const QMimeData *now = clipboard->mimeData();
        QVERIFY(!now->hasImage());
        QVERIFY(!now->hasHtml());
        QCOMPARE(store->toast(), std::optional<QString>(QStringLiteral("Figures copied as text")));
    }

    // The snapshot.

    // The default export: clipboard and Desktop, one toast; the card is titled for its tab.
    void eachTab_data()
    {
        QTest::addColumn<CalculatorTab>("tab");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("hero");
        QTest::newRow("repayment") << CalculatorTab::repayment << "Brolga-Repayment-2026-12-05-1430.png"
                                   << "Loan repayment estimate" << "MONTHLY REPAYMENT";
        QTest::newRow("capacity") << CalculatorTab::capacity << "Brolga-Capacity-2026-12-05-1430.png"
                                  << "Borrowing capacity estimate" << "INDICATIVE MAXIMUM LOAN";
        QTest::newRow("income") << CalculatorTab::income << "Brolga-Income-2026-12-05-1430.png"
                                << "Income assessment" << "ASSESSABLE ANNUAL INCOME";
        QTest::newRow("upfront") << CalculatorTab::upfront << "Brolga-Upfront-2026-12-05-1430.png"
                                 << "Purchase costs estimate" << "CASH REQUIRED AT SETTLEMENT";
    }
    void eachTab()
    {
        QFETCH(CalculatorTab, tab);
        QFETCH(QString, name);
        QFETCH(QString, title);
        QFETCH(QString, hero);
        store->edit([&](CalculatorState &s) { s.activeTab = tab; });
        const ExportCard card(*store, std::nullopt, ink());
        QCOMPARE(card.texts().value(0), title);
        QVERIFY(card.texts().contains(hero));
        QVERIFY(card.texts().contains(QStringLiteral("5 Dec 2026")));
        SnapshotExporter::exportCurrentTab(*store, std::nullopt);

        QCOMPARE(toast(), QStringLiteral("Copied + saved to Desktop"));
        QCOMPARE(desktopFiles(), QStringList{name});
        QVERIFY(requests.isEmpty());
        const QImage file = decoded(fileBytes(desktop->filePath(name)));
        QCOMPARE(file.width(), 1280);
        QCOMPARE(file.height(), card.height() * 2);
        QVERIFY(!file.hasAlphaChannel());

        // The clipboard holds the PNG bytes themselves, so the picture outlives the program, and the image.
        const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
        QVERIFY(mime);
        QCOMPARE(mime->data(QStringLiteral("image/png")), fileBytes(desktop->filePath(name)));
        QCOMPARE(qvariant_cast<QImage>(mime->imageData()).width(), 1280);
    }

    // The name carries only the minute: the second export of that minute is numbered and the first stays.
    void twoExportsInOneMinuteKeepBoth()
    {
        SnapshotExporter::exportCurrentTab(*store, std::nullopt);
        const QByteArray first = fileBytes(desktop->filePath(QStringLiteral("Brolga-Repayment-2026-12-05-1430.png")));

        now = at1430.addSecs(50);
        store->edit([](CalculatorState &s) { s.loanAmount = 910000; });
        SnapshotExporter::exportCurrentTab(*store, std::nullopt);
        SnapshotExporter::exportCurrentTab(*store, std::nullopt);
        QCOMPARE(desktopFiles(), (QStringList{"Brolga-Repayment-2026-12-05-1430 (2).png",
                                              "Brolga-Repayment-2026-12-05-1430 (3).png",
                                              "Brolga-Repayment-2026-12-05-1430.png"}));
        QCOMPARE(fileBytes(desktop->filePath(QStringLiteral("Brolga-Repayment-2026-12-05-1430.png"))), first);
        QVERIFY(fileBytes(desktop->filePath(QStringLiteral("Brolga-Repayment-2026-12-05-1430 (2).png"))) != first);
    }

    void copyOnlyWritesNoFile()
    {
        SnapshotExporter::copyOnly(*store, std::nullopt);
        QCOMPARE(toast(), QStringLiteral("Copied to clipboard"));
        QVERIFY(desktopFiles().isEmpty());
        QVERIFY(requests.isEmpty());
        const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(qvariant_cast<QImage>(mime->imageData()).width(), 1280);
        QCOMPARE(decoded(mime->data(QStringLiteral("image/png"))).width(), 1280);
    }

    void exportWithDialogLeavesTheClipboardAlone()
    {
        const QString chosen = desktop->filePath(QStringLiteral("elsewhere/client.png"));
        QVERIFY(QDir().mkpath(QFileInfo(chosen).path()));
        answer = chosen;
        store->edit([](CalculatorState &s) { s.activeTab = CalculatorTab::upfront; });
        SnapshotExporter::exportWithPanel(*store, std::nullopt);

        QCOMPARE(requests.size(), 1);
        QCOMPARE(QFileInfo(requests[0].suggestedPath).fileName(), QStringLiteral("Brolga-Upfront-2026-12-05-1430.png"));
        QCOMPARE(toast(), QStringLiteral("Saved to client.png"));
        QCOMPARE(decoded(fileBytes(chosen)).width(), 1280);
        QVERIFY(desktopFiles().isEmpty());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("earlier"));
        QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasImage());
    }

    void dialogCancelledOrFailing()
    {
        SnapshotExporter::exportWithPanel(*store, std::nullopt);
        QCOMPARE(requests.size(), 1);
        QVERIFY(!store->toast());

        answer = desktop->filePath(QStringLiteral("no-such-folder/card.png"));
        SnapshotExporter::exportWithPanel(*store, std::nullopt);
        QVERIFY2(toast().startsWith(QStringLiteral("Save failed: ")), qPrintable(toast()));
        QVERIFY(toast().size() > QStringLiteral("Save failed: ").size());
        QVERIFY(desktopFiles().isEmpty());
    }

    void unwritableDesktopOpensTheDialog()
    {
        SnapshotExporter::setDesktopFolder(desktop->filePath(QStringLiteral("missing")));
        SnapshotExporter::exportCurrentTab(*store, std::nullopt);

        QCOMPARE(requests.size(), 1);
        QCOMPARE(QFileInfo(requests[0].suggestedPath).fileName(),
                 QStringLiteral("Brolga-Repayment-2026-12-05-1430.png"));
        QVERIFY(!store->toast()); // cancelled: no word of the Desktop
        QVERIFY(QGuiApplication::clipboard()->mimeData()->hasImage());

        answer = desktop->filePath(QStringLiteral("picked.png"));
        SnapshotExporter::exportCurrentTab(*store, std::nullopt);
        QCOMPARE(toast(), QStringLiteral("Saved to picked.png"));
        QVERIFY(QFile::exists(*answer));
    }

    void aThemeChangeChangesTheNextCardsInk()
    {
        const Theme &classic = Theme::named(QStringLiteral("classic"));
        const QColor houseInk = Brand::rgb(Theme::house().ink);
        const QColor classicInk = Brand::rgb(classic.ink);
        QVERIFY(houseInk != classicInk);

        const QImage before = SnapshotExporter::renderImage(*store, std::nullopt);
        store->applyTheme(classic.id);
        const QImage after = SnapshotExporter::renderImage(*store, std::nullopt);
        // The figures of the grid and rows are drawn solid in the ink.
        QVERIFY(count(before, houseInk) > 500);
        QCOMPARE(count(before, classicInk), 0);
        QVERIFY(count(after, classicInk) > 500);
        QCOMPARE(count(after, houseInk), 0);
    }

    // The card itself.

    void lightEvenWhenTheAppIsDark()
    {
        QWidget lightApp, darkApp;
        lightApp.setPalette(ThemePalette::make(Theme::house(), Appearance::light));
        darkApp.setPalette(ThemePalette::make(Theme::house(), Appearance::dark));
        const QImage light = ExportCard(*store, std::nullopt, ink(), &lightApp).toImage(2);
        const QImage dark = ExportCard(*store, std::nullopt, ink(), &darkApp).toImage(2);
        QVERIFY(Brand::isDark(darkApp.palette())); // left as it was
        QCOMPARE(dark, light);
        // The foot of the card is the theme's paper.
        QCOMPARE(dark.pixelColor(4, dark.height() - 4), Brand::rgb(Theme::house().paper));
    }

    void aLogoStandsAlone()
    {
        const QColor red(0xE0, 0x10, 0x20);
        ExportCard withLogo(*store, solidLogo(red), ink());
        QVERIFY(!withLogo.showsHouseMark());
        QVERIFY(!withLogo.texts().contains(QStringLiteral("BROLGA STUDIO")));
        QVERIFY(withLogo.texts().contains(QStringLiteral("A SALTBUSH PRODUCTION")));
        // The logo sits at the top right of the header.
        const QImage image = withLogo.toImage(2);
        QVERIFY(count(image, red, QRect(900, 0, 380, 140)) > 1000);
        QCOMPARE(count(image, red, QRect(0, 0, 640, image.height())), 0);

        ExportCard house(*store, std::nullopt, ink());
        QVERIFY(house.showsHouseMark());
        QVERIFY(house.texts().contains(QStringLiteral("BROLGA STUDIO")));
        QVERIFY(house.texts().contains(QStringLiteral("A SALTBUSH PRODUCTION")));
        QCOMPARE(count(house.toImage(2), red), 0);

        // A logo that cannot be drawn counts as none.
        QVERIFY(ExportCard(*store, QImage(), ink()).showsHouseMark());
    }

    // A print-resolution logo takes the tile a small one of the same shape takes, drawn whole within it.
    void aPrintSizeLogoFitsItsTile()
    {
        const QColor green(0x10, 0x80, 0x30);
        const QImage small = solidLogo(green, QSize(600, 300));
        const QImage print = solidLogo(green, QSize(6000, 3000));
        const QImage a = ExportCard(*store, small, ink()).toImage(2);
        const QImage b = ExportCard(*store, print, ink()).toImage(2);
        QCOMPARE(b.size(), a.size());
        // 76 x 38 inside the tile at the header's right: 152 x 76 device pixels, all of them the logo's.
        QCOMPARE(count(b, green), 152 * 76);
        QCOMPARE(count(b, green), count(a, green));
    }

    void cardIdentityLines_data() { identitycases::addRows(); }

    // The card says what the text says, the licence on a line of its own when the header has no room for the
    // whole contact line: the rest gives way, never the licence.
    void cardIdentityLines()
    {
        QFETCH(Edit, identity);
        QFETCH(QStringList, header);
        store->edit(identity);
        // Beside a wide logo, which leaves the header's text the least room.
        const ExportCard card(*store, solidLogo(Qt::darkBlue, QSize(900, 200)), ink());
        const QStringList texts = card.texts();
        // Between the title and the date stamp.
        const QString dot = QStringLiteral(" \u00B7 ");
        QCOMPARE(texts.mid(1, texts.indexOf(QStringLiteral("5 Dec 2026")) - 1).join(dot), header.join(dot));
        const QString last = header.isEmpty() ? QString() : header.last().split(dot).last();
        QVERIFY2(card.headerLines().mid(1).join(QString()).contains(last), qPrintable(last));
    }

    void preparedForTheOpenClient_data()
    {
        QTest::addColumn<int>("tab");
        for (CalculatorTab tab : allCases<CalculatorTab>())
            QTest::newRow(qPrintable(QString::number(int(tab)))) << int(tab);
    }
    // With a client open the text and the card say whom they were prepared for, after the title; all else is
    // as it is without one.
    void preparedForTheOpenClient()
    {
        QFETCH(int, tab);
        store->edit([](CalculatorState &s) {
            s.brokerName = "Ana Silva";
            s.brokerPhone = "0400 000 000";
        });
        const QDateTime now = store->now();
        const auto which = CalculatorTab(tab);
        const QStringList plain = TextExporter::summary(*store, which, now).split(u'\n');
        const QStringList plainCard = ExportCard(*store, which, std::nullopt, ink()).texts();
        store->setClientName(QStringLiteral("Anna\nLee & Co"));
        QStringList lines = TextExporter::summary(*store, which, now).split(u'\n');
        QCOMPARE(lines.at(1), QStringLiteral("Prepared for Anna Lee & Co"));
        lines.removeAt(1);
        QCOMPARE(lines, plain);
        const ExportCard card(*store, which, std::nullopt, ink());
        QStringList texts = card.texts();
        QCOMPARE(texts.at(1), QStringLiteral("Prepared for Anna Lee & Co"));
        QCOMPARE(card.headerLines().at(1), QStringLiteral("Prepared for Anna Lee & Co"));
        texts.removeAt(1);
        QCOMPARE(texts, plainCard);
        store->setClientName(QString());
        QCOMPARE(TextExporter::summary(*store, which, now).split(u'\n'), plain);
    }

    // A stored record with absurd amounts: every figure stays within the card's side margins, cut short with an
    // ellipsis as the screens cut it, while the card's figures for a reader keep it whole.
    void absurdFiguresStayInsideTheCard_data()
    {
        QTest::addColumn<CalculatorTab>("tab");
        QTest::newRow("repayment") << CalculatorTab::repayment;
        QTest::newRow("capacity") << CalculatorTab::capacity;
        QTest::newRow("upfront") << CalculatorTab::upfront;
    }
    void absurdFiguresStayInsideTheCard()
    {
        QFETCH(CalculatorTab, tab);
        store->edit([](CalculatorState &s) {
            s.loanAmount = 1e300;
            s.grossIncome = 1e300;
            s.purchasePrice = 1e300;
        });
        ExportCard card(*store, tab, std::nullopt, ink());
        const QImage image = card.toImage(1).convertToFormat(QImage::Format_RGB32);
        const int margin = 20; // the card's side padding, less a little for anti-aliasing
        const int headerBottom = 160;
        for (int y = headerBottom; y < image.height(); ++y)
            for (int x : {1, margin, image.width() - margin - 1, image.width() - 2})
                QVERIFY2(image.pixel(x, y) == image.pixel(x, headerBottom),
                         qPrintable(QStringLiteral("ink at %1,%2").arg(x).arg(y)));
        bool whole = false;
        for (const auto &[label, value] : card.figures())
            whole = whole || value.size() > 300;
        QVERIFY(whole);
    }

    // Each identity line wraps within the header, which grows to hold it; absurd input stops at three lines.
    void anEnormousNameStopsAtThreeLines()
    {
        store->edit([](CalculatorState &s) { s.brokerName = QStringLiteral("Ana"); });
        const int plain = ExportCard(*store, std::nullopt, ink()).height();
        store->edit([](CalculatorState &s) { s.brokerName = QString(2000, u'W'); });
        const ExportCard capped(*store, std::nullopt, ink());
        QCOMPARE(capped.headerLines().size(), 1 + 3);
        QVERIFY(capped.headerLines().last().endsWith(QStringLiteral("\u2026")));
        QVERIFY(capped.height() > plain);
        store->edit([](CalculatorState &s) { s.brokerName = QString(100000, u'W'); });
        QCOMPARE(ExportCard(*store, std::nullopt, ink()).height(), capped.height());
        // The record keeps every letter; only the picture is cut.
        QCOMPARE(capped.texts().value(1).size(), 2000);
    }

    // A broker must be able to show the licence: nothing of a long contact line is cut, beside a wide logo too.
    void longContactLinesWrap_data()
    {
        QTest::addColumn<bool>("logo");
        QTest::newRow("wide logo") << true;
        QTest::newRow("no logo") << false;
    }
    void longContactLinesWrap()
    {
        QFETCH(bool, logo);
        const std::optional<QImage> image =
            logo ? std::optional(solidLogo(Qt::darkBlue, QSize(900, 200))) : std::nullopt;
        store->edit([](CalculatorState &s) { s.brokerName = QStringLiteral("Jane Citizen"); });
        const int shortHeight = ExportCard(*store, image, ink()).height();
        store->edit([](CalculatorState &s) {
            s.brokerName = QStringLiteral("Jane Alexandra Citizen-Whitfield");
            s.brokerCompany = QStringLiteral("Harbour Finance & Mortgage Solutions Pty Ltd");
            s.brokerPhone = QStringLiteral("0400 123 456");
            s.brokerEmail = QStringLiteral("jane.citizen-whitfield@harbourfinance.com.au");
            s.brokerWebsite = QStringLiteral("www.harbourfinance.com.au");
            s.brokerLicence = QStringLiteral("ACL 123456 \u00B7 Credit Rep 654321");
        });
        const ExportCard card(*store, image, ink());
        const QStringList lines = card.headerLines().mid(1);
        QVERIFY2(lines.size() >= 3, qPrintable(lines.join(u'|')));
        QVERIFY(card.height() > shortHeight);
        const QString all = lines.join(QString());
        for (const QString &whole :
             {QStringLiteral("Jane Alexandra Citizen-Whitfield"), QStringLiteral("Pty Ltd"),
              QStringLiteral("0400 123 456"), QStringLiteral("jane.citizen-whitfield@harbourfinance.com.au"),
              QStringLiteral("www.harbourfinance.com.au"), QStringLiteral("ACL 123456"),
              QStringLiteral("Credit Rep 654321")})
            QVERIFY2(all.contains(whole), qPrintable(whole));
        QVERIFY(!all.contains(QStringLiteral("\u2026")));
        for (const QString &line : lines) {
            QVERIFY2(!line.trimmed().startsWith(QStringLiteral("\u00B7")), qPrintable(line)); // no orphan separator
            // Numbers stay with their words.
            QVERIFY2(!line.trimmed().endsWith(QStringLiteral("ACL")) &&
                         !line.trimmed().endsWith(QStringLiteral("0400")),
                     qPrintable(line));
        }
        QVERIFY(lines.last().endsWith(QStringLiteral("Credit Rep 654321")));
    }

    // An address wider than the column breaks at its dots and @, and nowhere when it fits.
    void aLongAddressBreaksWhereItMust()
    {
        const std::optional<QImage> wide = solidLogo(Qt::darkBlue, QSize(900, 200));
        const QString address =
            QStringLiteral("new.loan.applications.and.enquiries@harbour-finance-and-mortgage-solutions.com.au");
        store->edit([&](CalculatorState &s) { s.brokerEmail = address; });
        const QStringList lines = ExportCard(*store, wide, ink()).headerLines().mid(1);
        QVERIFY2(lines.size() >= 2 && lines.size() <= 3, qPrintable(lines.join(u'|')));
        QCOMPARE(lines.join(QString()), address);
        for (const QString &line : lines.mid(1))
            QVERIFY2(line.startsWith(u'.') || line.startsWith(u'@') || line.startsWith(u'-'), qPrintable(line));

        store->edit([](CalculatorState &s) { s.brokerEmail = QStringLiteral("ana@harbour.com.au"); });
        QCOMPARE(ExportCard(*store, wide, ink()).headerLines().mid(1), QStringList{"ana@harbour.com.au"});
    }

    void repaymentRows_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("P&I, nothing extra")
            << Edit([](CalculatorState &) {})
            << QStringList{"Offset balance", "Extra repayment", "$0", "$0/mth", "Total interest", "Total payable"}
            << QStringList{"Interest only for 5 years, then", "Interest saved by extra repayments", "Paid off in",
                           "Difference over the term"};
        QTest::newRow("interest only")
            << Edit([](CalculatorState &s) { s.repaymentType = RepaymentType::interestOnly; })
            << QStringList{"Interest only for 5 years, then", "Interest Only"} << QStringList{};
        QTest::newRow("interest only for the whole term")
            << Edit([](CalculatorState &s) {
                   s.repaymentType = RepaymentType::interestOnly;
                   s.ioYears = 30;
               })
            << QStringList{"Interest Only"} << QStringList{"Interest only for 30 years, then"};
        QTest::newRow("extra and compare")
            << Edit([](CalculatorState &s) {
                   s.extraRepayment = 200;
                   s.isCompareMode = true;
                   s.compareRate = 5.5;
               })
            << QStringList{"Interest saved by extra repayments", "Paid off in", "Repayment at 5.50%",
                           "At 5.50% you pay less over the term", "$200/mth"}
            << QStringList{};
        QTest::newRow("no scenario") << Edit([](CalculatorState &s) { s.loanAmount = 0; })
                                     << QStringList{"No scenario to export.", "A SALTBUSH PRODUCTION"}
                                     << QStringList{"Total interest", "Loan amount"};
    }

    void repaymentRows()
    {
        QFETCH(Edit, edit);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        store->edit(edit);
        ExportCard card(*store, CalculatorTab::repayment, std::nullopt, ink());
        for (const QString &text : present)
            QVERIFY2(card.texts().contains(text), qPrintable(text));
        for (const QString &text : absent)
            QVERIFY2(!card.texts().contains(text), qPrintable(text));
    }

    void paidAndTerm_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<CalculatorTab>("tab");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("value");
        auto hourly = [](double hours) {
            return Edit([hours](CalculatorState &s) {
                s.payBasis = PayBasis::hourly;
                s.payRate = 45;
                s.unitsPerWeek = hours;
            });
        };
        QTest::newRow("half hours as entered")
            << hourly(37.5) << CalculatorTab::income << "Paid" << QStringLiteral("$45.00/hr \u00D7 37.5h");
        QTest::newRow("whole hours") << hourly(38) << CalculatorTab::income << "Paid"
                                     << QStringLiteral("$45.00/hr \u00D7 38h");
        QTest::newRow("daily stays whole") << Edit([](CalculatorState &s) {
            s.payBasis = PayBasis::daily;
            s.payRate = 800;
            s.unitsPerWeek = 4.5;
            s.contractorWeeks = 46;
        }) << CalculatorTab::income << "Paid"
                                           << QStringLiteral("$800.00/day \u00D7 4 \u00D7 46wk");
        QTest::newRow("one year") << Edit([](CalculatorState &s) { s.loanTermYears = 1.9; }) << CalculatorTab::repayment
                                  << "Term"
                                  << "1 year";
        QTest::newRow("two years") << Edit([](CalculatorState &s) { s.loanTermYears = 2; }) << CalculatorTab::repayment
                                   << "Term"
                                   << "2 years";
    }
    void paidAndTerm()
    {
        QFETCH(Edit, edit);
        QFETCH(CalculatorTab, tab);
        QFETCH(QString, label);
        QFETCH(QString, value);
        store->edit(edit);
        const ExportCard card(*store, tab, std::nullopt, ink());
        const auto found = std::find_if(card.figures().begin(), card.figures().end(),
                                        [&](const auto &pair) { return pair.first == label; });
        QVERIFY(found != card.figures().end());
        QCOMPARE(found->second, value);
    }

    // Every figure the card and the copied text both show reads the same on both, and the card leaves out
    // none of the text's rows but those it words its own way.
    void cardAndTextAgree_data()
    {
        QTest::addColumn<CalculatorTab>("tab");
        QTest::addColumn<Edit>("edit");
        QTest::newRow("repayment, everything on") << CalculatorTab::repayment << Edit([](CalculatorState &s) {
            s.loanAmount = 661000;
            s.interestRate = 6.09;
            s.repaymentType = RepaymentType::interestOnly;
            s.ioYears = 5;
            s.offsetAmount = 40000;
            s.extraRepayment = 150;
            s.frequency = PaymentFrequency::fortnightly;
            s.isCompareMode = true;
            s.compareRate = 5.79;
        });
        QTest::newRow("repayment, one year weekly") << CalculatorTab::repayment << Edit([](CalculatorState &s) {
            s.loanTermYears = 1;
            s.frequency = PaymentFrequency::weekly;
        });
        QTest::newRow("capacity, couple with debts") << CalculatorTab::capacity << Edit([](CalculatorState &s) {
            s.applicantType = ApplicantType::couple;
            s.dependants = 3;
            s.monthlyOtherDebts = 1200;
            s.grossIncome = 260000;
        });
        QTest::newRow("capacity, high income")
            << CalculatorTab::capacity << Edit([](CalculatorState &s) { s.grossIncome = 900000; });
        QTest::newRow("capacity, applicants in detail") << CalculatorTab::capacity << Edit([](CalculatorState &s) {
            s.applicantsInDetail = true;
            s.applicant1Income = 130000;
            s.applicant1HasHELP = true;
            s.rentalIncome = 26000;
            s.cardLimits = 10000;
            s.otherLoanBalances = 25000;
        });
        QTest::newRow("income, every component") << CalculatorTab::income << Edit([](CalculatorState &s) {
            s.payBasis = PayBasis::hourly;
            s.payRate = 52.5;
            s.unitsPerWeek = 37.5;
            s.overtimeAnnual = 12000;
            s.otShadePercent = 50;
            s.bonusThisFY = 9000;
            s.bonusLastFY = 7000;
            s.allowancesAnnual = 4000;
            s.allowShadePercent = 100;
            s.hasHELP = true;
            s.quotedIncludesSuper = true;
            s.ytdGross = 40000;
            s.ytdPeriodEnd = QDateTime(QDate(2026, 10, 30), QTime(12, 0));
        });
        QTest::newRow("upfront, NSW with insurance") << CalculatorTab::upfront << Edit([](CalculatorState &s) {
            s.state = AUState::nsw;
            s.buyerType = BuyerType::ownerOccupier;
            s.depositAmount = 80000;
        });
        QTest::newRow("upfront, VIC first home") << CalculatorTab::upfront << Edit([](CalculatorState &s) {
            s.state = AUState::vic;
            s.buyerType = BuyerType::firstHome;
            s.purchasePrice = 550000;
            s.depositAmount = 55000;
            s.legalFees = 1800;
        });
        QTest::newRow("upfront, QLD investor, foreign") << CalculatorTab::upfront << Edit([](CalculatorState &s) {
            s.state = AUState::qld;
            s.buyerType = BuyerType::investor;
            s.isForeignBuyer = true;
            s.purchasePrice = 1200000;
            s.depositAmount = 400000;
        });
    }
    void cardAndTextAgree()
    {
        QFETCH(CalculatorTab, tab);
        QFETCH(Edit, edit);
        store->edit(edit);
        const ExportCard card(*store, tab, std::nullopt, ink());
        QHash<QString, QString> onCard;
        for (const auto &[label, value] : card.figures())
            onCard.insert(label, value);

        static const QRegularExpression equivalent(QStringLiteral("^equivalent "));
        static const QRegularExpression ytd(QStringLiteral("^YTD annualised "));
        static const QRegularExpression component(QStringLiteral("^(.*) \\((.+) of (.+)\\)$"));
        int compared = 0;
        for (const QString &line : TextExporter::summary(*store, tab, fixedNow).split(u'\n')) {
            auto [label, value] = split(line);
            label = label.trimmed();
            if (value.isEmpty() || label.contains(equivalent) || label.contains(ytd))
                continue; // plain lines, and rows only the text carries
            QString cardLabel = label;
            if (label == u"Occupation preset")
                cardLabel = QStringLiteral("Occupation");
            else if (label == u"Super rate") {
                cardLabel = QStringLiteral("Super");
                value.replace(QStringLiteral(" (included in quoted)"), QStringLiteral(" incl."));
                value.replace(QStringLiteral(" (on top)"), QStringLiteral(" on top"));
            } else if (const auto m = component.match(label); m.hasMatch()) {
                cardLabel = m.captured(2) == u"100%" ? m.captured(1)
                                                     : m.captured(1) + QStringLiteral(" \u2014 ") + m.captured(3) +
                                                           QStringLiteral(" at ") + m.captured(2);
            }
            QVERIFY2(onCard.contains(cardLabel), qPrintable(QStringLiteral("the card has no \"%1\"").arg(cardLabel)));
            QVERIFY2(onCard.value(cardLabel) == value,
                     qPrintable(QStringLiteral("%1: card %2, text %3").arg(cardLabel, onCard.value(cardLabel), value)));
            ++compared;
        }
        QVERIFY(compared >= 6);
    }

    // The PNG says how large it is: 640 points at 72 to the inch, so other programs place it at the card's
    // size and not at twice it.
    void pngCarriesThePhysicalSize()
    {
        const auto png = SnapshotExporter::pngData(SnapshotExporter::renderImage(*store, std::nullopt));
        QVERIFY(png);
        const QImage image = decoded(*png);
        QCOMPARE(image.width(), 1280);
        QCOMPARE(image.dotsPerMeterX(), 5669);
        QCOMPARE(image.dotsPerMeterY(), 5669);
        QVERIFY(qAbs(image.width() / (image.dotsPerMeterX() * 0.0254) * 72 - 640) < 0.1);
    }

    // Linux names ~/Desktop even where it does not exist: the one-step export then goes to the home folder.
    void missingDesktopMeansHome()
    {
        SnapshotExporter::setDesktopFolder(std::nullopt);
        const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        QVERIFY2(desktop.startsWith(QDir::homePath()), "the test's own home, never the user's");
        QDir(desktop).removeRecursively();
        QCOMPARE(SnapshotExporter::desktopFolder(), QDir::homePath());
        QVERIFY(QDir().mkpath(desktop));
        QCOMPARE(SnapshotExporter::desktopFolder(), desktop);
        QVERIFY(QDir(desktop).removeRecursively());
    }

    // The fallback dialog opens in a folder that exists, with the file name alone.
    void fallbackDialogStartsInAFolderThatExists()
    {
        SnapshotExporter::setDesktopFolder(desktop->filePath(QStringLiteral("gone/deeper")));
        SnapshotExporter::exportCurrentTab(*store, std::nullopt);
        QCOMPARE(requests.size(), 1);
        const QFileInfo suggested(requests[0].suggestedPath);
        QCOMPARE(suggested.fileName(), QStringLiteral("Brolga-Repayment-2026-12-05-1430.png"));
        QVERIFY(suggested.dir().exists());
        QCOMPARE(suggested.absolutePath(), QDir(desktop->path()).absolutePath());
    }

    // The bytes are PNG whatever name is typed.
    void savedNamesKeepThePngSuffix_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("another suffix") << "card.jpg"
                                        << "card.jpg.png";
        QTest::newRow("no suffix") << "card"
                                   << "card.png";
        QTest::newRow("upper case") << "CARD.PNG"
                                    << "CARD.PNG";
    }
    void savedNamesKeepThePngSuffix()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        answer = desktop->filePath(typed);
        SnapshotExporter::exportWithPanel(*store, std::nullopt);
        QCOMPARE(desktopFiles(), QStringList{written});
        QCOMPARE(toast(), QStringLiteral("Saved to ") + written);
        QCOMPARE(decoded(fileBytes(desktop->filePath(written))).width(), 1280);
    }

    // Adding the suffix names a file the dialog never asked about replacing: it asks again.
    void anAddedSuffixNeverReplacesUnasked()
    {
        QFile existing(desktop->filePath(QStringLiteral("card.png")));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("keep");
        existing.close();
        answer = desktop->filePath(QStringLiteral("card"));
        SnapshotExporter::exportWithPanel(*store, std::nullopt);
        QCOMPARE(requests.size(), 2);
        QCOMPARE(requests[1].suggestedPath, desktop->filePath(QStringLiteral("card.png")));
        // Answered "card" once more: the user has now seen the name twice.
        QCOMPARE(toast(), QStringLiteral("Saved to card.png"));
        QVERIFY(fileBytes(desktop->filePath(QStringLiteral("card.png"))) != "keep");
    }

    // The card lists its figures in the order the summary does: the hero, the inputs in the grid, the results.
    void cardFiguresInOrder()
    {
        store->edit([](CalculatorState &s) {
            s.applicantType = ApplicantType::couple;
            s.dependants = 2;
            s.monthlyOtherDebts = 500;
        });
        const ExportCard card(*store, CalculatorTab::capacity, std::nullopt, ink());
        QStringList shown;
        for (const auto &[label, value] : card.figures())
            shown << label + u'=' + value;
        QCOMPARE(shown, (QStringList{"Indicative maximum loan=$557,160", "Gross household income=$140,000",
                                     "Applicants=Couple", "Dependants=2", "Other commitments=$500/mth",
                                     "Assessment rate=9.09%", "Tax year=2026-27", "Net monthly income=$8,694",
                                     "Assessed living expenses=$3,675", "Monthly surplus=$4,519",
                                     "Serviceability limit=$557,160", "DTI limit=$804,000",
                                     "Binding constraint=Serviceability"}));
    }

    void noCapacityResult()
    {
        store->edit([](CalculatorState &s) { s.grossIncome = 0; });
        if (store->capacity())
            QSKIP("a zero income still gives a capacity result");
        const QStringList texts = ExportCard(*store, CalculatorTab::capacity, std::nullopt, ink()).texts();
        QVERIFY(texts.contains(QStringLiteral("No capacity result to export.")));
        QVERIFY(!texts.contains(QStringLiteral("Binding constraint")));
    }
};

BROLGA_TEST_MAIN(TestExport)
#include "tst_export.moc"

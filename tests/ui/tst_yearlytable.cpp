#include "calc/AmortisationRow.h"
#include "ui/YearlyTable.h"

#include <QTest>

#include <vector>

using namespace brolga;

namespace {
// n rows of 1 interest and 10 principal each, the balance running down from 10 × n.
std::vector<AmortisationRow> rows(int n)
{
    std::vector<AmortisationRow> out;
    for (int i = 0; i < n; ++i)
        out.push_back({i + 1, 1.0, 10.0, 10.0 * (n - i - 1)});
    return out;
}
} // namespace

class TestYearlyTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fullYearsOfMonths()
    {
        const auto lines = YearlyTable::lines(rows(360), PaymentFrequency::monthly);
        QCOMPARE(lines.size(), std::size_t(30));
        QCOMPARE(lines.front(), (YearlyLine{1, 120.0, 12.0, 3480.0, 12}));
        QCOMPARE(lines.back(), (YearlyLine{30, 120.0, 12.0, 0.0, 12}));
    }

    // 27 years and 5 months: 28 lines, the last summing the 5 remaining periods.
    void finalPartYear()
    {
        const auto lines = YearlyTable::lines(rows(27 * 12 + 5), PaymentFrequency::monthly);
        QCOMPARE(lines.size(), std::size_t(28));
        QCOMPARE(lines.back(), (YearlyLine{28, 50.0, 5.0, 0.0, 5}));
        QCOMPARE(lines[26].periods, 12);
    }

    void chunksFollowTheFrequency()
    {
        QCOMPARE(YearlyTable::lines(rows(52 * 50), PaymentFrequency::weekly).size(), std::size_t(50));
        QCOMPARE(YearlyTable::lines(rows(26 * 3 + 1), PaymentFrequency::fortnightly).size(), std::size_t(4));
        QCOMPARE(YearlyTable::lines(rows(1), PaymentFrequency::weekly).size(), std::size_t(1));
        QVERIFY(YearlyTable::lines({}, PaymentFrequency::monthly).empty());
    }

    void texts()
    {
        QCOMPARE(YearlyTable::header(), (std::array<QString, 4>{"YR", "PRINCIPAL", "INTEREST", "BALANCE"}));
        QCOMPARE(YearlyTable::cells({3, 12345.5, 39000.49, 612000.0, 12}),
                 (std::array<QString, 4>{"3", "$12,346", "$39,000", "$612,000"}));
    }
};

QTEST_APPLESS_MAIN(TestYearlyTable)
#include "tst_yearlytable.moc"

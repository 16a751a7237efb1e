#include "ui/YearlyTable.h"

#include "core/Format.h"

#include <algorithm>

namespace brolga::YearlyTable {

std::vector<YearlyLine> lines(std::span<const AmortisationRow> schedule, PaymentFrequency frequency)
{
    const std::size_t ppy = static_cast<std::size_t>(periodsPerYear(frequency));
    std::vector<YearlyLine> out;
    out.reserve((schedule.size() + ppy - 1) / ppy);
    for (std::size_t start = 0; start < schedule.size(); start += ppy) {
        const std::size_t end = std::min(schedule.size(), start + ppy);
        YearlyLine line;
        line.year = static_cast<int>(out.size()) + 1;
        for (std::size_t i = start; i < end; ++i) {
            line.principal += schedule[i].principal;
            line.interest += schedule[i].interest;
            line.extra += schedule[i].extra;
        }
        line.balance = schedule[end - 1].balance;
        line.periods = static_cast<int>(end - start);
        out.push_back(line);
    }
    return out;
}

std::array<QString, 4> header()
{
    return {QStringLiteral("YR"), QStringLiteral("PRINCIPAL"), QStringLiteral("INTEREST"), QStringLiteral("BALANCE")};
}

std::array<QString, 4> cells(const YearlyLine &line)
{
    return {QString::number(line.year), Format::money(line.principal, 0), Format::money(line.interest, 0),
            Format::money(line.balance, 0)};
}

} // namespace brolga::YearlyTable

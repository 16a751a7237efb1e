// Every calculation fed arbitrary doubles through a decoded record, with the rules a broker relies on.
#include "FuzzChecks.h"
#include "core/CalculatorStore.h"
#include "core/Format.h"
#include "core/StateFields.h"
#include "core/StateJson.h"
#include "export/TextExporter.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cmath>
#include <cstring>
#include <type_traits>

using namespace brolga;

namespace {

struct Reader {
    const unsigned char *data;
    size_t size;
    size_t at = 0;

    template <typename T> T take()
    {
        T value{};
        if (at + sizeof(T) <= size) {
            std::memcpy(&value, data + at, sizeof(T));
            at += sizeof(T);
        }
        return value;
    }
};

template <typename E> E pick(Reader &in)
{
    const auto cases = allCases<E>();
    return cases[in.take<unsigned char>() % cases.size()];
}

bool showable(double v)
{
    const QString text = Format::money(v, 2);
    return std::isfinite(v) ? text.startsWith(u'$') || text.startsWith(QStringLiteral("-$"))
                            : text == QStringLiteral("\u2014");
}

CalculatorStore *store = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    QStandardPaths::setTestModeEnabled(true);
    store = new CalculatorStore;
    store->setClock([] { return QDateTime(QDate(2026, 12, 6), QTime(9, 30)); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    Reader in{data, size};
    CalculatorState s;
    forEachStateField([&](const char *, auto member) {
        using T = std::decay_t<decltype(s.*member)>;
        if constexpr (std::is_same_v<T, double>)
            s.*member = in.take<double>();
        else if constexpr (std::is_same_v<T, int>)
            s.*member = in.take<int>();
        else if constexpr (std::is_same_v<T, bool>)
            s.*member = in.take<unsigned char>() & 1;
        else if constexpr (std::is_enum_v<T>)
            s.*member = pick<T>(in);
    });
    if (in.take<unsigned char>() & 1)
        s.dutyOverride = in.take<double>();
    if (in.take<unsigned char>() & 1)
        s.ytdPeriodEnd = StateJson::fromReferenceSeconds(in.take<double>());
    if (in.take<unsigned char>() & 1)
        s.employmentStart = StateJson::fromReferenceSeconds(in.take<double>());
    if (s.ytdPeriodEnd && !s.ytdPeriodEnd->isValid())
        s.ytdPeriodEnd.reset();
    if (s.employmentStart && !s.employmentStart->isValid())
        s.employmentStart.reset();
    // Through the stored form, as the program would meet it.
    const auto decoded = StateJson::decode(StateJson::encode(s));
    FUZZ_REQUIRE(decoded.has_value());
    store->setState(*decoded);

    for (const auto &sc : {store->scenario(), store->baselineScenario(), store->compareScenario()}) {
        if (!sc)
            continue;
        FUZZ_REQUIRE(int(sc->schedule.size()) <= sc->contractedPeriods);
        FUZZ_REQUIRE(showable(sc->payment) && showable(sc->totalInterest) && showable(sc->totalPayable));
        for (const auto &row : sc->schedule)
            FUZZ_REQUIRE(row.principal >= 0 && row.interest >= 0);
    }
    if (const auto c = store->costs())
        FUZZ_REQUIRE(showable(c->totalPayable) && showable(c->comparisonRate.value_or(0)) &&
                     c->comparisonRate.value_or(0) >= 0 && showable(c->paymentIfRise2));
    if (const auto cap = store->capacity())
        FUZZ_REQUIRE(cap->maxLoan >= 0 && showable(cap->maxLoan) && showable(cap->surplus) &&
                     std::isfinite(cap->dtiRatio.value_or(0)));
    const IncomeResult income = store->income();
    FUZZ_REQUIRE(showable(income.assessable) && showable(income.netMonthly) && showable(income.helpAnnual));
    const DutyResult duty = store->duty();
    FUZZ_REQUIRE(duty.payable() >= 0 && showable(duty.payable()));
    FUZZ_REQUIRE(duty.concession >= 0 && duty.concession <= duty.baseDuty);
    const LMIResult lmi = store->lmi();
    FUZZ_REQUIRE(lmi.premium >= 0 && lmi.stampDutyOnPremium >= 0 && showable(lmi.premium));
    const double funds = store->fundsToComplete();
    FUZZ_REQUIRE(funds >= 0 && showable(funds));

    // The text of every tab is made without a figure reading "nan" or "inf".
    static const QRegularExpression notANumber(QStringLiteral("\\b(nan|inf)\\b"),
                                               QRegularExpression::CaseInsensitiveOption);
    for (auto tab : allCases<CalculatorTab>()) {
        const QString text = TextExporter::summary(*store, tab, store->now());
        FUZZ_REQUIRE(!text.contains(notANumber));
        FUZZ_REQUIRE(!text.endsWith(u'\n'));
    }
    return 0;
}

// Derived results of the store for the largest schedule a record can ask for: 50 years, weekly (2,600 rows).
#include "core/CalculatorStore.h"
#include "export/TextExporter.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

using namespace brolga;

namespace {

CalculatorStore &store()
{
    static CalculatorStore *s = [] {
        auto *st = new CalculatorStore;
        st->edit([](CalculatorState &state) {
            state = CalculatorState{};
            state.loanTermYears = 50;
            state.frequency = PaymentFrequency::weekly;
            state.extraRepayment = 50;
            state.offsetAmount = 20000;
            state.isCompareMode = true;
            state.ytdGross = 40000;
            state.ytdPeriodEnd = QDateTime::currentDateTime().addDays(-10);
        });
        return st;
    }();
    return *s;
}

void scenario(benchmark::State &bs)
{
    auto &s = store();
    for (auto _ : bs)
        benchmark::DoNotOptimize(s.scenario());
}
BENCHMARK(scenario)->Unit(benchmark::kMicrosecond);

void allEightAccessors(benchmark::State &bs)
{
    auto &s = store();
    for (auto _ : bs) {
        benchmark::DoNotOptimize(s.scenario());
        benchmark::DoNotOptimize(s.baselineScenario());
        benchmark::DoNotOptimize(s.compareScenario());
        benchmark::DoNotOptimize(s.capacity());
        benchmark::DoNotOptimize(s.income());
        benchmark::DoNotOptimize(s.duty());
        benchmark::DoNotOptimize(s.lmi());
        benchmark::DoNotOptimize(s.fundsToComplete());
    }
}
BENCHMARK(allEightAccessors)->Unit(benchmark::kMicrosecond);

// The loan's costs with a lender's fees (a monthly fee on weekly repayments, the solver's slowest case), alone
// (argument 0) and with a fixed portion (1): two comparison rates and two rate rises.
void costs(benchmark::State &bs)
{
    CalculatorStore s;
    s.setState(store().state());
    s.edit([&bs](CalculatorState &state) {
        state.feesEnabled = true;
        state.establishmentFee = 600;
        state.ongoingFee = 10;
        state.dischargeFee = 350;
        state.fixedEnabled = bs.range(0) == 1;
        state.fixedAmount = 300000;
    });
    for (auto _ : bs)
        benchmark::DoNotOptimize(s.costs());
}
BENCHMARK(costs)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);

// The copied text of one tab (the argument), figures and all, for the same record.
void textSummary(benchmark::State &bs)
{
    auto &s = store();
    const auto tab = static_cast<CalculatorTab>(bs.range(0));
    const QDateTime now = QDateTime::currentDateTime();
    for (auto _ : bs)
        benchmark::DoNotOptimize(TextExporter::summary(s, tab, now));
}
BENCHMARK(textSummary)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // Keep the benchmark's record away from the user's own.
    QStandardPaths::setTestModeEnabled(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

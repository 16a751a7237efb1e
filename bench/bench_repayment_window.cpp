// One keystroke in the calculator window as a broker has it: 470 x 700 on a screen of two device pixels per
// point, the Repayment tab open. The amount changes, the store notifies, the screen refreshes, the layouts
// follow and the window repaints what changed, and only what is in view, into its backing store, as it
// does after a real keystroke. With the page at its top (where the loan amount is typed) and scrolled to its
// end (the summary and the projection chart in view); bench_repayment_refresh paints the whole page instead.

#include "RepaymentLoan.h"

#include "app/shell/Commands.h"
#include "app/shell/RootView.h"
#include "core/CalculatorStore.h"
#include "ui/brand/BrandAssetStore.h"
#include "update/UpdateCheck.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

using namespace brolga;

namespace {

struct CalculatorWindow {
    CalculatorStore store;
    BrandAssetStore assets;
    UpdateCheck updates;
    Commands commands{store};
    RootView view{store, assets, updates, commands, {}};

    CalculatorWindow(bool costs, bool atEnd)
    {
        bench::setUpLoan(store, costs);
        store.edit([](CalculatorState &s) { s.activeTab = CalculatorTab::repayment; });
        view.resize(view.sizeHint());
        view.show();
        QCoreApplication::processEvents();
        if (atEnd) {
            QScrollBar *bar = view.scrollArea()->verticalScrollBar();
            bar->setValue(bar->maximum());
            QCoreApplication::processEvents();
        }
    }
};

// One keystroke and what the window does before the next event: its layouts, then the repaint of what the
// keystroke marked changed. Apart, so that a profiler can count it alone (callgrind
// --toggle-collect=*typeAmount*).
[[gnu::noinline]] void typeAmount(CalculatorStore &store, double amount)
{
    store.edit([amount](CalculatorState &s) { s.loanAmount = amount; });
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

// Alternates between two amounts, so that every keystroke changes the figures; the first two, unmeasured,
// fill the glyph caches.
void keystroke(benchmark::State &bench, bool costs, bool atEnd)
{
    CalculatorWindow w(costs, atEnd);
    if (w.store.scenario()->schedule.size() != 2600)
        bench.SkipWithError("the schedule is not 2,600 rows");
    const double amounts[2] = {72000, 720000};
    for (double amount : amounts)
        typeAmount(w.store, amount);
    int i = 0;
    for (auto _ : bench)
        typeAmount(w.store, amounts[i++ & 1]);
    bench.counters["scrolled"] = w.view.scrollArea()->verticalScrollBar()->value();
}

void BM_RepaymentWindow_Top(benchmark::State &bench) { keystroke(bench, false, false); }
void BM_RepaymentWindow_End(benchmark::State &bench) { keystroke(bench, false, true); }
void BM_RepaymentWindow_FeesFixedCompare_Top(benchmark::State &bench) { keystroke(bench, true, false); }
void BM_RepaymentWindow_FeesFixedCompare_End(benchmark::State &bench) { keystroke(bench, true, true); }

} // namespace

BENCHMARK(BM_RepaymentWindow_Top)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaymentWindow_End)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaymentWindow_FeesFixedCompare_Top)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaymentWindow_FeesFixedCompare_End)->Unit(benchmark::kMillisecond);

// Offscreen unless a platform is named, at two device pixels per point unless a scale is named, and the test
// locations for the record, so a run never reads or writes the user's.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
        qputenv("QT_SCALE_FACTOR", "2");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

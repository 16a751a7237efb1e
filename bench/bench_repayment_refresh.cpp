// One keystroke on the Repayment screen: the loan amount changes, the store notifies, the screen refreshes
// (a new 2,600-row schedule for a 50-year weekly loan drawn as the projection chart), lays itself out and
// is painted into an image, as the window would be. With the lender's fees, a fixed portion and the rate
// comparison on, each keystroke also works every loan in two portions, solves two comparison rates (the loan's
// and the $150,000 example) and works two rate rises.
//
// The whole page is painted, every card of it, as if it all were on screen; bench_repayment_window paints
// what the window repaints.

#include "RepaymentLoan.h"

#include "core/CalculatorStore.h"
#include "ui/RepaymentView.h"

#include <QApplication>
#include <QImage>
#include <QLayout>
#include <QPainter>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include "WidgetBenchMain.h"

using namespace brolga;

namespace {

struct Window {
    CalculatorStore store;
    QWidget window;
    RepaymentView *view = nullptr;

    explicit Window(bool costs = false)
    {
        bench::setUpLoan(store, costs);
        auto *layout = new QVBoxLayout(&window);
        layout->setContentsMargins(12, 12, 12, 12);
        view = new RepaymentView(store, &window);
        layout->addWidget(view);
        window.setAttribute(Qt::WA_DontShowOnScreen);
        window.resize(470, window.sizeHint().height());
        window.show();
        QCoreApplication::processEvents();
    }
};

// One keystroke: the amount changes, the layouts follow and `painted` is painted into `image`, as the window
// would be. Apart, so that a profiler can count it alone (callgrind --toggle-collect=*typeAmount*).
[[gnu::noinline]] void typeAmount(CalculatorStore &store, QWidget &painted, QImage &image, double amount)
{
    store.edit([amount](CalculatorState &s) { s.loanAmount = amount; });
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    painted.layout()->activate();
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painted.render(&painter);
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
}

// Alternates between two amounts, so that every keystroke changes the figures; the first two, unmeasured,
// fill the glyph caches at the image's scale.
void keystroke(benchmark::State &bench, CalculatorStore &store, QWidget &painted, qreal scale)
{
    if (store.scenario()->schedule.size() != 2600)
        bench.SkipWithError("the schedule is not 2,600 rows");
    QImage image(painted.size() * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    const double amounts[2] = {72000, 720000};
    for (double amount : amounts)
        typeAmount(store, painted, image, amount);
    int i = 0;
    for (auto _ : bench)
        typeAmount(store, painted, image, amounts[i++ & 1]);
    bench.counters["rows"] = double(store.scenario()->schedule.size());
    bench.counters["height"] = painted.height();
}

void page(benchmark::State &bench, qreal scale, bool costs)
{
    Window w(costs);
    keystroke(bench, w.store, w.window, scale);
}

void BM_RepaymentKeystroke_Scale2(benchmark::State &bench) { page(bench, 2, false); }
void BM_RepaymentKeystroke_Scale1(benchmark::State &bench) { page(bench, 1, false); }
void BM_RepaymentKeystroke_FeesFixedCompare_Scale2(benchmark::State &bench) { page(bench, 2, true); }

} // namespace

BENCHMARK(BM_RepaymentKeystroke_Scale2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaymentKeystroke_Scale1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaymentKeystroke_FeesFixedCompare_Scale2)->Unit(benchmark::kMillisecond);

BROLGA_WIDGET_BENCHMARK_MAIN()

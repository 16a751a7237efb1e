// One keystroke on the Repayment screen: the loan amount changes, the store notifies, the screen refreshes
// (a new 2,600-row schedule for a 50-year weekly loan drawn as the projection chart), lays itself out and
// is painted into an image, as the window would be. With the lender's fees, a fixed portion and the rate
// comparison on, each keystroke also works every loan in two portions, solves two comparison rates (the loan's
// and the $150,000 example) and works two rate rises.

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
        store.edit([costs](CalculatorState &s) {
            s = CalculatorState{};
            s.loanAmount = 720000;
            s.interestRate = 6.09;
            s.loanTermYears = 50;
            s.frequency = PaymentFrequency::weekly;
            s.repaymentType = RepaymentType::principalAndInterest;
            s.extraRepayment = 0;
            s.isCompareMode = false;
            s.showProjection = true;
            s.projectionView = ProjectionView::chart;
            if (costs) {
                // A monthly fee on weekly repayments: the solver's slowest case.
                s.isCompareMode = true;
                s.feesEnabled = true;
                s.establishmentFee = 600;
                s.ongoingFee = 10;
                s.dischargeFee = 350;
                s.fixedEnabled = true;
                s.fixedAmount = 300000;
            }
        });
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

void keystroke(benchmark::State &bench, qreal scale, bool costs = false)
{
    Window w(costs);
    if (w.store.scenario()->schedule.size() != 2600)
        bench.SkipWithError("the schedule is not 2,600 rows");
    QImage image(QSize(470, w.window.height()) * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    // Alternate between two amounts so that every keystroke changes the figures.
    double amounts[2] = {72000, 720000};
    int i = 0;
    for (auto _ : bench) {
        const double amount = amounts[i++ & 1];
        w.store.edit([amount](CalculatorState &s) { s.loanAmount = amount; });
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        w.window.layout()->activate();
        image.fill(Qt::transparent);
        QPainter painter(&image);
        w.window.render(&painter);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    bench.counters["rows"] = double(w.store.scenario()->schedule.size());
}

void BM_RepaymentKeystroke_Scale2(benchmark::State &bench) { keystroke(bench, 2); }
void BM_RepaymentKeystroke_Scale1(benchmark::State &bench) { keystroke(bench, 1); }
void BM_RepaymentKeystroke_FeesFixedCompare_Scale2(benchmark::State &bench) { keystroke(bench, 2, true); }

} // namespace

BENCHMARK(BM_RepaymentKeystroke_Scale2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaymentKeystroke_Scale1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaymentKeystroke_FeesFixedCompare_Scale2)->Unit(benchmark::kMillisecond);

BROLGA_WIDGET_BENCHMARK_MAIN()

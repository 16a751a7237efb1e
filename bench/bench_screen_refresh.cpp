// One keystroke on the Capacity (also with the applicants in detail), Income and Upfront screens, as
// bench_repayment_refresh measures it for Repayment: a figure changes, the store notifies, the screen refreshes,
// lays itself out and is painted into an image at two pixels per point. emptyWindowPaint is the floor: an empty
// window of the calculator's size painted the same way.

#include "core/CalculatorStore.h"
#include "ui/CapacityView.h"
#include "ui/IncomeView.h"
#include "ui/UpfrontView.h"

#include <QApplication>
#include <QImage>
#include <QLayout>
#include <QPainter>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include "WidgetBenchMain.h"

#include <functional>

using namespace brolga;

namespace {

constexpr qreal scale = 2;

void paintInto(QImage &image, QWidget &window)
{
    image.fill(Qt::transparent);
    QPainter painter(&image);
    window.render(&painter);
}

// `change(state, i)` is the keystroke; it alternates between two values so every one changes the figures.
template <typename View>
void keystroke(benchmark::State &bench, const std::function<void(CalculatorState &, int)> &change,
               const CalculatorState &start = {})
{
    CalculatorStore store;
    store.setState(start);
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(new View(store, &window));
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.resize(470, window.sizeHint().height());
    window.show();
    QCoreApplication::processEvents();

    QImage image(window.size() * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    int i = 0;
    for (auto _ : bench) {
        const int n = i++;
        store.edit([&](CalculatorState &s) { change(s, n & 1); });
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        window.layout()->activate();
        paintInto(image, window);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_CapacityKeystroke(benchmark::State &bench)
{
    keystroke<CapacityView>(bench, [](CalculatorState &s, int odd) { s.grossIncome = odd ? 95000 : 140000; });
}
// The applicants in detail, every detail entered: each income taxed apart, HELP, rent and cards.
void BM_CapacityInDetailKeystroke(benchmark::State &bench)
{
    CalculatorState start;
    start.applicantsInDetail = true;
    start.applicantType = ApplicantType::couple;
    start.applicant2Income = 20000;
    start.applicant1HasHELP = start.applicant2HasHELP = true;
    start.rentalIncome = 26000;
    start.cardLimits = 10000;
    start.otherLoanBalances = 25000;
    start.floorRatePercent = 9.5;
    keystroke<CapacityView>(
        bench, [](CalculatorState &s, int odd) { s.applicant1Income = odd ? 95000 : 130000; }, start);
}
void BM_IncomeKeystroke(benchmark::State &bench)
{
    keystroke<IncomeView>(bench, [](CalculatorState &s, int odd) {
        s.employmentType = EmploymentType::casual;
        s.payBasis = PayBasis::hourly;
        s.overtimeAnnual = 6000;
        s.bonusThisFY = 4000;
        s.payRate = odd ? 42.5 : 48;
    });
}
void BM_UpfrontKeystroke(benchmark::State &bench)
{
    keystroke<UpfrontView>(bench, [](CalculatorState &s, int odd) { s.purchasePrice = odd ? 650000 : 800000; });
}

void BM_EmptyWindowPaint(benchmark::State &bench)
{
    QWidget window;
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.resize(470, 700);
    window.show();
    QCoreApplication::processEvents();
    QImage image(window.size() * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    for (auto _ : bench) {
        window.update();
        paintInto(image, window);
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

BENCHMARK(BM_CapacityKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CapacityInDetailKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IncomeKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UpfrontKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EmptyWindowPaint)->Unit(benchmark::kMillisecond);

BROLGA_WIDGET_BENCHMARK_MAIN()

// The one-step export's own work: each tab's card laid out, drawn at two pixels per point and encoded as PNG.
// The argument is the tab (0 Repayment, 1 Capacity, 2 Income, 3 Upfront). encodeBlankCard is the floor: an
// image of the Repayment card's size in one colour, encoded the same way.
#include "core/CalculatorStore.h"
#include "export/card/ExportCard.h"
#include "export/card/SnapshotExporter.h"

#include <QApplication>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

#include "WidgetBenchMain.h"

using namespace brolga;

namespace {

CalculatorStore &store()
{
    static CalculatorStore *s = [] {
        auto *st = new CalculatorStore;
        st->edit([](CalculatorState &state) {
            state = CalculatorState{};
            state.activeTab = CalculatorTab::repayment;
            state.brokerName = QStringLiteral("Ana Silva");
            state.brokerCompany = QStringLiteral("Harbour Loans");
            state.brokerPhone = QStringLiteral("0400 000 000");
            state.extraRepayment = 200;
            state.isCompareMode = true;
        });
        return st;
    }();
    return *s;
}

void showTab(CalculatorStore &s, int tab)
{
    s.edit([tab](CalculatorState &state) { state.activeTab = static_cast<CalculatorTab>(tab); });
}

void renderCard(benchmark::State &bs)
{
    auto &s = store();
    showTab(s, int(bs.range(0)));
    for (auto _ : bs)
        benchmark::DoNotOptimize(SnapshotExporter::renderImage(s, std::nullopt));
}
BENCHMARK(renderCard)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void renderAndEncodeCard(benchmark::State &bs)
{
    auto &s = store();
    showTab(s, int(bs.range(0)));
    for (auto _ : bs)
        benchmark::DoNotOptimize(SnapshotExporter::pngData(SnapshotExporter::renderImage(s, std::nullopt)));
}
BENCHMARK(renderAndEncodeCard)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void encodeBlankCard(benchmark::State &bs)
{
    auto &s = store();
    showTab(s, 0);
    QImage blank(SnapshotExporter::renderImage(s, std::nullopt).size(), QImage::Format_RGB32);
    blank.fill(Qt::white);
    for (auto _ : bs)
        benchmark::DoNotOptimize(SnapshotExporter::pngData(blank));
}
BENCHMARK(encodeBlankCard)->Unit(benchmark::kMillisecond);

} // namespace

BROLGA_WIDGET_BENCHMARK_MAIN()

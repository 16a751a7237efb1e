// The one-step export's own work: the repayment card laid out, drawn at two pixels per point and encoded as PNG.
#include "core/CalculatorStore.h"
#include "export/ExportCard.h"
#include "export/SnapshotExporter.h"

#include <QApplication>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

using namespace brolga;

namespace {

CalculatorStore &store()
{
    static CalculatorStore *s = [] {
        auto *st = new CalculatorStore;
        st->edit([](CalculatorState &state) {
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

void renderRepaymentCard(benchmark::State &bs)
{
    auto &s = store();
    for (auto _ : bs)
        benchmark::DoNotOptimize(SnapshotExporter::renderImage(s, std::nullopt));
}
BENCHMARK(renderRepaymentCard)->Unit(benchmark::kMillisecond);

void renderAndEncodeRepaymentCard(benchmark::State &bs)
{
    auto &s = store();
    for (auto _ : bs)
        benchmark::DoNotOptimize(SnapshotExporter::pngData(SnapshotExporter::renderImage(s, std::nullopt)));
}
BENCHMARK(renderAndEncodeRepaymentCard)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QStandardPaths::setTestModeEnabled(true);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

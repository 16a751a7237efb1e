// The client report of all four tabs for a 50-year weekly loan with a rate comparison (2,600 periods, 50
// table rows): laid out, and laid out and written as PDF bytes, without and with a broker's logo; beside it
// the Repayment export card drawn and encoded, measured in the same run. The "bytes" counter is the file's size.
#include "brand/Theme.h"
#include "core/CalculatorStore.h"
#include "export/card/SnapshotExporter.h"
#include "export/report/ReportContent.h"
#include "export/report/ReportDocument.h"

#include <QApplication>
#include <QPainter>
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
            state.brokerName = QStringLiteral("Ana Silva");
            state.brokerCompany = QStringLiteral("Harbour Loans");
            state.brokerPhone = QStringLiteral("0400 000 000");
            state.loanTermYears = 50;
            state.frequency = PaymentFrequency::weekly;
            state.isCompareMode = true;
        });
        return st;
    }();
    return *s;
}

// A logo of photographic detail at print size, the kind a broker exports from a design program.
const QImage &logo()
{
    static const QImage image = [] {
        QImage im(1200, 400, QImage::Format_ARGB32);
        for (int y = 0; y < im.height(); ++y)
            for (int x = 0; x < im.width(); ++x)
                im.setPixel(x, y, qRgba((x * 7 + y) & 0xFF, (x ^ y) & 0xFF, (x * y) & 0xFF, x < 40 ? 0 : 255));
        return im;
    }();
    return image;
}

std::optional<QImage> logoFor(benchmark::State &bs)
{
    return bs.range(0) ? std::optional<QImage>(logo()) : std::nullopt;
}

void layOutReport(benchmark::State &bs)
{
    const auto withLogo = logoFor(bs);
    for (auto _ : bs) {
        const ReportDocument doc(ReportContent::from(store(), {}), Theme::house(), withLogo);
        benchmark::DoNotOptimize(doc.pageCount());
    }
}
BENCHMARK(layOutReport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void layOutAndWriteReport(benchmark::State &bs)
{
    const auto withLogo = logoFor(bs);
    qint64 bytes = 0;
    int pages = 0;
    for (auto _ : bs) {
        const ReportDocument doc(ReportContent::from(store(), {}), Theme::house(), withLogo);
        const QByteArray pdf = doc.toPdf();
        bytes = pdf.size();
        pages = doc.pageCount();
        benchmark::DoNotOptimize(pdf.data());
    }
    bs.counters["bytes"] = double(bytes);
    bs.counters["pages"] = pages;
}
BENCHMARK(layOutAndWriteReport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The header with a broker name of N characters and no break in it (a damaged record's, or brolga-report's
// --prepared-for): only the lines shown are made, so the time grows with N, not with its square.
void layOutUnbrokenName(benchmark::State &bs)
{
    ReportContent content = ReportContent::from(store(), {});
    content.letterhead.identity = QStringList{QString(bs.range(0), u'N')};
    for (auto _ : bs) {
        const ReportDocument doc(content, Theme::house(), std::nullopt);
        benchmark::DoNotOptimize(doc.pageCount());
    }
    bs.SetComplexityN(bs.range(0));
}
BENCHMARK(layOutUnbrokenName)->Arg(100000)->Arg(200000)->Arg(400000)->Complexity()->Unit(benchmark::kMillisecond);

void cardForComparison(benchmark::State &bs)
{
    store().edit([](CalculatorState &state) { state.activeTab = CalculatorTab::repayment; });
    for (auto _ : bs)
        benchmark::DoNotOptimize(SnapshotExporter::pngData(SnapshotExporter::renderImage(store(), std::nullopt)));
}
BENCHMARK(cardForComparison)->Unit(benchmark::kMillisecond);

} // namespace

BROLGA_WIDGET_BENCHMARK_MAIN()

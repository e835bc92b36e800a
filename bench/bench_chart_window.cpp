// The cash flow chart window on generated books of 100,000 transactions over ten years,
// offscreen: from opening the window (the series built, the chart laid out) to its first full
// paint, for the "Weekly" range it opens on and for "Daily", the range with the most points.
// The window is 1100 x 760.

#include "charts/CashFlowChart.h"
#include "engine/Engine.h"
#include "filters/GeneratedDocument.h"
#include "platform/ScriptedPrompts.h"

#include <QApplication>
#include <QComboBox>
#include <QPixmap>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace qz;
using namespace qz::gui;

struct Books {
    TLedger Ledger;
    TDocumentContent Content;
    TDisplayFormats Formats;
    ScriptedPrompts Prompts;

    Books() {
        TGeneratorOptions options;
        options.Transactions = 100'000;
        options.Years = 10;
        GenerateDocument(Ledger, options, "GST", Content);
        Recalculate(Ledger);
    }
};

Books& HundredThousand() {
    static Books* books = new Books;
    return *books;
}

// The argument is the range: 1 "Weekly", 0 "Daily". "Daily" is chosen once the window is open,
// so that run measures the rebuild and the paint of the longest series.
void BM_ChartWindowToFirstPaint(benchmark::State& state) {
    Books& books = HundredThousand();
    TChartContext context;
    context.Ledger = &books.Ledger;
    context.Settings = &books.Content.Settings;
    context.Formats = &books.Formats;
    context.Ask = &books.Prompts;
    context.Today = EncodeDate(2026, 12, 10);
    const auto range = static_cast<int>(state.range(0));
    for (auto _ : state) {
        auto window = std::make_unique<TCashFlowChart>(context);
        window->resize(1100, 760);
        window->show();
        if (range != static_cast<int>(TSliceKind::Week))
            window->RangeBox->setCurrentIndex(range);
        QCoreApplication::sendPostedEvents();
        // A full paint of the window, the chart included.
        const QPixmap picture = window->grab();
        benchmark::DoNotOptimize(picture.cacheKey());
        // Closing the window is not part of opening it.
        state.PauseTiming();
        state.counters["buckets"] = window->Series().Credits.Count();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ChartWindowToFirstPaint)
    ->Arg(1)
    ->Arg(0)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Printing a report: the detailed GST report of generated books of 100k transactions for one
// whole year, put on pages and drawn into a PDF by the same code the printer uses; and the
// pagination alone. Pages per second are reported beside the time.

#include "BenchBooks.h"
#include "reports/GstReport.h"
#include "reports/PageSetup.h"
#include "reports/ReportPainter.h"
#include "reports/ReportRun.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace qz;
using namespace qz::gui;

// The detailed GST report of the year 1 July 2022 to 30 June 2023 of three generated years.
const TReport& Report() {
    static const TReport report = [] {
        TLedger ledger;
        bench::GenerateBenchBooks(ledger, 100'000, 3, 2021);
        TFileSettings settings;
        settings.TaxOn = 1;
        settings.TaxName = "GST";
        settings.BusinessName = "Bench";
        TReportOptions report;
        report.Detailed = true;
        report.Subtitle = "01/07/2022 Through 30/06/2023";
        const TReportRun run(ledger, EncodeDate(2022, 7, 1), EncodeDate(2023, 6, 30), true);
        return GstReport(ledger, settings, report, TDisplayFormats());
    }();
    return report;
}

QPageLayout A4Portrait() {
    TSpecPageSetup page;
    page.Paper = QPageSize(QPageSize::A4);
    return page.PageLayout();
}

void BM_Paginate(benchmark::State& state) {
    const TReport& report = Report();
    const QPageLayout layout = A4Portrait();
    int pages = 0;
    for (auto _ : state) {
        const TReportPainter painter(report, layout);
        pages = painter.PageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
    state.counters["lines"] = static_cast<double>(report.Lines.size());
}
BENCHMARK(BM_Paginate)->Unit(benchmark::kMillisecond);

void BM_SavePdf(benchmark::State& state) {
    const TReport& report = Report();
    const QPageLayout layout = A4Portrait();
    const int pages = TReportPainter(report, layout).PageCount();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("gst.pdf"));
    for (auto _ : state)
        if (!SavePdf(report, layout, path))
            state.SkipWithError("the PDF could not be written");
    state.counters["pages"] = pages;
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_SavePdf)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The cash flow statement and the detailed GST report of generated books of 100k
// transactions for one whole year: the figures and the printable lines, no rendering. First
// from books already prepared for the report (the target), then with the report run that
// prepares them (the switch GstInTotals off with a recalculation, and on again afterwards).

#include "BenchBooks.h"
#include "reports/CashFlowReport.h"
#include "reports/GstReport.h"
#include "reports/ReportRun.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace qz;

struct Books {
    TLedger Ledger;
    TDisplayFormats Formats;
    TFileSettings Settings;
    TReportOptions Options;
    TDateTime From = EncodeDate(2022, 7, 1);
    TDateTime To = EncodeDate(2023, 6, 30);

    Books() {
        bench::GenerateBenchBooks(Ledger, 100'000, 3, 2021);
        Settings.TaxOn = 1;
        Settings.TaxName = "GST";
        Settings.BusinessName = "Bench";
        Options.Subtitle = "01/07/2022 Through 30/06/2023";
    }
};

Books& Shared() {
    static auto books = std::make_unique<Books>();
    return *books;
}

enum Report { CashFlowBasic = 0, CashFlowDetailed = 1, GstDetailed = 2 };

TReport Lay(Books& books, std::int64_t report) {
    books.Options.Detailed = report != CashFlowBasic;
    return report == GstDetailed ? GstReport(books.Ledger, books.Settings, books.Options, books.Formats)
                                 : CashFlowReport(books.Ledger, books.Settings, books.Options, books.Formats);
}

void Count(benchmark::State& state, const Books& books, const TReport& report) {
    state.counters["lines"] = static_cast<double>(report.Lines.size());
    state.counters["shown"] = books.Ledger.TransList.VisibleCount;
}

// Figures and lines from books the report run has prepared.
void BM_Layout(benchmark::State& state) {
    Books& books = Shared();
    const TReportRun run(books.Ledger, books.From, books.To, true);
    TReport report;
    for (auto _ : state) {
        report = Lay(books, state.range(0));
        benchmark::DoNotOptimize(report.Lines.data());
    }
    Count(state, books, report);
}
BENCHMARK(BM_Layout)
    ->ArgName("report")
    ->Arg(CashFlowBasic)
    ->Arg(CashFlowDetailed)
    ->Arg(GstDetailed)
    ->Unit(benchmark::kMillisecond);

// The whole run as the Reports window makes it with tax in the worksheet's totals: the two
// recalculations of the run object and the report between them.
void BM_Run(benchmark::State& state) {
    Books& books = Shared();
    TReport report;
    for (auto _ : state) {
        const TReportRun run(books.Ledger, books.From, books.To, true);
        report = Lay(books, state.range(0));
        benchmark::DoNotOptimize(report.Lines.data());
    }
    Count(state, books, report);
}
BENCHMARK(BM_Run)
    ->ArgName("report")
    ->Arg(CashFlowBasic)
    ->Arg(CashFlowDetailed)
    ->Arg(GstDetailed)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

// The chart windows' figures of a generated book of a million transactions over five years:
// the cash flow chart's series (the target is the monthly one) with its legend, and the
// totals charts' points and bars. No drawing.

#include "BenchBooks.h"
#include "reports/CashFlowSeries.h"
#include "reports/TotalsSeries.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace qz;

struct Books {
    TLedger Ledger;
    TDisplayFormats Formats;

    Books() { bench::GenerateBenchBooks(Ledger, 1'000'000, 5, 2019); }
};

Books& Shared() {
    static auto books = std::make_unique<Books>();
    return *books;
}

void BM_CashFlowSeries(benchmark::State& state) {
    Books& books = Shared();
    const auto kind = static_cast<TSliceKind>(state.range(0));
    std::size_t points = 0;
    for (auto _ : state) {
        const TCashFlowSeries series = BuildCashFlowSeries(books.Ledger, kind, state.range(1) != 0, 0);
        const TCashFlowLegend legend = CashFlowLegend(series, books.Formats);
        benchmark::DoNotOptimize(legend.AverageBalance);
        points = series.CreditBars.Points.size();
    }
    state.counters["buckets"] = static_cast<double>(points);
    state.counters["shown"] = books.Ledger.TransList.VisibleCount;
}
BENCHMARK(BM_CashFlowSeries)
    ->ArgNames({"range", "net"})
    ->Args({static_cast<int>(TSliceKind::Month), 0})
    ->Args({static_cast<int>(TSliceKind::Month), 1})
    ->Args({static_cast<int>(TSliceKind::Day), 0})
    ->Args({static_cast<int>(TSliceKind::Week), 0})
    ->Args({static_cast<int>(TSliceKind::Quarter), 0})
    ->Unit(benchmark::kMillisecond);

void BM_CategoryPoints(benchmark::State& state) {
    Books& books = Shared();
    for (auto _ : state) {
        auto points = CategoryChartPoints(books.Ledger, TCatChartMode::Categories, SideCredit);
        benchmark::DoNotOptimize(points.data());
    }
}
BENCHMARK(BM_CategoryPoints)->Unit(benchmark::kMicrosecond);

// The account bars walk every shown transaction for the accounts' totals.
void BM_AccountBars(benchmark::State& state) {
    Books& books = Shared();
    for (auto _ : state) {
        TTotalsBars bars = AccountTotalsBars(books.Ledger, true);
        benchmark::DoNotOptimize(bars.Credits.Points.data());
    }
}
BENCHMARK(BM_AccountBars)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

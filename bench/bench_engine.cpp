// The engine on generated books of 10k, 100k and 1M transactions: linking, the full
// recalculation (with no filter, and with a date range plus a category selection), the view
// sorts, the key sort, and the memory a transaction takes.

#include "engine/Engine.h"
#include "engine/Generator.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <fstream>
#include <map>
#include <memory>
#include <unistd.h>

namespace {

using namespace qz;

TGeneratorOptions OptionsFor(std::int64_t transactions) {
    TGeneratorOptions options;
    options.Seed = 42;
    options.Transactions = static_cast<std::int32_t>(transactions);
    options.Accounts = 4;
    options.Categories = 40;
    options.SubCategoriesPerCategory = 4;
    options.Groups = 8;
    options.Years = 10;
    options.StartYear = 2015;
    return options;
}

// One ledger per size, built once and shared by every benchmark of that size.
TLedger& Books(std::int64_t transactions) {
    static std::map<std::int64_t, std::unique_ptr<TLedger>> cache;
    auto& slot = cache[transactions];
    if (!slot) {
        slot = std::make_unique<TLedger>();
        GenerateLedger(*slot, OptionsFor(transactions));
        Recalculate(*slot);
    }
    return *slot;
}

void ClearSelection(TLedger& ledger) {
    ledger.Switches = TCalcSwitches();
    ledger.TransList.ResetRange(0);
    for (TSubActRec* s : ledger.SubActList.KeyList)
        s->Selected = 1;
}

void BM_LinkRecords(benchmark::State& state) {
    TLedger& ledger = Books(state.range(0));
    for (auto _ : state)
        LinkRecords(ledger);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Recalculate(benchmark::State& state) {
    TLedger& ledger = Books(state.range(0));
    ClearSelection(ledger);
    for (auto _ : state)
        Recalculate(ledger);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The last three years and the income categories only.
void BM_RecalculateRangeAndCategories(benchmark::State& state) {
    TLedger& ledger = Books(state.range(0));
    ClearSelection(ledger);
    ledger.Switches.DateRangeActive = true;
    ledger.Switches.CategorySelectionActive = true;
    ledger.TransList.SetRangeDate(1, ledger.TransList.DateTo - 3 * 365);
    for (TSubActRec* s : ledger.SubActList.KeyList)
        s->Selected = s->Side == SideCredit;
    for (auto _ : state)
        Recalculate(ledger);
    state.SetItemsProcessed(state.iterations() * state.range(0));
    ClearSelection(ledger);
}

// Each sort starts from the same mixed order (the amount order), as after a click on another column.
void BM_SortRows(benchmark::State& state) {
    TLedger& ledger = Books(state.range(1));
    ClearSelection(ledger);
    Recalculate(ledger);
    const auto order = static_cast<std::uint8_t>(state.range(0));
    ledger.TransList.SortRows(9);
    const std::vector<TTransRec*> start = ledger.TransList.RowList;
    for (auto _ : state) {
        state.PauseTiming();
        ledger.TransList.RowList = start;
        state.ResumeTiming();
        ledger.TransList.SortRows(order);
    }
    state.SetItemsProcessed(state.iterations() * state.range(1));
    ledger.TransList.RowList = ledger.TransList.KeyList;
}

void BM_SortByKey(benchmark::State& state) {
    TLedger& ledger = Books(state.range(0));
    const std::vector<TTransRec*> keyOrder = ledger.TransList.KeyList;
    std::vector<TTransRec*> mixed = ledger.TransList.RowList;
    ledger.TransList.SortRows(9);
    mixed = ledger.TransList.RowList;
    for (auto _ : state) {
        state.PauseTiming();
        ledger.TransList.KeyList = mixed;
        state.ResumeTiming();
        ledger.TransList.SortByKey();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    benchmark::DoNotOptimize(ledger.TransList.KeyList == keyOrder);
    ledger.TransList.KeyList = keyOrder;
    ledger.TransList.RowList = keyOrder;
}

long ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// Resident memory added by building 1M transactions, per transaction (records, both list
// orders, notes and the classification lists), once the build's temporary memory is returned.
void BM_MemoryPerTransaction(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    double perTransaction = 0;
    for (auto _ : state) {
        malloc_trim(0);
        const long before = ResidentBytes();
        auto ledger = std::make_unique<TLedger>();
        GenerateLedger(*ledger, OptionsFor(count));
        malloc_trim(0);
        perTransaction = static_cast<double>(ResidentBytes() - before) / static_cast<double>(count);
        state.PauseTiming();
        ledger.reset();
        state.ResumeTiming();
    }
    state.counters["bytes_per_transaction"] = perTransaction;
}

const std::int64_t Sizes[] = {10'000, 100'000, 1'000'000};

void SizesOnly(benchmark::internal::Benchmark* b) {
    for (std::int64_t n : Sizes)
        b->Arg(n);
    b->Unit(benchmark::kMillisecond);
}

void OrdersAndSizes(benchmark::internal::Benchmark* b) {
    for (std::int64_t order : {0, 1, 4, 11})
        for (std::int64_t n : Sizes)
            b->Args({order, n});
    b->ArgNames({"order", "n"});
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_LinkRecords)->Apply(SizesOnly);
BENCHMARK(BM_Recalculate)->Apply(SizesOnly);
BENCHMARK(BM_RecalculateRangeAndCategories)->Apply(SizesOnly);
BENCHMARK(BM_SortRows)->Apply(OrdersAndSizes);
BENCHMARK(BM_SortByKey)->Apply(SizesOnly);
BENCHMARK(BM_MemoryPerTransaction)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

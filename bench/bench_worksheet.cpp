// The worksheet on generated books of 1M transactions: the texts of one screen (40 rows) of
// each view at the top, the middle and the end (also under a date range, and in descending
// order), a re-sort of the Transactions view by each sortable column with the refresh that
// follows, and a date-range change up to the refreshed totals texts.

#include "engine/Engine.h"
#include "engine/Generator.h"
#include "worksheet/Worksheet.h"
#include "worksheet/WorksheetFilters.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace qz;

constexpr std::int32_t ScreenRows = 40;
constexpr std::int32_t Transactions = 1'000'000;

// A window that draws nothing but reads what a real one reads when told of a change.
class NoWindow : public TWorksheetWindow {
public:
    const TWorksheet* Sheet = nullptr;

    void ShowColumnSet(TGridInfo&) override {}
    void ShowViewPanels() override {}
    void RefreshGrid(std::int32_t rows) override { benchmark::DoNotOptimize(rows); }
    void RepaintGrid() override {}
    void ScrollGridToTop(bool) override {}
    void ShowTaxSummary(const TTaxSummary& summary) override { benchmark::DoNotOptimize(summary.Values[5].data()); }
    void FiltersChanged() override {}
    void ToolButtonsChanged() override { benchmark::DoNotOptimize(Sheet->ReportsEnabled()); }
    void AccountBarChanged() override {}
    void ShowProgress(int) override {}
    void StoreOption(TWorksheetOption, bool) override {}
};

// Dialogs that are never opened here.
class NoDialogs : public TWorksheetDialogs {
public:
    bool CheckAccess(TAccessArea) override { return true; }
    bool EditAccounts(TBookRec*) override { return false; }
    bool EditTransactionOfRow(std::int32_t, TTransRec&) override { return false; }
    bool EditTransfer(TTransRec&) override { return false; }
    bool EditCategory(TMainActRec*, TSubActRec*) override { return false; }
    bool EditGroups(TGroupRec*) override { return false; }
    bool EditCategoryTypes(TCatRec*) override { return false; }
    bool FindCategory(bool, TCategoryFound&) override { return false; }
    bool SelectCategories(bool) override { return false; }
    bool SelectGroups(bool) override { return false; }
    bool OpenSearch(bool) override { return false; }
    void ReapplySearch() override {}
    bool PickMonths(TMonth&, TMonth&) override { return false; }
    void NewTransaction() override {}
};

struct Books {
    TLedger Ledger;
    TDisplayFormats Formats;
    NoWindow Window;
    NoDialogs Dialogs;
    TWorksheet Sheet{Ledger, Formats, Window};
    TWorksheetFilters Filters{Sheet, Dialogs};

    Books() {
        Window.Sheet = &Sheet;
        TGeneratorOptions options;
        options.Seed = 42;
        options.Transactions = Transactions;
        options.Accounts = 4;
        options.Categories = 40;
        options.SubCategoriesPerCategory = 4;
        options.Groups = 8;
        options.Years = 10;
        options.StartYear = 2015;
        GenerateLedger(Ledger, options);
        Sheet.SetTax(true, "GST");
        Recalculate(Ledger);
    }

    // No filter, every view in its default order, ascending.
    void Plain() {
        Filters.ResetSelections();
        Sheet.ResetViewPositions(true);
        for (int view = 0; view < ViewCount; ++view)
            Sheet.SortView(view);
    }
};

Books& Shared() {
    static auto books = std::make_unique<Books>();
    return *books;
}

enum Position { Top = 0, Middle = 1, End = 2 };
enum Variant { Ascending = 0, Descending = 1, LastYear = 2 };

std::int32_t FirstLine(std::int32_t rows, std::int64_t position) {
    switch (position) {
    case Top:
        return 0;
    case Middle:
        return std::max(0, rows / 2 - ScreenRows / 2);
    default:
        return std::max(0, rows - ScreenRows);
    }
}

// One screen of a view: what the grid asks when it paints its rows.
void BM_ScreenTexts(benchmark::State& state) {
    Books& books = Shared();
    books.Plain();
    const int view = static_cast<int>(state.range(0));
    if (state.range(2) == Descending)
        books.Sheet.GridInfo[view].SortDirection = sdDescending;
    if (state.range(2) == LastYear) {
        books.Filters.DateRangeBtnClick(true);
        books.Filters.PickRangeDate(1, books.Ledger.TransList.DateTo - 365);
    }
    books.Sheet.SwitchView(view);
    const std::int32_t rows = books.Sheet.RowCount();
    const std::int32_t first = FirstLine(rows, state.range(1));
    const std::int32_t last = std::min(rows, first + ScreenRows);
    std::vector<std::string> slots(GridMaxCols);
    bool enabled = true;
    std::uint8_t rowType = 0;
    for (auto _ : state) {
        for (std::int32_t line = first; line < last; ++line) {
            books.Sheet.GridB1GetText(line, slots, enabled, rowType);
            benchmark::DoNotOptimize(slots.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * (last - first));
    state.counters["rows"] = rows;
    books.Sheet.SwitchView(ViewTransactions);
    books.Plain();
}

void ScreenArgs(benchmark::internal::Benchmark* b) {
    for (int view = 0; view < ViewCount; ++view)
        for (int position : {Top, Middle, End})
            b->Args({view, position, Ascending});
    for (int position : {Top, Middle, End}) {
        b->Args({ViewTransactions, position, Descending});
        b->Args({ViewTransactions, position, LastYear});
    }
    b->ArgNames({"view", "at", "variant"});
    b->Unit(benchmark::kMicrosecond);
}

// A column button of the Transactions view: the list sorted by the column's key, then the
// refresh (totals texts, row count). Each sort starts from date order.
void BM_SortTransactionsBy(benchmark::State& state) {
    Books& books = Shared();
    books.Plain();
    books.Sheet.SwitchView(ViewTransactions);
    TGridInfo& info = books.Sheet.GridInfo[ViewTransactions];
    const auto key = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        info.SortIndex = 1;
        books.Sheet.SortView(ViewTransactions);
        info.SortIndex = key;
        state.ResumeTiming();
        books.Sheet.SortActiveView();
    }
    books.Plain();
}

void SortableKeys(benchmark::internal::Benchmark* b) {
    const TGridInfo info = DefaultColumnSet(ViewTransactions);
    std::vector<std::int32_t> keys;
    for (const TColProperty& column : info.ColInfo.Items)
        if (column.AllowSort && std::find(keys.begin(), keys.end(), column.SortIndex) == keys.end())
            keys.push_back(column.SortIndex);
    for (std::int32_t key : keys)
        b->Arg(key);
    b->ArgName("key");
    b->Unit(benchmark::kMillisecond);
}

// A lower date picked: the range pass, the running balances and the refreshed totals texts,
// alternating between two dates so that every pick changes the range.
void BM_DateRangeChange(benchmark::State& state) {
    Books& books = Shared();
    books.Plain();
    books.Sheet.SwitchView(static_cast<int>(state.range(0)));
    books.Filters.DateRangeBtnClick(true);
    const TDateTime last = books.Ledger.TransList.DateTo;
    const TDateTime days[2] = {last - 3 * 365, last - 2 * 365};
    int pick = 0;
    for (auto _ : state) {
        books.Filters.PickRangeDate(1, days[pick]);
        pick ^= 1;
    }
    benchmark::DoNotOptimize(books.Sheet.GridInfo[ViewTransactions].ColInfo[0].TotalText.data());
    books.Sheet.SwitchView(ViewTransactions);
    books.Plain();
}

BENCHMARK(BM_ScreenTexts)->Apply(ScreenArgs);
BENCHMARK(BM_SortTransactionsBy)->Apply(SortableKeys);
BENCHMARK(BM_DateRangeChange)->Arg(ViewTransactions)->Arg(ViewSummary)->ArgName("view")->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

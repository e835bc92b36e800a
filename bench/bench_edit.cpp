// The editors' operations, each timed with its commit to the file and what the worksheet runs
// after it: renaming a category, and renumbering a category that 10,000 transactions use, in a
// 100k-transaction book; saving one new transaction through the transaction editor's session
// in a 100k and a 1M book, with the steps after the editor closes and the texts of one screen
// of rows; reconciling 5,000 ticked transactions in a 100k book. With syncing on, every action
// is one commit; the syncs it costs are counted.

#include "edit/CategoryEdit.h"
#include "edit/Reconcile.h"
#include "edit/TransactionAfterClose.h"
#include "engine/Engine.h"
#include "engine/Generator.h"
#include "platform/ScriptedPrompts.h"
#include "storage/FileConvert.h"
#include "storage/cfb/FaultyFileSystem.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <map>

namespace {

using namespace qz;

std::string Folder() {
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "qz-bench-edit-XXXXXX").string();
        std::string made = ::mkdtemp(pattern.data());
        std::atexit([] { std::filesystem::remove_all(Folder()); });
        return made;
    }();
    return folder;
}

class NoDialogs : public TEditDialogs {
public:
    bool ConfirmDelete() override { return true; }
};

// A file manager on a file layer that only counts, with every question answered Yes.
struct Desk {
    TLedger Ledger;
    ScriptedPrompts Prompts;
    PreparedQuestions Questions;
    FixedClock Clock{EncodeDate(2026, 7, 1)};
    FixedDrives Drive;
    cfb::TFaultyFileSystem Counting;
    TFileManager Files{Ledger, Prompts, Questions, Clock, Drive, Counting};
    TFileConvert Convert{Files, Ledger, Prompts, Questions, Clock, Counting};
    TAccessCheck Access{Files.Settings, nullptr};
    NoDialogs Dialogs;
    TEditContext Edit{Files, Ledger, Access, Prompts, Dialogs};
    explicit Desk(bool sync) {
        Files.ConnectLists();
        Files.SyncWrites = sync;
    }
};

// The category that 10,000 transactions are moved into before the book is written, and a
// number no category has.
std::int32_t Busy = 0;
constexpr std::int32_t FreeNumber = 999'999'900;

std::int32_t UsersOf(const TLedger& ledger, std::int32_t number) {
    std::int32_t users = 0;
    for (const TTransRec* t : ledger.TransList.KeyList)
        users += t->IsOrdinary() && t->MainAct == number;
    return users;
}

const std::string& Document() {
    static std::string path;
    if (path.empty()) {
        path = Folder() + "/books.kqk";
        Desk desk(false);
        TGeneratorOptions options;
        options.Seed = 42;
        options.Transactions = 100000;
        options.Accounts = 4;
        options.Categories = 40;
        options.Years = 10;
        options.StartYear = 2015;
        GenerateLedger(desk.Ledger, options);
        const TMainActRec* busy = nullptr;
        for (const TMainActRec* c : desk.Ledger.MainActList.KeyList)
            if (!busy && !IsTaxCategory(desk.Ledger, c->Number) && UsersOf(desk.Ledger, c->Number) < 10000)
                busy = c;
        std::int32_t moved = UsersOf(desk.Ledger, busy->Number);
        for (TTransRec* t : desk.Ledger.TransList.KeyList) {
            if (moved >= 10000)
                break;
            const TMainActRec* category = desk.Ledger.MainActList.FindByNumber(t->MainAct);
            if (!t->IsOrdinary() || !category || category == busy || category->Side != busy->Side ||
                IsTaxCategory(desk.Ledger, category->Number))
                continue;
            t->MainAct = busy->Number;
            t->SubAct = 1;
            ++moved;
        }
        Busy = busy->Number;
        if (moved != 10000 || desk.Ledger.MainActList.FindByNumber(FreeNumber))
            std::abort();
        desk.Files.Settings.TaxOn = 1;
        desk.Files.Settings.TaxName = "GST";
        desk.Files.Settings.GstPercent = Money::FromUnits(10);
        desk.Files.Settings.GstPaymentCat = desk.Ledger.GstPaymentCat;
        desk.Files.Settings.GstRefundCat = desk.Ledger.GstRefundCat;
        if (!desk.Files.WriteDocument(path))
            std::abort();
        desk.Files.Close(true, false);
    }
    return path;
}

struct OpenCopy {
    OpenCopy(bool sync, const std::string& name, const std::string& source = Document()) : Work(sync) {
        Path = Folder() + "/" + name;
        std::filesystem::copy_file(source, Path, std::filesystem::copy_options::overwrite_existing);
        if (!Work.Convert.OpenDocument(Path).Opened)
            std::abort();
    }
    ~OpenCopy() { Work.Files.Close(true, false); }
    Desk Work;
    std::string Path;
};

void Finish(benchmark::State& state, Desk& desk, int syncsBefore) {
    if (desk.Files.ReadOnlyMode)
        state.SkipWithError("a write failed");
    state.counters["syncs/action"] =
        double(desk.Counting.Count(cfb::FaultOp::Sync) - syncsBefore) / double(state.iterations());
}

// One action: the operation with its commit, then what the worksheet runs after the editor
// closes: the full recalculation and the category views sorted again.
void Recalculated(TLedger& ledger) {
    Recalculate(ledger);
    ledger.MainActList.SortRows(0);
    ledger.SubActList.SortRows(1);
}

void BM_RenameCategory(benchmark::State& state) {
    OpenCopy copy(state.range(0) != 0, "rename.kqk");
    Desk& desk = copy.Work;
    const std::int32_t index = desk.Ledger.MainActList.IndexOfNumber(Busy);
    const TMainActRec* category = desk.Ledger.MainActList.Items(index);
    TCategoryFields fields{Busy, category->Name.Str(), category->Side, category->CatType};
    const int syncs = desk.Counting.Count(cfb::FaultOp::Sync);
    int round = 0;
    for (auto _ : state) {
        fields.Name = "Renamed " + std::to_string(++round);
        if (!ChangeCategory(desk.Edit, desk.Ledger.MainActList.IndexOfNumber(Busy), fields).Done())
            state.SkipWithError("not renamed");
        Recalculated(desk.Ledger);
    }
    Finish(state, desk, syncs);
}

void BM_RenumberCategory(benchmark::State& state) {
    OpenCopy copy(state.range(0) != 0, "renumber.kqk");
    Desk& desk = copy.Work;
    std::int32_t number = Busy;
    const TMainActRec* category = desk.Ledger.MainActList.FindByNumber(number);
    TCategoryFields fields{number, category->Name.Str(), category->Side, category->CatType};
    state.counters["transactions"] = UsersOf(desk.Ledger, number);
    const int syncs = desk.Counting.Count(cfb::FaultOp::Sync);
    for (auto _ : state) {
        fields.Number = number == Busy ? FreeNumber : Busy;
        desk.Prompts.QueueAnswer(MsgResult::Yes);
        if (!ChangeCategory(desk.Edit, desk.Ledger.MainActList.IndexOfNumber(number), fields).Done())
            state.SkipWithError("not renumbered");
        number = fields.Number;
        Recalculated(desk.Ledger);
    }
    if (UsersOf(desk.Ledger, number) != 10000)
        state.SkipWithError("the transactions did not follow");
    Finish(state, desk, syncs);
}

// ---- Saving a new transaction ------------------------------------------------------------------

// A book of `transactions` generated records, written once per size.
const std::string& TransactionsDocument(std::int64_t transactions) {
    static std::map<std::int64_t, std::string> paths;
    std::string& path = paths[transactions];
    if (path.empty()) {
        path = Folder() + "/trans" + std::to_string(transactions) + ".kqk";
        Desk desk(false);
        TGeneratorOptions options;
        options.Seed = 42;
        options.Transactions = static_cast<std::int32_t>(transactions);
        options.Accounts = 4;
        options.Categories = 40;
        options.Years = 10;
        options.StartYear = 2015;
        GenerateLedger(desk.Ledger, options);
        desk.Files.Settings.TaxOn = 1;
        desk.Files.Settings.TaxName = "GST";
        desk.Files.Settings.GstPercent = Money::FromUnits(10);
        desk.Files.Settings.GstPaymentCat = desk.Ledger.GstPaymentCat;
        desk.Files.Settings.GstRefundCat = desk.Ledger.GstRefundCat;
        if (!desk.Files.WriteDocument(path))
            std::abort();
        desk.Files.Close(true, false);
    }
    return path;
}

// A window that draws nothing.
class NoWindow : public TWorksheetWindow {
public:
    void ShowColumnSet(TGridInfo&) override {}
    void ShowViewPanels() override {}
    void RefreshGrid(std::int32_t rows) override { benchmark::DoNotOptimize(rows); }
    void RepaintGrid() override {}
    void ScrollGridToTop(bool) override {}
    void ShowTaxSummary(const TTaxSummary&) override {}
    void FiltersChanged() override {}
    void ToolButtonsChanged() override {}
    void AccountBarChanged() override {}
    void ShowProgress(int) override {}
    void StoreOption(TWorksheetOption, bool) override {}
};

class CreditKind : public TTransactionDialogs {
public:
    int ChooseKind(const std::string&, const std::string&) override { return 0; }
    bool InputName(const std::string&, const std::string&, std::string&, Money&,
                   const std::function<bool(std::string&)>&) override {
        return false;
    }
};

constexpr std::int32_t ScreenRows = 40;

// One action: "&New Transaction" to OK, with the commit, then the steps after the editor closes
// (the view sorted again, the totals and running balances) and the texts of the screen of rows
// the grid paints, where the new transaction is.
void BM_SaveNewTransaction(benchmark::State& state) {
    const std::int64_t size = state.range(0);
    OpenCopy copy(state.range(1) != 0, "save" + std::to_string(size) + ".kqk", TransactionsDocument(size));
    Desk& desk = copy.Work;
    TLedger& ledger = desk.Ledger;
    NoWindow window;
    TDisplayFormats formats;
    TWorksheet sheet(ledger, formats, window);
    for (int view = 0; view < ViewCount; ++view)
        sheet.SortView(view);
    Recalculate(ledger);
    const TSubActRec* sale = nullptr;
    for (const TSubActRec* sub : ledger.SubActList.KeyList)
        if (!sale && sub->Side == SideCredit && !IsTaxCategory(ledger, sub->MainAct))
            sale = sub;
    CreditKind kind;
    std::vector<std::string> slots;
    bool enabled = false;
    std::uint8_t rowType = 0;
    const int syncs = desk.Counting.Count(cfb::FaultOp::Sync);
    int round = 0;
    for (auto _ : state) {
        TTransactionSession session(desk.Edit, kind, formats, desk.Clock, {false, false, true, false});
        session.Open(TTransMode::New, -1);
        session.SetCategory(sale->MainAct);
        session.SetSubCategory(sale->Number);
        session.SetAccount(0);
        session.SetDate(ledger.TransList.DateTo - (++round % 400));
        session.SetAmount(Money::FromUnits(100 + round % 50));
        session.AmountExit();
        if (!session.OK())
            state.SkipWithError("not saved");
        AfterTransactionEditor(sheet, session.Result(), desk.Prompts, nullptr);
        const TTransRec* added = ledger.TransList.Items(session.Position());
        const std::int32_t top = std::max(0, added->Row - ScreenRows / 2);
        for (std::int32_t line = top; line < top + ScreenRows; ++line)
            sheet.GridB1GetText(line, slots, enabled, rowType);
        benchmark::DoNotOptimize(slots.data());
    }
    Finish(state, desk, syncs);
}

// ---- Reconciling ------------------------------------------------------------------------------

constexpr std::int32_t ReconcileCount = 5000;

// The 5,000 transactions to reconcile: the latest ones (a statement's month at the end of
// the book, the usual case), or every 20th over the book's ten years (the worst case for the
// file: each record in sectors of its own). Every other transaction is reconciled.
std::vector<TTransRec*> ChooseUnreconciled(TLedger& ledger, bool spread) {
    std::vector<TTransRec*> chosen;
    const std::int32_t count = ledger.TransList.Count();
    const std::int32_t step = spread ? count / ReconcileCount : 1;
    const std::int32_t first = spread ? 0 : count - ReconcileCount;
    for (std::int32_t i = 0; i < count; ++i) {
        TTransRec* t = ledger.TransList.Items(i);
        t->Reconciled = 1;
        if (i >= first && (i - first) % step == 0 && static_cast<std::int32_t>(chosen.size()) < ReconcileCount)
            chosen.push_back(t);
    }
    return chosen;
}

// One action: "&Reconcile Now" on 5,000 ticked transactions of a 100k book, with its commit,
// then the recalculation the main window runs after it. The window's list is filled and
// ticked untimed, with the same 5,000 unreconciled again each round (in memory: the file
// gets the same writes).
void BM_ReconcileNow(benchmark::State& state) {
    OpenCopy copy(state.range(1) != 0, "reconcile.kqk", TransactionsDocument(100000));
    Desk& desk = copy.Work;
    TLedger& ledger = desk.Ledger;
    TDisplayFormats formats;
    const std::vector<TTransRec*> chosen = ChooseUnreconciled(ledger, state.range(0) != 0);
    const int syncs = desk.Counting.Count(cfb::FaultOp::Sync);
    for (auto _ : state) {
        state.PauseTiming();
        for (TTransRec* t : chosen)
            t->Reconciled = 0;
        Recalculated(ledger);
        TReconciliation reconcile(desk.Edit, formats);
        reconcile.TickAll(true);
        if (std::count_if(reconcile.Rows().begin(), reconcile.Rows().end(), [](const TReconcileRow& row) {
                return row.Kind != TReconcileRowKind::Summary;
            }) != ReconcileCount)
            std::abort(); // every chosen transaction is listed
        desk.Prompts.Messages.clear();
        state.ResumeTiming();
        if (!reconcile.ReconcileNow().Done() || !reconcile.Empty())
            state.SkipWithError("not reconciled");
        Recalculated(ledger);
    }
    state.counters["transactions"] = ReconcileCount;
    Finish(state, desk, syncs);
}

// Opening the window on the same book: the list filled from the worksheet's rows, sorted and
// summed, then "&Select All".
void BM_ReconcileFill(benchmark::State& state) {
    OpenCopy copy(false, "reconcilefill.kqk", TransactionsDocument(100000));
    TLedger& ledger = copy.Work.Ledger;
    TDisplayFormats formats;
    for (TTransRec* t : ChooseUnreconciled(ledger, true))
        t->Reconciled = 0;
    Recalculated(ledger);
    for (auto _ : state) {
        TReconciliation reconcile(copy.Work.Edit, formats);
        reconcile.TickAll(true);
        benchmark::DoNotOptimize(reconcile.Sums());
    }
}

BENCHMARK(BM_RenameCategory)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(50)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenumberCategory)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(20)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

BENCHMARK(BM_SaveNewTransaction)
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Args({1000000, 0})
    ->Args({1000000, 1})
    ->Iterations(20)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

// Arguments: spread over the book (1) or the latest (0); syncing on (1) or off (0).
BENCHMARK(BM_ReconcileNow)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Iterations(10)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReconcileFill)->Iterations(20)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

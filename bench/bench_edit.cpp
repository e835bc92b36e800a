// The category editor's operations on a 100k-transaction book, each timed with its commit to
// the file and the recalculation of the worksheet after it: renaming a category, and
// renumbering a category that 10,000 transactions use. With syncing on, every action is one
// commit; the syncs it costs are counted.

#include "edit/CategoryEdit.h"
#include "engine/Engine.h"
#include "engine/Generator.h"
#include "platform/ScriptedPrompts.h"
#include "storage/FileConvert.h"
#include "storage/cfb/FaultyFileSystem.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

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
    explicit OpenCopy(bool sync, const std::string& name) : Work(sync) {
        Path = Folder() + "/" + name;
        std::filesystem::copy_file(Document(), Path, std::filesystem::copy_options::overwrite_existing);
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

} // namespace

BENCHMARK_MAIN();

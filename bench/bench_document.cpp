// Documents of generated books: opening to a recalculated worksheet, one write-through add,
// change and delete, the compaction at close, and a new document from an existing one.

#include "engine/Engine.h"
#include "engine/Generator.h"
#include "storage/FileConvert.h"
#include "platform/ScriptedPrompts.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <map>

namespace {

using namespace qz;

std::string Folder() {
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "qz-bench-doc-XXXXXX").string();
        std::string made = ::mkdtemp(pattern.data());
        std::atexit([] { std::filesystem::remove_all(Folder()); });
        return made;
    }();
    return folder;
}

// Everything a file manager needs, answering every question with its first button.
struct Desk {
    TLedger Ledger;
    ScriptedPrompts Prompts;
    PreparedQuestions Questions;
    FixedClock Clock{EncodeDate(2026, 7, 1)};
    FixedDrives Drive;
    TFileManager Files{Ledger, Prompts, Questions, Clock, Drive};
    TFileConvert Convert{Files, Ledger, Prompts, Questions, Clock};
    explicit Desk(bool sync = false) {
        Files.ConnectLists();
        Files.SyncWrites = sync;
    }
};

// A document of `transactions` generated transactions, written once per size.
const std::string& Document(std::int64_t transactions) {
    static std::map<std::int64_t, std::string> paths;
    std::string& path = paths[transactions];
    if (path.empty()) {
        path = Folder() + "/books" + std::to_string(transactions) + ".kqk";
        Desk desk;
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
        desk.Files.Settings.BusinessName = "Bench Pty Ltd";
        if (!desk.Files.WriteDocument(path))
            std::abort();
        desk.Files.Close(true, false);
    }
    return path;
}

void BM_OpenToWorksheet(benchmark::State& state) {
    const std::string& path = Document(state.range(0));
    for (auto _ : state) {
        Desk desk;
        if (!desk.Convert.OpenDocument(path).Opened)
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(desk.Ledger.TransList.VisibleCount);
        state.PauseTiming();
        desk.Files.Close(true, false);
        state.ResumeTiming();
    }
}

// A working copy of the 100k document, open.
struct OpenCopy {
    explicit OpenCopy(bool sync, const std::string& name) : Work(sync) {
        Path = Folder() + "/" + name;
        std::filesystem::copy_file(Document(100000), Path, std::filesystem::copy_options::overwrite_existing);
        Work.Convert.OpenDocument(Path);
    }
    ~OpenCopy() { Work.Files.Close(true, false); }
    Desk Work;
    std::string Path;
};

// The editor finds the new number before it saves; that is not the write-through's cost.
TTransRec* NewSale(TLedger& ledger) {
    static std::int32_t number = 10'000'000;
    auto* t = new TTransRec(*ledger.TransList.KeyList.back());
    t->Number = ++number;
    t->Kind = TransCredit;
    t->Split = '0';
    return t;
}

void BM_WriteThroughAdd(benchmark::State& state) {
    OpenCopy copy(state.range(0) != 0, "add.kqk");
    for (auto _ : state)
        copy.Work.Ledger.TransList.Add(NewSale(copy.Work.Ledger));
    if (copy.Work.Files.ReadOnlyMode)
        state.SkipWithError("a write failed");
}

void BM_WriteThroughChange(benchmark::State& state) {
    OpenCopy copy(state.range(0) != 0, "change.kqk");
    TTransList& list = copy.Work.Ledger.TransList;
    std::int32_t index = 0;
    for (auto _ : state) {
        index = (index + 7919) % list.Count();
        list.Items(index)->Notes = "changed";
        list.Changed(index);
    }
    if (copy.Work.Files.ReadOnlyMode)
        state.SkipWithError("a write failed");
}

void BM_WriteThroughDelete(benchmark::State& state) {
    OpenCopy copy(state.range(0) != 0, "delete.kqk");
    TTransList& list = copy.Work.Ledger.TransList;
    for (auto _ : state)
        list.Delete(list.Count() / 2);
    if (copy.Work.Files.ReadOnlyMode)
        state.SkipWithError("a write failed");
}

// Closing after 1,000 deletes: the transactions stream of 100k records is compacted.
void BM_CloseCompacting(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        {
            OpenCopy copy(false, "compact.kqk");
            TTransList& list = copy.Work.Ledger.TransList;
            for (int i = 0; i < 1000; ++i)
                list.Delete((i * 97) % list.Count());
            copy.Work.Files.AutoBackup = false;
            copy.Work.Prompts.QueueAnswer(MsgResult::No); // no backup
            state.ResumeTiming();
            copy.Work.Files.Close(true, true);
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}

void BM_NewFromExisting(benchmark::State& state) {
    const std::string& source = Document(100000);
    std::vector<TTransRec> carried(20);
    for (std::size_t i = 0; i < carried.size(); ++i) {
        carried[i].Kind = TransDebit;
        carried[i].Amount = Money::FromUnits(5);
    }
    const std::vector<Money> balances(4, Money::FromUnits(100));
    for (auto _ : state) {
        Desk desk;
        if (!desk.Convert.NewFromExisting(Folder() + "/next.kqk", source, carried, balances, Money(),
                                          EncodeDate(2026, 7, 1)))
            state.SkipWithError("failed");
    }
}

BENCHMARK(BM_OpenToWorksheet)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteThroughAdd)->Arg(0)->Iterations(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteThroughAdd)->Arg(1)->Iterations(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteThroughChange)->Arg(0)->Iterations(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteThroughChange)->Arg(1)->Iterations(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteThroughDelete)->Arg(0)->Iterations(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteThroughDelete)->Arg(1)->Iterations(200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CloseCompacting)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NewFromExisting)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

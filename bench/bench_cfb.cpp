// The compound-file container: appending records with a commit after each, rewriting
// records in place, reading a 32 MB stream against plain read(), copying a 32 MB storage.

#include "storage/cfb/CompoundFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace qz::cfb;

constexpr std::uint32_t RecordSize = 320;
constexpr std::uint64_t BigStream = 32ull << 20;

std::string Folder() {
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "qz-bench-cfb-XXXXXX").string();
        std::string made = ::mkdtemp(pattern.data());
        std::atexit([] { std::filesystem::remove_all(Folder()); });
        return made;
    }();
    return folder;
}

std::vector<std::uint8_t> Record(std::uint64_t n) {
    std::vector<std::uint8_t> record(RecordSize);
    for (std::uint32_t i = 0; i < RecordSize; ++i)
        record[i] = static_cast<std::uint8_t>(n * 31 + i);
    return record;
}

void Check(HResult result, benchmark::State& state) {
    if (Failed(result))
        state.SkipWithError(ResultName(result).c_str());
}

// A file whose "Transactions" stream holds `records` records.
std::unique_ptr<TCompoundFile> FileWithRecords(const std::string& name, std::uint64_t records, bool sync,
                                               TStream& stream, benchmark::State& state) {
    std::unique_ptr<TCompoundFile> file;
    Check(TCompoundFile::Create(Folder() + "/" + name, file), state);
    file->SetSync(sync);
    TStorage root = file->Root();
    Check(root.CreateStream("Transactions", stream), state);
    std::vector<std::uint8_t> block(RecordSize * 1024);
    for (std::uint64_t done = 0; done < records;) {
        const std::uint64_t count = std::min<std::uint64_t>(1024, records - done);
        for (std::uint64_t i = 0; i < count; ++i) {
            auto record = Record(done + i);
            std::copy(record.begin(), record.end(), block.begin() + static_cast<std::ptrdiff_t>(i * RecordSize));
        }
        Check(stream.WriteAt(done * RecordSize, block.data(), static_cast<std::uint32_t>(count * RecordSize)), state);
        done += count;
    }
    Check(file->Commit(), state);
    return file;
}

// One record appended and committed per iteration, from an empty stream to 100k records
// (range 0: syncing off or on; with syncing on far fewer iterations are run).
void BM_AppendCommit(benchmark::State& state) {
    TStream stream;
    auto file = FileWithRecords("append.kqk", 0, state.range(0) != 0, stream, state);
    std::uint64_t n = 0;
    for (auto _ : state) {
        auto record = Record(n);
        Check(stream.WriteAt(n * RecordSize, record.data(), RecordSize), state);
        Check(file->Commit(), state);
        ++n;
    }
    state.counters["records"] = static_cast<double>(n);
}

// The same once the stream already holds 100k records (32 MB): the cost must not grow.
void BM_AppendCommitAt100k(benchmark::State& state) {
    TStream stream;
    auto file = FileWithRecords("append100k.kqk", 100000, false, stream, state);
    std::uint64_t n = 100000;
    for (auto _ : state) {
        auto record = Record(n);
        Check(stream.WriteAt(n * RecordSize, record.data(), RecordSize), state);
        Check(file->Commit(), state);
        ++n;
    }
}

void BM_RewriteInPlaceCommit(benchmark::State& state) {
    TStream stream;
    auto file = FileWithRecords("rewrite.kqk", 100000, state.range(0) != 0, stream, state);
    std::mt19937_64 random(7);
    for (auto _ : state) {
        const std::uint64_t n = random() % 100000;
        auto record = Record(n + 1);
        Check(stream.WriteAt(n * RecordSize, record.data(), RecordSize), state);
        Check(file->Commit(), state);
    }
}

const std::string& BigFile(benchmark::State& state) {
    static const std::string path = Folder() + "/big.kqk";
    static bool made = false;
    if (!made) {
        TStream stream;
        auto file = FileWithRecords("big.kqk", BigStream / RecordSize, false, stream, state);
        made = true;
    }
    return path;
}

// Opening the file and reading its 32 MB stream front to back in 64 KB pieces.
void BM_OpenAndReadStream(benchmark::State& state) {
    const std::string& path = BigFile(state);
    std::vector<std::uint8_t> buffer(64 << 10);
    for (auto _ : state) {
        std::unique_ptr<TCompoundFile> file;
        Check(TCompoundFile::Open(path, StgAccess::ReadOnly, file), state);
        TStream stream;
        Check(file->Root().OpenStream("Transactions", stream), state);
        std::uint32_t read = 0;
        std::uint64_t total = 0;
        do {
            Check(stream.Read(buffer.data(), static_cast<std::uint32_t>(buffer.size()), &read), state);
            total += read;
        } while (read > 0);
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BigStream));
}

// The same file read with plain read() in 64 KB pieces, for comparison.
void BM_PlainRead(benchmark::State& state) {
    const std::string& path = BigFile(state);
    std::vector<std::uint8_t> buffer(64 << 10);
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        std::uint64_t total = 0;
        for (ssize_t n; (n = ::read(fd, buffer.data(), buffer.size())) > 0;)
            total += static_cast<std::uint64_t>(n);
        ::close(fd);
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BigStream));
}

// Copying the whole 32 MB storage into a new file and committing it (syncing off).
void BM_CopyStorage(benchmark::State& state) {
    const std::string& path = BigFile(state);
    std::unique_ptr<TCompoundFile> source;
    Check(TCompoundFile::Open(path, StgAccess::ReadOnly, source), state);
    for (auto _ : state) {
        std::unique_ptr<TCompoundFile> copy;
        Check(TCompoundFile::Create(Folder() + "/copy.kqk", copy), state);
        copy->SetSync(false);
        TStorage target = copy->Root();
        Check(source->Root().CopyTo(target), state);
        Check(copy->Commit(), state);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BigStream));
}

BENCHMARK(BM_AppendCommit)->Arg(0)->Iterations(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AppendCommit)->Arg(1)->Iterations(500)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AppendCommitAt100k)->Iterations(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RewriteInPlaceCommit)->Arg(0)->Iterations(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RewriteInPlaceCommit)->Arg(1)->Iterations(500)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenAndReadStream)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyStorage)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

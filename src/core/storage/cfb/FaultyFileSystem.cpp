#include "FaultyFileSystem.h"

#include <algorithm>

namespace qz::cfb {

namespace {

class FaultyFile : public TFile {
public:
    FaultyFile(std::unique_ptr<TFile> inner, TFaultyFileSystem& fs) : Inner(std::move(inner)), Fs(fs) {}

    int PRead(void* buffer, std::size_t size, std::uint64_t offset, std::size_t& got) override {
        return Inner->PRead(buffer, size, offset, got);
    }
    int PWrite(const void* buffer, std::size_t size, std::uint64_t offset) override {
        const TWritePiece piece{buffer, size};
        return PWriteV(&piece, 1, offset);
    }
    // The whole gathered write counts as one, as it is one call of the system's.
    int PWriteV(const TWritePiece* pieces, std::size_t count, std::uint64_t offset) override {
        std::size_t size = 0;
        for (std::size_t i = 0; i < count; ++i)
            size += pieces[i].Size;
        TFaultyFileSystem::TKept kept;
        const int verdict = Fs.Decide(FaultOp::Write, size, &kept);
        if (verdict != 0)
            return verdict < 0 ? 0 : verdict;
        if (kept.Begin == 0 && kept.End == size)
            return Inner->PWriteV(pieces, count, offset);
        // Torn: only the bytes of [Begin, End) reach the file.
        std::size_t at = 0;
        for (std::size_t i = 0; i < count; at += pieces[i].Size, ++i) {
            const std::size_t begin = std::max(at, kept.Begin);
            const std::size_t end = std::min(at + pieces[i].Size, kept.End);
            if (begin < end)
                if (int error = Inner->PWrite(static_cast<const char*>(pieces[i].Data) + (begin - at), end - begin,
                                              offset + begin);
                    error != 0)
                    return error;
        }
        return 0;
    }
    int Sync() override {
        const int verdict = Fs.Decide(FaultOp::Sync);
        return verdict == 0 ? Inner->Sync() : verdict < 0 ? 0 : verdict;
    }
    int Truncate(std::uint64_t size) override {
        const int verdict = Fs.Decide(FaultOp::Truncate);
        return verdict == 0 ? Inner->Truncate(size) : verdict < 0 ? 0 : verdict;
    }
    int Size(std::uint64_t& size) override { return Inner->Size(size); }
    int LockExclusive() override { return Inner->LockExclusive(); }
    int LockShared() override { return Inner->LockShared(); }

private:
    std::unique_ptr<TFile> Inner;
    TFaultyFileSystem& Fs;
};

} // namespace

void TFaultyFileSystem::FailAt(FaultOp op, int n, int error, bool persistent) {
    FailOp = static_cast<int>(op);
    FailN = Counts[FailOp] + n;
    FailError = error;
    FailPersistent = persistent;
}

void TFaultyFileSystem::CrashAfterWrite(int n) {
    CrashAt = Counts[static_cast<int>(FaultOp::Write)] + n;
    CrashNow = n <= 0;
    TornShare = 1.0;
}

void TFaultyFileSystem::CrashInWrite(int n, double share, bool front) {
    CrashAfterWrite(n);
    TornShare = std::clamp(share, 0.0, 1.0);
    TornFront = front;
}

void TFaultyFileSystem::Clear() {
    FailOp = -1;
    CrashAt = -1;
    CrashNow = false;
    TornShare = 1.0;
}

int TFaultyFileSystem::Decide(FaultOp op, std::size_t size, TKept* range) {
    const int index = static_cast<int>(op);
    const int n = ++Counts[index];
    if (range)
        *range = {0, size};
    if (CrashNow)
        return -1;
    if (op == FaultOp::Write && CrashAt >= 0 && n >= CrashAt) {
        CrashNow = true; // this write is the last to reach the file, maybe only in part
        const auto kept = static_cast<std::size_t>(static_cast<double>(size) * TornShare);
        if (range)
            *range = TornFront ? TKept{0, kept} : TKept{size - kept, size};
        return 0;
    }
    if (index == FailOp && (n == FailN || (FailPersistent && n > FailN)))
        return FailError;
    return 0;
}

int TFaultyFileSystem::Open(const std::string& path, OpenKind kind, std::unique_ptr<TFile>& file) {
    std::unique_ptr<TFile> inner;
    if (CrashNow && kind == OpenKind::CreateReadWrite && !Inner.Exists(path))
        return EIO; // nothing can be created after the crash
    const int error = Inner.Open(path, kind, inner);
    if (error == 0)
        file = std::make_unique<FaultyFile>(std::move(inner), *this);
    return error;
}

int TFaultyFileSystem::Rename(const std::string& from, const std::string& to) {
    const int verdict = Decide(FaultOp::Rename);
    return verdict == 0 ? Inner.Rename(from, to) : verdict < 0 ? 0 : verdict;
}

int TFaultyFileSystem::Remove(const std::string& path) {
    return CrashNow ? 0 : Inner.Remove(path);
}

int TFaultyFileSystem::SyncFolderOf(const std::string& path) {
    return CrashNow ? 0 : Inner.SyncFolderOf(path);
}

} // namespace qz::cfb

#include "FaultyFileSystem.h"

namespace qz::cfb {

namespace {

class FaultyFile : public TFile {
public:
    FaultyFile(std::unique_ptr<TFile> inner, TFaultyFileSystem& fs) : Inner(std::move(inner)), Fs(fs) {}

    int PRead(void* buffer, std::size_t size, std::uint64_t offset, std::size_t& got) override {
        return Inner->PRead(buffer, size, offset, got);
    }
    int PWrite(const void* buffer, std::size_t size, std::uint64_t offset) override {
        const int verdict = Fs.Decide(FaultOp::Write);
        return verdict == 0 ? Inner->PWrite(buffer, size, offset) : verdict < 0 ? 0 : verdict;
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
}

void TFaultyFileSystem::Clear() {
    FailOp = -1;
    CrashAt = -1;
    CrashNow = false;
}

int TFaultyFileSystem::Decide(FaultOp op) {
    const int index = static_cast<int>(op);
    const int n = ++Counts[index];
    if (CrashNow)
        return -1;
    if (op == FaultOp::Write && CrashAt >= 0 && n >= CrashAt) {
        CrashNow = true; // this write is the last to reach the file
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

int TFaultyFileSystem::Remove(const std::string& path) { return CrashNow ? 0 : Inner.Remove(path); }

int TFaultyFileSystem::SyncFolderOf(const std::string& path) { return CrashNow ? 0 : Inner.SyncFolderOf(path); }

} // namespace qz::cfb

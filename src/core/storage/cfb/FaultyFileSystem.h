#pragma once
// A file layer for tests that passes everything to another one, counting the writes, syncs,
// truncates and renames, and that can fail the n-th of one kind or simulate a crash after
// the n-th write: from then on nothing reaches the files, though every call reports success.
// The write the crash interrupts can also be torn: only a share of its bytes reaches the file.

#include "FileLayer.h"

#include <cerrno>

namespace qz::cfb {

enum class FaultOp { Write, Sync, Truncate, Rename };

class TFaultyFileSystem : public TFileSystem {
public:
    explicit TFaultyFileSystem(TFileSystem& inner = TFileSystem::Posix()) : Inner(inner) {}

    // Fails the n-th operation of that kind (1-based, counted from now) with `error`; with
    // `persistent` every later one of that kind fails too.
    void FailAt(FaultOp op, int n, int error, bool persistent = false);
    // After the n-th write (counted from now) every write, truncate, rename and remove is dropped.
    void CrashAfterWrite(int n);
    // The crash comes during the n-th write: of its bytes only the first `share` (0..1), or
    // with `front` false the last, reach the file; after it nothing does.
    void CrashInWrite(int n, double share, bool front = true);
    void Clear();

    int Count(FaultOp op) const { return Counts[static_cast<int>(op)]; }
    bool Crashed() const { return CrashNow; }

    int Open(const std::string& path, OpenKind kind, std::unique_ptr<TFile>& file) override;
    int Rename(const std::string& from, const std::string& to) override;
    int Remove(const std::string& path) override;
    bool Exists(const std::string& path) override { return Inner.Exists(path); }
    int SyncFolderOf(const std::string& path) override;

    // Called by the files it hands out: 0 to go ahead, an error to fail, -1 to drop silently.
    // A write of `size` bytes passes `range`, where it learns which of them to write: all
    // unless it is torn.
    struct TKept {
        std::size_t Begin = 0;
        std::size_t End = 0;
    };
    int Decide(FaultOp op, std::size_t size = 0, TKept* range = nullptr);

private:
    TFileSystem& Inner;
    int Counts[4] = {};
    int FailOp = -1;
    int FailN = 0;
    int FailError = 0;
    bool FailPersistent = false;
    int CrashAt = -1;
    bool CrashNow = false;
    double TornShare = 1.0;
    bool TornFront = true;
};

} // namespace qz::cfb

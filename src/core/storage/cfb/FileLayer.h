#pragma once
// The file operations the container needs, behind an interface so that tests can make the
// n-th write, sync, truncate or rename fail, or simulate a crash. Every call answers 0 or
// the system's error number.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace qz::cfb {

// One piece of a gathered write.
struct TWritePiece {
    const void* Data = nullptr;
    std::size_t Size = 0;
};

class TFile {
public:
    virtual ~TFile() = default;
    // Reads up to `size` bytes at `offset`; `got` receives how many (fewer only at the end).
    virtual int PRead(void* buffer, std::size_t size, std::uint64_t offset, std::size_t& got) = 0;
    // Writes all `size` bytes at `offset`.
    virtual int PWrite(const void* buffer, std::size_t size, std::uint64_t offset) = 0;
    // Writes the pieces one after another from `offset`, all of them: a run of pages whose
    // buffers lie apart goes out as one write.
    virtual int PWriteV(const TWritePiece* pieces, std::size_t count, std::uint64_t offset);
    virtual int Sync() = 0;
    virtual int Truncate(std::uint64_t size) = 0;
    virtual int Size(std::uint64_t& size) = 0;
    // Takes the exclusive lock that keeps every other open of the file out, from this
    // process or another; EWOULDBLOCK when someone holds it.
    virtual int LockExclusive() = 0;
    // Takes a shared lock: other readers may hold one too, while an exclusive holder keeps
    // every one of them out (and they it); EWOULDBLOCK when someone holds the exclusive lock.
    virtual int LockShared() = 0;
};

enum class OpenKind {
    ReadOnly,
    ReadWrite,
    CreateReadWrite, // created when missing, kept when present
};

class TFileSystem {
public:
    virtual ~TFileSystem() = default;
    // Only a regular file opens: a folder answers EISDIR, a FIFO, device or socket ENODEV,
    // without waiting for anyone at its other end.
    virtual int Open(const std::string& path, OpenKind kind, std::unique_ptr<TFile>& file) = 0;
    virtual int Rename(const std::string& from, const std::string& to) = 0;
    virtual int Remove(const std::string& path) = 0;
    virtual bool Exists(const std::string& path) = 0;
    // Makes a created, renamed or removed name in `path`'s folder durable.
    virtual int SyncFolderOf(const std::string& path) = 0;

    // The machine's own file system.
    static TFileSystem& Posix();
};

} // namespace qz::cfb

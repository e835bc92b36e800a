#pragma once
// Our own compound-file container (the Windows structured-storage format): a root storage
// holding named streams and nested storages, updated in place. Every change stays in memory
// until Commit, which writes it atomically through a rollback journal beside the file.
//
// Writes version 3 (512-byte sectors); reads and updates versions 3 and 4.

#include "FileLayer.h"
#include "PageMap.h"
#include "StgError.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace qz::cfb {

enum class EntryType : std::uint8_t { Empty = 0, Storage = 1, Stream = 2, Root = 5 };
enum class StgAccess { ReadOnly, ReadWrite };
// Default: exclusive for reading and writing, shared for reading, so that readers may look at a
// file together while anyone who writes it keeps every other open out.
enum class StgLock { Default, Shared, Exclusive };
enum class SeekOrigin { Set, Current, End };

struct TStatStg {
    std::string Name; // UTF-8
    EntryType Type = EntryType::Empty;
    std::uint64_t Size = 0;
};

class TCompoundFile;

// An open stream: an entry and a seek position. Handles stay valid until the element is
// destroyed (then every call answers STG_E_REVERTED) or the file is closed.
class TStream {
public:
    TStream() = default;
    bool Valid() const { return File != nullptr; }

    HResult Read(void* buffer, std::uint32_t size, std::uint32_t* read = nullptr);
    HResult Write(const void* buffer, std::uint32_t size, std::uint32_t* written = nullptr);
    HResult Seek(std::int64_t offset, SeekOrigin origin, std::uint64_t* position = nullptr);
    HResult SetSize(std::uint64_t size);
    HResult Stat(TStatStg& stat) const;
    HResult Size(std::uint64_t& size) const;
    // Commits the whole file: in this container a stream has no changes of its own.
    HResult Commit();

    // Reads or writes at a position without moving the seek position.
    HResult ReadAt(std::uint64_t offset, void* buffer, std::uint32_t size, std::uint32_t* read = nullptr);
    HResult WriteAt(std::uint64_t offset, const void* buffer, std::uint32_t size);
    // The whole stream.
    HResult ReadAll(std::string& data);

private:
    friend class TCompoundFile;
    friend class TStorage;
    HResult Check() const;
    TStream(TCompoundFile* file, std::uint32_t entry, std::uint32_t generation)
        : File(file), Entry(entry), Generation(generation) {}
    TCompoundFile* File = nullptr;
    std::uint32_t Entry = 0;
    std::uint32_t Generation = 0;
    std::uint64_t Position = 0;
};

class TStorage {
public:
    TStorage() = default;
    bool Valid() const { return File != nullptr; }

    // Creates the stream, replacing a stream of that name (a storage of that name fails with
    // STG_E_FILEALREADYEXISTS).
    HResult CreateStream(const std::string& name, TStream& stream);
    HResult OpenStream(const std::string& name, TStream& stream);
    HResult CreateStorage(const std::string& name, TStorage& storage);
    HResult OpenStorage(const std::string& name, TStorage& storage);
    HResult DestroyElement(const std::string& name);
    HResult RenameElement(const std::string& oldName, const std::string& newName);
    HResult EnumElements(std::vector<TStatStg>& elements) const;
    // Copies every element of this storage into `target` (in this file or another),
    // replacing elements of the same name.
    HResult CopyTo(TStorage& target) const;
    HResult Stat(TStatStg& stat) const;
    HResult Commit();

private:
    friend class TCompoundFile;
    friend class TStream;
    HResult Check() const;
    HResult Lookup(const std::string& name, EntryType type, std::uint32_t& entry) const;
    TStorage(TCompoundFile* file, std::uint32_t entry, std::uint32_t generation)
        : File(file), Entry(entry), Generation(generation) {}
    TCompoundFile* File = nullptr;
    std::uint32_t Entry = 0;
    std::uint32_t Generation = 0;
};

class TCompoundFile {
public:
    // Creates a new compound file, replacing what was at `path`, open for reading and writing.
    // The program writes version 3 (512-byte sectors); version 4 (4096-byte sectors) is there
    // for the tests that check we read such files.
    static HResult Create(const std::string& path, std::unique_ptr<TCompoundFile>& file,
                          TFileSystem& fs = TFileSystem::Posix(), std::uint16_t version = 3);
    // Opens an existing file with exclusive access. A rollback journal left by a crash is
    // played back first; opened read-only, the file shows the journal's old pages in memory
    // and is left untouched.
    //
    // A journal that does not belong to the file (its mark does not match: a document copied
    // or restored over this one) is never played: opened for writing, it is kept as
    // "<file>-journal.set-aside" (or -2, -3...), read-only it is left where it is, and
    // StrayJournal() tells where it is.
    static HResult Open(const std::string& path, StgAccess access, std::unique_ptr<TCompoundFile>& file,
                        TFileSystem& fs = TFileSystem::Posix(), StgLock lock = StgLock::Default);
    // The rollback journal beside a file.
    static std::string JournalPath(const std::string& path) { return path + "-journal"; }

    // Uncommitted changes are dropped; the lock is released.
    ~TCompoundFile();
    TCompoundFile(const TCompoundFile&) = delete;
    TCompoundFile& operator=(const TCompoundFile&) = delete;

    TStorage Root();
    HResult Commit();
    bool ReadOnly() const { return Access == StgAccess::ReadOnly; }
    bool HasChanges() const { return !Dirty.Empty() || MetaDirty; }
    // What loading found odd but harmless to reading and writing, in words (a stream entry
    // with a child link): for a check of the file.
    const std::vector<std::string>& Oddities() const { return OddityList; }
    // Where a journal of other contents found beside the file was kept; empty when none was.
    const std::string& StrayJournal() const { return StrayJournalPath; }
    const std::string& Path() const { return FilePath; }
    std::uint16_t MajorVersion() const { return Major; }

    // For benchmarks only: commits without syncing the journal and the file.
    void SetSync(bool sync) { SyncOn = sync; }
    // The largest file this container writes (2 GiB for version 3); tests lower it.
    void SetSizeLimit(std::uint64_t bytes) { SizeLimit = bytes; }

private:
    friend class TStream;
    friend class TStorage;
    struct DirEntry {
        std::u16string Name;
        EntryType Type = EntryType::Empty;
        std::uint8_t Color = 1; // 0 red, 1 black
        std::uint32_t Left = 0xFFFFFFFF;
        std::uint32_t Right = 0xFFFFFFFF;
        std::uint32_t Child = 0xFFFFFFFF;
        std::uint8_t Clsid[16] = {};
        std::uint32_t StateBits = 0;
        std::uint64_t Created = 0;
        std::uint64_t Modified = 0;
        std::uint32_t Start = 0xFFFFFFFE;
        std::uint64_t Size = 0;
        // Kept in memory only.
        std::uint32_t Parent = 0xFFFFFFFF;
        std::vector<std::uint32_t> Children; // of a storage, in name order
        std::uint32_t Generation = 1;        // grows when the entry is destroyed or reused
        bool ChainKnown = false;
        std::vector<std::uint32_t> ChainCache; // its sectors (mini sectors for a small stream)
    };

    TCompoundFile(const std::string& path, StgAccess access, TFileSystem& fs);

    // Loading and checking.
    HResult Load();
    HResult InitEmpty(std::uint16_t version);
    HResult Recover();
    std::vector<std::uint32_t> JournalSamples() const;
    bool HashSamples(const std::vector<std::uint32_t>& samples, std::uint32_t pageSize,
                     const std::map<std::uint32_t, std::vector<std::uint8_t>>& journaled, std::uint64_t& hash) const;
    HResult SetJournalAside(const std::string& journalPath);

    // Sectors and pages. Page p of the file is the header for p = 0 and sector p - 1 after it.
    std::uint64_t SectorOffset(std::uint32_t sector) const { return (std::uint64_t(sector) + 1) * SectorSize; }
    HResult ReadSector(std::uint32_t sector, std::uint8_t* buffer);
    bool KeepsReads() const;
    HResult CommittedPage(std::uint32_t page, const std::uint8_t*& data);
    HResult SectorForWrite(std::uint32_t sector, std::uint8_t*& data);
    HResult FreshSector(std::uint32_t sector, std::uint8_t*& data);

    // Chains.
    HResult Chain(std::uint32_t start, bool mini, std::vector<std::uint32_t>& chain) const;
    HResult AllocateSector(std::uint32_t& sector);
    HResult AllocateMiniSector(std::uint32_t& sector);
    void FreeSector(std::uint32_t sector);
    void FreeMiniSector(std::uint32_t sector);
    void SetFat(std::uint32_t sector, std::uint32_t next);
    void SetMiniFat(std::uint32_t sector, std::uint32_t next);
    HResult EnsureFatCovers(std::uint32_t sector);
    HResult EnsureMiniFatCovers(std::uint32_t sector);
    HResult EnsureMiniStreamCovers(std::uint32_t sectors);

    // Stream data.
    HResult EntryChain(std::uint32_t entry, std::vector<std::uint32_t>*& chain);
    HResult ReadEntry(std::uint32_t entry, std::uint64_t offset, void* buffer, std::uint32_t size, std::uint32_t& read);
    HResult WriteEntry(std::uint32_t entry, std::uint64_t offset, const void* buffer, std::uint32_t size);
    HResult ResizeEntry(std::uint32_t entry, std::uint64_t size);
    HResult ResizeChain(std::uint32_t entry, std::uint64_t size, bool mini);
    HResult MoveEntryData(std::uint32_t entry, std::uint64_t size);
    HResult MiniStreamPiece(std::uint32_t miniSector, std::uint32_t& sector, std::uint32_t& offset);

    // Directory.
    HResult FindChild(std::uint32_t storage, const std::u16string& name, std::uint32_t& entry) const;
    HResult NewEntry(std::uint32_t storage, const std::u16string& name, EntryType type, std::uint32_t& entry);
    HResult DestroyEntry(std::uint32_t storage, std::uint32_t entry);
    HResult CheckHandle(std::uint32_t entry, std::uint32_t generation, EntryType type) const;
    HResult CheckWritable() const;
    void BuildTrees();
    std::uint32_t BuildTree(std::vector<std::uint32_t>& sorted, std::size_t begin, std::size_t end, int depth,
                            int redDepth);
    HResult CopyStorage(std::uint32_t source, TCompoundFile& target, std::uint32_t targetStorage) const;

    // Committing.
    std::uint32_t PageSize() const { return SectorSize; }
    std::uint32_t EntriesPerSector() const { return SectorSize / 4; }
    std::uint64_t CommittedPages() const { return (CommittedBytes + PageSize() - 1) / PageSize(); }
    HResult GrowFat();
    HResult ReadPage(std::uint32_t page, std::uint8_t* buffer);
    std::uint8_t* PageForWrite(std::uint32_t page, bool keepContents, HResult& result);
    void HeaderBytes(std::vector<std::uint8_t>& image) const;
    HResult SerializeMeta();
    HResult ReadOriginals(const std::vector<std::uint32_t>& pages);
    HResult WriteJournal(const std::vector<std::uint32_t>& pages);
    HResult WritePages(const std::vector<std::uint32_t>& pages);
    void MarkDirEntry(std::uint32_t entry);

    std::string FilePath;
    StgAccess Access;
    TFileSystem& Fs;
    std::unique_ptr<TFile> Handle;
    std::unique_ptr<TFile> Journal;
    bool JournalDurable = false;
    bool SyncOn = true;
    std::uint64_t SizeLimit = 0x80000000ull;

    // Header fields.
    std::uint16_t Major = 3;
    std::uint16_t Minor = 0x3E;
    std::uint32_t SectorSize = 512;
    std::uint32_t FirstDirSector = 0xFFFFFFFE;
    std::uint32_t FirstMiniFatSector = 0xFFFFFFFE;
    std::uint32_t FirstDifatSector = 0xFFFFFFFE;
    std::uint32_t TransactionSignature = 0;
    std::uint8_t Clsid[16] = {};

    // Allocation tables, whole in memory.
    std::vector<std::uint32_t> Fat;
    std::vector<std::uint32_t> FatSectors;   // where the FAT lives, in order (from the DIFAT)
    std::vector<std::uint32_t> DifatSectors; // the DIFAT's own sectors beyond the header
    std::vector<std::uint32_t> MiniFat;
    std::vector<std::uint32_t> MiniFatSectors;
    std::vector<std::uint32_t> DirSectors;
    std::vector<DirEntry> Dir;
    std::uint32_t FreeHint = 0;
    std::uint32_t MiniFreeHint = 0;

    // The file as committed: its length in bytes, and the sectors it has with those added since.
    std::uint64_t CommittedBytes = 0;
    std::uint32_t SectorCount = 0;
    std::vector<std::uint8_t> HeaderImage; // the header page as committed
    bool JournalHot = false;               // a valid journal is on disk: the file may be half written
    std::vector<std::uint8_t> JournalHead; // the hot journal's head, whose hash seeds each segment's checksum
    std::string StrayJournalPath;
    std::vector<std::string> OddityList;
    std::vector<std::uint32_t> JournaledPages; // the pages the hot journal holds, ascending
    std::uint64_t JournalEnd = 0;
    // Pages changed since the last commit; and the committed contents of pages read from the
    // file since then: of those changed (the journal's old pages) and of their neighbours.
    TPageMap Dirty;
    TPageMap Clean;
    std::vector<std::uint8_t> ReadAhead;
    bool MetaDirty = false;
    std::vector<bool> TreeDirty;          // by entry: the storage's tree must be rebuilt
    std::vector<bool> DirSectorDirty;     // by index into DirSectors
    std::vector<bool> FatSectorDirty;     // by index into FatSectors
    std::vector<bool> MiniFatSectorDirty; // by index into MiniFatSectors
    bool DifatDirty = false;
};

} // namespace qz::cfb

// Opening, creating, recovering and committing a compound file.

#include "CompoundFile.h"

#include "CfbFormat.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace qz::cfb {

namespace {

// The journal names the file it guards: a hash of some pages of the file that its commit
// leaves alone, as they were when it was started. The first journals of the program had no
// such mark (magic "QZCFBJNL"); they are never played over a file.
constexpr std::uint8_t JournalMagic[8] = {'Q', 'Z', 'C', 'F', 'B', 'J', 'N', '2'};
constexpr std::uint8_t UnmarkedJournalMagic[8] = {'Q', 'Z', 'C', 'F', 'B', 'J', 'N', 'L'};
constexpr std::size_t JournalFixedHead = 8 + 4 + 8 + 4; // magic, page size, old length, sample count
constexpr std::uint32_t MaxJournalSamples = 16;

std::uint64_t Fnv1a(const std::uint8_t* data, std::size_t size, std::uint64_t hash = 0xCBF29CE484222325ull) {
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= data[i];
        hash *= 0x100000001B3ull;
    }
    return hash;
}

HResult OpenResult(int error, bool reading) {
    if (error == EWOULDBLOCK)
        return STG_E_SHAREVIOLATION;
    return ResultFromErrno(error, reading);
}

} // namespace

TCompoundFile::TCompoundFile(const std::string& path, StgAccess access, TFileSystem& fs)
    : FilePath(path), Access(access), Fs(fs) {}

TCompoundFile::~TCompoundFile() {
    // A journal that guards a half-written file stays for the next open to play back.
    if (Journal && !JournalHot) {
        Journal.reset();
        Fs.Remove(JournalPath(FilePath));
    }
}

HResult TCompoundFile::Create(const std::string& path, std::unique_ptr<TCompoundFile>& file, TFileSystem& fs,
                              std::uint16_t version) {
    if (version != 3 && version != 4)
        return STG_E_INVALIDPARAMETER;
    std::unique_ptr<TCompoundFile> created(new TCompoundFile(path, StgAccess::ReadWrite, fs));
    int error = fs.Open(path, OpenKind::CreateReadWrite, created->Handle);
    if (error == 0)
        error = created->Handle->LockExclusive();
    if (error != 0)
        return OpenResult(error, false);
    // Whatever journal lies beside the name belongs to the contents being replaced.
    if (fs.Exists(JournalPath(path)) && (error = fs.Remove(JournalPath(path))) != 0)
        return ResultFromErrno(error);
    if ((error = created->Handle->Truncate(0)) != 0)
        return ResultFromErrno(error);
    HResult result = created->InitEmpty(version);
    if (Succeeded(result))
        result = created->Commit();
    if (Failed(result))
        return result;
    file = std::move(created);
    return S_OK;
}

HResult TCompoundFile::Open(const std::string& path, StgAccess access, std::unique_ptr<TCompoundFile>& file,
                            TFileSystem& fs, StgLock lock) {
    std::unique_ptr<TCompoundFile> opened(new TCompoundFile(path, access, fs));
    const OpenKind kind = access == StgAccess::ReadOnly ? OpenKind::ReadOnly : OpenKind::ReadWrite;
    const bool shared = lock == StgLock::Shared || (lock == StgLock::Default && access == StgAccess::ReadOnly);
    int error = fs.Open(path, kind, opened->Handle);
    if (error == 0)
        error = shared ? opened->Handle->LockShared() : opened->Handle->LockExclusive();
    if (error != 0)
        return OpenResult(error, true);
    if ((error = opened->Handle->Size(opened->CommittedBytes)) != 0)
        return ResultFromErrno(error, true);
    HResult result = opened->Recover();
    if (Succeeded(result))
        result = opened->Load();
    if (Failed(result))
        return result;
    file = std::move(opened);
    return S_OK;
}

TStorage TCompoundFile::Root() {
    return TStorage(this, 0, Dir.empty() ? 0 : Dir[0].Generation);
}

HResult TCompoundFile::InitEmpty(std::uint16_t version) {
    Major = version;
    SectorSize = version == 4 ? 4096 : 512;
    CommittedBytes = 0;
    SectorCount = 0;
    HeaderImage.assign(PageSize(), 0);
    Dirty.SetPageSize(PageSize());
    Clean.SetPageSize(PageSize());
    std::uint32_t dirSector = 0;
    if (HResult r = AllocateSector(dirSector); Failed(r))
        return r;
    DirSectors.assign(1, dirSector);
    DirSectorDirty.assign(1, true);
    Dir.assign(SectorSize / DirEntrySize, DirEntry{});
    TreeDirty.assign(Dir.size(), false);
    DirEntry& root = Dir[0];
    root.Name = u"Root Entry";
    root.Type = EntryType::Root;
    root.ChainKnown = true;
    MetaDirty = true;
    return S_OK;
}

// ---- Recovery ---------------------------------------------------------------------------

namespace {

// What a journal file holds: the old contents of the pages its commit began to overwrite, the
// file's old length, and the mark of the file it was written for.
struct JournalImage {
    bool Marked = false; // written by this version, with the mark of its file
    std::uint32_t PageSize = 0;
    std::uint64_t OldBytes = 0;
    std::vector<std::uint32_t> Samples;
    std::uint64_t SampleHash = 0;
    std::map<std::uint32_t, std::vector<std::uint8_t>> Pages;
};

// Segments follow the head one after another, each closed by a checksum seeded with the
// head; the first one that does not check out ends the journal.
void ReadSegments(const std::vector<std::uint8_t>& bytes, std::size_t at, std::uint64_t seed, JournalImage& journal) {
    const std::uint32_t pageSize = journal.PageSize;
    if (pageSize != 512 && pageSize != 4096)
        return;
    for (;;) {
        if (at + 4 > bytes.size())
            return;
        const std::uint32_t count = Get32(&bytes[at]);
        const std::uint64_t length = 4 + std::uint64_t(count) * (4 + pageSize);
        if (at + length + 8 > bytes.size())
            return;
        if (Fnv1a(&bytes[at], static_cast<std::size_t>(length), seed) != Get64(&bytes[at + length]))
            return;
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint8_t* entry = &bytes[at + 4 + std::size_t(i) * (4 + pageSize)];
            journal.Pages[Get32(entry)].assign(entry + 4, entry + 4 + pageSize);
        }
        at += static_cast<std::size_t>(length + 8);
    }
}

JournalImage ParseJournal(const std::vector<std::uint8_t>& bytes) {
    JournalImage journal;
    if (bytes.size() >= 20 && std::equal(UnmarkedJournalMagic, UnmarkedJournalMagic + 8, bytes.begin())) {
        journal.PageSize = Get32(&bytes[8]);
        journal.OldBytes = Get64(&bytes[12]);
        ReadSegments(bytes, 20, Fnv1a(bytes.data(), 20), journal);
        return journal;
    }
    if (bytes.size() < JournalFixedHead || !std::equal(JournalMagic, JournalMagic + 8, bytes.begin()))
        return journal;
    const std::uint32_t samples = Get32(&bytes[20]);
    const std::size_t head = JournalFixedHead + 4 * std::size_t(samples) + 8;
    if (samples > MaxJournalSamples || bytes.size() < head)
        return journal;
    journal.Marked = true;
    journal.PageSize = Get32(&bytes[8]);
    journal.OldBytes = Get64(&bytes[12]);
    for (std::uint32_t i = 0; i < samples; ++i)
        journal.Samples.push_back(Get32(&bytes[JournalFixedHead + 4 * i]));
    journal.SampleHash = Get64(&bytes[head - 8]);
    ReadSegments(bytes, head, Fnv1a(bytes.data(), head), journal);
    return journal;
}

} // namespace

// The pages of the file that mark it in a journal: the header and pages spread over the
// file, of those the commit leaves alone. Playing a journal back first checks that they are
// still what they were: a journal of other contents (a document copied or restored over this
// one) must never be laid over it.
std::vector<std::uint32_t> TCompoundFile::JournalSamples() const {
    std::vector<std::uint32_t> samples;
    const std::uint64_t pages = CommittedPages();
    for (std::uint64_t k = 0; k < MaxJournalSamples && pages > 0; ++k) {
        const auto page = static_cast<std::uint32_t>(k * (pages - 1) / (MaxJournalSamples - 1));
        if (!Dirty.Contains(page) && (samples.empty() || samples.back() != page))
            samples.push_back(page);
    }
    return samples;
}

// The hash of the sample pages as they stand: in the journal where it holds them, else in
// the file (a last page the file ends inside counts with zeros after its end). False when
// the file cannot be read.
bool TCompoundFile::HashSamples(const std::vector<std::uint32_t>& samples, std::uint32_t pageSize,
                                const std::map<std::uint32_t, std::vector<std::uint8_t>>& journaled,
                                std::uint64_t& hash) const {
    hash = 0xCBF29CE484222325ull;
    std::vector<std::uint8_t> page(pageSize);
    for (std::uint32_t sample : samples) {
        if (auto it = journaled.find(sample); it != journaled.end()) {
            hash = Fnv1a(it->second.data(), it->second.size(), hash);
            continue;
        }
        std::size_t got = 0;
        if (Handle->PRead(page.data(), page.size(), std::uint64_t(sample) * pageSize, got) != 0)
            return false;
        std::fill(page.begin() + static_cast<std::ptrdiff_t>(got), page.end(), 0);
        hash = Fnv1a(page.data(), page.size(), hash);
    }
    return true;
}

// A journal that belongs to other contents is kept under a name of its own and never played.
// Read-only, it is left where it is.
HResult TCompoundFile::SetJournalAside(const std::string& journalPath) {
    if (Access == StgAccess::ReadOnly) {
        StrayJournalPath = journalPath;
        return S_OK;
    }
    for (int n = 1; n < 1000; ++n) {
        const std::string aside = journalPath + ".set-aside" + (n == 1 ? "" : "-" + std::to_string(n));
        if (Fs.Exists(aside))
            continue;
        if (int error = Fs.Rename(journalPath, aside); error != 0)
            return ResultFromErrno(error);
        Fs.SyncFolderOf(aside);
        StrayJournalPath = aside;
        return S_OK;
    }
    return STG_E_ACCESSDENIED;
}

// Plays back a journal left by a crash: the file gets back every page the interrupted commit
// had begun to overwrite, and its old length. A journal that is not complete was written
// before the file was touched, so it is dropped. Read-only, the old pages are laid over the
// file in memory instead.
HResult TCompoundFile::Recover() {
    const std::string journalPath = JournalPath(FilePath);
    if (!Fs.Exists(journalPath))
        return S_OK;
    std::unique_ptr<TFile> journalFile;
    int error = Fs.Open(journalPath, OpenKind::ReadOnly, journalFile);
    if (error != 0)
        return ResultFromErrno(error, true);
    std::uint64_t size = 0;
    if ((error = journalFile->Size(size)) != 0)
        return ResultFromErrno(error, true);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    std::size_t got = 0;
    if ((error = journalFile->PRead(bytes.data(), bytes.size(), 0, got)) != 0)
        return ResultFromErrno(error, true);
    journalFile.reset();
    bytes.resize(got);

    JournalImage journal = ParseJournal(bytes);
    if (journal.Pages.empty()) {
        if (Access == StgAccess::ReadOnly)
            return S_OK;
        error = Fs.Remove(journalPath);
        return error == 0 ? S_OK : ResultFromErrno(error);
    }
    // Commits only ever lengthen the file, so a journal that remembers it longer than it is
    // belongs to other contents (played back, it would stretch the file to any length it
    // names); so does one of another page size, or one whose marked pages differ.
    std::uint8_t shift[2] = {};
    std::size_t shiftRead = 0;
    const bool samePages = Handle->PRead(shift, 2, 0x1E, shiftRead) == 0 && shiftRead == 2 &&
                           (shift[0] == 9 || shift[0] == 12) && shift[1] == 0 && journal.PageSize == (1u << shift[0]);
    std::uint64_t hash = 0;
    if (!journal.Marked || !samePages || journal.OldBytes > CommittedBytes ||
        !HashSamples(journal.Samples, journal.PageSize, journal.Pages, hash) || hash != journal.SampleHash)
        return SetJournalAside(journalPath);
    const std::uint32_t pageSize = journal.PageSize;
    const std::uint64_t oldBytes = journal.OldBytes;
    if (Access == StgAccess::ReadOnly) {
        // Laid over the file as playing back would: the pages within its old length.
        Dirty.SetPageSize(pageSize);
        for (const auto& [page, data] : journal.Pages) {
            if (std::uint64_t(page) * pageSize >= oldBytes)
                continue;
            bool added = false;
            std::memcpy(Dirty.Insert(page, added), data.data(), pageSize);
        }
        CommittedBytes = oldBytes;
        return S_OK;
    }
    for (const auto& [page, data] : journal.Pages) {
        if (std::uint64_t(page) * pageSize >= oldBytes)
            continue;
        if ((error = Handle->PWrite(data.data(), data.size(), std::uint64_t(page) * pageSize)) != 0)
            return ResultFromErrno(error);
    }
    if ((error = Handle->Truncate(oldBytes)) != 0 || (error = Handle->Sync()) != 0)
        return ResultFromErrno(error);
    if ((error = Fs.Remove(journalPath)) != 0)
        return ResultFromErrno(error);
    Fs.SyncFolderOf(journalPath);
    CommittedBytes = oldBytes;
    return S_OK;
}

// ---- Committing ---------------------------------------------------------------------------

void TCompoundFile::HeaderBytes(std::vector<std::uint8_t>& image) const {
    image.assign(PageSize(), 0);
    std::uint8_t* h = image.data();
    std::copy(Signature, Signature + 8, h);
    std::copy(Clsid, Clsid + 16, h + 8);
    Put16(h + 0x18, Minor);
    Put16(h + 0x1A, Major);
    Put16(h + 0x1C, 0xFFFE);
    Put16(h + 0x1E, Major == 4 ? 12 : 9);
    Put16(h + 0x20, 6);
    Put32(h + 0x28, Major == 4 ? static_cast<std::uint32_t>(DirSectors.size()) : 0);
    Put32(h + 0x2C, static_cast<std::uint32_t>(FatSectors.size()));
    Put32(h + 0x30, DirSectors.empty() ? ENDOFCHAIN : DirSectors[0]);
    Put32(h + 0x34, TransactionSignature);
    Put32(h + 0x38, MiniStreamCutoff);
    Put32(h + 0x3C, MiniFatSectors.empty() ? ENDOFCHAIN : MiniFatSectors[0]);
    Put32(h + 0x40, static_cast<std::uint32_t>(MiniFatSectors.size()));
    Put32(h + 0x44, DifatSectors.empty() ? ENDOFCHAIN : DifatSectors[0]);
    Put32(h + 0x48, static_cast<std::uint32_t>(DifatSectors.size()));
    for (std::uint32_t i = 0; i < HeaderDifatEntries; ++i)
        Put32(h + 0x4C + 4 * i, i < FatSectors.size() ? FatSectors[i] : FREESECT);
}

HResult TCompoundFile::SerializeMeta() {
    BuildTrees();
    HResult result = S_OK;
    const std::uint32_t perDirSector = SectorSize / DirEntrySize;
    for (std::size_t i = 0; i < DirSectors.size(); ++i) {
        if (!DirSectorDirty[i])
            continue;
        std::uint8_t* page = PageForWrite(DirSectors[i] + 1, false, result);
        if (Failed(result))
            return result;
        std::fill(page, page + PageSize(), 0);
        for (std::uint32_t k = 0; k < perDirSector; ++k) {
            const DirEntry& e = Dir[i * perDirSector + k];
            std::uint8_t* p = page + k * DirEntrySize;
            if (e.Type == EntryType::Empty) {
                Put32(p + 68, NOSTREAM);
                Put32(p + 72, NOSTREAM);
                Put32(p + 76, NOSTREAM);
                continue;
            }
            for (std::size_t c = 0; c < e.Name.size() && c < MaxNameLength; ++c)
                Put16(p + 2 * c, static_cast<std::uint16_t>(e.Name[c]));
            Put16(p + 64, static_cast<std::uint16_t>((std::min<std::size_t>(e.Name.size(), MaxNameLength) + 1) * 2));
            p[66] = static_cast<std::uint8_t>(e.Type);
            p[67] = e.Color;
            Put32(p + 68, e.Left);
            Put32(p + 72, e.Right);
            Put32(p + 76, e.Child);
            std::copy(e.Clsid, e.Clsid + 16, p + 80);
            Put32(p + 96, e.StateBits);
            Put64(p + 100, e.Created);
            Put64(p + 108, e.Modified);
            const bool hasData = e.Type == EntryType::Stream || e.Type == EntryType::Root;
            Put32(p + 116, hasData ? e.Start : 0);
            Put64(p + 120, hasData ? (Major == 3 ? (e.Size & 0xFFFFFFFFull) : e.Size) : 0);
        }
        DirSectorDirty[i] = false;
    }
    const std::uint32_t per = EntriesPerSector();
    auto writeTable = [&](const std::vector<std::uint32_t>& table, const std::vector<std::uint32_t>& sectors,
                          std::vector<bool>& dirty) -> HResult {
        for (std::size_t i = 0; i < sectors.size(); ++i) {
            if (!dirty[i])
                continue;
            HResult r = S_OK;
            std::uint8_t* page = PageForWrite(sectors[i] + 1, false, r);
            if (Failed(r))
                return r;
            for (std::uint32_t k = 0; k < per; ++k) {
                const std::size_t index = i * per + k;
                Put32(page + 4 * k, index < table.size() ? table[index] : FREESECT);
            }
            dirty[i] = false;
        }
        return S_OK;
    };
    if (Failed(result = writeTable(Fat, FatSectors, FatSectorDirty)))
        return result;
    if (Failed(result = writeTable(MiniFat, MiniFatSectors, MiniFatSectorDirty)))
        return result;
    if (DifatDirty) {
        for (std::size_t d = 0; d < DifatSectors.size(); ++d) {
            std::uint8_t* page = PageForWrite(DifatSectors[d] + 1, false, result);
            if (Failed(result))
                return result;
            for (std::uint32_t k = 0; k + 1 < per; ++k) {
                const std::size_t index = HeaderDifatEntries + d * (per - 1) + k;
                Put32(page + 4 * k, index < FatSectors.size() ? FatSectors[index] : FREESECT);
            }
            Put32(page + 4 * (per - 1), d + 1 < DifatSectors.size() ? DifatSectors[d + 1] : ENDOFCHAIN);
        }
        DifatDirty = false;
    }
    std::vector<std::uint8_t> header;
    HeaderBytes(header);
    if (header != HeaderImage) {
        std::uint8_t* page = PageForWrite(0, false, result);
        if (Failed(result))
            return result;
        std::copy(header.begin(), header.end(), page);
    }
    MetaDirty = false;
    return S_OK;
}

// Reads the committed contents of the changed pages the journal still lacks and no read has
// brought yet (pages overwritten whole), runs of neighbours in one call. Those pages have not
// been written since the last commit: only journaled pages are.
HResult TCompoundFile::ReadOriginals(const std::vector<std::uint32_t>& pages) {
    std::vector<std::uint32_t> wanted;
    for (std::uint32_t page : pages)
        if (!Clean.Contains(page) &&
            !(JournalHot && std::binary_search(JournaledPages.begin(), JournaledPages.end(), page)))
            wanted.push_back(page);
    constexpr std::size_t MaxRun = 256;
    for (std::size_t i = 0; i < wanted.size();) {
        std::size_t j = i + 1;
        while (j < wanted.size() && wanted[j] == wanted[j - 1] + 1 && j - i < MaxRun)
            ++j;
        ReadAhead.resize((j - i) * PageSize());
        const std::uint64_t offset = std::uint64_t(wanted[i]) * PageSize();
        std::size_t got = 0;
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(ReadAhead.size(), CommittedBytes - offset));
        if (int error = Handle->PRead(ReadAhead.data(), want, offset, got); error != 0)
            return ResultFromErrno(error, true);
        std::fill(ReadAhead.begin() + static_cast<std::ptrdiff_t>(got), ReadAhead.end(), 0);
        for (std::size_t k = i; k < j; ++k) {
            bool added = false;
            std::memcpy(Clean.Insert(wanted[k], added), ReadAhead.data() + (k - i) * PageSize(), PageSize());
        }
        i = j;
    }
    return S_OK;
}

// Writes the committed contents of `pages` (ascending) to the journal and syncs it. While an
// earlier attempt's journal still guards the file, the pages it lacks are appended as a new
// segment, so the journal on disk is never less than what the file needs.
HResult TCompoundFile::WriteJournal(const std::vector<std::uint32_t>& pages) {
    int error = 0;
    if (!Journal && (error = Fs.Open(JournalPath(FilePath), OpenKind::CreateReadWrite, Journal)) != 0)
        return ResultFromErrno(error);
    std::vector<std::uint32_t> missing;
    std::uint64_t at = 0;
    if (!JournalHot) {
        // A new journal: its head marks the file with pages this commit leaves alone.
        const std::vector<std::uint32_t> samples = JournalSamples();
        std::uint64_t hash = 0;
        if (!HashSamples(samples, PageSize(), {}, hash))
            return STG_E_READFAULT;
        JournalHead.assign(JournalFixedHead + 4 * samples.size() + 8, 0);
        std::copy(JournalMagic, JournalMagic + 8, JournalHead.begin());
        Put32(&JournalHead[8], PageSize());
        Put64(&JournalHead[12], CommittedBytes);
        Put32(&JournalHead[20], static_cast<std::uint32_t>(samples.size()));
        for (std::size_t i = 0; i < samples.size(); ++i)
            Put32(&JournalHead[JournalFixedHead + 4 * i], samples[i]);
        Put64(&JournalHead[JournalHead.size() - 8], hash);
        JournaledPages.clear();
        JournalEnd = JournalHead.size();
    }
    for (std::uint32_t page : pages)
        if (!std::binary_search(JournaledPages.begin(), JournaledPages.end(), page))
            missing.push_back(page);
    if (missing.empty())
        return S_OK;
    const std::size_t entrySize = 4 + PageSize();
    std::vector<std::uint8_t> buffer;
    const std::size_t segment = JournalHot ? 0 : JournalHead.size();
    buffer.resize(segment + 4 + missing.size() * entrySize + 8);
    if (!JournalHot)
        std::copy(JournalHead.begin(), JournalHead.end(), buffer.begin());
    Put32(&buffer[segment], static_cast<std::uint32_t>(missing.size()));
    for (std::size_t i = 0; i < missing.size(); ++i) {
        const std::uint8_t* original = Clean.Find(missing[i]);
        if (!original)
            return STG_E_READFAULT; // never journal a page whose old contents are not known
        std::uint8_t* entry = &buffer[segment + 4 + i * entrySize];
        Put32(entry, missing[i]);
        std::memcpy(entry + 4, original, PageSize());
    }
    const std::size_t length = 4 + missing.size() * entrySize;
    Put64(&buffer[segment + length], Fnv1a(&buffer[segment], length, Fnv1a(JournalHead.data(), JournalHead.size())));
    at = JournalHot ? JournalEnd : 0;
    if ((error = Journal->PWrite(buffer.data(), buffer.size(), at)) != 0)
        return ResultFromErrno(error);
    if (SyncOn) {
        if ((error = Journal->Sync()) != 0)
            return ResultFromErrno(error);
        if (!JournalDurable) {
            if ((error = Fs.SyncFolderOf(JournalPath(FilePath))) != 0)
                return ResultFromErrno(error);
            JournalDurable = true;
        }
    }
    JournalEnd = at + buffer.size();
    if (JournaledPages.empty()) {
        JournaledPages = std::move(missing);
    } else {
        const auto middle = static_cast<std::ptrdiff_t>(JournaledPages.size());
        JournaledPages.insert(JournaledPages.end(), missing.begin(), missing.end());
        std::inplace_merge(JournaledPages.begin(), JournaledPages.begin() + middle, JournaledPages.end());
    }
    JournalHot = true;
    return S_OK;
}

// Writes the pages (ascending), each run of neighbours in one gathered write.
HResult TCompoundFile::WritePages(const std::vector<std::uint32_t>& pages) {
    std::vector<TWritePiece> run;
    for (std::size_t i = 0; i < pages.size();) {
        std::size_t j = i + 1;
        while (j < pages.size() && pages[j] == pages[j - 1] + 1)
            ++j;
        run.clear();
        for (std::size_t k = i; k < j; ++k)
            run.push_back({Dirty.Find(pages[k]), PageSize()});
        if (int error = Handle->PWriteV(run.data(), run.size(), std::uint64_t(pages[i]) * PageSize()); error != 0)
            return ResultFromErrno(error);
        i = j;
    }
    return S_OK;
}

HResult TCompoundFile::Commit() {
    if (Access == StgAccess::ReadOnly)
        return STG_E_ACCESSDENIED;
    HResult result = SerializeMeta();
    if (Failed(result))
        return result;
    if (Dirty.Empty())
        return S_OK;
    const std::vector<std::uint32_t> pages = Dirty.SortedPages();
    const std::uint64_t committedPages = CommittedPages();
    const std::uint64_t end = std::max(CommittedBytes, (std::uint64_t(pages.back()) + 1) * PageSize());
    const std::vector<std::uint32_t> existing(pages.begin(),
                                              std::lower_bound(pages.begin(), pages.end(), committedPages));
    if (Failed(result = ReadOriginals(existing)))
        return result;
    if (end > SizeLimit)
        return STG_E_DOCFILETOOLARGE;
    // The journal holds the old contents before the first byte of the file changes; pages
    // past the committed end need none, since playing back cuts the file to its old length.
    if (!existing.empty() && Failed(result = WriteJournal(existing)))
        return result;
    if (Failed(result = WritePages(pages)))
        return result;
    if (SyncOn)
        if (int error = Handle->Sync(); error != 0)
            return ResultFromErrno(error);
    if (JournalHot) {
        if (int error = Journal->Truncate(0); error != 0)
            return ResultFromErrno(error);
        // The emptied journal guards nothing: should its sync fail, the next commit must write
        // a whole journal again, not add to this one.
        JournalHot = false;
        JournaledPages.clear();
        if (SyncOn)
            if (int error = Journal->Sync(); error != 0)
                return ResultFromErrno(error);
    }
    if (const std::uint8_t* header = Dirty.Find(0))
        HeaderImage.assign(header, header + PageSize());
    CommittedBytes = end;
    Dirty.Clear();
    Clean.Clear();
    return S_OK;
}

} // namespace qz::cfb

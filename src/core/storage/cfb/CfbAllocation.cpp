// Pages, sectors, chains and the allocation tables of the container.

#include "CompoundFile.h"

#include "CfbFormat.h"

#include <algorithm>
#include <cstring>

namespace qz::cfb {

namespace {
// A page read from the file for a change or a small read brings its neighbours along, so
// that the records around it cost no read of their own: a change group touches runs of
// neighbouring records. Kept until the next commit, within a bound.
constexpr std::uint32_t ReadAheadBytes = 4096;
constexpr std::size_t CleanPagesBytes = 32u << 20;
} // namespace

HResult TCompoundFile::ReadPage(std::uint32_t page, std::uint8_t* buffer) {
    const std::uint8_t* held = Dirty.Find(page);
    if (!held)
        held = Clean.Find(page);
    if (held) {
        std::memcpy(buffer, held, PageSize());
        return S_OK;
    }
    std::size_t got = 0;
    const std::uint64_t offset = std::uint64_t(page) * PageSize();
    if (offset < CommittedBytes) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(PageSize(), CommittedBytes - offset));
        if (int error = Handle->PRead(buffer, want, offset, got); error != 0)
            return ResultFromErrno(error, true);
    }
    std::memset(buffer + got, 0, PageSize() - got);
    return S_OK;
}

HResult TCompoundFile::ReadSector(std::uint32_t sector, std::uint8_t* buffer) {
    return ReadPage(sector + 1, buffer);
}

bool TCompoundFile::KeepsReads() const {
    return Access == StgAccess::ReadWrite && Clean.Size() * PageSize() < CleanPagesBytes;
}

// The committed contents of a page of the committed file: kept from an earlier read, or read
// now with the other pages of its aligned group, of which those neither changed nor kept yet
// are kept. A changed page is never taken from the file: after a failed commit the file may
// hold its new contents.
HResult TCompoundFile::CommittedPage(std::uint32_t page, const std::uint8_t*& data) {
    if ((data = Clean.Find(page)))
        return S_OK;
    const std::uint64_t committedPages = CommittedPages();
    std::uint32_t first = page, last = page + 1;
    if (KeepsReads()) {
        const std::uint32_t group = std::max<std::uint32_t>(1, ReadAheadBytes / PageSize());
        first = page - page % group;
        last = static_cast<std::uint32_t>(std::min<std::uint64_t>(std::uint64_t(first) + group, committedPages));
    }
    ReadAhead.resize(std::size_t(last - first) * PageSize());
    const std::uint64_t offset = std::uint64_t(first) * PageSize();
    std::size_t got = 0;
    if (offset < CommittedBytes) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(ReadAhead.size(), CommittedBytes - offset));
        if (int error = Handle->PRead(ReadAhead.data(), want, offset, got); error != 0)
            return ResultFromErrno(error, true);
    }
    std::fill(ReadAhead.begin() + static_cast<std::ptrdiff_t>(got), ReadAhead.end(), 0);
    for (std::uint32_t p = first; p < last; ++p) {
        if (Dirty.Contains(p))
            continue;
        bool added = false;
        std::uint8_t* kept = Clean.Insert(p, added);
        if (added)
            std::memcpy(kept, ReadAhead.data() + std::size_t(p - first) * PageSize(), PageSize());
        if (p == page)
            data = kept;
    }
    return S_OK;
}

// The page's buffer among the changes, or nullptr with `result` failed; with `keepContents` it
// starts from what the page holds, else from zeros. The committed contents of a page that
// existed stay among the clean pages for the journal.
std::uint8_t* TCompoundFile::PageForWrite(std::uint32_t page, bool keepContents, HResult& result) {
    if (std::uint8_t* data = Dirty.Find(page))
        return data;
    const std::uint8_t* committed = nullptr;
    if (keepContents && page < CommittedPages()) {
        result = CommittedPage(page, committed); // not among the changes yet: read from the file
        if (Failed(result))
            return nullptr;
    }
    bool added = false;
    std::uint8_t* data = Dirty.Insert(page, added);
    if (committed)
        std::memcpy(data, committed, PageSize());
    else
        std::memset(data, 0, PageSize());
    return data;
}

HResult TCompoundFile::SectorForWrite(std::uint32_t sector, std::uint8_t*& data) {
    HResult result = S_OK;
    data = PageForWrite(sector + 1, true, result);
    return result;
}

HResult TCompoundFile::FreshSector(std::uint32_t sector, std::uint8_t*& data) {
    HResult result = S_OK;
    data = PageForWrite(sector + 1, false, result);
    return result;
}

// Follows a chain, refusing sectors outside the table or the file, and cycles.
HResult TCompoundFile::Chain(std::uint32_t start, bool mini, std::vector<std::uint32_t>& chain) const {
    chain.clear();
    const std::vector<std::uint32_t>& table = mini ? MiniFat : Fat;
    const std::uint64_t limit =
        mini ? std::min<std::uint64_t>(table.size(), Dir.empty() ? 0 : Dir[0].Size / MiniSectorSize)
             : std::min<std::uint64_t>(table.size(), SectorCount);
    for (std::uint32_t s = start; s != ENDOFCHAIN; s = table[s]) {
        if (s >= limit || chain.size() >= limit)
            return STG_E_DOCFILECORRUPT;
        chain.push_back(s);
    }
    return S_OK;
}

void TCompoundFile::SetFat(std::uint32_t sector, std::uint32_t next) {
    Fat[sector] = next;
    FatSectorDirty[sector / EntriesPerSector()] = true;
    MetaDirty = true;
}

void TCompoundFile::SetMiniFat(std::uint32_t sector, std::uint32_t next) {
    MiniFat[sector] = next;
    MiniFatSectorDirty[sector / EntriesPerSector()] = true;
    MetaDirty = true;
}

// Adds FAT sectors until the FAT covers every sector of the file, and DIFAT sectors until
// the DIFAT lists every FAT sector. Each addition is itself a new sector at the end.
HResult TCompoundFile::GrowFat() {
    const std::uint32_t per = EntriesPerSector();
    bool grown = false;
    for (;;) {
        const bool needFat = Fat.size() < SectorCount;
        const std::size_t beyondHeader =
            FatSectors.size() > HeaderDifatEntries ? FatSectors.size() - HeaderDifatEntries : 0;
        const bool needDifat = DifatSectors.size() < (beyondHeader + per - 2) / (per - 1);
        if (!needFat && !needDifat)
            break;
        if ((std::uint64_t(SectorCount) + 2) * PageSize() > SizeLimit)
            return STG_E_DOCFILETOOLARGE;
        const std::uint32_t sector = SectorCount++;
        std::uint8_t* data = nullptr;
        if (HResult r = FreshSector(sector, data); Failed(r))
            return r;
        if (needFat) {
            FatSectors.push_back(sector);
            Fat.resize(Fat.size() + per, FREESECT);
            FatSectorDirty.push_back(true);
        } else {
            DifatSectors.push_back(sector);
        }
        DifatDirty = true;
        grown = true;
    }
    if (grown) {
        for (std::uint32_t s : FatSectors)
            if (Fat[s] != FATSECT)
                SetFat(s, FATSECT);
        for (std::uint32_t s : DifatSectors)
            if (Fat[s] != DIFSECT)
                SetFat(s, DIFSECT);
    }
    return S_OK;
}

// A free sector (the lowest one, or a new one at the end), marked as the end of a chain and
// zeroed.
HResult TCompoundFile::AllocateSector(std::uint32_t& sector) {
    const std::uint32_t inFile = static_cast<std::uint32_t>(std::min<std::uint64_t>(Fat.size(), SectorCount));
    std::uint32_t found = FREESECT;
    for (std::uint32_t i = FreeHint; i < inFile; ++i) {
        if (Fat[i] == FREESECT) {
            found = i;
            break;
        }
    }
    if (found == FREESECT) {
        FreeHint = inFile;
        if ((std::uint64_t(SectorCount) + 2) * PageSize() > SizeLimit || SectorCount >= MAXREGSECT)
            return STG_E_DOCFILETOOLARGE;
        found = SectorCount++;
        if (HResult r = GrowFat(); Failed(r)) {
            --SectorCount;
            return r;
        }
    }
    FreeHint = found + 1;
    SetFat(found, ENDOFCHAIN);
    std::uint8_t* data = nullptr;
    if (HResult r = FreshSector(found, data); Failed(r))
        return r;
    std::memset(data, 0, PageSize());
    sector = found;
    return S_OK;
}

// Freed sectors are zeroed, so deleted data does not linger in the file.
void TCompoundFile::FreeSector(std::uint32_t sector) {
    SetFat(sector, FREESECT);
    FreeHint = std::min(FreeHint, sector);
    std::uint8_t* data = nullptr;
    if (Succeeded(FreshSector(sector, data)))
        std::memset(data, 0, PageSize());
}

HResult TCompoundFile::EnsureFatCovers(std::uint32_t sector) {
    (void)sector;
    return GrowFat();
}

HResult TCompoundFile::EnsureMiniFatCovers(std::uint32_t sector) {
    while (MiniFat.size() <= sector) {
        std::uint32_t added = 0;
        if (HResult r = AllocateSector(added); Failed(r))
            return r;
        if (!MiniFatSectors.empty())
            SetFat(MiniFatSectors.back(), added);
        MiniFatSectors.push_back(added);
        MiniFat.resize(MiniFat.size() + EntriesPerSector(), FREESECT);
        MiniFatSectorDirty.push_back(true);
        MetaDirty = true;
    }
    return S_OK;
}

HResult TCompoundFile::EnsureMiniStreamCovers(std::uint32_t sectors) {
    const std::uint64_t bytes = std::uint64_t(sectors) * MiniSectorSize;
    if (Dir[0].Size >= bytes)
        return S_OK;
    return ResizeChain(0, bytes, false);
}

HResult TCompoundFile::AllocateMiniSector(std::uint32_t& sector) {
    const std::uint32_t inStream =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(MiniFat.size(), Dir[0].Size / MiniSectorSize));
    std::uint32_t found = FREESECT;
    for (std::uint32_t i = MiniFreeHint; i < inStream; ++i) {
        if (MiniFat[i] == FREESECT) {
            found = i;
            break;
        }
    }
    if (found == FREESECT) {
        MiniFreeHint = inStream;
        found = static_cast<std::uint32_t>(Dir[0].Size / MiniSectorSize);
        if (HResult r = EnsureMiniFatCovers(found); Failed(r))
            return r;
        if (HResult r = EnsureMiniStreamCovers(found + 1); Failed(r))
            return r;
    }
    MiniFreeHint = found + 1;
    SetMiniFat(found, ENDOFCHAIN);
    std::uint32_t container = 0, offset = 0;
    if (HResult r = MiniStreamPiece(found, container, offset); Failed(r))
        return r;
    std::uint8_t* data = nullptr;
    if (HResult r = SectorForWrite(container, data); Failed(r))
        return r;
    std::memset(data + offset, 0, MiniSectorSize);
    sector = found;
    return S_OK;
}

void TCompoundFile::FreeMiniSector(std::uint32_t sector) {
    SetMiniFat(sector, FREESECT);
    MiniFreeHint = std::min(MiniFreeHint, sector);
    std::uint32_t container = 0, offset = 0;
    std::uint8_t* data = nullptr;
    if (Succeeded(MiniStreamPiece(sector, container, offset)) && Succeeded(SectorForWrite(container, data)))
        std::memset(data + offset, 0, MiniSectorSize);
}

// Where a mini sector lies: the regular sector of the mini stream and the offset in it.
HResult TCompoundFile::MiniStreamPiece(std::uint32_t miniSector, std::uint32_t& sector, std::uint32_t& offset) {
    std::vector<std::uint32_t>* chain = nullptr;
    if (HResult r = EntryChain(0, chain); Failed(r))
        return r;
    const std::uint64_t byte = std::uint64_t(miniSector) * MiniSectorSize;
    const std::uint64_t index = byte / SectorSize;
    if (byte + MiniSectorSize > Dir[0].Size || index >= chain->size())
        return STG_E_DOCFILECORRUPT;
    sector = (*chain)[static_cast<std::size_t>(index)];
    offset = static_cast<std::uint32_t>(byte % SectorSize);
    return S_OK;
}

} // namespace qz::cfb

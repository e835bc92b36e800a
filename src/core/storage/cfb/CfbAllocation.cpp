// Pages, sectors, chains and the allocation tables of the container.

#include "CompoundFile.h"

#include "CfbFormat.h"

#include <algorithm>
#include <cstring>

namespace qz::cfb {

HResult TCompoundFile::ReadPage(std::uint32_t page, std::uint8_t* buffer) {
    if (!Dirty.empty()) {
        if (auto it = Dirty.find(page); it != Dirty.end()) {
            std::memcpy(buffer, it->second.data(), PageSize());
            return S_OK;
        }
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

HResult TCompoundFile::ReadSector(std::uint32_t sector, std::uint8_t* buffer) { return ReadPage(sector + 1, buffer); }

// The page's buffer among the changes; with `keepContents` it starts from what the page holds.
std::vector<std::uint8_t>& TCompoundFile::PageForWrite(std::uint32_t page, bool keepContents, HResult& result) {
    if (auto it = Dirty.find(page); it != Dirty.end())
        return it->second;
    std::vector<std::uint8_t> contents(PageSize(), 0);
    if (keepContents && std::uint64_t(page) * PageSize() < CommittedBytes) {
        result = ReadPage(page, contents.data()); // not among the changes yet: read from the file
        if (Failed(result)) {
            static std::vector<std::uint8_t> scratch;
            scratch.assign(PageSize(), 0);
            return scratch;
        }
        if (page < CommittedPages() && !Original.count(page))
            Original.emplace(page, contents);
    }
    return Dirty.emplace(page, std::move(contents)).first->second;
}

HResult TCompoundFile::SectorForWrite(std::uint32_t sector, std::uint8_t*& data) {
    HResult result = S_OK;
    data = PageForWrite(sector + 1, true, result).data();
    return result;
}

HResult TCompoundFile::FreshSector(std::uint32_t sector, std::uint8_t*& data) {
    HResult result = S_OK;
    data = PageForWrite(sector + 1, false, result).data();
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
        const std::size_t beyondHeader = FatSectors.size() > HeaderDifatEntries ? FatSectors.size() - HeaderDifatEntries : 0;
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
    const std::uint32_t inStream = static_cast<std::uint32_t>(std::min<std::uint64_t>(MiniFat.size(), Dir[0].Size / MiniSectorSize));
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

// Reading and checking the header, the allocation tables and the directory of a file. Every
// count and index is checked against the file's size before it is used, so a damaged file
// gives an error, never a crash, a hang or an unbounded allocation.

#include "CompoundFile.h"

#include "CfbFormat.h"

#include <algorithm>

namespace qz::cfb {

HResult TCompoundFile::Load() {
    if (CommittedBytes < HeaderSize)
        return STG_E_INVALIDHEADER;
    std::uint8_t h[HeaderSize];
    {
        std::vector<std::uint8_t> first(HeaderSize);
        std::size_t got = 0;
        if (int error = Handle->PRead(first.data(), HeaderSize, 0, got); error != 0)
            return ResultFromErrno(error, true);
        if (const std::uint8_t* overlay = Dirty.Find(0))
            std::copy(overlay, overlay + std::min<std::uint32_t>(HeaderSize, Dirty.PageSize()), first.begin());
        std::copy(first.begin(), first.end(), h);
    }
    if (!std::equal(Signature, Signature + 8, h) || Get16(h + 0x1C) != 0xFFFE)
        return STG_E_INVALIDHEADER;
    Major = Get16(h + 0x1A);
    Minor = Get16(h + 0x18);
    const std::uint16_t shift = Get16(h + 0x1E);
    if (!((Major == 3 && shift == 9) || (Major == 4 && shift == 12)) || Get16(h + 0x20) != 6 ||
        Get32(h + 0x38) != MiniStreamCutoff)
        return STG_E_INVALIDHEADER;
    SectorSize = 1u << shift;
    // Pages a journal lays over the file (read-only recovery) must be of the file's size.
    if (!Dirty.Empty() && Dirty.PageSize() != PageSize())
        return STG_E_DOCFILECORRUPT;
    Dirty.SetPageSize(PageSize());
    Clean.SetPageSize(PageSize());
    std::copy(h + 8, h + 24, Clsid);
    TransactionSignature = Get32(h + 0x34);
    if (CommittedBytes < PageSize())
        return STG_E_DOCFILECORRUPT;
    const std::uint64_t sectors = (CommittedBytes - PageSize() + PageSize() - 1) / PageSize();
    if (sectors > MAXREGSECT)
        return STG_E_DOCFILECORRUPT;
    SectorCount = static_cast<std::uint32_t>(sectors);
    HeaderImage.assign(PageSize(), 0);
    std::copy(h, h + HeaderSize, HeaderImage.begin());
    if (const std::uint8_t* overlay = Dirty.Find(0))
        HeaderImage.assign(overlay, overlay + PageSize());
    else if (PageSize() > HeaderSize) {
        std::size_t got = 0;
        Handle->PRead(HeaderImage.data() + HeaderSize, PageSize() - HeaderSize, HeaderSize, got);
    }

    const std::uint32_t per = EntriesPerSector();
    std::vector<std::uint8_t> page(PageSize());

    // The FAT sectors: the first 109 listed in the header, the rest along the DIFAT chain.
    const std::uint32_t fatCount = Get32(h + 0x2C);
    if (fatCount > SectorCount)
        return STG_E_DOCFILECORRUPT;
    for (std::uint32_t i = 0; i < fatCount && i < HeaderDifatEntries; ++i)
        FatSectors.push_back(Get32(h + 0x4C + 4 * i));
    const std::uint32_t difatCount = Get32(h + 0x48);
    std::uint32_t difat = Get32(h + 0x44);
    std::vector<bool> seen(SectorCount, false);
    for (std::uint32_t k = 0; FatSectors.size() < fatCount; ++k) {
        if (k >= difatCount || difat >= SectorCount || seen[difat])
            return STG_E_DOCFILECORRUPT;
        seen[difat] = true;
        DifatSectors.push_back(difat);
        if (HResult r = ReadSector(difat, page.data()); Failed(r))
            return r;
        for (std::uint32_t j = 0; j + 1 < per && FatSectors.size() < fatCount; ++j)
            FatSectors.push_back(Get32(&page[4 * j]));
        difat = Get32(&page[4 * (per - 1)]);
    }
    Fat.assign(std::size_t(fatCount) * per, FREESECT);
    for (std::uint32_t i = 0; i < fatCount; ++i) {
        if (FatSectors[i] >= SectorCount)
            return STG_E_DOCFILECORRUPT;
        if (HResult r = ReadSector(FatSectors[i], page.data()); Failed(r))
            return r;
        for (std::uint32_t j = 0; j < per; ++j)
            Fat[std::size_t(i) * per + j] = Get32(&page[4 * j]);
    }
    FatSectorDirty.assign(FatSectors.size(), false);

    // The directory.
    if (HResult r = Chain(Get32(h + 0x30), false, DirSectors); Failed(r))
        return r;
    if (DirSectors.empty())
        return STG_E_DOCFILECORRUPT;
    const std::uint32_t perDir = SectorSize / DirEntrySize;
    Dir.assign(DirSectors.size() * perDir, DirEntry{});
    for (std::size_t i = 0; i < DirSectors.size(); ++i) {
        if (HResult r = ReadSector(DirSectors[i], page.data()); Failed(r))
            return r;
        for (std::uint32_t k = 0; k < perDir; ++k) {
            const std::uint8_t* p = &page[k * DirEntrySize];
            DirEntry& e = Dir[i * perDir + k];
            const std::uint8_t type = p[66];
            if (type == 0)
                continue;
            if (type != 1 && type != 2 && type != 5)
                return STG_E_DOCFILECORRUPT;
            e.Type = static_cast<EntryType>(type);
            const std::uint16_t nameBytes = Get16(p + 64);
            if (nameBytes > 64 || nameBytes % 2 != 0)
                return STG_E_DOCFILECORRUPT;
            for (std::uint16_t c = 0; c + 1 < nameBytes / 2; ++c)
                e.Name += static_cast<char16_t>(Get16(p + 2 * c));
            e.Color = p[67];
            e.Left = Get32(p + 68);
            e.Right = Get32(p + 72);
            e.Child = Get32(p + 76);
            std::copy(p + 80, p + 96, e.Clsid);
            e.StateBits = Get32(p + 96);
            e.Created = Get64(p + 100);
            e.Modified = Get64(p + 108);
            e.Start = Get32(p + 116);
            e.Size = Major == 3 ? Get32(p + 120) : Get64(p + 120);
            if (e.Type == EntryType::Storage) {
                e.Start = ENDOFCHAIN;
                e.Size = 0;
            }
        }
    }
    if (Dir[0].Type != EntryType::Root)
        return STG_E_DOCFILECORRUPT;
    DirSectorDirty.assign(DirSectors.size(), false);
    TreeDirty.assign(Dir.size(), false);

    // The mini FAT.
    if (Get32(h + 0x3C) != ENDOFCHAIN && Get32(h + 0x40) != 0) {
        if (HResult r = Chain(Get32(h + 0x3C), false, MiniFatSectors); Failed(r))
            return r;
        MiniFat.assign(MiniFatSectors.size() * per, FREESECT);
        for (std::size_t i = 0; i < MiniFatSectors.size(); ++i) {
            if (HResult r = ReadSector(MiniFatSectors[i], page.data()); Failed(r))
                return r;
            for (std::uint32_t j = 0; j < per; ++j)
                MiniFat[i * per + j] = Get32(&page[4 * j]);
        }
    }
    MiniFatSectorDirty.assign(MiniFatSectors.size(), false);

    // The trees: every entry belongs to at most one storage, and a sibling or child link that
    // leads back into a tree is a cycle.
    std::vector<bool> placed(Dir.size(), false);
    placed[0] = true;
    std::vector<std::uint32_t> storages{0};
    std::vector<std::uint32_t> stack;
    while (!storages.empty()) {
        const std::uint32_t storage = storages.back();
        storages.pop_back();
        stack.assign(1, Dir[storage].Child);
        while (!stack.empty()) {
            const std::uint32_t node = stack.back();
            stack.pop_back();
            if (node == NOSTREAM)
                continue;
            if (node >= Dir.size() || placed[node] || Dir[node].Type == EntryType::Empty ||
                Dir[node].Type == EntryType::Root)
                return STG_E_DOCFILECORRUPT;
            placed[node] = true;
            Dir[node].Parent = storage;
            Dir[storage].Children.push_back(node);
            stack.push_back(Dir[node].Left);
            stack.push_back(Dir[node].Right);
            if (Dir[node].Type == EntryType::Storage)
                storages.push_back(node);
        }
        std::sort(Dir[storage].Children.begin(), Dir[storage].Children.end(),
                  [this](std::uint32_t a, std::uint32_t b) { return CompareNames(Dir[a].Name, Dir[b].Name) < 0; });
    }
    // Links a reader follows nowhere, noted for the check: a stream has no children.
    for (std::size_t i = 0; i < Dir.size(); ++i)
        if (Dir[i].Type == EntryType::Stream && Dir[i].Child != NOSTREAM)
            OddityList.push_back("the directory entry of stream \"" + NameToUtf8(Dir[i].Name) + "\" names entry " +
                                 std::to_string(Dir[i].Child) + " as its child");
    // The mini stream's own chain is checked now: every small stream depends on it.
    std::vector<std::uint32_t>* rootChain = nullptr;
    if (HResult r = EntryChain(0, rootChain); Failed(r))
        return r;
    // No sector, and no mini sector, is claimed twice: reads of such a file go well, but a
    // write to one claimant changes the other, and a commit would lose what it held. A stream
    // whose chain is broken is refused when it is opened, and claims nothing here.
    std::vector<bool> claimed(SectorCount, false);
    std::vector<bool> miniClaimed(MiniFat.size(), false);
    const auto claim = [](std::vector<bool>& map, const std::vector<std::uint32_t>& sectors) {
        for (const std::uint32_t s : sectors) {
            if (s >= map.size() || map[s])
                return false;
            map[s] = true;
        }
        return true;
    };
    if (!claim(claimed, FatSectors) || !claim(claimed, DifatSectors) || !claim(claimed, DirSectors) ||
        !claim(claimed, MiniFatSectors) || !claim(claimed, *rootChain))
        return STG_E_DOCFILECORRUPT;
    // A sector of the FAT or the DIFAT that the FAT calls free would be handed out for data,
    // and the first write to it would destroy the table: it is marked as what it is (on disk
    // too, when its part of the FAT is next written).
    const auto markUsed = [this](const std::vector<std::uint32_t>& sectors, std::uint32_t mark, const char* what) {
        for (const std::uint32_t s : sectors)
            if (s < Fat.size() && Fat[s] == FREESECT) {
                Fat[s] = mark;
                OddityList.push_back(std::string(what) + " sector " + std::to_string(s) + " is marked free in the FAT");
            }
    };
    markUsed(FatSectors, FATSECT, "FAT");
    markUsed(DifatSectors, DIFSECT, "DIFAT");
    for (std::uint32_t i = 1; i < Dir.size(); ++i) {
        std::vector<std::uint32_t>* chain = nullptr;
        if (!placed[i] || Dir[i].Type != EntryType::Stream || Dir[i].Size == 0 || Failed(EntryChain(i, chain)))
            continue;
        if (!claim(Dir[i].Size < MiniStreamCutoff ? miniClaimed : claimed, *chain))
            return STG_E_DOCFILECORRUPT;
    }
    return S_OK;
}

} // namespace qz::cfb

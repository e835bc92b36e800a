// Stream data: reading, writing and resizing, in regular sectors or in the mini stream.

#include "CompoundFile.h"

#include "CfbFormat.h"

#include <algorithm>
#include <cstring>

namespace qz::cfb {

namespace {
bool IsMini(std::uint32_t entry, std::uint64_t size) {
    return entry != 0 && size < MiniStreamCutoff;
}
} // namespace

// The entry's sectors, worked out once and then kept up to date by every resize.
HResult TCompoundFile::EntryChain(std::uint32_t entry, std::vector<std::uint32_t>*& chain) {
    DirEntry& e = Dir[entry];
    if (!e.ChainKnown) {
        const bool mini = IsMini(entry, e.Size);
        if (e.Size == 0) {
            e.ChainCache.clear();
        } else if (HResult r = Chain(e.Start, mini, e.ChainCache); Failed(r)) {
            return r;
        }
        const std::uint64_t unit = mini ? MiniSectorSize : SectorSize;
        if (e.ChainCache.size() * unit < e.Size)
            return STG_E_DOCFILECORRUPT; // the stream claims more than its chain holds
        // Only a file's last sector can be short; the bytes the entry keeps there must be in
        // the file, or a truncated file would read as zeros.
        if (!mini && CommittedBytes % SectorSize != 0) {
            const auto shortSector = static_cast<std::uint32_t>(CommittedBytes / SectorSize - 1);
            const auto at = std::find(e.ChainCache.begin(), e.ChainCache.end(), shortSector);
            const std::uint64_t before = std::uint64_t(at - e.ChainCache.begin()) * SectorSize;
            if (at != e.ChainCache.end() && before < e.Size && !Dirty.Contains(shortSector + 1) &&
                SectorOffset(shortSector) + std::min<std::uint64_t>(SectorSize, e.Size - before) > CommittedBytes)
                return STG_E_DOCFILECORRUPT;
        }
        e.ChainKnown = true;
    }
    chain = &e.ChainCache;
    return S_OK;
}

HResult TCompoundFile::ReadEntry(std::uint32_t entry, std::uint64_t offset, void* buffer, std::uint32_t size,
                                 std::uint32_t& read) {
    read = 0;
    const DirEntry& e = Dir[entry];
    if (offset >= e.Size || size == 0)
        return S_OK;
    const std::uint32_t count = static_cast<std::uint32_t>(std::min<std::uint64_t>(size, e.Size - offset));
    std::vector<std::uint32_t>* chain = nullptr;
    if (HResult r = EntryChain(entry, chain); Failed(r))
        return r;
    auto* out = static_cast<std::uint8_t*>(buffer);
    // A read of a record or two goes through the pages kept between commits (the write that
    // usually follows it then reads nothing); a long one straight from the file.
    const bool small = count <= 2 * SectorSize && KeepsReads();
    if (IsMini(entry, e.Size)) {
        std::vector<std::uint8_t> page;
        const std::uint8_t* held = nullptr;
        std::uint32_t cached = FREESECT;
        for (std::uint32_t done = 0; done < count;) {
            const std::uint64_t at = offset + done;
            const std::uint32_t inSector = static_cast<std::uint32_t>(at % MiniSectorSize);
            const std::uint32_t piece = std::min(count - done, MiniSectorSize - inSector);
            std::uint32_t sector = 0, within = 0;
            if (HResult r = MiniStreamPiece((*chain)[static_cast<std::size_t>(at / MiniSectorSize)], sector, within);
                Failed(r))
                return r;
            if (sector != cached) {
                held = Dirty.Find(sector + 1);
                if (!held && small && SectorOffset(sector) < CommittedBytes) {
                    if (HResult r = CommittedPage(sector + 1, held); Failed(r))
                        return r;
                } else if (!held) {
                    page.resize(PageSize());
                    if (HResult r = ReadSector(sector, page.data()); Failed(r))
                        return r;
                    held = page.data();
                }
                cached = sector;
            }
            std::memcpy(out + done, held + within + inSector, piece);
            done += piece;
        }
        read = count;
        return S_OK;
    }
    // Neighbouring sectors that are not changed in memory are read in one call.
    for (std::uint32_t done = 0; done < count;) {
        const std::uint64_t at = offset + done;
        std::size_t index = static_cast<std::size_t>(at / SectorSize);
        const std::uint32_t inSector = static_cast<std::uint32_t>(at % SectorSize);
        const std::uint32_t first = (*chain)[index];
        const std::uint8_t* held = Dirty.Find(first + 1);
        if (!held && small && SectorOffset(first) < CommittedBytes)
            if (HResult r = CommittedPage(first + 1, held); Failed(r))
                return r;
        if (held) {
            const std::uint32_t piece = std::min(count - done, SectorSize - inSector);
            std::memcpy(out + done, held + inSector, piece);
            done += piece;
            continue;
        }
        std::uint64_t span = SectorSize - inSector;
        while (span < count - done && index + 1 < chain->size() && (*chain)[index + 1] == (*chain)[index] + 1 &&
               !Dirty.Contains((*chain)[index + 1] + 1)) {
            ++index;
            span += SectorSize;
        }
        const std::uint32_t piece = static_cast<std::uint32_t>(std::min<std::uint64_t>(span, count - done));
        const std::uint64_t fileOffset = SectorOffset(first) + inSector;
        std::size_t got = 0;
        if (fileOffset < CommittedBytes) {
            const std::size_t want =
                static_cast<std::size_t>(std::min<std::uint64_t>(piece, CommittedBytes - fileOffset));
            if (int error = Handle->PRead(out + done, want, fileOffset, got); error != 0)
                return ResultFromErrno(error, true);
        }
        std::memset(out + done + got, 0, piece - got);
        done += piece;
    }
    read = count;
    return S_OK;
}

// Writes bytes that lie inside the entry's present size.
HResult TCompoundFile::WriteEntry(std::uint32_t entry, std::uint64_t offset, const void* buffer, std::uint32_t size) {
    const DirEntry& e = Dir[entry];
    std::vector<std::uint32_t>* chain = nullptr;
    if (HResult r = EntryChain(entry, chain); Failed(r))
        return r;
    const auto* in = static_cast<const std::uint8_t*>(buffer);
    const bool mini = IsMini(entry, e.Size);
    const std::uint32_t unit = mini ? MiniSectorSize : SectorSize;
    for (std::uint32_t done = 0; done < size;) {
        const std::uint64_t at = offset + done;
        const std::uint32_t inUnit = static_cast<std::uint32_t>(at % unit);
        const std::uint32_t piece = std::min(size - done, unit - inUnit);
        const std::uint32_t unitSector = (*chain)[static_cast<std::size_t>(at / unit)];
        std::uint32_t sector = unitSector, within = 0;
        if (mini) {
            if (HResult r = MiniStreamPiece(unitSector, sector, within); Failed(r))
                return r;
        }
        std::uint8_t* data = nullptr;
        const bool whole = !mini && piece == SectorSize;
        if (HResult r = whole ? FreshSector(sector, data) : SectorForWrite(sector, data); Failed(r))
            return r;
        if (in)
            std::memcpy(data + within + inUnit, in + done, piece);
        else
            std::memset(data + within + inUnit, 0, piece);
        done += piece;
    }
    return S_OK;
}

// Grows or shrinks the entry's chain to hold `size` bytes in units of its kind. The bytes
// between the new and the old end are zero either way.
HResult TCompoundFile::ResizeChain(std::uint32_t entry, std::uint64_t size, bool mini) {
    std::vector<std::uint32_t>* chain = nullptr;
    if (HResult r = EntryChain(entry, chain); Failed(r))
        return r;
    DirEntry& e = Dir[entry];
    const std::uint64_t unit = mini ? MiniSectorSize : SectorSize;
    const std::size_t need = static_cast<std::size_t>((size + unit - 1) / unit);
    const std::uint64_t oldSize = e.Size;
    if (size < oldSize) {
        // Zero what is cut from the last kept unit, then free the units beyond it.
        const std::uint64_t keptEnd = std::min<std::uint64_t>(std::uint64_t(need) * unit, oldSize);
        if (keptEnd > size)
            if (HResult r = WriteEntry(entry, size, nullptr, static_cast<std::uint32_t>(keptEnd - size)); Failed(r))
                return r;
        for (std::size_t i = need; i < chain->size(); ++i)
            mini ? FreeMiniSector((*chain)[i]) : FreeSector((*chain)[i]);
        if (need < chain->size()) {
            if (need == 0)
                e.Start = ENDOFCHAIN;
            else
                mini ? SetMiniFat((*chain)[need - 1], ENDOFCHAIN) : SetFat((*chain)[need - 1], ENDOFCHAIN);
            chain->resize(need);
        }
    } else {
        // Units a foreign writer left beyond the old end may hold anything.
        const std::uint64_t ownedEnd = std::min<std::uint64_t>(chain->size() * unit, size);
        if (ownedEnd > oldSize)
            if (HResult r = WriteEntry(entry, oldSize, nullptr, static_cast<std::uint32_t>(ownedEnd - oldSize));
                Failed(r))
                return r;
        while (chain->size() < need) {
            std::uint32_t added = 0;
            if (HResult r = mini ? AllocateMiniSector(added) : AllocateSector(added); Failed(r))
                return r;
            // The allocation may have grown the mini stream, which can move this chain's vector
            // only for the root itself; look it up again.
            chain = &Dir[entry].ChainCache;
            if (chain->empty())
                Dir[entry].Start = added;
            else
                mini ? SetMiniFat(chain->back(), added) : SetFat(chain->back(), added);
            chain->push_back(added);
        }
    }
    Dir[entry].Size = size;
    MarkDirEntry(entry);
    return S_OK;
}

// Moves a stream between the mini stream and regular sectors as it crosses the cutoff:
// the bytes it keeps are read in the old kind of units and written in the new.
HResult TCompoundFile::MoveEntryData(std::uint32_t entry, std::uint64_t size) {
    const bool toMini = IsMini(entry, size);
    std::vector<std::uint8_t> data(static_cast<std::size_t>(std::min<std::uint64_t>(Dir[entry].Size, size)));
    std::uint32_t read = 0;
    if (HResult r = ReadEntry(entry, 0, data.data(), static_cast<std::uint32_t>(data.size()), read); Failed(r))
        return r;
    if (HResult r = ResizeChain(entry, 0, !toMini); Failed(r))
        return r;
    if (HResult r = ResizeChain(entry, size, toMini); Failed(r))
        return r;
    return WriteEntry(entry, 0, data.data(), static_cast<std::uint32_t>(data.size()));
}

HResult TCompoundFile::ResizeEntry(std::uint32_t entry, std::uint64_t size) {
    const DirEntry& e = Dir[entry];
    if (size == e.Size)
        return S_OK;
    if (Major == 3 && size > 0xFFFFFFFFull)
        return STG_E_DOCFILETOOLARGE;
    const bool wasMini = IsMini(entry, e.Size);
    const bool nowMini = IsMini(entry, size);
    if (wasMini == nowMini || e.Size == 0)
        return ResizeChain(entry, size, nowMini);
    return MoveEntryData(entry, size);
}

} // namespace qz::cfb

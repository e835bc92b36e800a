// The directory: entries, names, the red-black trees of each storage, and the stream and
// storage handles that work on them.

#include "CompoundFile.h"

#include "CfbFormat.h"

#include <algorithm>

namespace qz::cfb {

void TCompoundFile::MarkDirEntry(std::uint32_t entry) {
    DirSectorDirty[entry / (SectorSize / DirEntrySize)] = true;
    MetaDirty = true;
}

HResult TCompoundFile::CheckWritable() const { return ReadOnly() ? STG_E_ACCESSDENIED : S_OK; }

HResult TCompoundFile::CheckHandle(std::uint32_t entry, std::uint32_t generation, EntryType type) const {
    if (entry >= Dir.size() || Dir[entry].Generation != generation)
        return STG_E_REVERTED;
    const EntryType actual = Dir[entry].Type;
    const bool storage = actual == EntryType::Storage || actual == EntryType::Root;
    if (type == EntryType::Stream ? actual != EntryType::Stream : !storage)
        return STG_E_REVERTED;
    return S_OK;
}

HResult TCompoundFile::FindChild(std::uint32_t storage, const std::u16string& name, std::uint32_t& entry) const {
    const std::vector<std::uint32_t>& children = Dir[storage].Children;
    auto it = std::lower_bound(children.begin(), children.end(), name, [this](std::uint32_t child, const std::u16string& n) {
        return CompareNames(Dir[child].Name, n) < 0;
    });
    if (it == children.end() || CompareNames(Dir[*it].Name, name) != 0)
        return STG_E_FILENOTFOUND;
    entry = *it;
    return S_OK;
}

namespace {
void InsertSorted(std::vector<std::uint32_t>& children, std::uint32_t entry, const auto& less) {
    children.insert(std::upper_bound(children.begin(), children.end(), entry, less), entry);
}
} // namespace

HResult TCompoundFile::NewEntry(std::uint32_t storage, const std::u16string& name, EntryType type,
                                std::uint32_t& entry) {
    std::uint32_t slot = 1;
    while (slot < Dir.size() && Dir[slot].Type != EntryType::Empty)
        ++slot;
    if (slot == Dir.size()) {
        std::uint32_t sector = 0;
        if (HResult r = AllocateSector(sector); Failed(r))
            return r;
        SetFat(DirSectors.back(), sector);
        DirSectors.push_back(sector);
        DirSectorDirty.push_back(true);
        Dir.resize(Dir.size() + SectorSize / DirEntrySize);
        TreeDirty.resize(Dir.size(), false);
    }
    const std::uint32_t generation = Dir[slot].Generation + 1;
    Dir[slot] = DirEntry{};
    DirEntry& e = Dir[slot];
    e.Generation = generation;
    e.Name = name;
    e.Type = type;
    e.Parent = storage;
    e.ChainKnown = true;
    InsertSorted(Dir[storage].Children, slot,
                 [this](std::uint32_t a, std::uint32_t b) { return CompareNames(Dir[a].Name, Dir[b].Name) < 0; });
    TreeDirty[storage] = true;
    MarkDirEntry(slot);
    entry = slot;
    return S_OK;
}

HResult TCompoundFile::DestroyEntry(std::uint32_t storage, std::uint32_t entry) {
    const std::vector<std::uint32_t> children = Dir[entry].Children;
    for (std::uint32_t child : children)
        if (HResult r = DestroyEntry(entry, child); Failed(r))
            return r;
    if (Dir[entry].Type == EntryType::Stream)
        if (HResult r = ResizeEntry(entry, 0); Failed(r))
            return r;
    std::vector<std::uint32_t>& siblings = Dir[storage].Children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), entry), siblings.end());
    TreeDirty[storage] = true;
    const std::uint32_t generation = Dir[entry].Generation + 1;
    Dir[entry] = DirEntry{};
    Dir[entry].Generation = generation;
    TreeDirty[entry] = false;
    MarkDirEntry(entry);
    return S_OK;
}

// Lays a storage's children out as a balanced tree: the middle name at the root, and so on
// down. Every path then has the same number of black nodes when the deepest level is red
// (unless that level is full, when all are black), and no red node has a red child.
std::uint32_t TCompoundFile::BuildTree(std::vector<std::uint32_t>& sorted, std::size_t begin, std::size_t end,
                                       int depth, int redDepth) {
    if (begin >= end)
        return NOSTREAM;
    const std::size_t middle = begin + (end - begin) / 2;
    const std::uint32_t node = sorted[middle];
    const std::uint32_t left = BuildTree(sorted, begin, middle, depth + 1, redDepth);
    const std::uint32_t right = BuildTree(sorted, middle + 1, end, depth + 1, redDepth);
    const std::uint8_t color = depth == redDepth ? 0 : 1;
    DirEntry& e = Dir[node];
    if (e.Left != left || e.Right != right || e.Color != color) {
        e.Left = left;
        e.Right = right;
        e.Color = color;
        MarkDirEntry(node);
    }
    return node;
}

void TCompoundFile::BuildTrees() {
    for (std::uint32_t storage = 0; storage < TreeDirty.size(); ++storage) {
        if (!TreeDirty[storage])
            continue;
        TreeDirty[storage] = false;
        std::vector<std::uint32_t> sorted = Dir[storage].Children;
        int deepest = -1;
        for (std::size_t n = sorted.size(); n > 0; n /= 2)
            ++deepest;
        const bool full = sorted.size() == (std::size_t(1) << (deepest + 1)) - 1;
        const std::uint32_t root = BuildTree(sorted, 0, sorted.size(), 0, full ? -1 : deepest);
        if (Dir[storage].Child != root) {
            Dir[storage].Child = root;
            MarkDirEntry(storage);
        }
    }
}

// ---- Storages ---------------------------------------------------------------------------

HResult TStorage::Check() const {
    return File ? File->CheckHandle(Entry, Generation, EntryType::Storage) : STG_E_INVALIDHANDLE;
}

// The child of that name and type; a child of the other type counts as not found.
HResult TStorage::Lookup(const std::string& name, EntryType type, std::uint32_t& entry) const {
    if (HResult r = Check(); Failed(r))
        return r;
    const std::u16string wide = NameFromUtf8(name);
    if (!ValidName(wide))
        return STG_E_INVALIDNAME;
    if (HResult r = File->FindChild(Entry, wide, entry); Failed(r))
        return r;
    return File->Dir[entry].Type == type ? S_OK : STG_E_FILENOTFOUND;
}

HResult TStorage::CreateStream(const std::string& name, TStream& stream) {
    if (HResult r = Check(); Failed(r))
        return r;
    if (HResult r = File->CheckWritable(); Failed(r))
        return r;
    const std::u16string wide = NameFromUtf8(name);
    if (!ValidName(wide))
        return STG_E_INVALIDNAME;
    std::uint32_t entry = 0;
    if (Succeeded(File->FindChild(Entry, wide, entry))) {
        if (File->Dir[entry].Type != EntryType::Stream)
            return STG_E_FILEALREADYEXISTS;
        // Replacing a stream empties it; handles to the old one are no longer valid.
        if (HResult r = File->ResizeEntry(entry, 0); Failed(r))
            return r;
        ++File->Dir[entry].Generation;
    } else if (HResult r = File->NewEntry(Entry, wide, EntryType::Stream, entry); Failed(r)) {
        return r;
    }
    stream = TStream(File, entry, File->Dir[entry].Generation);
    return S_OK;
}

HResult TStorage::OpenStream(const std::string& name, TStream& stream) {
    std::uint32_t entry = 0;
    if (HResult r = Lookup(name, EntryType::Stream, entry); Failed(r))
        return r;
    std::vector<std::uint32_t>* chain = nullptr;
    if (HResult r = File->EntryChain(entry, chain); Failed(r))
        return r;
    stream = TStream(File, entry, File->Dir[entry].Generation);
    return S_OK;
}

HResult TStorage::CreateStorage(const std::string& name, TStorage& storage) {
    if (HResult r = Check(); Failed(r))
        return r;
    if (HResult r = File->CheckWritable(); Failed(r))
        return r;
    const std::u16string wide = NameFromUtf8(name);
    if (!ValidName(wide))
        return STG_E_INVALIDNAME;
    std::uint32_t entry = 0;
    if (Succeeded(File->FindChild(Entry, wide, entry))) {
        if (File->Dir[entry].Type != EntryType::Storage)
            return STG_E_FILEALREADYEXISTS;
        if (HResult r = File->DestroyEntry(Entry, entry); Failed(r))
            return r;
    }
    if (HResult r = File->NewEntry(Entry, wide, EntryType::Storage, entry); Failed(r))
        return r;
    storage = TStorage(File, entry, File->Dir[entry].Generation);
    return S_OK;
}

HResult TStorage::OpenStorage(const std::string& name, TStorage& storage) {
    std::uint32_t entry = 0;
    if (HResult r = Lookup(name, EntryType::Storage, entry); Failed(r))
        return r;
    storage = TStorage(File, entry, File->Dir[entry].Generation);
    return S_OK;
}

HResult TStorage::DestroyElement(const std::string& name) {
    if (HResult r = Check(); Failed(r))
        return r;
    if (HResult r = File->CheckWritable(); Failed(r))
        return r;
    std::uint32_t entry = 0;
    if (HResult r = File->FindChild(Entry, NameFromUtf8(name), entry); Failed(r))
        return r;
    return File->DestroyEntry(Entry, entry);
}

HResult TStorage::RenameElement(const std::string& oldName, const std::string& newName) {
    if (HResult r = Check(); Failed(r))
        return r;
    if (HResult r = File->CheckWritable(); Failed(r))
        return r;
    const std::u16string wide = NameFromUtf8(newName);
    if (!ValidName(wide))
        return STG_E_INVALIDNAME;
    std::uint32_t entry = 0, clash = 0;
    if (HResult r = File->FindChild(Entry, NameFromUtf8(oldName), entry); Failed(r))
        return r;
    if (Succeeded(File->FindChild(Entry, wide, clash)))
        return clash == entry && File->Dir[entry].Name == wide ? S_OK : STG_E_ACCESSDENIED;
    std::vector<std::uint32_t>& children = File->Dir[Entry].Children;
    children.erase(std::remove(children.begin(), children.end(), entry), children.end());
    File->Dir[entry].Name = wide;
    InsertSorted(children, entry,
                 [this](std::uint32_t a, std::uint32_t b) { return CompareNames(File->Dir[a].Name, File->Dir[b].Name) < 0; });
    File->TreeDirty[Entry] = true;
    File->MarkDirEntry(entry);
    return S_OK;
}

HResult TStorage::EnumElements(std::vector<TStatStg>& elements) const {
    elements.clear();
    if (HResult r = Check(); Failed(r))
        return r;
    for (std::uint32_t child : File->Dir[Entry].Children) {
        const auto& e = File->Dir[child];
        elements.push_back({NameToUtf8(e.Name), e.Type, e.Type == EntryType::Stream ? e.Size : 0});
    }
    return S_OK;
}

HResult TStorage::Stat(TStatStg& stat) const {
    if (HResult r = Check(); Failed(r))
        return r;
    const auto& e = File->Dir[Entry];
    stat = {NameToUtf8(e.Name), e.Type, 0};
    return S_OK;
}

HResult TStorage::Commit() {
    if (HResult r = Check(); Failed(r))
        return r;
    return File->Commit();
}

HResult TStorage::CopyTo(TStorage& target) const {
    if (HResult r = Check(); Failed(r))
        return r;
    if (HResult r = target.Check(); Failed(r))
        return r;
    if (HResult r = target.File->CheckWritable(); Failed(r))
        return r;
    if (target.File == File) {
        // Copying a storage into itself or into one of its own storages would never end.
        for (std::uint32_t at = target.Entry; at != NOSTREAM; at = File->Dir[at].Parent)
            if (at == Entry)
                return STG_E_ACCESSDENIED;
    }
    return File->CopyStorage(Entry, *target.File, target.Entry);
}

HResult TCompoundFile::CopyStorage(std::uint32_t source, TCompoundFile& target, std::uint32_t targetStorage) const {
    auto& self = const_cast<TCompoundFile&>(*this);
    std::vector<std::uint8_t> buffer(1 << 16);
    const std::vector<std::uint32_t> children = Dir[source].Children;
    for (std::uint32_t child : children) {
        // A copy: new entries in this same file may move the directory.
        const DirEntry from = Dir[child];
        std::uint32_t entry = 0;
        if (Succeeded(target.FindChild(targetStorage, from.Name, entry)) && target.Dir[entry].Type != from.Type)
            if (HResult r = target.DestroyEntry(targetStorage, entry); Failed(r))
                return r;
        if (Failed(target.FindChild(targetStorage, from.Name, entry)))
            if (HResult r = target.NewEntry(targetStorage, from.Name, from.Type, entry); Failed(r))
                return r;
        std::copy(from.Clsid, from.Clsid + 16, target.Dir[entry].Clsid);
        target.Dir[entry].StateBits = from.StateBits;
        target.MarkDirEntry(entry);
        if (from.Type == EntryType::Storage) {
            if (HResult r = CopyStorage(child, target, entry); Failed(r))
                return r;
            continue;
        }
        if (HResult r = target.ResizeEntry(entry, 0); Failed(r))
            return r;
        if (HResult r = target.ResizeEntry(entry, from.Size); Failed(r))
            return r;
        for (std::uint64_t at = 0; at < from.Size;) {
            std::uint32_t read = 0;
            const auto piece = static_cast<std::uint32_t>(std::min<std::uint64_t>(buffer.size(), from.Size - at));
            if (HResult r = self.ReadEntry(child, at, buffer.data(), piece, read); Failed(r))
                return r;
            if (HResult r = target.WriteEntry(entry, at, buffer.data(), read); Failed(r))
                return r;
            at += read;
        }
    }
    return S_OK;
}

// ---- Streams ------------------------------------------------------------------------------

HResult TStream::Check() const {
    return File ? File->CheckHandle(Entry, Generation, EntryType::Stream) : STG_E_INVALIDHANDLE;
}

HResult TStream::Read(void* buffer, std::uint32_t size, std::uint32_t* read) {
    std::uint32_t got = 0;
    const HResult r = ReadAt(Position, buffer, size, &got);
    Position += got;
    if (read)
        *read = got;
    return r;
}

HResult TStream::ReadAt(std::uint64_t offset, void* buffer, std::uint32_t size, std::uint32_t* read) {
    if (read)
        *read = 0;
    if (HResult r = Check(); Failed(r))
        return r;
    std::uint32_t got = 0;
    const HResult r = File->ReadEntry(Entry, offset, buffer, size, got);
    if (read)
        *read = got;
    return r;
}

HResult TStream::Write(const void* buffer, std::uint32_t size, std::uint32_t* written) {
    if (written)
        *written = 0;
    const HResult r = WriteAt(Position, buffer, size);
    if (Succeeded(r)) {
        Position += size;
        if (written)
            *written = size;
    }
    return r;
}

HResult TStream::WriteAt(std::uint64_t offset, const void* buffer, std::uint32_t size) {
    if (HResult r = Check(); Failed(r))
        return r;
    if (HResult r = File->CheckWritable(); Failed(r))
        return r;
    if (size == 0)
        return S_OK;
    if (offset + size > File->Dir[Entry].Size)
        if (HResult r = File->ResizeEntry(Entry, offset + size); Failed(r))
            return r;
    return File->WriteEntry(Entry, offset, buffer, size);
}

HResult TStream::Seek(std::int64_t offset, SeekOrigin origin, std::uint64_t* position) {
    if (HResult r = Check(); Failed(r))
        return r;
    std::int64_t base = 0;
    if (origin == SeekOrigin::Current)
        base = static_cast<std::int64_t>(Position);
    else if (origin == SeekOrigin::End)
        base = static_cast<std::int64_t>(File->Dir[Entry].Size);
    if (base + offset < 0)
        return STG_E_INVALIDFUNCTION;
    Position = static_cast<std::uint64_t>(base + offset);
    if (position)
        *position = Position;
    return S_OK;
}

HResult TStream::SetSize(std::uint64_t size) {
    if (HResult r = Check(); Failed(r))
        return r;
    if (HResult r = File->CheckWritable(); Failed(r))
        return r;
    return File->ResizeEntry(Entry, size);
}

HResult TStream::Stat(TStatStg& stat) const {
    if (HResult r = Check(); Failed(r))
        return r;
    const auto& e = File->Dir[Entry];
    stat = {NameToUtf8(e.Name), e.Type, e.Size};
    return S_OK;
}

HResult TStream::Size(std::uint64_t& size) const {
    if (HResult r = Check(); Failed(r))
        return r;
    size = File->Dir[Entry].Size;
    return S_OK;
}

HResult TStream::Commit() {
    if (HResult r = Check(); Failed(r))
        return r;
    return File->Commit();
}

HResult TStream::ReadAll(std::string& data) {
    std::uint64_t size = 0;
    if (HResult r = Size(size); Failed(r))
        return r;
    if (size > 0x7FFFFFFF)
        return STG_E_INSUFFICIENTMEMORY;
    data.resize(static_cast<std::size_t>(size));
    std::uint32_t read = 0;
    const HResult r = ReadAt(0, data.data(), static_cast<std::uint32_t>(size), &read);
    data.resize(read);
    return r;
}

} // namespace qz::cfb

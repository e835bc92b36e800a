// Writes the seed corpus of cfb_open_fuzzer into the folder given: small files made by the
// container itself, one left half-committed with its journal appended (the fuzzer's input
// form for a file with a journal), and a version 4 file laid out by hand, then edited
// through the container.
//
//     cfb_seed_maker fuzz/corpus/cfb

#include "storage/cfb/CfbFormat.h"
#include "storage/cfb/CompoundFile.h"
#include "storage/cfb/FaultyFileSystem.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using namespace qz::cfb;
namespace fs = std::filesystem;

std::string Pattern(std::size_t size, unsigned seed) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<char>((i * 31 + seed * 17) >> 3);
    return data;
}

bool Ok(HResult result, const char* what) {
    if (Failed(result))
        std::fprintf(stderr, "%s: %s\n", what, ResultName(result).c_str());
    return Succeeded(result);
}

bool Put(TStorage& storage, const std::string& name, const std::string& data) {
    TStream stream;
    return Ok(storage.CreateStream(name, stream), name.c_str()) &&
           Ok(stream.Write(data.data(), static_cast<std::uint32_t>(data.size())), name.c_str());
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Builds a file with `fill` and commits it.
template <typename Fill> bool Make(const std::string& path, Fill fill) {
    std::unique_ptr<TCompoundFile> file;
    if (!Ok(TCompoundFile::Create(path, file), path.c_str()))
        return false;
    TStorage root = file->Root();
    return fill(root) && Ok(file->Commit(), path.c_str());
}

bool MakeEdited(const std::string& path) {
    if (!Make(path, [](TStorage& root) {
            for (int i = 0; i < 8; ++i)
                if (!Put(root, "Record" + std::to_string(i), Pattern(static_cast<std::size_t>(i) * 200, i)))
                    return false;
            return Put(root, "Big1", Pattern(4600, 8)) && Put(root, "Big2", Pattern(5000, 9));
        }))
        return false;
    // Deletes, a rename, a shrink across the cutoff: free sectors and mini sectors in the middle.
    std::unique_ptr<TCompoundFile> file;
    if (!Ok(TCompoundFile::Open(path, StgAccess::ReadWrite, file), path.c_str()))
        return false;
    TStorage root = file->Root();
    TStream shrinking;
    return Ok(root.DestroyElement("Record3"), "destroy") && Ok(root.DestroyElement("Big1"), "destroy") &&
           Ok(root.RenameElement("Record7", "Renamed"), "rename") && Ok(root.OpenStream("Big2", shrinking), "open") &&
           Ok(shrinking.SetSize(1000), "shrink") && Ok(file->Commit(), "commit");
}

// A commit that stops after its second write: the journal and one page reach the disk.
// The seed is the file with its journal appended.
bool MakeHalfCommitted(const std::string& folder, const std::string& path) {
    const std::string work = folder + "/half-committed.work";
    if (!Make(work, [](TStorage& root) {
            TStorage sub;
            return Put(root, "Balance", Pattern(700, 1)) && Put(root, "Ledger", Pattern(4500, 2)) &&
                   Ok(root.CreateStorage("Sub", sub), "sub") && Put(sub, "Note", "before");
        }))
        return false;
    TFaultyFileSystem faulty;
    {
        std::unique_ptr<TCompoundFile> file;
        if (!Ok(TCompoundFile::Open(work, StgAccess::ReadWrite, file, faulty), "open"))
            return false;
        TStorage root = file->Root();
        if (!Put(root, "Balance", Pattern(900, 3)) || !Put(root, "Ledger", Pattern(5200, 4)))
            return false;
        faulty.CrashAfterWrite(2);
        file->Commit();
    }
    const std::string journal = ReadFile(TCompoundFile::JournalPath(work));
    std::ofstream(path, std::ios::binary) << ReadFile(work) << journal;
    fs::remove(work);
    fs::remove(TCompoundFile::JournalPath(work));
    return !journal.empty();
}

// Version 4 (4096-byte sectors), as another writer lays it out: the FAT in sector 0, the
// directory in sector 1, a stream of one whole sector in sector 2.
bool MakeVersion4(const std::string& path) {
    constexpr std::uint32_t sector = 4096;
    std::string bytes(4 * sector, '\0');
    auto at = [&](std::size_t offset) { return reinterpret_cast<std::uint8_t*>(bytes.data()) + offset; };
    std::copy(Signature, Signature + 8, at(0));
    Put16(at(0x18), 0x3E);
    Put16(at(0x1A), 4);
    Put16(at(0x1C), 0xFFFE);
    Put16(at(0x1E), 12);
    Put16(at(0x20), 6);
    Put32(at(0x28), 1);
    Put32(at(0x2C), 1);
    Put32(at(0x30), 1);
    Put32(at(0x38), MiniStreamCutoff);
    Put32(at(0x3C), ENDOFCHAIN);
    Put32(at(0x44), ENDOFCHAIN);
    for (std::uint32_t i = 0; i < HeaderDifatEntries; ++i)
        Put32(at(0x4C + 4 * i), i == 0 ? 0 : FREESECT);
    for (std::uint32_t i = 0; i < sector / 4; ++i)
        Put32(at(sector + 4 * i), i == 0 ? FATSECT : i <= 2 ? ENDOFCHAIN : FREESECT);
    auto entry = [&](std::uint32_t index, const std::u16string& name, std::uint8_t type, std::uint32_t child,
                     std::uint32_t start, std::uint64_t size) {
        std::uint8_t* p = at(2 * sector + index * DirEntrySize);
        for (std::size_t c = 0; c < name.size(); ++c)
            Put16(p + 2 * c, name[c]);
        Put16(p + 64, name.empty() ? 0 : static_cast<std::uint16_t>((name.size() + 1) * 2));
        p[66] = type;
        p[67] = 1;
        Put32(p + 68, NOSTREAM);
        Put32(p + 72, NOSTREAM);
        Put32(p + 76, child);
        Put32(p + 116, start);
        Put64(p + 120, size);
    };
    for (std::uint32_t i = 0; i < sector / DirEntrySize; ++i)
        entry(i, u"", 0, NOSTREAM, 0, 0);
    entry(0, u"Root Entry", 5, 1, ENDOFCHAIN, 0);
    entry(1, u"Data", 2, NOSTREAM, 2, sector);
    const std::string data = Pattern(sector, 5);
    std::copy(data.begin(), data.end(), bytes.begin() + 3 * sector);
    std::ofstream(path, std::ios::binary) << bytes;

    // Then changed in place by the container: the same size, so no sector is added.
    std::unique_ptr<TCompoundFile> file;
    TStream stream;
    return Ok(TCompoundFile::Open(path, StgAccess::ReadWrite, file), path.c_str()) &&
           Ok(file->Root().OpenStream("Data", stream), "Data") && Ok(stream.WriteAt(100, "changed", 7), "Data") &&
           Ok(file->Commit(), path.c_str());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    fs::create_directories(folder);
    auto file = [&](const char* name) { return folder + "/" + name; };
    const bool ok =
        Make(file("empty.cfb"), [](TStorage&) { return true; }) &&
        Make(file("mini-streams.cfb"),
             [](TStorage& root) {
                 return Put(root, "Balance", Pattern(1, 1)) && Put(root, "Überweisung", Pattern(64, 2)) &&
                        Put(root, "Notes", Pattern(700, 3)) && Put(root, "Empty", "");
             }) &&
        Make(file("regular-streams.cfb"),
             [](TStorage& root) {
                 return Put(root, "Cutoff", Pattern(4096, 4)) && Put(root, "Ledger", Pattern(6000, 5));
             }) &&
        Make(file("nested-storages.cfb"),
             [](TStorage& root) {
                 TStorage options, inner, deepest;
                 return Ok(root.CreateStorage("Options", options), "Options") &&
                        Ok(options.CreateStorage("Inner", inner), "Inner") &&
                        Ok(inner.CreateStorage("Deepest", deepest), "Deepest") &&
                        Put(options, "Columns", Pattern(816, 6)) && Put(inner, "Grid", Pattern(268, 7)) &&
                        Put(deepest, "Leaf", Pattern(5000, 8)) && Put(root, "Top", Pattern(90, 9));
             }) &&
        Make(file("many-entries.cfb"),
             [](TStorage& root) {
                 for (int i = 0; i < 24; ++i)
                     if (!Put(root, "Account" + std::to_string(i), Pattern(static_cast<std::size_t>(i) * 13, i)))
                         return false;
                 return true;
             }) &&
        MakeEdited(file("edited.cfb")) && MakeHalfCommitted(folder, file("half-committed-with-journal.cfb")) &&
        MakeVersion4(file("version4.cfb"));
    return ok ? 0 : 1;
}

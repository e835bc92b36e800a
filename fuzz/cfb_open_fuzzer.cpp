// Feeds arbitrary bytes to the compound-file container. The input is a file, followed by the
// rollback journal beside it when the journal's magic appears after the first byte. The file
// is opened read-only (a journal is laid over it in memory) and read/write (the journal is
// played back); every storage is walked and every stream read, and the writable file takes
// a destroyed element, a new stream that crosses the mini-stream cutoff, and a commit, after
// which it is opened and read once more.

#include "storage/cfb/CompoundFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace qz::cfb;
namespace fs = std::filesystem;

// The journals' magic without its last byte, which tells the journal's layout.
constexpr std::uint8_t JournalMagic[7] = {'Q', 'Z', 'C', 'F', 'B', 'J', 'N'};

// One folder per process, reused by every input; tmpfs when there is one, as commits write.
const std::string& FilePath() {
    static const std::string path = [] {
        const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (base / "qz-cfb-fuzz-XXXXXX").string();
        static std::string folder = ::mkdtemp(pattern.data());
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(folder, ignored);
        });
        return folder + "/input.cfb";
    }();
    return path;
}

void WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
}

void Walk(TStorage storage) {
    std::vector<TStatStg> elements;
    if (Failed(storage.EnumElements(elements)))
        return;
    for (const TStatStg& element : elements) {
        if (element.Type == EntryType::Storage) {
            TStorage child;
            if (Succeeded(storage.OpenStorage(element.Name, child)))
                Walk(child);
            continue;
        }
        TStream stream;
        if (Failed(storage.OpenStream(element.Name, stream)))
            continue;
        std::string data;
        stream.ReadAll(data);
        // A read that starts inside a sector and spans several.
        char piece[700];
        stream.ReadAt(element.Size / 3, piece, sizeof piece);
    }
}

// What is written must read back before the commit, whatever the damaged tables around it
// (the commit itself may then overwrite sectors the damaged file shares between uses).
void CheckReadsBack(TStream& stream, const std::string& expected) {
    std::string data;
    if (Succeeded(stream.ReadAll(data)) && data != expected)
        __builtin_trap();
}

void Change(TCompoundFile& file) {
    file.SetSync(false);
    TStorage root = file.Root();
    std::vector<TStatStg> elements;
    if (Succeeded(root.EnumElements(elements)) && !elements.empty())
        root.DestroyElement(elements.front().Name);
    TStream stream;
    if (Failed(root.CreateStream("QzFuzz", stream)))
        return;
    std::string data(5000, '\0');
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>(i * 7 + 1);
    if (Succeeded(stream.Write(data.data(), 100)))
        CheckReadsBack(stream, data.substr(0, 100));
    if (Succeeded(stream.Write(data.data() + 100, static_cast<std::uint32_t>(data.size() - 100))))
        CheckReadsBack(stream, data);
    file.Commit();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = FilePath();
    const std::string journal = TCompoundFile::JournalPath(path);
    const std::uint8_t* magic =
        size > 1 ? std::search(data + 1, data + size, JournalMagic, JournalMagic + 7) : data + size;
    const std::size_t fileSize = static_cast<std::size_t>(magic - data);
    WriteBytes(path, data, fileSize);
    std::error_code ignored;
    fs::remove(journal, ignored);
    if (fileSize < size)
        WriteBytes(journal, magic, size - fileSize);

    bool opened = false;
    {
        std::unique_ptr<TCompoundFile> file;
        if (Succeeded(TCompoundFile::Open(path, StgAccess::ReadOnly, file))) {
            opened = true;
            Walk(file->Root());
        }
    }
    // Without a journal a read/write open loads the file just as the read-only one did.
    if (!opened && fileSize == size)
        return 0;
    {
        std::unique_ptr<TCompoundFile> file;
        if (Failed(TCompoundFile::Open(path, StgAccess::ReadWrite, file)))
            return 0;
        Walk(file->Root());
        Change(*file);
    }
    std::unique_ptr<TCompoundFile> file;
    if (Succeeded(TCompoundFile::Open(path, StgAccess::ReadOnly, file)))
        Walk(file->Root());
    return 0;
}

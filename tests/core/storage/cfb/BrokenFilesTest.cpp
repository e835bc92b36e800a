// Damaged files: each must give a clear error when it is opened or when a stream is opened
// or read, never a crash, a hang or a huge allocation. The damage is done at run time to
// files written by the container itself. tests/data/cfb-broken holds files found by fuzzing,
// and files whose damage no read can see but a write must survive (a FAT sector marked free,
// two entries of one name) or that are refused for what a write would do to them (chains
// that share sectors).

#include "CfbTestSupport.h"

#include "storage/cfb/CfbFormat.h"
#include "storage/cfb/FaultyFileSystem.h"

#include <algorithm>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#ifndef QZ_TEST_TOOLS
#define QZ_TEST_TOOLS "tests/tools"
#endif

namespace qz::cfb::testing {
namespace {

namespace fs = std::filesystem;

// Directory entry fields, by offset in the 128-byte entry.
constexpr std::size_t NameLengthAt = 64, TypeAt = 66, LeftAt = 68, ChildAt = 76, StartAt = 116, SizeAt = 120;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::string& data) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << data;
}

// The fuzzer's form of a file with a journal: from our journal's magic on, the bytes are
// the journal beside the file.
void PlaceFile(const std::string& bytes, const std::string& path) {
    std::size_t magic = bytes.find("QZCFBJN2", 1);
    if (magic == std::string::npos)
        magic = bytes.find("QZCFBJNL", 1);
    WriteFile(path, bytes.substr(0, magic));
    if (magic != std::string::npos)
        WriteFile(TCompoundFile::JournalPath(path), bytes.substr(magic));
}

// A file's bytes, with the look-ups the damage needs: FAT and mini FAT entries, DIFAT sectors
// and directory entries by name. Follows the file as written, so only for intact files.
struct Image {
    std::string Data;

    std::uint8_t* At(std::size_t offset) { return reinterpret_cast<std::uint8_t*>(Data.data()) + offset; }
    const std::uint8_t* At(std::size_t offset) const {
        return reinterpret_cast<const std::uint8_t*>(Data.data()) + offset;
    }
    std::uint32_t U32(std::size_t offset) const { return Get32(At(offset)); }
    void Set16(std::size_t offset, std::uint16_t value) { Put16(At(offset), value); }
    void Set32(std::size_t offset, std::uint32_t value) { Put32(At(offset), value); }

    std::uint32_t SectorSize() const { return 1u << Get16(At(0x1E)); }
    std::uint32_t PerSector() const { return SectorSize() / 4; }
    std::size_t SectorOffset(std::uint32_t sector) const { return (std::size_t(sector) + 1) * SectorSize(); }
    std::uint32_t SectorCount() const { return static_cast<std::uint32_t>(Data.size() / SectorSize() - 1); }

    // The DIFAT sectors, in chain order.
    std::vector<std::uint32_t> Difat() const {
        std::vector<std::uint32_t> sectors;
        for (std::uint32_t s = U32(0x44), n = U32(0x48); sectors.size() < n;
             s = U32(SectorOffset(s) + 4 * (PerSector() - 1)))
            sectors.push_back(s);
        return sectors;
    }
    std::size_t FatSlot(std::uint32_t sector) const {
        std::uint32_t index = sector / PerSector();
        std::uint32_t fatSector = 0;
        if (index < HeaderDifatEntries) {
            fatSector = U32(0x4C + 4 * index);
        } else {
            index -= HeaderDifatEntries;
            fatSector = U32(SectorOffset(Difat()[index / (PerSector() - 1)]) + 4 * (index % (PerSector() - 1)));
        }
        return SectorOffset(fatSector) + 4 * (sector % PerSector());
    }
    std::vector<std::uint32_t> Chain(std::uint32_t start) const {
        std::vector<std::uint32_t> chain;
        for (std::uint32_t s = start; s != ENDOFCHAIN; s = U32(FatSlot(s)))
            chain.push_back(s);
        return chain;
    }
    std::size_t MiniFatSlot(std::uint32_t miniSector) const {
        return SectorOffset(Chain(U32(0x3C))[miniSector / PerSector()]) + 4 * (miniSector % PerSector());
    }

    // The directory entry's index and offset; the root is "Root Entry".
    std::uint32_t Index(const std::string& name) const {
        const std::u16string wanted = NameFromUtf8(name);
        const std::uint32_t perSector = SectorSize() / DirEntrySize;
        std::uint32_t index = 0;
        for (std::uint32_t sector : Chain(U32(0x30))) {
            for (std::uint32_t k = 0; k < perSector; ++k, ++index) {
                const std::uint8_t* p = At(SectorOffset(sector) + k * DirEntrySize);
                std::u16string entryName;
                for (std::uint32_t c = 0; c + 1 < Get16(p + NameLengthAt) / 2u; ++c)
                    entryName += static_cast<char16_t>(Get16(p + 2 * c));
                if (p[TypeAt] != 0 && entryName == wanted)
                    return index;
            }
        }
        ADD_FAILURE() << "no entry " << name;
        return 0;
    }
    std::size_t Entry(const std::string& name) const {
        const std::uint32_t index = Index(name);
        const std::uint32_t perSector = SectorSize() / DirEntrySize;
        return SectorOffset(Chain(U32(0x30))[index / perSector]) + (index % perSector) * DirEntrySize;
    }
};

// Small and regular streams and nested storages. The regular streams are written last, so
// that "Large" ends in the file's last sector, 32 bytes into it.
const Image& SmallFile() {
    static const Image image = [] {
        TempFolder folder;
        std::unique_ptr<TCompoundFile> file;
        EXPECT_S_OK(TCompoundFile::Create(folder.File("small.cfb"), file));
        TStorage root = file->Root(), options, inner;
        EXPECT_S_OK(root.CreateStorage("Options", options));
        EXPECT_S_OK(options.CreateStorage("Inner", inner));
        PutStream(root, "Small", Bytes(300, 1));
        PutStream(options, "Columns", Bytes(816, 2));
        PutStream(inner, "Grid", Bytes(268, 3));
        PutStream(root, "Medium", Bytes(5000, 4));
        PutStream(root, "Large", Bytes(20000, 5));
        EXPECT_S_OK(file->Commit());
        file.reset();
        return Image{ReadFile(folder.File("small.cfb"))};
    }();
    return image;
}

// More than 109 + 127 FAT sectors, so that the DIFAT has two sectors of its own.
const Image& DifatFile() {
    static const Image image = [] {
        TempFolder folder;
        std::unique_ptr<TCompoundFile> file;
        EXPECT_S_OK(TCompoundFile::Create(folder.File("difat.cfb"), file));
        TStream stream;
        EXPECT_S_OK(file->Root().CreateStream("Big", stream));
        EXPECT_S_OK(stream.SetSize(16u << 20));
        EXPECT_S_OK(file->Commit());
        file.reset();
        Image result{ReadFile(folder.File("difat.cfb"))};
        EXPECT_EQ(result.U32(0x48), 2u) << "DIFAT sectors";
        return result;
    }();
    return image;
}

struct Failure {
    std::string Where; // "open", or the path of the stream or storage
    HResult Code;
};

void Walk(TStorage storage, const std::string& prefix, std::vector<Failure>& failures) {
    std::vector<TStatStg> elements;
    if (HResult r = storage.EnumElements(elements); Failed(r)) {
        failures.push_back({prefix, r});
        return;
    }
    for (const TStatStg& element : elements) {
        const std::string path = prefix + element.Name;
        HResult r = S_OK;
        if (element.Type == EntryType::Storage) {
            TStorage child;
            if (Succeeded(r = storage.OpenStorage(element.Name, child)))
                Walk(child, path + "/", failures);
        } else {
            TStream stream;
            std::string data;
            if (Succeeded(r = storage.OpenStream(element.Name, stream)))
                r = stream.ReadAll(data);
        }
        if (Failed(r))
            failures.push_back({path, r});
    }
}

// Opens the file and reads every storage and stream, noting each failure.
std::vector<Failure> Failures(const std::string& path, StgAccess access) {
    std::unique_ptr<TCompoundFile> file;
    if (HResult r = TCompoundFile::Open(path, access, file); Failed(r))
        return {{"open", r}};
    std::vector<Failure> failures;
    Walk(file->Root(), "", failures);
    return failures;
}

// "" when every storage and stream reads; otherwise "open: CODE", or "path: CODE; " for
// each stream or storage that fails.
std::string Outcome(const std::string& path, StgAccess access) {
    const std::vector<Failure> failures = Failures(path, access);
    if (failures.size() == 1 && failures[0].Where == "open")
        return "open: " + ResultName(failures[0].Code);
    std::string text;
    for (const Failure& failure : failures)
        text += failure.Where + ": " + ResultName(failure.Code) + "; ";
    return text;
}

constexpr const char* AnyFailure = "*";
constexpr const char* Corrupt = "open: STG_E_DOCFILECORRUPT";
constexpr const char* BadHeader = "open: STG_E_INVALIDHEADER";

struct BrokenCase {
    const char* Name;
    const Image& (*Base)();
    void (*Damage)(Image&);
    std::string Expected; // the outcome, or AnyFailure
};

void PrintTo(const BrokenCase& c, std::ostream* out) {
    *out << c.Name;
}

void SetEntry32(Image& f, const std::string& name, std::size_t field, std::uint32_t value) {
    f.Set32(f.Entry(name) + field, value);
}
std::size_t LastSectorOf(const Image& f, const std::string& name) {
    return f.SectorOffset(f.Chain(f.U32(f.Entry(name) + StartAt)).back());
}

const BrokenCase Cases[] = {
    {"Intact", SmallFile, [](Image&) {}, ""},

    // The header.
    {"WrongSignature", SmallFile, [](Image& f) { f.Data[7] = 0; }, BadHeader},
    {"BadByteOrderMark", SmallFile, [](Image& f) { f.Set16(0x1C, 0xFEFF); }, BadHeader},
    {"BadSectorShift", SmallFile, [](Image& f) { f.Set16(0x1E, 10); }, BadHeader},
    {"Version4SectorShiftInVersion3", SmallFile, [](Image& f) { f.Set16(0x1E, 12); }, BadHeader},
    {"UnknownMajorVersion", SmallFile, [](Image& f) { f.Set16(0x1A, 5); }, BadHeader},
    {"BadMiniSectorShift", SmallFile, [](Image& f) { f.Set16(0x20, 7); }, BadHeader},
    {"BadMiniStreamCutoff", SmallFile, [](Image& f) { f.Set32(0x38, 512); }, BadHeader},

    // Truncation.
    {"TruncatedToNothing", SmallFile, [](Image& f) { f.Data.clear(); }, BadHeader},
    {"TruncatedInsideSignature", SmallFile, [](Image& f) { f.Data.resize(5); }, BadHeader},
    {"TruncatedInsideHeader", SmallFile, [](Image& f) { f.Data.resize(511); }, BadHeader},
    {"TruncatedToHeader", SmallFile, [](Image& f) { f.Data.resize(512); }, Corrupt},
    {"TruncatedToHalf", SmallFile, [](Image& f) { f.Data.resize(f.Data.size() / 2); }, AnyFailure},
    {"TruncatedInsideLastStream", SmallFile, [](Image& f) { f.Data.resize(LastSectorOf(f, "Large") + 16); },
     "Large: STG_E_DOCFILECORRUPT; "},
    // A short last sector is no damage while it holds every byte of its stream.
    {"ShortLastSectorHoldingItsStream", SmallFile, [](Image& f) { f.Data.resize(LastSectorOf(f, "Large") + 32); }, ""},

    // The allocation tables.
    {"CyclicFatChain", SmallFile,
     [](Image& f) {
         const auto chain = f.Chain(f.U32(f.Entry("Large") + StartAt));
         f.Set32(f.FatSlot(chain.back()), chain.front());
     },
     "Large: STG_E_DOCFILECORRUPT; "},
    {"FatChainEndsEarly", SmallFile,
     [](Image& f) { f.Set32(f.FatSlot(f.U32(f.Entry("Medium") + StartAt)), ENDOFCHAIN); },
     "Medium: STG_E_DOCFILECORRUPT; "},
    {"FatChainIntoFreeSector", SmallFile,
     [](Image& f) { f.Set32(f.FatSlot(f.U32(f.Entry("Medium") + StartAt)), FREESECT); },
     "Medium: STG_E_DOCFILECORRUPT; "},
    {"CyclicDirectoryChain", SmallFile,
     [](Image& f) {
         const auto chain = f.Chain(f.U32(0x30));
         f.Set32(f.FatSlot(chain.back()), chain.front());
     },
     Corrupt},
    {"CyclicMiniFatChain", SmallFile,
     [](Image& f) {
         const std::uint32_t start = f.U32(f.Entry("Small") + StartAt);
         std::uint32_t last = start;
         while (f.U32(f.MiniFatSlot(last)) != ENDOFCHAIN)
             last = f.U32(f.MiniFatSlot(last));
         f.Set32(f.MiniFatSlot(last), start);
     },
     "Small: STG_E_DOCFILECORRUPT; "},
    {"FatCountLargerThanFile", SmallFile, [](Image& f) { f.Set32(0x2C, 1000); }, Corrupt},
    {"FatCountOneTooMany", SmallFile, [](Image& f) { f.Set32(0x2C, f.U32(0x2C) + 1); }, Corrupt},
    {"FatSectorOutOfRange", SmallFile, [](Image& f) { f.Set32(0x4C, f.SectorCount()); }, Corrupt},
    {"MiniFatStartOutOfRange", SmallFile, [](Image& f) { f.Set32(0x3C, 0x00FFFFFF); }, Corrupt},
    {"CyclicDifatChain", DifatFile,
     [](Image& f) {
         const std::uint32_t first = f.Difat().front();
         f.Set32(f.SectorOffset(first) + 4 * (f.PerSector() - 1), first);
     },
     Corrupt},
    {"DifatStartOutOfRange", DifatFile, [](Image& f) { f.Set32(0x44, f.SectorCount() + 5); }, Corrupt},
    {"DifatCountTooSmall", DifatFile, [](Image& f) { f.Set32(0x48, 1); }, Corrupt},
    {"DifatListsSectorOutOfRange", DifatFile, [](Image& f) { f.Set32(f.SectorOffset(f.Difat().back()), 0x7FFFFFFF); },
     Corrupt},

    // The directory.
    {"DirectoryStartOutOfRange", SmallFile, [](Image& f) { f.Set32(0x30, 0x00FFFFFF); }, Corrupt},
    {"NoDirectory", SmallFile, [](Image& f) { f.Set32(0x30, ENDOFCHAIN); }, Corrupt},
    {"FirstEntryNotRoot", SmallFile, [](Image& f) { f.At(f.Entry("Root Entry"))[TypeAt] = 1; }, Corrupt},
    {"UnknownEntryType", SmallFile, [](Image& f) { f.At(f.Entry("Columns"))[TypeAt] = 3; }, Corrupt},
    {"SecondRootInTree", SmallFile, [](Image& f) { f.At(f.Entry("Columns"))[TypeAt] = 5; }, Corrupt},
    {"OddNameLength", SmallFile, [](Image& f) { f.Set16(f.Entry("Grid") + NameLengthAt, 9); }, Corrupt},
    {"NameLengthOver64", SmallFile, [](Image& f) { f.Set16(f.Entry("Grid") + NameLengthAt, 66); }, Corrupt},
    {"SiblingCycle", SmallFile,
     [](Image& f) { SetEntry32(f, "Large", LeftAt, f.U32(f.Entry("Root Entry") + ChildAt)); }, Corrupt},
    {"SiblingBeyondDirectory", SmallFile, [](Image& f) { SetEntry32(f, "Large", LeftAt, 1000); }, Corrupt},
    {"ChildPointsToRoot", SmallFile, [](Image& f) { SetEntry32(f, "Options", ChildAt, 0); }, Corrupt},
    {"StorageIsItsOwnChild", SmallFile, [](Image& f) { SetEntry32(f, "Inner", ChildAt, f.Index("Inner")); }, Corrupt},
    {"EntryInTwoStorages", SmallFile, [](Image& f) { SetEntry32(f, "Inner", ChildAt, f.Index("Small")); }, Corrupt},

    // Stream entries.
    {"StartSectorOutOfRange", SmallFile, [](Image& f) { SetEntry32(f, "Medium", StartAt, 0x00FFFF00); },
     "Medium: STG_E_DOCFILECORRUPT; "},
    {"StartSectorIsEndOfChain", SmallFile, [](Image& f) { SetEntry32(f, "Medium", StartAt, ENDOFCHAIN); },
     "Medium: STG_E_DOCFILECORRUPT; "},
    {"SizeBeyondChain", SmallFile, [](Image& f) { SetEntry32(f, "Large", SizeAt, 20480 + 1); },
     "Large: STG_E_DOCFILECORRUPT; "},
    {"SizeBeyondFile", SmallFile, [](Image& f) { SetEntry32(f, "Large", SizeAt, 0xFFFFFFF0); },
     "Large: STG_E_DOCFILECORRUPT; "},
    {"MiniStartOutsideMiniStream", SmallFile,
     [](Image& f) { SetEntry32(f, "Small", StartAt, f.U32(f.Entry("Root Entry") + SizeAt) / 64 + 3); },
     "Small: STG_E_DOCFILECORRUPT; "},
    {"MiniFatLinkOutsideMiniStream", SmallFile,
     [](Image& f) { f.Set32(f.MiniFatSlot(f.U32(f.Entry("Columns") + StartAt)), 0x00FFFF00); },
     "Options/Columns: STG_E_DOCFILECORRUPT; "},
    // Sectors two streams claim: a write to one would change the other.
    {"StreamsShareSectors", SmallFile,
     [](Image& f) { SetEntry32(f, "Medium", StartAt, f.U32(f.Entry("Large") + StartAt)); }, Corrupt},
    {"SmallStreamsShareMiniSectors", SmallFile,
     [](Image& f) { SetEntry32(f, "Small", StartAt, f.U32(f.Entry("Columns") + StartAt)); }, Corrupt},
    {"MiniStreamBeyondItsChain", SmallFile, [](Image& f) { SetEntry32(f, "Root Entry", SizeAt, 64 << 20); }, Corrupt},
    {"MiniStreamStartOutOfRange", SmallFile, [](Image& f) { SetEntry32(f, "Root Entry", StartAt, 0x00FFFF00); },
     Corrupt},
};

class BrokenFilesTest : public ::testing::TestWithParam<BrokenCase> {
protected:
    TempFolder Folder;
};

// Read-only and read/write opens check the file alike.
TEST_P(BrokenFilesTest, GiveAClearError) {
    const BrokenCase& c = GetParam();
    Image image = c.Base();
    c.Damage(image);
    const std::string path = Folder.File("broken.cfb");
    WriteFile(path, image.Data);
    const std::string readOnly = Outcome(path, StgAccess::ReadOnly);
    if (c.Expected == AnyFailure)
        EXPECT_NE(readOnly, "") << "the damaged file reads as sound";
    else
        EXPECT_EQ(readOnly, c.Expected);
    EXPECT_EQ(Outcome(path, StgAccess::ReadWrite), readOnly);
}

INSTANTIATE_TEST_SUITE_P(Damage, BrokenFilesTest, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<BrokenCase>& info) { return info.param.Name; });

std::uint64_t Fnv1a(const std::string& data, std::uint64_t hash = 0xCBF29CE484222325ull) {
    for (unsigned char c : data)
        hash = (hash ^ c) * 0x100000001B3ull;
    return hash;
}

// A rollback journal holding one page, laid out as the program's first journals were: magic,
// page size and the file's old length, then a segment (count, page number, old contents)
// and its checksum. Nothing in it names the file it was written for.
std::string UnmarkedJournal(std::uint32_t pageSize, std::uint64_t oldLength, std::uint32_t page,
                            const std::string& contents) {
    std::string head = "QZCFBJNL" + std::string(12, '\0');
    Put32(reinterpret_cast<std::uint8_t*>(&head[8]), pageSize);
    Put64(reinterpret_cast<std::uint8_t*>(&head[12]), oldLength);
    std::string segment(8, '\0');
    Put32(reinterpret_cast<std::uint8_t*>(&segment[0]), 1);
    Put32(reinterpret_cast<std::uint8_t*>(&segment[4]), page);
    segment += contents;
    std::string sum(8, '\0');
    Put64(reinterpret_cast<std::uint8_t*>(sum.data()), Fnv1a(segment, Fnv1a(head)));
    return head + segment + sum;
}

// The journal a commit leaves when the machine stops right after writing it: the file at
// `path` is then still as it was, and the journal guards the commit's pages.
std::string JournalOfAnInterruptedCommit(const std::string& path, const std::string& stream, const std::string& data) {
    TFaultyFileSystem faults;
    std::unique_ptr<TCompoundFile> file;
    EXPECT_S_OK(TCompoundFile::Open(path, StgAccess::ReadWrite, file, faults));
    TStorage root = file->Root();
    PutStream(root, stream, data);
    faults.CrashAfterWrite(1);
    file->Commit();
    file.reset();
    return ReadFile(TCompoundFile::JournalPath(path));
}

// A journal beside a file is played back only when it belongs to that file. One that does
// not (it remembers the file longer than it is, has pages of another size, carries no mark of
// its file, or was written for another file of the same size: a document copied or restored
// over this one) is never laid over it: the file opens as it is, and the journal is kept
// under another name for writing, left alone for reading.
TEST(BrokenJournals, AJournalOfOtherContentsIsSetAside) {
    const std::string& file = SmallFile().Data;
    TempFolder other;
    std::string otherFile = file;
    otherFile[otherFile.size() - 1] ^= 0x5A; // the same size, other contents
    WriteFile(other.File("other.cfb"), otherFile);
    const std::string othersJournal = JournalOfAnInterruptedCommit(other.File("other.cfb"), "Small", Bytes(300, 9));
    ASSERT_FALSE(othersJournal.empty());
    struct Case {
        const char* Name;
        std::string Journal;
    } cases[] = {
        {"old length beyond the file", UnmarkedJournal(512, 1ull << 40, 1, file.substr(512, 512))},
        {"pages of another size", UnmarkedJournal(4096, file.size(), 1, file.substr(4096, 4096))},
        {"a journal without the mark of its file", UnmarkedJournal(512, file.size(), 1, std::string(512, 'x'))},
        {"the journal of another file of the same size", othersJournal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TempFolder folder;
        const std::string path = folder.File("journalled.cfb");
        const std::string journal = TCompoundFile::JournalPath(path);
        WriteFile(path, file);
        WriteFile(journal, c.Journal);
        const auto contents = ContentsOf(path);
        std::unique_ptr<TCompoundFile> opened;
        ASSERT_S_OK(TCompoundFile::Open(path, StgAccess::ReadOnly, opened));
        EXPECT_EQ(Differences(Contents(opened->Root()), contents), "") << "the journal was laid over the file";
        EXPECT_EQ(opened->StrayJournal(), journal);
        opened.reset();
        EXPECT_EQ(ReadFile(journal), c.Journal) << "reading changed the journal";

        ASSERT_S_OK(TCompoundFile::Open(path, StgAccess::ReadWrite, opened));
        EXPECT_EQ(opened->StrayJournal(), journal + ".set-aside");
        opened.reset();
        EXPECT_EQ(ReadFile(path), file) << "the journal was played over the file";
        EXPECT_FALSE(fs::exists(journal));
        EXPECT_EQ(ReadFile(journal + ".set-aside"), c.Journal);
    }
}

// The same interrupted commit's journal beside its own file is played back, and a second
// journal set aside takes the next free name.
TEST(BrokenJournals, AJournalOfItsOwnFileIsPlayedBack) {
    TempFolder folder;
    const std::string path = folder.File("own.cfb");
    WriteFile(path, SmallFile().Data);
    const auto before = ContentsOf(path);
    ASSERT_FALSE(JournalOfAnInterruptedCommit(path, "Medium", Bytes(9000, 8)).empty());
    std::unique_ptr<TCompoundFile> opened;
    ASSERT_S_OK(TCompoundFile::Open(path, StgAccess::ReadWrite, opened));
    EXPECT_EQ(opened->StrayJournal(), "");
    EXPECT_EQ(Differences(Contents(opened->Root()), before), "");
    opened.reset();
    EXPECT_FALSE(fs::exists(TCompoundFile::JournalPath(path)));

    WriteFile(TCompoundFile::JournalPath(path) + ".set-aside", "an earlier one");
    WriteFile(TCompoundFile::JournalPath(path),
              UnmarkedJournal(512, SmallFile().Data.size(), 1, std::string(512, 'y')));
    ASSERT_S_OK(TCompoundFile::Open(path, StgAccess::ReadWrite, opened));
    EXPECT_EQ(opened->StrayJournal(), TCompoundFile::JournalPath(path) + ".set-aside-2");
}

// The codes a damaged file may give, or a name this container refuses.
void ExpectClean(const std::vector<Failure>& failures) {
    for (const Failure& failure : failures)
        EXPECT_TRUE(failure.Code == STG_E_DOCFILECORRUPT || failure.Code == STG_E_INVALIDHEADER ||
                    failure.Code == STG_E_INVALIDNAME || failure.Code == STG_E_FILENOTFOUND)
            << failure.Where << ": " << ResultName(failure.Code);
}

// Every file of the regression folder opens or fails cleanly, and so does every stream in
// it; opened for writing (which plays a journal back), it takes a new stream and a commit,
// after which it still opens, every stream that read before reads, and the new one too.
TEST(BrokenFilesFolder, OpenOrFailCleanly) {
    const fs::path folder = fs::path(QZ_TEST_TOOLS) / ".." / "data" / "cfb-broken";
    ASSERT_TRUE(fs::is_directory(folder)) << folder;
    bool any = false;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        any = true;
        SCOPED_TRACE(entry.path().filename().string());
        TempFolder scratch;
        const std::string path = scratch.File("copy.cfb");
        PlaceFile(ReadFile(entry.path().string()), path);
        ExpectClean(Failures(path, StgAccess::ReadOnly));
        std::unique_ptr<TCompoundFile> file;
        if (HResult r = TCompoundFile::Open(path, StgAccess::ReadWrite, file); Failed(r)) {
            ExpectClean({{"open", r}});
            continue;
        }
        file->SetSync(false);
        std::vector<Failure> before;
        Walk(file->Root(), "", before);
        TStream stream;
        const std::string data = Bytes(5000, 7);
        const bool added = Succeeded(file->Root().CreateStream("Added", stream)) &&
                           Succeeded(stream.Write(data.data(), static_cast<std::uint32_t>(data.size())));
        const HResult committed = file->Commit();
        if (Failed(committed))
            ExpectClean({{"commit", committed}});
        file.reset();
        const std::vector<Failure> after = Failures(path, StgAccess::ReadOnly);
        ExpectClean(after);
        for (const Failure& failure : after)
            EXPECT_TRUE(std::any_of(before.begin(), before.end(),
                                    [&](const Failure& old) { return old.Where == failure.Where; }))
                << "after the commit " << failure.Where << ": " << ResultName(failure.Code);
        if (added && Succeeded(committed) && Succeeded(TCompoundFile::Open(path, StgAccess::ReadOnly, file))) {
            std::string read(data.size(), '\0');
            std::uint32_t got = 0;
            TStream readBack;
            ASSERT_TRUE(Succeeded(file->Root().OpenStream("Added", readBack)));
            EXPECT_TRUE(Succeeded(readBack.Read(read.data(), static_cast<std::uint32_t>(read.size()), &got)));
            EXPECT_EQ(read, data);
        }
    }
    EXPECT_TRUE(any) << "the folder is empty";
}

} // namespace
} // namespace qz::cfb::testing

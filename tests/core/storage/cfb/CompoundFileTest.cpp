#include "CfbTestSupport.h"

#include "storage/cfb/CfbFormat.h"

#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

namespace qz::cfb::testing {
namespace {

std::string RawFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class CompoundFileTest : public ::testing::Test {
protected:
    std::unique_ptr<TCompoundFile> CreateFile(const std::string& name = "books.kqk") {
        std::unique_ptr<TCompoundFile> file;
        EXPECT_S_OK(TCompoundFile::Create(Folder.File(name), file));
        return file;
    }
    // Commits, then checks the file with our reader and with olefile against `expected`.
    void CommitAndCheck(TCompoundFile& file, const std::map<std::string, std::string>& expected) {
        ASSERT_S_OK(file.Commit());
        EXPECT_EQ(Differences(Contents(file.Root()), expected), "") << "before reopening";
        EXPECT_EQ(OleCheck(file.Path(), expected), "OK");
    }
    TempFolder Folder;
};

TEST_F(CompoundFileTest, StreamsOfEverySizeRoundTrip) {
    auto file = CreateFile();
    TStorage root = file->Root();
    std::map<std::string, std::string> expected;
    const std::size_t sizes[] = {0, 1, 63, 64, 65, 511, 512, 513, 4095, 4096, 4097, 100000};
    for (std::size_t size : sizes) {
        const std::string name = "S" + std::to_string(size);
        expected[name] = Bytes(size, static_cast<unsigned>(size));
        PutStream(root, name, expected[name]);
    }
    TStorage options, nested;
    ASSERT_S_OK(root.CreateStorage("Options", options));
    ASSERT_S_OK(options.CreateStorage("Inner", nested));
    PutStream(options, "Columns", Bytes(68 * 12, 1));
    PutStream(nested, "Grid", Bytes(268, 2));
    expected["Options/"] = "";
    expected["Options/Inner/"] = "";
    expected["Options/Columns"] = Bytes(68 * 12, 1);
    expected["Options/Inner/Grid"] = Bytes(268, 2);
    CommitAndCheck(*file, expected);
    file.reset();
    EXPECT_EQ(Differences(ContentsOf(Folder.File("books.kqk")), expected), "");
}

// A stream that grows and shrinks across the mini-stream cutoff moves between the mini
// stream and regular sectors; every state is readable by both readers.
TEST_F(CompoundFileTest, StreamsMoveAcrossTheCutoff) {
    auto file = CreateFile();
    TStorage root = file->Root();
    PutStream(root, "Neighbour", Bytes(300, 9));
    TStream stream;
    ASSERT_S_OK(root.CreateStream("Moving", stream));
    std::map<std::string, std::string> expected{{"Neighbour", Bytes(300, 9)}};
    const std::size_t sizes[] = {100, 5000, 4096, 4095, 300, 20000, 0, 64};
    std::string data;
    for (std::size_t size : sizes) {
        const std::string grown = Bytes(size, static_cast<unsigned>(size) + 77);
        if (size > data.size()) {
            // Keep what is there and write the rest.
            ASSERT_S_OK(stream.SetSize(size));
            ASSERT_S_OK(stream.WriteAt(data.size(), grown.data() + data.size(),
                                       static_cast<std::uint32_t>(size - data.size())));
            data += grown.substr(data.size());
        } else {
            ASSERT_S_OK(stream.SetSize(size));
            data.resize(size);
        }
        expected["Moving"] = data;
        CommitAndCheck(*file, expected);
    }
}

TEST_F(CompoundFileTest, ManyEntriesRenamesAndDeletes) {
    auto file = CreateFile();
    TStorage root = file->Root();
    std::map<std::string, std::string> expected;
    for (int i = 0; i < 150; ++i) {
        const std::string name = "Stream" + std::to_string(i);
        expected[name] = Bytes(static_cast<std::size_t>(i * 37), static_cast<unsigned>(i));
        PutStream(root, name, expected[name]);
    }
    CommitAndCheck(*file, expected);
    for (int i = 0; i < 150; i += 3) {
        const std::string name = "Stream" + std::to_string(i);
        ASSERT_S_OK(root.DestroyElement(name));
        expected.erase(name);
    }
    ASSERT_S_OK(root.RenameElement("Stream1", "a much longer name of 31 chars."));
    expected["a much longer name of 31 chars."] = expected["Stream1"];
    expected.erase("Stream1");
    CommitAndCheck(*file, expected);
    for (int i = 0; i < 40; ++i) {
        const std::string name = "Again" + std::to_string(i);
        expected[name] = Bytes(5000, static_cast<unsigned>(i));
        PutStream(root, name, expected[name]);
    }
    CommitAndCheck(*file, expected);
}

// Past 109 FAT sectors the FAT's own list continues in DIFAT sectors.
TEST_F(CompoundFileTest, LargeFilesUseTheDifat) {
    auto file = CreateFile();
    TStorage root = file->Root();
    const std::string big = Bytes(9 << 20, 5);
    PutStream(root, "Transactions", big);
    CommitAndCheck(*file, {{"Transactions", big}});
    ASSERT_S_OK(root.DestroyElement("Transactions"));
    PutStream(root, "Small", "x");
    CommitAndCheck(*file, {{"Small", "x"}});
}

TEST_F(CompoundFileTest, DeletedDataLeavesNoTrace) {
    const std::string secret = "SECRET-PAYROLL-FIGURES-";
    std::string marked;
    while (marked.size() < 20000)
        marked += secret;
    auto file = CreateFile();
    TStorage root = file->Root();
    PutStream(root, "Big", marked);
    PutStream(root, "Small", marked.substr(0, 900));
    PutStream(root, "Shrinks", marked);
    ASSERT_S_OK(file->Commit());
    ASSERT_NE(RawFile(file->Path()).find(secret), std::string::npos);
    ASSERT_S_OK(root.DestroyElement("Big"));
    ASSERT_S_OK(root.DestroyElement("Small"));
    TStream shrinks;
    ASSERT_S_OK(root.OpenStream("Shrinks", shrinks));
    ASSERT_S_OK(shrinks.SetSize(10));
    ASSERT_S_OK(file->Commit());
    const std::string raw = RawFile(file->Path());
    EXPECT_EQ(raw.find(secret), std::string::npos) << "deleted bytes remain in the file";
    EXPECT_NE(raw.find(secret.substr(0, 10)), std::string::npos) << "the kept bytes are there";
}

TEST_F(CompoundFileTest, OpenFilesAreExclusive) {
    auto file = CreateFile();
    std::unique_ptr<TCompoundFile> second;
    EXPECT_EQ(TCompoundFile::Open(file->Path(), StgAccess::ReadWrite, second), STG_E_SHAREVIOLATION);
    EXPECT_EQ(TCompoundFile::Open(file->Path(), StgAccess::ReadOnly, second), STG_E_SHAREVIOLATION);
    std::unique_ptr<TCompoundFile> replaced;
    EXPECT_EQ(TCompoundFile::Create(file->Path(), replaced), STG_E_SHAREVIOLATION);
    file.reset();
    EXPECT_S_OK(TCompoundFile::Open(Folder.File("books.kqk"), StgAccess::ReadOnly, second));
}

TEST_F(CompoundFileTest, ReadOnlyFilesRefuseChanges) {
    {
        auto file = CreateFile();
        TStorage root = file->Root();
        PutStream(root, "Data", "abc");
        ASSERT_S_OK(file->Commit());
    }
    std::unique_ptr<TCompoundFile> file;
    ASSERT_S_OK(TCompoundFile::Open(Folder.File("books.kqk"), StgAccess::ReadOnly, file));
    TStorage root = file->Root();
    TStream data;
    ASSERT_S_OK(root.OpenStream("Data", data));
    EXPECT_EQ(data.Write("x", 1), STG_E_ACCESSDENIED);
    EXPECT_EQ(root.CreateStream("New", data), STG_E_ACCESSDENIED);
    EXPECT_EQ(root.DestroyElement("Data"), STG_E_ACCESSDENIED);
    EXPECT_EQ(file->Commit(), STG_E_ACCESSDENIED);
}

TEST_F(CompoundFileTest, ElementErrors) {
    auto file = CreateFile();
    TStorage root = file->Root();
    TStream stream;
    TStorage storage;
    struct Case {
        const char* What;
        HResult Got;
        HResult Expected;
    } cases[] = {
        {"open missing", root.OpenStream("Missing", stream), STG_E_FILENOTFOUND},
        {"empty name", root.CreateStream("", stream), STG_E_INVALIDNAME},
        {"32 characters", root.CreateStream(std::string(32, 'n'), stream), STG_E_INVALIDNAME},
        {"slash", root.CreateStream("a/b", stream), STG_E_INVALIDNAME},
        {"exclamation", root.CreateStorage("a!b", storage), STG_E_INVALIDNAME},
        {"destroy missing", root.DestroyElement("Missing"), STG_E_FILENOTFOUND},
        {"rename missing", root.RenameElement("Missing", "Other"), STG_E_FILENOTFOUND},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResultName(c.Got), ResultName(c.Expected)) << c.What;

    PutStream(root, "One", "1");
    PutStream(root, "Two", "2");
    EXPECT_EQ(root.RenameElement("One", "TWO"), STG_E_ACCESSDENIED) << "names are compared ignoring case";
    EXPECT_EQ(root.CreateStorage("one", storage), STG_E_FILEALREADYEXISTS);
    ASSERT_S_OK(root.OpenStream("one", stream)) << "opening ignores case too";
    ASSERT_S_OK(root.DestroyElement("One"));
    EXPECT_EQ(stream.Write("x", 1), STG_E_REVERTED) << "a handle to a destroyed stream";
}

TEST_F(CompoundFileTest, SeekReadWriteAndSize) {
    auto file = CreateFile();
    TStorage root = file->Root();
    TStream stream;
    ASSERT_S_OK(root.CreateStream("Records", stream));
    ASSERT_S_OK(stream.Write("0123456789", 10));
    std::uint64_t at = 0;
    ASSERT_S_OK(stream.Seek(-4, SeekOrigin::End, &at));
    EXPECT_EQ(at, 6u);
    char buffer[16] = {};
    std::uint32_t read = 0;
    ASSERT_S_OK(stream.Read(buffer, 16, &read));
    EXPECT_EQ(std::string(buffer, read), "6789");
    ASSERT_S_OK(stream.WriteAt(20, "end", 3));
    std::string all;
    ASSERT_S_OK(stream.ReadAll(all));
    EXPECT_EQ(all, std::string("0123456789") + std::string(10, '\0') + "end") << "a gap reads as zeros";
    EXPECT_EQ(stream.Seek(-1, SeekOrigin::Set), STG_E_INVALIDFUNCTION);
    TStatStg stat;
    ASSERT_S_OK(stream.Stat(stat));
    EXPECT_EQ(stat.Size, 23u);
    EXPECT_EQ(stat.Name, "Records");
    // Replacing a stream empties it.
    TStream again;
    ASSERT_S_OK(root.CreateStream("Records", again));
    ASSERT_S_OK(again.Size(at));
    EXPECT_EQ(at, 0u);
    EXPECT_EQ(stream.Read(buffer, 1), STG_E_REVERTED);
}

TEST_F(CompoundFileTest, CopyToAnotherFileAndWithinOne) {
    auto source = CreateFile("source.kqk");
    TStorage root = source->Root();
    std::map<std::string, std::string> expected;
    for (int i = 0; i < 9; ++i) {
        const std::string name = "Stream" + std::to_string(i);
        expected[name] = Bytes(static_cast<std::size_t>(i) * 3000, static_cast<unsigned>(i));
        PutStream(root, name, expected[name]);
    }
    TStorage options;
    ASSERT_S_OK(root.CreateStorage("Options", options));
    PutStream(options, "Set", "abc");
    expected["Options/"] = "";
    expected["Options/Set"] = "abc";
    ASSERT_S_OK(source->Commit());

    auto target = CreateFile("copy.kqk");
    TStorage targetRoot = target->Root();
    PutStream(targetRoot, "Stream3", "to be replaced");
    ASSERT_S_OK(root.CopyTo(targetRoot));
    CommitAndCheck(*target, expected);

    TStorage inner;
    ASSERT_S_OK(root.CreateStorage("Inner", inner));
    EXPECT_EQ(root.CopyTo(inner), STG_E_ACCESSDENIED) << "a storage cannot be copied into itself";
    ASSERT_S_OK(options.CopyTo(inner));
    expected["Inner/"] = "";
    expected["Inner/Set"] = "abc";
    CommitAndCheck(*source, expected);
}

// Version 4 files (4096-byte sectors) read and update like ours.
TEST_F(CompoundFileTest, VersionFourFiles) {
    std::unique_ptr<TCompoundFile> file;
    ASSERT_S_OK(TCompoundFile::Create(Folder.File("v4.kqk"), file, TFileSystem::Posix(), 4));
    TStorage root = file->Root();
    std::map<std::string, std::string> expected{{"Small", Bytes(100, 1)}, {"Large", Bytes(70000, 2)}};
    TStorage sub;
    ASSERT_S_OK(root.CreateStorage("Sub", sub));
    PutStream(sub, "Inner", Bytes(5000, 3));
    expected["Sub/"] = "";
    expected["Sub/Inner"] = Bytes(5000, 3);
    for (const auto& [name, data] : expected)
        if (name.find('/') == std::string::npos)
            PutStream(root, name, data);
    CommitAndCheck(*file, expected);
    file.reset();
    ASSERT_S_OK(TCompoundFile::Open(Folder.File("v4.kqk"), StgAccess::ReadWrite, file));
    EXPECT_EQ(file->MajorVersion(), 4);
    root = file->Root();
    PutStream(root, "Small", Bytes(9000, 4));
    expected["Small"] = Bytes(9000, 4);
    CommitAndCheck(*file, expected);
}

TEST_F(CompoundFileTest, GrowingPastTheSizeLimitFailsClearly) {
    auto file = CreateFile();
    file->SetSizeLimit(64 << 10);
    TStorage root = file->Root();
    TStream stream;
    ASSERT_S_OK(root.CreateStream("Big", stream));
    ASSERT_S_OK(stream.Write(Bytes(40000, 1).data(), 40000));
    EXPECT_EQ(stream.Write(Bytes(40000, 2).data(), 40000), STG_E_DOCFILETOOLARGE);
}

// The lock holds against other processes too.
TEST_F(CompoundFileTest, AnotherProcessCannotOpenAnOpenFile) {
    auto file = CreateFile();
    const pid_t child = ::fork();
    if (child == 0) {
        std::unique_ptr<TCompoundFile> other;
        const HResult result = TCompoundFile::Open(Folder.File("books.kqk"), StgAccess::ReadOnly, other);
        ::_exit(result == STG_E_SHAREVIOLATION ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the other process got in";
}

// Files written by another writer, small and large streams, read correctly.
TEST_F(CompoundFileTest, ReadsFilesOfAnotherWriter) {
    std::map<std::string, std::string> expected{
        {"small.txt", "a small stream"}, {"medium.bin", Bytes(5000, 3)}, {"large.bin", Bytes(300000, 4)}};
    std::string command = "cd '" + Folder.Path.string() + "' && gsf createole other.ole";
    for (const auto& [name, data] : expected) {
        std::ofstream(Folder.File(name), std::ios::binary) << data;
        command += " " + name;
    }
    command += " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << "gsf (libgsf-bin) is needed";
    EXPECT_EQ(Differences(ContentsOf(Folder.File("other.ole")), expected), "");

    // And we can change such a file in place.
    std::unique_ptr<TCompoundFile> file;
    ASSERT_S_OK(TCompoundFile::Open(Folder.File("other.ole"), StgAccess::ReadWrite, file));
    TStorage root = file->Root();
    PutStream(root, "small.txt", Bytes(4500, 8));
    expected["small.txt"] = Bytes(4500, 8);
    ASSERT_S_OK(root.DestroyElement("large.bin"));
    expected.erase("large.bin");
    CommitAndCheck(*file, expected);
}

// Small reads and writes of records scattered over a large and a small stream, whole-sector
// writes among them, with commits and reopens between rounds, in both versions: every read
// gives what a plain model of the streams holds, before and after each commit and reopen, and
// the file ends up holding the model.
TEST_F(CompoundFileTest, ScatteredReadsAndWritesAgreeWithAModel) {
    for (std::uint16_t version : {3, 4}) {
        SCOPED_TRACE("version " + std::to_string(version));
        const std::uint32_t sector = version == 4 ? 4096 : 512;
        const std::string path = Folder.File("model" + std::to_string(version) + ".kqk");
        std::map<std::string, std::string> model{{"Large", Bytes(300 * 1024, 1)}, {"Small", Bytes(3000, 2)}};
        {
            std::unique_ptr<TCompoundFile> file;
            ASSERT_S_OK(TCompoundFile::Create(path, file, TFileSystem::Posix(), version));
            TStorage root = file->Root();
            for (const auto& [name, data] : model)
                PutStream(root, name, data);
            ASSERT_S_OK(file->Commit());
        }
        std::uint32_t random = 12345;
        auto next = [&random](std::uint32_t below) {
            random = random * 1103515245u + 12345u;
            return (random >> 8) % below;
        };
        for (int round = 0; round < 6; ++round) {
            std::unique_ptr<TCompoundFile> file;
            ASSERT_S_OK(TCompoundFile::Open(path, StgAccess::ReadWrite, file));
            for (int commit = 0; commit < 3; ++commit) {
                for (int step = 0; step < 400; ++step) {
                    const std::string name = next(4) == 0 ? "Small" : "Large";
                    std::string& data = model[name];
                    TStream stream;
                    ASSERT_S_OK(file->Root().OpenStream(name, stream));
                    // A record, or now and then two whole aligned sectors and more.
                    const bool whole = name == "Large" && next(10) == 0;
                    const std::uint32_t size = whole ? 3 * sector - 36 : 1 + next(320);
                    std::uint64_t at = next(static_cast<std::uint32_t>(data.size() - size));
                    if (whole)
                        at -= at % sector;
                    std::string got(size, '\0');
                    std::uint32_t read = 0;
                    ASSERT_S_OK(stream.ReadAt(at, got.data(), size, &read));
                    ASSERT_TRUE(read == size && got == data.substr(at, size))
                        << name << " at " << at << " in round " << round << ", step " << step;
                    if (next(2) == 0) {
                        const std::string record = Bytes(size, 1000 + step);
                        ASSERT_S_OK(stream.WriteAt(at, record.data(), size));
                        data.replace(at, size, record);
                    }
                }
                ASSERT_S_OK(file->Commit());
                ASSERT_EQ(Differences(Contents(file->Root()), model), "") << "after commit " << commit;
            }
        }
        EXPECT_EQ(Differences(ContentsOf(path), model), "");
        EXPECT_EQ(OleCheck(path, model), "OK");
    }
}

} // namespace
} // namespace qz::cfb::testing

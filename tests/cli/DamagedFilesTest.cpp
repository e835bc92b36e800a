// Files that are no documents, or broken ones: every command that reads a document refuses
// them with exit status 1 and one line on stderr, never crashes, and leaves the file as it was.

#include "CliSupport.h"

#include <sys/stat.h>

namespace qz::clitest {
namespace {

struct Damage {
    const char* Name;
    void (*Make)(const std::string& path);
};

void WithoutStream(const std::string& path, const char* name) {
    StreamMap streams = SmallDocument();
    streams.erase(name);
    WriteStreams(path, streams);
}

// The file with the second sector of the Transactions stream's chain pointing back at its
// first: a loop a reader must notice.
std::string LoopTransactionsChain(std::string bytes) {
    auto u32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
    };
    auto put32 = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    const std::size_t sector = 512;
    auto offset = [&](std::uint32_t s) { return (std::size_t(s) + 1) * sector; };
    // The FAT entry of a sector, through the header's list of FAT sectors (small files need
    // no more than the header holds).
    auto fatSlot = [&](std::uint32_t s) { return offset(u32(0x4C + 4 * (s / 128))) + 4 * (s % 128); };
    const std::string name("T\0r\0a\0n\0s\0a\0c\0t\0i\0o\0n\0s\0", 24);
    for (std::uint32_t dir = u32(0x30); dir < 0xFFFFFFFA; dir = u32(fatSlot(dir)))
        for (std::size_t k = 0; k < sector; k += 128)
            if (bytes.compare(offset(dir) + k, name.size(), name) == 0) {
                const std::uint32_t first = u32(offset(dir) + k + 116);
                const std::uint32_t second = u32(fatSlot(first));
                put32(fatSlot(second), first);
                return bytes;
            }
    ADD_FAILURE() << "no Transactions entry";
    return bytes;
}

const Damage Damages[] = {
    {"TextFile", [](const std::string& p) { WriteBytes(p, "Date,Amount\n2026-03-01,110.00\n"); }},
    {"Folder", [](const std::string& p) { std::filesystem::create_directory(p); }},
    {"EmptyFile", [](const std::string& p) { WriteBytes(p, ""); }},
    {"ZeroedHeader", [](const std::string& p) { WriteBytes(p, std::string(4096, '\0')); }},
    {"Truncated",
     [](const std::string& p) {
         const std::string whole = p + ".whole";
         ASSERT_EQ(Cli({"generate", whole, "--transactions", "400"}).Status, 0);
         const std::string bytes = FileBytes(whole);
         WriteBytes(p, bytes.substr(0, bytes.size() * 3 / 5));
     }},
    {"NoTransactionsStream", [](const std::string& p) { WithoutStream(p, "Transactions"); }},
    {"NoSettingsStream", [](const std::string& p) { WithoutStream(p, "FileSettings"); }},
    {"NoCountsStream", [](const std::string& p) { WithoutStream(p, "KQ22FileInfo"); }},
    {"NoCategoriesStream", [](const std::string& p) { WithoutStream(p, "MainActs"); }},
    {"ShortSettings",
     [](const std::string& p) {
         StreamMap streams = SmallDocument();
         streams["FileSettings"].resize(100);
         WriteStreams(p, streams);
     }},
    // Not a regular file: refused at once, never waited on.
    {"Fifo", [](const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }},
    {"Device", [](const std::string& p) { std::filesystem::create_symlink("/dev/null", p); }},
    // A loop in the sector chain of the Transactions stream.
    {"TransactionsChainLoop",
     [](const std::string& p) {
         const std::string whole = p + ".whole";
         ASSERT_EQ(Cli({"generate", whole, "--transactions", "400"}).Status, 0);
         WriteBytes(p, LoopTransactionsChain(FileBytes(whole)));
     }},
    {"CountsBeyondRecords",
     [](const std::string& p) {
         StreamMap streams = SmallDocument();
         TCounts counts = CountsOf(streams);
         counts[StreamTrans] = 5000;
         streams["KQ22FileInfo"] = CountsImage(counts);
         WriteStreams(p, streams);
     }},
};

struct Case {
    const Damage* File;
    std::vector<std::string> Command; // FILE and OUT stand for the paths
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.File->Name << " " << c.Command[0];
}

std::vector<Case> Cases() {
    const std::vector<std::vector<std::string>> commands = {{"info", "FILE"},
                                                            {"check", "FILE"},
                                                            {"worksheet", "FILE", "--tab", "1"},
                                                            {"export", "FILE", "--format", "ledger", "-o", "OUT"},
                                                            {"convert", "FILE"}};
    std::vector<Case> cases;
    for (const Damage& damage : Damages)
        for (const auto& command : commands)
            cases.push_back({&damage, command});
    return cases;
}

class DamagedFile : public ::testing::TestWithParam<Case> {};

TEST_P(DamagedFile, IsRefusedWithOneLineAndLeftAlone) {
    TempFolder folder;
    const std::string path = folder.File("books.kqk");
    GetParam().File->Make(path);
    // A FIFO or a device is not read here either: reading one would wait for a writer.
    const bool regular = std::filesystem::is_regular_file(path);
    const std::string before = regular ? FileBytes(path) : "";
    std::vector<std::string> args = GetParam().Command;
    for (std::string& arg : args)
        arg = arg == "FILE" ? path : arg == "OUT" ? folder.File("out.journal") : arg;

    const RunResult run = Cli(args);

    EXPECT_EQ(run.Signal, 0);
    EXPECT_EQ(run.Status, 1);
    ASSERT_EQ(run.ErrLines().size(), 1u) << run.Err;
    EXPECT_NE(run.Err.find(path), std::string::npos) << run.Err;
    if (regular) {
        EXPECT_EQ(FileBytes(path), before);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.File("out.journal")));
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedFile, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.File->Name) + "_" + info.param.Command[0];
                         });

const Damage& Named(const std::string& name) {
    for (const Damage& damage : Damages)
        if (name == damage.Name)
            return damage;
    throw std::invalid_argument(name);
}

TEST(DamagedFile, CheckNamesWhatIsWrong) {
    TempFolder folder;
    const struct {
        const Damage& File;
        const char* Says;
    } expectations[] = {
        {Named("TextFile"), "not a compound file"},
        {Named("Folder"), "a folder, not a document"},
        {Named("NoTransactionsStream"), "not a document: no readable \"Transactions\" stream"},
        {Named("NoCountsStream"), "no counts stream"},
        {Named("NoCategoriesStream"), "the \"MainActs\" stream is missing"},
        {Named("ShortSettings"), "the \"FileSettings\" stream holds 100 bytes, not 816"},
        {Named("CountsBeyondRecords"), "the counts block gives 5000 live Transactions records; the stream holds 8"},
        {Named("Fifo"), "not a regular file"},
        {Named("Device"), "not a regular file"},
        {Named("TransactionsChainLoop"), "stream \"Transactions\" cannot be read"}};
    for (const auto& e : expectations) {
        const std::string path = folder.File(std::string(e.File.Name) + ".kqk");
        e.File.Make(path);
        const RunResult run = Cli({"check", path});
        EXPECT_EQ(run.Status, 1);
        EXPECT_NE(run.Out.find(e.Says), std::string::npos) << e.File.Name << ":\n" << run.Out;
    }
}

// The other commands name the cause as well, not a missing stream or a permission.
TEST(DamagedFile, ReadersNameTheCause) {
    TempFolder folder;
    const struct {
        const Damage& File;
        const char* Says;
    } expectations[] = {
        {Named("Fifo"), "not a regular file"},
        {Named("Device"), "not a regular file"},
        {Named("TransactionsChainLoop"), "the \"Transactions\" stream cannot be read (damaged file"},
    };
    for (const auto& e : expectations)
        for (const char* command : {"info", "worksheet"}) {
            SCOPED_TRACE(std::string(e.File.Name) + " " + command);
            const std::string path = folder.File(std::string(e.File.Name) + command + ".kqk");
            e.File.Make(path);
            const RunResult run = Cli({command, path});
            EXPECT_EQ(run.Status, 1);
            EXPECT_NE(run.Err.find(e.Says), std::string::npos) << run.Err;
        }
}

} // namespace
} // namespace qz::clitest

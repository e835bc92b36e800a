// Files that are no documents, or broken ones: every command that reads a document refuses
// them with exit status 1 and one line on stderr, never crashes, and leaves the file as it was.

#include "CliSupport.h"

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
    const std::string before = FileBytes(path);
    std::vector<std::string> args = GetParam().Command;
    for (std::string& arg : args)
        arg = arg == "FILE" ? path : arg == "OUT" ? folder.File("out.journal") : arg;

    const RunResult run = Cli(args);

    EXPECT_EQ(run.Signal, 0);
    EXPECT_EQ(run.Status, 1);
    ASSERT_EQ(run.ErrLines().size(), 1u) << run.Err;
    EXPECT_NE(run.Err.find(path), std::string::npos) << run.Err;
    EXPECT_EQ(FileBytes(path), before);
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
        {Named("CountsBeyondRecords"), "the counts block gives 5000 live Transactions records; the stream holds 8"}};
    for (const auto& e : expectations) {
        const std::string path = folder.File(std::string(e.File.Name) + ".kqk");
        e.File.Make(path);
        const RunResult run = Cli({"check", path});
        EXPECT_EQ(run.Status, 1);
        EXPECT_NE(run.Out.find(e.Says), std::string::npos) << e.File.Name << ":\n" << run.Out;
    }
}

} // namespace
} // namespace qz::clitest

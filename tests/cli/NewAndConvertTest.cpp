// new and convert: documents the file manager writes, with the answers the window would
// ask for taken from the options.

#include "CliSupport.h"

#include "storage/cfb/CfbFormat.h"

namespace qz::clitest {
namespace {

struct TaxCase {
    std::vector<std::string> Options;
    const char* InfoSays;
};

// The cases in the order they are given.
std::string TaxName(const ::testing::TestParamInfo<TaxCase>& info) {
    static const char* const names[] = {"DefaultGst", "Vat", "NoTax"};
    return names[info.index];
}

void PrintTo(const TaxCase& c, std::ostream* out) {
    *out << ::testing::PrintToString(c.Options);
}

class NewDocument : public ::testing::TestWithParam<TaxCase> {};

TEST_P(NewDocument, AnswersTheTaxQuestionFromItsOptions) {
    TempFolder folder;
    const std::string path = folder.File("Shop.kqk");
    std::vector<std::string> args = {"new",
                                     path,
                                     "--business",
                                     "B\xC3\xA4"
                                     "ckerei S\xC3\xBC"
                                     "d",
                                     "--number",
                                     "77"};
    args.insert(args.end(), GetParam().Options.begin(), GetParam().Options.end());
    args.push_back("--verbose");

    const RunResult made = Cli(args);
    ASSERT_EQ(made.Status, 0) << made.Err;
    EXPECT_NE(made.Err.find("New file created."), std::string::npos) << "the window's words, with --verbose";

    const RunResult info = Cli({"info", path});
    ASSERT_EQ(info.Status, 0) << info.Err;
    EXPECT_NE(info.Out.find("Business     B\xC3\xA4"
                            "ckerei S\xC3\xBC"
                            "d\n"),
              std::string::npos)
        << info.Out;
    EXPECT_NE(info.Out.find("Number       77\n"), std::string::npos);
    EXPECT_NE(info.Out.find(std::string("Tax          ") + GetParam().InfoSays), std::string::npos) << info.Out;
    EXPECT_EQ(InfoBalances(info.Out), (std::map<std::string, std::string>{{"Zudeduze 1", "$0.00"}}));
    EXPECT_EQ(Cli({"check", path}).Status, 0);
}

INSTANTIATE_TEST_SUITE_P(Taxes, NewDocument,
                         ::testing::Values(TaxCase{{}, "GST tracked at 10.00%"},
                                           TaxCase{{"--tax", "vat", "--percent", "17.5"}, "VAT tracked at 17.50%"},
                                           TaxCase{{"--tax", "none"}, "not tracked"}),
                         TaxName);

TEST(NewDocument, ReplacesAFileOnlyWhenForced) {
    TempFolder folder;
    const std::string path = folder.File("Shop.kqk");
    WriteBytes(path, "keep me");
    const RunResult refused = Cli({"new", path});
    EXPECT_EQ(refused.Status, 1);
    EXPECT_EQ(refused.ErrLines().size(), 1u);
    EXPECT_EQ(FileBytes(path), "keep me");
    const RunResult forced = Cli({"new", path, "--force"});
    EXPECT_EQ(forced.Status, 0);
    EXPECT_EQ(forced.Err, "") << "a success says nothing";
    EXPECT_EQ(Cli({"check", path}).Status, 0);
}

// A conversion that cannot be made says why, in one line after the window's words, and
// leaves the file as it was.
TEST(Convert, SaysWhyItCannotConvert) {
    TempFolder folder;
    const std::string path = folder.File("Old.kqk");
    WriteStreams(path, OlderDocument("KQ21FileInfo"));
    {
        std::unique_ptr<cfb::TCompoundFile> holder;
        ASSERT_EQ(cfb::TCompoundFile::Open(path, cfb::StgAccess::ReadWrite, holder), cfb::S_OK);
        const RunResult run = Cli({"convert", path});
        EXPECT_EQ(run.Status, 1);
        EXPECT_NE(run.Err.find(path + ": the file is in use by another program"), std::string::npos) << run.Err;
    }
    StreamMap damaged = OlderDocument("KQ21FileInfo");
    damaged["MainActs"].resize(10);
    WriteStreams(path, damaged);
    const std::string damagedBytes = FileBytes(path);
    const RunResult run = Cli({"convert", path});
    EXPECT_EQ(run.Status, 1);
    ASSERT_EQ(run.ErrLines().size(), 1u) << run.Err;
    EXPECT_NE(run.Err.find("the \"MainActs\" stream"), std::string::npos) << run.Err;
    EXPECT_EQ(FileBytes(path), damagedBytes);
}

// A name the journal beside the document could not have is refused with its cause.
TEST(NewDocument, RefusesANameTooLongForItsJournal) {
    TempFolder folder;
    const std::string path = folder.File(std::string(250, 'x') + ".kqk");
    const RunResult run = Cli({"new", path});
    EXPECT_EQ(run.Status, 1);
    ASSERT_EQ(run.ErrLines().size(), 1u) << run.Err;
    EXPECT_NE(run.Err.find("the file name is too long (at most 247 bytes"), std::string::npos) << run.Err;
    EXPECT_FALSE(std::filesystem::exists(path));
}

// The sale of 110 keeps a 10 % rate in generation 2.1; converted, its tax is 10.00.
TEST(Convert, Generation21RateBecomesTheTaxAmount) {
    TempFolder folder;
    const std::string path = folder.File("Old.kqk");
    WriteStreams(path, OlderDocument("KQ21FileInfo"));

    const RunResult run = Cli({"convert", path});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("converted from generation 2.1 to 2.2"), std::string::npos);
    EXPECT_EQ(run.Err, "");

    const RunResult info = Cli({"info", path});
    EXPECT_NE(info.Out.find("Generation   2.2 (counts stream \"KQ22FileInfo\")"), std::string::npos) << info.Out;
    EXPECT_EQ(Cli({"check", path}).Status, 0) << Cli({"check", path}).Out;
    const RunResult csv = Cli({"export", path, "--format", "csv", "-o", "-"});
    EXPECT_NE(csv.Out.find("\r\n2,,2026-03-02,Credit,Cheque,INV-1,100,Sales,1,Counter,0,General,,110.00,,10.00,yes,"),
              std::string::npos)
        << csv.Out;
}

TEST(Convert, Generation20AsksForTaxAndCompanyFromTheOptions) {
    TempFolder folder;
    const std::string path = folder.File("Old.kqk");
    WriteStreams(path, OlderDocument("KQ2FileInfo"));

    const RunResult run = Cli({"convert", path, "--tax", "vat", "--percent", "20", "--business", "Corner Shop",
                               "--number", "N-9", "--verbose"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    // Closing asks whether to refresh the backup: the answer that changes least.
    EXPECT_NE(run.Err.find("Update backup file?\nzudeduze-cli: (answered No)\n"), std::string::npos) << run.Err;
    EXPECT_FALSE(std::filesystem::exists(folder.File("Old.~bk")));

    const RunResult info = Cli({"info", path});
    EXPECT_NE(info.Out.find("Business     Corner Shop\n"), std::string::npos) << info.Out;
    EXPECT_NE(info.Out.find("Number       N-9\n"), std::string::npos);
    EXPECT_NE(info.Out.find("Tax          VAT tracked at 20.00%"), std::string::npos);
    // The conversion adds the tax type, the payments category and its sub category, then the refunds category.
    EXPECT_NE(info.Out.find("MainActs               6         0         6"), std::string::npos) << info.Out;
    EXPECT_EQ(Cli({"check", path}).Status, 0) << Cli({"check", path}).Out;
}

// A first-generation document: one account, its opening balance in the counts block.
StreamMap FirstGeneration() {
    StreamMap s;
    s["Transactions"] = Image(Trans(1, 2, TransCredit, 110, 100, 1)) + Image(Trans(2, 3, TransDebit, 40, 200, 1));
    TMainActRec sales, rent;
    sales.Number = 100, sales.Name = "Sales", sales.Side = SideCredit, sales.CatType = 0;
    rent.Number = 200, rent.Name = "Rent", rent.Side = SideDebit, rent.CatType = 3;
    s["MainActs"] = Image(sales) + Image(rent);
    TSubActRec counter, office;
    counter.MainAct = 100, counter.Number = 1, counter.Name = "Counter", counter.Side = SideCredit;
    office.MainAct = 200, office.Number = 1, office.Name = "Office", office.Side = SideDebit;
    s["SubActs"] = Image(counter) + Image(office);
    TGroupRec general;
    general.Name = "General";
    s["Groups"] = Image(general);
    const char* names[] = {"General Income", "Other Income", "Equipment", "Overheads", "Tax"};
    const std::uint8_t sides[] = {1, 1, 2, 2, 2};
    std::string types;
    for (std::int16_t i = 0; i < 5; ++i) {
        TCatRec type;
        type.Number = i, type.Name = names[i], type.Side = sides[i], type.IsDefault = 1;
        types += Image(type);
    }
    s["Categories"] = types;
    TFileSettings settings;
    settings.BusinessName = "Corner Shop";
    s["FileSettings"] = SettingsImage(settings);
    s["Comments"] = std::string(1, '\0');
    std::string info(Version1CountsSize, '\0');
    auto* bytes = reinterpret_cast<std::uint8_t*>(info.data());
    const std::int32_t counts[5] = {2, 2, 2, 1, 5};
    for (int i = 0; i < 5; ++i)
        cfb::Put32(bytes + 4 * i, static_cast<std::uint32_t>(counts[i]));
    cfb::Put64(bytes + 20, static_cast<std::uint64_t>(Money::FromUnits(500).Raw()));
    s["FileInfo"] = info;
    return s;
}

TEST(Convert, FirstGenerationGetsItsAccountFromTheOptions) {
    TempFolder folder;
    const std::string path = folder.File("Oldest.kqk");
    WriteStreams(path, FirstGeneration());
    const RunResult before = Cli({"info", path});
    EXPECT_NE(before.Out.find("Generation   1 (counts stream \"FileInfo\")"), std::string::npos) << before.Out;
    EXPECT_NE(before.Out.find("opening balance $500.00"), std::string::npos) << before.Out;

    const RunResult run = Cli({"convert", path, "--account-name", "Till"});
    ASSERT_EQ(run.Status, 0) << run.Err;

    const RunResult after = Cli({"info", path});
    EXPECT_EQ(InfoBalances(after.Out), (std::map<std::string, std::string>{{"Till", "$570.00"}})) << after.Out;
    EXPECT_EQ(Cli({"check", path}).Status, 0) << Cli({"check", path}).Out;
}

TEST(Convert, LeavesACurrentDocumentAlone) {
    TempFolder folder;
    const std::string path = folder.File("Shop.kqk");
    WriteStreams(path, SmallDocument());
    const std::string before = FileBytes(path);
    const RunResult run = Cli({"convert", path});
    EXPECT_EQ(run.Status, 0);
    EXPECT_NE(run.Out.find("nothing to convert"), std::string::npos);
    EXPECT_EQ(FileBytes(path), before);
}

TEST(Convert, NeedsThePasswordOfAProtectedDocument) {
    TempFolder folder;
    const std::string path = folder.File("Old.kqk");
    StreamMap streams = OlderDocument("KQ21FileInfo");
    TFileSettings settings;
    DecodeSettings(reinterpret_cast<const std::uint8_t*>(streams["FileSettings"].data()), settings);
    settings.Password = "s3cret";
    settings.ProtectOpen = 1;
    streams["FileSettings"] = SettingsImage(settings);
    WriteStreams(path, streams);
    const std::string before = FileBytes(path);

    for (const std::vector<std::string>& refused : {std::vector<std::string>{"convert", path},
                                                    std::vector<std::string>{"convert", path, "--password", "guess"}}) {
        const RunResult run = Cli(refused);
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.ErrLines().size(), 1u) << run.Err;
        EXPECT_EQ(FileBytes(path), before);
    }
    EXPECT_EQ(Cli({"info", path}).Status, 1);
    EXPECT_EQ(Cli({"convert", path, "--password", "s3cret"}).Status, 0);
    EXPECT_NE(Cli({"info", path, "--password", "s3cret"}).Out.find("Generation   2.2"), std::string::npos);
}

} // namespace
} // namespace qz::clitest

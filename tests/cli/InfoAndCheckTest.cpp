// info and check: what a document holds and what is wrong with it, read without changing it.

#include "CliSupport.h"

#include <limits>
#include <sstream>
#include <sys/stat.h>

namespace qz::clitest {
namespace {

TEST(Info, ShowsStreamsAccountsAndDatesWithoutTouchingTheFile) {
    TempFolder folder;
    const std::string path = folder.File("Shop.kqk");
    WriteStreams(path, SmallDocument());
    const std::string before = FileBytes(path);
    struct stat was {};
    ASSERT_EQ(stat(path.c_str(), &was), 0);

    const RunResult run = Cli({"info", path});

    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    for (const char* line :
         {"Generation   2.2 (counts stream \"KQ22FileInfo\")\n", "Business     Corner Caf\xC3\xA9\n",
          "Tax          GST tracked at 10.00%; payments category 300, refunds category 400",
          "Comment      books of the corner shop\n", "Dates        2026-03-01 to 2026-03-05\n",
          "Transactions           8         1         8\n", "MainActs               4         1         4\n",
          "Books                  2         1         2\n"})
        EXPECT_NE(run.Out.find(line), std::string::npos) << line << "\n" << run.Out;
    // Cheque: 1000 + 110 - 50 + 30 + 20; Cash: 250 - 500 + 50, the unreconciled rent included.
    EXPECT_EQ(InfoBalances(run.Out),
              (std::map<std::string, std::string>{{"Cheque", "$1,110.00"}, {"Cash", "-$200.00"}}));
    EXPECT_EQ(FileBytes(path), before);
    struct stat is {};
    ASSERT_EQ(stat(path.c_str(), &is), 0);
    EXPECT_EQ(is.st_mtim.tv_nsec, was.st_mtim.tv_nsec);
    EXPECT_FALSE(std::filesystem::exists(path + "-journal"));
}

TEST(Check, FindsNothingWrongInASoundDocument) {
    TempFolder folder;
    const std::string path = folder.File("Shop.kqk");
    WriteStreams(path, SmallDocument());
    const RunResult run = Cli({"check", path});
    EXPECT_EQ(run.Status, 0) << run.Out;
    EXPECT_EQ(run.Out, path + ": no problems: 9 streams read, 31 records checked\n");
}

// One fault in an otherwise sound document, and the words check finds it with.
struct Fault {
    const char* Name;
    void (*Apply)(StreamMap& streams);
    const char* Says;
};

void PrintTo(const Fault& fault, std::ostream* out) {
    *out << fault.Name;
}

// Replaces the transaction record of `number` (and split letter) with `change` applied.
void ChangeTrans(StreamMap& s, std::int32_t number, char split, void (*change)(TTransRec&)) {
    std::string& data = s["Transactions"];
    for (std::size_t at = 0; at + TransRecordSize <= data.size(); at += TransRecordSize) {
        auto* image = reinterpret_cast<std::uint8_t*>(data.data() + at);
        TTransRec t;
        DecodeTrans(image, t);
        if (t.Number == number && t.Split == split && !IsTombstone(StreamTrans, image)) {
            change(t);
            EncodeTrans(t, image);
        }
    }
}

void Append(StreamMap& s, const TTransRec& t) {
    s["Transactions"] += Image(t);
    s["KQ22FileInfo"] = CountsImage(CountsOf(s));
}

const Fault Faults[] = {
    {"MissingCategory", [](StreamMap& s) { ChangeTrans(s, 2, '0', [](TTransRec& t) { t.MainAct = 700; }); },
     "Transactions record at byte 960 (no. 2): category 700 does not exist"},
    {"MissingSubCategory", [](StreamMap& s) { ChangeTrans(s, 2, '0', [](TTransRec& t) { t.SubAct = 9; }); },
     "(no. 2): sub category 100-9 does not exist"},
    {"MissingGroup", [](StreamMap& s) { ChangeTrans(s, 3, '0', [](TTransRec& t) { t.Group = 4; }); },
     "(no. 3): group G4 does not exist"},
    {"MissingAccount", [](StreamMap& s) { ChangeTrans(s, 3, '0', [](TTransRec& t) { t.Book = 5; }); },
     "(no. 3): account 5 does not exist"},
    {"UnknownKind", [](StreamMap& s) { ChangeTrans(s, 3, '0', [](TTransRec& t) { t.Kind = 9; }); },
     "(no. 3): kind 9 is unknown; it is left out of the books"},
    {"KindZero", [](StreamMap& s) { ChangeTrans(s, 3, '0', [](TTransRec& t) { t.Kind = 0; }); },
     "(no. 3): kind 0 is unknown; it is left out of the books"},
    {"AmountBeyondTheLargest",
     [](StreamMap& s) { ChangeTrans(s, 3, '0', [](TTransRec& t) { t.Amount = Money::FromRaw(0x7FFFFFFFFFFFFFFF); }); },
     "(no. 3): the amount is beyond the largest a document may hold (10,000,000.00); it is left out of the books"},
    {"NegativeTax", [](StreamMap& s) { ChangeTrans(s, 2, '0', [](TTransRec& t) { t.Gst = Money::FromUnits(-10); }); },
     "(no. 2): the tax is negative; it is left out of the books"},
    {"TaxLargerThanTheAmount",
     [](StreamMap& s) { ChangeTrans(s, 2, '0', [](TTransRec& t) { t.Gst = Money::FromUnits(111); }); },
     "(no. 2): the tax is larger than the amount; it is left out of the books"},
    {"NumberZero", [](StreamMap& s) { ChangeTrans(s, 2, '0', [](TTransRec& t) { t.Number = 0; }); },
     "(no. 0): number 0 belongs to an opening balance"},
    {"NameLongerThanItsField", [](StreamMap& s) { s["Books"][4] = static_cast<char>(255); },
     "Books record at byte 0 (no. 0): a text is longer than its field"},

    {"SplitGap", [](StreamMap& s) { ChangeTrans(s, 6, 'B', [](TTransRec& t) { t.Split = 'C'; }); },
     "transaction 6: split letters AC do not run A, B, C... without a gap"},
    {"LoneSplitPart",
     [](StreamMap& s) {
         TTransRec part = Trans(7, 5, TransCredit, 5, 100, 1);
         part.Split = 'A';
         Append(s, part);
     },
     "transaction 7: a split with the single part A"},
    {"DuplicateNumber", [](StreamMap& s) { Append(s, Trans(2, 5, TransCredit, 5, 100, 1)); },
     "transaction 2: an unsplit transaction shares its number with other records"},
    {"TransferAmounts",
     [](StreamMap& s) { ChangeTrans(s, 5, '0', [](TTransRec& t) { t.Amount = Money::FromUnits(60); }); },
     "(no. 4): its transfer-in carries another amount"},
    {"TransferDates", [](StreamMap& s) { ChangeTrans(s, 5, '0', [](TTransRec& t) { t.Date += 1; }); },
     "(no. 4): its transfer-in has another date"},
    {"TransferAccounts", [](StreamMap& s) { ChangeTrans(s, 5, '0', [](TTransRec& t) { t.Group = 1; }); },
     "(no. 4): its transfer-in names other accounts"},
    {"TransferWithoutIn",
     [](StreamMap& s) {
         ChangeTrans(s, 5, '0', [](TTransRec& t) {
             t.Kind = TransCredit;
             t.MainAct = 100;
             t.SubAct = 1;
             t.Group = 0;
         });
     },
     "(no. 4): its transfer-in, 5, does not exist"},
    {"TransferPartnerNumber", [](StreamMap& s) { ChangeTrans(s, 4, '0', [](TTransRec& t) { t.MainAct = 8; }); },
     "(no. 4): names transaction 8 as its other half, not 5"},
    {"NegativeAmount", [](StreamMap& s) { ChangeTrans(s, 3, '0', [](TTransRec& t) { t.Amount = -t.Amount; }); },
     "(no. 3): the amount is negative"},
    {"DateNotADay", [](StreamMap& s) { ChangeTrans(s, 3, '0', [](TTransRec& t) { t.Date = 1e300; }); },
     "(no. 3): the date is not a valid day; it is left out of the books"},
    {"CountsTooLow",
     [](StreamMap& s) {
         TCounts counts = CountsOf(s);
         counts[StreamGroups] = 0;
         s["KQ22FileInfo"] = CountsImage(counts);
     },
     "the counts block gives 0 live Groups records; the stream holds 1"},
    {"TrailingBytes", [](StreamMap& s) { s["SubActs"] += "xyz"; },
     "the \"SubActs\" stream ends with 3 bytes that make no whole record"},
    {"CategoryTypeMissing",
     [](StreamMap& s) {
         TMainActRec c;
         c.Number = 500, c.Name = "Stray", c.Side = SideDebit, c.CatType = 40;
         s["MainActs"] += Image(c);
         s["KQ22FileInfo"] = CountsImage(CountsOf(s));
     },
     "MainActs record at byte 260 (no. 500): category type 40 does not exist"},
    {"OpeningOfAnotherAccount",
     [](StreamMap& s) {
         TBookRec b;
         b.Number = 2, b.Name = "Card", b.OpeningTransNo = 1;
         s["Books"] += Image(b);
         s["KQ22FileInfo"] = CountsImage(CountsOf(s));
     },
     "Books record at byte 348 (no. 2): its opening balance, transaction 1, belongs to account 1"},
    {"TaxCategoryMissing",
     [](StreamMap& s) {
         TFileSettings settings;
         DecodeSettings(reinterpret_cast<const std::uint8_t*>(s["FileSettings"].data()), settings);
         settings.GstRefundCat = 450;
         s["FileSettings"] = SettingsImage(settings);
     },
     "the settings name category 450 for tax refunds; it does not exist"},
    {"ExtraCountsStream", [](StreamMap& s) { s["KQ21FileInfo"] = s["KQ22FileInfo"]; },
     "more than one counts stream: \"KQ22FileInfo\" and \"KQ21FileInfo\""},
};

class CheckFault : public ::testing::TestWithParam<Fault> {};

TEST_P(CheckFault, IsFoundAndNamed) {
    TempFolder folder;
    const std::string path = folder.File("Shop.kqk");
    StreamMap streams = SmallDocument();
    GetParam().Apply(streams);
    WriteStreams(path, streams);
    const std::string before = FileBytes(path);

    const RunResult run = Cli({"check", path});

    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Out.find(GetParam().Says + std::string("\n")), std::string::npos) << run.Out;
    std::istringstream lines(run.Out);
    for (std::string line; std::getline(lines, line);)
        EXPECT_EQ(line.rfind(path + ": ", 0), 0u) << line;
    ASSERT_EQ(run.ErrLines().size(), 1u) << run.Err;
    EXPECT_NE(run.Err.find("problem"), std::string::npos);
    EXPECT_EQ(FileBytes(path), before);
}

INSTANTIATE_TEST_SUITE_P(Faults, CheckFault, ::testing::ValuesIn(Faults),
                         [](const ::testing::TestParamInfo<Fault>& info) { return std::string(info.param.Name); });

// A link no reader follows is still named: a stream's directory entry with a child (here the
// root itself).
TEST(Check, NamesAStreamEntryWithAChild) {
    TempFolder folder;
    const std::string path = folder.File("Shop.kqk");
    WriteStreams(path, SmallDocument());
    std::string bytes = FileBytes(path);
    const std::string name("C\0o\0m\0m\0e\0n\0t\0s\0", 16); // UTF-16
    const std::size_t entry = bytes.find(name);
    ASSERT_NE(entry, std::string::npos);
    ASSERT_EQ(entry % 128, 0u);
    bytes.replace(entry + 76, 4, std::string(4, '\0')); // child: entry 0, the root
    WriteBytes(path, bytes);
    const RunResult run = Cli({"check", path});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Out.find("the container: the directory entry of stream \"Comments\" names entry 0 as its child"),
              std::string::npos)
        << run.Out;
    EXPECT_EQ(Cli({"info", path}).Status, 0) << "readers are not hindered";
}

// A standard output that cannot be written is a failure, not a silent success.
TEST(InfoAndCheck, FailWhenTheirOutputCannotBeWritten) {
    TempFolder folder;
    const std::string path = folder.File("Shop.kqk");
    WriteStreams(path, SmallDocument());
    for (const char* command : {"info", "check"}) {
        SCOPED_TRACE(command);
        const RunResult run =
            Program({"sh", "-c", std::string("\"$0\" ") + command + " \"$1\" > /dev/full", ZUDEDUZE_CLI, path});
        EXPECT_EQ(run.Status, 1);
        EXPECT_NE(run.Err.find("the standard output cannot be written"), std::string::npos) << run.Err;
    }
}

// Readers share a document: two at once are fine. While a writer (the window) holds it, a
// check says the file is in use, not that it is damaged.
TEST(InfoAndCheck, ReadersShareAFileAWriterHolds) {
    TempFolder folder;
    const std::string path = folder.File("Shop.kqk");
    WriteStreams(path, SmallDocument());
    {
        std::unique_ptr<cfb::TCompoundFile> reader;
        ASSERT_EQ(cfb::TCompoundFile::Open(path, cfb::StgAccess::ReadOnly, reader), cfb::S_OK);
        EXPECT_EQ(Cli({"info", path}).Status, 0);
        EXPECT_EQ(Cli({"check", path}).Status, 0);
    }
    std::unique_ptr<cfb::TCompoundFile> writer;
    ASSERT_EQ(cfb::TCompoundFile::Open(path, cfb::StgAccess::ReadWrite, writer), cfb::S_OK);
    for (const char* command : {"info", "check"}) {
        SCOPED_TRACE(command);
        const RunResult run = Cli({command, path});
        EXPECT_EQ(run.Status, 1);
        ASSERT_EQ(run.ErrLines().size(), 1u) << run.Err;
        EXPECT_NE(run.Err.find("the file is in use by another program"), std::string::npos) << run.Err;
        EXPECT_EQ(run.Err.find("problem"), std::string::npos) << run.Err;
    }
}

// A record that cannot be taken into the books hides nothing else: the other rows and totals
// are those of the document without it, each command says what it left out, and check lists it.
TEST(InfoAndCheck, ADamagedRecordIsToldAndHidesNothingElse) {
    TempFolder folder;
    const std::string clean = folder.File("Clean.kqk"), damaged = folder.File("Damaged.kqk");
    WriteStreams(clean, SmallDocument());
    StreamMap streams = SmallDocument();
    TTransRec nan = Trans(7, 6, TransCredit, 5, 100, 1);
    nan.Date = std::numeric_limits<double>::quiet_NaN();
    TTransRec huge = Trans(8, 6, TransDebit, 1, 200, 1);
    huge.Amount = Money::FromRaw(0x7FFFFFFFFFFFF000);
    TTransRec unknown = Trans(9, 6, TransCredit, 5, 100, 1);
    unknown.Kind = 0;
    streams["Transactions"] += Image(nan) + Image(huge) + Image(unknown);
    streams["KQ22FileInfo"] = CountsImage(CountsOf(streams));
    TFileSettings settings;
    DecodeSettings(reinterpret_cast<const std::uint8_t*>(streams["FileSettings"].data()), settings);
    ASSERT_TRUE(settings.GstOpeningBalance.IsZero());
    settings.GstOpeningBalance = Money::FromRaw(0x7FFFFFFFFFFFFFFF); // taken as 0
    streams["FileSettings"] = SettingsImage(settings);
    WriteStreams(damaged, streams);

    for (int tab = 0; tab < 5; ++tab) {
        SCOPED_TRACE(tab);
        const RunResult good = Cli({"worksheet", clean, "--tab", std::to_string(tab), "--format", "json"});
        const RunResult run = Cli({"worksheet", damaged, "--tab", std::to_string(tab), "--format", "json"});
        ASSERT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Out, good.Out);
        EXPECT_EQ(run.ErrLines().size(), 4u) << run.Err;
    }
    for (const char* format : {"csv", "qif", "ledger"}) {
        SCOPED_TRACE(format);
        const RunResult good = Cli({"export", clean, "--format", format, "-o", "-"});
        const RunResult run = Cli({"export", damaged, "--format", format, "-o", "-"});
        ASSERT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Out, good.Out) << "left out the same way everywhere";
    }
    const RunResult info = Cli({"info", damaged});
    ASSERT_EQ(info.Status, 0);
    EXPECT_EQ(InfoBalances(info.Out), InfoBalances(Cli({"info", clean}).Out));
    EXPECT_NE(info.Out.find("Dates        2026-03-01 to 2026-03-05\n"), std::string::npos) << info.Out;
    for (const char* says : {"transaction 7 (the date is not a valid day) is damaged and left out",
                             "transaction 8 (the amount is beyond the largest a document may hold (10,000,000.00)) "
                             "is damaged and left out",
                             "transaction 9 (kind 0 is unknown) is damaged and left out"})
        EXPECT_NE(info.Err.find(says), std::string::npos) << info.Err;
    const RunResult check = Cli({"check", damaged});
    EXPECT_EQ(check.Status, 1);
    EXPECT_NE(check.Out.find("(no. 7): the date is not a valid day; it is left out of the books"), std::string::npos);
    EXPECT_NE(check.Out.find("the tax opening balance is beyond the largest a document may hold"), std::string::npos);
}

// A storage below the root is walked and its streams read too.
TEST(Check, ReadsStreamsInNestedStorages) {
    TempFolder folder;
    const std::string path = folder.File("Shop.kqk");
    WriteStreams(path, SmallDocument());
    {
        std::unique_ptr<cfb::TCompoundFile> file;
        ASSERT_EQ(cfb::TCompoundFile::Open(path, cfb::StgAccess::ReadWrite, file), cfb::S_OK);
        cfb::TStorage root = file->Root(), inner;
        cfb::TStream stream;
        ASSERT_EQ(root.CreateStorage("Attachments", inner), cfb::S_OK);
        ASSERT_EQ(inner.CreateStream("Receipt", stream), cfb::S_OK);
        ASSERT_EQ(stream.WriteAt(0, "scan", 4), cfb::S_OK);
        ASSERT_EQ(file->Commit(), cfb::S_OK);
    }
    const RunResult run = Cli({"check", path});
    EXPECT_EQ(run.Status, 0) << run.Out;
    EXPECT_NE(run.Out.find("10 streams read"), std::string::npos) << run.Out;
}

} // namespace
} // namespace qz::clitest

// import: a statement into an account of the small shop. What it adds is read back from the
// file; a second run adds nothing; a dry run, a refused option and a statement that cannot be
// read leave the file's bytes as they were.

#include "CliSupport.h"

#include "filters/DocumentReader.h"

#include <regex>

namespace qz::clitest {
namespace {

namespace fs = std::filesystem;

// The shop's Cheque account (0) opens on 1 March 2026 and holds sale 2: 110.00 on 2 March,
// reference INV-1.
const char* const Csv = "Date,Description,Amount,Reference\n"
                        "2026-03-03,Counter takings,110.00,INV-1\n"
                        "2026-03-10,Walk-in customer,55.00,\n"
                        "2026-03-11,Harbour Rentals,-500.00,000123\n"
                        "2026-02-31,Broken date,-1.00,\n";

class ImportCommand : public ::testing::Test {
protected:
    void SetUp() override {
        Path = Folder.File("Shop.kqk");
        WriteStreams(Path, SmallDocument());
        Statement = Folder.File("march.csv");
        WriteBytes(Statement, Csv);
    }
    RunResult Import(std::vector<std::string> more, const std::string& statement = {}) {
        std::vector<std::string> args = {"import", Path, statement.empty() ? Statement : statement, "--account", "0"};
        args.insert(args.end(), more.begin(), more.end());
        return Cli(args);
    }
    // Number, date, kind, category, amount, reference and notes of the transactions after sale 6.
    std::string Added() const {
        TDocumentReader reader;
        TLedger ledger;
        std::string error;
        EXPECT_TRUE(reader.Open(Path, error) && reader.Load(ledger, error)) << error;
        std::ostringstream out;
        for (const TTransRec* t : ledger.TransList.KeyList)
            if (t->Number > 6)
                out << t->Number << ' ' << IsoDateText(t->Date) << " kind " << int(t->Kind) << ' ' << t->MainAct << '-'
                    << t->SubAct << " book " << t->Book << " amount " << t->Amount << " gst " << t->Gst << " ref "
                    << t->Reference.View() << " notes " << t->Notes << '\n';
        return out.str();
    }

    TempFolder Folder;
    std::string Path;
    std::string Statement;
};

TEST_F(ImportCommand, AddsTheNewLinesOnceAndSaysWhatItSkipped) {
    const RunResult run = Import({"--credit-category", "100-1", "--debit-category", "200-1"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "duplicate: line 2 2026-03-03 110.00 Counter takings (INV-1) is transaction 2\n"
                       "added: line 3 2026-03-10 55.00 Walk-in customer in 100-1 group 0 as transaction 7\n"
                       "added: line 4 2026-03-11 -500.00 Harbour Rentals (000123) in 200-1 group 0 as transaction 8\n"
                       "bad: line 5: the date \"2026-02-31\" is not a valid date\n"
                       "2 added, 1 duplicates, 1 bad, 0 without a category\n");
    EXPECT_EQ(Added(),
              "7 2026-03-10 kind 1 100-1 book 0 amount 55.0000 gst 5.0000 ref  notes Walk-in customer\n"
              "8 2026-03-11 kind 2 200-1 book 0 amount 500.0000 gst 0.0000 ref 000123 notes Harbour Rentals\n");
    EXPECT_EQ(InfoBalances(Cli({"info", Path}).Out).at("Cheque"), "$665.00");

    const std::string once = FileBytes(Path);
    const RunResult again = Import({"--credit-category", "100-1", "--debit-category", "200-1"});
    ASSERT_EQ(again.Status, 0) << again.Err;
    EXPECT_NE(again.Out.find("0 added, 3 duplicates, 1 bad"), std::string::npos) << again.Out;
    EXPECT_EQ(FileBytes(Path), once);
}

TEST_F(ImportCommand, LinesWithoutACategoryAreListedAndLeftOut) {
    // Neither the walk-in line nor the rent line has a history to suggest a category.
    const RunResult run = Import({"--debit-category", "200-1"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("no category: line 3 2026-03-10 55.00 Walk-in customer\n"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("1 added, 1 duplicates, 1 bad, 1 without a category\n"), std::string::npos) << run.Out;
    EXPECT_EQ(Added(),
              "7 2026-03-11 kind 2 200-1 book 0 amount 500.0000 gst 0.0000 ref 000123 notes Harbour Rentals\n");
    // The next statement's walk-in line takes the category the first one was given.
    WriteBytes(Statement, "Date,Description,Amount\n2026-03-20,WALK-IN CUSTOMER,12.00\n");
    ASSERT_EQ(Import({"--credit-category", "100-1"}).Status, 0);
    WriteBytes(Folder.File("april.csv"), "Date,Description,Amount\n2026-04-02,Walk-in customer,9.00\n");
    const RunResult json = Import({"--format", "json", "--dry-run"}, Folder.File("april.csv"));
    ASSERT_EQ(json.Status, 0) << json.Err;
    EXPECT_EQ(json.Out, "{\"account\": 0, \"dry_run\": true, \"lines\": [\n"
                        "  {\"line\": 2, \"status\": \"to add\", \"date\": \"2026-04-02\", \"amount\": \"9.00\", "
                        "\"reference\": \"\", \"payee\": \"Walk-in customer\", \"memo\": \"\", \"category\": 100, "
                        "\"sub_category\": 1, \"group\": 0}\n]}\n");
}

TEST_F(ImportCommand, AnotherAccountAsTheOtherSideIsATransferWhenAskedFor) {
    WriteBytes(Folder.File("cheque.qif"), "!Type:Bank\nD03/12/2026\nT-80.00\nNT-7\nPFloat for the till\nL[Cash]\n^\n");
    const RunResult plain = Import({"--dry-run"}, Folder.File("cheque.qif"));
    ASSERT_EQ(plain.Status, 0) << plain.Err;
    EXPECT_EQ(plain.Out, "no category: line 2 2026-03-12 -80.00 Float for the till (T-7)\n"
                         "0 to add, 0 duplicates, 0 bad, 1 without a category\n");
    const RunResult run = Import({"--transfers"}, Folder.File("cheque.qif"));
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "added: line 2 2026-03-12 -80.00 Float for the till (T-7) as a transfer with account 1 "
                       "(transactions 7 and 8)\n"
                       "1 added, 0 duplicates, 0 bad, 0 without a category\n");
    EXPECT_EQ(Added(), "7 2026-03-12 kind 5 8-0 book 0 amount 80.0000 gst 0.0000 ref T-7 notes Float for the till\n"
                       "8 2026-03-12 kind 4 7-0 book 1 amount 80.0000 gst 0.0000 ref T-7 notes \n");
    // Each half names the other (8 and 7). The cash account's statement of the same money is the
    // half already there.
    WriteBytes(Folder.File("cash.qif"), "!Type:Cash\nD03/13/2026\nT80.00\nL[Cheque]\n^\n");
    const RunResult cash = Cli({"import", Path, Folder.File("cash.qif"), "--account", "1", "--transfers"});
    ASSERT_EQ(cash.Status, 0) << cash.Err;
    EXPECT_EQ(cash.Out, "duplicate: line 2 2026-03-13 80.00  is transaction 8\n"
                        "0 added, 1 duplicates, 0 bad, 0 without a category\n");
}

TEST_F(ImportCommand, ADryRunWritesNothing) {
    const std::string before = FileBytes(Path);
    const RunResult run = Import({"--credit-category", "100-1", "--debit-category", "200-1", "--dry-run"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(run.Out.find("would add: line 3 2026-03-10 55.00 Walk-in customer in 100-1 group 0\n"), std::string::npos)
        << run.Out;
    EXPECT_NE(run.Out.find("2 to add, 1 duplicates, 1 bad, 0 without a category\n"), std::string::npos);
    EXPECT_EQ(FileBytes(Path), before);
}

TEST_F(ImportCommand, StatementsOfEachFormatAndTheirOptions) {
    const fs::path data = fs::path(ZUDEDUZE_TEST_DATA) / "import";
    // The bank's January statement (dates and ids) moved into March, when the shop's accounts are open.
    std::string ofx = FileBytes((data / "ofx1-bank-sgml.ofx").string());
    ofx = std::regex_replace(ofx, std::regex("202601"), "202603");
    WriteBytes(Folder.File("bank.ofx"), ofx);
    std::string tab = FileBytes((data / "csv-tab-noheader-dmy.tsv").string());
    tab = std::regex_replace(tab, std::regex("/01/2026"), "/03/2026");
    WriteBytes(Folder.File("bank.txt"), tab);
    WriteBytes(Folder.File("semi.csv"), "05/03/2026;Cafe;-4,50\n06/03/2026;Shop;-1.234,00\n");
    struct Case {
        const char* File;
        std::vector<std::string> Options;
        const char* Summary;
    } cases[] = {
        {"bank.ofx", {}, "3 to add, 0 duplicates, 0 bad"},
        {"bank.ofx", {"--type", "ofx"}, "3 to add, 0 duplicates, 0 bad"},
        {"bank.txt", {"--csv-columns", "date=1,amount=2,payee=3,memo=4", "--separator", "tab"}, "3 to add"},
        {"semi.csv",
         {"--csv-columns", "date=1,payee=2,amount=3", "--separator", ";", "--decimal", ",", "--date-order", "dmy"},
         "2 to add"},
        // Read month first, 6 March becomes 3 June.
        {"semi.csv", {"--csv-columns", "date=1,payee=2,amount=3", "--date-order", "mdy"}, "2 to add"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> options = c.Options;
        for (const char* more : {"--credit-category", "100-1", "--debit-category", "200-1", "--dry-run"})
            options.push_back(more);
        const RunResult run = Import(options, Folder.File(c.File));
        EXPECT_EQ(run.Status, 0) << c.File << ' ' << run.Err;
        EXPECT_NE(run.Out.find(c.Summary), std::string::npos) << c.File << '\n' << run.Out;
    }
    const RunResult ofxRun =
        Import({"--debit-category", "200-1", "--credit-category", "100-1"}, Folder.File("bank.ofx"));
    EXPECT_NE(ofxRun.Out.find("added: line 39 2026-03-05 -45.50 Caf\xC3\xA9 Lumi\xC3\xA8re - Card 4411 (2026030501)"),
              std::string::npos)
        << ofxRun.Out;
    const RunResult mdy = Import(
        {"--csv-columns", "date=1,payee=2,amount=3", "--date-order", "mdy", "--debit-category", "200-1", "--dry-run"},
        Folder.File("semi.csv"));
    EXPECT_NE(mdy.Out.find("line 2 2026-06-03 -1234.00 Shop"), std::string::npos) << mdy.Out;
}

TEST_F(ImportCommand, RefusalsLeaveTheFileAsItWas) {
    const fs::path data = fs::path(ZUDEDUZE_TEST_DATA) / "import";
    const std::string before = FileBytes(Path);
    struct Case {
        std::vector<std::string> Options;
        std::string Statement;
        const char* Error;
    } cases[] = {
        {{}, (data / "broken-ofx-truncated.ofx").string(), "line 59: the file ends before </OFX>: it is cut short"},
        {{}, (data / "broken-binary.csv").string(), "the file holds binary data"},
        {{}, (data / "broken-qif-no-type.qif").string(), "line 1: a QIF file starts with a type line"},
        {{"--type", "qif"}, "", "a QIF file starts with a type line"},
        {{"--credit-category", "200-1"}, "", "--credit-category: 200-1 is a debit category"},
        {{"--debit-category", "200-9"}, "", "--debit-category: there is no sub category 200-9"},
        {{"--debit-category", "x"}, "", "--debit-category takes a category and sub category number"},
        {{"--csv-columns", "date=1"}, "", "--csv-columns: the columns must name the date"},
        {{"--csv-columns", "date=1,amount=9"}, "", "line 1: the rows have 4 fields, fewer than the columns given"},
        {{"--separator", "ab"}, "", "--separator takes one character"},
        {{"--decimal", ";"}, "", "--decimal"},
        {{"--date-order", "dym"}, "", "--date-order"},
        {{"--format", "xml"}, "", "--format"},
    };
    for (const Case& c : cases) {
        const RunResult run = Import(c.Options, c.Statement);
        EXPECT_EQ(run.Status, 1) << c.Error;
        EXPECT_NE(run.Err.find(c.Error), std::string::npos) << run.Err;
        EXPECT_EQ(run.Out, "");
    }
    const RunResult noAccount = Cli({"import", Path, Statement, "--account", "7"});
    EXPECT_EQ(noAccount.Status, 1);
    EXPECT_NE(noAccount.Err.find("there is no account 7"), std::string::npos) << noAccount.Err;
    EXPECT_EQ(FileBytes(Path), before);
}

} // namespace
} // namespace qz::clitest

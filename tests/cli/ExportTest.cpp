// export: CSV, QIF and the ledger/hledger journal carry every record and the same totals.

#include "CliSupport.h"

#include <regex>
#include <sstream>

namespace qz::clitest {
namespace {

// "$1,234.50", "-$1,234.50" or "$-1234.50" as cents.
long long Cents(std::string text) {
    std::string digits;
    bool negative = false;
    for (char c : text) {
        if (c == '-')
            negative = true;
        else if ((c >= '0' && c <= '9') || c == '.')
            digits += c;
    }
    const auto point = digits.find('.');
    const std::string whole = digits.substr(0, point);
    const std::string fraction = point == std::string::npos ? "00" : (digits.substr(point + 1) + "00").substr(0, 2);
    const long long cents = std::stoll(whole.empty() ? "0" : whole) * 100 + std::stoll(fraction);
    return negative ? -cents : cents;
}

std::map<std::string, long long> InfoCents(const std::string& path) {
    std::map<std::string, long long> balances;
    for (const auto& [name, text] : InfoBalances(Cli({"info", path}).Out))
        balances[name] = Cents(text);
    return balances;
}

// The fields of one CSV line (RFC 4180), without its line break.
std::vector<std::string> CsvFields(std::istream& in, bool& more) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (char c; in.get(c);) {
        if (quoted) {
            if (c == '"' && in.peek() == '"')
                fields.back() += static_cast<char>(in.get());
            else if (c == '"')
                quoted = false;
            else
                fields.back() += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else if (c == '\r' && in.peek() == '\n') {
            in.get();
            more = true;
            return fields;
        } else {
            fields.back() += c;
        }
    }
    more = false;
    return fields;
}

class Export : public ::testing::Test {
protected:
    Export() { WriteStreams(Path, SmallDocument()); }
    std::string Run(const char* format) {
        const RunResult run = Cli({"export", Path, "--format", format, "-o", "-"});
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Err, "");
        return run.Out;
    }
    TempFolder Folder;
    std::string Path = Folder.File("Shop.kqk");
};

TEST_F(Export, CsvHasALinePerRecordQuotedAndTotallingTheBalances) {
    std::istringstream in(Run("csv"));
    bool more = true;
    const std::vector<std::string> header = CsvFields(in, more);
    EXPECT_EQ(header,
              (std::vector<std::string>{"Number", "Split", "Date", "Kind", "Account", "Reference", "Category",
                                        "Category Name", "Sub Category", "Sub Category Name", "Group", "Group Name",
                                        "Other Account", "Credit", "Debit", "Tax", "Reconciled", "Notes"}));
    std::vector<std::vector<std::string>> rows;
    while (more)
        if (auto fields = CsvFields(in, more); fields.size() > 1)
            rows.push_back(fields);
    ASSERT_EQ(rows.size(), 8u);
    std::map<std::string, long long> totals;
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), header.size());
        totals[row[4]] += (row[13].empty() ? 0 : Cents(row[13])) - (row[14].empty() ? 0 : Cents(row[14]));
    }
    EXPECT_EQ(totals, InfoCents(Path));
    // The sale's notes hold a comma and quotes; the split's parts have lines of their own.
    const auto sale = std::find_if(rows.begin(), rows.end(), [](const auto& r) { return r[0] == "2"; });
    ASSERT_NE(sale, rows.end());
    EXPECT_EQ((*sale)[17], "first sale, \"cash\"");
    EXPECT_EQ((*sale)[15], "10.00");
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const auto& r) { return r[0] == "6"; }), 2);
    const auto rent = std::find_if(rows.begin(), rows.end(), [](const auto& r) { return r[0] == "3"; });
    EXPECT_EQ((*rent)[16], "no");
}

TEST_F(Export, QifKeepsEachAccountsTotalAndTransfersInBoth) {
    const std::string qif = Run("qif");
    std::map<std::string, long long> totals;
    std::string account;
    std::istringstream in(qif);
    for (std::string line; std::getline(in, line);) {
        if (line == "!Account" && std::getline(in, line))
            account = line.substr(1);
        else if (line[0] == 'T' && line != "TBank")
            totals[account] += Cents(line.substr(1));
    }
    EXPECT_EQ(totals, InfoCents(Path));
    EXPECT_NE(
        qif.find(
            "!Account\nNCheque\nTBank\n^\n!Type:Bank\nD03/01/2026\nT1000.00\nCX\nPOpening Balance\nL[Cheque]\n^\n"),
        std::string::npos)
        << qif;
    EXPECT_NE(qif.find("T-50.00\nCX\nMfloat for the till\nL[Cash]\n^\n"), std::string::npos);
    EXPECT_NE(qif.find("T50.00\nCX\nL[Cheque]\n^\n"), std::string::npos);
    EXPECT_NE(qif.find("T50.00\nCX\nLSales:Counter\nSSales:Counter\n$30.00\nSSales:Counter\n$20.00\n^\n"),
              std::string::npos);
    EXPECT_NE(qif.find("D03/03/2026\nT-500.00\nC\nLRent:Office\n^\n"), std::string::npos);
}

TEST_F(Export, JournalWritesATransferAsOneTransactionAndSplitsOutTheTax) {
    const std::string journal = Run("ledger");
    EXPECT_NE(journal.find("\n2026-03-04 * float for the till\n"
                           "    Assets:Cash                                   $50.00\n"
                           "    Assets:Cheque                                 -$50.00\n"),
              std::string::npos)
        << journal;
    EXPECT_NE(journal.find("\n2026-03-02 * (INV-1) first sale, \"cash\"\n"
                           "    Assets:Cheque                                 $110.00\n"
                           "    Income:Sales:Counter                          -$100.00\n"
                           "    Liabilities:GST                               -$10.00\n"),
              std::string::npos);
    EXPECT_NE(journal.find("\n2026-03-03 ! Rent\n"), std::string::npos) << "unreconciled: pending";
    EXPECT_EQ(journal.find("Transfer without"), std::string::npos);
}

TEST_F(Export, RefusesBooksWhoseRecordsNameMissingCategories) {
    StreamMap streams = SmallDocument();
    TTransRec stray = Trans(7, 6, TransCredit, 5, 900, 1);
    streams["Transactions"] += Image(stray);
    streams["KQ22FileInfo"] = CountsImage(CountsOf(streams));
    WriteStreams(Path, streams);
    const std::string out = Folder.File("out.csv");
    const RunResult run = Cli({"export", Path, "--format", "csv", "-o", out});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.ErrLines().size(), 1u);
    EXPECT_NE(run.Err.find("names a category"), std::string::npos) << run.Err;
    EXPECT_FALSE(std::filesystem::exists(out));
}

// A worksheet tab goes out as the worksheet shows it: the file holds what "worksheet" prints.
TEST_F(Export, ATabIsTheWorksheetsCsv) {
    for (const char* tab : {"0", "1", "4"}) {
        const std::string file = Folder.File(std::string("tab") + tab + ".csv");
        const RunResult run = Cli({"export", Path, "--tab", tab, "--format", "csv", "-o", file});
        ASSERT_EQ(run.Status, 0) << run.Err;
        const RunResult shown = Cli({"worksheet", Path, "--tab", tab, "--format", "csv"});
        ASSERT_EQ(shown.Status, 0) << shown.Err;
        EXPECT_EQ(FileBytes(file), shown.Out) << tab;
        EXPECT_NE(shown.Out.find('\n'), std::string::npos);
    }
    EXPECT_NE(Run("csv"), Cli({"export", Path, "--tab", "0", "--format", "csv", "-o", "-"}).Out);
    for (const std::vector<std::string>& refused : {std::vector<std::string>{"--tab", "0", "--format", "qif"},
                                                    {"--tab", "5", "--format", "csv"},
                                                    {"--regional", "fixed", "--format", "csv"}}) {
        std::vector<std::string> args = {"export", Path, "-o", "-"};
        args.insert(args.end(), refused.begin(), refused.end());
        const RunResult run = Cli(args);
        EXPECT_EQ(run.Status, 1) << refused[0] << ' ' << refused[1];
        EXPECT_EQ(run.Out, "");
    }
}

TEST_F(Export, FailsClearlyWhenTheOutputCannotBeWritten) {
    const RunResult run = Cli({"export", Path, "--format", "csv", "-o", Folder.File("no/such/folder/out.csv")});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.ErrLines().size(), 1u);
    EXPECT_NE(run.Err.find("cannot be written"), std::string::npos);
}

// An output that is the document, however it is named, or its journal or its backup, is
// refused before anything is written: the books are never overwritten by their export.
TEST_F(Export, NeverWritesOverTheDocumentItsJournalOrItsBackup) {
    WriteStreams(Path, SmallDocument());
    WriteBytes(Folder.File("Shop.~bk"), "the backup");
    std::filesystem::create_symlink(Path, Folder.File("link.kqk"));
    const std::string before = FileBytes(Path);
    const std::string cwd = std::filesystem::current_path().string();
    std::filesystem::current_path(Folder.Path);
    const struct {
        std::string Output;
        const char* Says;
    } outputs[] = {
        {Path, "the document itself"},
        {"./Shop.kqk", "the document itself"},
        {Folder.File("sub/../Shop.kqk"), "the document itself"},
        {Folder.File("link.kqk"), "the document itself"},
        {Path + "-journal", "the document's journal"},
        {Folder.File("Shop.~bk"), "the document's backup"},
    };
    std::filesystem::create_directory(Folder.File("sub"));
    for (const auto& [output, says] : outputs)
        for (const char* format : {"csv", "ledger"}) {
            SCOPED_TRACE(output + " " + format);
            const RunResult run = Cli({"export", Path, "--format", format, "-o", output});
            EXPECT_EQ(run.Status, 1);
            EXPECT_NE(run.Err.find(says), std::string::npos) << run.Err;
            EXPECT_EQ(FileBytes(Path), before);
            // Through the link as well.
            EXPECT_EQ(Cli({"export", Folder.File("link.kqk"), "--format", format, "-o", output}).Status, 1);
            EXPECT_EQ(FileBytes(Path), before);
        }
    EXPECT_EQ(FileBytes(Folder.File("Shop.~bk")), "the backup");
    EXPECT_FALSE(std::filesystem::exists(Path + "-journal"));
    std::filesystem::current_path(cwd);
}

// Control characters in a record's texts never reach a line-based export: each becomes a blank.
TEST_F(Export, ControlCharactersInTextsDoNotBreakLines) {
    StreamMap streams = SmallDocument();
    TTransRec odd = Trans(7, 6, TransCredit, 5, 100, 1);
    odd.Reference = std::string("R\x1B[2J", 6);
    odd.Notes = std::string("first\nsecond\0third", 18);
    streams["Transactions"] += Image(odd);
    streams["KQ22FileInfo"] = CountsImage(CountsOf(streams));
    WriteStreams(Path, streams);
    for (const char* format : {"qif", "ledger", "csv"}) {
        SCOPED_TRACE(format);
        const RunResult run = Cli({"export", Path, "--format", format, "-o", "-"});
        ASSERT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Out.find('\x1B'), std::string::npos);
        EXPECT_EQ(run.Out.find('\0'), std::string::npos);
        // A line break may stay inside a quoted CSV field; nowhere else.
        const bool csv = std::string_view(format) == "csv";
        EXPECT_NE(run.Out.find(csv ? "second third" : "first second third"), std::string::npos) << run.Out;
    }
    const RunResult text = Cli({"worksheet", Path, "--format", "text"});
    ASSERT_EQ(text.Status, 0) << text.Err;
    EXPECT_EQ(text.Out.find('\x1B'), std::string::npos);
    EXPECT_NE(text.Out.find("first second third"), std::string::npos) << text.Out;
}

// The asset accounts of `balance` as ledger or hledger report them, in cents.
std::map<std::string, long long> ToolBalances(const std::string& output) {
    std::map<std::string, long long> balances;
    static const std::regex line(
        R"re(^\s*"?Assets:([^"]+?)"?(?:,|\s{2,})"?(-?\$-?[\d,.]+)"?\s*$|^\s*(-?\$-?[\d,.]+)\s+Assets:(.+?)\s*$)re");
    std::istringstream in(output);
    for (std::string text; std::getline(in, text);) {
        std::smatch m;
        if (!std::regex_match(text, m, line))
            continue;
        if (m[1].matched)
            balances[m[1]] = Cents(m[2]);
        else
            balances[m[4]] = Cents(m[3]);
    }
    return balances;
}

// The journal of generated books gives, in ledger and hledger, the balances the program shows.
TEST(JournalInOtherTools, BalancesEqualTheProgramsOwn) {
    TempFolder folder;
    const std::string books = folder.File("Books.kqk");
    const std::string journal = folder.File("Books.journal");
    ASSERT_EQ(Cli({"generate", books, "--transactions", "3000", "--accounts", "4", "--seed", "7"}).Status, 0);
    ASSERT_EQ(Cli({"export", books, "--format", "ledger", "-o", journal}).Status, 0);
    const std::map<std::string, long long> expected = InfoCents(books);
    ASSERT_EQ(expected.size(), 4u);

    const struct {
        const char* Tool;
        std::vector<std::string> Args;
    } tools[] = {{"hledger", {"hledger", "-f", journal, "balance", "--flat", "-O", "csv", "Assets"}},
                 {"ledger", {"ledger", "-f", journal, "--flat", "--no-total", "balance", "Assets"}}};
    int ran = 0;
    for (const auto& tool : tools) {
        if (!ProgramInstalled(tool.Tool))
            continue;
        ++ran;
        const RunResult run = Program(tool.Args);
        ASSERT_EQ(run.Status, 0) << tool.Tool << ": " << run.Err;
        EXPECT_EQ(ToolBalances(run.Out), expected) << tool.Tool << ":\n" << run.Out;
    }
    if (!ProgramInstalled("hledger"))
        GTEST_SKIP() << "hledger is not installed";
    EXPECT_GT(ran, 0);
}

} // namespace
} // namespace qz::clitest

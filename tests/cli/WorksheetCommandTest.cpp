// worksheet: the window's views on a document from disk, with its filters given as options.

#include "CliSupport.h"

#include <sstream>

namespace qz::clitest {
namespace {

// The cells of a CSV line (RFC 4180).
std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"')
            cells.back() += line[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            cells.emplace_back();
        else
            cells.back() += c;
    }
    return cells;
}

class Worksheet : public ::testing::Test {
protected:
    Worksheet() { WriteStreams(Path, SmallDocument()); }

    RunResult Sheet(std::vector<std::string> options, const std::map<std::string, std::string>& environment = {}) {
        options.insert(options.begin(), {"worksheet", Path});
        return Cli(options, environment);
    }
    // The CSV lines of a tab: the titles, the rows, the totals last.
    std::vector<std::string> Lines(std::vector<std::string> options) {
        options.insert(options.end(), {"--format", "csv"});
        const RunResult run = Sheet(options);
        EXPECT_EQ(run.Status, 0) << run.Err;
        std::vector<std::string> lines;
        std::istringstream in(run.Out);
        for (std::string line; std::getline(in, line);) {
            EXPECT_EQ(line.back(), '\r');
            line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }
    // The "No." cells of the rows.
    std::vector<std::string> Numbers(const std::vector<std::string>& options) {
        std::vector<std::string> lines = Lines(options), numbers;
        for (std::size_t i = 1; i + 1 < lines.size(); ++i)
            numbers.push_back(lines[i].substr(0, lines[i].find(',')));
        return numbers;
    }

    TempFolder Folder;
    std::string Path = Folder.File("Shop.kqk");
};

TEST_F(Worksheet, TransactionsTabHasItsRowsBalancesAndTotals) {
    const std::vector<std::string> lines = Lines({});
    const std::vector<std::string> expected = {
        "No.,Date,Reference,Cat. No.,Category Name,Sub Category Name,Group Number,Group Name,Credit,Debit,Balance,Memo",
        "0,01/03/2026,,0,Opening Balance,Cheque,G0,,\"$1,000.00\",,,",
        "1,01/03/2026,,0,Opening Balance,Cash,G0,,$250.00,,\"$1,250.00\",",
        "2,02/03/2026,INV-1,100,Sales,Counter,G0,General,$110.00,,\"$1,360.00\",\"first sale, \"\"cash\"\"\"",
        // Unreconciled: no balance, and out of the debit total.
        "3,03/03/2026,,200,Rent,Office,G0,General,,$500.00,,",
        "4,04/03/2026,,5,Transfer To,Cash,G1,,,$50.00,,float for the till",
        "5,04/03/2026,,4,Transfer From,Cheque,G0,,$50.00,,\"$1,360.00\",",
        "6A,05/03/2026,,100,Sales,Counter,G0,General,$30.00,,,",
        "6B,05/03/2026,,100,Sales,Counter,G0,General,$20.00,,\"$1,410.00\",",
        "8,,,,,,,,\"$1,460.00\",$50.00,\"$1,410.00\","};
    EXPECT_EQ(lines, expected);
}

TEST_F(Worksheet, JsonOfTheCategoriesTab) {
    const RunResult run = Sheet({"--tab", "1", "--format", "json"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "{\"tab\": 1, \"caption\": \"Main Categories\", \"columns\": [\"Cat. No.\", \"Category Name\", "
                       "\"Credit\", \"Debit\", \"% of Total\"], \"rows\": [\n"
                       "  [\"100\", \"Sales\", \"$160.00\", \"\", \"100.00%\"]\n"
                       "], \"totals\": [\"\", \"\", \"$160.00\", \"$0.00\", \"\"]}\n");
}

// Each switch of the window changes the categories tab as the window's own would.
struct SwitchCase {
    const char* Name;
    std::vector<std::string> Options;
    std::vector<std::string> Rows;
};

void PrintTo(const SwitchCase& c, std::ostream* out) {
    *out << c.Name;
}

class WorksheetSwitch : public Worksheet, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(WorksheetSwitch, ChangesTheCategoryRows) {
    std::vector<std::string> options = {"--tab", "1"};
    options.insert(options.end(), GetParam().Options.begin(), GetParam().Options.end());
    std::vector<std::string> lines = Lines(options);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end()), GetParam().Rows);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, WorksheetSwitch,
    ::testing::Values(SwitchCase{"IncludeUnreconciled",
                                 {"--include-unreconciled"},
                                 {"100,Sales,$160.00,,100.00%", "200,Rent,,$500.00,100.00%", ",,$160.00,$500.00,"}},
                      // The sale of 110 holds 10 of tax.
                      SwitchCase{"Net", {"--net"}, {"100,Sales,$150.00,,100.00%", ",,$150.00,$0.00,"}},
                      SwitchCase{"ZeroRows",
                                 {"--zero-rows"},
                                 {"100,Sales,$160.00,,100.00%", "200,Rent,,$0.00,0.00%", "300,GST,,$0.00,0.00%",
                                  "400,GST,$0.00,,0.00%", ",,$160.00,$0.00,"}},
                      SwitchCase{
                          "DateRange", {"--from", "2026-03-03"}, {"100,Sales,$50.00,,100.00%", ",,$50.00,$0.00,"}},
                      SwitchCase{"Account",
                                 {"--accounts", "1", "--include-unreconciled"},
                                 {"200,Rent,,$500.00,100.00%", ",,$0.00,$500.00,"}},
                      SwitchCase{"CategorySelection",
                                 {"--categories", "200", "--include-unreconciled"},
                                 {"200,Rent,,$500.00,100.00%", ",,$0.00,$500.00,"}},
                      SwitchCase{"SortByName",
                                 {"--sort", "1", "--descending", "--zero-rows"},
                                 {"100,Sales,$160.00,,100.00%", "200,Rent,,$0.00,0.00%", "400,GST,$0.00,,0.00%",
                                  "300,GST,,$0.00,0.00%", ",,$160.00,$0.00,"}}),
    [](const ::testing::TestParamInfo<SwitchCase>& info) { return std::string(info.param.Name); });

TEST_F(Worksheet, SelectionsDropTransfersAndOpeningBalances) {
    EXPECT_EQ(Numbers({"--categories", "100-1"}), (std::vector<std::string>{"2", "6A", "6B"}));
    EXPECT_EQ(Numbers({"--groups", "0", "--opening-balances-in-selections"}),
              (std::vector<std::string>{"0", "1", "2", "3", "6A", "6B"}));
    EXPECT_EQ(Numbers({"--from", "2026-03-02", "--to", "2026-03-04"}), (std::vector<std::string>{"2", "3", "4", "5"}));
}

TEST_F(Worksheet, SortOtherThanDateAscendingShowsNoBalances) {
    const std::vector<std::string> lines = Lines({"--sort", "9", "--descending"});
    EXPECT_EQ(Numbers({"--sort", "9", "--descending"}),
              (std::vector<std::string>{"3", "2", "5", "4", "6A", "6B", "1", "0"}));
    for (std::size_t i = 1; i + 1 < lines.size(); ++i)
        EXPECT_EQ(lines[i].find(",$1,"), std::string::npos) << lines[i];
    EXPECT_EQ(lines.back(), "8,,,,,,,,\"$1,460.00\",$50.00,\"$1,410.00\",");
}

// The closing balance of one account, unreconciled included, is the balance info gives it.
TEST_F(Worksheet, ClosingBalanceOfEachAccountIsItsBalance) {
    const std::map<std::string, std::string> balances = InfoBalances(Cli({"info", Path}).Out);
    const std::pair<const char*, const char*> accounts[] = {{"0", "Cheque"}, {"1", "Cash"}};
    for (const auto& [number, name] : accounts) {
        const std::string totals =
            Lines({"--accounts", number, "--include-unreconciled", "--balance-every-row"}).back();
        EXPECT_EQ(Cells(totals).at(10), balances.at(name)) << totals;
    }
}

TEST_F(Worksheet, SystemRegionalSettingsComeFromTheLocale) {
    const RunResult run =
        Sheet({"--accounts", "1", "--include-unreconciled", "--regional", "system", "--format", "csv"},
              {{"LC_ALL", "C.UTF-8"}});
    ASSERT_EQ(run.Status, 0) << run.Err;
    // The C locale: month first, two-digit years, no currency symbol, no grouping.
    EXPECT_NE(run.Out.find("\r\n3,03/03/26,,200,Rent,Office,G0,General,,500.00,-250.00,\r\n"), std::string::npos)
        << run.Out;
}

TEST_F(Worksheet, TextIsAlignedAsTheGrid) {
    const RunResult run = Sheet({"--tab", "3"});
    ASSERT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "Groups\n"
                       "Group Number  Group Name   Credit  Debit  Difference  % of Total Income  % of Total Expense\n"
                       "------------  ----------  -------  -----  ----------  -----------------  ------------------\n"
                       "G0            General     $160.00  $0.00     $160.00            100.00%               0.00%\n"
                       "------------  ----------  -------  -----  ----------  -----------------  ------------------\n"
                       "                          $160.00  $0.00     $160.00\n");
}

TEST_F(Worksheet, JsonEscapesTheTextsOfTheDocument) {
    StreamMap streams = SmallDocument();
    TMainActRec rent;
    DecodeMainAct(reinterpret_cast<const std::uint8_t*>(streams["MainActs"].data() + 2 * MainActRecordSize), rent);
    ASSERT_EQ(rent.Number, 200);
    rent.Name = "Rent \"back\" \\ office\t\x80";
    EncodeMainAct(rent, reinterpret_cast<std::uint8_t*>(streams["MainActs"].data() + 2 * MainActRecordSize));
    WriteStreams(Path, streams);
    const RunResult run = Sheet({"--tab", "1", "--format", "json", "--include-unreconciled"});
    EXPECT_NE(run.Out.find("[\"200\", \"Rent \\\"back\\\" \\\\ office\\t\xE2\x82\xAC\", \"\""), std::string::npos)
        << run.Out;
}

TEST_F(Worksheet, RequestsTheDocumentCannotAnswerFailWithOneLine) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--accounts", "9"}, "the document has no account 9"},
        {{"--categories", "100-9"}, "the document has no sub category 100-9"},
        {{"--categories", "1x"}, "--categories takes category numbers"},
        {{"--groups", "3"}, "the document has no group 3"},
        {{"--tab", "2", "--sort", "5"}, "tab 2 sorts by the keys 0 1 2 3, not 5"},
        {{"--from", "2026-02-30"}, "--from takes a date YYYY-MM-DD"},
        {{"--from", "2026-03-05", "--to", "2026-03-01"}, "--from is later than --to"},
        {{"--zero-rows"}, "--zero-rows is for tabs 1 to 4"},
        {{"--format", "xml"}, "--format takes text|csv|json"},
        {{"--regional", "local"}, "--regional takes system|fixed"}};
    for (const auto& [options, says] : cases) {
        const RunResult run = Sheet(options);
        EXPECT_EQ(run.Status, 1) << says;
        ASSERT_EQ(run.ErrLines().size(), 1u) << run.Err;
        EXPECT_NE(run.Err.find(says), std::string::npos) << run.Err;
        EXPECT_EQ(run.Out, "");
    }
}

TEST_F(Worksheet, OlderGenerationsMustBeConvertedFirst) {
    WriteStreams(Path, OlderDocument("KQ21FileInfo"));
    const RunResult run = Sheet({});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("a generation 2.1 document: convert it first"), std::string::npos) << run.Err;
}

} // namespace
} // namespace qz::clitest

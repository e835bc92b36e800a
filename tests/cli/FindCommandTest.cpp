// find: the transaction search from the command line, on the small document of CliSupport:
// 0, 1 the opening balances; 2 a sale of 110 (INV-1); 3 rent of 500, unreconciled; 4/5 a
// transfer of 50 (4 out of Cheque, 5 into Cash); 6A/6B a split sale of 30 + 20.

#include "CliSupport.h"

#include <sstream>

namespace qz::clitest {
namespace {

class Find : public ::testing::Test {
protected:
    Find() { WriteStreams(Path, SmallDocument()); }

    RunResult Search(std::vector<std::string> options) {
        options.insert(options.begin(), {"find", Path});
        return Cli(options);
    }
    // The CSV lines: the titles, the rows, the totals last.
    std::vector<std::string> Lines(std::vector<std::string> options) {
        options.insert(options.end(), {"--format", "csv"});
        const RunResult run = Search(options);
        EXPECT_EQ(run.Status, 0) << run.Err;
        std::vector<std::string> lines;
        std::istringstream in(run.Out);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line.substr(0, line.size() - 1)); // without the '\r'
        return lines;
    }
    // The "No." cells of the rows, joined by blanks.
    std::string Numbers(const std::vector<std::string>& options) {
        const std::vector<std::string> lines = Lines(options);
        std::string numbers;
        for (std::size_t i = 1; i + 1 < lines.size(); ++i)
            numbers += (numbers.empty() ? "" : " ") + lines[i].substr(0, lines[i].find(','));
        return numbers;
    }

    TempFolder Folder;
    std::string Path = Folder.File("Shop.kqk");
};

TEST_F(Find, ANumberFindsBothPartsOfASplitAsJsonRows) {
    const RunResult run = Search({"--number", "6", "--format", "json"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out,
              "{\"tab\": 0, \"caption\": \"Transactions\", \"columns\": [\"No.\", \"Date\", \"Reference\", "
              "\"Cat. No.\", \"Category Name\", \"Sub Category Name\", \"Group Number\", \"Group Name\", "
              "\"Credit\", \"Debit\", \"Balance\", \"Memo\"], \"rows\": [\n"
              "  [\"6A\", \"05/03/2026\", \"\", \"100\", \"Sales\", \"Counter\", \"G0\", \"General\", \"$30.00\", "
              "\"\", \"\", \"\"],\n"
              "  [\"6B\", \"05/03/2026\", \"\", \"100\", \"Sales\", \"Counter\", \"G0\", \"General\", \"$20.00\", "
              "\"\", \"$50.00\", \"\"]\n"
              "], \"totals\": [\"2\", \"\", \"\", \"\", \"\", \"\", \"\", \"\", \"$50.00\", \"$0.00\", \"$50.00\", "
              "\"\"]}\n");
}

TEST_F(Find, FieldsSelectTheRowsTheWindowWould) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--reference", "INV-1"}, "2"},
        {{"--reference", "inv-1"}, ""},
        {{"--amount", "110"}, "2"},
        {{"--transfers-only"}, "4 5"},
        // Opening balances stay out of "Transfers Only" even where selections use them.
        {{"--transfers-only", "--opening-balances-in-selections"}, "4 5"},
        {{"--number", "2", "--opening-balances-in-selections"}, "0 1 2"},
        {{"--number-from", "2", "--number-to", "4"}, "2 3 4"},
        {{"--number-above", "4"}, "5 6A 6B"},
        {{"--number-below", "3"}, "2"},
        {{"--reference-after", "INV"}, "2"},
        {{"--reference-before", "INV"}, "3 4 5 6A 6B"},
        {{"--kind", "credit"}, "2 5 6A 6B"},
        {{"--kind", "debit"}, "3 4"},
        {{"--state", "unreconciled"}, "3"},
        {{"--transfers", "exclude"}, "2 3 6A 6B"},
        {{"--amount-from", "20", "--amount-to", "50"}, "4 5 6A 6B"},
        {{"--amount-above", "100", "--kind", "debit"}, "3"},
        // After the other filters: the account Cash alone.
        {{"--kind", "credit", "--accounts", "1"}, "5"},
    };
    for (const auto& [options, numbers] : cases) {
        std::string name;
        for (const std::string& option : options)
            name += option + " ";
        EXPECT_EQ(Numbers(options), numbers) << name;
    }
}

// Unreconciled transactions count in the totals of a search for them, though not otherwise.
TEST_F(Find, UnreconciledSearchesCountTheirRowsInTheTotals) {
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{"--unreconciled-only"}, std::vector<std::string>{"--state", "unreconciled"}}) {
        const std::vector<std::string> lines = Lines(options);
        ASSERT_EQ(lines.size(), 3u) << options[0];
        EXPECT_EQ(lines[2], "1,,,,,,,,$0.00,$500.00,$0.00,") << options[0];
    }
    const std::vector<std::string> lines = Lines({"--number", "3"});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], "1,,,,,,,,$0.00,$0.00,$0.00,");
}

TEST_F(Find, RefusedFieldsExitWithOneLine) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--number", "0"}, "Number not valid"},
        {{"--reference", "  "}, "Reference not valid"},
        {{"--amount", "0.00"}, "Amount not valid"},
        {{"--number-from", "5", "--number-to", "0"}, "Number not valid"},
        {{"--reference-equal", ""}, "Reference not valid"},
        {{"--amount-from", "5", "--amount-to", "0"}, "Amount not valid"},
        // The number comes first, as in the window.
        {{"--amount-equal", "0", "--number-equal", "0"}, "Number not valid"},
        {{"--number", "12a"}, "--number takes a transaction number (digits, at most 9), not \"12a\""},
        {{"--number", "1234567890"}, "--number takes a transaction number (digits, at most 9), not \"1234567890\""},
        {{"--amount", "12x"}, "--amount takes an amount such as 12.50, not \"12x\""},
        {{"--reference", "ABCDEFGHIJKLMNOPQRSTU"}, "--reference holds at most 20 characters"},
        {{"--number", "2", "--kind", "credit"},
         "the quick fields (--number, --reference, --amount, --unreconciled-only, --transfers-only) and the "
         "detailed ones cannot be given together"},
        {{"--unreconciled-only", "--transfers-only"}, "--unreconciled-only and --transfers-only exclude each other"},
        {{"--number-equal", "2", "--number-above", "3"},
         "give one of --number-equal, --number-above, --number-below or --number-from with --number-to"},
        {{"--amount-from", "2"}, "--amount-from and --amount-to go together"},
        {{"--kind", "all"}, "the search asks for nothing: give a search field (see zudeduze-cli find --help)"},
        {{}, "the search asks for nothing: give a search field (see zudeduze-cli find --help)"},
        {{"--kind", "both"}, "--kind takes all|credit|debit, not \"both\""},
    };
    for (const auto& [options, message] : cases) {
        const RunResult run = Search(options);
        EXPECT_EQ(run.Status, 1) << message;
        EXPECT_EQ(run.Out, "") << message;
        EXPECT_EQ(run.ErrLines(), std::vector<std::string>{"zudeduze-cli: error: " + message});
    }
}

TEST_F(Find, TheHelpNamesEveryField) {
    const RunResult run = Cli({"find", "--help"});
    ASSERT_EQ(run.Status, 0);
    for (const char* field :
         {"--number N", "--reference TEXT", "--amount X", "--unreconciled-only", "--transfers-only", "--kind",
          "--state", "--transfers", "--number-from", "--reference-after", "--amount-below"})
        EXPECT_NE(run.Out.find(field), std::string::npos) << field;
}

} // namespace
} // namespace qz::clitest

// generate: synthetic books and the shipped example, written as the program writes documents.

#include "CliSupport.h"

#include <algorithm>
#include <map>
#include <regex>
#include <sstream>

namespace qz::clitest {
namespace {

std::string Field(const std::string& info, const std::string& label) {
    const auto at = ("\n" + info).find("\n" + label + " ");
    if (at == std::string::npos)
        return {};
    const auto start = info.find_first_not_of(' ', at + label.size());
    return info.substr(start, info.find('\n', start) - start);
}

TEST(Generate, WritesSoundBooksOfTheAskedSizeTheSameForTheSameSeed) {
    TempFolder folder;
    const std::string a = folder.File("a.kqk"), b = folder.File("b.kqk"), c = folder.File("c.kqk");
    const RunResult run = Cli({"generate", a, "--transactions", "1500", "--accounts", "5", "--seed", "11"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, a + ": 1500 transactions in 5 accounts\n");
    ASSERT_EQ(Cli({"generate", b, "--transactions", "1500", "--accounts", "5", "--seed", "11"}).Status, 0);
    ASSERT_EQ(Cli({"generate", c, "--transactions", "1500", "--accounts", "5", "--seed", "12"}).Status, 0);

    const RunResult info = Cli({"info", a});
    EXPECT_NE(info.Out.find("Transactions        1500         0      1500\n"), std::string::npos) << info.Out;
    EXPECT_NE(info.Out.find("Books                  5         0         5\n"), std::string::npos);
    EXPECT_EQ(Field(info.Out, "Tax"), "GST tracked at 10.00%; payments category 1700, refunds category 1800; "
                                      "opening balance $0.00");
    EXPECT_EQ(Cli({"check", a}).Status, 0) << Cli({"check", a}).Out;

    auto csv = [](const std::string& path) { return Cli({"export", path, "--format", "csv", "-o", "-"}).Out; };
    EXPECT_EQ(csv(a), csv(b));
    EXPECT_NE(csv(a), csv(c));
}

TEST(Generate, NamesTheTaxAsAsked) {
    TempFolder folder;
    const struct {
        std::vector<std::string> Options;
        const char* Tax;
        const char* TaxAccount;
    } cases[] = {{{"--tax", "vat", "--percent", "20"}, "VAT tracked at 20.00%", "Liabilities:VAT"},
                 {{"--tax", "none"}, "not tracked", nullptr}};
    for (const auto& c : cases) {
        const std::string path = folder.File(std::string(c.Tax) + ".kqk");
        std::vector<std::string> args = {"generate", path, "--transactions", "400"};
        args.insert(args.end(), c.Options.begin(), c.Options.end());
        ASSERT_EQ(Cli(args).Status, 0);
        EXPECT_EQ(Field(Cli({"info", path}).Out, "Tax").substr(0, std::string(c.Tax).size()), c.Tax);
        const std::string journal = Cli({"export", path, "--format", "ledger", "-o", "-"}).Out;
        if (c.TaxAccount)
            EXPECT_NE(journal.find(c.TaxAccount), std::string::npos);
        else
            EXPECT_EQ(journal.find("Liabilities:"), std::string::npos) << "no tax, no tax account";
        EXPECT_EQ(Cli({"check", path}).Status, 0);
    }
}

TEST(Generate, ExampleIsACafesFirstYear) {
    TempFolder folder;
    const std::string path = folder.File("Example.kqk");
    ASSERT_EQ(Cli({"generate", "--example", path}).Status, 0);

    const RunResult info = Cli({"info", path});
    EXPECT_EQ(Field(info.Out, "Business"), "Wattle Lane Caf\xC3\xA9");
    EXPECT_EQ(Field(info.Out, "Example"), "Wattle Lane Cafe.htm");
    EXPECT_EQ(Field(info.Out, "Dates"), "2024-07-01 to 2025-06-30");
    EXPECT_EQ(Field(info.Out, "Tax").substr(0, 21), "GST tracked at 10.00%");
    EXPECT_NE(Field(info.Out, "Comment").find("caf\xC3\xA9"), std::string::npos);
    std::smatch m;
    const std::string transactions = Field(info.Out, "Transactions");
    ASSERT_TRUE(std::regex_search(transactions, m, std::regex(R"(^(\d+))")));
    EXPECT_GE(std::stoi(m[1]), 300);
    EXPECT_LE(std::stoi(m[1]), 600);
    EXPECT_EQ(Cli({"check", path}).Status, 0) << Cli({"check", path}).Out;
    // A going concern: the accounts end the year with more than they began with.
    long long total = 0;
    for (const auto& [name, balance] : InfoBalances(info.Out)) {
        std::string digits = std::regex_replace(balance, std::regex("[$,.]"), "");
        total += std::stoll(digits);
    }
    EXPECT_GT(total, 0);
}

// The fields of one line of our CSV export (quoted fields may hold commas).
std::vector<std::string> CsvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (const char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

long long Cents(const std::string& amount) {
    if (amount.empty())
        return 0;
    const std::string digits = std::regex_replace(amount, std::regex("[$,.]"), "");
    return std::stoll(digits);
}

TEST(Generate, SecondExampleIsAPlumbersYearWithVat) {
    TempFolder folder;
    const std::string path = folder.File("Plumber.kqk");
    ASSERT_EQ(Cli({"generate", "--example", path, "--which", "plumber"}).Status, 0);
    EXPECT_EQ(Cli({"check", path}).Status, 0) << Cli({"check", path}).Out;

    const RunResult info = Cli({"info", path});
    EXPECT_EQ(Field(info.Out, "Business"), "Ashby Plumbing & Heating");
    EXPECT_EQ(Field(info.Out, "Tax").substr(0, 21), "VAT tracked at 20.00%");
    EXPECT_EQ(Field(info.Out, "Dates").substr(0, 22), "2024-07-01 to 2025-06-") << "a year from July";
    const std::string desc = Field(info.Out, "Example");
    EXPECT_EQ(desc, "Ashby Plumbing.htm");
    EXPECT_FALSE(FileBytes(ZUDEDUZE_SOURCE_DIR "/data/ExampleDesc/" + desc).empty()) << "its description is shipped";

    // A year of business with the entries a cash book holds: transfers, splits, reconciled and
    // not yet reconciled transactions; and each quarterly VAT return settles the VAT of the
    // quarter before it, to the penny.
    const std::string csv = Cli({"export", path, "--format", "csv", "-o", "-"}).Out;
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);
    const std::vector<std::string> header = CsvFields(line);
    auto column = [&](const char* name) {
        return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin());
    };
    const std::size_t kind = column("Kind"), split = column("Split"), category = column("Category Name"),
                      credit = column("Credit"), debit = column("Debit"), tax = column("Tax"),
                      reconciled = column("Reconciled");
    ASSERT_LT(reconciled, header.size());
    int transfers = 0, splitParts = 0, unreconciled = 0, returns = 0;
    long long owed = 0;
    while (std::getline(lines, line)) {
        const std::vector<std::string> f = CsvFields(line);
        ASSERT_GT(f.size(), reconciled) << line;
        transfers += f[kind] == "Transfer To" ? 1 : 0;
        splitParts += f[split].empty() ? 0 : 1;
        unreconciled += f[reconciled] == "no" ? 1 : 0;
        if (f[category] == "VAT") {
            ++returns;
            EXPECT_EQ(Cents(f[debit]) - Cents(f[credit]), owed) << line;
            owed = 0;
        } else if (f[kind] == "Credit" || f[kind] == "Debit") {
            owed += f[kind] == "Credit" ? Cents(f[tax]) : -Cents(f[tax]);
        }
    }
    EXPECT_GE(transfers, 5);
    EXPECT_GE(splitParts, 10);
    EXPECT_GE(unreconciled, 5);
    EXPECT_EQ(returns, 3);

    // The trading result of a working sole trader: a profit, well short of the turnover.
    std::map<std::string, std::pair<long long, long long>> types;
    std::istringstream summary(Cli({"worksheet", path, "--tab", "4", "--format", "csv"}).Out);
    while (std::getline(summary, line)) {
        const std::vector<std::string> f = CsvFields(line);
        if (f.size() >= 3 && !f[0].empty() && f[0] != "Category Type")
            types[f[0]] = {Cents(f[1]), Cents(f[2])};
    }
    const long long turnover = types["General Income"].first;
    long long costs = 0;
    for (const char* type : {"Assets Purchased", "Stock Purchased", "Overheads", "Wages", "Other Expenses"})
        costs += types[type].second;
    EXPECT_GT(turnover, 5'000'000) << "over 50,000 a year, as a VAT-registered trade is";
    EXPECT_GT(turnover - costs, turnover / 10);
    EXPECT_LT(turnover - costs, turnover / 2);
    EXPECT_GT(types["Funds Repayment"].second, 0) << "the owner's drawings";
}

TEST(Generate, ReplacesAFileOnlyWhenForced) {
    TempFolder folder;
    const std::string path = folder.File("Books.kqk");
    WriteBytes(path, "mine");
    EXPECT_EQ(Cli({"generate", path, "--transactions", "10"}).Status, 1);
    EXPECT_EQ(FileBytes(path), "mine");
    EXPECT_EQ(Cli({"generate", path, "--transactions", "10", "--force"}).Status, 0);
    EXPECT_EQ(Cli({"check", path}).Status, 0);
}

} // namespace
} // namespace qz::clitest

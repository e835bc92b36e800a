// generate: synthetic books and the shipped example, written as the program writes documents.

#include "CliSupport.h"

#include <regex>

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

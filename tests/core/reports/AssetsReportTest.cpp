#include "ReportFixture.h"

#include "reports/AssetsReport.h"
#include "reports/ReportRun.h"

namespace qz::testing {
namespace {

using Lines = std::vector<std::string>;

// The report fixture's books with assets and funds in February:
//
//   date    kind    account  category          amount  tax
//   12 Feb  debit   Cheque   Equipment / Oven  440     40
//   13 Feb  debit   Savings  Equipment / Till  150
//   14 Feb  credit  Cheque   Disposals / Oven  120
//   15 Feb  credit  Savings  Owner             1000
//   16 Feb  debit   Cheque   Drawings          200
class AssetsReportTest : public ReportFixture {
protected:
    static constexpr std::int32_t Equipment = 500; // "Assets Purchased"
    static constexpr std::int32_t Disposals = 510; // "Assets Sold"
    static constexpr std::int32_t Owner = 600;     // "Funds Injection"
    static constexpr std::int32_t Drawings = 610;  // "Funds Repayment"

    void SetUp() override {
        ReportFixture::SetUp();
        Category(Equipment, "Equipment", SideDebit, 4);
        Sub(Equipment, 1, "Oven");
        Sub(Equipment, 2, "Till");
        Category(Disposals, "Disposals", SideCredit, 2);
        Sub(Disposals, 1, "Oven");
        Category(Owner, "Owner", SideCredit, 3);
        Sub(Owner, 1, "One");
        Category(Drawings, "Drawings", SideDebit, 10);
        Sub(Drawings, 1, "One");
        Taxed(Debit(Day(2024, 2, 12), 440, Equipment), 40);
        Add(TransDebit, Day(2024, 2, 13), 150, Equipment, 2, 0, 1);
        Credit(Day(2024, 2, 14), 120, Disposals);
        Credit(Day(2024, 2, 15), 1000, Owner, 0, 1);
        Debit(Day(2024, 2, 16), 200, Drawings);
    }

    Lines Run() { return Dump(AssetsReport(L, Settings, Options, Formats)); }
    // The lines from `first` up to and including `last`.
    static Lines Between(const Lines& lines, const std::string& first, const std::string& last) {
        const auto from = std::find(lines.begin(), lines.end(), first);
        const auto to = std::find(from, lines.end(), last);
        return to == lines.end() ? Lines{"(not found)"} : Lines(from, to + 1);
    }
};

TEST_F(AssetsReportTest, BasicReportOfAPeriod) {
    February();
    const TReport report = AssetsReport(L, Settings, Options, Formats);
    EXPECT_EQ(report.Name, "assets");
    EXPECT_TRUE(report.FooterShowsPageCount);
    const Lines expected{
        "T: Assets Purchased and Sold - Wattle Lane, ABN 12",
        "T: ",
        "ASSETS |  [4,4 b k 223]",
        // Within a kind the credit side comes first; the empty line parts two sections only.
        "ASSETS SOLD |  [4,4]",
        "Disposals | $120.00 [7,16]",
        "TOTAL ASSETS SOLD | $120.00 [4,4]",
        " |  [0,0]",
        "ASSETS PURCHASED |  [4,4]",
        // The oven's tax stays out.
        "Equipment | $550.00 [7,16]",
        "TOTAL ASSETS PURCHASED | $550.00 [4,4]",
        "TOTAL ASSET VALUE | $430.00 [4,4 b 223]",
        "CAPITAL FUNDS |  [4,4 b k 223]",
        "FUNDS INJECTION |  [4,4]",
        "Owner | $1,000.00 [7,16]",
        "TOTAL FUNDS INJECTION | $1,000.00 [4,4]",
        " |  [0,0]",
        "FUNDS REPAYMENT |  [4,4]",
        "Drawings | $200.00 [7,16]",
        "TOTAL FUNDS REPAYMENT | $200.00 [4,4]",
        "TOTAL FUNDS | $800.00 [4,4 b 223]",
        "ACTUAL FUNDS |  [4,4 b k 223]",
        // Cheque: 220 + 50 - 33 - 100 + 40 - 300 - 440 + 120 - 200, the unreconciled rent aside;
        // Savings: the transfer's 300 - 150 + 1000. Amounts with their tax, as the accounts hold them.
        "Cheque | -$643.00 [7,16]",
        "Savings | $1,150.00 [7,16]",
        "TOTAL ACTUAL FUNDS | $507.00 [4,4 b 223]",
    };
    EXPECT_EQ(Dump(report), expected);
}

TEST_F(AssetsReportTest, DetailedSectionsListSubCategoriesByTheirOwnSelection) {
    Options.Detailed = true;
    Options.ShowNumbers = Options.SortByNumber = true;
    February();
    // The till stays in its category's total.
    L.SubActList.FindPair(Equipment, 2)->Selected = 0;
    const Lines lines = Run();
    EXPECT_EQ(Between(lines, "ASSETS PURCHASED |  [4,4]", "TOTAL ASSETS PURCHASED | $550.00 [4,4]"),
              (Lines{"ASSETS PURCHASED |  [4,4]", "500  Equipment |  [7,16]", "500-1  Oven | $400.00 [10,16]",
                     "Total Equipment | $550.00 [7,16 t]", "TOTAL ASSETS PURCHASED | $550.00 [4,4]"}));
}

enum class TChange { NoFundsType, LargeSale, SavingsExcluded, UnreconciledCounted };

struct EdgeCase {
    const char* Name;
    TChange Change;
    Lines Part; // from its first line to its last
};

void PrintTo(const EdgeCase& c, std::ostream* out) {
    *out << c.Name;
}

class AssetsReportEdges : public AssetsReportTest, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(AssetsReportEdges, Figures) {
    const EdgeCase& c = GetParam();
    switch (c.Change) {
    case TChange::NoFundsType:
        for (TCatRec* type : L.CatList.KeyList)
            if (type->Kind == KindFunds)
                type->Kind = KindOther;
        break;
    case TChange::LargeSale:
        Credit(Day(2024, 2, 20), 1000, Disposals);
        break;
    case TChange::SavingsExcluded:
        L.BookList.FindByNumber(1)->Selected = 0;
        break;
    case TChange::UnreconciledCounted:
        L.Switches.IncludeUnreconciled = true;
        break;
    }
    February();
    const Lines lines = Run();
    EXPECT_EQ(Between(lines, c.Part.front(), c.Part.back()), c.Part);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AssetsReportEdges,
    ::testing::Values(EdgeCase{"NoFundsTypeGivesTheHeadingThenAZeroTotal",
                               TChange::NoFundsType,
                               {"CAPITAL FUNDS |  [4,4 b k 223]", "TOTAL FUNDS | $0.00 [4,4 b 223]"}},
                      EdgeCase{"SaleLargerThanThePurchasesIsNegative",
                               TChange::LargeSale,
                               {"TOTAL ASSET VALUE | -$570.00 [4,4 b 223]"}},
                      EdgeCase{"ExcludedAccountHasNoLineAndStaysOutOfTheTotal",
                               TChange::SavingsExcluded,
                               {"ACTUAL FUNDS |  [4,4 b k 223]", "Cheque | -$643.00 [7,16]",
                                "TOTAL ACTUAL FUNDS | -$643.00 [4,4 b 223]"}},
                      // The lines add up to the total whichever transactions count.
                      EdgeCase{"CountedUnreconciledIsInItsAccountAndTheTotal",
                               TChange::UnreconciledCounted,
                               {"ACTUAL FUNDS |  [4,4 b k 223]", "Cheque | -$720.00 [7,16]",
                                "Savings | $1,150.00 [7,16]", "TOTAL ACTUAL FUNDS | $430.00 [4,4 b 223]"}}),
    [](const ::testing::TestParamInfo<EdgeCase>& info) { return std::string(info.param.Name); });

// The Reports window and the command-line tool lay the report out inside a run: the period
// applied and the tax out of the totals, whatever the worksheet shows.
TEST_F(AssetsReportTest, RunShowsAmountsWithoutTax) {
    Finish();
    L.Switches.GstInTotals = true;
    Recalculate(L);
    const TMainActRec& equipment = *L.MainActList.FindByNumber(Equipment);
    ASSERT_EQ(equipment.Total, Cash(590));
    {
        const TReportRun run(L, Day(2024, 2, 1), Day(2024, 2, 29), true);
        const TAssetsFigures f = AssetsFigures(L);
        EXPECT_EQ(f.TotalAssetValue, Cash(430));
        EXPECT_EQ(f.TotalFunds, Cash(800));
        // The accounts hold what was paid, tax and all.
        ASSERT_EQ(f.Accounts.size(), 2u);
        EXPECT_EQ(f.Accounts[0].Balance, Cash(-643));
        EXPECT_EQ(f.TotalActualFunds, Cash(507));
    }
    EXPECT_TRUE(L.Switches.GstInTotals);
    EXPECT_EQ(equipment.Total, Cash(590));
}

} // namespace
} // namespace qz::testing

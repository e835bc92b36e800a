#include "ReportFixture.h"

#include "reports/CashFlowReport.h"

namespace qz::testing {
namespace {

using Lines = std::vector<std::string>;

class CashFlowReportTest : public ReportFixture {
protected:
    Lines Run() { return Dump(CashFlowReport(L, Settings, Options, Formats)); }
};

// An empty section of a category type: its name, its total and the empty line after it.
void EmptySection(Lines& lines, const std::string& name, bool last = false) {
    lines.push_back(name + " |  [4,4]");
    lines.push_back("TOTAL " + name + " | $0.00 [4,4]");
    if (!last)
        lines.push_back(" |  [0,0]");
}

TEST_F(CashFlowReportTest, BasicStatementOfAPeriod) {
    February();
    Lines expected{"T: Cash Flow Statement - Wattle Lane, ABN 12", "T: ", "# CREDITS (excluding GST)",
                   // The tax refunds category sorts by name with the others; the credit total leaves it out.
                   "GENERAL INCOME |  [4,4]", "GST | $40.00 [7,16]", "Sales | $250.00 [7,16]",
                   "TOTAL GENERAL INCOME | $290.00 [4,4]", " |  [0,0]"};
    EmptySection(expected, "OTHER INCOME");
    EmptySection(expected, "ASSETS SOLD");
    EmptySection(expected, "FUNDS INJECTION", true);
    expected.insert(expected.end(),
                    {"TRANSFERS | $300.00 [4,4]", "TOTAL CREDITS | $550.00 [4,4 b 239]", "# DEBITS (excluding GST)"});
    EmptySection(expected, "STOCK PURCHASED");
    // Rent's unreconciled 77 stays out of its total.
    expected.insert(expected.end(), {"OVERHEADS |  [4,4]", "GST | $100.00 [7,16]", "Rent | $30.00 [7,16]",
                                     "TOTAL OVERHEADS | $130.00 [4,4]", " |  [0,0]"});
    EmptySection(expected, "WAGES");
    EmptySection(expected, "OTHER EXPENSES");
    EmptySection(expected, "COMPANY TAX");
    EmptySection(expected, "ASSETS PURCHASED");
    EmptySection(expected, "FUNDS REPAYMENT", true);
    expected.insert(expected.end(), {
                                        "TRANSFERS | $300.00 [4,4]",
                                        "TOTAL DEBITS | $330.00 [4,4 b 239]",
                                        "CASH SURPLUS/DEFICIT (CREDITS - DEBITS) | $220.00 [4,4 b 223]",
                                        "+ OPENING BALANCE | $1,055.00 [4,4 b 223]",
                                        "+ NETT GST | $17.00 [4,4 b 223]",
                                        "- GST PAYMENTS/REFUNDS BALANCE | $60.00 [4,4 b 223]",
                                        // What the reconciled transactions up to 29 Feb leave in the accounts.
                                        "= CLOSING BALANCE | $1,232.00 [4,4 b 223]",
                                    });
    EXPECT_EQ(Run(), expected);
}

TEST_F(CashFlowReportTest, WithoutTaxTheTaxLinesGoButStillEnterTheClosingBalance) {
    Settings.TaxOn = 0;
    February();
    const Lines lines = Run();
    EXPECT_EQ(lines[2], "# CREDITS");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "# DEBITS"), lines.end());
    const Lines tail(lines.end() - 3, lines.end());
    EXPECT_EQ(tail, (Lines{"CASH SURPLUS/DEFICIT (CREDITS - DEBITS) | $220.00 [4,4 b 223]",
                           "+ OPENING BALANCE | $1,055.00 [4,4 b 223]", "= CLOSING BALANCE | $1,232.00 [4,4 b 223]"}));
}

TEST_F(CashFlowReportTest, DetailedSectionsByNameOrByNumber) {
    Options.Detailed = true;
    February();
    struct Case {
        bool ShowNumbers, SortByNumber, ShowZero;
        Lines Section;
    };
    const Case cases[] = {
        {false,
         false,
         false,
         {"GENERAL INCOME |  [4,4]", "GST |  [7,16]", "One | $40.00 [10,16]", "Total GST | $40.00 [7,16 t]",
          "Sales |  [7,16]", "One | $250.00 [10,16]", "Total Sales | $250.00 [7,16 t]",
          "TOTAL GENERAL INCOME | $290.00 [4,4]"}},
        {true,
         false,
         false,
         {"GENERAL INCOME |  [4,4]", "GST  901 |  [7,16]", "One  901-1 | $40.00 [10,16]", "Total GST | $40.00 [7,16 t]",
          "Sales  100 |  [7,16]", "One  100-1 | $250.00 [10,16]", "Total Sales | $250.00 [7,16 t]",
          "TOTAL GENERAL INCOME | $290.00 [4,4]"}},
        {true,
         true,
         true,
         {"GENERAL INCOME |  [4,4]", "100  Sales |  [7,16]", "100-1  One | $250.00 [10,16]",
          "100-2  Two | $0.00 [10,16]", "Total Sales | $250.00 [7,16 t]", "901  GST |  [7,16]",
          "901-1  One | $40.00 [10,16]", "901-2  Two | $0.00 [10,16]", "Total GST | $40.00 [7,16 t]",
          "TOTAL GENERAL INCOME | $290.00 [4,4]"}},
    };
    for (const Case& c : cases) {
        Options.ShowNumbers = c.ShowNumbers;
        Options.SortByNumber = c.SortByNumber;
        Options.ShowZero = c.ShowZero;
        const Lines lines = Run();
        const Lines section(lines.begin() + 3, lines.begin() + 3 + static_cast<std::ptrdiff_t>(c.Section.size()));
        EXPECT_EQ(section, c.Section) << c.ShowNumbers << c.SortByNumber << c.ShowZero;
    }
}

TEST_F(CashFlowReportTest, NegativeAndZeroCategoriesOnlyWithTheZeroOption) {
    // Returns, a credit category whose only entry is a negative credit: a negative total. The
    // type total is the worksheet's, which counts the categories its own view lists.
    Category(150, "Returns", SideCredit, 0);
    Sub(150, 1, "One");
    Sub(150, 2, "Two");
    Credit(Day(2024, 2, 14), -12, 150);
    February();
    struct Case {
        bool ShowZero;
        Lines Section;
    };
    const Case cases[] = {
        {false,
         {"GENERAL INCOME |  [4,4]", "GST | $40.00 [7,16]", "Sales | $250.00 [7,16]",
          "TOTAL GENERAL INCOME | $290.00 [4,4]"}},
        {true,
         {"GENERAL INCOME |  [4,4]", "GST | $40.00 [7,16]", "Returns | -$12.00 [7,16]", "Sales | $250.00 [7,16]",
          "TOTAL GENERAL INCOME | $290.00 [4,4]"}},
    };
    for (const Case& c : cases) {
        Options.ShowZero = c.ShowZero;
        const Lines lines = Run();
        EXPECT_EQ(Lines(lines.begin() + 3, lines.begin() + 3 + static_cast<std::ptrdiff_t>(c.Section.size())),
                  c.Section)
            << c.ShowZero;
    }
}

TEST_F(CashFlowReportTest, TheLedgersOwnOrdersStayAsTheyAre) {
    February();
    const auto types = L.CatList.KeyList;
    const auto categories = L.MainActList.KeyList;
    const auto subs = L.SubActList.KeyList;
    const auto rows = L.MainActList.RowList;
    Options.Detailed = true;
    Run();
    EXPECT_EQ(L.CatList.KeyList, types);
    EXPECT_EQ(L.MainActList.KeyList, categories);
    EXPECT_EQ(L.SubActList.KeyList, subs);
    EXPECT_EQ(L.MainActList.RowList, rows);
}

TEST_F(CashFlowReportTest, OpeningBalanceFollowsTheSelection) {
    // A credit of 5 into Savings before the period: in the opening balance only while Savings is viewed.
    Credit(Day(2024, 1, 15), 5, Sales, 0, 1);
    struct Case {
        const char* Name;
        TDateTime From, To;
        bool ExcludeSavings, CategorySelection;
        Money Opening;
    };
    const Case cases[] = {
        {"every account", Day(2024, 2, 1), Day(2024, 2, 29), false, false, Cash(1060)},
        {"Savings excluded", Day(2024, 2, 1), Day(2024, 2, 29), true, false, Cash(1055)},
        {"category selection", Day(2024, 2, 1), Day(2024, 2, 29), false, true, Cash(0)},
        // Nothing shown in the period: what lies before it, not the transactions after it.
        {"empty period", Day(2023, 12, 1), Day(2023, 12, 31), false, false, Cash(0)},
        {"opening balance inside", Day(2024, 1, 1), Day(2024, 1, 31), false, false, Cash(1000)},
    };
    Finish();
    for (const Case& c : cases) {
        L.BookList.FindByNumber(1)->Selected = c.ExcludeSavings ? 0 : 1;
        L.Switches.CategorySelectionActive = c.CategorySelection;
        L.Switches.GstInTotals = false;
        L.Switches.DateRangeActive = true;
        L.TransList.SetRangeDate(1, c.From);
        L.TransList.SetRangeDate(2, c.To);
        Recalculate(L);
        EXPECT_EQ(CashFlowOpeningBalance(L), c.Opening) << c.Name;
    }
}

TEST_F(CashFlowReportTest, TitleBlockAsTheOptionsSay) {
    February();
    Options.FileName = ReportFileName("/books/Wattle Lane.2024.kqk");
    Options.PrintedText = PrintedDateTimeText(Day(2024, 3, 2) + 0.5, Formats.ShortDateFormat);
    Options.Subtitle = ReportSubtitle(Day(2024, 2, 1), Day(2024, 2, 29), true, Formats.ShortDateFormat);
    Options.PrintFilename = Options.PrintDate = true;
    Options.PrintBisNumber = false;
    Lines lines = Run();
    lines.resize(3);
    EXPECT_EQ(lines, (Lines{"Filename - Wattle Lane | Printed: 02/03/2024 12:00:00 [0,0]",
                            "T: Cash Flow Statement - Wattle Lane",
                            "T: Selected Transactions - 01/02/2024 Through 29/02/2024"}));
}

} // namespace
} // namespace qz::testing

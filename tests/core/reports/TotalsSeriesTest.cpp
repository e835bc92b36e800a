#include "engine/EngineFixture.h"

#include "reports/TotalsSeries.h"

#include <sstream>
#include <string>
#include <vector>

namespace qz::testing {
namespace {

// Four accounts and three groups (tax tracked):
//
//   date    kind      account  category  sub  group    amount  tax
//   01 Jan  opening   Savings                           -20          overdrawn
//   05 Jan  credit    Cheque   Sales     One  General   110     10
//   06 Jan  credit    Savings  Sales     Two  Shop      40
//   07 Jan  debit     Cheque   Rent      One  Shop      55      5
//   08 Jan  transfer  Cheque to Petty                   30
//
// Idle (a group) and Empty (an account) have nothing.
class TotalsSeriesTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        Account(2, "Petty");
        Account(3, "Empty");
        L.GroupList.AddNamed("Idle");
        Opening(Day(2024, 1, 1), -20, 1);
        Credit(Day(2024, 1, 5), 110, Sales, 0, 0)->Gst = Cash(10);
        Add(TransCredit, Day(2024, 1, 6), 40, Sales, 2, 1, 1);
        Debit(Day(2024, 1, 7), 55, Rent, 1, 0)->Gst = Cash(5);
        Transfer(Day(2024, 1, 8), 30, 0, 2);
        Finish();
        Recalculate(L);
    }

    TDisplayFormats Formats;
};

// "label=value#place" for each point, with its palette entry.
std::vector<std::string> Points(const std::vector<TChartPoint>& points) {
    std::vector<std::string> texts;
    for (const TChartPoint& p : points) {
        std::ostringstream out;
        out << p.Label << '=' << *p.Value << '#' << p.Slot;
        EXPECT_EQ(p.Colour, PointColour(static_cast<std::size_t>(p.Slot)));
        texts.push_back(out.str());
    }
    return texts;
}

using Texts = std::vector<std::string>;

TEST_F(TotalsSeriesTest, CategoryPointsOfEachModeAndSide) {
    const TMainActRec* sales = L.MainActList.FindByNumber(Sales);
    const TMainActRec* rent = L.MainActList.FindByNumber(Rent);
    // The tax categories have no total and no point.
    EXPECT_EQ(Points(CategoryChartPoints(L, TCatChartMode::Categories, SideCredit)), (Texts{"Sales=150.0000#0"}));
    EXPECT_EQ(Points(CategoryChartPoints(L, TCatChartMode::Categories, SideDebit)), (Texts{"Rent=55.0000#0"}));
    EXPECT_EQ(Points(CategoryChartPoints(L, TCatChartMode::Categories, SideCredit, sales)),
              (Texts{"One=110.0000#0", "Two=40.0000#1"}));
    EXPECT_EQ(Points(CategoryChartPoints(L, TCatChartMode::Categories, SideDebit, rent)), (Texts{"One=55.0000#0"}));
    EXPECT_EQ(Points(CategoryChartPoints(L, TCatChartMode::QuickSummary, SideCredit)),
              (Texts{"General Income=150.0000#0"}));
    EXPECT_EQ(Points(CategoryChartPoints(L, TCatChartMode::QuickSummary, SideDebit)), (Texts{"Overheads=55.0000#0"}));

    const std::vector<TCategoryChoice> choices = CategoryChoices(L, SideCredit);
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0].Name, "Sales");
    EXPECT_EQ(choices[0].Number, Sales);
    EXPECT_EQ(choices[0].Colour, ChartGreen);
    EXPECT_EQ(CategoryChoices(L, SideDebit)[0].Colour, ChartRed);
}

// The tax switches of the totals windows change the engine's switch and the totals; closing
// takes the stored option back.
TEST_F(TotalsSeriesTest, TaxBasisOfTheTotals) {
    SetTotalsTaxBasis(L, false);
    EXPECT_FALSE(L.Switches.GstInTotals);
    EXPECT_EQ(Points(CategoryChartPoints(L, TCatChartMode::Categories, SideCredit)), (Texts{"Sales=140.0000#0"}));
    EXPECT_EQ(Points(CategoryChartPoints(L, TCatChartMode::QuickSummary, SideDebit)), (Texts{"Overheads=50.0000#0"}));
    RestoreStoredTaxBasis(L, true);
    EXPECT_TRUE(L.Switches.GstInTotals);
    EXPECT_EQ(Points(CategoryChartPoints(L, TCatChartMode::Categories, SideCredit)), (Texts{"Sales=150.0000#0"}));
}

TEST_F(TotalsSeriesTest, SidesWithoutPositiveTotalsAreDisabled) {
    for (TCatChartMode mode : {TCatChartMode::Categories, TCatChartMode::QuickSummary}) {
        EXPECT_TRUE(CategorySideEnabled(L, mode, SideCredit));
        EXPECT_TRUE(CategorySideEnabled(L, mode, SideDebit));
        EXPECT_EQ(CategoryChartFirstSide(L, mode), SideCredit);
    }
    for (TTransRec* t : L.TransList.KeyList)
        if (t->Kind == TransCredit)
            t->Reconciled = 0;
    Recalculate(L);
    for (TCatChartMode mode : {TCatChartMode::Categories, TCatChartMode::QuickSummary}) {
        EXPECT_FALSE(CategorySideEnabled(L, mode, SideCredit));
        EXPECT_EQ(CategoryChartFirstSide(L, mode), SideDebit);
        EXPECT_TRUE(CategoryChartPoints(L, mode, SideCredit).empty());
    }
    EXPECT_EQ(CategorySideGradient(SideCredit), RGBColour(152, 255, 147));
    EXPECT_EQ(CategorySideGradient(SideDebit), RGBColour(255, 130, 130));
}

TEST_F(TotalsSeriesTest, PaletteRepeatsFromItsSecondEntry) {
    struct Case {
        std::size_t Index;
        TColour Colour;
    };
    const Case cases[] = {
        {0, RGBColour(255, 0, 255)}, {1, RGBColour(0, 0, 255)},  {5, RGBColour(255, 255, 255)},
        {27, RGBColour(153, 0, 0)},  {28, RGBColour(0, 0, 255)}, // the 29th point: the 2nd colour
        {54, RGBColour(153, 0, 0)},  {55, RGBColour(0, 0, 255)}, {56, RGBColour(0, 255, 255)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PointColour(c.Index), c.Colour) << c.Index;
}

TEST_F(TotalsSeriesTest, CategoryTitlesAndTexts) {
    const TMainActRec* sales = L.MainActList.FindByNumber(Sales);
    EXPECT_EQ(CategoryChartCaption(TCatChartMode::Categories), "Category Totals Chart");
    EXPECT_EQ(CategoryChartCaption(TCatChartMode::QuickSummary), "Quick Summary Chart");
    EXPECT_EQ(CategoryChartTitle(L, TCatChartMode::Categories, SideCredit), "Category Totals - Credit Categories");
    EXPECT_EQ(CategoryChartTitle(L, TCatChartMode::Categories, SideDebit, sales), "Sub Category Totals of 'Sales'");
    EXPECT_EQ(CategoryChartTitle(L, TCatChartMode::QuickSummary, SideDebit), "Quick Summary - Debit");
    L.Switches.SearchActive = true; // any selection, the search too
    EXPECT_EQ(CategoryChartTitle(L, TCatChartMode::QuickSummary, SideCredit), "Selected Quick Summary - Credit");
    L.Switches.SearchActive = false;
    L.BookList.KeyList[3]->Selected = 0; // not every account
    EXPECT_EQ(CategoryChartTitle(L, TCatChartMode::Categories, SideDebit),
              "Selected Category Totals - Debit Categories");

    const TChartPoint point{"Sales", Cash(1500), 0, 0};
    EXPECT_EQ(TotalsHintText(point, Formats), " Sales  -  $1,500.00");
    EXPECT_EQ(CategoryLegendClickText(point, Formats), " Sales - $1,500.00");
}

TEST(CategoryLegendPagesTest, PagesOfTheLegendList) {
    struct Case {
        std::int32_t Entries;
        std::int32_t PerPage;
        std::int32_t Pages;
    };
    const Case cases[] = {{29, 10, 3}, {30, 10, 3}, {31, 10, 4}, {1, 40, 1}, {0, 10, 1}, // the chart alone
                          {3, 0, 3}}; // a band shorter than one entry
    for (const Case& c : cases)
        EXPECT_EQ(CategoryLegendPages(c.Entries, c.PerPage), c.Pages) << c.Entries << " / " << c.PerPage;
}

std::vector<std::string> Bars(const TTotalsBars& bars) {
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < bars.Credits.Points.size(); ++i) {
        std::ostringstream out;
        out << bars.Credits.Points[i].Label << ' ' << *bars.Credits.Points[i].Value << ' '
            << *bars.Debits.Points[i].Value << ' ' << *bars.Difference.Points[i].Value;
        texts.push_back(out.str());
    }
    return texts;
}

TEST_F(TotalsSeriesTest, AccountBars) {
    // Petty has only a transfer and still has bars; Empty has none; Savings' overdrawn opening
    // balance is a debit.
    const TTotalsBars gross = AccountTotalsBars(L, true);
    EXPECT_EQ(Bars(gross), (Texts{"Cheque 110.0000 85.0000 25.0000", "Savings 40.0000 20.0000 20.0000",
                                  "Petty 30.0000 0.0000 30.0000"}));
    EXPECT_EQ(gross.Credits.Name, "Income");
    EXPECT_EQ(gross.Debits.Name, "Expense");
    EXPECT_EQ(gross.Difference.Name, "Difference");
    EXPECT_EQ(gross.Difference.Colour, ChartBlue);
    // Without tax: the credit and debit lose theirs, the transfer and opening balance do not.
    EXPECT_EQ(
        Bars(AccountTotalsBars(L, false)),
        (Texts{"Cheque 100.0000 80.0000 20.0000", "Savings 40.0000 20.0000 20.0000", "Petty 30.0000 0.0000 30.0000"}));
    // The account choice: only Cheque's transactions are shown.
    ChooseChartAccounts(L, {true, false, false, false});
    EXPECT_EQ(Bars(AccountTotalsBars(L, true)), (Texts{"Cheque 110.0000 85.0000 25.0000"}));
    EXPECT_EQ(GrpChartTitle(L, TGrpChartMode::Accounts, Formats), "Account Totals Chart - Selected Totals ");
}

TEST_F(TotalsSeriesTest, GroupBarsAndTitles) {
    EXPECT_EQ(Bars(GroupTotalsBars(L)), (Texts{"General 110.0000 0.0000 110.0000", "Shop 40.0000 55.0000 -15.0000"}));
    EXPECT_EQ(GrpChartCaption(TGrpChartMode::Groups), "Group Totals Chart");
    EXPECT_EQ(GrpChartGradient(TGrpChartMode::Groups), RGBColour(28, 162, 132));
    EXPECT_EQ(GrpChartGradient(TGrpChartMode::Accounts), RGBColour(231, 151, 3));
    EXPECT_EQ(GrpChartTitle(L, TGrpChartMode::Groups, Formats), "Group Totals Chart - All Totals");
    L.Switches.DateRangeActive = true;
    L.TransList.SetRangeDate(1, Day(2024, 1, 5));
    L.TransList.SetRangeDate(2, Day(2024, 1, 6));
    Recalculate(L);
    EXPECT_EQ(GrpChartTitle(L, TGrpChartMode::Groups, Formats),
              "Group Totals Chart - All Totals between 05/01/2024 and 06/01/2024");
    EXPECT_EQ(Bars(GroupTotalsBars(L)), (Texts{"General 110.0000 0.0000 110.0000", "Shop 40.0000 0.0000 40.0000"}));
    L.Switches.GroupSelectionActive = true;
    EXPECT_EQ(GrpChartTitle(L, TGrpChartMode::Groups, Formats),
              "Group Totals Chart - Selected Totals  between 05/01/2024 and 06/01/2024");
}

} // namespace
} // namespace qz::testing

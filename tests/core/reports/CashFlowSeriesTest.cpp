#include "engine/EngineFixture.h"

#include "reports/CashFlowSeries.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace qz::testing {
namespace {

// A quarter of books small enough to check by hand (tax tracked, GST):
//
//   date          kind       account  amount  tax  note
//   Wed 03 Jan    opening    Cheque   100
//   Wed 03 Jan    credit     Cheque   110     10
//   Wed 10 Jan    debit      Cheque   55      5
//   Sat 20 Jan    credit     Cheque   50           unreconciled: in no figure
//   Mon 05 Feb    debit      Cheque   33      3
//   Sat 10 Feb    transfer   Cheque to Savings 20
//   Sun 10 Mar    credit     Cheque   22      2
//
// Closing balances, gross (net): 3 Jan 210 (200), 10 Jan 155 (150), 5 Feb 122 (120), 10 Mar 144 (140).
class CashFlowSeriesTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        Settings.TaxOn = 1;
        Settings.TaxName = "GST";
        Opening(Day(2024, 1, 3), 100);
        Taxed(Credit(Day(2024, 1, 3) + 0.5, 110), 10);
        Taxed(Debit(Day(2024, 1, 10), 55), 5);
        Credit(Day(2024, 1, 20), 50)->Reconciled = 0;
        Taxed(Debit(Day(2024, 2, 5), 33), 3);
        Transfer(Day(2024, 2, 10), 20, 0, 1);
    }

    static TTransRec* Taxed(TTransRec* t, double tax) {
        t->Gst = Cash(tax);
        return t;
    }

    void Recalc() {
        Finish();
        Recalculate(L);
    }

    TCashFlowSeries Build(TSliceKind kind, bool net = false) {
        return BuildCashFlowSeries(L, kind, net, Day(2030, 1, 1));
    }

    TFileSettings Settings;
    TDisplayFormats Formats;
};

// "label=value" for each point, "label=" for an empty one.
std::vector<std::string> Points(const TChartSeries& series) {
    std::vector<std::string> points;
    for (const TChartPoint& p : series.Points) {
        std::ostringstream out;
        out << p.Label << '=';
        if (p.Value)
            out << *p.Value;
        points.push_back(out.str());
    }
    return points;
}

std::vector<std::string> Spans(const TTimeSlice& slice) {
    std::vector<std::string> spans;
    for (const TSliceBucket& b : slice.Buckets())
        spans.push_back(IsoDateText(b.Start) + ".." + IsoDateText(b.End));
    return spans;
}

TEST_F(CashFlowSeriesTest, MonthlySeriesGross) {
    Taxed(Credit(Day(2024, 3, 10), 22), 2);
    Recalc();
    const TCashFlowSeries s = Build(TSliceKind::Month);
    EXPECT_EQ(s.FirstDay, Day(2024, 1, 3));
    EXPECT_EQ(s.LastDay, Day(2024, 3, 10));
    // The credits' last month runs to its end; the balance's stops at the range's last day.
    EXPECT_EQ(Spans(s.Credits),
              (std::vector<std::string>{"2024-01-03..2024-01-31", "2024-02-01..2024-02-29", "2024-03-01..2024-03-31"}));
    EXPECT_EQ(Spans(s.Balance),
              (std::vector<std::string>{"2024-01-03..2024-01-31", "2024-02-01..2024-02-29", "2024-03-01..2024-03-10"}));
    // Transfers and opening balances are no credits or debits; the unreconciled 50 does not count.
    EXPECT_EQ(Points(s.CreditBars), (std::vector<std::string>{"Jan-24=110.0000", "Feb-24=", "Mar-24=22.0000"}));
    EXPECT_EQ(Points(s.DebitBars), (std::vector<std::string>{"Jan-24=55.0000", "Feb-24=33.0000", "Mar-24="}));
    // January: 7 days at 210 and 22 at 155 over 29 days; February: 4 at 155 and 25 at 122 over
    // 29; March: 9 at 122 and 1 at 144 over 10.
    EXPECT_EQ(Points(s.CashFlowLine),
              (std::vector<std::string>{"Jan-24=168.2759", "Feb-24=126.5517", "Mar-24=124.2000"}));
    EXPECT_EQ(s.AverageBalance, Cash(139.6759)); // 419.0276 / 3
    EXPECT_EQ(s.CreditBars.Name, "Income");
    EXPECT_EQ(s.DebitBars.Name, "Expense");
    EXPECT_EQ(s.CashFlowLine.Name, "Cash Flow");
    ASSERT_EQ(s.Pie.size(), 2u);
    EXPECT_EQ(s.Pie[0].Label, "Credits");
    EXPECT_EQ(*s.Pie[0].Value, Cash(132));
    EXPECT_EQ(s.Pie[1].Label, "Debits");
    EXPECT_EQ(*s.Pie[1].Value, Cash(88));

    const TCashFlowLegend legend = CashFlowLegend(s, Formats);
    EXPECT_EQ(legend.AverageCreditText, "$44.00");
    EXPECT_EQ(legend.AverageDebit, Cash(29.3333));
    EXPECT_EQ(legend.AverageBalanceText, "$139.68");
    EXPECT_EQ(legend.CreditShareText, "60%");
    EXPECT_EQ(legend.DebitShareText, "40%");
    EXPECT_EQ(legend.DifferenceText, "20.00%");
    EXPECT_EQ(legend.DifferenceBackground, ChartGreen);
    EXPECT_EQ(legend.DifferenceTextColour, ChartBlack);
    EXPECT_EQ(legend.CreditPieText, "60.00%");
    EXPECT_EQ(legend.DebitPieText, "40.00%");
    EXPECT_EQ(legend.AverageCaption, "Monthly Average  ");
    EXPECT_EQ(legend.BalanceCaption, "Average Monthly balance  ");
    EXPECT_EQ(legend.PrintedAverageCaption, "Monthly Average");
    EXPECT_EQ(legend.PrintedBalanceCaption, "Average Monthly Balance");
    EXPECT_EQ(legend.PrintedDifferenceText, " 20.00%");

    // With unreconciled transactions included, 20 January's 50 counts too.
    L.Switches.IncludeUnreconciled = true;
    Recalculate(L);
    EXPECT_EQ(Points(Build(TSliceKind::Month).CreditBars),
              (std::vector<std::string>{"Jan-24=160.0000", "Feb-24=", "Mar-24=22.0000"}));
}

// The largest balances a document can reach, over every day of a quarter, add up to more than
// 64 bits of ten-thousandths hold; the averages must still come out whole.
TEST_F(CashFlowSeriesTest, AveragesOfHugeBalancesDoNotOverflow) {
    Recalc();
    const Money huge = Money::FromUnits(140'000'000'000'000);
    for (TTransRec* t : L.TransList.KeyList)
        t->Balance = huge;
    const TCashFlowSeries s = Build(TSliceKind::Quarter);
    EXPECT_EQ(Points(s.CashFlowLine), (std::vector<std::string>{"01-Jan-24 to 31-Mar-24=140000000000000.0000"}));
    EXPECT_EQ(s.AverageBalance, huge);
}

TEST_F(CashFlowSeriesTest, ExcludingTaxBarsAreNetAndTheLineHasNoTax) {
    Taxed(Credit(Day(2024, 3, 10), 22), 2);
    Recalc();
    const TCashFlowSeries s = Build(TSliceKind::Month, ChartAmountsNet(Settings, true));
    EXPECT_EQ(Points(s.CreditBars), (std::vector<std::string>{"Jan-24=100.0000", "Feb-24=", "Mar-24=20.0000"}));
    EXPECT_EQ(Points(s.DebitBars), (std::vector<std::string>{"Jan-24=50.0000", "Feb-24=30.0000", "Mar-24="}));
    EXPECT_EQ(Points(s.CashFlowLine),
              (std::vector<std::string>{"Jan-24=162.0690", "Feb-24=124.1379", "Mar-24=122.0000"}));
    EXPECT_EQ(s.AverageBalance, Cash(136.0690));

    // Without tax tracked the "Excluding" switch cannot make amounts net.
    Settings.TaxOn = 0;
    EXPECT_FALSE(ChartAmountsNet(Settings, true));
}

TEST_F(CashFlowSeriesTest, WeeksRunMondayToSundayAndTheBalanceCoversOnlyTheRange) {
    Taxed(Credit(Day(2024, 3, 10), 22), 2);
    Recalc();
    const TCashFlowSeries s = Build(TSliceKind::Week);
    ASSERT_EQ(s.Credits.Count(), 10);
    // The range starts on Wednesday 3 January: the credits' first week starts on the Monday before.
    EXPECT_EQ(s.Credits.Buckets().front().Start, Day(2024, 1, 1));
    EXPECT_EQ(s.Balance.Buckets().front().Start, Day(2024, 1, 3));
    const std::vector<std::string> credits = Points(s.CreditBars);
    EXPECT_EQ(credits[0], "01-Jan-24 to 07-Jan-24=110.0000");
    EXPECT_EQ(credits[1], "08-Jan-24 to 14-Jan-24="); // a week without credits keeps its label
    EXPECT_EQ(credits[9], "04-Mar-24 to 10-Mar-24=22.0000");
    const std::vector<std::string> line = Points(s.CashFlowLine);
    ASSERT_EQ(line.size(), 10u);
    EXPECT_EQ(line[0], "01-Jan-24 to 07-Jan-24=210.0000"); // 3..7 January only
    EXPECT_EQ(line[1], "08-Jan-24 to 14-Jan-24=170.7143"); // (2 × 210 + 5 × 155) / 7
    EXPECT_EQ(line[9], "04-Mar-24 to 10-Mar-24=125.1429"); // (6 × 122 + 144) / 7
    for (std::size_t i = 0; i < s.CashFlowLine.Points.size(); ++i)
        EXPECT_EQ(s.CashFlowLine.Points[i].Slot, s.CreditBars.Points[i].Slot);
    EXPECT_EQ(CashFlowLegend(s, Formats).AverageCaption, "Weekly Average  ");
}

// The worksheet may list the newest first: the chart's range still runs from the earliest
// shown day to the latest, and the figures are those of date order.
TEST_F(CashFlowSeriesTest, TheWorksheetsOrderDoesNotChangeTheChart) {
    Taxed(Credit(Day(2024, 3, 10), 22), 2);
    Recalc();
    const TCashFlowSeries inDateOrder = Build(TSliceKind::Month);
    std::reverse(L.TransList.RowList.begin(), L.TransList.RowList.end());
    Recalculate(L);
    ASSERT_EQ(L.TransList.RowItem(0)->Date, Day(2024, 3, 10));
    EXPECT_EQ(CashFlowDateSpan(L.TransList, 0), std::make_pair(Day(2024, 1, 3), Day(2024, 3, 10)));
    const TCashFlowSeries newestFirst = Build(TSliceKind::Month);
    EXPECT_EQ(Points(newestFirst.CreditBars), Points(inDateOrder.CreditBars));
    EXPECT_EQ(Points(newestFirst.DebitBars), Points(inDateOrder.DebitBars));
    EXPECT_EQ(Points(newestFirst.CashFlowLine), Points(inDateOrder.CashFlowLine));

    // A date range that leaves out the first and last days.
    L.Switches.DateRangeActive = true;
    L.TransList.SetRangeDate(1, Day(2024, 1, 4));
    L.TransList.SetRangeDate(2, Day(2024, 3, 9));
    Recalculate(L);
    EXPECT_EQ(CashFlowDateSpan(L.TransList, 0), std::make_pair(Day(2024, 1, 10), Day(2024, 2, 10)));
    // The balances run on from before the range; 10 March's credit, after it, is in nothing.
    const TCashFlowSeries ranged = Build(TSliceKind::Month);
    EXPECT_EQ(Points(ranged.CreditBars), (std::vector<std::string>{"Jan-24=", "Feb-24="}));
    EXPECT_EQ(Points(ranged.DebitBars), (std::vector<std::string>{"Jan-24=55.0000", "Feb-24=33.0000"}));
    // 10..31 January at 155; 1..10 February: 4 days at 155 and 6 at 122.
    EXPECT_EQ(Points(ranged.CashFlowLine), (std::vector<std::string>{"Jan-24=155.0000", "Feb-24=135.2000"}));
}

TEST_F(CashFlowSeriesTest, LabelsOfEachRange) {
    Recalc(); // 3 January .. 10 February
    struct Case {
        TSliceKind Kind;
        std::size_t Count;
        std::string First;
        std::string Last;
    };
    const Case cases[] = {
        {TSliceKind::Day, 39, "03-Jan-24", "10-Feb-24"},
        {TSliceKind::Week, 6, "01-Jan-24 to 07-Jan-24", "05-Feb-24 to 11-Feb-24"},
        {TSliceKind::Month, 2, "Jan-24", "Feb-24"},
        {TSliceKind::Quarter, 1, "01-Jan-24 to 31-Mar-24", "01-Jan-24 to 31-Mar-24"},
    };
    for (const Case& c : cases) {
        const TCashFlowSeries s = Build(c.Kind);
        SCOPED_TRACE(RangeText(c.Kind));
        ASSERT_EQ(s.CreditBars.Points.size(), c.Count);
        EXPECT_EQ(s.CreditBars.Points.front().Label, c.First);
        EXPECT_EQ(s.CreditBars.Points.back().Label, c.Last);
    }
}

TEST_F(CashFlowSeriesTest, DebitsAheadMakeTheDifferenceRed) {
    Debit(Day(2024, 3, 10), 200);
    Taxed(Credit(Day(2024, 3, 10), 22), 2);
    Recalc();
    const TCashFlowLegend legend = CashFlowLegend(Build(TSliceKind::Quarter), Formats);
    // 132 / 420 = 0.3143 and 288 / 420 = 0.6857, each rounded to four decimals first.
    EXPECT_EQ(legend.CreditShareText, "31.43%");
    EXPECT_EQ(legend.DebitShareText, "68.57%");
    EXPECT_EQ(legend.Difference, Cash(-37.14));
    EXPECT_EQ(legend.DifferenceText, "37.14%");
    EXPECT_EQ(legend.DifferenceBackground, ChartRed);
    EXPECT_EQ(legend.DifferenceTextColour, ChartWhite);
    EXPECT_EQ(legend.PrintedDifferenceText, " -37.14%");
    EXPECT_EQ(legend.AverageCreditText, "$132.00"); // one quarter
}

TEST_F(CashFlowSeriesTest, ABucketWhoseAverageBalanceIsZeroHasNoLinePoint) {
    L.TransList.Clear();
    Credit(Day(2024, 1, 1), 10);
    Debit(Day(2024, 1, 1), 10);
    Credit(Day(2024, 2, 1), 5);
    Recalc();
    const TCashFlowSeries s = Build(TSliceKind::Month);
    EXPECT_EQ(Points(s.CashFlowLine), (std::vector<std::string>{"Feb-24=5.0000"}));
    EXPECT_EQ(s.CashFlowLine.Points[0].Slot, 1); // the second place on the axis
    EXPECT_EQ(Points(s.CreditBars), (std::vector<std::string>{"Jan-24=10.0000", "Feb-24=5.0000"}));
    EXPECT_EQ(s.AverageBalance, Cash(2.5)); // the zero month still counts in the average
}

TEST_F(CashFlowSeriesTest, NothingShownChartsTodayWithNothingInIt) {
    Recalc();
    EXPECT_TRUE(CashFlowChartCanOpen(L));
    EXPECT_TRUE(CashFlowChartCanPrint(L));
    for (TTransRec* t : L.TransList.KeyList)
        t->Row = -1;
    L.TransList.VisibleCount = 0;
    EXPECT_FALSE(CashFlowChartCanOpen(L));
    EXPECT_FALSE(CashFlowChartCanPrint(L));
    const TCashFlowSeries s = Build(TSliceKind::Month);
    EXPECT_EQ(s.FirstDay, Day(2030, 1, 1));
    EXPECT_EQ(Points(s.CreditBars), (std::vector<std::string>{"Jan-30="}));
    EXPECT_TRUE(s.CashFlowLine.Points.empty());
    const TCashFlowLegend legend = CashFlowLegend(s, Formats);
    EXPECT_EQ(legend.CreditShareText, "0%");
    EXPECT_EQ(legend.DifferenceText, "0.00%");
    EXPECT_EQ(legend.DifferenceBackground, ChartGreen);
}

// The account bar of the chart: only Savings, which holds the transfer in and nothing else.
TEST_F(CashFlowSeriesTest, TheAccountChoiceRecalculatesTheBooks) {
    Recalc();
    ChooseChartAccounts(L, {false, true});
    EXPECT_EQ(L.BookList.KeyList[0]->Selected, 0);
    EXPECT_EQ(L.BookList.KeyList[1]->Selected, 1);
    const TCashFlowSeries s = Build(TSliceKind::Month);
    EXPECT_EQ(s.FirstDay, Day(2024, 2, 10));
    EXPECT_EQ(Points(s.CreditBars), (std::vector<std::string>{"Feb-24="}));
    EXPECT_EQ(Points(s.CashFlowLine), (std::vector<std::string>{"Feb-24=20.0000"}));
    EXPECT_EQ(CashFlowChartTitle(L, Formats), "Cash Flow Chart -  Selected Transactions ");
}

TEST_F(CashFlowSeriesTest, Titles) {
    Recalc();
    struct Case {
        bool Categories;
        bool Groups;
        bool DateRange;
        std::string Expected;
    };
    const Case cases[] = {
        {false, false, false, "Cash Flow Chart -  All Transactions "},
        {true, false, false, "Cash Flow Chart -  Selected Transactions "},
        {false, true, false, "Cash Flow Chart -  Selected Transactions "},
        {false, false, true, "Cash Flow Chart -  All Transactions  between 01/02/2024 and 29/02/2024"},
    };
    L.TransList.SetRangeDate(1, Day(2024, 2, 1));
    L.TransList.SetRangeDate(2, Day(2024, 2, 29));
    for (const Case& c : cases) {
        L.Switches.CategorySelectionActive = c.Categories;
        L.Switches.GroupSelectionActive = c.Groups;
        L.Switches.DateRangeActive = c.DateRange;
        EXPECT_EQ(CashFlowChartTitle(L, Formats), c.Expected);
    }
}

TEST_F(CashFlowSeriesTest, HintsAndTaxSwitches) {
    const TChartPoint point{"Jan-24", Cash(1234.5), ChartBlue};
    const TChartPoint day{"03-Jan-24", Cash(-7), ChartBlue};
    EXPECT_EQ(CashFlowHintText(TCashFlowHintSeries::CashFlow, TSliceKind::Month, point, Formats),
              " Jan-24  -  Average Balance $1,234.50");
    EXPECT_EQ(CashFlowHintText(TCashFlowHintSeries::CashFlow, TSliceKind::Day, day, Formats),
              " 03-Jan-24  -  Balance -$7.00");
    EXPECT_EQ(CashFlowHintText(TCashFlowHintSeries::Credit, TSliceKind::Month, point, Formats),
              " Jan-24  -  Credit $1,234.50");
    EXPECT_EQ(CashFlowHintText(TCashFlowHintSeries::Debit, TSliceKind::Month, point, Formats),
              " Jan-24  -  Debit $1,234.50");
    EXPECT_EQ(CashFlowHintText(TCashFlowHintSeries::Credit, TSliceKind::Month, {"Feb-24", std::nullopt, 0}, Formats),
              "");
    EXPECT_EQ(CashFlowHintColour(TCashFlowHintSeries::Debit), ChartRed);

    L.Switches.GstInTotals = false;
    const TChartTaxSwitches switches = ChartTaxSwitches(Settings, L.Switches);
    EXPECT_TRUE(switches.Shown);
    EXPECT_EQ(switches.ExcludingCaption, "Excluding GST");
    EXPECT_EQ(switches.IncludingCaption, "Including GST");
    EXPECT_FALSE(switches.IncludingDown);
}

} // namespace
} // namespace qz::testing

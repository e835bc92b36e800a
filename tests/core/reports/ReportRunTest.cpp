#include "ReportFixture.h"

#include "reports/CashFlowReport.h"
#include "reports/GstReport.h"
#include "reports/ReportRun.h"

namespace qz::testing {
namespace {

using Lines = std::vector<std::string>;

class ReportRunTest : public ReportFixture {
protected:
    // The books as the worksheet shows them: every date, totals as the switch says.
    void Worksheet(bool gstInTotals) {
        Finish();
        L.Switches.GstInTotals = gstInTotals;
        Recalculate(L);
    }
    Money SalesTotal() const { return L.MainActList.FindByNumber(Sales)->Total; }
    Lines Reports() {
        Options.Detailed = true;
        Lines lines = Dump(CashFlowReport(L, Settings, Options, Formats));
        const Lines gst = Dump(GstReport(L, Settings, Options, Formats));
        lines.insert(lines.end(), gst.begin(), gst.end());
        return lines;
    }
};

TEST_F(ReportRunTest, WithTaxInTotalsTheReportsStillLeaveTheTaxOutAndTheWorksheetGetsItBack) {
    // What the reports print for February from books already net of tax.
    Worksheet(false);
    L.TransList.DateFrom = Day(2024, 2, 1);
    L.TransList.DateTo = Day(2024, 2, 29);
    Recalculate(L);
    const Lines expected = Reports();
    ASSERT_NE(std::find(expected.begin(), expected.end(), "One | $250.00 [10,16]"), expected.end());

    Worksheet(true);
    const TWorksheetPeriod worksheet = TWorksheetPeriod::Of(L);
    const auto typeOrder = L.CatList.KeyList;
    const auto categoryOrder = L.MainActList.KeyList;
    {
        const TReportRun run(L, Day(2024, 2, 1), Day(2024, 2, 29), true);
        EXPECT_FALSE(L.Switches.GstInTotals);
        EXPECT_EQ(Reports(), expected);
    }
    // The option is back, with the tax in the totals; the period stays the report's.
    EXPECT_TRUE(L.Switches.GstInTotals);
    EXPECT_EQ(SalesTotal(), Cash(270));
    EXPECT_EQ(L.TransList.DateFrom, Day(2024, 2, 1));
    EXPECT_EQ(L.CatList.KeyList, typeOrder);
    EXPECT_EQ(L.MainActList.KeyList, categoryOrder);
    // Closing the Reports window puts the worksheet's own dates back.
    EXPECT_TRUE(worksheet.Restore(L));
    EXPECT_EQ(L.TransList.DateFrom, Day(2024, 1, 1));
    EXPECT_EQ(L.TransList.DateTo, Day(2024, 3, 1));
    EXPECT_EQ(SalesTotal(), Cash(110 + 220 + 50 + 999));
    EXPECT_FALSE(worksheet.Restore(L));
}

TEST_F(ReportRunTest, TheSwitchTakesTheOptionWhenTheRunEnds) {
    struct Case {
        bool SwitchBefore, Option;
        Money SalesAfter; // February's sales, with or without their tax
    };
    for (const Case& c : {Case{true, true, Cash(270)}, Case{false, false, Cash(250)}, Case{false, true, Cash(270)},
                          Case{true, false, Cash(250)}}) {
        Worksheet(c.SwitchBefore);
        {
            const TReportRun run(L, Day(2024, 2, 1), Day(2024, 2, 29), c.Option);
            EXPECT_EQ(SalesTotal(), Cash(250)) << c.SwitchBefore << c.Option;
        }
        EXPECT_EQ(L.Switches.GstInTotals, c.Option);
        EXPECT_EQ(SalesTotal(), c.SalesAfter) << c.SwitchBefore << c.Option;
    }
}

} // namespace
} // namespace qz::testing

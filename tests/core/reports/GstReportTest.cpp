#include "ReportFixture.h"

#include "reports/GstReport.h"

namespace qz::testing {
namespace {

using Lines = std::vector<std::string>;

class GstReportTest : public ReportFixture {
protected:
    void SetUp() override {
        ReportFixture::SetUp();
        // A zero-tax sale left unreconciled: in the zero-tax total, not in its table.
        Credit(Day(2024, 2, 12), 25)->Reconciled = 0;
    }
    Lines Run() { return Dump(GstReport(L, Settings, Options, Formats)); }
};

// Every TAX in `lines` becomes the tax name.
Lines WithTaxName(Lines lines, const std::string& tax) {
    for (std::string& line : lines)
        for (std::size_t at; (at = line.find("TAX")) != std::string::npos;)
            line.replace(at, 3, tax);
    return lines;
}

TEST_F(GstReportTest, DetailedReportInGstAndVat) {
    const Lines expected{
        "T: TAX Report - Wattle Lane, ABN 12",
        "T: ",
        // 15 at the start of the books, +10 and -5 in January.
        "TAX OPENING BALANCE - 01/02/2024 | $20.00 [4,4 b 223]",
        "# TAX COLLECTED FROM SALES",
        "H0:Date|Ref.|Category|Sub Category|Amount|TAX $ b",
        "R0:05/02/2024||Sales|One|$220.00|$20.00",
        "F0:||||$220.00|$20.00 b",
        "TOTAL TAX COLLECTED FROM SALES | $20.00 [4,4 b 223]",
        "# TAX CREDITS VIA PURCHASES",
        "H1:Date|Ref.|Category|Sub Category|Amount|TAX $ b",
        "R1:07/02/2024||Rent|One|$33.00|$3.00",
        "F1:||||$33.00|$3.00 b",
        "TOTAL TAX CREDITS VIA PURCHASES | $3.00 [4,4 b 223]",
        "NETT TAX AMOUNT | $17.00 [4,4 b 223]",
        "# TAX PAYMENTS/REFUNDS",
        "H2:Date|Ref.|Kind|Amount b",
        "R2:08/02/2024||Payment|$100.00",
        "R2:09/02/2024||Refund|-$40.00",
        "TOTAL TAX PAYMENTS/REFUNDS | $60.00 [4,4 b 223]",
        "TAX CLOSING BALANCE | -$23.00 [4,4 b 223]",
        "# ZERO TAX TRANSACTIONS - SALES",
        "H3:Date|Ref.|Category|Sub Category|Amount b",
        "R3:06/02/2024||Sales|One|$50.00",
        "TOTAL ZERO TAX TRANSACTIONS - SALES | $75.00 [4,4 223]",
        "TOTAL ZERO TAX TRANSACTIONS - PURCHASES | $0.00 [4,4 223]",
    };
    Options.Detailed = true;
    February();
    for (const char* tax : {"GST", "VAT"}) {
        Settings.TaxName = tax;
        EXPECT_EQ(Run(), WithTaxName(expected, tax)) << tax;
    }
}

TEST_F(GstReportTest, BasicReportPrintsTheTotalsOnly) {
    February();
    EXPECT_EQ(Run(), (Lines{
                         "T: GST Report - Wattle Lane, ABN 12",
                         "T: ",
                         "GST OPENING BALANCE - 01/02/2024 | $20.00 [4,4 223]",
                         "TOTAL GST COLLECTED FROM SALES | $20.00 [4,4 223]",
                         "TOTAL GST CREDITS VIA PURCHASES | $3.00 [4,4 223]",
                         "NETT GST AMOUNT | $17.00 [4,4 223]",
                         "TOTAL GST PAYMENTS/REFUNDS | $60.00 [4,4 223]",
                         "GST CLOSING BALANCE | -$23.00 [4,4 b 223]",
                         "TOTAL ZERO GST TRANSACTIONS - SALES | $75.00 [4,4 223]",
                         "TOTAL ZERO GST TRANSACTIONS - PURCHASES | $0.00 [4,4 223]",
                     }));
}

TEST_F(GstReportTest, UnreconciledIncludedAreListedAndCounted) {
    L.Switches.IncludeUnreconciled = true;
    Options.Detailed = true;
    February();
    const TGstLists lists = GstReportLists(L);
    ASSERT_EQ(lists.Purchases.size(), 2U);
    EXPECT_EQ(lists.Purchases[1]->Amount, Cash(77));
    EXPECT_EQ(lists.ZeroSales.size(), 2U);
    EXPECT_EQ(GstFigures(L).Paid, Cash(10));
}

TEST_F(GstReportTest, PeriodWithoutTaxedSales) {
    Options.Detailed = true;
    Period(Day(2024, 2, 6), Day(2024, 2, 7));
    const Lines lines = Run();
    // 15 + 10 - 5 + 20 by the end of 5 February.
    EXPECT_EQ(Lines(lines.begin() + 2, lines.begin() + 5),
              (Lines{"GST OPENING BALANCE - 06/02/2024 | $40.00 [4,4 b 223]",
                     "TOTAL GST COLLECTED FROM SALES | $0.00 [4,4 b 223]", "# GST CREDITS VIA PURCHASES"}));
}

TEST_F(GstReportTest, AnExcludedAccountOrASelectionDropsTheOpeningLine) {
    struct Case {
        const char* Name;
        bool ExcludeSavings, GroupSelection;
    };
    for (const Case& c : {Case{"Savings excluded", true, false}, Case{"group selection", false, true}}) {
        L.BookList.FindByNumber(1)->Selected = c.ExcludeSavings ? 0 : 1;
        L.Switches.GroupSelectionActive = c.GroupSelection;
        February();
        const TGstFigures figures = GstFigures(L);
        EXPECT_FALSE(figures.OpeningUsed) << c.Name;
        EXPECT_EQ(figures.ClosingBalance, Cash(17 - 60)) << c.Name;
        EXPECT_EQ(Run()[2], "TOTAL GST COLLECTED FROM SALES | $20.00 [4,4 223]") << c.Name;
    }
}

TEST_F(GstReportTest, PaperWidthAgainstTheSalesTable) {
    EXPECT_DOUBLE_EQ(GstSalesTableWidthMm(), 152);
    EXPECT_FALSE(GstPaperWideEnough(151.9));
    EXPECT_TRUE(GstPaperWideEnough(152));
}

TEST_F(GstReportTest, TablesSitTenMillimetresInside) {
    Options.Detailed = true;
    February();
    const TReport report = GstReport(L, Settings, Options, Formats);
    ASSERT_EQ(report.Tables.size(), 5U);
    for (const TReportTable& table : report.Tables)
        EXPECT_EQ(table.RightInsetMm, 10);
    EXPECT_EQ(report.Tables[2].Columns[2].WidthMm, 20);
    EXPECT_EQ(report.Tables[0].Columns[0].Align, TReportAlign::Centre);
    EXPECT_EQ(report.Tables[0].Columns[5].Align, TReportAlign::Right);
}

} // namespace
} // namespace qz::testing

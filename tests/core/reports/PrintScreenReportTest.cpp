// The print-screen report of small hand-made books: the worksheet's visible columns in their
// order and proportion, the rows as the worksheet shows them (unreconciled ones shaded), the
// totals, the running balance left out of a printout not in date order, the title, the
// paper-width warning and the GST table of the Quick Summary tab.

#include "reports/PrintScreenReport.h"

#include "../worksheet/WorksheetFixture.h"

#include <gtest/gtest.h>

#include <numeric>

namespace qz::testing {
namespace {

class PrintScreenReportTest : public WorksheetFixture {
protected:
    void Books() {
        Opening(Day(2024, 1, 1), 1000, 0);
        Credit(Day(2024, 1, 5), 110)->Reconciled = 1;
        Debit(Day(2024, 1, 7), 40)->Reconciled = 0;
        Sheet.SetTax(true, "GST");
        Open();
    }

    TReport Print(TPrintScreenOptions options = {}) {
        options.PrintableWidthMm = 180;
        return PrintScreenReport(Sheet, options);
    }

    static std::vector<const TReportLine*> OfKind(const TReport& report, TReportLineKind kind) {
        std::vector<const TReportLine*> lines;
        for (const TReportLine& line : report.Lines)
            if (line.Kind == kind)
                lines.push_back(&line);
        return lines;
    }

    std::vector<std::string> VisibleTitles(int view) const {
        std::vector<std::string> titles;
        for (const TColProperty& column : Sheet.GridInfo[view].ColInfo.Items)
            if (column.Visible)
                titles.push_back(column.Title);
        return titles;
    }
};

TEST_F(PrintScreenReportTest, TheRowsAndTotalsAreTheWorksheetsInItsColumnsAndProportions) {
    Books();
    const TReport report = Print();
    ASSERT_EQ(report.Tables.size(), 1u);
    const TReportTable& table = report.Tables[0];
    const std::vector<const TReportLine*> rows = OfKind(report, TReportLineKind::Row);
    const std::vector<const TReportLine*> headers = OfKind(report, TReportLineKind::Header);
    ASSERT_EQ(headers.size(), 1u);
    EXPECT_EQ(headers[0]->Cells, VisibleTitles(ViewTransactions));
    // Three rows, then the totals.
    ASSERT_EQ(rows.size(), 4u);
    std::vector<std::string> slots;
    bool enabled = true;
    std::uint8_t type = 0;
    Sheet.GridB1GetText(1, slots, enabled, type);
    std::vector<std::string> shown;
    for (const TColProperty& column : Sheet.GridInfo[ViewTransactions].ColInfo.Items)
        if (column.Visible)
            shown.push_back(slots[static_cast<std::size_t>(column.LinkIndex)]);
    EXPECT_EQ(rows[1]->Cells, shown);
    EXPECT_TRUE(rows[3]->Boxed && rows[3]->Bold);
    EXPECT_NE(std::find(rows[3]->Cells.begin(), rows[3]->Cells.end(), "$1,110.00"), rows[3]->Cells.end());

    // Widths fill the printable width, each in proportion to the screen's with its 2 mm gap.
    double width = 0;
    for (const TReportColumn& column : table.Columns)
        width += column.WidthMm;
    EXPECT_NEAR(width, 180, 1e-9);
    std::vector<std::int32_t> screen;
    for (const TColProperty& column : Sheet.GridInfo[ViewTransactions].ColInfo.Items)
        if (column.Visible)
            screen.push_back(column.Width);
    const double screenWidth = std::accumulate(screen.begin(), screen.end(), 0.0);
    const double shared = 180 - 2.0 * static_cast<double>(screen.size());
    for (std::size_t c = 0; c < screen.size(); ++c)
        EXPECT_NEAR(table.Columns[c].WidthMm, shared * screen[c] / screenWidth + 2, 1e-9) << c;

    // The unreconciled debit is shaded; the others are not.
    EXPECT_EQ(rows[2]->Band, 0xC9C9C9u);
    EXPECT_EQ(rows[1]->Band, 0xFFFFFFu);
    EXPECT_TRUE(report.FooterShowsPageCount);
}

TEST_F(PrintScreenReportTest, TheBalanceIsLeftOutUnlessTheRowsAreInDateOrder) {
    Books();
    const auto hasBalance = [&] {
        const TReport report = Print();
        for (const TReportLine* header : OfKind(report, TReportLineKind::Header))
            for (const std::string& cell : header->Cells)
                if (cell == "Balance")
                    return true;
        return false;
    };
    EXPECT_TRUE(hasBalance());
    TGridInfo& info = Sheet.GridInfo[ViewTransactions];
    info.SortDirection = sdDescending;
    EXPECT_FALSE(hasBalance());
    info.SortDirection = sdAscending;
    info.SortIndex = 5;
    EXPECT_FALSE(hasBalance());
    EXPECT_EQ(PrintScreenColumnCount(Sheet), static_cast<int>(VisibleTitles(ViewTransactions).size()) - 1);
}

TEST_F(PrintScreenReportTest, TitlesGridlinesAndColours) {
    Books();
    EXPECT_EQ(PrintScreenTitle(Sheet, "Cafe", "12 345", true, false), "Print Screen - All Transactions - Cafe");
    L.Switches.DateRangeActive = true;
    EXPECT_EQ(PrintScreenTitle(Sheet, "Cafe", "12 345", true, true),
              "Print Screen - Selected Transactions - Cafe, 12 345");
    Sheet.SwitchView(ViewSummary);
    EXPECT_EQ(PrintScreenTitle(Sheet, "Cafe", "", false, false), "Print Screen - Quick & GST Summaries");
    Sheet.SwitchView(ViewTransactions);

    TPrintScreenOptions options;
    options.MainTitle = "Print Screen - All Transactions";
    options.Information = "All transactions\nall accounts";
    options.FileLine = "Filename - Cafe";
    options.PrintedText = "11/12/2026 10:00:00";
    options.Gridlines = false;
    options.Colour = false;
    TReport report = Print(options);
    const std::vector<const TReportLine*> texts = OfKind(report, TReportLineKind::Text);
    ASSERT_EQ(texts.size(), 3u); // the title and two lines of information
    EXPECT_TRUE(texts[0]->Bold && texts[0]->Underline);
    EXPECT_EQ(texts[2]->Label, "all accounts");
    EXPECT_TRUE(texts[2]->RuleBelow) << "without gridlines a rule closes the title band";
    EXPECT_FALSE(report.Tables[0].Gridlines);
    for (const TReportColumn& column : report.Tables[0].Columns)
        EXPECT_EQ(column.Colour, 0u);
    EXPECT_EQ(report.Lines.front().Label, "Filename - Cafe");
    EXPECT_EQ(report.Lines.front().Amount, "Printed: 11/12/2026 10:00:00");

    options.Gridlines = true;
    options.PrintFilename = false;
    report = Print(options);
    EXPECT_TRUE(report.Tables[0].Gridlines);
    EXPECT_EQ(report.Lines.front().Label, "");
    EXPECT_FALSE(OfKind(report, TReportLineKind::Text).back()->RuleBelow);
}

TEST_F(PrintScreenReportTest, PaperNarrowerThan25MillimetresAColumnIsToldOf) {
    EXPECT_FALSE(PrintScreenPaperTooNarrow(210, 8));
    EXPECT_TRUE(PrintScreenPaperTooNarrow(210, 9));
    EXPECT_NE(std::string(PrintScreenPaperMessage).find("\r \xBB Print this report in landscape mode\r"),
              std::string::npos);
}

TEST_F(PrintScreenReportTest, TheQuickSummaryCarriesTheGstTableOnlyWhileTaxIsTracked) {
    Books();
    L.GstPaymentCat = TaxPaid;
    Sheet.SwitchView(ViewSummary);
    Sheet.Refresh();
    TReport report = Print();
    ASSERT_EQ(report.Tables.size(), 2u);
    std::vector<std::string> labels;
    for (const TReportLine& line : report.Lines)
        if (line.Kind == TReportLineKind::Row && line.Table == 1)
            labels.push_back(line.Cells[0]);
    EXPECT_EQ(labels, (std::vector<std::string>{"GST OPENING BALANCE", "TOTAL GST COLLECTED FROM SALES",
                                                "TOTAL GST PAID VIA PURCHASES", "DIFFERENCE", "TOTAL GST PAID",
                                                "GST CLOSING BALANCE"}));
    EXPECT_EQ(report.Lines.back().Cells[1], Sheet.TaxSummary().Values[5]);
    EXPECT_TRUE(report.Lines.back().Bold);

    Sheet.SetTax(false, "GST");
    report = Print();
    EXPECT_EQ(report.Tables.size(), 1u);
}

} // namespace
} // namespace qz::testing

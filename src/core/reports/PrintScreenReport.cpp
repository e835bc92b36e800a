#include "PrintScreenReport.h"

#include "ReportLayout.h"
#include "engine/Engine.h"

#include <algorithm>
#include <sstream>

namespace qz {

namespace {

constexpr std::uint32_t UnreconciledBand = 0xC9C9C9; // red, green and blue 201
constexpr double ColumnGapMm = 2;

// The transactions' date order, the one the running balances follow.
constexpr std::int32_t DateSortKey = 1;

bool BalanceLeftOut(const TWorksheet& sheet) {
    const TGridInfo& info = sheet.GridInfo[ViewTransactions];
    return sheet.ActiveTab() == ViewTransactions &&
           (info.SortIndex != DateSortKey || info.SortDirection != sdAscending);
}

// The columns printed, in display order.
std::vector<const TColProperty*> PrintedColumns(const TWorksheet& sheet) {
    const bool noBalance = BalanceLeftOut(sheet);
    std::vector<const TColProperty*> columns;
    for (const TColProperty& column : sheet.GridInfo[sheet.ActiveTab()].ColInfo.Items)
        if (column.Visible && !(noBalance && column.LinkIndex == BalLinkIndex))
            columns.push_back(&column);
    return columns;
}

TReportAlign AlignOf(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify:
        return TReportAlign::Right;
    case taCenter:
        return TReportAlign::Centre;
    case taLeftJustify:
        break;
    }
    return TReportAlign::Left;
}

// A colour as the documents keep it (0x00BBGGRR) as the report's 0xRRGGBB.
std::uint32_t Rgb(TColour colour) {
    const auto value = static_cast<std::uint32_t>(colour);
    return ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
}

TReportLine TextLine(std::string text, double points, TReportAlign align) {
    TReportLine line;
    line.Kind = TReportLineKind::Text;
    line.Label = std::move(text);
    line.PointSize = points;
    line.Align = align;
    line.FirstPageOnly = true;
    return line;
}

void AddTitleBand(TReport& report, const TPrintScreenOptions& options, const TPrintScreenFonts& fonts) {
    std::string fileText = options.PrintFilename ? options.FileLine : std::string();
    std::string printedText = options.PrintDate ? "Printed: " + options.PrintedText : std::string();
    if (!fileText.empty() || !printedText.empty()) {
        TReportLine& line = AddLine(report, std::move(fileText), std::move(printedText), 0, 0);
        line.PointSize = fonts.Titles;
        line.FirstPageOnly = true;
    }
    report.Title = options.MainTitle;
    TReportLine title = TextLine(options.MainTitle, fonts.Titles, TReportAlign::Centre);
    title.Bold = true;
    title.Underline = true;
    report.Lines.push_back(title);
    std::istringstream information(options.Information);
    for (std::string text; std::getline(information, text);) {
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        report.Lines.push_back(TextLine(text, fonts.Information, TReportAlign::Centre));
    }
    // Without gridlines a rule closes the title band.
    if (!options.Gridlines)
        report.Lines.back().RuleBelow = true;
}

// The GST/VAT table of the Quick Summary tab: the tax summary panel's first and last values as
// it shows them, the totals between in the money format.
void AddTaxTable(TReport& report, const TWorksheet& sheet, const TPrintScreenOptions& options,
                 const TPrintScreenFonts& fonts) {
    const TTaxSummary panel = sheet.TaxSummary();
    const TLedger& ledger = sheet.Ledger;
    const TMainActRec* payments =
        ledger.GstPaymentCat < 0 ? nullptr : ledger.MainActList.FindByNumber(ledger.GstPaymentCat);
    const Money collected = ledger.TransList.GstCreditTotal;
    const Money paid = ledger.TransList.GstDebitTotal;
    const std::string& tax = sheet.TaxName();
    const std::pair<std::string, std::string> rows[] = {
        {tax + " OPENING BALANCE", panel.Values[0]},
        {"TOTAL " + tax + " COLLECTED FROM SALES", sheet.Formats.MoneyText(collected)},
        {"TOTAL " + tax + " PAID VIA PURCHASES", sheet.Formats.MoneyText(paid)},
        {"DIFFERENCE", sheet.Formats.MoneyText(collected - paid)},
        {"TOTAL " + tax + " PAID", sheet.Formats.MoneyText(payments ? payments->Total : Money())},
        {tax + " CLOSING BALANCE", panel.Values[5]},
    };
    TReportTable table;
    table.Columns = {{"", 90, TReportAlign::Left}, {"", 40, TReportAlign::Right}};
    table.RightInsetMm = std::max(0.0, options.PrintableWidthMm - 130);
    const int index = static_cast<int>(report.Tables.size());
    report.Tables.push_back(table);
    for (std::size_t r = 0; r < std::size(rows); ++r) {
        TReportLine line;
        line.Kind = TReportLineKind::Row;
        line.Table = index;
        line.Cells = {rows[r].first, rows[r].second};
        line.PointSize = fonts.Rows;
        line.Bold = r + 1 == std::size(rows);
        if (options.Gridlines) {
            line.RuleAbove = r == 0 ? 3 : 1;
            line.RuleBelow = r + 1 == std::size(rows);
        }
        report.Lines.push_back(std::move(line));
    }
}

} // namespace

TPrintScreenFonts PrintScreenFonts(TPrintFontSize size) {
    switch (size) {
    case TPrintFontSize::Small:
        return {10, 8, 8, 9};
    case TPrintFontSize::Large:
        return {14, 12, 10, 13};
    case TPrintFontSize::Normal:
        break;
    }
    return {12, 10, 10, 11};
}

std::string PrintScreenTitle(const TWorksheet& sheet, const std::string& businessName,
                             const std::string& businessNumber, bool printBisName, bool printBisNumber) {
    const int tab = sheet.ActiveTab();
    std::string qualifier;
    if (tab != ViewSummary)
        qualifier = sheet.Ledger.Switches.AnySelectionActive() ? "Selected " : "All ";
    std::string title = "Print Screen - " + qualifier + sheet.TabCaption(tab);
    if (printBisName)
        title += " - " + businessName;
    if (printBisNumber)
        title += ", " + businessNumber;
    return title;
}

std::string PrintScreenInformation(const TWorksheet& sheet) {
    const TLedger& ledger = sheet.Ledger;
    const TCalcSwitches& switches = ledger.Switches;
    std::string text = sheet.Formats.DateText(ledger.TransList.DateFrom) + " Through " +
                       sheet.Formats.DateText(ledger.TransList.DateTo);
    if (AllAccountsSelected(ledger)) {
        text += "\nAll Accounts";
    } else {
        std::string names;
        for (const TBookRec* book : ledger.BookList.KeyList)
            if (book->Selected)
                names += (names.empty() ? "" : ", ") + book->Name.Str();
        text += "\nAccounts: " + names;
    }
    std::string selections;
    const auto add = [&selections](bool on, const char* name) {
        if (on)
            selections += (selections.empty() ? "" : ", ") + std::string(name);
    };
    add(switches.CategorySelectionActive, "Category Selection");
    add(switches.GroupSelectionActive, "Group Selection");
    add(switches.SearchActive, "Transaction Selection");
    if (!selections.empty())
        text += "\nSelected Transactions only: " + selections;
    return text;
}

int PrintScreenColumnCount(const TWorksheet& sheet) {
    return static_cast<int>(PrintedColumns(sheet).size());
}

bool PrintScreenPaperTooNarrow(double pageWidthMm, int columns) {
    return pageWidthMm < 25.0 * columns;
}

const char* const PrintScreenPaperMessage =
    "Some data in this report may not be visible due to the width of the paper being printed on.\r\r"
    "To fix this you can do one or all of the following:\r"
    " \xBB Choose larger paper to print on\r"
    " \xBB Print this report in landscape mode\r"
    " \xBB Reduce the amount of columns to be printed\r\r"
    "The report will still print.";

TReport PrintScreenReport(const TWorksheet& sheet, const TPrintScreenOptions& options) {
    const TPrintScreenFonts fonts = PrintScreenFonts(options.FontSize);
    TReport report;
    report.Name = "worksheet";
    report.PageFooterPrefix = "Page ";
    report.FooterShowsPageCount = true;
    report.FooterPointSize = fonts.Rows;
    AddTitleBand(report, options, fonts);

    // The printable width less a gap per column, shared in proportion to the screen's widths;
    // each column takes its gap on its right.
    const std::vector<const TColProperty*> columns = PrintedColumns(sheet);
    double screenWidth = 0;
    for (const TColProperty* column : columns)
        screenWidth += std::max(1, column->Width);
    const double shared = std::max(0.0, options.PrintableWidthMm - ColumnGapMm * static_cast<double>(columns.size()));
    TReportTable table;
    table.Gridlines = options.Gridlines;
    for (const TColProperty* column : columns) {
        TReportColumn printed;
        printed.Caption = column->Title;
        printed.WidthMm = shared * std::max(1, column->Width) / screenWidth + ColumnGapMm;
        printed.Align = AlignOf(column->Alignment);
        printed.Colour = options.Colour ? Rgb(column->FontCol) : 0;
        table.Columns.push_back(std::move(printed));
    }
    // The columns fill the printable width from its left edge.
    table.RightInsetMm = 0;
    const int index = static_cast<int>(report.Tables.size());
    report.Tables.push_back(table);

    TReportLine header;
    header.Kind = TReportLineKind::Header;
    header.Table = index;
    header.Bold = true;
    header.PointSize = fonts.Columns;
    for (const TColProperty* column : columns)
        header.Cells.push_back(column->Title);
    report.Lines.push_back(std::move(header));

    const int tab = sheet.ActiveTab();
    std::vector<std::string> texts;
    const std::int32_t rows = sheet.RowCount(tab);
    for (std::int32_t line = 0; line < rows; ++line) {
        bool enabled = true;
        std::uint8_t rowType = 0;
        sheet.GridB1GetText(line, texts, enabled, rowType);
        TReportLine row;
        row.Kind = TReportLineKind::Row;
        row.Table = index;
        row.PointSize = fonts.Rows;
        row.RuleBelow = options.Gridlines;
        for (const TColProperty* column : columns) {
            const auto slot = static_cast<std::size_t>(column->LinkIndex);
            row.Cells.push_back(column->LinkIndex >= 0 && slot < texts.size() ? texts[slot] : std::string());
        }
        if (tab == ViewTransactions) {
            const TTransRec* t = sheet.TransactionAt(line);
            if (t && !t->Reconciled)
                row.Band = UnreconciledBand;
        }
        report.Lines.push_back(std::move(row));
    }

    TReportLine totals;
    totals.Kind = TReportLineKind::Row;
    totals.Table = index;
    totals.Bold = true;
    totals.PointSize = fonts.Columns;
    totals.Boxed = options.Gridlines;
    for (const TColProperty* column : columns)
        totals.Cells.push_back(column->ShowTotal ? column->TotalText : std::string());
    report.Lines.push_back(std::move(totals));

    if (tab == ViewSummary && sheet.TaxOn())
        AddTaxTable(report, sheet, options, fonts);
    return report;
}

} // namespace qz

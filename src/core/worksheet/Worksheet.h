#pragma once
// The five views of the worksheet ("Transactions", "Main Categories", "Sub Categories",
// "Groups", "Quick Summary"): which records make each view's rows and in which order, the
// text, kind and colour of every row, the totals rows, the tax summary panel, the tab
// captions and toggle switches, and the view operations (refresh, switch, sort, reset).
// The grid owns no data: it asks `GridB1GetText` for one row at a time, and nothing here
// keeps texts between calls.

#include "GridInfo.h"
#include "WorksheetHost.h"
#include "ledger/DisplayFormats.h"
#include "ledger/Ledger.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qz {

// The stored options the views read; the engine switches IncludeUnreconciled and
// GstInTotals always take the values of the second and third.
struct TWorksheetOptions {
    bool BalanceEndDay = true;
    bool IncludeDisabledInCalc = false;
    bool GSTinTotals = true;
};

// The system colours the row buttons and selection buttons are painted with, and how the
// display shows colours.
struct TScreenColours {
    TColour ButtonFace = RGBColour(0xD4, 0xD0, 0xC8);
    TColour ButtonShadow = RGBColour(0x80, 0x80, 0x80);
    TColourClass Colours = TColourClass::TrueColour;
};

// The two mutually exclusive switches below the grid, as the active tab shows them.
struct TToggleSwitches {
    std::string Captions[2];
    int Down = 0; // which of the two is down
    int Width = 0;
    int SecondLeft = 0;
    TColour DownColour = 0;
};

// The heights of the parts of the tab page, and what the layout makes of them.
struct TTabPageMeasures {
    int PageHeight = 0;
    int GridTop = 0;
    int TaxPanelHeight = 0;
    int TogglePanelHeight = 0;
    int AccountBarHeight = 0;
};

struct TTabPageLayout {
    int GridHeight = 0;
    int TaxPanelHeight = 0;
    bool TaxPanelVisible = false;
    bool TogglePanelVisible = false;
};

// The tax summary panel of the Quick Summary view: a title and six labelled money values.
struct TTaxSummary {
    static constexpr int Rows = 6;
    std::string Title;
    std::string Labels[Rows];
    std::string Values[Rows];
    bool SelectedTransactions = false; // the "Selected Transactions" corner label is shown
    std::string SelectedLabel;         // its text
    // The texts whose widths size the label and value columns (plus 20 and 10 pixels).
    std::string LabelWidthSample;
    std::string ValueWidthSample;
};

class TWorksheet {
public:
    TWorksheet(TLedger& ledger, const TDisplayFormats& formats, TWorksheetWindow& window);
    TWorksheet(const TWorksheet&) = delete;
    TWorksheet& operator=(const TWorksheet&) = delete;

    TLedger& Ledger;
    const TDisplayFormats& Formats;
    TWorksheetWindow& Window;
    std::array<TGridInfo, ViewCount> GridInfo; // GridInfo0 .. GridInfo4

    // ---- Settings ----
    void SetOptions(const TWorksheetOptions& options);
    const TWorksheetOptions& Options() const { return Opts; }
    // The document's tax tracking and its name ("GST" or "VAT").
    void SetTax(bool on, const std::string& name);
    bool TaxOn() const { return TaxTracked; }
    const std::string& TaxName() const { return Tax; }
    void SetScreenColours(const TScreenColours& colours) { Screen = colours; }
    const TScreenColours& ScreenColours() const { return Screen; }

    // ---- Views and rows ----
    int ActiveTab() const { return Tab; }
    TGridInfo& ActiveGridInfo() { return GridInfo[Tab]; }
    std::int32_t RowCount(int view) const;
    std::int32_t RowCount() const { return RowCount(Tab); }
    // The list row a grid line of `view` shows (descending order reverses); -1 beyond the rows.
    std::int32_t ListRow(int view, std::int32_t line) const;
    // The record of a grid line of the active view, nullptr beyond the rows.
    TTransRec* TransactionAt(std::int32_t line) const;
    TMainActRec* CategoryAt(std::int32_t line) const;
    TSubActRec* SubCategoryAt(std::int32_t line) const;
    TGroupRec* GroupAt(std::int32_t line) const;
    TCatRec* CategoryTypeAt(std::int32_t line) const;

    // The slots of one row of the active view; "-1" in slot 0 (and nothing else) beyond the
    // rows. `slots` always holds at least GridMaxCols strings afterwards.
    void GridB1GetText(std::int32_t line, std::vector<std::string>& slots, bool& enabled, std::uint8_t& rowType) const;
    // The colour of a row's button.
    TColour GridB1GetRowColor(std::int32_t line) const;
    TColour BaseColour() const;
    // Whether the Transactions view shows `t`'s running balance.
    bool ShowsBalance(const TTransRec& t) const;

    // ---- Totals, panels, captions ----
    void WriteTotals(int view);
    TTaxSummary TaxSummary() const;
    bool SelectedTransactionsOnly() const;
    std::string TabCaption(int tab) const;
    TToggleSwitches ToggleSwitches() const;
    TTabPageLayout Layout(const TTabPageMeasures& measures) const;
    // "&Reports" and "&Print": some row is a credit or debit transaction.
    bool ReportsEnabled() const;

    // ---- Operations ----
    // Totals row of the active view, then the grid's row count and a repaint.
    void Refresh();
    // Never recalculates.
    void SwitchView(int tab);
    void ResetViewPositions(bool sortReset);
    void ResetViewsForNewDocument();
    // SortRows of a view's list with its column set's SortIndex.
    void SortView(int view);
    void SortActiveView();
    // After a column button changed the active set's sort: -1 repaints, otherwise sort and refresh.
    void GridB1ColBtnClick(std::int32_t colIndex);
    // A click on the column button at a visible position, as the grid handles it: a column that
    // does not sort does nothing; the sorted column flips the direction; another column sorts
    // ascending by its key. Then GridB1ColBtnClick.
    void ColumnButtonClick(std::int32_t visibleIndex);
    // The grid scrolls to its first row and the active set remembers it.
    void ScrollToTop();
    // A column resized or moved by the user: the worksheet differs from the stored settings.
    void GridB1ColumnSize() { Customised = true; }
    void GridB1ColOrderChange() { Customised = true; }
    bool Customised = false;

private:
    void TransactionTexts(const TTransRec& t, std::vector<std::string>& slots) const;
    void CategoryTexts(const TMainActRec& c, std::vector<std::string>& slots) const;
    void SubCategoryTexts(const TSubActRec& s, std::vector<std::string>& slots) const;
    void GroupTexts(const TGroupRec& g, std::vector<std::string>& slots) const;
    void CategoryTypeTexts(const TCatRec& type, std::vector<std::string>& slots) const;
    void WriteTransactionTotals(TColumns& columns) const;
    Money CategoryTotal(std::int32_t number) const;

    TWorksheetOptions Opts;
    TScreenColours Screen;
    bool TaxTracked = false;
    std::string Tax = "GST";
    int Tab = ViewTransactions;
};

} // namespace qz

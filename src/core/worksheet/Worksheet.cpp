#include "Worksheet.h"

#include <algorithm>

namespace qz {

namespace {

// The sort keys "reset view positions" puts back, by tab.
constexpr std::int32_t ResetSortKeys[ViewCount] = {1, 0, 1, 0, 0};

constexpr TColour DarkRed = RGBColour(0x80, 0x00, 0x00);

// The smallest grid the Quick Summary view keeps beside its tax panel.
constexpr int MinimumSummaryGrid = 120;

} // namespace

TWorksheet::TWorksheet(TLedger& ledger, const TDisplayFormats& formats, TWorksheetWindow& window)
    : Ledger(ledger), Formats(formats), Window(window) {
    for (int view = 0; view < ViewCount; ++view)
        GridInfo[view] = DefaultColumnSet(view);
    SetOptions(Opts);
}

// ---- Settings ---------------------------------------------------------------------------------

void TWorksheet::SetOptions(const TWorksheetOptions& options) {
    Opts = options;
    Ledger.Switches.IncludeUnreconciled = options.IncludeDisabledInCalc;
    Ledger.Switches.GstInTotals = options.GSTinTotals;
}

void TWorksheet::SetTax(bool on, const std::string& name) {
    TaxTracked = on;
    Tax = name;
}

// ---- Rows -------------------------------------------------------------------------------------

std::int32_t TWorksheet::RowCount(int view) const {
    switch (view) {
    case ViewTransactions:
        return Ledger.TransList.VisibleCount;
    case ViewCategories:
        return Ledger.MainActList.VisibleCount;
    case ViewSubCategories:
        return Ledger.SubActList.VisibleCount;
    case ViewGroups:
        return Ledger.GroupList.VisibleCount;
    case ViewSummary:
        return Ledger.CatList.VisibleCount;
    default:
        return 0;
    }
}

std::int32_t TWorksheet::ListRow(int view, std::int32_t line) const {
    if (view < 0 || view >= ViewCount)
        return -1;
    const std::int32_t rows = RowCount(view);
    if (line < 0 || line >= rows)
        return -1;
    return GridInfo[view].SortDirection == sdDescending ? rows - 1 - line : line;
}

TTransRec* TWorksheet::TransactionAt(std::int32_t line) const {
    const std::int32_t row = ListRow(Tab, line);
    return Tab == ViewTransactions && row >= 0 ? Ledger.TransList.RowItem(row) : nullptr;
}

TMainActRec* TWorksheet::CategoryAt(std::int32_t line) const {
    const std::int32_t row = ListRow(Tab, line);
    return Tab == ViewCategories && row >= 0 ? Ledger.MainActList.RowItem(row) : nullptr;
}

TSubActRec* TWorksheet::SubCategoryAt(std::int32_t line) const {
    const std::int32_t row = ListRow(Tab, line);
    return Tab == ViewSubCategories && row >= 0 ? Ledger.SubActList.RowItem(row) : nullptr;
}

TGroupRec* TWorksheet::GroupAt(std::int32_t line) const {
    const std::int32_t row = ListRow(Tab, line);
    return Tab == ViewGroups && row >= 0 ? Ledger.GroupList.RowItem(row) : nullptr;
}

TCatRec* TWorksheet::CategoryTypeAt(std::int32_t line) const {
    const std::int32_t row = ListRow(Tab, line);
    return Tab == ViewSummary && row >= 0 ? Ledger.CatList.RowItem(row) : nullptr;
}

// ---- Row colours ------------------------------------------------------------------------------

TColour TWorksheet::BaseColour() const {
    if (Screen.Colours == TColourClass::TrueColour)
        return DarkenColour(Screen.ButtonFace, 30);
    return Screen.ButtonShadow;
}

TColour TWorksheet::GridB1GetRowColor(std::int32_t line) const {
    if (const TTransRec* t = TransactionAt(line); t && t->BookRec)
        return t->BookRec->Colour;
    return BaseColour();
}

// ---- Captions, switches, layout ---------------------------------------------------------------

std::string TWorksheet::TabCaption(int tab) const {
    static const char* const captions[ViewCount - 1] = {"Transactions", "Main Categories", "Sub Categories", "Groups"};
    if (tab >= 0 && tab < ViewSummary)
        return captions[tab];
    return TaxTracked ? "Quick & " + Tax + " Summaries" : "Quick Summary";
}

TToggleSwitches TWorksheet::ToggleSwitches() const {
    TToggleSwitches toggles;
    if (Tab == ViewTransactions) {
        toggles.Captions[0] = "Include unreconciled";
        toggles.Captions[1] = "Exclude unreconciled";
        toggles.Down = Opts.IncludeDisabledInCalc ? 0 : 1;
        toggles.Width = 148;
        toggles.SecondLeft = 154;
        toggles.DownColour = clBlue;
    } else {
        toggles.Captions[0] = "Excluding " + Tax;
        toggles.Captions[1] = "Including " + Tax;
        toggles.Down = Opts.GSTinTotals ? 1 : 0;
        toggles.Width = 120;
        toggles.SecondLeft = 126;
        toggles.DownColour = DarkRed;
    }
    return toggles;
}

TTabPageLayout TWorksheet::Layout(const TTabPageMeasures& m) const {
    TTabPageLayout layout;
    layout.TogglePanelVisible = TaxTracked || Tab == ViewTransactions;
    layout.TaxPanelVisible = TaxTracked && Tab == ViewSummary;
    const int toggles = layout.TogglePanelVisible ? m.TogglePanelHeight : 0;
    const int fixed = m.PageHeight - m.GridTop - toggles - m.AccountBarHeight - 4;
    layout.TaxPanelHeight = layout.TaxPanelVisible ? m.TaxPanelHeight : 0;
    layout.GridHeight = fixed - layout.TaxPanelHeight;
    if (layout.TaxPanelVisible && layout.GridHeight < MinimumSummaryGrid) {
        layout.GridHeight = MinimumSummaryGrid;
        layout.TaxPanelHeight = std::max(0, fixed - MinimumSummaryGrid);
        layout.TaxPanelVisible = layout.TaxPanelHeight > 0;
    }
    return layout;
}

// ---- Operations -------------------------------------------------------------------------------

void TWorksheet::Refresh() {
    WriteTotals(Tab);
    if (Tab == ViewSummary && TaxTracked)
        Window.ShowTaxSummary(TaxSummary());
    Window.RefreshGrid(RowCount());
}

void TWorksheet::SwitchView(int tab) {
    Tab = std::clamp(tab, 0, ViewCount - 1);
    Window.ShowColumnSet(GridInfo[Tab]);
    Window.ShowViewPanels();
    Refresh();
}

void TWorksheet::ResetViewPositions(bool sortReset) {
    for (int view = 0; view < ViewCount; ++view) {
        GridInfo[view].ScrollBarPos = 0;
        if (sortReset) {
            GridInfo[view].SortIndex = ResetSortKeys[view];
            GridInfo[view].SortDirection = sdAscending;
        }
    }
    Window.ShowColumnSet(GridInfo[Tab]);
    Window.ScrollGridToTop(true);
}

void TWorksheet::ResetViewsForNewDocument() {
    for (int view = ViewCount - 1; view >= 0; --view) {
        TGridInfo& info = GridInfo[view];
        Window.ShowColumnSet(info);
        for (TColProperty& column : info.ColInfo.Items)
            if (column.Visible)
                column.Width = column.DefaultWidth;
        info.SortIndex = DefaultSortKeys[view];
    }
    SwitchView(ViewTransactions);
}

void TWorksheet::SortView(int view) {
    const std::int32_t key = GridInfo[view].SortIndex;
    if (key < 0)
        return; // a column that stands for no order
    const auto order = static_cast<std::uint8_t>(key);
    switch (view) {
    case ViewTransactions:
        Ledger.TransList.SortRows(order);
        break;
    case ViewCategories:
        Ledger.MainActList.SortRows(order);
        break;
    case ViewSubCategories:
        Ledger.SubActList.SortRows(order);
        break;
    case ViewGroups:
        Ledger.GroupList.SortRows(order);
        break;
    case ViewSummary:
        Ledger.CatList.SortRows(order);
        break;
    default:
        break;
    }
}

void TWorksheet::SortActiveView() {
    SortView(Tab);
    Refresh();
}

void TWorksheet::GridB1ColBtnClick(std::int32_t colIndex) {
    if (colIndex == -1)
        Window.RepaintGrid();
    else
        SortActiveView();
}

void TWorksheet::ColumnButtonClick(std::int32_t visibleIndex) {
    TGridInfo& info = ActiveGridInfo();
    if (visibleIndex < 0 || visibleIndex >= info.ColInfo.VisibleColumnCount())
        return;
    const TColProperty& column = info.ColInfo.VisibleColumn(visibleIndex);
    if (!column.AllowSort)
        return;
    if (column.SortIndex == info.SortIndex) {
        info.SortDirection = info.SortDirection == sdAscending ? sdDescending : sdAscending;
        GridB1ColBtnClick(-1);
    } else {
        info.SortDirection = sdAscending;
        info.SortIndex = column.SortIndex;
        GridB1ColBtnClick(visibleIndex);
    }
}

void TWorksheet::ScrollToTop() {
    ActiveGridInfo().ScrollBarPos = 0;
    Window.ScrollGridToTop(false);
}

} // namespace qz

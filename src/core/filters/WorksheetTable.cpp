#include "WorksheetTable.h"

#include "ExportText.h"
#include "ledger/Cp1252.h"
#include "worksheet/WorksheetFilters.h"

#include <algorithm>
#include <set>

namespace qz {

namespace {

// The window around the worksheet, with nothing to show.
class HeadlessWindow : public TWorksheetWindow {
public:
    void ShowColumnSet(TGridInfo&) override {}
    void ShowViewPanels() override {}
    void RefreshGrid(std::int32_t) override {}
    void RepaintGrid() override {}
    void ScrollGridToTop(bool) override {}
    void ShowTaxSummary(const TTaxSummary&) override {}
    void FiltersChanged() override {}
    void ToolButtonsChanged() override {}
    void AccountBarChanged() override {}
    void ShowProgress(int) override {}
    void StoreOption(TWorksheetOption, bool) override {}
};

// The selection dialogs answered from the request, as if the user had ticked its records
// and pressed OK; every other dialog is cancelled.
class PreparedSelections : public TWorksheetDialogs {
public:
    PreparedSelections(const TWorksheetRequest& request, TLedger& ledger) : Request(request), Ledger(ledger) {}

    bool CheckAccess(TAccessArea) override { return false; }
    bool EditAccounts(TBookRec*) override { return false; }
    bool EditTransactionOfRow(std::int32_t, TTransRec&) override { return false; }
    bool EditTransfer(TTransRec&) override { return false; }
    bool EditCategory(TMainActRec*, TSubActRec*) override { return false; }
    bool EditGroups(TGroupRec*) override { return false; }
    bool EditCategoryTypes(TCatRec*) override { return false; }
    bool FindCategory(bool, TCategoryFound&) override { return false; }
    // The search's "&OK" with the request's criteria.
    bool OpenSearch(bool) override { return Request.Search && !Search.Run(Ledger, *Request.Search); }
    void ReapplySearch() override {}
    bool PickMonths(TMonth&, TMonth&) override { return false; }
    void NewTransaction() override {}

    // Ticks: a whole category ticks it with every sub category, "C-S" ticks the category with
    // that sub category. OK: the ticks become the Selected flags.
    bool SelectCategories(bool) override {
        std::set<std::int32_t> whole, partly;
        std::set<std::pair<std::int32_t, std::int32_t>> subs;
        for (const auto& pick : Request.Categories) {
            (pick.Sub ? partly : whole).insert(pick.Category);
            if (pick.Sub)
                subs.insert({pick.Category, *pick.Sub});
        }
        for (TMainActRec* category : Ledger.MainActList.KeyList)
            category->Picked = whole.count(category->Number) || partly.count(category->Number);
        for (TSubActRec* sub : Ledger.SubActList.KeyList)
            sub->Picked = whole.count(sub->MainAct) || subs.count({sub->MainAct, sub->Number});
        Ledger.Switches.CategorySelectionActive = true;
        for (TMainActRec* category : Ledger.MainActList.KeyList)
            category->Selected = category->Picked;
        for (TSubActRec* sub : Ledger.SubActList.KeyList) {
            const TMainActRec* category = Ledger.MainActList.FindByNumber(sub->MainAct);
            sub->Selected = category && category->Selected ? sub->Picked : 0;
        }
        return true;
    }

    bool SelectGroups(bool) override {
        const std::set<std::int32_t> picked(Request.Groups.begin(), Request.Groups.end());
        for (TGroupRec* group : Ledger.GroupList.KeyList)
            group->Picked = picked.count(group->Number) ? 1 : 0;
        Ledger.Switches.GroupSelectionActive = true;
        for (TGroupRec* group : Ledger.GroupList.KeyList)
            group->Selected = group->Picked;
        return true;
    }

private:
    const TWorksheetRequest& Request;
    TLedger& Ledger;
    TTransactionSearch Search;
};

bool CheckRequest(const TLedger& ledger, const TWorksheetRequest& request, std::string& error) {
    for (std::int32_t number : request.Accounts)
        if (!ledger.BookList.Find(number)) {
            error = "the document has no account " + std::to_string(number);
            return false;
        }
    for (const auto& pick : request.Categories) {
        if (!ledger.MainActList.FindByNumber(pick.Category)) {
            error = "the document has no category " + std::to_string(pick.Category);
            return false;
        }
        if (pick.Sub && !ledger.SubActList.FindPair(pick.Category, *pick.Sub)) {
            error =
                "the document has no sub category " + std::to_string(pick.Category) + "-" + std::to_string(*pick.Sub);
            return false;
        }
    }
    for (std::int32_t number : request.Groups)
        if (!ledger.GroupList.Find(number)) {
            error = "the document has no group " + std::to_string(number);
            return false;
        }
    if (request.Search)
        if (const std::optional<TSearchRefusal> refusal = ValidateSearch(*request.Search)) {
            error = refusal->Message;
            return false;
        }
    return true;
}

// The zero-total item of the tab's context menu.
void ShowZeroRows(TLedger& ledger, int tab) {
    switch (tab) {
    case ViewCategories:
        ledger.MainActList.ShowZeroRows = 1;
        ledger.MainActList.Recount();
        break;
    case ViewSubCategories:
        ledger.SubActList.ShowZeroRows = 1;
        ledger.SubActList.Recount();
        break;
    case ViewGroups:
        ledger.GroupList.ShowZeroRows = 1;
        ledger.GroupList.Recount();
        break;
    case ViewSummary:
        ledger.CatList.ShowZeroRows = 1;
        ledger.CatList.Recount();
        break;
    default:
        break;
    }
}

// What the user does in the window after opening, in the order of its controls.
void ApplyRequest(TWorksheet& sheet, TWorksheetFilters& filters, const TWorksheetRequest& request) {
    TLedger& ledger = sheet.Ledger;
    if (!request.Accounts.empty()) {
        std::vector<bool> pressed;
        for (const TBookRec* book : ledger.BookList.KeyList)
            pressed.push_back(std::find(request.Accounts.begin(), request.Accounts.end(), book->Number) !=
                              request.Accounts.end());
        filters.AccountBarClick(pressed);
    }
    if (request.From)
        filters.PickRangeDate(1, *request.From);
    if (request.To)
        filters.PickRangeDate(2, *request.To);
    if (!request.Categories.empty())
        filters.NewSelection(TSelectionKind::Categories);
    if (!request.Groups.empty())
        filters.NewSelection(TSelectionKind::Groups);
    if (request.Search)
        filters.NewSelection(TSelectionKind::Transactions);
    sheet.SwitchView(request.Tab);
    if (request.ZeroRows)
        ShowZeroRows(ledger, request.Tab);
    TGridInfo& info = sheet.GridInfo[request.Tab];
    if (request.SortKey)
        info.SortIndex = *request.SortKey;
    info.SortDirection = request.Descending ? sdDescending : sdAscending;
    if (request.SortKey)
        sheet.SortActiveView();
    sheet.Refresh();
}

} // namespace

void ReadWorksheetTable(const TWorksheet& sheet, int tab, TWorksheetTable& table) {
    const TGridInfo& info = sheet.GridInfo[tab];
    table = TWorksheetTable{};
    table.Tab = tab;
    table.Caption = sheet.TabCaption(tab);
    std::vector<std::int32_t> slots;
    for (const TColProperty& column : info.ColInfo.Items) {
        if (!column.Visible)
            continue;
        table.Titles.push_back(column.Title);
        table.Alignments.push_back(column.Alignment);
        table.Totals.push_back(column.ShowTotal ? column.TotalText : std::string());
        slots.push_back(column.LinkIndex);
    }
    const std::int32_t rows = sheet.RowCount(tab);
    table.Rows.reserve(static_cast<std::size_t>(std::max(0, rows)));
    std::vector<std::string> texts;
    for (std::int32_t line = 0; line < rows; ++line) {
        bool enabled = true;
        std::uint8_t rowType = 0;
        sheet.GridB1GetText(line, texts, enabled, rowType);
        std::vector<std::string>& row = table.Rows.emplace_back();
        row.reserve(slots.size());
        for (std::int32_t slot : slots)
            row.push_back(slot >= 0 && static_cast<std::size_t>(slot) < texts.size()
                              ? texts[static_cast<std::size_t>(slot)]
                              : std::string());
    }
}

namespace {

bool ValidTab(int tab, std::string& error) {
    if (tab >= 0 && tab < ViewCount)
        return true;
    error = "there is no tab " + std::to_string(tab);
    return false;
}

} // namespace

std::vector<std::int32_t> SortKeysOf(int tab) {
    std::set<std::int32_t> keys;
    for (const TColProperty& column : DefaultColumnSet(tab).ColInfo.Items)
        if (column.AllowSort && column.SortIndex >= 0)
            keys.insert(column.SortIndex);
    return {keys.begin(), keys.end()};
}

bool BuildWorksheetTable(TDocumentReader& reader, const TWorksheetRequest& request, const TDisplayFormats& formats,
                         TWorksheetTable& table, std::string& error) {
    if (!ValidTab(request.Tab, error))
        return false;
    const std::vector<std::int32_t> keys = SortKeysOf(request.Tab);
    if (request.SortKey && std::find(keys.begin(), keys.end(), *request.SortKey) == keys.end()) {
        error = "tab " + std::to_string(request.Tab) + " sorts by the keys";
        for (std::int32_t key : keys) {
            error += ' ';
            error += std::to_string(key);
        }
        error += ", not " + std::to_string(*request.SortKey);
        return false;
    }
    return WithWorksheet(
        reader, request, formats,
        [&](TWorksheet& sheet) {
            ReadWorksheetTable(sheet, request.Tab, table);
            table.DamagedTrans = sheet.Ledger.DamagedTrans;
        },
        error);
}

bool WithWorksheet(TDocumentReader& reader, const TWorksheetRequest& request, const TDisplayFormats& formats,
                   const std::function<void(TWorksheet&)>& use, std::string& error) {
    if (!ValidTab(request.Tab, error))
        return false;
    TLedger ledger;
    HeadlessWindow window;
    TWorksheet sheet(ledger, formats, window);
    // The stored options and the options dialog's switch hold before the document opens.
    TWorksheetOptions options;
    options.BalanceEndDay = !request.BalanceEveryRow;
    options.IncludeDisabledInCalc = request.IncludeUnreconciled;
    options.GSTinTotals = !request.Net;
    sheet.SetOptions(options);
    ledger.Switches.UseOpeningBalancesInSelections = request.OpeningBalancesInSelections;
    if (!reader.LoadForViews(ledger, error) || !CheckRequest(ledger, request, error))
        return false;
    const TFileSettings& settings = reader.Settings();
    sheet.SetTax(settings.TaxOn != 0, settings.TaxName);
    PreparedSelections dialogs(request, ledger);
    TWorksheetFilters filters(sheet, dialogs);
    filters.ClearFilters();
    filters.FillAccountBar();
    sheet.ResetViewsForNewDocument();
    ApplyRequest(sheet, filters, request);
    use(sheet);
    return true;
}

// ---- Writing ------------------------------------------------------------------------------------

namespace {

std::string Aligned(const std::string& text, std::size_t width, TAlignment alignment) {
    if (text.size() >= width)
        return text;
    const std::size_t gap = width - text.size();
    switch (alignment) {
    case taRightJustify:
        return std::string(gap, ' ') + text;
    case taCenter:
        return std::string(gap / 2, ' ') + text + std::string(gap - gap / 2, ' ');
    default:
        return text + std::string(gap, ' ');
    }
}

void TextLine(const std::vector<std::string>& cells, const std::vector<std::size_t>& widths,
              const std::vector<TAlignment>& alignments, std::ostream& out) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += "  ";
        line += Aligned(OneLine(cells[i]), widths[i], alignments[i]);
    }
    line.erase(line.find_last_not_of(' ') + 1);
    out << Cp1252ToUtf8(line) << '\n';
}

void CsvLine(const std::vector<std::string>& cells, std::ostream& out) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += ',';
        line += CsvField(Cp1252ToUtf8(cells[i]));
    }
    out << line << "\r\n";
}

std::string JsonArray(const std::vector<std::string>& cells) {
    std::string text = "[";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            text += ", ";
        text += JsonString(Cp1252ToUtf8(cells[i]));
    }
    return text + "]";
}

} // namespace

void WriteWorksheetText(const TWorksheetTable& table, std::ostream& out) {
    std::vector<std::size_t> widths(table.Titles.size());
    for (std::size_t i = 0; i < widths.size(); ++i) {
        widths[i] = std::max(table.Titles[i].size(), table.Totals[i].size());
        for (const auto& row : table.Rows)
            widths[i] = std::max(widths[i], row[i].size());
    }
    std::vector<std::string> rule;
    for (std::size_t width : widths)
        rule.emplace_back(width, '-');
    const std::vector<TAlignment> left(widths.size(), taLeftJustify);
    out << Cp1252ToUtf8(table.Caption) << '\n';
    TextLine(table.Titles, widths, table.Alignments, out);
    TextLine(rule, widths, left, out);
    for (const auto& row : table.Rows)
        TextLine(row, widths, table.Alignments, out);
    TextLine(rule, widths, left, out);
    TextLine(table.Totals, widths, table.Alignments, out);
}

void WriteWorksheetCsv(const TWorksheetTable& table, std::ostream& out) {
    CsvLine(table.Titles, out);
    for (const auto& row : table.Rows)
        CsvLine(row, out);
    CsvLine(table.Totals, out);
}

void WriteWorksheetJson(const TWorksheetTable& table, std::ostream& out) {
    out << "{\"tab\": " << table.Tab << ", \"caption\": " << JsonString(Cp1252ToUtf8(table.Caption))
        << ", \"columns\": " << JsonArray(table.Titles) << ", \"rows\": [";
    for (std::size_t i = 0; i < table.Rows.size(); ++i)
        out << (i > 0 ? ",\n  " : "\n  ") << JsonArray(table.Rows[i]);
    out << (table.Rows.empty() ? "]" : "\n]") << ", \"totals\": " << JsonArray(table.Totals) << "}\n";
}

} // namespace qz

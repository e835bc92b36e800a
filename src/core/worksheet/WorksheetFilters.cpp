#include "WorksheetFilters.h"

#include "engine/Engine.h"

#include <algorithm>

namespace qz {

namespace {

TDateTime LastDayOf(const TMonth& month) {
    return month.Month == 12 ? EncodeDate(month.Year + 1, 1, 1) - 1 : EncodeDate(month.Year, month.Month + 1, 1) - 1;
}

bool ValidMonth(const TMonth& month) {
    return IsValidDate(month.Year, month.Month, 1) && month.Year < 9999;
}

std::vector<TMenuItem> SelectionDropDown(bool search) {
    if (search)
        return {{"New Search", TMenuCommand::NewSelection},
                {"Edit Search", TMenuCommand::EditSelection},
                {"-", TMenuCommand::None},
                {"Clear Search", TMenuCommand::ClearSelection}};
    return {{"New Selection", TMenuCommand::NewSelection},
            {"Edit Selection", TMenuCommand::EditSelection},
            {"-", TMenuCommand::None},
            {"Clear Selection", TMenuCommand::ClearSelection}};
}

} // namespace

TWorksheetFilters::TWorksheetFilters(TWorksheet& worksheet, TWorksheetDialogs& dialogs)
    : Sheet(worksheet), Dialogs(dialogs) {}

void TWorksheetFilters::Recalculation() {
    Recalculate(Sheet.Ledger);
}

// ---- State ------------------------------------------------------------------------------------

TColour TWorksheetFilters::DatePanelColour() const {
    return DateRangeActive() ? clBlue : Sheet.ScreenColours().ButtonFace;
}

TColour TWorksheetFilters::DateLabelColour() const {
    return DateRangeActive() ? clWhite : clWindowText;
}

TSelectionButton TWorksheetFilters::SelectionButton(TSelectionKind kind) const {
    const TCalcSwitches& switches = Sheet.Ledger.Switches;
    TSelectionButton button;
    switch (kind) {
    case TSelectionKind::Categories:
        button.Caption = "Category Selection";
        button.Hint = "Create an Account Selection";
        button.Active = switches.CategorySelectionActive;
        break;
    case TSelectionKind::Groups:
        button.Caption = "Gro&up   Selection";
        button.Hint = "Create a Group Selection";
        button.Active = switches.GroupSelectionActive;
        break;
    case TSelectionKind::Transactions:
        button.Caption = "Transaction &Selection";
        button.Hint = "Create a Transaction Selection";
        button.Active = switches.SearchActive;
        break;
    }
    button.Enabled = Sheet.Ledger.TransList.Count() > 0;
    button.Colour = button.Active ? clBlue : Sheet.ScreenColours().ButtonFace;
    button.FontColour = button.Active ? clWhite : clWindowText;
    if (button.Active)
        button.DropDown = SelectionDropDown(kind == TSelectionKind::Transactions);
    return button;
}

std::vector<TAccountButton> TWorksheetFilters::AccountButtons() const {
    std::vector<TAccountButton> buttons;
    for (const TBookRec* book : Sheet.Ledger.BookList.KeyList)
        buttons.push_back({book->Name.Str(), book->Colour, book->Selected != 0});
    return buttons;
}

// ---- The date range ---------------------------------------------------------------------------

void TWorksheetFilters::PickRangeDate(std::uint8_t which, TDateTime picked) {
    TTransList& list = Sheet.Ledger.TransList;
    if (which != 1 && which != 2)
        return;
    const TDateTime day = DayOf(picked);
    if (day == (which == 1 ? list.DateFrom : list.DateTo))
        return;
    list.SetRangeDate(which, day);
    // The switch goes on before the range pass, so that the pass hides opening balances on the
    // first pick as on every later one; the running balances, which read no switch the range
    // sets, then come with the pass's own walk.
    Sheet.Ledger.Switches.DateRangeActive = true;
    RangePass(Sheet.Ledger);
    Sheet.Window.FiltersChanged();
    Sheet.ResetViewPositions(false);
    Sheet.Window.ToolButtonsChanged();
    Sheet.Refresh();
}

void TWorksheetFilters::DatePeriodBtnClick() {
    TMonth first;
    TMonth last;
    if (!Dialogs.PickMonths(first, last) || !ValidMonth(first) || !ValidMonth(last))
        return;
    DaySwitch = true;
    Sheet.Ledger.Switches.DateRangeActive = true;
    Sheet.Ledger.TransList.DateFrom = EncodeDate(first.Year, first.Month, 1);
    Sheet.Ledger.TransList.DateTo = LastDayOf(last);
    Sheet.Window.FiltersChanged();
    RangePass(Sheet.Ledger);
    Sheet.ResetViewPositions(false);
    Sheet.Window.ToolButtonsChanged();
    Sheet.Refresh();
}

void TWorksheetFilters::DateRangeBtnClick(bool down) {
    DaySwitch = down;
    // Down alone filters nothing: the range becomes active with the first picked date.
    if (down || !DateRangeActive()) {
        Sheet.Window.FiltersChanged();
        return;
    }
    Sheet.Ledger.Switches.DateRangeActive = false;
    Sheet.Ledger.TransList.ResetRange(0);
    RangePass(Sheet.Ledger);
    Sheet.Window.FiltersChanged();
    Sheet.ResetViewPositions(false);
    Sheet.Window.ToolButtonsChanged();
    Sheet.Refresh();
}

// ---- Accounts ---------------------------------------------------------------------------------

void TWorksheetFilters::FillAccountBar() {
    TBookList& books = Sheet.Ledger.BookList;
    const bool anySelected =
        std::any_of(books.KeyList.begin(), books.KeyList.end(), [](const TBookRec* b) { return b->Selected != 0; });
    if (!anySelected)
        for (TBookRec* book : books.KeyList)
            book->Selected = 1;
    Sheet.Window.AccountBarChanged();
}

void TWorksheetFilters::AccountBarClick(const std::vector<bool>& pressed) {
    TBookList& books = Sheet.Ledger.BookList;
    for (std::size_t i = 0; i < pressed.size() && i < books.KeyList.size(); ++i)
        books.KeyList[i]->Selected = pressed[i] ? 1 : 0;
    Sheet.ResetViewPositions(false);
    Recalculation();
    Sheet.Window.ToolButtonsChanged();
    Sheet.Refresh();
}

void TWorksheetFilters::AccountButtonClick(std::int32_t index, bool ctrlHeld) {
    const std::vector<TBookRec*>& books = Sheet.Ledger.BookList.KeyList;
    if (index < 0 || static_cast<std::size_t>(index) >= books.size())
        return;
    const auto clicked = static_cast<std::size_t>(index);
    std::vector<bool> pressed(books.size(), false);
    for (std::size_t i = 0; i < books.size(); ++i)
        pressed[i] = (ctrlHeld && books[i]->Selected) || i == clicked;
    // With Ctrl a selected account leaves the selection, unless it is the last one.
    if (ctrlHeld && books[clicked]->Selected) {
        pressed[clicked] = false;
        if (std::none_of(pressed.begin(), pressed.end(), [](bool on) { return on; }))
            return;
    }
    AccountBarClick(pressed);
    Sheet.Window.AccountBarChanged();
}

void TWorksheetFilters::AllAccountsClick() {
    AccountBarClick(std::vector<bool>(Sheet.Ledger.BookList.KeyList.size(), true));
    Sheet.Window.AccountBarChanged();
}

void TWorksheetFilters::AccountsBtnClick() {
    if (!Dialogs.EditAccounts(nullptr))
        return;
    Sheet.Window.ToolButtonsChanged();
    AccountsEdited();
}

void TWorksheetFilters::AccountsEdited() {
    FillAccountBar();
    if (Sheet.ActiveTab() == ViewTransactions)
        Sheet.SortView(ViewTransactions);
    if (!DateRangeActive())
        Sheet.Ledger.TransList.ResetRange(0);
    Recalculation();
    Sheet.SortActiveView();
}

void TWorksheetFilters::TransfersEdited() {
    if (Sheet.ActiveTab() == ViewTransactions)
        Sheet.SortView(ViewTransactions);
    if (!DateRangeActive())
        Sheet.Ledger.TransList.ResetRange(0);
    if (Sheet.Ledger.Switches.SearchActive)
        Dialogs.ReapplySearch();
    Sheet.Window.ShowProgress(90);
    Recalculation();
    Sheet.Window.ShowProgress(99);
    // The date pickers show the span, which the transfers may have widened or narrowed.
    Sheet.Window.FiltersChanged();
    Sheet.Window.ToolButtonsChanged();
    Sheet.Refresh();
    Sheet.Window.ShowProgress(100);
}

// ---- Toggle switches --------------------------------------------------------------------------

void TWorksheetFilters::ToggleSwitchDown(int which) {
    TWorksheetOptions options = Sheet.Options();
    TWorksheetOption stored;
    bool value;
    if (Sheet.ActiveTab() == ViewTransactions) {
        stored = TWorksheetOption::IncludeDisabledInCalc;
        value = which == 0; // "Include unreconciled"
        if (value == options.IncludeDisabledInCalc)
            return; // already down
        options.IncludeDisabledInCalc = value;
    } else {
        stored = TWorksheetOption::GSTinTotals;
        value = which == 1; // "Including " and the tax name
        if (value == options.GSTinTotals)
            return;
        options.GSTinTotals = value;
    }
    Sheet.SetOptions(options);
    Sheet.Window.StoreOption(stored, value);
    Recalculation();
    Sheet.Refresh();
}

// ---- Selections -------------------------------------------------------------------------------

void TWorksheetFilters::ReselectCategories() {
    for (TMainActRec* category : Sheet.Ledger.MainActList.KeyList)
        category->Selected = 1;
    for (TSubActRec* sub : Sheet.Ledger.SubActList.KeyList) {
        sub->Selected = 1;
        sub->Picked = 1;
    }
}

void TWorksheetFilters::ReselectGroups() {
    for (TGroupRec* group : Sheet.Ledger.GroupList.KeyList)
        group->Selected = 1;
}

void TWorksheetFilters::ReselectTransactions() {
    for (TTransRec* t : Sheet.Ledger.TransList.KeyList)
        t->InSearch = 1;
}

void TWorksheetFilters::SelectionMade(TSelectionKind kind, bool newSelection) {
    if (kind == TSelectionKind::Transactions) {
        if (Dialogs.OpenSearch(newSelection))
            SearchApplied(newSelection);
        return;
    }
    const bool ok = kind == TSelectionKind::Categories ? Dialogs.SelectCategories(newSelection)
                                                       : Dialogs.SelectGroups(newSelection);
    if (!ok)
        return;
    Sheet.ResetViewPositions(false);
    Sheet.Window.FiltersChanged();
    Recalculation();
    Sheet.Window.ToolButtonsChanged();
    Sheet.Refresh();
}

void TWorksheetFilters::SearchApplied(bool newSelection) {
    Sheet.Ledger.Switches.SearchActive = true;
    Sheet.Window.FiltersChanged();
    if (newSelection)
        Sheet.ResetViewPositions(false);
    Sheet.Window.ShowProgress(80);
    Recalculation();
    Sheet.Window.ShowProgress(95);
    Sheet.Window.ToolButtonsChanged();
    Sheet.Refresh();
    Sheet.Window.ShowProgress(100);
}

void TWorksheetFilters::NewSelection(TSelectionKind kind) {
    SelectionMade(kind, true);
}

void TWorksheetFilters::EditSelection(TSelectionKind kind) {
    SelectionMade(kind, false);
}

void TWorksheetFilters::SelectionCleared() {
    Sheet.Window.FiltersChanged();
    Recalculation();
    Sheet.Window.ToolButtonsChanged();
    Sheet.Refresh();
}

void TWorksheetFilters::ClearSelection(TSelectionKind kind) {
    TCalcSwitches& switches = Sheet.Ledger.Switches;
    switch (kind) {
    case TSelectionKind::Categories:
        ReselectCategories();
        switches.CategorySelectionActive = false;
        break;
    case TSelectionKind::Groups:
        ReselectGroups();
        switches.GroupSelectionActive = false;
        break;
    case TSelectionKind::Transactions:
        ReselectTransactions();
        switches.SearchActive = false;
        Sheet.Ledger.TransList.SearchIncludesUnreconciled = 0;
        break;
    }
    SelectionCleared();
}

void TWorksheetFilters::SelectionMenuClick(TSelectionKind kind, TMenuCommand command) {
    switch (command) {
    case TMenuCommand::NewSelection:
        NewSelection(kind);
        break;
    case TMenuCommand::EditSelection:
        EditSelection(kind);
        break;
    case TMenuCommand::ClearSelection:
        ClearSelection(kind);
        break;
    default:
        break;
    }
}

void TWorksheetFilters::ResetSelections(bool reportsWindowCaller) {
    TCalcSwitches& switches = Sheet.Ledger.Switches;
    TTransList& list = Sheet.Ledger.TransList;
    if (switches.CategorySelectionActive)
        ReselectCategories();
    if (switches.GroupSelectionActive)
        ReselectGroups();
    if (switches.SearchActive)
        ReselectTransactions();
    if (switches.DateRangeActive && !reportsWindowCaller)
        list.ResetRange(0);
    switches.CategorySelectionActive = switches.GroupSelectionActive = switches.SearchActive = false;
    list.SearchIncludesUnreconciled = 0;
    if (!reportsWindowCaller) {
        DaySwitch = false;
        switches.DateRangeActive = false;
    }
    Sheet.ResetViewPositions(false);
    Recalculation();
    Sheet.Window.ToolButtonsChanged();
    Sheet.Window.FiltersChanged();
    Sheet.Refresh();
}

void TWorksheetFilters::ClearFilters() {
    TCalcSwitches& switches = Sheet.Ledger.Switches;
    switches.DateRangeActive = false;
    switches.CategorySelectionActive = switches.GroupSelectionActive = switches.SearchActive = false;
    Sheet.Ledger.TransList.SearchIncludesUnreconciled = 0;
    DaySwitch = false;
    Sheet.Window.FiltersChanged();
}

} // namespace qz

#pragma once
// The worksheet's filters and what each user action does to them: the date range (picked by
// day or by month), the accounts of the account bar, the two toggle switch pairs, the
// category, group and transaction selections, and "R&eset". Each action runs the engine's
// full recalculation or its shorter range pass, in the order the action needs, and ends
// with a refresh of the worksheet.

#include "Worksheet.h"
#include "WorksheetMenuItems.h"

#include <vector>

namespace qz {

enum class TSelectionKind : std::uint8_t { Categories, Groups, Transactions };

// A selection button above the grid: blue with white text and a drop-down while active.
struct TSelectionButton {
    std::string Caption;
    std::string Hint;
    bool Enabled = false;
    bool Active = false;
    TColour Colour = 0;
    TColour FontColour = 0;
    std::vector<TMenuItem> DropDown; // empty while the selection is not active
};

// One account of the account bar: its name on its colour (with white text), pressed while selected.
struct TAccountButton {
    std::string Name;
    TColour Colour = 0;
    bool Pressed = false;
};

class TWorksheetFilters {
public:
    TWorksheetFilters(TWorksheet& worksheet, TWorksheetDialogs& dialogs);
    TWorksheetFilters(const TWorksheetFilters&) = delete;
    TWorksheetFilters& operator=(const TWorksheetFilters&) = delete;

    // ---- State the window shows ----
    bool DateRangeActive() const { return Sheet.Ledger.Switches.DateRangeActive; }
    // The date range or any of the three selections.
    bool FilterActive() const { return Sheet.Ledger.Switches.AnySelectionActive(); }
    bool ResetSelEnabled() const { return FilterActive(); }
    // The "Select a Date Range by day" switch: the pickers are enabled while it is down and
    // covered by "All" while it is up.
    bool DaySwitchDown() const { return DaySwitch; }
    TDateTime DateFrom() const { return Sheet.Ledger.TransList.DateFrom; }
    TDateTime DateTo() const { return Sheet.Ledger.TransList.DateTo; }
    TColour DatePanelColour() const;
    TColour DateLabelColour() const;
    TSelectionButton SelectionButton(TSelectionKind kind) const;
    std::vector<TAccountButton> AccountButtons() const;
    bool AllAccountsEnabled() const { return !Sheet.Ledger.BookList.AllSelected(); }

    // ---- The date range ----
    // A lower (1) or upper (2) date picked; nothing happens unless its day differs from the stored one.
    void PickRangeDate(std::uint8_t which, TDateTime picked);
    // "Select a Date Range by month".
    void DatePeriodBtnClick();
    // "Select a Date Range by day" switched down or up.
    void DateRangeBtnClick(bool down);

    // ---- Accounts ----
    // Fill the bar: with no account selected, every account is.
    void FillAccountBar();
    // The bar's click: each button's pressed state (in list order) becomes its account's Selected.
    void AccountBarClick(const std::vector<bool>& pressed);
    // A click on an account button selects only that account; with Ctrl held it adds it.
    void AccountButtonClick(std::int32_t index, bool ctrlHeld);
    void AllAccountsClick();
    // The bar's "Accounts" end button: the accounts editor, and what follows its OK.
    void AccountsBtnClick();
    // After the accounts editor returned OK (from the bar or from an opening-balance row).
    void AccountsEdited();
    // After a transfer was edited (a transfer row, or the "&Transfers" command).
    void TransfersEdited();

    // ---- Toggle switches ----
    // The first (0) or second (1) switch of the active tab pressed down.
    void ToggleSwitchDown(int which);

    // ---- Selections ----
    void NewSelection(TSelectionKind kind);
    void EditSelection(TSelectionKind kind);
    void ClearSelection(TSelectionKind kind);
    void SelectionMenuClick(TSelectionKind kind, TMenuCommand command);
    // A transaction search was applied (from the selection button or from the transaction
    // editor's "&Find"): the worksheet shows what it selected.
    void SearchApplied(bool newSelection);
    // "R&eset" and "&Clear All Selections"; the reports window's caller keeps the date range.
    void ResetSelections(bool reportsWindowCaller = false);
    // A document opened, created or closed: no date range, day switch up, no selection.
    void ClearFilters();

private:
    void Recalculation(); // the engine's full recalculation
    void ReselectCategories();
    void ReselectGroups();
    void ReselectTransactions();
    void SelectionMade(TSelectionKind kind, bool newSelection);
    void SelectionCleared();

    TWorksheet& Sheet;
    TWorksheetDialogs& Dialogs;
    bool DaySwitch = false;
};

} // namespace qz

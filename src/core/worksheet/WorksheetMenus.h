#pragma once
// What a row button and the worksheet's context menus do: which editor opens on which record,
// what follows its OK, the menus' items with their captions and states, the reconcile item
// and the zero-total item.

#include "WorksheetFilters.h"
#include "WorksheetMenuItems.h"

namespace qz {

enum class TRowEditor : std::uint8_t { None, Accounts, Transaction, Transfer, Category, Group, CategoryType };

// The editor a row opens and the record it opens on.
struct TRowTarget {
    TRowEditor Editor = TRowEditor::None;
    TTransRec* Transaction = nullptr;
    TBookRec* Account = nullptr;
    TMainActRec* Category = nullptr;
    TSubActRec* Sub = nullptr;
    TGroupRec* Group = nullptr;
    TCatRec* Type = nullptr;
};

class TWorksheetMenus {
public:
    TWorksheetMenus(TWorksheet& worksheet, TWorksheetFilters& filters, TWorksheetDialogs& dialogs);
    TWorksheetMenus(const TWorksheetMenus&) = delete;
    TWorksheetMenus& operator=(const TWorksheetMenus&) = delete;

    // The editor and record of a grid line of the active view; Editor None beyond the rows.
    TRowTarget RowTarget(std::int32_t line) const;
    // Opens the row's record in its editor and, after OK, recalculates and refreshes as needed.
    void GridB1RowBtnClick(std::int32_t rowIndex);

    // Builds the active view's context menu for the row under the mouse (-1: none) and
    // remembers that row in its tag.
    const TPopupMenu& GridB1ShowPopup(std::int32_t recIndex);
    const TPopupMenu& Popup() const { return Menu; }
    // Runs a command of the menu last shown, on its remembered row.
    void PopupItemClick(TMenuCommand command);

    // The reconcile item: flips the row's transaction (all parts of a split) between
    // reconciled and unreconciled, writes each record, and brings the figures up to date.
    void ReconcileRow(std::int32_t line);
    // The zero-total item of a classification view: show or hide rows that total zero.
    void ToggleZeroRows(int view);
    std::string ZeroRowsCaption(int view) const;

private:
    TPopupMenu TransactionsMenu(std::int32_t line) const;
    TPopupMenu CategoriesMenu(std::int32_t line) const;
    TPopupMenu GroupsAndTypesMenu(std::int32_t line) const;
    bool OnRow(std::int32_t line) const { return Sheet.ListRow(Sheet.ActiveTab(), line) >= 0; }
    TMainActRec* CategoryOf(const TSubActRec& sub) const;
    void EditFromMenu();
    void FindCategory();

    TWorksheet& Sheet;
    TWorksheetFilters& Filters;
    TWorksheetDialogs& Dialogs;
    TPopupMenu Menu;
};

} // namespace qz

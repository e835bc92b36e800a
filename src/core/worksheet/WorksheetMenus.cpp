#include "WorksheetMenus.h"

#include "engine/Engine.h"

#include <utility>
#include <vector>

namespace qz {

TWorksheetMenus::TWorksheetMenus(TWorksheet& worksheet, TWorksheetFilters& filters, TWorksheetDialogs& dialogs)
    : Sheet(worksheet), Filters(filters), Dialogs(dialogs) {}

TMainActRec* TWorksheetMenus::CategoryOf(const TSubActRec& sub) const {
    if (sub.MainActRec && sub.MainActRec->Number == sub.MainAct)
        return sub.MainActRec;
    return Sheet.Ledger.MainActList.FindByNumber(sub.MainAct);
}

// ---- Row actions ------------------------------------------------------------------------------

TRowTarget TWorksheetMenus::RowTarget(std::int32_t line) const {
    TRowTarget target;
    switch (Sheet.ActiveTab()) {
    case ViewTransactions:
        if (TTransRec* t = Sheet.TransactionAt(line)) {
            target.Transaction = t;
            target.Account = t->BookRec;
            target.Editor = t->Kind == TransOpening ? TRowEditor::Accounts
                            : t->IsTransfer()       ? TRowEditor::Transfer
                                                    : TRowEditor::Transaction;
        }
        break;
    case ViewCategories:
        if ((target.Category = Sheet.CategoryAt(line)))
            target.Editor = TRowEditor::Category;
        break;
    case ViewSubCategories:
        if ((target.Sub = Sheet.SubCategoryAt(line))) {
            target.Category = CategoryOf(*target.Sub);
            target.Editor = TRowEditor::Category;
        }
        break;
    case ViewGroups:
        if ((target.Group = Sheet.GroupAt(line)))
            target.Editor = TRowEditor::Group;
        break;
    case ViewSummary:
        if ((target.Type = Sheet.CategoryTypeAt(line)))
            target.Editor = TRowEditor::CategoryType;
        break;
    default:
        break;
    }
    return target;
}

void TWorksheetMenus::GridB1RowBtnClick(std::int32_t rowIndex) {
    const TRowTarget target = RowTarget(rowIndex);
    switch (target.Editor) {
    case TRowEditor::Accounts:
        if (Dialogs.EditAccounts(target.Account))
            Filters.AccountsEdited();
        break;
    case TRowEditor::Transaction:
        if (Dialogs.EditTransactionOfRow(rowIndex, *target.Transaction))
            Sheet.Refresh();
        break;
    case TRowEditor::Transfer:
        if (Dialogs.EditTransfer(*target.Transaction))
            Filters.TransfersEdited();
        break;
    case TRowEditor::Category:
        if (Dialogs.EditCategory(target.Category, target.Sub))
            Sheet.Refresh();
        break;
    case TRowEditor::Group:
        if (Dialogs.EditGroups(target.Group))
            Sheet.Refresh();
        break;
    case TRowEditor::CategoryType:
        if (Dialogs.EditCategoryTypes(target.Type))
            Sheet.Refresh();
        break;
    case TRowEditor::None:
        break; // no row there
    }
}

// ---- Context menus ----------------------------------------------------------------------------

TPopupMenu TWorksheetMenus::TransactionsMenu(std::int32_t line) const {
    TPopupMenu menu;
    menu.Name = "TransPopup";
    TMenuItem edit{"&Edit Transaction", TMenuCommand::EditRecord};
    TMenuItem reconcile{"&Disable Transaction", TMenuCommand::Reconcile};
    if (const TTransRec* t = Sheet.TransactionAt(line)) {
        if (t->Kind == TransOpening) {
            edit.Caption = "&Edit Account";
            reconcile.Visible = false;
        } else if (t->IsTransfer()) {
            edit.Caption = "&Edit Transfer";
            reconcile.Visible = false;
        } else {
            reconcile.Caption = t->Reconciled ? "&Mark Transaction as Unreconciled" : "&Reconcile Transaction";
        }
    } else {
        edit.Enabled = reconcile.Enabled = false;
    }
    menu.Items = {edit,  reconcile,
                  {"-"}, {"&New Transaction", TMenuCommand::NewTransaction},
                  {"-"}, {"&Find Transactions", TMenuCommand::FindTransactions},
                  {"-"}, {"&Clear All Selections", TMenuCommand::ClearAllSelections, Filters.FilterActive()}};
    return menu;
}

TPopupMenu TWorksheetMenus::CategoriesMenu(std::int32_t line) const {
    TPopupMenu menu;
    menu.Name = "AccountsPopup";
    menu.Items = {{OnRow(line) ? "&New/Edit Category" : "&New/Edit Categories", TMenuCommand::EditRecord},
                  {"&Find a Category", TMenuCommand::FindCategory},
                  {"-"},
                  {ZeroRowsCaption(Sheet.ActiveTab()), TMenuCommand::ZeroTotals},
                  {"&Clear All Selections", TMenuCommand::ClearAllSelections, Filters.FilterActive()}};
    return menu;
}

TPopupMenu TWorksheetMenus::GroupsAndTypesMenu(std::int32_t line) const {
    TPopupMenu menu;
    menu.Name = "GroupCatPopup";
    const bool groups = Sheet.ActiveTab() == ViewGroups;
    const char* edit = groups ? (OnRow(line) ? "&New/Edit Group" : "&New/Edit Groups")
                              : (OnRow(line) ? "&New/Edit Category Type" : "&New/Edit Category Types");
    menu.Items = {{edit, TMenuCommand::EditRecord},
                  {"-"},
                  {ZeroRowsCaption(Sheet.ActiveTab()), TMenuCommand::ZeroTotals},
                  {"&Clear All Selections", TMenuCommand::ClearAllSelections, Filters.FilterActive()}};
    return menu;
}

std::string TWorksheetMenus::ZeroRowsCaption(int view) const {
    const TLedger& ledger = Sheet.Ledger;
    switch (view) {
    case ViewCategories:
        return ledger.MainActList.ShowZeroRows ? "&Hide Categories that total $0.00"
                                               : "&Show Categories that total $0.00";
    case ViewSubCategories:
        return ledger.SubActList.ShowZeroRows ? "&Hide Sub Categories that total $0.00"
                                              : "&Show Sub Categories that total $0.00";
    case ViewGroups:
        return ledger.GroupList.ShowZeroRows ? "&Hide Groups that total $0.00" : "&Show Groups that total &0.00";
    case ViewSummary:
        return ledger.CatList.ShowZeroRows ? "&Hide Category Types that total $0.00"
                                           : "&Show Category Types that total &0.00";
    default:
        return {};
    }
}

const TPopupMenu& TWorksheetMenus::GridB1ShowPopup(std::int32_t recIndex) {
    const std::int32_t line = OnRow(recIndex) ? recIndex : -1;
    switch (Sheet.ActiveTab()) {
    case ViewTransactions:
        Menu = TransactionsMenu(line);
        break;
    case ViewCategories:
    case ViewSubCategories:
        Menu = CategoriesMenu(line);
        break;
    default:
        Menu = GroupsAndTypesMenu(line);
        break;
    }
    Menu.Tag = line;
    return Menu;
}

void TWorksheetMenus::EditFromMenu() {
    const std::int32_t line = Menu.Tag;
    if (Sheet.ActiveTab() == ViewTransactions) {
        if (Sheet.RowCount() > 0)
            GridB1RowBtnClick(line);
        return;
    }
    // Off a row the classification editors open for browsing and creating.
    const TRowTarget target = RowTarget(line);
    bool ok = false;
    switch (Sheet.ActiveTab()) {
    case ViewCategories:
    case ViewSubCategories:
        ok = Dialogs.EditCategory(target.Category, target.Sub);
        break;
    case ViewGroups:
        ok = Dialogs.EditGroups(target.Group);
        break;
    case ViewSummary:
        ok = Dialogs.EditCategoryTypes(target.Type);
        break;
    default:
        break;
    }
    if (ok)
        Sheet.Refresh();
}

void TWorksheetMenus::FindCategory() {
    TCategoryFound found;
    if (!Dialogs.FindCategory(Sheet.ActiveTab() == ViewSubCategories, found))
        return;
    TMainActRec* category = found.Sub ? CategoryOf(*found.Sub) : found.Category;
    if (!category)
        return;
    if (Dialogs.EditCategory(category, found.Sub))
        Sheet.Refresh();
}

void TWorksheetMenus::PopupItemClick(TMenuCommand command) {
    const TMenuItem* item = Menu.Find(command);
    if (!item || !item->Enabled || !item->Visible)
        return;
    switch (command) {
    case TMenuCommand::EditRecord:
        EditFromMenu();
        break;
    case TMenuCommand::Reconcile:
        ReconcileRow(Menu.Tag);
        break;
    case TMenuCommand::NewTransaction:
        Dialogs.NewTransaction();
        break;
    case TMenuCommand::FindTransactions:
        Filters.NewSelection(TSelectionKind::Transactions);
        break;
    case TMenuCommand::FindCategory:
        FindCategory();
        break;
    case TMenuCommand::ZeroTotals:
        ToggleZeroRows(Sheet.ActiveTab());
        break;
    case TMenuCommand::ClearAllSelections:
        Filters.ResetSelections(false);
        break;
    default:
        break;
    }
}

// ---- The reconcile and zero-total items -------------------------------------------------------

void TWorksheetMenus::ReconcileRow(std::int32_t line) {
    TTransRec* row = Sheet.ActiveTab() == ViewTransactions ? Sheet.TransactionAt(line) : nullptr;
    if (!row || !row->IsOrdinary())
        return;
    if (!Dialogs.CheckAccess(TAccessArea::Editing))
        return;
    TLedger& ledger = Sheet.Ledger;
    TTransList& list = ledger.TransList;
    const std::uint8_t state = row->Reconciled ? 0 : 1;
    const std::int32_t number = row->Number;
    const bool split = row->Split != '0';
    // A split is reconciled as a whole: every part of the same transaction number follows, and
    // all its parts reach the document in one commit.
    std::vector<std::pair<std::int32_t, std::uint8_t>> before;
    Dialogs.BeginChanges();
    for (std::int32_t index = 0; index < list.Count(); ++index) {
        TTransRec* t = list.Items(index);
        if (t == row || (split && t->Number == number)) {
            before.emplace_back(index, t->Reconciled);
            list.SetReconciled(index, state);
            list.Changed(index); // written to the document through the list's storage hook
        }
    }
    // Given up: memory goes back to what the document holds.
    if (!Dialogs.EndChanges())
        for (const auto& [index, was] : before)
            list.SetReconciled(index, was);
    if (!Sheet.Options().IncludeDisabledInCalc)
        list.RunningBalances();
    if (ledger.Switches.SearchActive)
        Dialogs.ReapplySearch();
    RangePass(ledger, false);
    Sheet.Refresh();
}

void TWorksheetMenus::ToggleZeroRows(int view) {
    TLedger& ledger = Sheet.Ledger;
    switch (view) {
    case ViewCategories:
        ledger.MainActList.ShowZeroRows ^= 1;
        ledger.MainActList.Recount();
        break;
    case ViewSubCategories:
        ledger.SubActList.ShowZeroRows ^= 1;
        ledger.SubActList.Recount();
        break;
    case ViewGroups:
        ledger.GroupList.ShowZeroRows ^= 1;
        ledger.GroupList.Recount();
        break;
    case ViewSummary:
        ledger.CatList.ShowZeroRows ^= 1;
        ledger.CatList.Recount();
        break;
    default:
        return;
    }
    Sheet.ScrollToTop();
    Sheet.Refresh();
}

} // namespace qz

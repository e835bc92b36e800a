// The main window and the editors of the books' structure: opening them on the record of a row
// or from the tool bar, and bringing the worksheet up to date with what they changed.

#include "MainForm.h"

#include "edit/EditContext.h"
#include "editors/MainActForm.h"

namespace qz::gui {

// What an editor changed reaches the figures and the order of the views it touched; the caller
// redraws.
void TMain::AfterEdit(std::uint16_t refresh) {
    if (refresh == RefreshNone)
        return;
    RefreshAfterEdit(Books, refresh);
    const bool all = refresh & RefreshTotals;
    if (all || (refresh & RefreshTransactions))
        Sheet.SortView(ViewTransactions);
    if (all || (refresh & RefreshCategories))
        Sheet.SortView(ViewCategories);
    if (all || (refresh & (RefreshCategories | RefreshSubCategories)))
        Sheet.SortView(ViewSubCategories);
    if (all || (refresh & RefreshGroups))
        Sheet.SortView(ViewGroups);
    if (all || (refresh & (RefreshTypes | RefreshCategories)))
        Sheet.SortView(ViewSummary);
    if (refresh & RefreshAccounts)
        Filters.FillAccountBar();
    ToolButtonsChanged();
}

bool TMain::EditCategory(TMainActRec* category, TSubActRec* sub) {
    if (!Files.IsOpen)
        return false;
    TCategoryEditorHooks hooks;
    hooks.OpenCategoryTypes = [this]() -> std::uint16_t {
        return EditCategoryTypes(nullptr) ? RefreshTypes | RefreshCategories : RefreshNone;
    };
    hooks.FindCategory = [this](TCategoryFound& found) { return FindCategory(false, found); };
    hooks.ShowHelp = [this](int topic) { ShowHelp(topic); };
    const std::int32_t categoryIndex = category ? Books.MainActList.IndexOf(category) : -1;
    const std::int32_t subIndex = sub ? Books.SubActList.IndexOf(sub) : -1;
    const TCategoryEditorOutcome outcome = TMainActForm::Open(this, Edit, Formats, hooks, categoryIndex, subIndex);
    AfterEdit(outcome.Refresh);
    return outcome.Changed;
}

// "&Categories": the editor for browsing and creating, after the password for adding.
void TMain::CategoriesCommand() {
    if (!Files.IsOpen)
        return;
    // The password given here covers the editor's additions.
    const TAccessScope granted(Edit, TAccessArea::Adding);
    if (!granted)
        return;
    if (EditCategory(nullptr, nullptr))
        Sheet.Refresh();
}

bool TMain::EditAccounts(TBookRec*) {
    return false;
}
bool TMain::EditGroups(TGroupRec*) {
    return false;
}
bool TMain::EditCategoryTypes(TCatRec*) {
    return false;
}
bool TMain::FindCategory(bool, TCategoryFound&) {
    return false;
}
bool TMain::SelectCategories(bool) {
    return false;
}
bool TMain::SelectGroups(bool) {
    return false;
}

} // namespace qz::gui

// The main window and the editors of the books' structure: opening them on the record of a row
// or from the tool bar, and bringing the worksheet up to date with what they changed.

#include "MainForm.h"

#include "edit/EditContext.h"
#include "editors/ActSearchForm.h"
#include "editors/ActSelect.h"
#include "editors/BooksForm.h"
#include "editors/CatForm.h"
#include "editors/GroupForm.h"
#include "editors/GrpSelect.h"
#include "editors/MainActForm.h"

#include <algorithm>

namespace qz::gui {

// The rows an editor deleted from each view, as `Row` numbered them when it opened, and each
// view's row count then: a descending view shows row r on line count - 1 - r.
struct TMain::TDeletedRows {
    std::array<std::int32_t, ViewCount> RowsBefore{};
    std::array<std::vector<std::int32_t>, ViewCount> Rows;

    void Add(int view, const std::vector<std::int32_t>& rows) {
        Rows[view].insert(Rows[view].end(), rows.begin(), rows.end());
    }
};

TMain::TDeletedRows TMain::RowsBeforeEdit() const {
    TDeletedRows deleted;
    for (int view = 0; view < ViewCount; ++view)
        deleted.RowsBefore[view] = Sheet.RowCount(view);
    return deleted;
}

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

// Rows deleted above a view's first visible row would pull the rows below them up under the
// user's eyes: the first visible row goes down by their number, so that it shows the record it
// showed, and every view's position stays within its rows.
void TMain::KeepFirstVisibleRows(const TDeletedRows& deleted) {
    for (int view = 0; view < ViewCount; ++view) {
        TGridInfo& columns = Sheet.GridInfo[view];
        const std::int32_t top = columns.ScrollBarPos;
        const std::int32_t above =
            std::count_if(deleted.Rows[view].begin(), deleted.Rows[view].end(), [&](std::int32_t row) {
                const std::int32_t line =
                    columns.SortDirection == sdDescending ? deleted.RowsBefore[view] - 1 - row : row;
                return line >= 0 && line < top;
            });
        columns.ScrollBarPos = std::clamp(top - above, 0, std::max(0, Sheet.RowCount(view) - 1));
    }
}

bool TMain::EditCategory(TMainActRec* category, TSubActRec* sub) {
    if (!Files.IsOpen)
        return false;
    TDeletedRows deleted = RowsBeforeEdit();
    TCategoryEditorHooks hooks;
    hooks.OpenCategoryTypes = [this, &deleted]() -> std::uint16_t {
        // The worksheet catches up once, when the category editor closes.
        const TListEditorOutcome types =
            TCatForm::OpenCategoryTypes(this, Edit, -1, [this](int topic) { ShowHelp(topic); });
        deleted.Add(ViewSummary, types.DeletedRows);
        // The category line and the Main Categories view name the types.
        return types.Refresh | (types.Changed ? RefreshTypes | RefreshCategories : RefreshNone);
    };
    hooks.FindCategory = [this](TCategoryFound& found) { return FindCategory(false, found); };
    hooks.ShowHelp = [this](int topic) { ShowHelp(topic); };
    const std::int32_t categoryIndex = category ? Books.MainActList.IndexOf(category) : -1;
    const std::int32_t subIndex = sub ? Books.SubActList.IndexOf(sub) : -1;
    const TCategoryEditorOutcome outcome = TMainActForm::Open(this, Edit, Formats, hooks, categoryIndex, subIndex);
    deleted.Add(ViewCategories, outcome.DeletedCategoryRows);
    deleted.Add(ViewSubCategories, outcome.DeletedSubRows);
    AfterEdit(outcome.Refresh);
    KeepFirstVisibleRows(deleted);
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

bool TMain::EditAccounts(TBookRec* account) {
    if (!Files.IsOpen)
        return false;
    TBooksContext context;
    context.Edit = &Edit;
    context.Formats = &Formats;
    context.Today = Services.Time->Today();
    context.ShowHelp = [this](int topic) { ShowHelp(topic); };
    std::uint16_t refresh = RefreshNone;
    const bool changed =
        TBooksForm::OpenAccounts(this, context, account ? Books.BookList.IndexOf(account) : -1, refresh);
    // The worksheet's own steps after the accounts editor recalculate and refill the bar.
    AfterEdit(refresh & ~RefreshTotals);
    return changed || refresh != RefreshNone;
}

bool TMain::EditGroups(TGroupRec* group) {
    if (!Files.IsOpen)
        return false;
    TDeletedRows deleted = RowsBeforeEdit();
    return AfterListEditor(ViewGroups, deleted,
                           TGroup::OpenGroups(this, Edit, group ? Books.GroupList.IndexOf(group) : -1,
                                              [this](int topic) { ShowHelp(topic); }));
}

bool TMain::EditCategoryTypes(TCatRec* type) {
    if (!Files.IsOpen)
        return false;
    TDeletedRows deleted = RowsBeforeEdit();
    return AfterListEditor(ViewSummary, deleted,
                           TCatForm::OpenCategoryTypes(this, Edit, type ? Books.CatList.IndexOf(type) : -1,
                                                       [this](int topic) { ShowHelp(topic); }));
}

// The groups or the category types editor closed: the rows it deleted were rows of `view`.
bool TMain::AfterListEditor(int view, TDeletedRows& deleted, const TListEditorOutcome& outcome) {
    deleted.Add(view, outcome.DeletedRows);
    AfterEdit(outcome.Refresh);
    KeepFirstVisibleRows(deleted);
    return outcome.Changed;
}

bool TMain::FindCategory(bool subCategories, TCategoryFound& found) {
    const std::optional<TCategoryHit> hit =
        TActSearchForm::FindCategory(this, Books, subCategories, [this](int topic) { ShowHelp(topic); });
    if (!hit || hit->Index < 0)
        return false;
    found = {};
    if (hit->IsCategory)
        found.Category = Books.MainActList.Items(hit->Index);
    else
        found.Sub = Books.SubActList.Items(hit->Index);
    return true;
}

bool TMain::SelectCategories(bool newSelection) {
    return TActSelect::SelectCategories(this, Books, newSelection, OptionsStore->ReadOption(OptShowActNoinTrans),
                                        [this](int topic) { ShowHelp(topic); });
}

bool TMain::SelectGroups(bool newSelection) {
    return TGrpSelect::SelectGroups(this, Books, newSelection, OptionsStore->ReadOption(OptShowActNoinTrans),
                                    [this](int topic) { ShowHelp(topic); });
}

// "&Groups": the groups editor for a new group, after the password for adding.
void TMain::GroupsCommand() {
    if (!Files.IsOpen)
        return;
    const TAccessScope granted(Edit, TAccessArea::Adding);
    if (!granted)
        return;
    if (EditGroups(nullptr))
        Sheet.Refresh();
}

} // namespace qz::gui

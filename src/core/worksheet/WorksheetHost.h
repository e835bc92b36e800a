#pragma once
// What the worksheet needs of the window around it (the grid, the panels and indicators, the
// progress bar, the options store) and of the editors and dialogs its commands open. The main
// window implements both with its controls and forms; tests record the calls and script the
// answers.

#include "GridInfo.h"

#include <cstdint>

namespace qz {

struct TBookRec;
struct TTransRec;
struct TMainActRec;
struct TSubActRec;
struct TGroupRec;
struct TCatRec;
struct TTaxSummary;

// The two stored options the toggle switches write.
enum class TWorksheetOption : std::uint8_t { IncludeDisabledInCalc, GSTinTotals };

// The protection areas a document's password may guard.
// What a protected command guards, by the numbers the program's commands use (a number may carry
// the high bit 128, which means nothing). FileOpening is the prompt of a document protected
// against opening.
enum class TAccessArea : std::uint8_t {
    Deleting = 0,
    Adding = 1,
    Editing = 2,
    Worksheet = 3,
    Reports = 4,
    Printing = 5,
    PasswordPage = 6, // the options window's "Password" page: guarded whenever there is a password
    FileOpening = 7,
};

class TWorksheetWindow {
public:
    virtual ~TWorksheetWindow() = default;

    // Give the grid this column set (a tab switch, a reset of positions or widths).
    virtual void ShowColumnSet(TGridInfo& columns) = 0;
    // Lay out the panels below the grid and set the toggle switches for the active tab
    // (TWorksheet::Layout and ToggleSwitches say how).
    virtual void ShowViewPanels() = 0;
    // The grid's SetRowCount (which enables it unless locked) and a repaint; the totals row
    // texts are already in the active column set.
    virtual void RefreshGrid(std::int32_t rowCount) = 0;
    // Repaint the rows only (a change of sort direction).
    virtual void RepaintGrid() = 0;
    // The grid back at its top; `everyView`: every view's place was reset (their current rows
    // go back to the top as well), else only the active view's.
    virtual void ScrollGridToTop(bool everyView) = 0;
    // The tax summary panel's labels and values, on every refresh of the Quick Summary view.
    virtual void ShowTaxSummary(const TTaxSummary& summary) = 0;
    // The date panel and pickers, the selection buttons and "R&eset": read them from TWorksheetFilters.
    virtual void FiltersChanged() = 0;
    // "&Reports" and "&Print": TWorksheet::ReportsEnabled.
    virtual void ToolButtonsChanged() = 0;
    // Refill the account bar from TWorksheetFilters::AccountButtons.
    virtual void AccountBarChanged() = 0;
    // 0..99 shows the progress bar at that position; 100 hides it.
    virtual void ShowProgress(int position) = 0;
    // Write a stored option to the options store at once.
    virtual void StoreOption(TWorksheetOption option, bool value) = 0;
};

// What the category search found: a category, or a sub category (with its category), or nothing.
struct TCategoryFound {
    TMainActRec* Category = nullptr;
    TSubActRec* Sub = nullptr;
};

struct TMonth {
    int Year = 0;
    int Month = 0; // 1..12
};

// The editors and dialogs; each answers true for OK. A cancel must change nothing.
class TWorksheetDialogs {
public:
    virtual ~TWorksheetDialogs() = default;

    // The document's password check for a protected command; false refuses it.
    virtual bool CheckAccess(TAccessArea area) = 0;
    // The accounts editor, on `account` or (nullptr) on the list.
    virtual bool EditAccounts(TBookRec* account) = 0;
    // The transaction editor in its mode that edits the transaction of a Transactions-view row.
    virtual bool EditTransactionOfRow(std::int32_t row, TTransRec& transaction) = 0;
    // The transfer editor on one half of a transfer.
    virtual bool EditTransfer(TTransRec& transaction) = 0;
    // The category editor on `category` with `sub` chosen; both nullptr: browsing and creating.
    virtual bool EditCategory(TMainActRec* category, TSubActRec* sub) = 0;
    virtual bool EditGroups(TGroupRec* group) = 0;
    virtual bool EditCategoryTypes(TCatRec* type) = 0;
    // The category search on categories or on sub categories.
    virtual bool FindCategory(bool subCategories, TCategoryFound& found) = 0;
    // The category and group selections, new or editing the active one: they mark the
    // records and set their active switch.
    virtual bool SelectCategories(bool newSelection) = 0;
    virtual bool SelectGroups(bool newSelection) = 0;
    // The transaction search; it marks InSearch and sets SearchIncludesUnreconciled.
    virtual bool OpenSearch(bool newSearch) = 0;
    virtual void ReapplySearch() = 0;
    // The month selector below the date panel: the first and the last chosen month.
    virtual bool PickMonths(TMonth& first, TMonth& last) = 0;
    // The "&New Transaction" tool command, with its own checks and refresh.
    virtual void NewTransaction() = 0;
    // A change of several records reaches the document as one commit: the worksheet opens a
    // group before it and ends it after. EndChanges answers false when the commit was given up,
    // and the document then holds none of the change. Without a document nothing is written.
    virtual void BeginChanges() {}
    virtual bool EndChanges() { return true; }
};

} // namespace qz

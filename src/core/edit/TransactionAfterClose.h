#pragma once
// What follows the transaction editor's closing: the worksheet's selection flags, filter,
// orders, totals and running balances brought up to date after what the editor saved or
// deleted, the Transactions view kept steady at its top row, and what the main window must
// show and enable. The figures are those of the full recalculation.

#include "edit/TransactionSession.h"
#include "worksheet/Worksheet.h"

#include <functional>

namespace qz {

struct TAfterTransactionEditor {
    // Into the main window's From and To date pickers.
    TDateTime DateFrom = 0;
    TDateTime DateTo = 0;
    // "&Reports", "&Print", the two date range buttons and the three selection buttons: some
    // credit or debit transaction exists.
    bool ToolsEnabled = false;
    // The worksheet's figures were brought up to date (something was saved or deleted).
    bool Refreshed = false;
};

inline constexpr const char* SelectionNoticeText =
    "New Record(s) you have entered might not be visible because there is a Selection on.";

// Runs the steps after the editor closed, in order, and refreshes the worksheet. The notice
// about new records under a selection goes through `ask`; `reapplySearch` applies the
// transaction search again (its marks) while a search is in force.
TAfterTransactionEditor AfterTransactionEditor(TWorksheet& sheet, const TTransactionEditorResult& result, Prompts& ask,
                                               const std::function<void()>& reapplySearch);

} // namespace qz

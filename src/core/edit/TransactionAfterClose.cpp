#include "TransactionAfterClose.h"

#include "TransactionOrder.h"
#include "engine/Engine.h"

#include <algorithm>

namespace qz {

namespace {

// The flags, marks and date span the rows depend on; every flag when `everything` is asked.
// Without a date range of the user's the worksheet spans the whole ledger; records only added
// widened the span as they were added, so it is looked for again only when one may have left
// an end of it.
void SelectionAndSpan(TLedger& ledger, const std::function<void()>& reapplySearch, bool everything,
                      bool spanMayShrink) {
    const TCalcSwitches& switches = ledger.Switches;
    if (everything || switches.CategorySelectionActive || switches.GroupSelectionActive || !AllAccountsSelected(ledger))
        SetSelectionFlags(ledger);
    if (switches.SearchActive && reapplySearch)
        reapplySearch();
    if (!switches.DateRangeActive && (everything || spanMayShrink))
        ledger.TransList.ResetRange(0);
}

// The Transactions view in its column's order, then every total and running balance; the
// classification views sorted again when amounts changed. The view was in order before the
// editor opened: the records it saved are placed into it, unless the whole view is sorted.
void OrdersAndTotals(TWorksheet& sheet, bool amountsChanged, const std::vector<TTransRec*>* moved) {
    TLedger& ledger = sheet.Ledger;
    const std::int32_t order = sheet.GridInfo[ViewTransactions].SortIndex;
    if (order >= 0 && !moved)
        sheet.SortView(ViewTransactions);
    else if (order >= 0)
        PlaceInOrder(ledger.TransList.RowList, *moved, static_cast<std::uint8_t>(std::min(order, 255)));
    RangePass(ledger);
    if (amountsChanged)
        for (int view : {ViewCategories, ViewSubCategories, ViewGroups, ViewSummary})
            sheet.SortView(view);
}

// The deleted rows that lay above the Transactions view's top row move its top up by as many.
void KeepTopRowSteady(TWorksheet& sheet, const TTransactionEditorResult& result) {
    for (int view = 0; view < ViewCount; ++view)
        if (result.ResetScroll[static_cast<std::size_t>(view)])
            sheet.GridInfo[view].ScrollBarPos = 0;
    if (result.Deleted == 0)
        return;
    std::int32_t& top = sheet.GridInfo[ViewTransactions].ScrollBarPos;
    const std::int32_t rows = sheet.RowCount(ViewTransactions);
    top = std::clamp(top - result.DeletedAbove, 0, std::max(0, rows - 1));
}

} // namespace

TAfterTransactionEditor AfterTransactionEditor(TWorksheet& sheet, const TTransactionEditorResult& result, Prompts& ask,
                                               const std::function<void()>& reapplySearch) {
    TLedger& ledger = sheet.Ledger;
    TAfterTransactionEditor after;
    if (result.Saved || result.CommitGivenUp) {
        if (result.NewRecordsAdded && AnySelectionActive(ledger))
            ask.MessageBox(SelectionNoticeText, MsgKind::Information, MsgButtons::Ok);
        // After a commit given up memory is what the file holds: everything is worked out again.
        const bool everything = result.CommitGivenUp;
        SelectionAndSpan(ledger, reapplySearch, everything, result.StoredChanged);
        OrdersAndTotals(sheet, everything || result.AmountsChanged, everything ? nullptr : &result.Moved);
        sheet.Window.ShowProgress(100);
        after.Refreshed = true;
    }
    KeepTopRowSteady(sheet, result);
    after.DateFrom = ledger.TransList.DateFrom;
    after.DateTo = ledger.TransList.DateTo;
    after.ToolsEnabled = OrdinaryEnds(ledger.TransList).first != -1;
    if (after.Refreshed)
        sheet.Refresh();
    return after;
}

} // namespace qz

#include "EditContext.h"

#include "MemoryBefore.h"
#include "engine/Engine.h"

namespace qz {

bool TEditContext::CheckAccess(TAccessArea area) const {
    return (Granted && *Granted == area) || Access.Check(area);
}

void RefreshAfterEdit(TLedger& ledger, std::uint16_t refresh) {
    if (refresh & RefreshTotals) {
        // Without a date range of the user's, the worksheet spans every transaction: a new or
        // re-dated opening balance may lie outside the span it had.
        if (!ledger.Switches.DateRangeActive)
            ledger.TransList.ResetRange(0);
        Recalculate(ledger);
        return;
    }
    if (refresh & RefreshCategories)
        ledger.MainActList.Recount();
    if (refresh & RefreshSubCategories)
        ledger.SubActList.Recount();
    if (refresh & RefreshGroups)
        ledger.GroupList.Recount();
    if (refresh & (RefreshTypes | RefreshCategories)) {
        TypeTotals(ledger);
        ledger.CatList.Recount();
    }
}

void TMemoryBefore::Restore() {
    Types.Restore(Ledger.CatList);
    Categories.Restore(Ledger.MainActList);
    Subs.Restore(Ledger.SubActList);
    Groups.Restore(Ledger.GroupList);
    Books.Restore(Ledger.BookList);
    Trans.Restore(Ledger.TransList);
    Ledger.TransList.DateFrom = DateFrom;
    Ledger.TransList.DateTo = DateTo;
    // Records that came back are new objects: every reference is resolved again by number. The
    // books were linked when they were opened, and they are as they were then.
    try {
        LinkRecords(Ledger);
    } catch (const EListIndexError&) {
    }
    Ledger.TransferList.Build(Ledger.TransList);
}

TEditOutcome FinishEdit(TChangeGroup& group, TMemoryBefore& before, TEditOutcome outcome) {
    if (group.End())
        return outcome;
    before.Restore();
    return {TEditResult::NotStored, RefreshAll, -1};
}

} // namespace qz

#include "ReportRun.h"

#include "engine/Engine.h"

namespace qz {

TReportRun::TReportRun(TLedger& ledger, TDateTime from, TDateTime to, bool gstInTotalsOption)
    : Ledger(ledger), GstInTotalsOption(gstInTotalsOption) {
    TTransList& list = ledger.TransList;
    const bool periodChanged = list.DateFrom != from || list.DateTo != to;
    list.DateFrom = from;
    list.DateTo = to;
    if (ledger.Switches.GstInTotals) {
        // The full recalculation filters for the new period too.
        ledger.Switches.GstInTotals = false;
        Recalculate(ledger);
    } else if (periodChanged) {
        RangePass(ledger);
    }
}

TReportRun::~TReportRun() {
    if (Ledger.Switches.GstInTotals == GstInTotalsOption)
        return;
    Ledger.Switches.GstInTotals = GstInTotalsOption;
    Recalculate(Ledger);
}

TWorksheetPeriod TWorksheetPeriod::Of(const TLedger& ledger) {
    return {ledger.TransList.DateFrom, ledger.TransList.DateTo, ledger.Switches.DateRangeActive};
}

bool TWorksheetPeriod::Restore(TLedger& ledger) const {
    TTransList& list = ledger.TransList;
    if (list.DateFrom == From && list.DateTo == To)
        return false;
    list.DateFrom = From;
    list.DateTo = To;
    ledger.Switches.DateRangeActive = DateRangeActive;
    RangePass(ledger);
    return true;
}

} // namespace qz

#pragma once
// The books made ready for one run of a printed report, and put back when the run ends. The
// Reports window and the command-line tool both run a report inside one of these, so that its
// figures never include GST or VAT and the worksheet shows its own figures again afterwards.
//
// While it lives: the transaction list is filtered to the report's period and every total is
// recalculated for it; the classification totals are net of tax (the switch GstInTotals off,
// with a full recalculation when it was on). The reports list category types, categories and
// sub categories in their report order as copies (ReportTypeOrder...), so the lists' own orders
// are never changed and need no putting back.
// When it ends: the switch GstInTotals takes the option GSTinTotals again, with a full
// recalculation when that changes it. The period stays the report's, as the Reports window
// keeps it until it closes (see TWorksheetPeriod).

#include "ledger/Ledger.h"

namespace qz {

class TReportRun {
public:
    // `gstInTotalsOption`: the option GSTinTotals as the options store holds it.
    TReportRun(TLedger& ledger, TDateTime from, TDateTime to, bool gstInTotalsOption);
    ~TReportRun();
    TReportRun(const TReportRun&) = delete;
    TReportRun& operator=(const TReportRun&) = delete;

private:
    TLedger& Ledger;
    bool GstInTotalsOption;
};

// The worksheet's own date range, kept while the Reports window is open and put back when it
// closes: the range and its switch, with the totals and running balances recalculated for it
// when the window's period had changed them.
struct TWorksheetPeriod {
    TDateTime From = 0;
    TDateTime To = 0;
    bool DateRangeActive = false;

    static TWorksheetPeriod Of(const TLedger& ledger);
    // True when the ledger was filtered to another period and has been put back.
    bool Restore(TLedger& ledger) const;
};

} // namespace qz

#pragma once
// The cash flow statement: credits and debits by category type and category (and sub category
// in the detailed report), transfers, totals, the opening balance, the nett tax figures and
// the closing balance of the period the ledger is filtered to. The ledger must be recalculated
// with its classification totals net of tax (the switch GstInTotals off): run it inside a
// TReportRun.

#include "ReportLines.h"
#include "ReportOptions.h"
#include "ReportSections.h"
#include "ledger/DisplayFormats.h"
#include "ledger/Ledger.h"
#include "storage/FileOLE.h"

namespace qz {

struct TCashFlowFigures {
    Money TransfersIn;  // Transfer From transactions shown for the period
    Money TransfersOut; // Transfer To transactions shown for the period
    Money TotalCredits;
    Money TotalDebits;
    Money Surplus;
    Money OpeningBalance;
    Money NettTax;         // tax on the period's credits less tax on its debits
    Money PaymentsBalance; // tax payments category less tax refunds category
    Money ClosingBalance;
};

TCashFlowFigures CashFlowFigures(const TLedger& ledger);

// The balance brought into the period: what the selected transactions before the first one
// shown add up to (none while a category, group or search selection is active), and the
// opening balances shown for the period.
Money CashFlowOpeningBalance(const TLedger& ledger);

TReport CashFlowReport(const TLedger& ledger, const TFileSettings& settings, const TReportOptions& options,
                       const TDisplayFormats& formats);

} // namespace qz

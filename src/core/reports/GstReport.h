#pragma once
// The GST/VAT report of the period the ledger is filtered to: tax collected on sales, tax
// credited on purchases, the nett amount, the payments to and refunds from the tax office, the
// tax balance at the start and the end of the period, and the sales and purchases without tax.
// The detailed report lists the transactions behind each figure in tables. Like the cash flow
// statement it reads books a TReportRun has prepared.

#include "ReportLines.h"
#include "ReportOptions.h"
#include "ledger/DisplayFormats.h"
#include "ledger/Ledger.h"
#include "storage/FileOLE.h"

#include <vector>

namespace qz {

struct TGstFigures {
    Money Collected;       // tax on the period's credits
    Money Paid;            // tax on the period's debits
    Money Nett;            // Collected - Paid
    Money PaymentsBalance; // tax payments category less tax refunds category
    bool OpeningUsed = false;
    Money OpeningBalance; // tax owed at the end of the day before the period; 0 when not used
    Money ClosingBalance;
    Money ZeroSales;     // credits shown without tax, the refunds category aside, reconciled or not
    Money ZeroPurchases; // debits shown without tax, the payments category aside, reconciled or not
};

// The transactions the detailed report lists, each in the ledger's key order. Only the ones
// that count (reconciled, or all while unreconciled ones are included) and are shown for the
// period; each goes into the first list it belongs to, payments and refunds first.
struct TGstLists {
    std::vector<const TTransRec*> Sales;     // credits with tax
    std::vector<const TTransRec*> Purchases; // debits with tax
    std::vector<const TTransRec*> Payments;  // in the tax payments or tax refunds category
    std::vector<const TTransRec*> ZeroSales;
    std::vector<const TTransRec*> ZeroPurchases;
};

TGstFigures GstFigures(const TLedger& ledger);
TGstLists GstReportLists(const TLedger& ledger);

// The widest of the report's tables, the sales table, in millimetres.
double GstSalesTableWidthMm();
// False when a detailed report would not fit across a printable width of `printableWidthMm`:
// the caller then shows GstPaperMessage and produces the report all the same.
bool GstPaperWideEnough(double printableWidthMm);
inline constexpr const char* GstPaperMessage =
    "The paper size you have chosen for this report may not be wide enough to fit the entire report.  To fix this "
    "select a larger paper size to print on.";

TReport GstReport(const TLedger& ledger, const TFileSettings& settings, const TReportOptions& options,
                  const TDisplayFormats& formats);

} // namespace qz

#pragma once
// The report "Assets Purchased and Sold" of the period the ledger is filtered to: the category
// types of the asset and liability kind and of the funds kind in the cash flow statement's
// sections, with their totals, and what each included account holds over the period. Like the
// cash flow statement it reads books a TReportRun has prepared.

#include "ReportLines.h"
#include "ReportOptions.h"
#include "ledger/DisplayFormats.h"
#include "ledger/Ledger.h"
#include "storage/FileOLE.h"

#include <vector>

namespace qz {

struct TAccountBalance {
    const TBookRec* Account = nullptr;
    Money Balance;
};

struct TAssetsFigures {
    Money TotalAssetValue; // assets purchased less assets sold
    Money TotalFunds;      // funds put in less funds repaid
    // The included accounts in key order, each with what the transactions shown for the period
    // and counted in the view totals add to it.
    std::vector<TAccountBalance> Accounts;
    Money TotalActualFunds; // the view totals' credits less debits
};

TAssetsFigures AssetsFigures(const TLedger& ledger);

TReport AssetsReport(const TLedger& ledger, const TFileSettings& settings, const TReportOptions& options,
                     const TDisplayFormats& formats);

} // namespace qz

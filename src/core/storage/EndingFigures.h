#pragma once
// What a new document made from an existing one starts with: the existing document's
// unreconciled transactions, each account's ending balance and the GST/VAT ending balance,
// all counted on reconciled transactions only. The existing document is read through a file
// manager of its own and closed again without a save: nothing of it is written.

#include "DocumentQuestions.h"
#include "ledger/Ledger.h"
#include "platform/Clock.h"
#include "platform/Drives.h"
#include "platform/Prompts.h"

#include <string>
#include <vector>

namespace qz {

struct TEndingFigures {
    // Copies, in key order, so that the parts of a split follow one another from part "A".
    std::vector<TTransRec> Unreconciled;
    // Each account's number and ending balance, in the document's account order (the order
    // in which TFileConvert::NewFromExisting hands out the opening balances).
    std::vector<std::int32_t> AccountNumbers;
    std::vector<Money> Balances;
    Money GstBalance;

    // The answers of No: no tax balance, no account balances, no transactions carried.
    void KeepOnly(bool gstBalance, bool accountBalances, bool transactions);
};

enum class TEndingRead {
    Read = 0,
    NoPassword = 1,   // the password was not given
    NotADocument = 2, // not a document, or one that does not load
    InUse = 3,        // open elsewhere (the file manager has said so)
};

// Checks the document at `path` (asking its password when it has one), opens it, recalculates
// it with unreconciled transactions left out, collects its figures and closes it unsaved.
TEndingRead ReadEndingFigures(const std::string& path, Prompts& prompts, DocumentQuestions& questions,
                              const Clock& clock, TEndingFigures& figures, Drives& drives = Drives::System());

// The same, on a ledger that is already loaded and linked; its selections and switches are
// left as it had them.
void CollectEndingFigures(TLedger& ledger, TEndingFigures& figures);

} // namespace qz

#pragma once
// Importing a statement: the ticked lines of the preview become credit transactions (money in)
// and debit transactions (money out) of one account, each in the category chosen for it, and
// reach the document in one commit: all of them, or none.

#include "edit/EditContext.h"
#include "filters/ImportPreview.h"

#include <vector>

namespace qz {

struct TImportEntry {
    TStatementLine Line;
    TImportCategory Category; // for a credit or debit
    // Given, the line becomes a transfer between the account and this one instead: money out
    // is a "Transfer To" in the account and a "Transfer From" in this one, money in the other
    // way round. The notes go on the "Transfer To" half, as the transfer window keeps them.
    std::optional<std::int32_t> TransferAccount;
};

// The checks before anything changes: the account exists, each entry is a good line with an
// amount other than 0 on or after the account's opening balance, and its category, sub
// category and group exist with the category on the side of the line (for a transfer: the
// other account exists, is another, and was open on the day). Empty when all pass,
// otherwise the first refusal, naming the entry's line.
std::string CheckImport(const TLedger& ledger, std::int32_t account, const std::vector<TImportEntry>& entries);

// Runs the adding access check, refuses (with an information message) what CheckImport
// refuses, then adds the transactions, reconciled unless the file says the line has not cleared, numbered one after
// another in the order of `entries` (a transfer's halves one after the other, "Transfer To" first). A document that
// keeps account of tax gives each the tax of its sub category's percentage, as the transaction window does. Index: the
// key index of the first one added.
TEditOutcome ImportStatement(TEditContext& edit, std::int32_t account, const std::vector<TImportEntry>& entries);

} // namespace qz

#pragma once
// Every transaction as QIF: the categories first, then one bank section per account with
// its transactions in date order. An opening balance is the account's first entry against
// itself, a split is one entry with a line per part, and a transfer shows in both accounts
// against the other. Texts are UTF-8, dates MM/DD/YYYY.

#include "ledger/Ledger.h"

#include <ostream>

namespace qz {

// `ledger` is linked and in key order (date order).
void ExportQif(const TLedger& ledger, std::ostream& out);

} // namespace qz

#pragma once
// Every transaction as CSV (RFC 4180): a header line, then one line per record, so each
// part of a split and each half of a transfer has its own line. Texts are UTF-8, dates
// YYYY-MM-DD, amounts plain decimals; lines end with CR LF.

#include "ledger/Ledger.h"

#include <ostream>

namespace qz {

// `ledger` is linked and in key order (date order), as the lines are written in that order.
void ExportCsv(const TLedger& ledger, std::ostream& out);

// The kind of a transaction in words: "Credit", "Debit", "Opening Balance", "Transfer From",
// "Transfer To".
const char* TransKindText(std::uint8_t kind);

} // namespace qz

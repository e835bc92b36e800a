#pragma once
// Every transaction as a plain-text journal that ledger and hledger both read: double-entry
// transactions in date order, the accounts under "Assets", the categories under "Income" and
// "Expenses" by their side, the tax inside each amount and the tax office's payments and
// refunds under "Liabilities", opening balances against "Equity:Opening Balances".
// A transfer is one transaction between two asset accounts. Unreconciled transactions are
// marked pending ("!"), the others cleared ("*").

#include "ledger/Ledger.h"

#include <ostream>
#include <string>

namespace qz {

struct TJournalOptions {
    std::string Commodity = "$";
    std::string TaxName = "GST"; // the name of the tax account under "Liabilities"
    Money TaxOpeningBalance;     // tax owed at the start of the books
    std::string Title;           // a comment at the top: the business's name
};

// `ledger` is linked and in key order (date order).
void ExportJournal(const TLedger& ledger, const TJournalOptions& options, std::ostream& out);

// An account name ledger and hledger read as one name: UTF-8, no ':' (which would open a
// sub account), no run of blanks (which would end the name), no leading bracket.
std::string JournalAccountName(const std::string& cp1252Name);

} // namespace qz

#pragma once
// The recalculation: from the transactions and the switches, every row filter, running
// balance and total the worksheet, the reports and the charts show. Nothing derived is stored.

#include "ledger/Ledger.h"

namespace qz {

// The full recalculation, in this order: selection flags, the transactions' rows and view
// totals, running balances, category and sub category totals, group totals, type totals.
void Recalculate(TLedger& ledger);

// The shorter pass after a date-range change: the selection flags stay as they are, and the
// running balances come last (or not at all, when `withBalances` is false).
void RangePass(TLedger& ledger, bool withBalances = true);

void SetSelectionFlags(TLedger& ledger);
void CategoryTotals(TLedger& ledger);
void GroupTotals(TLedger& ledger);
void TypeTotals(TLedger& ledger);

// Resolves the references between records after loading. A number that names no record
// raises that list's index exception.
void LinkRecords(TLedger& ledger);
// A loaded document's categories name types it has (the type totals add each category to its
// type); otherwise raises the type list's index exception, as LinkRecords does.
void CheckCategoryTypes(const TLedger& ledger);
// Resolves one transaction's references, as an editor does before adding it; false when a
// number names no record (the references it could not resolve are left empty).
bool LinkTransaction(TLedger& ledger, TTransRec& t);

// Fills every account's two totals from the transactions that have a row.
void AccountTotals(TLedger& ledger, bool gross);
// What one transaction adds to its account's credit and debit totals under AccountTotals' rule,
// for a caller that keeps totals of its own and leaves the accounts' as they are.
void AddToAccountTotals(const TTransRec& t, bool gross, Money& credit, Money& debit);

// The GST/VAT owed to the tax office at the end of `date`.
Money GstBalanceAt(const TLedger& ledger, TDateTime date);
Money GstBalanceAtRangeStart(const TLedger& ledger);

bool AnySelectionActive(const TLedger& ledger);
bool AllAccountsSelected(const TLedger& ledger);

} // namespace qz

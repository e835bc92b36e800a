#pragma once
// The accounts window's operations: an account is made, changed and deleted together with its
// opening-balance transaction, and the user's order of the accounts is stored at once.

#include "edit/EditContext.h"

#include <string>
#include <vector>

namespace qz {

// The colour a new account starts with, by how many accounts there are (repeating every ten).
TColour DefaultAccountColour(std::int32_t accountCount);

struct TAccountFields {
    std::string Name;
    TColour Colour = 0;
    TDateTime Date = 0;   // the starting date: the opening balance's day
    Money OpeningBalance; // negative when the account starts overdrawn
};

// What the account dialog starts with for a new account, and for an existing one.
TAccountFields NewAccountFields(const TLedger& ledger, TDateTime today);
TAccountFields AccountFieldsOf(const TBookRec& account);

// A new account with its opening balance. Index: the account's key index (the last).
TEditOutcome AddAccount(TEditContext& edit, const TAccountFields& fields);
// The account at key index `index` and its opening balance take the fields; an account without
// an opening balance gets one.
TEditOutcome ChangeAccount(TEditContext& edit, std::int32_t index, const TAccountFields& fields);
// Asks, then deletes the account with every transaction in it, its opening balance included,
// unless a transfer or a split shared with another account involves it.
TEditOutcome DeleteAccount(TEditContext& edit, std::int32_t index);

// The window's arrows: the row moves one place (not past either end). Answers its new place.
std::int32_t MoveAccountRow(std::vector<TBookRec*>& rows, std::int32_t row, bool up);
// The accounts take the order of the window's rows (the same accounts): the account bar's
// order and the stored order, written at once.
TEditOutcome StoreAccountOrder(TEditContext& edit, const std::vector<TBookRec*>& rows);

} // namespace qz

#pragma once
// The transfer window's operations: a transfer is a pair of transactions made, changed and
// deleted together, the "Transfer To" half (Kind 5) in the account the money leaves and the
// "Transfer From" half (Kind 4) in the account it enters, each naming the other. Every
// operation reaches the document in one commit, keeps the transactions' key order and rebuilds
// the transfer list.

#include "edit/EditContext.h"
#include "ledger/DisplayFormats.h"

#include <optional>
#include <string>
#include <vector>

namespace qz {

struct TTransferFields {
    std::optional<std::int32_t> FromAccount; // the account's Number
    std::optional<std::int32_t> ToAccount;
    TDateTime Date = 0;
    Money Amount;
    std::string Reference; // at most 20 characters are kept
    std::string Notes;     // kept on the "Transfer To" half only
};

// The field a refusal puts the focus on.
enum class TTransferField : std::uint8_t { None, FromAccount, ToAccount, Date, Amount };

struct TTransferRefusal {
    std::string Text; // empty: accepted
    TTransferField Focus = TTransferField::None;
    // For a date before an account's opening balance: the date the picker moves to.
    std::optional<TDateTime> Date;

    explicit operator bool() const { return !Text.empty(); }
};

// What the dialog starts with for a new transfer (the first account, no To account, today,
// amount 0) and for an existing pair.
TTransferFields NewTransferFields(const TLedger& ledger, TDateTime today);
TTransferFields TransferFieldsOf(const TTransferRec& pair);

// The checks of the dialog's OK, first refusal first.
TTransferRefusal CheckTransfer(const TLedger& ledger, const TTransferFields& fields, const TDisplayFormats& formats);

// One piece of the dialog's description line: plain text, the amount (drawn in blue), or an
// account's name framed by blanks (drawn on the account's colour).
struct TDescriptionPiece {
    enum TPart : std::uint8_t { Plain, Amount, Account };
    std::string Text;
    TPart Part = Plain;
    TColour Colour = 0;
    bool operator==(const TDescriptionPiece&) const = default;
};
// "Transfer $50.00 from  Cheque  to  Cash  on 04/03/2026"; empty while either account is not chosen.
std::vector<TDescriptionPiece> TransferDescription(const TLedger& ledger, const TTransferFields& fields,
                                                   const TDisplayFormats& formats);

// The index in the transfer list of the pair one of whose halves is `record`; -1 for none.
std::int32_t TransferIndexOf(const TTransferList& transfers, const TTransRec* record);

// The operations tell a refusal as an information message. Index: the pair's index in the
// rebuilt transfer list (-1 after a deletion).
TEditOutcome AddTransfer(TEditContext& edit, const TTransferFields& fields, const TDisplayFormats& formats);
// The pair at `index` of the transfer list takes the fields; a pair without its "Transfer From"
// half has only the "Transfer To" half changed.
TEditOutcome ChangeTransfer(TEditContext& edit, std::int32_t index, const TTransferFields& fields,
                            const TDisplayFormats& formats);
// Asks, then deletes both halves of the pair at `index` (the one half of a pair without its partner).
TEditOutcome DeleteTransfer(TEditContext& edit, std::int32_t index);

} // namespace qz

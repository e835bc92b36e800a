#pragma once
// What importing a statement into an account would do, line by line, before anything is
// written: which lines are already in the account (duplicates, unticked), which cannot be
// imported and why, and the category each line's payee was given most often before.

#include "StatementLine.h"

#include "ledger/Ledger.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qz {

struct TImportCategory {
    std::int32_t MainAct = 0;
    std::int32_t SubAct = 0;
    std::uint16_t Group = 0;
    bool operator==(const TImportCategory&) const = default;
};

struct TImportLine {
    TStatementLine Source;                    // its Bad also says why the account cannot take it
    const TTransRec* DuplicateOf = nullptr;   // the transaction of the account it matches
    std::optional<TImportCategory> Suggested; // none when neither history nor the file tells
    // The other account of the document the file names as this line's other side (QIF
    // "[Account]"): the line can be imported as a transfer with it, when the user says so.
    std::optional<std::int32_t> TransferAccount;
    bool Ticked = false; // good and no duplicate

    bool Duplicate() const { return DuplicateOf != nullptr; }
    bool Credit() const { return Source.Cents > 0; }
};

// The lines of `statement` against the account numbered `account` of `ledger` (linked).
//  - Duplicates: a transaction of the account within 3 days of the line, of the same amount
//    in the same direction, with the same reference or the same payee text (for a line naming
//    another account of the document, a transfer with that account counts as the same payee).
//    Each transaction answers for one line at most, so two equal lines of one statement are
//    two transactions.
//  - Suggestions: the category, sub category and group given most often (the latest on a tie)
//    to earlier transactions of the same direction whose notes or reference read as the
//    line's payee (letter case, digits and punctuation aside); otherwise the category the file
//    names, when the document has one of that name on the right side.
//  - A line dated before the account's opening balance, of amount 0 or beyond the largest a
//    transaction may hold is bad.
std::vector<TImportLine> PreviewImport(const TLedger& ledger, std::int32_t account, const TStatement& statement);

// What the transaction of a line keeps, in the document's Windows-1252: the reference (20
// characters) and the notes ("payee - memo", the memo alone when it repeats the payee).
std::string ImportReference(const TStatementLine& line);
std::string ImportNotes(const TStatementLine& line);

// The text a payee, notes or reference is compared by: letters only, lower case, one blank
// between words.
std::string MatchKey(const std::string& cp1252);

} // namespace qz

#pragma once
// A bank statement as the import readers give it: one line per entry, each either good (date,
// amount, reference, payee, memo) or bad with the reason. A file that cannot be read at all
// gives one error and no lines, so that nothing of it is written.

#include "ledger/DateTime.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qz {

// How a statement writes its dates when they are not ISO: Unknown lets the reader tell from the
// dates themselves.
enum class TDateOrder : std::uint8_t { Unknown, DayMonthYear, MonthDayYear, YearMonthDay };

struct TStatementLine {
    int Line = 0;           // the line of the file the entry starts on, from 1
    TDateTime Date = 0;     // the day
    std::int64_t Cents = 0; // money into the account positive, money out negative
    std::string Reference;  // the cheque number or the bank's id of the entry (UTF-8, as all texts)
    std::string Payee;
    std::string Memo;
    std::string Category; // the category the file itself names (QIF "Cat:Sub"); empty otherwise
    std::string Account;  // the account the file files the entry under (QIF "!Account"); empty otherwise
    // Whether the entry has cleared the bank, where the file says (a QIF "C" line: empty is not
    // cleared; "*", "c", "X" and "R" are); a statement's entries otherwise have.
    bool Cleared = true;
    std::string Bad; // why the entry cannot be imported ("line 7: ..."); empty for a good one

    bool Good() const { return Bad.empty(); }
};

struct TStatement {
    std::vector<TStatementLine> Lines;
    std::string Error; // why the whole file was refused ("line 3: ..."); with it there are no lines

    bool Ok() const { return Error.empty(); }
    static TStatement Refused(std::string error) {
        TStatement s;
        s.Error = std::move(error);
        return s;
    }
};

// Larger files are refused before they are read: no statement comes near it.
inline constexpr std::size_t MaxStatementBytes = 50u * 1024u * 1024u;

} // namespace qz

#pragma once
// Reads a bank's CSV statement: RFC 4180 quoting (quoted fields may hold separators, doubled
// quotes and line breaks), ',' ';' or tab between fields, a header row or none, UTF-8 with or
// without a byte order mark or Windows-1252, dates day first, month first or ISO, a decimal
// comma or point, and either one signed amount column or a column of credits and one of debits.

#include "StatementLine.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

// Which column holds what, counted from 1; 0 for none.
struct TCsvColumns {
    int Date = 0;
    int Amount = 0; // signed: money in positive
    int Debit = 0;  // money out, with or without a minus sign
    int Credit = 0; // money in
    int Payee = 0;
    int Memo = 0;
    int Reference = 0;

    bool operator==(const TCsvColumns&) const = default;
};

// "date=1,amount=2,payee=3" (names: date, amount, debit, credit, payee, memo, reference); false
// with the reason in `error`.
bool ParseCsvColumns(std::string_view text, TCsvColumns& columns, std::string& error);

struct TCsvOptions {
    std::optional<TCsvColumns> Columns; // otherwise from the header row's names
    char Separator = 0;                 // 0: the one the file shows
    char DecimalMark = 0;               // 0: the one the amounts show
    TDateOrder Order = TDateOrder::Unknown;
};

class TCsvReader {
public:
    explicit TCsvReader(TCsvOptions options = {}) : Options(std::move(options)) {}

    TStatement Read(std::string text) const;
    TStatement ReadFile(const std::string& path) const;

    // The columns a header row names, when it names a date and an amount (or debit and credit).
    static std::optional<TCsvColumns> ColumnsFromHeader(const std::vector<std::string>& header);

private:
    TCsvOptions Options;
};

} // namespace qz

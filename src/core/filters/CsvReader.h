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

// What the column-mapping panel shows of a CSV file before its columns are known: the
// separator, whether the first row is a header (none of its cells is a date), the header's
// cells, the first rows as split, the columns the header names, and a key that is the same for
// every file of the same bank layout (the separator and the header's names, or the separator
// and the number of fields), to remember a mapping by.
struct TCsvLayout {
    char Separator = ',';
    bool HasHeader = false;
    std::vector<std::string> Header;
    std::vector<std::vector<std::string>> Rows;
    std::optional<TCsvColumns> Columns;
    std::string Key;
};

class TCsvReader {
public:
    explicit TCsvReader(TCsvOptions options = {}) : Options(std::move(options)) {}

    TStatement Read(std::string text) const;
    TStatement ReadFile(const std::string& path) const;

    // The layout of the file's bytes, with at most `rows` rows after the header; false with
    // the whole-file error ("line N: ...") in `error`. `separator` 0: the one the file shows.
    static bool ReadLayout(std::string text, std::size_t rows, TCsvLayout& layout, std::string& error,
                           char separator = 0);

    // The columns a header row names, when it names a date and an amount (or debit and credit).
    static std::optional<TCsvColumns> ColumnsFromHeader(const std::vector<std::string>& header);

private:
    TCsvOptions Options;
};

} // namespace qz

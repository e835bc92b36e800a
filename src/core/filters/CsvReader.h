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

// What a CSV file looks like before its columns are chosen: the separator found (or given), its
// first rows split into fields, whether the first row is a header (no field of it reads as a
// date), and the key its layout is remembered by: the header's names, or the number of columns.
struct TCsvLayout {
    char Separator = ',';
    std::vector<std::vector<std::string>> Rows; // UTF-8
    bool Header = false;
    std::string Key;   // "header:Date|Amount|Payee" or "columns:5"
    std::string Error; // why the file cannot be read as CSV; with it there are no rows

    int ColumnCount() const { return Rows.empty() ? 0 : static_cast<int>(Rows.front().size()); }
};

class TCsvReader {
public:
    explicit TCsvReader(TCsvOptions options = {}) : Options(std::move(options)) {}

    TStatement Read(std::string text) const;
    TStatement ReadFile(const std::string& path) const;

    // The columns a header row names, when it names a date and an amount (or debit and credit).
    static std::optional<TCsvColumns> ColumnsFromHeader(const std::vector<std::string>& header);

    // The layout of the file's bytes, its first `rows` rows (separator 0: the one the file shows).
    static TCsvLayout Layout(std::string text, char separator = 0, std::size_t rows = 20);

private:
    TCsvOptions Options;
};

} // namespace qz

#pragma once
// The pieces every statement reader shares: the file's bytes as UTF-8 text in lines, and the
// dates and amounts as banks and programs write them.

#include "StatementLine.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

// The file's bytes as UTF-8 without a byte order mark: UTF-8 stays, anything else is read as
// Windows-1252. False, with "line N: ..." in `error`, for binary data (a NUL byte or control
// characters no text holds) or a file over MaxStatementBytes.
bool StatementTextToUtf8(std::string& bytes, std::string& error);

// Reads the whole file; false with the reason in `error`.
bool ReadStatementBytes(const std::string& path, std::string& bytes, std::string& error);

// The text split at CR LF, LF or CR.
std::vector<std::string_view> SplitLines(std::string_view text);

// Blanks and control characters off both ends.
std::string_view TrimBlanks(std::string_view text);

// A date of three numbers separated by '/', '-', '.', an apostrophe or blanks ("5/1/26",
// "1/5'26", "2026-01-05", "05.01.2026") or eight digits YYYYMMDD. A four-digit first number is
// always the year; two-digit years are 1970..2069. False when it is no valid date in `order`.
bool ParseStatementDate(std::string_view text, TDateOrder order, TDateTime& date);

// The order the dates themselves show: a first number above 12 is a day, a second number
// above 12 is a day, a four-digit first number is a year. Unknown when they fit more than one
// order (or none); texts that are not dates are passed over.
TDateOrder GuessDateOrder(const std::vector<std::string_view>& dates);

// An amount in cents: an optional sign (leading '-' or '+', trailing '-', or parentheses), an
// optional currency sign ($, €, £), digits with the thousands separator grouping them in threes,
// and the decimal mark followed by at most two digits (more only as trailing zeros). False with
// the reason in `why` otherwise.
bool ParseStatementAmount(std::string_view text, char decimalMark, std::int64_t& cents, std::string& why);

// The decimal mark the amounts show: a mark followed by other than three digits, or the later
// of two different marks, is the decimal mark. '.' when nothing tells.
char GuessDecimalMark(const std::vector<std::string_view>& amounts);

// "line N: " + what.
std::string LineMessage(int line, const std::string& what);

} // namespace qz

#pragma once
// The small text rules the export formats share: quoting for CSV and JSON, plain decimal
// amounts that keep every ten-thousandth, and ISO dates.

#include "ledger/DateTime.h"
#include "ledger/Money.h"

#include <string>
#include <string_view>

namespace qz {

// One CSV field (RFC 4180): quoted when it holds a comma, a quote, a line break or leading
// or trailing blanks; quotes inside are doubled; other control characters become blanks.
std::string CsvField(std::string_view text);

// A JSON string literal with its quotes. `text` must be UTF-8; control characters are escaped.
std::string JsonString(std::string_view text);

// The amount as a plain decimal with two places, or up to four when it has more
// ("1234.50", "-0.0125"): exact, so that sums of the texts equal the sums of the amounts.
std::string PlainAmount(Money amount);

// A text of a record on one line: a line break ("\r\n" included) and every other control
// character (NUL, ESC, tab...) becomes a blank.
std::string OneLine(std::string_view text);

} // namespace qz

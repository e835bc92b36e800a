#pragma once
// Reads the bank, cash and credit card sections of a QIF file (also the asset and liability
// account sections, which hold the same entries). Categories, classes, memorised entries and
// the other list sections are passed over; an investment entry is a bad line. A split entry
// is one line of its total, without its first part's category. The opening balance entry of an account section (the
// account against itself) is a bad line: the account keeps its own opening balance.

#include "StatementLine.h"

#include <string>
#include <string_view>

namespace qz {

class TQifReader {
public:
    // `order` for dates such as 01/02/26; Unknown tells it from the file's dates and takes
    // month first (the QIF habit) when they fit both.
    explicit TQifReader(TDateOrder order = TDateOrder::Unknown, char decimalMark = 0)
        : Order(order), DecimalMark(decimalMark) {}

    // `text` is the file's bytes.
    TStatement Read(std::string text) const;
    TStatement ReadFile(const std::string& path) const;

    // Whether `text` starts as a QIF file does ('!' before anything but blanks).
    static bool LooksLikeQif(std::string_view text);

private:
    TDateOrder Order;
    char DecimalMark; // 0: told from the amounts
};

} // namespace qz

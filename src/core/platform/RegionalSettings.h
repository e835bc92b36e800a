#pragma once
// The user's regional formats that the program's texts depend on.

#include <string>

namespace qz {

struct RegionalSettings {
    std::string CurrencySymbol = "$";
    int CurrencyPosition = 0;       // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    int NegativeCurrencyFormat = 1; // 0..15, the Windows negative currency patterns
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    std::string ShortDateFormat = "dd/MM/yyyy";

    // The settings tests and the command-line tool's machine formats use:
    // "$", positive format 0, negative format 1, "." decimal, "," thousands, "dd/MM/yyyy".
    static RegionalSettings Fixed() { return {}; }
};

} // namespace qz

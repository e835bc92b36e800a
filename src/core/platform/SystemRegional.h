#pragma once
// The user's regional formats as the C library's locale gives them (LC_ALL, LC_MONETARY,
// LC_NUMERIC, LC_TIME, LANG), for the command-line tool; the windows read theirs from Qt.

#include "RegionalSettings.h"

#include <string>

namespace qz {

// What a locale says about money, numbers and dates, as localeconv and nl_langinfo give it.
struct TLocaleConventions {
    std::string CurrencySymbol;
    std::string MonetaryDecimalPoint;
    std::string MonetaryThousandsSeparator;
    std::string DecimalPoint;
    int SymbolPrecedes = -1;         // p_cs_precedes; -1 unknown
    int SymbolSeparatedBySpace = -1; // p_sep_by_space
    int NegativeSymbolPrecedes = -1;
    int NegativeSeparatedBySpace = -1;
    int NegativeSignPosition = -1; // n_sign_posn: 0 brackets, 1 sign first, 2 sign last, 3 before, 4 after the symbol
    std::string DateFormat;        // D_FMT, a strftime pattern
    bool Utf8 = true;              // the locale's texts are UTF-8 (else taken as Windows-1252 already)
};

// The conventions of the environment's locale; the "C" locale's when it names none we have.
TLocaleConventions SystemConventions();

// Regional settings from a locale's conventions; what a locale leaves open keeps the
// defaults of RegionalSettings. Texts become Windows-1252, like every text the program shows.
RegionalSettings RegionalFromConventions(const TLocaleConventions& conventions);

// A strftime date pattern as a short-date pattern ("%d.%m.%Y" → "dd.MM.yyyy").
std::string ShortDateFromStrftime(const std::string& format);

inline RegionalSettings SystemRegionalSettings() {
    return RegionalFromConventions(SystemConventions());
}

} // namespace qz

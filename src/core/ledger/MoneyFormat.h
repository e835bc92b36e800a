#pragma once
// The money display format, built once from the regional currency settings, and the other
// number texts the program shows.

#include "Money.h"
#include "platform/RegionalSettings.h"

#include <optional>
#include <string>

namespace qz {

class TMoneyFormat {
public:
    TMoneyFormat() : TMoneyFormat(RegionalSettings::Fixed()) {}
    explicit TMoneyFormat(const RegionalSettings& settings);

    // The value ÷ 10000 in the positive or negative section, two decimals, halves away from zero.
    std::string Format(Money value) const;
    // The pattern as a format text: positive and negative sections joined by ";", each
    // using "#,##0.00" and the currency symbol.
    std::string Pattern() const;
    // The currency symbol with every decimal-separator character removed.
    const std::string& Symbol() const { return Sym; }

    char DecimalSeparator() const { return Decimal; }
    char ThousandSeparator() const { return Thousand; }

private:
    struct Section {
        std::string Prefix;
        std::string Suffix;
    };
    Section Positive;
    Section Negative;
    std::string Sym;
    char Decimal = '.';
    char Thousand = ',';
};

// Formats value ÷ 10000 with two decimals (halves away from zero), with or without
// thousands separators; no currency symbol. "-" leads a negative value.
std::string FormatNumber2(Money value, char decimalSeparator, char thousandSeparator, bool groupThousands);

// The three percentage patterns: "#,##0.00%", "#0.00%", "0.00%".
enum class PercentPattern { Grouped, Plain, Leading0 };
std::string FormatPercent(Money percent, PercentPattern pattern, const TMoneyFormat& format);

// Reads a typed money text: negative when it holds "-" or both "(" and ")"; every character
// but the digits and the decimal separator is dropped; an empty result reads as 0.
// Returns nothing when what remains is not a number (two separators, too large).
// More than four decimals are rounded to the nearest ten-thousandth, halves to even.
std::optional<Money> ParseMoneyText(const std::string& text, char decimalSeparator);

} // namespace qz

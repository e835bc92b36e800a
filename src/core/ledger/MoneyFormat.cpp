#include "MoneyFormat.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

namespace qz {

namespace {

constexpr const char* NumberPattern = "#,##0.00";

// Where the symbol S and the blanks and signs stand around the number, by regional currency position.
constexpr std::array<const char*, 4> PositiveShapes = {"SN", "NS", "S N", "N S"};
// By regional negative currency format; "-" and the brackets are literal text around the number.
constexpr std::array<const char*, 16> NegativeShapes = {"(SN)", "-SN",  "S-N",   "SN-",  "(NS)", "-NS",
                                                        "N-S",  "NS-",  "-N S",  "-S N", "N S-", "S N-",
                                                        "S -N", "N- S", "(S N)", "(N S)"};

struct Sections {
    std::string Prefix;
    std::string Suffix;
};

Sections Expand(const char* shape, const std::string& symbol) {
    Sections sections;
    std::string* side = &sections.Prefix;
    for (const char* c = shape; *c != '\0'; ++c) {
        if (*c == 'N')
            side = &sections.Suffix;
        else if (*c == 'S')
            *side += symbol;
        else
            *side += *c;
    }
    return sections;
}

// Settings beyond the Windows ranges read as the defaults, "$1" and "-$1".
int WithinOr(int value, int last, int fallback) {
    return value >= 0 && value <= last ? value : fallback;
}

// The size of a raw money value, exact even for the most negative one.
std::uint64_t Magnitude(std::int64_t raw) {
    return raw < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
}

// Whole cents of a magnitude in ten-thousandths; the display rounds halves away from zero.
std::uint64_t DisplayCents(std::uint64_t magnitude) {
    return (magnitude + 50) / 100;
}

// "1,234.56" from 123456 cents. A thousands separator of '\0' means the region has none.
std::string CentsText(std::uint64_t cents, char decimalSeparator, char thousandSeparator, bool groupThousands) {
    const std::string units = std::to_string(cents / 100);
    const std::uint64_t fraction = cents % 100;
    std::string text;
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (groupThousands && thousandSeparator != '\0' && i > 0 && (units.size() - i) % 3 == 0)
            text += thousandSeparator;
        text += units[i];
    }
    text += decimalSeparator;
    text += static_cast<char>('0' + fraction / 10);
    text += static_cast<char>('0' + fraction % 10);
    return text;
}

// Adds one decimal digit to a magnitude in ten-thousandths; false once it no longer fits a money value.
bool PushDigit(unsigned __int128& magnitude, char digit) {
    magnitude = magnitude * 10 + static_cast<unsigned>(digit - '0');
    return magnitude <= static_cast<unsigned __int128>(std::numeric_limits<std::int64_t>::max());
}

// Decides the rounding of the digits beyond the fourth decimal: up above half, to even on exactly half.
bool RoundsUp(const std::string& beyond, bool lastKeptIsOdd) {
    if (beyond.empty() || beyond[0] < '5')
        return false;
    if (beyond[0] > '5')
        return true;
    const bool moreThanHalf = std::any_of(beyond.begin() + 1, beyond.end(), [](char c) { return c != '0'; });
    return moreThanHalf || lastKeptIsOdd;
}

} // namespace

TMoneyFormat::TMoneyFormat(const RegionalSettings& settings)
    : Decimal(settings.DecimalSeparator), Thousand(settings.ThousandSeparator) {
    for (char c : settings.CurrencySymbol)
        if (c != Decimal)
            Sym += c;
    const int position = WithinOr(settings.CurrencyPosition, 3, 0);
    const int negative = WithinOr(settings.NegativeCurrencyFormat, 15, 1);
    const Sections positive = Expand(PositiveShapes[position], Sym);
    const Sections negativeSections = Expand(NegativeShapes[negative], Sym);
    Positive = {positive.Prefix, positive.Suffix};
    Negative = {negativeSections.Prefix, negativeSections.Suffix};
}

std::string TMoneyFormat::Format(Money value) const {
    const std::uint64_t cents = DisplayCents(Magnitude(value.Raw()));
    // The section follows the rounded value: what shows as zero is never negative.
    const Section& section = value.Raw() < 0 && cents != 0 ? Negative : Positive;
    return section.Prefix + CentsText(cents, Decimal, Thousand, true) + section.Suffix;
}

std::string TMoneyFormat::Pattern() const {
    return Positive.Prefix + NumberPattern + Positive.Suffix + ";" + Negative.Prefix + NumberPattern + Negative.Suffix;
}

std::string FormatNumber2(Money value, char decimalSeparator, char thousandSeparator, bool groupThousands) {
    const std::uint64_t cents = DisplayCents(Magnitude(value.Raw()));
    const std::string digits = CentsText(cents, decimalSeparator, thousandSeparator, groupThousands);
    return value.Raw() < 0 && cents != 0 ? "-" + digits : digits;
}

std::string FormatPercent(Money percent, PercentPattern pattern, const TMoneyFormat& format) {
    const bool grouped = pattern == PercentPattern::Grouped;
    return FormatNumber2(percent, format.DecimalSeparator(), format.ThousandSeparator(), grouped) + "%";
}

std::optional<Money> ParseMoneyText(const std::string& text, char decimalSeparator) {
    const bool negative = text.find('-') != std::string::npos ||
                          (text.find('(') != std::string::npos && text.find(')') != std::string::npos);
    std::string whole;
    std::string fraction;
    bool separatorSeen = false;
    for (char c : text) {
        if (c == decimalSeparator) {
            if (separatorSeen)
                return std::nullopt;
            separatorSeen = true;
        } else if (c >= '0' && c <= '9') {
            (separatorSeen ? fraction : whole) += c;
        }
    }
    if (whole.empty() && fraction.empty())
        return separatorSeen ? std::nullopt : std::optional<Money>(Money());

    constexpr std::size_t Decimals = 4;
    const std::string kept = fraction.substr(0, std::min(fraction.size(), Decimals));
    unsigned __int128 magnitude = 0;
    for (char digit : whole + kept + std::string(Decimals - kept.size(), '0'))
        if (!PushDigit(magnitude, digit))
            return std::nullopt;
    if (fraction.size() > Decimals && RoundsUp(fraction.substr(Decimals), (magnitude & 1) != 0))
        ++magnitude;
    if (magnitude > static_cast<unsigned __int128>(std::numeric_limits<std::int64_t>::max()))
        return std::nullopt;
    const auto raw = static_cast<std::int64_t>(magnitude);
    return Money::FromRaw(negative ? -raw : raw);
}

} // namespace qz

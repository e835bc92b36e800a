#include "ledger/MoneyFormat.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>

namespace qz {
namespace {

RegionalSettings Region(std::string symbol, int position, int negative, char decimal = '.', char thousand = ',') {
    RegionalSettings settings;
    settings.CurrencySymbol = std::move(symbol);
    settings.CurrencyPosition = position;
    settings.NegativeCurrencyFormat = negative;
    settings.DecimalSeparator = decimal;
    settings.ThousandSeparator = thousand;
    return settings;
}

// "S" in an expected text stands for the currency symbol as shown.
std::string WithSymbol(std::string text, const std::string& symbol) {
    for (std::size_t at = text.find('S'); at != std::string::npos; at = text.find('S', at + symbol.size()))
        text.replace(at, 1, symbol);
    return text;
}

std::string AsPattern(std::string text) {
    return text.replace(text.find("1,234.50"), 8, "#,##0.00");
}

const char* const PositiveTexts[] = {"S1,234.50", "1,234.50S", "S 1,234.50", "1,234.50 S"};
const char* const NegativeTexts[] = {"(S1,234.50)", "-S1,234.50",  "S-1,234.50",   "S1,234.50-",
                                     "(1,234.50S)", "-1,234.50S",  "1,234.50-S",   "1,234.50S-",
                                     "-1,234.50 S", "-S 1,234.50", "1,234.50 S-",  "S 1,234.50-",
                                     "S -1,234.50", "1,234.50- S", "(S 1,234.50)", "(1,234.50 S)"};

// The symbol "kr." loses its '.' where '.' is the decimal separator.
struct SymbolCase {
    const char* Regional;
    const char* Shown;
};
const SymbolCase Symbols[] = {{"$", "$"}, {"kr.", "kr"}, {"S/.", "S/"}};

TEST(MoneyFormatTest, EachCurrencyPositionPlacesTheSymbol) {
    for (const SymbolCase& symbol : Symbols) {
        for (int position = 0; position < 4; ++position) {
            const TMoneyFormat format(Region(symbol.Regional, position, 1));
            const std::string expected = WithSymbol(PositiveTexts[position], symbol.Shown);
            EXPECT_EQ(format.Format(Money::FromCents(123450)), expected) << symbol.Regional << " position " << position;
            EXPECT_EQ(format.Pattern(), AsPattern(expected) + ";" + WithSymbol("-S#,##0.00", symbol.Shown))
                << symbol.Regional << " position " << position;
        }
    }
}

TEST(MoneyFormatTest, EachNegativeFormatPlacesSignAndSymbol) {
    for (const SymbolCase& symbol : Symbols) {
        for (int negative = 0; negative < 16; ++negative) {
            const TMoneyFormat format(Region(symbol.Regional, 0, negative));
            const std::string expected = WithSymbol(NegativeTexts[negative], symbol.Shown);
            EXPECT_EQ(format.Format(Money::FromCents(-123450)), expected) << symbol.Regional << " format " << negative;
            EXPECT_EQ(format.Pattern(), WithSymbol("S#,##0.00;", symbol.Shown) + AsPattern(expected))
                << symbol.Regional << " format " << negative;
        }
    }
}

TEST(MoneyFormatTest, DefaultsAndOutOfRangeSettings) {
    EXPECT_EQ(TMoneyFormat().Pattern(), "$#,##0.00;-$#,##0.00");
    EXPECT_EQ(TMoneyFormat().Symbol(), "$");
    for (const auto& [position, negative] : {std::pair{4, 16}, std::pair{-1, -1}, std::pair{99, 255}})
        EXPECT_EQ(TMoneyFormat(Region("$", position, negative)).Pattern(), "$#,##0.00;-$#,##0.00")
            << position << ", " << negative;
}

TEST(MoneyFormatTest, OtherSeparatorsKeepTheSymbolWhole) {
    const TMoneyFormat danish(Region("kr.", 3, 8, ',', '.'));
    EXPECT_EQ(danish.Symbol(), "kr.");
    EXPECT_EQ(danish.Format(Money::FromCents(123456789)), "1.234.567,89 kr.");
    EXPECT_EQ(danish.Format(Money::FromCents(-50)), "-0,50 kr.");

    const TMoneyFormat euro(Region("\x80", 3, 8, ',', ' '));
    EXPECT_EQ(euro.Format(Money::FromCents(-123456789)), "-1 234 567,89 \x80");
    // A symbol made of the decimal separator alone disappears.
    EXPECT_EQ(TMoneyFormat(Region(",", 0, 1, ',', '.')).Format(Money::FromUnits(5)), "5,00");
}

TEST(MoneyFormatTest, GroupsThousandsAndRoundsHalvesAwayFromZero) {
    struct Case {
        std::int64_t Raw;
        const char* Expected;
    };
    const Case cases[] = {
        {0, "$0.00"},
        {9999900, "$999.99"},
        {10000000, "$1,000.00"},
        {12345678900, "$1,234,567.89"},
        {1000000000000, "$100,000,000.00"},
        {-10000000, "-$1,000.00"},
        {9999950, "$1,000.00"}, // 999.995 carries into a new group
        {50, "$0.01"},
        {49, "$0.00"},
        {-50, "-$0.01"},
        {-40, "$0.00"}, // -0.004 shows as zero, which has no sign
        {12250, "$1.23"},
        {-12250, "-$1.23"},
        {12350, "$1.24"},
        {12345, "$1.23"},
        {std::numeric_limits<std::int64_t>::max(), "$922,337,203,685,477.58"},
        {std::numeric_limits<std::int64_t>::min(), "-$922,337,203,685,477.58"},
    };
    const TMoneyFormat format;
    for (const Case& c : cases)
        EXPECT_EQ(format.Format(Money::FromRaw(c.Raw)), c.Expected) << c.Raw;
}

TEST(MoneyFormatTest, FormatNumber2) {
    struct Case {
        std::int64_t Raw;
        char Decimal;
        char Thousand;
        bool Group;
        const char* Expected;
    };
    const Case cases[] = {
        {12345678912, '.', ',', true, "1,234,567.89"},
        {12345678912, '.', ',', false, "1234567.89"},
        {12345678912, '.', '\0', true, "1234567.89"}, // a region without a thousands separator
        {12345678950, ',', '.', true, "1.234.567,90"},
        {-12345678950, ',', ' ', true, "-1 234 567,90"},
        {-9999999, '.', ',', true, "-1,000.00"},
        {9999, '.', ',', true, "1.00"},
        {-40, '.', ',', true, "0.00"},
        {-50, '.', ',', true, "-0.01"},
        {1230000, '.', ',', true, "123.00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatNumber2(Money::FromRaw(c.Raw), c.Decimal, c.Thousand, c.Group), c.Expected) << c.Raw;
}

TEST(MoneyFormatTest, PercentagesShowTheHeldValue) {
    struct Case {
        std::int64_t Raw;
        PercentPattern Pattern;
        const char* Expected;
    };
    const Case cases[] = {
        {125000, PercentPattern::Grouped, "12.50%"},   {125000, PercentPattern::Plain, "12.50%"},
        {125000, PercentPattern::Leading0, "12.50%"},  {12345000, PercentPattern::Grouped, "1,234.50%"},
        {12345000, PercentPattern::Plain, "1234.50%"}, {12345000, PercentPattern::Leading0, "1234.50%"},
        {1250, PercentPattern::Grouped, "0.13%"},      {40, PercentPattern::Leading0, "0.00%"},
        {-50000, PercentPattern::Plain, "-5.00%"},     {0, PercentPattern::Grouped, "0.00%"},
    };
    const TMoneyFormat format;
    for (const Case& c : cases)
        EXPECT_EQ(FormatPercent(Money::FromRaw(c.Raw), c.Pattern, format), c.Expected) << c.Raw;

    const TMoneyFormat comma(Region("kr.", 3, 8, ',', '.'));
    EXPECT_EQ(FormatPercent(Money::FromRaw(125000), PercentPattern::Leading0, comma), "12,50%");
    EXPECT_EQ(FormatPercent(Money::FromRaw(12345000), PercentPattern::Grouped, comma), "1.234,50%");
    EXPECT_EQ(FormatPercent(Money::FromRaw(12345000), PercentPattern::Plain, comma), "1234,50%");
}

struct InputCase {
    const char* Text;
    std::optional<std::int64_t> Raw;
};

void ExpectParses(const InputCase& c, char decimalSeparator) {
    const std::optional<Money> money = ParseMoneyText(c.Text, decimalSeparator);
    ASSERT_EQ(money.has_value(), c.Raw.has_value()) << '"' << c.Text << '"';
    if (money) {
        EXPECT_EQ(money->Raw(), *c.Raw) << '"' << c.Text << '"';
    }
}

TEST(MoneyFormatTest, ParseMoneyTextWithAPointDecimal) {
    const InputCase cases[] = {
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"12.50", 125000},
        {"(12.50)", -125000},
        {"($12.50)", -125000},
        {"-1,234.5", -12345000},
        {"$1,234.56", 12345600},
        {"1,234.56-", -12345600},
        {"(12", 120000},
        {"12)", 120000},
        {"1 000", 10000000},
        {".5", 5000},
        {"12.", 120000},
        {"0000000000000000000000001", 10000},
        {"1.2.3", std::nullopt},
        {".", std::nullopt},
        {"$.", std::nullopt},
        // Beyond four decimals: the nearest ten-thousandth, halves to even.
        {"1.23456", 12346},
        {"1.23455", 12346},
        {"1.23445", 12344},
        {"1.234450001", 12345},
        {"-1.23445", -12344},
        {"0.00005", 0},
        {"922337203685477.5807", std::numeric_limits<std::int64_t>::max()},
        {"-922337203685477.5807", -std::numeric_limits<std::int64_t>::max()},
        {"922337203685477.5808", std::nullopt},
        {"922337203685477.58075", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const InputCase& c : cases)
        ExpectParses(c, '.');
}

TEST(MoneyFormatTest, ParseMoneyTextWithACommaDecimal) {
    const InputCase cases[] = {
        {"1.234,56", 12345600}, {"-1.234,5", -12345000}, {"(12,50 kr.)", -125000},
        {"12,50", 125000},      {"12.50", 12500000},     {"1,2,3", std::nullopt},
    };
    for (const InputCase& c : cases)
        ExpectParses(c, ',');
}

TEST(MoneyFormatTest, ParsedTextFormatsBack) {
    const TMoneyFormat format(Region("$", 0, 0));
    for (const char* text : {"($1,234,567.89)", "$0.01", "$1,000.00", "($0.50)"})
        EXPECT_EQ(format.Format(*ParseMoneyText(text, '.')), text);
}

} // namespace
} // namespace qz

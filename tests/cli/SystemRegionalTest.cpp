// The user's regional settings as `--regional system` reads them from the C library's locale.

#include "platform/SystemRegional.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

struct LocaleCase {
    const char* Name;
    TLocaleConventions Conventions;
    RegionalSettings Expected;
};

void PrintTo(const LocaleCase& c, std::ostream* out) {
    *out << c.Name;
}

TLocaleConventions Conventions(const char* symbol, const char* decimal, const char* thousands, int precedes, int spaced,
                               int signPosition, const char* dateFormat) {
    TLocaleConventions c;
    c.CurrencySymbol = symbol;
    c.MonetaryDecimalPoint = decimal;
    c.MonetaryThousandsSeparator = thousands;
    c.DecimalPoint = ".";
    c.SymbolPrecedes = c.NegativeSymbolPrecedes = precedes;
    c.SymbolSeparatedBySpace = c.NegativeSeparatedBySpace = spaced;
    c.NegativeSignPosition = signPosition;
    c.DateFormat = dateFormat;
    return c;
}

RegionalSettings Settings(const char* symbol, int position, int negative, char decimal, char thousand,
                          const char* shortDate) {
    RegionalSettings s;
    s.CurrencySymbol = symbol;
    s.CurrencyPosition = position;
    s.NegativeCurrencyFormat = negative;
    s.DecimalSeparator = decimal;
    s.ThousandSeparator = thousand;
    s.ShortDateFormat = shortDate;
    return s;
}

class FromLocale : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(FromLocale, GivesTheRegionalSettings) {
    const RegionalSettings actual = RegionalFromConventions(GetParam().Conventions);
    const RegionalSettings& expected = GetParam().Expected;
    EXPECT_EQ(actual.CurrencySymbol, expected.CurrencySymbol);
    EXPECT_EQ(actual.CurrencyPosition, expected.CurrencyPosition);
    EXPECT_EQ(actual.NegativeCurrencyFormat, expected.NegativeCurrencyFormat);
    EXPECT_EQ(actual.DecimalSeparator, expected.DecimalSeparator);
    EXPECT_EQ(actual.ThousandSeparator, expected.ThousandSeparator);
    EXPECT_EQ(actual.ShortDateFormat, expected.ShortDateFormat);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, FromLocale,
    ::testing::Values(LocaleCase{"UnitedStates", Conventions("$", ".", ",", 1, 0, 1, "%m/%d/%Y"),
                                 Settings("$", 0, 1, '.', ',', "MM/dd/yyyy")},
                      LocaleCase{"Germany", Conventions("\xE2\x82\xAC", ",", ".", 0, 1, 1, "%d.%m.%Y"),
                                 Settings("\x80", 3, 8, ',', '.', "dd.MM.yyyy")},
                      // A narrow no-break space has no Windows-1252 character: a blank stands in.
                      LocaleCase{"France", Conventions("\xE2\x82\xAC", ",", "\xE2\x80\xAF", 0, 1, 1, "%d/%m/%Y"),
                                 Settings("\x80", 3, 8, ',', ' ', "dd/MM/yyyy")},
                      LocaleCase{"Britain", Conventions("\xC2\xA3", ".", ",", 1, 0, 1, "%d/%m/%y"),
                                 Settings("\xA3", 0, 1, '.', ',', "dd/MM/yy")},
                      LocaleCase{"Brackets", Conventions("$", ".", ",", 1, 0, 0, "%Y-%m-%d"),
                                 Settings("$", 0, 0, '.', ',', "yyyy-MM-dd")},
                      LocaleCase{"SignAfterSpacedSymbol", Conventions("kr", ",", ".", 0, 1, 2, "%e. %B %Y"),
                                 Settings("kr", 3, 10, ',', '.', "d. MMMM yyyy")},
                      // The C locale leaves the currency open: no symbol, no grouping, the defaults' positions.
                      LocaleCase{"C", Conventions("", "", "", -1, -1, -1, "%m/%d/%y"),
                                 Settings("", 0, 1, '.', '\0', "MM/dd/yy")}),
    [](const ::testing::TestParamInfo<LocaleCase>& info) { return std::string(info.param.Name); });

TEST(ShortDateFromStrftime, QuotesLettersAndDropsWhatAShortDateCannotShow) {
    EXPECT_EQ(ShortDateFromStrftime("%d de %B de %Y"), "dd 'd'e MMMM 'd'e yyyy");
    EXPECT_EQ(ShortDateFromStrftime("%Ey/%Om/%Od %H:%M"), "yy/MM/dd :");
    EXPECT_EQ(ShortDateFromStrftime("%D"), "MM/dd/yy");
    EXPECT_EQ(ShortDateFromStrftime("100%%"), "100%");
}

} // namespace
} // namespace qz

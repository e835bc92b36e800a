// The layout of a CSV file as the column-mapping panel shows it and remembers it by.

#include "filters/CsvReader.h"

#include <gtest/gtest.h>

namespace qz::testing {
namespace {

struct LayoutCase {
    const char* Name;
    std::string Text;
    char Separator; // given, or 0
    char Found;
    bool Header;
    std::string Key;
    std::vector<std::string> SecondRow;
};

void PrintTo(const LayoutCase& c, std::ostream* out) {
    *out << c.Name;
}

class CsvLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(CsvLayoutTest, SeparatorHeaderKeyAndRows) {
    const LayoutCase& c = GetParam();
    const TCsvLayout layout = TCsvReader::Layout(c.Text, c.Separator);
    ASSERT_EQ(layout.Error, "");
    EXPECT_EQ(layout.Separator, c.Found);
    EXPECT_EQ(layout.Header, c.Header);
    EXPECT_EQ(layout.Key, c.Key);
    ASSERT_GE(layout.Rows.size(), 2u);
    EXPECT_EQ(layout.Rows[1], c.SecondRow);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, CsvLayoutTest,
    ::testing::Values(LayoutCase{"HeaderWithBom",
                                 "\xEF\xBB\xBF"
                                 "Date,Amount, Payee \r\n2026-01-05,-12.50,\"Shop, Main St\"\r\n",
                                 0,
                                 ',',
                                 true,
                                 "header:Date|Amount|Payee",
                                 {"2026-01-05", "-12.50", "Shop, Main St"}},
                      LayoutCase{"SemicolonDecimalCommaNoHeader",
                                 "05.01.2026;-12,50;Shop\n06.01.2026;100,00;Salary\n",
                                 0,
                                 ';',
                                 false,
                                 "columns:3",
                                 {"06.01.2026", "100,00", "Salary"}},
                      LayoutCase{"GivenSeparatorWins", "a;b,c\n1;2,3\n", ',', ',', true, "header:a;b|c", {"1;2", "3"}},
                      LayoutCase{"Cp1252Header",
                                 "Datum;Betrag;Empf\xE4nger\n05.01.2026;1,00;M\xFCller\n",
                                 0,
                                 ';',
                                 true,
                                 "header:Datum|Betrag|Empf\xC3\xA4nger",
                                 {"05.01.2026", "1,00", "M\xC3\xBCller"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(CsvLayout, RefusesWhatNoCsvIs) {
    EXPECT_NE(TCsvReader::Layout(std::string("PK\x03\x04\0\0binary", 12)).Error, "");
    EXPECT_EQ(TCsvReader::Layout("\r\n \r\n").Error, "the file is empty");
    EXPECT_NE(TCsvReader::Layout("Date,Amount\n\"2026-01-05,1.00\n").Error.find("not closed"), std::string::npos);
}

// The panel reads only the head of a large file, yet a quoted field that runs over the point
// where the head ends must not cut the file's rows in the wrong place.
TEST(CsvLayout, LargeFileWithAQuotedFieldOverTheHeadsEnd) {
    std::string text = "Date,Amount,Memo\n";
    while (text.size() < 256 * 1024 - 1000)
        text += "2026-01-05,1.00,x\n";
    std::string memo;
    while (memo.size() < 2000)
        memo += "a long memo\n";
    text += "2026-01-06,2.00,\"" + memo + "\"\n2026-01-07,3.00,y\n";
    const TCsvLayout layout = TCsvReader::Layout(text, 0, 100000);
    ASSERT_EQ(layout.Error, "");
    EXPECT_EQ(layout.Key, "header:Date|Amount|Memo");
    EXPECT_EQ(layout.Rows.back(), (std::vector<std::string>{"2026-01-07", "3.00", "y"}));
}

} // namespace
} // namespace qz::testing

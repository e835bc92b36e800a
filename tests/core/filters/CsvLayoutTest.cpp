// The layout of a CSV file split at the separator the user chose in the column-mapping panel
// rather than the one the file seems to show.

#include "filters/CsvReader.h"

#include <gtest/gtest.h>

namespace qz::testing {
namespace {

TEST(CsvLayout, SplitAtTheGivenSeparator) {
    const std::string text = "Date;Amount;Payee\n2026-01-05;-1,50;Shop\n";
    TCsvLayout found;
    TCsvLayout given;
    std::string error;
    ASSERT_TRUE(TCsvReader::ReadLayout(text, 5, found, error)) << error;
    ASSERT_TRUE(TCsvReader::ReadLayout(text, 5, given, error, ',')) << error;
    EXPECT_EQ(found.Separator, ';');
    EXPECT_EQ(given.Separator, ',');
    EXPECT_EQ(given.Header, (std::vector<std::string>{"Date;Amount;Payee"}));
    ASSERT_EQ(given.Rows.size(), 1u);
    EXPECT_EQ(given.Rows[0], (std::vector<std::string>{"2026-01-05;-1", "50;Shop"}));
    EXPECT_NE(given.Key, found.Key);
}

} // namespace
} // namespace qz::testing

// The CSV mappings remembered per file layout in the settings store: a mapping comes back for
// its own layout only, and a value that is damaged or belongs to another layout is passed over
// for the columns the file's header names.

#include "import/CsvMapping.h"

#include <gtest/gtest.h>

namespace qz::gui::test {
namespace {

TCsvLayout LayoutOf(const std::string& text) {
    TCsvLayout layout;
    std::string error;
    EXPECT_TRUE(TCsvReader::ReadLayout(text, 5, layout, error)) << error;
    return layout;
}

TCsvLayout HeaderLayout() {
    return LayoutOf("Date;Amount;Payee\n2025-08-03;-7,20;Corner Bakery\n");
}

TEST(CsvMapping, RememberedForItsLayoutOnly) {
    MemoryRegistry values;
    const TCsvLayout layout = HeaderLayout();
    TCsvMapping mapping;
    mapping.Columns.Date = 1;
    mapping.Columns.Debit = 2;
    mapping.Columns.Credit = 3;
    mapping.Separator = '\t';
    mapping.DecimalMark = ',';
    mapping.Order = TDateOrder::MonthDayYear;
    RememberMapping(values, layout.Key, mapping);
    EXPECT_EQ(InitialMapping(values, layout), mapping);
    const TCsvLayout other = LayoutOf("05.07.2025;x;-1,00\n");
    const TCsvMapping fresh = InitialMapping(values, other);
    EXPECT_EQ(fresh.Columns, TCsvColumns{});
    EXPECT_EQ(fresh.Separator, ';');
}

TEST(CsvMapping, DamagedValuesArePassedOver) {
    const TCsvLayout layout = HeaderLayout();
    TCsvMapping fromHeader;
    fromHeader.Columns.Date = 1;
    fromHeader.Columns.Amount = 2;
    fromHeader.Columns.Payee = 3;
    fromHeader.Separator = ';';
    const std::string values[] = {
        "",
        "header:Other|Key\ndate=1,amount=2\n44 0 0", // another layout's value under this name
        layout.Key + "\ndate=1\n44 0 0",             // no amount
        layout.Key + "\ndate=1,amount=2\n99 0 0",    // no separator of ours
        layout.Key + "\ndate=1,amount=2\n44 0 9",    // no date order
        layout.Key + "\ndate=1,amount=2",            // cut short
    };
    for (const std::string& text : values) {
        MemoryRegistry store;
        store.WriteText(MappingValueName(layout.Key), text);
        EXPECT_EQ(InitialMapping(store, layout), fromHeader) << text;
    }
}

} // namespace
} // namespace qz::gui::test

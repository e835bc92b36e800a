// The five default column sets, every property of every column, written out as the views'
// column tables give them.

#include "worksheet/GridInfo.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

constexpr TColour P(int red, int green, int blue) {
    return PaletteRGB(red, green, blue);
}
const TColour Cream = P(0xFF, 0xFF, 0xBD);
const TColour Mint = P(0xB9, 0xFF, 0xC0);
const TColour Rose = P(0xFF, 0xD6, 0xD5);
const TColour Sky = P(0xC4, 0xE0, 0xFF);
const TColour PNavy = P(0x00, 0x00, 0x80);
const TColour Sage = RGBColour(0x66, 0xBF, 0xA9);
const TColour Navy = RGBColour(0x00, 0x00, 0x80);
const TColour Blue = RGBColour(0x00, 0x00, 0xFF);
const TColour Green = RGBColour(0x00, 0x80, 0x00);
const TColour Red = RGBColour(0xFF, 0x00, 0x00);
const TColour White = RGBColour(0xFF, 0xFF, 0xFF);

constexpr TAlignment L = taLeftJustify;
constexpr TAlignment R = taRightJustify;
constexpr TAlignment C = taCenter;

struct Column {
    const char* Title;
    std::int32_t Slot, Sort, Width, Min, Max;
    TAlignment Align;
    bool Visible, Total, Sortable;
    TColour Colour, Font;
};

struct Set {
    int View;
    std::int32_t SortKey;
    std::int32_t ExtraStrips;
    std::vector<Column> Columns;
};

const Set Sets[] = {
    {ViewTransactions,
     1,
     2,
     {
         {"No.", 0, 0, 30, 20, 150, R, true, true, true, Cream, PNavy},
         {"Date", 1, 1, 56, 20, 150, C, true, false, true, Cream, PNavy},
         {"Reference", 2, 2, 50, 20, 200, L, true, false, true, Cream, PNavy},
         {"Cat. No.", 3, 3, 36, 20, 150, R, true, false, true, Cream, PNavy},
         {"Category Name", 4, 4, 93, 20, 300, L, true, false, true, Cream, PNavy},
         {"Sub Category Name", 6, 6, 80, 20, 300, L, true, false, true, Cream, PNavy},
         {"Sub Cat. Number", 5, 5, 50, 20, 150, R, false, false, true, Cream, Navy},
         {"Group Number", 7, 7, 50, 20, 150, L, true, false, true, Sage, Blue},
         {"Group Name", 8, 8, 100, 20, 300, L, true, false, true, Sage, Navy},
         {"Credit", 9, 9, 80, 20, 160, R, true, true, true, Mint, Green},
         {"Debit", 10, 9, 80, 20, 160, R, true, true, true, Rose, Red},
         {"Balance", 11, -1, 80, 20, 160, R, true, true, false, Sky, Blue},
         {"Memo", 12, 11, 50, 10, 200, L, true, false, false, White, clWindowText},
     }},
    {ViewCategories,
     0,
     0,
     {
         {"Cat. No.", 0, 0, 50, 20, 100, L, true, false, true, Cream, clWindowText},
         {"Category Name", 1, 1, 150, 20, 200, L, true, false, true, Cream, clWindowText},
         {"Credit", 2, 2, 100, 20, 160, R, true, true, true, Mint, Green},
         {"Debit", 3, 2, 100, 20, 160, R, true, true, true, Rose, Red},
         {"% of Total", 4, 2, 50, 20, 100, R, true, false, true, Sky, Blue},
     }},
    {ViewSubCategories,
     1,
     0,
     {
         {"Category Name", 0, 0, 150, 20, 220, L, true, false, true, Cream, Navy},
         {"Sub Cat. No.", 1, 1, 60, 20, 100, R, true, false, true, Cream, Navy},
         {"Sub Category Name", 2, 2, 150, 20, 220, L, true, false, true, Cream, Navy},
         {"Credit", 3, 3, 100, 20, 160, R, true, true, true, Mint, Green},
         {"Debit", 4, 3, 100, 20, 160, R, true, true, true, Rose, Red},
         {"% of Total", 5, 3, 50, 20, 100, R, true, false, true, Sky, Blue},
     }},
    {ViewGroups,
     0,
     0,
     {
         {"Group Number", 0, 0, 50, 20, 100, L, true, false, true, Cream, PNavy},
         {"Group Name", 1, 1, 200, 20, 250, L, true, false, true, Cream, PNavy},
         {"Credit", 2, 2, 100, 20, 160, R, true, true, true, Mint, Green},
         {"Debit", 3, 3, 100, 20, 160, R, true, true, true, Rose, Red},
         {"Difference", 4, 4, 100, 20, 160, R, true, true, true, Sky, Blue},
         {"% of Total Income", 5, 2, 100, 20, 100, R, true, false, true, Mint, Green},
         {"% of Total Expense", 6, 3, 100, 20, 100, R, true, false, true, Rose, Red},
     }},
    {ViewSummary,
     1,
     0,
     {
         {"Category Type", 0, 1, 200, 20, 250, L, true, false, true, Cream, PNavy},
         {"Credit", 1, 2, 100, 20, 160, R, true, true, true, Mint, Green},
         {"Debit", 2, 2, 100, 20, 160, R, true, true, true, Rose, Red},
         {"% of Total", 3, 2, 50, 20, 100, R, true, false, true, Sky, Blue},
     }},
};

TEST(GridInfoTest, DefaultColumnSetsHoldEveryPropertyOfTheViewsTables) {
    for (const Set& set : Sets) {
        const TGridInfo info = DefaultColumnSet(set.View);
        SCOPED_TRACE("view " + std::to_string(set.View));
        EXPECT_EQ(info.SortIndex, set.SortKey);
        EXPECT_EQ(info.SortIndex, DefaultSortKeys[set.View]);
        EXPECT_EQ(info.SortDirection, sdAscending);
        EXPECT_EQ(info.ScrollBarPos, 0);
        EXPECT_EQ(info.ExtraStrips(), set.ExtraStrips);
        ASSERT_EQ(info.ColInfo.Count(), static_cast<std::int32_t>(set.Columns.size()));
        for (std::int32_t i = 0; i < info.ColInfo.Count(); ++i) {
            const TColProperty& got = info.ColInfo[i];
            const Column& want = set.Columns[static_cast<std::size_t>(i)];
            SCOPED_TRACE(want.Title);
            EXPECT_EQ(got.Title, want.Title);
            EXPECT_EQ(got.LinkIndex, want.Slot);
            EXPECT_EQ(got.SortIndex, want.Sort);
            EXPECT_EQ(got.Width, want.Width);
            EXPECT_EQ(got.DefaultWidth, want.Width);
            EXPECT_EQ(got.MinWidth, want.Min);
            EXPECT_EQ(got.MaxWidth, want.Max);
            EXPECT_EQ(got.Alignment, want.Align);
            EXPECT_EQ(got.Visible, want.Visible);
            EXPECT_EQ(got.ShowTotal, want.Total);
            EXPECT_EQ(got.AllowSort, want.Sortable);
            EXPECT_EQ(got.Color, want.Colour);
            EXPECT_EQ(got.FontCol, want.Font);
            EXPECT_EQ(got.ColorHi, want.Colour);
            EXPECT_EQ(got.FontColHi, want.Font);
            EXPECT_EQ(got.TotalText, "");
        }
    }
}

TEST(GridInfoTest, TheGridIsSizedForTheLargestRowAndTheBalanceSlot) {
    std::int32_t slots = 0;
    for (int view = 0; view < ViewCount; ++view)
        for (const TColProperty& column : DefaultColumnSet(view).ColInfo.Items)
            slots = std::max(slots, column.LinkIndex + 1);
    EXPECT_EQ(GridMaxCols, slots);
    EXPECT_EQ(DefaultColumnSet(ViewTransactions).ColInfo.SlotColor(BalLinkIndex), Sky);
}

} // namespace
} // namespace qz

// The default columns widened to what the grid's font needs: titles, a full date, the largest
// amounts of a small business's books and percentages, never narrower than made.

#include "worksheet/ColumnFit.h"

#include "platform/RegionalSettings.h"
#include "platform/ScriptedPrompts.h"
#include "storage/OptionsFileOLE.h"
#include "storage/cfb/CfbTestSupport.h"

#include <gtest/gtest.h>

namespace qz::testing {
namespace {

// Seven pixels a character, titles one more, and the sort mark 20.
std::int32_t Measure(const std::string& text, TFitText kind) {
    const auto width = static_cast<std::int32_t>(text.size());
    return kind == TFitText::Cell ? width * 7 : width * 8 + (kind == TFitText::SortedTitle ? 20 : 0);
}

const TColProperty& Column(const TGridInfo& set, const std::string& title) {
    for (const TColProperty& column : set.ColInfo.Items)
        if (column.Title == title)
            return column;
    ADD_FAILURE() << title;
    return set.ColInfo.Items.front();
}

TEST(ColumnFit, EachDefaultColumnShowsItsTitleAndSample) {
    const TDisplayFormats formats(RegionalSettings::Fixed());
    EXPECT_EQ(ColumnSample(ViewTransactions, 1, formats), "28/12/2028");
    EXPECT_EQ(ColumnSample(ViewTransactions, 9, formats), "-$999,999.99");
    EXPECT_EQ(ColumnSample(ViewCategories, 4, formats), "100.00%");
    EXPECT_EQ(ColumnSample(ViewTransactions, 4, formats), "") << "names are as long as the user makes them";

    std::array<TGridInfo, ViewCount> sets;
    for (int view = 0; view < ViewCount; ++view)
        sets[static_cast<std::size_t>(view)] = DefaultColumnSet(view);
    const std::array<TGridInfo, ViewCount> before = sets;
    FitColumns(sets, formats, Measure);
    for (int view = 0; view < ViewCount; ++view) {
        const auto& set = sets[static_cast<std::size_t>(view)];
        for (std::size_t i = 0; i < set.ColInfo.Items.size(); ++i) {
            const TColProperty& column = set.ColInfo.Items[i];
            SCOPED_TRACE(column.Title);
            const bool sorted = column.AllowSort && column.SortIndex == set.SortIndex;
            EXPECT_GE(column.Width, Measure(column.Title, sorted ? TFitText::SortedTitle : TFitText::Title));
            EXPECT_GE(column.Width, Measure(ColumnSample(view, column.LinkIndex, formats), TFitText::Cell));
            EXPECT_GE(column.Width, before[static_cast<std::size_t>(view)].ColInfo.Items[i].Width) << "never narrower";
            EXPECT_LE(column.Width, column.MaxWidth);
            EXPECT_EQ(column.DefaultWidth,
                      std::max(column.Width, before[static_cast<std::size_t>(view)].ColInfo.Items[i].DefaultWidth));
        }
    }
    EXPECT_EQ(Column(sets[ViewTransactions], "Date").Width, Measure("28/12/2028", TFitText::Cell));
    EXPECT_EQ(Column(sets[ViewCategories], "Category Name").Width, 150) << "wide enough already";
}

// The program's default set is fitted whenever it is loaded; a set the user stored is not.
TEST(ColumnFit, OnlyTheProgramsDefaultSetIsFitted) {
    cfb::testing::TempFolder folder;
    MemoryRegistry values;
    ScriptedPrompts prompts;
    std::array<TGridInfo, ViewCount> sets;
    for (int view = 0; view < ViewCount; ++view)
        sets[static_cast<std::size_t>(view)] = DefaultColumnSet(view);
    TGridProperties grid;
    TOptionsManager options(values, prompts, sets, grid, folder.Path.string());
    int fitted = 0;
    options.FitDefaults = [&](std::array<TGridInfo, 5>&) { ++fitted; };
    options.LoadWorksheetSettings();
    EXPECT_EQ(fitted, 1);
    ASSERT_TRUE(options.LoadSet(1));
    EXPECT_EQ(fitted, 1);
    ASSERT_TRUE(options.LoadSet(0));
    EXPECT_EQ(fitted, 2);
}

} // namespace
} // namespace qz::testing

#include "ledger/SubActDB.h"
#include "support/LedgerFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qz {
namespace {

using test::AddCategory;
using test::AddSub;
using test::Units;

std::vector<std::string> ViewTexts(const TSubActList& subs) {
    std::vector<std::string> texts;
    for (const TSubActRec* sub : subs.RowList)
        texts.push_back(sub->NumberText() + " " + sub->Name.Str());
    return texts;
}

TEST(SubActDBTest, NumberTextJoinsCategoryAndSubCategoryNumbers) {
    TSubActRec sub;
    sub.MainAct = 3;
    sub.Number = 6;
    EXPECT_EQ(sub.NumberText(), "3-6");
    sub.MainAct = 1200;
    sub.Number = 0;
    EXPECT_EQ(sub.NumberText(), "1200-0");
}

TEST(SubActDBTest, PairsAreUniqueOnlyTogether) {
    TSubActList subs;
    TSubActRec* salesRetail = AddSub(subs, 100, 1, "Retail", SideCredit);
    TSubActRec* rentShop = AddSub(subs, 200, 1, "Shop", SideDebit);
    TSubActRec* salesWeb = AddSub(subs, 100, 2, "Web", SideCredit);

    EXPECT_EQ(subs.IndexOfPair(100, 1), 0);
    EXPECT_EQ(subs.IndexOfPair(200, 1), 1);
    EXPECT_EQ(subs.IndexOfPair(100, 2), 2);
    EXPECT_EQ(subs.IndexOfPair(200, 2), -1);
    EXPECT_EQ(subs.IndexOfPair(1, 100), -1);

    subs.AddToTotal(100, 1, Units(10));
    subs.AddToTotal(200, 1, Units(4));
    subs.AddToTotal(100, 2, Units(6));
    subs.SubtractFromTotal(100, 1, Money::FromRaw(25));

    EXPECT_EQ(salesRetail->Total, Money::FromRaw(99975));
    EXPECT_EQ(rentShop->Total, Units(4));
    EXPECT_EQ(salesWeb->Total, Units(6));
    EXPECT_EQ(subs.CreditTotal, Money::FromRaw(159975));
    EXPECT_EQ(subs.DebitTotal, Units(4));

    subs.Delete(0);
    EXPECT_EQ(subs.IndexOfPair(100, 1), -1);
    EXPECT_EQ(subs.IndexOfPair(100, 2), 1);
}

TEST(SubActDBTest, RecountShowsSelectedSubCategoriesWithAPositiveTotal) {
    TSubActList subs;
    AddSub(subs, 100, 1, "Retail", SideCredit, Units(10));
    AddSub(subs, 100, 2, "Web", SideCredit, Money());
    AddSub(subs, 200, 1, "Shop", SideDebit, Units(-2));
    AddSub(subs, 200, 2, "Office", SideDebit, Units(5))->Selected = 0;
    AddSub(subs, 300, 1, "Fuel", SideDebit, Units(3));

    subs.Recount();
    std::vector<int> rows;
    for (const TSubActRec* sub : subs.RowList)
        rows.push_back(sub->Row);
    EXPECT_EQ(rows, (std::vector<int>{0, -1, -1, -1, 1}));
    EXPECT_EQ(subs.VisibleCount, 2);
    EXPECT_EQ(subs.CreditTotal, Units(10));
    EXPECT_EQ(subs.DebitTotal, Units(3));

    subs.ShowZeroRows = 1;
    subs.Recount();
    rows.clear();
    for (const TSubActRec* sub : subs.RowList)
        rows.push_back(sub->Row);
    EXPECT_EQ(rows, (std::vector<int>{0, 1, 2, -1, 3}));
    EXPECT_EQ(subs.VisibleCount, 4);
    EXPECT_EQ(subs.CreditTotal, Units(10));
    EXPECT_EQ(subs.DebitTotal, Units(1));
}

class SubActSortTest : public ::testing::Test {
protected:
    void SetUp() override {
        subs.MainActList = &categories;
        AddCategory(categories, 100, "Sales", SideCredit);
        AddCategory(categories, 200, "Advertising", SideDebit);
        AddCategory(categories, 300, "sales", SideCredit);
        AddSub(subs, 300, 1, "Alpha", SideCredit, Units(1));
        AddSub(subs, 100, 2, "Web", SideCredit, Units(7));
        AddSub(subs, 200, 5, "Radio", SideDebit, Units(3));
        AddSub(subs, 100, 1, "Retail", SideCredit, Units(3));
        AddSub(subs, 200, 1, "Print", SideDebit, Units(9));
        subs.ShowZeroRows = 1;
    }

    TMainActList categories;
    TSubActList subs;
};

TEST_F(SubActSortTest, SortRowsOrdersTheView) {
    struct Case {
        std::uint8_t Order;
        std::vector<std::string> Texts;
    };
    const Case cases[] = {
        {0, {"200-1 Print", "200-5 Radio", "100-1 Retail", "100-2 Web", "300-1 Alpha"}},
        {1, {"100-1 Retail", "100-2 Web", "200-1 Print", "200-5 Radio", "300-1 Alpha"}},
        {2, {"300-1 Alpha", "200-1 Print", "200-5 Radio", "100-1 Retail", "100-2 Web"}},
        {3, {"300-1 Alpha", "100-1 Retail", "200-5 Radio", "100-2 Web", "200-1 Print"}},
        {4, {"300-1 Alpha", "100-2 Web", "200-5 Radio", "100-1 Retail", "200-1 Print"}},
    };
    for (const Case& c : cases) {
        subs.SortRows(c.Order);
        EXPECT_EQ(ViewTexts(subs), c.Texts) << "order " << int(c.Order);
        for (std::int32_t row = 0; row < 5; ++row)
            EXPECT_EQ(subs.RowItem(row), subs.RowList[static_cast<std::size_t>(row)]) << "order " << int(c.Order);
        // Put the view back as added for the next case.
        subs.RowList = subs.KeyList;
    }
}

TEST_F(SubActSortTest, CategoryNameOrderUsesTheLinkedCategory) {
    // Linked to categories whose names reverse the order the numbers would give.
    TMainActRec zulu;
    zulu.Number = 100;
    zulu.Name = "zulu";
    for (TSubActRec* sub : subs.KeyList)
        sub->MainActRec = sub->MainAct == 100 ? &zulu : categories.FindByNumber(sub->MainAct);

    subs.SortRows(0);
    EXPECT_EQ(ViewTexts(subs),
              (std::vector<std::string>{"200-1 Print", "200-5 Radio", "300-1 Alpha", "100-1 Retail", "100-2 Web"}));
}

TEST_F(SubActSortTest, SortByKeyOrdersByCategoryThenNumber) {
    subs.SortByKey();
    std::vector<std::string> texts;
    for (const TSubActRec* sub : subs.KeyList)
        texts.push_back(sub->NumberText());
    EXPECT_EQ(texts, (std::vector<std::string>{"100-1", "100-2", "200-1", "200-5", "300-1"}));
    EXPECT_EQ(subs.Sorted, 1);
    EXPECT_EQ(subs.IndexOfPair(200, 5), 3);
}

TEST(SubActDBTest, MoneyAndPercentTexts) {
    const TDisplayFormats formats;
    TSubActList subs;
    TSubActRec* retail = AddSub(subs, 100, 1, "Retail", SideCredit, Units(30));
    TSubActRec* web = AddSub(subs, 100, 2, "Web", SideCredit, Units(90));
    TSubActRec* fuel = AddSub(subs, 200, 1, "Fuel", SideDebit, Money());
    subs.ShowZeroRows = 1;
    subs.Recount();

    EXPECT_EQ(subs.MoneyText(*web, SideCredit, formats), "$90.00");
    EXPECT_EQ(subs.MoneyText(*web, SideDebit, formats), "");
    EXPECT_EQ(subs.MoneyText(*fuel, SideDebit, formats), "$0.00");
    EXPECT_EQ(subs.PercentText(*retail, formats), "25.00%");
    EXPECT_EQ(subs.PercentText(*web, formats), "75.00%");
    EXPECT_EQ(subs.PercentText(*fuel, formats), "0.00%");
}

} // namespace
} // namespace qz

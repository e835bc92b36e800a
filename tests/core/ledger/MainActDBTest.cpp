#include "ledger/MainActDB.h"
#include "support/LedgerFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qz {
namespace {

using test::AddCategory;
using test::Units;

std::vector<std::string> ViewNames(const TMainActList& categories) {
    std::vector<std::string> names;
    for (const TMainActRec* category : categories.RowList)
        names.push_back(category->Name.Str());
    return names;
}

TEST(MainActDBTest, LookUpsByNumberAndByName) {
    TMainActList categories;
    AddCategory(categories, 300, "Rent", SideDebit);
    AddCategory(categories, 100, "Sales", SideCredit);
    AddCategory(categories, 200, "Sales", SideDebit);

    EXPECT_EQ(categories.IndexOfNumber(100), 1);
    EXPECT_EQ(categories.IndexOfNumber(200), 2);
    EXPECT_EQ(categories.IndexOfNumber(150), -1);
    ASSERT_NE(categories.FindByNumber(300), nullptr);
    EXPECT_EQ(categories.FindByNumber(300)->Name, "Rent");
    EXPECT_EQ(categories.FindByNumber(301), nullptr);
    EXPECT_EQ(categories.NameOfNumber(200), "Sales");
    EXPECT_EQ(categories.NameOfNumber(7), "");

    EXPECT_EQ(categories.NumberOfName("Sales", SideCredit), 100);
    EXPECT_EQ(categories.NumberOfName("Sales", SideDebit), 200);
    EXPECT_EQ(categories.NumberOfName("sales", SideCredit), -1) << "names compare case-sensitively";
    EXPECT_EQ(categories.NumberOfName("Rent", SideCredit), -1) << "only categories of the side count";
    EXPECT_EQ(categories.NumberOfName("Rent ", SideDebit), -1);
}

TEST(MainActDBTest, LookUpsFollowDeletesAndRenumbering) {
    TMainActList categories;
    AddCategory(categories, 100, "Sales", SideCredit);
    TMainActRec* rent = AddCategory(categories, 300, "Rent", SideDebit);
    ASSERT_EQ(categories.IndexOfNumber(300), 1);

    categories.Delete(0);
    EXPECT_EQ(categories.FindByNumber(100), nullptr);
    EXPECT_EQ(categories.IndexOfNumber(300), 0);

    rent->Number = 350; // an editor renumbers in place
    EXPECT_EQ(categories.FindByNumber(300), nullptr);
    EXPECT_EQ(categories.FindByNumber(350), rent);
}

TEST(MainActDBTest, AddAndSubtractMoveTheCategoryAndItsSideTotal) {
    TMainActList categories;
    TMainActRec* sales = AddCategory(categories, 100, "Sales", SideCredit);
    TMainActRec* rent = AddCategory(categories, 200, "Rent", SideDebit);

    categories.AddToTotal(100, Money::FromRaw(1234567));
    categories.AddToTotal(200, Units(50));
    categories.SubtractFromTotal(100, Money::FromRaw(4567));
    categories.SubtractFromTotal(200, Units(80));

    EXPECT_EQ(sales->Total, Units(123));
    EXPECT_EQ(rent->Total, Units(-30));
    EXPECT_EQ(categories.CreditTotal, Units(123));
    EXPECT_EQ(categories.DebitTotal, Units(-30));
}

TEST(MainActDBTest, RecountShowsSelectedCategoriesWithAPositiveTotal) {
    struct Case {
        std::uint8_t ShowZeroRows;
        std::vector<int> Rows;
        std::int32_t VisibleCount;
        Money CreditTotal;
        Money DebitTotal;
    };
    const Case cases[] = {
        {0, {0, -1, -1, -1, 1}, 2, Units(10), Units(4)},
        {1, {0, 1, 2, -1, 3}, 4, Units(10), Units(1)},
    };
    for (const Case& c : cases) {
        TMainActList categories;
        AddCategory(categories, 100, "Sales", SideCredit, Units(10));
        AddCategory(categories, 200, "Nothing", SideCredit, Money());
        AddCategory(categories, 300, "Refunded", SideDebit, Units(-3));
        AddCategory(categories, 400, "Unselected", SideDebit, Units(7))->Selected = 0;
        AddCategory(categories, 500, "Rent", SideDebit, Units(4));
        categories.ShowZeroRows = c.ShowZeroRows;
        categories.CreditTotal = Units(999); // stale totals are replaced
        categories.DebitTotal = Units(999);

        categories.Recount();

        std::vector<int> rows;
        for (const TMainActRec* category : categories.RowList)
            rows.push_back(category->Row);
        EXPECT_EQ(rows, c.Rows) << "ShowZeroRows " << int(c.ShowZeroRows);
        EXPECT_EQ(categories.VisibleCount, c.VisibleCount);
        EXPECT_EQ(categories.CreditTotal, c.CreditTotal);
        EXPECT_EQ(categories.DebitTotal, c.DebitTotal);
    }
}

TEST(MainActDBTest, SortRowsOrdersTheView) {
    struct Case {
        std::uint8_t Order;
        std::vector<std::string> Names;
    };
    const Case cases[] = {
        {0, {"sales", "Sales2", "Rent", "Bank", "Sales"}},
        {1, {"Bank", "Rent", "Sales", "Sales2", "sales"}},
        {2, {"Rent", "Bank", "Sales", "Sales2", "sales"}},
        {7, {"Sales", "Rent", "sales", "Bank", "Sales2"}},
    };
    for (const Case& c : cases) {
        TMainActList categories;
        AddCategory(categories, 400, "Sales", SideCredit, Units(5));
        AddCategory(categories, 300, "Rent", SideDebit, Units(2));
        AddCategory(categories, 100, "sales", SideCredit, Units(9));
        AddCategory(categories, 350, "Bank", SideDebit, Units(5));
        AddCategory(categories, 200, "Sales2", SideCredit, Units(8));

        categories.SortRows(c.Order);

        EXPECT_EQ(ViewNames(categories), c.Names) << "order " << int(c.Order);
        for (std::int32_t row = 0; row < 5; ++row)
            EXPECT_EQ(categories.RowItem(row), categories.RowList[static_cast<std::size_t>(row)])
                << "order " << int(c.Order);
        EXPECT_EQ(categories.VisibleCount, 5);
        EXPECT_EQ(categories.Items(0)->Number, 400) << "the key order stays as it was";
    }
}

TEST(MainActDBTest, NamesCompareAsUnsignedBytes) {
    TMainActList categories;
    AddCategory(categories, 100, "\xC9tude", SideCredit, Units(1));
    AddCategory(categories, 200, "apple", SideCredit, Units(1));
    AddCategory(categories, 300, "Zoo", SideCredit, Units(1));
    categories.SortRows(1);
    EXPECT_EQ(ViewNames(categories), (std::vector<std::string>{"Zoo", "apple", "\xC9tude"}));
}

TEST(MainActDBTest, SortByKeySortsTheKeyOrderByNumber) {
    TMainActList categories;
    AddCategory(categories, 300, "C", SideCredit);
    AddCategory(categories, 100, "A", SideCredit);
    AddCategory(categories, 200, "B", SideCredit);
    categories.SortByKey();
    EXPECT_EQ(categories.Items(0)->Number, 100);
    EXPECT_EQ(categories.Items(1)->Number, 200);
    EXPECT_EQ(categories.Items(2)->Number, 300);
    EXPECT_EQ(categories.IndexOfNumber(300), 2);
    EXPECT_EQ(categories.RowList[0]->Number, 300) << "the view order is not touched";
}

TEST(MainActDBTest, MoneyAndPercentTexts) {
    const TDisplayFormats formats;
    TMainActList categories;
    TMainActRec* sales = AddCategory(categories, 100, "Sales", SideCredit, Units(1500));
    TMainActRec* refunds = AddCategory(categories, 200, "Refunds", SideCredit, Units(-1499));
    TMainActRec* rent = AddCategory(categories, 300, "Rent", SideDebit, Units(30));
    TMainActRec* phone = AddCategory(categories, 400, "Phone", SideDebit, Units(-30));
    categories.ShowZeroRows = 1;
    categories.Recount(); // credit total 1, debit total 0

    EXPECT_EQ(categories.MoneyText(*sales, SideCredit, formats), "$1,500.00");
    EXPECT_EQ(categories.MoneyText(*sales, SideDebit, formats), "");
    EXPECT_EQ(categories.MoneyText(*phone, SideDebit, formats), "-$30.00");
    EXPECT_EQ(categories.MoneyText(*phone, SideCredit, formats), "");

    EXPECT_EQ(categories.PercentText(*sales, formats), "150000.00%") << "no thousands separators";
    EXPECT_EQ(categories.PercentText(*refunds, formats), "-149900.00%");
    EXPECT_EQ(categories.PercentText(*rent, formats), "0.00%") << "a list total of zero";

    phone->Total = Units(-40);
    categories.Recount(); // debit total -10
    EXPECT_EQ(categories.PercentText(*rent, formats), "0.00%") << "a negative list total";

    phone->Total = Units(10);
    categories.Recount(); // debit total 40
    EXPECT_EQ(categories.PercentText(*rent, formats), "75.00%");
    EXPECT_EQ(categories.PercentText(*phone, formats), "25.00%");
}

TEST(MainActDBTest, ClearEmptiesTheListAndResetsItsFigures) {
    TMainActList categories;
    AddCategory(categories, 100, "Sales", SideCredit, Units(3));
    categories.ShowZeroRows = 1;
    categories.Recount();
    ASSERT_EQ(categories.VisibleCount, 1);

    categories.Clear();

    EXPECT_EQ(categories.Count(), 0);
    EXPECT_TRUE(categories.RowList.empty());
    EXPECT_EQ(categories.VisibleCount, 0);
    EXPECT_EQ(categories.CreditTotal, Money());
    EXPECT_EQ(categories.DebitTotal, Money());
    EXPECT_EQ(categories.ShowZeroRows, 0);
    EXPECT_EQ(categories.FindByNumber(100), nullptr);
}

} // namespace
} // namespace qz

#include "ledger/CatDB.h"
#include "support/LedgerFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qz {
namespace {

using test::AddCatType;
using test::ChangeLog;
using test::Units;

std::vector<std::string> ViewNames(const TCatList& types) {
    std::vector<std::string> names;
    for (const TCatRec* type : types.RowList)
        names.push_back(type->Name.Str());
    return names;
}

TEST(CatDBTest, NewNumberIsOneAboveTheHighestOrZero) {
    TCatList types;
    EXPECT_EQ(types.NewNumber(), 0);
    AddCatType(types, 5, "A", SideCredit, 1);
    AddCatType(types, 0, "B", SideCredit, 1);
    AddCatType(types, 1, "C", SideCredit, 1);
    EXPECT_EQ(types.NewNumber(), 6);

    ChangeLog log;
    log.Attach(types);
    TCatRec* added = types.AddType("Rent", SideDebit, 2, 0);
    EXPECT_EQ(added->Number, 6);
    EXPECT_EQ(added->Name, "Rent");
    EXPECT_EQ(added->Side, SideDebit);
    EXPECT_EQ(added->Kind, 2);
    EXPECT_EQ(added->IsDefault, 0);
    EXPECT_EQ(types.Items(3), added);
    EXPECT_EQ(log.Calls, (std::vector<std::pair<int, int>>{{ActionAdd, 3}}));
}

TEST(CatDBTest, AddDefaultsAddsTheElevenDefaultTypesInOrder) {
    struct Expected {
        const char* Name;
        int Side;
        int Kind;
    };
    const Expected expected[] = {
        {"General Income", 1, 1},   {"Other Income", 1, 3},    {"Assets Sold", 1, 5},     {"Funds Injection", 1, 6},
        {"Assets Purchased", 2, 5}, {"Stock Purchased", 2, 1}, {"Overheads", 2, 2},       {"Wages", 2, 2},
        {"Company Tax", 2, 4},      {"Other Expenses", 2, 3},  {"Funds Repayment", 2, 6},
    };
    TCatList types;
    types.AddDefaults();

    ASSERT_EQ(types.Count(), 11);
    for (int i = 0; i < 11; ++i) {
        const TCatRec* type = types.Items(i);
        EXPECT_EQ(type->Name, expected[i].Name) << i;
        EXPECT_EQ(type->Side, expected[i].Side) << expected[i].Name;
        EXPECT_EQ(type->Kind, expected[i].Kind) << expected[i].Name;
        EXPECT_EQ(type->IsDefault, 1) << expected[i].Name;
        EXPECT_EQ(type->Number, i) << expected[i].Name;
    }
}

TEST(CatDBTest, SetSystemTypeNameRenamesTheFirstKindSevenType) {
    TCatList types;
    AddCatType(types, 0, "General Income", SideCredit, 1);
    AddCatType(types, 1, "Funds Injection", SideCredit, KindFunds);
    TCatRec* system = AddCatType(types, 2, "GST/VAT", SideDebit, KindGstSystem);
    TCatRec* second = AddCatType(types, 3, "Other", SideDebit, KindGstSystem);

    EXPECT_EQ(types.SetSystemTypeName("VAT"), 2);
    EXPECT_EQ(system->Name, "VAT");
    EXPECT_EQ(second->Name, "Other");
    EXPECT_EQ(types.Items(1)->Name, "Funds Injection");
}

TEST(CatDBTest, SetSystemTypeNameWithoutASystemTypeRenamesNothing) {
    TCatList types;
    AddCatType(types, 0, "General Income", SideCredit, 1);
    AddCatType(types, 1, "Overheads", SideDebit, 2);

    EXPECT_EQ(types.SetSystemTypeName("GST"), 0);
    EXPECT_EQ(types.Items(0)->Name, "General Income");
    EXPECT_EQ(types.Items(1)->Name, "Overheads");
}

TEST(CatDBTest, NoGstByDefaultForCompanyTaxFundsAndExactlyWages) {
    struct Case {
        const char* Name;
        std::int16_t Kind;
        bool Expected;
    };
    const Case cases[] = {
        {"Wages", 2, true},      {"wages", 2, false},          {"WAGES", 2, false},   {"Wages ", 2, false},
        {"Overheads", 2, false}, {"Company Tax", 4, true},     {"Anything", 4, true}, {"Funds Injection", 6, true},
        {"Funds", 6, true},      {"General Income", 1, false}, {"Assets", 5, false},  {"GST", 7, false},
    };
    for (const Case& c : cases) {
        TCatRec type;
        type.Name = c.Name;
        type.Kind = c.Kind;
        EXPECT_EQ(TCatList::NoGstByDefault(type), c.Expected) << "'" << c.Name << "' Kind " << c.Kind;
    }
}

TEST(CatDBTest, AddToTotalAddsToTheTypeAndToTheListTotalOfItsSide) {
    TCatList types;
    TCatRec* income = AddCatType(types, 0, "Income", SideCredit, 1);
    TCatRec* overheads = AddCatType(types, 1, "Overheads", SideDebit, 2);
    TCatRec* odd = AddCatType(types, 2, "No side", 0, 3);

    types.AddToTotal(0, Units(10));
    types.AddToTotal(0, Money::FromRaw(5));
    types.AddToTotal(1, Units(4));
    types.AddToTotal(2, Units(100));

    EXPECT_EQ(income->Total, Money::FromRaw(100005));
    EXPECT_EQ(overheads->Total, Units(4));
    EXPECT_EQ(odd->Total, Units(100));
    EXPECT_EQ(types.CreditTotal, Money::FromRaw(100005));
    EXPECT_EQ(types.DebitTotal, Units(4)) << "a type of neither side changes only its own total";
}

TEST(CatDBTest, SectionNetAddsCreditTypesAndSubtractsDebitTypesOfTheKind) {
    TCatList types;
    AddCatType(types, 0, "Assets Sold", SideCredit, KindAssets, Units(300));
    AddCatType(types, 1, "Assets Purchased", SideDebit, KindAssets, Units(120));
    AddCatType(types, 2, "More Assets Sold", SideCredit, KindAssets, Units(5));
    AddCatType(types, 3, "Funds Injection", SideCredit, KindFunds, Units(1000));

    EXPECT_EQ(types.SectionNet(KindAssets), Units(185));
    EXPECT_EQ(types.SectionNet(KindFunds), Units(1000));
    EXPECT_EQ(types.SectionNet(KindSales), Money());
}

TEST(CatDBTest, RecountShowsPositiveTypesNeverTheSystemTypeAndTotalsTheShownOnes) {
    struct Case {
        std::uint8_t ShowZeroRows;
        std::vector<int> Rows; // per type in view order
        std::int32_t VisibleCount;
        Money CreditTotal;
        Money DebitTotal;
    };
    const Case cases[] = {
        {0, {0, -1, -1, 1, -1}, 2, Units(10), Units(3)},
        {1, {0, 1, 2, 3, -1}, 4, Units(10), Units(1)},
    };
    for (const Case& c : cases) {
        TCatList types;
        AddCatType(types, 0, "Income", SideCredit, 1, Units(10));
        AddCatType(types, 1, "Zero", SideCredit, 3, Money());
        AddCatType(types, 2, "Refunds", SideDebit, 2, Units(-2));
        AddCatType(types, 3, "Overheads", SideDebit, 2, Units(3));
        AddCatType(types, 4, "GST", SideDebit, KindGstSystem, Units(50));
        types.CreditTotal = Units(999); // stale totals are replaced
        types.DebitTotal = Units(999);
        types.ShowZeroRows = c.ShowZeroRows;

        types.Recount();

        std::vector<int> rows;
        for (const TCatRec* type : types.RowList)
            rows.push_back(type->Row);
        EXPECT_EQ(rows, c.Rows) << "ShowZeroRows " << int(c.ShowZeroRows);
        EXPECT_EQ(types.VisibleCount, c.VisibleCount) << "ShowZeroRows " << int(c.ShowZeroRows);
        EXPECT_EQ(types.CreditTotal, c.CreditTotal) << "ShowZeroRows " << int(c.ShowZeroRows);
        EXPECT_EQ(types.DebitTotal, c.DebitTotal) << "ShowZeroRows " << int(c.ShowZeroRows);
    }
}

TEST(CatDBTest, SortRowsOrdersTheViewAndRecounts) {
    struct Case {
        std::uint8_t Order;
        std::vector<std::string> Names;
    };
    // Added as: number, name, side, total.
    const Case cases[] = {
        {0, {"Wages", "wage", "Overheads", "Wage", "Income", "Sales"}},
        {1, {"Income", "Sales", "Overheads", "Wage", "Wages", "wage"}},
        {2, {"Wages", "Income", "Overheads", "Sales", "wage", "Wage"}},
        {9, {"Sales", "Wage", "Overheads", "wage", "Income", "Wages"}}, // unknown order: as added
    };
    for (const Case& c : cases) {
        TCatList types;
        AddCatType(types, 5, "Sales", SideCredit, 1, Units(4));
        AddCatType(types, 3, "Wage", SideDebit, 2, Units(9));
        AddCatType(types, 2, "Overheads", SideDebit, 2, Units(4));
        AddCatType(types, 1, "wage", SideDebit, 2, Units(7));
        AddCatType(types, 4, "Income", SideCredit, 3, Units(2));
        AddCatType(types, 0, "Wages", SideDebit, 2, Units(-1));
        types.ShowZeroRows = 1;

        types.SortRows(c.Order);

        EXPECT_EQ(ViewNames(types), c.Names) << "order " << int(c.Order);
        for (std::int32_t row = 0; row < 6; ++row)
            EXPECT_EQ(types.RowItem(row), types.RowList[static_cast<std::size_t>(row)])
                << "order " << int(c.Order) << " row " << row;
        EXPECT_EQ(types.Items(0)->Name, "Sales") << "the key order stays as it was";
    }
}

TEST(CatDBTest, SortByKeyAndTheCashFlowOrder) {
    TCatList types;
    AddCatType(types, 4, "Overheads", SideDebit, 2);
    AddCatType(types, 1, "Other Income", SideCredit, 3);
    AddCatType(types, 3, "General Income", SideCredit, 1);
    AddCatType(types, 2, "Other Expenses", SideDebit, 3);
    AddCatType(types, 0, "Stock Purchased", SideDebit, 1);

    types.SortByKey();
    std::vector<int> numbers;
    for (const TCatRec* type : types.KeyList)
        numbers.push_back(type->Number);
    EXPECT_EQ(numbers, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(types.FindByNumber(3)->Name, "General Income");

    types.SortByKindSideName();
    std::vector<std::string> names;
    for (const TCatRec* type : types.KeyList)
        names.push_back(type->Name.Str());
    EXPECT_EQ(names, (std::vector<std::string>{"General Income", "Stock Purchased", "Overheads", "Other Income",
                                               "Other Expenses"}));
    EXPECT_EQ(types.FindByNumber(3)->Name, "General Income");
}

TEST(CatDBTest, PercentAndMoneyTexts) {
    const TDisplayFormats formats;
    TCatList types;
    TCatRec* income = AddCatType(types, 0, "Income", SideCredit, 1, Units(1234));
    TCatRec* zero = AddCatType(types, 1, "Zero", SideDebit, 2, Money());
    TCatRec* loss = AddCatType(types, 2, "Loss", SideDebit, 2, Units(-25));

    struct Case {
        const TCatRec* Type;
        Money Whole;
        const char* Expected;
    };
    const Case cases[] = {
        {income, Units(100), "1,234.00%"}, {income, Units(4000), "30.85%"}, {income, Money(), "0.00%"},
        {zero, Units(100), "0.00%"},       {loss, Units(100), "-25.00%"},   {income, Units(3), "41,133.33%"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(types.PercentText(*c.Type, c.Whole, formats), c.Expected)
            << c.Type->Name.Str() << " of " << c.Whole.ToDouble();

    EXPECT_EQ(types.MoneyText(*income, SideCredit, formats), "$1,234.00");
    EXPECT_EQ(types.MoneyText(*income, SideDebit, formats), "");
    EXPECT_EQ(types.MoneyText(*loss, SideDebit, formats), "-$25.00");
    EXPECT_EQ(types.MoneyText(*loss, SideCredit, formats), "");
}

TEST(CatDBTest, ClearEmptiesTheListAndResetsItsFigures) {
    TCatList types;
    types.AddDefaults();
    types.ShowZeroRows = 1;
    types.AddToTotal(0, Units(5));
    types.Recount();
    ASSERT_GT(types.VisibleCount, 0);

    types.Clear();

    EXPECT_EQ(types.Count(), 0);
    EXPECT_TRUE(types.RowList.empty());
    EXPECT_EQ(types.VisibleCount, 0);
    EXPECT_EQ(types.CreditTotal, Money());
    EXPECT_EQ(types.DebitTotal, Money());
    EXPECT_EQ(types.ShowZeroRows, 0);
    EXPECT_EQ(types.NewNumber(), 0);
}

} // namespace
} // namespace qz

#include "ledger/GroupDB.h"
#include "platform/ScriptedPrompts.h"
#include "support/LedgerFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace qz {
namespace {

using test::AddGroup;
using test::ChangeLog;
using test::Units;

std::vector<int> KeyNumbers(const TGroupList& groups) {
    std::vector<int> numbers;
    for (const TGroupRec* group : groups.KeyList)
        numbers.push_back(group->Number);
    return numbers;
}

TEST(GroupDBTest, NewNumberIsTheLowestNumberNotInUse) {
    struct Case {
        std::vector<int> Numbers;
        int Expected;
    };
    const Case cases[] = {
        {{}, 0}, {{0, 1, 3}, 2}, {{3, 1, 0}, 2}, {{1, 2}, 0}, {{2, 0, 1}, 3}, {{0, 5}, 1},
    };
    for (const Case& c : cases) {
        TGroupList groups;
        for (int number : c.Numbers)
            AddGroup(groups, number, "G" + std::to_string(number));
        EXPECT_EQ(groups.NewNumber(), c.Expected) << ::testing::PrintToString(c.Numbers);
        std::vector<int> sorted = c.Numbers;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(KeyNumbers(groups), sorted) << "NewNumber sorts the key order by number";
    }
}

TEST(GroupDBTest, AddNamedNumbersTheGroupAndKeepsTheKeyOrderByNumber) {
    TGroupList groups;
    AddGroup(groups, 3, "Jobs");
    AddGroup(groups, 0, "Shop");
    ChangeLog log;
    log.Attach(groups);

    TGroupRec* added = groups.AddNamed("Office");

    EXPECT_EQ(added->Number, 1);
    EXPECT_EQ(added->Name, "Office");
    EXPECT_EQ(added->Selected, 1);
    EXPECT_EQ(KeyNumbers(groups), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(groups.FindByNumber(1), added);
    EXPECT_EQ(log.Calls, (std::vector<std::pair<int, int>>{{ActionAdd, 2}})) << "reported at its key index on adding";
    EXPECT_EQ(groups.AddNamed("Fourth")->Number, 2);
    EXPECT_EQ(groups.AddNamed("Fifth")->Number, 4);
}

TEST(GroupDBTest, SelectedOfNumberAndNumberText) {
    TGroupList groups;
    AddGroup(groups, 4, "Shop")->Selected = 0;
    AddGroup(groups, 2, "Office");
    EXPECT_EQ(groups.SelectedOfNumber(4), 0);
    EXPECT_EQ(groups.SelectedOfNumber(2), 1);
    EXPECT_EQ(groups.SelectedOfNumber(3), 0);
    EXPECT_EQ(groups.FindByNumber(4)->NumberText(), "G4");
    EXPECT_EQ(groups.FindByNumber(2)->NumberText(), "G2");
}

TEST(GroupDBTest, AddToTotalTakesSideOneAsCreditAndEveryOtherSideAsDebit) {
    TGroupList groups;
    TGroupRec* shop = AddGroup(groups, 0, "Shop");
    TGroupRec* office = AddGroup(groups, 1, "Office");

    groups.AddToTotal(0, 1, Units(10));
    groups.AddToTotal(0, 2, Units(3));
    groups.AddToTotal(1, 5, Units(4)); // a transfer kind still lands on the debit side
    groups.AddToTotal(1, 0, Units(1));
    groups.AddToTotal(9, 1, Units(100)); // no such group: nothing
    groups.SubtractFromTotal(0, 1, Money::FromRaw(1));
    groups.SubtractFromTotal(1, 2, Units(2));
    groups.SubtractFromTotal(9, 2, Units(100));

    EXPECT_EQ(shop->CreditTotal, Money::FromRaw(99999));
    EXPECT_EQ(shop->DebitTotal, Units(3));
    EXPECT_EQ(office->CreditTotal, Money());
    EXPECT_EQ(office->DebitTotal, Units(3));
    EXPECT_EQ(groups.CreditTotal, Money::FromRaw(99999));
    EXPECT_EQ(groups.DebitTotal, Units(6));
}

TEST(GroupDBTest, ValidateNameTrimsAndRejectsEmptyAndDuplicateNames) {
    struct Case {
        std::string Typed;
        bool Valid;
        std::string Trimmed;
        std::string Message; // empty: no message
    };
    const Case cases[] = {
        {"  Jobs \t", true, "Jobs", ""},
        {"Shopping", true, "Shopping", ""},
        {"", false, "", "Group name ''' not valid!"},
        {"   ", false, "", "Group name ''' not valid!"},
        {"Shop", false, "Shop", "Group name 'Shop' is already in use."},
        {"  office  ", false, "office", "Group name 'office' is already in use."},
        {"OFFICE", false, "OFFICE", "Group name 'OFFICE' is already in use."},
        {"Caf\xC9", false, "Caf\xC9", "Group name 'Caf\xC9' is already in use."},
    };
    TGroupList groups;
    AddGroup(groups, 0, "Shop");
    AddGroup(groups, 1, "Office");
    AddGroup(groups, 2, "Caf\xE9");

    for (const Case& c : cases) {
        ScriptedPrompts prompts;
        std::string name = c.Typed;
        EXPECT_EQ(groups.ValidateName(name, prompts), c.Valid) << "'" << c.Typed << "'";
        EXPECT_EQ(name, c.Trimmed) << "'" << c.Typed << "'";
        if (c.Message.empty()) {
            EXPECT_TRUE(prompts.Messages.empty()) << "'" << c.Typed << "'";
            continue;
        }
        ASSERT_EQ(prompts.Messages.size(), 1u) << "'" << c.Typed << "'";
        EXPECT_EQ(prompts.Messages[0].Text, c.Message);
        EXPECT_EQ(prompts.Messages[0].Kind, MsgKind::Warning);
        EXPECT_EQ(prompts.Messages[0].Buttons, MsgButtons::Ok);
    }
    EXPECT_EQ(groups.Count(), 3) << "validating adds nothing";
}

TEST(GroupDBTest, RecountShowsSelectedGroupsWithAnyTotal) {
    struct Case {
        std::uint8_t ShowZeroRows;
        std::vector<int> Rows;
        std::int32_t VisibleCount;
        Money CreditTotal;
        Money DebitTotal;
    };
    const Case cases[] = {
        {0, {0, -1, 1, -1, 2}, 3, Units(5), Units(7)},
        {1, {0, 1, 2, -1, 3}, 4, Units(5), Units(7)},
    };
    for (const Case& c : cases) {
        TGroupList groups;
        AddGroup(groups, 0, "Balanced", Units(5), Units(5)); // net 0, still shown
        AddGroup(groups, 1, "Idle");
        AddGroup(groups, 2, "Refund", Money(), Units(-1));
        AddGroup(groups, 3, "Unselected", Units(50), Units(50))->Selected = 0;
        AddGroup(groups, 4, "Costs", Money(), Units(3));
        groups.ShowZeroRows = c.ShowZeroRows;
        groups.CreditTotal = Units(999); // stale totals are replaced
        groups.DebitTotal = Units(999);

        groups.Recount();

        std::vector<int> rows;
        for (const TGroupRec* group : groups.RowList)
            rows.push_back(group->Row);
        EXPECT_EQ(rows, c.Rows) << "ShowZeroRows " << int(c.ShowZeroRows);
        EXPECT_EQ(groups.VisibleCount, c.VisibleCount);
        EXPECT_EQ(groups.CreditTotal, c.CreditTotal);
        EXPECT_EQ(groups.DebitTotal, c.DebitTotal);
    }
}

TEST(GroupDBTest, SortRowsOrdersTheView) {
    struct Case {
        std::uint8_t Order;
        std::vector<std::string> Names;
    };
    const Case cases[] = {
        {0, {"jobs", "Shop", "Office", "Jobs", "Shopfront"}}, {1, {"Jobs", "Office", "Shop", "Shopfront", "jobs"}},
        {2, {"Office", "Jobs", "jobs", "Shopfront", "Shop"}}, {3, {"Jobs", "Office", "jobs", "Shopfront", "Shop"}},
        {4, {"Office", "Shopfront", "jobs", "Jobs", "Shop"}}, {5, {"Shopfront", "Jobs", "Office", "Shop", "jobs"}},
    };
    for (const Case& c : cases) {
        TGroupList groups;
        // number, name, credit, debit: nets -2, 4, -6, 9, 0
        AddGroup(groups, 4, "Shopfront", Units(8), Units(10));
        AddGroup(groups, 3, "Jobs", Units(4), Money());
        AddGroup(groups, 2, "Office", Units(-5), Units(1));
        AddGroup(groups, 1, "Shop", Units(20), Units(11));
        AddGroup(groups, 0, "jobs", Units(6), Units(6));

        groups.SortRows(c.Order);

        std::vector<std::string> names;
        for (const TGroupRec* group : groups.RowList)
            names.push_back(group->Name.Str());
        EXPECT_EQ(names, c.Names) << "order " << int(c.Order);
        EXPECT_EQ(groups.VisibleCount, 5);
        for (std::int32_t row = 0; row < 5; ++row)
            EXPECT_EQ(groups.RowItem(row), groups.RowList[static_cast<std::size_t>(row)]) << "order " << int(c.Order);
    }
}

TEST(GroupDBTest, ColumnTexts) {
    const TDisplayFormats formats;
    TGroupList groups;
    TGroupRec* shop = AddGroup(groups, 0, "Shop", Units(30), Units(45));
    TGroupRec* office = AddGroup(groups, 1, "Office", Units(90), Money());
    TGroupRec* refund = AddGroup(groups, 2, "Refund", Units(-20), Units(15));
    groups.Recount(); // credit total 100, debit total 60

    EXPECT_EQ(groups.CreditText(*shop, formats), "$30.00");
    EXPECT_EQ(groups.DebitText(*shop, formats), "$45.00");
    EXPECT_EQ(groups.NetText(*shop, formats), "-$15.00");
    EXPECT_EQ(groups.NetText(*office, formats), "$90.00");
    EXPECT_EQ(groups.DebitText(*office, formats), "$0.00");

    EXPECT_EQ(groups.CreditPercentText(*shop, formats), "30.00%");
    EXPECT_EQ(groups.DebitPercentText(*shop, formats), "75.00%");
    EXPECT_EQ(groups.CreditPercentText(*office, formats), "90.00%");
    EXPECT_EQ(groups.DebitPercentText(*office, formats), "0.00%") << "no debits";
    EXPECT_EQ(groups.CreditPercentText(*refund, formats), "0.00%") << "a negative credit total";
    EXPECT_EQ(groups.DebitPercentText(*refund, formats), "25.00%");
}

TEST(GroupDBTest, ClearEmptiesTheListAndResetsItsFigures) {
    TGroupList groups;
    AddGroup(groups, 0, "Shop", Units(3));
    groups.ShowZeroRows = 1;
    groups.Recount();

    groups.Clear();

    EXPECT_EQ(groups.Count(), 0);
    EXPECT_TRUE(groups.RowList.empty());
    EXPECT_EQ(groups.VisibleCount, 0);
    EXPECT_EQ(groups.CreditTotal, Money());
    EXPECT_EQ(groups.DebitTotal, Money());
    EXPECT_EQ(groups.ShowZeroRows, 0);
    EXPECT_EQ(groups.NewNumber(), 0);
}

} // namespace
} // namespace qz

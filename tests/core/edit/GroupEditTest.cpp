// The groups editor's operations: names, numbers, the default group, and deletions that
// transactions refuse.

#include "EditOperationsFixture.h"

#include "edit/GroupEdit.h"

namespace qz::testing {
namespace {

using GroupEdit = EditOperations;

TEST_F(GroupEdit, NewGroupsFillTheGapsInNumbering) {
    for (const char* name : {" Markets ", "Online", "Wholesale"})
        ASSERT_TRUE(AddGroup(Edit, name).Done()) << name;
    EXPECT_EQ(Ledger.GroupList.Items(GroupNamed("Markets"))->Number, 1);
    ASSERT_TRUE(DeleteGroup(Edit, GroupNamed("Markets")).Done());
    TEditOutcome added = AddGroup(Edit, "Fairs");
    ASSERT_TRUE(added.Done());
    EXPECT_EQ(Ledger.GroupList.Items(added.Index)->Name, "Fairs");
    EXPECT_EQ(Ledger.GroupList.Items(added.Index)->Number, 1) << "the lowest free number";
    EXPECT_TRUE(added.Refresh & RefreshGroups);
    ExpectStoredAsInMemory();
}

TEST_F(GroupEdit, RefusalsWithTheirMessages) {
    ASSERT_TRUE(AddGroup(Edit, "Office").Done());
    ASSERT_TRUE(AddGroup(Edit, "Online").Done());
    Prompts.Messages.clear();
    const std::string before = ListsText(Ledger);
    struct Case {
        const char* What;
        std::function<TEditOutcome()> Run;
        std::vector<std::string> Messages;
    } cases[] = {
        {"an empty name", [&] { return AddGroup(Edit, "  "); }, {"Group name ''' not valid!"}},
        {"a name in use", [&] { return AddGroup(Edit, " office "); }, {"Group name 'office' is already in use."}},
        {"a name in use once cut to 40 characters",
         [&] { return AddGroup(Edit, "Office" + std::string(34, ' ') + "x"); },
         {"Group name 'Office' is already in use."}},
        {"renaming to another's name",
         [&] { return RenameGroup(Edit, GroupNamed("Online"), "OFFICE"); },
         {"Group name 'OFFICE' is already in use."}},
        {"renaming to nothing",
         [&] { return RenameGroup(Edit, GroupNamed("Online"), " "); },
         {"'' is not a valid name"}},
        {"the default group keeps its name", [&] { return RenameGroup(Edit, GroupNamed("General"), "Main"); }, {}},
        {"and stays", [&] { return DeleteGroup(Edit, GroupNamed("General")); }, {}},
        {"No to the question",
         [&] {
             Prompts.QueueAnswer(MsgResult::No);
             return DeleteGroup(Edit, GroupNamed("Online"));
         },
         {"Delete Group - 'Online'?"}},
    };
    for (const Case& c : cases) {
        Prompts.Messages.clear();
        EXPECT_EQ(c.Run().Result, TEditResult::Refused) << c.What;
        EXPECT_EQ(Texts(), c.Messages) << c.What;
        EXPECT_EQ(ListsText(Ledger), before) << c.What;
    }
}

TEST_F(GroupEdit, RenamingInOtherLettersNeedsNoCheck) {
    ASSERT_TRUE(AddGroup(Edit, "office").Done());
    ASSERT_TRUE(RenameGroup(Edit, GroupNamed("office"), " Office ").Done());
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(RenameGroup(Edit, GroupNamed("Office"), "Office").Result, TEditResult::Unchanged);
    ExpectStoredAsInMemory();
}

// Only credit and debit transactions hold a group: a transfer's group field is an account.
TEST_F(GroupEdit, DeletingAGroupThatTransactionsUse) {
    ASSERT_TRUE(AddGroup(Edit, "Markets").Done()); // G1, the number of the account the transfer goes to
    ASSERT_TRUE(AddGroup(Edit, "Fairs").Done());   // G2
    for (std::int32_t number : {7, 8}) {
        TTransRec* t = AddSale(EncodeDate(2026, 5, 10 - number), 12, number);
        t->Group = 2;
        LinkTransaction(Ledger, *t);
        Ledger.TransList.Changed(Ledger.TransList.IndexOf(t));
    }
    Ledger.TransList.SortByKey();
    Prompts.Messages.clear();
    EXPECT_EQ(DeleteGroup(Edit, GroupNamed("Fairs")).Result, TEditResult::Refused);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Delete Group - 'Fairs'?",
                                                 "Group - 'Fairs' can't be deleted because it is being used by one "
                                                 "or more Transactions.",
                                                 "8"}))
        << "the first such transaction in date order";
    EXPECT_TRUE(DeleteGroup(Edit, GroupNamed("Markets")).Done());
    ExpectStoredAsInMemory();
}

} // namespace
} // namespace qz::testing

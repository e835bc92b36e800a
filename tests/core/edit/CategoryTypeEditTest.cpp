// The category types editor's operations: checks with their messages, and what reaches the file.

#include "EditOperationsFixture.h"

#include "edit/CategoryTypeEdit.h"

namespace qz::testing {
namespace {

using CategoryTypeEdit = EditOperations;

TEST_F(CategoryTypeEdit, TheDialogsChecksInOrder) {
    struct Case {
        const char* Name;
        std::uint8_t Side;
        std::int16_t Kind;
        const char* OpenedWith;
        const char* Refusal;
    } cases[] = {
        {"  Rent  ", SideDebit, KindOperating, "", ""},
        {"   ", SideDebit, KindOperating, "", "The name you have entered is not valid"},
        {"overheads", SideDebit, KindOperating, "", "The name 'overheads' is already being used"},
        {" WAGES ", SideCredit, KindSales, "", "The name 'WAGES' is already being used"},
        {"gst", SideDebit, KindOperating, "", "The name 'gst' is already being used"},
        {"OVERHEADS", SideDebit, KindOperating, "Overheads", ""}, // its own name in other letters
        {"Rent", SideDebit, 0, "", "You must select a Type"},
        {"Rent", SideCredit, KindOperating, "", "You must select a Type"}, // a debit-only section
        {"Rent", SideDebit, KindGstSystem, "", "You must select a Type"},
        // Cut to the 40 characters kept, the name is one in use.
        {"Funds Repayment and a good deal more text beyond", SideDebit, KindFunds, "", ""},
        {"Funds Repayment                          x", SideDebit, KindFunds, "",
         "The name 'Funds Repayment' is already being used"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CategoryTypeRefusal(Ledger.CatList, c.Name, c.Side, c.Kind, c.OpenedWith), c.Refusal) << c.Name;
}

TEST_F(CategoryTypeEdit, AddChangeAndDeleteReachTheFile) {
    TEditOutcome added = AddCategoryType(Edit, "  Rent and Rates ", SideDebit, KindOperating);
    ASSERT_TRUE(added.Done());
    TCatRec* type = Ledger.CatList.Items(added.Index);
    EXPECT_EQ(type->Name, "Rent and Rates");
    EXPECT_EQ(type->Number, 12) << "the highest number + 1";
    EXPECT_EQ(type->IsDefault, 0);
    EXPECT_TRUE(added.Refresh & RefreshTypes);

    const auto debit = TypesOfSide(Ledger.CatList, SideDebit);
    ASSERT_EQ(debit.size(), 9u);
    EXPECT_EQ(debit.front()->Name, "Assets Purchased");
    EXPECT_EQ(debit[3]->Name, "GST") << "the system type among them";
    EXPECT_EQ(debit[6]->Name, "Rent and Rates") << "by name";

    ASSERT_TRUE(ChangeCategoryType(Edit, added.Index, "RENT AND RATES", KindOther).Done());
    EXPECT_EQ(type->Kind, KindOther);
    EXPECT_EQ(ChangeCategoryType(Edit, added.Index, "RENT AND RATES", KindOther).Result, TEditResult::Unchanged);
    EXPECT_TRUE(Texts().empty());

    ASSERT_TRUE(AddCategoryType(Edit, "Grants", SideCredit, KindFunds).Done());
    ASSERT_TRUE(DeleteCategoryType(Edit, TypeNamed("Grants")).Done());
    EXPECT_EQ(Texts(), std::vector<std::string>{"Do you really want to delete Category Type 'Grants'?"});
    EXPECT_EQ(TypeNamed("Grants"), -1);
    ExpectStoredAsInMemory();
}

TEST_F(CategoryTypeEdit, RefusalsChangeNothing) {
    const std::string before = ListsText(Ledger);
    struct Case {
        const char* What;
        std::function<TEditOutcome()> Run;
        std::vector<std::string> Messages;
    } cases[] = {
        {"a name in use",
         [&] { return AddCategoryType(Edit, "wages", SideDebit, KindOperating); },
         {"The name 'wages' is already being used"}},
        {"a default type cannot be changed",
         [&] { return ChangeCategoryType(Edit, TypeNamed("Wages"), "Pay", 2); },
         {}},
        {"nor the system type", [&] { return ChangeCategoryType(Edit, TypeNamed("GST"), "Tax", 2); }, {}},
        {"a default type is asked about, then refused",
         [&] { return DeleteCategoryType(Edit, TypeNamed("Overheads")); },
         {"Do you really want to delete Category Type 'Overheads'?", "You can't delete a default Category Type"}},
        {"No to the question",
         [&] {
             Prompts.QueueAnswer(MsgResult::No);
             return DeleteCategoryType(Edit, TypeNamed("Overheads"));
         },
         {"Do you really want to delete Category Type 'Overheads'?"}},
    };
    for (const Case& c : cases) {
        Prompts.Messages.clear();
        EXPECT_EQ(c.Run().Result, TEditResult::Refused) << c.What;
        EXPECT_EQ(Texts(), c.Messages) << c.What;
        EXPECT_EQ(ListsText(Ledger), before) << c.What;
    }
}

TEST_F(CategoryTypeEdit, ATypeInUseIsNotDeleted) {
    ASSERT_TRUE(AddCategoryType(Edit, "Leases", SideDebit, KindOperating).Done());
    const std::int16_t leases = Ledger.CatList.Items(TypeNamed("Leases"))->Number;
    Ledger.MainActList.FindByNumber(200)->CatType = leases;
    Ledger.MainActList.Changed(Ledger.MainActList.IndexOfNumber(200));
    Prompts.Messages.clear();
    EXPECT_EQ(DeleteCategoryType(Edit, TypeNamed("Leases")).Result, TEditResult::Refused);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Do you really want to delete Category Type 'Leases'?",
                                                 "Category Type 'Leases' can't be deleted because it is being used "
                                                 "by Category 'Rent'"}));
    EXPECT_NE(TypeNamed("Leases"), -1);
}

// Each operation asks for the password of its area before anything else; a window's scope that
// passed it spares the operation a second question.
TEST_F(CategoryTypeEdit, TheAccessCheckComesFirst) {
    ASSERT_TRUE(AddCategoryType(Edit, "Leases", SideDebit, KindOperating).Done());
    struct Case {
        TAccessArea Area;
        std::function<TEditOutcome()> Run;
    } cases[] = {
        {TAccessArea::Adding, [&] { return AddCategoryType(Edit, "Grants", SideCredit, KindFunds); }},
        {TAccessArea::Editing, [&] { return ChangeCategoryType(Edit, TypeNamed("Leases"), "Hire", KindOther); }},
        {TAccessArea::Deleting, [&] { return DeleteCategoryType(Edit, TypeNamed("Grants")); }},
    };
    for (const Case& c : cases) {
        Files.Settings.ProtectAdd = Files.Settings.ProtectEdit = Files.Settings.ProtectDelete = 0;
        Protect(c.Area);
        const std::string before = ListsText(Ledger);
        Prompts.Messages.clear();
        PasswordsAsked = 0;
        EXPECT_EQ(c.Run().Result, TEditResult::Refused);
        EXPECT_EQ(PasswordsAsked, 1);
        EXPECT_TRUE(Texts().empty()) << "nothing asked before the password";
        EXPECT_EQ(ListsText(Ledger), before);

        PasswordGiven = true;
        TAccessScope scope(Edit, c.Area);
        ASSERT_TRUE(scope);
        EXPECT_TRUE(c.Run().Done());
        EXPECT_EQ(PasswordsAsked, 2) << "the scope's check is the operation's";
    }
    EXPECT_FALSE(Edit.Granted) << "the grant ends with its scope";
}

} // namespace
} // namespace qz::testing

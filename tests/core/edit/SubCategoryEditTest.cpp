// The category editor's operations on sub categories: numbers, names, tax percentages and
// deletions, as the file holds them afterwards.

#include "EditOperationsFixture.h"

#include "edit/SubCategoryEdit.h"

namespace qz::testing {
namespace {

using SubCategoryEdit = EditOperations;

TEST_F(SubCategoryEdit, NumbersFillTheFirstGap) {
    const std::int32_t sales = Ledger.MainActList.IndexOfNumber(100);
    for (const char* name : {"Online", "Phone", "Mail"})
        ASSERT_TRUE(AddSubCategory(Edit, sales, {name, Money(), ""}).Done());
    ASSERT_TRUE(DeleteSubCategory(Edit, Ledger.SubActList.IndexOfPair(100, 3)).Done()); // 1, 2 and 4 are left
    EXPECT_EQ(NextSubNumber(Ledger.SubActList, 100), 3);
    EXPECT_EQ(NextSubNumber(Ledger.SubActList, 500), 1);
    const TEditOutcome added = AddSubCategory(Edit, sales, {" Fairs ", Money::FromUnits(10), "weekend markets"});
    ASSERT_TRUE(added.Done());
    const TSubActRec* fairs = Ledger.SubActList.Items(added.Index);
    EXPECT_EQ(fairs->Number, 3);
    EXPECT_EQ(fairs->Name, "Fairs");
    EXPECT_EQ(fairs->Side, SideCredit);
    EXPECT_EQ(fairs->Notes, "weekend markets");
    EXPECT_EQ(fairs->MainActRec, Ledger.MainActList.FindByNumber(100));
    ExpectStoredAsInMemory();
}

TEST_F(SubCategoryEdit, NameChecks) {
    struct Case {
        const char* Name;
        std::int32_t Category;
        const char* Refusal;
    } cases[] = {
        {" Online ", 100, ""},
        {"  ", 100, "'' is not a valid Category Name."},
        {" counter ", 100, "The Sub Category name 'counter' is already in use."},
        {"Office", 100, ""}, // only the category's own sub categories count
    };
    for (const Case& c : cases)
        EXPECT_EQ(SubNameRefusal(Ledger.SubActList, c.Name, c.Category), c.Refusal) << c.Name;
    std::string name = " counter ";
    EXPECT_FALSE(CheckSubName(Ledger.SubActList, name, 100, Prompts));
    EXPECT_EQ(name, "counter");
    EXPECT_EQ(Texts(), std::vector<std::string>{"The Sub Category name 'counter' is already in use."});
    EXPECT_EQ(Prompts.Messages[0].Kind, MsgKind::Information);
}

// The percentage a new sub category starts with, and what a change may set.
TEST_F(SubCategoryEdit, TaxPercentages) {
    ASSERT_TRUE(Ledger.MainActList.FindByNumber(200)); // Rent, under Overheads
    struct Case {
        const char* What;
        std::int32_t Type;
        std::int32_t Category;
        bool TaxOn;
        double Percent;
    } cases[] = {
        {"an ordinary type", 6, 200, true, 10},
        {"Wages", 7, 200, true, 0},
        {"Company Tax", 8, 200, true, 0},
        {"Funds", 10, 200, true, 0},
        {"the payments category", 11, 300, true, 0},
        {"tax not tracked", 6, 200, false, 0},
    };
    for (const Case& c : cases) {
        TMainActRec* category = Ledger.MainActList.FindByNumber(c.Category);
        category->CatType = c.Type;
        Files.Settings.TaxOn = c.TaxOn;
        EXPECT_EQ(NewSubPercent(Ledger, Files.Settings, *category), Money::FromDouble(c.Percent)) << c.What;
    }
    Files.Settings.TaxOn = 1;
    Ledger.MainActList.FindByNumber(200)->CatType = 6;

    const std::int32_t office = Ledger.SubActList.IndexOfPair(200, 1);
    ASSERT_TRUE(ChangeSubCategory(Edit, office, {"Office", Money::FromUnits(150), ""}).Done());
    EXPECT_EQ(Ledger.SubActList.Items(office)->GstPercent, Money::FromUnits(100)) << "at most 100 %";
    const std::int32_t payment = Ledger.SubActList.IndexOfPair(300, 1);
    ASSERT_TRUE(ChangeSubCategory(Edit, payment, {"Paid", Money::FromUnits(15), ""}).Done());
    EXPECT_EQ(Ledger.SubActList.Items(payment)->GstPercent, Money()) << "a tax category's keep theirs";
    Files.Settings.TaxOn = 0;
    ASSERT_TRUE(ChangeSubCategory(Edit, office, {"Office", Money::FromUnits(5), "hidden box"}).Done());
    EXPECT_EQ(Ledger.SubActList.Items(office)->GstPercent, Money::FromUnits(100)) << "kept while not tracked";
    ExpectStoredAsInMemory();
}

// The percentage box's arrows: a tenth per click, stopping at 0 and short of 100.
TEST(SubPercentArrows, StepATenthWithinTheRange) {
    struct Case {
        double From;
        bool Up;
        double To;
    } cases[] = {
        {10, true, 10.1},   {10, false, 9.9},   {0, false, 0},        {0.05, false, 0},   {0, true, 0.1},
        {99.8, true, 99.9}, {99.9, true, 99.9}, {99.85, true, 99.95}, {100, false, 99.9},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SteppedSubPercent(Money::FromDouble(c.From), c.Up), Money::FromDouble(c.To))
            << c.From << (c.Up ? " up" : " down");
}

TEST_F(SubCategoryEdit, ChangesAndRefusals) {
    const std::int32_t sales = Ledger.MainActList.IndexOfNumber(100);
    ASSERT_TRUE(AddSubCategory(Edit, sales, {"rent", Money(), ""}).Done());
    const std::int32_t rent = Ledger.SubActList.IndexOfPair(100, 2);
    Prompts.Messages.clear();
    ASSERT_TRUE(ChangeSubCategory(Edit, rent, {" Rent ", Money(), "letters only"}).Done());
    EXPECT_TRUE(Texts().empty()) << "a change of letter case needs no check";
    EXPECT_EQ(ChangeSubCategory(Edit, rent, {"Rent", Money(), "letters only"}).Result, TEditResult::Unchanged);

    const std::string before = ListsText(Ledger);
    const std::int32_t counter = Ledger.SubActList.IndexOfPair(100, 1);
    struct Case {
        const char* What;
        std::function<TEditOutcome()> Run;
        std::vector<std::string> Messages;
    } cases[] = {
        {"a name in use",
         [&] {
             return ChangeSubCategory(Edit, rent, {"COUNTER", Money(), ""});
         },
         {"The Sub Category name 'COUNTER' is already in use."}},
        {"no name",
         [&] {
             return AddSubCategory(Edit, sales, {" ", Money(), ""});
         },
         {"'' is not a valid Category Name."}},
        {"in use",
         [&] { return DeleteSubCategory(Edit, counter); },
         {"Delete Sub Category - 'Counter'",
          "Sub Category - Counter - can't be deleted because its being used by one or more transactions."}},
        {"No",
         [&] {
             Prompts.QueueAnswer(MsgResult::Cancel);
             return DeleteSubCategory(Edit, rent);
         },
         {"Delete Sub Category - 'Rent'"}},
    };
    for (const Case& c : cases) {
        Prompts.Messages.clear();
        EXPECT_EQ(c.Run().Result, TEditResult::Refused) << c.What;
        EXPECT_EQ(Texts(), c.Messages) << c.What;
        EXPECT_EQ(ListsText(Ledger), before) << c.What;
    }
    ASSERT_TRUE(DeleteSubCategory(Edit, rent).Done());
    ExpectStoredAsInMemory();
}

} // namespace
} // namespace qz::testing

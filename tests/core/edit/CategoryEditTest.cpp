// The category editor's operations on categories: the number box, the dialog's checks, and
// adding, renumbering and deleting categories as the file holds them afterwards.

#include "EditOperationsFixture.h"

#include "edit/CategoryEdit.h"
#include "edit/SubCategoryEdit.h"
#include "engine/Engine.h"
#include "ledger/NumberTexts.h"

namespace qz::testing {
namespace {

using CategoryEdit = EditOperations;

TEST(CategoryNumberBox, ProposesAndSteps) {
    TMainActList categories;
    categories.Notify = 0;
    for (std::int32_t number : {100, 200, 101}) {
        auto* category = new TMainActRec;
        category->Number = number;
        categories.Add(category);
    }
    EXPECT_EQ(ProposedCategoryNumber(categories), 300);
    EXPECT_EQ(CategoryNumberForZero(categories), 201);
    struct Case {
        const char* Text;
        bool Down;
        std::int32_t Number;
    } cases[] = {
        {"250", true, 300},   // rounded to 200, in use: up to the next free one
        {"250", false, 300},  // up from 200
        {"", false, 300},     // an empty box is 100
        {" 700 ", true, 600}, // free: down to the nearest lower free one
        {"799", true, 600},
        {"300", true, 300},              // nothing free below (100 and 200 in use; never 0): stays
        {"999999950", false, 999999900}, // no free number above what the box holds: stays
        {"12x", false, 300},             // not a number: the proposal
    };
    for (const Case& c : cases)
        EXPECT_EQ(SteppedCategoryNumber(categories, c.Text, c.Down), c.Number) << c.Text << (c.Down ? " down" : " up");
}

TEST_F(CategoryEdit, TheDialogsChecksInOrder) {
    const TMainActRec* rent = Ledger.MainActList.FindByNumber(200);
    struct Case {
        TCategoryFields Fields;
        const TMainActRec* Editing;
        const char* Refusal;
        TCategoryField Focus;
    } cases[] = {
        {{500, " Fees ", SideCredit, 0}, nullptr, "", TCategoryField::None},
        {{200, "Fees", SideCredit, 0},
         nullptr,
         "The Category number you have entered already in use.",
         TCategoryField::Number},
        {{0, "Fees", SideCredit, 0},
         nullptr,
         "The Category number you have entered already in use.",
         TCategoryField::Number},
        {{-5, "Fees", SideCredit, 0},
         nullptr,
         "The Category number you have entered already in use.",
         TCategoryField::Number},
        {{200, "Lease", SideDebit, 6}, rent, "", TCategoryField::None}, // its own number
        {{500, "  ", SideCredit, 0}, nullptr, "'' is not a valid Category Name.", TCategoryField::Name},
        {{500, "sales", SideCredit, 0}, nullptr, "The name 'sales' is already being used.", TCategoryField::Name},
        {{500, "gst", SideCredit, 0}, nullptr, "The name 'gst' is already being used.", TCategoryField::Name},
        {{200, "RENT", SideDebit, 6}, rent, "", TCategoryField::None}, // its own name
        {{500, "Fees", SideCredit, -1}, nullptr, "You Must Select a Category Type", TCategoryField::Type},
        {{500, "Fees", SideCredit, 6}, nullptr, "You Must Select a Category Type", TCategoryField::Type}, // debit type
        {{500, "Fees", SideDebit, 11}, nullptr, "You Must Select a Category Type", TCategoryField::Type}, // system
        {{200, "Rent", SideDebit, 0}, rent, "You Must Select a Category Type", TCategoryField::Type}, // its side stays
    };
    for (const Case& c : cases) {
        const TCategoryRefusal refusal = CategoryRefusal(Ledger, c.Fields, c.Editing);
        EXPECT_EQ(refusal.Text, c.Refusal) << c.Fields.Number << ' ' << c.Fields.Name;
        EXPECT_EQ(refusal.Focus, c.Focus) << c.Fields.Number << ' ' << c.Fields.Name;
    }
    EXPECT_EQ(CategoryTypeDescription(SideDebit, "Wages"), "For wages.");
    EXPECT_EQ(CategoryTypeDescription(SideCredit, "Wages"), "");
    const auto debitTypes = CategoryTypeChoices(Ledger, SideDebit, nullptr);
    EXPECT_EQ(debitTypes.size(), 7u) << "without the system type";
    EXPECT_EQ(CategoryTypeChoices(Ledger, SideDebit, Ledger.MainActList.FindByNumber(300)).size(), 8u)
        << "the payments category keeps its type among the choices";
}

TEST_F(CategoryEdit, AddingKeepsTheListInNumberOrder) {
    TEditOutcome added = AddCategory(Edit, {150, " Fees ", SideCredit, 1});
    ASSERT_TRUE(added.Done());
    EXPECT_EQ(added.Index, 1);
    EXPECT_EQ(Ledger.MainActList.Items(1)->Name, "Fees");
    EXPECT_TRUE(added.Refresh & RefreshCategories);
    Prompts.Messages.clear();
    EXPECT_EQ(AddCategory(Edit, {150, "Charges", SideCredit, 1}).Result, TEditResult::Refused);
    EXPECT_EQ(Texts(), std::vector<std::string>{"The Category number you have entered already in use."});
    ExpectStoredAsInMemory();
}

// A category numbered 5, as the partner number of transfer 4 is: renumbering it moves its sub
// categories and its credit and debit transactions, never the transfer.
class Renumbering : public CategoryEdit {
protected:
    void SetUp() override {
        OpenShop(RepairsDocument());
        Recalculate(Ledger);
    }
    std::string TotalsText() const {
        std::ostringstream out;
        for (const TMainActRec* c : Ledger.MainActList.KeyList)
            out << c->Name.View() << ' ' << c->Total.Raw() << '\n';
        for (const TSubActRec* s : Ledger.SubActList.KeyList)
            out << s->Name.View() << ' ' << s->Total.Raw() << '\n';
        for (const TCatRec* t : Ledger.CatList.KeyList)
            out << t->Name.View() << ' ' << t->Total.Raw() << '\n';
        return out.str();
    }
};

TEST_F(Renumbering, YesMovesSubCategoriesAndTransactions) {
    const std::string totals = TotalsText();
    const std::int32_t index = Ledger.MainActList.IndexOfNumber(5);
    TCategoryChanges changes;
    Prompts.QueueAnswer(MsgResult::Yes);
    TEditOutcome renumbered = ChangeCategory(Edit, index, {550, "Repairs", SideDebit, 6}, &changes);
    ASSERT_TRUE(renumbered.Done());
    EXPECT_TRUE(changes.Number && !changes.Name && !changes.Type);
    EXPECT_EQ(Texts(), std::vector<std::string>{"The Category Number has been changed.  Do you want to save the "
                                                "changes to the Category Number?"});
    EXPECT_EQ(Ledger.MainActList.Items(renumbered.Index)->Number, 550);
    EXPECT_EQ(renumbered.Index, Ledger.MainActList.Count() - 1) << "in number order";
    EXPECT_EQ(Ledger.MainActList.IndexOfNumber(5), -1);
    EXPECT_GE(Ledger.SubActList.IndexOfPair(550, 1), 0);
    EXPECT_GE(Ledger.SubActList.IndexOfPair(550, 2), 0);
    EXPECT_EQ(Ledger.SubActList.IndexOfPair(5, 1), -1);
    std::map<std::string, std::int32_t> categoryOf;
    for (const TTransRec* t : Ledger.TransList.KeyList)
        categoryOf[TransNumberText(t->Number, t->Split)] = t->MainAct;
    EXPECT_EQ(categoryOf["20"], 550);
    EXPECT_EQ(categoryOf["21"], 550);
    EXPECT_EQ(categoryOf["6C"], 550);
    EXPECT_EQ(categoryOf["6B"], 200);
    EXPECT_EQ(categoryOf["4"], 5) << "a transfer's partner number is no category";
    for (const TTransRec* t : Ledger.TransList.KeyList) {
        if (t->MainAct == 550) {
            EXPECT_TRUE(t->MainActRec && t->MainActRec->Number == 550 && t->SubActRec->MainAct == 550);
        }
    }

    EXPECT_TRUE(renumbered.Refresh & RefreshCategories && renumbered.Refresh & RefreshSubCategories &&
                renumbered.Refresh & RefreshTransactions);
    EXPECT_FALSE(renumbered.Refresh & RefreshTotals);
    Recalculate(Ledger);
    EXPECT_EQ(TotalsText(), totals) << "the same figures under the new number";

    const std::string memory = ListsText(Ledger);
    auto disk = Reopened();
    EXPECT_EQ(ListsText(disk->Ledger), memory);
    EXPECT_NO_THROW(LinkRecords(disk->Ledger));
}

TEST_F(Renumbering, NoKeepsTheNumberAndTheOtherChanges) {
    Prompts.QueueAnswer(MsgResult::No);
    TCategoryChanges changes;
    const TEditOutcome edited =
        ChangeCategory(Edit, Ledger.MainActList.IndexOfNumber(5), {550, "Maintenance", SideDebit, 7}, &changes);
    ASSERT_TRUE(edited.Done());
    EXPECT_TRUE(!changes.Number && changes.Name && changes.Type);
    const TMainActRec* category = Ledger.MainActList.FindByNumber(5);
    ASSERT_NE(category, nullptr);
    EXPECT_EQ(category->Name, "Maintenance");
    EXPECT_EQ(category->CatType, 7);
    EXPECT_TRUE(edited.Refresh & RefreshTypes);
    ExpectStoredAsInMemory();
}

TEST_F(CategoryEdit, DeletingTakesItsSubCategoriesAlong) {
    ASSERT_TRUE(AddCategory(Edit, {500, "Fees", SideCredit, 1}).Done());
    const std::int32_t fees = Ledger.MainActList.IndexOfNumber(500);
    for (const char* name : {"Bank", "Card"})
        ASSERT_TRUE(AddSubCategory(Edit, fees, {name, Money(), ""}).Done());
    Prompts.Messages.clear();
    const TEditOutcome deleted = DeleteCategory(Edit, fees);
    ASSERT_TRUE(deleted.Done());
    EXPECT_EQ(Texts(), std::vector<std::string>{"Delete Category - Fees"});
    EXPECT_EQ(Ledger.MainActList.IndexOfNumber(500), -1);
    EXPECT_EQ(Ledger.SubActList.IndexOfPair(500, 1), -1);
    EXPECT_EQ(Ledger.SubActList.IndexOfPair(500, 2), -1);
    ExpectStoredAsInMemory();
}

TEST_F(CategoryEdit, RefusalsChangeNothing) {
    const std::string before = ListsText(Ledger);
    auto at = [&](std::int32_t number) { return Ledger.MainActList.IndexOfNumber(number); };
    const std::string managed =
        "This Category can not be deleted because it is a Category managed by Quillmar Zudeduze";
    struct Case {
        const char* What;
        std::function<TEditOutcome()> Run;
        std::vector<std::string> Messages;
    } cases[] = {
        {"in use",
         [&] { return DeleteCategory(Edit, at(100)); },
         {"Delete Category - Sales",
          "Category - Sales - can't be deleted because its being used by one or more transactions."}},
        {"the payments category", [&] { return DeleteCategory(Edit, at(300)); }, {"Delete Category - GST", managed}},
        {"the refunds category", [&] { return DeleteCategory(Edit, at(400)); }, {"Delete Category - GST", managed}},
        {"No",
         [&] {
             Prompts.QueueAnswer(MsgResult::No);
             return DeleteCategory(Edit, at(300));
         },
         {"Delete Category - GST"}},
        {"a tax category is not changed",
         [&] {
             return ChangeCategory(Edit, at(300), {350, "Tax", SideDebit, 11});
         },
         {}},
        {"a number in use",
         [&] {
             return ChangeCategory(Edit, at(100), {200, "Sales", SideCredit, 0});
         },
         {"The Category number you have entered already in use."}},
        {"the same fields",
         [&] {
             return ChangeCategory(Edit, at(100), {100, "Sales", SideCredit, 0});
         },
         {}},
    };
    for (const Case& c : cases) {
        Prompts.Messages.clear();
        EXPECT_NE(c.Run().Result, TEditResult::Done) << c.What;
        EXPECT_EQ(Texts(), c.Messages) << c.What;
        EXPECT_EQ(ListsText(Ledger), before) << c.What;
    }
}

} // namespace
} // namespace qz::testing

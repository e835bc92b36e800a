// Every operation of the classification editors and the accounts window against a file layer
// that fails: a write failing anywhere in the operation's commit is retried whole, or, given
// up, leaves memory exactly as the file holds it (the file untouched). A crash anywhere in a
// renumbering leaves the file with the old numbering or the new one, and it always opens.

#include "EditOperationsFixture.h"

#include "edit/AccountEdit.h"
#include "edit/CategoryEdit.h"
#include "edit/CategoryTypeEdit.h"
#include "edit/GroupEdit.h"
#include "edit/SubCategoryEdit.h"
#include "engine/Engine.h"

namespace qz::testing {
namespace {

using cfb::FaultOp;

class EditFault : public EditOperations {
public:
    using EditOperations::AddSale;
    using EditOperations::Edit;
    using EditOperations::GroupNamed;
    using EditOperations::Ledger;
    using EditOperations::TypeNamed;

protected:
    void SetUp() override {}

    void Fresh() {
        Files.Close(true, false);
        Faults.Clear();
        Prompts = ScriptedPrompts();
        Dialogs.Answers.clear();
        OpenShop(RepairsDocument());
    }

    // Every reference between records leads to a record of the lists, by its number.
    void ExpectLinksHold() const {
        for (const TTransRec* t : Ledger.TransList.KeyList) {
            EXPECT_EQ(t->BookRec, Ledger.BookList.Find(t->Book)) << t->Number;
            if (t->IsOrdinary()) {
                EXPECT_EQ(t->MainActRec, Ledger.MainActList.FindByNumber(t->MainAct)) << t->Number;
                EXPECT_EQ(t->SubActRec, Ledger.SubActList.FindPair(t->MainAct, t->SubAct)) << t->Number;
            }
        }
        for (const TBookRec* b : Ledger.BookList.KeyList)
            EXPECT_TRUE(b->OpeningTrans && Ledger.TransList.IndexOf(b->OpeningTrans) >= 0) << b->Number;
        for (const TSubActRec* s : Ledger.SubActList.KeyList)
            EXPECT_EQ(s->MainActRec, Ledger.MainActList.FindByNumber(s->MainAct)) << s->NumberText();
    }

    std::string OnDisk() {
        Files.Close(true, false);
        DocumentOnDisk disk(PathOf("Shop.kqk"));
        EXPECT_TRUE(disk.Opened);
        EXPECT_NO_THROW(LinkRecords(disk.Ledger));
        return ListsText(disk.Ledger);
    }

    // The operation's own questions answered Yes, then the storage-error dialog's answer.
    void Answer(int questions, MsgResult storage) {
        for (int i = 0; i < questions; ++i)
            Prompts.QueueAnswer(MsgResult::Yes);
        Prompts.QueueAnswer(storage);
    }

    std::int32_t Category(std::int32_t number) const { return Ledger.MainActList.IndexOfNumber(number); }
};

struct Operation {
    const char* Name;
    int Questions;                           // answered Yes before any storage error is asked about
    std::function<void(EditFault&)> Prepare; // changes made before, in commits of their own
    std::function<TEditOutcome(EditFault&)> Run;
};

const Operation Operations[] = {
    {"add a type", 0, nullptr,
     [](EditFault& f) { return AddCategoryType(f.Edit, "Leases", SideDebit, KindOperating); }},
    {"change a type", 0, [](EditFault& f) { AddCategoryType(f.Edit, "Leases", SideDebit, KindOperating); },
     [](EditFault& f) { return ChangeCategoryType(f.Edit, f.TypeNamed("Leases"), "Hire", KindOther); }},
    {"delete a type", 1, [](EditFault& f) { AddCategoryType(f.Edit, "Leases", SideDebit, KindOperating); },
     [](EditFault& f) { return DeleteCategoryType(f.Edit, f.TypeNamed("Leases")); }},
    {"add a group", 0, nullptr, [](EditFault& f) { return AddGroup(f.Edit, "Markets"); }},
    {"rename a group", 0, [](EditFault& f) { AddGroup(f.Edit, "Markets"); },
     [](EditFault& f) { return RenameGroup(f.Edit, f.GroupNamed("Markets"), "Fairs"); }},
    {"delete a group", 1, [](EditFault& f) { AddGroup(f.Edit, "Markets"); },
     [](EditFault& f) { return DeleteGroup(f.Edit, f.GroupNamed("Markets")); }},
    {"add a category", 0, nullptr,
     [](EditFault& f) {
         return AddCategory(f.Edit, {150, "Fees", SideCredit, 1});
     }},
    {"renumber a category", 1, nullptr,
     [](EditFault& f) {
         return ChangeCategory(f.Edit, f.Ledger.MainActList.IndexOfNumber(5), {550, "Upkeep", SideDebit, 7});
     }},
    {"delete a category with its sub categories", 1,
     [](EditFault& f) {
         AddCategory(f.Edit, {700, "Fees", SideCredit, 1});
         for (const char* name : {"Bank", "Card"})
             AddSubCategory(f.Edit, f.Ledger.MainActList.IndexOfNumber(700), {name, Money(), ""});
     },
     [](EditFault& f) { return DeleteCategory(f.Edit, f.Ledger.MainActList.IndexOfNumber(700)); }},
    {"add a sub category", 0, nullptr,
     [](EditFault& f) {
         return AddSubCategory(f.Edit, f.Ledger.MainActList.IndexOfNumber(5), {"Gutters", Money::FromUnits(10), "x"});
     }},
    {"change a sub category", 0, nullptr,
     [](EditFault& f) {
         return ChangeSubCategory(f.Edit, f.Ledger.SubActList.IndexOfPair(5, 2), {"Roofing", Money::FromUnits(5), ""});
     }},
    {"delete a sub category", 1,
     [](EditFault& f) {
         AddSubCategory(f.Edit, 0, {"Spare", Money(), ""});
     },
     [](EditFault& f) { return DeleteSubCategory(f.Edit, f.Ledger.SubActList.IndexOfPair(100, 2)); }},
    {"add an account", 0, nullptr,
     [](EditFault& f) {
         return AddAccount(f.Edit, {"Savings", RGBColour(1, 2, 3), EncodeDate(2026, 2, 1), Money::FromUnits(900)});
     }},
    {"change an account", 0, nullptr,
     [](EditFault& f) {
         return ChangeAccount(f.Edit, 1, {"Petty cash", RGBColour(1, 2, 3), EncodeDate(2026, 1, 1), Money()});
     }},
    {"delete an account with its opening balance and transactions", 2,
     [](EditFault& f) {
         AddAccount(f.Edit, {"Spare", RGBColour(1, 2, 3), EncodeDate(2026, 2, 1), Money::FromUnits(900)});
         TTransRec* sale = f.AddSale(EncodeDate(2026, 3, 5), 40);
         sale->Book = 2;
         LinkTransaction(f.Ledger, *sale);
         f.Ledger.TransList.Changed(f.Ledger.TransList.IndexOf(sale));
     },
     [](EditFault& f) { return DeleteAccount(f.Edit, 2); }},
    {"reorder the accounts", 0, nullptr,
     [](EditFault& f) {
         std::vector<TBookRec*> rows = f.Ledger.BookList.KeyList;
         std::reverse(rows.begin(), rows.end());
         return StoreAccountOrder(f.Edit, rows);
     }},
};

TEST_F(EditFault, AFailedWriteIsRetriedOrGivenUpWhole) {
    for (const Operation& op : Operations) {
        SCOPED_TRACE(op.Name);
        Fresh();
        if (op.Prepare)
            op.Prepare(*this);
        const std::string before = ListsText(Ledger);
        const int writesBefore = Faults.Count(FaultOp::Write);
        Answer(op.Questions, MsgResult::Retry);
        ASSERT_TRUE(op.Run(*this).Done()) << Prompts.LastText();
        const int writes = Faults.Count(FaultOp::Write) - writesBefore;
        const std::string after = ListsText(Ledger);
        ASSERT_NE(after, before);
        ASSERT_EQ(OnDisk(), after);
        ASSERT_GT(writes, 0);

        for (int n = 1; n <= writes; ++n) {
            SCOPED_TRACE(n);
            // Retried: the whole operation reaches the file.
            Fresh();
            if (op.Prepare)
                op.Prepare(*this);
            Faults.FailAt(FaultOp::Write, n, ENOSPC);
            Answer(op.Questions, MsgResult::Retry);
            EXPECT_TRUE(op.Run(*this).Done());
            EXPECT_EQ(Files.ReadOnlyMode, 0);
            EXPECT_EQ(ListsText(Ledger), after);
            ExpectLinksHold();
            EXPECT_EQ(OnDisk(), after);

            // Given up: memory is as the file, which is as it was.
            Fresh();
            if (op.Prepare)
                op.Prepare(*this);
            Faults.FailAt(FaultOp::Write, n, ENOSPC, true);
            Answer(op.Questions, MsgResult::Cancel);
            const TEditOutcome given = op.Run(*this);
            Faults.Clear();
            EXPECT_EQ(given.Result, TEditResult::NotStored);
            EXPECT_EQ(given.Refresh, RefreshAll);
            EXPECT_EQ(Files.ReadOnlyMode, 1);
            EXPECT_EQ(ListsText(Ledger), before);
            ExpectLinksHold();
            EXPECT_EQ(OnDisk(), before);
        }
    }
}

// The file after a crash at any write of a renumbering holds the old numbering or the new one.
TEST_F(EditFault, ACrashAnywhereInARenumberingLeavesOneNumberingOrTheOther) {
    Fresh();
    const std::string before = ListsText(Ledger);
    Prompts.QueueAnswer(MsgResult::Yes);
    ASSERT_TRUE(ChangeCategory(Edit, Category(5), {550, "Repairs", SideDebit, 6}).Done());
    const std::string after = ListsText(Ledger);
    int crashes = 0;
    for (int n = 1;; ++n) {
        SCOPED_TRACE(n);
        Fresh();
        Faults.CrashAfterWrite(n);
        Prompts.QueueAnswer(MsgResult::Yes);
        ChangeCategory(Edit, Category(5), {550, "Repairs", SideDebit, 6});
        const bool crashed = Faults.Crashed();
        Files.Close(true, false); // still crashed: nothing after the crash reaches the file
        Faults.Clear();
        const std::string disk = OnDisk();
        EXPECT_TRUE(disk == before || disk == after);
        if (!crashed) {
            EXPECT_EQ(disk, after);
            break;
        }
        ++crashes;
    }
    EXPECT_GT(crashes, 3) << "the sweep went through the commit's writes";
}

} // namespace
} // namespace qz::testing

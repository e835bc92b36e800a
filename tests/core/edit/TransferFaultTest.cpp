// The transfer operations against a file layer that fails: a write failing anywhere in the
// commit is retried whole, or, given up, leaves memory exactly as the file holds it (the file
// untouched, the transfer list whole). A crash anywhere leaves both halves of a pair or neither.

#include "EditOperationsFixture.h"

#include "edit/TransferEdit.h"
#include "engine/Engine.h"

namespace qz::testing {
namespace {

using cfb::FaultOp;

// The halves of every transfer, as their pair sees them: a half without its partner shows.
std::string PairsText(const TLedger& l) {
    std::ostringstream out;
    for (std::int32_t i = 0; i < l.TransferList.Count(); ++i) {
        const TTransferRec& pair = *l.TransferList.Item(i);
        const TTransRec& to = *pair.ToTrans;
        out << to.Number << " from " << to.Book << " to " << to.Group << " on " << to.Date << " amount "
            << to.Amount.Raw() << " ref " << to.Reference.View() << " notes " << to.Notes;
        if (const TTransRec* from = pair.FromTrans)
            out << " | " << from->Number << " in " << from->Book << " from " << from->Group << " partner "
                << from->MainAct << " on " << from->Date << " amount " << from->Amount.Raw() << " ref "
                << from->Reference.View();
        out << '\n';
    }
    return out.str();
}

class TransferFault : public EditOperations {
public:
    using EditOperations::Edit;
    TDisplayFormats Formats;

protected:
    void SetUp() override {}

    void Fresh() {
        Files.Close(true, false);
        Faults.Clear();
        Prompts = ScriptedPrompts();
        OpenShop();
    }

    std::string Memory() const { return ListsText(Ledger) + PairsText(Ledger); }

    std::string OnDisk() {
        Files.Close(true, false);
        DocumentOnDisk disk(PathOf("Shop.kqk"));
        EXPECT_TRUE(disk.Opened);
        EXPECT_NO_THROW(LinkRecords(disk.Ledger));
        disk.Ledger.TransList.SortByKey();
        disk.Ledger.TransferList.Build(disk.Ledger.TransList);
        return ListsText(disk.Ledger) + PairsText(disk.Ledger);
    }

    void Answer(int questions, MsgResult storage) {
        for (int i = 0; i < questions; ++i)
            Prompts.QueueAnswer(MsgResult::Yes);
        Prompts.QueueAnswer(storage);
    }

    // The transfer list holds the records of the transaction list, and every half names its accounts.
    void ExpectPairsLinked() const {
        for (std::int32_t i = 0; i < Ledger.TransferList.Count(); ++i)
            for (const TTransRec* half : {Ledger.TransferList.Item(i)->ToTrans, Ledger.TransferList.Item(i)->FromTrans})
                if (half) {
                    EXPECT_GE(Ledger.TransList.IndexOf(half), 0) << half->Number;
                    EXPECT_EQ(half->BookRec, Ledger.BookList.Find(half->Book)) << half->Number;
                    EXPECT_EQ(half->OtherBookRec, Ledger.BookList.Find(half->Group)) << half->Number;
                }
    }
};

TTransferFields Moving(std::int32_t from, std::int32_t to, double amount) {
    TTransferFields f;
    f.FromAccount = from;
    f.ToAccount = to;
    f.Date = EncodeDate(2026, 3, 7);
    f.Amount = Money::FromDouble(amount);
    f.Reference = "T-1";
    f.Notes = "weekly float";
    return f;
}

struct Operation {
    const char* Name;
    int Questions;
    std::function<TEditOutcome(TransferFault&)> Run;
};

const Operation Operations[] = {
    {"add a transfer", 0, [](TransferFault& f) { return AddTransfer(f.Edit, Moving(1, 0, 80), f.Formats); }},
    {"change a transfer", 0, [](TransferFault& f) { return ChangeTransfer(f.Edit, 0, Moving(1, 0, 80), f.Formats); }},
    {"delete a transfer", 1, [](TransferFault& f) { return DeleteTransfer(f.Edit, 0); }},
};

TEST_F(TransferFault, AFailedWriteIsRetriedOrGivenUpWhole) {
    for (const Operation& op : Operations) {
        SCOPED_TRACE(op.Name);
        Fresh();
        const std::string before = Memory();
        const int writesBefore = Faults.Count(FaultOp::Write);
        Answer(op.Questions, MsgResult::Retry);
        ASSERT_TRUE(op.Run(*this).Done()) << Prompts.LastText();
        const int writes = Faults.Count(FaultOp::Write) - writesBefore;
        const std::string after = Memory();
        ASSERT_NE(after, before);
        ASSERT_EQ(OnDisk(), after);
        ASSERT_GT(writes, 1);

        for (int n = 1; n <= writes; ++n) {
            SCOPED_TRACE(n);
            Fresh();
            Faults.FailAt(FaultOp::Write, n, ENOSPC);
            Answer(op.Questions, MsgResult::Retry);
            EXPECT_TRUE(op.Run(*this).Done());
            EXPECT_EQ(Files.ReadOnlyMode, 0);
            EXPECT_EQ(Memory(), after);
            EXPECT_EQ(OnDisk(), after);

            Fresh();
            Faults.FailAt(FaultOp::Write, n, ENOSPC, true);
            Answer(op.Questions, MsgResult::Cancel);
            const TEditOutcome given = op.Run(*this);
            Faults.Clear();
            EXPECT_EQ(given.Result, TEditResult::NotStored);
            EXPECT_EQ(given.Refresh, RefreshAll);
            EXPECT_EQ(Files.ReadOnlyMode, 1);
            EXPECT_EQ(Memory(), before);
            ExpectPairsLinked();
            EXPECT_EQ(OnDisk(), before);
        }
    }
}

TEST_F(TransferFault, ACrashAnywhereLeavesBothHalvesOrNeither) {
    for (const Operation& op : Operations) {
        SCOPED_TRACE(op.Name);
        Fresh();
        const std::string before = Memory();
        Answer(op.Questions, MsgResult::Retry);
        ASSERT_TRUE(op.Run(*this).Done());
        const std::string after = Memory();
        int crashes = 0;
        for (int n = 1;; ++n) {
            SCOPED_TRACE(n);
            Fresh();
            Faults.CrashAfterWrite(n);
            Answer(op.Questions, MsgResult::Retry);
            op.Run(*this);
            const bool crashed = Faults.Crashed();
            Files.Close(true, false); // still crashed: nothing after the crash reaches the file
            Faults.Clear();
            const std::string disk = OnDisk();
            EXPECT_TRUE(disk == before || disk == after) << disk;
            if (!crashed) {
                EXPECT_EQ(disk, after);
                break;
            }
            ++crashes;
        }
        EXPECT_GE(crashes, 2) << "the sweep went through the commit's writes";
    }
}

} // namespace
} // namespace qz::testing

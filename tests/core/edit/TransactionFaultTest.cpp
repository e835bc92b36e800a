// The transaction editor's saves and deletions against a file layer that fails: a write
// failing anywhere in the commit is retried whole, or, given up, leaves memory exactly as the
// file holds it (the file untouched) and the save answers failure; the session keeps the
// user's entries. A crash anywhere leaves the file with the old transaction or the new one.

#include "TransactionSessionFixture.h"

namespace qz::testing {
namespace {

using cfb::FaultOp;

const TDateTime March5 = EncodeDate(2026, 3, 5);

// The corner shop with transaction 10, a sale split A 30, B 20 and C 10.
StreamMap SplitShop() {
    StreamMap s = CurrentDocument();
    for (const auto& [split, amount] : {std::pair('A', 30.0), std::pair('B', 20.0), std::pair('C', 10.0)}) {
        TTransRec t = Trans(10, March5, TransCredit, amount, 100, 1, 0, 0);
        t.Split = split;
        s["Transactions"] += Image(t);
    }
    s["KQ22FileInfo"] = CountsImage(CountsOf(s));
    return s;
}

class TransactionFault : public TransactionSessionFixture {
public:
    using TransactionSessionFixture::Enter;
    using TransactionSessionFixture::IndexOf;
    using TransactionSessionFixture::Prompts;
    using TransactionSessionFixture::Session;

protected:
    void SetUp() override {}

    void Fresh() {
        Made.reset();
        Files.Close(true, false);
        Faults.Clear();
        Prompts = ScriptedPrompts();
        Dialogs.Answers.clear();
        TransDialogs = ScriptedTransactionDialogs();
        OpenShop(SplitShop());
    }

    std::string OnDisk() {
        Made.reset();
        Files.Close(true, false);
        DocumentOnDisk disk(PathOf("Shop.kqk"));
        EXPECT_TRUE(disk.Opened);
        EXPECT_NO_THROW(LinkRecords(disk.Ledger));
        return ListsText(disk.Ledger);
    }

    // Both orders of the transactions, as "number letter" lists.
    std::string Orders() const {
        std::ostringstream out;
        for (const auto* order : {&Ledger.TransList.KeyList, &Ledger.TransList.RowList}) {
            for (const TTransRec* t : *order)
                out << t->Number << t->Split << ' ';
            out << '\n';
        }
        return out.str();
    }

    // The questions of the operation answered Yes, then the storage-error dialog's answer.
    void Answer(int questions, MsgResult storage) {
        for (int i = 0; i < questions; ++i)
            Prompts.QueueAnswer(MsgResult::Yes);
        Prompts.QueueAnswer(storage);
    }

    // Every working record's stored record is one of the list's, and every reference resolves.
    void ExpectSessionAndLinksHold() const {
        for (std::size_t i = 0; i < Made->Working().size(); ++i) {
            if (Made->Working()[i].Stored) {
                EXPECT_GE(Made->StoredIndex(i), 0) << i;
            }
        }
        for (const TTransRec* t : Ledger.TransList.KeyList) {
            EXPECT_EQ(t->BookRec, Ledger.BookList.Find(t->Book)) << t->Number;
            if (t->IsOrdinary()) {
                EXPECT_EQ(t->SubActRec, Ledger.SubActList.FindPair(t->MainAct, t->SubAct)) << t->Number;
            }
        }
    }
};

struct Operation {
    const char* Name;
    int Questions; // answered Yes before any storage error is asked about
    std::function<bool(TransactionFault&)> Run;
};

const Operation Operations[] = {
    {"save a new split transaction", 0,
     [](TransactionFault& f) {
         TTransactionSession& s = f.Session();
         s.Open(TTransMode::New, -1);
         f.Enter(s, 100, 1, 0, March5 + 1, 12);
         s.Split();
         f.Enter(s, 400, 1, 1, March5 + 1, 8);
         return s.OK();
     }},
    {"save a split transaction with a split deleted and one changed", 1,
     [](TransactionFault& f) {
         TTransactionSession& s = f.Session();
         s.Open(TTransMode::Index, f.IndexOf(10, 'B'));
         s.Unlock();
         s.DeleteSplit();
         s.SetAmount(Money::FromUnits(35));
         s.AmountExit();
         return s.OK();
     }},
    {"delete a split transaction", 1,
     [](TransactionFault& f) {
         TTransactionSession& s = f.Session();
         s.Open(TTransMode::Index, f.IndexOf(10, 'C'));
         return s.DeleteTransaction();
     }},
};

TEST_F(TransactionFault, AFailedWriteIsRetriedOrGivenUpWhole) {
    for (const Operation& op : Operations) {
        SCOPED_TRACE(op.Name);
        Fresh();
        const std::string before = ListsText(Ledger);
        const int writesBefore = Faults.Count(FaultOp::Write);
        Answer(op.Questions, MsgResult::Retry);
        ASSERT_TRUE(op.Run(*this)) << Prompts.LastText();
        const int writes = Faults.Count(FaultOp::Write) - writesBefore;
        const std::string after = ListsText(Ledger);
        ASSERT_NE(after, before);
        ASSERT_EQ(OnDisk(), after);
        ASSERT_GT(writes, 0);

        for (int n = 1; n <= writes; ++n) {
            SCOPED_TRACE(n);
            Fresh();
            Faults.FailAt(FaultOp::Write, n, ENOSPC);
            Answer(op.Questions, MsgResult::Retry);
            EXPECT_TRUE(op.Run(*this));
            EXPECT_EQ(Files.ReadOnlyMode, 0);
            EXPECT_EQ(ListsText(Ledger), after);
            EXPECT_EQ(OnDisk(), after);

            Fresh();
            const std::string orders = Orders();
            Faults.FailAt(FaultOp::Write, n, ENOSPC, true);
            Answer(op.Questions, MsgResult::Cancel);
            EXPECT_FALSE(op.Run(*this));
            Faults.Clear();
            EXPECT_TRUE(Made->Result().CommitGivenUp);
            EXPECT_FALSE(Made->Result().Saved);
            EXPECT_EQ(Files.ReadOnlyMode, 1);
            EXPECT_EQ(ListsText(Ledger), before);
            EXPECT_EQ(Orders(), orders) << "every record back in its place";
            ExpectSessionAndLinksHold();
            if (std::string(op.Name).rfind("save", 0) == 0) {
                EXPECT_TRUE(Made->Modified()) << "the user's entries are still there";
            }
            EXPECT_EQ(OnDisk(), before);
        }
    }
}

TEST_F(TransactionFault, ACrashAnywhereLeavesTheOldTransactionOrTheNew) {
    for (const Operation& op : Operations) {
        SCOPED_TRACE(op.Name);
        Fresh();
        const std::string before = ListsText(Ledger);
        Answer(op.Questions, MsgResult::Retry);
        ASSERT_TRUE(op.Run(*this));
        const std::string after = ListsText(Ledger);
        int crashes = 0;
        for (int n = 1;; ++n) {
            SCOPED_TRACE(n);
            Fresh();
            Faults.CrashAfterWrite(n);
            Answer(op.Questions, MsgResult::Retry);
            op.Run(*this);
            const bool crashed = Faults.Crashed();
            Made.reset();
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
        EXPECT_GT(crashes, 2) << "the sweep went through the commit's writes";
    }
}

} // namespace
} // namespace qz::testing

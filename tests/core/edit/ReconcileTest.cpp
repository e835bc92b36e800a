// Reconciling: the list of the worksheet's unreconciled rows with splits kept together, the ticks
// that move a split as a whole, the sums and labels, the statement balance, and "&Reconcile
// Now", stored in one commit that a failing write retries whole or leaves undone.

#include "EditOperationsFixture.h"

#include "edit/Reconcile.h"
#include "engine/Engine.h"

namespace qz::testing {
namespace {

using cfb::FaultOp;

TDateTime March(int day) {
    return EncodeDate(2026, 3, day);
}

TTransRec Unreconciled(TTransRec t, char split = '0', const char* reference = "") {
    t.Reconciled = 0;
    t.Split = split;
    t.Reference = reference;
    return t;
}

// The corner shop (rent 3 unreconciled, the rest reconciled) with, unreconciled: a fee 11 and a
// deposit 10 in the cheque account, split 14 (A a sale of 100, B rent of 30), and a transfer of
// 25 from the cheque account (12) to the cash account (13).
StreamMap ReconcileShop() {
    StreamMap s = CurrentDocument();
    s["Transactions"] += Image(Unreconciled(Trans(10, March(10), TransCredit, 75, 100, 1, 0, 0), '0', "DEP-1")) +
                         Image(Unreconciled(Trans(11, March(8), TransDebit, 40, 200, 1, 0, 0))) +
                         Image(Unreconciled(Trans(12, March(12), TransTo, 25, 13, 0, 1, 0))) +
                         Image(Unreconciled(Trans(13, March(12), TransFrom, 25, 12, 0, 0, 1))) +
                         Image(Unreconciled(Trans(14, March(11), TransCredit, 100, 100, 1, 0, 0), 'A')) +
                         Image(Unreconciled(Trans(14, March(11), TransDebit, 30, 200, 1, 0, 0), 'B'));
    s["KQ22FileInfo"] = CountsImage(CountsOf(s));
    return s;
}

// Every transaction's number, letter and flag, in number order.
std::string FlagsText(const TLedger& l) {
    std::vector<std::string> lines;
    for (const TTransRec* t : l.TransList.KeyList)
        lines.push_back(std::to_string(t->Number) + t->Split + ' ' + std::to_string(t->Reconciled));
    std::sort(lines.begin(), lines.end());
    std::string text;
    for (const std::string& line : lines)
        text += line + '\n';
    return text;
}

class ReconcileTest : public EditOperations {
protected:
    void SetUp() override { OpenShop(ReconcileShop()); }

    TReconciliation Make() { return TReconciliation(Edit, Formats); }

    // "12", "14A", and "141" for the summary row of split 14.
    static std::string NameOf(const TReconcileRow& row) {
        return std::to_string(row.Number) + (row.Split == '0' ? std::string() : std::string(1, row.Split));
    }
    // The rows' names, in order.
    static std::vector<std::string> Names(const TReconciliation& r) {
        std::vector<std::string> names;
        for (const TReconcileRow& row : r.Rows())
            names.push_back(NameOf(row));
        return names;
    }
    static std::size_t RowOf(const TReconciliation& r, const std::string& name) {
        const auto names = Names(r);
        return static_cast<std::size_t>(std::find(names.begin(), names.end(), name) - names.begin());
    }
    static void Tick(TReconciliation& r, std::initializer_list<const char*> names) {
        for (const char* name : names)
            r.Toggle(RowOf(r, name));
    }
    std::uint8_t FlagOf(std::int32_t number, char split = '0') const {
        for (const TTransRec* t : Ledger.TransList.KeyList)
            if (t->Number == number && t->Split == split)
                return t->Reconciled;
        ADD_FAILURE() << number << split;
        return 2;
    }
    std::string Money(double value) const { return Formats.MoneyText(qz::Money::FromDouble(value)); }

    TDisplayFormats Formats;
};

TEST_F(ReconcileTest, ListsTheViewsUnreconciledRowsByDateWithEachSplitUnderItsSummary) {
    // The cash account's opening balance, unreconciled as well, lists with its own texts.
    for (TTransRec* t : Ledger.TransList.KeyList)
        if (t->Kind == TransOpening && t->Book == 1)
            t->Reconciled = 0;
    const TReconciliation r = Make();
    struct Expected {
        const char* Name;
        TReconcileRowKind Kind;
        const char* Date;
        const char* Reference;
        const char* Category;
        const char* SubCategory;
        const char* Amount;
    };
    using enum TReconcileRowKind;
    const Expected expected[] = {
        {"1", Plain, "01/03/2026", "", "Opening Balance", "Cash", "$250.00"},
        {"3", Plain, "03/03/2026", "", "Rent", "Office", "-$500.00"},
        {"11", Plain, "08/03/2026", "", "Rent", "Office", "-$40.00"},
        {"10", Plain, "10/03/2026", "DEP-1", "Sales", "Counter", "$75.00"},
        {"141", Summary, "11/03/2026", "", "Split Transaction", "", "$70.00"},
        {"14A", Part, "11/03/2026", "", "Sales", "Counter", "$100.00"},
        {"14B", Part, "11/03/2026", "", "Rent", "Office", "-$30.00"},
        {"12", Plain, "12/03/2026", "", "Transfer To", "Cash", "-$25.00"},
        {"13", Plain, "12/03/2026", "", "Transfer From", "Cheque", "$25.00"},
    };
    ASSERT_EQ(r.Rows().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const TReconcileRow& row = r.Rows()[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(e.Name);
        EXPECT_EQ(NameOf(row), e.Name);
        EXPECT_EQ(row.Kind, e.Kind);
        EXPECT_EQ(row.DateText, e.Date);
        EXPECT_EQ(row.Reference, e.Reference);
        EXPECT_EQ(row.Category, e.Category);
        EXPECT_EQ(row.SubCategory, e.SubCategory);
        EXPECT_EQ(row.AmountText, e.Amount);
        EXPECT_FALSE(row.Ticked);
    }
    // Reconciled: openings 1000, sale 110, transfer -50 and +50, split 6 +30 -20.
    EXPECT_EQ(r.Sums().Reconciled, qz::Money::FromUnits(1120));
    EXPECT_EQ(r.Sums().Unticked, qz::Money::FromUnits(-145)); // the summary's 70 counts once, through its parts
    EXPECT_EQ(r.Sums().UntickedCount, 7);
    const TReconcileLabels labels = r.Labels();
    EXPECT_EQ(labels.Balance, "$1,120.00");
    EXPECT_EQ(labels.Uncleared, "7 unreconciled Transactions");
    EXPECT_EQ(labels.TotalDis, "-$145.00");
    EXPECT_EQ(labels.All, "$975.00");
    EXPECT_EQ(labels.Difference, "");
    EXPECT_FALSE(r.CanReconcile());
}

TEST_F(ReconcileTest, TickingAnyRowOfASplitTicksTheWholeSplit) {
    TReconciliation r = Make();
    Tick(r, {"14B"});
    for (const char* name : {"141", "14A", "14B"})
        EXPECT_TRUE(r.Rows()[RowOf(r, name)].Ticked) << name;
    EXPECT_EQ(r.Sums().TickedCount, 1);
    EXPECT_EQ(r.Sums().Ticked, qz::Money::FromUnits(70));
    EXPECT_TRUE(r.CanReconcile());
    // A transfer out lowers the ticked total.
    Tick(r, {"12"});
    EXPECT_EQ(r.Sums().Ticked, qz::Money::FromUnits(45));
    EXPECT_EQ(r.Sums().TickedCount, 2);
    EXPECT_EQ(r.Labels().Balance, Money(1370 + 45));
    EXPECT_EQ(r.Labels().Uncleared, "4 unreconciled Transactions");
    // The summary row unticks the parts too.
    Tick(r, {"141"});
    for (const char* name : {"141", "14A", "14B"})
        EXPECT_FALSE(r.Rows()[RowOf(r, name)].Ticked) << name;
    EXPECT_EQ(r.Sums().Ticked, qz::Money::FromUnits(-25));

    r.TickAll(true);
    EXPECT_EQ(r.Sums().TickedCount, 6);
    EXPECT_EQ(r.Sums().Ticked, qz::Money::FromUnits(-395));
    EXPECT_EQ(r.Sums().Unticked, qz::Money());
    EXPECT_EQ(r.Labels().Uncleared, "0 unreconciled Transactions");
    EXPECT_EQ(r.Labels().All, "$975.00");
    r.TickAll(false);
    EXPECT_EQ(r.Sums().TickedCount, 0);
    EXPECT_FALSE(r.CanReconcile());
    EXPECT_EQ(r.Labels().All, "$975.00");
}

TEST_F(ReconcileTest, ReconcileNowStoresTheTickedTransactionsInOneCommit) {
    TReconciliation r = Make();
    Tick(r, {"3", "11", "10", "14A"});
    int drawn = 0;
    r.RowsChanged = [&] {
        ++drawn;
        EXPECT_TRUE(Prompts.Messages.size() == 1) << "the rows go before the message";
    };
    Files.Storage()->SetSync(true);
    const int syncs = Faults.Count(FaultOp::Sync);
    Prompts.QueueAnswer(MsgResult::Yes);
    const TEditOutcome outcome = r.ReconcileNow();
    ASSERT_TRUE(outcome.Done());
    EXPECT_EQ(outcome.Refresh, RefreshTotals);
    EXPECT_EQ(Texts(), (std::vector<std::string>{TReconciliation::Question, "4 Transactions Reconciled"}));
    EXPECT_EQ(Prompts.Messages[0].Buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(Prompts.Messages[1].Kind, MsgKind::Information);
    EXPECT_EQ(drawn, 1);
    // One commit of five records (a commit syncs its journal, the file and the folder).
    EXPECT_EQ(Faults.Count(FaultOp::Sync) - syncs, 3);
    EXPECT_EQ(Files.LastChange().size(), 5u);
    EXPECT_TRUE(r.AnyReconciled());
    EXPECT_EQ(Names(r), (std::vector<std::string>{"12", "13"}));
    // The old reconciled total plus the ticked one; "All Transactions" as it was.
    EXPECT_EQ(r.Sums().Reconciled, qz::Money::FromUnits(1370 - 395));
    EXPECT_EQ(r.Labels().Balance, "$975.00");
    EXPECT_EQ(r.Labels().All, "$975.00");
    EXPECT_EQ(r.Labels().Uncleared, "2 unreconciled Transactions");
    EXPECT_EQ(r.Labels().TotalDis, "$0.00");
    EXPECT_FALSE(r.CanReconcile());
    for (auto [number, split] : {std::pair(3, '0'), {10, '0'}, {11, '0'}, {14, 'A'}, {14, 'B'}})
        EXPECT_EQ(FlagOf(number, split), 1) << number << split;
    EXPECT_EQ(FlagOf(12), 0);

    // The worksheet's figures now count them.
    const TMainActRec* sales = Ledger.MainActList.FindByNumber(100);
    const TMainActRec* rent = Ledger.MainActList.FindByNumber(200);
    EXPECT_EQ(rent->Total, qz::Money::FromUnits(20));
    RefreshAfterEdit(Ledger, outcome.Refresh);
    EXPECT_EQ(Ledger.TransList.CreditTotal, qz::Money::FromUnits(1250 + 110 + 50 + 30 + 75 + 100));
    EXPECT_EQ(Ledger.TransList.DebitTotal, qz::Money::FromUnits(50 + 20 + 500 + 40 + 30));
    EXPECT_EQ(Ledger.TransList.UnreconciledCount, 2);
    EXPECT_EQ(sales->Total, qz::Money::FromUnits(110 + 30 + 75 + 100));
    EXPECT_EQ(rent->Total, qz::Money::FromUnits(20 + 500 + 40 + 30));
    // A new window lists what is left and counts what was reconciled.
    const TReconciliation again = Make();
    EXPECT_EQ(Names(again), (std::vector<std::string>{"12", "13"}));
    EXPECT_EQ(again.Sums().Reconciled, qz::Money::FromUnits(975));

    const std::string flags = FlagsText(Ledger);
    auto disk = Reopened();
    EXPECT_EQ(FlagsText(disk->Ledger), flags);
}

TEST_F(ReconcileTest, OneTransactionIsToldInTheSingular) {
    TReconciliation r = Make();
    Tick(r, {"13"});
    ASSERT_TRUE(r.ReconcileNow().Done()); // the script answers Yes
    EXPECT_EQ(Prompts.LastText(), "1 Transaction Reconciled");
    EXPECT_EQ(r.Rows().size(), 7u);
}

TEST_F(ReconcileTest, NoOrCancelChangesNothing) {
    for (MsgResult answer : {MsgResult::No, MsgResult::Cancel}) {
        TReconciliation r = Make();
        r.TickAll(true);
        const std::string flags = FlagsText(Ledger);
        const int writes = Faults.Count(FaultOp::Write);
        Prompts.QueueAnswer(answer);
        EXPECT_EQ(r.ReconcileNow().Result, TEditResult::Refused);
        EXPECT_EQ(FlagsText(Ledger), flags);
        EXPECT_EQ(Faults.Count(FaultOp::Write), writes);
        EXPECT_EQ(r.Rows().size(), 8u);
        EXPECT_EQ(r.Sums().TickedCount, 6);
        EXPECT_FALSE(r.AnyReconciled());
        EXPECT_EQ(Prompts.LastText(), TReconciliation::Question);
    }
}

TEST_F(ReconcileTest, TheStatementBalanceGivesTheDifferenceAndTheQuestionTellsOfIt) {
    TReconciliation r = Make();
    Tick(r, {"10"});
    EXPECT_FALSE(r.Difference());
    EXPECT_EQ(r.ConfirmationText(), TReconciliation::Question);
    r.SetStatementBalance(qz::Money::FromUnits(1400));
    // 1400 - (1370 + 75)
    EXPECT_EQ(r.Difference(), qz::Money::FromUnits(-45));
    EXPECT_EQ(r.Labels().Difference, "-$45.00");
    EXPECT_EQ(r.ConfirmationText(), std::string(TReconciliation::Question) +
                                        "\r\rThe ticked Transactions differ from the Statement balance by $45.00.");
    Tick(r, {"13"});
    EXPECT_EQ(r.Difference(), qz::Money::FromUnits(-70));
    Tick(r, {"13", "12", "11"});
    EXPECT_EQ(r.Difference(), qz::Money::FromUnits(20));
    r.SetStatementBalance(qz::Money::FromUnits(1370 + 75 - 25 - 40));
    EXPECT_EQ(r.Labels().Difference, "$0.00");
    EXPECT_EQ(r.ConfirmationText(), TReconciliation::Question);
    ASSERT_TRUE(r.ReconcileNow().Done());
    EXPECT_EQ(Prompts.Messages.front().Text, TReconciliation::Question);
    // After reconciling, the reconciled balance is the statement's.
    EXPECT_EQ(r.Difference(), qz::Money());
    r.SetStatementBalance(std::nullopt);
    EXPECT_EQ(r.Labels().Difference, "");
}

TEST_F(ReconcileTest, AViewWithoutUnreconciledRowsListsNothing) {
    // The range holds only the reconciled transactions of 2 and 4 March.
    Ledger.Switches.DateRangeActive = true;
    Ledger.TransList.SetRangeDate(1, March(2));
    Ledger.TransList.SetRangeDate(2, March(2));
    Recalculate(Ledger);
    TReconciliation r = Make();
    EXPECT_TRUE(r.Empty());
    EXPECT_EQ(r.Sums().Reconciled, qz::Money::FromUnits(110));
    EXPECT_EQ(r.Labels().Uncleared, "0 unreconciled Transactions");
    EXPECT_EQ(r.Labels().All, "$110.00");
    r.TickAll(true);
    EXPECT_FALSE(r.CanReconcile());
    EXPECT_EQ(r.ReconcileNow().Result, TEditResult::Unchanged);
    EXPECT_TRUE(Prompts.Messages.empty());
}

TEST_F(ReconcileTest, OnlyTheRowsTheWorksheetShowsAreListed) {
    // From 9 March: rent 3 and fee 11 are hidden, so is every opening balance.
    Ledger.Switches.DateRangeActive = true;
    Ledger.TransList.SetRangeDate(1, March(9));
    Recalculate(Ledger);
    EXPECT_EQ(Names(Make()), (std::vector<std::string>{"10", "141", "14A", "14B", "12", "13"}));
    EXPECT_EQ(Make().Sums().Reconciled, qz::Money());
    // The cash account left out as well: transfer 13 goes.
    Ledger.BookList.Find(1)->Selected = 0;
    Recalculate(Ledger);
    TReconciliation r = Make();
    EXPECT_EQ(Names(r), (std::vector<std::string>{"10", "141", "14A", "14B", "12"}));
    r.TickAll(true);
    ASSERT_TRUE(r.ReconcileNow().Done());
    EXPECT_EQ(FlagOf(13), 0);
    EXPECT_EQ(FlagOf(3), 0);
    EXPECT_EQ(FlagOf(12), 1);
}

TEST_F(ReconcileTest, ASplitWhosePartAIsHiddenStaysTogetherUnderItsFirstListedPart) {
    // Split 20: A in the cash account on 20 March, B and C in the cheque account on 15 and 17
    // March; a deposit 21 on 16 March.
    for (auto [split, book, day] : {std::tuple('A', 1, 20), {'B', 0, 15}, {'C', 0, 17}}) {
        auto* t = new TTransRec(Unreconciled(Trans(20, March(day), TransDebit, 10, 200, 1, 0, book), split));
        LinkTransaction(Ledger, *t);
        Ledger.TransList.Add(t);
    }
    AddSale(March(16), 5, 21)->Reconciled = 0;
    Ledger.TransList.SortByKey();
    Ledger.TransList.SortRows(1);
    Recalculate(Ledger);
    auto tail = [](std::vector<std::string> names) { return std::vector(names.end() - 5, names.end()); };
    EXPECT_EQ(tail(Names(Make())), (std::vector<std::string>{"21", "201", "20A", "20B", "20C"}));
    Ledger.BookList.Find(1)->Selected = 0;
    Recalculate(Ledger);
    const TReconciliation r = Make();
    EXPECT_EQ(tail(Names(r)), (std::vector<std::string>{"12", "201", "20B", "20C", "21"}));
    EXPECT_EQ(r.Rows()[RowOf(r, "201")].AmountText, "-$20.00");
    EXPECT_EQ(r.Rows()[RowOf(r, "201")].DateText, "15/03/2026");
}

TEST_F(ReconcileTest, AProtectedDocumentAsksForTheEditingPassword) {
    Protect(TAccessArea::Editing);
    TReconciliation r = Make();
    r.TickAll(true);
    EXPECT_EQ(r.ReconcileNow().Result, TEditResult::Refused);
    EXPECT_EQ(PasswordsAsked, 1);
    EXPECT_TRUE(Prompts.Messages.empty());
    EXPECT_EQ(FlagOf(3), 0);
    // The window opened after the check: Reconcile Now does not ask again.
    PasswordGiven = true;
    const TAccessScope access(Edit, TAccessArea::Editing);
    ASSERT_TRUE(access);
    EXPECT_TRUE(r.ReconcileNow().Done());
    EXPECT_EQ(PasswordsAsked, 2);
    EXPECT_EQ(FlagOf(3), 1);
}

// A write failing anywhere in the commit: retried, every ticked transaction is stored; given
// up, memory and file are as before and the window still lists its rows, ticked.
TEST_F(ReconcileTest, AFailedWriteIsRetriedOrGivenUpWhole) {
    auto fresh = [this] {
        Files.Close(true, false);
        Faults.Clear();
        Prompts = ScriptedPrompts();
        OpenShop(ReconcileShop());
    };
    auto state = [this] { return FlagsText(Ledger) + ListsText(Ledger); };
    auto onDisk = [this] {
        Files.Close(true, false);
        DocumentOnDisk disk(PathOf("Shop.kqk"));
        EXPECT_TRUE(disk.Opened);
        return FlagsText(disk.Ledger) + ListsText(disk.Ledger);
    };
    fresh();
    const std::string before = state();
    const int writesBefore = Faults.Count(FaultOp::Write);
    {
        TReconciliation r = Make();
        r.TickAll(true);
        ASSERT_TRUE(r.ReconcileNow().Done());
    }
    const int writes = Faults.Count(FaultOp::Write) - writesBefore;
    const std::string after = state();
    ASSERT_NE(after, before);
    ASSERT_EQ(onDisk(), after);
    ASSERT_GT(writes, 0);

    for (int n = 1; n <= writes; ++n) {
        SCOPED_TRACE(n);
        fresh();
        TReconciliation retried = Make();
        retried.TickAll(true);
        Faults.FailAt(FaultOp::Write, n, ENOSPC);
        Prompts.QueueAnswer(MsgResult::Yes);
        Prompts.QueueAnswer(MsgResult::Retry);
        EXPECT_TRUE(retried.ReconcileNow().Done());
        EXPECT_EQ(Files.ReadOnlyMode, 0);
        EXPECT_TRUE(retried.Empty());
        EXPECT_EQ(state(), after);
        EXPECT_EQ(onDisk(), after);

        fresh();
        TReconciliation given = Make();
        given.TickAll(true);
        Faults.FailAt(FaultOp::Write, n, ENOSPC, true);
        Prompts.QueueAnswer(MsgResult::Yes);
        Prompts.QueueAnswer(MsgResult::Cancel);
        const TEditOutcome outcome = given.ReconcileNow();
        Faults.Clear();
        EXPECT_EQ(outcome.Result, TEditResult::NotStored);
        EXPECT_EQ(Files.ReadOnlyMode, 1);
        EXPECT_EQ(state(), before);
        EXPECT_FALSE(given.AnyReconciled());
        EXPECT_EQ(given.Rows().size(), 8u);
        EXPECT_EQ(given.Sums().TickedCount, 6);
        EXPECT_EQ(given.Sums().Reconciled, qz::Money::FromUnits(1370));
        for (const auto& message : Prompts.Messages)
            EXPECT_EQ(message.Text.find("Reconciled"), std::string::npos) << message.Text;
        EXPECT_EQ(onDisk(), before);
    }
}

} // namespace
} // namespace qz::testing

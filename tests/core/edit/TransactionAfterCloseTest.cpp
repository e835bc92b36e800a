// The steps after the transaction editor closes: the notice about new records under a
// selection, the figures (equal to those of the full recalculation after any edits, under
// any filter), the Transactions view's top row kept steady, and the buttons to enable.

#include "TransactionSessionFixture.h"

#include "edit/TransactionAfterClose.h"
#include "worksheet/WorksheetFixture.h"

#include <random>
#include <sstream>

namespace qz::testing {
namespace {

const TDateTime March1 = EncodeDate(2026, 3, 1);

class TransactionAfterClose : public TransactionSessionFixture {
protected:
    TransactionAfterClose() { Window.Sheet = &Sheet; }

    TAfterTransactionEditor After(std::function<void()> reapply = nullptr) {
        return AfterTransactionEditor(Sheet, Made->Result(), Prompts, reapply);
    }

    // Every figure the worksheet shows, and the order of its rows.
    std::string Figures() const {
        std::ostringstream out;
        const TTransList& list = Ledger.TransList;
        out << "view " << list.VisibleCount << ' ' << list.CreditTotal << ' ' << list.DebitTotal << ' '
            << list.GstCreditTotal << ' ' << list.GstDebitTotal << " unreconciled " << list.UnreconciledCount << '\n';
        for (const TTransRec* t : list.RowList)
            out << t->Number << t->Split << " row " << t->Row << " sel " << int(t->InSelection) << " bal " << t->Balance
                << ' ' << t->NetBalance << " end " << int(t->DayEnd) << '\n';
        for (const TTransRec* t : list.KeyList)
            out << t->Number << t->Split << ' ';
        out << '\n';
        for (const TMainActRec* c : Ledger.MainActList.RowList)
            out << "category " << c->Number << ' ' << c->Total << " row " << c->Row << '\n';
        for (const TSubActRec* s : Ledger.SubActList.RowList)
            out << "sub " << s->MainAct << '-' << s->Number << ' ' << s->Total << " row " << s->Row << '\n';
        for (const TGroupRec* g : Ledger.GroupList.RowList)
            out << "group " << g->Number << ' ' << g->CreditTotal << ' ' << g->DebitTotal << " row " << g->Row << '\n';
        for (const TCatRec* c : Ledger.CatList.RowList)
            out << "type " << c->Number << ' ' << c->Total << " row " << c->Row << '\n';
        out << "types " << Ledger.CatList.CreditTotal << ' ' << Ledger.CatList.DebitTotal << '\n';
        return out.str();
    }

    // What the main window's full path gives: the span, the recalculation, every view sorted.
    void FullRecalculation() {
        if (!Ledger.Switches.DateRangeActive)
            Ledger.TransList.ResetRange(0);
        Recalculate(Ledger);
        for (int view = 0; view < ViewCount; ++view)
            Sheet.SortView(view);
        Recalculate(Ledger);
    }

    RecordingWindow Window;
    TWorksheet Sheet{Ledger, Formats, Window};
};

TEST_F(TransactionAfterClose, NewRecordsUnderASelectionAreNoticed) {
    FullRecalculation();
    NewSale(Session(), EncodeDate(2026, 3, 7), 20);
    Prompts.Messages.clear();
    TAfterTransactionEditor after = After();
    EXPECT_TRUE(Prompts.Messages.empty());
    EXPECT_TRUE(after.Refreshed);
    EXPECT_TRUE(after.ToolsEnabled);
    EXPECT_EQ(after.DateTo, EncodeDate(2026, 3, 7)) << "the span follows the new record";
    EXPECT_NE(Find(7)->Row, -1);

    // A category selection that leaves out the sales: stored, but not shown.
    Ledger.Switches.CategorySelectionActive = true;
    Ledger.SubActList.FindPair(100, 1)->Selected = 0;
    FullRecalculation();
    const std::int32_t number = NewSale(Session(), EncodeDate(2026, 3, 8), 30);
    after = After();
    EXPECT_EQ(Prompts.LastText(), SelectionNoticeText);
    EXPECT_EQ(Prompts.Messages.back().Kind, MsgKind::Information);
    EXPECT_EQ(Find(number)->Row, -1);
    EXPECT_TRUE(Window.Called("progress 100"));
    ExpectStoredAsInMemory();
}

TEST_F(TransactionAfterClose, TheSearchIsAppliedAgainWhileItIsInForce) {
    Ledger.Switches.SearchActive = true;
    FullRecalculation();
    NewSale(Session(), EncodeDate(2026, 3, 7), 20);
    int applied = 0;
    After([&] { ++applied; });
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(Prompts.LastText(), SelectionNoticeText);
}

// Random edits through the session, each followed by the steps after closing, under a filter
// that changes now and then: the figures are always those of the full recalculation.
TEST_F(TransactionAfterClose, FiguresEqualTheFullRecalculationAfterRandomEdits) {
    std::mt19937 random(20260701);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    Sheet.GridInfo[ViewCategories].SortIndex = 2; // by total, so that amounts move rows
    FullRecalculation();
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        if (round % 10 == 0) {
            TCalcSwitches& sw = Ledger.Switches;
            sw.DateRangeActive = pick(2);
            sw.CategorySelectionActive = pick(2);
            sw.IncludeUnreconciled = pick(2);
            sw.GstInTotals = pick(2);
            Ledger.SubActList.FindPair(200, 1)->Selected = !sw.CategorySelectionActive;
            Ledger.BookList.Items(1)->Selected = pick(3) != 0;
            Sheet.GridInfo[ViewTransactions].SortIndex = std::array{1, 0, 9, 4, 10}[pick(5)];
            if (sw.DateRangeActive) {
                Ledger.TransList.DateFrom = March1 + pick(5);
                Ledger.TransList.DateTo = March1 + 5 + pick(10);
            }
            FullRecalculation();
        }
        TTransactionSession& s = Session({true, pick(2) != 0, true, false});
        const TDateTime day = March1 + pick(15);
        const int action = pick(4);
        const auto [first, last] = Ledger.TransList.OrdinaryBounds();
        if (action == 0 || first == -1) {
            TransDialogs.Kinds = {pick(2)};
            ASSERT_TRUE(s.Open(TTransMode::New, -1));
            const bool credit = s.Kind() == TransCredit;
            Enter(s, credit ? 100 : 200, 1, pick(2), day, 1 + pick(500));
            if (pick(3) == 0) {
                s.Split();
                Enter(s, credit ? 100 : 200, 1, pick(2), day, 1 + pick(50));
            }
            ASSERT_TRUE(s.OK()) << Prompts.LastText();
        } else {
            std::int32_t index = first + pick(last - first + 1);
            if (!Ledger.TransList.Items(index)->IsOrdinary())
                index = first;
            s.Open(TTransMode::Index, index, pick(10), pick(2));
            if (action == 1) {
                Prompts.QueueAnswer(MsgResult::Yes);
                ASSERT_TRUE(s.DeleteTransaction());
            } else {
                ASSERT_TRUE(s.Unlock());
                s.SetDate(day);
                s.SetAmount(Money::FromUnits(1 + pick(900)));
                s.SetReconciled(pick(2));
                s.AmountExit();
                if (s.OK() == false) // a split of the other side in the shop's data: left as it is
                    continue;
            }
        }
        After();
        const std::string incremental = Figures();
        FullRecalculation();
        ASSERT_EQ(incremental, Figures());
    }
    ExpectStoredAsInMemory();
}

TEST_F(TransactionAfterClose, DeletedRowsAboveTheTopKeepTheViewSteady) {
    // Rows: 0, 1 the opening balances, 2 sale 2, 3 rent 3, 4 and 5 the transfer, 6 and 7 split 6.
    for (bool descending : {false, true}) {
        SCOPED_TRACE(descending);
        Files.Close(true, false);
        OpenShop();
        FullRecalculation();
        Sheet.GridInfo[ViewTransactions].SortDirection = descending ? sdDescending : sdAscending;
        Sheet.GridInfo[ViewTransactions].ScrollBarPos = 4;
        TTransactionSession& s = Session();
        s.Open(TTransMode::Index, IndexOf(descending ? 6 : 2, descending ? 'A' : '0'), 4, descending);
        Prompts.QueueAnswer(MsgResult::Yes);
        ASSERT_TRUE(s.DeleteTransaction());
        EXPECT_EQ(s.Result().DeletedAbove, descending ? 2 : 1);
        After();
        EXPECT_EQ(Sheet.GridInfo[ViewTransactions].ScrollBarPos, descending ? 2 : 3);
    }
}

TEST_F(TransactionAfterClose, WithoutOrdinaryTransactionsTheToolsAreDisabled) {
    TTransactionSession& s = Session();
    s.Open(TTransMode::Index, IndexOf(2));
    for (int left = 3; left > 0; --left) {
        Prompts.QueueAnswer(MsgResult::Yes);
        ASSERT_TRUE(s.DeleteTransaction());
    }
    Sheet.GridInfo[ViewCategories].ScrollBarPos = 3;
    const TAfterTransactionEditor after = After();
    EXPECT_FALSE(after.ToolsEnabled);
    EXPECT_EQ(Sheet.GridInfo[ViewCategories].ScrollBarPos, 0) << "the sales total fell to zero";
}

} // namespace
} // namespace qz::testing

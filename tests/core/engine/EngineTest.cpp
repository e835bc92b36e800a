#include "EngineFixture.h"

#include "platform/RegionalSettings.h"

namespace qz::testing {
namespace {

using RecalcTest = EngineFixture;

TEST_F(RecalcTest, BalanceBroughtForwardIntoDateRange) {
    Opening(Day(2024, 1, 1), 1000);
    Credit(Day(2024, 1, 15), 200);
    Debit(Day(2024, 2, 10), 50);
    TTransRec* march = Credit(Day(2024, 3, 5), 10);
    Finish();
    L.Switches.DateRangeActive = true;
    L.TransList.SetRangeDate(1, Day(2024, 3, 1));
    Recalculate(L);

    auto rows = Rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], march);
    EXPECT_EQ(march->Balance, Cash(1160));
    EXPECT_EQ(L.TransList.CreditTotal, Cash(10));
    EXPECT_EQ(L.TransList.DebitTotal, Money());
}

TEST_F(RecalcTest, CategorySelectionHidesTransfersAndOpeningsAndNarrowsTheBalance) {
    Opening(Day(2024, 1, 1), 1000);
    TTransRec* sale = Credit(Day(2024, 1, 2), 100);
    Debit(Day(2024, 1, 3), 40);
    auto [out, in] = Transfer(Day(2024, 1, 4), 25, 0, 1);
    TTransRec* sale2 = Credit(Day(2024, 1, 5), 5);
    Finish();
    for (TSubActRec* s : L.SubActList.KeyList)
        s->Selected = s->MainAct == Sales;
    L.Switches.CategorySelectionActive = true;
    Recalculate(L);

    EXPECT_EQ(Rows(), (std::vector<const TTransRec*>{sale, sale2}));
    EXPECT_EQ(out->Row, -1);
    EXPECT_EQ(in->Row, -1);
    EXPECT_EQ(sale->Balance, Cash(100));
    EXPECT_EQ(sale2->Balance, Cash(105));
    EXPECT_EQ(L.MainActList.FindByNumber(Rent)->Row, -1);

    L.Switches.UseOpeningBalancesInSelections = true;
    Recalculate(L);
    EXPECT_EQ(Rows().size(), 3u);
    EXPECT_EQ(sale2->Balance, Cash(1105));
}

TEST_F(RecalcTest, GroupSelectionAndSearchSelectRows) {
    TTransRec* shop = Credit(Day(2024, 1, 2), 100, Sales, 1);
    TTransRec* general = Credit(Day(2024, 1, 3), 40, Sales, 0);
    auto [out, in] = Transfer(Day(2024, 1, 4), 25, 0, 1);
    Finish();

    L.GroupList.FindByNumber(0)->Selected = 0;
    L.Switches.GroupSelectionActive = true;
    Recalculate(L);
    EXPECT_EQ(Rows(), (std::vector<const TTransRec*>{shop}));
    EXPECT_EQ(L.GroupList.FindByNumber(1)->CreditTotal, Cash(100));
    EXPECT_EQ(L.GroupList.FindByNumber(0)->Row, -1);

    // A search does not hide transfers; InSearch decides for every record.
    L.GroupList.FindByNumber(0)->Selected = 1;
    L.Switches.GroupSelectionActive = false;
    L.Switches.SearchActive = true;
    shop->InSearch = 0;
    Recalculate(L);
    EXPECT_EQ(Rows(), (std::vector<const TTransRec*>{general, out, in}));
    EXPECT_EQ(general->Balance, Cash(40)) << "the balance runs only through shown rows while a search is in force";
}

TEST_F(RecalcTest, DateRangeHidesOpeningBalancesInsideTheRange) {
    TTransRec* opening = Opening(Day(2024, 3, 2), 500);
    Credit(Day(2024, 3, 3), 10);
    Finish();
    L.Switches.DateRangeActive = true;
    Recalculate(L);
    EXPECT_EQ(opening->Row, -1);
    EXPECT_EQ(Rows().size(), 1u);
    EXPECT_EQ(Rows()[0]->Balance, Cash(510)) << "an opening balance still carries into the running balance";

    L.Switches.UseOpeningBalancesInSelections = true;
    Recalculate(L);
    EXPECT_EQ(opening->Row, 0);
}

TEST_F(RecalcTest, UnreconciledTransactionsCountOnlyWhenIncluded) {
    Credit(Day(2024, 1, 2), 100);
    TTransRec* pending = Credit(Day(2024, 1, 3), 30);
    pending->Reconciled = 0;
    Finish();
    Recalculate(L);

    EXPECT_NE(pending->Row, -1);
    EXPECT_EQ(pending->Balance, Cash(100));
    EXPECT_EQ(L.TransList.CreditTotal, Cash(100));
    EXPECT_EQ(L.MainActList.FindByNumber(Sales)->Total, Cash(100));
    EXPECT_EQ(L.TransList.UnreconciledCount, 1);
    EXPECT_EQ(L.TransList.ColumnText(*pending, 11, TDisplayFormats()), "");

    L.Switches.IncludeUnreconciled = true;
    Recalculate(L);
    EXPECT_EQ(pending->Balance, Cash(130));
    EXPECT_EQ(L.TransList.CreditTotal, Cash(130));
    EXPECT_EQ(L.MainActList.FindByNumber(Sales)->Total, Cash(130));
    EXPECT_EQ(L.TransList.ColumnText(*pending, 11, TDisplayFormats()), "$130.00");
}

TEST_F(RecalcTest, CategoryOfOnlyUnreconciledItemsHasNoRowAndLeavesItsTypeOut) {
    Credit(Day(2024, 1, 2), 100);
    Debit(Day(2024, 1, 3), 70)->Reconciled = 0;
    Finish();
    Recalculate(L);

    const TMainActRec* rent = L.MainActList.FindByNumber(Rent);
    EXPECT_EQ(rent->Total, Money());
    EXPECT_EQ(rent->Row, -1);
    EXPECT_EQ(L.CatList.FindByNumber(6)->Total, Money());
    EXPECT_EQ(L.CatList.FindByNumber(0)->Total, Cash(100));
    EXPECT_EQ(L.CatList.CreditTotal, Cash(100));
    EXPECT_EQ(L.CatList.DebitTotal, Money());

    L.MainActList.ShowZeroRows = 1;
    Recalculate(L);
    EXPECT_NE(rent->Row, -1);
}

TEST_F(RecalcTest, DayEndsMarkTheLastCountedTransactionOfEachDay) {
    TTransRec* first = Credit(Day(2024, 1, 2), 1);
    TTransRec* second = Credit(Day(2024, 1, 2) + 0.75, 2); // a later time on the same day
    TTransRec* pending = Credit(Day(2024, 1, 3), 4);
    TTransRec* last = Credit(Day(2024, 1, 4), 8);
    pending->Reconciled = 0;
    Finish();
    Recalculate(L);
    EXPECT_EQ(first->DayEnd, 0);
    EXPECT_EQ(second->DayEnd, 1);
    EXPECT_EQ(last->DayEnd, 1);
    EXPECT_EQ(last->Balance, Cash(11));
}

TEST_F(RecalcTest, NetTotalsLeaveTheTaxOut) {
    TTransRec* sale = Credit(Day(2024, 1, 2), 110, Sales, 1);
    sale->Gst = Cash(10);
    Finish();
    L.Switches.GstInTotals = false;
    Recalculate(L);
    EXPECT_EQ(L.MainActList.FindByNumber(Sales)->Total, Cash(100));
    EXPECT_EQ(L.SubActList.FindPair(Sales, 1)->Total, Cash(100));
    EXPECT_EQ(L.GroupList.FindByNumber(1)->CreditTotal, Cash(100));
    EXPECT_EQ(sale->Balance, Cash(110));
    EXPECT_EQ(sale->NetBalance, Cash(100));
    EXPECT_EQ(L.TransList.GstCreditTotal, Cash(10));

    L.Switches.GstInTotals = true;
    Recalculate(L);
    EXPECT_EQ(L.MainActList.FindByNumber(Sales)->Total, Cash(110));
}

TEST_F(RecalcTest, TotalsAddUpAcrossEveryList) {
    Opening(Day(2024, 1, 1), -300, 1);
    Credit(Day(2024, 1, 2), 100, Sales, 0);
    Credit(Day(2024, 1, 3), 50, Sales, 1, 1);
    Debit(Day(2024, 1, 4), 20, Rent, 1);
    Transfer(Day(2024, 1, 5), 7, 0, 1);
    Finish();
    Recalculate(L);

    EXPECT_EQ(L.TransList.CreditTotal, Cash(157));
    EXPECT_EQ(L.TransList.DebitTotal, Cash(327));
    EXPECT_EQ(L.MainActList.CreditTotal, Cash(150));
    EXPECT_EQ(L.MainActList.DebitTotal, Cash(20));
    EXPECT_EQ(L.GroupList.FindByNumber(1)->NetTotal(), Cash(30));
    EXPECT_EQ(L.GroupList.VisibleCount, 2);
    EXPECT_EQ(L.CatList.FindByNumber(6)->Total, Cash(20));
    EXPECT_EQ(L.TransList.KeyList.back()->Balance, Cash(-170));

    AccountTotals(L, true);
    EXPECT_EQ(L.BookList.FindByNumber(0)->Balance(), Cash(73));
    EXPECT_EQ(L.BookList.FindByNumber(1)->Balance(), Cash(-243));
    EXPECT_EQ(L.BookList.FindByNumber(1)->OpeningBalance(), Cash(-300));
}

// The largest amounts a document may hold, many of them: every figure stays exact (the
// sanitizer build checks that no sum wraps on the way).
TEST_F(RecalcTest, FiguresOfTheLargestAmountsStayExact) {
    constexpr int Each = 3000;
    Opening(Day(2024, 1, 1), MaxAmount.ToDouble());
    for (int i = 0; i < Each; ++i) {
        TTransRec* sale = Credit(Day(2024, 1, 2) + i / 10, MaxAmount.ToDouble(), Sales, 0);
        sale->Gst = MaxAmount;
        Debit(Day(2024, 1, 2) + i / 10, MaxAmount.ToDouble(), Rent, 1);
    }
    Finish();
    Recalculate(L);
    const __int128 all = static_cast<__int128>(MaxAmount.Raw()) * Each;
    EXPECT_TRUE(L.TransList.CreditTotal.Raw() == all + MaxAmount.Raw());
    EXPECT_TRUE(L.TransList.DebitTotal.Raw() == all);
    EXPECT_TRUE(L.TransList.GstCreditTotal.Raw() == all);
    EXPECT_EQ(L.TransList.KeyList.back()->Balance, MaxAmount);
    AccountTotals(L, false);
    EXPECT_TRUE(L.BookList.FindByNumber(0)->CreditTotal.Raw() == MaxAmount.Raw()) << "the sales are all tax";
    EXPECT_TRUE(GstBalanceAt(L, Day(2030, 1, 1)).Raw() == all);
}

TEST_F(RecalcTest, AccountTotalsNetLeaveOpeningBalancesGross) {
    Opening(Day(2024, 1, 1), 500);
    TTransRec* sale = Credit(Day(2024, 1, 2), 110);
    sale->Gst = Cash(10);
    TTransRec* pending = Debit(Day(2024, 1, 3), 33);
    pending->Gst = Cash(3);
    pending->Reconciled = 0;
    Finish();
    Recalculate(L);
    AccountTotals(L, false);
    const TBookRec* cheque = L.BookList.FindByNumber(0);
    EXPECT_EQ(cheque->CreditTotal, Cash(600));
    EXPECT_EQ(cheque->DebitTotal, Cash(30)) << "reconciliation is not considered in account totals";
}

TEST_F(RecalcTest, DeselectedAccountLeavesRowsAndBalance) {
    Credit(Day(2024, 1, 2), 100, Sales, 0, 1);
    TTransRec* mine = Credit(Day(2024, 1, 3), 5, Sales, 0, 0);
    Finish();
    L.BookList.FindByNumber(1)->Selected = 0;
    Recalculate(L);
    EXPECT_EQ(Rows(), (std::vector<const TTransRec*>{mine}));
    EXPECT_EQ(mine->Balance, Cash(5));
    EXPECT_FALSE(AllAccountsSelected(L));
}

TEST_F(RecalcTest, SwitchesTellWhetherASelectionIsActive) {
    EXPECT_FALSE(AnySelectionActive(L));
    bool TCalcSwitches::*flags[] = {&TCalcSwitches::DateRangeActive, &TCalcSwitches::CategorySelectionActive,
                                    &TCalcSwitches::GroupSelectionActive, &TCalcSwitches::SearchActive};
    for (auto flag : flags) {
        L.Switches = TCalcSwitches();
        L.Switches.*flag = true;
        EXPECT_TRUE(AnySelectionActive(L));
    }
    L.Switches = TCalcSwitches();
    L.Switches.IncludeUnreconciled = true;
    L.Switches.UseOpeningBalancesInSelections = true;
    EXPECT_FALSE(AnySelectionActive(L));
    EXPECT_TRUE(AllAccountsSelected(L));
}

using GstBalanceTest = EngineFixture;

TEST_F(GstBalanceTest, WalksCollectedPaidPaymentsAndRefunds) {
    L.GstOpeningBalance = Cash(50);
    Credit(Day(2024, 1, 2), 110)->Gst = Cash(10); // collected
    Debit(Day(2024, 1, 3), 33)->Gst = Cash(3);    // paid
    Debit(Day(2024, 2, 1), 40, TaxPaid);          // payment to the tax office
    Credit(Day(2024, 2, 2), 6, TaxBack);          // refund
    Credit(Day(2024, 2, 3), 22)->Gst = Cash(2);
    Credit(Day(2024, 2, 4), 22)->Reconciled = 0; // does not count
    L.TransList.KeyList.back()->Gst = Cash(2);
    Finish();

    struct Case {
        TDateTime Date;
        double Expected;
    } cases[] = {
        {Day(2023, 12, 31), 50}, {Day(2024, 1, 2), 60}, {Day(2024, 1, 3), 57},
        {Day(2024, 2, 1), 17},   {Day(2024, 2, 2), 23}, {Day(2024, 12, 31), 25},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GstBalanceAt(L, c.Date), Cash(c.Expected)) << IsoDateText(c.Date);

    L.Switches.IncludeUnreconciled = true;
    EXPECT_EQ(GstBalanceAt(L, Day(2024, 12, 31)), Cash(27));
}

TEST_F(GstBalanceTest, RangeStartUsesTheDayBefore) {
    L.GstOpeningBalance = Cash(5);
    EXPECT_EQ(GstBalanceAtRangeStart(L), Cash(5)) << "no transactions";
    Credit(Day(2024, 1, 2), 110)->Gst = Cash(10);
    Credit(Day(2024, 3, 1), 11)->Gst = Cash(1);
    Finish();
    EXPECT_EQ(GstBalanceAtRangeStart(L), Cash(5)) << "the range starts at the first transaction";
    L.TransList.SetRangeDate(1, Day(2024, 3, 1));
    EXPECT_EQ(GstBalanceAtRangeStart(L), Cash(15));
}

TEST_F(GstBalanceTest, TransferPartnerNumbersAreNotTaxCategories) {
    auto [out, in] = Transfer(Day(2024, 1, 2), 100, 0, 1);
    out->MainAct = TaxPaid; // a partner number that happens to equal the payments category
    in->MainAct = TaxBack;
    Finish();
    EXPECT_EQ(GstBalanceAt(L, Day(2024, 12, 31)), Money());
}

using LinkTest = EngineFixture;

TEST_F(LinkTest, ResolvesEveryReference) {
    TTransRec* opening = Opening(Day(2024, 1, 1), 10, 1);
    TTransRec* sale = Credit(Day(2024, 1, 2), 1, Sales, 1);
    sale->SubAct = 2;
    auto [out, in] = Transfer(Day(2024, 1, 3), 5, 0, 1);
    Finish();
    EXPECT_EQ(L.BookList.FindByNumber(1)->OpeningTrans, opening);
    EXPECT_EQ(L.BookList.FindByNumber(0)->OpeningTrans, nullptr);
    EXPECT_EQ(sale->MainActRec, L.MainActList.FindByNumber(Sales));
    EXPECT_EQ(sale->SubActRec, L.SubActList.FindPair(Sales, 2));
    EXPECT_EQ(sale->GroupRec, L.GroupList.FindByNumber(1));
    EXPECT_EQ(sale->BookRec, L.BookList.FindByNumber(0));
    EXPECT_EQ(out->OtherBookRec, L.BookList.FindByNumber(1));
    EXPECT_EQ(in->OtherBookRec, L.BookList.FindByNumber(0));
    EXPECT_EQ(L.SubActList.FindPair(Rent, 1)->MainActRec, L.MainActList.FindByNumber(Rent));
    EXPECT_EQ(L.TransList.ColumnText(*sale, 6, TDisplayFormats()), "Two");
    EXPECT_EQ(L.TransList.ColumnText(*out, 6, TDisplayFormats()), "Savings");
    EXPECT_EQ(L.TransList.ColumnText(*opening, 6, TDisplayFormats()), "Savings");
}

TEST_F(LinkTest, NumbersThatNameNoRecordRaiseTheListsError) {
    struct Case {
        const char* What;
        std::function<void(TTransRec&)> Damage;
        std::string Message;
    } cases[] = {
        {"account", [](TTransRec& t) { t.Book = 7; }, "List index out of bounds 2"},
        {"category", [](TTransRec& t) { t.MainAct = 555; }, "List index out of bounds 4"},
        {"sub category", [](TTransRec& t) { t.SubAct = 9; }, "List index out of bounds (8)"},
        {"group", [](TTransRec& t) { t.Group = 9; }, "List index out of bounds - 2"},
    };
    for (const Case& c : cases) {
        L.TransList.Clear();
        TTransRec* t = Credit(Day(2024, 1, 2), 1);
        c.Damage(*t);
        try {
            LinkRecords(L);
            ADD_FAILURE() << c.What << ": no error";
        } catch (const EListIndexError& e) {
            EXPECT_EQ(e.what(), c.Message) << c.What;
        }
    }
}

TEST_F(LinkTest, LinkTransactionReportsWhatItCouldNotResolve) {
    TTransRec t;
    t.Kind = TransDebit;
    t.MainAct = Rent;
    t.SubAct = 2;
    t.Group = 1;
    t.Book = 1;
    EXPECT_TRUE(LinkTransaction(L, t));
    EXPECT_EQ(t.SubActRec, L.SubActList.FindPair(Rent, 2));
    t.SubAct = 3;
    EXPECT_FALSE(LinkTransaction(L, t));
    EXPECT_EQ(t.SubActRec, nullptr);
}

} // namespace
} // namespace qz::testing

#include "ledger/TransDB.h"
#include "support/LedgerFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace qz {
namespace {

using test::AddCategory;
using test::AddGroup;
using test::AddSub;
using test::AddTrans;
using test::ChangeLog;
using test::SampleLedger;
using test::Units;

struct ViewTotals {
    Money Credit;
    Money Debit;
    Money GstCredit;
    Money GstDebit;
    bool operator==(const ViewTotals&) const = default;
};

ViewTotals TotalsOf(const TTransList& list) {
    return {list.CreditTotal, list.DebitTotal, list.GstCreditTotal, list.GstDebitTotal};
}

void PrintTo(const ViewTotals& t, std::ostream* os) {
    *os << "credit " << t.Credit.ToDouble() << ", debit " << t.Debit.ToDouble() << ", gst credit "
        << t.GstCredit.ToDouble() << ", gst debit " << t.GstDebit.ToDouble();
}

TEST(TransDBTest, AddReportsTheKeyIndexAndWidensTheDateRange) {
    TTransList list;
    list.SetRangeDate(1, 45000);
    list.SetRangeDate(2, 45010);
    ChangeLog log;
    log.Attach(list);

    struct Step {
        double Date;
        double From;
        double To;
    };
    const Step steps[] = {
        {45005, 45000, 45010},         {45010, 45000, 45010},      {45020.5, 45000, 45020.5},
        {44990.25, 44990.25, 45020.5}, {45000, 44990.25, 45020.5},
    };
    int index = 0;
    for (const Step& s : steps) {
        EXPECT_EQ(list.Add(test::NewTrans(TransCredit, index + 1, s.Date, Units(1))), index);
        EXPECT_EQ(list.DateFrom, s.From) << "after adding " << s.Date;
        EXPECT_EQ(list.DateTo, s.To) << "after adding " << s.Date;
        ++index;
    }
    EXPECT_EQ(log.Calls, (std::vector<std::pair<int, int>>{
                             {ActionAdd, 0}, {ActionAdd, 1}, {ActionAdd, 2}, {ActionAdd, 3}, {ActionAdd, 4}}));
}

// What a document may hold: each limit and the first value beyond it.
TEST(TransDBTest, TransDamageDrawsTheLinesAtTheLimits) {
    const Money beyond = MaxAmount + Money::FromRaw(1);
    const struct {
        const char* Name;
        TDateTime Date;
        std::uint8_t Kind;
        Money Amount;
        Money Gst;
        TTaxField Field;
        const char* Damage;
    } cases[] = {
        {"the first day", EncodeDate(1, 1, 1), TransCredit, Money(), Money(), TTaxField::Amount, ""},
        {"the last moment", EncodeDate(9999, 12, 31) + 0.999, TransCredit, Money(), Money(), TTaxField::Amount, ""},
        {"the day before the first", EncodeDate(1, 1, 1) - 1, TransCredit, Money(), Money(), TTaxField::Amount,
         "the date is not a valid day"},
        {"the day after the last", EncodeDate(9999, 12, 31) + 1, TransCredit, Money(), Money(), TTaxField::Amount,
         "the date is not a valid day"},
        {"a NaN date", std::nan(""), TransCredit, Money(), Money(), TTaxField::Amount, "the date is not a valid day"},
        {"kind 5", 0, TransTo, Money(), Money(), TTaxField::Amount, ""},
        {"kind 6", 0, 6, Money(), Money(), TTaxField::Amount, "kind 6 is unknown"},
        {"the largest amount, all tax", 0, TransCredit, MaxAmount, MaxAmount, TTaxField::Amount, ""},
        {"the largest overdrawn opening", 0, TransOpening, -MaxAmount, Money(), TTaxField::Amount, ""},
        {"beyond the largest", 0, TransCredit, beyond, Money(), TTaxField::Amount,
         "the amount is beyond the largest a document may hold (10,000,000.00)"},
        {"beyond the largest overdrawn", 0, TransOpening, -beyond, Money(), TTaxField::Amount,
         "the amount is beyond the largest a document may hold (10,000,000.00)"},
        {"a tax of one ten-thousandth below zero", 0, TransDebit, Money::FromUnits(5), Money::FromRaw(-1),
         TTaxField::Amount, "the tax is negative"},
        {"a tax just above the amount", 0, TransDebit, Money::FromUnits(5), Money::FromUnits(5) + Money::FromRaw(1),
         TTaxField::Amount, "the tax is larger than the amount"},
        {"a rate above the amount (generation 2.1)", 0, TransDebit, Money::FromUnits(5), Money::FromUnits(10),
         TTaxField::Rate, ""},
        {"whatever stood there before tax (generation 2.0)", 0, TransDebit, Money::FromUnits(5), Money::FromRaw(-7),
         TTaxField::Unset, ""},
    };
    for (const auto& c : cases) {
        TTransRec t;
        t.Date = c.Date;
        t.Kind = c.Kind;
        t.Amount = c.Amount;
        t.Gst = c.Gst;
        EXPECT_EQ(TransDamage(t, c.Field), c.Damage) << c.Name;
    }
}

TEST(TransDBTest, SetRangeDateSetsOnlyTheNamedEnd) {
    TTransList list;
    list.SetRangeDate(1, 45000);
    list.SetRangeDate(2, 45100);
    list.SetRangeDate(0, 1);
    list.SetRangeDate(3, 2);
    EXPECT_EQ(list.DateFrom, 45000);
    EXPECT_EQ(list.DateTo, 45100);
}

TEST(TransDBTest, NewNumberIsOneAboveTheHighestOrOne) {
    TTransList list;
    EXPECT_EQ(list.NewNumber(), 1);
    AddTrans(list, TransCredit, 12, 45000, Units(1));
    AddTrans(list, TransCredit, 5, 45000, Units(1));
    AddTrans(list, TransDebit, 12, 45000, Units(1))->Split = 'B';
    EXPECT_EQ(list.NewNumber(), 13);
}

TEST(TransDBTest, ColumnTextsOfEveryKind) {
    SampleLedger sample;
    const TTransList& list = sample.Ledger.TransList;
    const TDisplayFormats formats;

    struct Case {
        const char* Label;
        int Column;
        const char* Expected;
    };
    const Case cases[] = {
        {"T11", 0, "11"},
        {"T12A", 0, "12A"},
        {"T12B", 0, "12B"},
        {"T11", 1, "16/03/2023"},
        {"OpCash", 1, "15/03/2023"},
        {"T12A", 2, "R1b"},
        {"OpCash", 2, ""},
        {"T11", 3, "300"},
        {"T20", 3, "21"},
        {"OpCash", 4, "Opening Balance"},
        {"T20", 4, "Transfer To"},
        {"T21", 4, "Transfer From"},
        {"T11", 4, "Materials"},
        {"T12B", 4, "Advertising"},
        {"T11", 5, "300-2"},
        {"T12B", 5, "200-3"},
        {"OpCheque", 6, "Cheque"},
        {"OpCash", 6, "Cash"},
        {"T20", 6, "Cash"},
        {"T21", 6, "Cheque"},
        {"T12B", 6, "Print"},
        {"T12A", 7, "G1"},
        {"T20", 7, "G7"},
        {"T12A", 8, "Office"},
        {"T11", 8, "Jobs"},
        {"T20", 8, ""},
        {"T21", 8, ""},
        {"OpCash", 8, ""},
        {"T13", 9, "$40.00"},
        {"T21", 9, "$35.00"},
        {"OpCash", 9, "$500.00"},
        {"OpCheque", 9, ""},
        {"T11", 9, ""},
        {"T20", 9, ""},
        {"T11", 10, "$30.00"},
        {"T20", 10, "$35.00"},
        {"OpCheque", 10, "$20.00"},
        {"OpCash", 10, ""},
        {"T13", 10, ""},
        {"T21", 10, ""},
        {"T20", 12, "B"},
        {"T21", 12, ""},
    };
    for (const Case& c : cases) {
        const TTransRec* t = sample[c.Label];
        ASSERT_NE(t, nullptr) << c.Label;
        EXPECT_EQ(list.ColumnText(*t, c.Column, formats), c.Expected) << c.Label << " column " << c.Column;
    }
    EXPECT_EQ(TTransList::AccountName(*sample["T11"]), "Cheque");
}

TEST(TransDBTest, OpeningBalanceShowsItsMagnitudeInTheColumnOfItsSign) {
    const TDisplayFormats formats;
    TTransList list;
    struct Case {
        Money Amount;
        const char* Credit;
        const char* Debit;
    };
    const Case cases[] = {
        {Units(-50), "", "$50.00"},
        {Money(), "$0.00", ""},
        {Money::FromCents(123456), "$1,234.56", ""},
    };
    for (const Case& c : cases) {
        TTransRec opening;
        opening.Kind = TransOpening;
        opening.Amount = c.Amount;
        EXPECT_EQ(list.ColumnText(opening, 9, formats), c.Credit) << c.Amount.ToDouble();
        EXPECT_EQ(list.ColumnText(opening, 10, formats), c.Debit) << c.Amount.ToDouble();
    }
}

TEST(TransDBTest, BalanceColumnIsEmptyForAnUnreconciledRecordUnlessTheyAreIncluded) {
    const TDisplayFormats formats;
    TCalcSwitches switches;
    TTransList list(&switches);
    TTransRec t;
    t.Balance = Money::FromCents(-1234);

    EXPECT_EQ(list.ColumnText(t, 11, formats), "-$12.34");
    t.Reconciled = 0;
    EXPECT_EQ(list.ColumnText(t, 11, formats), "");
    switches.IncludeUnreconciled = true;
    EXPECT_EQ(list.ColumnText(t, 11, formats), "-$12.34");
}

TEST(TransDBTest, NetAndGrossTexts) {
    const TDisplayFormats formats;
    TTransRec t;
    t.Amount = Money::FromCents(11000);
    t.Gst = Units(10);
    EXPECT_EQ(TTransList::GrossText(t, formats), "$110.00");
    EXPECT_EQ(TTransList::NetText(t, formats), "$100.00");
}

TEST(TransDBTest, ResetRangeModes) {
    struct Case {
        int Mode;
        double From;
        double To;
        int InSelection;
    };
    const Case cases[] = {
        {0, 45001.25, 45007.75, 0},
        {1, 1, 2, 1},
        {2, 45001.25, 45007.75, 1},
        {3, 1, 2, 0},
    };
    for (const Case& c : cases) {
        TTransList list;
        AddTrans(list, TransCredit, 1, 45003.5, Units(1));
        AddTrans(list, TransCredit, 2, 45001.25, Units(1));
        AddTrans(list, TransDebit, 3, 45007.75, Units(1));
        list.SetRangeDate(1, 1);
        list.SetRangeDate(2, 2);

        list.ResetRange(static_cast<std::uint8_t>(c.Mode));

        EXPECT_EQ(list.DateFrom, c.From) << "mode " << c.Mode;
        EXPECT_EQ(list.DateTo, c.To) << "mode " << c.Mode;
        for (const TTransRec* t : list.KeyList)
            EXPECT_EQ(t->InSelection, c.InSelection) << "mode " << c.Mode << " number " << t->Number;
    }

    TTransList empty;
    empty.SetRangeDate(1, 7);
    empty.SetRangeDate(2, 9);
    empty.ResetRange(2);
    EXPECT_EQ(empty.DateFrom, 7);
    EXPECT_EQ(empty.DateTo, 9);
}

TEST(TransDBTest, FilterAndTotalCountsEachKindIntoTheViewTotals) {
    SampleLedger sample;
    TTransList& list = sample.Ledger.TransList;
    sample["T13"]->Gst = Units(4);
    sample["T11"]->Gst = Units(3);
    sample["T12A"]->Reconciled = 0; // shown, but counts in no total

    list.FilterAndTotal();

    EXPECT_EQ(list.VisibleCount, 8);
    EXPECT_EQ(TotalsOf(list), (ViewTotals{Units(575), Units(90), Units(4), Units(3)}));
    EXPECT_EQ(sample["T12A"]->Row, 6);

    list.SearchIncludesUnreconciled = 1;
    list.FilterAndTotal();
    EXPECT_EQ(TotalsOf(list), (ViewTotals{Units(615), Units(90), Units(4), Units(3)}));
}

TEST(TransDBTest, FirstVisibleIndexIsAKeyIndex) {
    TTransList list;
    AddTrans(list, TransCredit, 1, 45000, Units(1));
    AddTrans(list, TransCredit, 2, 45001, Units(1))->InSelection = 1;
    AddTrans(list, TransCredit, 3, 45002, Units(1))->InSelection = 1;
    EXPECT_EQ(list.FirstVisibleIndex(), -1) << "no rows yet";

    list.RowList = {list.Items(2), list.Items(1), list.Items(0)};
    list.FilterAndTotal();
    ASSERT_EQ(list.Items(2)->Row, 0);
    EXPECT_EQ(list.FirstVisibleIndex(), 1);

    list.Items(1)->InSelection = 0;
    list.Items(2)->InSelection = 0;
    list.FilterAndTotal();
    EXPECT_EQ(list.FirstVisibleIndex(), -1);
}

TEST(TransDBTest, OrdinaryNavigationSkipsOpeningsAndTransfers) {
    TTransList list;
    const std::uint8_t kinds[] = {TransOpening, TransCredit,  TransTo,     TransFrom,
                                  TransDebit,   TransOpening, TransCredit, TransTo};
    for (std::uint8_t kind : kinds)
        AddTrans(list, kind, list.NewNumber(), 45000, Units(1));

    struct Case {
        const char* What;
        std::int32_t Actual;
        std::int32_t Expected;
    };
    const Case cases[] = {
        {"Next(0)", list.NextOrdinary(0), 1}, {"Next(1)", list.NextOrdinary(1), 4},
        {"Next(2)", list.NextOrdinary(2), 4}, {"Next(5)", list.NextOrdinary(5), 6},
        {"Next(6)", list.NextOrdinary(6), 6}, {"Prev(7)", list.PrevOrdinary(7), 6},
        {"Prev(6)", list.PrevOrdinary(6), 4}, {"Prev(3)", list.PrevOrdinary(3), 1},
        {"Prev(1)", list.PrevOrdinary(1), 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.Actual, c.Expected) << c.What;
    EXPECT_EQ(list.OrdinaryBounds(), (std::pair<std::int32_t, std::int32_t>{1, 6}));

    TTransList none;
    AddTrans(none, TransOpening, 1, 45000, Units(1));
    AddTrans(none, TransTo, 2, 45000, Units(1));
    AddTrans(none, TransFrom, 3, 45000, Units(1));
    EXPECT_EQ(none.OrdinaryBounds(), (std::pair<std::int32_t, std::int32_t>{-1, -1}));
    EXPECT_EQ(none.NextOrdinary(0), 0);
    EXPECT_EQ(none.PrevOrdinary(2), 2);
}

TEST(TransDBTest, VisibleDateSpanAndOrdinaryRows) {
    TTransList list;
    AddTrans(list, TransOpening, 1, 45000.5, Units(1));
    AddTrans(list, TransCredit, 2, 45001.25, Units(1));
    AddTrans(list, TransTo, 3, 45003.7, Units(1));
    AddTrans(list, TransDebit, 4, 45005.9, Units(1));
    list.RowList = {list.Items(3), list.Items(1), list.Items(2), list.Items(0)};
    list.ResetRange(1);
    list.Items(3)->InSelection = 0;
    list.Items(1)->InSelection = 0;
    list.FilterAndTotal(); // rows: the transfer, then the opening

    EXPECT_EQ(list.VisibleDateSpan(45100.6), (std::pair<TDateTime, TDateTime>{45003, 45000}));
    EXPECT_FALSE(list.HasOrdinaryRows());

    list.Items(1)->InSelection = 1;
    list.FilterAndTotal();
    EXPECT_EQ(list.VisibleDateSpan(45100.6), (std::pair<TDateTime, TDateTime>{45001, 45000}));
    EXPECT_TRUE(list.HasOrdinaryRows());

    list.ResetRange(0);
    list.SetRangeDate(1, 45010);
    list.FilterAndTotal();
    ASSERT_EQ(list.VisibleCount, 0);
    EXPECT_EQ(list.VisibleDateSpan(45100.6), (std::pair<TDateTime, TDateTime>{45100, 45100}));
    EXPECT_FALSE(list.HasOrdinaryRows());
}

TEST(TransDBTest, ClosingBalanceSkipsATrailingUnreconciledRowUnlessIncluded) {
    struct Record {
        int Balance;
        bool Reconciled;
        bool Shown;
    };
    struct Case {
        const char* What;
        std::vector<Record> Records; // in view order
        bool Include;
        Money Expected;
    };
    const Case cases[] = {
        {"no rows", {{10, true, false}}, false, Money()},
        {"last reconciled", {{10, true, true}, {20, true, true}, {30, true, true}}, false, Units(30)},
        {"last unreconciled", {{10, true, true}, {20, true, true}, {30, false, true}}, false, Units(20)},
        {"last unreconciled, included", {{10, true, true}, {20, true, true}, {30, false, true}}, true, Units(30)},
        {"two unreconciled at the end", {{10, true, true}, {20, false, true}, {30, false, true}}, false, Units(10)},
        {"only unreconciled rows", {{10, false, true}, {-20, false, true}}, false, Units(-20)},
        {"the reconciled one has no row", {{10, true, false}, {20, false, true}, {30, false, true}}, false, Units(30)},
        {"a hidden record after the last row",
         {{10, true, true}, {20, true, true}, {30, false, false}},
         false,
         Units(20)},
    };
    for (const Case& c : cases) {
        TCalcSwitches switches;
        switches.IncludeUnreconciled = c.Include;
        TTransList list(&switches);
        for (const Record& r : c.Records) {
            TTransRec* t = AddTrans(list, TransCredit, list.NewNumber(), 45000, Units(1));
            t->Balance = Units(r.Balance);
            t->Reconciled = r.Reconciled ? 1 : 0;
            t->InSelection = r.Shown ? 1 : 0;
        }
        list.FilterAndTotal();
        EXPECT_EQ(list.ClosingBalance(), c.Expected) << c.What;
    }
}

TEST(TransDBTest, SetReconciledKeepsTheCountAndTheViewTotalsInStep) {
    for (bool include : {false, true}) {
        for (const char* label : {"T13", "T11", "T12A", "T20", "T21", "OpCash", "OpCheque"}) {
            SampleLedger sample;
            TTransList& list = sample.Ledger.TransList;
            sample.Ledger.Switches.IncludeUnreconciled = include;
            sample["T13"]->Gst = Units(4);
            sample["T11"]->Gst = Units(3);
            sample["T21"]->InSelection = 0; // has no row: never in the view totals
            list.FilterAndTotal();
            ASSERT_EQ(list.UnreconciledCount, 0);
            const ViewTotals before = TotalsOf(list);
            const std::int32_t index = list.IndexOf(sample[label]);

            list.SetReconciled(index, 0);
            EXPECT_EQ(sample[label]->Reconciled, 0);
            EXPECT_EQ(list.UnreconciledCount, 1) << label;
            const ViewTotals afterUnreconcile = TotalsOf(list);
            list.FilterAndTotal();
            EXPECT_EQ(afterUnreconcile, TotalsOf(list)) << label << (include ? " included" : "");

            list.SetReconciled(index, 1);
            EXPECT_EQ(sample[label]->Reconciled, 1);
            EXPECT_EQ(list.UnreconciledCount, 0) << label;
            EXPECT_EQ(TotalsOf(list), before) << label << (include ? " included" : "");
        }
    }
}

TEST(TransDBTest, SetReconciledTakesACreditOutOfTheCreditTotal) {
    SampleLedger sample;
    TTransList& list = sample.Ledger.TransList;
    sample["T13"]->Gst = Units(4);
    list.FilterAndTotal();
    ASSERT_EQ(TotalsOf(list), (ViewTotals{Units(615), Units(90), Units(4), Money()}));

    list.SetReconciled(list.IndexOf(sample["T13"]), 0);
    EXPECT_EQ(list.CreditTotal, Units(575));
    EXPECT_EQ(list.DebitTotal, Units(90));
    EXPECT_EQ(list.UnreconciledCount, 1);

    list.SetReconciled(list.IndexOf(sample["T11"]), 0);
    EXPECT_EQ(list.DebitTotal, Units(60));
    EXPECT_EQ(list.UnreconciledCount, 2);
}

TEST(TransDBTest, AssignCopiesEverythingButTheFilePosition) {
    TTransRec source;
    source.FilePos = 640;
    source.Number = 12;
    source.Split = 'C';
    source.Date = 45001.5;
    source.PrevDate = 45000;
    source.Kind = TransDebit;
    source.Reference = "INV-7";
    source.MainAct = 300;
    source.SubAct = 2;
    source.Group = 4;
    source.Book = 3;
    source.Gst = Units(1);
    source.Amount = Units(11);
    source.Balance = Units(-5);
    source.NetBalance = Units(-4);
    source.Notes = "part of a split";
    source.Row = 9;
    source.InSelection = 1;
    source.InSearch = 0;
    source.DayEnd = 0;
    source.Reconciled = 0;

    TTransRec copy;
    copy.FilePos = 320;
    copy.Assign(source);

    EXPECT_EQ(copy.FilePos, 320);
    EXPECT_EQ(copy.Number, 12);
    EXPECT_EQ(copy.Split, 'C');
    EXPECT_EQ(copy.Date, 45001.5);
    EXPECT_EQ(copy.PrevDate, 45000);
    EXPECT_EQ(copy.Kind, TransDebit);
    EXPECT_EQ(copy.Reference, "INV-7");
    EXPECT_EQ(copy.MainAct, 300);
    EXPECT_EQ(copy.SubAct, 2);
    EXPECT_EQ(copy.Group, 4);
    EXPECT_EQ(copy.Book, 3);
    EXPECT_EQ(copy.Gst, Units(1));
    EXPECT_EQ(copy.Amount, Units(11));
    EXPECT_EQ(copy.Balance, Units(-5));
    EXPECT_EQ(copy.NetBalance, Units(-4));
    EXPECT_EQ(copy.Notes, "part of a split");
    EXPECT_EQ(copy.Row, 9);
    EXPECT_EQ(copy.InSelection, 1);
    EXPECT_EQ(copy.InSearch, 0);
    EXPECT_EQ(copy.DayEnd, 0);
    EXPECT_EQ(copy.Reconciled, 0);
    EXPECT_EQ(source.FilePos, 640);
}

TEST(TransDBTest, TotalsHooksMoveTheClassificationTotals) {
    TLedger ledger;
    TMainActRec* sales = AddCategory(ledger.MainActList, 100, "Sales", SideCredit);
    TSubActRec* retail = AddSub(ledger.SubActList, 100, 1, "Retail", SideCredit);
    TGroupRec* shop = AddGroup(ledger.GroupList, 2, "Shop");
    TTransRec credit;
    credit.Kind = TransCredit;
    credit.MainAct = 100;
    credit.SubAct = 1;
    credit.Group = 2;
    credit.Amount = Units(40);
    TTransRec debit = credit;
    debit.Kind = TransDebit;
    debit.Amount = Units(15);

    ledger.TransList.AddToTotals(credit); // no document open: nothing moves
    EXPECT_EQ(sales->Total, Money());

    ledger.TotalsHooksActive = true;
    ledger.TransList.AddToTotals(credit);
    ledger.TransList.AddToTotals(debit);
    EXPECT_EQ(sales->Total, Units(55));
    EXPECT_EQ(retail->Total, Units(55));
    EXPECT_EQ(shop->CreditTotal, Units(40));
    EXPECT_EQ(shop->DebitTotal, Units(15)) << "the group takes the kind as its side";

    ledger.TransList.RemoveFromTotals(credit);
    EXPECT_EQ(sales->Total, Units(15));
    EXPECT_EQ(retail->Total, Units(15));
    EXPECT_EQ(shop->CreditTotal, Money());
    EXPECT_EQ(shop->DebitTotal, Units(15));
}

TEST(TransDBTest, ClearZeroesTheListFigures) {
    SampleLedger sample;
    TTransList& list = sample.Ledger.TransList;
    list.OldOpeningBalance = Units(9);
    list.FilterAndTotal();
    list.SetReconciled(list.IndexOf(sample["T11"]), 0);
    ASSERT_EQ(list.UnreconciledCount, 1);

    list.Clear();

    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(list.RowList.empty());
    EXPECT_EQ(list.VisibleCount, 0);
    EXPECT_EQ(list.UnreconciledCount, 0);
    EXPECT_EQ(list.OldOpeningBalance, Money());
    EXPECT_EQ(TotalsOf(list), ViewTotals{});
    EXPECT_EQ(list.NewNumber(), 1);
}

TEST(TransDBTest, TransferListPairsEachTransferToWithItsPartner) {
    SampleLedger sample;
    TTransList& list = sample.Ledger.TransList;
    // A second transfer whose partner (number 31) was deleted, and a stray second Kind 4 numbered 21.
    TTransRec* orphan = AddTrans(list, TransTo, 30, 45002, Units(9));
    orphan->MainAct = 31;
    AddTrans(list, TransFrom, 21, 45002, Units(9))->MainAct = 99;
    TTransferList transfers;

    transfers.Build(list);
    ASSERT_EQ(transfers.Count(), 2);
    EXPECT_EQ(transfers.Item(0)->ToTrans, sample["T20"]);
    EXPECT_EQ(transfers.Item(0)->FromTrans, sample["T21"]);
    EXPECT_EQ(transfers.Item(1)->ToTrans, orphan);
    EXPECT_EQ(transfers.Item(1)->FromTrans, nullptr);
    EXPECT_EQ(transfers.Item(2), nullptr);
    EXPECT_EQ(transfers.Item(-1), nullptr);

    list.Delete(list.IndexOf(sample["T21"]));
    transfers.Build(list);
    ASSERT_EQ(transfers.Count(), 2) << "a rebuild starts empty";
    EXPECT_EQ(transfers.Item(0)->ToTrans, sample["T20"]);
    EXPECT_NE(transfers.Item(0)->FromTrans, nullptr) << "the other Kind 4 numbered 21 is now the first";
    EXPECT_EQ(transfers.Item(0)->FromTrans->MainAct, 99);

    transfers.Clear();
    EXPECT_EQ(transfers.Count(), 0);
}

TEST(TransDBTest, TransferWhosePartnerWasDeletedHasNoFromHalf) {
    SampleLedger sample;
    TTransList& list = sample.Ledger.TransList;
    list.Delete(list.IndexOf(sample["T21"]));
    TTransferList transfers;
    transfers.Build(list);
    ASSERT_EQ(transfers.Count(), 1);
    EXPECT_EQ(transfers.Item(0)->ToTrans, sample["T20"]);
    EXPECT_EQ(transfers.Item(0)->FromTrans, nullptr);
}

} // namespace
} // namespace qz

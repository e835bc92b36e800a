#include "ledger/TransDB.h"
#include "support/LedgerFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace qz {
namespace {

using test::AddBook;
using test::AddCategory;
using test::AddGroup;
using test::AddSub;
using test::AddTrans;
using test::SampleLedger;
using test::Units;

using Labels = std::vector<std::string>;

struct OrderCase {
    int Order;
    Labels Expected;
};

// The sample ledger's records: Cash has position 0 (number 7), Cheque position 1 (number 3).
const OrderCase OrderCases[] = {
    // number: openings first by position; split parts between their neighbours, A before B
    {0, {"OpCash", "OpCheque", "T11", "T12A", "T12B", "T13", "T20", "T21"}},
    // date: day, then position, then the opening first; the time of day does not count
    {1, {"OpCash", "T13", "OpCheque", "T12A", "T12B", "T21", "T11", "T20"}},
    // reference: byte-wise, case-sensitive, shorter first ("R1" < "R10" < "R1b" < "r0")
    {2, {"OpCash", "OpCheque", "T12B", "T11", "T12A", "T13", "T20", "T21"}},
    // category number, then transaction number; transfers last, Kind 4 before Kind 5
    {3, {"OpCash", "OpCheque", "T12A", "T13", "T12B", "T11", "T21", "T20"}},
    // category name
    {4, {"OpCash", "OpCheque", "T12B", "T11", "T12A", "T13", "T21", "T20"}},
    // sub category number
    {5, {"OpCash", "OpCheque", "T12A", "T13", "T11", "T12B", "T21", "T20"}},
    // sub category name
    {6, {"OpCash", "OpCheque", "T11", "T12B", "T12A", "T13", "T21", "T20"}},
    // group number
    {7, {"OpCash", "OpCheque", "T12B", "T13", "T12A", "T11", "T21", "T20"}},
    // group name
    {8, {"OpCash", "OpCheque", "T11", "T12A", "T12B", "T13", "T21", "T20"}},
    // amount (openings by position, not by their amounts 500 and -20), then number
    {9, {"OpCash", "OpCheque", "T12B", "T11", "T20", "T21", "T12A", "T13"}},
    // notes ("" < "B" < "a" < "m"), then the full date, then position
    {11, {"OpCash", "OpCheque", "T21", "T20", "T11", "T12A", "T12B", "T13"}},
    // no such order: the view stays as it was and only the rows are given
    {12, {"T21", "T12B", "T11", "OpCash", "T20", "T13", "T12A", "OpCheque"}},
};

TEST(TransSortTest, SortRowsOrdersTheViewAndGivesTheRows) {
    for (const OrderCase& c : OrderCases) {
        SampleLedger sample;
        TTransList& list = sample.Ledger.TransList;
        const std::vector<TTransRec*> keyOrder = list.KeyList;

        list.SortRows(static_cast<std::uint8_t>(c.Order));

        EXPECT_EQ(sample.LabelsOf(list.RowList), c.Expected) << "order " << c.Order;
        EXPECT_EQ(list.VisibleCount, 8) << "order " << c.Order;
        EXPECT_EQ(sample.RowLabels(), c.Expected) << "order " << c.Order;
        EXPECT_EQ(list.KeyList, keyOrder) << "order " << c.Order << " must leave the key order alone";
    }
}

TEST(TransSortTest, SplitLetterOrderPutsTheUnsplitFirst) {
    SampleLedger sample;
    TTransList& list = sample.Ledger.TransList;
    list.SortRows(10);
    std::string letters;
    for (const TTransRec* t : list.RowList)
        letters += t->Split;
    EXPECT_EQ(letters, "000000AB");
}

TEST(TransSortTest, PositionsFollowTheAccountsOrderNotTheirNumbers) {
    SampleLedger sample;
    TBookList& books = sample.Ledger.BookList;
    TBookRec* cash = books.Items(0);
    TBookRec* cheque = books.Items(1);
    books.Put(0, cheque);
    books.Put(1, cash);
    books.NumberRows();
    TTransList& list = sample.Ledger.TransList;

    list.SortRows(0);
    EXPECT_EQ(sample.LabelsOf(list.RowList),
              (Labels{"OpCheque", "OpCash", "T11", "T12A", "T12B", "T13", "T20", "T21"}));

    list.SortRows(1);
    EXPECT_EQ(sample.LabelsOf(list.RowList),
              (Labels{"OpCheque", "OpCash", "T13", "T11", "T20", "T12A", "T12B", "T21"}));
}

TEST(TransSortTest, ClassificationOrdersPutOpeningsThenOrdinaryThenTransfersByKindAndPosition) {
    for (int order = 3; order <= 8; ++order) {
        SampleLedger sample;
        TTransList& list = sample.Ledger.TransList;
        // A second transfer, Cheque (position 1) from Cash (position 0), standing first in the view.
        TTransRec* in = AddTrans(list, TransFrom, 30, 45001, Units(8));
        in->Book = 3;
        in->Group = 7;
        in->MainAct = 31;
        TTransRec* out = AddTrans(list, TransTo, 31, 45001, Units(8));
        out->Book = 7;
        out->Group = 3;
        out->MainAct = 30;
        LinkRecords(sample.Ledger);
        sample.Labels[in] = "T30";
        sample.Labels[out] = "T31";
        std::rotate(list.RowList.begin(), list.RowList.end() - 2, list.RowList.end());

        list.SortRows(static_cast<std::uint8_t>(order));

        const Labels labels = sample.LabelsOf(list.RowList);
        ASSERT_EQ(labels.size(), 10u);
        EXPECT_EQ(Labels(labels.begin(), labels.begin() + 2), (Labels{"OpCash", "OpCheque"})) << "order " << order;
        EXPECT_EQ(Labels(labels.end() - 4, labels.end()), (Labels{"T21", "T30", "T31", "T20"})) << "order " << order;
    }
}

TEST(TransSortTest, EqualNamesOfDifferentRecordsFallToTheNumber) {
    TLedger ledger;
    AddBook(ledger.BookList, 0, "Cash");
    ledger.BookList.NumberRows();
    AddCategory(ledger.MainActList, 500, "Fees", SideDebit);
    AddCategory(ledger.MainActList, 600, "Fees", SideDebit);
    AddSub(ledger.SubActList, 500, 1, "Bank", SideDebit);
    AddSub(ledger.SubActList, 600, 1, "Bank", SideDebit);
    AddGroup(ledger.GroupList, 5, "Misc");
    AddGroup(ledger.GroupList, 6, "Misc");
    for (const auto& [number, category] : {std::pair{30, 600}, std::pair{40, 500}, std::pair{50, 600}}) {
        TTransRec* t = AddTrans(ledger.TransList, TransDebit, number, 45000, Units(1));
        t->MainAct = category;
        t->SubAct = 1;
        t->Group = static_cast<std::uint16_t>(category / 100);
        t->InSelection = 1;
    }
    LinkRecords(ledger);

    for (int order : {4, 6, 8}) {
        std::reverse(ledger.TransList.RowList.begin(), ledger.TransList.RowList.end());
        ledger.TransList.SortRows(static_cast<std::uint8_t>(order));
        std::vector<int> numbers;
        for (const TTransRec* t : ledger.TransList.RowList)
            numbers.push_back(t->Number);
        EXPECT_EQ(numbers, (std::vector<int>{30, 40, 50})) << "order " << order;
    }
}

TEST(TransSortTest, NotesCompareAsUnsignedBytes) {
    TTransList list;
    for (const char* notes : {"\xE9t\xE9", "zebra", "Zebra", ""}) {
        TTransRec* t = AddTrans(list, TransCredit, list.NewNumber(), 45000, Units(1));
        t->Notes = notes;
        t->InSelection = 1;
    }
    list.SortRows(11);
    std::vector<std::string> notes;
    for (const TTransRec* t : list.RowList)
        notes.push_back(t->Notes);
    EXPECT_EQ(notes, (std::vector<std::string>{"", "Zebra", "zebra", "\xE9t\xE9"}));
}

TEST(TransSortTest, SortByKeySortsTheKeyOrderByDateAndLeavesTheView) {
    SampleLedger sample;
    TTransList& list = sample.Ledger.TransList;
    const std::vector<TTransRec*> viewOrder = list.RowList;

    list.SortByKey();

    EXPECT_EQ(sample.LabelsOf(list.KeyList),
              (Labels{"OpCash", "T13", "OpCheque", "T12A", "T12B", "T21", "T11", "T20"}));
    EXPECT_EQ(list.Sorted, 1);
    EXPECT_EQ(list.RowList, viewOrder);
}

TEST(TransSortTest, SortRowsAppliesTheFilterAfterSorting) {
    SampleLedger sample;
    TTransList& list = sample.Ledger.TransList;
    sample.Ledger.Switches.DateRangeActive = true;
    list.SetRangeDate(1, 45001);

    list.SortRows(0);

    EXPECT_EQ(sample.RowLabels(), (Labels{"T11", "T12A", "T12B", "T20", "T21"}));
    EXPECT_EQ(sample["OpCash"]->Row, -1);
    EXPECT_EQ(sample["T13"]->Row, -1);
    EXPECT_EQ(list.CreditTotal, Units(75));
    EXPECT_EQ(list.DebitTotal, Units(70));
}

} // namespace
} // namespace qz

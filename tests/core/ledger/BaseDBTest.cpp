#include "ledger/Ledger.h"
#include "support/LedgerFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace qz {
namespace {

using test::AddBook;
using test::AddCategory;
using test::AddCatType;
using test::AddGroup;
using test::AddSub;
using test::AddTrans;
using test::ChangeLog;
using test::Units;

using Calls = std::vector<std::pair<int, int>>;

TEST(BaseDBTest, AddReportsTheNewKeyIndexAndKeepsBothOrders) {
    TGroupList groups;
    ChangeLog log;
    log.Attach(groups);

    TGroupRec* first = AddGroup(groups, 4, "Shop");
    TGroupRec* second = AddGroup(groups, 2, "Office");
    auto* third = new TGroupRec;
    third->Number = 9;
    EXPECT_EQ(groups.Add(third), 2);

    EXPECT_EQ(log.Calls, (Calls{{ActionAdd, 0}, {ActionAdd, 1}, {ActionAdd, 2}}));
    EXPECT_EQ(groups.Count(), 3);
    EXPECT_EQ(groups.KeyList, (std::vector<TGroupRec*>{first, second, third}));
    EXPECT_EQ(groups.RowList, (std::vector<TGroupRec*>{first, second, third}));
    EXPECT_EQ(groups.IndexOf(second), 1);
    TGroupRec stranger;
    EXPECT_EQ(groups.IndexOf(&stranger), -1);
}

TEST(BaseDBTest, SortedIsSetBySortAndClearedByEachAdd) {
    TCatList types;
    AddCatType(types, 3, "B", SideCredit, 1);
    AddCatType(types, 1, "A", SideCredit, 1);
    EXPECT_EQ(types.Sorted, 0);

    types.SortByKey();
    EXPECT_EQ(types.Sorted, 1);
    EXPECT_EQ(types.Items(0)->Number, 1);
    EXPECT_EQ(types.Items(1)->Number, 3);

    AddCatType(types, 2, "C", SideCredit, 1);
    EXPECT_EQ(types.Sorted, 0);
}

TEST(BaseDBTest, DeleteIsReportedWhileTheRecordIsStillAtItsIndex) {
    TMainActList categories;
    std::vector<TMainActRec*> records;
    for (const char* name : {"Echo", "Delta", "Charlie", "Bravo", "Alpha"})
        records.push_back(AddCategory(categories, static_cast<int>(records.size()) * 100, name, SideCredit));
    categories.SortRows(1); // view order by name: the reverse of the key order

    struct Seen {
        int Action = -1;
        int Index = -1;
        const TMainActRec* AtIndex = nullptr;
        int Count = -1;
        bool StillInView = true;
    } seen;
    categories.OnChange = [&](std::uint8_t action, std::int32_t index) {
        seen.Action = action;
        seen.Index = index;
        seen.AtIndex = categories.Items(index);
        seen.Count = categories.Count();
        seen.StillInView =
            std::find(categories.RowList.begin(), categories.RowList.end(), records[3]) != categories.RowList.end();
    };

    categories.Delete(3);

    EXPECT_EQ(seen.Action, ActionDelete);
    EXPECT_EQ(seen.Index, 3);
    EXPECT_EQ(seen.AtIndex, records[3]);
    EXPECT_EQ(seen.Count, 5);
    EXPECT_FALSE(seen.StillInView) << "the view order gives the record up before the report";
    EXPECT_EQ(categories.KeyList, (std::vector<TMainActRec*>{records[0], records[1], records[2], records[4]}));
    EXPECT_EQ(categories.RowList, (std::vector<TMainActRec*>{records[4], records[2], records[1], records[0]}));
}

TEST(BaseDBTest, ChangedReportsActionOneAndNotifyZeroSilencesEveryReport) {
    TBookList books;
    ChangeLog log;
    log.Attach(books);
    AddBook(books, 0, "Cash");
    AddBook(books, 1, "Cheque");
    books.Changed(1);
    EXPECT_EQ(log.Calls, (Calls{{ActionAdd, 0}, {ActionAdd, 1}, {ActionChange, 1}}));

    log.Calls.clear();
    books.Notify = 0;
    AddBook(books, 2, "Card");
    books.Changed(0);
    books.Delete(0);
    EXPECT_TRUE(log.Calls.empty());
    EXPECT_EQ(books.Count(), 2);

    books.Notify = 1;
    books.Delete(1);
    EXPECT_EQ(log.Calls, (Calls{{ActionDelete, 1}}));
}

TEST(BaseDBTest, AListWithoutAHookStillAddsAndDeletes) {
    TTransList transactions;
    AddTrans(transactions, TransCredit, 1, 45000, Units(1));
    AddTrans(transactions, TransCredit, 2, 45000, Units(1));
    transactions.Delete(0);
    ASSERT_EQ(transactions.Count(), 1);
    EXPECT_EQ(transactions.Items(0)->Number, 2);
}

// The message of the exception of class E that `call` raises, or what happened instead.
template <class E> std::string RaisedMessage(const std::function<void()>& call) {
    try {
        call();
    } catch (const E& e) {
        return e.what();
    } catch (const std::exception& e) {
        return std::string("<another class: ") + e.what() + ">";
    }
    return "<nothing raised>";
}

TEST(BaseDBTest, EachListRaisesItsOwnExceptionWithItsOwnMessage) {
    // Two records in every list, so index 2 is the first one past the end.
    TMainActList categories;
    AddCategory(categories, 100, "Sales", SideCredit);
    AddCategory(categories, 200, "Rent", SideDebit);
    TSubActList subs;
    AddSub(subs, 100, 1, "Retail", SideCredit);
    AddSub(subs, 200, 1, "Shop", SideDebit);
    TGroupList groups;
    AddGroup(groups, 0, "Shop");
    AddGroup(groups, 1, "Office");
    TCatList types;
    AddCatType(types, 0, "General Income", SideCredit, 1);
    AddCatType(types, 1, "Overheads", SideDebit, 2);
    TBookList books;
    AddBook(books, 0, "Cash");
    AddBook(books, 1, "Cheque");
    TTransList transactions;
    AddTrans(transactions, TransCredit, 1, 45000, Units(1));
    AddTrans(transactions, TransDebit, 2, 45000, Units(1));
    TMainActList emptyCategories;

    struct Case {
        const char* What;
        std::string Actual;
        std::string Expected;
    };
    const Case cases[] = {
        {"categories Items(2)", RaisedMessage<EMainActDBException>([&] { categories.Items(2); }),
         "List index out of bounds 2"},
        {"categories Items(-1)", RaisedMessage<EMainActDBException>([&] { categories.Items(-1); }),
         "List index out of bounds -1"},
        {"empty categories Items(0)", RaisedMessage<EMainActDBException>([&] { emptyCategories.Items(0); }),
         "List index out of bounds 0"},
        {"categories AddToTotal(absent)",
         RaisedMessage<EMainActDBException>([&] { categories.AddToTotal(999, Units(1)); }),
         "List index out of bounds 2"},
        {"categories SubtractFromTotal(absent)",
         RaisedMessage<EMainActDBException>([&] { categories.SubtractFromTotal(999, Units(1)); }),
         "List index out of bounds 2"},
        {"sub categories Items(2)", RaisedMessage<ESubActDBException>([&] { subs.Items(2); }),
         "List index out of bounds (2)"},
        {"sub categories Items(-1)", RaisedMessage<ESubActDBException>([&] { subs.Items(-1); }),
         "List index out of bounds (-1)"},
        {"sub categories AddToTotal(absent pair)",
         RaisedMessage<ESubActDBException>([&] { subs.AddToTotal(100, 2, Units(1)); }), "List index out of bounds (2)"},
        {"sub categories SubtractFromTotal(absent pair)",
         RaisedMessage<ESubActDBException>([&] { subs.SubtractFromTotal(300, 1, Units(1)); }),
         "List index out of bounds (2)"},
        {"groups Items(2)", RaisedMessage<EGroupDBException>([&] { groups.Items(2); }), "List index out of bounds - 2"},
        {"groups Items(-1)", RaisedMessage<EGroupDBException>([&] { groups.Items(-1); }),
         "List index out of bounds - -1"},
        {"groups FindByNumber(absent)", RaisedMessage<EGroupDBException>([&] { groups.FindByNumber(7); }),
         "List index out of bounds - 2"},
        {"types Items(2)", RaisedMessage<ECatDBException>([&] { types.Items(2); }), "List index out of bounds (2)"},
        {"types Items(-1)", RaisedMessage<ECatDBException>([&] { types.Items(-1); }), "List index out of bounds (-1)"},
        {"types FindByNumber(absent)", RaisedMessage<ECatDBException>([&] { types.FindByNumber(5); }),
         "List index out of bounds (2)"},
        {"accounts Items(2)", RaisedMessage<EBookDBException>([&] { books.Items(2); }), "List index out of bounds 2"},
        {"accounts Items(-1)", RaisedMessage<EBookDBException>([&] { books.Items(-1); }),
         "List index out of bounds -1"},
        {"accounts FindByNumber(absent)", RaisedMessage<EBookDBException>([&] { books.FindByNumber(5); }),
         "List index out of bounds 2"},
        {"accounts Put(2)", RaisedMessage<EBookDBException>([&] { books.Put(2, nullptr); }),
         "List index out of bounds"},
        {"accounts Put(-1)", RaisedMessage<EBookDBException>([&] { books.Put(-1, nullptr); }),
         "List index out of bounds"},
        {"transactions Items(2)", RaisedMessage<ETransDBException>([&] { transactions.Items(2); }),
         "List index out of bounds"},
        {"transactions Items(-1)", RaisedMessage<ETransDBException>([&] { transactions.Items(-1); }),
         "List index out of bounds"},
        {"transactions Delete(2)", RaisedMessage<ETransDBException>([&] { transactions.Delete(2); }),
         "List index out of bounds"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.Actual, c.Expected) << c.What;

    // Nothing was removed or changed by the failed calls.
    EXPECT_EQ(transactions.Count(), 2);
    EXPECT_EQ(books.Count(), 2);
    EXPECT_EQ(categories.CreditTotal, Money());
    EXPECT_EQ(categories.DebitTotal, Money());
}

TEST(BaseDBTest, RowItemFindsTheRecordByItsRowAndNothingOutsideTheRows) {
    TMainActList categories;
    TMainActRec* shown0 = AddCategory(categories, 100, "A", SideCredit, Units(5));
    AddCategory(categories, 200, "B", SideCredit, Money()); // hidden: zero total
    TMainActRec* shown1 = AddCategory(categories, 300, "C", SideDebit, Units(7));
    AddCategory(categories, 400, "D", SideDebit, Units(-1)); // hidden: negative total
    categories.Recount();

    ASSERT_EQ(categories.VisibleCount, 2);
    EXPECT_EQ(categories.RowItem(0), shown0);
    EXPECT_EQ(categories.RowItem(1), shown1) << "row 1 stands at view position 2: found by the forward search";
    EXPECT_EQ(categories.RowItem(2), nullptr);
    EXPECT_EQ(categories.RowItem(3), nullptr);
    EXPECT_EQ(categories.RowItem(4), nullptr);
    EXPECT_EQ(categories.RowItem(-1), nullptr);
}

} // namespace
} // namespace qz

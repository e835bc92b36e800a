// The transaction view orders on generated books, checked against comparisons written
// straight from the order table, one key after another.

#include "engine/Engine.h"
#include "engine/Generator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace qz {
namespace {

int R1(const TTransRec& t) {
    return t.Kind == TransOpening ? 0 : 1;
}
int R3(const TTransRec& t) {
    return t.Kind == TransOpening ? 0 : t.IsOrdinary() ? 1 : 2;
}
int P(const TTransRec& t) {
    return t.BookRec->Row;
}
std::string_view CategoryName(const TTransRec& t) {
    return t.MainActRec ? t.MainActRec->Name.View() : "";
}
std::string_view SubName(const TTransRec& t) {
    return t.SubActRec ? t.SubActRec->Name.View() : "";
}
std::string_view GroupName(const TTransRec& t) {
    return t.GroupRec ? t.GroupRec->Name.View() : "";
}

// -1, 0 or 1 for a against b on one key.
template <class T> int Cmp(const T& a, const T& b) {
    return a < b ? -1 : b < a ? 1 : 0;
}

using Compare = std::function<int(const TTransRec&, const TTransRec&)>;

// Orders 3 to 8: openings by position, transfers by kind then position, ordinary ones by `key`.
template <class Key> Compare ByClassification(Key key) {
    return [key](const TTransRec& a, const TTransRec& b) {
        if (int c = Cmp(R3(a), R3(b)))
            return c;
        if (a.Kind == TransOpening)
            return Cmp(P(a), P(b));
        if (a.IsTransfer()) {
            if (int c = Cmp(a.Kind, b.Kind))
                return c;
            return Cmp(P(a), P(b));
        }
        if (int c = Cmp(key(a), key(b)))
            return c;
        return Cmp(a.Number, b.Number);
    };
}

Compare Oracle(int order) {
    switch (order) {
    case 0:
        return [](const TTransRec& a, const TTransRec& b) {
            if (int c = Cmp(R1(a), R1(b)))
                return c;
            if (a.Kind == TransOpening)
                return Cmp(P(a), P(b));
            if (int c = Cmp(a.Number, b.Number))
                return c;
            return Cmp(a.Split, b.Split);
        };
    case 1:
        return [](const TTransRec& a, const TTransRec& b) {
            if (int c = Cmp(std::trunc(a.Date), std::trunc(b.Date)))
                return c;
            if (int c = Cmp(P(a), P(b)))
                return c;
            if (int c = Cmp(R1(a), R1(b)))
                return c;
            if (int c = Cmp(a.Number, b.Number))
                return c;
            return Cmp(a.Split, b.Split);
        };
    case 2:
        return [](const TTransRec& a, const TTransRec& b) {
            if (int c = Cmp(R3(a), R3(b)))
                return c;
            if (a.Kind == TransOpening)
                return Cmp(P(a), P(b));
            if (int c = Cmp(a.Reference.View(), b.Reference.View()))
                return c;
            return Cmp(a.Number, b.Number);
        };
    case 3:
        return ByClassification([](const TTransRec& t) { return t.MainAct; });
    case 4:
        return ByClassification(CategoryName);
    case 5:
        return ByClassification([](const TTransRec& t) { return t.SubAct; });
    case 6:
        return ByClassification(SubName);
    case 7:
        return ByClassification([](const TTransRec& t) { return t.Group; });
    case 8:
        return ByClassification(GroupName);
    case 9:
        return [](const TTransRec& a, const TTransRec& b) {
            if (int c = Cmp(R1(a), R1(b)))
                return c;
            if (a.Kind == TransOpening)
                return Cmp(P(a), P(b));
            if (int c = Cmp(a.Amount, b.Amount))
                return c;
            return Cmp(a.Number, b.Number);
        };
    case 10:
        return [](const TTransRec& a, const TTransRec& b) { return Cmp(a.Split, b.Split); };
    default:
        return [](const TTransRec& a, const TTransRec& b) {
            if (int c = Cmp(std::string_view(a.Notes), std::string_view(b.Notes)))
                return c;
            if (int c = Cmp(a.Date, b.Date))
                return c;
            if (int c = Cmp(P(a), P(b)))
                return c;
            if (int c = Cmp(R1(a), R1(b)))
                return c;
            if (int c = Cmp(a.Number, b.Number))
                return c;
            return Cmp(a.Split, b.Split);
        };
    }
}

class ViewOrdersTest : public ::testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite() {
        Books = new TLedger;
        TGeneratorOptions options;
        options.Seed = 5;
        options.Transactions = 4000;
        options.Accounts = 5;
        options.Categories = 30; // more categories than names: "Sales" and "Sales 2" both exist
        GenerateLedger(*Books, options);
        // Accounts in an order of their own, so position and number differ.
        std::swap(Books->BookList.KeyList[0], Books->BookList.KeyList[3]);
        Books->BookList.NumberRows();
    }
    static void TearDownTestSuite() {
        delete Books;
        Books = nullptr;
    }
    static TLedger* Books;
};

TLedger* ViewOrdersTest::Books = nullptr;

TEST_P(ViewOrdersTest, RowsFollowTheOrderAndEqualKeysKeepTheirPlace) {
    const int order = GetParam();
    TTransList& list = Books->TransList;
    list.SortRows(9); // start from another order
    list.SortRows(static_cast<std::uint8_t>(order));
    const std::vector<TTransRec*> first = list.RowList;
    const Compare compare = Oracle(order);
    for (std::size_t i = 1; i < first.size(); ++i)
        ASSERT_LE(compare(*first[i - 1], *first[i]), 0) << "rows " << i - 1 << " and " << i;
    // Sorting again changes nothing: ties are settled by the order the records were in.
    list.SortRows(static_cast<std::uint8_t>(order));
    EXPECT_EQ(list.RowList, first);
    EXPECT_EQ(list.VisibleCount, list.Count()) << "the sort runs the row filter";
}

// Each order by what it sorts on.
std::string OrderName(const ::testing::TestParamInfo<int>& info) {
    static const char* const names[] = {"Number",       "Date",      "Reference", "CategoryNumber",
                                        "CategoryName", "SubNumber", "SubName",   "GroupNumber",
                                        "GroupName",    "Amount",    "Split",     "Notes"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(EveryOrder, ViewOrdersTest, ::testing::Range(0, 12), OrderName);

TEST_F(ViewOrdersTest, KeyOrderIsDateOrder) {
    TTransList& list = Books->TransList;
    std::vector<TTransRec*> shuffled = list.KeyList;
    std::reverse(shuffled.begin(), shuffled.end());
    list.KeyList = shuffled;
    list.SortByKey();
    const Compare compare = Oracle(1);
    for (std::size_t i = 1; i < list.KeyList.size(); ++i)
        ASSERT_LE(compare(*list.KeyList[i - 1], *list.KeyList[i]), 0) << i;
    EXPECT_EQ(list.Sorted, 1);
}

} // namespace
} // namespace qz

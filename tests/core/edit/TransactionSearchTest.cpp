// The transaction search: what each criterion of the two pages keeps, the opening-balance
// rules, the checks of "&OK", the run with its progress and saved copy, and the view totals of
// an "Unreconciled Only" search as the worksheet shows them.

#include "edit/TransactionSearch.h"
#include "worksheet/WorksheetFixture.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace qz::testing {
namespace {

// Eleven records on one day: two opening balances, six ordinary transactions, a transfer
// pair and the two parts of split transaction 57.
//
//   label  kind  number  ref   amount  reconciled
//   OpA    3     1             1000    yes        (account 0)
//   OpB    3     2             -50     yes        (account 1)
//   C10    1     10      A9    100     yes
//   D11    2     11      B     40      no
//   C12    1     12      B1    250     yes
//   D15    2     15      C     100     yes
//   C20    1     20      b     10      no
//   T21    5     21      X     75      yes        (account 0 to account 1)
//   F22    4     22      X     75      yes
//   S57A   1     57A     S     60      yes
//   S57B   2     57B     S     5       yes
class SearchBooks : public WorksheetFixture {
protected:
    void SetUp() override {
        WorksheetFixture::SetUp();
        Label(Opening(D, 1000, 0), "OpA", 1);
        Label(Opening(D, -50, 1), "OpB", 2);
        Label(Credit(D, 100), "C10", 10, "A9");
        Label(Debit(D, 40), "D11", 11, "B")->Reconciled = 0;
        Label(Credit(D, 250), "C12", 12, "B1");
        Label(Debit(D, 100), "D15", 15, "C");
        Label(Credit(D, 10), "C20", 20, "b")->Reconciled = 0;
        const auto [out, in] = Transfer(D, 75, 0, 1);
        Label(out, "T21", 21, "X")->MainAct = 22;
        Label(in, "F22", 22, "X")->MainAct = 21;
        Label(Credit(D, 60), "S57A", 57, "S")->Split = 'A';
        Label(Debit(D, 5), "S57B", 57, "S")->Split = 'B';
        Open();
    }

    TTransRec* Label(TTransRec* t, const std::string& label, std::int32_t number, const std::string& reference = {}) {
        t->Number = number;
        t->Reference = reference;
        Labels[t] = label;
        Made.push_back(t);
        return t;
    }

    // The labels of the transactions whose InSearch is 1, in the order of the table above.
    std::string Marked() const {
        std::string marked;
        for (const TTransRec* t : Made)
            if (t->InSearch)
                marked += (marked.empty() ? "" : " ") + Labels.at(t);
        return marked;
    }

    std::string MarkedBy(const TSearchCriteria& criteria) {
        MarkSearch(L, criteria, {});
        return Marked();
    }

    static constexpr double D = 45000;
    std::map<const TTransRec*, std::string> Labels;
    std::vector<const TTransRec*> Made;
};

TSearchCriteria QuickOf(const std::function<void(TQuickSearch&)>& fill) {
    TSearchCriteria criteria;
    fill(criteria.Quick);
    return criteria;
}

TSearchCriteria DetailedOf(const std::function<void(TDetailedSearch&)>& fill) {
    TSearchCriteria criteria;
    criteria.Page = TSearchPage::Detailed;
    fill(criteria.Detailed);
    return criteria;
}

template <class T> TSearchRange<T> Range(TSearchCompare compare, T first, T second = T{}) {
    return {compare, first, second};
}

constexpr auto Equal = TSearchCompare::EqualTo;
constexpr auto Greater = TSearchCompare::GreaterThan;
constexpr auto Less = TSearchCompare::LessThan;
constexpr auto Between = TSearchCompare::Between;

struct SearchCase {
    const char* Name;
    TSearchCriteria Criteria;
    const char* Marked;
};

using SearchCriteria = SearchBooks;

TEST_F(SearchCriteria, TheQuickPageKeepsExactMatchesAndDropsOpeningBalances) {
    const SearchCase cases[] = {
        {"number: both parts of a split", QuickOf([](auto& q) { q.NumberOn = true, q.Number = 57; }), "S57A S57B"},
        {"number", QuickOf([](auto& q) { q.NumberOn = true, q.Number = 12; }), "C12"},
        {"reference exact, capital", QuickOf([](auto& q) { q.ReferenceOn = true, q.Reference = "B"; }), "D11"},
        {"reference exact, lower case", QuickOf([](auto& q) { q.ReferenceOn = true, q.Reference = "b"; }), "C20"},
        {"amount", QuickOf([](auto& q) { q.AmountOn = true, q.Amount = Cash(100); }), "C10 D15"},
        {"unreconciled only", QuickOf([](auto& q) { q.UnreconciledOnly = true; }), "D11 C20"},
        {"transfers only", QuickOf([](auto& q) { q.TransfersOnly = true; }), "T21 F22"},
        {"number and amount together",
         QuickOf([](auto& q) { q.NumberOn = q.AmountOn = true, q.Number = 10, q.Amount = Cash(100); }), "C10"},
        {"number and a reference it does not have",
         QuickOf([](auto& q) { q.NumberOn = q.ReferenceOn = true, q.Number = 15, q.Reference = "B"; }), ""},
        {"unreconciled and an amount",
         QuickOf([](auto& q) { q.UnreconciledOnly = q.AmountOn = true, q.Amount = Cash(100); }), ""},
    };
    for (const SearchCase& c : cases)
        EXPECT_EQ(MarkedBy(c.Criteria), c.Marked) << c.Name;
}

TEST_F(SearchCriteria, TheDetailedPageComparesAndRanges) {
    const SearchCase cases[] = {
        {"number equal", DetailedOf([](auto& d) { d.Number = Range(Equal, 12); }), "OpA OpB C12"},
        {"number greater", DetailedOf([](auto& d) { d.Number = Range(Greater, 20); }), "OpA OpB T21 F22 S57A S57B"},
        {"number less", DetailedOf([](auto& d) { d.Number = Range(Less, 11); }), "OpA OpB C10"},
        {"number between, both ends in", DetailedOf([](auto& d) { d.Number = Range(Between, 11, 20); }),
         "OpA OpB D11 C12 D15 C20"},
        {"reference equal", DetailedOf([](auto& d) { d.Reference = Range<std::string>(Equal, "B"); }), "OpA OpB D11"},
        // B1 and C are after B, B and A9 are not; lower case comes after every capital.
        {"reference greater", DetailedOf([](auto& d) { d.Reference = Range<std::string>(Greater, "B"); }),
         "OpA OpB C12 D15 C20 T21 F22 S57A S57B"},
        {"reference less than lower case", DetailedOf([](auto& d) { d.Reference = Range<std::string>(Less, "b"); }),
         "OpA OpB C10 D11 C12 D15 T21 F22 S57A S57B"},
        {"reference less", DetailedOf([](auto& d) { d.Reference = Range<std::string>(Less, "B"); }), "OpA OpB C10"},
        {"reference between, both ends in",
         DetailedOf([](auto& d) { d.Reference = Range<std::string>(Between, "B", "C"); }), "OpA OpB D11 C12 D15"},
        {"kind credit keeps transfers in", DetailedOf([](auto& d) { d.Kind = TKindChoice::Credit; }),
         "OpA OpB C10 C12 C20 F22 S57A"},
        {"kind debit keeps transfers out", DetailedOf([](auto& d) { d.Kind = TKindChoice::Debit; }),
         "OpA OpB D11 D15 T21 S57B"},
        {"reconciled", DetailedOf([](auto& d) { d.State = TStateChoice::Reconciled; }),
         "OpA OpB C10 C12 D15 T21 F22 S57A S57B"},
        {"unreconciled, opening balances dropped", DetailedOf([](auto& d) { d.State = TStateChoice::Unreconciled; }),
         "D11 C20"},
        {"exclude transfers", DetailedOf([](auto& d) { d.Transfers = TTransfersChoice::Exclude; }),
         "OpA OpB C10 D11 C12 D15 C20 S57A S57B"},
        {"transfers only", DetailedOf([](auto& d) { d.Transfers = TTransfersChoice::Only; }), "OpA OpB T21 F22"},
        {"amount equal", DetailedOf([](auto& d) { d.Amount = Range(Equal, Cash(100)); }), "OpA OpB C10 D15"},
        {"amount greater", DetailedOf([](auto& d) { d.Amount = Range(Greater, Cash(75)); }), "OpA OpB C10 C12 D15"},
        {"amount less", DetailedOf([](auto& d) { d.Amount = Range(Less, Cash(40)); }), "OpA OpB C20 S57B"},
        {"amount between, both ends in", DetailedOf([](auto& d) { d.Amount = Range(Between, Cash(40), Cash(75)); }),
         "OpA OpB D11 T21 F22 S57A"},
        {"debits above 50", DetailedOf([](auto& d) {
             d.Kind = TKindChoice::Debit;
             d.Amount = Range(Greater, Cash(50));
         }),
         "OpA OpB D15 T21"},
        {"a second value an unused box holds is ignored",
         DetailedOf([](auto& d) { d.Number = Range(Greater, 20, 21); }), "OpA OpB T21 F22 S57A S57B"},
    };
    for (const SearchCase& c : cases)
        EXPECT_EQ(MarkedBy(c.Criteria), c.Marked) << c.Name;
}

TEST_F(SearchCriteria, OpeningBalancesFollowTheRuleOfTheirPage) {
    const TSearchCriteria quickNumber = QuickOf([](auto& q) { q.NumberOn = true, q.Number = 12; });
    const TSearchCriteria detailedNumber = DetailedOf([](auto& d) { d.Number = Range(Equal, 12); });
    struct Case {
        const char* Name;
        TSearchCriteria Criteria;
        std::function<void(TCalcSwitches&)> Switches;
        const char* Marked;
    };
    const Case cases[] = {
        {"quick, not in selections", quickNumber, [](auto&) {}, "C12"},
        {"quick, in selections", quickNumber, [](auto& s) { s.UseOpeningBalancesInSelections = true; }, "OpA OpB C12"},
        {"quick, unreconciled only", QuickOf([](auto& q) { q.UnreconciledOnly = true; }),
         [](auto& s) { s.UseOpeningBalancesInSelections = true; }, "D11 C20"},
        {"quick, transfers only", QuickOf([](auto& q) { q.TransfersOnly = true; }),
         [](auto& s) { s.UseOpeningBalancesInSelections = true; }, "T21 F22"},
        {"detailed, nothing in force", detailedNumber, [](auto&) {}, "OpA OpB C12"},
        {"detailed, a date range", detailedNumber, [](auto& s) { s.DateRangeActive = true; }, "C12"},
        {"detailed, a category selection", detailedNumber, [](auto& s) { s.CategorySelectionActive = true; }, "C12"},
        {"detailed, a search being edited", detailedNumber, [](auto& s) { s.SearchActive = true; }, "C12"},
        {"detailed, a group selection, in selections", detailedNumber,
         [](auto& s) { s.GroupSelectionActive = s.UseOpeningBalancesInSelections = true; }, "OpA OpB C12"},
        {"detailed, unreconciled, in selections", DetailedOf([](auto& d) { d.State = TStateChoice::Unreconciled; }),
         [](auto& s) { s.UseOpeningBalancesInSelections = true; }, "D11 C20"},
    };
    for (const Case& c : cases) {
        L.Switches = TCalcSwitches{};
        c.Switches(L.Switches);
        EXPECT_EQ(MarkedBy(c.Criteria), c.Marked) << c.Name;
    }
}

TEST(SearchReferences, CompareByteByByteWithLetterCase) {
    EXPECT_LT(CompareReferences("B", "B1"), 0);
    EXPECT_GT(CompareReferences("b", "Z9"), 0);
    EXPECT_EQ(CompareReferences("Ref", "Ref"), 0);
    EXPECT_LT(CompareReferences("Ref", "ref"), 0);
    // Windows-1252 letters above 127 come after every plain letter.
    EXPECT_GT(CompareReferences("\xC9t\xE9", "zz"), 0);
}

TEST(SearchChecks, RefusalsNameTheMessageAndTheBox) {
    struct Case {
        const char* Name;
        TSearchCriteria Criteria;
        const char* Message; // "" when accepted
        TSearchBox Box;
    };
    const auto Any = TSearchBox::QuickNumber;
    const Case cases[] = {
        {"quick number 0", QuickOf([](auto& q) { q.NumberOn = true; }), "Number not valid", TSearchBox::QuickNumber},
        {"quick number before reference", QuickOf([](auto& q) { q.NumberOn = q.ReferenceOn = true; }),
         "Number not valid", TSearchBox::QuickNumber},
        {"quick reference of blanks", QuickOf([](auto& q) { q.ReferenceOn = true, q.Reference = "  \t"; }),
         "Reference not valid", TSearchBox::QuickReference},
        {"quick amount 0", QuickOf([](auto& q) { q.NumberOn = q.AmountOn = true, q.Number = 4; }), "Amount not valid",
         TSearchBox::QuickAmount},
        {"quick boxes of toggles up are not checked", QuickOf([](auto& q) { q.TransfersOnly = true; }), "", Any},
        {"quick, a refusal on the other page does not count",
         [] {
             TSearchCriteria c = QuickOf([](auto& q) { q.AmountOn = true, q.Amount = Cash(3); });
             c.Detailed.Number = Range(Equal, 0);
             return c;
         }(),
         "", Any},
        {"detailed number first box", DetailedOf([](auto& d) { d.Number = Range(Equal, 0); }), "Number not valid",
         TSearchBox::NumberFirst},
        {"detailed number second box", DetailedOf([](auto& d) { d.Number = Range(Between, 5, 0); }), "Number not valid",
         TSearchBox::NumberSecond},
        {"detailed number, second box unused", DetailedOf([](auto& d) { d.Number = Range(Less, 5, 0); }), "", Any},
        {"detailed reference", DetailedOf([](auto& d) { d.Reference = Range<std::string>(Greater, " "); }),
         "Reference not valid", TSearchBox::ReferenceFirst},
        {"detailed reference second box",
         DetailedOf([](auto& d) { d.Reference = Range<std::string>(Between, "A", ""); }), "Reference not valid",
         TSearchBox::ReferenceSecond},
        {"detailed amount", DetailedOf([](auto& d) { d.Amount = Range(Greater, Money()); }), "Amount not valid",
         TSearchBox::AmountFirst},
        {"detailed amount second box", DetailedOf([](auto& d) { d.Amount = Range(Between, Cash(1), Money()); }),
         "Amount not valid", TSearchBox::AmountSecond},
        {"detailed: the number before the reference and the amount", DetailedOf([](auto& d) {
             d.Amount = Range(Equal, Money());
             d.Reference = Range<std::string>(Equal, "");
             d.Number = Range(Between, 3, 0);
         }),
         "Number not valid", TSearchBox::NumberSecond},
        {"detailed: the reference before the amount", DetailedOf([](auto& d) {
             d.Amount = Range(Equal, Money());
             d.Reference = Range<std::string>(Equal, "");
         }),
         "Reference not valid", TSearchBox::ReferenceFirst},
    };
    for (const Case& c : cases) {
        const std::optional<TSearchRefusal> refusal = ValidateSearch(c.Criteria);
        EXPECT_EQ(refusal ? refusal->Message : std::string(), c.Message) << c.Name;
        if (refusal)
            EXPECT_EQ(refusal->Box, c.Box) << c.Name;
    }
}

TEST(SearchChecks, OkIsOfferedWhileThePageShownAsksForAnything) {
    const std::pair<TSearchCriteria, bool> cases[] = {
        {TSearchCriteria{}, false},
        {QuickOf([](auto& q) { q.NumberOn = true; }), true},
        {QuickOf([](auto& q) { q.ReferenceOn = true; }), true},
        {QuickOf([](auto& q) { q.AmountOn = true; }), true},
        {QuickOf([](auto& q) { q.UnreconciledOnly = true; }), true},
        {QuickOf([](auto& q) { q.TransfersOnly = true; }), true},
        // Values in boxes whose toggles are up ask for nothing.
        {QuickOf([](auto& q) { q.Number = 5, q.Reference = "A"; }), false},
        {DetailedOf([](auto&) {}), false},
        {DetailedOf([](auto& d) { d.Kind = TKindChoice::Credit; }), true},
        {DetailedOf([](auto& d) { d.State = TStateChoice::Unreconciled; }), true},
        {DetailedOf([](auto& d) { d.Transfers = TTransfersChoice::Exclude; }), true},
        {DetailedOf([](auto& d) { d.Number.Compare = Less; }), true},
        {DetailedOf([](auto& d) { d.Reference.Compare = Equal; }), true},
        {DetailedOf([](auto& d) { d.Amount.Compare = Between; }), true},
        // The quick page's toggles do not count on the detailed page, nor the other way round.
        {[] {
             TSearchCriteria c = QuickOf([](auto& q) { q.TransfersOnly = true; });
             c.Page = TSearchPage::Detailed;
             return c;
         }(),
         false},
        {[] {
             TSearchCriteria c = DetailedOf([](auto& d) { d.Kind = TKindChoice::Debit; });
             c.Page = TSearchPage::Quick;
             return c;
         }(),
         false},
    };
    int index = 0;
    for (const auto& [criteria, offered] : cases)
        EXPECT_EQ(SearchCanApply(criteria), offered) << "case " << index++;
}

using SearchRun = SearchBooks;

TEST_F(SearchRun, MarksFiltersAndSavesThePageWithItsProgress) {
    std::vector<int> shown;
    TTransactionSearch search;
    TSearchCriteria criteria = QuickOf([](auto& q) { q.NumberOn = true, q.Number = 57; });
    criteria.Detailed.Kind = TKindChoice::Debit; // left on the page not shown
    ASSERT_FALSE(search.Run(L, criteria, [&](int position) { shown.push_back(position); }));

    EXPECT_EQ(Marked(), "S57A S57B");
    // The rows were filtered again: only the two parts have one.
    EXPECT_EQ(L.TransList.VisibleCount, 2);
    // Eleven records: 5 + 55 × index ÷ 11 after each, told once per new position.
    EXPECT_EQ(shown, (std::vector<int>{5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 70}));
    ASSERT_TRUE(search.Saved());
    TSearchCriteria expected = criteria;
    expected.Detailed = {};
    EXPECT_EQ(*search.Saved(), expected);
    EXPECT_EQ(L.TransList.SearchIncludesUnreconciled, 0);
}

TEST_F(SearchRun, UnreconciledCriteriaLetUnreconciledRowsCount) {
    TTransactionSearch search;
    ASSERT_FALSE(search.Run(L, QuickOf([](auto& q) { q.UnreconciledOnly = true; })));
    EXPECT_EQ(L.TransList.SearchIncludesUnreconciled, 1);
    ASSERT_FALSE(search.Run(L, DetailedOf([](auto& d) { d.State = TStateChoice::Reconciled; })));
    EXPECT_EQ(L.TransList.SearchIncludesUnreconciled, 0);
    ASSERT_FALSE(search.Run(L, DetailedOf([](auto& d) { d.State = TStateChoice::Unreconciled; })));
    EXPECT_EQ(L.TransList.SearchIncludesUnreconciled, 1);
}

TEST_F(SearchRun, ARefusedRunChangesNothing) {
    TTransactionSearch search;
    const TSearchCriteria first = QuickOf([](auto& q) { q.UnreconciledOnly = true; });
    ASSERT_FALSE(search.Run(L, first));
    const std::string marked = Marked();
    const std::int32_t rows = L.TransList.VisibleCount;
    bool progressed = false;
    const std::optional<TSearchRefusal> refusal =
        search.Run(L, DetailedOf([](auto& d) { d.Amount = Range(Equal, Money()); }), [&](int) { progressed = true; });
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->Message, "Amount not valid");
    EXPECT_EQ(Marked(), marked);
    EXPECT_EQ(L.TransList.VisibleCount, rows);
    EXPECT_EQ(L.TransList.SearchIncludesUnreconciled, 1);
    EXPECT_EQ(*search.Saved(), first);
    EXPECT_FALSE(progressed);
}

// After the transactions changed, the search applies its saved criteria again.
TEST_F(SearchRun, ReapplyingMarksWithTheSavedCriteria) {
    TTransactionSearch search;
    search.Reapply(L); // nothing saved yet: nothing changes
    EXPECT_EQ(Marked(), "OpA OpB C10 D11 C12 D15 C20 T21 F22 S57A S57B");
    ASSERT_FALSE(search.Run(L, DetailedOf([](auto& d) { d.Reference = Range<std::string>(Equal, "B1"); })));
    EXPECT_EQ(Marked(), "OpA OpB C12");
    for (TTransRec* t : L.TransList.KeyList)
        if (Labels[t] == "D15")
            t->Reference = "B1";
    std::vector<int> shown;
    search.Reapply(L, [&](int position) { shown.push_back(position); });
    EXPECT_EQ(Marked(), "OpA OpB C12 D15");
    EXPECT_EQ(shown.front(), 5);
    EXPECT_EQ(shown.back(), 55);
}

// The worksheet's totals after an "Unreconciled Only" search count the unreconciled rows it
// shows, though unreconciled transactions are otherwise left out of the totals.
TEST_F(SearchRun, UnreconciledOnlyTotalsCountTheUnreconciledRows) {
    ASSERT_FALSE(Sheet.Options().IncludeDisabledInCalc);
    TTransactionSearch search;
    Dialogs.Hook = [&] { ASSERT_FALSE(search.Run(L, QuickOf([](auto& q) { q.UnreconciledOnly = true; }))); };
    Filters.NewSelection(TSelectionKind::Transactions);
    ASSERT_TRUE(L.Switches.SearchActive);

    EXPECT_EQ(Column(0), (std::vector<std::string>{"11", "20"}));
    EXPECT_EQ(L.TransList.CreditTotal, Cash(10));
    EXPECT_EQ(L.TransList.DebitTotal, Cash(40));
    EXPECT_EQ(Total(ViewTransactions, 9), Formats.MoneyText(Cash(10)));
    EXPECT_EQ(Total(ViewTransactions, 10), Formats.MoneyText(Cash(40)));
    EXPECT_EQ(Total(ViewTransactions, 0), "2");

    // The same rows under a search that leaves unreconciled transactions out of the totals.
    Dialogs.Hook = [&] {
        ASSERT_FALSE(search.Run(L, QuickOf([](auto& q) { q.ReferenceOn = true, q.Reference = "B"; })));
    };
    Filters.EditSelection(TSelectionKind::Transactions);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"11"}));
    EXPECT_EQ(L.TransList.DebitTotal, Money());
    EXPECT_EQ(Total(ViewTransactions, 10), Formats.MoneyText(Money()));

    // "Clear Search" gives every row back, and the unreconciled ones leave the totals.
    Filters.ClearSelection(TSelectionKind::Transactions);
    EXPECT_EQ(L.TransList.SearchIncludesUnreconciled, 0);
    EXPECT_EQ(L.TransList.CreditTotal, Cash(1000 + 100 + 250 + 75 + 60));
    EXPECT_EQ(L.TransList.DebitTotal, Cash(50 + 100 + 75 + 5));
}

} // namespace
} // namespace qz::testing

#pragma once
// The transaction search: the criteria of its two pages, the checks of "&OK", and the run that
// marks every transaction's InSearch, so that the worksheet keeps only the transactions that
// meet the criteria while the transaction selection is in force. The window and the command
// line fill the criteria; everything they decide comes from here.

#include "ledger/Ledger.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace qz {

// The page the criteria come from: exact values, or comparisons and ranges.
enum class TSearchPage : std::uint8_t { Quick = 0, Detailed = 1 };

// The detailed page's lists, by their index: "All", "Equal To", "Greater Than", "Less Than", "Between".
enum class TSearchCompare : std::uint8_t { All = 0, EqualTo = 1, GreaterThan = 2, LessThan = 3, Between = 4 };
enum class TKindChoice : std::uint8_t { All = 0, Credit = 1, Debit = 2 };
enum class TStateChoice : std::uint8_t { All = 0, Reconciled = 1, Unreconciled = 2 };
enum class TTransfersChoice : std::uint8_t { Include = 0, Exclude = 1, Only = 2 };

// The quick page: each toggle with the value of its box.
struct TQuickSearch {
    bool NumberOn = false;
    std::int32_t Number = 0; // an empty box holds 0
    bool ReferenceOn = false;
    std::string Reference; // Windows-1252, as the documents keep references
    bool AmountOn = false;
    Money Amount;
    bool UnreconciledOnly = false;
    bool TransfersOnly = false;

    bool operator==(const TQuickSearch&) const = default;
};

// A list with its two boxes: the first is used by every comparison but "All", the second by
// "Between" alone.
template <class T> struct TSearchRange {
    TSearchCompare Compare = TSearchCompare::All;
    T First{};
    T Second{};

    bool FirstUsed() const { return Compare != TSearchCompare::All; }
    bool SecondUsed() const { return Compare == TSearchCompare::Between; }
    bool operator==(const TSearchRange&) const = default;
};

struct TDetailedSearch {
    TKindChoice Kind = TKindChoice::All;
    TStateChoice State = TStateChoice::All;
    TTransfersChoice Transfers = TTransfersChoice::Include;
    TSearchRange<std::int32_t> Number;
    TSearchRange<std::string> Reference; // Windows-1252
    TSearchRange<Money> Amount;

    bool operator==(const TDetailedSearch&) const = default;
};

// What the window's controls hold; the page decides which half counts.
struct TSearchCriteria {
    TSearchPage Page = TSearchPage::Quick;
    TQuickSearch Quick;
    TDetailedSearch Detailed;

    bool operator==(const TSearchCriteria&) const = default;
};

// The boxes a refusal puts the focus in.
enum class TSearchBox : std::uint8_t {
    QuickNumber,
    QuickReference,
    QuickAmount,
    NumberFirst,
    NumberSecond,
    ReferenceFirst,
    ReferenceSecond,
    AmountFirst,
    AmountSecond,
};

struct TSearchRefusal {
    std::string Message; // "Number not valid", "Reference not valid", "Amount not valid"
    TSearchBox Box;
};

// The checks of "&OK" on the page of the criteria, in the order the user is told of them: a
// used number box holding 0, a used reference box empty after trimming, a used amount box
// holding 0.
std::optional<TSearchRefusal> ValidateSearch(const TSearchCriteria& criteria);

// "&OK" and "&Reset" are offered while the page shown asks for anything: a toggle of the quick
// page down, or anything on the detailed page away from its defaults.
bool SearchCanApply(const TSearchCriteria& criteria);

// References compare byte by byte, letter case counting: every reference starting with a
// lower-case letter comes after those starting with a capital, and a reference comes after
// its own beginning ("B1" after "B").
int CompareReferences(std::string_view left, std::string_view right);

// Whether the transaction passes the criteria, opening balances by the rule of the page:
// on the quick page they stay exactly when neither "Unreconciled Only" nor "Transfers Only" is
// on and opening balances are used in selections; on the detailed page they go with
// "Unreconciled" and otherwise stay unless a date range, selection or search is in force and
// opening balances are not used in selections.
bool MatchesSearch(const TTransRec& t, const TSearchCriteria& criteria, const TCalcSwitches& switches);

// Positions of the progress display, 0..100.
using TSearchProgress = std::function<void(int position)>;

// The search and the saved copy of the criteria last accepted, which "Edit Search" shows and a
// re-application uses.
class TTransactionSearch {
public:
    // "&OK": refused criteria change nothing and come back. Otherwise the saved copy becomes
    // the criteria of their page, every transaction's InSearch is marked in key order, the
    // transaction list learns whether unreconciled transactions count in the view totals
    // ("Unreconciled Only" or "Unreconciled"), and the rows and view totals are filtered
    // again. The caller then turns the transaction selection on and recalculates.
    std::optional<TSearchRefusal> Run(TLedger& ledger, const TSearchCriteria& criteria,
                                      const TSearchProgress& progress = {});

    // Marks InSearch again with the saved copy, after the transactions changed; the caller
    // recalculates. The saved copy rather than the window's controls: a cancelled "Edit Search"
    // leaves the controls at their defaults while the search stays in force, and those would
    // quietly turn it into a search for everything.
    void Reapply(TLedger& ledger, const TSearchProgress& progress = {}) const;

    const std::optional<TSearchCriteria>& Saved() const { return SavedCopy; }

private:
    std::optional<TSearchCriteria> SavedCopy;
};

// Marks every transaction's InSearch in key order; after each, the progress display moves to
// 5 + 55 × index ÷ count (told only when the position changes). `shown` is the position the
// display already holds.
void MarkSearch(TLedger& ledger, const TSearchCriteria& criteria, const TSearchProgress& progress, int shown = -1);

} // namespace qz

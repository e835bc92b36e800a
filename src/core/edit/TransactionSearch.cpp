#include "TransactionSearch.h"

#include "ledger/Cp1252.h"

namespace qz {

namespace {

// How `value` stands to the range's one or two values; "All" lets everything through.
template <class T, class V, class Order> bool InRange(const TSearchRange<T>& range, const V& value, Order order) {
    switch (range.Compare) {
    case TSearchCompare::All:
        return true;
    case TSearchCompare::EqualTo:
        return order(value, range.First) == 0;
    case TSearchCompare::GreaterThan:
        return order(value, range.First) > 0;
    case TSearchCompare::LessThan:
        return order(value, range.First) < 0;
    case TSearchCompare::Between:
        return order(value, range.First) >= 0 && order(value, range.Second) <= 0;
    }
    return true;
}

template <class T> int Order(const T& left, const T& right) {
    return left < right ? -1 : right < left ? 1 : 0;
}

bool QuickMatch(const TTransRec& t, const TQuickSearch& quick, const TCalcSwitches& switches) {
    if (t.Kind == TransOpening)
        return !quick.UnreconciledOnly && !quick.TransfersOnly && switches.UseOpeningBalancesInSelections;
    return !(quick.UnreconciledOnly && t.Reconciled) && !(quick.NumberOn && t.Number != quick.Number) &&
           !(quick.ReferenceOn && t.Reference.View() != quick.Reference) &&
           !(quick.AmountOn && t.Amount != quick.Amount) && !(quick.TransfersOnly && t.Kind < TransFrom);
}

bool KindMatch(std::uint8_t kind, TKindChoice choice) {
    switch (choice) {
    case TKindChoice::Credit:
        return kind == TransCredit || kind == TransFrom;
    case TKindChoice::Debit:
        return kind == TransDebit || kind == TransTo;
    default:
        return true;
    }
}

bool StateMatch(std::uint8_t reconciled, TStateChoice choice) {
    switch (choice) {
    case TStateChoice::Reconciled:
        return reconciled != 0;
    case TStateChoice::Unreconciled:
        return reconciled == 0;
    default:
        return true;
    }
}

bool TransfersMatch(std::uint8_t kind, TTransfersChoice choice) {
    switch (choice) {
    case TTransfersChoice::Exclude:
        return kind < TransOpening;
    case TTransfersChoice::Only:
        return kind > TransOpening;
    default:
        return true;
    }
}

bool DetailedMatch(const TTransRec& t, const TDetailedSearch& detailed, const TCalcSwitches& switches) {
    if (t.Kind == TransOpening) {
        if (detailed.State == TStateChoice::Unreconciled)
            return false;
        return !switches.AnySelectionActive() || switches.UseOpeningBalancesInSelections;
    }
    return InRange(detailed.Number, t.Number, Order<std::int32_t>) &&
           InRange(detailed.Reference, t.Reference.View(), CompareReferences) && KindMatch(t.Kind, detailed.Kind) &&
           StateMatch(t.Reconciled, detailed.State) && TransfersMatch(t.Kind, detailed.Transfers) &&
           InRange(detailed.Amount, t.Amount, Order<Money>);
}

std::optional<TSearchRefusal> Refused(const char* message, TSearchBox box) {
    return TSearchRefusal{message, box};
}

std::optional<TSearchRefusal> ValidateQuick(const TQuickSearch& quick) {
    if (quick.NumberOn && quick.Number == 0)
        return Refused("Number not valid", TSearchBox::QuickNumber);
    if (quick.ReferenceOn && Trim(quick.Reference).empty())
        return Refused("Reference not valid", TSearchBox::QuickReference);
    if (quick.AmountOn && quick.Amount.IsZero())
        return Refused("Amount not valid", TSearchBox::QuickAmount);
    return std::nullopt;
}

std::optional<TSearchRefusal> ValidateDetailed(const TDetailedSearch& detailed) {
    const auto& number = detailed.Number;
    if (number.FirstUsed() && number.First == 0)
        return Refused("Number not valid", TSearchBox::NumberFirst);
    if (number.SecondUsed() && number.Second == 0)
        return Refused("Number not valid", TSearchBox::NumberSecond);
    const auto& reference = detailed.Reference;
    if (reference.FirstUsed() && Trim(reference.First).empty())
        return Refused("Reference not valid", TSearchBox::ReferenceFirst);
    if (reference.SecondUsed() && Trim(reference.Second).empty())
        return Refused("Reference not valid", TSearchBox::ReferenceSecond);
    const auto& amount = detailed.Amount;
    if (amount.FirstUsed() && amount.First.IsZero())
        return Refused("Amount not valid", TSearchBox::AmountFirst);
    if (amount.SecondUsed() && amount.Second.IsZero())
        return Refused("Amount not valid", TSearchBox::AmountSecond);
    return std::nullopt;
}

// The criteria of one page, the other page at its defaults.
TSearchCriteria PageOnly(const TSearchCriteria& criteria) {
    TSearchCriteria saved;
    saved.Page = criteria.Page;
    if (criteria.Page == TSearchPage::Quick)
        saved.Quick = criteria.Quick;
    else
        saved.Detailed = criteria.Detailed;
    return saved;
}

bool CountsUnreconciled(const TSearchCriteria& criteria) {
    return criteria.Page == TSearchPage::Quick ? criteria.Quick.UnreconciledOnly
                                               : criteria.Detailed.State == TStateChoice::Unreconciled;
}

} // namespace

std::optional<TSearchRefusal> ValidateSearch(const TSearchCriteria& criteria) {
    return criteria.Page == TSearchPage::Quick ? ValidateQuick(criteria.Quick) : ValidateDetailed(criteria.Detailed);
}

bool SearchCanApply(const TSearchCriteria& criteria) {
    if (criteria.Page == TSearchPage::Quick) {
        const TQuickSearch& quick = criteria.Quick;
        return quick.NumberOn || quick.ReferenceOn || quick.AmountOn || quick.UnreconciledOnly || quick.TransfersOnly;
    }
    const TDetailedSearch& detailed = criteria.Detailed;
    return detailed.Kind != TKindChoice::All || detailed.State != TStateChoice::All ||
           detailed.Transfers != TTransfersChoice::Include || detailed.Number.FirstUsed() ||
           detailed.Reference.FirstUsed() || detailed.Amount.FirstUsed();
}

int CompareReferences(std::string_view left, std::string_view right) {
    // string_view compares its characters as unsigned bytes.
    const int order = left.compare(right);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

bool MatchesSearch(const TTransRec& t, const TSearchCriteria& criteria, const TCalcSwitches& switches) {
    return criteria.Page == TSearchPage::Quick ? QuickMatch(t, criteria.Quick, switches)
                                               : DetailedMatch(t, criteria.Detailed, switches);
}

void MarkSearch(TLedger& ledger, const TSearchCriteria& criteria, const TSearchProgress& progress, int shown) {
    const std::vector<TTransRec*>& transactions = ledger.TransList.KeyList;
    const auto count = static_cast<std::int64_t>(transactions.size());
    for (std::int64_t index = 0; index < count; ++index) {
        TTransRec& t = *transactions[static_cast<std::size_t>(index)];
        t.InSearch = MatchesSearch(t, criteria, ledger.Switches) ? 1 : 0;
        const int position = static_cast<int>(5 + 55 * index / count);
        // The display is told of each new position, not of every record: a repaint per record
        // would cost more than the search.
        if (progress && position != shown) {
            progress(position);
            shown = position;
        }
    }
}

std::optional<TSearchRefusal> TTransactionSearch::Run(TLedger& ledger, const TSearchCriteria& criteria,
                                                      const TSearchProgress& progress) {
    if (std::optional<TSearchRefusal> refusal = ValidateSearch(criteria))
        return refusal;
    SavedCopy = PageOnly(criteria);
    if (progress)
        progress(5);
    MarkSearch(ledger, *SavedCopy, progress, 5);
    if (progress)
        progress(60);
    ledger.TransList.SearchIncludesUnreconciled = CountsUnreconciled(*SavedCopy) ? 1 : 0;
    ledger.TransList.FilterAndTotal();
    if (progress)
        progress(70);
    return std::nullopt;
}

void TTransactionSearch::Reapply(TLedger& ledger, const TSearchProgress& progress) const {
    if (SavedCopy)
        MarkSearch(ledger, *SavedCopy, progress);
}

} // namespace qz

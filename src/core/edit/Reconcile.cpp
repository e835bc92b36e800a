#include "Reconcile.h"

#include "MemoryBefore.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

namespace qz {

Money ReconcileValue(const TTransRec& t) {
    return t.Kind == TransDebit || t.Kind == TransTo ? -t.Amount : t.Amount;
}

TReconciliation::TReconciliation(TEditContext& edit, const TDisplayFormats& formats) : Edit(edit), Formats(formats) {
    Fill();
    SortAndSum();
    Recount();
}

// ---- Filling the list ----------------------------------------------------------------------

// The worksheet's rows in view order: the reconciled ones make the reconciled total, the others
// a row each, and each split met for the first time a summary row as well.
void TReconciliation::Fill() {
    const TTransList& list = Edit.Ledger.TransList;
    std::unordered_set<std::int32_t> summarised;
    for (std::int32_t row = 0; row < list.VisibleCount; ++row) {
        TTransRec* t = list.RowItem(row);
        if (!t)
            continue;
        if (t->Reconciled) {
            Totals.Reconciled += ReconcileValue(*t);
            continue;
        }
        TReconcileRow r;
        r.Kind = t->Split == '0' ? TReconcileRowKind::Plain : TReconcileRowKind::Part;
        r.Record = t;
        r.Number = t->Number;
        r.Split = t->Split;
        r.SortDate = t->Date;
        r.Value = ReconcileValue(*t);
        r.DateText = list.ColumnText(*t, 1, Formats);
        r.Reference = list.ColumnText(*t, 2, Formats);
        r.Category = list.ColumnText(*t, 4, Formats);
        r.SubCategory = list.ColumnText(*t, 6, Formats);
        r.AmountText = Formats.MoneyText(r.Value);
        if (r.Kind == TReconcileRowKind::Part && summarised.insert(t->Number).second) {
            TReconcileRow summary;
            summary.Kind = TReconcileRowKind::Summary;
            summary.Record = t;
            summary.Number = t->Number;
            summary.Split = '1';
            summary.DateText = r.DateText;
            summary.Reference = r.Reference;
            summary.Category = SplitText;
            List.push_back(std::move(summary));
        }
        List.push_back(std::move(r));
    }
}

// The rows of a split stand together under the date of its part "A", or, when the worksheet's
// filters hide that part, of its first part listed; a summary row precedes its parts and shows
// their sum.
void TReconciliation::SortAndSum() {
    struct TSplitFigures {
        TDateTime Date = 0;
        bool FromA = false;
        Money Sum;
    };
    std::unordered_map<std::int32_t, TSplitFigures> splits;
    for (const TReconcileRow& r : List) {
        if (r.Kind != TReconcileRowKind::Part)
            continue;
        auto [it, first] = splits.try_emplace(r.Number);
        TSplitFigures& split = it->second;
        if (first || (r.Split == 'A' && !split.FromA)) {
            split.Date = r.Record->Date;
            split.FromA = r.Split == 'A';
        }
        split.Sum += r.Value;
    }
    for (TReconcileRow& r : List) {
        if (r.Kind == TReconcileRowKind::Plain)
            continue;
        const TSplitFigures& split = splits[r.Number];
        r.SortDate = split.Date;
        if (r.Kind == TReconcileRowKind::Summary) {
            r.Value = split.Sum;
            r.AmountText = Formats.MoneyText(split.Sum);
        }
    }
    std::stable_sort(List.begin(), List.end(), [](const TReconcileRow& a, const TReconcileRow& b) {
        return std::tie(a.SortDate, a.Number, a.Split) < std::tie(b.SortDate, b.Number, b.Split);
    });
}

// ---- Ticks and sums ------------------------------------------------------------------------

void TReconciliation::Recount() {
    TReconcileSums sums;
    sums.Reconciled = Totals.Reconciled;
    for (const TReconcileRow& r : List) {
        if (r.Kind != TReconcileRowKind::Part)
            ++(r.Ticked ? sums.TickedCount : sums.UntickedCount);
        if (r.Kind != TReconcileRowKind::Summary)
            (r.Ticked ? sums.Ticked : sums.Unticked) += r.Value;
    }
    Totals = sums;
}

void TReconciliation::Toggle(std::size_t row) {
    if (row >= List.size())
        return;
    TReconcileRow& clicked = List[row];
    const bool ticked = !clicked.Ticked;
    if (clicked.Kind == TReconcileRowKind::Plain) {
        clicked.Ticked = ticked;
    } else {
        for (TReconcileRow& r : List)
            if (r.Kind != TReconcileRowKind::Plain && r.Number == clicked.Number)
                r.Ticked = ticked;
    }
    Recount();
}

void TReconciliation::TickAll(bool ticked) {
    for (TReconcileRow& r : List)
        r.Ticked = ticked;
    Recount();
}

std::optional<Money> TReconciliation::Difference() const {
    if (!Statement)
        return std::nullopt;
    return *Statement - (Totals.Reconciled + Totals.Ticked);
}

TReconcileLabels TReconciliation::Labels() const {
    TReconcileLabels labels;
    labels.Balance = Formats.MoneyText(Totals.Reconciled + Totals.Ticked);
    labels.Uncleared = std::to_string(Totals.UntickedCount) + " unreconciled Transactions";
    labels.TotalDis = Formats.MoneyText(Totals.Unticked);
    labels.All = Formats.MoneyText(Totals.Reconciled + Totals.Ticked + Totals.Unticked);
    if (const std::optional<Money> difference = Difference())
        labels.Difference = Formats.MoneyText(*difference);
    return labels;
}

std::string TReconciliation::ConfirmationText() const {
    std::string text = Question;
    if (const std::optional<Money> difference = Difference(); difference && !difference->IsZero())
        text += "\r\rThe ticked Transactions differ from the Statement balance by " +
                Formats.MoneyText(difference->Abs()) + ".";
    return text;
}

// ---- Reconcile Now -------------------------------------------------------------------------

TEditOutcome TReconciliation::ReconcileNow() {
    if (!CanReconcile())
        return {TEditResult::Unchanged, RefreshNone, -1};
    if (!Edit.CheckAccess(TAccessArea::Editing) || !Edit.Confirm(ConfirmationText()))
        return {};
    std::unordered_set<const TTransRec*> marking;
    for (const TReconcileRow& r : List)
        if (r.Ticked && r.Kind != TReconcileRowKind::Summary)
            marking.insert(r.Record);
    TLedger& ledger = Edit.Ledger;
    TTransList& list = ledger.TransList;
    TMemoryBefore before(ledger);
    TChangeGroup group(Edit.Files);
    // One walk of the key order gives each record's index for its write; the reconciled
    // records, most of a book, are passed over without a look-up.
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        TTransRec* t = list.KeyList[static_cast<std::size_t>(i)];
        if (t->Reconciled || !marking.count(t))
            continue;
        before.Keep(t);
        t->Reconciled = 1;
        list.Changed(i);
    }
    const TEditOutcome outcome = FinishEdit(group, before, {TEditResult::Done, RefreshTotals, -1});
    if (!outcome.Done())
        return outcome;

    const std::int32_t count = Totals.TickedCount;
    std::erase_if(List, [](const TReconcileRow& r) { return r.Ticked; });
    Totals.Reconciled += Totals.Ticked;
    Recount();
    Reconciled = true;
    if (RowsChanged)
        RowsChanged();
    Edit.Inform(count == 1 ? std::string("1 Transaction Reconciled")
                           : std::to_string(count) + " Transactions Reconciled");
    return outcome;
}

} // namespace qz

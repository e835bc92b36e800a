// The session's saving and deleting: the fields into the working copy, the checks of every
// split with their messages, and the working copy written back, or the transaction deleted,
// in one commit. A commit given up puts memory back to what the file holds and the session
// back to where it was before the save.

#include "TransactionSession.h"

#include "TransactionOrder.h"
#include "TransactionUndo.h"
#include "engine/Engine.h"
#include "worksheet/GridInfo.h"

#include <algorithm>

namespace qz {

namespace {

// A refusal of one split: the warning, the control to focus, and for a date before the
// account's opening balance, the date the picker is set to.
struct TSplitRefusal {
    std::string Text;
    TTransField Focus = TTransField::None;
    std::optional<TDateTime> Date;
};

TSplitRefusal RefusalOf(const TTransRec& r, const TDisplayFormats& formats) {
    if (!r.MainActRec || r.MainActRec->Name.Empty())
        return {"Category not valid!", TTransField::Category, {}};
    if (!r.SubActRec || r.SubActRec->Name.Empty())
        return {"Sub Category not valid!", TTransField::SubCategory, {}};
    if (!r.BookRec)
        return {"You must select an Account for this Transaction", TTransField::Account, {}};
    // Whole days: an opening balance entered with a time of day does not refuse its own day.
    if (const TTransRec* opening = r.BookRec->OpeningTrans; opening && DayOf(r.Date) < DayOf(opening->Date)) {
        const TDateTime day = DayOf(opening->Date);
        return {"The date you have entered is less than the Opening Balance date for the Account you have "
                "selected.  If you want this Transaction to be in this Account you must enter a date greater "
                "than or equal to '" +
                    formats.DateText(day) + "'",
                TTransField::Date, day};
    }
    if (r.Amount <= Money())
        return {"Amount not valid!", TTransField::Amount, {}};
    if (r.Gst >= r.Amount)
        return {"The GST amount cannot be greater than the total amount of the Transaction", TTransField::Amount, {}};
    // What a document cannot hold would be set aside as damaged the next time it is opened.
    if (!WithinMaxAmount(r.Amount))
        return {"The amount is beyond the largest a Transaction may hold (10,000,000.00).", TTransField::Amount, {}};
    if (r.Gst < Money())
        return {"The GST amount cannot be less than 0.", TTransField::GstAmount, {}};
    if (!TransDamage(r).empty())
        return {"The date you have entered is not a valid date.", TTransField::Date, {}};
    return {};
}

// Where a record stands in the Transactions view's lines.
std::int32_t LineOf(const TTransList& list, const TTransRec& t, bool descending) {
    return descending ? list.VisibleCount - 1 - t.Row : t.Row;
}

} // namespace

// ---- Collecting and checking --------------------------------------------------------------------

void TTransactionSession::Collect() {
    if (Copy.empty())
        return;
    TTransRec& r = Copy[Shown].Record;
    r.Date = DayOf(F.Date);
    r.Kind = TransKind;
    r.Reference = F.Reference;
    r.MainAct = F.Category.value_or(0);
    r.SubAct = F.SubCategory.value_or(0);
    r.Group = static_cast<std::uint16_t>(F.Group.value_or(0));
    r.Book = static_cast<std::int16_t>(F.Account.value_or(-1));
    LinkTransaction(L, r);
    r.Gst = TaxOn() ? F.Gst.Gst : Money();
    r.Amount = F.Gst.Amount;
    r.Notes = F.Notes;
    r.InSelection = 1;
    // One value for the whole transaction.
    for (TWorkingSplit& split : Copy)
        split.Record.Reconciled = F.Reconciled;
}

bool TTransactionSession::Validate(std::size_t i) {
    const TSplitRefusal refusal = RefusalOf(Copy[i].Record, Formats);
    if (refusal.Text.empty())
        return true;
    if (i != Shown) {
        Shown = i;
        ShowRecord(Copy[i].Record);
    }
    Edit.Ask.MessageBox(refusal.Text, MsgKind::Warning, MsgButtons::Ok);
    FocusField = refusal.Focus;
    if (refusal.Date)
        F.Date = *refusal.Date;
    return false;
}

// The split on show first, then every split in order.
bool TTransactionSession::ValidateAll() {
    if (!Validate(Shown))
        return false;
    for (std::size_t i = 0; i < Copy.size(); ++i)
        if (!Copy[i].Deleted() && !Validate(i))
            return false;
    return true;
}

// ---- Saving -------------------------------------------------------------------------------------

TSaveAnswer TTransactionSession::Save(bool forced) {
    if (!IsModified || Copy.empty())
        return TSaveAnswer::Yes;
    if (!forced) {
        const char* question =
            EditMode == TTransMode::New ? "Save new Transaction?" : "Save changes to current Transaction?";
        const MsgResult answer = Edit.Ask.MessageBox(question, MsgKind::Confirmation, MsgButtons::YesNoCancel);
        if (answer == MsgResult::No)
            return TSaveAnswer::No;
        if (answer != MsgResult::Yes)
            return TSaveAnswer::Cancel;
    }
    Collect();
    if (!ValidateAll())
        return TSaveAnswer::Cancel;
    return WriteBack() ? TSaveAnswer::Yes : TSaveAnswer::Cancel;
}

bool TTransactionSession::WriteBack() {
    const std::vector<TWorkingSplit> keptCopy = Copy;
    const TTransMode keptMode = EditMode;
    const TTransactionEditorResult keptOutcome = Outcome;
    TTransUndo before(L.TransList);
    // Deleted splits are counted against the rows as the worksheet shows them.
    if (std::any_of(Copy.begin(), Copy.end(), [](const TWorkingSplit& s) { return s.Deleted() && s.Stored; }))
        FreshRows();
    TChangeGroup group(Files());
    TTransList& list = L.TransList;
    std::vector<TTransRec*> written;
    for (TWorkingSplit& split : Copy) {
        if (split.Deleted())
            continue;
        if (!split.Stored) {
            auto* added = new TTransRec(split.Record);
            added->FilePos = 0;
            list.Add(added);
            before.Added(added);
            split.Stored = added;
            EditMode = TTransMode::Index;
            list.AddToTotals(*added);
            Outcome.NewRecordsAdded = true;
        } else {
            list.RemoveFromTotals(*split.Stored);
            before.Changing(split.Stored);
            split.Stored->Assign(split.Record);
            Outcome.StoredChanged = true;
            list.Changed(list.IndexOf(split.Stored));
            list.AddToTotals(*split.Stored);
        }
        split.StoredSplit = split.Record.Split;
        written.push_back(split.Stored);
    }
    for (std::size_t i = Copy.size(); i-- > 0;)
        if (Copy[i].Deleted() && Copy[i].Stored)
            DeleteStored(Copy[i].Stored, before);
    if (!group.End()) {
        before.Restore();
        Copy = keptCopy;
        EditMode = keptMode;
        Outcome = keptOutcome;
        Outcome.CommitGivenUp = true;
        ResolveStored();
        return false;
    }
    // The deleted splits are gone from the file: the working copy forgets them.
    const TWorkingSplit* shown = &Copy[Shown];
    std::vector<TWorkingSplit> live;
    for (const TWorkingSplit& split : Copy)
        if (!split.Deleted()) {
            if (&split == shown)
                Shown = live.size();
            live.push_back(split);
        }
    Copy = std::move(live);
    IsModified = false;
    Outcome.Saved = true;
    Outcome.AmountsChanged = true;
    Outcome.Moved.insert(Outcome.Moved.end(), written.begin(), written.end());
    // The rows are worked out when they are next needed: by a deletion in this editor, or by
    // the steps after it closes, which filter the whole list anyway.
    RowsStale = true;
    // The key order was date order before: the records written take their places in it, as
    // sorting the whole list by key would place them.
    PlaceInOrder(list.KeyList, written, 1);
    list.Sorted = 1;
    return true;
}

// After a commit given up, memory holds again what the file holds, and records deleted in the
// commit are back as new objects: each working record finds its stored record by number and letter.
void TTransactionSession::ResolveStored() {
    std::int32_t number = 0;
    for (const TWorkingSplit& split : Copy)
        if (!split.Deleted())
            number = split.Record.Number;
    for (TWorkingSplit& split : Copy) {
        if (!split.Stored)
            continue;
        split.Stored = nullptr;
        for (TTransRec* t : L.TransList.KeyList)
            if (t->Number == number && t->Split == split.StoredSplit && t->IsOrdinary())
                split.Stored = t;
    }
}

// ---- Deleting -------------------------------------------------------------------------------------

// One stored record out of the totals and the list, counted (and counted apart when it lay
// above the first visible row of the Transactions view).
void TTransactionSession::DeleteStored(TTransRec* stored, TTransUndo& undo) {
    TTransList& list = L.TransList;
    list.RemoveFromTotals(*stored);
    NoteTotalsAfterDeletion(*stored);
    ++Outcome.Deleted;
    Outcome.StoredChanged = true;
    std::erase(Outcome.Moved, stored);
    if (stored->Row != -1 && LineOf(list, *stored, Descending) < FirstVisibleRow - Outcome.DeletedAbove)
        ++Outcome.DeletedAbove;
    const std::int32_t index = list.IndexOf(stored);
    undo.Deleting(index);
    list.Delete(index);
}

void TTransactionSession::FreshRows() {
    if (!RowsStale)
        return;
    L.TransList.FilterAndTotal();
    RowsStale = false;
}

// A total brought to zero or below by a deletion sends its worksheet tab back to the top.
void TTransactionSession::NoteTotalsAfterDeletion(const TTransRec& record) {
    if (const TMainActRec* category = L.MainActList.FindByNumber(record.MainAct)) {
        Outcome.ResetScroll[ViewCategories] |= category->Total <= Money();
        if (const TCatRec* type = L.CatList.Find(category->CatType))
            Outcome.ResetScroll[ViewSummary] |= type->Total - record.Amount <= Money();
    }
    if (const TSubActRec* sub = L.SubActList.FindPair(record.MainAct, record.SubAct))
        Outcome.ResetScroll[ViewSubCategories] |= sub->Total <= Money();
    if (const TGroupRec* group = L.GroupList.Find(record.Group))
        Outcome.ResetScroll[ViewGroups] |=
            (record.Kind == TransCredit ? group->CreditTotal : group->DebitTotal) <= Money();
}

bool TTransactionSession::DeleteTransaction() {
    const TTransRec* shown = ShownStored();
    if (!HasTransaction || EditMode == TTransMode::New || !shown)
        return false;
    if (!Edit.CheckAccess(TAccessArea::Deleting) || !Edit.Confirm("Delete this Transaction.") ||
        !Edit.Dialogs.ConfirmDelete())
        return false;
    TTransList& list = L.TransList;
    const std::int32_t number = shown->Number;
    std::vector<TTransRec*> parts;
    std::int32_t firstIndex = -1;
    for (std::int32_t i = 0; i < list.Count(); ++i)
        if (TTransRec* t = list.Items(i); t->Number == number && t->IsOrdinary()) {
            parts.push_back(t);
            if (firstIndex == -1)
                firstIndex = i;
        }
    // Shown next: the nearest earlier transaction, else the next later one.
    const std::int32_t earlier = EarlierOrdinary(firstIndex);
    TTransRec* next = earlier >= 0 ? list.Items(earlier) : nullptr;

    FreshRows();
    const TTransactionEditorResult keptOutcome = Outcome;
    TTransUndo before(list);
    TChangeGroup group(Files());
    for (std::size_t i = parts.size(); i-- > 0;)
        DeleteStored(parts[i], before);
    if (!group.End()) {
        before.Restore();
        Outcome = keptOutcome;
        Outcome.CommitGivenUp = true;
        ResolveStored();
        return false;
    }
    if (!next) {
        const auto [first, last] = OrdinaryEnds(list);
        if (first != -1) {
            std::int32_t at = std::clamp(firstIndex, 0, list.Count() - 1);
            if (!list.Items(at)->IsOrdinary())
                at = list.NextOrdinary(at);
            next = list.Items(std::clamp(at, first, last));
        }
    }
    LoadOrClear(next);
    list.FilterAndTotal();
    RowsStale = false;
    Outcome.Saved = true;
    Outcome.AmountsChanged = true;
    if (AnySelectionActive(L))
        Recalculate(L);
    return true;
}

} // namespace qz

// The session's buttons besides saving and deleting: the arrows, "&New", "&Find", "&Unlock",
// the splits and their tabs, and the sub categories and groups made on the fly.

#include "TransactionSession.h"

#include "edit/CategoryEdit.h"
#include "edit/GroupEdit.h"
#include "edit/SubCategoryEdit.h"
#include "engine/Engine.h"

namespace qz {

namespace {

constexpr std::int32_t MaxSplits = 10; // "A" to "J"

// The editor's fields were opened after the access check for adding or editing: a sub
// category or group made from them asks for no password of its own.
class TGrantedAdding {
public:
    explicit TGrantedAdding(TEditContext& edit) : Edit(edit), Kept(edit.Granted) { Edit.Granted = TAccessArea::Adding; }
    ~TGrantedAdding() { Edit.Granted = Kept; }
    TGrantedAdding(const TGrantedAdding&) = delete;
    TGrantedAdding& operator=(const TGrantedAdding&) = delete;

private:
    TEditContext& Edit;
    std::optional<TAccessArea> Kept;
};

} // namespace

// ---- The arrows -----------------------------------------------------------------------------------

void TTransactionSession::Arrow(bool forward) {
    const bool wasNew = EditMode == TTransMode::New;
    const TSaveAnswer answer = Save(false);
    if (answer == TSaveAnswer::Cancel)
        return;
    TTransList& list = L.TransList;
    const std::int32_t from = Position();
    if ((wasNew && answer == TSaveAnswer::No) || from < 0) {
        // Back to the transaction shown before "&New", whichever arrow was pressed.
        const auto [first, last] = OrdinaryEnds(list);
        if (first == -1) {
            ShowNoTransaction();
            return;
        }
        const std::int32_t before = BeforeNew ? list.IndexOf(BeforeNew) : -1;
        Load(before < 0 ? first : std::min(before, last));
        return;
    }
    // The other splits of the same transaction are stepped over.
    const std::int32_t number = list.Items(from)->Number;
    for (std::int32_t at = from;;) {
        const std::int32_t next = forward ? list.NextOrdinary(at) : list.PrevOrdinary(at);
        if (next == at || next < 0 || next >= list.Count())
            return;
        if (list.Items(next)->Number != number) {
            Load(next);
            return;
        }
        at = next;
    }
}

// ---- "&New", "&Find", "&Unlock" -----------------------------------------------------------------------

bool TTransactionSession::New() {
    if (!Edit.CheckAccess(TAccessArea::Adding) || Save(false) == TSaveAnswer::Cancel)
        return false;
    const std::uint8_t kind = ChooseKind();
    if (kind == 0)
        return false;
    // A new transaction given up keeps the one shown before it as the place to go back to.
    TTransRec* keep = EditMode == TTransMode::New ? BeforeNew : nullptr;
    StartNew(kind);
    if (keep)
        BeforeNew = keep;
    return true;
}

bool TTransactionSession::Find() {
    return Save(false) != TSaveAnswer::Cancel;
}

bool TTransactionSession::Unlock() {
    if (!HasTransaction || !LockedFields || !Edit.CheckAccess(TAccessArea::Editing))
        return false;
    LockedFields = false;
    FocusField = TTransField::Category;
    return true;
}

// ---- Splits ---------------------------------------------------------------------------------------

void TTransactionSession::Split() {
    if (LockedFields || !HasTransaction || IsSplit())
        return;
    Collect();
    Copy[Shown].Record.Split = 'A';
    AddSplit();
    FocusField = TTransField::Category;
}

void TTransactionSession::AddSplit() {
    const std::int32_t tabs = LiveCount();
    if (LockedFields || !IsSplit() || tabs >= MaxSplits)
        return;
    Collect();
    const TTransRec& first = Copy[WorkingIndexOfTab(0)].Record;
    TWorkingSplit added;
    added.Record.Number = first.Number;
    added.Record.Kind = first.Kind;
    added.Record.Split = static_cast<char>('A' + tabs);
    added.Record.Date = first.Date;
    added.Record.Reference = first.Reference;
    added.Record.InSelection = 1;
    added.Record.Reconciled = !Options.NewTransDisabled;
    Copy.push_back(added);
    Shown = Copy.size() - 1;
    ShowRecord(Copy[Shown].Record);
    ChooseDefaultAccount();
    FocusField = TTransField::Account;
    IsModified = true;
}

bool TTransactionSession::DeleteSplit() {
    if (LockedFields || !IsSplit())
        return false;
    if (!Edit.Confirm(std::string("Delete Split ") + Copy[Shown].Record.Split + "."))
        return false;
    Collect();
    Copy[Shown].Record.Number = DeletedSplitNumber;
    // The splits left are lettered again in order; a sole one is unsplit.
    const bool single = LiveCount() == 1;
    char letter = 'A';
    for (TWorkingSplit& split : Copy)
        if (!split.Deleted())
            split.Record.Split = single ? '0' : letter++;
    ShowSplit(0);
    IsModified = true;
    return true;
}

void TTransactionSession::ChangeTab(std::int32_t tab) {
    if (!IsSplit())
        return;
    Collect();
    ShowSplit(tab);
    // A locked transaction is only looked at.
    if (!LockedFields)
        IsModified = true;
}

// ---- Sub categories and groups made on the fly -------------------------------------------------------

bool TTransactionSession::NewSubCategory() {
    if (LockedFields || !F.Category)
        return false;
    const std::int32_t categoryIndex = L.MainActList.IndexOfNumber(*F.Category);
    if (categoryIndex < 0)
        return false;
    const std::int32_t category = *F.Category;
    Money percent = GstPanelVisible() ? Files().Settings.GstPercent : Money::FromUnits(-1);
    std::string name;
    const auto check = [&](std::string& typed) { return CheckSubName(L.SubActList, typed, category, Edit.Ask); };
    if (!Dialogs.InputName("New Sub Category", "Enter new Sub Category name", name, percent, check))
        return false;
    TEditOutcome made;
    {
        const TGrantedAdding granted(Edit);
        made = AddSubCategory(Edit, categoryIndex, {name, percent < Money() ? Money() : percent, ""});
    }
    Outcome.CommitGivenUp |= made.Result == TEditResult::NotStored;
    if (!made.Done())
        return false;
    // Outside a category selection in force; selected otherwise, so that a date range or a
    // search does not hide its transactions for good.
    TSubActRec* sub = L.SubActList.Items(made.Index);
    sub->Selected = L.Switches.CategorySelectionActive ? 0 : 1;
    Outcome.Saved = true;
    Outcome.AmountsChanged = true;
    ApplySubCategory(sub->Number);
    FocusField = TTransField::SubCategory;
    return true;
}

bool TTransactionSession::NewGroup() {
    if (LockedFields)
        return false;
    Money noPercent = Money::FromUnits(-1);
    std::string name;
    const auto check = [&](std::string& typed) { return L.GroupList.ValidateName(typed, Edit.Ask); };
    if (!Dialogs.InputName("New Group", "Enter new Group name", name, noPercent, check))
        return false;
    TEditOutcome made;
    {
        const TGrantedAdding granted(Edit);
        made = AddGroup(Edit, name);
    }
    Outcome.CommitGivenUp |= made.Result == TEditResult::NotStored;
    if (!made.Done())
        return false;
    TGroupRec* group = L.GroupList.Items(made.Index);
    group->Selected = L.Switches.GroupSelectionActive ? 0 : 1;
    Outcome.Saved = true;
    Outcome.AmountsChanged = true;
    SetGroup(group->Number);
    FocusField = TTransField::Group;
    return true;
}

} // namespace qz

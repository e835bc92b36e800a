#include "GroupEdit.h"

#include "MemoryBefore.h"
#include "ledger/Cp1252.h"

namespace qz {

namespace {

std::string StoredName(const std::string& name) {
    return Trim(Trim(name).substr(0, decltype(TGroupRec::Name)::Capacity));
}

} // namespace

bool GroupIsFixed(const TGroupRec& group) {
    return group.Number == 0;
}

TEditOutcome AddGroup(TEditContext& edit, const std::string& name) {
    if (!edit.CheckAccess(TAccessArea::Adding))
        return {};
    std::string stored = StoredName(name);
    TGroupList& groups = edit.Ledger.GroupList;
    if (!groups.ValidateName(stored, edit.Ask))
        return {};
    TMemoryBefore before(edit.Ledger);
    before.KeepOrders(groups);
    TChangeGroup group(edit.Files);
    TGroupRec* added = groups.AddNamed(stored);
    return FinishEdit(group, before, {TEditResult::Done, RefreshGroups, groups.IndexOf(added)});
}

TEditOutcome RenameGroup(TEditContext& edit, std::int32_t index, const std::string& name) {
    TGroupList& groups = edit.Ledger.GroupList;
    TGroupRec* renamed = groups.Items(index);
    if (GroupIsFixed(*renamed) || !edit.CheckAccess(TAccessArea::Editing))
        return {};
    std::string stored = StoredName(name);
    if (stored.empty()) {
        edit.Inform("'' is not a valid name");
        return {};
    }
    if (!SameTextIgnoringCase(stored, renamed->Name.View()) && !groups.ValidateName(stored, edit.Ask))
        return {};
    if (renamed->Name == stored)
        return {TEditResult::Unchanged, RefreshNone, index};
    TMemoryBefore before(edit.Ledger);
    before.Keep(renamed);
    TChangeGroup group(edit.Files);
    renamed->Name = stored;
    groups.Changed(index);
    return FinishEdit(group, before, {TEditResult::Done, RefreshGroups | RefreshTransactions, index});
}

TEditOutcome DeleteGroup(TEditContext& edit, std::int32_t index) {
    TGroupList& groups = edit.Ledger.GroupList;
    TGroupRec* deleted = groups.Items(index);
    if (GroupIsFixed(*deleted))
        return {};
    const std::string name = deleted->Name.Str();
    if (!edit.CheckAccess(TAccessArea::Deleting) || !edit.Confirm("Delete Group - '" + name + "'?"))
        return {};
    for (const TTransRec* t : edit.Ledger.TransList.KeyList)
        if (t->IsOrdinary() && t->Group == deleted->Number) {
            edit.Inform("Group - '" + name + "' can't be deleted " +
                        "because it is being used by one or more Transactions.");
            edit.Inform(std::to_string(t->Number));
            return {};
        }
    TMemoryBefore before(edit.Ledger);
    before.Deleting(deleted);
    TChangeGroup group(edit.Files);
    groups.Delete(index);
    return FinishEdit(group, before, {TEditResult::Done, RefreshGroups, -1});
}

} // namespace qz

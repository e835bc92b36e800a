#include "SubCategoryEdit.h"

#include "CategoryEdit.h"
#include "MemoryBefore.h"
#include "ledger/Cp1252.h"

#include <algorithm>

namespace qz {

namespace {

std::string StoredName(const std::string& name) {
    return Trim(Trim(name).substr(0, decltype(TSubActRec::Name)::Capacity));
}

Money WithinPercentRange(Money percent) {
    return std::clamp(percent, Money(), Money::FromUnits(100));
}

// The percentage a change keeps: the given one, unless the box is hidden or read-only.
Money KeptPercent(const TEditContext& edit, const TMainActRec& category, Money given, Money current) {
    if (!edit.Files.Settings.TaxOn || SubPercentLocked(edit.Ledger, category))
        return current;
    return WithinPercentRange(given);
}

} // namespace

std::int32_t NextSubNumber(const TSubActList& subs, std::int32_t categoryNumber) {
    std::vector<std::int32_t> numbers;
    for (const TSubActRec* sub : subs.KeyList)
        if (sub->MainAct == categoryNumber)
            numbers.push_back(sub->Number);
    std::sort(numbers.begin(), numbers.end());
    std::int32_t next = 1;
    for (std::int32_t number : numbers)
        if (number == next)
            ++next;
    return next;
}

std::string SubNameRefusal(const TSubActList& subs, const std::string& name, std::int32_t categoryNumber) {
    const std::string stored = StoredName(name);
    if (stored.empty())
        return "'' is not a valid Category Name.";
    for (const TSubActRec* sub : subs.KeyList)
        if (sub->MainAct == categoryNumber && SameTextIgnoringCase(sub->Name.View(), stored))
            return "The Sub Category name '" + stored + "' is already in use.";
    return {};
}

bool CheckSubName(const TSubActList& subs, std::string& name, std::int32_t categoryNumber, Prompts& ask) {
    name = StoredName(name);
    const std::string refusal = SubNameRefusal(subs, name, categoryNumber);
    if (!refusal.empty())
        ask.MessageBox(refusal, MsgKind::Information, MsgButtons::Ok);
    return refusal.empty();
}

bool SubPercentLocked(const TLedger& ledger, const TMainActRec& category) {
    return IsTaxCategory(ledger, category.Number);
}

Money SteppedSubPercent(Money percent, bool up) {
    const Money tenth = Money::FromRaw(Money::Scale / 10);
    if (up)
        return percent < Money::FromUnits(100) - tenth ? WithinPercentRange(percent + tenth) : percent;
    return percent > Money() ? WithinPercentRange(percent - tenth) : percent;
}

Money NewSubPercent(const TLedger& ledger, const TFileSettings& settings, const TMainActRec& category) {
    const TCatRec* type = ledger.CatList.Find(category.CatType);
    if ((type && TCatList::NoGstByDefault(*type)) || SubPercentLocked(ledger, category) || !settings.TaxOn)
        return Money();
    return WithinPercentRange(settings.GstPercent);
}

TEditOutcome AddSubCategory(TEditContext& edit, std::int32_t categoryIndex, const TSubCategoryFields& fields) {
    TLedger& l = edit.Ledger;
    TMainActRec* category = l.MainActList.Items(categoryIndex);
    if (!edit.CheckAccess(TAccessArea::Adding))
        return {};
    std::string name = fields.Name;
    if (!CheckSubName(l.SubActList, name, category->Number, edit.Ask))
        return {};
    TMemoryBefore before(l);
    before.KeepOrders(l.SubActList);
    TChangeGroup group(edit.Files);
    auto* sub = new TSubActRec;
    sub->MainAct = category->Number;
    sub->MainActRec = category;
    sub->Number = NextSubNumber(l.SubActList, category->Number);
    sub->Name = name;
    sub->Side = category->Side;
    sub->Notes = fields.Notes.substr(0, TSubActList::NotesCapacity);
    sub->GstPercent = KeptPercent(edit, *category, fields.GstPercent, NewSubPercent(l, edit.Files.Settings, *category));
    l.SubActList.Add(sub);
    l.SubActList.SortByKey();
    return FinishEdit(group, before, {TEditResult::Done, RefreshSubCategories, l.SubActList.IndexOf(sub)});
}

TEditOutcome ChangeSubCategory(TEditContext& edit, std::int32_t index, const TSubCategoryFields& fields) {
    TLedger& l = edit.Ledger;
    TSubActRec* sub = l.SubActList.Items(index);
    const TMainActRec* category = l.MainActList.FindByNumber(sub->MainAct);
    if (!category || !edit.CheckAccess(TAccessArea::Editing))
        return {};
    std::string name = StoredName(fields.Name);
    if (!SameTextIgnoringCase(name, sub->Name.View()) && !CheckSubName(l.SubActList, name, sub->MainAct, edit.Ask))
        return {};
    if (name.empty()) {
        edit.Inform("'' is not a valid Category Name.");
        return {};
    }
    const Money percent = KeptPercent(edit, *category, fields.GstPercent, sub->GstPercent);
    const std::string notes = fields.Notes.substr(0, TSubActList::NotesCapacity);
    if (sub->Name == name && sub->GstPercent == percent && sub->Notes == notes)
        return {TEditResult::Unchanged, RefreshNone, index};
    const bool renamed = sub->Name != name;
    TMemoryBefore before(l);
    before.Keep(sub);
    TChangeGroup group(edit.Files);
    sub->Name = name;
    sub->GstPercent = percent;
    sub->Notes = notes;
    l.SubActList.Changed(index);
    const std::uint16_t refresh = renamed ? RefreshSubCategories | RefreshTransactions : RefreshSubCategories;
    return FinishEdit(group, before, {TEditResult::Done, refresh, index});
}

TEditOutcome DeleteSubCategory(TEditContext& edit, std::int32_t index) {
    TLedger& l = edit.Ledger;
    TSubActRec* sub = l.SubActList.Items(index);
    const std::string name = sub->Name.Str();
    if (!edit.CheckAccess(TAccessArea::Deleting) || !edit.Confirm("Delete Sub Category - '" + name + "'"))
        return {};
    const auto& all = l.TransList.KeyList;
    if (std::any_of(all.begin(), all.end(), [&](const TTransRec* t) {
            return t->IsOrdinary() && t->MainAct == sub->MainAct && t->SubAct == sub->Number;
        })) {
        edit.Inform("Sub Category - " + name +
                    " - can't be deleted because its being used by one or more transactions.");
        return {};
    }
    TMemoryBefore before(l);
    before.Deleting(sub);
    TChangeGroup group(edit.Files);
    l.SubActList.Delete(index);
    return FinishEdit(group, before, {TEditResult::Done, RefreshSubCategories, -1});
}

} // namespace qz

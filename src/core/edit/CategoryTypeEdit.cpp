#include "CategoryTypeEdit.h"

#include "MemoryBefore.h"
#include "ledger/Cp1252.h"

#include <algorithm>

namespace qz {

namespace {

// What a name is stored as: trimmed and cut to what the record holds, so that the check for a
// name in use looks at the name that will be kept.
std::string StoredName(const std::string& name) {
    return Trim(Trim(name).substr(0, decltype(TCatRec::Name)::Capacity));
}

} // namespace

const std::vector<TKindChoice>& KindChoices(std::uint8_t side) {
    static const std::vector<TKindChoice> credit = {{KindSales, "Sales Income"},
                                                    {KindOther, "Other Income"},
                                                    {KindAssets, "Asset && Liability"},
                                                    {KindFunds, "Funds"}};
    static const std::vector<TKindChoice> debit = {
        {KindSales, "Cost of Sales"},    {KindOperating, "Normal Operating Expenses"}, {KindOther, "Other Expenses"},
        {KindCompanyTax, "Company Tax"}, {KindAssets, "Asset && Liability"},           {KindFunds, "Funds"}};
    return side == SideCredit ? credit : debit;
}

bool KindOffered(std::uint8_t side, std::int16_t kind) {
    const auto& choices = KindChoices(side);
    return std::any_of(choices.begin(), choices.end(), [&](const TKindChoice& c) { return c.Kind == kind; });
}

std::vector<TCatRec*> TypesOfSide(const TCatList& types, std::uint8_t side) {
    std::vector<TCatRec*> ofSide;
    for (TCatRec* type : types.KeyList)
        if ((side == SideCredit) == (type->Side == SideCredit))
            ofSide.push_back(type);
    std::stable_sort(ofSide.begin(), ofSide.end(),
                     [](const TCatRec* a, const TCatRec* b) { return a->Name < b->Name; });
    return ofSide;
}

bool TypeIsFixed(const TCatRec& type) {
    return type.IsDefault != 0 || type.Kind == KindGstSystem;
}

std::string CategoryTypeRefusal(const TCatList& types, const std::string& name, std::uint8_t side, std::int16_t kind,
                                const std::string& openedWith) {
    const std::string stored = StoredName(name);
    if (stored.empty())
        return "The name you have entered is not valid";
    if (!SameTextIgnoringCase(stored, openedWith))
        for (const TCatRec* type : types.KeyList)
            if (SameTextIgnoringCase(type->Name.View(), stored))
                return "The name '" + stored + "' is already being used";
    if (!KindOffered(side, kind))
        return "You must select a Type";
    return {};
}

TEditOutcome AddCategoryType(TEditContext& edit, const std::string& name, std::uint8_t side, std::int16_t kind) {
    if (side != SideCredit && side != SideDebit)
        return {};
    if (!edit.CheckAccess(TAccessArea::Adding))
        return {};
    if (const std::string refusal = CategoryTypeRefusal(edit.Ledger.CatList, name, side, kind); !refusal.empty()) {
        edit.Inform(refusal);
        return {};
    }
    TCatList& types = edit.Ledger.CatList;
    TMemoryBefore before(edit.Ledger);
    before.KeepOrders(types);
    TChangeGroup group(edit.Files);
    TCatRec* type = types.AddType(StoredName(name), side, kind, 0);
    return FinishEdit(group, before, {TEditResult::Done, RefreshTypes, types.IndexOf(type)});
}

TEditOutcome ChangeCategoryType(TEditContext& edit, std::int32_t index, const std::string& name, std::int16_t kind) {
    TCatList& types = edit.Ledger.CatList;
    TCatRec* type = types.Items(index);
    if (TypeIsFixed(*type) || !edit.CheckAccess(TAccessArea::Editing))
        return {};
    const std::string refusal = CategoryTypeRefusal(types, name, type->Side, kind, type->Name.Str());
    if (!refusal.empty()) {
        edit.Inform(refusal);
        return {};
    }
    const std::string stored = StoredName(name);
    if (type->Name == stored && type->Kind == kind)
        return {TEditResult::Unchanged, RefreshNone, index};
    TMemoryBefore before(edit.Ledger);
    before.Keep(type);
    TChangeGroup group(edit.Files);
    type->Name = stored;
    type->Kind = kind;
    types.Changed(index);
    return FinishEdit(group, before, {TEditResult::Done, RefreshTypes, index});
}

TEditOutcome DeleteCategoryType(TEditContext& edit, std::int32_t index) {
    TCatList& types = edit.Ledger.CatList;
    TCatRec* type = types.Items(index);
    const std::string name = type->Name.Str();
    if (!edit.CheckAccess(TAccessArea::Deleting) ||
        !edit.Confirm("Do you really want to delete Category Type '" + name + "'?"))
        return {};
    if (TypeIsFixed(*type)) {
        edit.Inform("You can't delete a default Category Type");
        return {};
    }
    for (const TMainActRec* category : edit.Ledger.MainActList.KeyList)
        if (category->CatType == type->Number) {
            edit.Inform("Category Type '" + name + "' can't be deleted because it is" + " being used by Category '" +
                        category->Name.Str() + "'");
            return {};
        }
    TMemoryBefore before(edit.Ledger);
    before.Deleting(type);
    TChangeGroup group(edit.Files);
    types.Delete(index);
    return FinishEdit(group, before, {TEditResult::Done, RefreshTypes, -1});
}

} // namespace qz

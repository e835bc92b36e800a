#include "Selections.h"

#include "ledger/Cp1252.h"
#include "ledger/NumberTexts.h"

#include <algorithm>

namespace qz {

namespace {

bool OfSide(std::uint8_t recordSide, std::uint8_t side) {
    return (recordSide == SideCredit) == (side == SideCredit);
}

bool CategoryPicked(const TLedger& ledger, const TSubActRec& sub) {
    const TMainActRec* category = ledger.MainActList.FindByNumber(sub.MainAct);
    return category && category->Picked;
}

bool BeginsWithIgnoringCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && SameTextIgnoringCase(text.substr(0, start.size()), start);
}

} // namespace

TCategorySelection::TCategorySelection(TLedger& ledger, bool newSelection) : Ledger(ledger) {
    const bool fresh = newSelection || !ledger.Switches.CategorySelectionActive;
    for (TMainActRec* category : ledger.MainActList.KeyList)
        category->Picked = fresh ? 0 : category->Selected;
    for (TSubActRec* sub : ledger.SubActList.KeyList) {
        const TMainActRec* category = ledger.MainActList.FindByNumber(sub->MainAct);
        sub->Picked = !fresh && category && category->Selected ? sub->Selected : 1;
    }
}

std::vector<TMainActRec*> TCategorySelection::CategoriesOfSide(std::uint8_t side) const {
    std::vector<TMainActRec*> categories;
    for (TMainActRec* category : Ledger.MainActList.KeyList)
        if (OfSide(category->Side, side))
            categories.push_back(category);
    return categories;
}

std::vector<TSubActRec*> TCategorySelection::SubsOf(const TMainActRec& category) const {
    std::vector<TSubActRec*> subs;
    for (TSubActRec* sub : Ledger.SubActList.KeyList)
        if (sub->MainAct == category.Number)
            subs.push_back(sub);
    return subs;
}

bool TCategorySelection::TickSub(TSubActRec& sub, bool on) {
    if (!CategoryPicked(Ledger, sub))
        return false;
    sub.Picked = on ? 1 : 0;
    return true;
}

void TCategorySelection::TickAllCategories(std::uint8_t side, bool on) {
    for (TMainActRec* category : CategoriesOfSide(side))
        category->Picked = on ? 1 : 0;
}

void TCategorySelection::TickAllSubs(const TMainActRec& category, bool on) {
    if (!category.Picked)
        return;
    for (TSubActRec* sub : SubsOf(category))
        sub->Picked = on ? 1 : 0;
}

void TCategorySelection::TakeTypeTicks() {
    for (TMainActRec* category : Ledger.MainActList.KeyList) {
        const TCatRec* type = Ledger.CatList.Find(category->CatType);
        category->Picked = type ? type->Picked : 0;
    }
    for (TSubActRec* sub : Ledger.SubActList.KeyList)
        sub->Picked = 1;
}

void TCategorySelection::Reset() {
    for (TMainActRec* category : Ledger.MainActList.KeyList)
        category->Picked = 0;
    for (TSubActRec* sub : Ledger.SubActList.KeyList)
        sub->Picked = 1;
}

std::vector<TCategorySelection::TNode> TCategorySelection::Tree() const {
    std::vector<TNode> tree;
    for (TMainActRec* category : Ledger.MainActList.KeyList) {
        if (!category->Picked)
            continue;
        TNode node{category, {}};
        for (TSubActRec* sub : SubsOf(*category))
            if (sub->Picked)
                node.Subs.push_back(sub);
        std::stable_sort(node.Subs.begin(), node.Subs.end(),
                         [](const TSubActRec* a, const TSubActRec* b) { return a->Name < b->Name; });
        tree.push_back(std::move(node));
    }
    std::stable_sort(tree.begin(), tree.end(),
                     [](const TNode& a, const TNode& b) { return a.Category->Name < b.Category->Name; });
    return tree;
}

bool TCategorySelection::CanApply() const {
    const auto& all = Ledger.MainActList.KeyList;
    return std::any_of(all.begin(), all.end(), [](const TMainActRec* c) { return c->Picked != 0; });
}

void TCategorySelection::Apply() {
    Ledger.Switches.CategorySelectionActive = true;
    for (TMainActRec* category : Ledger.MainActList.KeyList)
        category->Selected = category->Picked;
    for (TSubActRec* sub : Ledger.SubActList.KeyList) {
        const TMainActRec* category = Ledger.MainActList.FindByNumber(sub->MainAct);
        sub->Selected = category && category->Selected ? sub->Picked : 0;
    }
}

TTypeSelection::TTypeSelection(TCatList& types) : Types(types) {
    Reset();
}

std::vector<TCatRec*> TTypeSelection::TypesOfSide(std::uint8_t side) const {
    std::vector<TCatRec*> ofSide;
    for (TCatRec* type : Types.KeyList)
        if (OfSide(type->Side, side))
            ofSide.push_back(type);
    return ofSide;
}

void TTypeSelection::TickAll(std::uint8_t side, bool on) {
    for (TCatRec* type : TypesOfSide(side))
        type->Picked = on ? 1 : 0;
}

void TTypeSelection::Reset() {
    for (TCatRec* type : Types.KeyList)
        type->Picked = 0;
}

bool TTypeSelection::CanApply() const {
    return std::any_of(Types.KeyList.begin(), Types.KeyList.end(), [](const TCatRec* t) { return t->Picked != 0; });
}

TGroupSelection::TGroupSelection(TLedger& ledger, bool newSelection) : Ledger(ledger) {
    const bool fresh = newSelection || !ledger.Switches.GroupSelectionActive;
    for (TGroupRec* group : ledger.GroupList.KeyList)
        group->Picked = fresh ? 0 : group->Selected;
}

void TGroupSelection::TickAll(bool on) {
    for (TGroupRec* group : Ledger.GroupList.KeyList)
        group->Picked = on ? 1 : 0;
}

bool TGroupSelection::CanApply() const {
    const auto& all = Ledger.GroupList.KeyList;
    return std::any_of(all.begin(), all.end(), [](const TGroupRec* g) { return g->Picked != 0; });
}

void TGroupSelection::Apply() {
    Ledger.Switches.GroupSelectionActive = true;
    for (TGroupRec* group : Ledger.GroupList.KeyList)
        group->Selected = group->Picked;
}

std::vector<TCategoryHit> FindCategories(const TLedger& ledger, const TCategorySearch& search) {
    std::vector<TCategoryHit> hits;
    auto matches = [&](std::string_view name, std::int32_t number) {
        return search.ByNumber ? std::to_string(number).starts_with(search.Text)
                               : BeginsWithIgnoringCase(name, search.Text);
    };
    if (!search.SubCategories) {
        for (std::int32_t i = 0; i < ledger.MainActList.Count(); ++i) {
            const TMainActRec* c = ledger.MainActList.Items(i);
            if (OfSide(c->Side, search.Side) && matches(c->Name.View(), c->Number))
                hits.push_back({true, i, std::to_string(c->Number), c->Name.Str()});
        }
        return hits;
    }
    for (std::int32_t i = 0; i < ledger.SubActList.Count(); ++i) {
        const TSubActRec* s = ledger.SubActList.Items(i);
        if (OfSide(s->Side, search.Side) && matches(s->Name.View(), s->Number))
            hits.push_back({false, i, SubActNumberText(s->MainAct, s->Number), s->Name.Str()});
    }
    return hits;
}

} // namespace qz

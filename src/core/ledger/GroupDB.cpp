#include "GroupDB.h"

#include "Cp1252.h"
#include "NumberTexts.h"

namespace qz {

std::string TGroupRec::NumberText() const { return GroupNumberText(Number); }

void TGroupList::RaiseIndexError(std::int32_t index) const {
    throw EGroupDBException("List index out of bounds - " + std::to_string(index));
}

TGroupRec* TGroupList::AddNamed(const std::string& name) {
    auto* group = new TGroupRec;
    group->Number = NewNumber();
    group->Name = name;
    Add(group);
    SortByKey();
    return group;
}

std::int32_t TGroupList::NewNumber() {
    SortByKey();
    for (std::int32_t i = 0; i < Count(); ++i)
        if (KeyList[static_cast<std::size_t>(i)]->Number != i)
            return i;
    return Count();
}

TGroupRec* TGroupList::Find(std::int32_t number) const { return Index.Find(number, KeyList); }

TGroupRec* TGroupList::FindByNumber(std::int32_t number) const {
    TGroupRec* group = Find(number);
    if (!group)
        RaiseIndexError(Count());
    return group;
}

std::uint8_t TGroupList::SelectedOfNumber(std::int32_t number) const {
    const TGroupRec* group = Find(number);
    return group ? group->Selected : 0;
}

void TGroupList::AddToTotal(std::int32_t number, std::uint8_t side, Money amount) {
    if (TGroupRec* group = Find(number))
        AddToTotal(*group, side, amount);
}

void TGroupList::SubtractFromTotal(std::int32_t number, std::uint8_t side, Money amount) {
    AddToTotal(number, side, -amount);
}

void TGroupList::AddToTotal(TGroupRec& group, std::uint8_t side, Money amount) {
    if (side == SideCredit) {
        group.CreditTotal += amount;
        CreditTotal += amount;
    } else {
        group.DebitTotal += amount;
        DebitTotal += amount;
    }
}

bool TGroupList::ValidateName(std::string& name, Prompts& prompts) const {
    name = Trim(name);
    if (name.empty()) {
        prompts.MessageBox("Group name ''' not valid!", MsgKind::Warning, MsgButtons::Ok);
        return false;
    }
    for (const TGroupRec* group : KeyList) {
        if (SameTextIgnoringCase(group->Name.View(), name)) {
            prompts.MessageBox("Group name '" + name + "' is already in use.", MsgKind::Warning, MsgButtons::Ok);
            return false;
        }
    }
    return true;
}

void TGroupList::Recount() {
    RecountWith(
        [this](const TGroupRec& g) {
            return g.Selected == 1 && (ShowZeroRows || !g.CreditTotal.IsZero() || !g.DebitTotal.IsZero());
        },
        [this](const TGroupRec& g) {
            CreditTotal += g.CreditTotal;
            DebitTotal += g.DebitTotal;
        });
}

void TGroupList::SortRows(std::uint8_t order) {
    switch (order) {
    case 0:
        SortView([](const TGroupRec* a, const TGroupRec* b) { return a->Number < b->Number; });
        break;
    case 1:
        SortView([](const TGroupRec* a, const TGroupRec* b) { return a->Name < b->Name; });
        break;
    case 2:
        SortView([](const TGroupRec* a, const TGroupRec* b) { return a->CreditTotal < b->CreditTotal; });
        break;
    case 3:
        SortView([](const TGroupRec* a, const TGroupRec* b) { return a->DebitTotal < b->DebitTotal; });
        break;
    case 4:
        SortView([](const TGroupRec* a, const TGroupRec* b) { return a->NetTotal() < b->NetTotal(); });
        break;
    default:
        break;
    }
    Recount();
}

void TGroupList::SortByKey() {
    Sort([](const TGroupRec* a, const TGroupRec* b) { return a->Number < b->Number; });
    Index.Invalidate();
}

std::string TGroupList::CreditText(const TGroupRec& group, const TDisplayFormats& formats) const {
    return formats.MoneyText(group.CreditTotal);
}

std::string TGroupList::DebitText(const TGroupRec& group, const TDisplayFormats& formats) const {
    return formats.MoneyText(group.DebitTotal);
}

std::string TGroupList::NetText(const TGroupRec& group, const TDisplayFormats& formats) const {
    return formats.MoneyText(group.NetTotal());
}

std::string TGroupList::CreditPercentText(const TGroupRec& group, const TDisplayFormats& formats) const {
    if (group.CreditTotal <= Money() || CreditTotal.IsZero())
        return "0.00%";
    return formats.PercentText(PercentOf(group.CreditTotal, CreditTotal), PercentPattern::Leading0);
}

std::string TGroupList::DebitPercentText(const TGroupRec& group, const TDisplayFormats& formats) const {
    if (group.DebitTotal <= Money() || DebitTotal.IsZero())
        return "0.00%";
    return formats.PercentText(PercentOf(group.DebitTotal, DebitTotal), PercentPattern::Leading0);
}

} // namespace qz

#include "SubActDB.h"

#include "NumberTexts.h"

namespace qz {

std::string TSubActRec::NumberText() const { return SubActNumberText(MainAct, Number); }

void TSubActList::RaiseIndexError(std::int32_t index) const {
    throw ESubActDBException("List index out of bounds (" + std::to_string(index) + ")");
}

TSubActRec* TSubActList::FindPair(std::int32_t mainAct, std::int32_t number) const {
    return Index.Find(PairKey(mainAct, number), KeyList);
}

std::int32_t TSubActList::IndexOfPair(std::int32_t mainAct, std::int32_t number) const {
    const TSubActRec* sub = FindPair(mainAct, number);
    return sub ? IndexOf(sub) : -1;
}

TSubActRec& TSubActList::Existing(std::int32_t mainAct, std::int32_t number) {
    TSubActRec* sub = FindPair(mainAct, number);
    if (!sub)
        RaiseIndexError(Count());
    return *sub;
}

void TSubActList::AddToTotal(std::int32_t mainAct, std::int32_t number, Money amount) {
    AddToTotal(Existing(mainAct, number), amount);
}

void TSubActList::SubtractFromTotal(std::int32_t mainAct, std::int32_t number, Money amount) {
    AddToTotal(Existing(mainAct, number), -amount);
}

void TSubActList::AddToTotal(TSubActRec& sub, Money amount) {
    sub.Total += amount;
    SideTotal(sub.Side) += amount;
}

void TSubActList::Recount() {
    RecountWith([this](const TSubActRec& s) { return s.Selected == 1 && (ShowZeroRows || s.Total > Money()); },
                [this](const TSubActRec& s) { SideTotal(s.Side) += s.Total; });
}

std::string_view TSubActList::CategoryName(const TSubActRec& sub) const {
    const TMainActRec* category = sub.MainActRec;
    if ((!category || category->Number != sub.MainAct) && MainActList)
        category = MainActList->FindByNumber(sub.MainAct);
    return category ? category->Name.View() : std::string_view();
}

void TSubActList::SortRows(std::uint8_t order) {
    switch (order) {
    case 0:
        SortView([this](const TSubActRec* a, const TSubActRec* b) {
            const auto byCategory = CategoryName(*a) <=> CategoryName(*b);
            return byCategory != 0 ? byCategory < 0 : a->Name < b->Name;
        });
        break;
    case 1:
        SortView([](const TSubActRec* a, const TSubActRec* b) {
            return a->MainAct != b->MainAct ? a->MainAct < b->MainAct : a->Number < b->Number;
        });
        break;
    case 2:
        SortView([](const TSubActRec* a, const TSubActRec* b) { return a->Name < b->Name; });
        break;
    case 3:
        SortView([](const TSubActRec* a, const TSubActRec* b) {
            return a->Total != b->Total ? a->Total < b->Total : a->Number < b->Number;
        });
        break;
    default:
        break;
    }
    Recount();
}

void TSubActList::SortByKey() {
    Sort([](const TSubActRec* a, const TSubActRec* b) {
        return a->MainAct != b->MainAct ? a->MainAct < b->MainAct : a->Number < b->Number;
    });
    Index.Invalidate();
}

std::string TSubActList::MoneyText(const TSubActRec& sub, std::uint8_t side, const TDisplayFormats& formats) const {
    return sub.Side == side ? formats.MoneyText(sub.Total) : std::string();
}

std::string TSubActList::PercentText(const TSubActRec& sub, const TDisplayFormats& formats) const {
    const Money whole = SideTotal(sub.Side);
    if (whole <= Money())
        return "0.00%";
    return formats.PercentText(PercentOf(sub.Total, whole), PercentPattern::Plain);
}

} // namespace qz

#include "MainActDB.h"

namespace qz {

void TMainActList::RaiseIndexError(std::int32_t index) const {
    throw EMainActDBException("List index out of bounds " + std::to_string(index));
}

TMainActRec* TMainActList::FindByNumber(std::int32_t number) const { return Index.Find(number, KeyList); }

std::int32_t TMainActList::IndexOfNumber(std::int32_t number) const {
    const TMainActRec* category = FindByNumber(number);
    return category ? IndexOf(category) : -1;
}

std::string TMainActList::NameOfNumber(std::int32_t number) const {
    const TMainActRec* category = FindByNumber(number);
    return category ? category->Name.Str() : std::string();
}

std::int32_t TMainActList::NumberOfName(const std::string& name, std::uint8_t side) const {
    for (const TMainActRec* category : KeyList)
        if (category->Side == side && category->Name == name)
            return category->Number;
    return -1;
}

TMainActRec& TMainActList::Existing(std::int32_t number) {
    TMainActRec* category = FindByNumber(number);
    if (!category)
        RaiseIndexError(Count());
    return *category;
}

void TMainActList::AddToTotal(std::int32_t number, Money amount) { AddToTotal(Existing(number), amount); }

void TMainActList::SubtractFromTotal(std::int32_t number, Money amount) { AddToTotal(Existing(number), -amount); }

void TMainActList::AddToTotal(TMainActRec& category, Money amount) {
    category.Total += amount;
    SideTotal(category.Side) += amount;
}

void TMainActList::Recount() {
    RecountWith([this](const TMainActRec& c) { return c.Selected == 1 && (ShowZeroRows || c.Total > Money()); },
                [this](const TMainActRec& c) { SideTotal(c.Side) += c.Total; });
}

void TMainActList::SortRows(std::uint8_t order) {
    switch (order) {
    case 0:
        SortView([](const TMainActRec* a, const TMainActRec* b) { return a->Number < b->Number; });
        break;
    case 1:
        SortView([](const TMainActRec* a, const TMainActRec* b) { return a->Name < b->Name; });
        break;
    case 2:
        SortView([](const TMainActRec* a, const TMainActRec* b) {
            return a->Total != b->Total ? a->Total < b->Total : a->Number < b->Number;
        });
        break;
    default:
        break;
    }
    Recount();
}

void TMainActList::SortByKey() {
    Sort([](const TMainActRec* a, const TMainActRec* b) { return a->Number < b->Number; });
    Index.Invalidate();
}

std::string TMainActList::MoneyText(const TMainActRec& category, std::uint8_t side,
                                    const TDisplayFormats& formats) const {
    return category.Side == side ? formats.MoneyText(category.Total) : std::string();
}

std::string TMainActList::PercentText(const TMainActRec& category, const TDisplayFormats& formats) const {
    const Money whole = SideTotal(category.Side);
    if (whole <= Money())
        return "0.00%";
    return formats.PercentText(PercentOf(category.Total, whole), PercentPattern::Plain);
}

} // namespace qz

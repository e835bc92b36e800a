#include "CatDB.h"

namespace qz {

void TCatList::RaiseIndexError(std::int32_t index) const {
    throw ECatDBException("List index out of bounds (" + std::to_string(index) + ")");
}

TCatRec* TCatList::AddType(const std::string& name, std::uint8_t side, std::int16_t kind, std::uint8_t isDefault) {
    auto* type = new TCatRec;
    type->Number = NewNumber();
    type->Name = name;
    type->Side = side;
    type->Kind = kind;
    type->IsDefault = isDefault;
    Add(type);
    return type;
}

void TCatList::AddDefaults() {
    struct Default {
        const char* Name;
        std::uint8_t Side;
        std::int16_t Kind;
    };
    static const Default defaults[] = {
        {"General Income", SideCredit, KindSales},    {"Other Income", SideCredit, KindOther},
        {"Assets Sold", SideCredit, KindAssets},      {"Funds Injection", SideCredit, KindFunds},
        {"Assets Purchased", SideDebit, KindAssets},  {"Stock Purchased", SideDebit, KindSales},
        {"Overheads", SideDebit, KindOperating},      {"Wages", SideDebit, KindOperating},
        {"Company Tax", SideDebit, KindCompanyTax},   {"Other Expenses", SideDebit, KindOther},
        {"Funds Repayment", SideDebit, KindFunds},
    };
    for (const Default& d : defaults)
        AddType(d.Name, d.Side, d.Kind, 1);
}

TCatRec* TCatList::Find(std::int32_t number) const { return Index.Find(number, KeyList); }

TCatRec* TCatList::FindByNumber(std::int32_t number) const {
    TCatRec* type = Find(number);
    if (!type)
        RaiseIndexError(Count());
    return type;
}

std::int16_t TCatList::NewNumber() const {
    std::int32_t highest = -1;
    for (const TCatRec* type : KeyList)
        highest = std::max<std::int32_t>(highest, type->Number);
    return static_cast<std::int16_t>(highest + 1);
}

void TCatList::AddToTotal(std::int32_t number, Money amount) { AddToTotal(*FindByNumber(number), amount); }

void TCatList::AddToTotal(TCatRec& type, Money amount) {
    type.Total += amount;
    if (type.Side == SideCredit)
        CreditTotal += amount;
    else if (type.Side == SideDebit)
        DebitTotal += amount;
}

Money TCatList::SectionNet(std::int16_t kind) const {
    Money net;
    for (const TCatRec* type : KeyList) {
        if (type->Kind != kind)
            continue;
        if (type->Side == SideCredit)
            net += type->Total;
        else
            net -= type->Total;
    }
    return net;
}

bool TCatList::NoGstByDefault(const TCatRec& type) {
    return type.Kind == KindCompanyTax || type.Kind == KindFunds || type.Name == "Wages";
}

std::int32_t TCatList::SetSystemTypeName(const std::string& text) {
    for (std::int32_t i = 0; i < Count(); ++i) {
        if (KeyList[static_cast<std::size_t>(i)]->Kind == KindGstSystem) {
            KeyList[static_cast<std::size_t>(i)]->Name = text;
            return i;
        }
    }
    return 0;
}

void TCatList::Recount() {
    RecountWith([this](const TCatRec& t) { return t.Kind != KindGstSystem && (ShowZeroRows || t.Total > Money()); },
                [this](const TCatRec& t) { SideTotal(t.Side) += t.Total; });
}

void TCatList::SortRows(std::uint8_t order) {
    switch (order) {
    case 0:
        SortView([](const TCatRec* a, const TCatRec* b) { return a->Number < b->Number; });
        break;
    case 1:
        SortView([](const TCatRec* a, const TCatRec* b) {
            return a->Side != b->Side ? a->Side < b->Side : a->Name < b->Name;
        });
        break;
    case 2:
        SortView([](const TCatRec* a, const TCatRec* b) {
            return a->Total != b->Total ? a->Total < b->Total : a->Number < b->Number;
        });
        break;
    default:
        break;
    }
    Recount();
}

void TCatList::SortByKey() {
    Sort([](const TCatRec* a, const TCatRec* b) { return a->Number < b->Number; });
    Index.Invalidate();
}

void TCatList::SortByKindSideName() {
    Sort([](const TCatRec* a, const TCatRec* b) {
        if (a->Kind != b->Kind)
            return a->Kind < b->Kind;
        if (a->Side != b->Side)
            return a->Side < b->Side;
        return a->Name < b->Name;
    });
    Index.Invalidate();
}

std::string TCatList::PercentText(const TCatRec& type, Money whole, const TDisplayFormats& formats) const {
    if (type.Total.IsZero() || whole.IsZero())
        return "0.00%";
    return formats.PercentText(PercentOf(type.Total, whole), PercentPattern::Grouped);
}

std::string TCatList::MoneyText(const TCatRec& type, std::uint8_t side, const TDisplayFormats& formats) const {
    return type.Side == side ? formats.MoneyText(type.Total) : std::string();
}

} // namespace qz

#include "TransactionLists.h"

#include "edit/CategoryEdit.h"
#include "ledger/NumberTexts.h"

#include <algorithm>

namespace qz {

namespace {

// Without numbers the lists are sorted by what they show.
void SortByText(std::vector<TComboItem>& items) {
    std::stable_sort(items.begin(), items.end(),
                     [](const TComboItem& a, const TComboItem& b) { return a.Text < b.Text; });
}

bool Listed(const TLedger& ledger, bool taxOn, const TMainActRec& category, std::uint8_t side) {
    return category.Side == side && (taxOn || !IsTaxCategory(ledger, category.Number));
}

} // namespace

std::vector<TComboItem> CategoryItems(const TLedger& ledger, const TTaxView& tax, std::uint8_t side, bool showNumbers) {
    std::vector<TComboItem> items;
    for (const TMainActRec* category : ledger.MainActList.KeyList) {
        if (!Listed(ledger, tax.On, *category, side))
            continue;
        TComboItem item{category->Number, category->Name.Str()};
        if (showNumbers)
            item.Text = std::to_string(category->Number) + " - " + item.Text;
        if (IsTaxCategory(ledger, category->Number))
            item.Picture = tax.Name == "GST" ? TComboPicture::Gst : TComboPicture::Vat;
        items.push_back(std::move(item));
    }
    if (!showNumbers)
        SortByText(items);
    return items;
}

std::vector<TComboItem> SubCategoryItems(const TLedger& ledger, std::int32_t category, bool showNumbers) {
    std::vector<TComboItem> items;
    for (const TSubActRec* sub : ledger.SubActList.KeyList) {
        if (sub->MainAct != category)
            continue;
        TComboItem item{sub->Number, sub->Name.Str()};
        if (showNumbers)
            item.Text = SubActNumberText(category, sub->Number) + " - " + item.Text;
        items.push_back(std::move(item));
    }
    if (!showNumbers)
        SortByText(items);
    return items;
}

std::vector<TComboItem> GroupItems(const TLedger& ledger, bool showNumbers) {
    std::vector<TComboItem> items;
    const TGroupRec* fixed = nullptr;
    for (const TGroupRec* group : ledger.GroupList.KeyList) {
        if (group->Number == 0) {
            fixed = group;
            continue;
        }
        TComboItem item{group->Number, group->Name.Str()};
        if (showNumbers)
            item.Text = GroupNumberText(group->Number) + " - " + item.Text;
        items.push_back(std::move(item));
    }
    if (!showNumbers)
        SortByText(items);
    if (fixed) {
        std::string text = fixed->Name.Str() + " <default>";
        if (showNumbers)
            text = GroupNumberText(0) + " - " + text;
        items.insert(items.begin(), TComboItem{0, std::move(text)});
    }
    return items;
}

std::vector<TAccountItem> AccountItems(const TLedger& ledger) {
    std::vector<TAccountItem> items;
    for (const TBookRec* book : ledger.BookList.KeyList)
        items.push_back({book->Number, book->Name.Str(), book->Colour});
    return items;
}

std::pair<std::int32_t, std::int32_t> OrdinaryEnds(const TTransList& list) {
    const auto& all = list.KeyList;
    auto first = std::find_if(all.begin(), all.end(), [](const TTransRec* t) { return t->IsOrdinary(); });
    if (first == all.end())
        return {-1, -1};
    auto last = std::find_if(all.rbegin(), all.rend(), [](const TTransRec* t) { return t->IsOrdinary(); });
    return {static_cast<std::int32_t>(first - all.begin()), static_cast<std::int32_t>(all.rend() - last) - 1};
}

bool SideHasCategories(const TLedger& ledger, bool taxOn, std::uint8_t side) {
    const auto& all = ledger.MainActList.KeyList;
    return std::any_of(all.begin(), all.end(),
                       [&](const TMainActRec* category) { return Listed(ledger, taxOn, *category, side); });
}

} // namespace qz

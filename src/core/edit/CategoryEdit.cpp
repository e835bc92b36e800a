#include "CategoryEdit.h"

#include "MemoryBefore.h"
#include "ledger/Cp1252.h"

#include <algorithm>
#include <cctype>

namespace qz {

namespace {

// The number box holds at most 9 digits.
constexpr std::int32_t HighestCategoryNumber = 999'999'999;

bool NumberFree(const TMainActList& categories, std::int64_t number) {
    return number > 0 && number <= HighestCategoryNumber &&
           categories.IndexOfNumber(static_cast<std::int32_t>(number)) < 0;
}

std::string StoredName(const std::string& name) {
    return Trim(Trim(name).substr(0, decltype(TMainActRec::Name)::Capacity));
}

// Only credit and debit transactions name a category: a transfer's category field holds the
// number of its other half.
bool CategoryInUse(const TLedger& ledger, std::int32_t number) {
    const auto& all = ledger.TransList.KeyList;
    return std::any_of(all.begin(), all.end(),
                       [&](const TTransRec* t) { return t->IsOrdinary() && t->MainAct == number; });
}

void Renumber(TEditContext& edit, TMemoryBefore& before, TMainActRec& category, std::int32_t number) {
    TLedger& l = edit.Ledger;
    const std::int32_t old = category.Number;
    before.KeepOrders(l.SubActList);
    for (std::int32_t i = 0; i < l.SubActList.Count(); ++i) {
        TSubActRec* sub = l.SubActList.Items(i);
        if (sub->MainAct != old)
            continue;
        before.Keep(sub);
        sub->MainAct = number;
        l.SubActList.Changed(i);
    }
    for (std::int32_t i = 0; i < l.TransList.Count(); ++i) {
        TTransRec* t = l.TransList.KeyList[static_cast<std::size_t>(i)];
        if (!t->IsOrdinary() || t->MainAct != old)
            continue;
        before.Keep(t);
        t->MainAct = number;
        l.TransList.Changed(i);
    }
    category.Number = number;
    l.SubActList.SortByKey();
}

} // namespace

bool IsTaxCategory(const TLedger& ledger, std::int32_t number) {
    return number == ledger.GstPaymentCat || number == ledger.GstRefundCat;
}

std::int32_t ProposedCategoryNumber(const TMainActList& categories) {
    for (std::int32_t number = 100; number <= HighestCategoryNumber; number += 100)
        if (NumberFree(categories, number))
            return number;
    return 0; // a billion categories: none free, and the dialog's check says so
}

std::int32_t SteppedCategoryNumber(const TMainActList& categories, const std::string& text, bool down) {
    std::string digits = Trim(text);
    if (digits.empty())
        digits = "100";
    if (digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return ProposedCategoryNumber(categories);
    const std::int64_t rounded = std::stoll(digits) / 100 * 100;
    if (down && NumberFree(categories, rounded)) {
        for (std::int64_t lower = rounded - 100; lower > 0; lower -= 100)
            if (NumberFree(categories, lower))
                return static_cast<std::int32_t>(lower);
        return static_cast<std::int32_t>(rounded);
    }
    for (std::int64_t higher = rounded + 100; higher <= HighestCategoryNumber; higher += 100)
        if (NumberFree(categories, higher))
            return static_cast<std::int32_t>(higher);
    return static_cast<std::int32_t>(rounded);
}

std::int32_t CategoryNumberForZero(const TMainActList& categories) {
    std::int64_t number = 101;
    while (!NumberFree(categories, number) && number + 100 <= HighestCategoryNumber)
        number += 100;
    return static_cast<std::int32_t>(number);
}

std::vector<TCatRec*> CategoryTypeChoices(const TLedger& ledger, std::uint8_t side, const TMainActRec* editing) {
    const bool payments = editing && editing->Number == ledger.GstPaymentCat;
    std::vector<TCatRec*> choices;
    for (TCatRec* type : ledger.CatList.KeyList)
        if (type->Side == side && (type->Kind != KindGstSystem || payments))
            choices.push_back(type);
    std::stable_sort(choices.begin(), choices.end(),
                     [](const TCatRec* a, const TCatRec* b) { return a->Name < b->Name; });
    return choices;
}

std::string CategoryTypeDescription(std::uint8_t side, const std::string& typeName) {
    static const std::pair<const char*, const char*> credit[] = {
        {"General Income", "For any income related to the sale of goods or services."},
        {"Other Income", "For other income such as interest from bank accounts."},
        {"Assets Sold", "For income related to the sale of assets."},
        {"Funds Injection", "For any special funds or loans to the business."}};
    static const std::pair<const char*, const char*> debit[] = {
        {"Assets Purchased", "For any asset purchases."},
        {"Overheads", "For any overhead related expenses."},
        {"Stock Purchased", "For any stock purchases."},
        {"Wages", "For wages."},
        {"Company Tax", "For company tax."},
        {"Other Expenses", "For other expenses not related to overheads or the cost of doing business."},
        {"Funds Repayment", "For the repayment of any special funds or loans to the business."}};
    auto find = [&](const auto& table) -> std::string {
        for (const auto& [name, text] : table)
            if (typeName == name)
                return text;
        return {};
    };
    return side == SideCredit ? find(credit) : find(debit);
}

TCategoryRefusal CategoryRefusal(const TLedger& ledger, const TCategoryFields& fields, const TMainActRec* editing) {
    const TMainActList& categories = ledger.MainActList;
    if (!(editing && fields.Number == editing->Number) && !NumberFree(categories, fields.Number))
        return {"The Category number you have entered already in use.", TCategoryField::Number};
    const std::string name = StoredName(fields.Name);
    if (name.empty())
        return {"'' is not a valid Category Name.", TCategoryField::Name};
    for (const TMainActRec* other : categories.KeyList)
        if (other != editing && SameTextIgnoringCase(other->Name.View(), name))
            return {"The name '" + name + "' is already being used.", TCategoryField::Name};
    const std::uint8_t side = editing ? editing->Side : fields.Side;
    const auto choices = CategoryTypeChoices(ledger, side, editing);
    if (std::none_of(choices.begin(), choices.end(), [&](const TCatRec* t) { return t->Number == fields.CatType; }))
        return {"You Must Select a Category Type", TCategoryField::Type};
    return {};
}

TEditOutcome AddCategory(TEditContext& edit, const TCategoryFields& fields) {
    if (fields.Side != SideCredit && fields.Side != SideDebit)
        return {};
    if (!edit.CheckAccess(TAccessArea::Adding))
        return {};
    if (const TCategoryRefusal refusal = CategoryRefusal(edit.Ledger, fields, nullptr); !refusal.Text.empty()) {
        edit.Inform(refusal.Text);
        return {};
    }
    TMainActList& categories = edit.Ledger.MainActList;
    TMemoryBefore before(edit.Ledger);
    before.KeepOrders(categories);
    TChangeGroup group(edit.Files);
    auto* category = new TMainActRec;
    category->Number = fields.Number;
    category->Name = StoredName(fields.Name);
    category->Side = fields.Side;
    category->CatType = fields.CatType;
    categories.Add(category);
    categories.SortByKey();
    return FinishEdit(group, before, {TEditResult::Done, RefreshCategories, categories.IndexOf(category)});
}

TEditOutcome ChangeCategory(TEditContext& edit, std::int32_t index, const TCategoryFields& fields,
                            TCategoryChanges* changes) {
    TLedger& l = edit.Ledger;
    TMainActRec* category = l.MainActList.Items(index);
    if (IsTaxCategory(l, category->Number) || !edit.CheckAccess(TAccessArea::Editing))
        return {};
    if (const TCategoryRefusal refusal = CategoryRefusal(l, fields, category); !refusal.Text.empty()) {
        edit.Inform(refusal.Text);
        return {};
    }
    TCategoryChanges changed;
    changed.Number =
        fields.Number != category->Number &&
        edit.Ask.MessageBox("The Category Number has been changed.  Do you want to save the changes to the Category "
                            "Number?",
                            MsgKind::Confirmation, MsgButtons::YesNo) == MsgResult::Yes;
    const std::string name = StoredName(fields.Name);
    changed.Name = category->Name != name;
    changed.Type = category->CatType != fields.CatType;
    if (changes)
        *changes = changed;
    if (!changed.Number && !changed.Name && !changed.Type)
        return {TEditResult::Unchanged, RefreshNone, index};

    TMemoryBefore before(l);
    before.Keep(category);
    TChangeGroup group(edit.Files);
    if (changed.Number)
        Renumber(edit, before, *category, fields.Number);
    category->Name = name;
    category->CatType = fields.CatType;
    l.MainActList.Changed(l.MainActList.IndexOf(category));
    l.MainActList.SortByKey();
    std::uint16_t refresh = RefreshCategories;
    if (changed.Number || changed.Name)
        refresh |= RefreshSubCategories | RefreshTransactions;
    if (changed.Type)
        refresh |= RefreshTypes;
    return FinishEdit(group, before, {TEditResult::Done, refresh, l.MainActList.IndexOf(category)});
}

TEditOutcome DeleteCategory(TEditContext& edit, std::int32_t index) {
    TLedger& l = edit.Ledger;
    TMainActRec* category = l.MainActList.Items(index);
    const std::string name = category->Name.Str();
    if (!edit.CheckAccess(TAccessArea::Deleting) || !edit.Confirm("Delete Category - " + name))
        return {};
    if (CategoryInUse(l, category->Number)) {
        edit.Inform("Category - " + name + " - can't be deleted because its being used by one or more transactions.");
        return {};
    }
    if (IsTaxCategory(l, category->Number)) {
        edit.Inform("This Category can not be deleted because it is a Category managed by Quillmar Zudeduze");
        return {};
    }
    TMemoryBefore before(l);
    TChangeGroup group(edit.Files);
    for (std::int32_t i = l.SubActList.Count() - 1; i >= 0; --i)
        if (TSubActRec* sub = l.SubActList.Items(i); sub->MainAct == category->Number) {
            before.Deleting(sub);
            l.SubActList.Delete(i);
        }
    before.Deleting(category);
    l.MainActList.Delete(l.MainActList.IndexOf(category));
    return FinishEdit(group, before, {TEditResult::Done, RefreshCategories | RefreshSubCategories, -1});
}

} // namespace qz

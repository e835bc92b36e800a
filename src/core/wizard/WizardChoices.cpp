#include "WizardChoices.h"

#include "ledger/Cp1252.h"
#include "reports/ReportLayout.h"

#include <algorithm>

namespace qz {

namespace {

template <class Keep> std::vector<int> SortedIndexes(const std::vector<TMainActInfo>& entries, Keep keep) {
    std::vector<int> indexes;
    for (int i = 0; i < static_cast<int>(entries.size()); ++i)
        if (keep(entries[static_cast<std::size_t>(i)]))
            indexes.push_back(i);
    std::stable_sort(indexes.begin(), indexes.end(), [&](int a, int b) {
        const TMainActInfo& x = entries[static_cast<std::size_t>(a)];
        const TMainActInfo& y = entries[static_cast<std::size_t>(b)];
        if (x.Side != y.Side)
            return x.Side < y.Side;
        return WizardNameLess(x.Name, y.Name);
    });
    return indexes;
}

bool SubTaken(const TStarterCategory& category, const std::string& name, int except) {
    for (int i = 0; i < static_cast<int>(category.SubNames.size()); ++i)
        if (i != except && SameTextIgnoringCase(category.SubNames[static_cast<std::size_t>(i)], name))
            return true;
    return false;
}

void SortSubs(TStarterCategory& category) {
    std::stable_sort(category.SubNames.begin(), category.SubNames.end(), WizardNameLess);
}

} // namespace

std::string WizardRootCaption(const std::string& businessName) {
    const std::string name = Trim(businessName);
    return name.empty() ? std::string("YOUR COMPANY") : UpperCase1252(name);
}

std::string WizardName(const std::string& text) {
    std::string name = Trim(text);
    if (!name.empty())
        name.replace(0, 1, UpperCase1252(name.substr(0, 1)));
    return name;
}

std::string NameInUseText(const std::string& name) {
    return "The name '" + name + "' is already being used";
}

bool WizardNameLess(const std::string& a, const std::string& b) {
    const std::string upperA = UpperCase1252(a);
    const std::string upperB = UpperCase1252(b);
    return upperA != upperB ? upperA < upperB : a < b;
}

std::vector<int> TWizardChoices::TemplateList(std::uint8_t side) const {
    return SortedIndexes(Entries,
                         [&](const TMainActInfo& e) { return e.IsTemplate() && !e.Selected && e.Side == side; });
}

std::vector<int> TWizardChoices::SelectedList() const {
    return SortedIndexes(Entries, [](const TMainActInfo& e) { return e.Selected; });
}

bool TWizardChoices::NameTaken(const std::string& name, std::uint8_t side, int except, bool selectedOnly) const {
    for (int i = 0; i < static_cast<int>(Entries.size()); ++i) {
        const TMainActInfo& e = Entries[static_cast<std::size_t>(i)];
        if (i == except || e.Side != side || e.Origin == TMainActInfo::RemovedOrigin || (selectedOnly && !e.Selected))
            continue;
        if (SameTextIgnoringCase(e.Name, name))
            return true;
    }
    return false;
}

bool TWizardChoices::Select(int index) {
    TMainActInfo& entry = Entries.at(static_cast<std::size_t>(index));
    if (entry.Selected || !entry.IsTemplate() || NameTaken(entry.Name, entry.Side, index, true))
        return false;
    entry.Selected = true;
    return true;
}

bool TWizardChoices::ReturnToTemplate(int index, std::uint8_t shownSide) {
    TMainActInfo& entry = Entries.at(static_cast<std::size_t>(index));
    if (!entry.Selected || !entry.IsTemplate() || entry.Side != shownSide)
        return false;
    entry.Selected = false;
    return true;
}

std::string TWizardChoices::AddUserCategory(const std::string& text, std::uint8_t side) {
    const std::string name = WizardName(text);
    if (name.empty())
        return {};
    if (NameTaken(name, side, -1, false))
        return NameInUseText(name);
    TMainActInfo entry;
    entry.Name = name;
    entry.Side = side;
    entry.Selected = true;
    entry.Origin = TMainActInfo::UserOrigin;
    Entries.push_back(std::move(entry));
    return {};
}

void TWizardChoices::Remove(int index) {
    TMainActInfo& entry = Entries.at(static_cast<std::size_t>(index));
    if (!entry.Selected)
        return;
    entry.Selected = false;
    if (entry.IsUser()) {
        entry.Origin = TMainActInfo::RemovedOrigin;
        entry.TypeName.clear();
    }
}

void TWizardChoices::Clear() {
    for (int i = 0; i < static_cast<int>(Entries.size()); ++i)
        Remove(i);
}

std::string TWizardChoices::RenameUserCategory(int index, const std::string& text) {
    TMainActInfo& entry = Entries.at(static_cast<std::size_t>(index));
    const std::string name = WizardName(text);
    if (!entry.IsUser() || name.empty() || name == entry.Name)
        return {};
    if (NameTaken(name, entry.Side, index, false))
        return NameInUseText(name);
    entry.Name = name;
    return {};
}

bool TWizardChoices::HasUserCategories() const {
    return std::any_of(Entries.begin(), Entries.end(), [](const TMainActInfo& e) { return e.IsUser(); });
}

bool TWizardChoices::SideHasUserCategories(std::uint8_t side) const {
    return std::any_of(Entries.begin(), Entries.end(),
                       [&](const TMainActInfo& e) { return e.IsUser() && e.Side == side; });
}

std::vector<int> TWizardChoices::Untyped(std::uint8_t side) const {
    return SortedIndexes(Entries,
                         [&](const TMainActInfo& e) { return e.IsUser() && e.Side == side && e.TypeName.empty(); });
}

std::vector<int> TWizardChoices::Typed() const {
    return SortedIndexes(Entries, [](const TMainActInfo& e) { return e.IsUser() && !e.TypeName.empty(); });
}

bool TWizardChoices::SetType(int index, const std::string& typeName) {
    TMainActInfo& entry = Entries.at(static_cast<std::size_t>(index));
    if (!entry.IsUser())
        return false;
    if (!typeName.empty()) {
        const auto& names = WizardTypeNames(entry.Side);
        if (std::find(names.begin(), names.end(), typeName) == names.end())
            return false;
    }
    entry.TypeName = typeName;
    return true;
}

bool TWizardChoices::AllUserCategoriesTyped() const {
    return std::none_of(Entries.begin(), Entries.end(),
                        [](const TMainActInfo& e) { return e.IsUser() && e.TypeName.empty(); });
}

std::vector<TStarterCategory> StarterCategories(const TWizardChoices& choices) {
    std::vector<TStarterCategory> categories;
    for (const int index : choices.SelectedList()) {
        const TMainActInfo& entry = choices.Entries[static_cast<std::size_t>(index)];
        categories.push_back({entry.Name, entry.Side, entry.TypeName, entry.SubNames});
    }
    SortStarterCategories(categories);
    return categories;
}

void SortStarterCategories(std::vector<TStarterCategory>& categories) {
    std::stable_sort(categories.begin(), categories.end(), [](const TStarterCategory& a, const TStarterCategory& b) {
        return a.Side != b.Side ? a.Side < b.Side : WizardNameLess(a.Name, b.Name);
    });
    for (TStarterCategory& category : categories)
        SortSubs(category);
}

std::string AddStarterSub(TStarterCategory& category, const std::string& text) {
    const std::string name = WizardName(text);
    if (name.empty())
        return {};
    if (SubTaken(category, name, -1))
        return NameInUseText(name);
    category.SubNames.push_back(name);
    SortSubs(category);
    return {};
}

std::string RenameStarterSub(TStarterCategory& category, int sub, const std::string& text) {
    const std::string name = WizardName(text);
    std::string& current = category.SubNames.at(static_cast<std::size_t>(sub));
    if (name.empty() || name == current)
        return {};
    if (SubTaken(category, name, sub))
        return NameInUseText(name);
    current = name;
    SortSubs(category);
    return {};
}

std::string RenameStarterCategory(std::vector<TStarterCategory>& categories, int index, const std::string& text) {
    const std::string name = WizardName(text);
    TStarterCategory& category = categories.at(static_cast<std::size_t>(index));
    if (name.empty() || name == category.Name)
        return {};
    for (int i = 0; i < static_cast<int>(categories.size()); ++i) {
        const TStarterCategory& other = categories[static_cast<std::size_t>(i)];
        if (i != index && other.Side == category.Side && SameTextIgnoringCase(other.Name, name))
            return NameInUseText(name);
    }
    category.Name = name;
    SortStarterCategories(categories);
    return {};
}

bool SomeWithoutSubs(const std::vector<TStarterCategory>& categories) {
    return std::any_of(categories.begin(), categories.end(),
                       [](const TStarterCategory& c) { return c.SubNames.empty(); });
}

} // namespace qz

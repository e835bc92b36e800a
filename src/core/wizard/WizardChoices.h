#pragma once
// What the new file wizard's pages do with the categories: choosing template categories,
// adding, removing and renaming the user's own, giving those a type, and the sub categories
// of the starter set. The windows show these lists and call these steps; the refusals are the
// texts the user is told.

#include "WizardTemplate.h"

#include <string>
#include <vector>

namespace qz {

// The caption of the root of the wizard's trees.
std::string WizardRootCaption(const std::string& businessName);
// The name as the wizard keeps it: trimmed, its first letter made upper case.
std::string WizardName(const std::string& text);
// "The name '<name>' is already being used".
std::string NameInUseText(const std::string& name);
// The order of the wizard's lists: by name, ignoring letter case.
bool WizardNameLess(const std::string& a, const std::string& b);

class TWizardChoices {
public:
    explicit TWizardChoices(std::vector<TMainActInfo> entries = {}) : Entries(std::move(entries)) {}

    std::vector<TMainActInfo> Entries;

    // The template categories of a side not yet chosen, by name (indexes into Entries).
    std::vector<int> TemplateList(std::uint8_t side) const;
    // The chosen categories, credits first, each side by name.
    std::vector<int> SelectedList() const;

    // Moves a template category into the chosen ones; false when a chosen category of its
    // side has its name (ignoring letter case).
    bool Select(int index);
    // A chosen template category of `shownSide` goes back to the template list; false for a
    // user category or one of the other side.
    bool ReturnToTemplate(int index, std::uint8_t shownSide);
    // A category of the user's own: "" when added, else the refusal. An empty name adds nothing.
    std::string AddUserCategory(const std::string& text, std::uint8_t side);
    // "&Remove": a user category is marked removed, a template category goes back to the list.
    void Remove(int index);
    void Clear();
    // "" when renamed or left as it was (an empty text), else the refusal. Only user categories.
    std::string RenameUserCategory(int index, const std::string& text);

    bool HasUserCategories() const;
    bool SideHasUserCategories(std::uint8_t side) const;
    // The user categories of a side still without a type, by name; those with a type, by name.
    std::vector<int> Untyped(std::uint8_t side) const;
    std::vector<int> Typed() const;
    // Gives a user category a type of its side (empty takes the type away).
    bool SetType(int index, const std::string& typeName);
    bool AllUserCategoriesTyped() const;

private:
    bool NameTaken(const std::string& name, std::uint8_t side, int except, bool selectedOnly) const;
};

// A category of the starter set as the sub categories page shows it.
struct TStarterCategory {
    std::string Name;
    std::uint8_t Side = 1;
    std::string TypeName;
    std::vector<std::string> SubNames;
};

// The chosen categories with their template sub categories, in the order they are numbered:
// credits by name, then debits by name; sub categories by name.
std::vector<TStarterCategory> StarterCategories(const TWizardChoices& choices);
void SortStarterCategories(std::vector<TStarterCategory>& categories);

// The sub categories page's steps: "" when done (or nothing to do), else the refusal.
std::string AddStarterSub(TStarterCategory& category, const std::string& text);
std::string RenameStarterSub(TStarterCategory& category, int sub, const std::string& text);
std::string RenameStarterCategory(std::vector<TStarterCategory>& categories, int index, const std::string& text);
// Whether some category has no sub categories (the page asks before going on).
bool SomeWithoutSubs(const std::vector<TStarterCategory>& categories);

} // namespace qz

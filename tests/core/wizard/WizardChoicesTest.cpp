// The wizard pages' rules on categories: choosing template categories, the user's own
// categories and their types, and the sub categories of the starter set.

#include "wizard/WizardChoices.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

constexpr std::uint8_t Credit = 1;
constexpr std::uint8_t Debit = 2;

TMainActInfo Template(const std::string& name, std::uint8_t side, std::vector<std::string> subs = {}) {
    TMainActInfo e;
    e.Name = name;
    e.Side = side;
    e.TypeName = side == Credit ? "General Income" : "Overheads";
    e.SubNames = std::move(subs);
    e.Origin = 7;
    return e;
}

std::vector<std::string> Names(const TWizardChoices& choices, const std::vector<int>& indexes) {
    std::vector<std::string> names;
    for (const int i : indexes)
        names.push_back(choices.Entries[static_cast<std::size_t>(i)].Name);
    return names;
}

using List = std::vector<std::string>;

TEST(WizardChoices, TemplateCategoriesMoveBetweenTheListAndTheTree) {
    TWizardChoices c({Template("Sales", Credit, {"Counter"}), Template("rent", Debit), Template("Fees", Credit),
                      Template("Wages", Debit)});
    EXPECT_EQ(Names(c, c.TemplateList(Credit)), (List{"Fees", "Sales"}));
    EXPECT_TRUE(c.Select(0));
    EXPECT_TRUE(c.Select(1));
    EXPECT_TRUE(c.Select(3));
    EXPECT_EQ(Names(c, c.TemplateList(Credit)), (List{"Fees"}));
    EXPECT_EQ(Names(c, c.SelectedList()), (List{"Sales", "rent", "Wages"}));
    // Only a category of the side shown goes back.
    EXPECT_FALSE(c.ReturnToTemplate(1, Credit));
    EXPECT_TRUE(c.ReturnToTemplate(1, Debit));
    EXPECT_EQ(Names(c, c.TemplateList(Debit)), (List{"rent"}));

    // A user category takes a name of its side once; the template's duplicate then stays.
    EXPECT_EQ(c.AddUserCategory("  fees ", Credit), "The name 'Fees' is already being used");
    EXPECT_EQ(c.AddUserCategory("fees", Debit), "");
    EXPECT_EQ(c.AddUserCategory("  ", Debit), "");
    EXPECT_EQ(Names(c, c.SelectedList()), (List{"Sales", "Fees", "Wages"}));
    c.Remove(4);
    EXPECT_EQ(c.Entries[4].Origin, TMainActInfo::RemovedOrigin);
    // A removed user category frees its name and is gone from every list.
    EXPECT_EQ(c.AddUserCategory("Fees", Debit), "");
    c.Remove(5);
    EXPECT_FALSE(c.HasUserCategories());
    EXPECT_EQ(Names(c, c.SelectedList()), (List{"Sales", "Wages"}));
    EXPECT_EQ(Names(c, c.TemplateList(Debit)), (List{"rent"}));

    c.Clear();
    EXPECT_TRUE(c.SelectedList().empty());
    EXPECT_EQ(Names(c, c.TemplateList(Credit)), (List{"Fees", "Sales"}));
    EXPECT_EQ(Names(c, c.TemplateList(Debit)), (List{"rent", "Wages"}));
}

TEST(WizardChoices, TheUsersOwnCategoriesAreRenamedAndTyped) {
    TWizardChoices c({Template("Sales", Credit), Template("Rent", Debit)});
    c.Select(0);
    ASSERT_EQ(c.AddUserCategory("tips", Credit), "");
    ASSERT_EQ(c.AddUserCategory("Fuel", Debit), "");
    // A user category added from the tree blocks a template category of its name.
    ASSERT_EQ(c.AddUserCategory("rent", Debit), "The name 'Rent' is already being used");
    EXPECT_EQ(c.RenameUserCategory(0, "Takings"), "");
    EXPECT_EQ(c.Entries[0].Name, "Sales");
    EXPECT_EQ(c.RenameUserCategory(2, "sales"), "The name 'Sales' is already being used");
    EXPECT_EQ(c.RenameUserCategory(2, "   "), "");
    EXPECT_EQ(c.Entries[2].Name, "Tips");
    EXPECT_EQ(c.RenameUserCategory(2, " gratuities "), "");
    EXPECT_EQ(c.Entries[2].Name, "Gratuities");

    EXPECT_TRUE(c.SideHasUserCategories(Credit));
    EXPECT_EQ(Names(c, c.Untyped(Credit)), (List{"Gratuities"}));
    EXPECT_FALSE(c.SetType(2, "Overheads"));
    EXPECT_FALSE(c.SetType(0, "Other Income"));
    EXPECT_TRUE(c.SetType(2, "Other Income"));
    EXPECT_FALSE(c.AllUserCategoriesTyped());
    EXPECT_TRUE(c.SetType(3, "Overheads"));
    EXPECT_TRUE(c.AllUserCategoriesTyped());
    EXPECT_EQ(Names(c, c.Typed()), (List{"Gratuities", "Fuel"}));
    EXPECT_TRUE(c.SetType(3, ""));
    EXPECT_EQ(Names(c, c.Untyped(Debit)), (List{"Fuel"}));
}

TEST(WizardChoices, StarterCategoriesAndTheirSubCategories) {
    TWizardChoices c({Template("Sales", Credit, {"Retail", "online"}), Template("Rent", Debit)});
    c.Select(0);
    c.Select(1);
    c.AddUserCategory("Advertising", Debit);
    c.SetType(2, "Overheads");
    std::vector<TStarterCategory> starters = StarterCategories(c);
    ASSERT_EQ(starters.size(), 3u);
    EXPECT_EQ(starters[0].Name, "Sales");
    EXPECT_EQ(starters[0].SubNames, (List{"online", "Retail"}));
    EXPECT_EQ(starters[1].Name, "Advertising");
    EXPECT_EQ(starters[1].TypeName, "Overheads");
    EXPECT_TRUE(SomeWithoutSubs(starters));

    EXPECT_EQ(AddStarterSub(starters[0], "retail"), "The name 'Retail' is already being used");
    EXPECT_EQ(AddStarterSub(starters[0], "wholesale"), "");
    EXPECT_EQ(starters[0].SubNames, (List{"online", "Retail", "Wholesale"}));
    EXPECT_EQ(RenameStarterSub(starters[0], 0, "RETAIL"), "The name 'RETAIL' is already being used");
    EXPECT_EQ(RenameStarterSub(starters[0], 0, "web"), "");
    EXPECT_EQ(starters[0].SubNames, (List{"Retail", "Web", "Wholesale"}));
    // A category renamed on this page takes its place in the order.
    EXPECT_EQ(RenameStarterCategory(starters, 1, "rent"), "The name 'Rent' is already being used");
    EXPECT_EQ(RenameStarterCategory(starters, 1, "Sales"), "");
    EXPECT_EQ(starters[1].Name, "Rent");
    EXPECT_EQ(starters[2].Name, "Sales");
    EXPECT_EQ(starters[2].Side, Debit);

    EXPECT_EQ(WizardRootCaption("  Wattle Lane Caf\xe9 "), "WATTLE LANE CAF\xc9");
    EXPECT_EQ(WizardRootCaption(" "), "YOUR COMPANY");
}

} // namespace
} // namespace qz

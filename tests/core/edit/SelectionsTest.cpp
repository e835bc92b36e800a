// Selections: the dialogs' ticks, and that a selection gives the figures that filtering the
// transactions by hand gives. Also the category search.

#include "edit/Selections.h"
#include "engine/Engine.h"
#include "engine/Generator.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace qz::testing {
namespace {

class Selections : public ::testing::Test {
protected:
    void SetUp() override {
        TGeneratorOptions options;
        options.Seed = 7;
        options.Transactions = 3000;
        options.Categories = 10;
        options.Groups = 5;
        GenerateLedger(Ledger, options);
        Recalculate(Ledger);
    }

    // The figures of the transactions that pass the selection, worked out from the records
    // alone: ordinary, counted, in one of the chosen sub categories and groups.
    struct ByHand {
        std::map<std::int32_t, Money> Categories;
        std::map<std::pair<std::int32_t, std::int32_t>, Money> Subs;
        std::map<std::int32_t, std::pair<Money, Money>> Groups;
        std::set<const TTransRec*> Rows;
    };
    ByHand Filtered(const std::set<std::pair<std::int32_t, std::int32_t>>* subs,
                    const std::set<std::int32_t>* groups) const {
        ByHand hand;
        for (const TTransRec* t : Ledger.TransList.KeyList) {
            if (!t->IsOrdinary() || (subs && !subs->count({t->MainAct, t->SubAct})) ||
                (groups && !groups->count(t->Group)))
                continue;
            hand.Rows.insert(t);
            if (!t->Reconciled)
                continue;
            hand.Categories[t->MainAct] += t->Amount;
            hand.Subs[{t->MainAct, t->SubAct}] += t->Amount;
            auto& group = hand.Groups[t->Group];
            (t->Kind == TransCredit ? group.first : group.second) += t->Amount;
        }
        return hand;
    }

    void ExpectFigures(const ByHand& hand) const {
        for (const TTransRec* t : Ledger.TransList.KeyList)
            EXPECT_EQ(t->Row != -1, hand.Rows.count(t) == 1) << t->Number << t->Split;
        for (const TMainActRec* c : Ledger.MainActList.KeyList) {
            const auto it = hand.Categories.find(c->Number);
            const Money total = it == hand.Categories.end() ? Money() : it->second;
            EXPECT_EQ(c->Total, total) << c->Number;
            EXPECT_EQ(c->Row != -1, c->Selected && total > Money()) << c->Number;
        }
        for (const TSubActRec* s : Ledger.SubActList.KeyList) {
            const auto it = hand.Subs.find({s->MainAct, s->Number});
            EXPECT_EQ(s->Total, it == hand.Subs.end() ? Money() : it->second) << s->NumberText();
        }
        for (const TGroupRec* g : Ledger.GroupList.KeyList) {
            const auto it = hand.Groups.find(g->Number);
            const auto totals = it == hand.Groups.end() ? std::pair<Money, Money>() : it->second;
            EXPECT_EQ(g->CreditTotal, totals.first) << g->Number;
            EXPECT_EQ(g->DebitTotal, totals.second) << g->Number;
        }
    }

    std::set<std::pair<std::int32_t, std::int32_t>> SubsOfCategories(const std::set<std::int32_t>& categories) const {
        std::set<std::pair<std::int32_t, std::int32_t>> subs;
        for (const TSubActRec* s : Ledger.SubActList.KeyList)
            if (categories.count(s->MainAct))
                subs.insert({s->MainAct, s->Number});
        return subs;
    }

    TLedger Ledger;
};

TEST_F(Selections, CategoriesGiveTheFiguresOfFilteringByHand) {
    TCategorySelection selection(Ledger, true);
    EXPECT_FALSE(selection.CanApply());
    const auto credit = selection.CategoriesOfSide(SideCredit);
    const auto debit = selection.CategoriesOfSide(SideDebit);
    ASSERT_GE(credit.size(), 2u);
    ASSERT_GE(debit.size(), 3u);
    selection.TickCategory(*credit[0], true);
    selection.TickCategory(*debit[1], true);
    selection.TickCategory(*debit[2], true);
    EXPECT_FALSE(selection.TickSub(*selection.SubsOf(*credit[1]).front(), false)) << "its category is not ticked";
    ASSERT_TRUE(selection.CanApply());
    selection.Apply();
    Recalculate(Ledger);
    EXPECT_TRUE(Ledger.Switches.CategorySelectionActive);
    const auto all = SubsOfCategories({credit[0]->Number, debit[1]->Number, debit[2]->Number});
    ExpectFigures(Filtered(&all, nullptr));

    // Editing it: one sub category of a ticked category left out.
    TCategorySelection again(Ledger, false);
    EXPECT_EQ(credit[0]->Picked, 1);
    EXPECT_EQ(credit[1]->Picked, 0);
    const auto subs = again.SubsOf(*debit[1]);
    ASSERT_GE(subs.size(), 2u);
    ASSERT_TRUE(again.TickSub(*subs[0], false));
    again.Apply();
    Recalculate(Ledger);
    auto some = all;
    some.erase({subs[0]->MainAct, subs[0]->Number});
    ExpectFigures(Filtered(&some, nullptr));

    TCategorySelection reopened(Ledger, false);
    EXPECT_EQ(subs[0]->Picked, 0);
    EXPECT_EQ(subs[1]->Picked, 1);
    const auto tree = reopened.Tree();
    ASSERT_EQ(tree.size(), 3u);
    for (const auto& node : tree)
        if (node.Category == debit[1]) {
            EXPECT_EQ(node.Subs.size(), subs.size() - 1);
        }
    // Ticks left without OK change nothing.
    reopened.Reset();
    TCategorySelection unapplied(Ledger, true);
    unapplied.TickAllCategories(SideCredit, true);
    Recalculate(Ledger);
    ExpectFigures(Filtered(&some, nullptr));
}

TEST_F(Selections, TypesTickTheirCategoriesWithEverySubCategory) {
    TCategorySelection selection(Ledger, true);
    TTypeSelection types(Ledger.CatList);
    EXPECT_FALSE(types.CanApply());
    const TCatRec* general = nullptr;
    for (TCatRec* type : types.TypesOfSide(SideCredit))
        if (type->Name == "General Income") {
            types.Tick(*type, true);
            general = type;
        }
    ASSERT_NE(general, nullptr);
    ASSERT_TRUE(types.CanApply());
    selection.TakeTypeTicks();
    selection.Apply();
    Recalculate(Ledger);
    std::set<std::int32_t> ofType;
    for (const TMainActRec* c : Ledger.MainActList.KeyList)
        if (c->CatType == general->Number)
            ofType.insert(c->Number);
    ASSERT_FALSE(ofType.empty());
    const auto subs = SubsOfCategories(ofType);
    ExpectFigures(Filtered(&subs, nullptr));
    EXPECT_EQ(general->Total, [&] {
        Money total;
        for (const TMainActRec* c : Ledger.MainActList.KeyList)
            if (c->Row != -1 && c->CatType == general->Number)
                total += c->Total;
        return total;
    }());
}

TEST_F(Selections, GroupsAndCategoriesTogether) {
    TGroupSelection groups(Ledger, true);
    EXPECT_FALSE(groups.CanApply());
    groups.Tick(*Ledger.GroupList.FindByNumber(0), true);
    groups.Tick(*Ledger.GroupList.FindByNumber(2), true);
    groups.Apply();
    Recalculate(Ledger);
    const std::set<std::int32_t> chosen = {0, 2};
    ExpectFigures(Filtered(nullptr, &chosen));

    TCategorySelection categories(Ledger, true);
    categories.TickAllCategories(SideDebit, true);
    categories.Apply();
    Recalculate(Ledger);
    std::set<std::int32_t> debit;
    for (const TMainActRec* c : Ledger.MainActList.KeyList)
        if (c->Side == SideDebit)
            debit.insert(c->Number);
    const auto subs = SubsOfCategories(debit);
    ExpectFigures(Filtered(&subs, &chosen));

    TGroupSelection edited(Ledger, false);
    EXPECT_EQ(Ledger.GroupList.FindByNumber(2)->Picked, 1);
    EXPECT_EQ(Ledger.GroupList.FindByNumber(1)->Picked, 0);
}

TEST(CategorySearch, ByNameOrNumberOnOneSide) {
    TLedger l;
    auto category = [&](std::int32_t number, const char* name, std::uint8_t side) {
        auto* c = new TMainActRec;
        c->Number = number;
        c->Name = name;
        c->Side = side;
        l.MainActList.Add(c);
    };
    auto sub = [&](std::int32_t mainAct, std::int32_t number, const char* name, std::uint8_t side) {
        auto* s = new TSubActRec;
        s->MainAct = mainAct;
        s->Number = number;
        s->Name = name;
        s->Side = side;
        l.SubActList.Add(s);
    };
    category(100, "Rent received", SideCredit);
    category(200, "Rent", SideDebit);
    category(1200, "Repairs", SideDebit);
    sub(200, 1, "Rent", SideDebit);
    sub(200, 10, "Rental car", SideDebit);
    sub(200, 2, "Current", SideDebit);
    sub(1200, 12, "Roof", SideDebit);
    sub(100, 1, "Rent in", SideCredit);
    auto found = [&](TCategorySearch search) {
        std::vector<std::string> texts;
        for (const TCategoryHit& hit : FindCategories(l, search))
            texts.push_back(hit.NumberText + " " + hit.Name);
        return texts;
    };
    using Texts = std::vector<std::string>;
    EXPECT_EQ(found({true, SideDebit, false, "ren"}), (Texts{"200-1 Rent", "200-10 Rental car"}));
    EXPECT_EQ(found({true, SideDebit, true, "1"}), (Texts{"200-1 Rent", "200-10 Rental car", "1200-12 Roof"}));
    EXPECT_EQ(found({false, SideDebit, true, "12"}), (Texts{"1200 Repairs"}));
    EXPECT_EQ(found({false, SideCredit, false, ""}), (Texts{"100 Rent received"}));
    EXPECT_EQ(found({false, SideDebit, false, "RE"}), (Texts{"200 Rent", "1200 Repairs"}));
    const auto hits = FindCategories(l, {true, SideDebit, false, "roof"});
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_FALSE(hits[0].IsCategory);
    EXPECT_EQ(hits[0].Index, l.SubActList.IndexOfPair(1200, 12));
}

} // namespace
} // namespace qz::testing

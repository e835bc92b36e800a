// The category selection and the category type selection on a real document: ticks made by
// keys and the boxes' commands become the selection on OK and restrict the figures exactly as
// the core's selection does; editing starts from the active selection; Cancel and Reset.

#include "editors/ActSelect.h"
#include "editors/ActSelectBox.h"
#include "editors/CatSelection.h"

#include "CatFormFixture.h"
#include "engine/Engine.h"
#include "forms/ModalDriver.h"
#include "platform/TextCodec.h"

#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace qz::gui::test {
namespace {

struct TFigures {
    std::vector<int> Selected; // categories, then sub categories
    std::vector<std::int64_t> Totals;
    std::vector<int> InSelection;
    bool operator==(const TFigures&) const = default;
};

TFigures FiguresOf(TLedger& ledger) {
    Recalculate(ledger);
    TFigures figures;
    for (const TMainActRec* c : ledger.MainActList.KeyList) {
        figures.Selected.push_back(c->Selected);
        figures.Totals.push_back(c->Total.Raw());
    }
    for (const TSubActRec* s : ledger.SubActList.KeyList) {
        figures.Selected.push_back(s->Selected);
        figures.Totals.push_back(s->Total.Raw());
    }
    for (const TGroupRec* g : ledger.GroupList.KeyList)
        figures.Totals.push_back(g->NetTotal().Raw());
    for (const TTransRec* t : ledger.TransList.KeyList)
        figures.InSelection.push_back(t->InSelection);
    return figures;
}

class ActSelectTest : public ClassificationWindowTest {
protected:
    bool RunSelection(bool newSelection, std::function<void(TActSelect&)> act) {
        WhenModalClosing<TActSelect>(std::move(act));
        return TActSelect::SelectCategories(Window.get(), Books(), newSelection, true);
    }
    static TActSelectBox* Box(QWidget& window, const char* name) { return Child<TActSelectBox>(window, name); }
    // Highlights `row` of the box by keys and presses Space on it.
    static void TickByKeys(TActSelectBox* box, int row) {
        QTreeWidget* rows = box->Rows();
        rows->setFocus();
        rows->setCurrentItem(rows->topLevelItem(row));
        QTest::keyClick(rows, Qt::Key_Space);
    }
    static void Command(TActSelectBox* box, const char* name) { Child<QToolButton>(*box, name)->click(); }
    // The tree below its root: each category with its sub categories.
    static QStringList Tree(TActSelect& dialog) {
        QStringList lines;
        QTreeWidgetItem* root = Child<QTreeWidget>(dialog, "TreeView")->topLevelItem(0);
        for (int i = 0; root && i < root->childCount(); ++i) {
            QTreeWidgetItem* category = root->child(i);
            EXPECT_TRUE(category->isExpanded());
            lines << category->text(0);
            for (int j = 0; j < category->childCount(); ++j)
                lines << QStringLiteral("  ") + category->child(j)->text(0);
        }
        return lines;
    }
    std::vector<TMainActRec*> CategoriesOf(std::uint8_t side) {
        std::vector<TMainActRec*> found;
        for (TMainActRec* c : Books().MainActList.KeyList)
            if ((c->Side == SideCredit) == (side == SideCredit))
                found.push_back(c);
        return found;
    }
    std::vector<TSubActRec*> SubsOf(const TMainActRec& category) {
        std::vector<TSubActRec*> found;
        for (TSubActRec* s : Books().SubActList.KeyList)
            if (s->MainAct == category.Number)
                found.push_back(s);
        return found;
    }
    void ClearSelection() {
        Books().Switches.CategorySelectionActive = false;
        for (TMainActRec* c : Books().MainActList.KeyList)
            c->Selected = 1;
        for (TSubActRec* s : Books().SubActList.KeyList)
            s->Selected = 1;
    }
};

TEST_F(ActSelectTest, TicksRestrictTheFiguresAsTheCoresSelectionDoes) {
    OpenBooks();
    TMainActRec* chosen = CategoriesOf(SideCredit).front();
    const auto subs = SubsOf(*chosen);
    ASSERT_GE(subs.size(), 2u);
    const TFigures everything = FiguresOf(Books());
    EXPECT_TRUE(RunSelection(true, [&](TActSelect& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Category Selection"));
        auto* credit = Box(dialog, "InSelectBox");
        auto* debit = Box(dialog, "ExSelectBox");
        auto* sub = Box(dialog, "SubSelectBox");
        EXPECT_EQ(dialog.focusWidget(), credit->Rows());
        EXPECT_FALSE(sub->isEnabled()); // shown empty until a category is highlighted
        EXPECT_FALSE(Child<QPushButton>(dialog, "OKBtn")->isEnabled());
        EXPECT_TRUE(Tree(dialog).isEmpty());

        TickByKeys(credit, 0);
        EXPECT_TRUE(credit->Ticked(0));
        EXPECT_TRUE(sub->isEnabled());
        EXPECT_TRUE(sub->TicksEnabled());
        ASSERT_EQ(sub->RowCount(), static_cast<int>(subs.size()));
        EXPECT_EQ(sub->Rows()->topLevelItem(1)->text(1),
                  QStringLiteral("%1-%2").arg(chosen->Number).arg(subs[1]->Number));
        EXPECT_TRUE(sub->Ticked(1)); // a new selection starts with every sub category ticked
        EXPECT_EQ(Tree(dialog).size(), 1 + static_cast<int>(subs.size()));
        TickByKeys(sub, 1);
        EXPECT_EQ(Tree(dialog).size(), static_cast<int>(subs.size()));
        EXPECT_FALSE(Tree(dialog).contains(QStringLiteral("  ") + FromDocument(subs[1]->Name.View())));

        // The debit box's commands: all ticked, then none again.
        Command(debit, "SelectAllBtn");
        EXPECT_EQ(
            Tree(dialog).size(),
            static_cast<int>(subs.size()) + static_cast<int>(CategoriesOf(SideDebit).size()) + [&] {
                int n = 0;
                for (const TMainActRec* c : CategoriesOf(SideDebit))
                    n += static_cast<int>(SubsOf(*c).size());
                return n;
            }());
        Command(debit, "UnselectAllBtn");
        EXPECT_EQ(Tree(dialog).size(), static_cast<int>(subs.size()));
        EXPECT_TRUE(Child<QPushButton>(dialog, "OKBtn")->isEnabled());
        Child<QPushButton>(dialog, "OKBtn")->click();
    }));
    EXPECT_TRUE(Books().Switches.CategorySelectionActive);
    const TFigures byDialog = FiguresOf(Books());
    EXPECT_NE(byDialog, everything);
    EXPECT_EQ(chosen->Selected, 1);
    EXPECT_EQ(subs[0]->Selected, 1);
    EXPECT_EQ(subs[1]->Selected, 0);

    // The same ticks made through the core's selection give the same figures.
    ClearSelection();
    TCategorySelection core(Books(), true);
    core.TickCategory(*chosen, true);
    ASSERT_TRUE(core.TickSub(*subs[1], false));
    core.Apply();
    EXPECT_EQ(FiguresOf(Books()), byDialog);

    // Editing the active selection starts from it; Reset and Cancel leave it as it was.
    EXPECT_FALSE(RunSelection(false, [&](TActSelect& dialog) {
        auto* credit = Box(dialog, "InSelectBox");
        auto* sub = Box(dialog, "SubSelectBox");
        EXPECT_TRUE(credit->Ticked(0));
        QStringList expected{FromDocument(chosen->Name.View())};
        EXPECT_TRUE(Tree(dialog).contains(expected.front()));
        EXPECT_FALSE(Tree(dialog).contains(QStringLiteral("  ") + FromDocument(subs[1]->Name.View())));
        credit->SetHighlighted(0);
        EXPECT_FALSE(sub->Ticked(1));
        EXPECT_TRUE(sub->Ticked(0));
        Child<QPushButton>(dialog, "ResetBtn")->click();
        EXPECT_FALSE(sub->isEnabled()); // shown empty until a category is highlighted
        EXPECT_FALSE(credit->Ticked(0));
        EXPECT_TRUE(Tree(dialog).isEmpty());
        EXPECT_FALSE(Child<QPushButton>(dialog, "OKBtn")->isEnabled());
        Child<QPushButton>(dialog, "CancelBtn")->click();
    }));
    EXPECT_EQ(FiguresOf(Books()), byDialog);
}

TEST_F(ActSelectTest, SubCategoriesTakeNoTickWhileTheirCategoryIsUnticked) {
    OpenBooks();
    TMainActRec* category = CategoriesOf(SideDebit).front();
    EXPECT_TRUE(RunSelection(true, [&](TActSelect& dialog) {
        auto* credit = Box(dialog, "InSelectBox");
        auto* debit = Box(dialog, "ExSelectBox");
        auto* sub = Box(dialog, "SubSelectBox");
        credit->SetHighlighted(0);
        debit->SetHighlighted(0); // the credit box loses its highlight
        EXPECT_EQ(credit->Highlighted(), -1);
        EXPECT_FALSE(sub->TicksEnabled());
        TickByKeys(sub, 0);
        EXPECT_TRUE(sub->Ticked(0));
        EXPECT_EQ(SubsOf(*category).front()->Picked, 1);
        // Ticked, the category's sub categories take ticks; unticked by its box's command, not.
        TickByKeys(debit, 0);
        EXPECT_TRUE(sub->TicksEnabled());
        Command(sub, "UnselectAllBtn");
        EXPECT_FALSE(sub->Ticked(0));
        Command(debit, "UnselectAllBtn");
        EXPECT_FALSE(sub->TicksEnabled());
        TickByKeys(debit, 0);
        Command(sub, "SelectAllBtn");
        Child<QPushButton>(dialog, "OKBtn")->click();
    }));
    EXPECT_EQ(category->Selected, 1);
    for (const TSubActRec* s : SubsOf(*category))
        EXPECT_EQ(s->Selected, 1);
    for (const TMainActRec* other : Books().MainActList.KeyList) {
        if (other != category) {
            EXPECT_EQ(other->Selected, 0) << other->Name.Str();
        }
    }
}

TEST_F(ActSelectTest, TypeSelectionTicksTheCategoriesOfTheTypesTicked) {
    OpenBooks();
    const TCatRec* general = TypeNamed("General Income");
    ASSERT_NE(general, nullptr);
    QStringList expected;
    for (const TMainActRec* c : CategoriesOf(SideCredit))
        if (c->CatType == general->Number)
            expected << FromDocument(c->Name.View());
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_TRUE(RunSelection(true, [&](TActSelect& dialog) {
        WhenModal<TCatSelection>([](TCatSelection& types) {
            EXPECT_EQ(types.windowTitle(), QStringLiteral("Category Type Selection"));
            auto* credit = Child<TActSelectBox>(types, "CreditBox");
            auto* ok = Child<QPushButton>(types, "OKBtn");
            EXPECT_FALSE(ok->isEnabled());
            Command(Child<TActSelectBox>(types, "DebitBox"), "SelectAllBtn");
            EXPECT_TRUE(ok->isEnabled());
            Child<QPushButton>(types, "ResetBtn")->click();
            EXPECT_FALSE(ok->isEnabled());
            const auto found = credit->Rows()->findItems(QStringLiteral("General Income"), Qt::MatchExactly, 2);
            ASSERT_EQ(found.size(), 1);
            TickByKeys(credit, credit->Rows()->indexOfTopLevelItem(found.front()));
            ok->click();
        });
        Child<QPushButton>(dialog, "CatTypeBtn")->click();
        auto* credit = Box(dialog, "InSelectBox");
        QStringList ticked;
        for (int row = 0; row < credit->RowCount(); ++row)
            if (credit->Ticked(row))
                ticked << credit->Rows()->topLevelItem(row)->text(2);
        EXPECT_EQ(ticked, expected);
        // Every sub category of those categories comes with them.
        int nodes = 0;
        for (const TMainActRec* c : CategoriesOf(SideCredit))
            if (c->CatType == general->Number)
                nodes += 1 + static_cast<int>(SubsOf(*c).size());
        EXPECT_EQ(Tree(dialog).size(), nodes);
        Child<QPushButton>(dialog, "OKBtn")->click();
    }));
}

} // namespace
} // namespace qz::gui::test

// The group selection on a real document: the ticks become the selection on OK and restrict
// the worksheet to the groups ticked; editing starts from the active selection; Reset, the
// box's commands and Cancel.

#include "editors/GrpSelect.h"
#include "editors/ActSelectBox.h"

#include "CatFormFixture.h"
#include "engine/Engine.h"
#include "forms/ModalDriver.h"

#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace qz::gui::test {
namespace {

class GrpSelectTest : public ClassificationWindowTest {
protected:
    bool RunSelection(bool newSelection, std::function<void(TGrpSelect&)> act, bool numbers = true) {
        WhenModalClosing<TGrpSelect>(std::move(act));
        return TGrpSelect::SelectGroups(Window.get(), Books(), newSelection, numbers);
    }
    static TActSelectBox* Box(TGrpSelect& dialog) { return Child<TActSelectBox>(dialog, "GroupBox"); }
    static void TickByKeys(TActSelectBox* box, int row) {
        box->Rows()->setFocus();
        box->Rows()->setCurrentItem(box->Rows()->topLevelItem(row));
        QTest::keyClick(box->Rows(), Qt::Key_Space);
    }
};

TEST_F(GrpSelectTest, DefaultGroupAloneRestrictsTheWorksheetToItsTransactions) {
    OpenBooks();
    EXPECT_TRUE(RunSelection(true, [](TGrpSelect& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Group Selection"));
        auto* box = Box(dialog);
        auto* ok = Child<QPushButton>(dialog, "OKBtn");
        EXPECT_EQ(box->Rows()->topLevelItem(0)->text(1), QStringLiteral("G0"));
        EXPECT_EQ(box->Rows()->topLevelItem(0)->text(2), QStringLiteral("General"));
        EXPECT_FALSE(ok->isEnabled());
        Child<QToolButton>(*box, "SelectAllBtn")->click();
        for (int row = 0; row < box->RowCount(); ++row)
            EXPECT_TRUE(box->Ticked(row));
        Child<QPushButton>(dialog, "ResetBtn")->click();
        EXPECT_FALSE(box->Ticked(0));
        EXPECT_FALSE(ok->isEnabled());
        TickByKeys(box, 0);
        EXPECT_TRUE(ok->isEnabled());
        ok->click();
    }));
    EXPECT_TRUE(Books().Switches.GroupSelectionActive);
    Recalculate(Books());
    int counted = 0;
    for (const TTransRec* t : Books().TransList.KeyList) {
        const bool expected = t->IsOrdinary() && t->Group == 0;
        EXPECT_EQ(t->InSelection != 0, expected) << t->Number;
        counted += expected;
    }
    EXPECT_GT(counted, 0);

    // Editing starts from the selection; the untick-all command empties it and Cancel keeps it.
    EXPECT_FALSE(RunSelection(
        false,
        [](TGrpSelect& dialog) {
            auto* box = Box(dialog);
            EXPECT_TRUE(box->Rows()->isColumnHidden(1)); // no numbers without the option
            EXPECT_TRUE(box->Ticked(0));
            EXPECT_FALSE(box->Ticked(1));
            Child<QToolButton>(*box, "UnselectAllBtn")->click();
            EXPECT_FALSE(Child<QPushButton>(dialog, "OKBtn")->isEnabled());
            Child<QPushButton>(dialog, "CancelBtn")->click();
        },
        false));
    EXPECT_EQ(Books().GroupList.Items(0)->Selected, 1);
    EXPECT_EQ(Books().GroupList.Items(1)->Selected, 0);
}

} // namespace
} // namespace qz::gui::test

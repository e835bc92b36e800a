// The worksheet as a user reads it in the main window: each tab keeps its place while the user
// goes to other tabs and comes back.

#include "MainFormFixture.h"

#include "controls/KQBookBar.h"

#include <QTabBar>
#include <QTest>

namespace qz::gui::test {

namespace {

class WorksheetPlacesTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk")));
        Grid = Window->Grid();
        ASSERT_GT(Grid->RowCount(), 3 * Grid->RowsThatFit());
    }

    TGrid3* Grid = nullptr;
};

} // namespace

// Another tab's row count must not move this tab's position: the place the user left is where
// the tab comes back.
TEST_F(WorksheetPlacesTest, EachTabKeepsItsPlaceWhileTheOtherTabsShow) {
    Grid->ScrollRows(120 - Grid->TopRow());
    const int top = Grid->TopRow();
    ASSERT_EQ(top, 120);
    Window->TabControl()->setCurrentIndex(2);
    ASSERT_LT(Grid->RowCount(), top);
    Grid->ScrollRows(2);
    const int subTop = Grid->TopRow();
    for (const int tab : {1, 3, 4, 0}) {
        SCOPED_TRACE(tab);
        Window->TabControl()->setCurrentIndex(tab);
    }
    EXPECT_EQ(Grid->TopRow(), top);
    EXPECT_EQ(Grid->GridInfo()->ScrollBarPos, top);
    Window->TabControl()->setCurrentIndex(2);
    EXPECT_EQ(Grid->TopRow(), subTop);
}

// A change of what the views show (here the accounts) resets every view's position.
TEST_F(WorksheetPlacesTest, AFilterChangeTakesEveryTabBackToItsTop) {
    Window->TabControl()->setCurrentIndex(2);
    Grid->ScrollRows(3);
    Window->TabControl()->setCurrentIndex(0);
    Grid->ScrollRows(50 - Grid->TopRow());
    Window->AccountBar()->OnAccountClick(0, false);
    EXPECT_EQ(Grid->TopRow(), 0);
    Window->TabControl()->setCurrentIndex(2);
    EXPECT_EQ(Grid->TopRow(), 0);
}

} // namespace qz::gui::test

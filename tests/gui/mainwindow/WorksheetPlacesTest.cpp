// The worksheet as a user reads it in the main window: the keys move the grid's current row and
// scroll to keep it in view, Enter opens the row as a double-click does, and each tab keeps its
// place (scroll position and current row) while the user goes to other tabs and comes back.

#include "MainFormFixture.h"

#include "controls/KQBookBar.h"

#include <QTabBar>
#include <QTest>
#include <QTimer>

namespace qz::gui::test {

namespace {

class WorksheetPlacesTest : public MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        // The rows from the first.
        Window->Options().WriteOption(OptOpenToLast, false);
        ASSERT_TRUE(Window->OpenFile(WriteDocument("books.kqk")));
        Grid = Window->Grid();
        ASSERT_GT(Grid->RowCount(), 3 * Grid->RowsThatFit());
    }

    // A click on the row shown at `position` under the top row.
    void ClickRow(int position) {
        QTest::mouseClick(Grid, Qt::LeftButton, Qt::NoModifier, Grid->RowRect(position).center());
    }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(Grid, static_cast<Qt::Key>(key), modifiers);
    }

    bool CurrentRowOnScreen() const {
        return Grid->CurrentRow() >= Grid->TopRow() && Grid->CurrentRow() < Grid->TopRow() + Grid->RowsThatFit();
    }

    // Opens the row of a row event (a double-click, a row button, Enter) in the window.
    std::vector<int> Opened;
    void RecordOpenedRows() {
        const TRowBtnClick open = Grid->OnRowBtnClick;
        Grid->OnRowBtnClick = [this, open](int row) {
            Opened.push_back(row);
            // The row's editor opens; it is closed again at once, unchanged.
            QTimer::singleShot(0, [] {
                if (QWidget* editor = QApplication::activeModalWidget())
                    editor->close();
            });
            open(row);
        };
    }

    TGrid3* Grid = nullptr;
};

} // namespace

TEST_F(WorksheetPlacesTest, AClickedRowBecomesCurrentAndTheKeysMoveIt) {
    ClickRow(2);
    EXPECT_TRUE(Grid->hasFocus());
    EXPECT_EQ(Grid->CurrentRow(), 2);
    const int fit = Grid->RowsThatFit();
    const int last = Grid->RowCount() - 1;
    struct Step {
        int Key;
        Qt::KeyboardModifiers Modifiers;
        int Current;
    };
    const Step steps[] = {
        {Qt::Key_Down, Qt::NoModifier, 3},
        {Qt::Key_Up, Qt::NoModifier, 2},
        {Qt::Key_PageDown, Qt::NoModifier, 2 + (fit - 1)},
        {Qt::Key_PageDown, Qt::NoModifier, 2 + 2 * (fit - 1)},
        {Qt::Key_PageUp, Qt::NoModifier, 2 + (fit - 1)},
        {Qt::Key_End, Qt::NoModifier, last},
        {Qt::Key_Down, Qt::NoModifier, last}, // no further than the last row
        {Qt::Key_Home, Qt::NoModifier, 0},
        {Qt::Key_Up, Qt::NoModifier, 0},
        {Qt::Key_End, Qt::ControlModifier, last},
        {Qt::Key_Home, Qt::ControlModifier, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(::testing::Message() << "key " << std::hex << step.Key);
        Key(step.Key, step.Modifiers);
        EXPECT_EQ(Grid->CurrentRow(), step.Current);
        // The grid scrolls to keep the current row in view.
        EXPECT_TRUE(CurrentRowOnScreen()) << "top " << Grid->TopRow();
    }
    Key(Qt::Key_End);
    EXPECT_GT(Grid->TopRow(), 0);
    EXPECT_EQ(Grid->GridInfo()->ScrollBarPos, Grid->TopRow());
}

TEST_F(WorksheetPlacesTest, TabLeavesTheGridForTheNextControl) {
    ClickRow(0);
    ASSERT_TRUE(Grid->hasFocus());
    QTest::keyClick(Grid, Qt::Key_Tab);
    EXPECT_FALSE(Grid->hasFocus());
    EXPECT_EQ(Grid->CurrentRow(), 0);
}

TEST_F(WorksheetPlacesTest, EnterOpensTheCurrentRowAsADoubleClickDoes) {
    RecordOpenedRows();
    ClickRow(4);
    QTest::mouseDClick(Grid, Qt::LeftButton, Qt::NoModifier, Grid->RowRect(4).center());
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    Key(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(Opened, (std::vector<int>{4, 5, 5}));
}

// Another tab's row count must not move this tab's position: the place the user left is where
// the tab comes back.
TEST_F(WorksheetPlacesTest, EachTabKeepsItsPlaceWhileTheOtherTabsShow) {
    Grid->ScrollRows(120 - Grid->TopRow());
    ClickRow(3);
    const int top = Grid->TopRow();
    const int current = Grid->CurrentRow();
    ASSERT_EQ(top, 120);
    ASSERT_EQ(current, 123);
    // A place on a tab with fewer rows than the Transactions' top row.
    Window->TabControl()->setCurrentIndex(2);
    ASSERT_LT(Grid->RowCount(), top);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    const int subCurrent = Grid->CurrentRow();
    for (const int tab : {1, 3, 4, 0}) {
        SCOPED_TRACE(tab);
        Window->TabControl()->setCurrentIndex(tab);
    }
    EXPECT_EQ(Grid->TopRow(), top);
    EXPECT_EQ(Grid->CurrentRow(), current);
    EXPECT_EQ(Grid->GridInfo()->ScrollBarPos, top);
    Window->TabControl()->setCurrentIndex(2);
    EXPECT_EQ(Grid->CurrentRow(), subCurrent);
}

// A change of what the views show (here the accounts) resets every view's position and current row.
TEST_F(WorksheetPlacesTest, AFilterChangeTakesEveryTabBackToItsTop) {
    Window->TabControl()->setCurrentIndex(2);
    ClickRow(4);
    Window->TabControl()->setCurrentIndex(0);
    Grid->ScrollRows(50 - Grid->TopRow());
    ClickRow(2);
    Window->AccountBar()->OnAccountClick(0, false);
    EXPECT_EQ(Grid->TopRow(), 0);
    EXPECT_EQ(Grid->CurrentRow(), 0);
    Window->TabControl()->setCurrentIndex(2);
    EXPECT_EQ(Grid->TopRow(), 0);
    EXPECT_EQ(Grid->CurrentRow(), 0);
}

} // namespace qz::gui::test

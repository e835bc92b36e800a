// The grid's current row: how it is drawn, what the keys do to it and to the scroll position,
// how each column set keeps its own, and the hints of the totals row.

#include "GridFixture.h"

#include "grid/Grid3ScrollBar.h"

#include <QToolTip>

#include <functional>

namespace qz::gui::test {

namespace {

class GridKeysTest : public GridFixture {
protected:
    void SetUp() override {
        GridFixture::SetUp();
        Grid.OnRowBtnClick = [this](int row) { Opened.push_back(row); };
        Grid.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Grid));
        Grid.setFocus();
        ASSERT_TRUE(Grid.hasFocus());
    }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&Grid, static_cast<Qt::Key>(key), modifiers);
    }

    std::vector<int> Opened;
};

} // namespace

// The frame lies on the row's edges; the cells inside keep the colours and texts they had.
TEST_F(GridKeysTest, TheCurrentRowIsFramedOverItsEdgesOnly) {
    Grid.SetCurrentRow(3);
    const QRect frame = Grid.CurrentRowFrame();
    ASSERT_EQ(frame.top(), Grid.RowRect(3).top());
    ASSERT_EQ(frame.bottom(), Grid.RowRect(4).top());
    const QImage framed = Shot();
    Grid.SetCurrentRow(6);
    const QImage plain = Shot();
    const int middle = frame.center().y();
    const QPoint outer[] = {{frame.left() + 20, frame.top()},
                            {frame.left() + 20, frame.bottom()},
                            {frame.left(), middle},
                            {frame.right(), middle}};
    const QPoint inner[] = {{frame.left() + 20, frame.top() + 1},
                            {frame.left() + 20, frame.bottom() - 1},
                            {frame.left() + 1, middle},
                            {frame.right() - 1, middle}};
    const TColour highlight = FromQColor(Grid.palette().color(QPalette::Highlight));
    for (const QPoint& edge : outer) {
        EXPECT_EQ(PixelAt(framed, edge), highlight) << edge.x() << "," << edge.y();
        EXPECT_NE(PixelAt(plain, edge), highlight) << edge.x() << "," << edge.y();
    }
    for (const QPoint& edge : inner)
        EXPECT_EQ(PixelAt(framed, edge), highlight) << edge.x() << "," << edge.y();
    const QRect inside = frame.adjusted(2, 2, -2, -2);
    EXPECT_EQ(framed.copy(inside), plain.copy(inside));

    // Without the keys, no frame.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ASSERT_FALSE(Grid.hasFocus());
    Grid.SetCurrentRow(3);
    EXPECT_EQ(Shot().copy(frame), plain.copy(frame));
}

// Paging moves the rows with the current row, so it keeps its place on the screen.
TEST_F(GridKeysTest, PagingScrollsByAPageAndKeepsTheCurrentRowsPlaceOnScreen) {
    const int fit = Grid.RowsThatFit();
    Grid.SetCurrentRow(3);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Grid.TopRow(), fit - 1);
    EXPECT_EQ(Grid.CurrentRow(), 3 + fit - 1);
    EXPECT_EQ(Info.ScrollBarPos, fit - 1);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Grid.TopRow(), 0);
    EXPECT_EQ(Grid.CurrentRow(), 3);
    // A current row scrolled out of view comes back into view with the next key.
    Grid.ScrollRows(500);
    Key(Qt::Key_Down);
    EXPECT_EQ(Grid.CurrentRow(), 4);
    EXPECT_EQ(Grid.TopRow(), 4);
    // The last page ends with the last row.
    Grid.SetRowCount(100);
    Key(Qt::Key_End);
    EXPECT_EQ(Grid.TopRow(), 100 - fit);
    EXPECT_EQ(Grid.CurrentRow(), 99);
}

TEST_F(GridKeysTest, SidewaysKeysScrollTheColumnsAndCtrlHomeAndEndGoToTheCorners) {
    Grid.resize(500, 400);
    ASSERT_GT(Grid.HorzScrollBar()->Max(), 100);
    const int overflow = Grid.HorzScrollBar()->Max();
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    EXPECT_EQ(Grid.HorzOffset(), 96);
    Key(Qt::Key_Left);
    EXPECT_EQ(Grid.HorzOffset(), 48);
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Grid.HorzOffset(), overflow);
    EXPECT_EQ(Grid.CurrentRow(), Owner.Rows - 1);
    Key(Qt::Key_Home);
    EXPECT_EQ(Grid.HorzOffset(), overflow);
    EXPECT_EQ(Grid.CurrentRow(), 0);
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(Grid.HorzOffset(), 0);
}

TEST_F(GridKeysTest, EnterOpensTheCurrentRowOnlyWhereARowCanOpen) {
    Grid.SetCurrentRow(7);
    Key(Qt::Key_Return);
    EXPECT_EQ(Opened, std::vector<int>{7});
    struct Case {
        const char* Name;
        std::function<void()> Make;
    };
    const Case cases[] = {
        {"locked", [this] { Grid.SetLocked(true); }},
        {"no rows", [this] { Grid.SetRowCount(0); }},
        {"no document", [this] { Grid.ClearGrid(true); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        c.Make();
        Opened.clear();
        const int top = Grid.TopRow();
        for (const int key : {Qt::Key_Return, Qt::Key_Down, Qt::Key_PageDown, Qt::Key_End})
            Key(key);
        EXPECT_TRUE(Opened.empty());
        EXPECT_EQ(Grid.TopRow(), top);
        EXPECT_TRUE(Grid.CurrentRowFrame().isEmpty());
        Grid.SetLocked(false);
        Grid.SetRowCount(Owner.Rows);
        Grid.ShowAfterLoad();
    }
}

// A set keeps its current row while another shows, unless its position was moved from outside
// (a reset of the views' positions); right-clicked and strip-clicked rows become current too.
TEST_F(GridKeysTest, EachColumnSetKeepsItsCurrentRowUntilItsPositionIsReset) {
    TGridInfo other = DefaultColumnSet(ViewGroups);
    QTest::mouseClick(&Grid, Qt::RightButton, {}, Grid.RowRect(5).center());
    EXPECT_EQ(Grid.CurrentRow(), 5);
    Grid.SetGridInfo(&other);
    Grid.SetRowCount(12);
    EXPECT_EQ(Grid.CurrentRow(), 0);
    Key(Qt::Key_End);
    Grid.SetGridInfo(&Info);
    Grid.SetRowCount(Owner.Rows);
    EXPECT_EQ(Grid.CurrentRow(), 5);

    other.ScrollBarPos = 0;
    Grid.SetGridInfo(&other);
    Grid.SetRowCount(12);
    EXPECT_EQ(Grid.CurrentRow(), 11) << "12 rows fit: the position stayed at the top";
    Grid.SetGridInfo(&Info);
    Grid.SetRowCount(Owner.Rows);
    Grid.ScrollRows(40);
    Grid.SetCurrentRow(45);
    Info.ScrollBarPos = 0;
    Grid.SetGridInfo(&Info);
    Grid.SetRowCount(Owner.Rows);
    EXPECT_EQ(Grid.CurrentRow(), 0);
    Grid.ForgetPlaces();
    Grid.SetGridInfo(&other);
    Grid.SetRowCount(12);
    EXPECT_EQ(Grid.CurrentRow(), 0);
}

TEST_F(GridKeysTest, TheTotalsRowShowsTheOwnersHintOfATotal) {
    Grid.OnGetTotalHint = [](int slot) { return slot == 0 ? QStringLiteral("Rows shown") : QString(); };
    const auto hintAt = [this](int visibleColumn) {
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
        const QPoint point(Grid.ColumnButtonRect(visibleColumn).center().x(), Grid.TotalsRect().center().y());
        QHelpEvent help(QEvent::ToolTip, point, Grid.mapToGlobal(point));
        QApplication::sendEvent(&Grid, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(hintAt(0), QStringLiteral("Rows shown"));
    EXPECT_EQ(hintAt(8), QString()); // "Credit": a total without a hint
    EXPECT_EQ(hintAt(1), QString()); // "Date": no total
}

} // namespace qz::gui::test

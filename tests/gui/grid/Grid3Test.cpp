// The grid asks only for the rows on screen, scrolls by moving drawn rows, and follows the row
// count and the font.

#include "GridFixture.h"

#include "grid/Grid3ScrollBar.h"

#include <QWheelEvent>

#include <numeric>

namespace qz::gui::test {

namespace {

std::vector<int> Range(int first, int count) {
    std::vector<int> lines(static_cast<std::size_t>(std::max(0, count)));
    std::iota(lines.begin(), lines.end(), first);
    return lines;
}

} // namespace

TEST_F(GridFixture, AsksOnlyForTheRowsOnScreenWhateverTheRowCount) {
    const int fit = Grid.RowsThatFit();
    ASSERT_GT(fit, 5);
    for (int rows : {1'000'000, 50, 3, 0}) {
        SCOPED_TRACE(rows);
        Grid.SetRowCount(rows);
        Owner.Asked.clear();
        Grid.RefreshGrid(true);
        EXPECT_EQ(Owner.Asked, Range(0, std::min(rows, fit)));
        // Painting the screen copies the pictures: no texts are asked for.
        Owner.Asked.clear();
        Grid.repaint();
        (void)Shot();
        EXPECT_TRUE(Owner.Asked.empty());
    }
}

TEST(Grid3, AsksForThePictureWidthOnceAndUsesIt) {
    TGridInfo info = DefaultColumnSet(ViewCategories);
    TGrid3 grid;
    int asked = 0;
    grid.OnGetMaxWidth = [&](int& width) {
        ++asked;
        width = 3000;
    };
    grid.resize(600, 300);
    grid.SetGridInfo(&info);
    grid.SetRowCount(10);
    grid.RefreshGrid(true);
    grid.SetColumnWidths(1);
    EXPECT_EQ(asked, 1);
    // Columns wider than the answer would be cut: the pictures never get narrower than them.
    for (TColProperty& column : info.ColInfo.Items)
        column.Width = column.MaxWidth = 700;
    grid.RefreshGrid(true);
    grid.SetHorzOffset(1 << 20); // the far end, past the answered width
    ASSERT_GT(grid.HorzOffset() + grid.CellsRect().width() / 2, 3000);
    const QImage shot = grid.grab().toImage();
    EXPECT_NE(FromQColor(shot.pixelColor(grid.CellsRect().center())), grid.Colours().Background);
}

TEST_F(GridFixture, ScrollingAFewRowsMovesTheDrawnRowsAndAsksOnlyForTheNewOnes) {
    const int fit = Grid.RowsThatFit();
    const QRect cells = Grid.CellsRect();
    const QImage before = Shot();

    Owner.Asked.clear();
    Grid.ScrollRows(2);
    EXPECT_EQ(Owner.Asked, Range(fit, 2));
    EXPECT_EQ(Grid.TopRow(), 2);
    EXPECT_EQ(Info.ScrollBarPos, 2);
    EXPECT_EQ(Grid.VertScrollBar()->Position(), 2);

    // Rows 2 and 3 now stand where rows 0 and 1 stood.
    const QImage after = Shot();
    const QRect was(cells.left(), Grid.RowRect(2).top(), cells.width(), 2 * Grid.RowHeight());
    const QRect now(cells.left(), Grid.RowRect(0).top(), cells.width(), 2 * Grid.RowHeight());
    EXPECT_EQ(before.copy(was), after.copy(now));

    Owner.Asked.clear();
    Grid.ScrollRows(-1);
    EXPECT_EQ(Owner.Asked, std::vector<int>{1});

    // Further than a screen: every row is drawn again.
    Owner.Asked.clear();
    Grid.ScrollRows(fit + 10);
    EXPECT_EQ(Owner.Asked, Range(1 + fit + 10, fit));
}

TEST_F(GridFixture, ScrollToEndShowsTheLastRowAndRecordsThePosition) {
    const int fit = Grid.RowsThatFit();
    Owner.Asked.clear();
    Grid.ScrollToEnd();
    const int top = Owner.Rows - fit + 4;
    EXPECT_EQ(Grid.TopRow(), top);
    EXPECT_EQ(Info.ScrollBarPos, top);
    EXPECT_NE(std::find(Owner.Asked.begin(), Owner.Asked.end(), Owner.Rows - 1), Owner.Asked.end());
    for (int line : Owner.Asked)
        EXPECT_LT(line, Owner.Rows) << "a row beyond the data was asked for";

    // Too few rows for the end position: nothing moves.
    Grid.SetRowCount(3);
    Grid.ScrollRows(-Grid.TopRow());
    Grid.ScrollToEnd();
    EXPECT_EQ(Grid.TopRow(), 0);
}

TEST_F(GridFixture, ShrinkingTheRowCountBelowTheTopRowMakesTheLastRowTheTop) {
    Grid.ScrollRows(50);
    Grid.SetRowCount(100);
    EXPECT_EQ(Grid.TopRow(), 50);
    Grid.SetRowCount(20);
    EXPECT_EQ(Grid.TopRow(), 19);
    EXPECT_EQ(Info.ScrollBarPos, 19);
}

// A tab switch gives the grid the new column set first and its row count after: the rows of
// the set shown before must not cut the new set's position, in either direction.
TEST_F(GridFixture, AColumnSetComesBackAtItsOwnPositionWhateverTheRowsOfTheSetBefore) {
    TGridInfo other = DefaultColumnSet(ViewCategories);
    Grid.ScrollRows(120);
    Grid.SetGridInfo(&other);
    Grid.SetRowCount(10);
    EXPECT_EQ(Info.ScrollBarPos, 120);
    Grid.ScrollRows(6);
    Grid.SetGridInfo(&Info);
    EXPECT_EQ(Info.ScrollBarPos, 120);
    Grid.SetRowCount(Owner.Rows);
    EXPECT_EQ(Grid.TopRow(), 120);
    Grid.SetGridInfo(&other);
    Grid.SetRowCount(10);
    EXPECT_EQ(Grid.TopRow(), 6);
    EXPECT_EQ(other.ScrollBarPos, 6);
}

TEST_F(GridFixture, TheWheelNeverScrollsPastTheLastRow) {
    Grid.SetRowCount(5);
    Owner.Asked.clear();
    for (int i = 0; i < 10; ++i) {
        const QPoint point = Grid.RowRect(1).center();
        QWheelEvent wheel(point, Grid.mapToGlobal(point), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&Grid, &wheel);
    }
    EXPECT_GT(Grid.TopRow(), 0);
    EXPECT_LE(Grid.TopRow(), 4);
    for (int line : Owner.Asked)
        EXPECT_LT(line, 5);
}

TEST_F(GridFixture, TheVerticalBarScrollsTheRows) {
    TGrid3ScrollBar* bar = Grid.VertScrollBar();
    EXPECT_EQ(bar->Max(), Owner.Rows - 1);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->PartRect(TGrid3ScrollBar::TPart::Forward).center());
    EXPECT_EQ(Grid.TopRow(), 1);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->PartRect(TGrid3ScrollBar::TPart::TrackAfter).center());
    EXPECT_EQ(Grid.TopRow(), 1 + Grid.RowsThatFit());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->PartRect(TGrid3ScrollBar::TPart::ToEnd).center());
    EXPECT_EQ(Grid.TopRow(), Owner.Rows - 1);
}

TEST_F(GridFixture, MeasuresFollowTheFont) {
    for (int points : {8, 12, 20}) {
        SCOPED_TRACE(points);
        Grid.setFont(QFont(QStringLiteral("DejaVu Sans"), points));
        const int h = QFontMetrics(Grid.font()).height();
        EXPECT_EQ(Grid.RowHeight(), 5 + h);
        EXPECT_EQ(Grid.TitleHeight(), 5 + h);
        EXPECT_EQ(Grid.TotalsHeight(), 10 + h);
        EXPECT_EQ(Grid.RowsThatFit(), std::max(1, (Grid.height() - (5 + h) - (10 + h)) / (5 + h)));
        EXPECT_EQ(Info.RowHeight(), 5 + h);
    }
}

TEST_F(GridFixture, TheHorizontalBarShowsOnlyWhenTheColumnsOverflowByTwoPixels) {
    const int needed = Info.ColInfo.VisibleWidth() + Grid.BtnWidth() + TGrid3::ScrollBarSize;
    struct Case {
        int Width;
        bool Shown;
    };
    for (const Case& c : {Case{needed - 1, false}, Case{needed - 2, true}, Case{needed - 100, true}}) {
        SCOPED_TRACE(c.Width);
        Grid.resize(c.Width, 400);
        EXPECT_EQ(Grid.HorzScrollBar()->isVisible(), c.Shown);
        EXPECT_EQ(Grid.HorzScrollBar()->Max(), c.Shown ? needed - c.Width : 0);
    }
    // A disabled grid has no horizontal bar and no offset.
    Grid.SetHorzOffset(50);
    EXPECT_EQ(Grid.HorzOffset(), 50);
    Grid.SetGridEnabled(false);
    EXPECT_FALSE(Grid.HorzScrollBar()->isVisible());
    EXPECT_EQ(Grid.HorzOffset(), 0);
}

TEST_F(GridFixture, TheHorizontalOffsetMovesTheWholeContent) {
    const int needed = Info.ColInfo.VisibleWidth() + Grid.BtnWidth() + TGrid3::ScrollBarSize;
    Grid.resize(needed - 200, 400);
    const QRect cells = Grid.CellsRect();
    const QImage before = Shot();
    Grid.SetHorzOffset(70);
    EXPECT_EQ(Grid.HorzScrollBar()->Position(), 70);
    const QImage after = Shot();
    const int height = cells.height();
    EXPECT_EQ(before.copy(cells.left() + 70, 0, cells.width() - 70, height),
              after.copy(cells.left(), 0, cells.width() - 70, height));
}

} // namespace qz::gui::test

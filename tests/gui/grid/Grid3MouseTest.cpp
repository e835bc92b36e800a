// What the mouse does on the grid: sorting by the column buttons, sizing and fitting columns,
// dragging a column to a new place, opening rows and the context menu.

#include "GridFixture.h"

#include "grid/ColumnTitleHint.h"
#include "grid/Grid3BtnControl.h"
#include "platform/TextCodec.h"

#include <QFontMetrics>

namespace qz::gui::test {

namespace {

class GridMouseTest : public GridFixture {
protected:
    std::vector<int> ColClicks;
    std::vector<std::pair<int, int>> Sizes;
    int OrderChanges = 0;

    void SetUp() override {
        GridFixture::SetUp();
        Grid.OnColBtnClick = [this](int column) { ColClicks.push_back(column); };
        Grid.OnColumnSize = [this](int column, int size) { Sizes.emplace_back(column, size); };
        Grid.OnColOrderChange = [this] { ++OrderChanges; };
    }

    void ClickButton(int column) { QTest::mouseClick(&Grid, Qt::LeftButton, {}, ButtonCentre(column)); }
    // The last pixel of a column's button: on its right edge's grip.
    QPoint EdgeOf(int column) const {
        const QRect button = Grid.ColumnButtonRect(column);
        return {button.right(), button.center().y()};
    }
    TColProperty& Visible(int n) { return Info.ColInfo.VisibleColumn(n); }
};

} // namespace

TEST_F(GridMouseTest, ColumnButtonsSortAndASecondClickReverses) {
    // Visible columns: 0 No. (key 0), 1 Date (key 1, the sort key at start), 2 Reference (key 2),
    // 8 Credit and 9 Debit (both key 9), 10 Balance (not sortable).
    ASSERT_EQ(Info.SortIndex, 1);
    struct Step {
        int Column;
        std::vector<int> Raised;
        int Key;
        TSortDirection Direction;
    };
    const Step steps[] = {
        {1, {-1}, 1, sdDescending}, // the sorted column: only the direction changes
        {1, {-1}, 1, sdAscending},  // and back
        {2, {2}, 2, sdAscending},   // a new key starts ascending
        {2, {-1}, 2, sdDescending}, {8, {8}, 9, sdAscending}, {9, {-1}, 9, sdDescending}, // Debit shares Credit's key
        {10, {}, 9, sdDescending},                                                        // Balance does not sort
        {0, {0}, 0, sdAscending},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.Column);
        ColClicks.clear();
        ClickButton(step.Column);
        EXPECT_EQ(ColClicks, step.Raised);
        EXPECT_EQ(Info.SortIndex, step.Key);
        EXPECT_EQ(Info.SortDirection, step.Direction);
    }
}

TEST_F(GridMouseTest, TheSortMarkFollowsTheSortedColumnAndItsDirection) {
    const QRect titles(Grid.CellsRect().left(), 0, Grid.CellsRect().width(), Grid.TitleHeight());
    const QImage ascending = Shot().copy(titles);
    const QRect date = Grid.ColumnButtonRect(1);
    const QPoint mark(date.left() + date.width() - 16, date.center().y());
    EXPECT_EQ(PixelAt(Shot(), mark), clWhite);
    ClickButton(1);
    const QImage descending = Shot().copy(titles);
    EXPECT_NE(descending, ascending);
    ClickButton(1);
    EXPECT_EQ(Shot().copy(titles), ascending);
    ClickButton(2);
    EXPECT_NE(PixelAt(Shot(), mark), clWhite);
}

TEST_F(GridMouseTest, ReleasingOverAnotherButtonDoesNotSort) {
    QTest::mousePress(&Grid, Qt::LeftButton, {}, ButtonCentre(2));
    EXPECT_EQ(Grid.PressedColumn(), 2);
    Grid.SetDisallowColBtns(true); // so that leaving the button does not start a column drag
    QTest::mouseMove(&Grid, ButtonCentre(3));
    QTest::mouseRelease(&Grid, Qt::LeftButton, {}, ButtonCentre(3));
    EXPECT_TRUE(ColClicks.empty());
    EXPECT_EQ(Info.SortIndex, 1);
    EXPECT_EQ(Grid.PressedColumn(), -1);
}

TEST_F(GridMouseTest, DraggingAnEdgeSizesTheColumnWithinItsLimits) {
    // Reference: width 50, from 20 to 200 pixels.
    struct Case {
        int Move;
        int Width;
    };
    for (const Case& c : {Case{30, 80}, Case{-20, 30}, Case{-45, 20}, Case{400, 200}}) {
        SCOPED_TRACE(c.Move);
        Visible(2).Width = 50;
        Grid.RefreshGrid(true);
        Sizes.clear();
        const QPoint edge = EdgeOf(2);
        Drag(edge, edge + QPoint(c.Move, 0));
        EXPECT_EQ(Visible(2).Width, c.Width);
        ASSERT_FALSE(Sizes.empty());
        EXPECT_EQ(Sizes.back(), std::make_pair(2, c.Width));
        // Everything is laid out again: the next column starts at the new edge.
        EXPECT_EQ(Grid.ColumnButtonRect(3).left(), Grid.ColumnButtonRect(2).left() + c.Width);
    }
}

TEST_F(GridMouseTest, WhileSizingOnlyAnimationRedrawsTheRows) {
    for (bool animate : {false, true}) {
        SCOPED_TRACE(animate);
        Grid.SetAnimationOn(animate);
        Visible(2).Width = 50;
        Grid.RefreshGrid(true);
        const QPoint edge = EdgeOf(2);
        const QPoint to = edge + QPoint(40, 0);
        const QImage before = Shot();
        QTest::mousePress(&Grid, Qt::LeftButton, {}, edge);
        Owner.Asked.clear();
        QTest::mouseMove(&Grid, to);
        const std::size_t asked = Owner.Asked.size();
        const QImage during = Shot();
        QTest::mouseRelease(&Grid, Qt::LeftButton, {}, to);
        EXPECT_EQ(asked, animate ? static_cast<std::size_t>(Grid.RowsThatFit()) : 0u);
        // Without animation an inverted line marks the new edge over the old rows.
        const QPoint onLine(Grid.ColumnButtonRect(2).left() + 90, Grid.RowRect(3).top() + 1);
        const QRgb was = before.pixel(onLine) & 0xFFFFFF;
        const QRgb now = during.pixel(onLine) & 0xFFFFFF;
        if (!animate) {
            EXPECT_EQ(now, was ^ 0xFFFFFF);
        } else {
            EXPECT_NE(now, was ^ 0xFFFFFF);
        }
    }
}

TEST_F(GridMouseTest, DoubleClickOnAnEdgeFitsTheWidestTextOnScreen) {
    const QFontMetrics metrics(Grid.font());
    Grid.SetRowCount(3);
    struct Case {
        const char* Text;
        int Column;
        int Expected;
    };
    Owner.FixedTexts.assign(GridMaxCols, std::string());
    const std::string medium = "A reference of some length";
    const int mediumWidth = metrics.horizontalAdvance(QString::fromStdString(medium));
    ASSERT_GT(mediumWidth, 20);
    ASSERT_LT(mediumWidth, 200);
    const Case cases[] = {
        {"A reference of some length", 2, mediumWidth + TGrid3::FitMargin},
        {"x", 2, 20 + TGrid3::FitMargin}, // never below MinWidth
        {"A reference far longer than two hundred pixels can ever hold at all", 2, 200 + TGrid3::FitMargin},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        Owner.FixedTexts[2] = c.Text;
        Grid.RefreshGrid(false);
        QTest::mouseDClick(&Grid, Qt::LeftButton, {}, EdgeOf(c.Column));
        EXPECT_EQ(Visible(c.Column).Width, c.Expected);
    }
    // A totals column also fits its total.
    Owner.FixedTexts[9] = "1.00";
    Info.ColInfo.SetTotalText(9, "123,456.78");
    Grid.RefreshGrid(false);
    QTest::mouseDClick(&Grid, Qt::LeftButton, {}, EdgeOf(8));
    EXPECT_EQ(Visible(8).Width, metrics.horizontalAdvance(QStringLiteral("123,456.78")) + TGrid3::FitMargin);
}

TEST_F(GridMouseTest, DraggingAColumnButtonMovesTheColumn) {
    const std::vector<std::string> start = VisibleTitles();
    struct Case {
        const char* Name;
        int From;
        std::function<QPoint(TGrid3&)> DropAt;
        int Target;
        std::vector<int> Order; // the start positions of the first four visible columns afterwards
    };
    const Case cases[] = {
        {"RightOntoAColumn", 0, [](TGrid3& g) { return g.ColumnButtonRect(2).center(); }, 1, {1, 0, 2, 3}},
        {"LeftOntoAColumn", 3, [](TGrid3& g) { return g.ColumnButtonRect(0).center(); }, 0, {3, 0, 1, 2}},
        {"OntoItself",
         1,
         [](TGrid3& g) {
             return g.RowRect(2).topLeft() + QPoint(g.ColumnButtonRect(1).center().x() - g.CellsRect().left(), 0);
         },
         1,
         {0, 1, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Info.ColInfo = DefaultColumnSet(ViewTransactions).ColInfo;
        Grid.RefreshGrid(true);
        OrderChanges = 0;
        const QPoint drop = c.DropAt(Grid);
        QTest::mousePress(&Grid, Qt::LeftButton, {}, ButtonCentre(c.From));
        QTest::mouseMove(&Grid, drop);
        EXPECT_TRUE(Grid.TitleHint()->isVisible());
        EXPECT_EQ(Grid.TitleHint()->Title(), FromDocument(start[static_cast<std::size_t>(c.From)]));
        EXPECT_EQ(Grid.DraggedColumn(), c.From);
        EXPECT_EQ(Grid.DropTargetColumn(), c.Target);
        QTest::mouseRelease(&Grid, Qt::LeftButton, {}, drop);
        EXPECT_FALSE(Grid.TitleHint()->isVisible());
        const std::vector<std::string> now = VisibleTitles();
        for (std::size_t i = 0; i < c.Order.size(); ++i)
            EXPECT_EQ(now[i], start[static_cast<std::size_t>(c.Order[i])]) << i;
        EXPECT_EQ(OrderChanges, c.From == c.Target ? 0 : 1);
        EXPECT_TRUE(ColClicks.empty()) << "a drag is not a click";
    }
}

TEST_F(GridMouseTest, DroppingJustPastTheLastColumnMovesToTheEnd) {
    const std::vector<std::string> start = VisibleTitles();
    const int last = static_cast<int>(start.size()) - 1;
    const QPoint beyond(Grid.ColumnButtonRect(last).right() + 10, Grid.TitleHeight() / 2);
    Drag(ButtonCentre(0), beyond);
    EXPECT_EQ(VisibleTitles().back(), start.front());
    EXPECT_EQ(OrderChanges, 1);
}

TEST_F(GridMouseTest, TheInsertionGapOpensWhereTheColumnWillLand) {
    Grid.SetGradients(false);
    QTest::mousePress(&Grid, Qt::LeftButton, {}, ButtonCentre(0));
    const QRect target = Grid.ColumnButtonRect(3);
    QTest::mouseMove(&Grid, target.center());
    ASSERT_EQ(Grid.DropTargetColumn(), 2);
    // The gap lies left of the column under the mouse; that column and the rest move right.
    const QImage shot = Shot();
    const int y = Grid.RowRect(4).top() + 2;
    EXPECT_EQ(PixelAt(shot, {target.left() + 1, y}), Grid.Colours().Highlight);
    EXPECT_EQ(PixelAt(shot, {target.left() + TGrid3::InsertGapWidth - 1, y}), Grid.Colours().Highlight);
    EXPECT_NE(PixelAt(shot, {target.left() - 4, y}), Grid.Colours().Highlight);
    QTest::mouseRelease(&Grid, Qt::LeftButton, {}, target.center());
    EXPECT_NE(PixelAt(Shot(), {target.left() + 1, y}), Grid.Colours().Highlight);
}

TEST_F(GridMouseTest, WithDisallowColBtnsColumnsCannotBeDragged) {
    Grid.SetDisallowColBtns(true);
    const std::vector<std::string> start = VisibleTitles();
    Drag(ButtonCentre(0), ButtonCentre(3));
    EXPECT_FALSE(Grid.TitleHint()->isVisible());
    EXPECT_EQ(VisibleTitles(), start);
    EXPECT_EQ(OrderChanges, 0);
}

TEST_F(GridMouseTest, RowButtonsAndRowDoubleClicksOpenTheRow) {
    std::vector<int> opened;
    Grid.OnRowBtnClick = [&](int row) { opened.push_back(row); };
    Grid.ScrollRows(10);
    TGrid3BtnControl* strip = Grid.BtnControl();
    const QPoint third = strip->ButtonRect({TGrid3BtnControl::TButton::Row, 2}).center();
    QTest::mouseClick(strip, Qt::LeftButton, {}, third);
    QTest::mouseDClick(&Grid, Qt::LeftButton, {}, Grid.RowRect(5).center());
    // Pressed on one row button, released on another: nothing.
    QTest::mousePress(strip, Qt::LeftButton, {}, third);
    QTest::mouseRelease(strip, Qt::LeftButton, {}, strip->ButtonRect({TGrid3BtnControl::TButton::Row, 4}).center());
    EXPECT_EQ(opened, (std::vector<int>{12, 15}));

    // Past the data there are no rows to open.
    Grid.SetRowCount(12);
    opened.clear();
    QTest::mouseDClick(&Grid, Qt::LeftButton, {}, Grid.RowRect(5).center());
    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->ButtonRect({TGrid3BtnControl::TButton::Row, 5}).center());
    EXPECT_TRUE(opened.empty());
}

TEST_F(GridMouseTest, TheContextMenuNamesTheRowUnderTheMouseAndHighlightsIt) {
    Grid.SetGradients(false);
    Owner.FixedTexts.assign(GridMaxCols, std::string());
    Grid.ScrollRows(7);
    std::vector<int> before;
    struct Shown {
        int X, Y, Row;
        TColour Pixel;
    };
    std::vector<Shown> shown;
    const QPoint inRow = Grid.RowRect(3).center();
    Grid.OnBeforePopup = [&](int row) { before.push_back(row); };
    Grid.OnShowPopup = [&](int x, int y, int row) { shown.push_back({x, y, row, PixelAt(Shot(), inRow)}); };
    const TColour normal = PixelAt(Shot(), inRow);
    QTest::mouseClick(&Grid, Qt::RightButton, {}, inRow);
    const QPoint inTotals = Grid.TotalsRect().center();
    QTest::mouseClick(&Grid, Qt::RightButton, {}, inTotals);

    EXPECT_EQ(before, (std::vector<int>{10, -1}));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(QPoint(shown[0].X, shown[0].Y), Grid.mapToGlobal(inRow));
    EXPECT_EQ(shown[0].Row, 10);
    EXPECT_NE(shown[0].Pixel, normal) << "the row is highlighted while the menu shows";
    EXPECT_EQ(shown[1].Row, -1);
    EXPECT_EQ(PixelAt(Shot(), inRow), normal) << "and normal again afterwards";
}

TEST_F(GridMouseTest, TheResetButtonRestoresTheDefaultWidths) {
    std::vector<TSpecBtnKind> special;
    Grid.OnSpecBtnClick = [&](TSpecBtnKind kind) { special.push_back(kind); };
    Grid.SetColumnWidths(1);
    EXPECT_EQ(Visible(2).Width, 200);
    Grid.SetHorzOffset(100);
    ASSERT_EQ(Grid.HorzOffset(), 100);
    TGrid3BtnControl* strip = Grid.BtnControl();
    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->ButtonRect({TGrid3BtnControl::TButton::Reset, -1}).center());
    for (const TColProperty& column : Info.ColInfo.Items) {
        if (column.Visible) {
            EXPECT_EQ(column.Width, column.DefaultWidth) << column.Title;
        }
    }
    EXPECT_EQ(Grid.HorzOffset(), 0);
    EXPECT_EQ(special, std::vector<TSpecBtnKind>{sbReset});
    Grid.SetColumnWidths(0);
    EXPECT_EQ(Visible(2).Width, 20);
}

} // namespace qz::gui::test

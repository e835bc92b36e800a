// What the grid draws: row backgrounds by state and row type, text colours, gradients and cell
// edges, "#" marks and ellipses, the title row and the totals row.

#include "GridFixture.h"

#include "grid/CellText.h"
#include "grid/ColorPalette.h"
#include "grid/Grid3BtnControl.h"
#include "platform/TextCodec.h"

#include <QFontMetrics>

#include <functional>

namespace qz::gui::test {

namespace {

class GridPaintTest : public GridFixture {
protected:
    void SetUp() override {
        GridFixture::SetUp();
        Owner.FixedTexts.assign(GridMaxCols, std::string());
        Grid.SetGradients(false);
    }

    int VisibleIndexOfSlot(int slot) const {
        int n = 0;
        for (const TColProperty& column : Info.ColInfo.Items) {
            if (!column.Visible)
                continue;
            if (column.LinkIndex == slot)
                return n;
            ++n;
        }
        return -1;
    }
    const TColProperty& ColumnOfSlot(int slot) const {
        for (const TColProperty& column : Info.ColInfo.Items)
            if (column.LinkIndex == slot)
                return column;
        throw std::out_of_range("slot");
    }
    QRect Cell(int slot, int position) const {
        const QRect button = Grid.ColumnButtonRect(VisibleIndexOfSlot(slot));
        const QRect row = Grid.RowRect(position);
        return {button.left(), row.top(), button.width(), row.height()};
    }
    // How close the cell's text pixels (inside the cell's edge lines) come to `ink`: the largest
    // difference in red, green or blue of the nearest pixel.
    static int NearestInk(const QImage& image, const QRect& cell, TColour ink) {
        const QRect inside = cell.adjusted(1, 1, -4, 0);
        int nearest = 255;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x) {
                const QRgb p = image.pixel(x, y);
                nearest =
                    std::min(nearest, std::max({std::abs(qRed(p) - RedOf(ink)), std::abs(qGreen(p) - GreenOf(ink)),
                                                std::abs(qBlue(p) - BlueOf(ink))}));
            }
        return nearest;
    }
};

enum class Row { Normal, NotEnabled, Opening, Transfer, PaintedHighlighted, PaintedDisabled };

struct BackgroundCase {
    const char* Name;
    TColourClass Colours;
    Row Kind;
    int Slot;
    std::function<TColour(const TColumns&)> Expected;
};

void PrintTo(const BackgroundCase& c, std::ostream* out) {
    *out << c.Name;
}

TColour Own(const TColumns& columns, int slot) {
    return ResolveColour(columns.SlotColor(slot));
}

const BackgroundCase BackgroundCases[] = {
    {"Normal", TColourClass::TrueColour, Row::Normal, 7, [](const TColumns& c) { return Own(c, 7); }},
    {"NotEnabled", TColourClass::TrueColour, Row::NotEnabled, 7,
     [](const TColumns& c) { return DarkenColour(Own(c, 7), 30); }},
    {"PaintedDisabled", TColourClass::TrueColour, Row::PaintedDisabled, 7,
     [](const TColumns& c) { return DarkenColour(Own(c, 7), 30); }},
    {"Highlighted", TColourClass::TrueColour, Row::PaintedHighlighted, 7,
     [](const TColumns& c) { return LightenColour(Own(c, 7), 80); }},
    {"OpeningBalance", TColourClass::TrueColour, Row::Opening, 7, [](const TColumns& c) { return Own(c, 11); }},
    {"OpeningBalanceCredit", TColourClass::TrueColour, Row::Opening, 9, [](const TColumns& c) { return Own(c, 9); }},
    {"Transfer", TColourClass::TrueColour, Row::Transfer, 4,
     [](const TColumns&) { return RGBColour(0xBB, 0xBB, 0xBB); }},
    {"TransferDebit", TColourClass::TrueColour, Row::Transfer, 10, [](const TColumns& c) { return Own(c, 10); }},
    {"PaletteNormal", TColourClass::Palette256, Row::Normal, 7,
     [](const TColumns&) { return RGBColour(102, 204, 204); }}, // palette entry 100 of the colour cube
    {"PaletteHighlighted", TColourClass::Palette256, Row::PaintedHighlighted, 7,
     [](const TColumns&) { return ResolveColour(clHighlight); }},
    {"PaletteNotEnabled", TColourClass::Palette256, Row::NotEnabled, 7,
     [](const TColumns&) { return ResolveColour(clBtnShadow); }},
    {"PaletteTransfer", TColourClass::Palette256, Row::Transfer, 4,
     [](const TColumns&) { return RGBColour(228, 228, 228); }}, // palette entry 233
};

class RowBackground : public GridPaintTest, public ::testing::WithParamInterface<BackgroundCase> {};

} // namespace

TEST_P(RowBackground, ComesFromTheStripOfTheRowsStateAndType) {
    const BackgroundCase& c = GetParam();
    constexpr int Line = 3;
    if (c.Colours == TColourClass::Palette256) {
        for (TColProperty& column : Info.ColInfo.Items)
            column.ColorIndex = 100;
        ApplyColourClass(Info.ColInfo, ViewTransactions, TColourClass::Palette256);
    }
    Grid.SetColourClass(c.Colours);
    Owner.DisabledRow = c.Kind == Row::NotEnabled ? Line : -1;
    Owner.OpeningRow = c.Kind == Row::Opening ? Line : -1;
    Owner.TransferRow = c.Kind == Row::Transfer ? Line : -1;
    Grid.RefreshGrid(true);
    if (c.Kind == Row::PaintedHighlighted)
        Grid.PaintRow(Line, rsHighlighted);
    if (c.Kind == Row::PaintedDisabled)
        Grid.PaintRow(Line, rsDisabled);

    const QImage shot = Shot();
    const QPoint inside = Cell(c.Slot, Line).center();
    EXPECT_EQ(PixelAt(shot, inside), c.Expected(Info.ColInfo));
    // The row above is drawn normally.
    const TColour normal = c.Colours == TColourClass::Palette256 ? RGBColour(102, 204, 204) : Own(Info.ColInfo, c.Slot);
    EXPECT_EQ(PixelAt(shot, Cell(c.Slot, Line - 1).center()), normal);
}

INSTANTIATE_TEST_SUITE_P(States, RowBackground, ::testing::ValuesIn(BackgroundCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(GridPaintTest, TextColoursFollowTheRowState) {
    Owner.FixedTexts[4] = "HIIIH";  // category name: not a money column
    Owner.FixedTexts[10] = "HIIIH"; // debit: a money column
    Owner.DisabledRow = 1;
    Owner.OpeningRow = 2;
    Owner.TransferRow = 3;
    Grid.RefreshGrid(true);
    Grid.PaintRow(4, rsHighlighted);
    const QImage shot = Shot();
    const TColour category = ResolveColour(ColumnOfSlot(4).FontCol);
    const TColour debit = ResolveColour(ColumnOfSlot(10).FontCol);
    struct Case {
        int Position;
        int Slot;
        TColour Ink;
    };
    const Case cases[] = {
        {0, 4, category},
        {1, 4, DarkenColour(category, 30)},
        {2, 4, ResolveColour(Info.ColInfo.SlotFontColor(BalLinkIndex))},
        {2, 10, debit},
        {3, 4, clBlack},
        {3, 10, debit},
        {4, 4, LightenColour(category, 70)},
    };
    // Smoothed glyphs rarely hit the ink exactly; the states' inks lie 30 or more apart.
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.Position << " slot " << c.Slot);
        EXPECT_LE(NearestInk(shot, Cell(c.Slot, c.Position), c.Ink), 6);
    }
    EXPECT_GT(NearestInk(shot, Cell(4, 0), clBlack), 30);
}

TEST_F(GridPaintTest, GradientRunsFromTheColumnColourToWhiteInsideTheCellEdges) {
    Grid.SetGradients(true);
    Grid.SetGridColor(RGBColour(10, 20, 30));
    const QImage shot = Shot();
    const QRect cell = Cell(7, 0);
    const TColour own = Own(Info.ColInfo, 7);
    const int w = cell.width();
    const int y = cell.top() + 3;
    for (int i : {1, 10, w / 2, w - 4}) {
        SCOPED_TRACE(i);
        const TColour expected =
            RGBColour(RedOf(own) + i * (255 - RedOf(own)) / w, GreenOf(own) + i * (255 - GreenOf(own)) / w,
                      BlueOf(own) + i * (255 - BlueOf(own)) / w);
        EXPECT_EQ(PixelAt(shot, {cell.left() + i, y}), expected);
    }
    const TColour background = Grid.Colours().Background;
    EXPECT_EQ(PixelAt(shot, {cell.left(), y}), background);
    EXPECT_EQ(PixelAt(shot, {cell.left() + w - 3, y}), clBlack);
    EXPECT_EQ(PixelAt(shot, {cell.left() + w - 2, y}), background);
    EXPECT_EQ(PixelAt(shot, {cell.left() + w - 1, y}), background);
    EXPECT_EQ(PixelAt(shot, {cell.left() + 5, cell.top()}), RGBColour(10, 20, 30));
}

TEST_F(GridPaintTest, TooWideMoneyShowsMarksAndOtherTextAnEllipsis) {
    const QFontMetrics metrics(Grid.font());
    const TColProperty& credit = ColumnOfSlot(9);
    const TColProperty& memo = ColumnOfSlot(12);
    const QString wideMoney = QStringLiteral("123,456,789,012.00");
    const QString wideMemo = QStringLiteral("A memo far too long for its column");
    const QString marks = QString(credit.Width / metrics.horizontalAdvance(QLatin1Char('#')) + 1, QLatin1Char('#'));
    const QString elided = metrics.elidedText(wideMemo, Qt::ElideRight, memo.Width - 3);
    ASSERT_NE(elided, wideMemo);
    auto cellsWith = [&](const QString& money, const QString& note) {
        Owner.FixedTexts[9] = ToDocument(money);
        Owner.FixedTexts[12] = ToDocument(note);
        Grid.RefreshGrid(false);
        const QImage shot = Shot();
        return std::pair{shot.copy(Cell(9, 0)), shot.copy(Cell(12, 0))};
    };
    const auto wide = cellsWith(wideMoney, wideMemo);
    const auto expected = cellsWith(marks, elided);
    const auto fitting = cellsWith(QStringLiteral("1.00"), QStringLiteral("Memo"));
    EXPECT_EQ(wide.first, expected.first);
    EXPECT_EQ(wide.second, expected.second);
    EXPECT_NE(wide.first, fitting.first);
    EXPECT_NE(wide.second, fitting.second);
}

TEST_F(GridPaintTest, TotalsRowShowsMarksForMoneyThatDoesNotFit) {
    const QFontMetrics metrics(Grid.font());
    const int credit = VisibleIndexOfSlot(9);
    auto totalsCell = [&](const char* text) {
        Info.ColInfo.SetTotalText(9, text);
        Grid.RefreshGrid(false);
        const QRect button = Grid.ColumnButtonRect(credit);
        return Shot().copy(button.left(), Grid.TotalsRect().top(), button.width(), Grid.TotalsHeight());
    };
    const QImage wide = totalsCell("123,456,789,012.00");
    const std::string marks(static_cast<std::size_t>(ColumnOfSlot(9).Width / metrics.horizontalAdvance('#') + 1), '#');
    EXPECT_EQ(wide, totalsCell(marks.c_str()));
    EXPECT_NE(wide, totalsCell("12.00"));
}

TEST_F(GridPaintTest, ADisabledGridShowsNoTitlesAndNoTotalsAndOneDisabledRow) {
    Info.ColInfo.SetTotalText(9, "12.00");
    Grid.RefreshGrid(false);
    const QRect titleRow(Grid.CellsRect().left(), 0, Grid.CellsRect().width(), Grid.TitleHeight());
    const QImage enabledTitles = Shot().copy(titleRow);

    Grid.ClearGrid(true);
    EXPECT_FALSE(Grid.GridEnabled());
    const QImage disabled = Shot();
    const int credit = VisibleIndexOfSlot(9);
    const QPoint totals(Grid.ColumnButtonRect(credit).center().x(), Grid.TotalsRect().center().y());
    EXPECT_EQ(PixelAt(disabled, totals), DarkenColour(Own(Info.ColInfo, 9), 30));
    EXPECT_EQ(PixelAt(disabled, Cell(7, 0).center()), DarkenColour(Own(Info.ColInfo, 7), 30));
    EXPECT_EQ(PixelAt(disabled, Cell(7, 1).center()), Grid.Colours().Background);
    EXPECT_NE(disabled.copy(titleRow), enabledTitles);

    // The same buttons with empty titles look like the disabled ones.
    for (TColProperty& column : Info.ColInfo.Items)
        column.Title.clear();
    Grid.SetRowCount(10);
    EXPECT_EQ(Shot().copy(titleRow), disabled.copy(titleRow));
}

TEST_F(GridPaintTest, TheHotButtonIsLitAndGoesDarkWhenTheMouseLeaves) {
    const QRect button = Grid.ColumnButtonRect(2);
    const QPoint face(button.left() + 1, 1);
    EXPECT_EQ(PixelAt(Shot(), face), Grid.Colours().Button);
    Hover(&Grid, button.center());
    EXPECT_EQ(Grid.HotColumn(), 2);
    EXPECT_EQ(PixelAt(Shot(), face), Grid.Colours().HotButton);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&Grid, &leave);
    EXPECT_EQ(Grid.HotColumn(), -1);
    EXPECT_EQ(PixelAt(Shot(), face), Grid.Colours().Button);
}

TEST_F(GridPaintTest, RowButtonsTakeTheOwnersColours) {
    Grid.OnGetRowColor = [](int row, TColour& colour) {
        if (row % 2)
            colour = RGBColour(200, 10, 10);
    };
    Grid.RefreshGrid(false);
    const QImage strip = Grid.BtnControl()->grab().toImage();
    auto buttonPixel = [&](int position) {
        const QRect row = Grid.RowRect(position);
        return PixelAt(strip, {3, row.top() + 2});
    };
    EXPECT_EQ(buttonPixel(1), RGBColour(200, 10, 10));
    EXPECT_EQ(buttonPixel(0), Grid.Colours().Button);
    Grid.ScrollRows(1); // row 1 is now on top
    const QImage scrolled = Grid.BtnControl()->grab().toImage();
    EXPECT_EQ(PixelAt(scrolled, {3, Grid.RowRect(0).top() + 2}), RGBColour(200, 10, 10));
}

} // namespace qz::gui::test

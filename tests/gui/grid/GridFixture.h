#pragma once
// A grid on screen fed by a test owner of generated rows, with the Transactions column set.

#include "grid/Grid3.h"
#include "grid/WinColour.h"
#include "worksheet/GridInfo.h"

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qz::gui::test {

// Answers OnGetText for any number of rows without storing them, and records what was asked.
struct TTestOwner {
    int Rows = 1'000'000;
    std::vector<int> Asked;
    // Rows with a special look: not enabled, or of another row type.
    int DisabledRow = -1;
    int OpeningRow = -1;
    int TransferRow = -1;
    // When set, slot texts for every row (index by slot).
    std::vector<std::string> FixedTexts;

    void Attach(TGrid3& grid) {
        grid.OnGetText = [this](int line, std::vector<std::string>& texts, bool& enabled, std::uint8_t& rowType,
                                TColour&) { Fill(line, texts, enabled, rowType); };
    }

    void Fill(int line, std::vector<std::string>& texts, bool& enabled, std::uint8_t& rowType) {
        Asked.push_back(line);
        if (!FixedTexts.empty()) {
            for (std::size_t i = 0; i < texts.size() && i < FixedTexts.size(); ++i)
                texts[i] = FixedTexts[i];
        } else {
            const std::string n = std::to_string(line + 1);
            texts[0] = n;
            texts[1] = "01/02/2024";
            texts[2] = "REF" + n;
            texts[3] = std::to_string(100 + line % 7);
            texts[4] = line % 2 ? "Sales" : "Office supplies and stationery";
            texts[6] = "Sub " + n;
            texts[7] = "G1";
            texts[8] = "Main group";
            texts[9] = line % 3 ? "" : "1,234.50";
            texts[10] = line % 3 ? "87.20" : "";
            texts[11] = "10,000.00";
            texts[12] = "Memo of row " + n;
        }
        enabled = line != DisabledRow;
        rowType = line == OpeningRow ? 1 : line == TransferRow ? 2 : 0;
    }
};

class GridFixture : public ::testing::Test {
protected:
    TGridInfo Info = DefaultColumnSet(ViewTransactions);
    TTestOwner Owner;
    TGrid3 Grid;

    void SetUp() override {
        Grid.SetSlideDelay(0);
        Grid.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        Grid.SetColourClass(TColourClass::TrueColour);
        Grid.SetMaxCols(GridMaxCols);
        Grid.SetBalLinkIndex(BalLinkIndex);
        Grid.SetBtnWidth(26);
        Owner.Attach(Grid);
        Grid.resize(900, 400);
        Grid.SetGridInfo(&Info);
        Grid.SetRowCount(Owner.Rows);
        Grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Grid));
        // Without the keys, as beside a window's other controls: no focus frame over the rows.
        Grid.clearFocus();
    }

    QImage Shot() { return Grid.grab().toImage(); }
    static TColour PixelAt(const QImage& image, QPoint point) { return FromQColor(image.pixelColor(point)); }

    // A mouse move with no button held (QTest moves the cursor instead, which the offscreen
    // platform does not turn into events).
    void Hover(QWidget* widget, QPoint point) {
        QMouseEvent move(QEvent::MouseMove, point, widget->mapToGlobal(point), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }

    // Drags with the left button from `from` to `to` in one move.
    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(&Grid, Qt::LeftButton, {}, from);
        QTest::mouseMove(&Grid, to);
        QTest::mouseRelease(&Grid, Qt::LeftButton, {}, to);
    }

    std::vector<std::string> VisibleTitles() {
        std::vector<std::string> titles;
        for (const TColProperty& column : Info.ColInfo.Items)
            if (column.Visible)
                titles.push_back(column.Title);
        return titles;
    }

    // The left edge of visible column n on the grid, the first pixel row inside row position p.
    int RowTop(int position) const { return Grid.RowRect(position).top() + 1; }

    // A point inside visible column `n`'s button, or its cell in row position `position`.
    QPoint ButtonCentre(int n) const { return Grid.ColumnButtonRect(n).center(); }
    QPoint CellPoint(int n, int position, int fromLeft = 4) const {
        const QRect button = Grid.ColumnButtonRect(n);
        return {button.left() + fromLeft, Grid.RowRect(position).center().y()};
    }
};

} // namespace qz::gui::test

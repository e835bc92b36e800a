#pragma once
// The title row of column buttons and the totals row under the cells, painted into the grid's
// title-and-totals picture.

#include "ColumnLayout.h"
#include "ledger/Colour.h"

#include <QColor>
#include <QFont>
#include <QRect>

class QPainter;

namespace qz::gui {

struct TTitleStyle {
    int TitleHeight = 0;
    int TotalsHeight = 0;
    QFont Font;
    TColour Background = 0;
    TColour Button = 0;
    TColour HotButton = 0;
    TColour BtnShadow = 0;
    bool Enabled = true;
    bool Locked = false;
    bool LowColour = false;
    bool Gradients = true;
    int SortIndex = -1;
    TSortDirection SortDirection = sdAscending;
    int Hot = -1;     // visible index of the button under the mouse
    int Pressed = -1; // visible index of the pressed button
};

void PaintTitleRow(QPainter& painter, const std::vector<TColumnBox>& columns, const TTitleStyle& style);
// The totals row lies under the title row in the picture, at style.TitleHeight.
void PaintTotalsRow(QPainter& painter, const std::vector<TColumnBox>& columns, const TTitleStyle& style);

// The sort mark of a column button: a white triangle, pointing up for ascending order.
void PaintSortTriangle(QPainter& painter, const QRect& button, TSortDirection direction);

// A column title in bold, centred in `rect` and cut with an ellipsis when too wide. The part
// after a "*" follows in the plain font one point smaller.
void DrawColumnTitle(QPainter& painter, const QRect& rect, const QString& title, const QFont& font,
                     const QColor& colour);

// The width a column needs to show `text` whole in the grid drawn with `gridFont`: as a title
// (bold, with a note after a "*" in the smaller font; `sorted`: beside the sort mark) or as a
// cell's text, margins included.
int ColumnWidthFor(const QFont& gridFont, const QString& text, bool title, bool sorted = false);

} // namespace qz::gui

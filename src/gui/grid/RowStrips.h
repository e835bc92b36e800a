#pragma once
// The row picture: pre-painted row backgrounds, one strip per row state, from which every drawn
// row is copied before its texts are written.

#include "ColumnLayout.h"
#include "ledger/Colour.h"

#include <QRect>

class QPainter;
class QPixmap;

namespace qz::gui {

enum TStrip : int {
    stWork = 0,
    stNormal = 1,
    stHighlighted = 2,
    stDisabled = 3,
    stOpeningBalance = 4, // only with two extra strips
    stTransfer = 5,
};

struct TStripStyle {
    int RowHeight = 0;
    int ExtraStrips = 0;
    bool LowColour = false;
    bool Gradients = true;
    TColour GridColor = 0;
    TColour Background = 0;
    TColour Highlight = 0;
    TColour BtnShadow = 0;
    TColour Transfer = 0;
    TColour BalanceColour = 0; // background of an opening-balance row outside the money columns
};

// Slots of the money columns (credit, debit, balance), which keep their own colours in the
// opening-balance and transfer rows.
bool IsMoneySlot(int slot);

QRect StripRect(int strip, int width, int rowHeight);

// Paints all strips of the visible columns; the picture must be row height × strips high.
void PaintRowStrips(QPixmap& picture, const std::vector<TColumnBox>& columns, const TStripStyle& style);

// Fills `cell` with `colour`, or with a horizontal gradient from it at the left to white.
void FillCell(QPainter& painter, const QRect& cell, TColour colour, bool gradient);

} // namespace qz::gui

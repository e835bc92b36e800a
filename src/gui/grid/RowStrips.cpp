#include "RowStrips.h"

#include "WinColour.h"

#include <QPainter>
#include <QPixmap>

namespace qz::gui {

namespace {

constexpr int GradientPart(int value, int i, int width) {
    return value + i * (255 - value) / width;
}

TColour CellColour(int strip, const TColProperty& column, const TStripStyle& style) {
    const TColour own = ResolveColour(column.Color);
    switch (strip) {
    case stHighlighted:
        return style.LowColour ? style.Highlight : LightenColour(own, 80);
    case stDisabled:
        return style.LowColour ? style.BtnShadow : DarkenColour(own, 30);
    case stOpeningBalance:
        return IsMoneySlot(column.LinkIndex) ? own : style.BalanceColour;
    case stTransfer:
        return IsMoneySlot(column.LinkIndex) ? own : style.Transfer;
    default:
        return own;
    }
}

bool HasGradient(int strip, const TStripStyle& style) {
    return style.Gradients && (strip == stNormal || strip == stOpeningBalance || strip == stTransfer);
}

// The cell's frame: background at the left edge and over the last two pixels, a black shadow line
// just inside them, and the outline colour along the top.
void DrawCellEdges(QPainter& painter, const QRect& cell, const TStripStyle& style) {
    const QColor background = ToQColor(style.Background);
    painter.fillRect(cell.left(), cell.top(), 1, cell.height(), background);
    painter.fillRect(cell.right() - 1, cell.top(), 2, cell.height(), background);
    painter.fillRect(cell.right() - 2, cell.top(), 1, cell.height(), Qt::black);
    painter.fillRect(cell.left(), cell.top(), cell.width(), 1, ToQColor(style.GridColor));
}

} // namespace

bool IsMoneySlot(int slot) {
    return slot == 9 || slot == 10 || slot == 11;
}

QRect StripRect(int strip, int width, int rowHeight) {
    return {0, strip * rowHeight, width, rowHeight};
}

void FillCell(QPainter& painter, const QRect& cell, TColour colour, bool gradient) {
    if (!gradient || cell.width() <= 0) {
        painter.fillRect(cell, ToQColor(colour));
        return;
    }
    const int width = cell.width();
    for (int i = 0; i < width; ++i) {
        const QColor shade(GradientPart(RedOf(colour), i, width), GradientPart(GreenOf(colour), i, width),
                           GradientPart(BlueOf(colour), i, width));
        painter.fillRect(cell.left() + i, cell.top(), 1, cell.height(), shade);
    }
}

void PaintRowStrips(QPixmap& picture, const std::vector<TColumnBox>& columns, const TStripStyle& style) {
    picture.fill(ToQColor(style.Background));
    QPainter painter(&picture);
    const int strips = 4 + style.ExtraStrips;
    for (const TColumnBox& box : columns) {
        for (int strip = stNormal; strip < strips; ++strip) {
            const QRect cell(box.Left, strip * style.RowHeight, box.Width, style.RowHeight);
            FillCell(painter, cell, CellColour(strip, *box.Column, style), HasGradient(strip, style));
            DrawCellEdges(painter, cell, style);
        }
    }
}

} // namespace qz::gui

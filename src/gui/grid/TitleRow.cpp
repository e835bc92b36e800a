#include "TitleRow.h"

#include "CellText.h"
#include "RowStrips.h"
#include "WinColour.h"
#include "platform/TextCodec.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace qz::gui {

namespace {

constexpr int SortMarkFromRight = 16; // the sort triangle's centre, from the button's right edge
constexpr int SortMarkRoom = 22;      // what the title leaves for it

QFont TitleFont(const QFont& base) {
    QFont bold(base);
    bold.setBold(true);
    return bold;
}

QFont NoteFont(const QFont& base) {
    QFont note(base);
    note.setBold(false);
    if (note.pointSizeF() > 1)
        note.setPointSizeF(note.pointSizeF() - 1);
    else if (note.pixelSize() > 1)
        note.setPixelSize(note.pixelSize() - 1);
    return note;
}

void DrawRaisedEdge(QPainter& painter, const QRect& r, TColour colour) {
    const QColor light = ToQColor(LightenColour(colour, 80));
    const QColor dark = ToQColor(DarkenColour(colour, 80));
    painter.fillRect(r.left(), r.top(), r.width(), 1, light);
    painter.fillRect(r.left(), r.top(), 1, r.height(), light);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, dark);
    painter.fillRect(r.right(), r.top(), 1, r.height(), dark);
}

void PaintButton(QPainter& painter, const TColumnBox& box, const TTitleStyle& style) {
    const QRect cell(box.Left, 0, box.Width, style.TitleHeight);
    const bool hot = box.VisibleIndex == style.Hot;
    const bool pressed = box.VisibleIndex == style.Pressed;
    const QRect face(cell.left(), cell.top(), cell.width() - 1, cell.height() - 1);
    painter.fillRect(face, ToQColor(hot ? style.HotButton : style.Button));
    if (hot)
        DrawRaisedEdge(painter, face, style.Button);
    painter.fillRect(cell.right(), cell.top(), 1, cell.height(), Qt::black);
    const bool sorted = box.Column->SortIndex == style.SortIndex && box.Column->AllowSort;
    if (sorted)
        PaintSortTriangle(painter, cell, style.SortDirection);
    if (!style.Enabled)
        return;
    QRect text = cell.adjusted(3, 0, -3 - (sorted ? SortMarkRoom : 0), -1);
    const QString title = FromDocument(box.Column->Title);
    if (pressed) {
        DrawColumnTitle(painter, text.translated(1, 1), title, style.Font, Qt::white);
        return;
    }
    DrawColumnTitle(painter, text, title, style.Font, Qt::black);
    DrawColumnTitle(painter, text.translated(-1, -1), title, style.Font, Qt::white);
}

void PaintTotalCell(QPainter& painter, const TColumnBox& box, const TTitleStyle& style) {
    const TColProperty& column = *box.Column;
    const QRect cell(box.Left, style.TitleHeight, box.Width, style.TotalsHeight);
    const QRect inside(cell.left(), cell.top(), cell.width() - 1, cell.height() - 1);
    const TColour own = ResolveColour(column.Color);
    if (!style.Enabled && !style.Locked) {
        painter.fillRect(inside, ToQColor(style.LowColour ? style.BtnShadow : DarkenColour(own, 30)));
    } else {
        FillCell(painter, inside, own, style.Gradients);
        const QRect text = inside.adjusted(2, 0, -3, 0);
        const QFontMetrics metrics(style.Font);
        const QString shown = FitCellText(FromDocument(column.TotalText), metrics, text.width(), true, column.Width);
        painter.save();
        painter.setClipRect(text);
        painter.setFont(style.Font);
        painter.setPen(ToQColor(column.FontCol));
        painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, shown);
        painter.restore();
    }
    painter.fillRect(cell.left(), cell.bottom(), cell.width(), 1, Qt::black);
    painter.fillRect(cell.right(), cell.top(), 1, cell.height(), Qt::black);
}

} // namespace

void PaintTitleRow(QPainter& painter, const std::vector<TColumnBox>& columns, const TTitleStyle& style) {
    for (const TColumnBox& box : columns)
        PaintButton(painter, box, style);
}

void PaintTotalsRow(QPainter& painter, const std::vector<TColumnBox>& columns, const TTitleStyle& style) {
    for (const TColumnBox& box : columns)
        if (box.Column->ShowTotal)
            PaintTotalCell(painter, box, style);
}

void PaintSortTriangle(QPainter& painter, const QRect& button, TSortDirection direction) {
    const int cx = button.left() + button.width() - SortMarkFromRight;
    const int cy = button.top() + button.height() / 2;
    QPolygon triangle;
    if (direction == sdAscending)
        triangle << QPoint(cx - 4, cy + 2) << QPoint(cx + 4, cy + 2) << QPoint(cx, cy - 3);
    else
        triangle << QPoint(cx - 4, cy - 2) << QPoint(cx + 4, cy - 2) << QPoint(cx, cy + 3);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawPolygon(triangle);
    painter.restore();
}

void DrawColumnTitle(QPainter& painter, const QRect& rect, const QString& title, const QFont& font,
                     const QColor& colour) {
    const qsizetype star = title.indexOf(QLatin1Char('*'));
    const QString caption = star < 0 ? title : title.left(star);
    const QString note = star < 0 ? QString() : title.mid(star + 1);
    const QFont captionFont = TitleFont(font);
    const QFont noteFont = NoteFont(font);
    const QFontMetrics captionMetrics(captionFont);
    const QFontMetrics noteMetrics(noteFont);
    const int captionWidth = captionMetrics.horizontalAdvance(caption);
    const int noteWidth = noteMetrics.horizontalAdvance(note);
    const int room = std::max(0, rect.width());
    const QString shownCaption = captionMetrics.elidedText(caption, Qt::ElideRight, room);
    const int shownCaptionWidth = captionMetrics.horizontalAdvance(shownCaption);
    const QString shownNote = noteMetrics.elidedText(note, Qt::ElideRight, std::max(0, room - shownCaptionWidth));
    const int total = std::min(room, captionWidth + noteWidth);
    int x = rect.left() + (rect.width() - total) / 2;
    painter.save();
    painter.setPen(colour);
    painter.setFont(captionFont);
    painter.drawText(QRect(x, rect.top(), rect.right() + 1 - x, rect.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     shownCaption);
    x += shownCaptionWidth;
    if (!shownNote.isEmpty()) {
        painter.setFont(noteFont);
        painter.drawText(QRect(x, rect.top(), rect.right() + 1 - x, rect.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         shownNote);
    }
    painter.restore();
}

int ColumnWidthFor(const QFont& gridFont, const QString& text, bool title, bool sorted) {
    if (!title)
        return QFontMetrics(gridFont).horizontalAdvance(text) + 5; // the cell's margins and its right edge
    const qsizetype star = text.indexOf(QLatin1Char('*'));
    const QString caption = star < 0 ? text : text.left(star);
    const QString note = star < 0 ? QString() : text.mid(star + 1);
    return QFontMetrics(TitleFont(gridFont)).horizontalAdvance(caption) +
           QFontMetrics(NoteFont(gridFont)).horizontalAdvance(note) + 7 + // 3 each side, and the button's edge
           (sorted ? SortMarkRoom : 0);
}

} // namespace qz::gui

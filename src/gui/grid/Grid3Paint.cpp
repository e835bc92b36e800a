// TGrid3: the off-screen pictures, the drawing of rows, titles and totals into them, and the
// painting of the screen by copying them.

#include "CellText.h"
#include "Grid3.h"
#include "RowStrips.h"
#include "TitleRow.h"
#include "WinColour.h"
#include "platform/TextCodec.h"

#include <QFontMetrics>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace qz::gui {

namespace {

const QString InsertHereLetters = QStringLiteral("INSERT HERE");

// The text colour of a cell in a row drawn from `strip`.
TColour TextColour(int strip, const TColProperty& column, const TColumns& columns, const TGrid3Colours& colours,
                   bool lowColour, int balanceSlot) {
    const TColour own = ResolveColour(column.FontCol);
    switch (strip) {
    case stHighlighted:
        return lowColour ? colours.HighlightText : LightenColour(own, 70);
    case stDisabled:
        return lowColour ? colours.BtnHighlight : DarkenColour(own, 30);
    case stOpeningBalance:
        return IsMoneySlot(column.LinkIndex) ? own : ResolveColour(columns.SlotFontColor(balanceSlot));
    case stTransfer:
        return IsMoneySlot(column.LinkIndex) ? own : clBlack;
    default:
        return own;
    }
}

} // namespace

// ---- Pictures ---------------------------------------------------------------------------------

bool TGrid3::SizePictures() {
    if (!FGridInfo)
        return false;
    if (!FMaxWidthAsked) {
        FMaxWidthAsked = true;
        if (OnGetMaxWidth)
            OnGetMaxWidth(FMaxWidthAnswer);
    }
    FGridInfo->SizePicture();
    const int width = std::max(
        {FMaxWidthAnswer > 0 ? FMaxWidthAnswer : FGridInfo->PictureWidth(), FGridInfo->ColInfo.VisibleWidth(), 1});
    bool madeAnew = false;
    if (width != FPictureWidth) {
        FPictureWidth = width;
        FRowsPicture = QPixmap();
        madeAnew = true;
    }
    const QSize titleSize(width, FTitleHeight + FTotalsHeight);
    if (FTitlePicture.size() != titleSize)
        FTitlePicture = QPixmap(titleSize);
    return madeAnew;
}

// The rows picture holds the rows that fit; with BuffHeightWaste, as many as the screen could
// show, so that growing the window never needs a new picture.
void TGrid3::EnsureRowsPicture() {
    if (FPictureWidth <= 0 || FRowHeight <= 0)
        return;
    int height = FRowsThatFit * FRowHeight;
    if (FBuffHeightWaste > 0) {
        const QScreen* shownOn = screen();
        const int screenHeight = shownOn ? shownOn->geometry().height() : 0;
        height = std::max(height, screenHeight - FBuffHeightWaste);
        if (FRowsPicture.width() == FPictureWidth && FRowsPicture.height() >= FRowsThatFit * FRowHeight)
            return;
    } else if (FRowsPicture.width() == FPictureWidth && FRowsPicture.height() == height) {
        return;
    }
    FRowsPicture = QPixmap(FPictureWidth, height);
    FRowsPicture.fill(ToQColor(FColours.Background));
}

void TGrid3::PrepareRowPictures() {
    if (!FGridInfo)
        return;
    SizePictures();
    FGridInfo->SetRowHeight(FRowHeight);
    const QSize size(FPictureWidth, FGridInfo->PictureHeight());
    if (FRowPicture.size() != size)
        FRowPicture = QPixmap(size);
    TStripStyle style;
    style.RowHeight = FRowHeight;
    style.ExtraStrips = FGridInfo->ExtraStrips();
    style.LowColour = FLowColour;
    style.Gradients = FGradients;
    style.GridColor = ResolveColour(FGridColor);
    style.Background = FColours.Background;
    style.Highlight = FColours.Highlight;
    style.BtnShadow = FColours.BtnShadow;
    style.Transfer = FColours.Transfer;
    style.BalanceColour = ResolveColour(FGridInfo->ColInfo.SlotColor(FBalLinkIndex));
    PaintRowStrips(FRowPicture, LayoutColumns(FGridInfo->ColInfo), style);
}

// ---- Title and totals -------------------------------------------------------------------------

void TGrid3::DrawTitles() {
    if (!FGridInfo || FTitlePicture.isNull())
        return;
    FTitlePicture.fill(ToQColor(FColours.Background));
    QPainter painter(&FTitlePicture);
    TTitleStyle style;
    style.TitleHeight = FTitleHeight;
    style.TotalsHeight = FTotalsHeight;
    style.Font = font();
    style.Background = FColours.Background;
    style.Button = FColours.Button;
    style.HotButton = FColours.HotButton;
    style.BtnShadow = FColours.BtnShadow;
    style.Enabled = FEnabled;
    style.Locked = FLocked;
    style.LowColour = FLowColour;
    style.Gradients = FGradients;
    style.SortIndex = FGridInfo->SortIndex;
    style.SortDirection = FGridInfo->SortDirection;
    style.Hot = FHot;
    style.Pressed = FPressed;
    const std::vector<TColumnBox> columns = LayoutColumns(FGridInfo->ColInfo);
    PaintTitleRow(painter, columns, style);
    PaintTotalsRow(painter, columns, style);
}

// ---- Rows -------------------------------------------------------------------------------------

void TGrid3::AskText(int line, bool& enabled, std::uint8_t& rowType) {
    // Slots are emptied before every question: the grid keeps no texts between rows.
    FStrList.resize(static_cast<std::size_t>(FMaxCols));
    for (std::string& slot : FStrList)
        slot.clear();
    TColour rowColor = 0;
    if (OnGetText)
        OnGetText(line, FStrList, enabled, rowType, rowColor);
    if (FStrList.size() < static_cast<std::size_t>(FMaxCols))
        FStrList.resize(static_cast<std::size_t>(FMaxCols));
}

int TGrid3::StripFor(TRowState state, bool enabled, std::uint8_t rowType) const {
    int strip = state == rsHighlighted ? stHighlighted : state == rsDisabled ? stDisabled : stNormal;
    if (!enabled && state != rsHighlighted)
        strip = stDisabled;
    if (FGridInfo->ExtraStrips() >= 2) {
        if (rowType == rtOpeningBalance)
            strip = stOpeningBalance;
        else if (rowType == rtTransfer)
            strip = stTransfer;
    }
    return strip;
}

void TGrid3::DrawRows() {
    if (!FGridInfo || FRowsPicture.isNull())
        return;
    if (FRowPicture.isNull())
        PrepareRowPictures();
    const std::vector<TColumnBox> columns = LayoutColumns(FGridInfo->ColInfo);
    for (int position = 0; position < FRowsThatFit; ++position)
        DrawRowAt(position, rsNormal, columns);
}

void TGrid3::DrawRowAt(int position, TRowState state, const std::vector<TColumnBox>& columns) {
    QPainter painter(&FRowsPicture);
    const int top = position * FRowHeight;
    const int line = FTopRow + position;
    if (line >= FRowCount) {
        // No document: the rows area shows one empty disabled row.
        if (FRowCount == 0 && position == 0 && !FEnabled)
            painter.drawPixmap(0, top, FRowPicture, 0, stDisabled * FRowHeight, FPictureWidth, FRowHeight);
        else
            painter.fillRect(0, top, FPictureWidth, FRowHeight, ToQColor(FColours.Background));
        return;
    }
    bool enabled = true;
    std::uint8_t rowType = rtOrdinary;
    AskText(line, enabled, rowType);
    const int strip = StripFor(state, enabled, rowType);
    painter.drawPixmap(0, top, FRowPicture, 0, strip * FRowHeight, FPictureWidth, FRowHeight);
    DrawRowTexts(painter, top, strip, columns);
    for (std::string& slot : FStrList)
        slot.clear();
}

void TGrid3::DrawRowTexts(QPainter& painter, int top, int strip, const std::vector<TColumnBox>& columns) {
    const QFontMetrics metrics(font());
    painter.setFont(font());
    for (const TColumnBox& box : columns) {
        const TColProperty& column = *box.Column;
        if (column.LinkIndex < 0 || static_cast<std::size_t>(column.LinkIndex) >= FStrList.size())
            continue;
        const std::string& text = FStrList[static_cast<std::size_t>(column.LinkIndex)];
        if (text.empty())
            continue;
        QRect room(box.Left + 1, top + 1, box.Width - 3, FRowHeight - 1);
        Qt::Alignment alignment = Qt::AlignLeft;
        if (column.Alignment == taRightJustify) {
            room.setRight(room.right() - 1);
            alignment = Qt::AlignRight;
        } else if (column.Alignment == taCenter) {
            alignment = Qt::AlignHCenter;
        }
        const QString shown = FitCellText(FromDocument(text), metrics, room.width(), column.ShowTotal, column.Width);
        const TColour colour = TextColour(strip, column, FGridInfo->ColInfo, FColours, FLowColour, FBalLinkIndex);
        painter.setPen(ToQColor(colour));
        painter.drawText(room, static_cast<int>(alignment | Qt::AlignVCenter | Qt::TextSingleLine), shown);
    }
}

// Scrolling by a few rows moves the rows already drawn and asks only for the new ones.
void TGrid3::ShiftRows(int rows) {
    if (FRowsPicture.isNull() || !FGridInfo)
        return;
    FRowsPicture.scroll(0, -rows * FRowHeight, QRect(0, 0, FPictureWidth, FRowsThatFit * FRowHeight));
    const std::vector<TColumnBox> columns = LayoutColumns(FGridInfo->ColInfo);
    const int first = rows > 0 ? FRowsThatFit - rows : 0;
    const int last = rows > 0 ? FRowsThatFit : -rows;
    for (int position = first; position < last; ++position)
        DrawRowAt(position, rsNormal, columns);
}

// ---- The screen -------------------------------------------------------------------------------

QPoint TGrid3::LockGlyphPoint() const {
    const int areaWidth = width() - FBtnWidth;
    return {FBtnWidth + (areaWidth - FLockGlyph.width()) / 2, std::max(0, (height() - FLockGlyph.height()) / 2)};
}

int TGrid3::GapPictureX() const {
    if (!FGridInfo || FDragColumn < 0 || FDropTarget < 0 || FDropTarget == FDragColumn)
        return -1;
    // The gap opens where the dragged column will land.
    const int before = FDropTarget < FDragColumn ? FDropTarget : FDropTarget + 1;
    return FGridInfo->ColInfo.VisibleWidthBefore(before);
}

void TGrid3::CopyBand(QPainter& painter, int originX, int y, const QPixmap& picture, int sourceY, int height) const {
    const int gapX = GapPictureX();
    if (gapX < 0) {
        painter.drawPixmap(originX, y, picture, 0, sourceY, FPictureWidth, height);
        return;
    }
    painter.drawPixmap(originX, y, picture, 0, sourceY, gapX, height);
    painter.drawPixmap(originX + gapX + InsertGapWidth, y, picture, gapX, sourceY, FPictureWidth - gapX, height);
}

void TGrid3::PaintInsertGap(QPainter& painter, int originX) const {
    const QRect gap(originX + GapPictureX(), 0, InsertGapWidth,
                    FTitleHeight + FRowsThatFit * FRowHeight + FTotalsHeight);
    painter.fillRect(gap, ToQColor(FColours.Highlight));
    QFont bold(font());
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(ToQColor(FColours.HighlightText));
    const int lineHeight = QFontMetrics(bold).height();
    for (int i = 0; i < InsertHereLetters.size(); ++i)
        painter.drawText(QRect(gap.left(), gap.top() + 2 + i * lineHeight, gap.width(), lineHeight), Qt::AlignHCenter,
                         InsertHereLetters.at(i));
}

void TGrid3::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(FColours.Background));
    if (FLockGlyphShown)
        painter.drawPixmap(LockGlyphPoint().x(), FLockGlyphY, FLockGlyph);
    if (!FContentShown || !FGridInfo || FTitlePicture.isNull() || FRowsPicture.isNull())
        return;
    const QRect cells = CellsRect();
    painter.setClipRect(cells);
    const int originX = cells.left() - FHorzOffset + FSlideShift;
    const int rowsHeight = FRowsThatFit * FRowHeight;
    CopyBand(painter, originX, 0, FTitlePicture, 0, FTitleHeight);
    CopyBand(painter, originX, FTitleHeight, FRowsPicture, 0, rowsHeight);
    CopyBand(painter, originX, FTitleHeight + rowsHeight, FTitlePicture, FTitleHeight, FTotalsHeight);
    PaintCurrentRowFrame(painter);
    if (GapPictureX() >= 0)
        PaintInsertGap(painter, originX);
    if (FSizeLineX >= 0) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(FSizeLineX - 2, 0, 4, FTitleHeight + rowsHeight, Qt::white);
    }
}

} // namespace qz::gui

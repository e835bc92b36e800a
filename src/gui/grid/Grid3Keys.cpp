// TGrid3: the current row (moved by the keys and the mouse, framed on the screen, kept per column
// set), Enter to open it, and the hints of the totals row.

#include "Grid3.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace qz::gui {

namespace {

constexpr int HorzKeyStep = 48;

} // namespace

// ---- The current row --------------------------------------------------------------------------

void TGrid3::SetCurrentRow(int row) {
    const int current = std::clamp(row, 0, std::max(0, FRowCount - 1));
    if (current != FCurrentRow) {
        FCurrentRow = current;
        update(CellsRect());
    }
    ShowCurrentRow();
}

void TGrid3::ShowCurrentRow() {
    if (FCurrentRow < FTopRow)
        SetTopRow(FCurrentRow);
    else if (FCurrentRow >= FTopRow + FRowsThatFit)
        SetTopRow(FCurrentRow - FRowsThatFit + 1);
}

// Paging moves the rows on the screen with the current row, so that it keeps its place on the
// screen while the rows allow.
void TGrid3::MoveCurrentRow(int rows, bool scrollWithIt) {
    const int target = std::clamp(FCurrentRow + rows, 0, std::max(0, FRowCount - 1));
    if (scrollWithIt)
        SetTopRow(std::clamp(FTopRow + (target - FCurrentRow), 0, std::max(0, FRowCount - FRowsThatFit)));
    SetCurrentRow(target);
}

void TGrid3::ForgetPlaces() {
    FPlaces.clear();
    FCurrentRow = FGridInfo ? std::max(0, FGridInfo->ScrollBarPos) : 0;
    update(CellsRect());
}

// The place of the set that goes. A scroll position changed from outside (the views' positions
// were reset) takes the current row to it.
void TGrid3::KeepPlace() {
    if (!FGridInfo)
        return;
    const int top = FGridInfo->ScrollBarPos;
    const bool movedElsewhere = top != FTopRow;
    FPlaces[FGridInfo] = {top, movedElsewhere ? top : FCurrentRow, movedElsewhere ? 0 : FHorzOffset};
}

void TGrid3::TakePlace() {
    FCurrentRow = FGridInfo ? std::max(0, FGridInfo->ScrollBarPos) : 0;
    FHorzOffset = 0;
    if (!FGridInfo)
        return;
    const auto place = FPlaces.find(FGridInfo);
    if (place != FPlaces.end() && place->second.Top == FGridInfo->ScrollBarPos) {
        FCurrentRow = place->second.Current;
        FHorzOffset = place->second.HorzOffset;
    }
}

// Around the current row's cells, over the row lines above and below it: the row keeps its colours.
QRect TGrid3::CurrentRowFrame() const {
    const int position = FCurrentRow - FTopRow;
    if (!Interactive() || FCurrentRow >= FRowCount || position < 0 || position >= FRowsThatFit)
        return {};
    const QRect cells = CellsRect();
    const int right = std::min(cells.right(), cells.left() - FHorzOffset + FGridInfo->ColInfo.VisibleWidth() - 1);
    const int top = FTitleHeight + position * FRowHeight;
    return {QPoint(cells.left(), top), QPoint(right, top + FRowHeight)};
}

void TGrid3::PaintCurrentRowFrame(QPainter& painter) const {
    // A focus frame: it shows while the grid has the keys.
    const QRect frame = CurrentRowFrame();
    if (frame.isEmpty() || !hasFocus())
        return;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(palette().color(QPalette::Highlight));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.drawRect(frame.adjusted(1, 1, -2, -2));
}

// ---- Keys -------------------------------------------------------------------------------------

void TGrid3::keyPressEvent(QKeyEvent* event) {
    if (!Interactive() || FRowCount == 0) {
        TCustomControlEx::keyPressEvent(event);
        return;
    }
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    // A page keeps one row of the page before in view.
    const int page = std::max(1, FRowsThatFit - 1);
    switch (event->key()) {
    case Qt::Key_Up:
        MoveCurrentRow(-1, false);
        break;
    case Qt::Key_Down:
        MoveCurrentRow(1, false);
        break;
    case Qt::Key_PageUp:
        MoveCurrentRow(-page, true);
        break;
    case Qt::Key_PageDown:
        MoveCurrentRow(page, true);
        break;
    case Qt::Key_Home:
        // Ctrl+Home: the worksheet's first cell, its first column too.
        if (ctrl)
            SetHorzOffset(0);
        SetCurrentRow(0);
        break;
    case Qt::Key_End:
        if (ctrl)
            SetHorzOffset(HorzOverflow());
        SetCurrentRow(FRowCount - 1);
        break;
    case Qt::Key_Left:
        SetHorzOffset(FHorzOffset - HorzKeyStep);
        break;
    case Qt::Key_Right:
        SetHorzOffset(FHorzOffset + HorzKeyStep);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // As a double-click on the row.
        if (OnRowBtnClick)
            OnRowBtnClick(FCurrentRow);
        break;
    default:
        TCustomControlEx::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TGrid3::focusInEvent(QFocusEvent* event) {
    TCustomControlEx::focusInEvent(event);
    update(CellsRect());
}

void TGrid3::focusOutEvent(QFocusEvent* event) {
    TCustomControlEx::focusOutEvent(event);
    update(CellsRect());
}

// ---- Hints of the totals row ------------------------------------------------------------------

QString TGrid3::TotalHintAt(QPoint point) const {
    if (!OnGetTotalHint || !FGridInfo || !FEnabled || FLocked || !TotalsRect().contains(point))
        return {};
    for (const TShownColumn& column : ShownColumns())
        if (point.x() >= column.ScreenLeft && point.x() < column.ScreenRight)
            return column.Box.Column->ShowTotal ? OnGetTotalHint(column.Box.Column->LinkIndex) : QString();
    return {};
}

bool TGrid3::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return TCustomControlEx::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString hint = TotalHintAt(help->pos());
    if (hint.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), hint, this, TotalsRect());
    }
    return true;
}

} // namespace qz::gui

// TGrid3: what the mouse does — hot and pressed column buttons, sorting, sizing a column by its
// edge, dragging a column to a new place, opening a row, the context menu and the wheel.

#include "ColumnTitleHint.h"
#include "Grid3.h"
#include "platform/TextCodec.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>

namespace qz::gui {

// ---- Hit tests (grid coordinates) -------------------------------------------------------------

std::vector<TGrid3::TShownColumn> TGrid3::ShownColumns() const {
    std::vector<TShownColumn> shown;
    if (!FGridInfo)
        return shown;
    const QRect cells = CellsRect();
    const int origin = cells.left() - FHorzOffset;
    for (const TColumnBox& box : LayoutColumns(FGridInfo->ColInfo)) {
        const int left = origin + box.Left;
        const int right = left + box.Width;
        if (right > cells.left() && left <= cells.right())
            shown.push_back({box, left, right});
    }
    return shown;
}

int TGrid3::EdgeAt(QPoint point) const {
    if (!Interactive() || point.y() < 0 || point.y() >= FTitleHeight)
        return -1;
    for (const TShownColumn& column : ShownColumns())
        if (point.x() >= column.ScreenRight - EdgeGrip && point.x() < column.ScreenRight + EdgeGrip)
            return column.Box.VisibleIndex;
    return -1;
}

int TGrid3::ColumnAt(QPoint point) const {
    if (point.y() < 0 || point.y() >= FTitleHeight || !CellsRect().contains(point))
        return -1;
    for (const TShownColumn& column : ShownColumns())
        if (point.x() >= column.ScreenLeft && point.x() < column.ScreenRight)
            return column.Box.VisibleIndex;
    return -1;
}

int TGrid3::RowPositionAt(QPoint point) const {
    const int rowsTop = FTitleHeight;
    if (!CellsRect().contains(point) || point.y() < rowsTop || point.y() >= rowsTop + FRowsThatFit * FRowHeight)
        return -1;
    return (point.y() - rowsTop) / FRowHeight;
}

// The visible position a dragged column would move to; the dragged column itself when none.
int TGrid3::DropTarget(int x) const {
    const std::vector<TShownColumn> shown = ShownColumns();
    if (shown.empty())
        return FDragColumn;
    for (const TShownColumn& column : shown)
        if (x >= column.ScreenLeft && x < column.ScreenRight) {
            const int position = column.Box.VisibleIndex;
            return position > FDragColumn ? position - 1 : position;
        }
    const TShownColumn& last = shown.back();
    const int lastPosition = FGridInfo->ColInfo.VisibleColumnCount() - 1;
    const bool allShown = !HorzBarWanted() || FHorzOffset >= HorzOverflow();
    if (last.Box.VisibleIndex == lastPosition && allShown && x >= last.ScreenRight &&
        x < last.ScreenRight + DropBeyondLast)
        return lastPosition;
    return FDragColumn;
}

// ---- Column buttons ---------------------------------------------------------------------------

void TGrid3::SetHot(int column) {
    if (column == FHot)
        return;
    FHot = column;
    DrawTitles();
    update(QRect(0, 0, width(), FTitleHeight));
}

void TGrid3::ColumnButtonClicked(int visibleColumn) {
    const TColProperty& column = FGridInfo->ColInfo.VisibleColumn(visibleColumn);
    if (!column.AllowSort)
        return;
    int raised = visibleColumn;
    if (column.SortIndex == FGridInfo->SortIndex) {
        FGridInfo->SortDirection = FGridInfo->SortDirection == sdAscending ? sdDescending : sdAscending;
        raised = -1;
    } else {
        FGridInfo->SortDirection = sdAscending;
        FGridInfo->SortIndex = column.SortIndex;
    }
    DrawTitles();
    update();
    if (OnColBtnClick)
        OnColBtnClick(raised);
}

// ---- Sizing -----------------------------------------------------------------------------------

void TGrid3::StartSizing(int column, int x) {
    FSizingColumn = column;
    FSizingGrab = x - ColumnButtonRect(column).right() - 1;
    SetHot(-1);
}

void TGrid3::ContinueSizing(int x) {
    TColProperty& column = FGridInfo->ColInfo.VisibleColumn(FSizingColumn);
    const int left = CellsRect().left() - FHorzOffset + FGridInfo->ColInfo.VisibleWidthBefore(FSizingColumn);
    const int width = std::clamp(x - FSizingGrab - left, column.MinWidth, std::max(column.MinWidth, column.MaxWidth));
    const bool changed = width != column.Width;
    column.Width = width;
    if (OnColumnSize)
        OnColumnSize(FSizingColumn, width);
    if (!changed)
        return;
    const bool madeAnew = SizePictures();
    if (FAnimationOn || madeAnew) {
        LayoutParts();
        EnsureRowsPicture();
        PrepareRowPictures();
        DrawRows();
    }
    if (!FAnimationOn)
        FSizeLineX = left + width;
    DrawTitles();
    update();
}

void TGrid3::EndSizing() {
    FSizingColumn = -1;
    FSizeLineX = -1;
    RefreshGrid(true);
}

// ---- Reordering -------------------------------------------------------------------------------

void TGrid3::StartColumnDrag(QPoint point) {
    FDragColumn = FPressed;
    FDropTarget = FDragColumn;
    FPressed = -1;
    FHot = -1;
    const TColProperty& column = FGridInfo->ColInfo.VisibleColumn(FDragColumn);
    const bool sorted = column.AllowSort && column.SortIndex == FGridInfo->SortIndex;
    const QPoint topLeft = mapToGlobal(QPoint(point.x() - column.Width / 2, 0));
    FTitleHint->ShowHint(QRect(topLeft, QSize(column.Width, FTitleHeight)), FromDocument(column.Title), font(), sorted,
                         FGridInfo->SortDirection, FColours.HintButton);
    setCursor(Qt::DragMoveCursor);
    DrawTitles();
    FollowColumnDrag(point);
    update();
}

void TGrid3::FollowColumnDrag(QPoint point) {
    FTitleHint->FollowMouse(mapToGlobal(point).x());
    const int target = DropTarget(point.x());
    if (target == FDropTarget)
        return;
    FDropTarget = target;
    update();
}

void TGrid3::DropColumn() {
    const int from = FDragColumn;
    const int to = FDropTarget;
    FDragColumn = FDropTarget = -1;
    FTitleHint->hide();
    unsetCursor();
    if (to < 0 || to == from) {
        update();
        return;
    }
    FGridInfo->ColInfo.MoveVisible(from, to);
    RefreshGrid(true);
    if (OnColOrderChange)
        OnColOrderChange();
}

// ---- Context menu -----------------------------------------------------------------------------

void TGrid3::ShowPopupAt(QPoint point, QPoint global) {
    int row = -1;
    const int position = Interactive() ? RowPositionAt(point) : -1;
    if (position >= 0 && FTopRow + position < FRowCount)
        row = FTopRow + position;
    if (row >= 0) {
        SetCurrentRow(row);
        PaintRow(row, rsHighlighted);
    }
    if (OnBeforePopup)
        OnBeforePopup(row);
    if (OnShowPopup)
        OnShowPopup(global.x(), global.y(), row);
    if (row >= 0)
        PaintRow(row, rsNormal);
}

// ---- Qt mouse events --------------------------------------------------------------------------

void TGrid3::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        ShowPopupAt(point, event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton || !Interactive())
        return;
    const int edge = EdgeAt(point);
    if (edge >= 0) {
        StartSizing(edge, point.x());
        return;
    }
    const int position = RowPositionAt(point);
    if (position >= 0 && FTopRow + position < FRowCount) {
        SetCurrentRow(FTopRow + position);
        return;
    }
    const int column = ColumnAt(point);
    if (column < 0)
        return;
    FPressed = column;
    DrawTitles();
    update(QRect(0, 0, width(), FTitleHeight));
}

void TGrid3::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (FSizingColumn >= 0) {
        ContinueSizing(point.x());
        return;
    }
    if (FDragColumn >= 0) {
        FollowColumnDrag(point);
        return;
    }
    if (!Interactive()) {
        unsetCursor();
        return;
    }
    if (FPressed >= 0 && (event->buttons() & Qt::LeftButton)) {
        if (!FDisallowColBtns && !ColumnButtonRect(FPressed).contains(point))
            StartColumnDrag(point);
        return;
    }
    setCursor(EdgeAt(point) >= 0 ? Qt::SizeHorCursor : Qt::ArrowCursor);
    SetHot(ColumnAt(point));
}

void TGrid3::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (FSizingColumn >= 0) {
        EndSizing();
        return;
    }
    if (FDragColumn >= 0) {
        DropColumn();
        return;
    }
    if (FPressed < 0)
        return;
    const int pressed = FPressed;
    FPressed = -1;
    DrawTitles();
    update(QRect(0, 0, width(), FTitleHeight));
    if (Interactive() && ColumnAt(event->position().toPoint()) == pressed)
        ColumnButtonClicked(pressed);
}

void TGrid3::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !Interactive())
        return;
    const int edge = EdgeAt(point);
    if (edge >= 0) {
        FitColumn(edge);
        return;
    }
    const int position = RowPositionAt(point);
    if (position >= 0) {
        if (OnRowBtnClick && FTopRow + position < FRowCount)
            OnRowBtnClick(FTopRow + position);
        return;
    }
    mousePressEvent(event); // the second click of a column button counts as a click
}

void TGrid3::wheelEvent(QWheelEvent* event) {
    event->accept();
    // One row per notch; the small steps of a touchpad add up to notches.
    FWheelDelta += event->angleDelta().y();
    const int notches = FWheelDelta / 120;
    FWheelDelta -= notches * 120;
    if (notches != 0 && Interactive())
        ScrollRows(-notches);
}

void TGrid3::MouseLeft() {
    SetHot(-1);
    if (FSizingColumn < 0 && FDragColumn < 0)
        unsetCursor();
}

} // namespace qz::gui

#pragma once
// TGrid3: the owner-drawn worksheet grid. It shows any column set (TGridInfo) it is given and
// asks its owner for the texts of the rows on screen only, so its cost does not depend on the
// number of rows. Around the cells: a title row of column buttons (sort, size, reorder), a totals
// row, a strip of row buttons with the reset and lock buttons, and its own scroll bars. Rows are
// composed from pre-painted strips into off-screen pictures, and the screen is painted by copying
// those pictures.

#include "ColumnLayout.h"
#include "CustomControlEx.h"
#include "Grid3Colours.h"
#include "Grid3Events.h"
#include "worksheet/GridInfo.h"

#include <QPixmap>

#include <unordered_map>

class QPushButton;

namespace qz::gui {

class TColumnTitleHint;
class TGrid3BtnControl;
class TGrid3ScrollBar;

class TGrid3 : public TCustomControlEx {
    Q_OBJECT
public:
    static constexpr int ScrollBarSize = 22;
    static constexpr int EdgeGrip = 5;
    static constexpr int InsertGapWidth = 20;
    static constexpr int DropBeyondLast = 20;
    static constexpr int SlideStep = 60;
    static constexpr int LockSlideStep = 12;
    static constexpr int FitMargin = 8;

    explicit TGrid3(QWidget* parent = nullptr);
    ~TGrid3() override;

    // ---- Events ------------------------------------------------------------------------------
    TGetText OnGetText;
    TGetRowColor OnGetRowColor;
    TColBtnClick OnColBtnClick;
    TRowBtnClick OnRowBtnClick;
    TBeforePopup OnBeforePopup;
    TShowPopup OnShowPopup;
    TColumnSize OnColumnSize;
    TSpecBtnClick OnSpecBtnClick;
    TAllowUnlock OnAllowUnLock;
    TNotifyEvent OnColOrderChange;
    TGetMaxColWidth OnGetMaxWidth;
    // The hint of a total in the totals row (by its slot); empty for none.
    TGetTotalHint OnGetTotalHint;

    // ---- Properties --------------------------------------------------------------------------
    int BtnWidth() const { return FBtnWidth; }
    void SetBtnWidth(int width);
    TGridInfo* GridInfo() const { return FGridInfo; }
    void SetGridInfo(TGridInfo* info);
    int MaxCols() const { return FMaxCols; }
    void SetMaxCols(int count);
    TColour GridColor() const { return FGridColor; }
    void SetGridColor(TColour colour);
    const QPixmap& LockGlyph() const { return FLockGlyph; }
    void SetLockGlyph(const QPixmap& glyph);
    int BuffHeightWaste() const { return FBuffHeightWaste; }
    void SetBuffHeightWaste(int pixels);
    int BalLinkIndex() const { return FBalLinkIndex; }
    void SetBalLinkIndex(int slot);
    bool Gradients() const { return FGradients; }
    void SetGradients(bool on);
    // The grid's own enabled state (a disabled grid shows no titles and one disabled row);
    // independent of QWidget's, so that a locked grid still answers its unlock buttons.
    bool GridEnabled() const { return FEnabled; }
    void SetGridEnabled(bool enabled);
    TColourClass ColourClass() const { return FColourClass; }
    void SetColourClass(TColourClass colours);
    bool AnimationOn() const { return FAnimationOn; }
    void SetAnimationOn(bool on) { FAnimationOn = on; }
    bool DisallowColBtns() const { return FDisallowColBtns; }
    void SetDisallowColBtns(bool disallow) { FDisallowColBtns = disallow; }
    // Pause between the frames of the lock and slide animations, in milliseconds.
    int SlideDelay() const { return FSlideDelay; }
    void SetSlideDelay(int milliseconds) { FSlideDelay = milliseconds; }

    // ---- Operations --------------------------------------------------------------------------
    void SetRowCount(int count);
    int RowCount() const { return FRowCount; }
    void RefreshGrid(bool rebuildPictures);
    void PaintRow(int line, TRowState state);
    // 0: every visible column to its MinWidth, 1: MaxWidth, 2: DefaultWidth.
    void SetColumnWidths(int mode);
    void ScrollRows(int rows);
    void ScrollToEnd();
    void FitColumn(int visibleColumn);
    void SetLocked(bool locked);
    bool Locked() const { return FLocked; }
    void ShowAfterLoad();
    void ClearGrid(bool disable);
    void SetLowColour(bool lowColour);
    void PrepareRowPictures();

    // ---- The current row ---------------------------------------------------------------------
    // The row the keys move and Enter opens, framed on the screen. Each column set keeps its own
    // while other sets show, as long as its scroll position stays where the grid left it.
    int CurrentRow() const { return FCurrentRow; }
    // Makes `row` current (kept within the rows) and scrolls to show it.
    void SetCurrentRow(int row);
    // Every column set's current row and horizontal offset start again from its scroll position
    // (the views' positions were reset).
    void ForgetPlaces();
    QRect CurrentRowFrame() const;

    // ---- State -------------------------------------------------------------------------------
    int TopRow() const { return FTopRow; }
    int HorzOffset() const { return FHorzOffset; }
    void SetHorzOffset(int offset);
    int RowHeight() const { return FRowHeight; }
    int TitleHeight() const { return FTitleHeight; }
    int TotalsHeight() const { return FTotalsHeight; }
    int RowsThatFit() const { return FRowsThatFit; }
    int HotColumn() const { return FHot; }
    int PressedColumn() const { return FPressed; }
    int DraggedColumn() const { return FDragColumn; }
    int DropTargetColumn() const { return FDropTarget; }
    bool ContentShown() const { return FContentShown; }
    const TGrid3Colours& Colours() const { return FColours; }
    // In the grid's coordinates: the cells area, a shown column's button, a row's place.
    QRect CellsRect() const;
    QRect ColumnButtonRect(int visibleColumn) const;
    QRect RowRect(int position) const;
    QRect TotalsRect() const;
    QPoint LockGlyphPoint() const;

    TGrid3BtnControl* BtnControl() const { return FBtnControl; }
    TGrid3ScrollBar* VertScrollBar() const { return FVertBar; }
    TGrid3ScrollBar* HorzScrollBar() const { return FHorzBar; }
    QPushButton* UnlockButton() const { return FUnlockBtn; }
    TColumnTitleHint* TitleHint() const { return FTitleHint; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;
    void MouseLeft() override;

private:
    struct TShownColumn {
        TColumnBox Box;
        int ScreenLeft = 0;
        int ScreenRight = 0;
    };

    // Grid3.cpp: measures, layout, scrolling.
    void ComputeMeasures();
    void LayoutParts();
    int HorzOverflow() const;
    bool HorzBarWanted() const;
    int ContentHeight() const;
    void SetTopRow(int top);
    void ColourRowButtons();
    void UpdateBtnControl();
    bool Interactive() const { return FEnabled && !FLocked && FContentShown && FGridInfo; }

    // Grid3Keys.cpp: the current row, the keys and the totals' hints.
    struct TPlace {
        int Top = 0;
        int Current = 0;
        int HorzOffset = 0;
    };
    void KeepPlace();
    void TakePlace();
    void MoveCurrentRow(int rows, bool scrollWithIt);
    void ShowCurrentRow();
    void PaintCurrentRowFrame(QPainter& painter) const;
    QString TotalHintAt(QPoint point) const;

    // Grid3Paint.cpp: pictures and drawing.
    bool SizePictures(); // true when the pictures were made anew
    void EnsureRowsPicture();
    void DrawTitles();
    void DrawRows();
    void DrawRowAt(int position, TRowState state, const std::vector<TColumnBox>& columns);
    void DrawRowTexts(QPainter& painter, int top, int strip, const std::vector<TColumnBox>& columns);
    void ShiftRows(int rows);
    void AskText(int line, bool& enabled, std::uint8_t& rowType);
    int StripFor(TRowState state, bool enabled, std::uint8_t rowType) const;
    void CopyBand(QPainter& painter, int originX, int y, const QPixmap& picture, int sourceY, int height) const;
    void PaintInsertGap(QPainter& painter, int originX) const;
    int GapPictureX() const;

    // Grid3Mouse.cpp: hit tests and the mouse's work.
    std::vector<TShownColumn> ShownColumns() const;
    int EdgeAt(QPoint point) const;
    int ColumnAt(QPoint point) const;
    int RowPositionAt(QPoint point) const;
    int DropTarget(int x) const;
    void SetHot(int column);
    void StartSizing(int column, int x);
    void ContinueSizing(int x);
    void EndSizing();
    void StartColumnDrag(QPoint point);
    void FollowColumnDrag(QPoint point);
    void DropColumn();
    void ColumnButtonClicked(int column);
    void ShowPopupAt(QPoint point, QPoint global);

    // Grid3Lock.cpp: lock, unlock and the slides.
    void LockGrid();
    void UnlockGrid();
    void SlideContentOut();
    void SlideContentIn();
    void SlideLockGlyph(bool down);
    void AnimationFrame();
    void PlaceUnlockButton();
    void UnlockRequested();
    void ResetClicked();
    void LockClicked();

    // Parts.
    TGrid3BtnControl* FBtnControl = nullptr;
    TGrid3ScrollBar* FVertBar = nullptr;
    TGrid3ScrollBar* FHorzBar = nullptr;
    QPushButton* FUnlockBtn = nullptr;
    TColumnTitleHint* FTitleHint = nullptr;

    // Properties.
    TGridInfo* FGridInfo = nullptr;
    int FBtnWidth = 18;
    int FMaxCols = 10;
    TColour FGridColor = 0;
    bool FGridColorSet = false;
    QPixmap FLockGlyph;
    int FBuffHeightWaste = 0;
    int FBalLinkIndex = -1;
    bool FGradients = true;
    bool FEnabled = true;
    bool FAnimationOn = false;
    bool FDisallowColBtns = false;
    int FSlideDelay = 15;
    TColourClass FColourClass = TColourClass::TrueColour;
    bool FLowColour = false;
    TGrid3Colours FColours;

    // Measures and pictures.
    int FRowHeight = 0;
    int FTitleHeight = 0;
    int FTotalsHeight = 0;
    int FRowsThatFit = 1;
    int FPictureWidth = 0;
    int FMaxWidthAnswer = 0;
    bool FMaxWidthAsked = false;
    QPixmap FTitlePicture;
    QPixmap FRowsPicture;
    QPixmap FRowPicture;
    std::vector<std::string> FStrList;

    // Scroll and interaction state.
    int FRowCount = 0;
    // The row count was given for the column set shown. Until it is, the count is the previous
    // set's, and must not cut the set's own scroll position.
    bool FRowCountForSet = false;
    int FTopRow = 0;
    int FCurrentRow = 0;
    std::unordered_map<const TGridInfo*, TPlace> FPlaces;
    int FHorzOffset = 0;
    int FHot = -1;
    int FPressed = -1;
    int FSizingColumn = -1;
    int FSizingGrab = 0;
    int FSizeLineX = -1;
    int FDragColumn = -1;
    int FDropTarget = -1;
    bool FLocked = false;
    bool FContentShown = true;
    int FSlideShift = 0;
    int FLockGlyphY = 0;
    bool FLockGlyphShown = false;
    int FWheelDelta = 0;
};

} // namespace qz::gui

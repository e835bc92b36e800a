#include "Grid3.h"

#include "ColumnTitleHint.h"
#include "Grid3BtnControl.h"
#include "Grid3Glyphs.h"
#include "Grid3ScrollBar.h"
#include "WinColour.h"
#include "platform/TextCodec.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <cstdlib>

namespace qz::gui {

namespace {

constexpr int HorzScrollStep = 16;

TColourClass DisplayColourClass() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int depth = screen ? screen->depth() : 32;
    if (depth > 8)
        return TColourClass::TrueColour;
    return depth == 8 ? TColourClass::Palette256 : TColourClass::Colours16;
}

QPushButton* MakeUnlockButton(QWidget* parent) {
    auto* button = new QPushButton(QObject::tr("Un&lock"), parent);
    QFont font(QStringLiteral("Arial"), 10);
    font.setBold(true);
    button->setFont(font);
    button->setFixedSize(80, 25);
    button->setToolTip(QObject::tr("Click here to open up the Worksheet"));
    button->setIcon(QIcon(UnlockButtonGlyph()));
    button->hide();
    return button;
}

} // namespace

TGrid3::TGrid3(QWidget* parent)
    : TCustomControlEx(parent), FBtnControl(new TGrid3BtnControl(this)),
      FVertBar(new TGrid3ScrollBar(Qt::Vertical, this)), FHorzBar(new TGrid3ScrollBar(Qt::Horizontal, this)),
      FUnlockBtn(MakeUnlockButton(this)), FTitleHint(new TColumnTitleHint(this)), FLockGlyph(DefaultLockGlyph()) {
    FTitleHint->hide();
    FStrList.resize(static_cast<std::size_t>(FMaxCols));
    FHorzBar->SetStep(HorzScrollStep);
    FVertBar->OnChange = FVertBar->OnRelease = [this](int position) { SetTopRow(position); };
    FHorzBar->OnChange = FHorzBar->OnRelease = [this](int position) { SetHorzOffset(position); };
    FBtnControl->OnRowClick = [this](int position) {
        if (FTopRow + position >= FRowCount)
            return;
        SetCurrentRow(FTopRow + position);
        if (OnRowBtnClick)
            OnRowBtnClick(FTopRow + position);
    };
    FBtnControl->OnResetClick = [this] { ResetClicked(); };
    FBtnControl->OnLockClick = [this] { LockClicked(); };
    connect(FUnlockBtn, &QPushButton::clicked, this, [this] { UnlockRequested(); });
    // A click or Tab gives the grid the keys.
    setFocusPolicy(Qt::StrongFocus);
    ComputeMeasures();
    FColourClass = DisplayColourClass();
    SetLowColour(FColourClass != TColourClass::TrueColour);
}

TGrid3::~TGrid3() = default;

// ---- Properties -------------------------------------------------------------------------------

void TGrid3::SetBtnWidth(int width) {
    FBtnWidth = std::max(0, width);
    RefreshGrid(false);
}

void TGrid3::SetGridInfo(TGridInfo* info) {
    KeepPlace();
    FGridInfo = info;
    FRowCountForSet = false;
    TakePlace();
    FHot = FPressed = FSizingColumn = FDragColumn = FDropTarget = -1;
    if (info)
        info->SetRowHeight(FRowHeight);
    RefreshGrid(true);
}

void TGrid3::SetMaxCols(int count) {
    FMaxCols = std::max(1, count);
    FStrList.assign(static_cast<std::size_t>(FMaxCols), {});
    RefreshGrid(false);
}

void TGrid3::SetGridColor(TColour colour) {
    FGridColor = colour;
    FGridColorSet = true;
    RefreshGrid(true);
}

void TGrid3::SetLockGlyph(const QPixmap& glyph) {
    FLockGlyph = glyph.isNull() ? DefaultLockGlyph() : glyph;
    if (FLocked)
        PlaceUnlockButton();
    update();
}

void TGrid3::SetBuffHeightWaste(int pixels) {
    FBuffHeightWaste = std::max(0, pixels);
    FRowsPicture = QPixmap();
    RefreshGrid(false);
}

void TGrid3::SetBalLinkIndex(int slot) {
    FBalLinkIndex = slot;
    RefreshGrid(true);
}

void TGrid3::SetGradients(bool on) {
    FGradients = on;
    RefreshGrid(true);
}

void TGrid3::SetGridEnabled(bool enabled) {
    FEnabled = enabled;
    RefreshGrid(false);
}

void TGrid3::SetColourClass(TColourClass colours) {
    FColourClass = colours;
    SetLowColour(colours != TColourClass::TrueColour);
}

void TGrid3::SetLowColour(bool lowColour) {
    FLowColour = lowColour;
    FColours = TGrid3Colours::Make(lowColour);
    if (!FGridColorSet)
        FGridColor = FColours.Button;
    RefreshGrid(true);
}

// ---- Measures and layout ----------------------------------------------------------------------

void TGrid3::ComputeMeasures() {
    const int h = QFontMetrics(font()).height();
    FRowHeight = 5 + h;
    FTitleHeight = 5 + h;
    FTotalsHeight = 10 + h;
    if (FGridInfo)
        FGridInfo->SetRowHeight(FRowHeight);
}

int TGrid3::HorzOverflow() const {
    const int columns = FGridInfo ? FGridInfo->ColInfo.VisibleWidth() : 0;
    return columns + FBtnWidth + ScrollBarSize - width();
}

bool TGrid3::HorzBarWanted() const {
    return FGridInfo && FEnabled && !FLocked && HorzOverflow() >= 2;
}

int TGrid3::ContentHeight() const {
    return height() - (HorzBarWanted() ? ScrollBarSize : 0);
}

QRect TGrid3::CellsRect() const {
    const int right = width() - (FLocked ? 0 : ScrollBarSize);
    return {FBtnWidth, 0, std::max(0, right - FBtnWidth), ContentHeight()};
}

QRect TGrid3::RowRect(int position) const {
    const QRect cells = CellsRect();
    return {cells.left(), FTitleHeight + position * FRowHeight, cells.width(), FRowHeight};
}

QRect TGrid3::TotalsRect() const {
    const QRect cells = CellsRect();
    return {cells.left(), FTitleHeight + FRowsThatFit * FRowHeight, cells.width(), FTotalsHeight};
}

QRect TGrid3::ColumnButtonRect(int visibleColumn) const {
    if (!FGridInfo)
        return {};
    for (const TColumnBox& box : LayoutColumns(FGridInfo->ColInfo))
        if (box.VisibleIndex == visibleColumn)
            return {CellsRect().left() - FHorzOffset + box.Left, 0, box.Width, FTitleHeight};
    return {};
}

void TGrid3::LayoutParts() {
    const bool horzBar = HorzBarWanted();
    const int overflow = std::max(0, HorzOverflow());
    FHorzOffset = horzBar ? std::clamp(FHorzOffset, 0, overflow) : 0;
    const int contentHeight = ContentHeight();
    FRowsThatFit = std::max(1, (contentHeight - FTitleHeight - FTotalsHeight) / std::max(1, FRowHeight));
    FBtnControl->setGeometry(0, 0, FBtnWidth, contentHeight);
    FVertBar->setGeometry(width() - ScrollBarSize, 0, ScrollBarSize, contentHeight);
    FVertBar->setVisible(!FLocked);
    FVertBar->SetRange(FLocked || FRowCount == 0 ? 0 : FRowCount - 1);
    FVertBar->SetPageSize(FRowsThatFit);
    FVertBar->SetPosition(FLocked ? 0 : FTopRow);
    const int barLeft = FBtnWidth - 2;
    FHorzBar->setGeometry(barLeft, height() - ScrollBarSize, width() - ScrollBarSize - barLeft, ScrollBarSize);
    FHorzBar->setVisible(horzBar);
    FHorzBar->SetRange(horzBar ? overflow : 0);
    FHorzBar->SetPageSize(CellsRect().width());
    FHorzBar->SetPosition(FHorzOffset);
    UpdateBtnControl();
    if (FLocked)
        PlaceUnlockButton();
}

void TGrid3::UpdateBtnControl() {
    FBtnControl->SetMeasures({FTitleHeight, FRowHeight, FRowsThatFit, FTotalsHeight});
    FBtnControl->SetColours(FColours.StripBackground, FColours.StripButton);
    FBtnControl->SetState(FEnabled, FLocked);
}

void TGrid3::ColourRowButtons() {
    std::vector<TColour> colours;
    if (FGridInfo && FContentShown && !FLocked)
        for (int position = 0; position < FRowsThatFit && FTopRow + position < FRowCount; ++position) {
            TColour colour = FColours.Button;
            if (OnGetRowColor)
                OnGetRowColor(FTopRow + position, colour);
            colours.push_back(ResolveColour(colour));
        }
    FBtnControl->SetRowColours(std::move(colours));
}

// ---- Scrolling --------------------------------------------------------------------------------

void TGrid3::SetTopRow(int top) {
    top = std::clamp(top, 0, std::max(0, FRowCount - 1));
    const int rows = top - FTopRow;
    if (rows == 0 || FLocked)
        return;
    FTopRow = top;
    if (FGridInfo)
        FGridInfo->ScrollBarPos = top;
    FVertBar->SetPosition(top);
    if (std::abs(rows) <= FRowsThatFit)
        ShiftRows(rows);
    else
        DrawRows();
    ColourRowButtons();
    update(CellsRect());
}

void TGrid3::SetHorzOffset(int offset) {
    offset = HorzBarWanted() ? std::clamp(offset, 0, std::max(0, HorzOverflow())) : 0;
    if (offset == FHorzOffset)
        return;
    FHorzOffset = offset;
    FHorzBar->SetPosition(offset);
    update(CellsRect());
}

void TGrid3::ScrollRows(int rows) {
    const int top = FTopRow + rows;
    if (FLocked || top < 0 || top > FRowCount - 1)
        return;
    SetTopRow(top);
}

void TGrid3::ScrollToEnd() {
    if (!FLocked)
        FCurrentRow = std::max(0, FRowCount - 1);
    const int top = (FRowCount - 1) - (FRowsThatFit - 1) + 4 + (HorzBarWanted() ? 1 : 0);
    if (FLocked || top < 0 || top > FRowCount - 1)
        return;
    SetTopRow(top);
    if (FGridInfo)
        FGridInfo->ScrollBarPos = top;
}

// ---- Operations -------------------------------------------------------------------------------

void TGrid3::SetRowCount(int count) {
    FRowCount = std::max(0, count);
    FRowCountForSet = true;
    if (!FLocked)
        FEnabled = true;
    if (FGridInfo)
        FTopRow = std::max(0, FGridInfo->ScrollBarPos);
    if (FTopRow > FRowCount - 1)
        FTopRow = std::max(0, FRowCount - 1);
    if (FGridInfo)
        FGridInfo->ScrollBarPos = FTopRow;
    FCurrentRow = std::clamp(FCurrentRow, 0, std::max(0, FRowCount - 1));
    RefreshGrid(false);
}

void TGrid3::RefreshGrid(bool rebuildPictures) {
    if (!FGridInfo) {
        LayoutParts();
        ColourRowButtons();
        update();
        return;
    }
    const bool picturesMadeAnew = SizePictures();
    DrawTitles();
    LayoutParts();
    EnsureRowsPicture();
    FTopRow = FRowCountForSet ? std::clamp(FGridInfo->ScrollBarPos, 0, std::max(0, FRowCount - 1))
                              : std::max(0, FGridInfo->ScrollBarPos);
    FGridInfo->ScrollBarPos = FTopRow;
    FVertBar->SetPosition(FLocked ? 0 : FTopRow);
    if (rebuildPictures || picturesMadeAnew || FRowPicture.isNull())
        PrepareRowPictures();
    DrawRows();
    ColourRowButtons();
    update();
}

void TGrid3::PaintRow(int line, TRowState state) {
    const int position = line - FTopRow;
    if (!FGridInfo || FRowsPicture.isNull() || line >= FRowCount || position < 0 || position >= FRowsThatFit)
        return;
    DrawRowAt(position, state, LayoutColumns(FGridInfo->ColInfo));
    update(RowRect(position));
}

void TGrid3::SetColumnWidths(int mode) {
    if (!FGridInfo)
        return;
    for (TColProperty& column : FGridInfo->ColInfo.Items) {
        if (!column.Visible)
            continue;
        column.Width = mode == 0 ? column.MinWidth : mode == 1 ? column.MaxWidth : column.DefaultWidth;
    }
    RefreshGrid(true);
}

void TGrid3::FitColumn(int visibleColumn) {
    if (!FGridInfo || visibleColumn < 0 || visibleColumn >= FGridInfo->ColInfo.VisibleColumnCount())
        return;
    TColProperty& column = FGridInfo->ColInfo.VisibleColumn(visibleColumn);
    const QFontMetrics metrics(font());
    int widest = 0;
    const auto slot = static_cast<std::size_t>(column.LinkIndex);
    for (int position = 0; position < FRowsThatFit && FTopRow + position < FRowCount; ++position) {
        bool enabled = true;
        std::uint8_t rowType = rtOrdinary;
        AskText(FTopRow + position, enabled, rowType);
        if (column.LinkIndex >= 0 && slot < FStrList.size())
            widest = std::max(widest, metrics.horizontalAdvance(FromDocument(FStrList[slot])));
    }
    if (column.ShowTotal)
        widest = std::max(widest, metrics.horizontalAdvance(FromDocument(column.TotalText)));
    column.Width = std::clamp(widest, column.MinWidth, std::max(column.MinWidth, column.MaxWidth)) + FitMargin;
    RefreshGrid(true);
}

void TGrid3::ClearGrid(bool disable) {
    FRowCount = 0;
    FRowCountForSet = true;
    FTopRow = 0;
    FCurrentRow = 0;
    FPlaces.clear();
    if (!FLocked)
        SlideContentOut();
    if (disable) {
        FLocked = false;
        FLockGlyphShown = false;
        FUnlockBtn->hide();
        FEnabled = false;
        FContentShown = true;
    }
    RefreshGrid(false);
}

// ---- Qt events --------------------------------------------------------------------------------

void TGrid3::resizeEvent(QResizeEvent* event) {
    TCustomControlEx::resizeEvent(event);
    RefreshGrid(false);
}

void TGrid3::changeEvent(QEvent* event) {
    TCustomControlEx::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        ComputeMeasures();
        FTitlePicture = QPixmap();
        FRowsPicture = QPixmap();
        RefreshGrid(true);
    } else if (event->type() == QEvent::PaletteChange) {
        SetLowColour(FLowColour);
    }
}

} // namespace qz::gui

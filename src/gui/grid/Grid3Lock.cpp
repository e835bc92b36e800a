// TGrid3: locking the worksheet behind the lock picture, unlocking it, and the slides that go
// with both; the reset and lock buttons of the button strip.

#include "Grid3.h"
#include "Grid3BtnControl.h"

#include <QPushButton>
#include <QThread>

namespace qz::gui {

void TGrid3::SetLocked(bool locked) {
    if (locked == FLocked)
        return;
    if (locked)
        LockGrid();
    else
        UnlockGrid();
}

void TGrid3::LockGrid() {
    FLocked = true;
    FHot = FPressed = -1;
    FHorzOffset = 0;
    RefreshGrid(false); // the scroll bars go, their room shows the background
    SlideContentOut();
    SlideLockGlyph(true);
    PlaceUnlockButton();
    FUnlockBtn->show();
    update();
}

void TGrid3::UnlockGrid() {
    FUnlockBtn->hide();
    SlideLockGlyph(false);
    FLocked = false;
    // Locking disabled the grid; unlocked, it works again.
    FEnabled = true;
    FContentShown = false;
    RefreshGrid(false);
    SlideContentIn();
    ColourRowButtons();
}

void TGrid3::ShowAfterLoad() {
    if (FLocked) {
        FContentShown = false;
        FLockGlyphShown = true;
        FLockGlyphY = LockGlyphPoint().y();
        RefreshGrid(false);
        PlaceUnlockButton();
        FUnlockBtn->show();
        return;
    }
    FEnabled = true;
    FContentShown = false;
    RefreshGrid(false);
    SlideContentIn();
    ColourRowButtons();
}

// ---- Slides -----------------------------------------------------------------------------------

void TGrid3::AnimationFrame() {
    if (!isVisible())
        return;
    repaint();
    if (FSlideDelay > 0)
        QThread::msleep(static_cast<unsigned long>(FSlideDelay));
}

void TGrid3::SlideContentOut() {
    if (!FContentShown)
        return;
    const int distance = FGridInfo ? FGridInfo->ColInfo.VisibleWidth() : 0;
    for (int shift = 0; shift > -distance && isVisible(); shift -= SlideStep) {
        FSlideShift = shift;
        AnimationFrame();
    }
    FSlideShift = 0;
    FContentShown = false;
    ColourRowButtons();
    update();
}

void TGrid3::SlideContentIn() {
    FContentShown = true;
    const int distance = FGridInfo ? FGridInfo->ColInfo.VisibleWidth() : 0;
    for (int shift = distance; shift > 0 && isVisible(); shift -= SlideStep) {
        FSlideShift = shift;
        AnimationFrame();
    }
    FSlideShift = 0;
    update();
}

void TGrid3::SlideLockGlyph(bool down) {
    const int place = LockGlyphPoint().y();
    const int above = -FLockGlyph.height();
    FLockGlyphShown = true;
    if (down) {
        for (int y = above; y < place && isVisible(); y += LockSlideStep) {
            FLockGlyphY = y;
            AnimationFrame();
        }
        FLockGlyphY = place;
    } else {
        for (int y = place; y > above && isVisible(); y -= LockSlideStep) {
            FLockGlyphY = y;
            AnimationFrame();
        }
        FLockGlyphShown = false;
    }
    update();
}

// The unlock button sits centred under the picture's middle, its top 35 pixels above the
// picture's bottom.
void TGrid3::PlaceUnlockButton() {
    const QPoint glyph = LockGlyphPoint();
    const int areaWidth = width() - FBtnWidth;
    FUnlockBtn->move(FBtnWidth + (areaWidth - FUnlockBtn->width()) / 2, glyph.y() + FLockGlyph.height() - 35);
}

// ---- The strip's special buttons and the unlock button ----------------------------------------

void TGrid3::UnlockRequested() {
    bool allow = true;
    if (OnAllowUnLock)
        OnAllowUnLock(allow, mapToGlobal(LockGlyphPoint()));
    if (allow)
        SetLocked(false);
    else
        update();
}

void TGrid3::ResetClicked() {
    if (FLocked) {
        UnlockRequested();
        return;
    }
    FHorzOffset = 0;
    SetColumnWidths(2);
    if (OnSpecBtnClick)
        OnSpecBtnClick(sbReset);
}

void TGrid3::LockClicked() {
    if (FDisallowColBtns)
        update();
    else
        SetLocked(true);
    if (OnSpecBtnClick)
        OnSpecBtnClick(sbLock);
}

} // namespace qz::gui

// Locking the worksheet behind the lock picture and unlocking it, through the strip's lock and
// reset buttons and the "Unlock" button.

#include "GridFixture.h"

#include "grid/Grid3BtnControl.h"
#include "grid/Grid3ScrollBar.h"

#include <QPainter>
#include <QPushButton>

namespace qz::gui::test {

namespace {

class GridLockTest : public GridFixture {
protected:
    std::vector<TSpecBtnKind> Special;
    std::vector<QPoint> Asked;
    bool Allow = true;

    void SetUp() override {
        GridFixture::SetUp();
        Grid.SetGradients(false);
        Grid.OnSpecBtnClick = [this](TSpecBtnKind kind) { Special.push_back(kind); };
        Grid.OnAllowUnLock = [this](bool& allow, QPoint glyph) {
            Asked.push_back(glyph);
            allow = Allow;
        };
    }

    void ClickStrip(TGrid3BtnControl::TButton button) {
        TGrid3BtnControl* strip = Grid.BtnControl();
        QTest::mouseClick(strip, Qt::LeftButton, {}, strip->ButtonRect({button, -1}).center());
    }
    QPoint CellProbe() const { return Grid.RowRect(2).center(); }
};

} // namespace

TEST_F(GridLockTest, TheLockButtonLocksAndHidesTheContent) {
    const TColour shownCell = PixelAt(Shot(), CellProbe());
    ASSERT_NE(shownCell, Grid.Colours().Background);
    ClickStrip(TGrid3BtnControl::TButton::Lock);

    EXPECT_TRUE(Grid.Locked());
    EXPECT_EQ(Special, std::vector<TSpecBtnKind>{sbLock});
    EXPECT_FALSE(Grid.VertScrollBar()->isVisible());
    EXPECT_FALSE(Grid.HorzScrollBar()->isVisible());
    EXPECT_TRUE(Grid.UnlockButton()->isVisible());
    EXPECT_FALSE(Grid.ContentShown());

    // Only the background and the lock picture are painted; no row is asked for.
    Owner.Asked.clear();
    const QImage locked = Shot();
    EXPECT_TRUE(Owner.Asked.empty());
    const QPoint glyph = Grid.LockGlyphPoint();
    const QPixmap& picture = Grid.LockGlyph();
    QImage expected(picture.size(), locked.format());
    expected.fill(ToQColor(Grid.Colours().Background));
    QPainter(&expected).drawPixmap(0, 0, picture);
    const int aboveButton = picture.height() - 40;
    EXPECT_EQ(locked.copy(QRect(glyph, QSize(picture.width(), aboveButton))),
              expected.copy(0, 0, picture.width(), aboveButton));
    EXPECT_EQ(PixelAt(locked, {Grid.CellsRect().left() + 3, Grid.RowRect(2).center().y()}), Grid.Colours().Background);
    const QRect button = Grid.UnlockButton()->geometry();
    EXPECT_EQ(button.size(), QSize(80, 25));
    EXPECT_EQ(button.top(), glyph.y() + Grid.LockGlyph().height() - 35);

    // Scrolling and the mouse do nothing while locked.
    Grid.ScrollRows(5);
    EXPECT_EQ(Grid.TopRow(), 0);
    Grid.SetRowCount(10);
    EXPECT_TRUE(Grid.Locked());
}

TEST_F(GridLockTest, UnlockingAsksTheOwnerWhoMayRefuse) {
    Grid.SetLocked(true);
    ASSERT_TRUE(Grid.Locked());
    const QPoint glyphOnScreen = Grid.mapToGlobal(Grid.LockGlyphPoint());

    Allow = false;
    QTest::mouseClick(Grid.UnlockButton(), Qt::LeftButton);
    EXPECT_TRUE(Grid.Locked());
    ClickStrip(TGrid3BtnControl::TButton::Reset); // acts like the unlock button while locked
    EXPECT_TRUE(Grid.Locked());
    EXPECT_EQ(Asked, (std::vector<QPoint>{glyphOnScreen, glyphOnScreen}));
    EXPECT_TRUE(Special.empty()) << "the reset button did not reset";

    Allow = true;
    QTest::mouseClick(Grid.UnlockButton(), Qt::LeftButton);
    EXPECT_FALSE(Grid.Locked());
    EXPECT_FALSE(Grid.UnlockButton()->isVisible());
    EXPECT_TRUE(Grid.VertScrollBar()->isVisible());
    EXPECT_TRUE(Grid.ContentShown());
    EXPECT_NE(PixelAt(Shot(), CellProbe()), Grid.Colours().Background);
}

TEST_F(GridLockTest, WithDisallowColBtnsTheLockButtonDoesNotLock) {
    Grid.SetDisallowColBtns(true);
    ClickStrip(TGrid3BtnControl::TButton::Lock);
    EXPECT_FALSE(Grid.Locked());
    EXPECT_EQ(Special, std::vector<TSpecBtnKind>{sbLock});
}

TEST_F(GridLockTest, ClearingWithDisableUnlocksAndDisables) {
    Grid.SetLocked(true);
    Grid.ClearGrid(true);
    EXPECT_FALSE(Grid.Locked());
    EXPECT_FALSE(Grid.GridEnabled());
    EXPECT_FALSE(Grid.UnlockButton()->isVisible());
    EXPECT_EQ(Grid.RowCount(), 0);
    // A disabled grid's strip buttons do nothing.
    ClickStrip(TGrid3BtnControl::TButton::Lock);
    EXPECT_FALSE(Grid.Locked());
    EXPECT_TRUE(Special.empty());

    // Loading a document shows the content again.
    Grid.SetRowCount(40);
    Grid.ShowAfterLoad();
    EXPECT_TRUE(Grid.GridEnabled());
    EXPECT_TRUE(Grid.ContentShown());
}

} // namespace qz::gui::test

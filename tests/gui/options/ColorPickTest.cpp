// The palette colour picker: the boxes under the mouse, the arrows within the palette, the
// sample following the choice, and what OK and Cancel answer.

#include "options/ColorPick.h"

#include "forms/ModalDriver.h"
#include "grid/ColorPalette.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace qz::gui::test {
namespace {

TEST(ColorPick, ArrowsMoveWithinThePaletteAndClicksChoose) {
    const struct {
        int From;
        Qt::Key Key;
        int To;
    } cases[] = {
        {17, Qt::Key_Left, 16},   {17, Qt::Key_Right, 18},   {17, Qt::Key_Up, 1},
        {17, Qt::Key_Down, 33},   {0, Qt::Key_Left, 0},      {5, Qt::Key_Up, 5},
        {250, Qt::Key_Down, 250}, {255, Qt::Key_Right, 255}, {15, Qt::Key_Right, 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.From);
        TColorPick window(c.From);
        TPaletteBoxes* boxes = window.PaletteBoxes();
        ASSERT_EQ(boxes->Chosen(), c.From);
        QTest::keyClick(boxes, c.Key);
        EXPECT_EQ(boxes->Chosen(), c.To);
    }

    TColorPick window(0);
    TPaletteBoxes* boxes = window.PaletteBoxes();
    EXPECT_EQ(boxes->size(), QSize(TPaletteBoxes::GridSize, TPaletteBoxes::GridSize));
    window.show();
    // Entry 37 sits in row 2, column 5.
    const QRect box = TPaletteBoxes::BoxRect(37);
    EXPECT_EQ(box.topLeft(), QPoint(4 + 5 * 20, 4 + 2 * 20));
    QTest::mouseClick(boxes, Qt::LeftButton, {}, box.center());
    EXPECT_EQ(boxes->Chosen(), 37);
    // Between the boxes nothing is chosen.
    QTest::mouseClick(boxes, Qt::LeftButton, {}, box.topLeft() - QPoint(2, 2));
    EXPECT_EQ(boxes->Chosen(), 37);
    const QImage sample = window.Sample()->grab().toImage();
    EXPECT_EQ(sample.pixel(sample.width() / 2, sample.height() / 2), TColorPalette::Program().Entry(37) | 0xFF000000u);
}

TEST(ColorPick, OkAnswersTheChoiceAndCancelNone) {
    WhenModal<TColorPick>([](TColorPick& window) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Colour Selector"));
        QTest::keyClick(window.PaletteBoxes(), Qt::Key_Down);
        window.findChild<QPushButton*>("OKBtn")->click();
    });
    EXPECT_EQ(TColorPick::Pick(nullptr, 100), std::optional<int>(116));
    WhenModal<TColorPick>([](TColorPick& window) {
        QTest::keyClick(window.PaletteBoxes(), Qt::Key_Down);
        window.findChild<QPushButton*>("CancelBtn")->click();
    });
    EXPECT_EQ(TColorPick::Pick(nullptr, 100), std::nullopt);
}

} // namespace
} // namespace qz::gui::test

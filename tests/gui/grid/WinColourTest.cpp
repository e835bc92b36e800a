// Windows colour values into QColor, and the program's palette.

#include "grid/WinColour.h"
#include "grid/ColorPalette.h"
#include "worksheet/GridInfo.h"

#include <QGuiApplication>
#include <QPalette>

#include <gtest/gtest.h>

namespace qz::gui::test {

TEST(WinColour, EveryKindOfColourValueBecomesItsColour) {
    const QPalette palette = QGuiApplication::palette();
    struct Case {
        TColour Value;
        QColor Expected;
    };
    const Case cases[] = {
        {RGBColour(0x12, 0x34, 0x56), QColor(0x12, 0x34, 0x56)},  // red in the low byte
        {PaletteRGB(0xC4, 0xE0, 0xFF), QColor(0xC4, 0xE0, 0xFF)}, // palette-relative
        {PaletteIndex(100), QColor(102, 204, 204)},               // cube colour 100: levels 2, 4, 4
        {PaletteIndex(233), QColor(228, 228, 228)},               // the transfer rows' grey
        {PaletteIndex(236), QColor(132, 62, 2)},
        {PaletteIndex(0), QColor(0, 0, 0)},
        {PaletteIndex(255), QColor(255, 255, 255)},
        {clBtnFace, palette.color(QPalette::Active, QPalette::Button)},
        {clHighlight, palette.color(QPalette::Active, QPalette::Highlight)},
        {clWindowText, palette.color(QPalette::Active, QPalette::Text)},
        {clWindow, palette.color(QPalette::Active, QPalette::Base)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << static_cast<std::uint32_t>(c.Value));
        EXPECT_EQ(ToQColor(c.Value), c.Expected);
        EXPECT_EQ(ResolveColour(c.Value), FromQColor(c.Expected));
    }
}

TEST(ColorPalette, HoldsTheCubeTheGreysAndThePictureColours) {
    const TColorPalette& palette = TColorPalette::Program();
    for (int n = 10; n < 216; ++n) {
        const QRgb rgb = palette.Entry(n);
        EXPECT_EQ(qRed(rgb) * 36 / 51 + qGreen(rgb) * 6 / 51 + qBlue(rgb) / 51, n);
        EXPECT_EQ(qRed(rgb) % 51 + qGreen(rgb) % 51 + qBlue(rgb) % 51, 0);
    }
    const int greys[] = {0, 13, 26, 40, 53, 67, 80, 93, 107, 120, 134, 147, 161, 174, 187, 201, 214, 228, 241, 255};
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(palette.Entry(216 + i), qRgb(greys[i], greys[i], greys[i])) << 216 + i;
    // The entries that repeat a static colour (black, like entry 0).
    EXPECT_EQ(palette.BadEntries(), (std::vector<int>{216, 237, 238, 239}));
    EXPECT_FALSE(palette.IdentityPalette());
}

} // namespace qz::gui::test

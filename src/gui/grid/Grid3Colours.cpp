#include "Grid3Colours.h"

#include "ColorPalette.h"
#include "WinColour.h"

namespace qz::gui {

namespace {

constexpr int TransferPaletteEntry = 233;
constexpr TColour TransferRGB = RGBColour(0xBB, 0xBB, 0xBB);

TColour PaletteEntryColour(int index) {
    const QRgb rgb = TColorPalette::Program().Entry(index);
    return RGBColour(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

} // namespace

TGrid3Colours TGrid3Colours::Make(bool lowColour) {
    TGrid3Colours c;
    const TColour face = ResolveColour(clBtnFace);
    c.BtnShadow = ResolveColour(clBtnShadow);
    c.Highlight = ResolveColour(clHighlight);
    c.HighlightText = ResolveColour(clHighlightText);
    c.BtnHighlight = ResolveColour(clBtnHighlight);
    c.HintButton = DarkenColour(face, 30);
    if (lowColour) {
        c.Background = face;
        c.Button = c.BtnShadow;
        c.HotButton = LightenColour(c.BtnShadow, 30);
        c.Transfer = PaletteEntryColour(TransferPaletteEntry);
        c.StripBackground = face;
        c.StripButton = c.BtnShadow;
    } else {
        c.Background = LightenColour(face, 30);
        c.Button = DarkenColour(face, 30);
        c.HotButton = LightenColour(c.Button, 30);
        c.Transfer = TransferRGB;
        c.StripBackground = LightenColour(face, 30);
        c.StripButton = DarkenColour(face, 30);
    }
    return c;
}

} // namespace qz::gui

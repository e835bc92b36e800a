#pragma once
// The small pictures of the grid's buttons and scroll bars, each in four looks, and the lock
// picture shown over a locked worksheet.

#include <QPixmap>
#include <QRect>

class QPainter;

namespace qz::gui {

enum class TGlyphLook { Disabled, Normal, Hot, Pressed };

enum class TGlyphShape {
    CircularArrow,  // the reset button
    TriangleRight,  // a row button
    BarAndTriangle, // the lock button
    ToStart,        // scroll bar: bar and triangle towards the start
    Back,           // scroll bar: triangle towards the start
    Thumb,          // scroll bar: the thumb's grip
    Forward,        // scroll bar: triangle towards the end
    ToEnd,          // scroll bar: triangle and bar towards the end
};

inline constexpr int GlyphSize = 18;

// Draws the glyph centred in `rect`. Scroll glyphs point up/down, or left/right when horizontal.
void DrawGlyph(QPainter& painter, const QRect& rect, TGlyphShape shape, TGlyphLook look, bool horizontal = false);

QPixmap DefaultLockGlyph();
QPixmap UnlockButtonGlyph();

} // namespace qz::gui

#pragma once
// Windows colour values (red in the low byte; system colours 0x80000000 | index; palette-relative
// 0x02RRGGBB; palette entries 0x010000nn) turned into the colours Qt draws with.

#include "ledger/Colour.h"

#include <QColor>

class QPalette;

namespace qz::gui {

// The system colours the grid draws with, by their Windows indices.
inline constexpr TColour clHighlight = static_cast<TColour>(0x8000000D);
inline constexpr TColour clHighlightText = static_cast<TColour>(0x8000000E);
inline constexpr TColour clBtnFace = static_cast<TColour>(0x8000000F);
inline constexpr TColour clBtnShadow = static_cast<TColour>(0x80000010);
inline constexpr TColour clBtnText = static_cast<TColour>(0x80000012);
inline constexpr TColour clBtnHighlight = static_cast<TColour>(0x80000014);

// A system colour from the application's palette, a palette entry from the program's palette,
// anything else as the red-green-blue value it carries.
QColor ToQColor(TColour colour);
QColor ToQColor(TColour colour, const QPalette& palette);

// The same colour as a plain red-green-blue value, ready for LightenColour and DarkenColour.
TColour ResolveColour(TColour colour);
TColour FromQColor(const QColor& colour);

} // namespace qz::gui

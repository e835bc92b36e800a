#pragma once
// The raised and sunken edges the tool bar, the account bar and the toggle switches draw.

#include <QColor>
#include <QRect>

class QPainter;
class QPalette;

namespace qz::gui {

enum class TBevel { Raised, Sunken };

// A one-pixel 3D edge just inside `rect`: light on the top and left, dark on the bottom and right
// when raised, the other way round when sunken.
void DrawBevel(QPainter& painter, const QRect& rect, TBevel bevel, const QPalette& palette);

// A button face in `face` with a two-pixel edge, as a pushed-in or standing-out key.
void DrawButtonFace(QPainter& painter, const QRect& rect, TBevel bevel, const QColor& face, const QPalette& palette);

} // namespace qz::gui

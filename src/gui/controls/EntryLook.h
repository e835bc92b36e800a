#pragma once
// The fill of an entry box (number, text, percentage and date boxes, lists): the window colour
// while it takes typing, a pale fill while it is disabled, and the owner's colour while the
// owner shows it locked.

#include <QColor>

class QWidget;

namespace qz::gui {

// An invalid `lockedFill` gives the normal look; a valid one fills the box with it, enabled or
// not. Each call replaces the look of the call before.
void SetEntryLook(QWidget* box, const QColor& lockedFill = QColor());

// The pale fill of a disabled box.
QColor DisabledFill();

} // namespace qz::gui

#pragma once
// Where an entry aid (the number pad, the on-screen keyboard) opens beside the box it types into.

class QWidget;

namespace qz::gui {

enum class TPopUpPlace { Above, Below };

// Moves `popup` to the left edge of `target`, above or below it as asked; where the screen has no
// room on that side it opens on the other, and it never hangs off the screen's left or right.
void PlacePopUp(QWidget* popup, const QWidget* target, TPopUpPlace place);

} // namespace qz::gui

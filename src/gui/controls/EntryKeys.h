#pragma once
// An entry aid's pop-up holds the keyboard while it is open; the keys that edit text still belong
// to the box it types into.

class QKeyEvent;
class QLineEdit;

namespace qz::gui {

// Hands a character, Backspace, Delete or a cursor key on to `target`, which takes it as if it
// had been typed there (its validator and maximum length apply). False for any other key.
bool ForwardEntryKey(QLineEdit* target, const QKeyEvent* event);

} // namespace qz::gui

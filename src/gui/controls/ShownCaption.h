#pragma once
// Captions with mnemonic marks, as they appear on screen.

#include <QString>

namespace qz::gui {

// A single '&' only marks the mnemonic and "&&" shows one '&'; a shortcut after a tab is not part
// of the caption.
QString ShownCaption(const QString& caption);

} // namespace qz::gui

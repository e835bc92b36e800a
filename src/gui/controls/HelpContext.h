#pragma once
// Help topics of windows and controls: F1 opens the help on the topic of the control that has the
// focus, or of the nearest window or control around it that has one.

class QWidget;

namespace qz::gui {

void SetHelpContext(QWidget* widget, int topic);
// The topic of `widget` or of the nearest one around it; `fallback` when none has a topic.
int HelpContextOf(const QWidget* widget, int fallback);

} // namespace qz::gui

#pragma once
// Help topics of windows and controls: F1 opens the help on the topic of the control that has the
// focus, or of the nearest window or control around it that has one with a page.

#include <functional>

class QWidget;

namespace qz::gui {

void SetHelpContext(QWidget* widget, int topic);
// The topic of `widget` or of the nearest one around it whose topic `hasPage` (every topic when
// not given); `fallback` when there is none.
int HelpContextOf(const QWidget* widget, int fallback, const std::function<bool(int)>& hasPage = {});

} // namespace qz::gui

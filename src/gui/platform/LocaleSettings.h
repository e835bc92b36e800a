#pragma once
// The regional formats of the user's locale, in the terms the core's money and date texts use.

#include "platform/RegionalSettings.h"

#include <QLocale>

namespace qz::gui {

RegionalSettings RegionalSettingsOf(const QLocale& locale = QLocale());

} // namespace qz::gui

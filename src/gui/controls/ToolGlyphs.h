#pragma once
// The pictures of the tool bar and the date panel buttons, drawn by the program itself.

#include <QPixmap>

namespace qz::gui {

enum class TToolGlyph {
    NewTransaction,
    Categories,
    Groups,
    Tools,
    Reports,
    Print,
    Options,
    Help,
    DayRange,   // "Select a Date Range by day"
    MonthRange, // "Select a Date Range by month"
};

// A square picture `size` pixels wide with a transparent background.
QPixmap ToolGlyph(TToolGlyph which, int size);

} // namespace qz::gui

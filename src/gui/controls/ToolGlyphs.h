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
    NumberPad,  // the button of a number box
    Keyboard,   // the button of a text box
};

// A square picture `size` pixels wide with a transparent background.
QPixmap ToolGlyph(TToolGlyph which, int size);

} // namespace qz::gui

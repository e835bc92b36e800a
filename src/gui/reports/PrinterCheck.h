#pragma once
// Before a report is printed: is there a printer to print on? Without one the user is told so.

#include "platform/Prompts.h"

#include <string>

namespace qz::gui {

struct TDefaultPrinter {
    int Installed = 0; // printers the system knows
    std::string Name;  // the default printer's name; empty for none
    std::string Port;  // where it prints; "PUB:" is no printer
};

// The machine's printers as the print system reports them.
TDefaultPrinter CurrentDefaultPrinter();

// True when a default printer is set; otherwise the error box asks for one and the answer is false.
bool DefaultPrinterCheck(Prompts& ask, const TDefaultPrinter& printer = CurrentDefaultPrinter());

} // namespace qz::gui

#pragma once
// What a run of a printed report is given besides the books: the options the Reports dialog
// offers, and the title block's parts the options store switches on or off.

#include "ledger/DateTime.h"

#include <string>

namespace qz {

struct TReportOptions {
    bool Detailed = false;     // sub categories (cash flow), the transaction tables (tax report)
    bool ShowZero = false;     // "Show Categories that total $0.00"
    bool ShowNumbers = false;  // "Show Category Numbers"
    bool SortByNumber = false; // "Sort by Category Numbers"; only with ShowNumbers
    bool Landscape = false;
    std::string Subtitle;

    // The title block.
    std::string FileName;    // the document's name without folder and extension
    std::string PrintedText; // the date and time after "Printed: "
    bool PrintFilename = true;
    bool PrintDate = true;
    bool PrintBisName = true;
    bool PrintBisNumber = true;
};

// The document's file name as the title block shows it: no folder, nothing from its first "." on.
std::string ReportFileName(const std::string& path);

// "Selected Transactions - " (while a selection is active) + the first day + " Through " + the last.
std::string ReportSubtitle(TDateTime from, TDateTime to, bool selectionActive, const std::string& shortDateFormat);

// The date and time the title block prints after "Printed: ": the short date, then hh:mm:ss.
std::string PrintedDateTimeText(TDateTime now, const std::string& shortDateFormat);

} // namespace qz

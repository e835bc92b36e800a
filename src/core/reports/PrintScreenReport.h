#pragma once
// The print-screen report: the worksheet's current tab printed as the user sees it, the rows in
// their order and filter, the visible columns in their order with each as wide in proportion as
// on the screen, the column totals, and on the Quick Summary tab the GST/VAT table. Laid out as
// printable lines like the other reports; the print path puts them on pages.

#include "ReportLines.h"
#include "worksheet/Worksheet.h"

#include <string>

namespace qz {

enum class TPrintFontSize : std::uint8_t { Small, Normal, Large };

struct TPrintScreenOptions {
    TPrintFontSize FontSize = TPrintFontSize::Normal;
    bool Colour = true;
    bool Gridlines = true;
    std::string MainTitle;   // "Main Title"
    std::string Information; // "Report Information"; line breaks ('\n') start new lines
    std::string FileLine;    // "Filename - ..."; printed while PrintFilename is on
    std::string PrintedText; // the date and time after "Printed: "
    bool PrintFilename = true;
    bool PrintDate = true;
    double PrintableWidthMm = 180; // the page's width less both margins
};

// The point sizes of one "Font Size" setting.
struct TPrintScreenFonts {
    double Titles;      // titles and the printed date
    double Rows;        // rows, the GST table and the page footer
    double Information; // the information text
    double Columns;     // column titles and totals
};
TPrintScreenFonts PrintScreenFonts(TPrintFontSize size);

// "Print Screen - " + "All " / "Selected " (none on the Quick Summary tab) + the tab's caption,
// then the business name and number as the options say.
std::string PrintScreenTitle(const TWorksheet& sheet, const std::string& businessName,
                             const std::string& businessNumber, bool printBisName, bool printBisNumber);

// What the worksheet shows, for "Report Information": its period, its accounts and the
// selections in force, a line each ('\n' between them).
std::string PrintScreenInformation(const TWorksheet& sheet);

// The visible columns the printout shows: the running balance is left out of a Transactions tab
// not sorted by date ascending, since the balances follow date order.
int PrintScreenColumnCount(const TWorksheet& sheet);

// Some columns may not fit: less than 25 mm of paper across per column. The caller shows
// PrintScreenPaperMessage and prints all the same.
bool PrintScreenPaperTooNarrow(double pageWidthMm, int columns);
// In the documents' character set: '\r' breaks lines, '\xBB' is the » sign.
extern const char* const PrintScreenPaperMessage;

TReport PrintScreenReport(const TWorksheet& sheet, const TPrintScreenOptions& options);

} // namespace qz

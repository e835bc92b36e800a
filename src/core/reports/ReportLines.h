#pragma once
// A printed report before it is put on pages: its lines in order, each with the texts exactly as
// printed and how it is drawn. The reports lay themselves out into this; the print path (preview,
// printer, PDF) turns it into pages, and the command-line tool writes it as text or JSON. Nothing
// here knows a device: sizes are points and character widths, table columns millimetres. Texts
// are in the documents' character set (Windows-1252), as the books hold them.

#include <cstdint>
#include <string>
#include <vector>

namespace qz {

enum class TReportLineKind : std::uint8_t {
    Heading, // a section's heading: Label alone
    Line,    // the printed line element: Label from the left, Amount from the right
    Header,  // a table's header row: Cells
    Row,     // a table row: Cells
    Footer,  // a table's footer row: Cells, with rules above and below its last two cells
    Text,    // free text such as the title and subtitle: Label, aligned as Align says
};

enum class TReportAlign : std::uint8_t { Left, Centre, Right };

struct TReportColumn {
    std::string Caption;
    double WidthMm = 0;
    TReportAlign Align = TReportAlign::Left;
    std::uint32_t Colour = 0; // the cells' text colour, 0xRRGGBB
};

struct TReportLine {
    TReportLineKind Kind = TReportLineKind::Line;
    std::string Label;              // Text1 of a line; the whole text of a heading or a text
    std::string Amount;             // Text2 of a line; empty for none
    std::vector<std::string> Cells; // header, row and footer: one text per column of Table
    int Table = -1;                 // index into TReport::Tables for header, row and footer
    int Indent1 = 0;                // the label's left indent, in widths of "X" in the line's font
    int Indent2 = 0;                // the amount's distance from the right edge, in the same unit
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool TotalLine = false;                  // a rule above the amount, as wide as the amount's text
    double PointSize = 10;                   // Arial
    TReportAlign Align = TReportAlign::Left; // of a heading or text
    std::uint32_t Band = 0xFFFFFF;           // the line's background, 0xRRGGBB; white is none
    bool FirstPageOnly = false;              // the title block
    int RuleAbove = 0;                       // a rule across the line's top this many points thick
    bool RuleBelow = false;                  // a thin rule across the line's foot
    bool Boxed = false;                      // a table row whose non-empty cells are framed (totals)
    bool KeepWithNext = false;               // never the last line of a page, as a heading
};

struct TReportTable {
    std::vector<TReportColumn> Columns;
    double RightInsetMm = 0; // the table's right edge lies this far inside the printable width
    bool Gridlines = false;  // a rule between every two columns
};

struct TReport {
    std::string Name;  // "cashflow", "gst", "assets"
    std::string Title; // as printed, e.g. "Cash Flow Statement - Wattle Lane Café"
    std::string Subtitle;
    std::vector<TReportTable> Tables;
    std::vector<TReportLine> Lines;
    // Every page's footer: "Page " and the page number, right-aligned, 8 pt italic; then " of "
    // and the number of pages when FooterShowsPageCount.
    std::string PageFooterPrefix = "Page ";
    bool FooterShowsPageCount = false;
    double FooterPointSize = 8;
};

} // namespace qz

// Printing a report on a printer: the pages the printer asks for, with the copies it cannot make
// itself. Apart from the painting, so that a PDF can be drawn without the printing system.

#include "ReportPainter.h"

#include <QPrinter>

#include <algorithm>

namespace qz::gui {

bool PrintReport(const TReport& report, QPrinter& printer) {
    const TReportPainter pages(report, printer.pageLayout());
    const int count = pages.PageCount();
    int first = 0;
    int last = count - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::clamp(printer.fromPage(), 1, count) - 1;
        last = std::clamp(printer.toPage() > 0 ? printer.toPage() : count, first + 1, count) - 1;
    }
    // A driver that cannot make copies itself gets each copy as pages of its own.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    return PaintPages(pages, printer, first, last, copies);
}

} // namespace qz::gui

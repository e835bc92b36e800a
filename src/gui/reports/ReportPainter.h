#pragma once
// Puts a printed report on pages and paints them. The pages are laid out once, in a fixed unit
// (1/600 inch) that does not depend on the device, so that the preview, the printer and a PDF
// break the pages at the same lines; painting scales that unit to the device's resolution.

#include "reports/ReportLines.h"

#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;
class QPagedPaintDevice;
class QPrinter;

namespace qz::gui {

class TReportPainter {
public:
    static constexpr double UnitsPerInch = 600;

    // Where a line landed: the report's line (an index into its Lines), its page (from 0) and
    // its top and height inside the printable area. A table's header row is placed again at the
    // top of each page its rows continue on.
    struct TPlacedLine {
        std::size_t Line = 0;
        int Page = 0;
        double Top = 0;
        double Height = 0;
    };

    TReportPainter(const TReport& report, const QPageLayout& layout);

    const TReport& Report() const { return Source; }
    const QPageLayout& Layout() const { return Page; }
    int PageCount() const { return Pages; }
    const std::vector<TPlacedLine>& Placed() const { return Lines; }
    // The printable area and the height left for lines above the page footer, in layout units.
    QSizeF PrintableSize() const { return Printable; }
    double BodyHeight() const { return Body; }

    // The footer of page `page` (from 0): "Page 2", or "Page 2 of 3" when the report asks for the count.
    QString FooterText(int page) const;
    // Paints page `page` (from 0) with the painter's origin at the printable area's top left.
    void PaintPage(QPainter& painter, int page) const;
    // The whole sheet of paper, white, at `dotsPerInch`.
    QImage PageImage(int page, double dotsPerInch) const;

private:
    void Paginate();
    // The height of the line at `index` and of the headings and header rows that follow it up
    // to the first other line: what must stand together at the foot of a page.
    double KeptTogetherHeight(std::size_t index) const;
    double LineHeight(const TReportLine& line) const;
    void PaintLine(QPainter& painter, const TReportLine& line, const QRectF& box) const;
    void PaintElement(QPainter& painter, const TReportLine& line, const QRectF& box) const;
    void PaintTableLine(QPainter& painter, const TReportLine& line, const QRectF& box) const;
    void PaintFooter(QPainter& painter, int page) const;
    void PaintRules(QPainter& painter, const TReportLine& line, const QRectF& box) const;
    // The columns' left and right edges of a table in layout units.
    std::vector<std::pair<double, double>> ColumnEdges(const TReportTable& table) const;

    TReport Source;
    QPageLayout Page;
    QSizeF Printable;
    double Body = 0;
    int Pages = 1;
    std::vector<TPlacedLine> Lines;
};

// Writes the report as a PDF through the same painting; false when the file cannot be written.
bool SavePdf(const TReport& report, const QPageLayout& layout, const QString& path);
// Paints pages `first` to `last` (from 0) `copies` times on a device that is already set up.
bool PaintPages(const TReportPainter& pages, QPagedPaintDevice& device, int first, int last, int copies);
// The page a report is laid out on without a page setup: A4, or Letter where the user measures
// in inches, 15 mm margins.
QPageLayout PlainReportLayout(bool landscape);
// Prints on `printer` the pages it asks for (its from and to page, 0 for all) with its layout.
bool PrintReport(const TReport& report, QPrinter& printer);

} // namespace qz::gui

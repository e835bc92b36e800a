#pragma once
// A report of the shapes the print path meets: a title block, headings, lines on bands with
// total rules, and a table with a footer.

#include "reports/ReportLines.h"

#include <string>

namespace qz::gui::test {

inline TReport SampleReport(int lines) {
    TReport report;
    report.Name = "sample";
    report.Title = "Cash Flow Statement - Wattle Lane Caf\xE9";
    TReportLine title;
    title.Kind = TReportLineKind::Text;
    title.Label = report.Title;
    title.Bold = title.Underline = true;
    title.PointSize = 12;
    title.Align = TReportAlign::Centre;
    title.FirstPageOnly = true;
    report.Lines.push_back(title);
    TReportLine heading;
    heading.Kind = TReportLineKind::Heading;
    heading.Label = "CREDITS";
    heading.Bold = true;
    report.Lines.push_back(heading);
    for (int i = 0; i < lines; ++i) {
        TReportLine line;
        line.Label = "Line " + std::to_string(i + 1);
        line.Amount = std::to_string(1000 + i) + ".00";
        line.Indent1 = 7;
        line.Indent2 = 16;
        report.Lines.push_back(line);
    }
    TReportLine total;
    total.Label = "Total Sales";
    total.Amount = "123,456.78";
    total.Indent1 = 7;
    total.Indent2 = 16;
    total.TotalLine = true;
    report.Lines.push_back(total);
    TReportLine band;
    band.Label = "TOTAL CREDITS";
    band.Amount = "123,456.78";
    band.Indent1 = band.Indent2 = 4;
    band.Bold = true;
    band.Band = 0xEFEFEF;
    report.Lines.push_back(band);
    report.Tables.push_back({{{"Date", 25, TReportAlign::Left},
                              {"Details", 0, TReportAlign::Left},
                              {"Amount", 30, TReportAlign::Right},
                              {"GST", 25, TReportAlign::Right}},
                             10});
    TReportLine header;
    header.Kind = TReportLineKind::Header;
    header.Table = 0;
    header.Cells = {"Date", "Details", "Amount", "GST"};
    report.Lines.push_back(header);
    for (int i = 0; i < 5; ++i) {
        TReportLine row;
        row.Kind = TReportLineKind::Row;
        row.Table = 0;
        row.PointSize = 8;
        row.Cells = {"1/07/2001", "Sale " + std::to_string(i), "110.00", "10.00"};
        report.Lines.push_back(row);
    }
    TReportLine footer;
    footer.Kind = TReportLineKind::Footer;
    footer.Table = 0;
    footer.Bold = true;
    footer.Cells = {"", "Total", "550.00", "50.00"};
    report.Lines.push_back(footer);
    return report;
}

// `lines` printed lines, then a heading over a table of `rows` rows with its footer: the shape of
// a detailed report that runs over several pages.
inline TReport SampleTableReport(int lines, int rows) {
    TReport report = SampleReport(lines);
    while (report.Lines.back().Kind != TReportLineKind::Line)
        report.Lines.pop_back();
    TReportLine heading;
    heading.Kind = TReportLineKind::Heading;
    heading.Label = "GST COLLECTED FROM SALES";
    heading.Bold = true;
    report.Lines.push_back(heading);
    TReportLine header;
    header.Kind = TReportLineKind::Header;
    header.Table = 0;
    header.PointSize = 8;
    header.Cells = {"Date", "Details", "Amount", "GST"};
    report.Lines.push_back(header);
    for (int i = 0; i < rows; ++i) {
        TReportLine row;
        row.Kind = TReportLineKind::Row;
        row.Table = 0;
        row.PointSize = 8;
        row.Cells = {"1/07/2001", "Sale " + std::to_string(i + 1), "110.00", "10.00"};
        report.Lines.push_back(row);
    }
    TReportLine footer;
    footer.Kind = TReportLineKind::Footer;
    footer.Table = 0;
    footer.PointSize = 8;
    footer.Bold = true;
    footer.Cells = {"", "Total", std::to_string(110 * rows) + ".00", std::to_string(10 * rows) + ".00"};
    report.Lines.push_back(footer);
    return report;
}

} // namespace qz::gui::test

// report_shots FOLDER: saves pictures of the print path into FOLDER: the print preview window on
// the first page of a sample statement (preview.png) and zoomed to its real size on a later page
// (preview-page2.png), the page setup dialog without a printer (page-setup.png) and the month
// selector with a period chosen (month-selector.png). The statement is a fixed sample of the
// printed lines' shapes, not figures of a document. Run it under xvfb-run.

#include "platform/ScriptedPrompts.h"
#include "reports/MonthSelector.h"
#include "reports/PageSetup.h"
#include "reports/PrintPreview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPageSize>

#include <cstdio>
#include <string>

using namespace qz;
using namespace qz::gui;

namespace {

void Settle(int milliseconds = 100) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

bool Save(QWidget& window, const QString& folder, const char* name) {
    Settle();
    const QString path = folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
        return false;
    }
    std::printf("%s\n", path.toLocal8Bit().constData());
    return true;
}

TReportLine Text(const std::string& label, TReportAlign align, double points, bool bold, bool underline) {
    TReportLine line;
    line.Kind = TReportLineKind::Text;
    line.Label = label;
    line.Align = align;
    line.PointSize = points;
    line.Bold = bold;
    line.Underline = underline;
    line.FirstPageOnly = true;
    return line;
}

TReportLine Line(const std::string& label, const std::string& amount, int indent1, int indent2, bool bold = false,
                 std::uint32_t band = 0xFFFFFF) {
    TReportLine line;
    line.Label = label;
    line.Amount = amount;
    line.Indent1 = indent1;
    line.Indent2 = indent2;
    line.Bold = bold;
    line.Band = band;
    line.TotalLine = label.rfind("Total", 0) == 0 && indent2 == 16;
    return line;
}

// A detailed statement's shapes: the title block, a credit and a debit section with sub
// categories and total rules, banded totals, then a table running onto the following pages.
TReport SampleStatement() {
    TReport report;
    report.Name = "sample";
    report.Title = "Cash Flow Statement - Wattle Lane Caf\xE9";
    TReportLine printed = Line("Filename - Wattle Lane", "Printed: 11/12/2026 9:30 AM", 0, 0);
    printed.PointSize = 8;
    printed.FirstPageOnly = true;
    report.Lines.push_back(printed);
    report.Lines.push_back(Text(report.Title, TReportAlign::Centre, 12, true, true));
    report.Lines.push_back(Text("1 July 2025 to 30 June 2026", TReportAlign::Centre, 10, false, false));
    report.Lines.push_back(Text("", TReportAlign::Left, 10, false, false));
    TReportLine credits;
    credits.Kind = TReportLineKind::Heading;
    credits.Label = "CREDITS";
    credits.Bold = true;
    credits.Band = 0xDFDFDF;
    report.Lines.push_back(credits);
    report.Lines.push_back(Line("SALES", "", 4, 4, true));
    report.Lines.push_back(Line("Cafe takings", "", 7, 16));
    report.Lines.push_back(Line("Coffee", "48,210.50", 10, 16));
    report.Lines.push_back(Line("Food", "36,904.10", 10, 16));
    report.Lines.push_back(Line("Total Cafe takings", "85,114.60", 7, 16));
    report.Lines.push_back(Line("Catering", "12,480.00", 7, 16));
    report.Lines.push_back(Line("TOTAL SALES", "97,594.60", 4, 4, true));
    report.Lines.push_back(Line("", "", 4, 4));
    report.Lines.push_back(Line("OTHER INCOME", "", 4, 4, true));
    report.Lines.push_back(Line("Interest", "212.37", 7, 16));
    report.Lines.push_back(Line("TOTAL OTHER INCOME", "212.37", 4, 4, true));
    report.Lines.push_back(Line("TOTAL CREDITS", "97,806.97", 4, 4, true, 0xEFEFEF));
    report.Lines.push_back(Line("", "", 4, 4));
    TReportLine debits = credits;
    debits.Label = "DEBITS";
    report.Lines.push_back(debits);
    report.Lines.push_back(Line("COST OF SALES", "", 4, 4, true));
    report.Lines.push_back(Line("Coffee beans", "9,870.00", 7, 16));
    report.Lines.push_back(Line("Produce", "14,326.45", 7, 16));
    report.Lines.push_back(Line("TOTAL COST OF SALES", "24,196.45", 4, 4, true));
    report.Lines.push_back(Line("", "", 4, 4));
    report.Lines.push_back(Line("OVERHEADS", "", 4, 4, true));
    report.Lines.push_back(Line("Rent", "31,200.00", 7, 16));
    report.Lines.push_back(Line("Wages", "", 7, 16));
    report.Lines.push_back(Line("Casual staff", "18,450.00", 10, 16));
    report.Lines.push_back(Line("Superannuation", "2,029.50", 10, 16));
    report.Lines.push_back(Line("Total Wages", "20,479.50", 7, 16));
    report.Lines.push_back(Line("Power", "3,912.80", 7, 16));
    report.Lines.push_back(Line("TOTAL OVERHEADS", "55,592.30", 4, 4, true));
    report.Lines.push_back(Line("TOTAL DEBITS", "79,788.75", 4, 4, true, 0xEFEFEF));
    report.Lines.push_back(Line("", "", 4, 4));
    report.Lines.push_back(Line("CASH SURPLUS/DEFICIT (CREDITS - DEBITS)", "18,018.22", 4, 4, true, 0xDFDFDF));
    report.Lines.push_back(Line("+ OPENING BALANCE", "5,000.00", 4, 4, true, 0xDFDFDF));
    report.Lines.push_back(Line("+ NETT GST", "1,620.40", 4, 4, true, 0xDFDFDF));
    report.Lines.push_back(Line("- GST PAYMENTS/REFUNDS BALANCE", "1,410.00", 4, 4, true, 0xDFDFDF));
    report.Lines.push_back(Line("= CLOSING BALANCE", "23,228.62", 4, 4, true, 0xDFDFDF));
    report.Lines.push_back(Line("", "", 4, 4));
    report.Tables.push_back({{{"Date", 22, TReportAlign::Left},
                              {"Ref", 16, TReportAlign::Left},
                              {"Details", 0, TReportAlign::Left},
                              {"Amount", 26, TReportAlign::Right},
                              {"GST $", 22, TReportAlign::Right}},
                             10});
    TReportLine heading;
    heading.Kind = TReportLineKind::Heading;
    heading.Label = "GST COLLECTED FROM SALES";
    heading.Bold = true;
    report.Lines.push_back(heading);
    TReportLine header;
    header.Kind = TReportLineKind::Header;
    header.Table = 0;
    header.PointSize = 8;
    header.Cells = {"Date", "Ref", "Details", "Amount", "GST $"};
    report.Lines.push_back(header);
    for (int i = 0; i < 120; ++i) {
        TReportLine row;
        row.Kind = TReportLineKind::Row;
        row.Table = 0;
        row.PointSize = 8;
        const int day = 1 + i % 28;
        const int month = 7 + (i / 28) % 6;
        row.Cells = {std::to_string(day) + "/" + std::to_string(month) + "/2025", std::to_string(1040 + i),
                     i % 3 == 0 ? "Catering - office lunch" : "Cafe takings", std::to_string(110 + i * 7) + ".00",
                     std::to_string(10 + (i * 7) / 11) + ".00"};
        report.Lines.push_back(row);
    }
    TReportLine footer;
    footer.Kind = TReportLineKind::Footer;
    footer.Table = 0;
    footer.PointSize = 8;
    footer.Bold = true;
    footer.Cells = {"", "", "Total", "63,180.00", "5,743.64"};
    report.Lines.push_back(footer);
    return report;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: report_shots FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    bool saved = true;

    ScriptedPrompts ask;
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                         QPageLayout::Millimeter);
    TPreviewServices services;
    services.Ask = &ask;
    auto* preview = new TQRSpecPreview(SampleStatement(), a4, services);
    preview->resize(820, 900);
    preview->show();
    Settle(300);
    saved = Save(*preview, folder, "preview") && saved;
    preview->GoToPage(2);
    preview->ZoomTo(TQRSpecPreview::TZoom::Width);
    saved = Save(*preview, folder, "preview-page2") && saved;
    preview->close();

    TSpecPageSetup setup;
    setup.InchMode = false;
    setup.Margins = {20, 15, 25, 15};
    TPageSetup pageSetup(setup, {});
    pageSetup.show();
    saved = Save(pageSetup, folder, "page-setup") && saved;

    // A ledger from September 2024 to May 2026; October 2025 to February 2026 chosen.
    TMonthSelector selector({2024, 8}, {2026, 4});
    selector.show();
    const auto click = [&selector](int row, int column) {
        QMouseEvent press(QEvent::MouseButtonPress, selector.ButtonRect(row, column).center(),
                          selector.mapToGlobal(selector.ButtonRect(row, column).center()), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&selector, &press);
    };
    click(0, 3);
    click(1, 1);
    saved = Save(selector, folder, "month-selector") && saved;
    return saved ? 0 : 1;
}

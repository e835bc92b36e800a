// The main window and the Reports dialog: "Cash Flow, GST && Asset Reports" opens it after the
// Worksheet password; the page setup is kept between uses; afterwards the worksheet shows its
// own period's figures again.

#include "MainForm.h"

#include "reports/PrinterCheck.h"
#include "reports/QRSpecPreview.h"
#include "reports/Reports.h"

#include <QAction>
#include <QEventLoop>
#include <QPointer>

namespace qz::gui {

void TMain::ConnectReports() {
    connect(ReportsItem, &QAction::triggered, this, [this] { ReportsCommand(); });
}

TReportsContext TMain::ReportsContext() {
    if (!ReportPage)
        ReportPage = std::make_unique<TReportPage>(DefaultReportPage());
    TReportsContext context;
    context.Ledger = &Books;
    context.Settings = &Files.Settings;
    context.Formats = &Formats;
    context.Ask = Services.Ask;
    context.Time = Services.Time;
    context.DocumentPath = Files.Path;
    context.Page = ReportPage.get();
    context.ReadOption = [this](int option) { return OptionsStore->ReadOption(option); };
    context.ClearSelections = [this] { Filters.ResetSelections(true); };
    context.ShowHelp = [this](int topic) { ShowHelp(topic); };
    context.Preview = [this](QWidget* parent, const TReport& report, const TReportPage& page) {
        TPreviewServices services;
        services.Ask = Services.Ask;
        services.SaveDialog = Services.SaveDialog;
        QPointer<TQRSpecPreview> preview = new TQRSpecPreview(report, page.Layout, services, parent);
        preview->setWindowModality(Qt::ApplicationModal);
        preview->show();
        // The run that opened the preview ends when the preview closes.
        QEventLoop wait;
        connect(preview, &QObject::destroyed, &wait, &QEventLoop::quit);
        wait.exec();
    };
    context.Print = [this](QWidget*, const TReport& report, const TReportPage& page, int copies) {
        if (!DefaultPrinterCheck(*Services.Ask))
            return false;
        TPrintRange range;
        range.FirstPage = 0;
        range.LastPage = 0;
        range.Copies = copies;
        return PrintOnDefaultPrinter(report, page.Layout, range);
    };
    return context;
}

bool TMain::ReportsCommand() {
    if (!Files.IsOpen || !CheckAccess(TAccessArea::Worksheet))
        return false;
    const bool changed = TReports::OpenReports(this, ReportsContext());
    if (changed) {
        Sheet.ResetViewPositions(false);
        Sheet.Refresh();
    }
    return true;
}

} // namespace qz::gui

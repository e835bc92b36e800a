// The main window and the printed reports: "Cash Flow, GST && Asset Reports" opens the Reports
// dialog after the Worksheet password, "&Print" the Print Screen dialog after the Printing
// password; the page setup is kept between uses; afterwards the worksheet shows its own figures.

#include "MainForm.h"

#include "controls/KQButton2.h"
#include "reports/MonthSelector.h"
#include "reports/PageSetup.h"
#include "reports/PrintPreview.h"
#include "reports/PrintScreenDialog.h"
#include "reports/ReportOptions.h"
#include "reports/Reports.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QPushButton>

namespace qz::gui {

void TMain::ConnectReports() {
    connect(ReportsItem, &QAction::triggered, this, [this] { ReportsCommand(); });
    connect(PrintBtn, &QPushButton::clicked, this, [this] { PrintCommand(); });
}

TReportsContext TMain::ReportsContext() {
    if (!ReportPage) {
        ReportPage = std::make_unique<TSpecPageSetup>();
        ReportPage->Paper = DefaultPrinterPaper();
    }
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
    context.PickMonths = [this](QPoint at, TDateTime& from, TDateTime& to) {
        const TMonthPeriod period =
            TMonthSelector::SelectMonths(at, Books.TransList, QApplication::activeModalWidget());
        if (!period.Ok)
            return false;
        from = EncodeDate(period.Start.year(), period.Start.month(), period.Start.day());
        to = EncodeDate(period.End.year(), period.End.month(), period.End.day());
        return true;
    };
    context.Preview = [this](QWidget* parent, const TReport& report, const QPageLayout& page) {
        // The preview belongs to the dialog, the only window that takes input while it is open;
        // the run that opened it ends when it closes.
        QPointer<TQRSpecPreview> preview =
            OpenPreview(report, page, *Services.Ask, parent, [this](int topic) { ShowHelp(topic); });
        QEventLoop wait;
        connect(preview, &QObject::destroyed, &wait, &QEventLoop::quit);
        if (preview)
            wait.exec();
    };
    context.Print = [this](QWidget*, const TReport& report, const QPageLayout& page, int copies) {
        return PrintDirect(report, page, copies, *Services.Ask);
    };
    return context;
}

bool TMain::PrintCommand() {
    if (!Files.IsOpen || !CheckAccess(TAccessArea::Printing))
        return false;
    const TReportsContext reports = ReportsContext();
    TPrintScreenContext context;
    context.Sheet = &Sheet;
    context.Ask = Services.Ask;
    context.BusinessName = Files.Settings.BusinessName;
    context.BusinessNumber = Files.Settings.BusinessNumber;
    context.DocumentPath = Files.Path;
    context.PrintedText = PrintedDateTimeText(Services.Time ? Services.Time->Now() : 0, Formats.ShortDateFormat);
    context.ReadOption = reports.ReadOption;
    context.ShowHelp = reports.ShowHelp;
    context.Preview = reports.Preview;
    context.Print = reports.Print;
    TPrintScreenDialog dialog(context, this);
    dialog.exec();
    return true;
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

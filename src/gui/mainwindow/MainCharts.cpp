// The main window and the charts: "&Cash Flow Chart" opens the cash flow chart window while the
// worksheet shows a transaction, the totals items open the category window or the
// accounts-and-groups window; a chart window's "&Jump To..." opens the chart chosen in it, and so
// on until one closes; when a chart window changed the accounts, the account bar and the
// worksheet follow.

#include "MainForm.h"

#include "charts/CashFlowChart.h"
#include "charts/TotalsCharts.h"
#include "reports/CashFlowSeries.h"
#include "reports/ReportOptions.h"
#include "reports/Reports.h"
#include "storage/OptionsFileOLE.h"

#include <QAction>

namespace qz::gui {

void TMain::ConnectCharts() {
    connect(CashFlowChartItem, &QAction::triggered, this, [this] { ChartCommand(CashFlowChartCode); });
    const std::pair<const char*, int> totals[] = {{"CategoryChartItem", CategoryChartCode},
                                                  {"AccountChartItem", AccountChartCode},
                                                  {"GroupChartItem", GroupChartCode},
                                                  {"SummaryChartItem", SummaryChartCode}};
    for (const auto& [item, code] : totals) {
        const int chart = code;
        connect(Action(QString::fromLatin1(item)), &QAction::triggered, this, [this, chart] { ChartCommand(chart); });
    }
}

int TMain::ChartCommand(int code) {
    if (!Files.IsOpen)
        return ChartClosed;
    bool accountsChanged = false;
    while (code != ChartClosed) {
        if (code == CashFlowChartCode && !CashFlowChartCanOpen(Books)) {
            Services.Ask->MessageBox(NothingToChartMessage, MsgKind::Information, MsgButtons::Ok);
            code = ChartClosed;
            break;
        }
        const TReportsContext reports = ReportsContext();
        TChartContext context;
        context.Ledger = &Books;
        context.Settings = &Files.Settings;
        context.Formats = &Formats;
        context.Ask = Services.Ask;
        const double now = Services.Time ? Services.Time->Now() : 0;
        context.Today = static_cast<TDateTime>(static_cast<std::int64_t>(now));
        context.StoredGstInTotals = reports.ReadOption(OptGSTinTotals);
        context.Page = reports.Page;
        context.DocumentPath = Files.Path;
        context.PrintedText = PrintedDateTimeText(now, Formats.ShortDateFormat);
        context.PrintFilename = reports.ReadOption(OptPrintFilename);
        context.PrintDate = reports.ReadOption(OptPrintDate);
        context.ShowHelp = reports.ShowHelp;
        context.SaveDialog = Services.SaveDialog;
        bool changed = false;
        switch (code) {
        case CashFlowChartCode:
            code = TCashFlowChart::Execute(context, this, changed);
            break;
        case CategoryChartCode:
        case SummaryChartCode:
            code = TCatChart::Execute(
                context, code == CategoryChartCode ? TCatChartMode::Categories : TCatChartMode::QuickSummary, this,
                changed);
            break;
        case AccountChartCode:
        case GroupChartCode:
            code = TGrpChart::Execute(
                context, code == AccountChartCode ? TGrpChartMode::Accounts : TGrpChartMode::Groups, this, changed);
            break;
        default:
            // A code no window answers ends the run.
            code = ChartClosed;
            break;
        }
        accountsChanged = accountsChanged || changed;
    }
    if (accountsChanged) {
        // The chart chose the accounts: the worksheet shows the same ones.
        std::vector<bool> pressed;
        for (const TBookRec* book : Books.BookList.KeyList)
            pressed.push_back(book->Selected != 0);
        Filters.AccountBarClick(pressed);
        AccountBarChanged();
    }
    return code;
}

} // namespace qz::gui

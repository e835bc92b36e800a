// zudeduze-chart-render chart KIND FILE [the options of "zudeduze-cli chart"] --format png|pdf -o OUT
// zudeduze-chart-render report KIND FILE [the options of "zudeduze-cli report"] --format pdf -o OUT
//
// Draws what zudeduze-cli asks for with Qt's drawing, without a screen (the command line tool
// itself does without Qt and runs this program beside it). A chart: the chart window opens on
// the worksheet the filters make, takes the options as its own buttons would, and prints its
// page: a PDF of every page (A4 landscape) or a PNG of the first. A report: its printed pages
// as a PDF, drawn by the Reports window's own page drawing.

#include "ChartRequest.h"
#include "CliPrompts.h"
#include "Commands.h"
#include "ReportCommand.h"

#include "charts/CashFlowChart.h"
#include "charts/TotalsCharts.h"
#include "platform/Clock.h"
#include "platform/SystemRegional.h"
#include "reports/CashFlowSeries.h"
#include "reports/ReportOptions.h"
#include "reports/ReportPainter.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QRadioButton>

#include <exception>
#include <iostream>
#include <memory>
#include <new>

using namespace qz;
using namespace qz::cli;
using namespace qz::gui;

namespace {

constexpr int PngDotsPerInch = 150;

QPageLayout ChartPageLayout() {
    return {QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter};
}

// The chart window for the choice, its buttons set as the options ask.
std::unique_ptr<TPrintableChart> OpenChart(const ChartChoice& choice, const TChartContext& context, bool net,
                                           std::string& error) {
    const auto taxButtons = [net](QRadioButton* excluding, QRadioButton* including) {
        (net ? excluding : including)->setChecked(true);
    };
    switch (choice.Kind) {
    case TChartChoice::CashFlow: {
        auto window = std::make_unique<TCashFlowChart>(context);
        window->RangeBox->setCurrentIndex(static_cast<int>(choice.Range));
        taxButtons(window->ExcludingBtn, window->IncludingBtn);
        return window;
    }
    case TChartChoice::Categories:
    case TChartChoice::QuickSummary: {
        const TCatChartMode mode =
            choice.Kind == TChartChoice::QuickSummary ? TCatChartMode::QuickSummary : TCatChartMode::Categories;
        const TMainActRec* subsOf = nullptr;
        if (!ChartSubCategoriesOf(*context.Ledger, choice, subsOf, error))
            return nullptr;
        auto window = std::make_unique<TCatChart>(context, mode, true);
        taxButtons(window->ExcludingBtn, window->IncludingBtn);
        const std::uint8_t side = subsOf ? subsOf->Side : choice.Side.value_or(window->Side());
        if (!window->ShowSide(side, subsOf)) {
            error = "category " + std::to_string(subsOf->Number) + " has no sub categories to chart";
            return nullptr;
        }
        return window;
    }
    case TChartChoice::Accounts:
    case TChartChoice::Groups: {
        auto window = std::make_unique<TGrpChart>(
            context, choice.Kind == TChartChoice::Accounts ? TGrpChartMode::Accounts : TGrpChartMode::Groups);
        taxButtons(window->ExcludingBtn, window->IncludingBtn);
        return window;
    }
    }
    return nullptr;
}

bool WritePng(TPrintableChart& chart, const QString& path, const TChartPageTexts& texts) {
    const QPageLayout layout = ChartPageLayout();
    QImage page(layout.fullRectPixels(PngDotsPerInch).size(), QImage::Format_RGB32);
    page.fill(Qt::white);
    const int dotsPerMetre = static_cast<int>(PngDotsPerInch / 0.0254);
    page.setDotsPerMeterX(dotsPerMetre);
    page.setDotsPerMeterY(dotsPerMetre);
    const QRect printable = layout.paintRectPixels(PngDotsPerInch);
    const QRectF area(0, 0, printable.width(), printable.height());
    int pages = 1;
    {
        QPainter painter(&page);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(printable.topLeft());
        pages = chart.PageCount(painter, area);
        chart.PaintChartPage(painter, area, texts, 0);
    }
    if (pages > 1)
        std::cerr << "zudeduze-chart-render: the chart's legend goes on over " << pages - 1
                  << " more page(s), which --format pdf prints\n";
    return page.save(path, "PNG");
}

// Without a screen; Qt's notes about the session are not the user's business.
void QuietWithoutScreen() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << "zudeduze-chart-render: " << text.toStdString() << '\n';
    });
}

int RunReportPdf(int argc, char** argv) {
    Arguments args;
    std::string error;
    if (!ParseArguments(ReportOptions(), 2, 2, argc, argv, 2, args, error))
        return Fail("report: " + error);
    if (!ReportAsksForPdf(args))
        return Fail("this program draws PDF reports; zudeduze-cli writes the text and JSON");
    QuietWithoutScreen();
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    const QApplication application(qtArgc, qtArgv);
    return RunReportCommand(args, [](const TReport& report, bool landscape, const std::string& output) {
        if (!SavePdf(report, PlainReportLayout(landscape), QString::fromStdString(output)))
            return Fail(output + ": cannot be written");
        return 0;
    });
}

int RunChartPicture(int argc, char** argv) {
    Arguments args;
    std::string error;
    if (!ParseArguments(ChartOptions(), 2, 2, argc, argv, 2, args, error))
        return Fail("chart: " + error);
    ChartChoice choice;
    TWorksheetRequest request;
    if (!ReadChartChoice(args, choice, error) || !ReadWorksheetRequest(args, request, error))
        return Fail(error);
    if (choice.Format == TChartFormat::Json)
        return Fail("this program draws PNG and PDF charts; zudeduze-cli writes the JSON");
    const std::string& path = args.Positional[1];
    const std::string output = args.Value("output");
    if (!OutputSpares(output, path, error))
        return Fail(error);

    QuietWithoutScreen();
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication application(qtArgc, qtArgv);

    TDocumentReader reader;
    if (!OpenForReading(path, args, reader, error))
        return Fail(error);
    const TFileSettings& settings = reader.Settings();
    const TDisplayFormats formats(choice.Regional == 0 ? SystemRegionalSettings() : RegionalSettings::Fixed());
    CliPrompts prompts;
    std::string refusal;
    bool written = false;
    const bool ok = WithWorksheet(
        reader, request, formats,
        [&](TWorksheet& sheet) {
            TLedger& ledger = sheet.Ledger;
            WarnSetAside(path, reader, ledger.DamagedTrans);
            if (!CashFlowChartCanOpen(ledger)) {
                refusal = NothingToChartMessage;
                return;
            }
            const double now = SystemClock().Now();
            TChartContext context;
            context.Ledger = &ledger;
            context.Settings = &settings;
            context.Formats = &formats;
            context.Ask = &prompts;
            context.Today = static_cast<TDateTime>(static_cast<std::int64_t>(now));
            context.StoredGstInTotals = ledger.Switches.GstInTotals;
            context.DocumentPath = AbsolutePath(path);
            context.PrintedText = PrintedDateTimeText(static_cast<TDateTime>(now), formats.ShortDateFormat);
            std::unique_ptr<TPrintableChart> chart = OpenChart(choice, context, request.Net, refusal);
            if (!chart)
                return;
            // The window lays its chart out at the size it opens with, as on the screen.
            QWidget* window = chart->ChartWindow();
            window->resize(1100, 760);
            window->show();
            QApplication::processEvents();
            const TChartPageTexts texts = chart->DefaultPageTexts();
            const QString target = QString::fromStdString(output);
            written = choice.Format == TChartFormat::Pdf ? SaveChartPdf(*chart, target, texts, ChartPageLayout())
                                                         : WritePng(*chart, target, texts);
            window->hide();
        },
        error);
    if (!ok)
        return Fail(path + ": " + error);
    if (!refusal.empty())
        return Fail(path + ": " + refusal);
    if (!written)
        return Fail(output + ": cannot be written");
    return 0;
}

int Run(int argc, char** argv) {
    const std::string command = argc < 2 ? std::string() : argv[1];
    if (command == "chart")
        return RunChartPicture(argc, argv);
    if (command == "report")
        return RunReportPdf(argc, argv);
    return Fail("usage: zudeduze-chart-render chart|report KIND FILE [options] --format png|pdf -o FILE (run by "
                "\"zudeduze-cli chart\" and \"zudeduze-cli report\")");
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        return Fail("out of memory");
    } catch (const std::exception& e) {
        return Fail(std::string("internal error: ") + e.what());
    }
}

// report: the cash flow statement, the GST/VAT report or the assets report of a period, laid
// out as printed, as text, JSON or the PDF of the printed pages. The filters are the worksheet
// command's; the books are prepared for the run as the Reports window prepares them, so every
// amount is without its tax.

#include "ReportCommand.h"

#include "ChartRequest.h"
#include "Commands.h"

#include "platform/Clock.h"
#include "platform/SystemRegional.h"
#include "reports/AssetsReport.h"
#include "reports/CashFlowReport.h"
#include "reports/GstReport.h"
#include "reports/PrintScreenReport.h"
#include "reports/ReportOutput.h"
#include "reports/ReportRun.h"

#include <iostream>

namespace qz::cli {

namespace {

// In the order the command line names them; a worksheet is the print-screen report of a tab.
enum class TReportChoice : std::size_t { CashFlow, Gst, Assets, Worksheet };

struct ReportChoice {
    TReportChoice Kind = TReportChoice::CashFlow;
    std::size_t Format = 0; // text, json, pdf
    std::size_t Regional = 1;
};

// The report's options from the command line; the title block's date and time from the clock.
TReportOptions ReadReportOptions(const Arguments& args, const std::string& path, const TDisplayFormats& formats) {
    TReportOptions options;
    options.Detailed = args.Has("detailed");
    options.ShowZero = args.Has("zero-rows");
    options.ShowNumbers = args.Has("numbers") || args.Has("sort-by-number");
    options.SortByNumber = args.Has("sort-by-number");
    options.Landscape = args.Has("landscape");
    options.FileName = DocumentText(ReportFileName(path));
    options.PrintedText = PrintedDateTimeText(SystemClock().Now(), formats.ShortDateFormat);
    return options;
}

bool ReadChoice(const Arguments& args, ReportChoice& choice, std::string& error) {
    std::size_t kind = 0;
    if (!ParseChoice("report", args.Positional[0], {"cashflow", "gst", "assets", "worksheet"}, kind, error))
        return false;
    choice.Kind = static_cast<TReportChoice>(kind);
    return (!args.Has("format") ||
            ParseChoice("format", args.Value("format"), {"text", "json", "pdf"}, choice.Format, error)) &&
           (!args.Has("regional") ||
            ParseChoice("regional", args.Value("regional"), {"system", "fixed"}, choice.Regional, error));
}

TReport LayOut(TReportChoice kind, const TLedger& ledger, const TFileSettings& settings, const TReportOptions& options,
               const TDisplayFormats& formats) {
    switch (kind) {
    case TReportChoice::Gst:
        return GstReport(ledger, settings, options, formats);
    case TReportChoice::Assets:
        return AssetsReport(ledger, settings, options, formats);
    case TReportChoice::CashFlow:
    case TReportChoice::Worksheet: // laid out from the worksheet instead
        break;
    }
    return CashFlowReport(ledger, settings, options, formats);
}

void Write(const TReport& report, const ReportChoice& choice, bool landscape) {
    if (choice.Format == 0)
        WriteReportText(report, landscape ? 110 : 80, std::cout);
    else
        WriteReportJson(report, std::cout);
}

// The print-screen report as the window's dialog starts: its titles, colours and gridlines, on
// the plain page of the PDF (A4 across 180 mm, 267 mm in landscape).
TPrintScreenOptions PrintScreenOptions(const TWorksheet& sheet, const TFileSettings& settings,
                                       const TReportOptions& report, const Arguments& args) {
    TPrintScreenOptions options;
    options.MainTitle = PrintScreenTitle(sheet, settings.BusinessName, settings.BusinessNumber, true, true);
    options.Information = args.Has("subtitle") ? DocumentText(args.Value("subtitle")) : std::string();
    options.FileLine = "Filename - " + report.FileName;
    options.PrintedText = report.PrintedText;
    options.PrintableWidthMm = report.Landscape ? 267 : 180;
    return options;
}

} // namespace

const std::vector<OptionSpec>& ReportOptions() {
    static const std::vector<OptionSpec> options = FilterOptionsAnd({{"detailed", false},
                                                                     {"zero-rows", false},
                                                                     {"numbers", false},
                                                                     {"sort-by-number", false},
                                                                     {"landscape", false},
                                                                     {"subtitle", true},
                                                                     {"tab", true},
                                                                     {"format", true},
                                                                     {"output", true},
                                                                     {"regional", true},
                                                                     {"password", true}});
    return options;
}

bool ReportAsksForPdf(const Arguments& args) {
    return args.Has("format") && args.Value("format") == "pdf";
}

int RunReportCommand(const Arguments& args, const ReportPdfWriter& writePdf) {
    std::string error;
    ReportChoice choice;
    if (!ReadChoice(args, choice, error))
        return Fail(error);
    const bool pdf = choice.Format == 2;
    if (args.Has("output") && !pdf)
        return Fail("-o is for --format pdf");
    if (pdf && !args.Has("output"))
        return Fail("-o FILE is missing: the PDF is written to a file");
    // The zero option is the report's own; the worksheet's rows stay as the window shows them.
    // The worksheet's printout shows the rows the tab shows, zero rows too when asked.
    Arguments filterArgs = args;
    if (choice.Kind != TReportChoice::Worksheet)
        filterArgs.Values.erase("zero-rows");
    if (args.Has("tab") && choice.Kind != TReportChoice::Worksheet)
        return Fail("--tab is for the worksheet report");
    TWorksheetRequest request;
    if (!ReadWorksheetRequest(filterArgs, request, error))
        return Fail(error);

    const std::string& path = args.Positional[1];
    TDocumentReader reader;
    if (!OpenForReading(path, args, reader, error))
        return Fail(error);
    if (pdf && !OutputSpares(args.Value("output"), path, error))
        return Fail(error);
    const TFileSettings& settings = reader.Settings();
    if (choice.Kind == TReportChoice::Gst && !settings.TaxOn)
        return Fail(path + ": the document does not keep account of GST or VAT");
    const TDisplayFormats formats(choice.Regional == 0 ? SystemRegionalSettings() : RegionalSettings::Fixed());
    TReportOptions options = ReadReportOptions(args, path, formats);
    TReport report;
    const bool ok = WithWorksheet(
        reader, request, formats,
        [&](TWorksheet& sheet) {
            TLedger& ledger = sheet.Ledger;
            if (choice.Kind == TReportChoice::Worksheet) {
                report = PrintScreenReport(sheet, PrintScreenOptions(sheet, settings, options, args));
                WarnSetAside(path, reader, ledger.DamagedTrans);
                return;
            }
            // The Reports window's period starts as the worksheet's own.
            const TReportRun run(ledger, ledger.TransList.DateFrom, ledger.TransList.DateTo,
                                 sheet.Options().GSTinTotals);
            options.Subtitle = args.Has("subtitle")
                                   ? DocumentText(args.Value("subtitle"))
                                   : ReportSubtitle(ledger.TransList.DateFrom, ledger.TransList.DateTo,
                                                    ledger.Switches.RowSelectionActive(), formats.ShortDateFormat);
            report = LayOut(choice.Kind, ledger, settings, options, formats);
            WarnSetAside(path, reader, ledger.DamagedTrans);
        },
        error);
    if (!ok)
        return Fail(path + ": " + error);
    if (pdf)
        return writePdf ? writePdf(report, options.Landscape, args.Value("output"))
                        : Fail(std::string("PDF reports are drawn by ") + RendererName);
    Write(report, choice, options.Landscape);
    std::cout.flush();
    return std::cout ? 0 : Fail("the standard output cannot be written");
}

} // namespace qz::cli

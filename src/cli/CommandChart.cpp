// chart: the figures of the cash flow chart, the category and quick summary totals charts and
// the account and group totals charts, for the worksheet's filters, written as JSON; or the
// chart window's picture as PNG or PDF, drawn by the renderer beside this program.

#include "ChartRequest.h"
#include "Commands.h"
#include "RunRenderer.h"

#include "platform/Clock.h"
#include "platform/SystemRegional.h"
#include "reports/ChartJson.h"

#include <iostream>

namespace qz::cli {

namespace {

// The category or quick summary chart: the side asked for, or the one the window opens on;
// with a category, its sub categories (the category's own side).
bool TotalsOfOneSide(TLedger& ledger, const ChartChoice& choice, TChartData& chart, std::string& error) {
    const TCatChartMode mode =
        choice.Kind == TChartChoice::QuickSummary ? TCatChartMode::QuickSummary : TCatChartMode::Categories;
    const TMainActRec* subsOf = nullptr;
    if (!ChartSubCategoriesOf(ledger, choice, subsOf, error))
        return false;
    const std::uint8_t side = subsOf ? subsOf->Side : choice.Side.value_or(CategoryChartFirstSide(ledger, mode));
    chart = CategoryChartData(mode, CategoryChartTitle(ledger, mode, side, subsOf),
                              CategoryChartPoints(ledger, mode, side, subsOf));
    return true;
}

} // namespace

int RunChart(const Arguments& args) {
    std::string error;
    ChartChoice choice;
    if (!ReadChartChoice(args, choice, error))
        return Fail(error);
    TWorksheetRequest request;
    if (!ReadWorksheetRequest(args, request, error))
        return Fail(error);

    const std::string& path = args.Positional[1];
    if (choice.Format != TChartFormat::Json) {
        if (!OutputSpares(args.Value("output"), path, error))
            return Fail(error);
        return RunRenderer("chart", args, ChartOptions(), "PNG and PDF charts");
    }
    TDocumentReader reader;
    if (!OpenForReading(path, args, reader, error))
        return Fail(error);
    const TFileSettings& settings = reader.Settings();
    const TDisplayFormats formats(choice.Regional == 0 ? SystemRegionalSettings() : RegionalSettings::Fixed());
    // "Excluding" the tax: the worksheet's totals are made without it (--net), and the cash flow
    // and account figures take the amounts without it while the document keeps account of tax.
    const bool net = ChartAmountsNet(settings, request.Net);
    TChartData chart;
    std::string refusal;
    const bool ok = WithWorksheet(
        reader, request, formats,
        [&](TWorksheet& sheet) {
            TLedger& ledger = sheet.Ledger;
            WarnSetAside(path, reader, ledger.DamagedTrans);
            // The main window charts nothing while the worksheet shows no transaction.
            if (!CashFlowChartCanOpen(ledger)) {
                refusal = NothingToChartMessage;
                return;
            }
            switch (choice.Kind) {
            case TChartChoice::CashFlow: {
                const TCashFlowSeries series = BuildCashFlowSeries(ledger, choice.Range, net, SystemClock().Now());
                chart = CashFlowChartData(series, CashFlowLegend(series, formats), CashFlowChartTitle(ledger, formats));
                break;
            }
            case TChartChoice::Categories:
            case TChartChoice::QuickSummary:
                TotalsOfOneSide(ledger, choice, chart, refusal);
                break;
            case TChartChoice::Accounts:
                chart = TotalsBarsChartData(TGrpChartMode::Accounts,
                                            GrpChartTitle(ledger, TGrpChartMode::Accounts, formats),
                                            AccountTotalsBars(ledger, !net));
                break;
            case TChartChoice::Groups:
                chart =
                    TotalsBarsChartData(TGrpChartMode::Groups, GrpChartTitle(ledger, TGrpChartMode::Groups, formats),
                                        GroupTotalsBars(ledger));
                break;
            }
        },
        error);
    if (!ok)
        return Fail(path + ": " + error);
    if (!refusal.empty())
        return Fail(path + ": " + refusal);
    WriteChartJson(chart, std::cout);
    std::cout.flush();
    return std::cout ? 0 : Fail("the standard output cannot be written");
}

} // namespace qz::cli

// chart: the figures of the cash flow chart, the category and quick summary totals charts and
// the account and group totals charts, for the worksheet's filters, written as JSON. The
// pictures themselves are drawn by the program's window.

#include "Commands.h"

#include "platform/Clock.h"
#include "platform/SystemRegional.h"
#include "reports/ChartJson.h"

#include <iostream>

namespace qz::cli {

namespace {

// In the order the command line names them.
enum class TChartChoice : std::size_t { CashFlow, Categories, QuickSummary, Accounts, Groups };

struct ChartChoice {
    TChartChoice Kind = TChartChoice::CashFlow;
    TSliceKind Range = TSliceKind::Month;
    std::optional<std::uint8_t> Side; // none: the side the window opens on
    std::optional<std::int32_t> Category;
    std::size_t Regional = 1;
};

bool IsTotalsOfOneSide(TChartChoice kind) {
    return kind == TChartChoice::Categories || kind == TChartChoice::QuickSummary;
}

// The chart, and its options checked against it: an option the chart does not take is refused.
bool ReadChoice(const Arguments& args, ChartChoice& choice, std::string& error) {
    std::size_t index = 0;
    if (!ParseChoice("chart", args.Positional[0], {"cashflow", "categories", "quicksummary", "accounts", "groups"},
                     index, error)) {
        error =
            "the chart is cashflow, categories, quicksummary, accounts or groups, not \"" + args.Positional[0] + "\"";
        return false;
    }
    choice.Kind = static_cast<TChartChoice>(index);
    std::size_t format = 0;
    if (args.Has("format") && !ParseChoice("format", args.Value("format"), {"json", "png", "pdf"}, format, error))
        return false;
    if (format != 0) {
        error = "PNG and PDF charts are drawn by the program's window; this command writes JSON";
        return false;
    }
    if (args.Has("regional") &&
        !ParseChoice("regional", args.Value("regional"), {"system", "fixed"}, choice.Regional, error))
        return false;
    if (args.Has("range")) {
        if (choice.Kind != TChartChoice::CashFlow) {
            error = "--range is for the cashflow chart";
            return false;
        }
        // The kinds are the indexes of the window's "Range" choice.
        if (!ParseChoice("range", args.Value("range"), {"daily", "weekly", "monthly", "quarterly"}, index, error))
            return false;
        choice.Range = static_cast<TSliceKind>(index);
    }
    if (args.Has("side")) {
        if (!IsTotalsOfOneSide(choice.Kind)) {
            error = "--side is for the categories and quicksummary charts";
            return false;
        }
        if (!ParseChoice("side", args.Value("side"), {"credit", "debit"}, index, error))
            return false;
        choice.Side = index == 0 ? SideCredit : SideDebit;
    }
    if (args.Has("category")) {
        if (choice.Kind != TChartChoice::Categories) {
            error = "--category is for the categories chart";
            return false;
        }
        long long number = 0;
        if (!ParseInteger("category", args.Value("category"), 0, 0x7FFFFFFF, number, error))
            return false;
        choice.Category = static_cast<std::int32_t>(number);
    }
    return true;
}

std::string SideName(std::uint8_t side) {
    return side == SideCredit ? "credit" : "debit";
}

// The category or quick summary chart: the side asked for, or the one the window opens on;
// with a category, its sub categories (the category's own side).
bool TotalsOfOneSide(TLedger& ledger, const ChartChoice& choice, TChartData& chart, std::string& error) {
    const TCatChartMode mode =
        choice.Kind == TChartChoice::QuickSummary ? TCatChartMode::QuickSummary : TCatChartMode::Categories;
    const TMainActRec* subsOf = nullptr;
    if (choice.Category) {
        subsOf = ledger.MainActList.FindByNumber(*choice.Category);
        if (!subsOf) {
            error = "the document has no category " + std::to_string(*choice.Category);
            return false;
        }
        if (choice.Side && *choice.Side != subsOf->Side) {
            error = "category " + std::to_string(*choice.Category) + " is a " + SideName(subsOf->Side) +
                    " category, not a " + SideName(*choice.Side) + " one";
            return false;
        }
    }
    const std::uint8_t side = subsOf ? subsOf->Side : choice.Side.value_or(CategoryChartFirstSide(ledger, mode));
    chart = CategoryChartData(mode, CategoryChartTitle(ledger, mode, side, subsOf),
                              CategoryChartPoints(ledger, mode, side, subsOf));
    return true;
}

} // namespace

int RunChart(const Arguments& args) {
    std::string error;
    ChartChoice choice;
    if (!ReadChoice(args, choice, error))
        return Fail(error);
    TWorksheetRequest request;
    if (!ReadWorksheetRequest(args, request, error))
        return Fail(error);

    const std::string& path = args.Positional[1];
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

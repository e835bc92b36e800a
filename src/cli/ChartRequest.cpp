#include "ChartRequest.h"

#include "Commands.h"

#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace qz::cli {

namespace {

bool IsTotalsOfOneSide(TChartChoice kind) {
    return kind == TChartChoice::Categories || kind == TChartChoice::QuickSummary;
}

std::string SideName(std::uint8_t side) {
    return side == SideCredit ? "credit" : "debit";
}

bool IsProgram(const std::filesystem::path& path) {
    std::error_code failed;
    return std::filesystem::is_regular_file(path, failed) && ::access(path.c_str(), X_OK) == 0;
}

} // namespace

const std::vector<OptionSpec>& ChartOptions() {
    static const std::vector<OptionSpec> options = FilterOptionsAnd({{"range", true},
                                                                     {"side", true},
                                                                     {"category", true},
                                                                     {"net", false},
                                                                     {"format", true},
                                                                     {"output", true},
                                                                     {"regional", true},
                                                                     {"password", true}});
    return options;
}

bool ReadChartChoice(const Arguments& args, ChartChoice& choice, std::string& error) {
    std::size_t index = 0;
    if (!ParseChoice("chart", args.Positional[0], {"cashflow", "categories", "quicksummary", "accounts", "groups"},
                     index, error)) {
        error =
            "the chart is cashflow, categories, quicksummary, accounts or groups, not \"" + args.Positional[0] + "\"";
        return false;
    }
    choice.Kind = static_cast<TChartChoice>(index);
    if (args.Has("format")) {
        if (!ParseChoice("format", args.Value("format"), {"json", "png", "pdf"}, index, error))
            return false;
        choice.Format = static_cast<TChartFormat>(index);
    }
    const bool picture = choice.Format != TChartFormat::Json;
    if (picture && (!args.Has("output") || args.Value("output").empty())) {
        error = "a PNG or PDF chart needs the file to write in -o";
        return false;
    }
    if (!picture && args.Has("output")) {
        error = "-o is for --format png or pdf";
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

bool ChartSubCategoriesOf(const TLedger& ledger, const ChartChoice& choice, const TMainActRec*& subsOf,
                          std::string& error) {
    subsOf = nullptr;
    if (!choice.Category)
        return true;
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
    return true;
}

std::string RendererPath() {
    std::error_code failed;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", failed);
    if (failed)
        return {};
    const std::filesystem::path folder = self.parent_path();
    for (const std::filesystem::path& candidate :
         {folder / RendererName, folder.parent_path() / "libexec" / "quillmar-zudeduze" / RendererName})
        if (IsProgram(candidate))
            return candidate.string();
    return {};
}

} // namespace qz::cli

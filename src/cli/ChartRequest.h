#pragma once
// The chart command's choices, shared by zudeduze-cli (the figures as JSON) and the chart
// renderer beside it (the window's own drawing as PNG or PDF): the options it takes, what they
// ask for, and the checks both make against the document.

#include "Arguments.h"

#include "ledger/Ledger.h"
#include "reports/TimeSlice.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qz::cli {

// In the order the command line names them.
enum class TChartChoice : std::size_t { CashFlow, Categories, QuickSummary, Accounts, Groups };
// In the order of --format.
enum class TChartFormat : std::size_t { Json, Png, Pdf };

struct ChartChoice {
    TChartChoice Kind = TChartChoice::CashFlow;
    TChartFormat Format = TChartFormat::Json;
    TSliceKind Range = TSliceKind::Month;
    std::optional<std::uint8_t> Side; // none: the side the window opens on
    std::optional<std::int32_t> Category;
    std::size_t Regional = 1;
};

// The options of "zudeduze-cli chart".
const std::vector<OptionSpec>& ChartOptions();

// The chart, and its options checked against it: an option the chart does not take is refused.
bool ReadChartChoice(const Arguments& args, ChartChoice& choice, std::string& error);

// The category whose sub categories a categories chart shows (none without --category),
// checked against the document and the side asked for.
bool ChartSubCategoriesOf(const TLedger& ledger, const ChartChoice& choice, const TMainActRec*& subsOf,
                          std::string& error);

// The renderer of PNG and PDF charts and PDF reports: beside zudeduze-cli, or where the
// installation keeps the programs it runs. Empty when there is none.
std::string RendererPath();

inline constexpr const char* RendererName = "zudeduze-chart-render";

} // namespace qz::cli

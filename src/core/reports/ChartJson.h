#pragma once
// A chart's figures as JSON, for the command-line tool:
//   {"chart": "...", "title": "...", "categories": ["..."],
//    "series": [{"name": "...", "values": [numbers or null]}], "legend": {"label": "text"}}
// Values are exact plain decimals of the money charted; a place a series leaves empty is null.
// Texts from the books (Windows-1252) are written as UTF-8.

#include "CashFlowSeries.h"
#include "TotalsSeries.h"

#include <iosfwd>
#include <utility>

namespace qz {

struct TChartData {
    std::string Chart; // "cash-flow", "categories", "quick-summary", "accounts", "groups"
    std::string Title;
    std::vector<std::string> Categories; // the places on the horizontal axis, or the pie's slices
    std::vector<TChartSeries> Series;    // each point at its Slot among the categories
    std::vector<std::pair<std::string, std::string>> Legend;
};

void WriteChartJson(const TChartData& chart, std::ostream& out);

// The cash flow chart: the credit and debit bars and the line, with the legend box's figures.
TChartData CashFlowChartData(const TCashFlowSeries& series, const TCashFlowLegend& legend, std::string title);
// A category chart: one series of the points, each its own category.
TChartData CategoryChartData(TCatChartMode mode, std::string title, const std::vector<TChartPoint>& points);
// The account or group chart: the three series of bars.
TChartData TotalsBarsChartData(TGrpChartMode mode, std::string title, const TTotalsBars& bars);

} // namespace qz

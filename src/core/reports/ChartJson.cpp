#include "ChartJson.h"

#include "filters/ExportText.h"
#include "ledger/Cp1252.h"

#include <ostream>

namespace qz {

namespace {

std::string Text(const std::string& text) {
    return JsonString(Cp1252ToUtf8(text));
}

void WriteValues(const TChartSeries& series, std::size_t places, std::ostream& out) {
    std::vector<const TChartPoint*> at(places, nullptr);
    for (const TChartPoint& point : series.Points)
        if (point.Slot >= 0 && static_cast<std::size_t>(point.Slot) < places)
            at[static_cast<std::size_t>(point.Slot)] = &point;
    out << '[';
    for (std::size_t i = 0; i < places; ++i) {
        out << (i ? ", " : "");
        if (at[i] && at[i]->Value)
            out << PlainAmount(*at[i]->Value);
        else
            out << "null";
    }
    out << ']';
}

std::vector<std::string> Labels(const std::vector<TChartPoint>& points) {
    std::vector<std::string> labels;
    labels.reserve(points.size());
    for (const TChartPoint& point : points)
        labels.push_back(point.Label);
    return labels;
}

} // namespace

void WriteChartJson(const TChartData& chart, std::ostream& out) {
    out << "{\"chart\": " << JsonString(chart.Chart) << ", \"title\": " << Text(chart.Title) << ",\n \"categories\": [";
    for (std::size_t i = 0; i < chart.Categories.size(); ++i)
        out << (i ? ", " : "") << Text(chart.Categories[i]);
    out << "],\n \"series\": [";
    for (std::size_t i = 0; i < chart.Series.size(); ++i) {
        out << (i ? ",\n  " : "\n  ") << "{\"name\": " << Text(chart.Series[i].Name) << ", \"values\": ";
        WriteValues(chart.Series[i], chart.Categories.size(), out);
        out << '}';
    }
    out << "],\n \"legend\": {";
    for (std::size_t i = 0; i < chart.Legend.size(); ++i)
        out << (i ? ", " : "") << Text(chart.Legend[i].first) << ": " << Text(chart.Legend[i].second);
    out << "}}\n";
}

TChartData CashFlowChartData(const TCashFlowSeries& series, const TCashFlowLegend& legend, std::string title) {
    TChartData chart{"cash-flow",
                     std::move(title),
                     Labels(series.CreditBars.Points),
                     {series.CreditBars, series.DebitBars, series.CashFlowLine},
                     {}};
    chart.Legend = {
        {"Credit " + legend.PrintedAverageCaption, legend.AverageCreditText},
        {"Debit " + legend.PrintedAverageCaption, legend.AverageDebitText},
        {legend.PrintedBalanceCaption, legend.AverageBalanceText},
        {"Credits", legend.CreditShareText},
        {"Debits", legend.DebitShareText},
        {"Difference", legend.PrintedDifferenceText.substr(1)},
    };
    return chart;
}

TChartData CategoryChartData(TCatChartMode mode, std::string title, const std::vector<TChartPoint>& points) {
    const bool summary = mode == TCatChartMode::QuickSummary;
    return {summary ? "quick-summary" : "categories",
            std::move(title),
            Labels(points),
            {{summary ? "Quick Summary" : "Category Totals", 0, points}},
            {}};
}

TChartData TotalsBarsChartData(TGrpChartMode mode, std::string title, const TTotalsBars& bars) {
    return {mode == TGrpChartMode::Accounts ? "accounts" : "groups",
            std::move(title),
            Labels(bars.Credits.Points),
            {bars.Credits, bars.Debits, bars.Difference},
            {}};
}

} // namespace qz

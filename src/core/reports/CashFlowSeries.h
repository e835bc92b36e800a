#pragma once
// The cash flow chart's figures: for the transactions the worksheet shows, the credits and
// debits of each time slice, the average running balance of each slice, the small pie of the
// credit and debit shares, the legend box, the title and the hint texts.

#include "ChartSeries.h"
#include "TimeSlice.h"

#include <utility>

namespace qz {

// The main window opens the chart only while the worksheet shows a transaction; printing needs
// a credit or debit among them.
inline constexpr const char* NothingToChartMessage = "No Transactions selected to chart";
inline constexpr const char* NothingToPrintMessage = "There are is data to print.";
inline constexpr const char* LegendTooNarrowMessage =
    "The paper size you have selected is too narrow to fit the chart legend.  To fix this, either choose a larger "
    "paper size or decrease the margins.\r\rThe legend will not be printed.";
inline bool CashFlowChartCanOpen(const TLedger& ledger) {
    return ledger.TransList.VisibleCount > 0;
}
inline bool CashFlowChartCanPrint(const TLedger& ledger) {
    return ledger.TransList.HasOrdinaryRows();
}

// The "Range" choice's texts: "Daily", "Weekly", "Monthly", "Quarterly".
std::string RangeText(TSliceKind kind);
// A bucket's label on the horizontal axis: the day, the first and last day, or the month.
std::string BucketLabel(TSliceKind kind, const TSliceBucket& bucket);

struct TCashFlowSeries {
    TCashFlowSeries(TSliceKind kind, TDateTime firstDay, TDateTime lastDay)
        : Kind(kind), FirstDay(firstDay), LastDay(lastDay), Credits(kind, firstDay, lastDay),
          Debits(kind, firstDay, lastDay), Balance(kind, firstDay, lastDay) {}

    TSliceKind Kind;
    TDateTime FirstDay; // the range: the days of the first and last transaction shown
    TDateTime LastDay;
    TTimeSlice Credits;
    TTimeSlice Debits;
    TTimeSlice Balance; // each bucket the average of its days' closing balances
    Money AverageBalance;

    TChartSeries CreditBars;      // "Income": one point per bucket, empty unless positive
    TChartSeries DebitBars;       // "Expense"
    TChartSeries CashFlowLine;    // "Cash Flow": a point for each bucket whose average balance is not zero
    std::vector<TChartPoint> Pie; // "Credits" and "Debits" with their totals
};

// The range of the chart: the days of the first and the last shown transaction in key (date)
// order, whatever order the worksheet shows them in; both today when nothing is shown.
std::pair<TDateTime, TDateTime> CashFlowDateSpan(const TTransList& list, TDateTime today);

// Builds the series of the transactions that have a row. `net`: the amounts net of tax and
// the balances without it (see ChartAmountsNet). `today` is the range when nothing is shown.
TCashFlowSeries BuildCashFlowSeries(const TLedger& ledger, TSliceKind kind, bool net, TDateTime today);

// The legend box beside the chart, its pie's texts and the printed page's legend band.
struct TCashFlowLegend {
    Money CreditShare; // percent of credits + debits, from the share rounded to four decimals
    Money DebitShare;
    Money Difference;    // credit share - debit share, percent
    Money AverageCredit; // per bucket
    Money AverageDebit;
    Money AverageBalance;

    std::string AverageCaption; // Range + " Average  "
    std::string BalanceCaption; // "Average " + Range + " balance  "
    std::string AverageCreditText;
    std::string AverageDebitText;
    std::string AverageBalanceText;
    std::string CreditShareText; // "#0.##%"
    std::string DebitShareText;
    std::string DifferenceText;       // "#0.00%", without its sign
    TColour DifferenceBackground = 0; // green when the difference is zero or more, else red
    TColour DifferenceTextColour = 0; // black on green, white on red

    std::string CreditPieText; // the pie's legend: "#0.00%"
    std::string DebitPieText;

    std::string PrintedAverageCaption; // Range + " Average"
    std::string PrintedBalanceCaption; // "Average " + Range + " Balance"
    std::string PrintedDifferenceText; // " #0.00%", with its sign
};
TCashFlowLegend CashFlowLegend(const TCashFlowSeries& series, const TDisplayFormats& formats);

// "Cash Flow Chart - " + " All Transactions " or " Selected Transactions ", and the date range
// while one is set.
std::string CashFlowChartTitle(const TLedger& ledger, const TDisplayFormats& formats);

enum class TCashFlowHintSeries { CashFlow, Credit, Debit };
// The hint over a point of one of the series; empty for an empty point.
std::string CashFlowHintText(TCashFlowHintSeries series, TSliceKind kind, const TChartPoint& point,
                             const TDisplayFormats& formats);
TColour CashFlowHintColour(TCashFlowHintSeries series);

} // namespace qz

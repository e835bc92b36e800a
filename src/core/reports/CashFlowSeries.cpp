#include "CashFlowSeries.h"

#include "engine/Engine.h"

namespace qz {

namespace {

constexpr const char* LabelDay = "dd-MMM-yy";

void AddCreditsAndDebits(const TLedger& ledger, bool net, TCashFlowSeries& series) {
    const TTransList& list = ledger.TransList;
    const std::int32_t first = list.FirstVisibleIndex();
    if (first < 0)
        return;
    std::int32_t creditHint = 0;
    std::int32_t debitHint = 0;
    for (std::size_t i = static_cast<std::size_t>(first); i < list.KeyList.size(); ++i) {
        const TTransRec& t = *list.KeyList[i];
        if (t.Row == -1 || !list.Counts(t))
            continue;
        const Money amount = net ? t.Net() : t.Amount;
        if (t.Kind == TransCredit) {
            const std::int32_t bucket = series.Credits.Add(t.Date, amount, creditHint);
            creditHint = bucket < 0 ? creditHint : bucket;
        } else if (t.Kind == TransDebit) {
            const std::int32_t bucket = series.Debits.Add(t.Date, amount, debitHint);
            debitHint = bucket < 0 ? debitHint : bucket;
        }
    }
}

// Every day of the range adds its closing balance to its bucket; each bucket then holds the
// average of its days. The first and last buckets are cut to the range, so a week or quarter
// that reaches outside it averages only the days it has.
void AverageBalances(const TLedger& ledger, bool net, TCashFlowSeries& series) {
    std::vector<TSliceBucket>& buckets = series.Balance.Buckets();
    if (buckets.empty())
        return;
    buckets.front().Start = series.FirstDay;
    buckets.back().End = series.LastDay;

    const std::vector<TTransRec*>& keys = ledger.TransList.KeyList;
    const std::int32_t first = ledger.TransList.FirstVisibleIndex();
    std::size_t next = first < 0 ? keys.size() : static_cast<std::size_t>(first);
    Money balance; // zero before the first transaction of the range
    // A quarter of days at the largest balance a document can reach would overflow 64 bits.
    std::vector<__int128> sums(buckets.size(), 0);
    std::size_t bucket = 0;
    for (TDateTime day = series.FirstDay; day <= series.LastDay; day += 1) {
        while (next < keys.size() && DayOf(keys[next]->Date) <= day) {
            balance = net ? keys[next]->NetBalance : keys[next]->Balance;
            ++next;
        }
        while (bucket < buckets.size() && buckets[bucket].End < day)
            ++bucket;
        if (bucket < buckets.size() && buckets[bucket].Start <= day)
            sums[bucket] += balance.Raw();
    }
    __int128 total = 0;
    for (std::size_t i = 0; i < buckets.size(); ++i) {
        buckets[i].Value = Money::FromRaw(DivideRounded(sums[i], buckets[i].Days(), 1));
        total += buckets[i].Value.Raw();
    }
    series.AverageBalance = Money::FromRaw(DivideRounded(total, static_cast<__int128>(buckets.size()), 1));
}

TChartSeries Bars(const char* name, TColour colour, TSliceKind kind, const TTimeSlice& slice) {
    TChartSeries bars{name, colour, {}};
    bars.Points.reserve(slice.Buckets().size());
    std::int32_t slot = 0;
    for (const TSliceBucket& b : slice.Buckets()) {
        TChartPoint point{BucketLabel(kind, b), std::nullopt, colour, slot++};
        if (b.Value > Money())
            point.Value = b.Value;
        bars.Points.push_back(std::move(point));
    }
    return bars;
}

// The line's points take the labels of the bars' buckets: the balance's first and last
// buckets are cut to the range, but they stand in the same places on the axis.
TChartSeries Line(TSliceKind kind, const TTimeSlice& balance, const TTimeSlice& axis) {
    TChartSeries line{"Cash Flow", ChartBlue, {}};
    const std::vector<TSliceBucket>& buckets = balance.Buckets();
    for (std::size_t i = 0; i < buckets.size(); ++i)
        if (!buckets[i].Value.IsZero())
            line.Points.push_back(
                {BucketLabel(kind, axis.Buckets()[i]), buckets[i].Value, ChartBlue, static_cast<std::int32_t>(i)});
    return line;
}

// The share of `part` in `whole` rounded to four decimals, as a percentage (0.6667 is 66.67).
Money Share(Money part, Money whole) {
    if (whole.IsZero())
        return Money();
    return Money::FromRaw(DivideRounded(static_cast<__int128>(part.Raw()) * 10000, whole.Raw(), 1) * 100);
}

Money PerBucket(const TTimeSlice& slice) {
    if (slice.Count() == 0)
        return Money();
    return Money::FromRaw(DivideRounded(slice.Total().Raw(), slice.Count(), 1));
}

} // namespace

std::string RangeText(TSliceKind kind) {
    switch (kind) {
    case TSliceKind::Day:
        return "Daily";
    case TSliceKind::Week:
        return "Weekly";
    case TSliceKind::Month:
        return "Monthly";
    case TSliceKind::Quarter:
        return "Quarterly";
    }
    return std::string();
}

std::string BucketLabel(TSliceKind kind, const TSliceBucket& bucket) {
    switch (kind) {
    case TSliceKind::Day:
        return FormatDate(bucket.Start, LabelDay);
    case TSliceKind::Month:
        return FormatDate(bucket.End, "MMM-yy");
    case TSliceKind::Week:
    case TSliceKind::Quarter:
        return FormatDate(bucket.Start, LabelDay) + " to " + FormatDate(bucket.End, LabelDay);
    }
    return std::string();
}

TCashFlowSeries BuildCashFlowSeries(const TLedger& ledger, TSliceKind kind, bool net, TDateTime today) {
    const auto [firstDay, lastDay] = ledger.TransList.VisibleDateSpan(today);
    TCashFlowSeries series(kind, firstDay, lastDay);
    AddCreditsAndDebits(ledger, net, series);
    AverageBalances(ledger, net, series);
    series.CreditBars = Bars("Income", ChartGreen, kind, series.Credits);
    series.DebitBars = Bars("Expense", ChartRed, kind, series.Debits);
    series.CashFlowLine = Line(kind, series.Balance, series.Credits);
    series.Pie = {{"Credits", series.Credits.Total(), ChartGreen}, {"Debits", series.Debits.Total(), ChartRed}};
    return series;
}

TCashFlowLegend CashFlowLegend(const TCashFlowSeries& series, const TDisplayFormats& formats) {
    TCashFlowLegend legend;
    const Money credits = series.Credits.Total();
    const Money debits = series.Debits.Total();
    legend.CreditShare = Share(credits, credits + debits);
    legend.DebitShare = Share(debits, credits + debits);
    legend.Difference = legend.CreditShare - legend.DebitShare;
    legend.AverageCredit = PerBucket(series.Credits);
    legend.AverageDebit = PerBucket(series.Debits);
    legend.AverageBalance = series.AverageBalance;

    const std::string range = RangeText(series.Kind);
    legend.AverageCaption = range + " Average  ";
    legend.BalanceCaption = "Average " + range + " balance  ";
    legend.AverageCreditText = formats.MoneyText(legend.AverageCredit);
    legend.AverageDebitText = formats.MoneyText(legend.AverageDebit);
    legend.AverageBalanceText = formats.MoneyText(legend.AverageBalance);
    legend.CreditShareText = ShortPercentText(legend.CreditShare, formats.Money);
    legend.DebitShareText = ShortPercentText(legend.DebitShare, formats.Money);
    const bool ahead = legend.Difference >= Money();
    legend.DifferenceText = formats.PercentText(legend.Difference.Abs(), PercentPattern::Plain);
    legend.DifferenceBackground = ahead ? ChartGreen : ChartRed;
    legend.DifferenceTextColour = ahead ? ChartBlack : ChartWhite;
    legend.CreditPieText = formats.PercentText(legend.CreditShare, PercentPattern::Plain);
    legend.DebitPieText = formats.PercentText(legend.DebitShare, PercentPattern::Plain);
    legend.PrintedAverageCaption = range + " Average";
    legend.PrintedBalanceCaption = "Average " + range + " Balance";
    legend.PrintedDifferenceText = " " + formats.PercentText(legend.Difference, PercentPattern::Plain);
    return legend;
}

std::string CashFlowChartTitle(const TLedger& ledger, const TDisplayFormats& formats) {
    const TCalcSwitches& switches = ledger.Switches;
    const bool selected =
        switches.CategorySelectionActive || switches.GroupSelectionActive || !AllAccountsSelected(ledger);
    std::string title = "Cash Flow Chart - ";
    title += selected ? " Selected Transactions " : " All Transactions ";
    if (switches.DateRangeActive)
        title += " between " + formats.DateText(ledger.TransList.DateFrom) + " and " +
                 formats.DateText(ledger.TransList.DateTo);
    return title;
}

std::string CashFlowHintText(TCashFlowHintSeries series, TSliceKind kind, const TChartPoint& point,
                             const TDisplayFormats& formats) {
    if (!point.Value)
        return std::string();
    switch (series) {
    case TCashFlowHintSeries::CashFlow:
        return ChartPointText(point.Label, kind == TSliceKind::Day ? "  -  Balance " : "  -  Average Balance ",
                              *point.Value, formats);
    case TCashFlowHintSeries::Credit:
        return ChartPointText(point.Label, "  -  Credit ", *point.Value, formats);
    case TCashFlowHintSeries::Debit:
        return ChartPointText(point.Label, "  -  Debit ", *point.Value, formats);
    }
    return std::string();
}

TColour CashFlowHintColour(TCashFlowHintSeries series) {
    switch (series) {
    case TCashFlowHintSeries::CashFlow:
        return ChartBlue;
    case TCashFlowHintSeries::Credit:
        return ChartGreen;
    case TCashFlowHintSeries::Debit:
        return ChartRed;
    }
    return ChartBlue;
}

} // namespace qz

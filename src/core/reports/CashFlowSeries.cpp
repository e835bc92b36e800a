#include "CashFlowSeries.h"

#include "engine/Engine.h"

#include <algorithm>

namespace qz {

namespace {

constexpr const char* LabelDay = "dd-MMM-yy";

// One walk along the key order from the first shown transaction fills all three slices: a
// shown transaction that counts adds its amount to the credits or debits, and every day of the
// range adds its closing balance (that of the last transaction dated on or before it, zero
// before the first) to its balance bucket. Each balance bucket then holds the average of its
// days. The first and last balance buckets are cut to the range, so a week or quarter that
// reaches outside it averages only the days it has.
class TSliceWalk {
public:
    TSliceWalk(TCashFlowSeries& series, bool net)
        : Series(series), Buckets(series.Balance.Buckets()), Net(net), Pending(series.FirstDay) {
        if (!Buckets.empty()) {
            Buckets.front().Start = series.FirstDay;
            Buckets.back().End = series.LastDay;
        }
        // A quarter of days at the largest balance a document can reach would overflow 64 bits.
        Sums.assign(Buckets.size(), 0);
    }

    void Run(const TTransList& list) {
        const std::int32_t first = list.FirstVisibleIndex();
        for (std::size_t i = first < 0 ? list.KeyList.size() : static_cast<std::size_t>(first); i < list.KeyList.size();
             ++i) {
            const TTransRec& t = *list.KeyList[i];
            const TDateTime day = DayOf(t.Date);
            // The key order is date order: what follows the range's last day changes nothing in it.
            if (day > Series.LastDay)
                break;
            Step(list, t, day);
        }
        CloseDaysThrough(Series.LastDay);
        Average();
    }

private:
    void Step(const TTransList& list, const TTransRec& t, TDateTime day) {
        // Every day before this one is over: its balance is the one before this transaction.
        if (day > Pending)
            CloseDaysThrough(day - 1);
        Balance = Net ? t.NetBalance : t.Balance;
        if (t.Row == -1 || !list.Counts(t))
            return;
        const Money amount = Net ? t.Net() : t.Amount;
        if (t.Kind == TransCredit)
            CreditHint = Hint(Series.Credits.Add(day, amount, CreditHint), CreditHint);
        else if (t.Kind == TransDebit)
            DebitHint = Hint(Series.Debits.Add(day, amount, DebitHint), DebitHint);
    }

    static std::int32_t Hint(std::int32_t found, std::int32_t previous) { return found < 0 ? previous : found; }

    void CloseDaysThrough(TDateTime last) {
        last = std::min(last, Series.LastDay);
        for (; Pending <= last; Pending += 1) {
            while (Bucket < Buckets.size() && Buckets[Bucket].End < Pending)
                ++Bucket;
            if (Bucket < Buckets.size() && Buckets[Bucket].Start <= Pending)
                Sums[Bucket] += Balance.Raw();
        }
    }

    void Average() {
        if (Buckets.empty())
            return;
        __int128 total = 0;
        for (std::size_t i = 0; i < Buckets.size(); ++i) {
            Buckets[i].Value = Money::FromRaw(DivideRounded(Sums[i], Buckets[i].Days(), 1));
            total += Buckets[i].Value.Raw();
        }
        Series.AverageBalance = Money::FromRaw(DivideRounded(total, static_cast<__int128>(Buckets.size()), 1));
    }

    TCashFlowSeries& Series;
    std::vector<TSliceBucket>& Buckets; // the balance slice's
    bool Net;
    TDateTime Pending; // the first day whose balance is not yet added
    Money Balance;     // zero before the first transaction of the range
    std::vector<__int128> Sums;
    std::size_t Bucket = 0;
    std::int32_t CreditHint = 0;
    std::int32_t DebitHint = 0;
};

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

std::pair<TDateTime, TDateTime> CashFlowDateSpan(const TTransList& list, TDateTime today) {
    const std::int32_t first = list.FirstVisibleIndex();
    if (first < 0)
        return {DayOf(today), DayOf(today)};
    std::size_t last = list.KeyList.size() - 1;
    while (last > static_cast<std::size_t>(first) && list.KeyList[last]->Row == -1)
        --last;
    return {DayOf(list.KeyList[static_cast<std::size_t>(first)]->Date), DayOf(list.KeyList[last]->Date)};
}

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
    const auto [firstDay, lastDay] = CashFlowDateSpan(ledger.TransList, today);
    TCashFlowSeries series(kind, firstDay, lastDay);
    TSliceWalk(series, net).Run(ledger.TransList);
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

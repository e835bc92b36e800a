#include "ColumnFit.h"

#include "ledger/DateTime.h"

#include <algorithm>

namespace qz {

namespace {

enum class TSample : std::uint8_t { None, Date, Amount, Percent };

// By view and slot (the columns' LinkIndex).
TSample SampleOf(int view, std::int32_t slot) {
    switch (view) {
    case ViewTransactions:
        return slot == 1 ? TSample::Date : slot >= 9 && slot <= 11 ? TSample::Amount : TSample::None;
    case ViewCategories:
        return slot == 2 || slot == 3 ? TSample::Amount : slot == 4 ? TSample::Percent : TSample::None;
    case ViewSubCategories:
        return slot == 3 || slot == 4 ? TSample::Amount : slot == 5 ? TSample::Percent : TSample::None;
    case ViewGroups:
        return slot >= 2 && slot <= 4 ? TSample::Amount : slot >= 5 ? TSample::Percent : TSample::None;
    case ViewSummary:
        return slot == 1 || slot == 2 ? TSample::Amount : slot == 3 ? TSample::Percent : TSample::None;
    default:
        return TSample::None;
    }
}

} // namespace

std::string ColumnSample(int view, std::int32_t linkIndex, const TDisplayFormats& formats) {
    switch (SampleOf(view, linkIndex)) {
    case TSample::Date:
        // Two-digit day and month: the widest a date of the user's format gets.
        return FormatDate(EncodeDate(2028, 12, 28), formats.ShortDateFormat);
    case TSample::Amount:
        return formats.MoneyText(Money::FromCents(-99'999'999));
    case TSample::Percent:
        return formats.PercentText(Money::FromUnits(100), PercentPattern::Leading0);
    case TSample::None:
    default:
        return {};
    }
}

void FitColumns(TGridInfo& set, int view, const TDisplayFormats& formats, const TMeasure& measure) {
    for (TColProperty& column : set.ColInfo.Items) {
        const bool sorted = column.AllowSort && column.SortIndex == set.SortIndex;
        std::int32_t need = measure(column.Title, sorted ? TFitText::SortedTitle : TFitText::Title);
        const std::string sample = ColumnSample(view, column.LinkIndex, formats);
        if (!sample.empty())
            need = std::max(need, measure(sample, TFitText::Cell));
        if (need <= column.Width)
            continue;
        column.Width = need;
        column.DefaultWidth = std::max(column.DefaultWidth, need);
        column.MaxWidth = std::max(column.MaxWidth, need);
    }
}

void FitColumns(std::array<TGridInfo, ViewCount>& sets, const TDisplayFormats& formats, const TMeasure& measure) {
    for (int view = 0; view < ViewCount; ++view)
        FitColumns(sets[static_cast<std::size_t>(view)], view, formats, measure);
}

} // namespace qz

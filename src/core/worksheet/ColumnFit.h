#pragma once
// Default columns that show what they were made to show, whatever the grid's font: each
// column's title, and a full date or the largest amounts of a small business's books where the
// column holds those. The window measures texts in the fonts it really draws with; the rules of
// what each column must show are here.

#include "GridInfo.h"
#include "ledger/DisplayFormats.h"

#include <array>
#include <functional>
#include <string>

namespace qz {

// What is measured: a title (in the title row's font; the column the view is sorted by also
// needs room for the sort mark) or a cell's text. The mark may cover the end of the title of
// a column sorted later: room for it in every column would widen them all for the one sorted.
enum class TFitText : std::uint8_t { Title, SortedTitle, Cell };
// The width a column needs to show `text` whole, margins and marks included.
using TMeasure = std::function<std::int32_t(const std::string& text, TFitText kind)>;

// The widest text the column of that view and slot is meant to show whole besides its title:
// a date (the Transactions view's dates), an amount, a percentage; empty for the others, whose
// texts are as long as the user makes them.
std::string ColumnSample(int view, std::int32_t linkIndex, const TDisplayFormats& formats);

// Widens the columns of one view's set so that each shows its title and its sample whole; no
// column is made narrower, and a column's largest width grows with it where it must.
void FitColumns(TGridInfo& set, int view, const TDisplayFormats& formats, const TMeasure& measure);
void FitColumns(std::array<TGridInfo, ViewCount>& sets, const TDisplayFormats& formats, const TMeasure& measure);

} // namespace qz

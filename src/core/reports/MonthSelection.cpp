#include "MonthSelection.h"

namespace qz {

TMonthSelection::TMonthSelection(TYearMonth first, TYearMonth last) : First(first), Last(last) {
    // The opening view ends with the last month or just after it.
    if (Last.Month >= 6) {
        View = Last.Year;
        Second = First.Year == Last.Year;
    } else if (First.Year == Last.Year) {
        View = Last.Year;
        Second = false;
    } else {
        View = Last.Year - 1;
        Second = true;
    }
    InitialView = View;
    InitialSecond = Second;
}

TYearMonth TMonthSelection::ButtonMonth(int row, int column) const {
    const int firstMonth = Second ? 6 : 0; // of row 1 in the view year
    const int counted = firstMonth + row * Columns + column;
    return {View + counted / 12, counted % 12};
}

TMonthLook TMonthSelection::Look(int row, int column) const {
    const TYearMonth month = ButtonMonth(row, column);
    if (Chosen(month))
        return TMonthLook::Chosen;
    if (!InRange(month))
        return TMonthLook::OutOfRange;
    return month.Year % 2 == 0 ? TMonthLook::InRangeEvenYear : TMonthLook::InRangeOddYear;
}

std::vector<int> TMonthSelection::YearLabels() const {
    if (Second)
        return {View, View + 1};
    return {View};
}

void TMonthSelection::Up() {
    if (Second) {
        Second = false;
    } else {
        --View;
        Second = true;
    }
}

void TMonthSelection::Down() {
    if (Second) {
        ++View;
        Second = false;
    } else {
        Second = true;
    }
}

void TMonthSelection::Reset() {
    View = InitialView;
    Second = InitialSecond;
    Start = End = TYearMonth{};
}

bool TMonthSelection::Click(int row, int column) {
    if (row < 0 || row >= Rows || column < 0 || column >= Columns)
        return false;
    const TYearMonth month = ButtonMonth(row, column);
    if (!InRange(month) || month == Start || month == End)
        return false;
    if (Start.Month < 0)
        Start = End = month;
    else if (month < Start)
        Start = month;
    else
        End = month; // a month inside the period shortens it from its end
    return true;
}

int TMonthSelection::DaysInMonth(int year, int month) {
    static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 1 && leap ? 29 : Days[month];
}

} // namespace qz

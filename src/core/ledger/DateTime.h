#pragma once
// Dates are day numbers: day 0 is 30 December 1899, the fraction is the time of day.
// Every conversion between day numbers and calendar dates lives here.

#include <string>

namespace qz {

using TDateTime = double;

struct CalendarDate {
    int Year = 1899;
    int Month = 12;
    int Day = 30;
    bool operator==(const CalendarDate&) const = default;
};

// The day number of a calendar date (proleptic Gregorian; years 1..9999).
TDateTime EncodeDate(int year, int month, int day);
// The calendar date of a day number's day.
CalendarDate DecodeDate(TDateTime date);
// The day of a date: the value with the fraction dropped.
TDateTime DayOf(TDateTime date);
bool IsValidDate(int year, int month, int day);

// Formats the day of `date` with a Windows short-date pattern: d, dd, ddd, dddd, M, MM,
// MMM, MMMM, y, yy, yyyy; text in single quotes and every other character is copied.
std::string FormatDate(TDateTime date, const std::string& pattern);

// Reads an ISO date "YYYY-MM-DD"; false when the text is not a valid date.
bool ParseIsoDate(const std::string& text, TDateTime& date);
std::string IsoDateText(TDateTime date);

} // namespace qz

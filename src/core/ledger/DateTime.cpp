#include "DateTime.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace qz {

namespace {

constexpr int DaysIn400Years = 146097;
constexpr int DaysIn100Years = 36524;
constexpr int DaysIn4Years = 1461;

constexpr std::array<const char*, 12> MonthNames = {"January",   "February", "March",    "April",
                                                    "May",       "June",     "July",     "August",
                                                    "September", "October",  "November", "December"};
constexpr std::array<const char*, 12> ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
// Indexed from Sunday.
constexpr std::array<const char*, 7> DayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                 "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 7> ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

constexpr bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

constexpr int DaysInMonth(int year, int month) {
    constexpr std::array<int, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Days from 1 January of year 1 to the given date (which must be valid).
constexpr std::int64_t OrdinalOf(int year, int month, int day) {
    const std::int64_t before = year - 1;
    std::int64_t days = before * 365 + before / 4 - before / 100 + before / 400;
    for (int m = 1; m < month; ++m)
        days += DaysInMonth(year, m);
    return days + day - 1;
}

// The ordinal of day 0, 30 December 1899.
constexpr std::int64_t EpochOrdinal = OrdinalOf(1899, 12, 30);
constexpr std::int64_t FirstDay = OrdinalOf(1, 1, 1) - EpochOrdinal;
constexpr std::int64_t LastDay = OrdinalOf(9999, 12, 31) - EpochOrdinal;

CalendarDate DateOfOrdinal(std::int64_t ordinal) {
    const std::int64_t cycles400 = ordinal / DaysIn400Years;
    std::int64_t rest = ordinal % DaysIn400Years;
    // The 31 December closing a 400-year cycle would count as a fifth century, and that closing a
    // 4-year cycle as a fifth year: both belong to the last one.
    const std::int64_t centuries = std::min<std::int64_t>(rest / DaysIn100Years, 3);
    rest -= centuries * DaysIn100Years;
    const std::int64_t cycles4 = rest / DaysIn4Years;
    rest %= DaysIn4Years;
    const std::int64_t years = std::min<std::int64_t>(rest / 365, 3);
    rest -= years * 365;

    CalendarDate date;
    date.Year = static_cast<int>(cycles400 * 400 + centuries * 100 + cycles4 * 4 + years + 1);
    date.Month = 1;
    while (rest >= DaysInMonth(date.Year, date.Month)) {
        rest -= DaysInMonth(date.Year, date.Month);
        ++date.Month;
    }
    date.Day = static_cast<int>(rest) + 1;
    return date;
}

bool InRange(TDateTime date) {
    const double day = std::trunc(date);
    return std::isfinite(day) && day >= static_cast<double>(FirstDay) && day <= static_cast<double>(LastDay);
}

// 0 for Sunday; day 0 was a Saturday, and days out of range are shown as day 0.
int DayOfWeek(TDateTime date) {
    if (!InRange(date))
        return 6;
    const auto day = static_cast<std::int64_t>(std::trunc(date));
    return static_cast<int>(((day + 6) % 7 + 7) % 7);
}

std::string Padded(int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

std::string DayField(int count, const CalendarDate& calendar, TDateTime date) {
    switch (count) {
    case 1:
        return std::to_string(calendar.Day);
    case 2:
        return Padded(calendar.Day, 2);
    case 3:
        return ShortDayNames[DayOfWeek(date)];
    default:
        return DayNames[DayOfWeek(date)];
    }
}

std::string MonthField(int count, const CalendarDate& calendar) {
    switch (count) {
    case 1:
        return std::to_string(calendar.Month);
    case 2:
        return Padded(calendar.Month, 2);
    case 3:
        return ShortMonthNames[calendar.Month - 1];
    default:
        return MonthNames[calendar.Month - 1];
    }
}

std::string YearField(int count, const CalendarDate& calendar) {
    switch (count) {
    case 1:
        return std::to_string(calendar.Year % 100);
    case 2:
        return Padded(calendar.Year % 100, 2);
    default:
        return Padded(calendar.Year, 4);
    }
}

// Copies a quoted literal starting after the opening quote; returns the index after the closing one.
// Two quotes in a row stand for one quote, inside or outside a literal.
std::size_t CopyQuoted(const std::string& pattern, std::size_t at, std::string& out) {
    while (at < pattern.size()) {
        if (pattern[at] == '\'') {
            if (at + 1 < pattern.size() && pattern[at + 1] == '\'') {
                out += '\'';
                at += 2;
                continue;
            }
            return at + 1;
        }
        out += pattern[at++];
    }
    return at;
}

bool ReadDigits(const std::string& text, std::size_t at, std::size_t count, int& value) {
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

} // namespace

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

TDateTime EncodeDate(int year, int month, int day) {
    if (!IsValidDate(year, month, day))
        return 0;
    return static_cast<TDateTime>(OrdinalOf(year, month, day) - EpochOrdinal);
}

CalendarDate DecodeDate(TDateTime date) {
    if (!InRange(date))
        return CalendarDate{};
    return DateOfOrdinal(static_cast<std::int64_t>(std::trunc(date)) + EpochOrdinal);
}

// Truncation: the time of day is the fraction's size whatever the sign, so -1.25 is still day -1.
TDateTime DayOf(TDateTime date) {
    return std::trunc(date);
}

std::string FormatDate(TDateTime date, const std::string& pattern) {
    const CalendarDate calendar = DecodeDate(date);
    std::string out;
    std::size_t at = 0;
    while (at < pattern.size()) {
        const char c = pattern[at];
        if (c == '\'') {
            if (at + 1 < pattern.size() && pattern[at + 1] == '\'') {
                out += '\'';
                at += 2;
            } else {
                at = CopyQuoted(pattern, at + 1, out);
            }
            continue;
        }
        if (c != 'd' && c != 'M' && c != 'y') {
            out += c;
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < pattern.size() && pattern[end] == c)
            ++end;
        const int count = static_cast<int>(end - at);
        if (c == 'd')
            out += DayField(count, calendar, date);
        else if (c == 'M')
            out += MonthField(count, calendar);
        else
            out += YearField(count, calendar);
        at = end;
    }
    return out;
}

bool ParseIsoDate(const std::string& text, TDateTime& date) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    int year = 0;
    int month = 0;
    int day = 0;
    if (!ReadDigits(text, 0, 4, year) || !ReadDigits(text, 5, 2, month) || !ReadDigits(text, 8, 2, day))
        return false;
    if (!IsValidDate(year, month, day))
        return false;
    date = EncodeDate(year, month, day);
    return true;
}

std::string IsoDateText(TDateTime date) {
    const CalendarDate calendar = DecodeDate(date);
    return Padded(calendar.Year, 4) + "-" + Padded(calendar.Month, 2) + "-" + Padded(calendar.Day, 2);
}

} // namespace qz

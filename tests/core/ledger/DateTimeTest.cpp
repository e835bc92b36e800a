#include "ledger/DateTime.h"

#include <gtest/gtest.h>

#include <limits>

namespace qz {
namespace {

struct DayCase {
    int Year;
    int Month;
    int Day;
    double Number;
};

const DayCase KnownDays[] = {
    {1899, 12, 30, 0},   {1899, 12, 31, 1},    {1900, 1, 1, 2},         {1900, 2, 28, 60},    {1900, 3, 1, 61},
    {1899, 12, 29, -1},  {1800, 1, 1, -36522}, {2000, 1, 1, 36526},     {2000, 2, 29, 36585}, {2000, 3, 1, 36586},
    {2024, 3, 5, 45356}, {1, 1, 1, -693593},   {9999, 12, 31, 2958465},
};

TEST(DateTimeTest, EncodeAndDecodeKnownDays) {
    for (const DayCase& c : KnownDays) {
        EXPECT_EQ(EncodeDate(c.Year, c.Month, c.Day), c.Number) << c.Year << "-" << c.Month << "-" << c.Day;
        EXPECT_EQ(DecodeDate(c.Number), (CalendarDate{c.Year, c.Month, c.Day})) << c.Number;
    }
}

TEST(DateTimeTest, LeapYearsFollowTheGregorianRules) {
    struct Case {
        int Year;
        int Month;
        int Day;
        bool Valid;
    };
    const Case cases[] = {
        {1900, 2, 29, false}, {2000, 2, 29, true},  {2004, 2, 29, true},  {2100, 2, 29, false}, {2023, 2, 29, false},
        {2023, 4, 31, false}, {2023, 12, 31, true}, {2023, 13, 1, false}, {2023, 0, 1, false},  {2023, 1, 0, false},
        {0, 1, 1, false},     {1, 1, 1, true},      {9999, 12, 31, true}, {10000, 1, 1, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidDate(c.Year, c.Month, c.Day), c.Valid) << c.Year << "-" << c.Month << "-" << c.Day;
}

// Walks every day from 1 January 1 to 31 December 9999 beside a plain day-by-day calendar.
TEST(DateTimeTest, EveryDayDecodesToTheNextCalendarDayAndBack) {
    CalendarDate expected{1, 1, 1};
    const double first = EncodeDate(1, 1, 1);
    const double last = EncodeDate(9999, 12, 31);
    int mismatches = 0;
    for (double day = first; day <= last && mismatches < 5; ++day) {
        const CalendarDate decoded = DecodeDate(day);
        if (decoded != expected || EncodeDate(decoded.Year, decoded.Month, decoded.Day) != day) {
            ADD_FAILURE() << "day " << day << " decodes to " << decoded.Year << "-" << decoded.Month << "-"
                          << decoded.Day << ", expected " << expected.Year << "-" << expected.Month << "-"
                          << expected.Day;
            ++mismatches;
        }
        if (IsValidDate(expected.Year, expected.Month, expected.Day + 1))
            ++expected.Day;
        else if (expected.Month < 12)
            expected = {expected.Year, expected.Month + 1, 1};
        else
            expected = {expected.Year + 1, 1, 1};
    }
    EXPECT_EQ(expected, (CalendarDate{10000, 1, 1}));
}

TEST(DateTimeTest, TheFractionNeverMovesTheDay) {
    EXPECT_EQ(DayOf(36585.75), 36585);
    EXPECT_EQ(DayOf(-1.25), -1);
    EXPECT_EQ(DayOf(-0.5), 0);
    EXPECT_EQ(DecodeDate(36585.999), (CalendarDate{2000, 2, 29}));
    // Before day 0 the time of day is still the fraction's size: -1.25 is 29 December 1899, 6 a.m.
    EXPECT_EQ(DecodeDate(-1.25), (CalendarDate{1899, 12, 29}));
    EXPECT_EQ(DecodeDate(-0.5), (CalendarDate{1899, 12, 30}));
    EXPECT_EQ(DecodeDate(-36521.9), (CalendarDate{1800, 1, 2}));
}

TEST(DateTimeTest, DaysOutsideYearsOneToNineThousandDecodeAsDayZero) {
    EXPECT_EQ(DecodeDate(2958466), CalendarDate{});
    EXPECT_EQ(DecodeDate(-693594), CalendarDate{});
    EXPECT_EQ(DecodeDate(std::numeric_limits<double>::quiet_NaN()), CalendarDate{});
    EXPECT_EQ(DecodeDate(std::numeric_limits<double>::infinity()), CalendarDate{});
    EXPECT_EQ(EncodeDate(2023, 2, 29), 0);
}

TEST(DateTimeTest, FormatDateFollowsTheShortDatePattern) {
    struct Case {
        double Date;
        const char* Pattern;
        const char* Expected;
    };
    const double march5 = EncodeDate(2024, 3, 5) + 0.75;
    const double christmas2009 = EncodeDate(2009, 12, 25);
    const Case cases[] = {
        {march5, "dd/MM/yyyy", "05/03/2024"},
        {march5, "M/d/yy", "3/5/24"},
        {march5, "d MMM yyyy", "5 Mar 2024"},
        {march5, "yyyy-MM-dd", "2024-03-05"},
        {march5, "dddd, d MMMM yyyy", "Tuesday, 5 March 2024"},
        {march5, "ddd dd-MMM-yy", "Tue 05-Mar-24"},
        {christmas2009, "d/M/y", "25/12/9"},
        {march5, "y", "24"},
        {christmas2009, "dd.MM.yyyy", "25.12.2009"},
        {christmas2009, "dddd", "Friday"},
        {march5, "d 'de' MMMM", "5 de March"},
        {march5, "'dd/MM' dd", "dd/MM 05"},
        {march5, "'o''clock' d", "o'clock 5"},
        {march5, "d''M", "5'3"},
        {march5, "dd 'rest", "05 rest"},
        {0, "ddd d MMM yyyy", "Sat 30 Dec 1899"},
        {-1.25, "ddd dd/MM/yyyy", "Fri 29/12/1899"},
        {EncodeDate(1, 1, 1), "dddd yyyy-MM-dd", "Monday 0001-01-01"},
        {EncodeDate(2000, 1, 9), "yy M", "00 1"},
        {EncodeDate(2023, 9, 3), "MMMM ddd", "September Sun"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatDate(c.Date, c.Pattern), c.Expected) << c.Pattern;
}

TEST(DateTimeTest, IsoDatesReadOnlyValidDates) {
    double date = -7;
    ASSERT_TRUE(ParseIsoDate("2000-02-29", date));
    EXPECT_EQ(date, 36585);
    ASSERT_TRUE(ParseIsoDate("1899-12-29", date));
    EXPECT_EQ(date, -1);

    const char* broken[] = {"2023-02-29", "2024-2-29",  "2024/02/29", "",           "2024-02-29x",
                            "0000-01-01", "2024-13-01", "2024-00-10", "20a4-01-01", " 2024-01-01"};
    for (const char* text : broken) {
        date = -7;
        EXPECT_FALSE(ParseIsoDate(text, date)) << '"' << text << '"';
        EXPECT_EQ(date, -7) << '"' << text << '"';
    }
}

TEST(DateTimeTest, IsoDateTextRoundTrips) {
    EXPECT_EQ(IsoDateText(36585.5), "2000-02-29");
    EXPECT_EQ(IsoDateText(EncodeDate(1, 1, 1)), "0001-01-01");
    for (double day = EncodeDate(1, 1, 1); day <= EncodeDate(9999, 12, 31); day += 997) {
        double back = 0;
        ASSERT_TRUE(ParseIsoDate(IsoDateText(day), back)) << day;
        EXPECT_EQ(back, day);
    }
}

} // namespace
} // namespace qz

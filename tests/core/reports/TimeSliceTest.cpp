#include "reports/TimeSlice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qz::testing {
namespace {

TDateTime D(int year, int month, int day) {
    return EncodeDate(year, month, day);
}

// "2024-01-15..2024-01-31" for each bucket.
std::vector<std::string> Spans(const TTimeSlice& slice) {
    std::vector<std::string> spans;
    for (const TSliceBucket& b : slice.Buckets())
        spans.push_back(IsoDateText(b.Start) + ".." + IsoDateText(b.End));
    return spans;
}

struct SliceCase {
    friend void PrintTo(const SliceCase& c, std::ostream* out) { *out << c.Name; }

    const char* Name;
    TSliceKind Kind;
    TDateTime First;
    TDateTime Last;
    std::vector<std::string> Expected;
};

class TimeSliceBuckets : public ::testing::TestWithParam<SliceCase> {};

TEST_P(TimeSliceBuckets, AlignsAndCutsTheRange) {
    const SliceCase& c = GetParam();
    const TTimeSlice slice(c.Kind, c.First, c.Last);
    EXPECT_EQ(Spans(slice), c.Expected);
    EXPECT_EQ(slice.Count(), TTimeSlice::BucketCount(c.Kind, slice.FirstDay(), slice.LastDay()));
    if (!c.Expected.empty()) {
        EXPECT_EQ(slice.FirstDay(), slice.Buckets().front().Start);
        // Months are not aligned: the last bucket still runs to its month's end.
        if (c.Kind != TSliceKind::Month) {
            EXPECT_EQ(slice.LastDay(), slice.Buckets().back().End);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TimeSliceBuckets,
    ::testing::Values(
        SliceCase{"DaysOverALeapDay",
                  TSliceKind::Day,
                  D(2024, 2, 28),
                  D(2024, 3, 1),
                  {"2024-02-28..2024-02-28", "2024-02-29..2024-02-29", "2024-03-01..2024-03-01"}},
        SliceCase{"OneDay", TSliceKind::Day, D(2024, 5, 5), D(2024, 5, 5) + 0.75, {"2024-05-05..2024-05-05"}},
        // Months are not aligned: the first starts on the range's day, the last runs to its month's end.
        SliceCase{"MonthsFromMidJanuary",
                  TSliceKind::Month,
                  D(2024, 1, 15),
                  D(2024, 3, 10),
                  {"2024-01-15..2024-01-31", "2024-02-01..2024-02-29", "2024-03-01..2024-03-31"}},
        SliceCase{"February2000IsLeap", TSliceKind::Month, D(2000, 2, 1), D(2000, 2, 1), {"2000-02-01..2000-02-29"}},
        SliceCase{"February2001IsNot", TSliceKind::Month, D(2001, 2, 3), D(2001, 2, 3), {"2001-02-03..2001-02-28"}},
        SliceCase{"February1900IsNot", TSliceKind::Month, D(1900, 2, 1), D(1900, 2, 1), {"1900-02-01..1900-02-28"}},
        SliceCase{"MonthsOverTheYearEnd",
                  TSliceKind::Month,
                  D(2023, 11, 30),
                  D(2024, 1, 1),
                  {"2023-11-30..2023-11-30", "2023-12-01..2023-12-31", "2024-01-01..2024-01-31"}},
        SliceCase{"Month31stIntoFebruary",
                  TSliceKind::Month,
                  D(2023, 1, 31),
                  D(2023, 2, 1),
                  {"2023-01-31..2023-01-31", "2023-02-01..2023-02-28"}},
        // 15 February .. 20 May 2024: January to March and April to June.
        SliceCase{"QuartersAligned",
                  TSliceKind::Quarter,
                  D(2024, 2, 15),
                  D(2024, 5, 20),
                  {"2024-01-01..2024-03-31", "2024-04-01..2024-06-30"}},
        SliceCase{"QuarterBoundaries",
                  TSliceKind::Quarter,
                  D(2023, 9, 30),
                  D(2023, 10, 1),
                  {"2023-07-01..2023-09-30", "2023-10-01..2023-12-31"}},
        SliceCase{"QuartersOverTheYearEnd",
                  TSliceKind::Quarter,
                  D(2023, 12, 31),
                  D(2024, 1, 1),
                  {"2023-10-01..2023-12-31", "2024-01-01..2024-03-31"}},
        // 29 February 2024 is a Thursday: the week runs Monday 26 February to Sunday 3 March.
        SliceCase{"WeekOverALeapDay", TSliceKind::Week, D(2024, 2, 29), D(2024, 2, 29), {"2024-02-26..2024-03-03"}},
        SliceCase{"WeeksFromAWednesday",
                  TSliceKind::Week,
                  D(2024, 1, 3),
                  D(2024, 1, 8),
                  {"2024-01-01..2024-01-07", "2024-01-08..2024-01-14"}},
        SliceCase{"EndsBeforeItStarts", TSliceKind::Month, D(2024, 3, 1), D(2024, 2, 1), {}}),
    [](const ::testing::TestParamInfo<SliceCase>& info) { return std::string(info.param.Name); });

// Whatever the weekday a range starts or ends on, its weeks run Monday to Sunday.
TEST(TimeSliceTest, WeeksAlwaysRunMondayToSunday) {
    const TDateTime monday = D(2024, 4, 1);
    for (int start = 0; start < 7; ++start) {
        for (int end = 0; end < 7; ++end) {
            const TTimeSlice slice(TSliceKind::Week, monday + start, monday + 7 + end);
            SCOPED_TRACE(std::to_string(start) + "," + std::to_string(end));
            EXPECT_EQ(Spans(slice), (std::vector<std::string>{"2024-04-01..2024-04-07", "2024-04-08..2024-04-14"}));
            EXPECT_EQ(WeekdayFromMonday(monday + start), start);
        }
    }
    EXPECT_EQ(WeekdayFromMonday(D(1899, 12, 25)), 0); // a Monday before day 0
    EXPECT_EQ(WeekdayFromMonday(D(2000, 1, 2)), 6);   // a Sunday
}

TEST(TimeSliceTest, AmountsGoToTheBucketOfTheirDayAndOutsideDaysAddNothing) {
    TTimeSlice slice(TSliceKind::Month, D(2024, 1, 15), D(2024, 3, 10));
    struct Addition {
        TDateTime Day;
        double Amount;
        std::int32_t Bucket;
    };
    const Addition additions[] = {
        {D(2024, 1, 15), 1, 0},        // the first day
        {D(2024, 1, 31) + 0.99, 2, 0}, // the time of day does not matter
        {D(2024, 2, 29), 4, 1},        // leap day
        {D(2024, 3, 31), 8, 2},        // the last bucket runs to the month's end
        {D(2024, 1, 14), 16, -1},      // before every bucket
        {D(2024, 4, 1), 32, -1},       // after every bucket
    };
    for (const Addition& a : additions)
        EXPECT_EQ(slice.Add(a.Day, Money::FromDouble(a.Amount)), a.Bucket) << IsoDateText(a.Day);
    EXPECT_EQ(slice.Buckets()[0].Value, Money::FromUnits(3));
    EXPECT_EQ(slice.Buckets()[1].Value, Money::FromUnits(4));
    EXPECT_EQ(slice.Buckets()[2].Value, Money::FromUnits(8));
    EXPECT_EQ(slice.Total(), Money::FromUnits(15));
}

// A walk that passes the previous bucket as a hint finds the same buckets as a search, even
// when the hint is wrong.
TEST(TimeSliceTest, HintsNeverChangeTheBucketFound) {
    const TTimeSlice slice(TSliceKind::Week, D(2024, 1, 1), D(2024, 3, 31));
    for (TDateTime day = D(2023, 12, 25); day <= D(2024, 4, 7); day += 1) {
        const std::int32_t searched = slice.IndexOf(day);
        for (std::int32_t hint : {-1, 0, 3, slice.Count() - 1, slice.Count() + 4})
            EXPECT_EQ(slice.IndexOf(day, hint), searched) << IsoDateText(day) << " hint " << hint;
    }
    EXPECT_EQ(slice.IndexOf(D(2023, 12, 31)), -1);
    EXPECT_EQ(slice.IndexOf(D(2024, 1, 1)), 0);
    EXPECT_EQ(slice.IndexOf(D(2024, 3, 31)), slice.Count() - 1);
}

} // namespace
} // namespace qz::testing

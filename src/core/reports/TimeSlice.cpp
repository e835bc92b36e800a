#include "TimeSlice.h"

#include <algorithm>
#include <cmath>

namespace qz {

namespace {

std::int64_t MonthIndex(const CalendarDate& date) {
    return static_cast<std::int64_t>(date.Year) * 12 + (date.Month - 1);
}

// The first day of the month `months` after the month of `date`.
TDateTime FirstOfMonthAfter(const CalendarDate& date, int months) {
    const std::int64_t index = MonthIndex(date) + months;
    return EncodeDate(static_cast<int>(index / 12), static_cast<int>(index % 12) + 1, 1);
}

} // namespace

int WeekdayFromMonday(TDateTime day) {
    // Day 2 (1 January 1900) was a Monday.
    const auto n = static_cast<std::int64_t>(std::floor(day)) - 2;
    return static_cast<int>(((n % 7) + 7) % 7);
}

TDateTime LastDayOfMonth(TDateTime day) {
    return FirstOfMonthAfter(DecodeDate(day), 1) - 1;
}

TTimeSlice::TTimeSlice(TSliceKind kind, TDateTime firstDay, TDateTime lastDay)
    : SliceKind(kind), First(DayOf(firstDay)), Last(DayOf(lastDay)) {
    if (Last < First)
        return;
    Align();
    Build();
}

void TTimeSlice::Align() {
    if (SliceKind == TSliceKind::Week) {
        First -= WeekdayFromMonday(First);
        Last += 6 - WeekdayFromMonday(Last);
    } else if (SliceKind == TSliceKind::Quarter) {
        const CalendarDate first = DecodeDate(First);
        First = EncodeDate(first.Year, (first.Month - 1) / 3 * 3 + 1, 1);
        const CalendarDate last = DecodeDate(Last);
        Last = LastDayOfMonth(EncodeDate(last.Year, (last.Month - 1) / 3 * 3 + 3, 1));
    }
}

std::int32_t TTimeSlice::BucketCount(TSliceKind kind, TDateTime firstDay, TDateTime lastDay) {
    if (lastDay < firstDay)
        return 0;
    const auto days = static_cast<std::int64_t>(lastDay - firstDay);
    const std::int64_t months = MonthIndex(DecodeDate(lastDay)) - MonthIndex(DecodeDate(firstDay)) + 1;
    switch (kind) {
    case TSliceKind::Day:
        return static_cast<std::int32_t>(days + 1);
    case TSliceKind::Week:
        return static_cast<std::int32_t>(days / 7 + 1);
    case TSliceKind::Month:
        return static_cast<std::int32_t>(months);
    case TSliceKind::Quarter:
        return static_cast<std::int32_t>((months - 1) / 3 + 1);
    }
    return 0;
}

void TTimeSlice::Build() {
    const std::int32_t count = BucketCount(SliceKind, First, Last);
    BucketList.reserve(static_cast<std::size_t>(count));
    TDateTime day = First;
    for (std::int32_t i = 0; i < count; ++i) {
        TSliceBucket bucket;
        bucket.Start = day;
        switch (SliceKind) {
        case TSliceKind::Day:
            bucket.End = day;
            break;
        case TSliceKind::Week:
            bucket.End = day + 6;
            break;
        case TSliceKind::Month:
            bucket.End = LastDayOfMonth(day);
            break;
        case TSliceKind::Quarter:
            bucket.End = FirstOfMonthAfter(DecodeDate(day), 3) - 1;
            break;
        }
        BucketList.push_back(bucket);
        day = bucket.End + 1;
    }
}

std::int32_t TTimeSlice::IndexOf(TDateTime day, std::int32_t hint) const {
    day = DayOf(day);
    auto holds = [day](const TSliceBucket& b) { return b.Start <= day && day <= b.End; };
    if (hint >= 0 && hint < Count()) {
        // A walk in date order is in the hinted bucket or one of the next.
        for (std::int32_t i = hint; i < Count() && i < hint + 2; ++i)
            if (holds(BucketList[static_cast<std::size_t>(i)]))
                return i;
    }
    // The buckets are in date order and do not overlap: the candidate is the last that starts
    // on or before the day.
    auto after = std::upper_bound(BucketList.begin(), BucketList.end(), day,
                                  [](TDateTime d, const TSliceBucket& b) { return d < b.Start; });
    if (after == BucketList.begin())
        return -1;
    const auto index = static_cast<std::int32_t>(after - BucketList.begin()) - 1;
    return holds(BucketList[static_cast<std::size_t>(index)]) ? index : -1;
}

std::int32_t TTimeSlice::Add(TDateTime day, Money amount, std::int32_t hint) {
    const std::int32_t index = IndexOf(day, hint);
    if (index < 0)
        return -1;
    BucketList[static_cast<std::size_t>(index)].Value += amount;
    Sum += amount;
    return index;
}

} // namespace qz

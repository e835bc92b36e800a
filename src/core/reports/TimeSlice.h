#pragma once
// A series cut into time slices: days, Monday-to-Sunday weeks, calendar months or calendar
// quarters between two days, each slice summing the amounts added on its days.

#include "ledger/DateTime.h"
#include "ledger/Money.h"

#include <cstdint>
#include <vector>

namespace qz {

// The kinds are the indexes of the chart's "Range" choice.
enum class TSliceKind : std::uint8_t { Day = 0, Week = 1, Month = 2, Quarter = 3 };

struct TSliceBucket {
    TDateTime Start = 0; // whole days, both inclusive
    TDateTime End = 0;
    Money Value;

    std::int64_t Days() const { return static_cast<std::int64_t>(End - Start) + 1; }
};

class TTimeSlice {
public:
    // Aligns the range (weeks to Monday..Sunday, quarters to calendar quarters) and builds its
    // buckets. A range that ends before it starts has no buckets.
    TTimeSlice(TSliceKind kind, TDateTime firstDay, TDateTime lastDay);

    TSliceKind Kind() const { return SliceKind; }
    TDateTime FirstDay() const { return First; }
    TDateTime LastDay() const { return Last; }
    const std::vector<TSliceBucket>& Buckets() const { return BucketList; }
    std::vector<TSliceBucket>& Buckets() { return BucketList; }
    std::int32_t Count() const { return static_cast<std::int32_t>(BucketList.size()); }
    Money Total() const { return Sum; }

    // The bucket whose days hold `day` (its whole day), or -1. `hint` is a bucket to try
    // first: walks along dates find their bucket without a search.
    std::int32_t IndexOf(TDateTime day, std::int32_t hint = -1) const;
    // Adds the amount to the bucket of its day and to the total; a day outside every bucket
    // adds nothing. Returns the bucket, or -1.
    std::int32_t Add(TDateTime day, Money amount, std::int32_t hint = -1);

    // The number of buckets the kind gives between two days already aligned.
    static std::int32_t BucketCount(TSliceKind kind, TDateTime firstDay, TDateTime lastDay);

private:
    void Align();
    void Build();

    TSliceKind SliceKind;
    TDateTime First;
    TDateTime Last;
    std::vector<TSliceBucket> BucketList;
    Money Sum;
};

// Monday 0 .. Sunday 6.
int WeekdayFromMonday(TDateTime day);
// The last day of the month `day` falls in.
TDateTime LastDayOfMonth(TDateTime day);

} // namespace qz

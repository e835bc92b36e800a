#pragma once
// The month selector's rules: which twelve months its two rows of buttons show, which of them
// lie in the ledger's range, and how clicks choose a period of whole months. Months count from
// 0 (January) to 11 here.

#include <cstdint>
#include <vector>

namespace qz {

struct TYearMonth {
    int Year = -1;
    int Month = -1; // 0..11; -1 for none

    bool operator==(const TYearMonth&) const = default;
    bool operator<(const TYearMonth& other) const {
        return Year != other.Year ? Year < other.Year : Month < other.Month;
    }
    bool operator<=(const TYearMonth& other) const { return !(other < *this); }
};

enum class TMonthLook : std::uint8_t {
    Chosen,          // white on blue, pressed
    InRangeEvenYear, // white on dark green, raised
    InRangeOddYear,  // white on maroon, raised
    OutOfRange,      // grey on the button face, flat
};

class TMonthSelection {
public:
    static constexpr int Rows = 2;
    static constexpr int Columns = 6;

    // The months of the ledger's first and last transaction in key order.
    TMonthSelection(TYearMonth first, TYearMonth last);

    int ViewYear() const { return View; }
    // Row 1 shows July to December of the view year, row 2 January to June of the next.
    bool SecondHalf() const { return Second; }
    TYearMonth ButtonMonth(int row, int column) const;
    TMonthLook Look(int row, int column) const;
    bool InRange(TYearMonth month) const { return First <= month && month <= Last; }
    bool Chosen(TYearMonth month) const { return Start.Month >= 0 && Start <= month && month <= End; }
    // The years beside the rows: the view year alone, or with the second half the next one below it.
    std::vector<int> YearLabels() const;

    bool UpEnabled() const { return InRange(ButtonMonth(0, 0)); }
    bool DownEnabled() const { return InRange(ButtonMonth(1, 0)); }
    bool OKEnabled() const { return Start.Month >= 0; }

    // Six months back or forward.
    void Up();
    void Down();
    // The view of the opening and nothing chosen.
    void Reset();
    // A month button clicked; false when the click is refused (out of range, or already the start
    // or the end of the period).
    bool Click(int row, int column);

    TYearMonth StartMonth() const { return Start; }
    TYearMonth EndMonth() const { return End; }

    // Days in a month (0..11) by the Gregorian leap-year rule.
    static int DaysInMonth(int year, int month);

private:
    TYearMonth First;
    TYearMonth Last;
    int View = 0;
    bool Second = false;
    int InitialView = 0;
    bool InitialSecond = false;
    TYearMonth Start;
    TYearMonth End;
};

} // namespace qz

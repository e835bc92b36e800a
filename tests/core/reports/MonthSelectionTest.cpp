// The month selector's views and choices over ledgers of different spans.

#include "reports/MonthSelection.h"

#include <gtest/gtest.h>

#include <string>

namespace qz::test {
namespace {

// The two rows as "Jul 2001 .. Dec 2001 / Jan 2002 .. Jun 2002", out-of-range months in brackets.
std::string Rows(const TMonthSelection& selection) {
    static const char* const Names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::string text;
    for (int row = 0; row < TMonthSelection::Rows; ++row) {
        for (int column = 0; column < TMonthSelection::Columns; column += 5) {
            const TYearMonth month = selection.ButtonMonth(row, column);
            const std::string name = std::string(Names[month.Month]) + " " + std::to_string(month.Year);
            text += selection.InRange(month) ? name : "[" + name + "]";
            text += column == 0 ? " .. " : row == 0 ? " / " : "";
        }
    }
    return text;
}

TEST(MonthSelectionTest, OpeningViewEndsAtTheLedgersLastMonth) {
    const struct {
        TYearMonth First;
        TYearMonth Last;
        const char* Shown;
        bool Up;
        bool Down;
    } cases[] = {
        // One year ending in the second half: July to December on top, the empty next half below.
        {{2001, 2}, {2001, 9}, "Jul 2001 .. [Dec 2001] / [Jan 2002] .. [Jun 2002]", true, false},
        // Ending in the first half of a later year: the last year's first half below.
        {{2000, 10}, {2002, 2}, "Jul 2001 .. Dec 2001 / Jan 2002 .. [Jun 2002]", true, true},
        // One year ending in its first half: January to December of it.
        {{2003, 0}, {2003, 3}, "Jan 2003 .. [Jun 2003] / [Jul 2003] .. [Dec 2003]", true, false},
        // Ending in the second half of a later year: that whole year.
        {{1999, 5}, {2001, 7}, "Jan 2001 .. Jun 2001 / Jul 2001 .. [Dec 2001]", true, true},
    };
    for (const auto& c : cases) {
        const TMonthSelection selection(c.First, c.Last);
        EXPECT_EQ(Rows(selection), c.Shown);
        EXPECT_EQ(selection.UpEnabled(), c.Up) << c.Shown;
        EXPECT_EQ(selection.DownEnabled(), c.Down) << c.Shown;
        EXPECT_FALSE(selection.OKEnabled());
    }
}

TEST(MonthSelectionTest, UpAndDownMoveSixMonthsAndResetGoesBack) {
    TMonthSelection selection({2001, 2}, {2001, 9});
    selection.Up();
    EXPECT_EQ(Rows(selection), "[Jan 2001] .. Jun 2001 / Jul 2001 .. [Dec 2001]");
    EXPECT_FALSE(selection.UpEnabled());
    EXPECT_EQ(selection.YearLabels(), std::vector<int>{2001});
    selection.Up();
    EXPECT_EQ(Rows(selection), "[Jul 2000] .. [Dec 2000] / [Jan 2001] .. Jun 2001");
    EXPECT_EQ(selection.YearLabels(), (std::vector<int>{2000, 2001}));
    selection.Down();
    selection.Down();
    selection.Click(0, 0); // Jul 2001
    selection.Reset();
    EXPECT_EQ(Rows(selection), "Jul 2001 .. [Dec 2001] / [Jan 2002] .. [Jun 2002]");
    EXPECT_FALSE(selection.OKEnabled());
    EXPECT_EQ(selection.StartMonth(), TYearMonth{});
}

TEST(MonthSelectionTest, ClicksChooseAPeriodOfWholeMonths) {
    // A ledger over the whole of 2004 opens on its second half; one step up shows January to December.
    TMonthSelection selection({2004, 0}, {2004, 11});
    EXPECT_EQ(selection.ButtonMonth(0, 0), (TYearMonth{2004, 6}));
    selection.Up();
    ASSERT_EQ(selection.ButtonMonth(0, 4), (TYearMonth{2004, 4}));
    const struct {
        int Row, Column;
        bool Taken;
        int Start, End; // months of 2004 after the click
    } clicks[] = {
        {0, 4, true, 4, 4},  // May
        {0, 1, true, 1, 4},  // February: before the start, the new start
        {0, 3, true, 1, 3},  // April: inside, shortens the period from its end
        {0, 1, false, 1, 3}, // February again: already the start
        {0, 3, false, 1, 3}, // April again: already the end
        {1, 5, true, 1, 11}, // December
    };
    for (const auto& c : clicks) {
        EXPECT_EQ(selection.Click(c.Row, c.Column), c.Taken) << c.Row << "," << c.Column;
        EXPECT_EQ(selection.StartMonth(), (TYearMonth{2004, c.Start}));
        EXPECT_EQ(selection.EndMonth(), (TYearMonth{2004, c.End}));
    }
    EXPECT_TRUE(selection.OKEnabled());
    EXPECT_EQ(selection.Look(0, 0), TMonthLook::InRangeEvenYear);
    EXPECT_EQ(selection.Look(0, 2), TMonthLook::Chosen);

    // Out of range: refused, nothing chosen.
    TMonthSelection part({2001, 2}, {2001, 9});
    EXPECT_FALSE(part.Click(1, 0)); // Jan 2002
    EXPECT_FALSE(part.OKEnabled());
    EXPECT_EQ(part.Look(1, 0), TMonthLook::OutOfRange);
    EXPECT_EQ(part.Look(0, 0), TMonthLook::InRangeOddYear);
}

TEST(MonthSelectionTest, MonthsEndOnTheirLastDay) {
    const struct {
        int Year, Month, Days;
    } months[] = {{2000, 1, 29}, {2001, 1, 28}, {1900, 1, 28}, {2004, 1, 29}, {2001, 3, 30}, {2001, 11, 31}};
    for (const auto& m : months)
        EXPECT_EQ(TMonthSelection::DaysInMonth(m.Year, m.Month), m.Days) << m.Year << "-" << m.Month;
}

} // namespace
} // namespace qz::test

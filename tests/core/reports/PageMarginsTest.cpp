// The page setup's margins: their limits, units and steps, and how they turn with the paper.

#include "reports/PageMargins.h"

#include <gtest/gtest.h>

namespace qz::test {
namespace {

using enum TMarginSide;
using enum TPaperOrientation;

constexpr int A4Width = 2100;
constexpr int A4Length = 2970;
const TPageMargins Minima{10, 10, 10, 10};

TMarginPanel A4Panel(const TPageMargins& margins, TPaperOrientation orientation = Portrait, bool inches = false) {
    return TMarginPanel(inches, margins, Minima, A4Width, A4Length, orientation);
}

TEST(PageMarginsTest, MarginsTurnWithThePaper) {
    const TPageMargins upright{10, 20, 30, 40};
    const TPageMargins turned = TurnMargins(upright, Portrait, Landscape);
    EXPECT_EQ(turned, (TPageMargins{40, 30, 10, 20}));
    EXPECT_EQ(TurnMargins(turned, Landscape, Portrait), upright);
    EXPECT_EQ(TurnMargins(upright, Landscape, Landscape), upright);
    // The panel turns its values the same way.
    TMarginPanel panel = A4Panel(upright);
    panel.SetOrientation(Landscape);
    EXPECT_EQ(panel.MarginsMm(), turned);
    panel.SetOrientation(Landscape);
    EXPECT_EQ(panel.MarginsMm(), turned);
}

TEST(PageMarginsTest, MaximaLeaveEightyMillimetresAlongEachAxis) {
    const struct {
        TPaperOrientation Orientation;
        TPageMargins Margins;
        TMarginSide Side;
        double Maximum;
    } cases[] = {
        {Portrait, {15, 15, 15, 15}, Left, 115},  // 210 - 15 - 80
        {Landscape, {15, 15, 15, 15}, Left, 202}, // 297 - 15 - 80
        {Portrait, {15, 15, 15, 15}, Top, 202},   {Landscape, {15, 15, 15, 15}, Bottom, 115},
        {Portrait, {30, 50, 15, 15}, Left, 80}, // the opposite margin counts, not its own
        {Portrait, {30, 50, 15, 15}, Right, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Side));
        const TMarginPanel panel = A4Panel(c.Margins, c.Orientation);
        EXPECT_DOUBLE_EQ(panel.Maximum(c.Side), c.Maximum);
    }
}

TEST(PageMarginsTest, TypedAndSteppedValuesStayWithinTheirLimits) {
    const struct {
        bool Inches;
        double Typed;
        double Kept;
    } typed[] = {
        {false, 5, 10},     // raised to the minimum
        {false, 40, 40},    // as typed
        {false, 500, 115},  // lowered to the maximum
        {true, 0.1, 0.394}, // 10 mm in inches
        {true, 9, 115 * TMarginPanel::InchFactor},
    };
    for (const auto& c : typed) {
        SCOPED_TRACE(c.Typed);
        TMarginPanel panel = A4Panel({}, Portrait, c.Inches);
        panel.Type(Left, c.Typed);
        EXPECT_NEAR(panel.Value(Left), c.Kept, 1e-9);
    }
    TMarginPanel panel = A4Panel({114.5, 15, 15, 15});
    panel.Increase(Left);
    EXPECT_DOUBLE_EQ(panel.Value(Left), 115);
    panel.Increase(Left);
    EXPECT_DOUBLE_EQ(panel.Value(Left), 115);
    panel.Type(Left, 10.5);
    panel.Decrease(Left);
    EXPECT_DOUBLE_EQ(panel.Value(Left), 10);
    panel.Decrease(Left);
    EXPECT_DOUBLE_EQ(panel.Value(Left), 10);
    panel.Decrease(Top);
    EXPECT_DOUBLE_EQ(panel.Value(Top), 14);
}

TEST(PageMarginsTest, InchModeShowsMillimetresTimesTheFactorAndStepsByATenth) {
    TMarginPanel panel = A4Panel({}, Portrait, true);
    EXPECT_NEAR(panel.Value(Left), 0.591, 1e-12);
    EXPECT_EQ(panel.Text(Left), "0.59\"");
    EXPECT_DOUBLE_EQ(panel.Step(), 0.1);
    EXPECT_NEAR(panel.Minimum(Top), 0.394, 1e-12);
    panel.Increase(Left);
    EXPECT_NEAR(panel.Value(Left), 0.691, 1e-12);
    EXPECT_NEAR(panel.MarginsMm().Left, 0.691 / 0.0394, 1e-9);
    EXPECT_EQ(A4Panel({12.345, 15, 15, 15}).Text(Left), "12.35 mm");
}

TEST(PageMarginsTest, ResetAndAnotherPaperPutEveryMarginBackToFifteen) {
    TMarginPanel panel = A4Panel({10, 20, 30, 40});
    panel.SetPaper(2159, 2794); // Letter
    EXPECT_EQ(panel.MarginsMm(), (TPageMargins{15, 15, 15, 15}));
    EXPECT_DOUBLE_EQ(panel.Maximum(Left), 215.9 - 15 - 80);
    panel.Type(Top, 50);
    panel.Reset();
    EXPECT_EQ(panel.MarginsMm(), (TPageMargins{15, 15, 15, 15}));
    TMarginPanel inches = A4Panel({10, 20, 30, 40}, Portrait, true);
    inches.Reset();
    EXPECT_NEAR(inches.Value(Bottom), 15 * 0.0394, 1e-12);
}

TEST(PageMarginsTest, TypedTextIsANumberWithOrWithoutItsUnit) {
    const struct {
        const char* Typed;
        bool Valid;
        double Value;
    } cases[] = {
        {"12.5", true, 12.5}, {"12.50 mm", true, 12.5}, {" 0.75\"", true, 0.75}, {"", false, 0},
        {"abc", false, 0},    {"12 cm", false, 0},      {"12.5mm", true, 12.5},
    };
    for (const auto& c : cases) {
        double value = -1;
        EXPECT_EQ(TMarginPanel::ParseTyped(c.Typed, value), c.Valid) << c.Typed;
        if (c.Valid) {
            EXPECT_DOUBLE_EQ(value, c.Value) << c.Typed;
        }
    }
}

} // namespace
} // namespace qz::test

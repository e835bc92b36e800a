// The tax panel's four exit rules at the half cent, where rounding to the even cent decides,
// and the boxes always adding up afterwards.

#include "edit/TransactionGst.h"

#include <gtest/gtest.h>

namespace qz::testing {
namespace {

Money C(std::int64_t cents) {
    return Money::FromCents(cents);
}

enum class Rule { Percentage, BeforeGst, GstAmount, Amount };

struct ExitCase {
    const char* Name;
    Rule Exit;
    TGstBoxes In;
    Money Amount, BeforeGst, Gst; // afterwards
};

// Boxes: amount, before-GST, percentage, GST, percentage mode.
const ExitCase Cases[] = {
    // 1.23 at 20 %: the tax is 0.205 exactly; to the even cent 0.20, and 1.03 before it (not
    // 1.025 rounded on its own to 1.02, which would not add up to 1.23).
    {"percentage, half cent down to even",
     Rule::Percentage,
     {C(123), C(0), C(2000), C(0), true},
     C(123),
     C(103),
     C(20)},
    // 1.29 at 20 %: 0.215 goes up to 0.22.
    {"percentage, half cent up to even", Rule::Percentage, {C(129), C(0), C(2000), C(0), true}, C(129), C(107), C(22)},
    {"percentage at 100 %", Rule::Percentage, {C(3), C(0), C(10000), C(0), true}, C(3), C(1), C(2)},
    {"percentage at 10 %", Rule::Percentage, {C(11000), C(0), C(1000), C(0), true}, C(11000), C(10000), C(1000)},
    {"percentage without an amount clears", Rule::Percentage, {C(0), C(500), C(1000), C(50), true}, C(0), C(0), C(0)},
    // 0.05 at 10 %: 0.005 of tax goes to 0.00, and the amount is 0.05 (not 0.055 rounded to 0.06).
    {"before GST, half cent down to even", Rule::BeforeGst, {C(0), C(5), C(1000), C(0), true}, C(5), C(5), C(0)},
    {"before GST, half cent up to even", Rule::BeforeGst, {C(0), C(15), C(1000), C(0), true}, C(17), C(15), C(2)},
    {"before GST at 12.5 %", Rule::BeforeGst, {C(0), C(1000), C(1250), C(0), true}, C(1125), C(1000), C(125)},
    {"before GST, typed tax kept", Rule::BeforeGst, {C(0), C(1000), C(1000), C(333), false}, C(1333), C(1000), C(333)},
    {"GST amount with an amount", Rule::GstAmount, {C(11000), C(0), C(0), C(1234), false}, C(11000), C(9766), C(1234)},
    {"GST amount without an amount", Rule::GstAmount, {C(0), C(500), C(0), C(50), false}, C(550), C(500), C(50)},
    {"GST amount with neither", Rule::GstAmount, {C(0), C(0), C(0), C(50), false}, C(0), C(0), C(50)},
    {"amount in percentage mode", Rule::Amount, {C(123), C(999), C(2000), C(7), true}, C(123), C(103), C(20)},
    {"amount in fixed mode", Rule::Amount, {C(123), C(999), C(2000), C(7), false}, C(123), C(116), C(7)},
};

TEST(TransactionGst, ExitRulesRoundHalvesToEvenAndAddUp) {
    for (const ExitCase& c : Cases) {
        SCOPED_TRACE(c.Name);
        TGstBoxes boxes = c.In;
        switch (c.Exit) {
        case Rule::Percentage:
            PercentageExit(boxes);
            break;
        case Rule::BeforeGst:
            BeforeGstExit(boxes);
            break;
        case Rule::GstAmount:
            GstAmountExit(boxes);
            break;
        case Rule::Amount:
            AmountExit(boxes);
            break;
        }
        EXPECT_EQ(boxes.Amount, c.Amount);
        EXPECT_EQ(boxes.BeforeGst, c.BeforeGst);
        EXPECT_EQ(boxes.Gst, c.Gst);
        EXPECT_EQ(boxes.Percent, c.In.Percent);
        if (boxes.Amount > Money()) {
            EXPECT_EQ(boxes.BeforeGst + boxes.Gst, boxes.Amount);
        }
    }
}

TEST(TransactionGst, BoxesKeepTwoDecimalsHalvesToEven) {
    const struct {
        std::int64_t Raw;
        Money Box;
    } values[] = {{10050, C(100)}, {10150, C(102)}, {10250, C(102)}, {10251, C(103)}, {-10050, C(-100)}};
    for (const auto& v : values)
        EXPECT_EQ(BoxValue(Money::FromRaw(v.Raw)), v.Box) << v.Raw;
    EXPECT_EQ(PercentBoxValue(Money::FromRaw(125050)), C(1250));
    EXPECT_EQ(PercentBoxValue(Money::FromUnits(101)), Money::FromUnits(100));
    EXPECT_EQ(PercentBoxValue(Money::FromUnits(-1)), Money());
}

} // namespace
} // namespace qz::testing

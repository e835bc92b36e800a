#include "ledger/Money.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace qz {
namespace {

Money Raw(std::int64_t raw) {
    return Money::FromRaw(raw);
}

TEST(MoneyTest, DivideRoundedTakesTheNearestMultipleAndHalvesToEven) {
    struct Case {
        std::int64_t Numerator;
        std::int64_t Denominator;
        std::int64_t Unit;
        std::int64_t Expected;
    };
    const Case cases[] = {
        {5, 2, 1, 2},         {7, 2, 1, 4},         {-5, 2, 1, -2},       {-7, 2, 1, -4},      {5, -2, 1, -2},
        {-5, -2, 1, 2},       {2, 3, 1, 1},         {-2, 3, 1, -1},       {1, 3, 1, 0},        {250, 1, 100, 200},
        {350, 1, 100, 400},   {-250, 1, 100, -200}, {-350, 1, 100, -400}, {251, 1, 100, 300},  {249, 1, 100, 200},
        {-251, 1, 100, -300}, {-249, 1, 100, -200}, {0, 7, 100, 0},       {2000, 8, 100, 200}, {1200, 8, 100, 200},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DivideRounded(c.Numerator, c.Denominator, c.Unit), c.Expected)
            << c.Numerator << " / " << c.Denominator << " to " << c.Unit;
}

TEST(MoneyTest, RoundCentsHalvesToEven) {
    struct Case {
        std::int64_t Raw;
        std::int64_t Expected;
    };
    const Case cases[] = {{1250, 1200},   {1350, 1400}, {-1250, -1200}, {-1350, -1400},     {1251, 1300}, {1249, 1200},
                          {-1251, -1300}, {50, 0},      {150, 200},     {1234567, 1234600}, {0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(RoundCents(Raw(c.Raw)).Raw(), c.Expected) << c.Raw;
}

TEST(MoneyTest, MulDivRoundsToTenThousandthsWithoutOverflow) {
    EXPECT_EQ(MulDiv(Money::FromUnits(10), Money::FromUnits(1), Money::FromUnits(3)).Raw(), 33333);
    EXPECT_EQ(MulDiv(Money::FromUnits(2), Money::FromUnits(1), Money::FromUnits(3)).Raw(), 6667);
    EXPECT_EQ(MulDiv(Money::FromUnits(-2), Money::FromUnits(1), Money::FromUnits(3)).Raw(), -6667);
    EXPECT_EQ(MulDiv(Raw(1), Money::FromUnits(1), Money::FromUnits(2)).Raw(), 0);
    EXPECT_EQ(MulDiv(Raw(3), Money::FromUnits(1), Money::FromUnits(2)).Raw(), 2);
    EXPECT_EQ(MulDiv(Money::FromUnits(5), Money::FromUnits(7), Money()).Raw(), 0);
    // The product of two large raw values passes 64 bits before the division brings it back.
    const Money large = Money::FromUnits(900'000'000'000);
    EXPECT_EQ(MulDiv(large, Money::FromUnits(3), Money::FromUnits(3)), large);
}

TEST(MoneyTest, PercentOfIsTheShareTimesHundred) {
    EXPECT_EQ(PercentOf(Money::FromUnits(25), Money::FromUnits(200)).Raw(), 125000);
    EXPECT_EQ(PercentOf(Money::FromUnits(1), Money::FromUnits(3)).Raw(), 333333);
    EXPECT_EQ(PercentOf(Money::FromUnits(2), Money::FromUnits(3)).Raw(), 666667);
    EXPECT_EQ(PercentOf(Money::FromUnits(-50), Money::FromUnits(200)).Raw(), -250000);
    EXPECT_EQ(PercentOf(Money::FromUnits(7), Money()).Raw(), 0);
}

TEST(MoneyTest, NetAndTaxOfGrossAreEachRoundedToCents) {
    struct Case {
        std::int64_t GrossRaw;
        std::int64_t PercentRaw;
        std::int64_t NetRaw;
        std::int64_t TaxRaw;
    };
    const Case cases[] = {
        {1100000, 100000, 1000000, 100000}, // 110.00 at 10 %
        {500, 100000, 500, 0},              // 0.05 / 1.1 = 0.04545...
        {-1100000, 100000, -1000000, -100000},
        {1125000, 125000, 1000000, 125000}, // 112.50 at 12.5 %
        // At 20 % the exact net of 0.09 is 0.075 and the exact tax 0.015: both halves go to the even cent.
        {900, 200000, 800, 200},
        {300, 200000, 200, 0},        // 0.025 and 0.005
        {12345, 100000, 11200, 1100}, // a gross with sub-cent digits still gives whole cents
        {12345, 0, 12300, 0},
        {0, 100000, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NetOfGross(Raw(c.GrossRaw), Raw(c.PercentRaw)).Raw(), c.NetRaw)
            << c.GrossRaw << " at " << c.PercentRaw;
        EXPECT_EQ(TaxOfGross(Raw(c.GrossRaw), Raw(c.PercentRaw)).Raw(), c.TaxRaw)
            << c.GrossRaw << " at " << c.PercentRaw;
    }
}

TEST(MoneyTest, GrossOfNetAndPercentageOfRoundHalvesToEven) {
    const Money ten = Money::FromUnits(10);
    EXPECT_EQ(GrossOfNet(Money::FromUnits(100), ten), Money::FromUnits(110));
    EXPECT_EQ(GrossOfNet(Money::FromCents(5), ten), Money::FromCents(6));   // 0.055
    EXPECT_EQ(GrossOfNet(Money::FromCents(15), ten), Money::FromCents(16)); // 0.165
    EXPECT_EQ(GrossOfNet(Money::FromCents(-15), ten), Money::FromCents(-16));
    EXPECT_EQ(GrossOfNet(Money::FromCents(123), Money()), Money::FromCents(123));

    EXPECT_EQ(PercentageOf(Money::FromUnits(100), ten), ten);
    EXPECT_EQ(PercentageOf(Money::FromCents(25), ten), Money::FromCents(2)); // 0.025
    EXPECT_EQ(PercentageOf(Money::FromCents(35), ten), Money::FromCents(4)); // 0.035
    EXPECT_EQ(PercentageOf(Money::FromCents(-35), ten), Money::FromCents(-4));
}

TEST(MoneyTest, ConstructionIsExactAndDoublesGoToTheNearestTenThousandth) {
    EXPECT_EQ(Money::FromUnits(12).Raw(), 120000);
    EXPECT_EQ(Money::FromCents(-1234).Raw(), -123400);
    EXPECT_EQ(Money::FromDouble(12.3456).Raw(), 123456);
    EXPECT_EQ(Money::FromDouble(-0.1).Raw(), -1000);
    EXPECT_EQ(Money::FromDouble(1.005).Raw(), 10050);

    EXPECT_EQ((Money::FromUnits(3) - Money::FromUnits(5)).Abs(), Money::FromUnits(2));
    EXPECT_LT(-Money::FromCents(1), Money());
}

} // namespace
} // namespace qz

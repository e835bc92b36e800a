#include "Money.h"

#include <cmath>
#include <cstdio>
#include <ostream>

namespace qz {

Money Money::FromDouble(double value) { return Money(static_cast<std::int64_t>(std::llround(value * Scale))); }

std::ostream& operator<<(std::ostream& out, Money value) {
    const std::int64_t raw = value.Raw();
    const unsigned long long magnitude = raw < 0 ? 0ull - static_cast<unsigned long long>(raw) : static_cast<unsigned long long>(raw);
    char text[32];
    std::snprintf(text, sizeof text, "%s%llu.%04llu", raw < 0 ? "-" : "", magnitude / Money::Scale, magnitude % Money::Scale);
    return out << text;
}

std::int64_t DivideRounded(__int128 numerator, __int128 denominator, std::int64_t unit) {
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const __int128 step = denominator * unit;
    __int128 quotient = numerator / step;
    __int128 remainder = numerator % step;
    if (remainder < 0) {
        remainder += step;
        --quotient;
    }
    // Twice the remainder against the step decides: below half rounds down, above rounds up,
    // exactly half goes to the even neighbour.
    const __int128 twice = remainder * 2;
    if (twice > step || (twice == step && (quotient & 1) != 0))
        ++quotient;
    return static_cast<std::int64_t>(quotient * unit);
}

Money MulDiv(Money value, Money numerator, Money denominator) {
    if (denominator.IsZero())
        return Money();
    return Money::FromRaw(DivideRounded(static_cast<__int128>(value.Raw()) * numerator.Raw(), denominator.Raw(), 1));
}

Money RoundCents(Money value) { return Money::FromRaw(DivideRounded(value.Raw(), 1, Money::Scale / 100)); }

Money PercentOf(Money share, Money whole) { return MulDiv(share, Money::FromUnits(100), whole); }

namespace {
constexpr std::int64_t HundredRaw = 100 * Money::Scale;
}

Money NetOfGross(Money gross, Money percent) {
    const __int128 denominator = HundredRaw + percent.Raw();
    if (denominator == 0)
        return Money();
    return Money::FromRaw(
        DivideRounded(static_cast<__int128>(gross.Raw()) * HundredRaw, denominator, Money::Scale / 100));
}

// gross - gross / (1 + p/100) = gross × p / (100 + p), rounded on its own: subtracting the rounded net
// would leave sub-cent digits whenever the gross has them.
Money TaxOfGross(Money gross, Money percent) {
    const __int128 denominator = HundredRaw + percent.Raw();
    if (denominator == 0)
        return Money();
    return Money::FromRaw(
        DivideRounded(static_cast<__int128>(gross.Raw()) * percent.Raw(), denominator, Money::Scale / 100));
}

Money GrossOfNet(Money net, Money percent) {
    return Money::FromRaw(DivideRounded(static_cast<__int128>(net.Raw()) * (HundredRaw + percent.Raw()), HundredRaw,
                                        Money::Scale / 100));
}

Money PercentageOf(Money amount, Money percent) {
    return Money::FromRaw(
        DivideRounded(static_cast<__int128>(amount.Raw()) * percent.Raw(), HundredRaw, Money::Scale / 100));
}

} // namespace qz

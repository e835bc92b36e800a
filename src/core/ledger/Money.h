#pragma once
// Money is a whole number of ten-thousandths: sums and differences are exact, and every
// value produced by a division is rounded in one of the named functions below.

#include <compare>
#include <cstdint>
#include <iosfwd>

namespace qz {

class Money {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Money() = default;
    static constexpr Money FromRaw(std::int64_t raw) { return Money(raw); }
    static constexpr Money FromUnits(std::int64_t units) { return Money(units * Scale); }
    static constexpr Money FromCents(std::int64_t cents) { return Money(cents * (Scale / 100)); }
    // For literals in tests and shipped data; the nearest ten-thousandth.
    static Money FromDouble(double value);

    constexpr std::int64_t Raw() const { return Value; }
    double ToDouble() const { return static_cast<double>(Value) / Scale; }

    constexpr Money operator-() const { return Money(-Value); }
    constexpr Money operator+(Money other) const { return Money(Value + other.Value); }
    constexpr Money operator-(Money other) const { return Money(Value - other.Value); }
    constexpr Money& operator+=(Money other) {
        Value += other.Value;
        return *this;
    }
    constexpr Money& operator-=(Money other) {
        Value -= other.Value;
        return *this;
    }
    constexpr auto operator<=>(const Money&) const = default;
    constexpr bool IsZero() const { return Value == 0; }
    constexpr Money Abs() const { return Value < 0 ? Money(-Value) : *this; }

private:
    constexpr explicit Money(std::int64_t raw) : Value(raw) {}
    std::int64_t Value = 0;
};

// Writes the plain decimal value with four places ("-12.5000"), for logs and test output.
std::ostream& operator<<(std::ostream& out, Money value);

// Rounds the exact quotient numerator / denominator to the nearest multiple of `unit`,
// halves to the even neighbour. `denominator` must not be 0.
std::int64_t DivideRounded(__int128 numerator, __int128 denominator, std::int64_t unit);

// value × numerator / denominator, rounded to the nearest ten-thousandth (half to even).
// A zero denominator gives 0.
Money MulDiv(Money value, Money numerator, Money denominator);

// Rounds to whole cents, halves to the even neighbour.
Money RoundCents(Money value);

// share / whole × 100 as a percentage (10 % is 10.0000), to the nearest ten-thousandth;
// 0 when whole is 0.
Money PercentOf(Money share, Money whole);

// The GST/VAT arithmetic at `percent` (10 % held as 10.0000). Each result is rounded to
// cents, halves to even, straight from the exact value.
Money NetOfGross(Money gross, Money percent);     // gross / (1 + p/100)
Money TaxOfGross(Money gross, Money percent);     // gross - NetOfGross
Money GrossOfNet(Money net, Money percent);       // net × (1 + p/100)
Money PercentageOf(Money amount, Money percent);  // amount × p / 100

} // namespace qz

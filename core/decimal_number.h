#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veldronix {

// An exact decimal number, as a user types it: digits times a power of ten,
// with a sign. Products stay exact; only a quotient is ever rounded.
class DecimalNumber {
public:
    // The number that a whole text spells: an optional sign, digits with an
    // optional point and fraction (at least one digit), an optional exponent
    // (e or E, an optional sign, digits). No blanks, no inf or nan. None for
    // any other text, and for a number whose decimal point would move more than
    // 400 places (its value then lies far outside what any double holds).
    static std::optional<DecimalNumber> parse(std::string_view text);
    // A whole number.
    static DecimalNumber integer(std::uint32_t value);

    bool isZero() const { return limbs_.empty(); }
    bool isNegative() const { return negative_; }
    // The nearest double (an infinity or 0 for a value beyond the doubles').
    double toDouble() const;

    friend DecimalNumber operator*(const DecimalNumber& left, const DecimalNumber& right);
    // Equal values, however they were written ("5", "5.0", "0.5e1").
    friend bool operator==(const DecimalNumber& left, const DecimalNumber& right);

    // The digits in base 10^9, least significant first, without leading zero
    // limbs (none for 0); the value is digits × 10^exponent.
    const std::vector<std::uint32_t>& limbs() const { return limbs_; }
    int exponent() const { return exponent_; }

private:
    std::vector<std::uint32_t> limbs_;
    int exponent_ = 0;
    bool negative_ = false;
};

// The quotient dividend / divisor (divisor not 0) in fixed notation, rounded
// to the nearest multiple of 10^-decimals with halves away from zero, and
// written without trailing zeros after the point, nor the point itself when
// nothing follows it: 32000, 26.666667, -0.5. A result that rounds to zero is
// "0", never "-0".
std::string quotientText(const DecimalNumber& dividend, const DecimalNumber& divisor, int decimals);

} // namespace veldronix

#pragma once

#include <cstdint>
#include <vector>

namespace veldronix::design {

// A signed integer of any size, for the rare comparisons of move times that
// doubles cannot settle. Only what those comparisons need: sums, products,
// shifts by powers of two and the sign.
class BigInteger {
public:
    BigInteger() = default;
    BigInteger(std::int64_t value); // NOLINT: integers convert as they do to any integer type
    static BigInteger fromUnsigned(std::uint64_t value);

    int sign() const { return magnitude_.empty() ? 0 : (negative_ ? -1 : 1); }

    BigInteger operator-() const;
    friend BigInteger operator+(const BigInteger& a, const BigInteger& b);
    friend BigInteger operator-(const BigInteger& a, const BigInteger& b);
    friend BigInteger operator*(const BigInteger& a, const BigInteger& b);
    // Multiplied by 2^bits.
    BigInteger shiftedLeft(unsigned bits) const;

    friend bool operator==(const BigInteger& a, const BigInteger& b) = default;

private:
    // Least significant limb first, no leading zero limbs; zero is empty and not negative.
    std::vector<std::uint32_t> magnitude_;
    bool negative_ = false;

    void trim();
    static int compareMagnitudes(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b);
    static std::vector<std::uint32_t> addMagnitudes(const std::vector<std::uint32_t>& a,
                                                    const std::vector<std::uint32_t>& b);
    // a - b for |a| >= |b|.
    static std::vector<std::uint32_t> subtractMagnitudes(const std::vector<std::uint32_t>& a,
                                                         const std::vector<std::uint32_t>& b);
};

// A finite double as the exact integer mantissa x 2^exponent.
struct ExactDouble {
    BigInteger mantissa;
    int exponent = 0;
};
ExactDouble exactly(double value);

} // namespace veldronix::design

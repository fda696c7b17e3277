#include "core/design/rounded_text.h"
#include "core/number_parser.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace veldronix::design {
namespace {

// The C library's %.*g: the exact value rounded, halves to even, in the same layout.
std::string printed(double x, int digits)
{
    std::array<char, 64> buffer{};
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.*g", digits, x);
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

void expectAsPrinted(double x, int digits)
{
    const RoundedText t = roundedText(x, digits);
    const std::string expected = printed(x, digits);
    ASSERT_EQ(t.text(), expected) << std::hexfloat << x << " to " << digits;
    const double read = parseNumber(expected);
    ASSERT_EQ(std::memcmp(&t.value, &read, sizeof read), 0) << expected;
}

TEST(RoundedText, roundsHalvesToEvenAndLaysOutAsTheGeneralFormat)
{
    struct Case {
        double x;
        int digits;
        const char* text;
    };
    const Case cases[] = {
        {0.125, 2, "0.12"},            // an exact half goes to the even digit
        {0.375, 2, "0.38"},
        {2.5, 1, "2"},
        {0.00025321, 3, "0.000253"},   // fixed down to 1e-4
        {0.000025321, 3, "2.53e-05"},  // an exponent of two digits below it
        {9.9996, 4, "10"},             // rounding up to the next power of ten
        {123456.0, 3, "1.23e+05"},     // the exponent form from 10^digits
        {123456.0, 6, "123456"},
        {1200.0, 4, "1200"},           // trailing zeros of a whole number stay
        {0.1, 17, "0.10000000000000001"},
        {1e-30, 3, "1e-30"},           // beyond the 128-bit range: {fmt} writes it alike
        {4.5e15, 5, "4.5e+15"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(roundedText(c.x, c.digits).text(), c.text) << c.x << " to " << c.digits;
        expectAsPrinted(c.x, c.digits);
    }
}

// Seeded: times of every size the ramps take, exact binary fractions (whose
// halves are ties) and neighbours of decimals, at every count of digits.
TEST(RoundedText, equalsThePrintedTextAndItsReadingForSeededNumbers)
{
    std::mt19937_64 random(20261210);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 4000; ++i) {
        double x = 0.0;
        switch (i % 3) {
        case 0: x = std::exp(std::log(1e-9) + unit(random) * std::log(1e15)); break;
        case 1: x = std::ldexp(static_cast<double>(random() % 100000 + 1), -static_cast<int>(random() % 40)); break;
        default: x = std::nextafter(std::round(unit(random) * 1e5) * 1e-6 + 5e-7, random() % 2 == 0 ? 0.0 : 1.0); break;
        }
        for (int digits = 1; digits <= 17; ++digits) {
            expectAsPrinted(x, digits);
        }
    }
}

} // namespace
} // namespace veldronix::design

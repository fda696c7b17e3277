// Printing numbers with a fixed count of decimals, against glibc's printf in the
// C locale and values worked by hand; and what is printed read back.
#include "core/number_format.h"
#include "core/number_parser.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace veldronix {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

struct FixedCase {
    double value;
    int decimals;
    const char* expected;
};

TEST(FormatFixed, RoundsTheExactBinaryValueTiesToEven)
{
    const FixedCase cases[] = {
        {0.125, 2, "0.12"},   {0.375, 2, "0.38"},  {2.5, 0, "2"},       {3.5, 0, "4"},       {0.5, 0, "0"},
        {1.5, 0, "2"},        {-2.5, 0, "-2"},     {1.005, 2, "1.00"},  {2.675, 2, "2.67"},  {0.1, 9, "0.100000000"},
        {-0.0, 3, "-0.000"},  {0.0, 3, "0.000"},   {-0.0004, 3, "-0.000"}, {0.9995, 3, "1.000"}, {9.9995, 3, "9.999"},
        {999.9996, 3, "1000.000"}, {126.26262626262627, 3, "126.263"}, {5e-324, 3, "0.000"}, {1e20, 0, "100000000000000000000"},
        {inf, 3, "inf"},      {-inf, 0, "-inf"},   {nan, 3, "nan"},     {-nan, 3, "nan"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatFixed(c.value, c.decimals), c.expected) << c.value << " at " << c.decimals;
    }
}

TEST(FormatReadable, FixedWhileReadableThenThreeSignificantDigits)
{
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {3.9599999999999995805696e22, 3, "3.96e22"}, // the jerk of a ramp of 1e-9 s
        {999999999999.0, 3, "999999999999.000"},     // 12 digits: still fixed
        {1e12, 3, "1e12"},
        {-1.5e13, 0, "-1.5e13"},
        {1e300, 3, "1e300"},
        {1e-9, 6, "1e-9"},           // 0.000000 would hide it
        {-4e-7, 6, "-4e-7"},
        {4e-7, 7, "0.0000004"},      // shown by its decimals
        {0.0, 3, "0.000"},
        {-0.0, 3, "0.000"},
        {-0.00001, 3, "-1e-5"},      // not "0.000": a negative figure stays visible
        {std::numeric_limits<double>::infinity(), 3, "inf"},
        {std::numeric_limits<double>::quiet_NaN(), 3, "nan"},
        {126.263, 3, "126.263"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatReadable(c.value, c.decimals), c.text) << c.value;
    }
}

TEST(FormatFixed, PrintsHugeAndTinyValuesLikeGlibc)
{
    std::setlocale(LC_ALL, "C");
    const double values[] = {1e300, -1e300, std::numeric_limits<double>::max(), 1.0 / 3.0, 1e22, 1e23, 123456789.0125,
                             4.35, std::ldexp(1.0, 70) + std::ldexp(1.0, 18), std::numeric_limits<double>::denorm_min(),
                             0.0005, 0.0015, 0.0025, 1e-7, 8485.0,
                             // around 2^43, where ordinary values stop taking the short way
                             8796093022207.5, 8796093022208.5, 8796093022.2085, 0x1p43, 4503599627370495.5};
    for (const double value : values) {
        for (const int decimals : {0, 1, 3, 9}) {
            char buffer[512];
            std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
            EXPECT_EQ(formatFixed(value, decimals), buffer) << value << " at " << decimals;
        }
    }
}

// Every magnitude from the subnormals to far beyond 2^64, with the ties and
// near-ties of three decimals that short decimal inputs produce, against glibc.
TEST(FormatFixed, AgreesWithGlibcAcrossMagnitudes)
{
    std::setlocale(LC_ALL, "C");
    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<int> exponents(-1080, 80);
    std::uniform_int_distribution<long long> thousandths(-99999999, 99999999);
    const double edges[] = {std::ldexp(1.0, 63), std::nextafter(std::ldexp(1.0, 63), 0.0), std::ldexp(1.0, 64),
                            std::ldexp(1.0, 53) - 1, 9.2233720368547748e15, 9.2233720368547758e15,
                            std::ldexp(1.0, -64), std::ldexp(1.0, -63), std::ldexp(3.0, -65), 0.0625, 0.0005,
                            // Where the eight-digit whole part ends.
                            99999999.0, 99999999.4999, 99999999.5, 99999999.999, 99999999.9995, 100000000.0,
                            9999999.9995, 10000000.0, 0.0, 1.0, 10.0, 1e7};
    auto check = [](double value) {
        for (const int decimals : {0, 1, 2, 3}) {
            char buffer[512];
            std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
            ASSERT_EQ(formatFixed(value, decimals), buffer) << std::hexfloat << value << " at " << decimals;
        }
    };
    for (const double edge : edges) {
        check(edge);
        check(-edge);
    }
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t mantissa = random() & ((std::uint64_t{1} << 53) - 1);
        check(std::ldexp(static_cast<double>(mantissa), exponents(random) - 52));
        const double decimal = static_cast<double>(thousandths(random)) / 2000.0;
        check(decimal);
        check(std::nextafter(decimal, 0.0));
        check(decimal / 8.0);
    }
}

// Random doubles of every kind, from their bits and from decimal magnitudes, printed
// with three decimals against glibc's %.3f, and decimal texts of them as typed or
// as printed by other programs read back against strtod in the C locale.
TEST(Numbers, AgreeWithTheCLibraryOnRandomDoubles)
{
    std::setlocale(LC_ALL, "C");
    std::mt19937_64 random(424242);
    auto below = [&](int n) { return static_cast<int>(random() % static_cast<std::uint64_t>(n)); };
    auto bitsOf = [](double value) {
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return bits;
    };
    const char* const conversions[] = {"%.*e", "%.*E", "%.*f", "%.*g"};
    const char* const prefixes[] = {"", "", " ", "+", "\t"};
    const char* const suffixes[] = {"", "", "x", "e", "E+", " 1", ".5"};
    for (int i = 0; i < 200000; ++i) {
        double value = 0.0;
        if (i % 2 == 0) {
            const std::uint64_t bits = random();
            std::memcpy(&value, &bits, sizeof value);
        } else {
            // A few significant digits at a magnitude of 10^-12 to 10^22, ties of the third decimal included.
            const double digits = static_cast<double>(random() % 100000000) / (below(2) ? 1.0 : 8.0);
            value = digits * std::pow(10.0, below(35) - 12);
            value = below(2) ? -value : value;
        }

        char expected[512];
        std::snprintf(expected, sizeof expected, "%.3f", value);
        const std::string text = formatFixed(value, 3);
        if (std::isnan(value)) {
            ASSERT_EQ(text, "nan") << std::hexfloat << value; // glibc prints "-nan" for a negative one
        } else {
            ASSERT_EQ(text, expected) << std::hexfloat << value;
        }

        char number[512];
        std::snprintf(number, sizeof number, conversions[below(4)], below(20), value);
        const std::string typed = prefixes[below(5)] + std::string(number) + suffixes[below(7)];
        const double read = std::strtod(typed.c_str(), nullptr);
        if (std::isfinite(value)) {
            ASSERT_EQ(bitsOf(parseNumber(typed)), bitsOf(read)) << '"' << typed << '"';
        } else {
            ASSERT_EQ(bitsOf(parseNumber(typed)), bitsOf(0.0)) << '"' << typed << '"'; // inf and nan are no numbers
        }
    }
}

} // namespace
} // namespace veldronix

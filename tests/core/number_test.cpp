// Reading numbers from field texts and printing them back, against the C library
// in the C locale and against values worked out by hand.
#include "core/field_text.h"
#include "core/number_format.h"
#include "core/number_parser.h"

#include <gtest/gtest.h>

#include <charconv>
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

struct ParseCase {
    const char* text;
    double expected;
};

TEST(ParseNumber, ReadsTheLeadingDecimalNumber)
{
    const ParseCase cases[] = {
        {"0.2", 0.2},       {"12abc", 12.0},   {"abc", 0.0},      {"", 0.0},          {"   ", 0.0},
        {" +1e3", 1000.0},  {"1,000", 1.0},    {"0x10", 0.0},     {"inf", 0.0},       {"-inf", 0.0},
        {"nan", 0.0},       {"NAN(1)", 0.0},   {"infinity", 0.0}, {"0x1p3", 0.0},     {"1e", 1.0},
        {"1e+", 1.0},       {"1e-x", 1.0},     {"2E2", 200.0},    {".5", 0.5},        {"5.", 5.0},
        {".", 0.0},         {"-.", 0.0},       {"+", 0.0},        {"-", 0.0},         {"+-1", 0.0},       {"-+1", 0.0},      {"--5", 0.0},      {"+.e5", 0.0},
        {"-12.5x", -12.5},  {"+7", 7.0},       {"\t\n\v\f\r 3", 3.0}, {"1e400", inf}, {"-1e400", -inf},
        {"1e-400", 0.0},    {"4.9e-324", 4.9406564584124654e-324}, {"1e-320", 1e-320},
        {"1.5e+2.5", 150.0}, {"007", 7.0},     {"1 2", 1.0},      {"1e0000000000000000000001", 10.0},
        {"0.000000000000000000000000000001e30", 1.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseNumber(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(ParseNumber, KeepsTheSignOfZero)
{
    for (const char* text : {"-0", "-0.0", " -0e5", "-1e-400"}) {
        const double value = parseNumber(text);
        EXPECT_EQ(value, 0.0) << text;
        EXPECT_TRUE(std::signbit(value)) << text;
    }
    EXPECT_FALSE(std::signbit(parseNumber("0")));
}

TEST(ParseNumber, RoundsLikeStrtodInTheCLocale)
{
    std::setlocale(LC_ALL, "C");
    const char* texts[] = {
        "0.1", "2.2250738585072011e-308", "2.2250738585072012e-308", "1.7976931348623157e308",
        "1.7976931348623158e308", "1.7976931348623159e308", "9007199254740993", "9007199254740992.5000000001",
        "0.30000000000000000555111512312578270211815834045410156250000001",
        "123456789012345678901234567890123456789012345678901234567890123456789012345678",
        "0.000000000000000000000000000000000000000000000000000000000000000000000000001234",
        "4.94065645841246544176568792868221372365059802614324764425585682500675507270208e-324",
        "2.47032822920623272088284396434110686182529901307162382212792841250337753635104e-324",
        "8.9884656743115795386465259539451236680898848947115328636715040578866337902750e307",
        "1.00000000000000011102230246251565404236316680908203125",
        "1.00000000000000011102230246251565404236316680908203124",
    };
    for (const char* text : texts) {
        EXPECT_EQ(parseNumber(text), std::strtod(text, nullptr)) << text;
    }
}

// Random decimal texts as typed into a field, most of them short enough for the
// fast conversion of a few digits and a small power of ten, the rest just past its
// limits (17 to 25 digits, powers beyond 10^22, the 78-byte field size), against
// strtod in the C locale and, where from_chars reads the same text, against
// from_chars: every bit, the sign of zero included.
TEST(ParseNumber, AgreesWithStrtodBitForBitOnRandomDecimals)
{
    std::setlocale(LC_ALL, "C");
    std::mt19937_64 random(7788);
    auto below = [&](int n) { return static_cast<int>(random() % static_cast<std::uint64_t>(n)); };
    const char* const prefixes[] = {"", "", "", "-", "+", " ", "\t-", "  +"};
    const char* const suffixes[] = {"", "", "", " ", "abc", ",5", "e", "e+", "e-", ".", "..5", "e+x", " 7", "%"};
    auto digits = [&](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            text += static_cast<char>('0' + below(10));
        }
        return text;
    };
    auto bitsOf = [](double value) {
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return bits;
    };
    for (int i = 0; i < 200000; ++i) {
        // Mostly up to 16 digits, now and then up to 25; now and then zeros only.
        const int count = below(8) == 0 ? 1 + below(25) : 1 + below(16);
        std::string number = below(20) == 0 ? std::string(static_cast<std::size_t>(count), '0') : digits(count);
        switch (below(4)) {
        case 0:
            break; // a whole number
        case 1:
            number.insert(static_cast<std::size_t>(below(count + 1)), ".");
            break;
        case 2:
            number = "0." + std::string(static_cast<std::size_t>(below(8)), '0') + number;
            break;
        default:
            number.insert(static_cast<std::size_t>(below(count + 1)), ".");
            number += (below(2) ? "e" : "E") + std::string(below(3) == 0 ? "-" : (below(2) ? "+" : "")) +
                      std::to_string(below(4) == 0 ? below(400) : below(30));
            break;
        }
        const std::string text = prefixes[below(8)] + number + suffixes[below(14)];
        const std::string field(fieldTextPrefix(text));
        const double expected = std::strtod(field.c_str(), nullptr);
        ASSERT_EQ(bitsOf(parseNumber(field)), bitsOf(expected)) << '"' << field << '"';

        // from_chars reads no blank and no plus sign; its range error is the
        // parser's infinity or zero.
        if (number.size() <= fieldTextLimit) {
            double value = 0.0;
            const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
            if (result.ec == std::errc{}) {
                ASSERT_EQ(bitsOf(parseNumber(number)), bitsOf(value)) << number;
            }
        }
    }
    // At the field size: a long number is read only as far as the field holds it.
    const std::string longNumber = "1." + std::string(100, '5');
    EXPECT_EQ(parseNumber(fieldTextPrefix(longNumber)), std::strtod(longNumber.substr(0, fieldTextLimit).c_str(), nullptr));
    const std::string longExact = std::string(76, '0') + "25";
    EXPECT_EQ(parseNumber(fieldTextPrefix(longExact + "5")), 25.0);
}

// The edges of the fast conversion of short decimals (an exact mantissa times an
// exact power of ten): 2^53 and one past it, 10^22 and 10^23, in both
// directions, and the digits of a double's own shortest text.
TEST(ParseNumber, MatchesStrtodAtTheEdgesOfTheShortPath)
{
    std::setlocale(LC_ALL, "C");
    const char* texts[] = {
        "9007199254740992", "9007199254740993", "9007199254740994", "9007199254740995", "18014398509481985",
        "9007199254740993e-22", "9007199254740992e22", "9007199254740993e22", "1e22", "1e23", "1e-22", "1e-23",
        "123456789012345e-22", "123456789012345e-23", "0.1e-21", "99999999999999999999", "1234567890123456789",
        "12345678901234567890", "0.3", "0.7", "1.1", "100000.001", "4.35", "2.675", "0.0000000000000000000001",
        "00000000000000000000000000001.5", "1.50000000000000000000000000000", "-0e-30", "0e99999", "0.0e-99999",
    };
    for (const char* text : texts) {
        const double expected = std::strtod(text, nullptr);
        const double value = parseNumber(text);
        EXPECT_EQ(value, expected) << text;
        EXPECT_EQ(std::signbit(value), std::signbit(expected)) << text;
    }
}

TEST(ParseNumber, IgnoresTheProcessLocale)
{
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    const double value = parseNumber("0.5");
    const double comma = parseNumber("0,5");
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(value, 0.5);
    EXPECT_EQ(comma, 0.0);
}

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

TEST(FormatFixed, PrintsHugeAndTinyValuesLikeGlibc)
{
    std::setlocale(LC_ALL, "C");
    const double values[] = {1e300, -1e300, std::numeric_limits<double>::max(), 1.0 / 3.0, 1e22, 1e23, 123456789.0125,
                             4.35, std::ldexp(1.0, 70) + std::ldexp(1.0, 18), std::numeric_limits<double>::denorm_min(),
                             0.0005, 0.0015, 0.0025, 1e-7, 8485.0};
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

struct TruncateCase {
    std::string text;
    std::string expected;
};

TEST(TruncateFieldText, KeepsWholeCharactersWithin78Bytes)
{
    const std::string a78(78, '1');
    std::string kana26;
    for (int i = 0; i < 26; ++i) {
        kana26 += "あ";
    }
    const std::string kana25 = kana26.substr(0, 75);
    const TruncateCase cases[] = {
        {a78, a78},
        {a78 + "9", a78},
        {kana26 + "x", kana26},
        {kana25 + "ab" + "あ", kana25 + "ab"},
        {kana25 + "a" + "\xF0\x9F\x98\x80", kana25 + "a"},
        {std::string(77, 'x') + "\xC3\xA9", std::string(77, 'x')},
        {std::string(77, 'x') + "\xC3" + "z", std::string(77, 'x') + "\xC3"},
        {std::string(77, 'x') + "\x80\x80", std::string(77, 'x') + "\x80"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(truncateFieldText(c.text), c.expected) << c.text.size() << " bytes";
    }
}

} // namespace
} // namespace veldronix

// Reading numbers from field texts: the field's 78 bytes, then the leading
// decimal number, against the C library in the C locale and values worked by hand.
#include "core/field_text.h"
#include "core/number_parser.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace veldronix {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();

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

// The seed inputs of the number-parser fuzzer with the bits strtod gives for
// their decimal prefix in the C locale: the same oracle, fixed in the suite.
TEST(ParseNumber, SameBitsAsTheCLibraryAtTheFuzzersEdges)
{
    constexpr double denormMin = std::numeric_limits<double>::denorm_min();
    const ParseCase cases[] = {
        {"-nan", 0.0},                           // a sign without digits is no number: plus zero
        {" \t\n-.5E-3x", -0.0005},
        {"-1e-400", -0.0},                       // an underflow keeps its sign
        {"0e99999999999999999999", 0.0},
        {"1e-99999999999999999999", 0.0},
        {"0.0000000000000000000000000000000000000000000000000000001e56", 10.0},
        {"12345678901234567890123456789012345678901234567890", 12345678901234567890123456789012345678901234567890.0},
        {"4.9406564584124654e-324", denormMin},
        {"2.4703282292062328e-324", denormMin}, // just above half the smallest subnormal
        {"2.4703282292062327e-324", 0.0},       // just below it
        {"2.2250738585072011e-308", 2.2250738585072009e-308},
        {"1.7976931348623158e308", std::numeric_limits<double>::max()},
        {"1.7976931348623159e308", inf},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(parseNumber(c.text)), std::bit_cast<std::uint64_t>(c.expected))
            << '"' << c.text << '"';
    }
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

struct WideCase {
    const char* text;
    double value;
    std::size_t length; // bytes as typed
    bool wideForms;
};

TEST(ParseNumberPrefix, ReadsFullWidthFormsAsTheirAsciiForms)
{
    const WideCase cases[] = {
        {"１００", 100.0, 9, true},
        {"　－１．５ｍｍ", -1.5, 15, true},      // ideographic space, full-width minus and stop; ｍ is text
        {"\u2212" "2", -2.0, 4, true},          // the minus sign U+2212
        {"＋3", 3.0, 4, true},
        {"1００e2", 10000.0, 9, true},          // ASCII exponent after full-width digits
        {"1ｅ2", 1.0, 1, false},                // a full-width e is no exponent
        {"12　", 12.0, 2, false},               // a form after the number is not part of it
        {"１,０００", 1.0, 3, true},            // the comma still ends the number
        {"．", 0.0, 0, false},                  // a lone stop is no number, as "." is not
        {"\xEF\xBC", 0.0, 0, false},            // the start of a form, cut: no number
        {"\xE3\xEF\xBC\x91", 0.0, 0, false},    // a form after a broken byte stays behind it
    };
    for (const auto& c : cases) {
        const NumberPrefix number = parseNumberPrefix(c.text);
        EXPECT_EQ(number.value, c.value) << c.text;
        EXPECT_EQ(number.length, c.length) << c.text;
        EXPECT_EQ(number.wideForms, c.wideForms) << c.text;
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

// The seed inputs of the number-parser fuzzer with the bits strtod gives for
// their decimal prefix in the C locale: the same oracle, fixed in the suite.
#include "core/number_parser.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <string_view>

namespace {

using veldronix::parseNumber;

struct EdgeCase {
    std::string_view text;
    double expected;
};

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double denormMin = std::numeric_limits<double>::denorm_min();

const EdgeCase edgeCases[] = {
    {"0.2", 0.2},
    {"12abc", 12.0},
    {" +1e3", 1000.0},
    {"1,000", 1.0},            // the comma ends the number
    {"0x10", 0.0},             // no hexadecimal: the 0 before x
    {"inf", 0.0},
    {"-nan", 0.0},             // a sign without digits is no number: plus zero
    {"", 0.0},
    {".", 0.0},
    {"+.", 0.0},
    {"1e", 1.0},               // an exponent without digits is not part of the number
    {"1e+", 1.0},
    {"1e-x", 1.0},
    {" \t\n-.5E-3x", -0.0005},
    {"1e400", inf},
    {"-1e400", -inf},
    {"-1e-400", -0.0},         // an underflow keeps its sign
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

TEST(ParseNumberEdges, SameBitsAsTheCLibrary)
{
    for (const EdgeCase& edge : edgeCases) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(parseNumber(edge.text)), std::bit_cast<std::uint64_t>(edge.expected))
            << "text: \"" << edge.text << "\"";
    }
}

} // namespace

// The fuzzers' matcher of the number texts the fields show: a fuzzer trusts it
// to tell a well-made figure from any other text.
#include "fuzz/text_shape.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

using veldronix::fuzz::isNumberText;

struct ShapeCase {
    std::string_view text;
    int decimals;
    bool withMargin;
    bool matches;
};

const ShapeCase shapeCases[] = {
    {"4000000", 0, false, true},
    {"4000000 ", 0, true, true},
    {"4000000", 0, true, false},    // the margin is missing
    {"4000000  ", 0, true, false},  // two blanks
    {"4000000 ", 0, false, false},  // a blank where none belongs
    {"-12", 0, false, true},
    {"+12", 0, false, false},
    {"-", 0, false, false},
    {"", 0, false, false},
    {" ", 0, true, false},
    {"12.", 0, false, false},       // no point without decimals
    {"198.000", 3, false, true},
    {"198.000 ", 3, true, true},
    {"-0.000", 3, false, true},
    {"198.00", 3, false, false},    // a digit short
    {"198.0000", 3, false, false},  // a digit over
    {"198", 3, false, false},       // the decimals are missing
    {".500", 3, false, false},      // no whole part
    {"1e5.000", 3, false, false},
    {"12a.000", 3, false, false},
    {"12.0a0", 3, false, false},
    {"inf", 3, false, true},
    {"-inf ", 0, true, true},
    {"nan", 3, false, true},
    {"-nan", 3, false, false},      // glibc's text; the fields print "nan"
    {"+inf", 0, false, false},
    {"infinity", 0, false, false},
    {"١٢", 0, false, false},        // digits of another script
};

TEST(TextShape, numberTextsAndNothingElse)
{
    for (const ShapeCase& c : shapeCases) {
        EXPECT_EQ(isNumberText(c.text, c.decimals, c.withMargin), c.matches)
            << '"' << c.text << "\" at " << c.decimals << (c.withMargin ? " with margin" : "");
    }
}

} // namespace

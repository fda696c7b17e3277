#include "cli/json_writer.h"

#include <gtest/gtest.h>

#include <string>

namespace veldronix::cli {
namespace {

struct JsonCase {
    std::string text;
    std::string literal;
};

class JsonStringTest : public testing::TestWithParam<JsonCase> {};

TEST_P(JsonStringTest, EscapesExactly)
{
    EXPECT_EQ(jsonString(GetParam().text), GetParam().literal);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonStringTest,
    testing::Values(JsonCase{"", "\"\""},
                    JsonCase{"8000.000 ", "\"8000.000 \""},
                    JsonCase{"a\"b\\c", "\"a\\\"b\\\\c\""},
                    JsonCase{"\n\r\t", "\"\\n\\r\\t\""},
                    // NUL inside the text must be escaped, not end the literal.
                    JsonCase{std::string("a\0b", 3), "\"a\\u0000b\""},
                    JsonCase{"\x01\x08\x0c\x1f", "\"\\u0001\\u0008\\u000c\\u001f\""},
                    JsonCase{"\x7f", "\"\\u007f\""},
                    JsonCase{" /~", "\" /~\""},
                    // UTF-8 passes through byte for byte, also bytes that are not valid UTF-8.
                    JsonCase{"初速度", "\"初速度\""},
                    JsonCase{"\x80\xff", "\"\x80\xff\""}));

TEST(JsonString, EveryControlCharacterIsEscaped)
{
    for (int c = 0; c < 0x20; ++c) {
        const std::string literal = jsonString(std::string(1, static_cast<char>(c)));
        ASSERT_GE(literal.size(), 4u) << c;
        EXPECT_EQ(literal[1], '\\') << c;
        for (const char byte : literal) {
            EXPECT_GE(static_cast<unsigned char>(byte), 0x20) << c;
        }
    }
}

} // namespace
} // namespace veldronix::cli

#include "io/json_writer.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace veldronix::io {
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

// The writer places every separator: nested objects and arrays, empty ones,
// members after a nested value, and numbers JSON cannot hold.
TEST(JsonWriter, PlacesSeparatorsAndWritesNullForWhatJsonCannotHold)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    JsonWriter json;
    json.beginObject();
    json.member("a", "x\n");
    json.key("empty");
    json.beginArray();
    json.endArray();
    json.key("list");
    json.beginArray();
    json.number(1.25, 1); // a tie: to even on the exact binary value
    json.number(-0.0004, 3);
    json.number(inf, 3);
    json.number(std::numeric_limits<double>::quiet_NaN(), 0);
    json.number(std::nullopt, 2);
    json.beginObject();
    json.endObject();
    json.string("");
    json.endArray();
    json.key("inner");
    json.beginObject();
    json.member("n", -inf, 0);
    json.key("o");
    json.null();
    json.endObject();
    json.member("last", 8485.0, 3);
    json.endObject();
    EXPECT_EQ(json.text(), R"({"a":"x\n","empty":[],"list":[1.2,0.000,null,null,null,{},""],)"
                           R"("inner":{"n":null,"o":null},"last":8485.000})");
}

} // namespace
} // namespace veldronix::io

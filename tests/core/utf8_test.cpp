// The one UTF-8 decoder: every well-formed length at its edges, and every kind
// of malformed sequence taken as one byte.
#include "core/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace veldronix {
namespace {

TEST(Utf8, DecodesWellFormedAndRefusesMalformedSequences)
{
    struct Case {
        const char* what;
        std::string bytes;
        char32_t code;    // U+FFFD: malformed
        std::size_t length;
    };
    const Case cases[] = {
        {"ASCII", "A", U'A', 1},
        {"NUL", std::string(1, '\0'), 0, 1},
        {"lowest two-byte", "\xC2\x80", 0x80, 2},
        {"highest two-byte", "\xDF\xBF", 0x7FF, 2},
        {"kana", "あ", 0x3042, 3},
        {"lowest three-byte", "\xE0\xA0\x80", 0x800, 3},
        {"before the surrogates", "\xED\x9F\xBF", 0xD7FF, 3},
        {"after the surrogates", "\xEE\x80\x80", 0xE000, 3},
        {"U+FFFF", "\xEF\xBF\xBF", 0xFFFF, 3},
        {"lowest four-byte", "\xF0\x90\x80\x80", 0x10000, 4},
        {"highest code point", "\xF4\x8F\xBF\xBF", 0x10FFFF, 4},
        {"stray continuation", "\x80", replacementCharacter, 1},
        {"overlong two-byte lead C0", "\xC0\x80", replacementCharacter, 1},
        {"overlong two-byte lead C1", "\xC1\xBF", replacementCharacter, 1},
        {"overlong three-byte", "\xE0\x80\xAF", replacementCharacter, 1},
        {"overlong four-byte", "\xF0\x8F\xBF\xBF", replacementCharacter, 1},
        {"surrogate", "\xED\xA0\x80", replacementCharacter, 1},
        {"above U+10FFFF", "\xF4\x90\x80\x80", replacementCharacter, 1},
        {"lead F5", "\xF5\x80\x80\x80", replacementCharacter, 1},
        {"lead FF", "\xFF", replacementCharacter, 1},
        {"cut short", "\xE3\x81", replacementCharacter, 1},
        {"broken by ASCII", "\xE3" "A" "\x82", replacementCharacter, 1},
        {"only the first character", "a\xE3\x81\x82", U'a', 1},
    };
    for (const Case& c : cases) {
        const Utf8Char decoded = decodeUtf8(c.bytes);
        EXPECT_EQ(decoded.code, c.code) << c.what;
        EXPECT_EQ(decoded.length, c.length) << c.what;
        EXPECT_EQ(decoded.valid, c.code != replacementCharacter) << c.what;
        if (decoded.valid) {
            std::string encoded;
            appendUtf8(encoded, decoded.code);
            EXPECT_EQ(encoded, c.bytes.substr(0, c.length)) << c.what;
        }
    }
}

} // namespace
} // namespace veldronix

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The one UTF-8 decoder of the program, for everything that walks a text by
// characters: the field limit, the plot's text widths, the SVG writer's
// escaping and file names. Header-only: every layer above the core includes it.
namespace veldronix {

inline constexpr char32_t replacementCharacter = U'\uFFFD';

// One character at the start of a UTF-8 text.
struct Utf8Char {
    char32_t code = replacementCharacter; // U+FFFD for a malformed byte
    std::size_t length = 1;               // bytes it takes; 1 for a malformed byte
    bool valid = false;
};

// Decodes the character that text starts with (text not empty). A well-formed
// sequence gives its code point; anything else is one malformed byte: a stray
// continuation byte, a sequence cut short, an overlong form, a surrogate
// (U+D800..U+DFFF) or a value above U+10FFFF.
constexpr Utf8Char decodeUtf8(std::string_view text) noexcept
{
    const auto lead = static_cast<unsigned char>(text.front());
    if (lead < 0x80) {
        return {lead, 1, true};
    }
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4                                    ? 4
                                                                                                 : 0;
    if (length == 0 || text.size() < length) {
        return {};
    }
    char32_t code = lead & (0xFFu >> (length + 1));
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) {
            return {};
        }
        code = (code << 6) | (next & 0x3Fu);
    }
    const char32_t lowest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return {};
    }
    return {code, length, true};
}

// Appends a code point (at most U+10FFFF, no surrogate) as UTF-8.
inline void appendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The text with each malformed byte replaced by U+FFFD: always valid UTF-8.
inline std::string validUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const Utf8Char c = decodeUtf8(text);
        if (c.valid) {
            out.append(text.substr(0, c.length));
        } else {
            appendUtf8(out, replacementCharacter);
        }
        text.remove_prefix(c.length);
    }
    return out;
}

} // namespace veldronix

#include "report/text_measure.h"

#include "core/utf8.h"

namespace veldronix::report {
namespace {

// Whether a character takes about twice the width of a Latin letter: kana,
// kanji, hangul and the full-width forms. The arrows and signs of the English
// texts (U+2192, U+00B2) and the half-width katakana stay narrow.
bool isWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// The width of one character as a part of the font size.
double widthOf(char32_t c)
{
    if (isWide(c) || c == 0xFFFD) { // the replacement character's box is about a square
        return 1.0;
    }
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == 'm' || c == 'w' || c == 'M' || c == 'W') {
        return 0.66;
    }
    return 0.6;
}

} // namespace

double textWidth(std::string_view text, double size)
{
    double width = 0.0;
    while (!text.empty()) {
        const Utf8Char c = decodeUtf8(text);
        width += widthOf(c.code); // a malformed byte: the U+FFFD drawn for it
        text.remove_prefix(c.length);
    }
    return width * size;
}

std::string elideText(std::string_view text, double size, double maxWidth)
{
    if (textWidth(text, size) <= maxWidth) {
        return std::string(text);
    }
    const double room = maxWidth - textWidth(ellipsis, size);
    if (!(room >= 0.0)) {
        return {};
    }
    double width = 0.0;
    std::size_t kept = 0;
    for (std::string_view rest = text; !rest.empty();) {
        const Utf8Char c = decodeUtf8(rest);
        width += widthOf(c.code) * size;
        if (width > room) {
            break;
        }
        kept += c.length;
        rest.remove_prefix(c.length);
    }
    return std::string(text.substr(0, kept)) + std::string(ellipsis);
}

} // namespace veldronix::report

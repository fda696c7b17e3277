#include "fuzz/markup_check.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace veldronix::fuzz {
namespace {

std::string at(std::string_view what, std::size_t pos)
{
    return std::string(what) + " at byte " + std::to_string(pos);
}

// Decodes the UTF-8 sequence at pos; returns its length, 0 when malformed.
std::size_t decode(std::string_view text, std::size_t pos, char32_t& c)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        lowest = 0x80;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        lowest = 0x800;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        lowest = 0x10000;
        c = lead & 0x07;
    } else {
        return 0;
    }
    if (pos + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[pos + k]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        c = (c << 6) | (next & 0x3F);
    }
    if (c < lowest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return 0;
    }
    return length;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

class JsonParser {
public:
    explicit JsonParser(std::string_view text) : text_(text) {}

    std::string run()
    {
        blanks();
        if (!value(0)) {
            return problem_;
        }
        blanks();
        if (pos_ != text_.size()) {
            return at("text after the JSON value", pos_);
        }
        return {};
    }

private:
    bool fail(std::string_view what)
    {
        if (problem_.empty()) {
            problem_ = at(what, pos_);
        }
        return false;
    }

    // Steps over c when it comes next.
    bool skip(char c)
    {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    void blanks()
    {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' || text_[pos_] == '\r')) {
            ++pos_;
        }
    }

    bool literal(std::string_view word)
    {
        if (text_.substr(pos_, word.size()) != word) {
            return fail("a bad literal");
        }
        pos_ += word.size();
        return true;
    }

    bool value(int depth)
    {
        if (depth > 64) {
            return fail("nesting too deep");
        }
        if (pos_ >= text_.size()) {
            return fail("the text ends where a value belongs");
        }
        switch (text_[pos_]) {
        case '{':
            return object(depth);
        case '[':
            return array(depth);
        case '"':
            return string();
        case 't':
            return literal("true");
        case 'f':
            return literal("false");
        case 'n':
            return literal("null");
        default:
            return number();
        }
    }

    bool object(int depth)
    {
        ++pos_;
        blanks();
        if (skip('}')) {
            return true;
        }
        for (;;) {
            blanks();
            if (pos_ >= text_.size() || text_[pos_] != '"') {
                return fail("an object member without a string name");
            }
            if (!string()) {
                return false;
            }
            blanks();
            if (!skip(':')) {
                return fail("no ':' after a member name");
            }
            blanks();
            if (!value(depth + 1)) {
                return false;
            }
            blanks();
            if (skip(',')) {
                continue;
            }
            if (skip('}')) {
                return true;
            }
            return fail("neither ',' nor '}' after a member");
        }
    }

    bool array(int depth)
    {
        ++pos_;
        blanks();
        if (skip(']')) {
            return true;
        }
        for (;;) {
            blanks();
            if (!value(depth + 1)) {
                return false;
            }
            blanks();
            if (skip(',')) {
                continue;
            }
            if (skip(']')) {
                return true;
            }
            return fail("neither ',' nor ']' after an element");
        }
    }

    bool string()
    {
        ++pos_;
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '"') {
                ++pos_;
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                return fail("a control character in a string");
            }
            if (c == '\\') {
                ++pos_;
                if (pos_ >= text_.size()) {
                    break;
                }
                const char e = text_[pos_];
                if (e == 'u') {
                    for (int k = 1; k <= 4; ++k) {
                        const char h = pos_ + k < text_.size() ? text_[pos_ + k] : '\0';
                        if (!isDigit(h) && !(h >= 'a' && h <= 'f') && !(h >= 'A' && h <= 'F')) {
                            return fail("a bad \\u escape");
                        }
                    }
                    pos_ += 5;
                    continue;
                }
                if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
                    return fail("a bad escape");
                }
                ++pos_;
                continue;
            }
            char32_t code = 0;
            const std::size_t length = decode(text_, pos_, code);
            if (length == 0) {
                return fail("a string that is not UTF-8");
            }
            pos_ += length;
        }
        return fail("a string without its closing quote");
    }

    bool number()
    {
        const std::size_t start = pos_;
        if (skip('-')) {
        }
        if (pos_ >= text_.size() || !isDigit(text_[pos_])) {
            pos_ = start;
            return fail("no value");
        }
        if (text_[pos_] == '0') {
            ++pos_;
        } else {
            while (pos_ < text_.size() && isDigit(text_[pos_])) {
                ++pos_;
            }
        }
        if (skip('.')) {
            if (pos_ >= text_.size() || !isDigit(text_[pos_])) {
                return fail("a number without digits after its point");
            }
            while (pos_ < text_.size() && isDigit(text_[pos_])) {
                ++pos_;
            }
        }
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) {
                ++pos_;
            }
            if (pos_ >= text_.size() || !isDigit(text_[pos_])) {
                return fail("a number without exponent digits");
            }
            while (pos_ < text_.size() && isDigit(text_[pos_])) {
                ++pos_;
            }
        }
        if (pos_ < text_.size() && (isDigit(text_[pos_]) || isLetter(text_[pos_]) || text_[pos_] == '.')) {
            return fail("a number running into letters");
        }
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::string problem_;
};

bool isNameStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':';
}

bool isNameChar(char c)
{
    return isNameStart(c) || isDigit(c) || c == '-' || c == '.';
}

bool isXmlBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Character data or an attribute value between begin and end: entities only as
// XML knows them, no '<', and no character XML forbids.
std::string dataProblem(std::string_view text, std::size_t begin, std::size_t end)
{
    std::size_t pos = begin;
    while (pos < end) {
        const char c = text[pos];
        if (c == '<') {
            return at("a raw '<' in data", pos);
        }
        if (c == '&') {
            const std::size_t semicolon = text.find(';', pos);
            if (semicolon == std::string_view::npos || semicolon >= end) {
                return at("a raw '&' in data", pos);
            }
            const std::string_view name = text.substr(pos + 1, semicolon - pos - 1);
            bool known = name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos";
            if (!known && name.size() > 1 && name[0] == '#') {
                known = name.find_first_not_of("0123456789", 1) == std::string_view::npos ||
                        (name[1] == 'x' && name.size() > 2 &&
                         name.find_first_not_of("0123456789abcdefABCDEF", 2) == std::string_view::npos);
            }
            if (!known) {
                return at("a raw '&' in data", pos);
            }
            pos = semicolon + 1;
            continue;
        }
        char32_t code = 0;
        const std::size_t length = decode(text, pos, code);
        if (length == 0) {
            return at("data that is not UTF-8", pos);
        }
        const bool allowed =
            code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code != 0xFFFE && code != 0xFFFF);
        if (!allowed) {
            return at("a character XML forbids", pos);
        }
        pos += length;
    }
    return {};
}

} // namespace

std::string utf8Problem(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t code = 0;
        const std::size_t length = decode(text, pos, code);
        if (length == 0) {
            return at("not UTF-8", pos);
        }
        pos += length;
    }
    return {};
}

std::string jsonProblem(std::string_view text)
{
    return JsonParser(text).run();
}

std::string svgProblem(std::string_view text)
{
    std::size_t pos = 0;
    if (text.starts_with("<?xml")) {
        pos = text.find("?>");
        if (pos == std::string_view::npos) {
            return "an XML declaration without its end";
        }
        pos += 2;
    }
    std::vector<std::string_view> open;
    bool rootSeen = false;
    while (pos < text.size()) {
        const std::size_t tag = text.find('<', pos);
        const std::size_t dataEnd = tag == std::string_view::npos ? text.size() : tag;
        if (open.empty()) {
            for (std::size_t k = pos; k < dataEnd; ++k) {
                if (!isXmlBlank(text[k])) {
                    return at("text outside the root element", k);
                }
            }
        } else if (auto problem = dataProblem(text, pos, dataEnd); !problem.empty()) {
            return problem;
        }
        if (tag == std::string_view::npos) {
            break;
        }
        pos = tag + 1;
        const bool closing = pos < text.size() && text[pos] == '/';
        pos += closing ? 1 : 0;
        if (pos >= text.size() || !isNameStart(text[pos])) {
            return at("a tag without a name", tag);
        }
        const std::size_t nameStart = pos;
        while (pos < text.size() && isNameChar(text[pos])) {
            ++pos;
        }
        const std::string_view name = text.substr(nameStart, pos - nameStart);
        if (closing) {
            while (pos < text.size() && isXmlBlank(text[pos])) {
                ++pos;
            }
            if (pos >= text.size() || text[pos] != '>') {
                return at("a closing tag without its '>'", tag);
            }
            ++pos;
            if (open.empty() || open.back() != name) {
                return at("a closing tag that closes no open element", tag);
            }
            open.pop_back();
            continue;
        }
        if (open.empty() && rootSeen) {
            return at("a second root element", tag);
        }
        rootSeen = true;
        // Attributes, then '>' or '/>'.
        for (;;) {
            const std::size_t blankStart = pos;
            while (pos < text.size() && isXmlBlank(text[pos])) {
                ++pos;
            }
            if (pos >= text.size()) {
                return at("a tag without its end", tag);
            }
            if (text[pos] == '>') {
                ++pos;
                open.push_back(name);
                break;
            }
            if (text.substr(pos, 2) == "/>") {
                pos += 2;
                break;
            }
            if (pos == blankStart || !isNameStart(text[pos])) {
                return at("a malformed attribute", pos);
            }
            while (pos < text.size() && isNameChar(text[pos])) {
                ++pos;
            }
            if (pos + 1 >= text.size() || text[pos] != '=' || (text[pos + 1] != '"' && text[pos + 1] != '\'')) {
                return at("an attribute without a quoted value", pos);
            }
            const char quote = text[pos + 1];
            const std::size_t valueStart = pos + 2;
            const std::size_t valueEnd = text.find(quote, valueStart);
            if (valueEnd == std::string_view::npos) {
                return at("an attribute value without its closing quote", pos);
            }
            if (auto problem = dataProblem(text, valueStart, valueEnd); !problem.empty()) {
                return problem;
            }
            const std::string_view value = text.substr(valueStart, valueEnd - valueStart);
            if (value.find("nan") != std::string_view::npos || value.find("inf") != std::string_view::npos) {
                return at("an attribute value that is no number", valueStart);
            }
            pos = valueEnd + 1;
        }
    }
    if (!open.empty()) {
        return "element <" + std::string(open.back()) + "> is never closed";
    }
    if (!rootSeen) {
        return "no root element";
    }
    return {};
}

} // namespace veldronix::fuzz

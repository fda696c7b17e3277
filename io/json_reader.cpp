#include "io/json_reader.h"

#include "core/utf8.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

namespace veldronix::io {
namespace {

class JsonParser {
public:
    explicit JsonParser(std::string_view text) : text_(text) {}

    std::variant<JsonValue, JsonError> document()
    {
        takeWord("\xEF\xBB\xBF"); // the byte-order mark some Windows editors write first
        JsonValue value;
        if (!parseValue(value, 0)) {
            return *error_;
        }
        skipBlanks();
        if (at_ != text_.size()) {
            return JsonError{JsonProblem::Syntax, line_, {}};
        }
        return value;
    }

private:
    bool fail(JsonProblem problem, std::string member = {})
    {
        error_ = JsonError{problem, line_, std::move(member)};
        return false;
    }

    void skipBlanks()
    {
        for (; at_ < text_.size(); ++at_) {
            const char c = text_[at_];
            if (c == '\n') {
                ++line_;
            } else if (c != ' ' && c != '\t' && c != '\r') {
                return;
            }
        }
    }

    bool take(char c)
    {
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }

    bool takeWord(std::string_view word)
    {
        if (text_.substr(at_).starts_with(word)) {
            at_ += word.size();
            return true;
        }
        return false;
    }

    // Depth counts the arrays and objects around the value; the recursion is
    // bounded by jsonDepthLimit.
    bool parseValue(JsonValue& value, std::size_t depth)
    {
        skipBlanks();
        value.line = line_;
        if (at_ == text_.size()) {
            return fail(JsonProblem::Syntax);
        }
        const char c = text_[at_];
        if (c == '{' || c == '[') {
            if (depth == jsonDepthLimit) {
                return fail(JsonProblem::TooDeep);
            }
            ++at_;
            return c == '{' ? parseObject(value, depth + 1) : parseArray(value, depth + 1);
        }
        if (c == '"') {
            value.kind = JsonValue::Kind::String;
            return parseString(value.text);
        }
        if (takeWord("true") || takeWord("false")) {
            value.kind = JsonValue::Kind::Boolean;
            value.boolean = c == 't';
            return true;
        }
        if (takeWord("null")) {
            value.kind = JsonValue::Kind::Null;
            return true;
        }
        if (static_cast<unsigned char>(c) >= 0x80 && !decodeUtf8(text_.substr(at_)).valid) {
            return fail(JsonProblem::NotUtf8);
        }
        value.kind = JsonValue::Kind::Number;
        return parseNumber(value.text);
    }

    bool parseObject(JsonValue& value, std::size_t depth)
    {
        value.kind = JsonValue::Kind::Object;
        skipBlanks();
        if (take('}')) {
            return true;
        }
        // Names already taken in this object, so that a file of a million members stays quick.
        std::unordered_set<std::string> names;
        do {
            skipBlanks();
            std::string name;
            if (at_ == text_.size() || text_[at_] != '"' || !parseString(name)) {
                return error_ ? false : fail(JsonProblem::Syntax);
            }
            if (!names.insert(name).second) {
                return fail(JsonProblem::DuplicateMember, std::move(name));
            }
            skipBlanks();
            if (!take(':')) {
                return fail(JsonProblem::Syntax);
            }
            value.members.push_back(JsonMember{std::move(name), JsonValue{}});
            if (!parseValue(value.members.back().second, depth)) {
                return false;
            }
            skipBlanks();
        } while (take(','));
        return take('}') || fail(JsonProblem::Syntax);
    }

    bool parseArray(JsonValue& value, std::size_t depth)
    {
        value.kind = JsonValue::Kind::Array;
        skipBlanks();
        if (take(']')) {
            return true;
        }
        do {
            value.items.emplace_back();
            if (!parseValue(value.items.back(), depth)) {
                return false;
            }
            skipBlanks();
        } while (take(','));
        return take(']') || fail(JsonProblem::Syntax);
    }

    bool digits()
    {
        const std::size_t first = at_;
        while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
            ++at_;
        }
        return at_ != first;
    }

    bool parseNumber(std::string& out)
    {
        const std::size_t first = at_;
        take('-');
        if (!take('0') && !digits()) {
            return fail(JsonProblem::Syntax);
        }
        if (take('.') && !digits()) {
            return fail(JsonProblem::Syntax);
        }
        if (take('e') || take('E')) {
            if (!take('+')) {
                take('-');
            }
            if (!digits()) {
                return fail(JsonProblem::Syntax);
            }
        }
        out = std::string(text_.substr(first, at_ - first));
        return true;
    }

    std::optional<unsigned> hex4()
    {
        if (text_.size() - at_ < 4) {
            return std::nullopt;
        }
        unsigned code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[at_++];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0) {
                return std::nullopt;
            }
            code = code * 16 + static_cast<unsigned>(digit);
        }
        return code;
    }

    bool parseEscape(std::string& out)
    {
        if (at_ == text_.size()) {
            return fail(JsonProblem::Syntax);
        }
        const char c = text_[at_++];
        constexpr std::string_view simple = "\"\\/bfnrt";
        constexpr std::string_view meant = "\"\\/\b\f\n\r\t";
        if (const std::size_t index = simple.find(c); index != std::string_view::npos) {
            out += meant[index];
            return true;
        }
        if (c != 'u') {
            return fail(JsonProblem::Syntax);
        }
        const auto code = hex4();
        if (!code) {
            return fail(JsonProblem::Syntax);
        }
        char32_t character = *code;
        if (*code >= 0xDC00 && *code <= 0xDFFF) {
            return fail(JsonProblem::NotUtf8);
        }
        if (*code >= 0xD800 && *code <= 0xDBFF) {
            // A high surrogate counts only with the low one right after it.
            if (!takeWord("\\u")) {
                return fail(JsonProblem::NotUtf8);
            }
            const auto low = hex4();
            if (!low) {
                return fail(JsonProblem::Syntax);
            }
            if (*low < 0xDC00 || *low > 0xDFFF) {
                return fail(JsonProblem::NotUtf8);
            }
            character = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
        }
        appendUtf8(out, character);
        return true;
    }

    bool parseString(std::string& out)
    {
        ++at_; // the opening quote
        while (at_ < text_.size()) {
            const char c = text_[at_];
            const auto byte = static_cast<unsigned char>(c);
            if (c == '"') {
                ++at_;
                return true;
            }
            if (c == '\\') {
                ++at_;
                if (!parseEscape(out)) {
                    return false;
                }
            } else if (byte < 0x20) {
                // A line break inside a string: JSON wants it escaped.
                return fail(JsonProblem::Syntax);
            } else if (byte < 0x80) {
                out += c;
                ++at_;
            } else {
                const Utf8Char character = decodeUtf8(text_.substr(at_));
                if (!character.valid) {
                    return fail(JsonProblem::NotUtf8);
                }
                out.append(text_.substr(at_, character.length));
                at_ += character.length;
            }
        }
        return fail(JsonProblem::Syntax);
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t line_ = 1;
    std::optional<JsonError> error_;
};

} // namespace

const JsonValue* JsonValue::find(std::string_view name) const
{
    const auto found =
        std::find_if(members.begin(), members.end(), [name](const auto& member) { return member.first == name; });
    return found == members.end() ? nullptr : &found->second;
}

std::variant<JsonValue, JsonError> readJson(std::string_view text)
{
    return JsonParser(text).document();
}

} // namespace veldronix::io

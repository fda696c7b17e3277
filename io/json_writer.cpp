#include "io/json_writer.h"

#include "core/number_format.h"

#include <array>
#include <cmath>

namespace veldronix::io {

std::string jsonString(std::string_view text)
{
    static constexpr std::array<char, 16> hex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                 '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                out += "\\u00";
                out += hex[byte >> 4];
                out += hex[byte & 0x0F];
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

void JsonWriter::beforeValue()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasItems_.empty()) {
        if (hasItems_.back()) {
            out_ += ',';
        }
        hasItems_.back() = true;
    }
}

void JsonWriter::open(char bracket)
{
    beforeValue();
    out_ += bracket;
    hasItems_.push_back(false);
}

void JsonWriter::close(char bracket)
{
    out_ += bracket;
    if (!hasItems_.empty()) {
        hasItems_.pop_back();
    }
}

void JsonWriter::beginObject()
{
    open('{');
}

void JsonWriter::endObject()
{
    close('}');
}

void JsonWriter::beginArray()
{
    open('[');
}

void JsonWriter::endArray()
{
    close(']');
}

void JsonWriter::key(std::string_view name)
{
    beforeValue();
    out_ += jsonString(name);
    out_ += ':';
    afterKey_ = true;
}

void JsonWriter::string(std::string_view text)
{
    beforeValue();
    out_ += jsonString(text);
}

void JsonWriter::number(double value, int decimals)
{
    if (!std::isfinite(value)) {
        null();
        return;
    }
    beforeValue();
    out_ += formatFixedUnsignedZero(value, decimals);
}

void JsonWriter::number(const std::optional<double>& value, int decimals)
{
    if (value) {
        number(*value, decimals);
    } else {
        null();
    }
}

void JsonWriter::number(double value)
{
    if (!std::isfinite(value)) {
        null();
        return;
    }
    beforeValue();
    out_ += formatShortest(value);
}

void JsonWriter::null()
{
    beforeValue();
    out_ += "null";
}

void JsonWriter::boolean(bool value)
{
    beforeValue();
    out_ += value ? "true" : "false";
}

void JsonWriter::member(std::string_view name, std::string_view text)
{
    key(name);
    string(text);
}

void JsonWriter::member(std::string_view name, const std::optional<double>& value, int decimals)
{
    key(name);
    number(value, decimals);
}

} // namespace veldronix::io

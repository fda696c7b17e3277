#include "core/number_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace veldronix {
namespace {

// DBL_MAX has 309 integer digits; a sign, a point and nine decimals fit beside them.
constexpr std::size_t fixedBufferSize = 330;

const char* nonFiniteText(double value)
{
    if (std::isnan(value)) {
        return "nan"; // the sign of a not-a-number carries no meaning for the user
    }
    return value < 0 ? "-inf" : "inf";
}

// Appends in place: a calculation formats a dozen values, and a string per value
// would cost more than the conversion itself.
void appendFixed(std::string& text, double value, int decimals)
{
    if (!std::isfinite(value)) {
        text += nonFiniteText(value);
        return;
    }
    decimals = decimals < 0 ? 0 : (decimals > 9 ? 9 : decimals);
    std::array<char, fixedBufferSize> buffer; // filled by to_chars up to its result
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc{}) {
        text += nonFiniteText(std::nan("")); // cannot happen: the buffer holds every double
        return;
    }
    text.append(buffer.data(), result.ptr);
}

void appendTruncated(std::string& text, double value)
{
    if (!std::isfinite(value)) {
        text += nonFiniteText(value);
        return;
    }
    // Adding +0.0 turns the -0.0 of a truncated -0.5 into 0.0, as an integer would print.
    appendFixed(text, std::trunc(value) + 0.0, 0);
}

} // namespace

std::string formatFixed(double value, int decimals)
{
    std::string text;
    appendFixed(text, value, decimals);
    return text;
}

std::string formatTruncated(double value)
{
    std::string text;
    appendTruncated(text, value);
    return text;
}

std::string formatNumbers(std::string_view format, std::initializer_list<double> values)
{
    std::string text;
    // A field's text fits the string's own small buffer; reserving for it would
    // only add an allocation. Long texts (the summary) get room for their numbers.
    if (format.size() > 15) {
        text.reserve(format.size() + 16 * values.size());
    }
    auto next = values.begin();
    std::size_t pos = 0;
    while (pos < format.size()) {
        const char c = format[pos];
        if (c != '%') {
            // The literal run up to the next conversion in one piece.
            const std::size_t percent = format.find('%', pos);
            const std::size_t end = percent == std::string_view::npos ? format.size() : percent;
            text.append(format.substr(pos, end - pos));
            pos = end;
            continue;
        }
        const std::string_view rest = format.substr(pos);
        if (rest.starts_with("%%")) {
            text += '%';
            pos += 2;
        } else if (rest.starts_with("%ld")) {
            if (next != values.end()) {
                appendTruncated(text, *next++);
            }
            pos += 3;
        } else if (rest.size() >= 5 && rest[1] == '.' && rest[2] >= '0' && rest[2] <= '9' && rest.substr(3, 2) == "lf") {
            if (next != values.end()) {
                appendFixed(text, *next++, rest[2] - '0');
            }
            pos += 5;
        } else {
            text += c;
            ++pos;
        }
    }
    return text;
}

} // namespace veldronix

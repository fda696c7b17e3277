#include "core/number_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace veldronix {
namespace {

// DBL_MAX has 309 integer digits; a sign, a point and nine decimals fit beside them.
constexpr std::size_t fixedBufferSize = 330;

std::string nonFiniteText(double value)
{
    if (std::isnan(value)) {
        return "nan"; // the sign of a not-a-number carries no meaning for the user
    }
    return value < 0 ? "-inf" : "inf";
}

} // namespace

std::string formatFixed(double value, int decimals)
{
    if (!std::isfinite(value)) {
        return nonFiniteText(value);
    }
    decimals = decimals < 0 ? 0 : (decimals > 9 ? 9 : decimals);
    std::array<char, fixedBufferSize> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc{}) {
        return nonFiniteText(std::nan("")); // cannot happen: the buffer holds every double
    }
    return std::string(buffer.data(), result.ptr);
}

std::string formatTruncated(double value)
{
    if (!std::isfinite(value)) {
        return nonFiniteText(value);
    }
    // Adding +0.0 turns the -0.0 of a truncated -0.5 into 0.0, as an integer would print.
    return formatFixed(std::trunc(value) + 0.0, 0);
}

std::string formatNumbers(std::string_view format, std::initializer_list<double> values)
{
    std::string text;
    text.reserve(format.size() + 32);
    auto next = values.begin();
    std::size_t pos = 0;
    while (pos < format.size()) {
        const char c = format[pos];
        if (c != '%') {
            text += c;
            ++pos;
            continue;
        }
        const std::string_view rest = format.substr(pos);
        if (rest.starts_with("%%")) {
            text += '%';
            pos += 2;
        } else if (rest.starts_with("%ld")) {
            if (next != values.end()) {
                text += formatTruncated(*next++);
            }
            pos += 3;
        } else if (rest.size() >= 5 && rest[1] == '.' && rest[2] >= '0' && rest[2] <= '9' && rest.substr(3, 2) == "lf") {
            if (next != values.end()) {
                text += formatFixed(*next++, rest[2] - '0');
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

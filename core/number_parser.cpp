#include "core/number_parser.h"

#include <charconv>
#include <cstddef>
#include <limits>
#include <system_error>

namespace veldronix {
namespace {

constexpr bool isBlank(char c)
{
    // The C locale's white space; no locale is consulted.
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

constexpr bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The decimal number found at the start of a text, split into its parts.
struct DecimalSpan {
    std::size_t begin = 0;    // first character of the unsigned number
    std::size_t end = 0;      // one past its last character; begin == end when there is none
    bool negative = false;
    // Decimal exponent of the leading significant digit, saturated; only its
    // sign matters, to tell an overflow from an underflow.
    long long magnitude = 0;
};

DecimalSpan scanDecimal(std::string_view text)
{
    DecimalSpan span;
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos])) {
        ++pos;
    }
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        span.negative = text[pos] == '-';
        ++pos;
    }
    span.begin = pos;

    constexpr long long saturation = 1'000'000'000'000LL;
    bool seenSignificant = false;
    long long leadingExponent = 0;
    std::size_t digits = 0;
    while (pos < text.size() && isDigit(text[pos])) {
        if (seenSignificant || text[pos] != '0') {
            seenSignificant = true;
            if (leadingExponent < saturation) {
                ++leadingExponent;
            }
        }
        ++pos;
        ++digits;
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && isDigit(text[pos])) {
            if (!seenSignificant) {
                if (text[pos] != '0') {
                    seenSignificant = true;
                } else if (leadingExponent > -saturation) {
                    --leadingExponent;
                }
            }
            ++pos;
            ++digits;
        }
    }
    if (digits == 0) {
        // No number: a lone sign or point, a word, an empty text. The span is
        // left empty at its start, so that "+-1" is not read from its second sign.
        span.end = span.begin;
        return span;
    }
    span.end = pos;

    // The exponent counts only when at least one digit follows 'e' and its sign.
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t exp = pos + 1;
        bool negativeExponent = false;
        if (exp < text.size() && (text[exp] == '+' || text[exp] == '-')) {
            negativeExponent = text[exp] == '-';
            ++exp;
        }
        if (exp < text.size() && isDigit(text[exp])) {
            long long exponent = 0;
            while (exp < text.size() && isDigit(text[exp])) {
                if (exponent < saturation) {
                    exponent = exponent * 10 + (text[exp] - '0');
                }
                ++exp;
            }
            leadingExponent += negativeExponent ? -exponent : exponent;
            span.end = exp;
        }
    }
    span.magnitude = leadingExponent;
    return span;
}

} // namespace

double parseNumber(std::string_view text)
{
    const DecimalSpan span = scanDecimal(text);
    if (span.begin == span.end) {
        return 0.0;
    }
    // from_chars is exact and locale-free; it is handed only the scanned decimal
    // part, so its own acceptance of inf, nan or a sign never comes into play.
    const char* first = text.data() + span.begin;
    const char* last = text.data() + span.end;
    double value = 0.0;
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        value = span.magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc{}) {
        value = 0.0;
    }
    return span.negative ? -value : value;
}

} // namespace veldronix

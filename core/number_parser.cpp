#include "core/number_parser.h"

#include <cfloat>
#include <charconv>
#include <cstddef>
#include <cstdint>
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
        span.end = span.begin; // no number: a lone sign or point, a word, an empty text
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

// The value of the decimal number at the start of a text, read as scanDecimal
// reads it (blanks, a sign, digits with an optional fraction, an exponent only
// with a digit after e and its sign), when it is m x 10^k with m at most 2^53
// and |k| at most 22: then m and 10^|k| are both exact doubles, and one IEEE
// multiplication or division of them is the correctly rounded value, the very
// result of from_chars. Nearly every text typed into a field is such a number,
// and this one pass is several times cheaper than the scan and the general
// conversion. False for any other text, which goes the general way.
bool exactShortNumber(std::string_view text, double& value)
{
    // Only where a double operation rounds once to double: not with x87 registers.
#if FLT_EVAL_METHOD == 0
    static constexpr double powersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr int maxPower = 22;
    constexpr std::uint64_t maxMantissa = std::uint64_t{1} << 53;
    const char* at = text.data();
    const char* const last = at + text.size();
    while (at != last && isBlank(*at)) {
        ++at;
    }
    bool negative = false;
    if (at != last && (*at == '+' || *at == '-')) {
        negative = *at == '-';
        ++at;
    }
    std::uint64_t mantissa = 0;
    int significant = 0; // digits in mantissa; 19 always fit in 64 bits
    int digits = 0;
    int exponent = 0;
    auto takeDigit = [&](char c) {
        ++digits;
        if (mantissa == 0 && c == '0') {
            return true; // a leading zero adds nothing
        }
        if (++significant > 19) {
            return false;
        }
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
        return true;
    };
    for (; at != last && isDigit(*at); ++at) {
        if (!takeDigit(*at)) {
            return false;
        }
    }
    if (at != last && *at == '.') {
        for (++at; at != last && isDigit(*at); ++at) {
            if (!takeDigit(*at)) {
                return false;
            }
            --exponent;
        }
    }
    if (digits == 0) {
        return false; // no number at all: the general way says what that is
    }
    if (at != last && (*at == 'e' || *at == 'E')) {
        const char* exp = at + 1;
        bool negativeExponent = false;
        if (exp != last && (*exp == '+' || *exp == '-')) {
            negativeExponent = *exp == '-';
            ++exp;
        }
        int written = 0;
        for (; exp != last && isDigit(*exp); ++exp) {
            if (written > 1000) {
                return false; // far beyond any short decimal
            }
            written = written * 10 + (*exp - '0');
        }
        // Without a digit after it, the e is no exponent and written stays 0.
        exponent += negativeExponent ? -written : written;
    }
    if (mantissa > maxMantissa) {
        return false;
    }
    double magnitude = 0.0;
    if (mantissa == 0) {
        magnitude = 0.0;
    } else if (exponent >= 0 && exponent <= maxPower) {
        magnitude = static_cast<double>(mantissa) * powersOfTen[exponent];
    } else if (exponent < 0 && exponent >= -maxPower) {
        magnitude = static_cast<double>(mantissa) / powersOfTen[-exponent];
    } else {
        return false;
    }
    value = negative ? -magnitude : magnitude;
    return true;
#else
    (void)text;
    (void)value;
    return false;
#endif
}

} // namespace

double parseNumber(std::string_view text)
{
    if (double value = 0.0; exactShortNumber(text, value)) {
        return value;
    }
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

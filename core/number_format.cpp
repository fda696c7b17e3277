#include "core/number_format.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
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

constexpr std::array<std::uint64_t, 4> powersOfTen = {1, 10, 100, 1000};

// The exact fixed text of a finite value with at most three decimals, or false
// when the value is outside the range worked here. A double is m * 2^e with m
// below 2^53, so m * 10^decimals stays below 2^63 and the digits, with the
// rounding of the exact binary value (ties to even), come from integer shifts
// alone. This is what every field and the summary print, and it is several
// times cheaper than the general conversion.
bool appendFixedExact(std::string& text, double value, int decimals)
{
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const int biasedExponent = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent = 0;
    if (biasedExponent == 0) {
        exponent = -1074; // subnormal, or zero
    } else {
        mantissa |= std::uint64_t{1} << 52;
        exponent = biasedExponent - 1075;
    }
    const std::uint64_t scaled = mantissa * powersOfTen[static_cast<std::size_t>(decimals)];
    std::uint64_t units = 0; // the value times 10^decimals, rounded
    if (exponent >= 0) {
        // A whole number: below 2^63 it is printed here, larger ones go the general way.
        if (exponent > 10 || (scaled >> (63 - exponent)) != 0) {
            return false;
        }
        units = scaled << exponent;
    } else if (exponent <= -64) {
        units = 0; // below 2^63 / 2^64: less than half a unit of the last decimal
    } else {
        const int shift = -exponent;
        units = scaled >> shift;
        const std::uint64_t rest = scaled & ((std::uint64_t{1} << shift) - 1);
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        if (rest > half || (rest == half && (units & 1) != 0)) {
            ++units;
        }
    }

    // Written from the right into a buffer of its own, then appended at once:
    // the decimals zero-padded, and at least one digit before the point.
    std::array<char, 32> buffer;
    char* const end = buffer.data() + buffer.size();
    char* first = end;
    if (decimals != 0) {
        // Constant divisors, which the compiler turns into multiplications.
        std::uint64_t fraction = 0;
        switch (decimals) {
        case 1:
            fraction = units % 10;
            units /= 10;
            break;
        case 2:
            fraction = units % 100;
            units /= 100;
            break;
        default:
            fraction = units % 1000;
            units /= 1000;
            break;
        }
        for (int i = 0; i < decimals; ++i) {
            *--first = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        *--first = '.';
    }
    // Two digits a step: the whole part of a drive speed has up to seven.
    static constexpr char digitPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    while (units >= 100) {
        const std::size_t pair = static_cast<std::size_t>(units % 100) * 2;
        units /= 100;
        *--first = digitPairs[pair + 1];
        *--first = digitPairs[pair];
    }
    if (units >= 10) {
        const std::size_t pair = static_cast<std::size_t>(units) * 2;
        *--first = digitPairs[pair + 1];
        *--first = digitPairs[pair];
    } else {
        *--first = static_cast<char>('0' + units);
    }
    if (negative) {
        *--first = '-'; // as printf: -0.000 for a negative value that rounds to zero
    }
    text.append(first, end);
    return true;
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
    if (decimals < static_cast<int>(powersOfTen.size()) && appendFixedExact(text, value, decimals)) {
        return;
    }
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
    const char* at = format.data();
    const char* const end = at + format.size();
    while (at != end) {
        if (*at != '%') {
            // The literal run up to the next conversion in one piece.
            const char* const percent = static_cast<const char*>(std::memchr(at, '%', static_cast<std::size_t>(end - at)));
            const char* const stop = percent ? percent : end;
            text.append(at, stop);
            at = stop;
            continue;
        }
        const std::size_t left = static_cast<std::size_t>(end - at);
        if (left >= 2 && at[1] == '%') {
            text += '%';
            at += 2;
        } else if (left >= 3 && at[1] == 'l' && at[2] == 'd') {
            if (next != values.end()) {
                appendTruncated(text, *next++);
            }
            at += 3;
        } else if (left >= 5 && at[1] == '.' && at[2] >= '0' && at[2] <= '9' && at[3] == 'l' && at[4] == 'f') {
            if (next != values.end()) {
                appendFixed(text, *next++, at[2] - '0');
            }
            at += 5;
        } else {
            text += *at++;
        }
    }
    return text;
}

} // namespace veldronix

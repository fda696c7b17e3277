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

// The most one conversion writes: the general path's text is the longest.
constexpr std::size_t conversionRoom = fixedBufferSize;

// Two digits a step: the whole part of a drive speed has up to seven.
constexpr char digitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The eight decimal digits of a number below 10^8 as the values 0..9 in the
// bytes of a word, the first digit in the lowest byte: split into halves of
// four digits, those into pairs and those into digits, every lane at once.
// The multiplications by 10486 / 2^20 and 103 / 2^10 divide exactly by 100 and
// 10 at these sizes. Each number of a batch has its own length, and a loop
// over its digits would leave the processor guessing where it ends.
std::uint64_t digitBytes(std::uint32_t value)
{
    std::uint64_t x = (value / 10000) | (std::uint64_t{value % 10000} << 32);
    const std::uint64_t hundreds = ((x * 10486) >> 20) & 0x0000007F0000007FULL;
    x = hundreds | ((x - hundreds * 100) << 16);
    const std::uint64_t tens = ((x * 103) >> 10) & 0x000F000F000F000FULL;
    return tens | ((x - tens * 10) << 8);
}

// Writes a whole number below 10^8 without its leading zeros at out, which has
// room for 8 bytes, and returns its end.
char* writeWholeBelow1e8(char* out, std::uint32_t value)
{
    const std::uint64_t digits = digitBytes(value);
    // The leading zeros are the low zero bytes; the last digit always stays.
    const int leading = std::countr_zero(digits | (std::uint64_t{1} << 56)) / 8;
    const std::uint64_t text = (digits | 0x3030303030303030ULL) >> (8 * leading);
    std::memcpy(out, &text, sizeof text);
    return out + 8 - leading;
}

// Writes units / 10^decimals at out with its decimals, after a minus sign
// when negative, and returns the end; out has room for 22 bytes.
char* writeUnits(char* out, bool negative, std::uint64_t units, int decimals)
{
    *out = '-'; // as printf: -0.000 for a negative value that rounds to zero
    out += negative ? 1 : 0;
    if constexpr (std::endian::native == std::endian::little) {
        // The decimals of every field and of the summary's times are three or none.
        if (decimals == 3 && units < 100000000000) {
            const std::uint64_t whole = units / 1000;
            out = writeWholeBelow1e8(out, static_cast<std::uint32_t>(whole));
            const auto fraction = static_cast<std::uint32_t>(units - whole * 1000);
            const std::uint32_t first = fraction / 100;
            const std::uint32_t pair = (fraction - first * 100) * 2;
            const std::uint32_t text = '.' | (('0' + first) << 8) |
                                       (std::uint32_t{static_cast<unsigned char>(digitPairs[pair])} << 16) |
                                       (std::uint32_t{static_cast<unsigned char>(digitPairs[pair + 1])} << 24);
            std::memcpy(out, &text, sizeof text);
            return out + 4;
        }
        if (decimals == 0 && units < 100000000) {
            return writeWholeBelow1e8(out, static_cast<std::uint32_t>(units));
        }
    }

    // Any other size, digit by digit from the right, the length counted first.
    std::uint64_t whole = units;
    std::uint64_t fraction = 0;
    for (int i = 0; i < decimals; ++i) {
        whole /= 10;
    }
    fraction = units - whole * powersOfTen[static_cast<std::size_t>(decimals)];
    int wholeDigits = 1;
    for (std::uint64_t rest = whole; rest >= 10; rest /= 10) {
        ++wholeDigits;
    }
    char* const end = out + wholeDigits + (decimals != 0 ? decimals + 1 : 0);
    char* at = end;
    if (decimals != 0) {
        for (int i = 0; i < decimals; ++i) {
            *--at = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        *--at = '.';
    }
    while (whole >= 100) {
        const std::size_t pair = static_cast<std::size_t>(whole % 100) * 2;
        whole /= 100;
        *--at = digitPairs[pair + 1];
        *--at = digitPairs[pair];
    }
    if (whole >= 10) {
        const std::size_t pair = static_cast<std::size_t>(whole) * 2;
        *--at = digitPairs[pair + 1];
        *--at = digitPairs[pair];
    } else {
        *--at = static_cast<char>('0' + whole);
    }
    return end;
}

// Writes the exact fixed text of a finite value with at most three decimals at
// out, which has room for 22 bytes, and returns its end; nullptr when the value
// is outside the range worked here. A double is m * 2^e with m below 2^53, so
// m * 10^decimals stays below 2^63 and the digits, with the rounding of the
// exact binary value (ties to even), come from integer shifts alone. This is
// what every field and the summary print, and it is several times cheaper than
// the general conversion.
char* writeFixedExact(char* out, double value, int decimals)
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
            return nullptr;
        }
        units = scaled << exponent;
    } else if (exponent <= -64) {
        units = 0; // below 2^63 / 2^64: less than half a unit of the last decimal
    } else {
        const int shift = -exponent;
        units = scaled >> shift;
        const std::uint64_t rest = scaled & ((std::uint64_t{1} << shift) - 1);
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        // Without a branch: whether a value rounds up is anybody's guess.
        units += static_cast<std::uint64_t>((rest > half) | ((rest == half) & ((units & 1) != 0)));
    }

    return writeUnits(out, negative, units, decimals);
}

char* writeText(char* out, std::string_view text)
{
    // Most literal runs are none or a field's margin blank: a library call for
    // them would cost more than the copy.
    if (text.size() <= 2) {
        for (const char c : text) {
            *out++ = c;
        }
        return out;
    }
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// Writes the value at out, which has conversionRoom bytes, and returns the end.
char* writeFixed(char* out, double value, int decimals)
{
    if (!std::isfinite(value)) {
        return writeText(out, nonFiniteText(value));
    }
    decimals = decimals < 0 ? 0 : (decimals > 9 ? 9 : decimals);
    if (decimals < static_cast<int>(powersOfTen.size())) {
        if (char* const end = writeFixedExact(out, value, decimals)) {
            return end;
        }
    }
    const auto result = std::to_chars(out, out + conversionRoom, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc{}) {
        return writeText(out, nonFiniteText(std::nan(""))); // cannot happen: the room holds every double
    }
    return result.ptr;
}

char* writeTruncated(char* out, double value)
{
    if (!std::isfinite(value)) {
        return writeText(out, nonFiniteText(value));
    }
    // Adding +0.0 turns the -0.0 of a truncated -0.5 into 0.0, as an integer would print.
    return writeFixed(out, std::trunc(value) + 0.0, 0);
}

// Writes one piece of a format, taking the next value for its conversion;
// a conversion without a value left writes nothing.
inline char* writePiece(char* out, const NumberFormat::Piece& piece, const double*& next, const double* end)
{
    out = writeText(out, piece.literal);
    if (piece.conversion == NumberFormat::noConversion || next == end) {
        return out;
    }
    return piece.conversion == NumberFormat::truncated ? writeTruncated(out, *next++)
                                                       : writeFixed(out, *next++, piece.conversion);
}

// Fills the format at out, which has room for the format and conversionRoom per value.
char* writeNumbers(char* out, std::string_view format, std::initializer_list<double> values)
{
    const double* next = values.begin();
    for (std::size_t at = 0; at < format.size();) {
        out = writePiece(out, NumberFormat::nextPiece(format, at), next, values.end());
    }
    return out;
}

// Fills a format taken apart at out, which has room for its literal runs and
// conversionRoom per value.
char* writeNumbers(char* out, const NumberFormat& format, std::initializer_list<double> values)
{
    const double* next = values.begin();
    for (const NumberFormat::Piece& piece : format) {
        out = writePiece(out, piece, next, values.end());
    }
    return out;
}

// Calls write(out) with a buffer of at least room bytes and returns the text
// written. A calculation formats a dozen values for every drive of a batch:
// the text is built on the stack and becomes a string once, and a field's text
// fits the string's own small buffer, so that only the summary allocates.
template <typename Write>
std::string written(std::size_t room, Write&& write)
{
    constexpr std::size_t stackRoom = 2048;
    if (room <= stackRoom) {
        std::array<char, stackRoom> buffer;
        const char* const end = write(buffer.data());
        return std::string(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
    }
    std::string text(room, '\0');
    text.resize(static_cast<std::size_t>(write(text.data()) - text.data()));
    return text;
}

} // namespace

std::string formatFixed(double value, int decimals)
{
    return written(conversionRoom, [&](char* out) { return writeFixed(out, value, decimals); });
}

std::string formatTruncated(double value)
{
    return written(conversionRoom, [&](char* out) { return writeTruncated(out, value); });
}

std::string formatNumbers(std::string_view format, std::initializer_list<double> values)
{
    return written(format.size() + conversionRoom * values.size(),
                   [&](char* out) { return writeNumbers(out, format, values); });
}

std::string formatNumbers(const NumberFormat& format, std::initializer_list<double> values)
{
    return written(format.literalSize() + conversionRoom * values.size(),
                   [&](char* out) { return writeNumbers(out, format, values); });
}

} // namespace veldronix

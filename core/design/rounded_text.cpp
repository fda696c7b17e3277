#include "core/design/rounded_text.h"

#include "core/double_bits.h"
#include "core/number_parser.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include <fmt/format.h>

namespace veldronix::design {
namespace {

RoundedText byFmt(double x, int digits)
{
    RoundedText t;
    const auto written = fmt::format_to_n(t.chars.data(), t.chars.size(), "{:.{}g}", x, digits);
    t.size = std::min(written.size, t.chars.size());
    t.value = parseNumber(t.text());
    return t;
}

// The powers of ten a double holds exactly: a whole number below 2^53 times or
// divided by one of them is read back correctly rounded by that one operation.
constexpr int largestExactPower = 22;
constexpr std::array<double, largestExactPower + 1> exactPowers = {
    1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The number digits x 10^exponent as a correct parser reads it, where one operation does.
std::optional<double> exactlyRead(std::uint64_t digits, int exponent)
{
    if (digits >= (std::uint64_t{1} << 53) || std::abs(exponent) > largestExactPower) {
        return std::nullopt;
    }
    const auto whole = static_cast<double>(digits);
    return exponent >= 0 ? whole * exactPowers[static_cast<std::size_t>(exponent)]
                         : whole / exactPowers[static_cast<std::size_t>(-exponent)];
}

// x rounded to a count of significant digits: those digits as one whole number
// (first digit not zero) and the decimal exponent of the first.
struct Decimal {
    std::uint64_t digits = 0;
    int exponent = 0;
};

#if defined(__SIZEOF_INT128__)
__extension__ typedef unsigned __int128 Wide;

constexpr std::array<Wide, largestExactPower + 1> widePowers = [] {
    std::array<Wide, largestExactPower + 1> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i) {
        p[i] = p[i - 1] * 10;
    }
    return p;
}();

// x = mantissa / 2^shift, and x 10^scale rounded (halves to even) is a whole
// number of mantissa x 10^scale < 2^53 x 10^22 < 2^127: exact in 128 bits for
// x from about 2^-74 to 2^52, the range of any ramp time; none outside it.
std::optional<Decimal> roundedDecimal(double x, int digits)
{
    const auto bits = doubleBits(x);
    const auto biased = static_cast<int>((bits >> 52) & 0x7ff);
    const int shift = 1075 - biased;
    if (biased == 0 || shift < 1 || shift > 126) {
        return std::nullopt;
    }
    const Wide mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const Wide half = Wide{1} << (shift - 1);
    const auto lowest = static_cast<Wide>(widePowers[static_cast<std::size_t>(digits - 1)]);
    const auto beyond = static_cast<Wide>(widePowers[static_cast<std::size_t>(digits)]);
    // floor(log10 x) within one of this (78913 / 2^18 is log10 2 to 8 digits);
    // a rounding up to the next power of ten moves it by one more.
    int exponent = ((biased - 1023) * 78913) >> 18;
    for (int attempt = 0; attempt < 4; ++attempt) {
        const int scale = digits - 1 - exponent;
        if (scale < 0 || scale > largestExactPower) {
            return std::nullopt;
        }
        const Wide scaled = mantissa * widePowers[static_cast<std::size_t>(scale)];
        Wide rounded = scaled >> shift;
        const Wide rest = scaled - (rounded << shift);
        if (rest > half || (rest == half && (rounded & 1) != 0)) {
            ++rounded;
        }
        if (rounded >= beyond) {
            ++exponent;
        } else if (rounded < lowest) {
            --exponent;
        } else {
            return Decimal{static_cast<std::uint64_t>(rounded), exponent};
        }
    }
    return std::nullopt;
}
#else
// A compiler without 128-bit integers (the 32-bit Windows one) leaves every number to {fmt}.
std::optional<Decimal> roundedDecimal(double, int)
{
    return std::nullopt;
}
#endif

// The text of a rounded decimal as {fmt}'s general format lays it out: fixed
// from 1e-4 up to 10^digits, else with an exponent of at least two digits.
RoundedText textOf(const Decimal& d, int digits)
{
    std::array<char, 20> all{};
    std::uint64_t rest = d.digits;
    for (int i = digits - 1; i >= 0; --i) {
        all[static_cast<std::size_t>(i)] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    }
    int count = digits;
    while (count > 1 && all[static_cast<std::size_t>(count - 1)] == '0') {
        --count;
    }
    const char* const first = all.data();
    const char* const last = first + count;
    const int e = d.exponent;
    RoundedText t;
    char* out = t.chars.data();
    if (e < -4 || e >= digits) {
        *out++ = *first;
        if (count > 1) {
            *out++ = '.';
            out = std::copy(first + 1, last, out);
        }
        *out++ = 'e';
        *out++ = e < 0 ? '-' : '+';
        const int magnitude = std::abs(e);
        if (magnitude >= 100) {
            *out++ = static_cast<char>('0' + magnitude / 100);
        }
        *out++ = static_cast<char>('0' + magnitude / 10 % 10);
        *out++ = static_cast<char>('0' + magnitude % 10);
    } else if (e >= count - 1) {
        out = std::copy(first, last, out);
        out = std::fill_n(out, e - (count - 1), '0');
    } else if (e >= 0) {
        out = std::copy(first, first + e + 1, out);
        *out++ = '.';
        out = std::copy(first + e + 1, last, out);
    } else {
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, -e - 1, '0');
        out = std::copy(first, last, out);
    }
    t.size = static_cast<std::size_t>(out - t.chars.data());
    std::uint64_t shown = d.digits;
    for (int i = count; i < digits; ++i) {
        shown /= 10;
    }
    const auto read = exactlyRead(shown, e - (count - 1));
    t.value = read ? *read : parseNumber(t.text());
    return t;
}

} // namespace

RoundedText roundedText(double x, int digits)
{
    if (!(x > 0.0) || !std::isfinite(x) || digits < 1 || digits > 17) {
        return byFmt(x, digits);
    }
    if (const auto d = roundedDecimal(x, digits)) {
        return textOf(*d, digits);
    }
    return byFmt(x, digits);
}

} // namespace veldronix::design

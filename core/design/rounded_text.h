#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace veldronix::design {

// A number written to a count of significant digits, and what its text reads as.
struct RoundedText {
    std::array<char, 32> chars{};
    std::size_t size = 0;
    double value = 0.0; // the text read back, as parseNumber reads it

    std::string_view text() const { return {chars.data(), size}; }
};

// The text {fmt} writes for x with "{:.{digits}g}" (the exact x rounded to
// digits significant digits, halves to even, trailing zeros dropped). The
// ramp times the designs write (positive, 1 to 17 digits) are rounded exactly
// in 128-bit integers and read back by one correctly rounded operation; other
// numbers go through {fmt} and the parser.
RoundedText roundedText(double x, int digits);

} // namespace veldronix::design

#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace veldronix {

// A value in fixed notation with the given number of decimals, correctly rounded
// (ties to even on the exact binary value, as glibc's printf does); "inf",
// "-inf" or "nan" for the non-finite values. Independent of locale and platform.
std::string formatFixed(double value, int decimals);

// A value truncated toward zero, as a whole number of any size ("-0" never
// appears); "inf", "-inf" or "nan" for the non-finite values.
std::string formatTruncated(double value);

// A printf-style format filled with doubles: %ld takes a value truncated toward
// zero, %.Nlf (N a single digit) a value with N decimals, %% a percent sign.
// Arguments are taken in order; a conversion without an argument left prints
// nothing, and anything else stands as written.
std::string formatNumbers(std::string_view format, std::initializer_list<double> values);

} // namespace veldronix

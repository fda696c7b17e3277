#pragma once

#include <string>

namespace veldronix {

// A value in fixed notation with the given number of decimals (0 to 9; others
// are taken as the nearest of these), correctly rounded (ties to even on the
// exact binary value, as glibc's printf does); "inf", "-inf" or "nan" for the
// non-finite values, a not-a-number without a sign. Independent of locale and
// platform.
std::string formatFixed(double value, int decimals);

// The same without the sign of a value that prints as zero: -0.00001 at four
// decimals is "0.0000", not "-0.0000". For the reports' figures.
std::string formatFixedUnsignedZero(double value, int decimals);

// A figure of a report, readable at any size: as formatFixedUnsignedZero writes
// it while its whole part has at most 12 digits and it shows some digit other
// than 0 (or is 0); otherwise with three significant digits and a power of ten,
// "3.96e22", "-1.5e13", "1e-9". The one form of such figures in every window and
// in pulsecalc.
std::string formatReadable(double value, int decimals);

// The shortest text that reads back as the value ("12", "-0.2", "1e+77"), "0"
// for -0, and "inf", "-inf" or "nan" as formatFixed writes them. For a number
// as it was read from a text, whatever its size.
std::string formatShortest(double value);

// The value to print for a number that a text shows as it is: a not-a-number
// loses its sign, which carries no meaning for the user (printf would show
// "-nan" for the one that 0/0 gives on x86).
double printable(double value);

// The value to print for a number that a text shows truncated toward zero, as a
// whole number of any size with "{:.0f}": never -0 (-0.5 gives 0), and the
// non-finite values as printable gives them.
double printableTruncated(double value);

} // namespace veldronix

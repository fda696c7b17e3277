#include "core/number_format.h"

#include <algorithm>
#include <cmath>

#include <fmt/format.h>

namespace veldronix {

double printable(double value)
{
    return std::isnan(value) ? std::fabs(value) : value;
}

double printableTruncated(double value)
{
    // Adding +0.0 turns the -0.0 of a truncated -0.5 into 0.0, as an integer would print.
    return std::isfinite(value) ? std::trunc(value) + 0.0 : printable(value);
}

std::string formatFixed(double value, int decimals)
{
    return fmt::format("{:.{}f}", printable(value), std::clamp(decimals, 0, 9));
}

} // namespace veldronix

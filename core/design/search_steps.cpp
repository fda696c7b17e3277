#include "core/design/design_search.h"

#include <algorithm>
#include <cmath>

namespace veldronix::design {

std::int64_t largestWithin(double limit, std::int64_t unit, std::int64_t cap)
{
    // The quotient's whole part, which the conversion takes for a positive quotient below the cap.
    const double estimate = limit / static_cast<double>(unit);
    std::int64_t x = estimate >= static_cast<double>(cap) ? cap : !(estimate > 0.0) ? 0 : static_cast<std::int64_t>(estimate);
    // x x unit is an exact integer in a double: these steps settle the division's rounding.
    while (x < cap && static_cast<double>((x + 1) * unit) <= limit) {
        ++x;
    }
    while (x > 0 && static_cast<double>(x * unit) > limit) {
        --x;
    }
    return x;
}

double largestRampDeviation(const MoveRegisters& r, double accelTime, double decelTime)
{
    const double accel = std::fabs(accelTimeOf(r) - accelTime) / accelTime;
    if (!isAsymmetric(r.type)) {
        return accel;
    }
    return std::max(accel, std::fabs(decelTimeOf(r) - decelTime) / decelTime);
}

} // namespace veldronix::design

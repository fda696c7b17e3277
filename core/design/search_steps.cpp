#include "core/design/design_search.h"

#include <algorithm>
#include <cmath>

namespace veldronix::design {

std::int64_t largestWithin(double limit, std::int64_t unit, std::int64_t cap)
{
    const double estimate = std::floor(limit / static_cast<double>(unit));
    std::int64_t x = estimate >= static_cast<double>(cap) ? cap : estimate <= 0.0 ? 0 : static_cast<std::int64_t>(estimate);
    // x x unit is an exact integer in a double: these steps settle the division's rounding.
    while (x < cap && static_cast<double>((x + 1) * unit) <= limit) {
        ++x;
    }
    while (x > 0 && static_cast<double>(x * unit) > limit) {
        --x;
    }
    return x;
}

std::int64_t firstHolding(std::int64_t low, std::int64_t high, double estimate,
                          const std::function<bool(std::int64_t)>& holds)
{
    if (low > high) {
        return high + 1;
    }
    std::int64_t k = !(estimate >= static_cast<double>(low))   ? low
                     : estimate >= static_cast<double>(high) ? high
                                                             : static_cast<std::int64_t>(estimate);
    // A few steps from the estimate, then halving what is left.
    std::int64_t below = low - 1; // the largest k known not to hold
    std::int64_t above = high + 1; // the smallest k known to hold
    for (int step = 0; step < 3 && below + 1 < above; ++step) {
        if (holds(k)) {
            above = k;
            k = k - 1;
        } else {
            below = k;
            k = k + 1;
        }
        if (k <= below || k >= above) {
            break;
        }
    }
    while (below + 1 < above) {
        const std::int64_t middle = below + (above - below) / 2;
        (holds(middle) ? above : below) = middle;
    }
    return above;
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

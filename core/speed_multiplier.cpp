#include "core/speed_multiplier.h"

#include <cmath>

namespace veldronix {

std::optional<double> selectMultiplier(double driveSpeed)
{
    // Multiplied by 0.000125, not divided by 8000: every boundary speed then gives
    // the whole number exactly. The boundaries 8000, 80000 and 4000000 belong to
    // the lower multiplier, all others to the higher one.
    const double x = driveSpeed * 0.000125;
    if (x <= 1.0) {
        return 1.0;
    }
    if (x < 2.0) {
        return 2.0;
    }
    if (x < 5.0) {
        return 5.0;
    }
    if (x <= 10.0) {
        return 10.0;
    }
    if (x < 20.0) {
        return 20.0;
    }
    if (x < 50.0) {
        return 50.0;
    }
    if (x < 100.0) {
        return 100.0;
    }
    if (x < 200.0) {
        return 200.0;
    }
    if (x <= 500.0) {
        return 500.0;
    }
    return std::nullopt;
}

int multiplierIndex(double multiplier)
{
    // Compared as a truncated double: converting an arbitrary double to int could overflow.
    const double whole = std::trunc(multiplier);
    for (int index = 0; index < multiplierCount; ++index) {
        if (whole == speedMultipliers[static_cast<std::size_t>(index)]) {
            return index;
        }
    }
    return -1;
}

std::optional<double> multiplierAt(int index)
{
    if (index < 0 || index >= multiplierCount) {
        return std::nullopt;
    }
    return speedMultipliers[static_cast<std::size_t>(index)];
}

} // namespace veldronix

#pragma once

#include <array>
#include <optional>

namespace veldronix {

// The nine speed multipliers; the position of each is its selector index.
inline constexpr std::array<double, 9> speedMultipliers = {1.0, 2.0, 5.0, 10.0, 20.0, 50.0, 100.0, 200.0, 500.0};

inline constexpr int multiplierCount = static_cast<int>(speedMultipliers.size());

// The smallest multiplier with which the drive speed (PPS) fits the controller,
// or none above 4000000 PPS (or for a not-a-number speed).
std::optional<double> selectMultiplier(double driveSpeed);

// The selector index 0..8 of a multiplier (truncated toward zero), or -1.
int multiplierIndex(double multiplier);

// The multiplier at a selector index, or none for an index outside 0..8.
std::optional<double> multiplierAt(int index);

} // namespace veldronix

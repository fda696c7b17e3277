#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace veldronix {

// The drive types' names where a program or a file names them, in selector
// order (index = DriveType).
inline constexpr std::array<std::string_view, 4> driveTypeNames = {
    "symmetric-trapezoid", "symmetric-s-curve", "asymmetric-trapezoid", "asymmetric-s-curve"};

// The selector index of a name, none for any other text.
constexpr std::optional<int> driveTypeIndex(std::string_view name)
{
    for (std::size_t index = 0; index < driveTypeNames.size(); ++index) {
        if (driveTypeNames[index] == name) {
            return static_cast<int>(index);
        }
    }
    return std::nullopt;
}

} // namespace veldronix

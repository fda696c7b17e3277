#pragma once

#include "core/drive_input.h"
#include "core/register_formulas.h"

#include <optional>
#include <string>

namespace veldronix {

// The controller settings of one drive; a value the drive type does not use is absent.
struct SettingValues {
    double valueR = 0.0;                 // 8,000,000 / multiplier
    std::optional<double> valueA;        // acceleration; 8000 for the S-curve types
    double valueSV = 0.0;                // initial speed / multiplier
    double valueV = 0.0;                 // drive speed / multiplier
    std::optional<double> valueK;        // from the acceleration jerk (S-curve types)
    std::optional<double> valueAO;       // always 0 (S-curve types)
    std::optional<double> valueD;        // deceleration (asymmetric types)
    std::optional<double> valueL;        // from the deceleration jerk (asymmetric S-curve)
    std::optional<double> decelJerkRate; // J2 in PPS/s^2 (asymmetric S-curve), for the deceleration point
    std::string summary;                 // the Japanese summary line; empty for an unknown type
};

// The setting values of a validated input with one of the nine multipliers.
SettingValues computeSettingValues(const DriveInput& input, double multiplier);

} // namespace veldronix

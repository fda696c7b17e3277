#pragma once

#include "core/drive_input.h"
#include "core/register_formulas.h"
#include "core/setting_register.h"

#include <optional>
#include <string>

namespace veldronix {

// The controller settings of one drive; a value the drive type does not use is absent.
struct SettingValues {
    // By register: R = 8,000,000 / multiplier; A the acceleration, 8000 for the
    // S-curve types; SV and V the initial and drive speeds / multiplier; K and L
    // from the acceleration and deceleration jerks; AO always 0 (S-curve types);
    // D the deceleration (asymmetric types). R, SV and V are always present.
    RegisterValues registers;
    std::optional<double> decelJerkRate; // J2 in PPS/s^2 (asymmetric S-curve), for the deceleration point
    std::string summary;                 // the Japanese summary line; empty for an unknown type
};

// The setting values of a validated input with one of the nine multipliers.
SettingValues computeSettingValues(const DriveInput& input, double multiplier);

} // namespace veldronix

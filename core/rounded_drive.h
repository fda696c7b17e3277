#pragma once

#include "core/drive_input.h"
#include "core/setting_register.h"
#include "core/setting_values.h"

#include <optional>
#include <vector>

namespace veldronix {


// Why a rounded register value cannot be written as it stands.
enum class RoundingProblem {
    Zero,         // rounds to 0: a speed of 0 outputs no pulse, A, D, K or L of 0 gives no drive
    Negative,     // below 0: the register holds no negative value
    AboveMaximum, // above the register's maximum (RegisterDescription::maximum)
    NotFinite,    // infinite or not a number
};

// One register whose rounded value is not usable.
struct RoundingFinding {
    SettingRegister setting = SettingRegister::R;
    RoundingProblem problem = RoundingProblem::Zero;
    double settingValue = 0.0; // the value before rounding
    double rounded = 0.0;      // the integer (or non-finite value) the register would get
};

// The integers written into the registers; a value the drive type does not use
// is absent, and AO is 0 for the S-curve types.
using RoundedSettings = RegisterValues;

// One quantity of the drive: what was asked for and what the rounded registers give.
struct RealQuantity {
    double requested = 0.0;
    std::optional<double> real;             // none when a register it follows from has a finding
    std::optional<double> deviationPercent; // (real - requested) / requested x 100; none when not finite
};

// The drive that the rounded setting values really produce with the same multiplier.
struct RoundedDrive {
    double multiplier = 0.0;
    SettingValues exact;                    // the setting values before rounding
    RoundedSettings rounded;
    RealQuantity initialSpeed;              // PPS
    RealQuantity driveSpeed;                // PPS
    std::optional<RealQuantity> accelTime;  // s, known drive types (also the deceleration of the symmetric ones)
    std::optional<RealQuantity> decelTime;  // s, asymmetric types
    std::optional<RealQuantity> accelJerk;  // PPS/s^2, S-curve types
    std::optional<RealQuantity> decelJerk;  // PPS/s^2, asymmetric S-curve
    std::vector<RoundingFinding> findings;  // in register order, at most one per register
};

// Rounds each setting value of a validated input to the nearest integer and
// works the same formulas backwards with the same multiplier. Never fails: an
// unusable register is reported among the findings, and the quantities that
// follow from it have no real value.
RoundedDrive computeRoundedDrive(const DriveInput& input, double multiplier);

} // namespace veldronix

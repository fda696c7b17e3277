#pragma once

#include "controller/calculation.h"
#include "core/axis.h"
#include "core/rounded_drive.h"
#include "io/json_writer.h"

#include <optional>
#include <string>

namespace veldronix::report {

// The axis as JSON: name, pulsesPerRev, gear, travelPerRev, unit ("mm" or
// "deg") and pulsesPerUnit; the figures null without mechanics.
void writeAxisJson(io::JsonWriter& json, const Axis& axis);

// The drive in the axis's units as JSON: initialSpeed and driveSpeed each with
// requested and real in units per second and rpm (the motor's), the ramps'
// rates (linear ramps, units/s²) or jerks (S-curves, units/s³), each with
// requested and real, and the pulse count as a distance. Real figures are the
// drive of the rounded registers; null where unknown or without a calculation.
void writeInUnitsJson(io::JsonWriter& json, const AxisMechanics& mechanics,
                      const std::optional<Calculation>& calculation, std::optional<double> pulseCount);

// A rounded drive's speeds and jerks in the axis's units as JSON, named as
// writeInUnitsJson names them: initialSpeed and driveSpeed each with requested,
// real and rpm, accelJerk and decelJerk (S-curves) each with requested and real;
// a real figure null where the drive has none. A row of the comparison of the
// multipliers has this as its member "inUnits".
void writeRoundedDriveInUnitsJson(io::JsonWriter& json, const AxisMechanics& mechanics, const RoundedDrive& drive);

// The same for a terminal: each figure in PPS and in the axis's units.
std::string axisPlainSection(const Axis& axis, const std::optional<Calculation>& calculation,
                             std::optional<double> pulseCount);

} // namespace veldronix::report

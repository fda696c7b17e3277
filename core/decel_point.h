#pragma once

namespace veldronix {

// The pulse count at which an S-curve deceleration from driveSpeed down to
// initialSpeed with the jerk decelJerkRate (PPS/s^2) must begin so that a drive
// of totalPulses ends at the initial speed. Not a number when the speeds are
// reversed; the caller decides what to show.
double computeManualDecelPoint(double totalPulses, double initialSpeed, double driveSpeed, double decelJerkRate);

} // namespace veldronix

#pragma once

namespace veldronix {

// Pulses output by an S-curve ramp between initialSpeed and driveSpeed (PPS) with
// the jerk jerkRate (PPS/s^2): (V + SV) x sqrt((V - SV) / J). The acceleration and
// the deceleration of a drive and its manual deceleration point all take it from
// here, so that their figures agree to the last bit. Not a number when the speeds
// are reversed.
double sCurveRampPulses(double initialSpeed, double driveSpeed, double jerkRate);

// The pulse count at which an S-curve deceleration from driveSpeed down to
// initialSpeed with the jerk decelJerkRate (PPS/s^2) must begin so that a drive
// of totalPulses ends at the initial speed. Not a number when the speeds are
// reversed; the caller decides what to show.
double computeManualDecelPoint(double totalPulses, double initialSpeed, double driveSpeed, double decelJerkRate);

} // namespace veldronix

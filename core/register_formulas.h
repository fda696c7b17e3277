#pragma once

namespace veldronix {

// The formulas between a drive and its register values, each with its inverse
// for the drive that rounded registers really give. Every operation is a double
// operation in the order written: the order fixes the last printed digits.
// IEEE division by zero is intended (equal speeds give an infinite K and L).

// R x multiplier: the range setting of the 16 MHz clock.
inline constexpr double rangeTimesMultiplier = 8000000.0;
// A rate register counts in units of 125 PPS/s x multiplier. The forward formula
// multiplies by 0.008 rather than dividing by 125, and the inverse multiplies by
// 125: each is the exact product the boundaries of the values rely on.
inline constexpr double rateUnit = 125.0;
inline constexpr double rateUnitInverse = 0.008;
// K (and L) x jerk / multiplier.
inline constexpr double jerkTimesRegister = 62500000.0;
// A and D of the S-curve types: the largest rate the controller takes.
inline constexpr double sCurveRate = 8000.0;

// R for a multiplier.
double rangeRegister(double multiplier);

// SV or V for a speed (PPS), and back.
double speedRegister(double speed, double multiplier);
double speedOfRegister(double speedRegister, double multiplier);

// A or D of a trapezoid ramp over speedChange (PPS) in rampTime (s), and the
// ramp time that a rate register gives over speedChange.
double linearRateRegister(double speedChange, double rampTime, double multiplier);
double linearRampTime(double speedChange, double rateRegister, double multiplier);

// The jerk (PPS/s^2) of an S-curve without a linear part that climbs
// speedChange in rampTime, and the ramp time of speedChange with a jerk.
double sCurveJerk(double speedChange, double rampTime);
double sCurveRampTime(double speedChange, double jerk);

// K or L for a jerk (PPS/s^2), and the jerk of a K or L.
double jerkRegister(double jerk, double multiplier);
double jerkOfRegister(double jerkRegister, double multiplier);

} // namespace veldronix

#pragma once

#include "core/drive_input.h"

namespace veldronix {

// Why a drive has, or has not, a motion of its pulse count.
enum class ProfileStatus {
    Complete,         // the drive reaches the drive speed and returns: all three phases hold
    ShortMove,        // the pulses end before the drive can reach the drive speed and come back
    NoPulses,         // the pulse count is zero, negative or not a number
    UnknownDriveType, // the type names no item, so there is no ramp shape
    SpeedsReversed,   // the initial speed is above the drive speed
    NoDriveSpeed,     // the drive speed is zero: the drive never moves
    NegativeSpeed,    // the initial speed is below zero: no pulse train runs backwards
    BadRampTime,      // an acceleration or deceleration time is zero or negative
    NoJerk,           // an S-curve between equal speeds: its jerk is zero, K (and L) infinite
    NotFinite,        // an input or a result is infinite or not a number
};

// How the speed changes during a ramp.
enum class RampShape {
    Linear, // constant acceleration (the trapezoid types)
    SCurve, // jerk J for half the ramp, then -J: no linear part (the S-curve types)
};

// One phase of the motion.
struct ProfilePhase {
    double time = 0.0;   // s
    double pulses = 0.0; // pulses output during the phase
};

// The motion of a drive of a given pulse count, in the input's own units.
// Phases, total time and deceleration point hold only for a Complete profile;
// rampPulses also for a ShortMove. Every figure of a Complete profile is finite.
struct VelocityProfile {
    ProfileStatus status = ProfileStatus::NoPulses;
    RampShape shape = RampShape::Linear;
    double initialSpeed = 0.0; // PPS, at the start and the end
    double driveSpeed = 0.0;   // PPS, during the constant phase
    double totalPulses = 0.0;  // the pulse count asked for
    ProfilePhase accel;
    ProfilePhase constant;
    ProfilePhase decel;
    double rampPulses = 0.0;  // pulses of the acceleration and the deceleration together
    double totalTime = 0.0;   // s, from the start to the end of the move
    double decelPoint = 0.0;  // pulses output when the deceleration begins
    double accelJerk = 0.0;   // PPS/s^2 of the S-curve acceleration; 0 for linear ramps
    double decelJerk = 0.0;   // PPS/s^2 of the S-curve deceleration; 0 for linear ramps
};

// The motion of a drive of totalPulses pulses: from initialSpeed up to driveSpeed
// in accelTime, at driveSpeed, and back down in decelTime (accelTime for the
// symmetric types, whose decelTime is not looked at). Never fails: any input
// gives a profile whose status says whether its figures hold.
VelocityProfile computeVelocityProfile(double initialSpeed, double driveSpeed, double accelTime, double decelTime,
                                       DriveType driveType, double totalPulses);

} // namespace veldronix

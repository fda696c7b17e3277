#pragma once

#include "core/drive_input.h"
#include "core/setting_register.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace veldronix::design {

// What the motor allows, for the fastest move.
struct MotorLimits {
    double initialSpeed = 0.0; // PPS: the highest speed the motor starts at
    double driveSpeed = 0.0;   // PPS
    double accel = 0.0;        // PPS/s, the trapezoids' acceleration
    double decel = 0.0;        // PPS/s, the asymmetric trapezoid's deceleration
    double jerk = 0.0;         // PPS/s^2, the S-curves' acceleration jerk
    double decelJerk = 0.0;    // PPS/s^2, the asymmetric S-curve's deceleration jerk
    std::optional<double> peakAccel; // PPS/s: the S-curves' highest acceleration, if the motor has one
};

struct FastestMoveRequest {
    DriveType type = DriveType::SymmetricTrapezoid;
    MotorLimits limits;
    double pulses = 0.0; // the move's length, a whole number of pulses
};

struct OnTimeMoveRequest {
    DriveType type = DriveType::SymmetricTrapezoid;
    double initialSpeed = 0.0; // PPS: the highest speed the motor starts at
    double accelTime = 0.0;    // s wanted, each real ramp within 1 %
    double decelTime = 0.0;    // s wanted, the asymmetric types
    double pulses = 0.0;       // a whole number of pulses
    double targetTime = 0.0;   // s: the move ends no later
};

// What decides a design, or why there is none that meets the question.
enum class DesignOutcome {
    DriveSpeedLimit,      // met: the drive speed is the highest the limit allows at this multiplier
    DriveRegisterLimit,   // met: register V's 8000 at this multiplier
    MoveTooShort,         // met: the move is too short to reach a higher speed
    EndsOnTime,           // met: the latest end no later than the target time
    InvalidInput,         // not met: an input is no usable number (see MoveDesign::invalidInput)
    InitialSpeedTooLow,   // not met: below 1 PPS, the least initial speed of any multiplier
    DriveSpeedTooLow,     // not met: no drive speed above the initial one within the limit
    AccelTooLow,          // not met: the acceleration limit is below one step of register A or D (125 PPS/s)
    JerkTooLow,           // not met: the jerk limit needs a K or L above what the design uses
    PulsesTooFew,         // not met: the ramps alone take more pulses than the move has
    NoRampWithinTolerance, // not met: no register gives a ramp within 1 % of the time wanted
    TargetTooShort,       // not met: the target time is shorter than the ramps allow
    SpeedAboveRange,      // not met: the speed needed is above 4,000,000 PPS
};

// The input that is no usable number.
enum class DesignInput {
    InitialSpeed, DriveSpeed, Accel, Decel, Jerk, DecelJerk, PeakAccel, AccelTime, DecelTime, Pulses, TargetTime, DriveType
};

// The move the integers really make, by the controller's model.
struct RealMove {
    double initialSpeed = 0.0;  // PPS
    double driveSpeed = 0.0;    // PPS
    double accelTime = 0.0;     // s
    double decelTime = 0.0;     // s
    std::optional<double> accelRate;  // PPS/s, trapezoids
    std::optional<double> decelRate;  // PPS/s, trapezoids
    std::optional<double> accelJerk;  // PPS/s^2, S-curves
    std::optional<double> decelJerk;  // PPS/s^2, S-curves
    std::optional<double> peakAccel;  // PPS/s, S-curves: sqrt(jerk x change) at the ramp's middle
    std::optional<double> peakDecel;  // PPS/s, S-curves
    double accelPulses = 0.0;
    double constantPulses = 0.0; // at the drive speed, 0 or more
    double decelPulses = 0.0;
    double constantTime = 0.0; // s
    double moveTime = 0.0;     // s, all three phases
};

// The dialog's field texts that give the design's integers: typed, then 決定,
// then, where needsRecalculate, the multiplier item selected and 再計算.
struct DesignFields {
    std::string initialSpeed;
    std::string driveSpeed;
    std::string accelTime;
    std::string decelTime; // empty for the symmetric types
    std::string pulseCount;
    std::string multiplier; // as pulsecalc's --multiplier takes it: x1 ... x500
    int multiplierIndex = 0; // the multiplier selector's item
    bool needsRecalculate = false; // 決定 chooses a smaller multiplier from the drive speed
};

struct MoveSettings {
    double multiplier = 1.0;
    // By SettingRegister; none where the drive type has no such register.
    std::array<std::optional<std::int64_t>, settingRegisters.size()> registers{};
    std::optional<std::int64_t> decelPoint;     // type 3: the manual deceleration point to write
    std::optional<double> decelPointExact;      // type 3: where the deceleration must begin, in pulses
    RealMove real;
    DesignFields fields;

    std::optional<std::int64_t> at(SettingRegister r) const { return registers[static_cast<std::size_t>(r)]; }
};

struct MoveDesign {
    bool met = false;
    DesignOutcome outcome = DesignOutcome::InvalidInput;
    std::optional<DesignInput> invalidInput;
    // The design: the fastest, the one that ends on time, or (not met) the one
    // that ends earliest; none when no integers make a move.
    std::optional<MoveSettings> settings;
    // On time: target minus the move's time (s), negative by as much as it misses.
    std::optional<double> timeMargin;
    // On time: the search stopped at its bound of work, so the design is the
    // best of the candidatesTried looked at (met when one of them ends by the
    // target), not necessarily of all.
    bool searchCut = false;
    std::int64_t candidatesTried = 0; // where searchCut
};

// The bound of the on-time search's work: each candidate looked at (a pair of
// ramp registers, a speed, an outer ramp register) and each comparison of
// times counts one, a comparison the doubles cannot decide many more. Long
// ramps give 1 % windows of millions of registers; within this a design ends
// in a few hundredths of a second (a few tenths in the browser and in the
// 32-bit Windows build, whose exact comparisons have no 128-bit integers),
// quick enough to follow each keystroke, and all but about one random
// question in two thousand are searched in full. The
// multipliers and changes are searched in their usual order up to it.
inline constexpr std::int64_t onTimeSearchWork = 2000000;

// The integer settings whose real move takes the least time within every limit.
MoveDesign designFastestMove(const FastestMoveRequest& request);

// The integer settings whose ramps are within 1 % of those wanted and whose
// move ends latest, no later than the target time.
MoveDesign designOnTimeMove(const OnTimeMoveRequest& request);

// A short English word for the outcome, for JSON: driveSpeed, driveRegister, moveTooShort, onTime, ...
std::string_view outcomeWord(DesignOutcome outcome);

} // namespace veldronix::design

#pragma once

#include "core/drive_input.h"

#include <cstdint>

namespace veldronix::design {

// The largest K or L a design uses: every quantity of the model then stays an
// exact integer in a double (10 x 8000 x 2^36 < 2^53).
inline constexpr std::int64_t largestJerkRegister = std::int64_t{1} << 36;
// SV, V, A and D hold 1 to 8000.
inline constexpr std::int64_t largestRegister = 8000;
// The longest move designed, in pulses; longer counts would leave the exact integers of the model.
inline constexpr std::int64_t largestPulseCount = std::int64_t{1} << 50;

// The integers of one design: the multiplier and the registers of its drive type.
struct MoveRegisters {
    DriveType type = DriveType::SymmetricTrapezoid;
    std::int64_t multiplier = 1; // 1, 2, 5 ... 500
    std::int64_t initial = 1;    // SV
    std::int64_t drive = 2;      // V
    std::int64_t accel = 1;      // A of a trapezoid, K of an S-curve
    std::int64_t decel = 1;      // D or L; the symmetric types decelerate with their accel register

    friend bool operator==(const MoveRegisters&, const MoveRegisters&) = default;
};

// A design's registers with the move's pulse count.
struct MoveCandidate {
    MoveRegisters registers;
    std::int64_t pulses = 0;

    friend bool operator==(const MoveCandidate&, const MoveCandidate&) = default;
};

// Ramp times (s) of the registers: a trapezoid climbs (V - SV) x M PPS at
// A x 125 x M PPS/s, an S-curve with jerk 62,500,000 x M / K PPS/s^2 in
// 2 sqrt(change / jerk); the multiplier cancels in both.
double accelTimeOf(const MoveRegisters& r);
double decelTimeOf(const MoveRegisters& r);
// The whole move (s): both ramps, then the rest of the pulses at the drive speed.
double moveTimeOf(const MoveCandidate& c);

// Whether both ramps together output no more than the pulse count, exactly.
bool rampsFit(const MoveCandidate& c);

// The exact sign of a.moveTime - b.moveTime.
int compareMoveTimes(const MoveCandidate& a, const MoveCandidate& b);
// The exact sign of c.moveTime - seconds (a finite double).
int compareMoveTime(const MoveCandidate& c, double seconds);

// The exact sign of lhs - x^power x factor, for a finite positive double x and power 1 or 2.
int compareWithScaledDouble(std::uint64_t lhs, double x, int power, std::uint64_t factor);

} // namespace veldronix::design

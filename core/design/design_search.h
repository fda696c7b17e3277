#pragma once

#include "core/design/move_design.h"
#include "core/design/move_model.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace veldronix::design {

// The integers a search found, and what decided them or why there are none.
struct SearchResult {
    std::optional<MoveCandidate> best;
    DesignOutcome outcome = DesignOutcome::PulsesTooFew;
};

// The searches behind the two questions, for inputs already found usable
// (finite, positive, a whole pulse count within largestPulseCount).
SearchResult searchFastestMove(DriveType type, const MotorLimits& limits, std::int64_t pulses);
SearchResult searchOnTimeMove(const OnTimeMoveRequest& request, std::int64_t pulses);

// The largest whole x in [0, cap] with x x unit <= limit (limit a positive double).
std::int64_t largestWithin(double limit, std::int64_t unit, std::int64_t cap);

// The smallest k in [low, high] for which holds is true, where holds is false
// below some k and true from it on; high + 1 when it never holds. The estimate
// is tried first: the searches' closed forms land within a step or two.
std::int64_t firstHolding(std::int64_t low, std::int64_t high, double estimate,
                          const std::function<bool(std::int64_t)>& holds);

// The largest ramp deviation of a design from the ramp times wanted, as a share.
double largestRampDeviation(const MoveRegisters& r, double accelTime, double decelTime);

} // namespace veldronix::design

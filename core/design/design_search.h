#pragma once

#include "core/design/move_design.h"
#include "core/design/move_model.h"

#include <cstdint>
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
// is tried first: the searches' closed forms land within a step or two. A
// template, so that the searches' inner loops call their tests directly.
template <typename Holds>
std::int64_t firstHolding(std::int64_t low, std::int64_t high, double estimate, const Holds& holds)
{
    if (low > high) {
        return high + 1;
    }
    std::int64_t k = !(estimate >= static_cast<double>(low))   ? low
                     : estimate >= static_cast<double>(high) ? high
                                                             : static_cast<std::int64_t>(estimate);
    // A few steps from the estimate, then halving what is left.
    std::int64_t below = low - 1; // the largest k known not to hold
    std::int64_t above = high + 1; // the smallest k known to hold
    for (int step = 0; step < 3 && below + 1 < above; ++step) {
        if (holds(k)) {
            above = k;
            k = k - 1;
        } else {
            below = k;
            k = k + 1;
        }
        if (k <= below || k >= above) {
            break;
        }
    }
    while (below + 1 < above) {
        const std::int64_t middle = below + (above - below) / 2;
        (holds(middle) ? above : below) = middle;
    }
    return above;
}

// The largest ramp deviation of a design from the ramp times wanted, as a share.
double largestRampDeviation(const MoveRegisters& r, double accelTime, double decelTime);

} // namespace veldronix::design

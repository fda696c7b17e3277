#include "core/design/design_search.h"

#include "core/speed_multiplier.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace veldronix::design {
namespace {

constexpr std::int64_t jerkUnit = 62500000; // K x jerk / multiplier

// A bound (computed in doubles to within 2e-15) prunes only what lies this share above the best time.
constexpr double boundShare = 1e-12;

// Ties go to the smaller multiplier, then to the smaller speed change.
bool better(const MoveCandidate& c, const std::optional<MoveCandidate>& best)
{
    if (!best) {
        return true;
    }
    const int order = compareMoveTimes(c, *best);
    if (order != 0) {
        return order < 0;
    }
    const auto& a = c.registers;
    const auto& b = best->registers;
    if (a.multiplier != b.multiplier) {
        return a.multiplier < b.multiplier;
    }
    return a.drive - a.initial < b.drive - b.initial;
}

// The smallest K (or L) whose jerk jerkUnit x multiplier / K stays within the limit.
std::int64_t smallestJerkRegister(std::int64_t multiplier, double limit)
{
    const auto lhs = static_cast<std::uint64_t>(jerkUnit * multiplier);
    return firstHolding(1, largestJerkRegister, std::ceil(static_cast<double>(lhs) / limit),
                        [&](std::int64_t k) { return compareWithScaledDouble(lhs, limit, 1, static_cast<std::uint64_t>(k)) <= 0; });
}

// The limits of one multiplier as register bounds.
struct MultiplierBounds {
    std::int64_t multiplier = 1;
    std::int64_t initialCap = 0; // the largest SV within the initial speed
    std::int64_t driveCap = 0;   // the largest V within the speed limit and the register
    bool driveCapIsLimit = false; // the speed limit, not the register's 8000, gives driveCap
};

MultiplierBounds boundsOf(std::int64_t multiplier, const MotorLimits& limits)
{
    MultiplierBounds b;
    b.multiplier = multiplier;
    b.initialCap = largestWithin(limits.initialSpeed, multiplier, largestRegister);
    b.driveCap = largestWithin(limits.driveSpeed, multiplier, largestRegister);
    b.driveCapIsLimit = static_cast<double>(largestRegister * multiplier) >= limits.driveSpeed;
    return b;
}

// Trapezoids: a higher SV shortens both the time and the ramps' pulses
// ((v^2 - sv^2) / a), so the largest SV below V is the best of every V; an
// S-curve's higher SV can need more pulses, and its search runs over the
// changes V - SV instead, which covers every SV.
// With the largest A and D and the largest SV below V, the time
// N / v + (v - sv)^2 / (a v) (a the harmonic mean of the two rates) falls as
// V rises for as long as both ramps fit the pulses, and fitting only gets
// harder as V rises: the largest V that fits is the multiplier's best.
std::optional<MoveCandidate> fastestTrapezoid(DriveType type, const MultiplierBounds& b, const MotorLimits& limits,
                                              std::int64_t pulses, DesignOutcome& why)
{
    const std::int64_t m = b.multiplier;
    const std::int64_t accel = largestWithin(limits.accel, 125 * m, largestRegister);
    const std::int64_t decel =
        type == DriveType::AsymmetricTrapezoid ? largestWithin(limits.decel, 125 * m, largestRegister) : accel;
    if (accel < 1 || decel < 1) {
        why = DesignOutcome::AccelTooLow;
        return std::nullopt;
    }
    const auto candidate = [&](std::int64_t v) {
        return MoveCandidate{{type, m, std::min(b.initialCap, v - 1), v, accel, decel}, pulses};
    };
    const std::int64_t tooFast = firstHolding(2, b.driveCap, b.driveCap, [&](std::int64_t v) { return !rampsFit(candidate(v)); });
    if (tooFast == 2) {
        why = DesignOutcome::PulsesTooFew;
        return std::nullopt;
    }
    return candidate(tooFast - 1);
}

// S-curves: for one speed change the largest K and L the limits allow fix the
// ramps, and the time then falls as V rises while the ramps fit: each change
// has one best V. The changes are searched by halving their range, leaving
// out each part whose lower bound of the time is above the best time found.
class SCurveSearch {
public:
    SCurveSearch(DriveType type, const MultiplierBounds& b, const MotorLimits& limits, std::int64_t pulses)
        : type_(type), b_(b), limits_(limits), pulses_(pulses)
    {
        accelJerk_ = smallestJerkRegister(b.multiplier, limits.jerk);
        decelJerk_ = type == DriveType::AsymmetricSCurve ? smallestJerkRegister(b.multiplier, limits.decelJerk) : accelJerk_;
    }

    bool jerkUsable() const { return accelJerk_ <= largestJerkRegister && decelJerk_ <= largestJerkRegister; }

    void search(std::optional<MoveCandidate>& best)
    {
        explore(1, b_.driveCap - 1, best);
    }

private:
    DriveType type_;
    MultiplierBounds b_;
    const MotorLimits& limits_;
    std::int64_t pulses_;
    std::int64_t accelJerk_ = 1;
    std::int64_t decelJerk_ = 1;

    double peakShare(std::int64_t change) const
    {
        // K >= 62,500,000 M^2 change / a^2 keeps sqrt(jerk x change) within a.
        const double m = static_cast<double>(b_.multiplier);
        const double a = *limits_.peakAccel;
        return static_cast<double>(jerkUnit) * m * m * static_cast<double>(change) / a / a;
    }

    std::int64_t peakRegister(std::int64_t change) const
    {
        if (!limits_.peakAccel) {
            return 1;
        }
        const auto lhs = static_cast<std::uint64_t>(jerkUnit * b_.multiplier * b_.multiplier * change);
        const double a = *limits_.peakAccel;
        return firstHolding(1, largestJerkRegister, std::ceil(peakShare(change)),
                            [&](std::int64_t k) { return compareWithScaledDouble(lhs, a, 2, static_cast<std::uint64_t>(k)) <= 0; });
    }

    // The fastest move of one speed change (in register steps), if any.
    std::optional<MoveCandidate> fastestOf(std::int64_t change) const
    {
        const std::int64_t peak = peakRegister(change);
        const std::int64_t k = std::max(accelJerk_, peak);
        const std::int64_t l = type_ == DriveType::AsymmetricSCurve ? std::max(decelJerk_, peak) : k;
        const std::int64_t highest = std::min(b_.driveCap, change + b_.initialCap);
        if (k > largestJerkRegister || l > largestJerkRegister || highest < change + 1) {
            return std::nullopt;
        }
        const auto candidate = [&](std::int64_t v) {
            return MoveCandidate{{type_, b_.multiplier, v - change, v, k, l}, pulses_};
        };
        // Both ramps output M (2V - change) (sqrt(10 change K) + sqrt(10 change L)) / 25000 pulses.
        const double roots = std::sqrt(10.0 * static_cast<double>(change * k)) + std::sqrt(10.0 * static_cast<double>(change * l));
        const double estimate =
            (25000.0 * static_cast<double>(pulses_) / (static_cast<double>(b_.multiplier) * roots) + static_cast<double>(change)) / 2.0;
        const std::int64_t tooFast =
            firstHolding(change + 1, highest, estimate + 1.0, [&](std::int64_t v) { return !rampsFit(candidate(v)); });
        if (tooFast == change + 1) {
            return std::nullopt;
        }
        return candidate(tooFast - 1);
    }

    // No move whose change lies in [low, high] is faster than this.
    double lowerBound(std::int64_t low, std::int64_t high) const
    {
        // K and L only grow with the change; a step less keeps the bound below the rounding of the estimate.
        const double peak = limits_.peakAccel ? std::max(1.0, std::floor(peakShare(low)) - 1.0) : 1.0;
        const double k = std::max(static_cast<double>(accelJerk_), peak);
        const double l = type_ == DriveType::AsymmetricSCurve ? std::max(static_cast<double>(decelJerk_), peak) : k;
        const double lo = static_cast<double>(low);
        const double roots = std::sqrt(10.0 * lo * k) + std::sqrt(10.0 * lo * l);
        const double m = static_cast<double>(b_.multiplier);
        const double n = static_cast<double>(pulses_);
        const double pulseSpeed = std::floor((25000.0 * n / (m * roots) + static_cast<double>(high)) / 2.0) + 1.0;
        const double v = std::min({static_cast<double>(b_.driveCap), static_cast<double>(high + b_.initialCap), pulseSpeed});
        if (v < lo + 1.0) {
            return std::numeric_limits<double>::infinity();
        }
        return n / (v * m) + lo * roots / 12500.0 / (2.0 * v);
    }

    bool worthExploring(double bound, const std::optional<MoveCandidate>& best) const
    {
        return !best || bound * (1.0 - boundShare) <= moveTimeOf(*best);
    }

    void explore(std::int64_t low, std::int64_t high, std::optional<MoveCandidate>& best) const
    {
        if (low > high || !worthExploring(lowerBound(low, high), best)) {
            return;
        }
        if (high - low < 4) {
            for (std::int64_t change = low; change <= high; ++change) {
                if (auto c = fastestOf(change); c && better(*c, best)) {
                    best = c;
                }
            }
            return;
        }
        const std::int64_t middle = low + (high - low) / 2;
        const double lowerHalf = lowerBound(low, middle);
        const double upperHalf = lowerBound(middle + 1, high);
        // The more promising half first, so that the best time found prunes more of the other.
        if (upperHalf < lowerHalf) {
            explore(middle + 1, high, best);
            explore(low, middle, best);
        } else {
            explore(low, middle, best);
            explore(middle + 1, high, best);
        }
    }
};

} // namespace

SearchResult searchFastestMove(DriveType type, const MotorLimits& limits, std::int64_t pulses)
{
    SearchResult result;
    std::optional<DesignOutcome> firstWhy; // why the smallest multiplier, the least demanding, has no move
    for (const double multiplierValue : speedMultipliers) {
        const auto m = static_cast<std::int64_t>(multiplierValue);
        const MultiplierBounds b = boundsOf(m, limits);
        DesignOutcome why = DesignOutcome::PulsesTooFew;
        if (b.initialCap < 1) {
            why = DesignOutcome::InitialSpeedTooLow;
        } else if (b.driveCap < 2) {
            why = DesignOutcome::DriveSpeedTooLow;
        } else if (isSCurve(type)) {
            SCurveSearch search(type, b, limits, pulses);
            if (!search.jerkUsable()) {
                why = DesignOutcome::JerkTooLow;
            } else {
                search.search(result.best);
            }
        } else if (auto c = fastestTrapezoid(type, b, limits, pulses, why); c && better(*c, result.best)) {
            result.best = c;
        }
        if (!firstWhy) {
            firstWhy = why;
        }
    }
    if (!result.best) {
        result.outcome = *firstWhy;
        return result;
    }
    const MoveRegisters& r = result.best->registers;
    const MultiplierBounds b = boundsOf(r.multiplier, limits);
    result.outcome = r.drive < b.driveCap      ? DesignOutcome::MoveTooShort
                     : b.driveCapIsLimit ? DesignOutcome::DriveSpeedLimit
                                         : DesignOutcome::DriveRegisterLimit;
    return result;
}

} // namespace veldronix::design

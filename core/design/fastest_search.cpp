#include "core/design/design_search.h"

#include "core/speed_multiplier.h"

#include <algorithm>
#include <array>
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

// The smallest K of [1, largestJerkRegister] with lhs <= x^power x K exactly,
// largestJerkRegister + 1 where there is none. The quotient of the doubles
// (three or four roundings) is within 5e-16 of lhs / x^power, so its
// neighbourhood of 1e-14 holds the exact quotient: where that neighbourhood
// has one ceiling, it is the answer; else the ceiling is one of two wholes
// (the neighbourhood is far narrower than 1 up to 2^36), and one exact
// comparison tells which.
std::int64_t smallestRegisterFor(std::uint64_t lhs, double x, int power)
{
    const double quotient = static_cast<double>(lhs) / (power == 2 ? x * x : x);
    const double low = std::ceil(quotient * (1.0 - 1e-14));
    if (low > static_cast<double>(largestJerkRegister)) {
        return largestJerkRegister + 1;
    }
    const auto k = static_cast<std::int64_t>(std::max(1.0, low));
    if (low == std::ceil(quotient * (1.0 + 1e-14)) || compareWithScaledDouble(lhs, x, power, static_cast<std::uint64_t>(k)) <= 0) {
        return k;
    }
    return k + 1;
}

// The smallest K (or L) whose jerk jerkUnit x multiplier / K stays within the limit.
std::int64_t smallestJerkRegister(std::int64_t multiplier, double limit)
{
    return smallestRegisterFor(static_cast<std::uint64_t>(jerkUnit * multiplier), limit, 1);
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

// The real root of x^3 + p x = q for p >= 0 and q > 0 (one root, positive).
double cubicRoot(double p, double q)
{
    const double u = std::cbrt(q / 2.0 + std::sqrt(q * q / 4.0 + p * p * p / 27.0));
    return u - p / (3.0 * u);
}

// S-curves: for one speed change c the smallest K and L the limits allow fix
// the ramps, and the time then falls as V rises while the ramps fit, so each
// change has one best V: the least of the speed limit, c + the largest SV
// and the pulses' limit. The time of a change is then bounded below by the
// largest of three closed forms (with K and L as reals, at least the peak's
// share of c): X / (c + SV), X / V's limit and the ramps' own time, X being
// N / M plus the ramps' c (ta + td) / 2. The first falls and then rises with c
// (the ramps' term is convex), the others only rise, so the bound falls to one
// lowest change and rises after it. The multiplier's best change lies where the
// bound is not above the best time: next to that lowest change, a few changes wide.
class SCurveSearch {
public:
    SCurveSearch(DriveType type, const MultiplierBounds& b, const MotorLimits& limits, std::int64_t pulses)
        : type_(type), b_(b), limits_(limits), pulses_(pulses),
          n_(static_cast<double>(pulses) / static_cast<double>(b.multiplier))
    {
        accelJerk_ = smallestJerkRegister(b.multiplier, limits.jerk);
        decelJerk_ = type == DriveType::AsymmetricSCurve ? smallestJerkRegister(b.multiplier, limits.decelJerk) : accelJerk_;
        if (limits.peakAccel) {
            const double m = static_cast<double>(b.multiplier);
            peakPerChange_ = static_cast<double>(jerkUnit) * m * m / *limits.peakAccel / *limits.peakAccel;
        }
    }

    bool jerkUsable() const { return accelJerk_ <= largestJerkRegister && decelJerk_ <= largestJerkRegister; }

    const MultiplierBounds& bounds() const { return b_; }

    std::int64_t accelJerk() const { return accelJerk_; }
    std::int64_t decelJerk() const { return decelJerk_; }

    // The bound of the whole multiplier: no design of it is faster. Without a
    // peak acceleration the closed forms give the lowest change among the
    // reals, which bounds every whole change; a peak's K moves it, and the
    // integers are searched for it.
    void plan()
    {
        estimate_ = lowestEstimate();
        if (limits_.peakAccel) {
            lowest_ = lowestChange();
            lowestBound_ = lowerBound(static_cast<double>(lowest_));
        } else {
            // A share for the roundings of the roots: at a meeting of two
            // closed forms the bound slopes.
            lowestBound_ = lowerBound(estimate_) * (1.0 - 1e-9);
        }
    }
    double bound() const { return lowestBound_; }

    // The multiplier's best into best, where it is better.
    void search(std::optional<MoveCandidate>& best) const
    {
        if (best && !worthExploring(lowestBound_, moveTimeOf(*best))) {
            return;
        }
        std::int64_t middle = limits_.peakAccel ? lowest_ : lowestChange();
        std::int64_t top = b_.driveCap - 1;
        auto found = fastestOf(middle);
        if (!found) {
            // Too few pulses for the lowest change: fitting only gets harder
            // as the change grows, so the changes that fit end below it.
            top = firstHolding(1, middle, static_cast<double>(middle - 1), [&](std::int64_t c) { return !fastestOf(c); }) - 1;
            if (top < 1) {
                return;
            }
            middle = top;
            found = fastestOf(middle);
        }
        if (better(*found, best)) {
            best = found;
        }
        const double seconds = moveTimeOf(*best);
        const auto within = [&](std::int64_t c) { return worthExploring(lowerBound(static_cast<double>(c)), seconds); };
        const std::int64_t first = firstHolding(1, middle, static_cast<double>(middle), within);
        const std::int64_t last =
            firstHolding(middle, top, static_cast<double>(middle + 1), [&](std::int64_t c) { return !within(c); }) - 1;
        for (std::int64_t change = first; change <= last; ++change) {
            if (change == middle) {
                continue;
            }
            if (auto c = fastestOf(change); c && better(*c, best)) {
                best = c;
            }
        }
    }

private:
    DriveType type_;
    MultiplierBounds b_;
    const MotorLimits& limits_;
    std::int64_t pulses_;
    double n_; // N / M
    std::int64_t accelJerk_ = 1;
    std::int64_t decelJerk_ = 1;
    double peakPerChange_ = 0.0; // the least K per step of change that keeps the peak acceleration
    double estimate_ = 1.0; // the lowest change of the closed forms, a real of [1, V's limit - 1]
    std::int64_t lowest_ = 1;
    double lowestBound_ = 0.0;

    std::int64_t peakRegister(std::int64_t change) const
    {
        if (!limits_.peakAccel) {
            return 1;
        }
        // K >= 62,500,000 M^2 change / a^2 keeps sqrt(jerk x change) within a.
        return smallestRegisterFor(static_cast<std::uint64_t>(jerkUnit * b_.multiplier * b_.multiplier * change), *limits_.peakAccel, 2);
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
        const double estimate = (25000.0 * n_ / roots + static_cast<double>(change)) / 2.0;
        const std::int64_t tooFast =
            firstHolding(change + 1, highest, estimate + 1.0, [&](std::int64_t v) { return !rampsFit(candidate(v)); });
        if (tooFast == change + 1) {
            return std::nullopt;
        }
        return candidate(tooFast - 1);
    }

    // No move of this change is faster than this (s).
    double lowerBound(double c) const
    {
        const double k = std::max(static_cast<double>(accelJerk_), peakPerChange_ * c);
        const double l = type_ == DriveType::AsymmetricSCurve ? std::max(static_cast<double>(decelJerk_), peakPerChange_ * c) : k;
        const double ramps = (std::sqrt(10.0 * c * k) + std::sqrt(10.0 * c * l)) / 12500.0;
        const double x = n_ + c * ramps / 2.0;
        return std::max({x / (c + static_cast<double>(b_.initialCap)), x / static_cast<double>(b_.driveCap), ramps});
    }

    // The change of the lowest bound. With K and L fixed, and x = sqrt(c),
    // X / (c + SV) meets the ramps' time where x^3 + 2 SV x = P, with
    // P = 25000 N / (M sqrt(10) (sqrt K + sqrt L)), and still falls there (its
    // lowest, where x^3 + 3 SV x = 2 P, lies beyond); it meets X / V's limit
    // where c = V - SV. The bound is lowest at the smaller of the two.
    double lowestEstimate() const
    {
        const double sv = static_cast<double>(b_.initialCap);
        const double p = 25000.0 * n_ /
                         (std::sqrt(10.0) * (std::sqrt(static_cast<double>(accelJerk_)) + std::sqrt(static_cast<double>(decelJerk_))));
        const double meeting = cubicRoot(2.0 * sv, p);
        const double estimate = std::min(meeting * meeting, static_cast<double>(b_.driveCap - b_.initialCap));
        return std::clamp(estimate, 1.0, static_cast<double>(b_.driveCap - 1));
    }

    // The whole change of the lowest bound, from the estimate (the peak's K only moves it further).
    std::int64_t lowestChange() const
    {
        const std::int64_t top = b_.driveCap - 1;
        const auto bound = [&](std::int64_t c) { return lowerBound(static_cast<double>(c)); };
        // The bound rises from its lowest change on: the first change whose next is no lower.
        return firstHolding(1, top, std::round(estimate_), [&](std::int64_t c) { return c >= top || bound(c + 1) >= bound(c); });
    }

    static bool worthExploring(double bound, double bestSeconds)
    {
        return bound * (1.0 - boundShare) <= bestSeconds;
    }
};

// Whether every real move of the multiplier b can be made by the smaller
// multiplier a, as fast or faster: a divides b, so that b's speeds are a's too,
// a's limits reach as high, and a's jerks, fixed without a peak acceleration,
// are no lower. b's best is then no better than a's, and ties go to a.
bool dominated(const SCurveSearch& b, const SCurveSearch& a, const MotorLimits& limits)
{
    const MultiplierBounds& x = a.bounds();
    const MultiplierBounds& y = b.bounds();
    return !limits.peakAccel && y.multiplier % x.multiplier == 0 &&
           y.initialCap * y.multiplier <= x.initialCap * x.multiplier && y.driveCap * y.multiplier <= x.driveCap * x.multiplier &&
           y.multiplier * a.accelJerk() <= x.multiplier * b.accelJerk() && y.multiplier * a.decelJerk() <= x.multiplier * b.decelJerk();
}

} // namespace

SearchResult searchFastestMove(DriveType type, const MotorLimits& limits, std::int64_t pulses)
{
    SearchResult result;
    std::optional<DesignOutcome> firstWhy; // why the smallest multiplier, the least demanding, has no move
    // The S-curves' multipliers that can move, searched once all are known.
    std::array<std::optional<SCurveSearch>, speedMultipliers.size()> sCurves;
    std::size_t sCurveCount = 0;
    for (const double multiplierValue : speedMultipliers) {
        const auto m = static_cast<std::int64_t>(multiplierValue);
        const MultiplierBounds b = boundsOf(m, limits);
        DesignOutcome why = DesignOutcome::PulsesTooFew;
        if (b.initialCap < 1) {
            why = DesignOutcome::InitialSpeedTooLow;
        } else if (b.driveCap < 2) {
            why = DesignOutcome::DriveSpeedTooLow;
        } else if (isSCurve(type)) {
            std::optional<SCurveSearch>& search = sCurves[sCurveCount];
            search.emplace(type, b, limits, pulses);
            if (!search->jerkUsable()) {
                why = DesignOutcome::JerkTooLow;
                search.reset();
            } else if (std::none_of(sCurves.begin(), sCurves.begin() + static_cast<std::ptrdiff_t>(sCurveCount),
                                    [&](const std::optional<SCurveSearch>& a) { return dominated(*search, *a, limits); })) {
                search->plan();
                ++sCurveCount;
            } else {
                search.reset();
            }
        } else if (auto c = fastestTrapezoid(type, b, limits, pulses, why); c && better(*c, result.best)) {
            result.best = c;
        }
        if (!firstWhy) {
            firstWhy = why;
        }
    }
    // The most promising multiplier first: its best time leaves out those whose bound is above it.
    std::array<const SCurveSearch*, speedMultipliers.size()> order{};
    for (std::size_t i = 0; i < sCurveCount; ++i) {
        order[i] = &*sCurves[i];
    }
    std::sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(sCurveCount),
              [](const SCurveSearch* x, const SCurveSearch* y) { return x->bound() < y->bound(); });
    for (std::size_t i = 0; i < sCurveCount; ++i) {
        order[i]->search(result.best);
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

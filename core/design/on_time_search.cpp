#include "core/design/design_search.h"

#include "core/speed_multiplier.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <optional>
#include <tuple>
#include <vector>

namespace veldronix::design {
namespace {

constexpr double boundShare = 1e-12;

// A comparison that the exact arithmetic of the radicals settles costs about
// as much as this many steps of the search or comparisons the doubles decide.
constexpr std::int64_t exactComparisonWork = 128;

// The registers of one ramp whose real time is within 1 % of the time wanted.
struct RampRange {
    std::int64_t low = 1;
    std::int64_t high = 0; // empty when below low
    bool empty() const { return high < low; }
    std::int64_t size() const { return empty() ? 0 : high - low + 1; }
};

// The whole number just above (up) or at or below a double estimate of a
// bound, where the estimate is not within a hair of a whole number: a few
// correctly rounded operations are far nearer than 1e-9 of it.
std::optional<std::int64_t> clearlyWhole(double estimate, bool up)
{
    if (!(estimate >= 0.0 && estimate < 9e15 - 1.0)) {
        return std::nullopt;
    }
    // The truncation is the floor of a positive estimate, and far cheaper than the library's.
    const auto below = static_cast<std::int64_t>(estimate);
    const double fraction = estimate - static_cast<double>(below);
    const double hair = 1e-9 * estimate;
    if (fraction <= hair || 1.0 - fraction <= hair) {
        return std::nullopt;
    }
    return up ? below + 1 : below;
}

// A trapezoid ramp of change steps with A takes change / (125 A) s: within 1 %
// of t when 12375 A t <= 100 change <= 12625 A t.
RampRange trapezoidRange(std::int64_t change, double t)
{
    const auto hundred = static_cast<std::uint64_t>(100 * change);
    const auto lowEstimate = clearlyWhole(static_cast<double>(hundred) / (12625.0 * t), true);
    const auto highEstimate = clearlyWhole(static_cast<double>(hundred) / (12375.0 * t), false);
    if (lowEstimate && highEstimate) {
        return {std::clamp<std::int64_t>(*lowEstimate, 1, largestRegister + 1), std::clamp<std::int64_t>(*highEstimate, 0, largestRegister)};
    }
    RampRange r;
    r.low = firstHolding(1, largestRegister, static_cast<double>(hundred) / (12625.0 * t), [&](std::int64_t a) {
        return compareWithScaledDouble(hundred, t, 1, static_cast<std::uint64_t>(12625 * a)) <= 0;
    });
    r.high = firstHolding(1, largestRegister, static_cast<double>(hundred) / (12375.0 * t), [&](std::int64_t a) {
                 return compareWithScaledDouble(hundred, t, 1, static_cast<std::uint64_t>(12375 * a)) < 0;
             }) - 1;
    return r;
}

// An S-curve ramp with K takes sqrt(10 change K) / 12500 s: within 1 % of t
// when 9801 x 15625 t^2 <= 10 change K <= 10201 x 15625 t^2.
RampRange sCurveRange(std::int64_t change, double t)
{
    constexpr std::uint64_t shortest = 9801u * 15625u;
    constexpr std::uint64_t longest = 10201u * 15625u;
    const auto tenChange = static_cast<std::uint64_t>(10 * change);
    const auto lowEstimate = clearlyWhole(static_cast<double>(shortest) * t * t / static_cast<double>(tenChange), true);
    const auto highEstimate = clearlyWhole(static_cast<double>(longest) * t * t / static_cast<double>(tenChange), false);
    if (lowEstimate && highEstimate) {
        return {std::clamp<std::int64_t>(*lowEstimate, 1, largestJerkRegister + 1),
                std::clamp<std::int64_t>(*highEstimate, 0, largestJerkRegister)};
    }
    RampRange r;
    r.low = firstHolding(1, largestJerkRegister, static_cast<double>(shortest) * t * t / static_cast<double>(tenChange),
                         [&](std::int64_t k) {
                             return compareWithScaledDouble(tenChange * static_cast<std::uint64_t>(k), t, 2, shortest) >= 0;
                         });
    r.high = firstHolding(1, largestJerkRegister, static_cast<double>(longest) * t * t / static_cast<double>(tenChange),
                          [&](std::int64_t k) {
                              return compareWithScaledDouble(tenChange * static_cast<std::uint64_t>(k), t, 2, longest) > 0;
                          }) - 1;
    return r;
}

RampRange rangeOf(DriveType type, std::int64_t change, double t)
{
    return isSCurve(type) ? sCurveRange(change, t) : trapezoidRange(change, t);
}

// The seconds of each register of a window of one change, where the window is
// small enough to keep: the searches look each up many times.
struct RampTable {
    std::int64_t low = 1;
    std::vector<double> seconds; // empty where the window is too large
};
constexpr std::int64_t largestTable = 4096;

// A double estimate of a register bound as an integer of [low, high].
std::int64_t clamped(double estimate, std::int64_t low, std::int64_t high)
{
    if (!(estimate >= static_cast<double>(low))) {
        return low;
    }
    return estimate >= static_cast<double>(high) ? high : static_cast<std::int64_t>(estimate);
}

// clamped(std::ceil(estimate), low, high) for low >= 0, without the
// library's ceiling: the inner loops take it for nearly every register.
std::int64_t clampedUp(double estimate, std::int64_t low, std::int64_t high)
{
    if (!(estimate > static_cast<double>(low))) {
        return low;
    }
    if (estimate > static_cast<double>(high - 1)) {
        return high;
    }
    const auto whole = static_cast<std::int64_t>(estimate);
    return static_cast<double>(whole) < estimate ? whole + 1 : whole;
}

// Among equal moves the one of the smaller registers, in the order M, SV, V, A (K), D (L).
bool registersBefore(const MoveRegisters& a, const MoveRegisters& b)
{
    return std::tie(a.multiplier, a.initial, a.drive, a.accel, a.decel) <
           std::tie(b.multiplier, b.initial, b.drive, b.accel, b.decel);
}

// Searches one question: the latest end no later than the target, or, when
// nothing ends by then, the earliest. Any SV within the initial speed is
// searched. With the speed change c = V - SV fixed, the ramps' registers and
// times are fixed too, and the move takes (N / M + c (ta + td) / 2) / V: the
// search runs over the multipliers and the changes, and for each change over
// the few V whose time can reach the target at ramps within 1 %. A design that
// ends exactly at the target ends latest: from then on only ramps as near the
// wish can win the tie, and the windows narrow to its deviation (a trapezoid
// first searches ramps within a hundredth of the 1 %, where such a design
// leaves the wider windows nothing to win). Its work is bounded
// (onTimeSearchWork), a net for windows of hundreds of thousands of registers
// over many changes and speeds (long S-curve ramps, initial speeds of
// thousands of SV steps): there the search stops, and its design is the best
// of those tried; the earliest end, one candidate per change, is always
// searched in full.
class OnTimeSearch {
public:
    OnTimeSearch(const OnTimeMoveRequest& request, std::int64_t pulses)
        : request_(request), pulses_(pulses),
          decelTime_(isAsymmetric(request.type) ? request.decelTime : request.accelTime),
          rampSum_(request.accelTime + decelTime_), perTarget_(1.0 / request.targetTime)
    {
    }

    SearchResult run()
    {
        if (!isSCurve(request_.type) && exactEndPossible()) {
            // A trapezoid's time is a fraction, and the target's denominator
            // may divide it: ramps within a hundredth of the 1 % first, where
            // a design that ends exactly at the target leaves the wider
            // windows nothing to win; else it is where the full search begins.
            tolerance_ = firstTolerance;
            searchMultipliers();
            if (!onTimeExact_) {
                tolerance_ = fullTolerance;
            }
        }
        if (!onTimeExact_ || tolerance_ >= firstTolerance) {
            searchMultipliers();
        }
        SearchResult result;
        result.cut = cut_;
        result.tried = tried_;
        if (onTime_) {
            result.best = onTime_;
            result.outcome = DesignOutcome::EndsOnTime;
            return result;
        }
        for (const double value : speedMultipliers) {
            const auto m = static_cast<std::int64_t>(value);
            if (const std::int64_t initialCap = initialCapOf(m); initialCap >= 1) {
                searchEarliest(m, initialCap);
            }
        }
        result.best = earliest_;
        if (!anyInitial_) {
            result.outcome = DesignOutcome::InitialSpeedTooLow;
        } else if (!earliest_) {
            result.outcome = anyRange_ ? DesignOutcome::PulsesTooFew : DesignOutcome::NoRampWithinTolerance;
        } else {
            const MoveRegisters& r = earliest_->registers;
            // At V's 8000 the search found no faster speed: the largest multiplier the initial speed allows is used up.
            const bool fastestSpeed = r.drive == largestRegister;
            result.outcome = fastestSpeed ? DesignOutcome::SpeedAboveRange : DesignOutcome::TargetTooShort;
        }
        return result;
    }

private:
    const OnTimeMoveRequest& request_;
    std::int64_t pulses_;
    double decelTime_;
    double rampSum_; // s: the two ramp times wanted
    double perTarget_; // 1 / the target time
    double registerScale_ = 1.0; // the change searched's factor of registerFor
    RampTable accelTimes_; // the seconds of the windows of the change searched
    RampTable decelTimes_;
    std::optional<MoveCandidate> onTime_;
    double onTimeSeconds_ = 0.0; // onTime_'s move time, a double for the bounds
    std::optional<MoveCandidate> earliest_;
    double earliestSeconds_ = 0.0;
    bool anyInitial_ = false;
    bool anyRange_ = false;
    std::int64_t tried_ = 0; // the candidates looked at: pairs of registers, speeds, outer registers
    std::int64_t work_ = 0;  // what they cost, up to onTimeSearchWork: each step and each comparison of times
    bool cut_ = false;       // the bound was reached: the rest is left untried
    // The largest ramp deviation a design may have and still win: 1 %, until
    // one ends exactly at the target, when only as small a deviation can.
    static constexpr double fullTolerance = 0.01;
    static constexpr double firstTolerance = 1e-4;
    double tolerance_ = fullTolerance;
    bool onTimeExact_ = false; // the best ends exactly at the target
    bool settled_ = false; // the best ends exactly at the target, its ramps as near the wish as any other multiplier's can be
    // Below this the windows come from doubles, well inside the exact 1 %.
    static constexpr double narrowTolerance = 0.009;

    // Counts one more candidate; false, and the search cut, once the work is used up.
    bool mayTry()
    {
        if (work_ >= onTimeSearchWork) {
            cut_ = true;
            return false;
        }
        ++tried_;
        ++work_;
        return true;
    }

    // Counts a comparison of two times: one unit where their doubles decide,
    // many where the exact arithmetic of the radicals must.
    void countCheck(double a, double b)
    {
        work_ += decidedByDoubles(a, b) ? 1 : exactComparisonWork;
    }

    void searchMultipliers()
    {
        for (const double value : speedMultipliers) {
            const auto m = static_cast<std::int64_t>(value);
            if (const std::int64_t initialCap = initialCapOf(m); initialCap >= 1) {
                anyInitial_ = true;
                if (!cut_ && !settled_) {
                    searchMultiplier(m, initialCap);
                }
            }
        }
    }

    // Whether a trapezoid can end exactly at the target: its time is a
    // fraction whose denominator 250 A D V M holds at most 2^40, so a target
    // of more binary places is never met exactly.
    bool exactEndPossible() const
    {
        int exponent = 0;
        const double fraction = std::frexp(request_.targetTime, &exponent);
        const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
        const int places = 53 - exponent - std::countr_zero(mantissa);
        return places <= 40;
    }

    // The largest SV within the initial speed; V above it must stay within 8000.
    std::int64_t initialCapOf(std::int64_t m) const
    {
        return largestWithin(request_.initialSpeed, m, largestRegister - 1);
    }

    // The registers of one ramp that can still win: within 1 %, and once a
    // design ends exactly at the target, within its largest deviation (a
    // double window widened by a hair: the exact comparisons decide the rest).
    RampRange windowOf(std::int64_t change, double t) const
    {
        if (tolerance_ > narrowTolerance) {
            return rangeOf(request_.type, change, t);
        }
        const auto c = static_cast<double>(change);
        const double shortest = t * (1.0 - tolerance_);
        const double longest = t * (1.0 + tolerance_);
        RampRange r;
        if (isSCurve(request_.type)) {
            r.low = clamped(std::ceil((12500.0 * shortest) * (12500.0 * shortest) / (10.0 * c) * (1.0 - 1e-12)), 1, largestJerkRegister + 1);
            r.high = clamped(std::floor((12500.0 * longest) * (12500.0 * longest) / (10.0 * c) * (1.0 + 1e-12)), 0, largestJerkRegister);
        } else {
            r.low = clamped(std::ceil(c / (125.0 * longest) * (1.0 - 1e-12)), 1, largestRegister + 1);
            r.high = clamped(std::floor(c / (125.0 * shortest) * (1.0 + 1e-12)), 0, largestRegister);
        }
        return r;
    }

    bool ramps(std::int64_t change, RampRange& accel, RampRange& decel)
    {
        accel = windowOf(change, request_.accelTime);
        decel = isAsymmetric(request_.type) ? windowOf(change, request_.decelTime) : accel;
        const bool usable = !accel.empty() && !decel.empty();
        anyRange_ = anyRange_ || usable;
        return usable;
    }

    bool endsInTime(const MoveCandidate& c)
    {
        countCheck(moveTimeOf(c), request_.targetTime);
        return rampsFit(c) && compareMoveTime(c, request_.targetTime) <= 0;
    }

    // The V of a change up to which both ramps can fit the pulses: (2V - c) M (ta + td) <= 2 N
    // with ramps of at least (1 - tol) of those wanted, a step more for the rounding.
    std::int64_t fittingSpeedCap(std::int64_t m, std::int64_t change, std::int64_t highest) const
    {
        const double n = static_cast<double>(pulses_) / static_cast<double>(m);
        const double v = (2.0 * n / ((1.0 - tolerance_) * rampSum_) + static_cast<double>(change)) / 2.0;
        return clamped(v * (1.0 + boundShare) + 1.0, 0, highest);
    }

    // Later is better; ties go to the smaller largest ramp deviation, then to the smaller registers.
    void considerOnTime(const MoveCandidate& c)
    {
        if (onTime_) {
            countCheck(moveTimeOf(c), onTimeSeconds_);
            const int order = compareMoveTimes(c, *onTime_);
            if (order < 0) {
                return;
            }
            if (order == 0) {
                const int deviation = compareRampDeviations(c.registers, onTime_->registers, request_.accelTime, decelTime_);
                if (deviation > 0 || (deviation == 0 && !registersBefore(c.registers, onTime_->registers))) {
                    return;
                }
            }
        }
        onTime_ = c;
        onTimeSeconds_ = moveTimeOf(c);
        onTimeExact_ = !decidedByDoubles(onTimeSeconds_, request_.targetTime) && compareMoveTime(c, request_.targetTime) == 0;
        if (onTimeExact_) {
            // Exactly at the target: nothing ends later, and only a design as
            // near the ramps wanted can still win the tie.
            const double deviation = largestRampDeviation(c.registers, request_.accelTime, decelTime_);
            tolerance_ = std::min(tolerance_, deviation * (1.0 + 1e-9) + 1e-15);
            // Two ramps of different times differ by more than 5e-13 s (a
            // trapezoid's change / (125 A) by at least 1 / 10^12 as fractions of
            // denominators up to 10^6, an S-curve's sqrt(10 change K) / 12500 by
            // at least 1 / (12500 x 2 sqrt(10 x 8000 x 2^36))). Within this,
            // a ramp as near the wish as the best's takes the best's time, and
            // a larger multiplier can only tie, never win.
            settled_ = tolerance_ * std::max(request_.accelTime, decelTime_) < 1e-13;
        }
    }

    // The least change whose V can reach the target: V is at most the change
    // plus the largest SV, and the move takes at least (N / M + (1 - tol) c (ta + td) / 2) / V,
    // so a change c is of use only when N / M + (1 - tol) c R / 2 <= T (c + SV + 1).
    // Two steps below the double's bound, the changes' own checks decide.
    std::int64_t leastChange(double n, std::int64_t initialCap) const
    {
        const double t = request_.targetTime / (1.0 - boundShare);
        const double slope = (1.0 - tolerance_) * rampSum_ / 2.0 - t;
        const double rest = t * static_cast<double>(initialCap + 2) - n;
        if (slope >= 0.0) {
            return rest >= 0.0 ? 1 : largestRegister;
        }
        return clamped(std::floor(rest / slope) - 2.0, 1, largestRegister);
    }

    // The greatest change whose V can still fit the ramps into the pulses and
    // end no earlier than the best found: the speed caps below (the pulses'
    // (2 N / ((1 - tol) M R) + c) / 2 and the best's (N / M + (1 + tol) c R / 2) / T) fall
    // below c + 1 beyond it. Two steps above the double's bound, the changes'
    // own checks decide.
    std::int64_t greatestChange(double n) const
    {
        double greatest = std::floor(2.0 * n / ((1.0 - tolerance_) * rampSum_) * (1.0 + boundShare) / (1.0 - boundShare)) + 2.0;
        if (onTime_) {
            const double slope = onTimeSeconds_ / (1.0 + boundShare) - (1.0 + tolerance_) * rampSum_ / 2.0;
            if (slope > 0.0) {
                greatest = std::min(greatest, std::floor(n / slope) + 2.0);
            }
        }
        return clamped(greatest, 0, largestRegister);
    }

    void searchMultiplier(std::int64_t m, std::int64_t initialCap)
    {
        const double n = static_cast<double>(pulses_) / static_cast<double>(m);
        std::int64_t greatest = greatestChange(n);
        double greatestFor = onTimeSeconds_; // the best end greatest was bounded with
        for (std::int64_t change = leastChange(n, initialCap); !cut_ && change < largestRegister; ++change) {
            if (onTimeSeconds_ != greatestFor) {
                greatest = greatestChange(n);
                greatestFor = onTimeSeconds_;
            }
            if (change > greatest) {
                break;
            }
            const std::int64_t highest = std::min(change + initialCap, largestRegister);
            const double shortest = n + (1.0 - tolerance_) * static_cast<double>(change) * rampSum_ / 2.0;
            const double longest = n + (1.0 + tolerance_) * static_cast<double>(change) * rampSum_ / 2.0;
            // The time of V is at least shortest / V: from the V whose bound reaches the target.
            // The doubles' errors are far below boundShare: no V outside these bounds can end by the target and no earlier than the best.
            const std::int64_t low = clampedUp(shortest * perTarget_ * (1.0 - boundShare), change + 1, highest + 1);
            std::int64_t high = fittingSpeedCap(m, change, highest);
            if (onTime_) {
                // At most longest / V: up to the V whose bound reaches the best time found.
                high = std::min(high, clamped(longest / onTimeSeconds_ * (1.0 + boundShare), 0, highest));
            }
            RampRange accel;
            RampRange decel;
            if (low > high || !ramps(change, accel, decel)) {
                continue;
            }
            const bool asymmetric = isAsymmetric(request_.type);
            accelTimes_.seconds.clear();
            decelTimes_.seconds.clear();
            registerScale_ = isSCurve(request_.type) ? 12500.0 * 12500.0 / (10.0 * static_cast<double>(change))
                                                     : static_cast<double>(change) / 125.0;
            const RampTable& decelTimes = asymmetric ? decelTimes_ : accelTimes_;
            if ((asymmetric ? std::max(accel.size(), decel.size()) : accel.size()) <= high - low + 1) {
                // Fewer registers than speeds: each pair of registers' own latest
                // speed, each decelerating register's seconds computed once.
                if (asymmetric) {
                    tabulate(decelTimes_, decel, change);
                }
                const double halfChange = 0.5 * static_cast<double>(change);
                for (std::int64_t a = accel.low; a <= accel.high; ++a) {
                    const double accelSeconds = rampTime(change, a);
                    const double accelPart = n + halfChange * accelSeconds;
                    const std::int64_t lastDecel = asymmetric ? decel.high : a;
                    for (std::int64_t d = asymmetric ? decel.low : a; d <= lastDecel; ++d) {
                        if (!mayTry()) {
                            return;
                        }
                        const double decelSeconds = asymmetric ? secondsOf(decelTimes, change, d) : accelSeconds;
                        latestOfRegisters(m, change, a, d, accelPart + halfChange * decelSeconds, high, highest);
                    }
                }
                continue;
            }
            if (asymmetric && high > low) {
                // Each speed looks up registers of both windows: their seconds once.
                tabulate(accelTimes_, accel, change);
                tabulate(decelTimes_, decel, change);
            }
            for (std::int64_t v = low; v <= high; ++v) {
                if (cut_ || !mayTry()) {
                    return;
                }
                latestOf(m, v - change, v, accel, decel, decelTimes);
            }
        }
    }

    // The latest ending of one change with its ramps' registers: the move
    // takes X / V with X = N / M + c (ta + td) / 2 (x, a double), so the least
    // V that ends by the target ends latest. Where the double of X / T is not
    // within a hair of a whole number, that V is beyond doubt, and so is a time
    // before the best found: nearly every pair ends there, on a multiplication
    // and a truncation. The exact checks decide the rest. high: no V above it
    // fits the pulses or ends no earlier than the best.
    void latestOfRegisters(std::int64_t m, std::int64_t change, std::int64_t accel, std::int64_t decel, double x,
                           std::int64_t high, std::int64_t highest)
    {
        const double ratio = x * perTarget_;
        if (ratio < 1e15) {
            const auto below = static_cast<double>(static_cast<std::int64_t>(ratio));
            const double hair = 1e-9 * ratio;
            if (ratio - below > hair && below + 1.0 - ratio > hair) {
                const double v = std::max(below + 1.0, static_cast<double>(change) + 1.0);
                if (v > static_cast<double>(high) || (onTime_ && x < onTimeSeconds_ * (1.0 - 1e-12) * v)) {
                    return;
                }
            }
        }
        const auto make = [&](std::int64_t v) {
            return MoveCandidate{{request_.type, m, v - change, v, accel, decel}, pulses_};
        };
        const std::int64_t v = firstHolding(change + 1, highest, std::ceil(ratio),
                                            [&](std::int64_t w) {
            countCheck(moveTimeOf(make(w)), request_.targetTime);
            return compareMoveTime(make(w), request_.targetTime) <= 0;
        });
        if (v <= highest && rampsFit(make(v))) {
            considerOnTime(make(v));
        }
    }

    // The register whose ramp over the change searched takes the seconds (a
    // double estimate): K = seconds^2 x 12500^2 / (10 c), A = c / (125 seconds).
    double registerFor(double seconds) const
    {
        return isSCurve(request_.type) ? seconds * seconds * registerScale_ : registerScale_ / seconds;
    }

    void tabulate(RampTable& table, const RampRange& range, std::int64_t change) const
    {
        table.low = range.low;
        table.seconds.resize(range.size() > largestTable ? 0 : static_cast<std::size_t>(range.size()));
        for (std::size_t at = 0; at < table.seconds.size(); ++at) {
            table.seconds[at] = rampTime(change, range.low + static_cast<std::int64_t>(at));
        }
    }

    double secondsOf(const RampTable& table, std::int64_t change, std::int64_t ramp) const
    {
        const auto at = static_cast<std::uint64_t>(ramp - table.low);
        return at < table.seconds.size() ? table.seconds[at] : rampTime(change, ramp);
    }

    // The seconds of one ramp of the change with the register.
    double rampTime(std::int64_t change, std::int64_t ramp) const
    {
        const auto c = static_cast<double>(change);
        const auto k = static_cast<double>(ramp);
        return isSCurve(request_.type) ? std::sqrt(10.0 * c * k) / 12500.0 : c / (125.0 * k);
    }

    // The seconds of a ramp of the registers' range: the shortest and the longest.
    std::pair<double, double> rampSeconds(const RampRange& range, std::int64_t change) const
    {
        const auto c = static_cast<double>(change);
        if (isSCurve(request_.type)) {
            return {std::sqrt(10.0 * c * static_cast<double>(range.low)) / 12500.0,
                    std::sqrt(10.0 * c * static_cast<double>(range.high)) / 12500.0};
        }
        return {c / (125.0 * static_cast<double>(range.high)), c / (125.0 * static_cast<double>(range.low))};
    }

    // The outer registers whose move, with some inner register, can fit the
    // room of both ramps (rampSum, s, give or take margin: the target's and the
    // pulses') and end no earlier than the best found: (N / M + c (tx + ty) / 2) / V
    // between them bounds tx, and tx is monotone in the register. Where even
    // the longest inner ramp leaves room, each outer register ends earlier than
    // the next longer one with that same inner ramp: of them only the longest
    // outer ramp can win. The bounds are doubles, widened by two registers;
    // the exact checks decide.
    RampRange usefulOuter(const RampRange& outer, const RampRange& inner, std::int64_t change, double n, double v,
                          double rampSum, double margin) const
    {
        const auto [innerShortest, innerLongest] = rampSeconds(inner, change);
        const auto c = static_cast<double>(change);
        const double latest = rampSum + margin - innerShortest;
        const double earliest = onTime_ ? 2.0 * (onTimeSeconds_ * (1.0 - boundShare) * v - n) / c - innerLongest : 0.0;
        if (latest <= 0.0) {
            return {outer.low, outer.low - 1};
        }
        RampRange r = outer;
        const double atLatest = registerFor(latest);
        const double atEarliest = earliest > 0.0 ? registerFor(earliest) : -1.0;
        const double roomy = rampSum - margin - innerLongest;
        const double atRoomy = roomy > 0.0 ? registerFor(roomy) : -1.0;
        if (isSCurve(request_.type)) {
            // Longer with a larger K.
            r.high = std::min(r.high, clamped(std::floor(atLatest) + 2.0, 0, r.high));
            if (atEarliest >= 0.0) {
                r.low = std::max(r.low, clamped(std::ceil(atEarliest) - 2.0, r.low, r.high + 1));
            }
            if (atRoomy >= 0.0) {
                r.low = std::max(r.low, clamped(std::floor(atRoomy) - 2.0, r.low, r.high));
            }
        } else {
            // Longer with a smaller A.
            r.low = std::max(r.low, clamped(std::ceil(atLatest) - 2.0, r.low, r.high + 1));
            if (atEarliest >= 0.0) {
                r.high = std::min(r.high, clamped(std::floor(atEarliest) + 2.0, 0, r.high));
            }
            if (atRoomy >= 0.0) {
                r.high = std::min(r.high, clamped(std::ceil(atRoomy) + 2.0, r.low, r.high));
            }
        }
        return r;
    }

    // The latest ending of one speed: ramps as long as the time and the pulses allow.
    void latestOf(std::int64_t m, std::int64_t initial, std::int64_t v, const RampRange& accel, const RampRange& decel,
                  const RampTable& decelTimes)
    {
        const DriveType type = request_.type;
        const bool sCurve = isSCurve(type);
        const std::int64_t change = v - initial;
        const auto make = [&](std::int64_t a, std::int64_t d) { return MoveCandidate{{type, m, initial, v, a, d}, pulses_}; };
        // The two ramps together take at most this long (s): the target's
        // (T V - N / M) 2 / c and the pulses' 2 N / (M (2V - c)); the estimates
        // of the registers come from it, the exact checks decide.
        const double n = static_cast<double>(pulses_) / static_cast<double>(m);
        const auto vd = static_cast<double>(v);
        const auto c = static_cast<double>(change);
        const double rampSum = std::min(2.0 * (request_.targetTime * vd - n) / c, 2.0 * n / (2.0 * vd - c));
        // Every value here is a few correctly rounded operations on numbers no
        // larger than the move's n / c and the ramps: the margin is far above
        // their errors, so no register the doubles leave out could win.
        const double margin = 1e-12 * (rampSum + 2.0 * n / c);
        // s: both ramps of a design of this speed that ends with the best found.
        const auto rampsOfBest = [&] { return onTime_ ? 2.0 * (onTimeSeconds_ * vd - n) / c : -1.0; };
        double wanted = rampsOfBest();
        if (!isAsymmetric(type)) {
            // One register for both ramps: longer with a smaller A or a larger K.
            const double estimate = registerFor(rampSum / 2.0);
            // The register of the longest ramp within half the room, and the next longer one.
            const std::int64_t y = sCurve ? clamped(estimate, accel.low, accel.high) : clampedUp(estimate, accel.low, accel.high);
            const std::int64_t longer = sCurve ? y + 1 : y - 1;
            const double atY = secondsOf(accelTimes_, change, y);
            const bool longerFits =
                longer >= accel.low && longer <= accel.high && 2.0 * secondsOf(accelTimes_, change, longer) <= rampSum + margin;
            if (!longerFits && (2.0 * atY > rampSum + margin || 2.0 * atY < wanted - margin)) {
                // Beyond doubt: no register fits, or the longest that fits ends before the best.
                return;
            }
            const std::int64_t best = sCurve
                ? firstHolding(accel.low, accel.high, estimate + 1.0, [&](std::int64_t k) { return !endsInTime(make(k, k)); }) - 1
                : firstHolding(accel.low, accel.high, std::ceil(estimate), [&](std::int64_t a) { return endsInTime(make(a, a)); });
            if (best >= accel.low && best <= accel.high) {
                considerOnTime(make(best, best));
            }
            return;
        }
        // Each register of the smaller range, with the other's best in closed form.
        const bool byAccel = accel.size() <= decel.size();
        const RampRange& outer = byAccel ? accel : decel;
        const RampRange& inner = byAccel ? decel : accel;
        const RampTable& outerTimes = byAccel ? accelTimes_ : decelTimes;
        const RampTable& innerTimes = byAccel ? decelTimes : accelTimes_;
        const RampRange useful = usefulOuter(outer, inner, change, n, vd, rampSum, margin);
        // Each outer register's best inner one comes from doubles: only where
        // they cannot tell (an inner register at the edge of the ramps' room)
        // or where the pair may end no earlier than the best found do the exact
        // checks decide.
        for (std::int64_t x = useful.low; x <= useful.high; ++x) {
            if (!mayTry()) {
                return;
            }
            const double outerSeconds = secondsOf(outerTimes, change, x);
            const double rest = rampSum - outerSeconds;
            if (rest < -margin) {
                continue;
            }
            const double estimate = rest > 0.0 ? registerFor(rest) : (sCurve ? 0.0 : static_cast<double>(inner.high) + 1.0);
            if (rest > margin) {
                // The inner register of the longest ramp within rest, and the next longer one.
                const std::int64_t y = sCurve ? clamped(estimate, inner.low, inner.high) : clampedUp(estimate, inner.low, inner.high);
                const std::int64_t longer = sCurve ? y + 1 : y - 1;
                const double atY = secondsOf(innerTimes, change, y);
                const bool longerFits = longer >= inner.low && longer <= inner.high && secondsOf(innerTimes, change, longer) <= rest + margin;
                if (!longerFits && (atY > rest + margin || atY + outerSeconds < wanted - margin)) {
                    // Beyond doubt: no inner ramp fits, or the longest that fits ends before the best.
                    continue;
                }
            }
            const auto pair = [&](std::int64_t y) { return byAccel ? make(x, y) : make(y, x); };
            const std::int64_t y = sCurve
                ? firstHolding(inner.low, inner.high, estimate + 1.0, [&](std::int64_t k) { return !endsInTime(pair(k)); }) - 1
                : firstHolding(inner.low, inner.high, std::ceil(estimate), [&](std::int64_t a) { return endsInTime(pair(a)); });
            if (y >= inner.low && y <= inner.high) {
                considerOnTime(pair(y));
                // A better best rules out more of the registers still to come.
                wanted = rampsOfBest();
            }
        }
    }

    // The earliest end of all. For one change the shortest ramps allow the
    // highest V, and both make the move earlier: one candidate per change.
    void searchEarliest(std::int64_t m, std::int64_t initialCap)
    {
        const double n = static_cast<double>(pulses_) / static_cast<double>(m);
        const DriveType type = request_.type;
        const bool sCurve = isSCurve(type);
        for (std::int64_t change = 1; change < largestRegister; ++change) {
            const std::int64_t highest = std::min(change + initialCap, largestRegister);
            const std::int64_t cap = fittingSpeedCap(m, change, highest);
            if (cap < change + 1 && anyRange_) {
                continue;
            }
            const double shortest = n + 0.99 * static_cast<double>(change) * rampSum_ / 2.0;
            if (earliest_ && cap >= 1 && shortest / static_cast<double>(cap) * (1.0 - boundShare) > earliestSeconds_) {
                continue;
            }
            RampRange accel;
            RampRange decel;
            if (!ramps(change, accel, decel)) {
                continue;
            }
            const std::int64_t a = sCurve ? accel.low : accel.high;
            const std::int64_t d = sCurve ? decel.low : decel.high;
            const auto make = [&](std::int64_t v) { return MoveCandidate{{type, m, v - change, v, a, d}, pulses_}; };
            const std::int64_t v =
                firstHolding(change + 1, highest, static_cast<double>(cap), [&](std::int64_t w) { return !rampsFit(make(w)); }) - 1;
            if (v < change + 1) {
                continue;
            }
            const MoveCandidate c = make(v);
            if (!earliest_) {
                earliest_ = c;
                earliestSeconds_ = moveTimeOf(c);
                continue;
            }
            const int order = compareMoveTimes(c, *earliest_);
            if (order < 0 || (order == 0 && registersBefore(c.registers, earliest_->registers))) {
                earliest_ = c;
                earliestSeconds_ = moveTimeOf(c);
            }
        }
    }
};

} // namespace

SearchResult searchOnTimeMove(const OnTimeMoveRequest& request, std::int64_t pulses)
{
    return OnTimeSearch(request, pulses).run();
}

} // namespace veldronix::design

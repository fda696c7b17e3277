#include "core/design/design_search.h"

#include "core/speed_multiplier.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

namespace veldronix::design {
namespace {

constexpr double boundShare = 1e-12;

// The most registers of one asymmetric ramp tried for one speed change and drive speed.
constexpr std::int64_t largestOuterSpan = 1024;

// The most ramp registers (or pairs' outer registers) tried in one question:
// the windows design at every keystroke, so no input may take long. Every
// design tried is checked exactly, so a search cut short still ends on time;
// what it may miss is a later end, and the latest possible ends at the target.
constexpr std::int64_t candidateBudget = 8192;

// The registers of one ramp whose real time is within 1 % of the time wanted.
struct RampRange {
    std::int64_t low = 1;
    std::int64_t high = 0; // empty when below low
    bool empty() const { return high < low; }
    std::int64_t size() const { return empty() ? 0 : high - low + 1; }
};

// A trapezoid ramp of change steps with A takes change / (125 A) s: within 1 %
// of t when 12375 A t <= 100 change <= 12625 A t.
RampRange trapezoidRange(std::int64_t change, double t)
{
    const auto hundred = static_cast<std::uint64_t>(100 * change);
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

// A double estimate of a register bound as an integer of [low, high].
std::int64_t clamped(double estimate, std::int64_t low, std::int64_t high)
{
    if (!(estimate >= static_cast<double>(low))) {
        return low;
    }
    return estimate >= static_cast<double>(high) ? high : static_cast<std::int64_t>(estimate);
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
// the few V whose time can reach the target at ramps within 1 %.
class OnTimeSearch {
public:
    OnTimeSearch(const OnTimeMoveRequest& request, std::int64_t pulses)
        : request_(request), pulses_(pulses),
          decelTime_(isAsymmetric(request.type) ? request.decelTime : request.accelTime),
          rampSum_(request.accelTime + decelTime_)
    {
    }

    SearchResult run()
    {
        for (const double value : speedMultipliers) {
            const auto m = static_cast<std::int64_t>(value);
            if (const std::int64_t initialCap = initialCapOf(m); initialCap >= 1) {
                anyInitial_ = true;
                if (budget_ > 0) {
                    searchMultiplier(m, initialCap);
                }
            }
        }
        SearchResult result;
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
    std::optional<MoveCandidate> onTime_;
    double onTimeSeconds_ = 0.0; // onTime_'s move time, a double for the bounds
    std::optional<MoveCandidate> earliest_;
    double earliestSeconds_ = 0.0;
    bool anyInitial_ = false;
    bool anyRange_ = false;
    std::int64_t budget_ = candidateBudget;

    // The largest SV within the initial speed; V above it must stay within 8000.
    std::int64_t initialCapOf(std::int64_t m) const
    {
        return largestWithin(request_.initialSpeed, m, largestRegister - 1);
    }

    bool ramps(std::int64_t change, RampRange& accel, RampRange& decel)
    {
        accel = rangeOf(request_.type, change, request_.accelTime);
        decel = isAsymmetric(request_.type) ? rangeOf(request_.type, change, request_.decelTime) : accel;
        const bool usable = !accel.empty() && !decel.empty();
        anyRange_ = anyRange_ || usable;
        return usable;
    }

    bool endsInTime(const MoveCandidate& c) const
    {
        return rampsFit(c) && compareMoveTime(c, request_.targetTime) <= 0;
    }

    // The V of a change up to which both ramps can fit the pulses: (2V - c) M (ta + td) <= 2 N
    // with ramps of at least 99 % of those wanted, a step more for the rounding.
    std::int64_t fittingSpeedCap(std::int64_t m, std::int64_t change, std::int64_t highest) const
    {
        const double n = static_cast<double>(pulses_) / static_cast<double>(m);
        const double v = (2.0 * n / (0.99 * rampSum_) + static_cast<double>(change)) / 2.0;
        return clamped(std::floor(v * (1.0 + boundShare)) + 1.0, 0, highest);
    }

    // Later is better; ties go to the smaller largest ramp deviation, then to the smaller registers.
    void considerOnTime(const MoveCandidate& c)
    {
        if (onTime_) {
            const int order = compareMoveTimes(c, *onTime_);
            if (order < 0) {
                return;
            }
            if (order == 0) {
                const double mine = largestRampDeviation(c.registers, request_.accelTime, decelTime_);
                const double theirs = largestRampDeviation(onTime_->registers, request_.accelTime, decelTime_);
                if (mine > theirs || (mine == theirs && !registersBefore(c.registers, onTime_->registers))) {
                    return;
                }
            }
        }
        onTime_ = c;
        onTimeSeconds_ = moveTimeOf(c);
    }

    // The least change whose V can reach the target: V is at most the change
    // plus the largest SV, and the move takes at least (N / M + 0.99 c (ta + td) / 2) / V,
    // so a change c is of use only when N / M + 0.99 c R / 2 <= T (c + SV + 1).
    // Two steps below the double's bound, the changes' own checks decide.
    std::int64_t leastChange(double n, std::int64_t initialCap) const
    {
        const double t = request_.targetTime / (1.0 - boundShare);
        const double slope = 0.99 * rampSum_ / 2.0 - t;
        const double rest = t * static_cast<double>(initialCap + 2) - n;
        if (slope >= 0.0) {
            return rest >= 0.0 ? 1 : largestRegister;
        }
        return clamped(std::floor(rest / slope) - 2.0, 1, largestRegister);
    }

    void searchMultiplier(std::int64_t m, std::int64_t initialCap)
    {
        const double n = static_cast<double>(pulses_) / static_cast<double>(m);
        for (std::int64_t change = leastChange(n, initialCap); change < largestRegister; ++change) {
            const std::int64_t highest = std::min(change + initialCap, largestRegister);
            const double shortest = n + 0.99 * static_cast<double>(change) * rampSum_ / 2.0;
            const double longest = n + 1.01 * static_cast<double>(change) * rampSum_ / 2.0;
            // The time of V is at least shortest / V: from the V whose bound reaches the target.
            const std::int64_t low = clamped(std::floor(shortest / request_.targetTime * (1.0 - boundShare)) - 1.0, change + 1, highest + 1);
            std::int64_t high = fittingSpeedCap(m, change, highest);
            if (onTime_) {
                // At most longest / V: up to the V whose bound reaches the best time found.
                high = std::min(high, clamped(std::floor(longest / onTimeSeconds_ * (1.0 + boundShare)) + 1.0, 0, highest));
            }
            RampRange accel;
            RampRange decel;
            if (low > high || !ramps(change, accel, decel)) {
                continue;
            }
            for (std::int64_t v = low; v <= high && budget_ > 0; ++v, --budget_) {
                latestOf(m, v - change, v, accel, decel);
            }
            if (budget_ <= 0) {
                return;
            }
        }
    }

    // The register whose ramp over the change takes the seconds (a double estimate).
    double registerFor(std::int64_t change, double seconds) const
    {
        const auto c = static_cast<double>(change);
        return isSCurve(request_.type) ? (12500.0 * seconds) * (12500.0 * seconds) / (10.0 * c) : c / (125.0 * seconds);
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

    // The outer registers whose move, with any inner register, can end by the
    // target and no earlier than the best found: (N / M + c (tx + ty) / 2) / V
    // between them bounds tx, and tx is monotone in the register. The bounds are
    // doubles, widened by two registers; the exact checks decide.
    RampRange usefulOuter(const RampRange& outer, const RampRange& inner, std::int64_t change, double n, double v) const
    {
        const auto [innerShortest, innerLongest] = rampSeconds(inner, change);
        const auto c = static_cast<double>(change);
        const double latest = 2.0 * (request_.targetTime * (1.0 + boundShare) * v - n) / c - innerShortest;
        const double earliest = onTime_ ? 2.0 * (onTimeSeconds_ * (1.0 - boundShare) * v - n) / c - innerLongest : 0.0;
        if (latest <= 0.0) {
            return {outer.low, outer.low - 1};
        }
        RampRange r = outer;
        const double atLatest = registerFor(change, latest);
        const double atEarliest = earliest > 0.0 ? registerFor(change, earliest) : -1.0;
        if (isSCurve(request_.type)) {
            // Longer with a larger K.
            r.high = std::min(r.high, clamped(std::floor(atLatest) + 2.0, 0, r.high));
            if (atEarliest >= 0.0) {
                r.low = std::max(r.low, clamped(std::ceil(atEarliest) - 2.0, r.low, r.high + 1));
            }
        } else {
            // Longer with a smaller A.
            r.low = std::max(r.low, clamped(std::ceil(atLatest) - 2.0, r.low, r.high + 1));
            if (atEarliest >= 0.0) {
                r.high = std::min(r.high, clamped(std::floor(atEarliest) + 2.0, 0, r.high));
            }
        }
        return r;
    }

    // The latest ending of one speed: ramps as long as the time and the pulses allow.
    void latestOf(std::int64_t m, std::int64_t initial, std::int64_t v, const RampRange& accel, const RampRange& decel)
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
        if (!isAsymmetric(type)) {
            // One register for both ramps: longer with a smaller A or a larger K.
            const double estimate = registerFor(change, rampSum / 2.0);
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
        const RampRange useful = usefulOuter(outer, inner, change, n, vd);
        // Long S-curve ramps over a change of a few steps make millions of
        // registers within 1 %, whose sums of roots lie closer together than
        // any target can tell: the registers nearest the range's middle, the
        // smallest deviations, are searched, so that a design ends in time.
        const std::int64_t middle = std::clamp(outer.low + (outer.high - outer.low) / 2, useful.low, useful.high);
        const std::int64_t from = std::max(useful.low, middle - largestOuterSpan / 2);
        const std::int64_t to = std::min(useful.high, from + largestOuterSpan - 1);
        for (std::int64_t x = from; x <= to && budget_ > 0; ++x, --budget_) {
            const auto pair = [&](std::int64_t y) { return byAccel ? make(x, y) : make(y, x); };
            MoveRegisters outerRamp{type, m, initial, v, x, x};
            const double rest = rampSum - accelTimeOf(outerRamp);
            const double estimate = rest > 0.0 ? registerFor(change, rest) : (sCurve ? 0.0 : static_cast<double>(inner.high) + 1.0);
            const std::int64_t y = sCurve
                ? firstHolding(inner.low, inner.high, estimate + 1.0, [&](std::int64_t k) { return !endsInTime(pair(k)); }) - 1
                : firstHolding(inner.low, inner.high, std::ceil(estimate), [&](std::int64_t a) { return endsInTime(pair(a)); });
            if (y >= inner.low && y <= inner.high) {
                considerOnTime(pair(y));
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

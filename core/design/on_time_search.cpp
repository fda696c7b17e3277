#include "core/design/design_search.h"

#include "core/speed_multiplier.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace veldronix::design {
namespace {

constexpr double boundShare = 1e-12;

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

// Searches one question: the latest end no later than the target, or, when
// nothing ends by then, the earliest.
class OnTimeSearch {
public:
    OnTimeSearch(const OnTimeMoveRequest& request, std::int64_t pulses)
        : request_(request), pulses_(pulses),
          decelTime_(isAsymmetric(request.type) ? request.decelTime : request.accelTime)
    {
    }

    SearchResult run()
    {
        for (const double value : speedMultipliers) {
            const auto m = static_cast<std::int64_t>(value);
            const std::int64_t initial = std::min(largestWithin(request_.initialSpeed, m, largestRegister), largestRegister - 1);
            if (initial >= 1) {
                anyInitial_ = true;
                searchMultiplier(m, initial);
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
            const std::int64_t initial = std::min(largestWithin(request_.initialSpeed, m, largestRegister), largestRegister - 1);
            if (initial >= 1) {
                searchEarliest(m, initial);
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
    std::optional<MoveCandidate> onTime_;
    std::optional<MoveCandidate> earliest_;
    bool anyInitial_ = false;
    bool anyRange_ = false;

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

    // Later is better; ties go to the smaller largest ramp deviation, then to the smaller multiplier.
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
                if (mine > theirs || (mine == theirs && c.registers.multiplier >= onTime_->registers.multiplier)) {
                    return;
                }
            }
        }
        onTime_ = c;
    }

    // The time of V falls as the ramp part's speed share does not make up for
    // the shorter constant part: T <= N / (V M) + 1.01 (ta + td) (V - SV) / (2 V),
    // and always T <= 2 N / (M (V + SV)), what the ramps' pulse count allows.
    double upperBound(std::int64_t m, std::int64_t initial, std::int64_t v) const
    {
        const double n = static_cast<double>(pulses_) / static_cast<double>(m);
        const double vd = static_cast<double>(v);
        const double pulseBound = 2.0 * n / (vd + static_cast<double>(initial));
        const double rampShare = 1.01 * (request_.accelTime + decelTime_) / 2.0;
        if (n >= rampShare * static_cast<double>(initial)) {
            return std::min(pulseBound, n / vd + rampShare * (1.0 - static_cast<double>(initial) / vd));
        }
        return pulseBound;
    }

    // No V from here up ends earlier than N / (V M) + 0.99 (ta + td) (V - SV) / (2 V)
    // while that falls; from the lowest V whose bound reaches the target.
    std::int64_t firstSpeed(std::int64_t m, std::int64_t initial) const
    {
        const double n = static_cast<double>(pulses_) / static_cast<double>(m);
        const double c = 0.99 * (request_.accelTime + decelTime_) / 2.0;
        const double rest = n - c * static_cast<double>(initial);
        if (rest <= 0.0) {
            return initial + 1;
        }
        if (request_.targetTime <= c) {
            return largestRegister + 1; // every V ends after the target
        }
        const double estimate = std::floor(rest / (request_.targetTime - c)) - 2.0;
        return estimate <= static_cast<double>(initial + 1) ? initial + 1
               : estimate >= static_cast<double>(largestRegister) ? largestRegister
                                                                 : static_cast<std::int64_t>(estimate);
    }

    void searchMultiplier(std::int64_t m, std::int64_t initial)
    {
        for (std::int64_t v = firstSpeed(m, initial); v <= largestRegister; ++v) {
            if (onTime_ && upperBound(m, initial, v) * (1.0 + boundShare) < moveTimeOf(*onTime_)) {
                return;
            }
            RampRange accel;
            RampRange decel;
            if (ramps(v - initial, accel, decel)) {
                latestOf(m, initial, v, accel, decel);
            }
        }
    }

    // The latest ending of one speed: ramps as long as the time and the pulses allow.
    void latestOf(std::int64_t m, std::int64_t initial, std::int64_t v, const RampRange& accel, const RampRange& decel)
    {
        const DriveType type = request_.type;
        const bool sCurve = isSCurve(type);
        const auto make = [&](std::int64_t a, std::int64_t d) { return MoveCandidate{{type, m, initial, v, a, d}, pulses_}; };
        if (!isAsymmetric(type)) {
            // One register for both ramps: longer with a smaller A or a larger K.
            const std::int64_t best = sCurve
                ? firstHolding(accel.low, accel.high, accel.high, [&](std::int64_t k) { return !endsInTime(make(k, k)); }) - 1
                : firstHolding(accel.low, accel.high, accel.low, [&](std::int64_t a) { return endsInTime(make(a, a)); });
            if (best >= accel.low && best <= accel.high) {
                considerOnTime(make(best, best));
            }
            return;
        }
        // Each register of the smaller range, with the other's best in closed form.
        const bool byAccel = accel.size() <= decel.size();
        const RampRange& outer = byAccel ? accel : decel;
        const RampRange& inner = byAccel ? decel : accel;
        for (std::int64_t x = outer.low; x <= outer.high; ++x) {
            const auto pair = [&](std::int64_t y) { return byAccel ? make(x, y) : make(y, x); };
            const std::int64_t y = sCurve
                ? firstHolding(inner.low, inner.high, inner.high, [&](std::int64_t k) { return !endsInTime(pair(k)); }) - 1
                : firstHolding(inner.low, inner.high, inner.low, [&](std::int64_t a) { return endsInTime(pair(a)); });
            if (y >= inner.low && y <= inner.high) {
                considerOnTime(pair(y));
            }
        }
    }

    // The earliest end of all: from the highest V down, the shortest ramps that fit.
    void searchEarliest(std::int64_t m, std::int64_t initial)
    {
        const double n = static_cast<double>(pulses_) / static_cast<double>(m);
        const double c = 0.99 * (request_.accelTime + decelTime_) / 2.0;
        const bool boundFalls = n >= c * static_cast<double>(initial);
        const DriveType type = request_.type;
        const bool sCurve = isSCurve(type);
        for (std::int64_t v = largestRegister; v > initial; --v) {
            const double vd = static_cast<double>(v);
            if (earliest_ && boundFalls &&
                (n / vd + c * (1.0 - static_cast<double>(initial) / vd)) * (1.0 - boundShare) > moveTimeOf(*earliest_)) {
                return;
            }
            RampRange accel;
            RampRange decel;
            if (!ramps(v - initial, accel, decel)) {
                continue;
            }
            const std::int64_t a = sCurve ? accel.low : accel.high;
            const std::int64_t d = sCurve ? decel.low : decel.high;
            const MoveCandidate c2{{type, m, initial, v, a, d}, pulses_};
            if (rampsFit(c2) && (!earliest_ || compareMoveTimes(c2, *earliest_) < 0)) {
                earliest_ = c2;
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

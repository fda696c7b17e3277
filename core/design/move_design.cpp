#include "core/design/move_design.h"

#include "core/design/design_fields.h"
#include "core/design/design_search.h"
#include "core/design/radical_sign.h"

#include <cmath>

namespace veldronix::design {
namespace {

bool usable(double value)
{
    return std::isfinite(value) && value > 0.0;
}

// A whole pulse count of the range the model keeps exact.
std::optional<std::int64_t> wholePulses(double pulses)
{
    if (!(pulses >= 1.0) || pulses > static_cast<double>(largestPulseCount) || std::floor(pulses) != pulses) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(pulses);
}

MoveDesign invalid(DesignInput input)
{
    MoveDesign d;
    d.outcome = DesignOutcome::InvalidInput;
    d.invalidInput = input;
    return d;
}

RealMove realMoveOf(const MoveCandidate& c)
{
    const MoveRegisters& r = c.registers;
    const auto m = static_cast<double>(r.multiplier);
    RealMove real;
    real.initialSpeed = static_cast<double>(r.initial * r.multiplier);
    real.driveSpeed = static_cast<double>(r.drive * r.multiplier);
    real.accelTime = accelTimeOf(r);
    real.decelTime = decelTimeOf(r);
    const double change = real.driveSpeed - real.initialSpeed;
    if (isSCurve(r.type)) {
        real.accelJerk = 62500000.0 * m / static_cast<double>(r.accel);
        real.decelJerk = 62500000.0 * m / static_cast<double>(r.decel);
        real.peakAccel = std::sqrt(*real.accelJerk * change);
        real.peakDecel = std::sqrt(*real.decelJerk * change);
    } else {
        real.accelRate = 125.0 * static_cast<double>(r.accel) * m;
        real.decelRate = 125.0 * static_cast<double>(r.decel) * m;
    }
    const double meanSpeed = (real.driveSpeed + real.initialSpeed) / 2.0;
    real.accelPulses = meanSpeed * real.accelTime;
    real.decelPulses = meanSpeed * real.decelTime;
    // The ramps fit exactly; a rounding of the doubles below 0 is none.
    real.constantPulses = std::max(0.0, static_cast<double>(c.pulses) - real.accelPulses - real.decelPulses);
    real.constantTime = real.constantPulses / real.driveSpeed;
    real.moveTime = moveTimeOf(c);
    return real;
}

// Type 3's manual deceleration point: the pulses before the deceleration's
// M (V + SV) sqrt(10 (V - SV) L) / 25000; the integer to write is the whole
// pulse at or before it, so that the move is back at its initial speed when its pulses end.
void setDecelPoint(const MoveCandidate& c, MoveSettings& s)
{
    const MoveRegisters& r = c.registers;
    if (r.type != DriveType::AsymmetricSCurve) {
        return;
    }
    const double exact = static_cast<double>(c.pulses) - s.real.decelPulses;
    s.decelPointExact = exact;
    const std::int64_t change = r.drive - r.initial;
    // k is at or before the point when 25000 (N - k) >= M (V + SV) sqrt(10 change L):
    // in doubles where the two sides differ by far more than their roundings.
    const double pulsesOfDecel = static_cast<double>(r.multiplier * (r.drive + r.initial)) *
                                 std::sqrt(static_cast<double>(10 * change * r.decel));
    const auto atOrBefore = [&](std::int64_t k) {
        const double rest = 25000.0 * static_cast<double>(c.pulses - k);
        if (std::fabs(rest - pulsesOfDecel) > 1e-12 * pulsesOfDecel) {
            return rest > pulsesOfDecel;
        }
        const std::array<RadicalTerm, 1> decel = {{{-BigInteger(r.multiplier * (r.drive + r.initial)), BigInteger(10 * change * r.decel)}}};
        return signOfRadicalSum(BigInteger(25000) * BigInteger(c.pulses - k), decel) >= 0;
    };
    auto k = static_cast<std::int64_t>(std::floor(exact));
    while (!atOrBefore(k)) {
        --k;
    }
    while (atOrBefore(k + 1)) {
        ++k;
    }
    s.decelPoint = k;
}

// The settings of a design, written where the design keeps them: its texts are made once and not moved.
void setSettings(const MoveCandidate& c, MoveSettings& s)
{
    using enum SettingRegister;
    const MoveRegisters& r = c.registers;
    s.multiplier = static_cast<double>(r.multiplier);
    const auto set = [&](SettingRegister id, std::int64_t value) { s.registers[static_cast<std::size_t>(id)] = value; };
    set(R, 8000000 / r.multiplier);
    set(SV, r.initial);
    set(V, r.drive);
    if (isSCurve(r.type)) {
        set(A, 8000);
        set(K, r.accel);
        set(AO, 0);
        if (r.type == DriveType::AsymmetricSCurve) {
            set(D, 8000);
            set(L, r.decel);
        }
    } else {
        set(A, r.accel);
        if (r.type == DriveType::AsymmetricTrapezoid) {
            set(D, r.decel);
        }
    }
    s.real = realMoveOf(c);
    setDecelPoint(c, s);
    s.fields = fieldsFor(c);
}

MoveDesign designOf(const SearchResult& found, bool met)
{
    MoveDesign d;
    d.met = met && found.best.has_value();
    d.outcome = found.outcome;
    if (found.best) {
        setSettings(*found.best, d.settings.emplace());
    }
    return d;
}

} // namespace

MoveDesign designFastestMove(const FastestMoveRequest& request)
{
    const DriveType type = request.type;
    const MotorLimits& limits = request.limits;
    if (!isKnownDriveType(type)) {
        return invalid(DesignInput::DriveType);
    }
    if (!usable(limits.initialSpeed)) {
        return invalid(DesignInput::InitialSpeed);
    }
    if (!usable(limits.driveSpeed)) {
        return invalid(DesignInput::DriveSpeed);
    }
    if (isSCurve(type)) {
        if (!usable(limits.jerk)) {
            return invalid(DesignInput::Jerk);
        }
        if (type == DriveType::AsymmetricSCurve && !usable(limits.decelJerk)) {
            return invalid(DesignInput::DecelJerk);
        }
        if (limits.peakAccel && !usable(*limits.peakAccel)) {
            return invalid(DesignInput::PeakAccel);
        }
    } else {
        if (!usable(limits.accel)) {
            return invalid(DesignInput::Accel);
        }
        if (type == DriveType::AsymmetricTrapezoid && !usable(limits.decel)) {
            return invalid(DesignInput::Decel);
        }
    }
    const auto pulses = wholePulses(request.pulses);
    if (!pulses) {
        return invalid(DesignInput::Pulses);
    }
    return designOf(searchFastestMove(type, limits, *pulses), true);
}

MoveDesign designOnTimeMove(const OnTimeMoveRequest& request)
{
    if (!isKnownDriveType(request.type)) {
        return invalid(DesignInput::DriveType);
    }
    if (!usable(request.initialSpeed)) {
        return invalid(DesignInput::InitialSpeed);
    }
    if (!usable(request.accelTime)) {
        return invalid(DesignInput::AccelTime);
    }
    if (isAsymmetric(request.type) && !usable(request.decelTime)) {
        return invalid(DesignInput::DecelTime);
    }
    const auto pulses = wholePulses(request.pulses);
    if (!pulses) {
        return invalid(DesignInput::Pulses);
    }
    if (!usable(request.targetTime)) {
        return invalid(DesignInput::TargetTime);
    }
    const SearchResult found = searchOnTimeMove(request, *pulses);
    MoveDesign d = designOf(found, found.outcome == DesignOutcome::EndsOnTime);
    d.searchCut = found.cut;
    d.candidatesTried = found.cut ? found.tried : 0;
    if (d.settings) {
        d.timeMargin = request.targetTime - d.settings->real.moveTime;
    }
    return d;
}

std::string_view outcomeWord(DesignOutcome outcome)
{
    switch (outcome) {
    case DesignOutcome::DriveSpeedLimit: return "driveSpeed";
    case DesignOutcome::DriveRegisterLimit: return "driveRegister";
    case DesignOutcome::MoveTooShort: return "moveTooShort";
    case DesignOutcome::EndsOnTime: return "onTime";
    case DesignOutcome::InvalidInput: return "invalidInput";
    case DesignOutcome::InitialSpeedTooLow: return "initialSpeedTooLow";
    case DesignOutcome::DriveSpeedTooLow: return "driveSpeedTooLow";
    case DesignOutcome::AccelTooLow: return "accelTooLow";
    case DesignOutcome::JerkTooLow: return "jerkTooLow";
    case DesignOutcome::PulsesTooFew: return "pulsesTooFew";
    case DesignOutcome::NoRampWithinTolerance: return "noRampWithinTolerance";
    case DesignOutcome::TargetTooShort: return "targetTooShort";
    case DesignOutcome::SpeedAboveRange: return "speedAboveRange";
    }
    return "invalidInput";
}

} // namespace veldronix::design

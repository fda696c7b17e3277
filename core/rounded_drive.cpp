#include "core/rounded_drive.h"

#include "core/register_formulas.h"

#include <array>
#include <cmath>

namespace veldronix {
namespace {

// Nearest integer, ties away from zero (std::round): that is how an engineer
// rounds a value such as 2.5 by hand, and the register values are positive, so
// it is "halves up" for every value that can be written. The exact double is
// rounded, not its three-decimal text: 0.4996 shows as 0.500 but is nearer 0.
// Adding +0.0 turns the -0.0 of a rounded -0.4 into 0, which is what a register gets.
double nearestInteger(double value)
{
    return std::round(value) + 0.0;
}

std::optional<RoundingProblem> problemOf(double rounded, std::optional<double> maximum)
{
    if (!std::isfinite(rounded)) {
        return RoundingProblem::NotFinite;
    }
    if (rounded < 0.0) {
        return RoundingProblem::Negative;
    }
    if (rounded == 0.0) {
        return RoundingProblem::Zero;
    }
    if (maximum && rounded > *maximum) {
        return RoundingProblem::AboveMaximum;
    }
    return std::nullopt;
}

// Rounds the settings one register at a time and remembers which ones are unusable.
class RegisterRounding {
public:
    explicit RegisterRounding(std::vector<RoundingFinding>& findings) : findings_(findings) {}

    // The rounded value; true in usable() afterwards only if it can be written.
    double round(SettingRegister setting, double settingValue)
    {
        const double rounded = nearestInteger(settingValue);
        const auto problem = problemOf(rounded, describe(setting).maximum);
        if (problem) {
            findings_.push_back({setting, *problem, settingValue, rounded});
        }
        usable_[static_cast<std::size_t>(setting)] = !problem;
        return rounded;
    }

    std::optional<double> round(SettingRegister setting, const std::optional<double>& settingValue)
    {
        if (!settingValue) {
            return std::nullopt;
        }
        return round(setting, *settingValue);
    }

    bool usable(SettingRegister setting) const { return usable_[static_cast<std::size_t>(setting)]; }

private:
    std::vector<RoundingFinding>& findings_;
    std::array<bool, settingRegisters.size()> usable_{}; // by SettingRegister
};

// A computed value only when it is a finite number: an overflow or an invalid
// operation never reaches the user as a real drive.
std::optional<double> finite(double value)
{
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

RealQuantity quantity(double requested, std::optional<double> real)
{
    RealQuantity q;
    q.requested = requested;
    q.real = real ? finite(*real) : std::nullopt;
    if (!q.real) {
        return q;
    }
    if (requested == 0.0) {
        // No relative deviation from nothing, except nothing itself.
        q.deviationPercent = *q.real == 0.0 ? std::optional<double>(0.0) : std::nullopt;
        return q;
    }
    q.deviationPercent = finite(((*q.real - requested) / requested) * 100.0);
    return q;
}

} // namespace

RoundedDrive computeRoundedDrive(const DriveInput& input, double multiplier)
{
    using enum SettingRegister;
    RoundedDrive drive;
    drive.multiplier = multiplier;
    drive.exact = computeSettingValues(input, multiplier);
    const SettingValues& exact = drive.exact;

    // In the dialog's order, so that the findings read as the fields do.
    RegisterRounding registers(drive.findings);
    RoundedSettings& rounded = drive.rounded;
    for (const RegisterDescription& entry : settingRegisters) {
        const std::optional<double>& value = exact.registers[entry.id];
        // AO is never rounded: it is 0 wherever the drive type has it.
        rounded[entry.id] = entry.rounded ? registers.round(entry.id, value) : value;
    }

    // The speeds the controller outputs are the registers times the multiplier.
    std::optional<double> realInitial;
    std::optional<double> realDrive;
    if (registers.usable(SV)) {
        realInitial = speedOfRegister(*rounded[SV], multiplier);
    }
    if (registers.usable(V)) {
        realDrive = speedOfRegister(*rounded[V], multiplier);
    }
    drive.initialSpeed = quantity(input.initialSpeed, realInitial);
    drive.driveSpeed = quantity(input.driveSpeed, realDrive);
    // A plain double beside a flag: g++ 12 misreads an optional here as maybe uninitialised.
    const bool speedsKnown = realInitial && realDrive;
    const double realChange = speedsKnown ? *realDrive - *realInitial : 0.0;

    // A ramp's real time needs both speeds and its own register.
    const auto linearTime = [&](SettingRegister rate, const std::optional<double>& rateValue) -> std::optional<double> {
        if (!speedsKnown || !rateValue || !registers.usable(rate)) {
            return std::nullopt;
        }
        return linearRampTime(realChange, *rateValue, multiplier);
    };
    const auto realJerk = [&](SettingRegister jerk, const std::optional<double>& jerkValue) -> std::optional<double> {
        if (!jerkValue || !registers.usable(jerk)) {
            return std::nullopt;
        }
        return jerkOfRegister(*jerkValue, multiplier);
    };
    const auto sCurveTime = [&](const std::optional<double>& jerk) -> std::optional<double> {
        if (!speedsKnown || !jerk) {
            return std::nullopt;
        }
        return sCurveRampTime(realChange, *jerk);
    };

    const double requestedChange = input.driveSpeed - input.initialSpeed;
    switch (input.driveType) {
    case DriveType::SymmetricTrapezoid:
        drive.accelTime = quantity(input.accelTime, linearTime(A, rounded[A]));
        break;
    case DriveType::AsymmetricTrapezoid:
        drive.accelTime = quantity(input.accelTime, linearTime(A, rounded[A]));
        drive.decelTime = quantity(input.decelTime, linearTime(D, rounded[D]));
        break;
    case DriveType::SymmetricSCurve: {
        // A is fixed at 8000: the time follows from K through the jerk.
        const auto jerk = realJerk(K, rounded[K]);
        drive.accelJerk = quantity(sCurveJerk(requestedChange, input.accelTime), jerk);
        drive.accelTime = quantity(input.accelTime, sCurveTime(jerk));
        break;
    }
    case DriveType::AsymmetricSCurve: {
        const auto accelJerk = realJerk(K, rounded[K]);
        const auto decelJerk = realJerk(L, rounded[L]);
        drive.accelJerk = quantity(sCurveJerk(requestedChange, input.accelTime), accelJerk);
        drive.decelJerk = quantity(sCurveJerk(requestedChange, input.decelTime), decelJerk);
        drive.accelTime = quantity(input.accelTime, sCurveTime(accelJerk));
        drive.decelTime = quantity(input.decelTime, sCurveTime(decelJerk));
        break;
    }
    default:
        break; // no item named: only the speeds have a meaning
    }
    return drive;
}

} // namespace veldronix

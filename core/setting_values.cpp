#include "core/setting_values.h"

#include "core/number_format.h"
#include "core/texts.h"

#include <fmt/format.h>

namespace veldronix {
namespace {

// Every operation below is a double operation in the order written: the order
// fixes the last printed digits. IEEE division by zero is intended (equal
// speeds give an infinite K and L).

double linearRate(double delta, double rampTime, double multiplier)
{
    // 0.008 is 1/125: the rate in PPS/s divided by 125 x multiplier.
    return ((delta / rampTime) * 0.008) / multiplier;
}

double jerkSetting(double jerk, double multiplier)
{
    return (62500000.0 / jerk) * multiplier;
}

// The summary formats, checked against their arguments when this compiles.
using SymmetricFormat = fmt::format_string<double, double, double>;
using AsymmetricFormat = fmt::format_string<double, double, double, double>;
constexpr SymmetricFormat symmetricSummaries[] = {texts::summaryFormats[0], texts::summaryFormats[1]};
constexpr AsymmetricFormat asymmetricSummaries[] = {texts::summaryFormats[2], texts::summaryFormats[3]};

std::string summaryFor(const DriveInput& input)
{
    if (!isKnownDriveType(input.driveType)) {
        return {};
    }
    const auto type = static_cast<std::size_t>(input.driveType);
    const double initial = printableTruncated(input.initialSpeed);
    const double drive = printableTruncated(input.driveSpeed);
    const double accel = printable(input.accelTime);
    if (isAsymmetric(input.driveType)) {
        const double decel = printable(input.decelTime);
        return fmt::vformat(asymmetricSummaries[type - 2], fmt::make_format_args(initial, drive, accel, decel));
    }
    return fmt::vformat(symmetricSummaries[type], fmt::make_format_args(initial, drive, accel));
}

} // namespace

double sCurveJerk(double speedChange, double rampTime)
{
    return (speedChange * 4.0) / (rampTime * rampTime);
}

SettingValues computeSettingValues(const DriveInput& input, double multiplier)
{
    constexpr double sCurveRateMaximum = 8000.0;
    const double delta = input.driveSpeed - input.initialSpeed;

    SettingValues values;
    values.valueR = 8000000.0 / multiplier;
    values.valueSV = input.initialSpeed / multiplier;
    values.valueV = input.driveSpeed / multiplier;
    values.summary = summaryFor(input);

    switch (input.driveType) {
    case DriveType::SymmetricTrapezoid:
        values.valueA = linearRate(delta, input.accelTime, multiplier);
        break;
    case DriveType::SymmetricSCurve:
        values.valueA = sCurveRateMaximum;
        values.valueK = jerkSetting(sCurveJerk(delta, input.accelTime), multiplier);
        values.valueAO = 0.0;
        break;
    case DriveType::AsymmetricTrapezoid:
        values.valueA = linearRate(delta, input.accelTime, multiplier);
        values.valueD = linearRate(delta, input.decelTime, multiplier);
        break;
    case DriveType::AsymmetricSCurve: {
        values.valueA = sCurveRateMaximum;
        values.valueD = sCurveRateMaximum;
        values.valueAO = 0.0;
        values.valueK = jerkSetting(sCurveJerk(delta, input.accelTime), multiplier);
        const double decelJerk = sCurveJerk(delta, input.decelTime);
        values.valueL = jerkSetting(decelJerk, multiplier);
        values.decelJerkRate = decelJerk;
        break;
    }
    default:
        break; // no item named: only R, SV and V have a meaning
    }
    return values;
}

} // namespace veldronix

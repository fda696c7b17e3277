#include "core/setting_values.h"

#include "core/number_format.h"
#include "core/texts.h"

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

constexpr std::array<NumberFormat, 4> summaryFormats = {
    NumberFormat(texts::summaryFormats[0]), NumberFormat(texts::summaryFormats[1]),
    NumberFormat(texts::summaryFormats[2]), NumberFormat(texts::summaryFormats[3])};

std::string summaryFor(const DriveInput& input)
{
    if (!isKnownDriveType(input.driveType)) {
        return {};
    }
    const NumberFormat& format = summaryFormats[static_cast<std::size_t>(input.driveType)];
    if (isAsymmetric(input.driveType)) {
        return formatNumbers(format, {input.initialSpeed, input.driveSpeed, input.accelTime, input.decelTime});
    }
    return formatNumbers(format, {input.initialSpeed, input.driveSpeed, input.accelTime});
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

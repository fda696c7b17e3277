#include "core/setting_values.h"

#include "core/fixed_format.h"
#include "core/register_formulas.h"
#include "core/texts_ja.h"

namespace veldronix {
namespace {

// The summary formats, checked against their arguments when this compiles.
using SymmetricFormat = fmt::format_string<Fixed, Fixed, Fixed>;
using AsymmetricFormat = fmt::format_string<Fixed, Fixed, Fixed, Fixed>;
constexpr SymmetricFormat symmetricSummaries[] = {texts::ja::summaryFormats[0], texts::ja::summaryFormats[1]};
constexpr AsymmetricFormat asymmetricSummaries[] = {texts::ja::summaryFormats[2], texts::ja::summaryFormats[3]};

std::string summaryFor(const DriveInput& input)
{
    if (!isKnownDriveType(input.driveType)) {
        return {};
    }
    const auto type = static_cast<std::size_t>(input.driveType);
    const Fixed initial{printableTruncated(input.initialSpeed)};
    const Fixed drive{printableTruncated(input.driveSpeed)};
    const Fixed accel{input.accelTime};
    if (isAsymmetric(input.driveType)) {
        const Fixed decel{input.decelTime};
        return fmt::vformat(asymmetricSummaries[type - 2], fmt::make_format_args(initial, drive, accel, decel));
    }
    return fmt::vformat(symmetricSummaries[type], fmt::make_format_args(initial, drive, accel));
}

} // namespace

SettingValues computeSettingValues(const DriveInput& input, double multiplier)
{
    const double delta = input.driveSpeed - input.initialSpeed;

    SettingValues values;
    values.valueR = rangeRegister(multiplier);
    values.valueSV = speedRegister(input.initialSpeed, multiplier);
    values.valueV = speedRegister(input.driveSpeed, multiplier);
    values.summary = summaryFor(input);

    switch (input.driveType) {
    case DriveType::SymmetricTrapezoid:
        values.valueA = linearRateRegister(delta, input.accelTime, multiplier);
        break;
    case DriveType::SymmetricSCurve:
        values.valueA = sCurveRate;
        values.valueK = jerkRegister(sCurveJerk(delta, input.accelTime), multiplier);
        values.valueAO = 0.0;
        break;
    case DriveType::AsymmetricTrapezoid:
        values.valueA = linearRateRegister(delta, input.accelTime, multiplier);
        values.valueD = linearRateRegister(delta, input.decelTime, multiplier);
        break;
    case DriveType::AsymmetricSCurve: {
        values.valueA = sCurveRate;
        values.valueD = sCurveRate;
        values.valueAO = 0.0;
        values.valueK = jerkRegister(sCurveJerk(delta, input.accelTime), multiplier);
        const double decelJerk = sCurveJerk(delta, input.decelTime);
        values.valueL = jerkRegister(decelJerk, multiplier);
        values.decelJerkRate = decelJerk;
        break;
    }
    default:
        break; // no item named: only R, SV and V have a meaning
    }
    return values;
}

} // namespace veldronix

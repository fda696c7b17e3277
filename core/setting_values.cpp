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
    using enum SettingRegister;
    const double delta = input.driveSpeed - input.initialSpeed;

    SettingValues values;
    values.registers[R] = rangeRegister(multiplier);
    values.registers[SV] = speedRegister(input.initialSpeed, multiplier);
    values.registers[V] = speedRegister(input.driveSpeed, multiplier);
    values.summary = summaryFor(input);

    switch (input.driveType) {
    case DriveType::SymmetricTrapezoid:
        values.registers[A] = linearRateRegister(delta, input.accelTime, multiplier);
        break;
    case DriveType::SymmetricSCurve:
        values.registers[A] = sCurveRate;
        values.registers[K] = jerkRegister(sCurveJerk(delta, input.accelTime), multiplier);
        values.registers[AO] = 0.0;
        break;
    case DriveType::AsymmetricTrapezoid:
        values.registers[A] = linearRateRegister(delta, input.accelTime, multiplier);
        values.registers[D] = linearRateRegister(delta, input.decelTime, multiplier);
        break;
    case DriveType::AsymmetricSCurve: {
        values.registers[A] = sCurveRate;
        values.registers[D] = sCurveRate;
        values.registers[AO] = 0.0;
        values.registers[K] = jerkRegister(sCurveJerk(delta, input.accelTime), multiplier);
        const double decelJerk = sCurveJerk(delta, input.decelTime);
        values.registers[L] = jerkRegister(decelJerk, multiplier);
        values.decelJerkRate = decelJerk;
        break;
    }
    default:
        break; // no item named: only R, SV and V have a meaning
    }
    return values;
}

} // namespace veldronix

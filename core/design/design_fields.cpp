#include "core/design/design_fields.h"

#include "core/design/rounded_text.h"
#include "core/number_parser.h"
#include "core/register_formulas.h"
#include "core/rounded_drive.h"
#include "core/speed_multiplier.h"
#include "core/validation.h"

#include <cmath>
#include <string>
#include <utility>
#include <fmt/format.h>

namespace veldronix::design {
namespace {

// The register a ramp time gives with the typed speeds, rounded as the details round it.
double rampRegister(DriveType type, double change, double time, double multiplier)
{
    const double value = isSCurve(type) ? jerkRegister(sCurveJerk(change, time), multiplier)
                                        : linearRateRegister(change, time, multiplier);
    return std::round(value) + 0.0;
}

// The shortest text of a ramp time that gives the register: the real ramp time
// where its text does, else the time that the typed speeds need for it.
std::string rampText(DriveType type, double change, double multiplier, std::int64_t target, double realTime)
{
    const auto m = multiplier;
    const double k = static_cast<double>(target);
    // The time whose register is exactly the target with these speeds.
    const double solved = isSCurve(type) ? std::sqrt(change * 4.0 * k / (jerkTimesRegister * m))
                                         : change * rateUnitInverse / (k * m);
    for (const double time : {realTime, solved}) {
        for (int digits = 3; digits <= 17; ++digits) {
            const RoundedText text = roundedText(time, digits);
            if (rampRegister(type, change, text.value, m) == k) {
                return std::string(text.text());
            }
        }
    }
    return fmt::format("{}", solved);
}

} // namespace

DesignFields fieldsFor(const MoveCandidate& c)
{
    const MoveRegisters& r = c.registers;
    const auto m = static_cast<double>(r.multiplier);
    const std::int64_t initial = r.initial * r.multiplier;
    const std::int64_t drive = r.drive * r.multiplier;
    // 8000 x M is the first speed of the next multiplier for 2, 5, 20, 50, 100
    // and 200: a thousandth of a step below it still rounds to 8000.
    const bool belowNext = selectMultiplier(static_cast<double>(drive)).value_or(1000.0) > m;
    std::string driveText = belowNext ? fmt::format("{:.3f}", static_cast<double>(drive) - m / 1000.0) : fmt::to_string(drive);
    // The speeds as 決定 reads the texts: the whole numbers exactly.
    const double typedDrive = belowNext ? parseNumber(driveText) : static_cast<double>(drive);
    const double change = typedDrive - static_cast<double>(initial);
    // Each text is made once, in its place.
    return DesignFields{
        .initialSpeed = fmt::to_string(initial),
        .driveSpeed = std::move(driveText),
        .accelTime = rampText(r.type, change, m, r.accel, accelTimeOf(r)),
        .decelTime = isAsymmetric(r.type) ? rampText(r.type, change, m, r.decel, decelTimeOf(r)) : std::string(),
        .pulseCount = fmt::to_string(c.pulses),
        .multiplier = "x" + fmt::to_string(r.multiplier),
        .multiplierIndex = multiplierIndex(m),
        .needsRecalculate = selectMultiplier(typedDrive).value_or(0.0) != m,
    };
}

std::optional<ReproducedSettings> reproduce(const DesignFields& fields, DriveType type)
{
    DriveInput input;
    input.driveType = type;
    input.initialSpeed = parseNumber(fields.initialSpeed);
    input.driveSpeed = parseNumber(fields.driveSpeed);
    input.accelTime = parseNumber(fields.accelTime);
    input.decelTime = parseNumber(fields.decelTime);
    if (validateDriveInput(input)) {
        return std::nullopt;
    }
    // 決定 chooses from the drive speed; 再計算 takes the item only if it is not smaller.
    const auto automatic = selectMultiplier(input.driveSpeed);
    const auto chosen = multiplierAt(fields.multiplierIndex);
    if (!automatic || !chosen || *chosen < *automatic || (*chosen != *automatic) != fields.needsRecalculate) {
        return std::nullopt;
    }
    const RoundedDrive drive = computeRoundedDrive(input, *chosen);
    if (!drive.findings.empty()) {
        return std::nullopt;
    }
    ReproducedSettings s;
    s.multiplier = *chosen;
    for (const RegisterDescription& d : settingRegisters) {
        if (const auto value = drive.rounded[d.id]) {
            if (*value > static_cast<double>(largestJerkRegister)) {
                return std::nullopt; // no design uses such a register
            }
            s.registers[static_cast<std::size_t>(d.id)] = static_cast<std::int64_t>(*value);
        }
    }
    return s;
}

} // namespace veldronix::design

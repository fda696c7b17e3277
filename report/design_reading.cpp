#include "report/design_reading.h"

#include "core/design/move_model.h"
#include "core/number_parser.h"
#include "report/design_texts.h"
#include "report/texts_ja.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>

namespace veldronix::report {
namespace {

namespace t = designTexts;
using enum DesignField;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

DesignFieldReading unusable(std::string_view why)
{
    return {std::nullopt, fmt::format("{} {}", texts::ja::findingMark, why), true};
}

// The whole text as one number above 0, blanks around it allowed: a form has no
// reason to read "1,000" as 1 the way the dialog's fields are read.
DesignFieldReading readNumber(std::string_view text, bool optional)
{
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    if (first == text.end()) {
        return optional ? DesignFieldReading{std::nullopt, std::string(t::findingOptional), false}
                        : unusable(t::findingEmpty);
    }
    const NumberPrefix number = parseNumberPrefix(text);
    if (number.length == 0 || !std::all_of(text.begin() + static_cast<std::ptrdiff_t>(number.length), text.end(), isBlank)) {
        return unusable(t::findingNotANumber);
    }
    if (!std::isfinite(number.value)) {
        return unusable(t::findingNotFinite);
    }
    if (!(number.value > 0.0)) {
        return unusable(t::findingNotPositive);
    }
    return {number.value, {}, false};
}

DesignFieldReading readPulses(std::string_view text)
{
    DesignFieldReading reading = readNumber(text, false);
    if (!reading.value) {
        return reading;
    }
    if (std::floor(*reading.value) != *reading.value) {
        return unusable(t::findingNotWhole);
    }
    if (*reading.value > static_cast<double>(design::largestPulseCount)) {
        return unusable(fmt::format(t::findingTooManyPulses, design::largestPulseCount));
    }
    return reading;
}

// An unused field is never read, and an empty optional one is read without a warning.
bool anyFieldUnusable(const DesignReading& r)
{
    return std::any_of(r.fields.begin(), r.fields.end(), [](const DesignFieldReading& f) { return f.findingWarning; });
}

double valueOf(const DesignReading& r, DesignField f)
{
    return r[f].value.value_or(0.0);
}

design::MoveDesign designOf(const DesignReading& r)
{
    if (r.question == DesignQuestion::Fastest) {
        design::FastestMoveRequest request;
        request.type = r.type;
        request.pulses = valueOf(r, Pulses);
        design::MotorLimits& limits = request.limits;
        limits.initialSpeed = valueOf(r, InitialSpeed);
        limits.driveSpeed = valueOf(r, MaxSpeed);
        limits.accel = valueOf(r, MaxAccel);
        limits.decel = r.type == DriveType::AsymmetricTrapezoid ? valueOf(r, MaxDecel) : limits.accel;
        limits.jerk = valueOf(r, MaxJerk);
        limits.decelJerk = r.type == DriveType::AsymmetricSCurve ? valueOf(r, MaxDecelJerk) : limits.jerk;
        if (isSCurve(r.type)) {
            limits.peakAccel = r[MaxAccel].value;
        }
        return design::designFastestMove(request);
    }
    design::OnTimeMoveRequest request;
    request.type = r.type;
    request.initialSpeed = valueOf(r, InitialSpeed);
    request.accelTime = valueOf(r, AccelTime);
    request.decelTime = isAsymmetric(r.type) ? valueOf(r, DecelTime) : request.accelTime;
    request.pulses = valueOf(r, Pulses);
    request.targetTime = valueOf(r, TargetTime);
    return design::designOnTimeMove(request);
}

std::string_view pulseUnit(DesignField field)
{
    switch (designFieldQuantity(field).value_or(AxisQuantity::Speed)) {
    case AxisQuantity::Rate: return t::unitRate;
    case AxisQuantity::Jerk: return t::unitJerk;
    case AxisQuantity::Distance: return t::unitPulses;
    case AxisQuantity::Speed: break;
    }
    return t::unitSpeed;
}

} // namespace

std::optional<AxisQuantity> designFieldQuantity(DesignField field)
{
    switch (field) {
    case InitialSpeed:
    case MaxSpeed: return AxisQuantity::Speed;
    case MaxAccel:
    case MaxDecel: return AxisQuantity::Rate;
    case MaxJerk:
    case MaxDecelJerk: return AxisQuantity::Jerk;
    case Pulses: return AxisQuantity::Distance;
    case AccelTime:
    case DecelTime:
    case TargetTime: break;
    }
    return std::nullopt;
}

std::optional<std::string> designPulsesText(std::string_view text, DesignField field, DesignUnit unit,
                                            const AxisMechanics& mechanics)
{
    const std::optional<AxisQuantity> quantity = designFieldQuantity(field);
    if (unit == DesignUnit::Pulses || !quantity) {
        return std::string(text);
    }
    switch (*quantity) {
    case AxisQuantity::Distance: return mechanics.pulseCountText(text);
    case AxisQuantity::Speed:
        if (unit == DesignUnit::Rpm) {
            return mechanics.pulseRateTextFromRpm(text);
        }
        break;
    case AxisQuantity::Rate:
    case AxisQuantity::Jerk: break;
    }
    return mechanics.pulseRateText(text);
}

bool isUsed(DesignField field, DesignQuestion question, DriveType type)
{
    const bool fastest = question == DesignQuestion::Fastest;
    switch (field) {
    case InitialSpeed:
    case Pulses: return true;
    case MaxSpeed:
    case MaxAccel: return fastest;
    case MaxDecel: return fastest && type == DriveType::AsymmetricTrapezoid;
    case MaxJerk: return fastest && isSCurve(type);
    case MaxDecelJerk: return fastest && type == DriveType::AsymmetricSCurve;
    case AccelTime:
    case TargetTime: return !fastest;
    case DecelTime: return !fastest && isAsymmetric(type);
    }
    return false;
}

DesignReading readDesign(const DesignEntries& entries, const AxisMechanics* mechanics)
{
    DesignReading r;
    r.question = entries.question;
    r.type = isKnownDriveType(entries.type) ? entries.type : DriveType::SymmetricTrapezoid;
    for (std::size_t i = 0; i < designFieldCount; ++i) {
        const auto field = static_cast<DesignField>(i);
        if (!isUsed(field, r.question, r.type)) {
            continue;
        }
        const bool optional = field == MaxAccel && isSCurve(r.type);
        const std::string& typed = entries.texts[i];
        const bool inUnits =
            mechanics != nullptr && entries.unit != DesignUnit::Pulses && designFieldQuantity(field).has_value();
        if (!inUnits || std::all_of(typed.begin(), typed.end(), isBlank)) {
            r.fields[i] = field == Pulses ? readPulses(typed) : readNumber(typed, optional);
            continue;
        }
        const std::optional<std::string> pulses = designPulsesText(typed, field, entries.unit, *mechanics);
        if (!pulses) {
            r.fields[i] = unusable(t::findingNotANumber);
            continue;
        }
        r.fields[i] = field == Pulses ? readPulses(*pulses) : readNumber(*pulses, optional);
        if (r.fields[i].value) {
            r.fields[i].finding = fmt::format(t::convertedTo, *pulses, pulseUnit(field));
        }
    }
    if (!anyFieldUnusable(r)) {
        r.design = designOf(r);
    }
    return r;
}

} // namespace veldronix::report

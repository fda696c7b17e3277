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

} // namespace

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

DesignReading readDesign(const DesignEntries& entries)
{
    DesignReading r;
    r.question = entries.question;
    r.type = isKnownDriveType(entries.type) ? entries.type : DriveType::SymmetricTrapezoid;
    for (std::size_t i = 0; i < designFieldCount; ++i) {
        const auto field = static_cast<DesignField>(i);
        if (!isUsed(field, r.question, r.type)) {
            continue;
        }
        r.fields[i] = field == Pulses ? readPulses(entries.texts[i])
                                      : readNumber(entries.texts[i], field == MaxAccel && isSCurve(r.type));
    }
    if (!anyFieldUnusable(r)) {
        r.design = designOf(r);
    }
    return r;
}

} // namespace veldronix::report

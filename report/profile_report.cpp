#include "report/profile_report.h"

#include "report/texts_en.h"
#include "io/json_writer.h"
#include "core/number_format.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>

namespace veldronix::report {
namespace {

// Times to the microsecond, pulses and speeds to a thousandth: the dialog's own
// deceleration point has three decimals.
constexpr int timeDecimals = 6;
constexpr int pulseDecimals = 3;

std::string_view statusName(ProfileStatus status)
{
    const auto index = static_cast<std::size_t>(status);
    return index < std::size(texts::en::profileStatusNames) ? texts::en::profileStatusNames[index] : "unknown";
}

std::string_view shapeName(RampShape shape)
{
    return shape == RampShape::SCurve ? texts::en::shapeSCurve : texts::en::shapeLinear;
}

std::string padRight(std::string_view text, std::size_t width)
{
    std::string out(text);
    out.append(width > text.size() ? width - text.size() : 0, ' ');
    return out;
}

std::string padLeft(std::string_view text, std::size_t width)
{
    std::string out(width > text.size() ? width - text.size() : 0, ' ');
    out += text;
    return out;
}

} // namespace

std::string figureText(double value)
{
    std::string text = formatFixed(value, 3);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    return text == "-0" ? "0" : text;
}

std::string profileNote(const VelocityProfile& profile, const ProfileNoteTexts& notes)
{
    const auto sentence = [](const auto& text, const auto&... figures) { return text(figureText(figures)...); };
    switch (profile.status) {
    case ProfileStatus::Complete:
        return {};
    case ProfileStatus::ShortMove:
        return sentence(notes.shortMove, profile.totalPulses, profile.initialSpeed, profile.driveSpeed,
                        profile.rampPulses);
    case ProfileStatus::NoPulses:
        return std::string(notes.noPulses);
    case ProfileStatus::UnknownDriveType:
        return std::string(notes.unknownDriveType);
    case ProfileStatus::SpeedsReversed:
        return std::string(notes.speedsReversed);
    case ProfileStatus::NoDriveSpeed:
        return std::string(notes.noDriveSpeed);
    case ProfileStatus::NegativeSpeed:
        return sentence(notes.negativeSpeed, profile.initialSpeed);
    case ProfileStatus::BadRampTime:
        return std::string(notes.badRampTime);
    case ProfileStatus::NoJerk:
        return std::string(notes.noJerk);
    case ProfileStatus::NotFinite:
        break;
    }
    return std::string(notes.notFinite);
}

std::string profileNote(const VelocityProfile& profile)
{
    return profileNote(profile, texts::en::profileNotes);
}

std::string profilePlain(const VelocityProfile& profile)
{
    if (profile.status != ProfileStatus::Complete) {
        return fmt::format(texts::en::profileLead, profileNote(profile)) + '\n';
    }
    std::string out = fmt::format(texts::en::profileLead,
                                  fmt::format(texts::en::profileHeading, figureText(profile.totalPulses),
                                              figureText(profile.initialSpeed), figureText(profile.driveSpeed),
                                              shapeName(profile.shape)));
    out += '\n';

    struct Row {
        std::string_view label;
        std::string time;
        std::string pulses;
    };
    const std::array<Row, 6> rows = {{
        {texts::en::columnPhase, std::string(texts::en::columnTime), std::string(texts::en::columnPulses)},
        {texts::en::phaseAccel, formatFixed(profile.accel.time, timeDecimals),
         formatFixed(profile.accel.pulses, pulseDecimals)},
        {texts::en::phaseConstant, formatFixed(profile.constant.time, timeDecimals),
         formatFixed(profile.constant.pulses, pulseDecimals)},
        {texts::en::phaseDecel, formatFixed(profile.decel.time, timeDecimals),
         formatFixed(profile.decel.pulses, pulseDecimals)},
        {texts::en::labelTotalMove, formatFixed(profile.totalTime, timeDecimals),
         formatFixed(profile.totalPulses, pulseDecimals)},
        {texts::en::labelProfileDecelPoint, "", formatFixed(profile.decelPoint, pulseDecimals)},
    }};
    std::size_t labelWidth = 0;
    std::size_t timeWidth = 0;
    std::size_t pulsesWidth = 0;
    for (const Row& row : rows) {
        labelWidth = std::max(labelWidth, row.label.size());
        timeWidth = std::max(timeWidth, row.time.size());
        pulsesWidth = std::max(pulsesWidth, row.pulses.size());
    }
    for (const Row& row : rows) {
        out += padRight(row.label, labelWidth);
        out += "  ";
        out += padLeft(row.time, timeWidth);
        out += "  ";
        out += padLeft(row.pulses, pulsesWidth);
        out += '\n';
    }
    return out;
}

void writeProfileJson(io::JsonWriter& json, const VelocityProfile& profile)
{
    json.beginObject();
    json.member("status", statusName(profile.status));
    const auto phase = [&json](std::string_view name, const ProfilePhase& figures) {
        json.key(name);
        json.beginObject();
        json.member("time", figures.time, timeDecimals);
        json.member("pulses", figures.pulses, pulseDecimals);
        json.endObject();
    };
    switch (profile.status) {
    case ProfileStatus::Complete:
        json.member("shape", profile.shape == RampShape::SCurve ? "s-curve" : "linear");
        json.member("pulses", profile.totalPulses, pulseDecimals);
        json.member("initialSpeed", profile.initialSpeed, pulseDecimals);
        json.member("driveSpeed", profile.driveSpeed, pulseDecimals);
        phase("accel", profile.accel);
        phase("constant", profile.constant);
        phase("decel", profile.decel);
        json.member("totalTime", profile.totalTime, timeDecimals);
        json.member("decelPoint", profile.decelPoint, pulseDecimals);
        break;
    case ProfileStatus::ShortMove:
        // Finite by construction: the core checked every figure before it found the move short.
        json.member("message", profileNote(profile));
        json.member("pulses", profile.totalPulses, pulseDecimals);
        json.member("rampPulses", profile.rampPulses, pulseDecimals);
        break;
    default:
        // Figures here may be infinite or not numbers, which JSON cannot hold: the note says it.
        json.member("message", profileNote(profile));
        break;
    }
    json.endObject();
}

std::string profileJson(const VelocityProfile& profile)
{
    io::JsonWriter json;
    writeProfileJson(json, profile);
    return json.text();
}

} // namespace veldronix::report

#include "report/rounded_report.h"

#include "report/texts_en.h"
#include "io/json_writer.h"
#include "report/profile_report.h"
#include "core/number_format.h"
#include "core/rounded_drive.h"
#include "core/rounded_profile.h"

#include <fmt/format.h>

#include <cmath>
#include <optional>
#include <vector>

namespace veldronix::report {
namespace {

constexpr int speedDecimals = roundedSpeedDecimals;
constexpr int timeDecimals = roundedTimeDecimals;
constexpr int jerkDecimals = roundedJerkDecimals;
constexpr int deviationDecimals = roundedDeviationDecimals;
constexpr int settingDecimals = 3; // as the value fields show them
constexpr int pulseDecimals = 3;   // as the deceleration point field shows it

// Width of the quantity labels in the plain output ("deceleration jerk" and two blanks).
constexpr std::size_t labelWidth = 19;

std::string_view problemName(RoundingProblem problem)
{
    switch (problem) {
    case RoundingProblem::Zero:
        return "zero";
    case RoundingProblem::Negative:
        return "negative";
    case RoundingProblem::AboveMaximum:
        return "above-maximum";
    case RoundingProblem::NotFinite:
        return "not-finite";
    }
    return "?";
}

// "SV = 0 (setting value 0.400): an initial speed of 0 ..."
std::string findingText(const RoundingFinding& finding)
{
    return fmt::format(texts::en::finding, describe(finding.setting).name, formatFixedUnsignedZero(finding.rounded, 0),
                       formatFixedUnsignedZero(finding.settingValue, settingDecimals), findingReason(finding, texts::en::findingReasons));
}

// The rounded registers the drive type uses, in the dialog's order.
std::vector<std::pair<std::string_view, double>> roundedRegisters(const RoundedSettings& rounded)
{
    std::vector<std::pair<std::string_view, double>> registers;
    for (const RegisterDescription& entry : settingRegisters) {
        if (const auto value = rounded[entry.id]) {
            registers.emplace_back(entry.name, *value);
        }
    }
    return registers;
}

struct QuantityLine {
    std::string_view label;    // plain output
    std::string_view jsonName; // JSON member
    std::string_view unit;
    int decimals;
    const RealQuantity* quantity;
};

std::vector<QuantityLine> quantityLines(const RoundedDrive& drive)
{
    std::vector<QuantityLine> lines{
        {texts::en::labelInitialSpeed, "initialSpeed", texts::en::unitSpeed, speedDecimals, &drive.initialSpeed},
        {texts::en::labelDriveSpeed, "driveSpeed", texts::en::unitSpeed, speedDecimals, &drive.driveSpeed},
    };
    const auto add = [&](std::string_view label, std::string_view name, std::string_view unit, int decimals,
                         const std::optional<RealQuantity>& quantity) {
        if (quantity) {
            lines.push_back({label, name, unit, decimals, &*quantity});
        }
    };
    add(texts::en::labelAccelTime, "accelTime", texts::en::unitTime, timeDecimals, drive.accelTime);
    add(texts::en::labelDecelTime, "decelTime", texts::en::unitTime, timeDecimals, drive.decelTime);
    add(texts::en::labelAccelJerk, "accelJerk", texts::en::unitJerk, jerkDecimals, drive.accelJerk);
    add(texts::en::labelDecelJerk, "decelJerk", texts::en::unitJerk, jerkDecimals, drive.decelJerk);
    return lines;
}

std::string plainQuantity(const QuantityLine& line)
{
    const RealQuantity& q = *line.quantity;
    std::string out(line.label);
    out.append(labelWidth > out.size() ? labelWidth - out.size() : 1, ' ');
    const std::string requested = formatReadable(q.requested, line.decimals);
    if (!q.real) {
        return out + fmt::format(texts::en::quantityNoReal, requested, line.unit) + '\n';
    }
    const std::string real = formatReadable(*q.real, line.decimals);
    if (!q.deviationPercent) {
        return out + fmt::format(texts::en::quantityNoDeviation, requested, real, line.unit) + '\n';
    }
    return out + fmt::format(texts::en::quantityDeviation, requested, real, line.unit, deviationText(*q.deviationPercent)) +
           '\n';
}

// The drive the value fields show, rounded, and with --pulses its profiles.
struct Shown {
    RoundedDrive drive;
    std::optional<RoundedProfile> profile;
};

std::optional<Shown> shownDrive(const std::optional<Calculation>& calculation, std::optional<double> pulseCount)
{
    if (!calculation) {
        return std::nullopt;
    }
    Shown shown{computeRoundedDrive(calculation->input, calculation->multiplier), std::nullopt};
    if (pulseCount) {
        shown.profile = computeRoundedProfile(calculation->input, shown.drive, *pulseCount);
    }
    return shown;
}

// The real drive's velocity profile in the profile output's own form, then where it ends.
std::string plainPulses(const RoundedProfile& profile)
{
    std::string out = "\n";
    out += texts::en::realProfileHeading;
    if (!profile.real) {
        out += texts::en::realProfileUnknown;
        return out + '\n';
    }
    out += '\n';
    out += profilePlain(*profile.real);
    if (profile.real->status == ProfileStatus::Complete) {
        if (const std::string end = realEndNote(profile, texts::en::realEnd, texts::en::profileNotes); !end.empty()) {
            out += end + '\n';
        }
    }
    return out;
}

void writePulsesJson(io::JsonWriter& json, const RoundedProfile& profile)
{
    json.key("profile");
    if (profile.real) {
        writeProfileJson(json, *profile.real);
    } else {
        json.null();
    }
    const bool requestedComplete = profile.requested.status == ProfileStatus::Complete;
    json.member("requestedDecelPoint", requestedComplete ? std::optional(profile.requested.decelPoint) : std::nullopt,
                pulseDecimals);
    json.member("earlyBy", profile.earlyBy, pulseDecimals);
}

} // namespace

std::string deviationText(double percent)
{
    std::string text = formatFixedUnsignedZero(percent, deviationDecimals);
    if (percent > 0.0 && text.find_first_not_of("0.") != std::string::npos) {
        text.insert(0, 1, '+');
    }
    return text;
}

std::string findingReason(const RoundingFinding& finding, const FindingReasons& reasons)
{
    switch (finding.problem) {
    case RoundingProblem::Zero:
        switch (finding.setting) {
        case SettingRegister::SV:
            return std::string(reasons.zeroInitialSpeed);
        case SettingRegister::V:
            return std::string(reasons.zeroDriveSpeed);
        case SettingRegister::A:
            return std::string(reasons.zeroAccel);
        case SettingRegister::D:
            return std::string(reasons.zeroDecel);
        case SettingRegister::K:
            return std::string(reasons.zeroK);
        case SettingRegister::L:
            return std::string(reasons.zeroL);
        case SettingRegister::R:
        case SettingRegister::AO: // always 0 and never rounded: no finding
            break;
        }
        return std::string(reasons.zeroR);
    case RoundingProblem::Negative:
        return std::string(reasons.negative);
    case RoundingProblem::AboveMaximum:
        return reasons.aboveMaximum(formatFixedUnsignedZero(describe(finding.setting).maximum.value_or(0.0), 0));
    case RoundingProblem::NotFinite:
        return std::string(reasons.notFinite);
    }
    return {};
}

std::string realEndNote(const RoundedProfile& profile, const RealEndTexts& texts, const ProfileNoteTexts& notes)
{
    if (!profile.real) {
        return std::string(texts.realUnknown);
    }
    if (profile.real->status != ProfileStatus::Complete) {
        return texts.realNoMotion(profileNote(*profile.real, notes));
    }
    if (profile.requested.status != ProfileStatus::Complete) {
        return std::string(texts.requestedNoDecelPoint);
    }
    if (!profile.earlyBy) {
        return {};
    }
    const auto sentence = [](const Format2& text, double decelPoint, double pulses) {
        return text(formatFixedUnsignedZero(decelPoint, pulseDecimals), formatFixedUnsignedZero(pulses, pulseDecimals));
    };
    const double early = *profile.earlyBy;
    if (formatFixedUnsignedZero(early, pulseDecimals).find_first_not_of("0.") == std::string::npos) {
        return sentence(texts.endsExactly, profile.requested.decelPoint, 0.0);
    }
    return early > 0.0 ? sentence(texts.endsEarly, profile.requested.decelPoint, early)
                       : sentence(texts.endsLate, profile.requested.decelPoint, -early);
}

std::string roundedPlainSection(const std::optional<Calculation>& calculation, std::optional<double> pulseCount)
{
    const auto shown = shownDrive(calculation, pulseCount);
    std::string out = "\n";
    if (!shown) {
        out += texts::en::roundedNothing;
        return out + '\n';
    }
    const RoundedDrive* drive = &shown->drive;
    out += texts::en::roundedHeading;
    out += formatFixedUnsignedZero(drive->multiplier, 0);
    out += '\n';
    for (const auto& [name, value] : roundedRegisters(drive->rounded)) {
        out += name;
        out.append(4 - name.size(), ' ');
        out += formatFixedUnsignedZero(value, 0);
        out += '\n';
    }
    out += '\n';
    out += texts::en::realDriveHeading;
    out += '\n';
    for (const auto& line : quantityLines(*drive)) {
        out += plainQuantity(line);
    }
    out += '\n';
    if (drive->findings.empty()) {
        out += texts::en::findingsNone;
        out += '\n';
    } else {
        out += texts::en::findingsHeading;
        out += '\n';
        for (const auto& finding : drive->findings) {
            out += "  " + findingText(finding) + '\n';
        }
    }
    if (shown->profile) {
        out += plainPulses(*shown->profile);
    }
    return out;
}

void writeRoundedJson(io::JsonWriter& json, const std::optional<Calculation>& calculation, std::optional<double> pulseCount)
{
    const auto shown = shownDrive(calculation, pulseCount);
    if (!shown) {
        json.null();
        return;
    }
    const RoundedDrive& drive = shown->drive;
    json.beginObject();
    json.member("multiplier", drive.multiplier, 0);
    writeRoundedDriveMembers(json, drive);
    if (shown->profile) {
        writePulsesJson(json, *shown->profile);
    }
    json.endObject();
}

void writeRoundedDriveMembers(io::JsonWriter& json, const RoundedDrive& drive)
{
    json.key("settings");
    json.beginObject();
    for (const auto& [name, value] : roundedRegisters(drive.rounded)) {
        json.member(name, value, 0);
    }
    json.endObject();
    json.key("real");
    json.beginObject();
    for (const auto& line : quantityLines(drive)) {
        json.key(line.jsonName);
        json.beginObject();
        json.member("requested", line.quantity->requested, line.decimals);
        json.member("real", line.quantity->real, line.decimals);
        json.member("deviation", line.quantity->deviationPercent, deviationDecimals);
        json.endObject();
    }
    json.endObject();
    json.key("findings");
    json.beginArray();
    for (const auto& finding : drive.findings) {
        json.beginObject();
        json.member("register", describe(finding.setting).name);
        json.member("problem", problemName(finding.problem));
        json.member("settingValue", finding.settingValue, settingDecimals);
        json.member("rounded", finding.rounded, 0);
        json.member("message", findingText(finding));
        json.endObject();
    }
    json.endArray();
}

} // namespace veldronix::report

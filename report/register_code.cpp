#include "report/register_code.h"

#include "report/comparison_texts.h"
#include "report/profile_report.h"
#include "core/number_format.h"
#include "core/setting_register.h"
#include "io/json_writer.h"
#include "veldronix/version.h"

#include <fmt/format.h>

#include <cmath>
#include <optional>

namespace veldronix::report {
namespace {

namespace code = registerCode;

std::string_view driveTypeName(DriveType type)
{
    return isKnownDriveType(type) ? code::driveTypeNames[static_cast<std::size_t>(type)] : code::driveTypeNone;
}

const RoundingFinding* findingOf(const RoundedDrive& drive, SettingRegister setting)
{
    for (const RoundingFinding& finding : drive.findings) {
        if (finding.setting == setting) {
            return &finding;
        }
    }
    return nullptr;
}

std::string_view problemName(RoundingProblem problem)
{
    switch (problem) {
    case RoundingProblem::Zero:
        return code::problemZero;
    case RoundingProblem::Negative:
        return code::problemNegative;
    case RoundingProblem::AboveMaximum:
        return code::problemAboveMaximum;
    case RoundingProblem::NotFinite:
        break;
    }
    return code::problemNotFinite;
}

std::string cNote(const RoundingFinding* finding)
{
    if (!finding) {
        return {};
    }
    switch (finding->problem) {
    case RoundingProblem::Zero:
        return std::string(code::cZero);
    case RoundingProblem::Negative:
        return std::string(code::cNegativeNote);
    case RoundingProblem::AboveMaximum:
        return fmt::format(code::cAboveMaximum,
                           formatFixedUnsignedZero(describe(finding->setting).maximum.value_or(0.0), 0));
    case RoundingProblem::NotFinite:
        break;
    }
    return {};
}

} // namespace

std::string registersAsC(const Calculation& calculation, const RoundedDrive& drive)
{
    const DriveInput& input = calculation.input;
    const std::string decel = isAsymmetric(input.driveType) ? fmt::format(code::cDecel, figureText(input.decelTime)) : "";
    std::string out = fmt::format(code::cHeading, version::text, driveTypeName(input.driveType),
                                  figureText(input.initialSpeed), figureText(input.driveSpeed),
                                  figureText(input.accelTime), decel, figureText(calculation.multiplier));
    for (const RegisterDescription& entry : settingRegisters) {
        const auto value = drive.rounded[entry.id];
        if (!value) {
            continue;
        }
        if (!std::isfinite(*value)) {
            out += fmt::format(code::cNotFinite, entry.name);
            continue;
        }
        std::string integer = formatFixedUnsignedZero(*value, 0);
        if (integer.starts_with('-')) {
            integer = fmt::format(code::cNegative, integer);
        }
        out += fmt::format(code::cDefine, entry.name, integer, cNote(findingOf(drive, entry.id)));
    }
    return out;
}

std::string registersAsJson(const Calculation& calculation, const RoundedDrive& drive)
{
    io::JsonWriter json;
    json.beginObject();
    json.member("version", version::text);
    json.member("driveType", driveTypeName(calculation.input.driveType));
    json.member("multiplier", calculation.multiplier, 0);
    json.key("registers");
    json.beginObject();
    for (const RegisterDescription& entry : settingRegisters) {
        if (const auto value = drive.rounded[entry.id]) {
            json.member(entry.name, value, 0);
        }
    }
    json.endObject();
    json.key("findings");
    json.beginArray();
    for (const RoundingFinding& finding : drive.findings) {
        json.beginObject();
        json.member("register", describe(finding.setting).name);
        json.member("problem", problemName(finding.problem));
        json.endObject();
    }
    json.endArray();
    json.endObject();
    return json.text() + '\n';
}

} // namespace veldronix::report

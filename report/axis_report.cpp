#include "report/axis_report.h"

#include "core/number_format.h"
#include "core/rounded_drive.h"
#include "report/texts_en.h"

#include <fmt/format.h>

namespace veldronix::report {
namespace {

namespace t = texts::en;

constexpr int unitDecimals = 3;

std::string_view unitSymbol(AxisUnit unit)
{
    return unit == AxisUnit::Millimetre ? t::unitMillimetre : t::unitDegree;
}

// One quantity of the drive in pulses: what was asked for and what the
// rounded registers give.
struct PulseQuantity {
    double requested = 0.0;
    std::optional<double> real;
};

struct Ramp {
    std::string_view name; // the JSON member
    std::string_view label;
    bool jerk;
    PulseQuantity quantity;
};

std::optional<double> rampRate(double initial, double drive, std::optional<double> time)
{
    if (!time || *time == 0.0) {
        return std::nullopt;
    }
    return (drive - initial) / *time;
}

// The ramps of the drive type: linear ones by their rate, S-curves by their jerk.
std::vector<Ramp> ramps(const Calculation& calculation)
{
    const RoundedDrive drive = computeRoundedDrive(calculation.input, calculation.multiplier);
    const auto realRate = [&drive](const std::optional<RealQuantity>& time) -> std::optional<double> {
        if (!time || !drive.initialSpeed.real || !drive.driveSpeed.real) {
            return std::nullopt;
        }
        return rampRate(*drive.initialSpeed.real, *drive.driveSpeed.real, time->real);
    };
    const DriveInput& input = calculation.input;
    std::vector<Ramp> result;
    if (isSCurve(input.driveType)) {
        if (drive.accelJerk) {
            result.push_back({"accelJerk", t::labelAccelJerk, true, {drive.accelJerk->requested, drive.accelJerk->real}});
        }
        if (drive.decelJerk) {
            result.push_back({"decelJerk", t::labelDecelJerk, true, {drive.decelJerk->requested, drive.decelJerk->real}});
        }
    } else if (isKnownDriveType(input.driveType)) {
        result.push_back({"accelRate", t::labelAccelRate, false,
                          {rampRate(input.initialSpeed, input.driveSpeed, input.accelTime).value_or(0.0),
                           realRate(drive.accelTime)}});
        if (isAsymmetric(input.driveType)) {
            result.push_back({"decelRate", t::labelDecelRate, false,
                              {rampRate(input.initialSpeed, input.driveSpeed, input.decelTime).value_or(0.0),
                               realRate(drive.decelTime)}});
        }
    }
    return result;
}

PulseQuantity speed(const RoundedDrive& drive, bool initial)
{
    const RealQuantity& quantity = initial ? drive.initialSpeed : drive.driveSpeed;
    return {quantity.requested, quantity.real};
}

std::optional<double> mapped(const std::optional<double>& value, auto convert)
{
    return value ? std::optional<double>(convert(*value)) : std::nullopt;
}

std::string figure(const std::optional<double>& value, int decimals)
{
    return value ? formatFixedUnsignedZero(*value, decimals) : std::string(t::unknownFigure);
}

// One quantity as a member in the axis's units: requested and real, for a speed also the real drive's rpm.
void writeUnitsJson(io::JsonWriter& json, const AxisMechanics& mechanics, std::string_view name,
                    const PulseQuantity& quantity, bool withRpm = false)
{
    const auto units = [&mechanics](double pulses) { return mechanics.toUnits(pulses); };
    json.key(name);
    json.beginObject();
    json.member("requested", units(quantity.requested), unitDecimals);
    json.member("real", mapped(quantity.real, units), unitDecimals);
    if (withRpm) {
        json.member("rpm", mapped(quantity.real, [&mechanics](double pps) { return mechanics.motorRpm(pps); }),
                    unitDecimals);
    }
    json.endObject();
}

void writeSpeedsJson(io::JsonWriter& json, const AxisMechanics& mechanics, const RoundedDrive& drive)
{
    for (const bool initial : {true, false}) {
        writeUnitsJson(json, mechanics, initial ? "initialSpeed" : "driveSpeed", speed(drive, initial), true);
    }
}

} // namespace

void writeRoundedDriveInUnitsJson(io::JsonWriter& json, const AxisMechanics& mechanics, const RoundedDrive& drive)
{
    json.beginObject();
    writeSpeedsJson(json, mechanics, drive);
    for (const auto& [name, jerk] : {std::pair{"accelJerk", &drive.accelJerk}, std::pair{"decelJerk", &drive.decelJerk}}) {
        if (*jerk) {
            writeUnitsJson(json, mechanics, name, {(*jerk)->requested, (*jerk)->real});
        }
    }
    json.endObject();
}

void writeAxisJson(io::JsonWriter& json, const Axis& axis)
{
    json.beginObject();
    const auto& m = axis.mechanics;
    for (const InputFieldDescription& row : axisRows) {
        json.key(row.member);
        if (row.kind == FieldKind::Text) {
            json.string(axis.name);
        } else if (!m) {
            json.null();
        } else if (row.kind == FieldKind::Number) {
            json.number(m->figure(row.id));
        } else {
            json.string(axisUnitName(m->unit()));
        }
    }
    json.key("pulsesPerUnit");
    m ? json.number(m->pulsesPerUnit()) : json.null();
    json.endObject();
}

void writeInUnitsJson(io::JsonWriter& json, const AxisMechanics& mechanics,
                      const std::optional<Calculation>& calculation, std::optional<double> pulseCount)
{
    const auto units = [&mechanics](double pulses) { return mechanics.toUnits(pulses); };
    json.beginObject();
    if (calculation) {
        writeSpeedsJson(json, mechanics, computeRoundedDrive(calculation->input, calculation->multiplier));
        for (const Ramp& ramp : ramps(*calculation)) {
            writeUnitsJson(json, mechanics, ramp.name, ramp.quantity);
        }
    }
    json.member("distance", mapped(pulseCount, units), unitDecimals);
    json.endObject();
}

std::string axisPlainSection(const Axis& axis, const std::optional<Calculation>& calculation,
                             std::optional<double> pulseCount)
{
    if (!axis.mechanics) {
        return fmt::format(t::axisWithoutMechanics, axis.name);
    }
    const AxisMechanics& m = *axis.mechanics;
    const std::string_view unit = unitSymbol(m.unit());
    std::string out = fmt::format(t::axisHeading, axis.name, m.pulsesPerUnitText(), unit, formatShortest(m.pulsesPerRev()),
                                  formatShortest(m.gear()), formatShortest(m.travelPerRev()));
    const auto units = [&m](double pulses) { return m.toUnits(pulses); };
    if (calculation) {
        const RoundedDrive drive = computeRoundedDrive(calculation->input, calculation->multiplier);
        for (const bool initial : {true, false}) {
            const PulseQuantity q = speed(drive, initial);
            out += fmt::format(t::axisSpeedLine, initial ? t::labelInitialSpeed : t::labelDriveSpeed,
                               figure(q.requested, unitDecimals), figure(units(q.requested), unitDecimals), unit,
                               figure(m.motorRpm(q.requested), unitDecimals), figure(q.real, unitDecimals),
                               figure(mapped(q.real, units), unitDecimals), figure(mapped(q.real, [&m](double pps) {
                                                                                return m.motorRpm(pps);
                                                                            }),
                                                                            unitDecimals));
        }
        for (const Ramp& ramp : ramps(*calculation)) {
            const std::string requested = figure(ramp.quantity.requested, unitDecimals);
            const std::string requestedUnits = figure(units(ramp.quantity.requested), unitDecimals);
            const std::string real = figure(ramp.quantity.real, unitDecimals);
            const std::string realUnits = figure(mapped(ramp.quantity.real, units), unitDecimals);
            out += ramp.jerk ? fmt::format(t::axisJerkLine, ramp.label, requested, requestedUnits, unit, real, realUnits)
                             : fmt::format(t::axisRateLine, ramp.label, requested, requestedUnits, unit, real, realUnits);
        }
    }
    if (pulseCount) {
        out += fmt::format(t::axisDistanceLine, figure(*pulseCount, 0), figure(units(*pulseCount), unitDecimals), unit);
    }
    return out;
}

} // namespace veldronix::report

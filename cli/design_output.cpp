#include "cli/design_output.h"

#include "cli/texts_en.h"
#include "core/number_format.h"
#include "io/json_writer.h"
#include "report/move_design_table.h"
#include "report/texts_en.h"

#include <fmt/format.h>

namespace veldronix::cli {
namespace {

using design::MoveDesign;
using design::MoveSettings;
using design::RealMove;

static_assert(texts::en::designOutcomeTexts.size() == static_cast<std::size_t>(design::DesignOutcome::SpeedAboveRange) + 1);
static_assert(texts::en::designInputOptions.size() == static_cast<std::size_t>(design::DesignInput::DriveType) + 1);
static_assert(texts::en::designInputJson.size() == texts::en::designInputOptions.size());

std::string shortest(double value)
{
    return formatShortest(value);
}

// One line of a list: the label in a column of 20, then the value.
void line(std::string& out, std::string_view label, std::string_view value)
{
    out += "  ";
    out += label;
    out.append(label.size() < 20 ? 20 - label.size() : 1, ' ');
    out += value;
    out += '\n';
}

// What a line's figure measures, for its text in the axis's units.
enum class Quantity { Speed, Rate, Jerk, Distance };

// Three decimals, as the drive's figures in the axis's units: a micrometre, a thousandth of a degree.
constexpr int unitDecimals = 3;

std::string unitFigure(double value)
{
    return formatFixedUnsignedZero(value, unitDecimals);
}

std::string inUnits(double pulses, Quantity quantity, const AxisMechanics& m)
{
    const std::string_view unit = m.unit() == AxisUnit::Millimetre ? report::texts::en::unitMillimetre
                                                                   : report::texts::en::unitDegree;
    const std::string figure = unitFigure(m.toUnits(pulses));
    switch (quantity) {
    case Quantity::Speed: return fmt::format(texts::en::designSpeedUnits, figure, unit, unitFigure(m.motorRpm(pulses)));
    case Quantity::Rate: return fmt::format(texts::en::designRateUnits, figure, unit);
    case Quantity::Jerk: return fmt::format(texts::en::designJerkUnits, figure, unit);
    case Quantity::Distance: break;
    }
    return fmt::format(texts::en::designDistanceUnits, figure, unit);
}

// "; 50.000 mm/s, 600.000 rpm, at most 50.000" after the figure in pulses; nothing without mechanics.
std::string unitsSuffix(const DesignOptions& options, Quantity quantity, double value,
                        const std::optional<double>& limit = std::nullopt)
{
    if (!options.mechanics) {
        return {};
    }
    const std::string atMost =
        limit ? fmt::format(texts::en::designAtMost, unitFigure(options.mechanics->toUnits(*limit))) : std::string();
    return fmt::format(texts::en::designInUnits, inUnits(value, quantity, *options.mechanics), atMost);
}

std::string withLimit(std::string_view unit, double value, const std::optional<double>& limit,
                      const DesignOptions& options, Quantity quantity)
{
    std::string text = fmt::format(fmt::runtime(unit), shortest(value));
    if (limit) {
        text += fmt::format(texts::en::designAtMost, shortest(*limit));
    }
    return text + unitsSuffix(options, quantity, value, limit);
}

std::string rampTime(double real, const DesignOptions& options, bool decel)
{
    std::string text = fmt::format(texts::en::designSeconds, shortest(real));
    if (options.question == DesignQuestion::OnTime) {
        const auto& r = options.onTime;
        const double wanted = decel && isAsymmetric(r.type) ? r.decelTime : r.accelTime;
        text += fmt::format(texts::en::designWanted, shortest(wanted), formatFixedUnsignedZero((real - wanted) / wanted * 100.0, 3));
    }
    return text;
}

void realLines(std::string& out, const DesignOptions& options, const MoveDesign& d)
{
    const RealMove& real = d.settings->real;
    const bool fastest = options.question == DesignQuestion::Fastest;
    const design::MotorLimits& limits = options.fastest.limits;
    const auto limit = [&](double value) { return fastest ? std::optional<double>(value) : std::nullopt; };
    const double initialLimit = fastest ? limits.initialSpeed : options.onTime.initialSpeed;
    const DriveType type = fastest ? options.fastest.type : options.onTime.type;
    out += texts::en::designRealMove;
    out += '\n';
    const auto with = [&options](std::string_view unit, double value, const std::optional<double>& limit, Quantity q) {
        return withLimit(unit, value, limit, options, q);
    };
    using enum Quantity;
    line(out, texts::en::designLabelInitial, with(texts::en::designSpeed, real.initialSpeed, initialLimit, Speed));
    line(out, texts::en::designLabelDrive, with(texts::en::designSpeed, real.driveSpeed, limit(limits.driveSpeed), Speed));
    if (real.accelRate) {
        line(out, texts::en::designLabelAccelRate, with(texts::en::designRate, *real.accelRate, limit(limits.accel), Rate));
        const double decelLimit = type == DriveType::AsymmetricTrapezoid ? limits.decel : limits.accel;
        line(out, texts::en::designLabelDecelRate, with(texts::en::designRate, *real.decelRate, limit(decelLimit), Rate));
    }
    if (real.accelJerk) {
        const double decelJerkLimit = type == DriveType::AsymmetricSCurve ? limits.decelJerk : limits.jerk;
        const std::optional<double> peak = fastest ? limits.peakAccel : std::nullopt;
        line(out, texts::en::designLabelAccelJerk, with(texts::en::designJerk, *real.accelJerk, limit(limits.jerk), Jerk));
        line(out, texts::en::designLabelDecelJerk, with(texts::en::designJerk, *real.decelJerk, limit(decelJerkLimit), Jerk));
        line(out, texts::en::designLabelPeakAccel, with(texts::en::designRate, *real.peakAccel, peak, Rate));
        line(out, texts::en::designLabelPeakDecel, with(texts::en::designRate, *real.peakDecel, peak, Rate));
    }
    line(out, texts::en::designLabelAccelTime, rampTime(real.accelTime, options, false));
    line(out, texts::en::designLabelDecelTime, rampTime(real.decelTime, options, true));
    line(out, texts::en::designLabelConstant,
         fmt::format(texts::en::designConstant, shortest(real.constantTime), shortest(real.constantPulses)) +
             unitsSuffix(options, Quantity::Distance, real.constantPulses));
    std::string time = fmt::format(texts::en::designSeconds, shortest(real.moveTime));
    if (d.timeMargin) {
        const std::string target = shortest(options.onTime.targetTime);
        time += *d.timeMargin >= 0.0 ? fmt::format(texts::en::designTargetMet, target, shortest(*d.timeMargin))
                                     : fmt::format(texts::en::designTargetMissed, target, shortest(-*d.timeMargin));
    }
    line(out, texts::en::designLabelMoveTime, time);
}

void fieldLines(std::string& out, const MoveSettings& s, DriveType type, const DesignOptions& options)
{
    out += texts::en::designFieldsHeading;
    out += '\n';
    line(out, texts::en::designLabelInitial, s.fields.initialSpeed);
    line(out, texts::en::designLabelDrive, s.fields.driveSpeed);
    line(out, texts::en::designLabelAccelTime, s.fields.accelTime);
    if (isAsymmetric(type)) {
        line(out, texts::en::designLabelDecelTime, s.fields.decelTime);
    }
    const double pulses = options.question == DesignQuestion::Fastest ? options.fastest.pulses : options.onTime.pulses;
    line(out, texts::en::designLabelPulses, s.fields.pulseCount + unitsSuffix(options, Quantity::Distance, pulses));
    line(out, texts::en::designLabelMultiplier,
         s.fields.multiplier + std::string(s.fields.needsRecalculate ? texts::en::designRecalculate : texts::en::designCalculateChooses));
}

DriveType typeOf(const DesignOptions& options)
{
    return options.question == DesignQuestion::Fastest ? options.fastest.type : options.onTime.type;
}

void writeReal(io::JsonWriter& json, const RealMove& real)
{
    json.beginObject();
    const auto number = [&](std::string_view name, const std::optional<double>& value) {
        if (value) {
            json.key(name);
            json.number(*value);
        }
    };
    number("initialSpeed", real.initialSpeed);
    number("driveSpeed", real.driveSpeed);
    number("accelTime", real.accelTime);
    number("decelTime", real.decelTime);
    number("moveTime", real.moveTime);
    number("accelRate", real.accelRate);
    number("decelRate", real.decelRate);
    number("accelJerk", real.accelJerk);
    number("decelJerk", real.decelJerk);
    number("peakAccel", real.peakAccel);
    number("peakDecel", real.peakDecel);
    number("constantTime", real.constantTime);
    number("constantPulses", real.constantPulses);
    json.endObject();
}

void writeFields(io::JsonWriter& json, const design::DesignFields& f)
{
    json.beginObject();
    json.member("initialSpeed", f.initialSpeed);
    json.member("driveSpeed", f.driveSpeed);
    json.member("accelTime", f.accelTime);
    json.member("decelTime", f.decelTime);
    json.member("pulseCount", f.pulseCount);
    json.member("multiplier", f.multiplier);
    json.key("recalculate");
    json.boolean(f.needsRecalculate);
    json.endObject();
}

// The design's figures in the axis's units beside "design": the unit, its pulses
// per unit, each speed (with rpm), rate and jerk of the real move with its
// limit (null where the question has none), and the pulse count as a distance.
void writeInUnits(io::JsonWriter& json, const DesignOptions& options, const MoveDesign& d)
{
    const AxisMechanics& m = *options.mechanics;
    const bool fastest = options.question == DesignQuestion::Fastest;
    const design::MotorLimits& limits = options.fastest.limits;
    const DriveType type = typeOf(options);
    const auto units = [&m](const std::optional<double>& pulses) {
        return pulses ? std::optional<double>(m.toUnits(*pulses)) : std::nullopt;
    };
    const auto limit = [fastest](double value) { return fastest ? std::optional<double>(value) : std::nullopt; };
    json.beginObject();
    json.member("unit", m.unit() == AxisUnit::Millimetre ? "mm" : "deg");
    json.key("pulsesPerUnit");
    json.number(m.pulsesPerUnit());
    const auto quantity = [&](std::string_view name, std::optional<double> real, std::optional<double> limitValue,
                              bool speed) {
        if (!real) {
            return;
        }
        json.key(name);
        json.beginObject();
        json.member("real", units(real), unitDecimals);
        if (speed) {
            json.member("rpm", std::optional<double>(m.motorRpm(*real)), unitDecimals);
        }
        json.member("limit", units(limitValue), unitDecimals);
        json.endObject();
    };
    if (d.settings) {
        const RealMove& real = d.settings->real;
        const std::optional<double> peak = fastest ? limits.peakAccel : std::nullopt;
        quantity("initialSpeed", real.initialSpeed, fastest ? limits.initialSpeed : options.onTime.initialSpeed, true);
        quantity("driveSpeed", real.driveSpeed, limit(limits.driveSpeed), true);
        quantity("accelRate", real.accelRate, limit(limits.accel), false);
        quantity("decelRate", real.decelRate, limit(type == DriveType::AsymmetricTrapezoid ? limits.decel : limits.accel),
                 false);
        quantity("accelJerk", real.accelJerk, limit(limits.jerk), false);
        quantity("decelJerk", real.decelJerk,
                 limit(type == DriveType::AsymmetricSCurve ? limits.decelJerk : limits.jerk), false);
        quantity("peakAccel", real.peakAccel, peak, false);
        quantity("peakDecel", real.peakDecel, peak, false);
    }
    json.member("distance", units(fastest ? options.fastest.pulses : options.onTime.pulses), unitDecimals);
    json.endObject();
}

} // namespace

std::string designReason(const MoveDesign& design)
{
    const std::string_view text = texts::en::designOutcomeTexts[static_cast<std::size_t>(design.outcome)];
    if (design.outcome == design::DesignOutcome::InvalidInput) {
        const auto input = static_cast<std::size_t>(design.invalidInput.value_or(design::DesignInput::DriveType));
        return fmt::format(fmt::runtime(text), texts::en::designInputOptions[input]);
    }
    return std::string(text);
}

std::string designPlain(const DesignOptions& options, const MoveDesign& d)
{
    std::string out;
    out += options.question == DesignQuestion::Fastest ? texts::en::designFastestTitle : texts::en::designTimeTitle;
    out += ": ";
    out += d.met ? texts::en::designMet : texts::en::designNotMet;
    out += '\n';
    out += d.met ? texts::en::designDecidedBy : texts::en::designWhyNot;
    out += designReason(d);
    out += '\n';
    if (const std::string note = report::searchCutNote(d, report::texts::en::designSearch); !note.empty()) {
        out += note;
        out += '\n';
    }
    if (!d.settings) {
        out += texts::en::designNoSettings;
        return out;
    }
    const MoveSettings& s = *d.settings;
    out += '\n';
    if (!d.met) {
        out += texts::en::designEarliest;
    }
    line(out, texts::en::designLabelMultiplier, s.fields.multiplier);
    for (const RegisterDescription& r : settingRegisters) {
        if (const auto value = s.at(r.id)) {
            line(out, r.name, fmt::format("{}", *value));
        }
    }
    if (s.decelPoint) {
        line(out, texts::en::designLabelDecelPoint, fmt::format(texts::en::designDecelPointLine, *s.decelPoint, shortest(*s.decelPointExact)));
    }
    out += '\n';
    realLines(out, options, d);
    out += '\n';
    fieldLines(out, s, typeOf(options), options);
    return out;
}

std::string designJson(const DesignOptions& options, const MoveDesign& d)
{
    io::JsonWriter json;
    json.beginObject();
    json.key("design");
    json.beginObject();
    json.member("question", options.question == DesignQuestion::Fastest ? texts::en::designFastestName : texts::en::designTimeName);
    json.key("met");
    json.boolean(d.met);
    json.key("multiplier");
    d.settings ? json.number(d.settings->multiplier) : json.null();
    json.key("registers");
    if (d.settings) {
        json.beginObject();
        for (const RegisterDescription& r : settingRegisters) {
            json.key(r.name);
            const auto value = d.settings->at(r.id);
            value ? json.number(static_cast<double>(*value)) : json.null();
        }
        json.endObject();
    } else {
        json.null();
    }
    json.key("decelPoint");
    d.settings && d.settings->decelPoint ? json.number(static_cast<double>(*d.settings->decelPoint)) : json.null();
    json.key("decelPointExact");
    d.settings && d.settings->decelPointExact ? json.number(*d.settings->decelPointExact) : json.null();
    json.key("real");
    d.settings ? writeReal(json, d.settings->real) : json.null();
    json.key("timeMargin");
    d.timeMargin ? json.number(*d.timeMargin) : json.null();
    json.member("binding", design::outcomeWord(d.outcome));
    json.key("invalidInput");
    d.invalidInput ? json.string(texts::en::designInputJson[static_cast<std::size_t>(*d.invalidInput)]) : json.null();
    json.member("reason", designReason(d));
    if (d.searchCut) {
        // Only where the search stopped at its bound, so that every other design's JSON stays as it was.
        json.key("searchCut");
        json.boolean(true);
    }
    json.key("fields");
    d.settings ? writeFields(json, d.settings->fields) : json.null();
    json.endObject();
    if (options.mechanics) {
        json.key("inUnits");
        writeInUnits(json, options, d);
    }
    json.endObject();
    return json.text() + '\n';
}

} // namespace veldronix::cli

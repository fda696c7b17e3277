// Any doubles at all (NaN, infinities, subnormals, -0) and any drive type
// through the velocity profile, the rounded drive and the rounded profile: the
// figures keep the promises of their headers, and the plain, JSON and SVG
// texts made of them are well formed.
#include "cli/drive_request.h"
#include "cli/outcome_output.h"
#include "report/comparison_report.h"
#include "report/profile_report.h"
#include "report/plot_scene.h"
#include "report/profile_svg.h"
#include "report/rounded_report.h"
#include "core/decel_point.h"
#include "core/rounded_drive.h"
#include "core/rounded_profile.h"
#include "core/setting_texts.h"
#include "core/setting_values.h"
#include "core/speed_multiplier.h"
#include "core/validation.h"
#include "core/velocity_profile.h"
#include "fuzz/byte_reader.h"
#include "fuzz/markup_check.h"
#include "fuzz/same_bits.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace {

using namespace veldronix;
using veldronix::fuzz::sameBits;

struct Case {
    double initialSpeed, driveSpeed, accelTime, decelTime, pulses, multiplier;
    DriveType type;
};

void report(const Case& c, const char* what, std::string_view detail = {})
{
    std::fprintf(stderr,
                 "broken: %s\n  type %d initial %a drive %a accel %a decel %a pulses %a multiplier %a\n  %.*s\n", what,
                 static_cast<int>(c.type), c.initialSpeed, c.driveSpeed, c.accelTime, c.decelTime, c.pulses,
                 c.multiplier, static_cast<int>(std::min<std::size_t>(detail.size(), 4000)), detail.data());
    std::abort();
}

void check(const Case& c, bool condition, const char* what, std::string_view detail = {})
{
    if (!condition) {
        report(c, what, detail);
    }
}

// Equal up to the rounding of a handful of double operations on values up to scale.
bool near(double a, double b, double scale)
{
    const double tolerance = 16 * std::numeric_limits<double>::epsilon() * std::fabs(scale) +
                             16 * std::numeric_limits<double>::denorm_min();
    return std::fabs(a - b) <= tolerance;
}

using veldronix::fuzz::ByteReader;

// Mostly a short decimal such as a user types (a whole number over a power of
// ten), sometimes any bit pattern at all, so that both reach deep.
double takeNumber(ByteReader& reader, bool raw)
{
    if (raw) {
        return reader.take<double>();
    }
    const auto mantissa = reader.take<std::int32_t>();
    const int scale = reader.take<std::uint8_t>() % 8;
    return static_cast<double>(mantissa) / std::pow(10.0, scale);
}

bool isRamp(const ProfilePhase& phase, double from, double to, double jerk)
{
    // A ramp between two speeds outputs between the lower and the higher speed times its time.
    // Where the figures are subnormal they hold few digits: a few of their last
    // places are the floor of the error on either side. An S-curve's pulses come
    // from its jerk (as the deceleration point's do), and a subnormal jerk's own
    // last place is a share of it far above the epsilon; so is the last place of
    // a subnormal square of the ramp time, which the jerk is divided by (a
    // finite jerk has a square above 0: the share stays finite).
    const double low = std::min(from, to) * phase.time;
    const double high = std::max(from, to) * phase.time;
    constexpr double tiny = std::numeric_limits<double>::denorm_min();
    const double share = 16 * std::numeric_limits<double>::epsilon() +
                         (jerk > 0.0 ? 4 * tiny / jerk + 4 * (tiny / phase.time) / phase.time : 0.0);
    return phase.pulses >= low - share * high - 16 * tiny && phase.pulses <= high * (1 + share) + 16 * tiny;
}

// The promises of velocity_profile.h for a profile of the given inputs.
void checkProfile(const Case& c, const VelocityProfile& p, double initial, double drive, double accel, double decel,
                  DriveType type, double pulses)
{
    check(c, sameBits(p.initialSpeed, initial) && sameBits(p.driveSpeed, drive) && sameBits(p.totalPulses, pulses),
          "the profile does not carry its inputs");
    check(c, isKnownDriveType(type) == (p.status != ProfileStatus::UnknownDriveType), "unknown type status");
    if (isKnownDriveType(type)) {
        check(c, (p.shape == RampShape::SCurve) == isSCurve(type), "ramp shape of the type");
        if (std::isnan(pulses) || pulses <= 0.0) {
            check(c, p.status == ProfileStatus::NoPulses, "no pulses but another status");
        }
    }
    const double decelRamp = isAsymmetric(type) ? decel : accel;

    if (p.status != ProfileStatus::Complete) {
        // Without motion no phase takes time or outputs a pulse.
        const double phaseFigures[] = {p.accel.time, p.accel.pulses, p.constant.time, p.constant.pulses,
                                       p.decel.time, p.decel.pulses, p.totalTime,     p.decelPoint};
        for (const double figure : phaseFigures) {
            check(c, sameBits(figure, 0.0), "a profile without motion has a phase");
        }
        if (p.status == ProfileStatus::ShortMove) {
            check(c, std::isfinite(p.rampPulses) && p.rampPulses >= 0.0, "short move without finite ramp pulses");
            check(c, p.rampPulses >= pulses * (1 - 16 * std::numeric_limits<double>::epsilon()),
                  "a short move whose ramps fit its pulse count");
        }
        return;
    }

    // What a complete profile needs of its inputs.
    check(c, isKnownDriveType(type) && pulses > 0.0 && std::isfinite(pulses), "complete without a pulse count");
    check(c, initial >= 0.0 && drive > 0.0 && initial <= drive && std::isfinite(drive), "complete with bad speeds");
    check(c, accel > 0.0 && std::isfinite(accel) && decelRamp > 0.0 && std::isfinite(decelRamp),
          "complete with bad ramp times");
    check(c, !(isSCurve(type) && initial == drive), "complete S-curve between equal speeds");

    const double figures[] = {p.accel.time,  p.accel.pulses,   p.constant.time, p.constant.pulses, p.decel.time,
                              p.decel.pulses, p.totalTime,      p.decelPoint,    p.rampPulses,      p.accelJerk,
                              p.decelJerk};
    for (const double figure : figures) {
        check(c, std::isfinite(figure) && figure >= 0.0, "a figure of a complete profile is not finite and >= 0");
    }
    check(c, p.decelPoint <= pulses, "deceleration point beyond the pulse count");
    check(c, p.decelPoint >= p.accel.pulses, "deceleration point before the acceleration ends");
    check(c, near(p.accel.pulses + p.constant.pulses + p.decel.pulses, pulses,
                  std::max({pulses, p.accel.pulses, p.decel.pulses})),
          "phase pulses do not add up to the pulse count");
    check(c, near(p.decelPoint + p.decel.pulses, pulses, std::max(pulses, p.decel.pulses)),
          "deceleration point and deceleration do not end on the pulse count");
    check(c, near(p.accel.time + p.constant.time + p.decel.time, p.totalTime, p.totalTime),
          "phase times do not add up to the total");
    check(c, sameBits(p.rampPulses, p.accel.pulses + p.decel.pulses), "ramp pulses are not the two ramps");
    // A subnormal time holds few digits: the time's last place, times the speed, is the floor of the error.
    check(c, near(p.constant.pulses, p.constant.time * drive, p.constant.pulses) ||
                 std::fabs(p.constant.pulses - p.constant.time * drive) <=
                     2 * drive * std::numeric_limits<double>::denorm_min(),
          "constant phase off its speed");

    if (initial == drive) {
        check(c, p.accel.time == 0.0 && p.decel.time == 0.0 && sameBits(p.decelPoint, pulses),
              "a drive at one speed ramps");
    } else {
        check(c, sameBits(p.accel.time, accel) && sameBits(p.decel.time, decelRamp), "ramp times are not the inputs");
        check(c, isRamp(p.accel, initial, drive, p.accelJerk) && isRamp(p.decel, drive, initial, p.decelJerk),
              "ramp pulses outside the speeds times the time");
    }
    if (isSCurve(type)) {
        check(c, p.accelJerk > 0.0 && p.decelJerk > 0.0, "an S-curve without jerk");
        check(c, sameBits(p.accelJerk, sCurveJerk(drive - initial, accel)) &&
                     sameBits(p.decelJerk, sCurveJerk(drive - initial, decelRamp)),
              "S-curve jerk is not 4(V - SV)/T^2");
    } else {
        check(c, p.accelJerk == 0.0 && p.decelJerk == 0.0, "a linear ramp with jerk");
    }
    if (type == DriveType::AsymmetricSCurve) {
        // The dialog's manual deceleration point, from its own J2, to the bit.
        DriveInput input{initial, drive, accel, decel, type};
        const SettingValues values = computeSettingValues(input, 1.0);
        check(c, values.decelJerkRate.has_value(), "type 3 without J2");
        check(c, sameBits(p.decelPoint, computeManualDecelPoint(pulses, initial, drive, *values.decelJerkRate)),
              "type 3 deceleration point differs from the manual one");
    }
}

// The speed curve lies in the plot area that the document's axes span, and its
// plateau reaches well up: an axis that ran to infinity would flatten it. The
// area is the scene's; the points are read back from the SVG as written.
void checkCurve(const Case& c, const VelocityProfile& p, std::string_view summary, const std::string& svg)
{
    const auto plot = report::makePlotModel(p, summary);
    check(c, plot.has_value(), "a plot without its model");
    const report::PlotScene scene =
        report::makePlotScene(*plot, report::documentWidth, report::documentHeight, report::SceneFrame::Document);
    // The axes: the time axis along the bottom, the speed axis up the left edge, both 1.5 px wide.
    double left = NAN, right = NAN, top = NAN, bottom = NAN;
    for (const auto& item : scene.items) {
        const auto* line = std::get_if<report::SceneLine>(&item);
        if (line && line->width == 1.5 && line->colour == report::plotColours.ink) {
            if (line->from.y == line->to.y) {
                left = line->from.x;
                right = line->to.x;
                bottom = line->from.y;
            } else {
                top = line->from.y;
            }
        }
    }
    check(c, left < right && top < bottom, "a document without its axes", svg);
    const std::size_t start = svg.find("<polyline points=\"");
    check(c, start != std::string::npos, "a plot without its curve", svg);
    const std::size_t end = svg.find('"', start + 18);
    const std::string points = svg.substr(start + 18, end - start - 18);
    double lowestY = 1e9;
    double furthestX = -1e9;
    std::size_t pos = 0;
    int index = 0;
    while (pos < points.size()) {
        if (points[pos] == ' ' || points[pos] == ',') {
            ++pos;
            continue;
        }
        char* after = nullptr;
        const double value = std::strtod(points.c_str() + pos, &after);
        check(c, after != points.c_str() + pos, "a curve point that is no number", points);
        pos = static_cast<std::size_t>(after - points.c_str());
        if (index++ % 2 == 0) {
            check(c, value >= left - 0.01 && value <= right + 0.01, "a curve point left or right of the plot", points);
            furthestX = std::max(furthestX, value);
        } else {
            check(c, value >= top - 0.01 && value <= bottom + 0.01, "a curve point above or below the plot", points);
            lowestY = std::min(lowestY, value);
        }
    }
    check(c, index >= 4 && index % 2 == 0, "a curve of too few points", points);
    check(c, lowestY <= top + 0.69 * (bottom - top), "the curve never rises from the bottom of the plot", points);
    if (p.totalTime > 0.0) {
        check(c, furthestX >= left + 0.49 * (right - left), "the curve ends in the left half of the plot", points);
    }
}

// The windows' scenes of the plot, from a phone's corner to a full-HD screen:
// every point a number on the canvas, every text readable, on the canvas and
// clear of every other text.
void checkScenes(const Case& c, const report::PlotModel& plot)
{
    const auto onCanvas = [](const report::PlotScene& scene, report::CanvasPoint p) {
        return p.x >= 0.0 && p.x <= scene.width && p.y >= 0.0 && p.y <= scene.height;
    };
    const std::pair<double, double> canvases[] = {{200.0, 120.0}, {390.0, 260.0}, {1920.0, 1080.0}};
    for (const auto& [width, height] : canvases) {
        const report::PlotScene scene = report::makePlotScene(plot, width, height, report::SceneFrame::PlotOnly);
        std::vector<report::SceneBounds> texts;
        for (const auto& item : scene.items) {
            if (const auto* text = std::get_if<report::SceneText>(&item)) {
                const report::SceneBounds b = report::textBounds(*text);
                check(c, text->size >= report::minimumTextSize, "a scene's text below 11 px", text->text);
                check(c, b.left >= 0.0 && b.top >= 0.0 && b.right <= width && b.bottom <= height,
                      "a scene's text off its canvas", text->text);
                for (const report::SceneBounds& o : texts) {
                    check(c, !(b.left < o.right && o.left < b.right && b.top < o.bottom && o.top < b.bottom),
                          "a scene's texts over each other", text->text);
                }
                texts.push_back(b);
            } else if (const auto* line = std::get_if<report::SceneLine>(&item)) {
                check(c, onCanvas(scene, line->from) && onCanvas(scene, line->to), "a scene's line off its canvas");
            } else if (const auto* curve = std::get_if<report::ScenePolyline>(&item)) {
                check(c, curve->points.size() >= 2 && curve->points.size() <= 20000, "a scene's curve of odd length");
                for (const report::CanvasPoint& p : curve->points) {
                    check(c, onCanvas(scene, p), "a scene's curve off its canvas");
                }
            } else if (const auto* dot = std::get_if<report::SceneDot>(&item)) {
                check(c, onCanvas(scene, dot->centre), "a scene's dot off its canvas");
            } else if (const auto* rect = std::get_if<report::SceneRect>(&item)) {
                check(c, onCanvas(scene, {rect->x, rect->y}) && rect->width >= 0.0 && rect->height >= 0.0 &&
                             onCanvas(scene, {rect->x + rect->width, rect->y + rect->height}),
                      "a scene's rectangle off its canvas");
            }
        }
    }
}

void checkProfileTexts(const Case& c, const VelocityProfile& p, std::string_view summary)
{
    const std::string plain = report::profilePlain(p);
    check(c, fuzz::utf8Problem(plain).empty() && plain.ends_with('\n'), "plain profile text", plain);
    const std::string json = report::profileJson(p);
    const std::string jsonFault = fuzz::jsonProblem(json);
    check(c, jsonFault.empty(), "profile JSON", jsonFault + "\n  " + json);
    const auto svg = report::profileSvg(p, summary);
    check(c, svg.has_value() == (p.status == ProfileStatus::Complete), "a plot for other than a complete profile");
    if (svg) {
        check(c, svg->size() < (1u << 20), "a plot of more than a megabyte");
        const std::string svgFault = fuzz::svgProblem(*svg);
        check(c, svgFault.empty(), "profile SVG", svgFault + "\n" + *svg);
        checkCurve(c, p, summary, *svg);
        checkScenes(c, *report::makePlotModel(p, summary));
    }
}

// The promises of rounded_drive.h for one input and multiplier.
void checkRoundedDrive(const Case& c, const DriveInput& input, const RoundedDrive& drive)
{
    const SettingValues& exact = drive.exact;
    const RoundedSettings& rounded = drive.rounded;
    const std::optional<double>& ao = rounded[SettingRegister::AO];
    check(c, ao.has_value() == exact.registers[SettingRegister::AO].has_value() && (!ao || *ao == 0.0),
          "AO is not 0 where it is used");
    std::size_t next = 0; // the findings come in register order
    bool usable[settingRegisters.size()] = {};
    for (const RegisterDescription& entry : settingRegisters) {
        if (!entry.rounded) {
            continue; // AO, checked above
        }
        const struct {
            SettingRegister setting;
            std::optional<double> exact;
            std::optional<double> rounded;
        } r{entry.id, exact.registers[entry.id], rounded[entry.id]};
        check(c, r.exact.has_value() == r.rounded.has_value(), "a register rounded that has no value, or not rounded");
        const RoundingFinding* finding = nullptr;
        if (next < drive.findings.size() && drive.findings[next].setting == r.setting) {
            finding = &drive.findings[next++];
        }
        if (!r.rounded) {
            check(c, finding == nullptr, "a finding for a register the type does not use");
            continue;
        }
        const double value = *r.rounded;
        const double expected = std::round(*r.exact);
        check(c, value == expected || (std::isnan(value) && std::isnan(expected)), "a register not rounded to nearest");
        check(c, !(value == 0.0 && std::signbit(value)), "a register rounded to -0");
        const auto maximum = describe(r.setting).maximum;
        const bool sound = std::isfinite(value) && value >= 1.0 && (!maximum || value <= *maximum);
        check(c, sound == (finding == nullptr), "a finding does not match its register's value");
        usable[static_cast<std::size_t>(r.setting)] = sound;
        if (finding) {
            check(c, sameBits(finding->rounded, value) && sameBits(finding->settingValue, *r.exact),
                  "a finding does not carry its register's values");
            const RoundingProblem problem = !std::isfinite(value) ? RoundingProblem::NotFinite
                                            : value < 0.0          ? RoundingProblem::Negative
                                            : value == 0.0         ? RoundingProblem::Zero
                                                                   : RoundingProblem::AboveMaximum;
            check(c, finding->problem == problem, "a finding names the wrong problem");
        }
    }
    check(c, next == drive.findings.size(), "findings out of register order or repeated");

    const auto checkQuantity = [&](const RealQuantity& q, bool known) {
        check(c, !q.real || std::isfinite(*q.real), "a real value that is not finite");
        check(c, !q.deviationPercent || (q.real && std::isfinite(*q.deviationPercent)),
              "a deviation that is not finite or without a real value");
        check(c, known || !q.real, "a real value from a register with a finding");
    };
    const bool svKnown = usable[static_cast<std::size_t>(SettingRegister::SV)];
    const bool vKnown = usable[static_cast<std::size_t>(SettingRegister::V)];
    checkQuantity(drive.initialSpeed, svKnown);
    checkQuantity(drive.driveSpeed, vKnown);
    const DriveType type = input.driveType;
    check(c, drive.accelTime.has_value() == isKnownDriveType(type), "acceleration time of the type");
    check(c, drive.decelTime.has_value() == isAsymmetric(type), "deceleration time of the type");
    check(c, drive.accelJerk.has_value() == isSCurve(type), "acceleration jerk of the type");
    check(c, drive.decelJerk.has_value() == (type == DriveType::AsymmetricSCurve), "deceleration jerk of the type");
    const bool speeds = drive.initialSpeed.real && drive.driveSpeed.real;
    const auto ramp = [&](const std::optional<RealQuantity>& q, SettingRegister rate) {
        if (q) {
            checkQuantity(*q, speeds && usable[static_cast<std::size_t>(rate)]);
        }
    };
    ramp(drive.accelTime, isSCurve(type) ? SettingRegister::K : SettingRegister::A);
    ramp(drive.decelTime, isSCurve(type) ? SettingRegister::L : SettingRegister::D);
    if (drive.accelJerk) {
        checkQuantity(*drive.accelJerk, usable[static_cast<std::size_t>(SettingRegister::K)]);
    }
    if (drive.decelJerk) {
        checkQuantity(*drive.decelJerk, usable[static_cast<std::size_t>(SettingRegister::L)]);
    }

    // Without a finding every quantity has its real value: the registers of a
    // validated input and a table multiplier give finite speeds, times and jerks.
    if (drive.findings.empty()) {
        const auto known = [](const std::optional<RealQuantity>& q) { return !q || q->real.has_value(); };
        check(c, drive.initialSpeed.real && drive.driveSpeed.real && known(drive.accelTime) &&
                     known(drive.decelTime) && known(drive.accelJerk) && known(drive.decelJerk),
              "a quantity without its real value though no register has a finding");
    }

    // A speed register rounded to the nearest integer is off by at most half a multiplier.
    if (drive.driveSpeed.real && std::isfinite(input.driveSpeed) && drive.multiplier > 0.0) {
        check(c, std::fabs(*drive.driveSpeed.real - input.driveSpeed) <=
                     drive.multiplier * 0.5 * (1 + 1e-9) + 1e-9 * std::fabs(input.driveSpeed),
              "real drive speed further than half a multiplier from the requested one");
    }
}

void checkRoundedProfile(const Case& c, const DriveInput& input, const RoundedDrive& drive,
                         const RoundedProfile& profile, double pulses)
{
    if (profile.real) {
        check(c, drive.initialSpeed.real && drive.driveSpeed.real, "a real profile without real speeds");
        const auto real = [](const std::optional<RealQuantity>& q) {
            return q && q->real ? *q->real : 0.0;
        };
        const double accel = real(drive.accelTime);
        const double decel = isAsymmetric(input.driveType) ? real(drive.decelTime) : accel;
        checkProfile(c, *profile.real, *drive.initialSpeed.real, *drive.driveSpeed.real, accel, decel,
                     input.driveType, pulses);
    }
    if (profile.earlyBy) {
        check(c, std::isfinite(*profile.earlyBy) && profile.real && profile.real->status == ProfileStatus::Complete &&
                     profile.requested.status == ProfileStatus::Complete,
              "earlyBy without two complete profiles");
    }
}

std::string decimalText(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

// Every value the rounded plain section shows as real is a finite number.
void checkRealFigures(const Case& c, const std::string& plain)
{
    constexpr std::string_view marker = ", real ";
    for (std::size_t pos = plain.find(marker); pos != std::string::npos; pos = plain.find(marker, pos + 1)) {
        const std::string_view figure = std::string_view(plain).substr(pos + marker.size(), 4);
        check(c, !figure.starts_with("nan") && !figure.starts_with("inf") && !figure.starts_with("-inf") &&
                     !figure.starts_with("-nan"),
              "a real value shown that is not finite", plain);
    }
}

// The texts of the whole front end for the same numbers typed into the fields.
void checkFrontEndTexts(const Case& c, std::string_view summaryText)
{
    cli::DriveRequest request;
    request.items[InputField::DriveType] = std::clamp(static_cast<int>(c.type), -1, 3);
    request.texts[InputField::InitialSpeed] = decimalText(c.initialSpeed);
    request.texts[InputField::DriveSpeed] = decimalText(c.driveSpeed);
    request.texts[InputField::AccelTime] = decimalText(c.accelTime);
    request.texts[InputField::DecelTime] = decimalText(c.decelTime);
    request.texts[InputField::PulseCount] = decimalText(c.pulses);
    request.profile = true;
    const int index = multiplierIndex(c.multiplier);
    if (index >= 0 && multiplierAt(index) == c.multiplier) {
        request.items[InputField::Multiplier] = index;
    }
    const cli::DriveOutcome outcome = cli::runDrive(request);

    const std::string json = cli::jsonOutput(outcome, true, true);
    const std::string jsonFault = fuzz::jsonProblem(json);
    check(c, jsonFault.empty(), "front-end JSON", jsonFault + "\n  " + json);
    const std::string plain = cli::plainOutput(outcome) +
                              report::roundedPlainSection(outcome.calculation, outcome.pulseCount) +
                              report::comparisonPlainSection(outcome.calculation);
    check(c, fuzz::utf8Problem(plain).empty(), "front-end plain text is not UTF-8", plain);
    checkRealFigures(c, plain);
    if (outcome.profile) {
        checkProfileTexts(c, *outcome.profile, summaryText);
        // The profile of the asymmetric S-curve decelerates from the dialog's own deceleration point.
        const VelocityProfile& p = *outcome.profile;
        if (request.items[InputField::DriveType] == 3 && p.status == ProfileStatus::Complete && p.decelPoint > 0.0 &&
            outcome.errors.empty()) {
            check(c, outcome.decelPoint == formatDecelPoint(p.decelPoint),
                  "type 3 profile's deceleration point is not the dialog's", outcome.decelPoint);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ByteReader reader(data, size);
    const auto typeByte = reader.take<std::uint8_t>();
    const auto rawBits = reader.take<std::uint8_t>();
    Case c{};
    // Mostly one of the five selector states, sometimes any index at all.
    c.type = typeByte < 0xF0 ? static_cast<DriveType>(typeByte % 5 - 1) : static_cast<DriveType>(reader.take<std::int32_t>());
    c.initialSpeed = takeNumber(reader, rawBits & 0x01);
    c.driveSpeed = takeNumber(reader, rawBits & 0x02);
    c.accelTime = takeNumber(reader, rawBits & 0x04);
    c.decelTime = takeNumber(reader, rawBits & 0x08);
    c.pulses = takeNumber(reader, rawBits & 0x10);
    const auto multiplierByte = reader.take<std::uint8_t>();
    const auto fromTable = multiplierAt(multiplierByte % 16);
    c.multiplier = (rawBits & 0x20) || !fromTable ? takeNumber(reader, rawBits & 0x40) : *fromTable;
    const std::string_view summary = reader.rest();

    const VelocityProfile profile =
        computeVelocityProfile(c.initialSpeed, c.driveSpeed, c.accelTime, c.decelTime, c.type, c.pulses);
    checkProfile(c, profile, c.initialSpeed, c.driveSpeed, c.accelTime, c.decelTime, c.type, c.pulses);
    checkProfileTexts(c, profile, summary);

    const DriveInput input{c.initialSpeed, c.driveSpeed, c.accelTime, c.decelTime, c.type};
    // The rounded drive is defined for what the dialog lets through: a validated input with a table multiplier.
    if (!validateDriveInput(input) && fromTable && !(rawBits & 0x20)) {
        const RoundedDrive drive = computeRoundedDrive(input, c.multiplier);
        checkRoundedDrive(c, input, drive);
        const RoundedProfile rounded = computeRoundedProfile(input, drive, c.pulses);
        checkProfile(c, rounded.requested, c.initialSpeed, c.driveSpeed, c.accelTime, c.decelTime, c.type, c.pulses);
        checkRoundedProfile(c, input, drive, rounded, c.pulses);
    } else {
        // Outside it nothing may crash or invoke undefined behaviour.
        const RoundedDrive drive = computeRoundedDrive(input, c.multiplier);
        (void)computeRoundedProfile(input, drive, c.pulses);
    }
    checkFrontEndTexts(c, summary);
    return 0;
}

#include "report/plot_model.h"

#include "report/profile_report.h"
#include "report/texts_en.h"
#include "core/number_format.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace veldronix::report {
namespace {

// A step of 1, 2 or 5 times a power of ten that splits range into at most about target parts.
double niceStep(double range, int target)
{
    const double raw = range / target;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= raw) {
            return factor * power;
        }
    }
    return 10.0 * power;
}

// The summary's lines; its line break splits it.
std::vector<std::string> linesOf(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t breakAt = text.find('\n');
        lines.emplace_back(text.substr(0, breakAt));
        if (breakAt == std::string_view::npos) {
            break;
        }
        text.remove_prefix(breakAt + 1);
    }
    return lines;
}

// The speed curve: straight lines for linear ramps; each half of an S-curve
// ramp is a parabola in time, its control point where the tangents at its two ends meet.
PlotCurve curveOf(const VelocityProfile& p)
{
    const double sv = p.initialSpeed;
    const double v = p.driveSpeed;
    const double middle = (sv + v) / 2.0;
    const double ta = p.accel.time;
    const double decelStart = p.accel.time + p.constant.time;
    const double td = p.decel.time;
    const double end = p.totalTime;
    using Kind = CurveSegment::Kind;
    PlotCurve curve{{0, sv}, {}};
    if (p.shape == RampShape::SCurve) {
        curve.segments = {
            {Kind::Parabola, {ta / 4, sv}, {ta / 2, middle}},
            {Kind::Parabola, {ta * 3 / 4, v}, {ta, v}},
            {Kind::Line, {}, {decelStart, v}},
            {Kind::Parabola, {decelStart + td / 4, v}, {decelStart + td / 2, middle}},
            {Kind::Parabola, {decelStart + td * 3 / 4, sv}, {end, sv}},
        };
    } else {
        curve.segments = {{Kind::Line, {}, {ta, v}}, {Kind::Line, {}, {decelStart, v}}, {Kind::Line, {}, {end, sv}}};
    }
    return curve;
}

std::vector<FigureRow> rowsOf(const VelocityProfile& p, const PlotTexts& t)
{
    const auto time = [&t](double seconds) { return t.phaseTime(formatFixed(seconds, 6)); };
    const auto pulses = [&t](double count) { return t.phasePulses(figureText(count)); };
    const auto ramp = [&t](double from, double to, double jerk) {
        // A linear ramp has no jerk to name (0).
        return jerk > 0.0
                   ? t.sCurveRamp(figureText(from), figureText(to), figureText(jerk))
                   : t.ramp(figureText(from), figureText(to));
    };
    return {
        {PlotPhase::Accel, std::string(t.phaseAccel), time(p.accel.time), pulses(p.accel.pulses),
         ramp(p.initialSpeed, p.driveSpeed, p.accelJerk)},
        {PlotPhase::Constant, std::string(t.phaseConstant), time(p.constant.time), pulses(p.constant.pulses),
         t.atSpeed(figureText(p.driveSpeed))},
        {PlotPhase::Decel, std::string(t.phaseDecel), time(p.decel.time), pulses(p.decel.pulses),
         ramp(p.driveSpeed, p.initialSpeed, p.decelJerk)},
        {std::nullopt, std::string(t.totalMove), time(p.totalTime), pulses(p.totalPulses),
         t.decelPoint(figureText(p.decelPoint))},
    };
}

} // namespace

const PlotTexts& englishPlotTexts()
{
    static constexpr PlotTexts english{
        .title = texts::en::svgTitle,
        .heading = texts::en::profileHeading,
        .shapeLinear = texts::en::shapeLinear,
        .shapeSCurve = texts::en::shapeSCurve,
        .timeAxis = texts::en::svgTimeAxis,
        .speedAxis = texts::en::svgSpeedAxis,
        .phaseAccel = texts::en::phaseAccel,
        .phaseConstant = texts::en::phaseConstant,
        .phaseDecel = texts::en::phaseDecel,
        .totalMove = texts::en::labelTotalMove,
        .decelPoint = texts::en::svgDecelPoint,
        .driveSpeed = texts::en::svgDriveSpeed,
        .initialSpeed = texts::en::svgInitialSpeed,
        .phaseTime = texts::en::svgPhaseTime,
        .phasePulses = texts::en::svgPhasePulses,
        .ramp = texts::en::svgRamp,
        .sCurveRamp = texts::en::svgSCurveRamp,
        .atSpeed = texts::en::svgAtSpeed,
        .fontFamily = texts::en::svgFontFamily,
    };
    return english;
}

std::string tickText(double value, double step)
{
    const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    if (value == 0.0) {
        return "0";
    }
    if (decimals <= 6 && std::fabs(value) < 1e9) {
        return formatFixed(value, decimals);
    }
    // std::to_chars and {fmt} give the same correctly rounded text ("1.25e+09");
    // emscripten's libc++ has no floating to_chars with a precision.
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
    std::array<char, 32> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, 2);
    return result.ec == std::errc{} ? std::string(buffer.data(), result.ptr) : formatFixed(value, 3);
#else
    return fmt::format("{:.2e}", value);
#endif
}

PlotAxis plotAxis(std::string_view title, double largest)
{
    if (!(largest > 0.0) || !std::isfinite(largest)) {
        largest = 1.0;
    }
    double step = niceStep(largest, 8);
    // A range of a few subnormals has no finer step than itself (an eighth of it is 0).
    if (!(step > 0.0)) {
        step = largest;
    }
    PlotAxis axis{std::string(title), std::ceil(largest / step * (1 - 1e-12)) * step, {}};
    // Rounded up near the top of the double range the end would be infinite, and every point on the axis's start.
    if (!(axis.maximum >= largest) || !std::isfinite(axis.maximum)) {
        axis.maximum = largest;
    }
    // The count is bounded by niceStep; the index keeps the values free of accumulated error.
    const long count = static_cast<long>(std::llround(axis.maximum / step));
    for (long i = 0; i <= count && i <= 50; ++i) {
        const double value = static_cast<double>(i) * step;
        if (value > axis.maximum) {
            break; // an axis whose end is no multiple of its step (see above) has no tick beyond it
        }
        axis.ticks.push_back({value, tickText(value, step)});
    }
    return axis;
}

std::optional<PlotModel> makePlotModel(const VelocityProfile& p, std::string_view summary, const PlotTexts& t)
{
    if (p.status != ProfileStatus::Complete) {
        return std::nullopt;
    }
    PlotModel plot;
    plot.fontFamily = std::string(t.fontFamily);
    plot.title = t.title(t.heading(figureText(p.totalPulses), figureText(p.initialSpeed), figureText(p.driveSpeed),
                                   p.shape == RampShape::SCurve ? t.shapeSCurve : t.shapeLinear));
    plot.summary = std::string(summary);
    plot.summaryLines = linesOf(summary);
    plot.timeAxis = plotAxis(t.timeAxis, p.totalTime);
    // Headroom above the drive speed for the plateau's label.
    const double headroom = p.driveSpeed * 1.12;
    plot.speedAxis = plotAxis(t.speedAxis, std::isfinite(headroom) ? headroom : p.driveSpeed);
    const double decelStart = p.accel.time + p.constant.time;

    // The three phases as bands under the curve.
    const std::array<PlotBand, 3> bands = {{{PlotPhase::Accel, 0.0, p.accel.time, std::string(t.phaseAccel)},
                                            {PlotPhase::Constant, p.accel.time, decelStart,
                                             std::string(t.phaseConstant)},
                                            {PlotPhase::Decel, decelStart, p.totalTime, std::string(t.phaseDecel)}}};
    for (const PlotBand& band : bands) {
        if (band.end > band.start) { // a ramp of no time has no band
            plot.bands.push_back(band);
        }
    }

    plot.curve = curveOf(p);
    plot.initialLevel = p.initialSpeed;
    plot.driveSpeedLabel = {t.driveSpeed(figureText(p.driveSpeed))};
    plot.initialSpeedLabel = {t.initialSpeed(figureText(p.initialSpeed))};
    plot.decelMark = {{decelStart, p.driveSpeed}, {t.decelPoint(figureText(p.decelPoint))}};
    plot.rows = rowsOf(p, t);
    return plot;
}

} // namespace veldronix::report

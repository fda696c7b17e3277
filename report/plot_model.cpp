#include "report/plot_model.h"

#include "report/profile_report.h"
#include "report/report_texts.h"
#include "core/number_format.h"
#include "io/utf8.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace veldronix::report {
namespace {

// Rough width of a character of the 12-unit labels, to decide whether a text fits where it goes.
constexpr double labelCharWidth = 6.8;
// How far from the canvas's edges the deceleration point's label keeps.
constexpr double edgeMargin = 10;

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

// Whether a character takes about twice the width of a Latin letter: kana,
// kanji, hangul and the full-width forms. The arrows and signs of the English
// texts (U+2192, U+00B2) and the half-width katakana stay narrow.
bool isWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6);
}

// Length in half-width characters, for placing texts: a wide character counts
// twice. A malformed byte counts as one character.
double characters(std::string_view text)
{
    double count = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const io::Utf8Char c = io::decodeUtf8(text.substr(i));
        count += c.valid && isWide(c.code) ? 2 : 1;
        i += c.length;
    }
    return count;
}

// The centre of a label moved as little as needed to keep it within the plot area.
double insidePlot(const PlotModel& plot, double centre, std::string_view text)
{
    const double half = characters(text) * labelCharWidth / 2 + 4;
    const double middle = (plot.left + plot.right) / 2;
    return std::clamp(centre, std::min(plot.left + half, middle), std::max(plot.right - half, middle));
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
    const auto time = [&t](double seconds) { return fmt::format(fmt::runtime(t.phaseTime), formatFixed(seconds, 6)); };
    const auto pulses = [&t](double count) { return fmt::format(fmt::runtime(t.phasePulses), figureText(count)); };
    const auto ramp = [&t](double from, double to, double jerk) {
        // A linear ramp has no jerk to name (0).
        return jerk > 0.0
                   ? fmt::format(fmt::runtime(t.sCurveRamp), figureText(from), figureText(to), figureText(jerk))
                   : fmt::format(fmt::runtime(t.ramp), figureText(from), figureText(to));
    };
    return {
        {PlotPhase::Accel, std::string(t.phaseAccel), time(p.accel.time), pulses(p.accel.pulses),
         ramp(p.initialSpeed, p.driveSpeed, p.accelJerk)},
        {PlotPhase::Constant, std::string(t.phaseConstant), time(p.constant.time), pulses(p.constant.pulses),
         fmt::format(fmt::runtime(t.atSpeed), figureText(p.driveSpeed))},
        {PlotPhase::Decel, std::string(t.phaseDecel), time(p.decel.time), pulses(p.decel.pulses),
         ramp(p.driveSpeed, p.initialSpeed, p.decelJerk)},
        {std::nullopt, std::string(t.totalMove), time(p.totalTime), pulses(p.totalPulses),
         fmt::format(fmt::runtime(t.decelPoint), figureText(p.decelPoint))},
    };
}

} // namespace

const PlotTexts& englishPlotTexts()
{
    static constexpr PlotTexts english{
        texts::svgTitle,     texts::profileHeading, texts::shapeLinear,  texts::shapeSCurve,   texts::svgTimeAxis,
        texts::svgSpeedAxis, texts::phaseAccel,     texts::phaseConstant, texts::phaseDecel,   texts::labelTotalMove,
        texts::svgDecelPoint, texts::svgDriveSpeed, texts::svgInitialSpeed, texts::svgPhaseTime, texts::svgPhasePulses,
        texts::svgRamp,      texts::svgSCurveRamp,  texts::svgAtSpeed,    texts::svgFontFamily,
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
    plot.title = fmt::format(fmt::runtime(t.title),
                             fmt::format(fmt::runtime(t.heading), figureText(p.totalPulses), figureText(p.initialSpeed),
                                         figureText(p.driveSpeed),
                                         p.shape == RampShape::SCurve ? t.shapeSCurve : t.shapeLinear));
    plot.summary = std::string(summary);
    plot.summaryLines = linesOf(summary);
    plot.timeAxis = plotAxis(t.timeAxis, p.totalTime);
    // Headroom above the drive speed for the plateau's label.
    const double headroom = p.driveSpeed * 1.12;
    plot.speedAxis = plotAxis(t.speedAxis, std::isfinite(headroom) ? headroom : p.driveSpeed);
    const double decelStart = p.accel.time + p.constant.time;

    // The three phases as bands under the curve, named where the name fits.
    const std::array<PlotBand, 3> bands = {{{PlotPhase::Accel, 0.0, p.accel.time, std::string(t.phaseAccel)},
                                            {PlotPhase::Constant, p.accel.time, decelStart,
                                             std::string(t.phaseConstant)},
                                            {PlotPhase::Decel, decelStart, p.totalTime, std::string(t.phaseDecel)}}};
    for (PlotBand band : bands) {
        const double width = plot.x(band.end) - plot.x(band.start);
        if (!(width > 0.0)) {
            continue; // a ramp of no time has no band
        }
        if (!(width > characters(band.name) * labelCharWidth + 8)) {
            band.name.clear();
        }
        plot.bands.push_back(std::move(band));
    }

    plot.curve = curveOf(p);
    plot.initialLevel = p.initialSpeed;
    // The speeds named on the curve: the plateau above its middle, the initial speed near its level.
    const double plateauMiddle = plot.x((p.accel.time + decelStart) / 2);
    std::string driveSpeedText = fmt::format(fmt::runtime(t.driveSpeed), figureText(p.driveSpeed));
    plot.driveSpeedLabel = {{insidePlot(plot, plateauMiddle, driveSpeedText), plot.y(p.driveSpeed) - 8},
                            TextAnchor::Middle,
                            std::move(driveSpeedText)};
    // Under its level, unless that would run into the time axis: then above it.
    std::string initialSpeedText = fmt::format(fmt::runtime(t.initialSpeed), figureText(p.initialSpeed));
    const double levelY = plot.y(p.initialSpeed);
    plot.initialSpeedLabel = {{insidePlot(plot, plateauMiddle, initialSpeedText),
                               levelY + 18 < plot.bottom - 4 ? levelY + 16 : levelY - 8},
                              TextAnchor::Middle,
                              std::move(initialSpeedText)};

    // The deceleration point: where the plateau ends, with its pulse count, anchored so
    // that the text stays on the canvas near either edge.
    std::string markText = fmt::format(fmt::runtime(t.decelPoint), figureText(p.decelPoint));
    const double markX = plot.x(decelStart);
    const double markWidth = characters(markText) * labelCharWidth;
    const TextAnchor anchor = markX + markWidth / 2 > plot.width - edgeMargin ? TextAnchor::End
                              : markX - markWidth / 2 < edgeMargin            ? TextAnchor::Start
                                                                              : TextAnchor::Middle;
    plot.decelMark = {{decelStart, p.driveSpeed}, {{markX, plot.top - 12}, anchor, std::move(markText)}};

    plot.rows = rowsOf(p, t);
    return plot;
}

} // namespace veldronix::report

#include "report/profile_svg.h"

#include "report/report_texts.h"
#include "report/profile_report.h"
#include "core/number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <vector>

namespace veldronix::report {
namespace {

// The page and the plot area in SVG user units (pixels at 100 %).
constexpr double pageWidth = 960;
constexpr double pageHeight = 640;
constexpr double plotLeft = 100;
constexpr double plotRight = 920;
constexpr double plotTop = 130;
constexpr double plotBottom = 450;
// Rough width of a character of the 12-unit labels, to decide whether a phase's name fits its band.
constexpr double labelCharWidth = 6.8;

constexpr std::string_view fontFamily = "DejaVu Sans, Helvetica, Arial, sans-serif";
constexpr std::string_view curveColour = "#1d4ed8";
constexpr std::string_view markColour = "#c2410c";
constexpr std::array<std::string_view, 3> phaseColours = {"#dbeafe", "#dcfce7", "#fef3c7"};
constexpr std::array<std::string_view, 3> phaseInk = {"#1e40af", "#166534", "#92400e"};

std::string coordinate(double value)
{
    return formatFixed(value, 2);
}

// Appends one element: name, attributes as written, and escaped text content.
void element(std::string& out, std::string_view name, std::string_view attributes, std::string_view content = {})
{
    out += '<';
    out += name;
    if (!attributes.empty()) {
        out += ' ';
        out += attributes;
    }
    if (content.empty()) {
        out += "/>\n";
        return;
    }
    out += '>';
    out += xmlText(content);
    out += "</";
    out += name;
    out += ">\n";
}

std::string attribute(std::string_view name, std::string_view value)
{
    return std::string(name) + "=\"" + xmlText(value) + "\" ";
}

std::string at(double x, double y)
{
    return "x=\"" + coordinate(x) + "\" y=\"" + coordinate(y) + "\" ";
}

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

// A tick's label: fixed decimals as the step needs, or scientific notation
// where fixed would be unreadable (very small or very large values).
std::string tickText(double value, double step)
{
    const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    if (value == 0.0) {
        return "0";
    }
    if (decimals <= 6 && std::fabs(value) < 1e9) {
        return formatFixed(value, decimals);
    }
    std::array<char, 32> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, 2);
    return result.ec == std::errc{} ? std::string(buffer.data(), result.ptr) : formatFixed(value, 3);
}

struct Axis {
    double maximum = 1; // value at the far end
    double step = 1;    // between ticks
};

Axis axisFor(double largest)
{
    if (!(largest > 0.0) || !std::isfinite(largest)) {
        largest = 1.0;
    }
    Axis axis;
    axis.step = niceStep(largest, 8);
    // A range of a few subnormals has no finer step than itself (an eighth of it is 0).
    if (!(axis.step > 0.0)) {
        axis.step = largest;
    }
    axis.maximum = std::ceil(largest / axis.step * (1 - 1e-12)) * axis.step;
    // Rounded up near the top of the double range the end would be infinite, and every point on the axis's start.
    if (!(axis.maximum >= largest) || !std::isfinite(axis.maximum)) {
        axis.maximum = largest;
    }
    return axis;
}

class Scale {
public:
    Scale(Axis time, Axis speed) : time_(time), speed_(speed) {}
    double x(double t) const { return plotLeft + (t / time_.maximum) * (plotRight - plotLeft); }
    double y(double v) const { return plotBottom - (v / speed_.maximum) * (plotBottom - plotTop); }
    std::string point(double t, double v) const { return coordinate(x(t)) + "," + coordinate(y(v)); }

private:
    Axis time_;
    Axis speed_;
};

void ticks(std::string& out, const Axis& axis, bool horizontal, const Scale& scale)
{
    // The count is bounded by niceStep; the index keeps the values free of accumulated error.
    const long count = static_cast<long>(std::llround(axis.maximum / axis.step));
    for (long i = 0; i <= count && i <= 50; ++i) {
        const double value = static_cast<double>(i) * axis.step;
        if (value > axis.maximum) {
            break; // an axis whose end is no multiple of its step (see axisFor) has no tick beyond it
        }
        const std::string label = tickText(value, axis.step);
        if (horizontal) {
            const std::string x = coordinate(scale.x(value));
            element(out, "line", "x1=\"" + x + "\" y1=\"" + coordinate(plotTop) + "\" x2=\"" + x + "\" y2=\"" +
                                     coordinate(plotBottom) + "\" class=\"grid\"");
            element(out, "text", at(scale.x(value), plotBottom + 18) + "class=\"tick\" text-anchor=\"middle\"", label);
        } else {
            const std::string y = coordinate(scale.y(value));
            element(out, "line", "x1=\"" + coordinate(plotLeft) + "\" y1=\"" + y + "\" x2=\"" +
                                     coordinate(plotRight) + "\" y2=\"" + y + "\" class=\"grid\"");
            element(out, "text", at(plotLeft - 8, scale.y(value) + 4) + "class=\"tick\" text-anchor=\"end\"", label);
        }
    }
}

// The speed curve: straight lines for linear ramps; for an S-curve each half of
// a ramp is a parabola in time, drawn exactly as a quadratic Bezier whose control
// point is where the tangents at its two ends meet.
std::string curvePath(const VelocityProfile& p, const Scale& scale)
{
    const double sv = p.initialSpeed;
    const double v = p.driveSpeed;
    const double middle = (sv + v) / 2.0;
    const double ta = p.accel.time;
    const double decelStart = p.accel.time + p.constant.time;
    const double td = p.decel.time;
    const double end = p.totalTime;
    std::string d = "M" + scale.point(0, sv);
    if (p.shape == RampShape::SCurve) {
        d += " Q" + scale.point(ta / 4, sv) + " " + scale.point(ta / 2, middle);
        d += " Q" + scale.point(ta * 3 / 4, v) + " " + scale.point(ta, v);
        d += " L" + scale.point(decelStart, v);
        d += " Q" + scale.point(decelStart + td / 4, v) + " " + scale.point(decelStart + td / 2, middle);
        d += " Q" + scale.point(decelStart + td * 3 / 4, sv) + " " + scale.point(end, sv);
    } else {
        d += " L" + scale.point(ta, v) + " L" + scale.point(decelStart, v) + " L" + scale.point(end, sv);
    }
    return d;
}

// Length in characters, for placing texts: UTF-8 lead bytes only.
std::size_t characters(std::string_view text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The centre of a label moved as little as needed to keep it within the plot area.
double insidePlot(double centre, std::string_view text)
{
    const double half = static_cast<double>(characters(text)) * labelCharWidth / 2 + 4;
    return std::clamp(centre, std::min(plotLeft + half, (plotLeft + plotRight) / 2),
                      std::max(plotRight - half, (plotLeft + plotRight) / 2));
}

// The summary's lines; its line break splits it.
std::vector<std::string_view> linesOf(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t breakAt = text.find('\n');
        lines.push_back(text.substr(0, breakAt));
        if (breakAt == std::string_view::npos) {
            break;
        }
        text.remove_prefix(breakAt + 1);
    }
    return lines;
}

void appendCodePoint(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string xmlText(std::string_view text)
{
    constexpr char32_t replacement = 0xFFFD;
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        // Decode one UTF-8 sequence, refusing overlong forms, surrogates and values above U+10FFFF.
        char32_t c = replacement;
        std::size_t length = 1;
        if (lead < 0x80) {
            c = lead;
        } else {
            const std::size_t expected = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                         : lead >= 0xF0 && lead <= 0xF4                                    ? 4
                                                                                                           : 0;
            if (expected != 0 && i + expected <= text.size()) {
                char32_t value = lead & (0xFF >> (expected + 1));
                bool valid = true;
                for (std::size_t k = 1; k < expected && valid; ++k) {
                    const auto next = static_cast<unsigned char>(text[i + k]);
                    valid = (next & 0xC0) == 0x80;
                    value = (value << 6) | (next & 0x3F);
                }
                const char32_t lowest = expected == 2 ? 0x80 : expected == 3 ? 0x800 : 0x10000;
                if (valid && value >= lowest && value <= 0x10FFFF && !(value >= 0xD800 && value <= 0xDFFF)) {
                    c = value;
                    length = expected;
                }
            }
        }
        i += length;
        // XML 1.0 allows tab, line feed and carriage return among the controls, and no U+FFFE or U+FFFF.
        const bool allowed = c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c != 0xFFFE && c != 0xFFFF);
        switch (allowed ? c : replacement) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        default:
            appendCodePoint(out, allowed ? c : replacement);
        }
    }
    return out;
}

std::optional<std::string> profileSvg(const VelocityProfile& p, std::string_view summary)
{
    if (p.status != ProfileStatus::Complete) {
        return std::nullopt;
    }
    const Axis timeAxis = axisFor(p.totalTime);
    // Headroom above the drive speed for the plateau's label.
    const double headroom = p.driveSpeed * 1.12;
    const Axis speedAxis = axisFor(std::isfinite(headroom) ? headroom : p.driveSpeed);
    const Scale scale(timeAxis, speedAxis);
    const double decelStart = p.accel.time + p.constant.time;

    std::string heading = std::string(texts::svgTitle) +
                          fillFigures(texts::profileHeading, {p.totalPulses, p.initialSpeed, p.driveSpeed}) +
                          std::string(p.shape == RampShape::SCurve ? texts::shapeSCurve : texts::shapeLinear);

    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + coordinate(pageWidth) + "\" height=\"" +
           coordinate(pageHeight) + "\" viewBox=\"0 0 " + coordinate(pageWidth) + " " + coordinate(pageHeight) +
           "\" font-family=\"" + std::string(fontFamily) + "\">\n";
    element(out, "title", "", heading);
    if (!summary.empty()) {
        element(out, "desc", "", summary);
    }
    out += "<style>.grid{stroke:#e5e7eb;stroke-width:1}.tick{font-size:12px;fill:#374151}"
           ".axis{stroke:#111827;stroke-width:1.5}.label{font-size:13px;fill:#111827}"
           ".figure{font-size:12px;fill:#111827}.phase{font-size:12px;font-weight:bold}</style>\n";
    element(out, "rect", "x=\"0\" y=\"0\" width=\"100%\" height=\"100%\" fill=\"#ffffff\"");
    element(out, "text", at(plotLeft - 60, 34) + "font-size=\"18\" font-weight=\"bold\" fill=\"#111827\"", heading);
    double lineY = 56;
    for (const std::string_view line : linesOf(summary)) {
        element(out, "text", at(plotLeft - 60, lineY) + "font-size=\"12\" fill=\"#4b5563\"", line);
        lineY += 16;
    }


    ticks(out, timeAxis, true, scale);
    ticks(out, speedAxis, false, scale);
    // The three phases as bands under the curve, named where the name fits.
    const std::array<std::pair<double, double>, 3> bands = {
        {{0.0, p.accel.time}, {p.accel.time, decelStart}, {decelStart, p.totalTime}}};
    const std::array<std::string_view, 3> names = {texts::phaseAccel, texts::phaseConstant, texts::phaseDecel};
    out += "<g>\n";
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const double x0 = scale.x(bands[i].first);
        const double x1 = scale.x(bands[i].second);
        if (!(x1 > x0)) {
            continue; // a ramp of no time has no band
        }
        element(out, "rect", at(x0, plotTop) + "width=\"" + coordinate(x1 - x0) + "\" height=\"" +
                                 coordinate(plotBottom - plotTop) + "\" " +
                                 attribute("fill", phaseColours[i]) + "fill-opacity=\"0.8\"");
        if (x1 - x0 > static_cast<double>(characters(names[i])) * labelCharWidth + 8) {
            element(out, "text", at((x0 + x1) / 2, plotTop + 18) + "class=\"phase\" text-anchor=\"middle\" " +
                                     attribute("fill", phaseInk[i]),
                    names[i]);
        }
    }
    out += "</g>\n";
    element(out, "line", "x1=\"" + coordinate(plotLeft) + "\" y1=\"" + coordinate(plotBottom) + "\" x2=\"" +
                             coordinate(plotRight) + "\" y2=\"" + coordinate(plotBottom) + "\" class=\"axis\"");
    element(out, "line", "x1=\"" + coordinate(plotLeft) + "\" y1=\"" + coordinate(plotTop) + "\" x2=\"" +
                             coordinate(plotLeft) + "\" y2=\"" + coordinate(plotBottom) + "\" class=\"axis\"");
    element(out, "text", at((plotLeft + plotRight) / 2, plotBottom + 40) + "class=\"label\" text-anchor=\"middle\"",
            texts::svgTimeAxis);
    element(out, "text", "x=\"0\" y=\"0\" class=\"label\" text-anchor=\"middle\" transform=\"translate(" +
                             coordinate(plotLeft - 72) + "," + coordinate((plotTop + plotBottom) / 2) +
                             ") rotate(-90)\"",
            texts::svgSpeedAxis);

    // The speeds named on the curve: the plateau above its middle, the initial speed at the start.
    const double plateauMiddle = scale.x((p.accel.time + decelStart) / 2);
    const std::string driveSpeedText = fillFigures(texts::svgDriveSpeed, {p.driveSpeed});
    element(out, "text", at(insidePlot(plateauMiddle, driveSpeedText), scale.y(p.driveSpeed) - 8) +
                             "class=\"figure\" text-anchor=\"middle\"",
            driveSpeedText);
    element(out, "path", attribute("d", curvePath(p, scale)) + "fill=\"none\" " + attribute("stroke", curveColour) +
                             "stroke-width=\"2.5\" stroke-linejoin=\"round\"");
    element(out, "circle", "cx=\"" + coordinate(scale.x(0)) + "\" cy=\"" + coordinate(scale.y(p.initialSpeed)) +
                               "\" r=\"3.5\" " + attribute("fill", curveColour));
    // The initial speed as a level across the plot, named under the plateau where the curve is not.
    const std::string levelY = coordinate(scale.y(p.initialSpeed));
    element(out, "line", "x1=\"" + coordinate(plotLeft) + "\" y1=\"" + levelY + "\" x2=\"" + coordinate(plotRight) +
                             "\" y2=\"" + levelY + "\" " + attribute("stroke", curveColour) +
                             "stroke-width=\"1\" stroke-dasharray=\"2 4\" stroke-opacity=\"0.7\"");
    // Above its level, unless that would run into the plateau's label: then below it.
    const std::string initialSpeedText = fillFigures(texts::svgInitialSpeed, {p.initialSpeed});
    const double levelTextY = scale.y(p.initialSpeed) + 18 < plotBottom - 4 ? scale.y(p.initialSpeed) + 16
                                                                            : scale.y(p.initialSpeed) - 8;
    element(out, "text", at(insidePlot(plateauMiddle, initialSpeedText), levelTextY) +
                             "class=\"figure\" text-anchor=\"middle\"",
            initialSpeedText);

    // The deceleration point: where the plateau ends, with its pulse count.
    const double markX = scale.x(decelStart);
    element(out, "line", "x1=\"" + coordinate(markX) + "\" y1=\"" + coordinate(plotTop - 6) + "\" x2=\"" +
                             coordinate(markX) + "\" y2=\"" + coordinate(plotBottom) + "\" " +
                             attribute("stroke", markColour) + "stroke-width=\"1.5\" stroke-dasharray=\"5 4\"");
    element(out, "circle", "cx=\"" + coordinate(markX) + "\" cy=\"" + coordinate(scale.y(p.driveSpeed)) +
                               "\" r=\"4.5\" " + attribute("fill", markColour));
    const std::string markText = fillFigures(texts::svgDecelPoint, {p.decelPoint});
    const double markWidth = static_cast<double>(characters(markText)) * labelCharWidth;
    // Anchored so that the text stays on the page near either edge.
    const std::string_view anchor = markX + markWidth / 2 > pageWidth - 10 ? "end"
                                    : markX - markWidth / 2 < 10           ? "start"
                                                                           : "middle";
    element(out, "text", at(markX, plotTop - 12) + "class=\"figure\" " + attribute("fill", markColour) +
                             attribute("text-anchor", anchor),
            markText);

    // The figures under the plot: one row per phase, then the totals.
    struct Row {
        std::string_view name;
        const ProfilePhase* phase;
        std::string speeds;
        double jerk;
    };
    const std::array<Row, 3> rows = {{
        {texts::phaseAccel, &p.accel, fillFigures(texts::svgRampUp, {p.initialSpeed, p.driveSpeed}), p.accelJerk},
        {texts::phaseConstant, &p.constant, fillFigures(texts::svgAtSpeed, {p.driveSpeed}), 0.0},
        {texts::phaseDecel, &p.decel, fillFigures(texts::svgRampUp, {p.driveSpeed, p.initialSpeed}), p.decelJerk},
    }};
    double rowY = plotBottom + 80;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        element(out, "rect", at(plotLeft - 60, rowY - 11) + "width=\"14\" height=\"14\" " +
                                 attribute("fill", phaseColours[i]) + attribute("stroke", phaseInk[i]));
        element(out, "text", at(plotLeft - 38, rowY) + "class=\"phase\" " + attribute("fill", phaseInk[i]), row.name);
        element(out, "text", at(plotLeft + 170, rowY) + "class=\"figure\" text-anchor=\"end\"",
                formatFixed(row.phase->time, 6) + std::string(texts::svgSeconds));
        element(out, "text", at(plotLeft + 300, rowY) + "class=\"figure\" text-anchor=\"end\"",
                fillFigures(texts::svgPhasePulses, {row.phase->pulses}));
        std::string speeds = row.speeds;
        if (row.jerk > 0.0) {
            speeds += ", " + fillFigures(texts::svgJerk, {row.jerk});
        }
        element(out, "text", at(plotLeft + 320, rowY) + "class=\"figure\"", speeds);
        rowY += 22;
    }
    element(out, "text", at(plotLeft - 38, rowY) + "class=\"phase\" fill=\"#111827\"", texts::labelTotalMove);
    element(out, "text", at(plotLeft + 170, rowY) + "class=\"figure\" text-anchor=\"end\"",
            formatFixed(p.totalTime, 6) + std::string(texts::svgSeconds));
    element(out, "text", at(plotLeft + 300, rowY) + "class=\"figure\" text-anchor=\"end\"",
            fillFigures(texts::svgPhasePulses, {p.totalPulses}));
    element(out, "text", at(plotLeft + 320, rowY) + "class=\"figure\" " + attribute("fill", markColour),
            fillFigures(texts::svgDecelPoint, {p.decelPoint}));
    out += "</svg>\n";
    return out;
}

} // namespace veldronix::report

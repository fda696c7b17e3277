#include "report/profile_svg.h"

#include "report/plot_model.h"
#include "core/number_format.h"
#include "io/utf8.h"

#include <array>

namespace veldronix::report {
namespace {

constexpr std::string_view curveColour = plotColours.curve;
constexpr std::string_view markColour = plotColours.mark;

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

std::string at(CanvasPoint point)
{
    return at(point.x, point.y);
}

std::string line(double x1, double y1, double x2, double y2)
{
    return "x1=\"" + coordinate(x1) + "\" y1=\"" + coordinate(y1) + "\" x2=\"" + coordinate(x2) + "\" y2=\"" +
           coordinate(y2) + "\" ";
}

std::string_view anchorName(TextAnchor anchor)
{
    switch (anchor) {
    case TextAnchor::Start:
        return "start";
    case TextAnchor::End:
        return "end";
    case TextAnchor::Middle:
        break;
    }
    return "middle";
}

// A phase's colours: its band and swatch, and its texts.
std::string_view phaseColour(PlotPhase phase)
{
    return plotColours.fillOf(phase);
}

std::string_view phaseInkOf(PlotPhase phase)
{
    return plotColours.inkOf(phase);
}

std::string point(const PlotModel& plot, DataPoint p)
{
    return coordinate(plot.x(p.time)) + "," + coordinate(plot.y(p.speed));
}

std::string curvePath(const PlotModel& plot)
{
    std::string d = "M" + point(plot, plot.curve.start);
    for (const CurveSegment& segment : plot.curve.segments) {
        if (segment.kind == CurveSegment::Kind::Parabola) {
            d += " Q" + point(plot, segment.control) + " " + point(plot, segment.to);
        } else {
            d += " L" + point(plot, segment.to);
        }
    }
    return d;
}

// Tick labels: under the time axis, left of the speed axis.
void ticks(std::string& out, const PlotModel& plot)
{
    for (const PlotTick& tick : plot.timeAxis.ticks) {
        const double x = plot.x(tick.value);
        element(out, "line", line(x, plot.top, x, plot.bottom) + "class=\"grid\"");
        element(out, "text", at(x, plot.bottom + 18) + "class=\"tick\" text-anchor=\"middle\"", tick.label);
    }
    for (const PlotTick& tick : plot.speedAxis.ticks) {
        const double y = plot.y(tick.value);
        element(out, "line", line(plot.left, y, plot.right, y) + "class=\"grid\"");
        element(out, "text", at(plot.left - 8, y + 4) + "class=\"tick\" text-anchor=\"end\"", tick.label);
    }
}

void bands(std::string& out, const PlotModel& plot)
{
    out += "<g>\n";
    for (const PlotBand& band : plot.bands) {
        const double x0 = plot.x(band.start);
        const double x1 = plot.x(band.end);
        element(out, "rect", at(x0, plot.top) + "width=\"" + coordinate(x1 - x0) + "\" height=\"" +
                                 coordinate(plot.bottom - plot.top) + "\" " + attribute("fill", phaseColour(band.phase)) +
                                 "fill-opacity=\"0.8\"");
        if (!band.name.empty()) {
            element(out, "text", at((x0 + x1) / 2, plot.top + 18) + "class=\"phase\" text-anchor=\"middle\" " +
                                     attribute("fill", phaseInkOf(band.phase)),
                    band.name);
        }
    }
    out += "</g>\n";
}

void axes(std::string& out, const PlotModel& plot)
{
    element(out, "line", line(plot.left, plot.bottom, plot.right, plot.bottom) + "class=\"axis\"");
    element(out, "line", line(plot.left, plot.top, plot.left, plot.bottom) + "class=\"axis\"");
    element(out, "text", at((plot.left + plot.right) / 2, plot.bottom + 40) + "class=\"label\" text-anchor=\"middle\"",
            plot.timeAxis.title);
    element(out, "text", "x=\"0\" y=\"0\" class=\"label\" text-anchor=\"middle\" transform=\"translate(" +
                             coordinate(plot.left - 72) + "," + coordinate((plot.top + plot.bottom) / 2) +
                             ") rotate(-90)\"",
            plot.speedAxis.title);
}

void figureLabel(std::string& out, const PlotLabel& label)
{
    element(out, "text", at(label.at) + "class=\"figure\" text-anchor=\"" + std::string(anchorName(label.anchor)) + "\"",
            label.text);
}

// The curve with its start, the initial speed's level and the speeds' labels.
void curve(std::string& out, const PlotModel& plot)
{
    figureLabel(out, plot.driveSpeedLabel);
    element(out, "path", attribute("d", curvePath(plot)) + "fill=\"none\" " + attribute("stroke", curveColour) +
                             "stroke-width=\"2.5\" stroke-linejoin=\"round\"");
    element(out, "circle", "cx=\"" + coordinate(plot.x(plot.curve.start.time)) + "\" cy=\"" +
                               coordinate(plot.y(plot.curve.start.speed)) + "\" r=\"3.5\" " +
                               attribute("fill", curveColour));
    const double levelY = plot.y(plot.initialLevel);
    element(out, "line", line(plot.left, levelY, plot.right, levelY) + attribute("stroke", curveColour) +
                             "stroke-width=\"1\" stroke-dasharray=\"2 4\" stroke-opacity=\"0.7\"");
    figureLabel(out, plot.initialSpeedLabel);
}

void decelMark(std::string& out, const PlotModel& plot)
{
    const DecelMark& mark = plot.decelMark;
    const double x = plot.x(mark.point.time);
    element(out, "line", line(x, plot.top - 6, x, plot.bottom) + attribute("stroke", markColour) +
                             "stroke-width=\"1.5\" stroke-dasharray=\"5 4\"");
    element(out, "circle", "cx=\"" + coordinate(x) + "\" cy=\"" + coordinate(plot.y(mark.point.speed)) +
                               "\" r=\"4.5\" " + attribute("fill", markColour));
    element(out, "text", at(mark.label.at) + "class=\"figure\" " + attribute("fill", markColour) +
                             attribute("text-anchor", anchorName(mark.label.anchor)),
            mark.label.text);
}

// The figures under the plot, a row each: swatch, name, time, pulses, detail.
void figureRows(std::string& out, const PlotModel& plot)
{
    const double nameX = plot.left - 38;
    double rowY = plot.bottom + 80;
    for (const FigureRow& row : plot.rows) {
        if (row.phase) {
            element(out, "rect", at(plot.left - 60, rowY - 11) + "width=\"14\" height=\"14\" " +
                                     attribute("fill", phaseColour(*row.phase)) +
                                     attribute("stroke", phaseInkOf(*row.phase)));
            element(out, "text", at(nameX, rowY) + "class=\"phase\" " + attribute("fill", phaseInkOf(*row.phase)),
                    row.name);
        } else {
            element(out, "text", at(nameX, rowY) + "class=\"phase\" fill=\"#111827\"", row.name);
        }
        element(out, "text", at(plot.left + 170, rowY) + "class=\"figure\" text-anchor=\"end\"", row.time);
        element(out, "text", at(plot.left + 300, rowY) + "class=\"figure\" text-anchor=\"end\"", row.pulses);
        element(out, "text", at(plot.left + 320, rowY) + "class=\"figure\"" +
                                 (row.phase ? std::string() : " " + attribute("fill", markColour)),
                row.detail);
        rowY += 22;
    }
}

} // namespace

std::string xmlText(std::string_view text)
{
    constexpr char32_t replacement = io::replacementCharacter;
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        // A malformed sequence becomes U+FFFD, one per byte.
        const io::Utf8Char decoded = io::decodeUtf8(text.substr(i));
        const char32_t c = decoded.code;
        i += decoded.length;
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
            io::appendUtf8(out, allowed ? c : replacement);
        }
    }
    return out;
}

std::string plotSvg(const PlotModel& plot)
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + coordinate(plot.width) + "\" height=\"" +
           coordinate(plot.height) + "\" viewBox=\"0 0 " + coordinate(plot.width) + " " + coordinate(plot.height) +
           "\" font-family=\"" + xmlText(plot.fontFamily) + "\">\n";
    element(out, "title", "", plot.title);
    if (!plot.summary.empty()) {
        element(out, "desc", "", plot.summary);
    }
    out += "<style>.grid{stroke:#e5e7eb;stroke-width:1}.tick{font-size:12px;fill:#374151}"
           ".axis{stroke:#111827;stroke-width:1.5}.label{font-size:13px;fill:#111827}"
           ".figure{font-size:12px;fill:#111827}.phase{font-size:12px;font-weight:bold}</style>\n";
    element(out, "rect", "x=\"0\" y=\"0\" width=\"100%\" height=\"100%\" fill=\"#ffffff\"");
    element(out, "text", at(plot.left - 60, 34) + "font-size=\"18\" font-weight=\"bold\" fill=\"#111827\"",
            plot.title);
    double lineY = 56;
    for (const std::string& summaryLine : plot.summaryLines) {
        element(out, "text", at(plot.left - 60, lineY) + "font-size=\"12\" fill=\"#4b5563\"", summaryLine);
        lineY += 16;
    }
    ticks(out, plot);
    bands(out, plot);
    axes(out, plot);
    curve(out, plot);
    decelMark(out, plot);
    figureRows(out, plot);
    out += "</svg>\n";
    return out;
}

std::optional<std::string> profileSvg(const VelocityProfile& profile, std::string_view summary)
{
    const auto plot = makePlotModel(profile, summary);
    if (!plot) {
        return std::nullopt;
    }
    return plotSvg(*plot);
}

} // namespace veldronix::report

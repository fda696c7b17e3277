#include "report/profile_svg.h"

#include "report/plot_scene.h"
#include "core/number_format.h"
#include "core/utf8.h"

namespace veldronix::report {
namespace {

// A coordinate or size: two decimals at most, without trailing zeros, the same
// text on every platform and in every locale.
std::string number(double value)
{
    std::string text = formatFixed(value, 2);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    return text == "-0" ? "0" : text;
}

// Appends name="value" with a space before it.
void attribute(std::string& out, std::string_view name, std::string_view value)
{
    out += ' ';
    out += name;
    out += "=\"";
    out += xmlText(value);
    out += '"';
}

void attribute(std::string& out, std::string_view name, double value)
{
    attribute(out, name, number(value));
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

void write(std::string& out, const SceneRect& rect)
{
    out += "<rect";
    attribute(out, "x", rect.x);
    attribute(out, "y", rect.y);
    attribute(out, "width", rect.width);
    attribute(out, "height", rect.height);
    attribute(out, "fill", rect.fill);
    if (rect.fillOpacity != 1.0) {
        attribute(out, "fill-opacity", rect.fillOpacity);
    }
    if (rect.stroke) {
        attribute(out, "stroke", *rect.stroke);
    }
    out += "/>\n";
}

void write(std::string& out, const SceneLine& line)
{
    out += "<line";
    attribute(out, "x1", line.from.x);
    attribute(out, "y1", line.from.y);
    attribute(out, "x2", line.to.x);
    attribute(out, "y2", line.to.y);
    attribute(out, "stroke", line.colour);
    attribute(out, "stroke-width", line.width);
    if (!line.dashes.empty()) {
        std::string dashes;
        for (const double dash : line.dashes) {
            dashes += (dashes.empty() ? "" : " ") + number(dash);
        }
        attribute(out, "stroke-dasharray", dashes);
    }
    if (line.opacity != 1.0) {
        attribute(out, "stroke-opacity", line.opacity);
    }
    out += "/>\n";
}

void write(std::string& out, const ScenePolyline& line)
{
    std::string points;
    for (const CanvasPoint& p : line.points) {
        points += (points.empty() ? "" : " ") + number(p.x) + "," + number(p.y);
    }
    out += "<polyline";
    attribute(out, "points", points);
    attribute(out, "fill", "none");
    attribute(out, "stroke", line.colour);
    attribute(out, "stroke-width", line.width);
    attribute(out, "stroke-linejoin", "round");
    out += "/>\n";
}

void write(std::string& out, const SceneDot& dot)
{
    out += "<circle";
    attribute(out, "cx", dot.centre.x);
    attribute(out, "cy", dot.centre.y);
    attribute(out, "r", dot.radius);
    attribute(out, "fill", dot.colour);
    out += "/>\n";
}

void write(std::string& out, const SceneText& text)
{
    out += "<text";
    attribute(out, "x", text.at.x);
    attribute(out, "y", text.at.y);
    attribute(out, "font-size", text.size);
    if (text.bold) {
        attribute(out, "font-weight", "bold");
    }
    attribute(out, "fill", text.colour);
    if (text.anchor != TextAnchor::Start) {
        attribute(out, "text-anchor", anchorName(text.anchor));
    }
    if (text.rotation != 0.0) {
        attribute(out, "transform",
                  "rotate(" + number(text.rotation) + " " + number(text.at.x) + " " + number(text.at.y) + ")");
    }
    out += '>';
    out += xmlText(text.text);
    out += "</text>\n";
}

} // namespace

std::string xmlText(std::string_view text)
{
    constexpr char32_t replacement = replacementCharacter;
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        // A malformed sequence becomes U+FFFD, one per byte.
        const Utf8Char decoded = decodeUtf8(text.substr(i));
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
            appendUtf8(out, allowed ? c : replacement);
        }
    }
    return out;
}

std::string sceneSvg(const PlotScene& scene)
{
    std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\"";
    attribute(out, "width", scene.width);
    attribute(out, "height", scene.height);
    attribute(out, "viewBox", "0 0 " + number(scene.width) + " " + number(scene.height));
    attribute(out, "font-family", scene.fontFamily);
    out += ">\n";
    if (!scene.title.empty()) {
        out += "<title>" + xmlText(scene.title) + "</title>\n";
    }
    if (!scene.description.empty()) {
        out += "<desc>" + xmlText(scene.description) + "</desc>\n";
    }
    write(out, SceneRect{0.0, 0.0, scene.width, scene.height, scene.background, 1.0, std::nullopt});
    for (const SceneItem& item : scene.items) {
        std::visit([&out](const auto& shape) { write(out, shape); }, item);
    }
    out += "</svg>\n";
    return out;
}

std::string plotSvg(const PlotScene& scene)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + sceneSvg(scene);
}

std::string documentSvg(const PlotModel& plot)
{
    return plotSvg(makePlotScene(plot, documentWidth, documentHeight, SceneFrame::Document));
}

std::optional<std::string> profileSvg(const VelocityProfile& profile, std::string_view summary)
{
    const auto plot = makePlotModel(profile, summary);
    if (!plot) {
        return std::nullopt;
    }
    return documentSvg(*plot);
}

} // namespace veldronix::report

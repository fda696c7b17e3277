#include "ui/web/details_json.h"

#include "io/json_writer.h"
#include "report/comparison_texts.h"
#include "report/details_layout.h"
#include "report/details_style.h"
#include "report/details_texts.h"
#include "report/plot_scene.h"
#include "report/profile_svg.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace veldronix::web {
namespace {

namespace t = report::detailsTexts;

// The smallest text of the page, px: its dialog's font (9 pt).
constexpr double pageMinimumTextSize = 12.0;
// The largest side a plot is laid out for, px: a larger area (none is, on a real
// screen) shows the plot enlarged, instead of a curve sampled across millions of px.
constexpr double largestPlotSide = 8192.0;

std::string_view kindName(report::SectionKind kind)
{
    switch (kind) {
    case report::SectionKind::Table:
        return "table";
    case report::SectionKind::Plot:
        return "plot";
    case report::SectionKind::Lines:
        break;
    }
    return "lines";
}

std::string_view actionName(report::SectionAction action)
{
    switch (action) {
    case report::SectionAction::SavePlot:
        return "savePlot";
    case report::SectionAction::ChooseRow:
        return "chooseRow";
    case report::SectionAction::Copy:
        break;
    }
    return "copy";
}

void writeLine(io::JsonWriter& json, const report::DetailsLine& line)
{
    json.beginObject();
    json.member("text", line.text);
    json.key("warning");
    json.boolean(line.warning);
    json.endObject();
}

void writeLines(io::JsonWriter& json, std::string_view name, const std::vector<report::DetailsLine>& lines)
{
    json.key(name);
    json.beginArray();
    for (const report::DetailsLine& line : lines) {
        writeLine(json, line);
    }
    json.endArray();
}

void writeColour(io::JsonWriter& json, std::string_view name, const std::optional<std::string_view>& colour)
{
    json.key(name);
    if (colour) {
        json.string(*colour);
    } else {
        json.null();
    }
}

void writeTable(io::JsonWriter& json, const report::DetailsSection& section)
{
    json.key("columns");
    json.beginArray();
    for (const report::DetailsColumn& column : section.table.columns) {
        json.beginObject();
        json.member("heading", column.heading);
        json.member("align", column.align == report::CellAlign::Right ? "right" : "left");
        json.endObject();
    }
    json.endArray();
    json.key("rows");
    json.beginArray();
    for (std::size_t i = 0; i < section.table.rows.size(); ++i) {
        const report::DetailsRow& row = section.table.rows[i];
        json.beginObject();
        writeLines(json, "cells", row.cells);
        writeColour(json, "background", row.background);
        writeColour(json, "ink", row.ink);
        // The multiplier's selector index of a row that can be chosen.
        if (i < section.rowIndices.size()) {
            json.key("index");
            json.number(section.rowIndices[i], 0);
        }
        json.endObject();
    }
    json.endArray();
}

void writeSection(io::JsonWriter& json, const report::DetailsSection& section, bool plotted)
{
    json.beginObject();
    json.member("heading", section.heading);
    json.member("kind", kindName(section.kind));
    // Whether the plot section has a plot to draw (otherwise its lines say why not).
    json.key("plotted");
    json.boolean(section.kind == report::SectionKind::Plot && plotted);
    writeTable(json, section);
    writeLines(json, "lines", section.lines);
    json.key("actions");
    json.beginArray();
    for (const report::SectionAction action : section.actions) {
        json.string(actionName(action));
    }
    json.endArray();
    json.endObject();
}

// The formats the copy button offers, the plain lines first (the default).
void writeCopyFormats(io::JsonWriter& json, const report::Details& details)
{
    json.key("copyFormats");
    json.beginArray();
    for (const report::CopyFormat& format : details.copyFormats) {
        json.beginObject();
        json.member("label", format.label);
        json.member("text", format.text);
        json.endObject();
    }
    json.endArray();
}

void writeFile(io::JsonWriter& json, std::string_view name, report::PlotFileFormat format, std::string_view label)
{
    const std::string file = report::defaultPlotFileName(format);
    json.key(name);
    json.beginObject();
    json.member("label", label);
    json.member("name", file);
    json.member("note", report::detailsSaveNote(file, std::nullopt));
    json.endObject();
}

void writeStale(io::JsonWriter& json, const std::vector<StaleResult>& stale)
{
    json.key("stale");
    json.beginArray();
    for (const StaleResult& result : stale) {
        json.beginObject();
        json.key("control");
        json.number(toInt(result.control), 0);
        json.member("note", result.note);
        json.endObject();
    }
    json.endArray();
}

std::string svgOf(const report::Details& details, double width, double height, report::SceneFrame frame)
{
    if (!details.plot || !(width > 0.0) || !(height > 0.0) || !std::isfinite(width) || !std::isfinite(height)) {
        return {};
    }
    return report::sceneSvg(report::makePlotScene(*details.plot, width, height, frame));
}

} // namespace

std::string detailsJson(const report::Details& details, const std::vector<StaleResult>& stale)
{
    const report::DetailsLayout layout = report::detailsLayout(details);
    io::JsonWriter json;
    json.beginObject();
    json.member("caption", t::windowCaption);
    json.member("heading", layout.heading);
    writeLines(json, "status", layout.status);
    json.member("copyButton", t::copyButton);
    json.member("copied", t::copied);
    json.member("saveButton", t::saveButton);
    json.member("chooseButton", report::japaneseComparisonTexts.chooseButton);
    writeCopyFormats(json, details);
    json.key("files");
    json.beginObject();
    writeFile(json, "svg", report::PlotFileFormat::Svg, t::saveFilterSvg);
    writeFile(json, "png", report::PlotFileFormat::Png, t::saveFilterPng);
    json.endObject();
    json.key("pngScale");
    json.number(report::plotPngScale, 0);
    json.key("sections");
    json.beginArray();
    for (const report::DetailsSection& section : layout.sections) {
        writeSection(json, section, details.plot.has_value());
    }
    json.endArray();
    writeStale(json, stale);
    json.endObject();
    return json.text();
}

std::string plotSvg(const report::Details& details, double width, double height)
{
    // The scene's smallest text is minimumTextSize; the page shows no text under
    // its dialog's 12 px. So the plot is laid out for an area that much smaller
    // and drawn enlarged to fill the real one: every text at 12 px or more.
    const auto shrink = [](double size) {
        return std::min(size, largestPlotSide) * report::minimumTextSize / pageMinimumTextSize;
    };
    return svgOf(details, shrink(width), shrink(height), report::SceneFrame::PlotOnly);
}

std::string documentSvg(const report::Details& details)
{
    // The file every front end saves: the report's document of the plot.
    return report::detailsPlotSvg(details).value_or(std::string{});
}

} // namespace veldronix::web

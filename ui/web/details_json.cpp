#include "ui/web/details_json.h"

#include "io/json_writer.h"
#include "report/details_layout.h"
#include "report/dialog_keys.h"
#include "report/details_style.h"
#include "report/texts_ja.h"
#include "report/plot_file.h"
#include "report/plot_scene.h"
#include "report/profile_svg.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace veldronix::web {
namespace {

namespace t = report::texts::ja;

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
    case report::SectionAction::Command:
        return "command";
    case report::SectionAction::SaveMachine:
        return "saveMachine";
    case report::SectionAction::OpenMachine:
        return "openMachine";
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
        json.key("keepWhole");
        json.boolean(column.keepWhole);
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
        // A row that can be chosen: its multiplier's selector index, and what choosing it asks of the dialog.
        if (i < section.rowIndices.size()) {
            json.key("index");
            json.number(section.rowIndices[i], 0);
            json.key("requests");
            writeRequests(json, report::chooseRowRequests(section, static_cast<int>(i)));
        }
        json.endObject();
    }
    json.endArray();
}

void writeButton(io::JsonWriter& json, const report::SectionButton& button)
{
    json.beginObject();
    json.member("action", actionName(button.action));
    json.member("label", button.label);
    json.key("enabled");
    json.boolean(button.enabled);
    json.key("needsSelectedRow");
    json.boolean(button.needsSelectedRow);
    json.member("command", button.command);
    json.key("menu");
    json.beginArray();
    for (const report::ButtonChoice& choice : button.menu) {
        json.beginObject();
        json.member("label", choice.label);
        json.member("text", choice.text);
        json.endObject();
    }
    json.endArray();
    json.member("menuLabel", button.menuLabel);
    json.endObject();
}

void writeForm(io::JsonWriter& json, const std::optional<report::DetailsForm>& form)
{
    json.key("form");
    if (!form) {
        json.null();
        return;
    }
    json.beginObject();
    json.member("name", form->name);
    json.key("choices");
    json.beginArray();
    for (const report::FormChoice& choice : form->choices) {
        json.beginObject();
        json.member("key", choice.key);
        json.member("label", choice.label);
        json.key("items");
        json.beginArray();
        for (const std::string& item : choice.items) {
            json.string(item);
        }
        json.endArray();
        json.key("selected");
        json.number(choice.selected, 0);
        json.endObject();
    }
    json.endArray();
    json.key("fields");
    json.beginArray();
    for (const report::FormField& field : form->fields) {
        json.beginObject();
        json.member("key", field.key);
        json.member("label", field.label);
        json.member("unit", field.unit);
        json.member("text", field.text);
        json.key("used");
        json.boolean(field.used);
        json.member("finding", field.finding);
        json.key("findingWarning");
        json.boolean(field.findingWarning);
        json.member("enterCommand", field.enterCommand);
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

void writeSection(io::JsonWriter& json, const report::DetailsSection& section)
{
    json.beginObject();
    json.member("heading", section.heading);
    json.member("kind", kindName(section.kind));
    // Whether the plot section has a plot to draw (otherwise its lines say why not).
    json.key("plotted");
    json.boolean(section.plotted);
    writeForm(json, section.form);
    writeTable(json, section);
    writeLines(json, "lines", section.lines);
    json.key("buttons");
    json.beginArray();
    for (const report::SectionButton& button : section.buttons) {
        writeButton(json, button);
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

void writeFiles(io::JsonWriter& json)
{
    json.key("files");
    json.beginArray();
    for (const report::PlotFileType& type : report::plotFileTypes()) {
        const std::string file = report::defaultPlotFileName(type.format);
        json.beginObject();
        json.member("label", type.label);
        json.member("format", type.format == report::PlotFileFormat::Png ? "png" : "svg");
        json.member("name", file);
        json.member("note", report::detailsSaveNote(file, std::nullopt));
        json.endObject();
    }
    json.endArray();
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

// Requests as the page plays them back: [{"op":"write","control":1001,"text":"..."}, {"op":"select",
// "control":1017,"index":3}, {"op":"press","control":1016}].
void writeRequests(io::JsonWriter& json, const std::vector<DialogRequest>& requests)
{
    json.beginArray();
    for (const DialogRequest& request : requests) {
        switch (request.kind) {
        case DialogRequest::Kind::WriteText:
            writeDialogOperation(json, "write", request.control, request.text, std::nullopt);
            break;
        case DialogRequest::Kind::Select:
            writeDialogOperation(json, "select", request.control, std::nullopt, request.index);
            break;
        case DialogRequest::Kind::Press:
            writeDialogOperation(json, "press", request.control, std::nullopt, std::nullopt);
            break;
        }
    }
    json.endArray();
}

void writeDialogOperation(io::JsonWriter& json, std::string_view op, std::optional<ControlId> control,
                          std::optional<std::string_view> text, std::optional<int> index)
{
    json.beginObject();
    json.member("op", op);
    if (control) {
        json.key("control");
        json.number(toInt(*control), 0);
    }
    if (text) {
        json.member("text", *text);
    }
    if (index) {
        json.key("index");
        json.number(*index, 0);
    }
    json.endObject();
}

std::string detailsJson(const report::DetailsLayout& layout, const report::Details& details,
                        const std::vector<StaleResult>& stale)
{
    io::JsonWriter json;
    json.beginObject();
    json.member("caption", t::windowCaption);
    json.member("heading", layout.heading);
    writeLines(json, "status", layout.status);
    json.member("copied", t::copied);
    writeCopyFormats(json, details);
    writeFiles(json);
    json.key("pngScale");
    json.number(report::plotPngScale, 0);
    json.key("sections");
    json.beginArray();
    for (const report::DetailsSection& section : layout.sections) {
        writeSection(json, section);
    }
    json.endArray();
    writeStale(json, stale);
    json.endObject();
    return json.text();
}

std::string requestsJson(const std::vector<DialogRequest>& requests)
{
    io::JsonWriter json;
    writeRequests(json, requests);
    return json.text();
}

std::string enterKeysJson()
{
    io::JsonWriter json;
    json.beginArray();
    for (const report::EnterKey& key : report::dialogEnterKeys) {
        json.beginObject();
        json.key("field");
        json.number(toInt(key.field), 0);
        json.key("button");
        json.number(toInt(key.button), 0);
        json.endObject();
    }
    json.endArray();
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

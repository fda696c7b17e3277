#include "ui/web/details_json.h"

#include "io/json_writer.h"
#include "report/details_texts.h"

namespace veldronix::web {
namespace {

namespace t = report::detailsTexts;

std::string_view plotStateName(report::DetailsPlotState state)
{
    switch (state) {
    case report::DetailsPlotState::NotCalculated:
        return "not-calculated";
    case report::DetailsPlotState::NoPulseCount:
        return "no-pulse-count";
    case report::DetailsPlotState::NoMotion:
        return "no-motion";
    case report::DetailsPlotState::Plotted:
        break;
    }
    return "plotted";
}

void textArray(io::JsonWriter& json, std::string_view name, std::initializer_list<std::string_view> texts)
{
    json.key(name);
    json.beginArray();
    for (const std::string_view text : texts) {
        json.string(text);
    }
    json.endArray();
}

void writeRegisters(io::JsonWriter& json, const report::Details& details)
{
    json.member("registersHeading", details.registersHeading);
    textArray(json, "registerColumns", {t::columnRegister, t::columnInteger, t::columnSettingValue});
    json.key("registers");
    json.beginArray();
    for (const report::DetailsRegister& line : details.registers) {
        json.beginObject();
        json.member("name", line.name);
        json.member("integer", line.integer);
        json.member("settingValue", line.settingValue);
        json.key("marked");
        json.boolean(line.hasFinding);
        json.endObject();
    }
    json.endArray();
    json.member("clipboardText", details.clipboardText);
}

void writeRealDrive(io::JsonWriter& json, const report::Details& details)
{
    json.member("realDriveHeading", details.realDriveHeading);
    textArray(json, "realDriveColumns", {t::columnQuantity, t::columnRequested, t::columnReal, t::columnDeviation});
    json.key("realDrive");
    json.beginArray();
    for (const report::DetailsQuantity& quantity : details.realDrive) {
        json.beginObject();
        json.member("label", quantity.label);
        json.member("requested", quantity.requested);
        json.member("real", quantity.real);
        json.member("deviation", quantity.deviation);
        json.key("marked");
        json.boolean(quantity.marked);
        json.endObject();
    }
    json.endArray();
    json.member("findingsHeading", details.findingsHeading);
    json.member("findingMark", t::findingMark);
    json.key("findings");
    json.beginArray();
    for (const report::DetailsFinding& finding : details.findings) {
        json.string(finding.text);
    }
    json.endArray();
    json.member("findingsNote", details.findingsNote);
}

} // namespace

std::string detailsJson(const report::Details& details)
{
    io::JsonWriter json;
    json.beginObject();
    json.member("caption", t::windowCaption);
    json.key("calculated");
    json.boolean(details.calculated);
    json.member("heading", details.heading);
    json.member("copyButton", t::copyButton);
    json.member("copied", t::copied);
    json.member("saveButton", t::saveButton);
    writeRegisters(json, details);
    writeRealDrive(json, details);
    json.member("plotHeading", details.plotHeading);
    json.member("plotState", plotStateName(details.plotState));
    json.member("plotNote", details.plotNote);
    json.key("svg");
    if (const auto svg = report::detailsPlotSvg(details)) {
        json.string(*svg);
    } else {
        json.null();
    }
    json.endObject();
    return json.text();
}

} // namespace veldronix::web

#include "cli/outcome_output.h"

#include "cli/cli_texts.h"
#include "io/json_writer.h"
#include "report/profile_report.h"
#include "report/rounded_report.h"

#include <array>
#include <utility>

namespace veldronix::cli {
namespace {

// The eight value fields with their dialog labels, in the dialog's reading order.
std::array<std::pair<std::string_view, const std::string*>, 8> valueFields(const DriveOutcome& outcome)
{
    return {{{"R", &outcome.fields.r},
             {"A", &outcome.fields.a},
             {"SV", &outcome.fields.sv},
             {"V", &outcome.fields.v},
             {"K", &outcome.fields.k},
             {"AO", &outcome.fields.ao},
             {"D", &outcome.fields.d},
             {"L", &outcome.fields.l}}};
}

} // namespace

std::string plainOutput(const DriveOutcome& outcome)
{
    std::string out;
    if (!outcome.fields.summary.empty()) {
        out += outcome.fields.summary;
        out += "\n\n";
    }
    for (const auto& [label, text] : valueFields(outcome)) {
        out += label;
        out.append(4 - label.size(), ' ');
        out += *text;
        out += '\n';
    }
    out += texts::labelMultiplier;
    out += "  ";
    out += outcome.multiplier;
    out += '\n';
    out += texts::labelDecelPoint;
    out += "  ";
    out += outcome.decelPoint;
    out += '\n';
    if (outcome.profile) {
        out += '\n';
        out += report::profilePlain(*outcome.profile);
    }
    return out;
}

std::string jsonOutput(const DriveOutcome& outcome, bool withRounded)
{
    io::JsonWriter json;
    json.beginObject();
    json.member("summary", outcome.fields.summary);
    for (const auto& [label, text] : valueFields(outcome)) {
        json.member(label, *text);
    }
    json.member("multiplier", outcome.multiplier);
    json.member("decelPoint", outcome.decelPoint);
    json.key("errors");
    json.beginArray();
    for (const auto& message : outcome.errors) {
        json.string(message);
    }
    json.endArray();
    if (outcome.profile) {
        json.key("profile");
        report::writeProfileJson(json, *outcome.profile);
    }
    if (withRounded) {
        json.key("rounded");
        report::writeRoundedJson(json, outcome.calculation, outcome.pulseCount);
    }
    json.endObject();
    return json.text() + '\n';
}

} // namespace veldronix::cli

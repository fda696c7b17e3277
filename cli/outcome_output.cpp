#include "cli/outcome_output.h"

#include "cli/cli_texts.h"
#include "cli/json_writer.h"

#include <array>
#include <utility>

namespace veldronix::cli {
namespace {

// The eight value fields with their dialog labels, in the dialog's reading order.
std::array<std::pair<std::string_view, const std::string*>, 8> valueFields(const DriveOutcome& outcome)
{
    return {{{"R", &outcome.r},
             {"A", &outcome.a},
             {"SV", &outcome.sv},
             {"V", &outcome.v},
             {"K", &outcome.k},
             {"AO", &outcome.ao},
             {"D", &outcome.d},
             {"L", &outcome.l}}};
}

} // namespace

std::string plainOutput(const DriveOutcome& outcome)
{
    std::string out;
    if (!outcome.summary.empty()) {
        out += outcome.summary;
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
    return out;
}

std::string jsonOutput(const DriveOutcome& outcome)
{
    std::string out = "{\"summary\":" + jsonString(outcome.summary);
    for (const auto& [label, text] : valueFields(outcome)) {
        out += ",\"";
        out += label;
        out += "\":";
        out += jsonString(*text);
    }
    out += ",\"multiplier\":" + jsonString(outcome.multiplier);
    out += ",\"decelPoint\":" + jsonString(outcome.decelPoint);
    out += ",\"errors\":[";
    for (std::size_t i = 0; i < outcome.errors.size(); ++i) {
        out += i == 0 ? "" : ",";
        out += jsonString(outcome.errors[i]);
    }
    out += "]}\n";
    return out;
}

} // namespace veldronix::cli

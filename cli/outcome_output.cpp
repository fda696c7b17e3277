#include "cli/outcome_output.h"

#include "cli/texts_en.h"
#include "cli/message_meaning.h"
#include "io/json_writer.h"
#include "report/comparison_report.h"
#include "report/details.h"
#include "report/profile_report.h"
#include "report/rounded_report.h"


namespace veldronix::cli {
std::string plainOutput(const DriveOutcome& outcome)
{
    std::string out;
    if (!outcome.fields.summary.empty()) {
        out += outcome.fields.summary;
        out += "\n\n";
    }
    for (const RegisterDescription& entry : settingRegisters) {
        out += entry.name;
        out.append(4 - entry.name.size(), ' ');
        out += outcome.fields.registers[entry.id];
        out += '\n';
    }
    out += texts::en::labelMultiplier;
    out += "  ";
    out += outcome.multiplier;
    out += '\n';
    out += texts::en::labelDecelPoint;
    out += "  ";
    out += outcome.decelPoint;
    out += '\n';
    if (outcome.profile) {
        out += '\n';
        out += report::profilePlain(*outcome.profile);
    }
    return out;
}

std::string jsonOutput(const DriveOutcome& outcome, bool withRounded, bool withComparison,
                       const std::function<void(io::JsonWriter&)>& extraMembers,
                       const AxisMechanics* comparisonMechanics)
{
    io::JsonWriter json;
    json.beginObject();
    json.member("summary", outcome.fields.summary);
    for (const RegisterDescription& entry : settingRegisters) {
        json.member(entry.name, outcome.fields.registers[entry.id]);
    }
    json.member("multiplier", outcome.multiplier);
    json.member("decelPoint", outcome.decelPoint);
    json.key("errors");
    json.beginArray();
    for (const auto& message : outcome.errors) {
        json.string(message);
    }
    json.endArray();
    // Beside errors, which keeps its shape: the step that showed each message.
    json.key("errorSteps");
    json.beginArray();
    for (const CommandStep step : outcome.errorSteps) {
        json.string(jsonStepName(step));
    }
    json.endArray();
    json.key("inputFindings");
    report::writeInputFindingsJson(json, outcome.inputFindings);
    if (outcome.profile) {
        json.key("profile");
        report::writeProfileJson(json, *outcome.profile);
    }
    if (withRounded) {
        json.key("rounded");
        report::writeRoundedJson(json, outcome.calculation, outcome.pulseCount);
    }
    if (withComparison) {
        json.key("comparison");
        report::writeComparisonJson(json, outcome.calculation, outcome.inputFindings, comparisonMechanics);
    }
    if (extraMembers) {
        extraMembers(json);
    }
    json.endObject();
    return json.text() + '\n';
}

std::optional<std::string> registersCode(const DriveOutcome& outcome, report::CopyFormatKind kind)
{
    if (!outcome.calculation) {
        return std::nullopt;
    }
    const report::Details details = report::makeDetails(outcome.calculation, std::nullopt);
    for (const report::CopyFormat& format : details.copyFormats) {
        if (format.kind == kind) {
            return format.text;
        }
    }
    return std::nullopt;
}

} // namespace veldronix::cli

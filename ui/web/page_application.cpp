#include "ui/web/page_application.h"

#include "core/texts_ja.h"
#include "io/json_writer.h"
#include "core/setting_register.h"
#include "report/axis_form.h"
#include "report/command_status.h"
#include "report/details.h"
#include "report/input_findings.h"
#include "report/machine_file_message.h"
#include "report/move_design_form.h"
#include "report/texts_ja.h"
#include "report/units_form.h"
#include "ui/web/details_json.h"

#include <fmt/format.h>

#include <algorithm>
#include <memory>
#include <span>
#include <utility>
#include <variant>

namespace veldronix::web {
namespace {

std::string textArray(std::span<const std::string_view> items)
{
    io::JsonWriter json;
    json.beginArray();
    for (const std::string_view item : items) {
        json.string(item);
    }
    json.endArray();
    return json.text();
}

std::string outcomeJson(const report::MachineFileOutcome& outcome)
{
    io::JsonWriter json;
    json.beginObject();
    json.member("note", outcome.note);
    json.key("failed");
    json.boolean(outcome.failed);
    json.key("requests");
    writeRequests(json, outcome.requests);
    json.endObject();
    return json.text();
}

} // namespace

PageApplication::PageApplication()
{
    view_.setSelection(ControlId::IDC_DRIVE_TYPE, 0);
    view_.setSelection(ControlId::IDC_MULTIPLIER, -1);
    controller_.reset();
    forms_.add(std::make_unique<report::AxisForm>(machine_, view_, controller_));
    forms_.add(std::make_unique<report::UnitsForm>(machine_));
    forms_.add(std::make_unique<report::MoveDesignForm>(machine_));
}

std::string PageApplication::machineFile()
{
    machine_.capture(report::readDialogState(view_), controller_.lastCalculation());
    const std::string name = report::suggestedMachineFileName(machine_);
    io::JsonWriter json;
    json.beginObject();
    const std::variant<std::string, io::MachineFileError> file = machine_.fileText();
    if (const auto* error = std::get_if<io::MachineFileError>(&file)) {
        json.member("note", report::machineFileMessage(name, *error));
        json.key("failed");
        json.boolean(true);
    } else {
        json.member("name", name);
        json.member("text", std::get<std::string>(file));
    }
    json.endObject();
    return json.text();
}

std::string PageApplication::machineSaved(std::string_view name)
{
    machine_.savedAs(name);
    return outcomeJson({fmt::format(report::texts::ja::machineSaved, machine_.fileName()), false, {}});
}

bool PageApplication::addMachineBytes(std::string_view bytes)
{
    // One byte beyond the limit is enough for the reader to call the file too large.
    const std::size_t kept = io::machineFileSizeLimit + 1;
    machineText_.append(bytes.substr(0, kept - std::min(kept, machineText_.size())));
    return machineText_.size() < kept;
}

std::string PageApplication::openMachine(std::string_view name, bool readable)
{
    const std::string text = std::exchange(machineText_, std::string());
    if (!readable) {
        io::MachineFileError error{};
        error.problem = io::MachineFileProblem::CannotRead;
        return outcomeJson({report::machineFileMessage(report::MachineSession::baseName(name), error), true, {}});
    }
    return outcomeJson(report::openMachineText(machine_, name, text));
}

std::string PageApplication::machineTitle(std::string_view title) const
{
    return report::machineWindowTitle(title, machine_.fileName());
}

std::string PageApplication::press(ControlId button)
{
    switch (button) {
    case ControlId::IDC_CALCULATE:
        controller_.onCalculate();
        break;
    case ControlId::IDC_RECALCULATE:
        controller_.onRecalculate();
        break;
    case ControlId::IDC_COMPUTE_DECEL_POINT:
        controller_.onComputeDecelPoint();
        break;
    default:
        break;
    }
    return operationsJson(view_.takeOperations());
}

std::string PageApplication::selectorItems(ControlId selector)
{
    if (selector == ControlId::IDC_DRIVE_TYPE) {
        return textArray(texts::ja::driveTypeItems);
    }
    if (selector == ControlId::IDC_MULTIPLIER) {
        return textArray(texts::ja::multiplierItems);
    }
    return "[]";
}

std::string PageApplication::details()
{
    // 出力パルス数 as 算出 reads it; an empty field is 0, which gives no plot.
    const double pulses = controller_.readPulseCount();
    details_ = report::makeDetails(controller_, pulses, machine_.mechanics());
    return detailsJson(forms_.layout(details_), details_, staleResults());
}

std::string PageApplication::fieldFindings() const
{
    io::JsonWriter json;
    json.beginArray();
    for (const report::FieldFinding& finding : report::fieldFindings(controller_, report::texts::ja::inputFindings)) {
        json.beginObject();
        json.key("control");
        json.number(toInt(finding.control), 0);
        json.member("note", finding.note);
        json.endObject();
    }
    json.endArray();
    return json.text();
}

std::string PageApplication::resultFieldText(ControlId field, std::string_view text, double room, double fontSize,
                                             const report::TextWidth& width)
{
    io::JsonWriter json;
    if (!report::showsOneFigure(field)) {
        json.null();
        return json.text();
    }
    const report::ResultFieldText fitted = report::resultFieldText(text, room, fontSize, width);
    json.beginObject();
    json.member("shown", fitted.shown);
    json.key("scale");
    json.number(fitted.scale);
    json.key("cut");
    json.boolean(fitted.cut);
    json.endObject();
    return json.text();
}

std::string PageApplication::enterKeys()
{
    return enterKeysJson();
}

std::string PageApplication::formCommand(std::string_view form, std::string_view command)
{
    return requestsJson(forms_.command(form, command, formView_));
}

std::vector<StaleResult> PageApplication::staleResults() const
{
    const ResultFreshness freshness = controller_.resultFreshness();
    std::vector<StaleResult> stale;
    for (const ControlId result : resultFields) {
        std::string note = report::staleFieldNote(result, freshness, report::texts::ja::commandStatus);
        if (!note.empty()) {
            stale.push_back({result, std::move(note)});
        }
    }
    return stale;
}

std::string PageApplication::plotSvg(double width, double height) const
{
    return web::plotSvg(details_, width, height);
}

std::string PageApplication::documentSvg() const
{
    return web::documentSvg(details_);
}

std::string operationsJson(const std::vector<ViewOperation>& operations)
{
    io::JsonWriter json;
    json.beginArray();
    for (const ViewOperation& operation : operations) {
        switch (operation.kind) {
        case ViewOperation::Kind::WriteText:
            writeDialogOperation(json, "write", operation.control, operation.text, std::nullopt);
            break;
        case ViewOperation::Kind::SelectIndex:
            writeDialogOperation(json, "select", operation.control, std::nullopt, operation.index);
            break;
        case ViewOperation::Kind::ShowError:
            writeDialogOperation(json, "message", std::nullopt, operation.text, std::nullopt);
            break;
        }
    }
    json.endArray();
    return json.text();
}

} // namespace veldronix::web

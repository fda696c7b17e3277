#include "cli/drive_request.h"

#include "cli/message_meaning.h"

#include <utility>

namespace veldronix::cli {

bool DriveSession::enterStep(FieldStep step, const DriveRequest& request)
{
    bool given = false;
    for (const InputFieldDescription& field : inputFields) {
        if (field.step != step) {
            continue;
        }
        const std::optional<std::string>& text = request.texts[field.id];
        const std::optional<int>& item = request.items[field.id];
        given = given || (field.kind == FieldKind::Number ? text.has_value() : item.has_value());
        if (field.kind == FieldKind::Number && (text || step == FieldStep::Calculate)) {
            view_.typeText(field.control, text ? std::string_view(*text) : std::string_view());
        } else if (field.kind == FieldKind::Selector && (item || step == FieldStep::Calculate)) {
            view_.setSelectedIndex(field.control, item.value_or(0));
        }
    }
    return given;
}

void DriveSession::runStep(CommandStep step)
{
    switch (step) {
    case CommandStep::Calculate:
        controller_.onCalculate();
        break;
    case CommandStep::Recalculate:
        controller_.onRecalculate();
        break;
    case CommandStep::DecelPoint:
        controller_.onComputeDecelPoint();
        break;
    }
    if (view_.errors().size() > errorSteps_.size()) {
        // A command shows at most one message, and keeps its failure for it.
        errorSteps_.resize(view_.errors().size(), step);
        failures_.resize(view_.errors().size(), controller_.lastFailure().value_or(CommandFailure{}));
    }
}

const FieldView& DriveSession::run(const DriveRequest& request)
{
    view_.clear();
    controller_.reset();
    errorSteps_.clear();
    failures_.clear();

    // Calculate runs whatever is given; each later step only with its fields.
    for (const auto& [fields, command] : {std::pair{FieldStep::Calculate, CommandStep::Calculate},
                                          std::pair{FieldStep::Recalculate, CommandStep::Recalculate},
                                          std::pair{FieldStep::DecelPoint, CommandStep::DecelPoint}}) {
        if (enterStep(fields, request) || fields == FieldStep::Calculate) {
            runStep(command);
        }
    }
    return view_;
}

DriveOutcome runDrive(const DriveRequest& request)
{
    DriveSession session;
    const FieldView& view = session.run(request);

    DriveOutcome outcome;
    outcome.calculation = session.calculation();
    if (request.texts[InputField::PulseCount]) {
        outcome.pulseCount = session.pulseCount();
    }
    if (request.profile && outcome.pulseCount && outcome.calculation) {
        const DriveInput& input = outcome.calculation->input;
        outcome.profile = computeVelocityProfile(input.initialSpeed, input.driveSpeed, input.accelTime, input.decelTime,
                                                 input.driveType, *outcome.pulseCount);
    }
    outcome.fields.summary = view.text(ControlId::IDC_SUMMARY);
    for (const RegisterDescription& entry : settingRegisters) {
        outcome.fields.registers[entry.id] = view.text(entry.field);
    }
    outcome.multiplier = view.selectorText(ControlId::IDC_MULTIPLIER);
    outcome.decelPoint = view.text(ControlId::IDC_DECEL_POINT);
    outcome.errors = view.errors();
    outcome.errorSteps = session.errorSteps();
    if (const auto& reading = session.controller().lastReading()) {
        outcome.inputFindings = report::findInputProblems(*reading);
    }
    outcome.failures = session.failures();
    for (const CommandFailure& failure : outcome.failures) {
        outcome.errorMeanings.push_back(messageMeaning(failure));
    }
    return outcome;
}

} // namespace veldronix::cli

#include "cli/drive_request.h"

#include "cli/message_meaning.h"

namespace veldronix::cli {

const FieldView& DriveSession::run(const DriveRequest& request)
{
    DriveFields fields;
    fields.driveType = request.driveType;
    fields.initialSpeed = request.initialSpeed;
    fields.driveSpeed = request.driveSpeed;
    fields.accelTime = request.accelTime;
    fields.decelTime = request.decelTime;
    fields.multiplierIndex = request.multiplierIndex;
    if (request.pulses) {
        fields.pulses = *request.pulses;
    }
    return run(fields);
}

template <typename Run>
void DriveSession::runStep(CommandStep step, Run command)
{
    command();
    if (view_.errors().size() > errorSteps_.size()) {
        // A command shows at most one message, and keeps its failure for it.
        errorSteps_.resize(view_.errors().size(), step);
        failures_.resize(view_.errors().size(), controller_.lastFailure().value_or(CommandFailure{}));
    }
}

const FieldView& DriveSession::run(const DriveFields& request)
{
    view_.clear();
    controller_.reset();
    errorSteps_.clear();
    failures_.clear();

    view_.setSelectedIndex(ControlId::IDC_DRIVE_TYPE, request.driveType);
    view_.typeText(ControlId::IDC_INITIAL_SPEED, request.initialSpeed);
    view_.typeText(ControlId::IDC_DRIVE_SPEED, request.driveSpeed);
    view_.typeText(ControlId::IDC_ACCEL_TIME, request.accelTime);
    view_.typeText(ControlId::IDC_DECEL_TIME, request.decelTime);
    runStep(CommandStep::Calculate, [this] { controller_.onCalculate(); });
    if (request.multiplierIndex) {
        view_.setSelectedIndex(ControlId::IDC_MULTIPLIER, *request.multiplierIndex);
        runStep(CommandStep::Recalculate, [this] { controller_.onRecalculate(); });
    }
    if (request.pulses) {
        view_.typeText(ControlId::IDC_PULSE_COUNT, *request.pulses);
        runStep(CommandStep::DecelPoint, [this] { controller_.onComputeDecelPoint(); });
    }
    return view_;
}

DriveOutcome runDrive(const DriveRequest& request)
{
    DriveSession session;
    const FieldView& view = session.run(request);

    DriveOutcome outcome;
    outcome.calculation = session.calculation();
    if (request.pulses) {
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

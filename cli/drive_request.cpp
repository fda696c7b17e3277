#include "cli/drive_request.h"

#include "core/field_text.h"
#include "core/number_parser.h"
#include "core/speed_multiplier.h"

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

const FieldView& DriveSession::run(const DriveFields& request)
{
    view_.clear();
    controller_.reset();

    view_.setSelectedIndex(ControlId::IDC_DRIVE_TYPE, request.driveType);
    view_.typeText(ControlId::IDC_INITIAL_SPEED, request.initialSpeed);
    view_.typeText(ControlId::IDC_DRIVE_SPEED, request.driveSpeed);
    view_.typeText(ControlId::IDC_ACCEL_TIME, request.accelTime);
    view_.typeText(ControlId::IDC_DECEL_TIME, request.decelTime);
    controller_.onCalculate();
    // Only a successful Calculate chooses a multiplier.
    calculated_ = controller_.autoMultiplierIndex() >= 0;
    // A command that shows a message writes no value field, so the fields keep
    // the values of the last command that succeeded.
    shownMultiplier_ = multiplierAt(controller_.autoMultiplierIndex());

    if (request.multiplierIndex) {
        view_.setSelectedIndex(ControlId::IDC_MULTIPLIER, *request.multiplierIndex);
        const std::size_t errorsBefore = view_.errors().size();
        controller_.onRecalculate();
        if (view_.errors().size() == errorsBefore) {
            shownMultiplier_ = multiplierAt(*request.multiplierIndex);
        }
    }
    if (request.pulses) {
        view_.typeText(ControlId::IDC_PULSE_COUNT, *request.pulses);
        controller_.onComputeDecelPoint();
    }
    return view_;
}

DriveOutcome runDrive(const DriveRequest& request)
{
    DriveSession session;
    const FieldView& view = session.run(request);

    DriveOutcome outcome;
    if (request.profile && request.pulses && session.calculated()) {
        // The numbers as the commands read them: the fields' texts cut to their size, parsed alike.
        const auto number = [&view](ControlId field) { return parseNumber(fieldTextPrefix(view.text(field))); };
        outcome.profile = computeVelocityProfile(number(ControlId::IDC_INITIAL_SPEED), number(ControlId::IDC_DRIVE_SPEED),
                                                 number(ControlId::IDC_ACCEL_TIME), number(ControlId::IDC_DECEL_TIME),
                                                 static_cast<DriveType>(request.driveType),
                                                 number(ControlId::IDC_PULSE_COUNT));
    }
    outcome.fields.summary = view.text(ControlId::IDC_SUMMARY);
    outcome.fields.r = view.text(ControlId::IDC_OUT_R);
    outcome.fields.a = view.text(ControlId::IDC_OUT_A);
    outcome.fields.sv = view.text(ControlId::IDC_OUT_SV);
    outcome.fields.v = view.text(ControlId::IDC_OUT_V);
    outcome.fields.k = view.text(ControlId::IDC_OUT_K);
    outcome.fields.ao = view.text(ControlId::IDC_OUT_AO);
    outcome.fields.d = view.text(ControlId::IDC_OUT_D);
    outcome.fields.l = view.text(ControlId::IDC_OUT_L);
    outcome.multiplier = view.selectorText(ControlId::IDC_MULTIPLIER);
    outcome.decelPoint = view.text(ControlId::IDC_DECEL_POINT);
    outcome.errors = view.errors();
    outcome.shownMultiplier = session.shownMultiplier();
    return outcome;
}

DriveInput fieldInput(const DriveRequest& request)
{
    // Through a view, so that the selector's range and the field size apply as they do for the controller.
    FieldView view;
    view.setSelectedIndex(ControlId::IDC_DRIVE_TYPE, request.driveType);
    view.typeText(ControlId::IDC_INITIAL_SPEED, request.initialSpeed);
    view.typeText(ControlId::IDC_DRIVE_SPEED, request.driveSpeed);
    view.typeText(ControlId::IDC_ACCEL_TIME, request.accelTime);
    view.typeText(ControlId::IDC_DECEL_TIME, request.decelTime);
    DriveInput input;
    input.driveType = static_cast<DriveType>(view.selectedIndex(ControlId::IDC_DRIVE_TYPE));
    input.initialSpeed = parseNumber(view.readText(ControlId::IDC_INITIAL_SPEED));
    input.driveSpeed = parseNumber(view.readText(ControlId::IDC_DRIVE_SPEED));
    input.accelTime = parseNumber(view.readText(ControlId::IDC_ACCEL_TIME));
    input.decelTime = parseNumber(view.readText(ControlId::IDC_DECEL_TIME));
    return input;
}

} // namespace veldronix::cli

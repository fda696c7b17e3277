#pragma once

#include "cli/field_view.h"
#include "controller/calculator_controller.h"
#include "core/drive_input.h"
#include "core/input_field.h"
#include "core/setting_texts.h"
#include "core/velocity_profile.h"
#include "report/input_findings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veldronix::cli {

// The command that showed a message, named as the step of the fields it reads.
enum class CommandStep { Calculate, Recalculate, DecelPoint };

// One drive as typed into the dialog's fields, each field by its row of
// inputFields. A field of the Calculate step that is not given is typed as the
// empty text, or, for a selector, left on its first item, as the dialog opens;
// a later step runs only when one of its fields is given.
struct DriveRequest {
    ByField<std::optional<std::string>> texts; // the number fields' texts, exactly as given
    ByField<std::optional<int>> items;         // the selectors' item indexes; -1 selects none
    bool profile = false;                      // with a pulse count: also the motion of that count

    friend bool operator==(const DriveRequest&, const DriveRequest&) = default;
};

// The dialog's fields after the commands of a request have run.
struct DriveOutcome {
    SettingTexts fields;    // the summary and each register's value field
    std::string multiplier; // the multiplier selector's text, "" when none is selected
    std::string decelPoint;
    std::vector<std::string> errors; // the messages shown, in order
    std::vector<CommandStep> errorSteps; // the step that showed each message
    std::vector<CommandFailure> failures;   // the failure behind each message
    std::vector<std::string> errorMeanings; // what each message means there, in English
    // The calculation the value fields show (Recalculate's when it was accepted),
    // none when Calculate failed.
    std::optional<Calculation> calculation;
    // The pulse count as the controller reads it, when the request has one.
    std::optional<double> pulseCount;
    // The motion of the pulse count, when the request asks for it and there is a calculation.
    std::optional<VelocityProfile> profile;
    // The fields read otherwise than a user may mean, from what the controller read.
    std::vector<report::InputFinding> inputFindings;
};

// A dialog and its controller for running drives one after the other, each
// from the state the dialog opens in, without new memory for every drive.
class DriveSession {
public:
    DriveSession() = default;
    DriveSession(const DriveSession&) = delete;
    DriveSession& operator=(const DriveSession&) = delete;

    // Runs Calculate on a fresh controller, then Recalculate and the deceleration
    // point where the request asks for them; each runs even when an earlier one
    // failed. The fields stay readable until the next run.
    const FieldView& run(const DriveRequest& request);

    // The calculation the fields show after the last run, none when its Calculate failed.
    const std::optional<Calculation>& calculation() const { return controller_.lastCalculation(); }
    // The pulse count of the last run as the controller reads it.
    double pulseCount() { return controller_.readPulseCount(); }
    // The step that showed each message of the last run, in the order of the messages.
    const std::vector<CommandStep>& errorSteps() const { return errorSteps_; }
    // The controller's failure behind each message of the last run, in the same order.
    const std::vector<CommandFailure>& failures() const { return failures_; }
    const CalculatorController& controller() const { return controller_; }

private:
    // Puts the fields of a step into the dialog; false when the request gives none of them.
    bool enterStep(FieldStep step, const DriveRequest& request);
    // Runs the step's command and notes its step and failure beside the message it showed.
    void runStep(CommandStep step);

    FieldView view_;
    CalculatorController controller_{view_};
    std::vector<CommandStep> errorSteps_;
    std::vector<CommandFailure> failures_;
};

// One drive on a session of its own.
DriveOutcome runDrive(const DriveRequest& request);

} // namespace veldronix::cli

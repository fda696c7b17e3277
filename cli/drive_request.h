#pragma once

#include "cli/field_view.h"
#include "controller/calculator_controller.h"
#include "core/drive_input.h"
#include "core/setting_texts.h"
#include "core/velocity_profile.h"
#include "report/input_findings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veldronix::cli {

// The command that showed a message.
enum class CommandStep {
    Calculate,
    Recalculate,
    DecelPoint, // the manual deceleration point ("算出")
};

// One drive as typed into the dialog's fields: texts exactly as given, an
// omitted field being the empty text.
struct DriveRequest {
    int driveType = 0;                  // selector index, -1 for a text that names no item; the dialog opens on 0
    std::string initialSpeed;
    std::string driveSpeed;
    std::string accelTime;
    std::string decelTime;
    std::optional<int> multiplierIndex; // -1..8: select it, then Recalculate
    std::optional<std::string> pulses;  // type it, then compute the deceleration point
    bool profile = false;               // with pulses: also the motion of that pulse count
};

// A drive as DriveRequest has it, its texts viewed where they already are (the
// fields of a CSV record), so that a batch copies no text before typing it in.
struct DriveFields {
    int driveType = 0;
    std::string_view initialSpeed;
    std::string_view driveSpeed;
    std::string_view accelTime;
    std::string_view decelTime;
    std::optional<int> multiplierIndex;
    std::optional<std::string_view> pulses;
};

// The dialog's fields after the commands of a request have run.
struct DriveOutcome {
    SettingTexts fields;    // the summary and the eight value fields
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
    // The same for a drive whose texts are views; they need to last only the call.
    const FieldView& run(const DriveFields& request);

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
    // Runs one command and notes its step and failure beside the message it showed.
    template <typename Run>
    void runStep(CommandStep step, Run command);

    FieldView view_;
    CalculatorController controller_{view_};
    std::vector<CommandStep> errorSteps_;
    std::vector<CommandFailure> failures_;
};

// One drive on a session of its own.
DriveOutcome runDrive(const DriveRequest& request);

} // namespace veldronix::cli

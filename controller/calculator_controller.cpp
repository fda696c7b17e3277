#include "controller/calculator_controller.h"

#include "core/decel_point.h"
#include "core/field_text.h"
#include "core/number_parser.h"
#include "core/setting_texts.h"
#include "core/setting_values.h"
#include "core/speed_multiplier.h"
#include "core/validation.h"

#include <optional>
#include <utility>

namespace veldronix {

void CalculatorController::reset()
{
    autoMultiplierIndex_ = -1;
    storedDecelJerkRate_ = -1.0;
    lastCalculation_.reset();
}

void CalculatorController::onCalculate()
{
    // Cleared before anything is read: a Calculate that fails leaves no state behind.
    reset();
    const DriveInput input = readDriveInput();
    if (const auto error = validateDriveInput(input)) {
        showError(*error);
        return;
    }
    const auto multiplier = selectMultiplier(input.driveSpeed);
    if (!multiplier) {
        showError(InputError::NoSetting);
        return;
    }
    const int index = multiplierIndex(*multiplier);
    showResults(input, index);
    view_.setSelectedIndex(ControlId::IDC_MULTIPLIER, index);
    autoMultiplierIndex_ = index;
    lastCalculation_->automaticIndex = index;
}

void CalculatorController::onRecalculate()
{
    if (autoMultiplierIndex_ == -1) {
        showError(InputError::NoSetting);
        return;
    }
    // A smaller multiplier than the automatic one is refused, and so is no selection.
    if (autoMultiplierIndex_ > view_.selectedIndex(ControlId::IDC_MULTIPLIER)) {
        showError(InputError::NoSetting);
        return;
    }
    // The selector is asked again for the multiplier itself; an index past the
    // table, which no real selector gives, is refused like a smaller one.
    const auto multiplier = multiplierAt(view_.selectedIndex(ControlId::IDC_MULTIPLIER));
    if (!multiplier) {
        showError(InputError::NoSetting);
        return;
    }
    // The fields as they stand now; the automatic choice is not made again.
    const DriveInput input = readDriveInput();
    if (const auto error = validateDriveInput(input)) {
        showError(*error);
        return;
    }
    const int index = multiplierIndex(*multiplier);
    showResults(input, index);
    view_.setSelectedIndex(ControlId::IDC_MULTIPLIER, index);
    lastCalculation_->automaticIndex = autoMultiplierIndex_;
}

void CalculatorController::onComputeDecelPoint()
{
    if (storedDecelJerkRate_ == -1.0) {
        failDecelPoint();
        return;
    }
    const double pulses = readPulseCount();
    if (pulses == 0.0) {
        failDecelPoint();
        return;
    }
    // The speeds as they stand now, not those of the calculation behind J2.
    const double initialSpeed = readNumber(ControlId::IDC_INITIAL_SPEED);
    const double driveSpeed = readNumber(ControlId::IDC_DRIVE_SPEED);
    const double decelPoint = computeManualDecelPoint(pulses, initialSpeed, driveSpeed, storedDecelJerkRate_);
    if (!(decelPoint > 0.0)) { // also catches not-a-number
        failDecelPoint();
        return;
    }
    view_.writeText(ControlId::IDC_DECEL_POINT, formatDecelPoint(decelPoint));
    if (lastCalculation_) {
        lastCalculation_->decelPoint = ManualDecelPoint{pulses, decelPoint};
    }
}

DriveInput CalculatorController::readDriveInput()
{
    DriveInput input;
    input.driveType = static_cast<DriveType>(view_.selectedIndex(ControlId::IDC_DRIVE_TYPE));
    input.initialSpeed = readNumber(ControlId::IDC_INITIAL_SPEED);
    input.driveSpeed = readNumber(ControlId::IDC_DRIVE_SPEED);
    input.accelTime = readNumber(ControlId::IDC_ACCEL_TIME);
    // Read whatever the drive type: only the checks decide whether it matters.
    input.decelTime = readNumber(ControlId::IDC_DECEL_TIME);
    return input;
}

double CalculatorController::readNumber(ControlId field)
{
    // Truncated here as well, so that every view parses exactly what a dialog field holds.
    const std::string text = view_.readText(field);
    return parseNumber(fieldTextPrefix(text));
}

void CalculatorController::showResults(const DriveInput& input, int multiplierIndex)
{
    const double multiplier = *multiplierAt(multiplierIndex);
    SettingValues values = computeSettingValues(input, multiplier);
    const std::optional<double> decelJerkRate = values.decelJerkRate;
    const SettingTexts texts = formatSettingTexts(values);
    view_.writeText(ControlId::IDC_SUMMARY, texts.summary);
    for (const RegisterDescription& entry : settingRegisters) {
        view_.writeText(valueField(entry.id), texts.text(entry.id));
    }
    if (decelJerkRate) {
        storedDecelJerkRate_ = *decelJerkRate;
    }
    lastCalculation_ = Calculation{input, multiplierIndex, multiplier, std::move(values), std::nullopt, std::nullopt};
}

void CalculatorController::showError(InputError error)
{
    view_.showError(messageFor(error));
}

void CalculatorController::failDecelPoint()
{
    // The message first; the field is cleared once the user has closed it.
    showError(InputError::NoSetting);
    view_.writeText(ControlId::IDC_DECEL_POINT, "");
    if (lastCalculation_) {
        lastCalculation_->decelPoint.reset();
    }
}

} // namespace veldronix

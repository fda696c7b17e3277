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
    lastFailure_.reset();
    lastReading_.reset();
    valuesShown_ = false;
    decelPointField_ = DecelPointField::AsOpened;
}

ResultFreshness CalculatorController::resultFreshness() const
{
    ResultFreshness freshness;
    freshness.valuesStale = valuesShown_ && !lastCalculation_;
    const bool computedForShownValues = lastCalculation_ && lastCalculation_->decelPoint;
    // Only a point that 算出 wrote can be out of date: the 0 the field opens with
    // stands for no point at all, whatever is calculated after it.
    freshness.decelPointStale = decelPointField_ == DecelPointField::Computed && !computedForShownValues;
    return freshness;
}

void CalculatorController::onCalculate()
{
    // Cleared before anything is read: a Calculate that fails leaves no calculation
    // behind (the fields keep what they show; resultFreshness says so).
    autoMultiplierIndex_ = -1;
    storedDecelJerkRate_ = -1.0;
    lastCalculation_.reset();
    lastFailure_.reset();
    const DriveInput input = readDriveInput();
    if (const auto error = validateDriveInput(input)) {
        fail(Command::Calculate, *error);
        return;
    }
    const auto multiplier = selectMultiplier(input.driveSpeed);
    if (!multiplier) {
        fail(Command::Calculate, InputError::NoSetting, NoSettingReason::NoMultiplierFits);
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
    lastFailure_.reset();
    if (autoMultiplierIndex_ == -1) {
        fail(Command::Recalculate, InputError::NoSetting, NoSettingReason::NothingCalculated);
        return;
    }
    // A smaller multiplier than the automatic one is refused, and so is no selection.
    const int selected = view_.selectedIndex(ControlId::IDC_MULTIPLIER);
    auto refuse = [this](NoSettingReason reason, int index) {
        fail(Command::Recalculate, InputError::NoSetting, reason);
        lastFailure_->selectedMultiplierIndex = index;
        lastFailure_->autoMultiplierIndex = autoMultiplierIndex_;
    };
    if (autoMultiplierIndex_ > selected) {
        refuse(selected < 0 ? NoSettingReason::NoMultiplierSelected : NoSettingReason::SmallerMultiplier, selected);
        return;
    }
    // The selector is asked again for the multiplier itself; an index past the
    // table, which no real selector gives, is refused like no selection.
    const int asked = view_.selectedIndex(ControlId::IDC_MULTIPLIER);
    const auto multiplier = multiplierAt(asked);
    if (!multiplier) {
        refuse(NoSettingReason::NoMultiplierSelected, asked);
        return;
    }
    // The fields as they stand now; the automatic choice is not made again.
    const DriveInput input = readDriveInput();
    if (const auto error = validateDriveInput(input)) {
        fail(Command::Recalculate, *error);
        return;
    }
    const int index = multiplierIndex(*multiplier);
    showResults(input, index);
    view_.setSelectedIndex(ControlId::IDC_MULTIPLIER, index);
    lastCalculation_->automaticIndex = autoMultiplierIndex_;
}

void CalculatorController::onComputeDecelPoint()
{
    lastFailure_.reset();
    if (storedDecelJerkRate_ == -1.0) {
        // J2 is kept only with a calculation, so without one nothing was calculated.
        failDecelPoint(lastCalculation_ ? NoSettingReason::NotAsymmetricSCurve : NoSettingReason::NothingCalculated);
        return;
    }
    const double pulses = readPulseCount();
    if (pulses == 0.0) {
        failDecelPoint(NoSettingReason::PulseCountZero);
        return;
    }
    // The speeds as they stand now, not those of the calculation behind J2.
    const double initialSpeed = readField(ControlId::IDC_INITIAL_SPEED).number;
    const double driveSpeed = readField(ControlId::IDC_DRIVE_SPEED).number;
    const double decelPoint = computeManualDecelPoint(pulses, initialSpeed, driveSpeed, storedDecelJerkRate_);
    if (!(decelPoint > 0.0)) { // also catches not-a-number
        failDecelPoint(NoSettingReason::PulseCountTooSmall);
        return;
    }
    view_.writeText(ControlId::IDC_DECEL_POINT, formatDecelPoint(decelPoint));
    decelPointField_ = DecelPointField::Computed;
    if (lastCalculation_) {
        lastCalculation_->decelPoint = ManualDecelPoint{pulses, decelPoint};
    }
}

double CalculatorController::readPulseCount()
{
    FieldReading reading = readField(describe(InputField::PulseCount).control);
    const double pulses = reading.number;
    if (lastReading_) {
        lastReading_->fields[InputField::PulseCount] = std::move(reading);
    }
    return pulses;
}

DriveInput CalculatorController::readDriveInput()
{
    InputReading reading;
    reading.driveType = static_cast<DriveType>(view_.selectedIndex(describe(InputField::DriveType).control));
    for (const InputFieldDescription& field : inputFields) {
        // Read whatever the drive type: only the checks decide whether it matters.
        if (field.step == FieldStep::Calculate) {
            reading.fields[field.id] = readField(field.control);
        }
    }

    const auto number = [&reading](InputField field) { return reading.fields[field]->number; };
    DriveInput input;
    input.driveType = reading.driveType;
    input.initialSpeed = number(InputField::InitialSpeed);
    input.driveSpeed = number(InputField::DriveSpeed);
    input.accelTime = number(InputField::AccelTime);
    input.decelTime = number(InputField::DecelTime);
    lastReading_ = std::move(reading);
    return input;
}

FieldReading CalculatorController::readField(ControlId field)
{
    // Cut here, for every view alike: the dialog's fields are read into 79 bytes.
    const std::string whole = view_.readText(field);
    const std::string_view kept = fieldTextPrefix(whole);
    const NumberPrefix number = parseNumberPrefix(kept);
    return FieldReading{std::string(kept), kept.size() < whole.size(), number.value, number.length,
                        number.wideForms};
}

void CalculatorController::showResults(const DriveInput& input, int multiplierIndex)
{
    const double multiplier = *multiplierAt(multiplierIndex);
    SettingValues values = computeSettingValues(input, multiplier);
    const std::optional<double> decelJerkRate = values.decelJerkRate;
    const SettingTexts texts = formatSettingTexts(values);
    view_.writeText(ControlId::IDC_SUMMARY, texts.summary);
    for (const RegisterDescription& entry : settingRegisters) {
        view_.writeText(entry.field, texts.registers[entry.id]);
    }
    valuesShown_ = true;
    if (decelJerkRate) {
        storedDecelJerkRate_ = *decelJerkRate;
    }
    lastCalculation_ = Calculation{input, multiplierIndex, multiplier, std::move(values), std::nullopt, std::nullopt};
}

void CalculatorController::fail(Command command, InputError error, std::optional<NoSettingReason> reason)
{
    // Kept before the message box opens, so that a window redrawn under it already knows.
    lastFailure_ = CommandFailure{command, error, reason};
    view_.showError(messageFor(error));
}

void CalculatorController::failDecelPoint(NoSettingReason reason)
{
    // The message first; the field is cleared once the user has closed it.
    fail(Command::ComputeDecelPoint, InputError::NoSetting, reason);
    view_.writeText(ControlId::IDC_DECEL_POINT, "");
    decelPointField_ = DecelPointField::Cleared;
    if (lastCalculation_) {
        lastCalculation_->decelPoint.reset();
    }
}

} // namespace veldronix

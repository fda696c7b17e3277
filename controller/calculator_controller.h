#pragma once

#include "controller/calculation.h"
#include "controller/calculator_view.h"
#include "controller/command_failure.h"
#include "controller/input_reading.h"
#include "core/drive_input.h"
#include "core/input_error.h"

#include <optional>

namespace veldronix {

// The three commands of the dialog and the state kept between button presses.
class CalculatorController {
public:
    explicit CalculatorController(CalculatorView& view) : view_(view) {}

    // Every state to none, as the dialog opens (its fields empty, マニュアル減速点
    // showing 0); called when the dialog initialises.
    void reset();

    // Calculate ("決定"): all setting values with the multiplier chosen automatically.
    void onCalculate();
    // Recalculate ("再計算"): the same with the multiplier the user picked, never a smaller one.
    void onRecalculate();
    // Compute ("算出"): the manual deceleration point of the last asymmetric S-curve drive.
    void onComputeDecelPoint();

    // Selector index of the multiplier the last successful Calculate chose; -1 for none.
    int autoMultiplierIndex() const { return autoMultiplierIndex_; }
    // J2 (PPS/s^2) of the last asymmetric S-curve calculation; -1.0 for none.
    double storedDecelJerkRate() const { return storedDecelJerkRate_; }
    // The calculation the value fields show: that of the last successful Calculate,
    // or of the Recalculate accepted after it. None before a Calculate succeeds and
    // after one fails (the fields may still show older values then, but no command
    // works with them any longer).
    const std::optional<Calculation>& lastCalculation() const { return lastCalculation_; }
    // Why the last command showed its message; none after a command that showed none.
    const std::optional<CommandFailure>& lastFailure() const { return lastFailure_; }
    // Which results on show no longer belong to lastCalculation().
    ResultFreshness resultFreshness() const;
    // The fields as the last Calculate or Recalculate that read them read them
    // (one that fails read them too); none before.
    const std::optional<InputReading>& lastReading() const { return lastReading_; }

    // The number in 出力パルス数 as "算出" reads it; for reports of the motion of
    // a calculation, which every drive type has. Noted in lastReading().
    double readPulseCount();

private:
    // What マニュアル減速点 shows, as far as the controller wrote it.
    enum class DecelPointField { AsOpened, Computed, Cleared };

    DriveInput readDriveInput();
    FieldReading readField(ControlId field);
    void showResults(const DriveInput& input, int multiplierIndex);
    void fail(Command command, InputError error, std::optional<NoSettingReason> reason = std::nullopt);
    void failDecelPoint(NoSettingReason reason);

    CalculatorView& view_;
    int autoMultiplierIndex_ = -1;
    double storedDecelJerkRate_ = -1.0;
    std::optional<Calculation> lastCalculation_;
    std::optional<CommandFailure> lastFailure_;
    std::optional<InputReading> lastReading_;
    bool valuesShown_ = false; // the value fields show the values of some calculation
    DecelPointField decelPointField_ = DecelPointField::AsOpened;
};

} // namespace veldronix

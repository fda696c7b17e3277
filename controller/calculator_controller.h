#pragma once

#include "controller/calculator_view.h"
#include "core/drive_input.h"
#include "core/input_error.h"

namespace veldronix {

// The three commands of the dialog and the state kept between button presses.
class CalculatorController {
public:
    explicit CalculatorController(CalculatorView& view) : view_(view) {}

    // Both state fields to none; called when the dialog initialises.
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

private:
    DriveInput readDriveInput();
    double readNumber(ControlId field);
    void showResults(const DriveInput& input, double multiplier);
    void showError(InputError error);
    void failDecelPoint();

    CalculatorView& view_;
    int autoMultiplierIndex_ = -1;
    double storedDecelJerkRate_ = -1.0;
};

} // namespace veldronix
